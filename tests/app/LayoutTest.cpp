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
    // Other windows' layouts change as they are built; only the shape is checked here.
    TiXmlElement* box = GetResourceElement("MessageBox");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->FirstChildElement(), nullptr);
    EXPECT_NE(box->FirstChildElement()->Attribute("width"), nullptr);
    for (int id : {500, 501}) {
        TiXmlElement* button = GetResourceItem("MessageBox", id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_NE(button->Attribute("caption"), nullptr) << id;
    }
    EXPECT_EQ(GetResourceElement("NoSuchWindow"), nullptr);
    EXPECT_EQ(GetResourceElement(nullptr), nullptr);
}

TEST_F(Layout, WindowsByExactNameAndItemsById)
{
    std::string path = MakeTestFolder("items") + "Resource.xml";
    ASSERT_TRUE(WriteWholeFile(path, "<Resource><Box><Size width=\"420\" height=\"200\"/>"
                                 "<Item id=\"501\" caption=\"YES\"/><Item caption=\"none\"/>"
                                 "<Item id=\"0\" caption=\"zero\"/><Item id=\"500\" caption=\"NO\"/>"
                                 "</Box><Box><Item id=\"7\"/></Box><Other/></Resource>"));
    SetResourceLayoutPath(path.c_str());
    TiXmlElement* box = GetResourceElement("Box");
    ASSERT_NE(box, nullptr);
    EXPECT_STREQ(box->FirstChildElement()->Attribute("width"), "420");
    ASSERT_NE(GetResourceItem("Box", 501), nullptr);
    EXPECT_STREQ(GetResourceItem("Box", 501)->Attribute("caption"), "YES");
    EXPECT_STREQ(GetResourceItem("Box", 500)->Attribute("caption"), "NO");
    EXPECT_EQ(GetResourceItem("Box", 0), nullptr);     // no id and id 0 are no widgets
    EXPECT_EQ(GetResourceItem("Box", 999), nullptr);
    EXPECT_EQ(GetResourceItem("Box", 7), nullptr);     // only the first window of a name
    EXPECT_EQ(GetResourceItem("NoSuchWindow", 501), nullptr);
    EXPECT_NE(GetResourceElement("Other"), nullptr);
    EXPECT_EQ(GetResourceElement("box"), nullptr);     // window names are exact
}

TEST_F(Layout, MissingFileIsTriedAgainOnTheNextCall)
{
    std::string path = MakeTestFolder("layout") + "Resource.xml";
    SetResourceLayoutPath(path.c_str());
    EXPECT_EQ(GetResourceElement("Main"), nullptr);
    ASSERT_TRUE(WriteWholeFile(path, "<resource><Main><Size width=\"5\"/></Main></resource>"));
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
        ASSERT_TRUE(WriteWholeFile(path, r.content));
        SetResourceLayoutPath(path.c_str());
        EXPECT_EQ(GetResourceElement("Main"), nullptr) << r.what;
        ASSERT_TRUE(WriteWholeFile(path, "<RESOURCE><Main/></RESOURCE>"));
        EXPECT_NE(GetResourceElement("Main"), nullptr) << r.what;
    }
}
