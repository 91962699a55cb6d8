// tests/app/LayoutTest.cpp
#include "app/ResourceLayout.h"
#include "TestFiles.h"

#include <tinyxml.h>

#include <gtest/gtest.h>

namespace {

class Layout : public ::testing::Test {
protected:
    void TearDown() override { SetResourceLayoutPath(nullptr); }
};

}  // namespace

TEST_F(Layout, ShippedFileHasWindowsAndItems)
{
    TiXmlElement* box = GetResourceElement("MessageBox");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->FirstChildElement(), nullptr);
    EXPECT_STREQ(box->FirstChildElement()->Attribute("width"), "420");

    TiXmlElement* yes = GetResourceItem("MessageBox", 501);
    ASSERT_NE(yes, nullptr);
    EXPECT_STREQ(yes->Attribute("caption"), "OK");
    EXPECT_STREQ(GetResourceItem("MessageBox", 500)->Attribute("caption"), "Cancel");
    EXPECT_EQ(GetResourceItem("MessageBox", 0), nullptr);    // the size element has no id
    EXPECT_EQ(GetResourceItem("MessageBox", 999), nullptr);
    EXPECT_EQ(GetResourceItem("NoSuchWindow", 501), nullptr);
    EXPECT_NE(GetResourceItem("About", 800), nullptr);

    EXPECT_EQ(GetResourceElement("NoSuchWindow"), nullptr);
    EXPECT_EQ(GetResourceElement("messagebox"), nullptr);    // window names are exact
    EXPECT_EQ(GetResourceElement(nullptr), nullptr);
}

TEST_F(Layout, MissingFileIsTriedAgainOnTheNextCall)
{
    std::string path = MakeTestFolder("layout") + "Resource.xml";
    SetResourceLayoutPath(path.c_str());
    EXPECT_EQ(GetResourceElement("Main"), nullptr);
    ASSERT_TRUE(WriteBytes(path, "<resource><Main><Size width=\"5\"/></Main></resource>"));
    TiXmlElement* main = GetResourceElement("Main");   // root name in any case
    ASSERT_NE(main, nullptr);
    EXPECT_STREQ(main->FirstChildElement()->Attribute("width"), "5");
}

TEST_F(Layout, RefusedDocumentsGiveNullAndAreRetried)
{
    const struct {
        const char* content;
        const char* what;
    } refused[] = {
        {"<Layout><Main/></Layout>", "another root"},
        {"<Resource><Main></Resource>", "malformed"},
        {"", "empty"},
    };
    std::string folder = MakeTestFolder("refused");
    int n = 0;
    for (const auto& r : refused) {
        std::string path = folder + std::to_string(++n) + ".xml";
        ASSERT_TRUE(WriteBytes(path, r.content));
        SetResourceLayoutPath(path.c_str());
        EXPECT_EQ(GetResourceElement("Main"), nullptr) << r.what;
        ASSERT_TRUE(WriteBytes(path, "<RESOURCE><Main/></RESOURCE>"));
        EXPECT_NE(GetResourceElement("Main"), nullptr) << r.what;
    }
}
