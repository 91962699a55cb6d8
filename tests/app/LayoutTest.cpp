// tests/app/LayoutTest.cpp
#include "app/ResourceLayout.h"
#include "app/XmlNesting.h"
#include "TestFiles.h"

#include <string.h>
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

namespace {

std::string Nested(size_t levels, const char* inner = "")
{
    std::string text = "<Resource><Main>";
    for (size_t i = 0; i < levels; ++i)
        text += "<a>";
    text += inner;
    for (size_t i = 0; i < levels; ++i)
        text += "</a>";
    return text + "</Main></Resource>";
}

}  // namespace

TEST(XmlNesting, CountsElementLevelsOnly)
{
    const struct {
        const char* text;
        size_t depth;
    } cases[] = {
        {"", 0},
        {"plain text", 0},
        {"<a/>", 0},
        {"<a></a>", 1},
        {"<a><b><c/></b></a>", 2},
        {"<a><b></b><b><c></c></b></a>", 3},
        {"<?xml version=\"1.0\"?><a><!-- <b><c><d> --></a>", 1},
        {"<a><![CDATA[<b><c>]]></a>", 1},
        {"<!DOCTYPE a [<!ELEMENT a ANY>]><a></a>", 1},
        {"<a x=\"/>\" y='<b>'><c></c></a>", 2},
        {"<a x=\"1\" />", 0},
        {"</a></a><a>", 1},                 // stray closings never go below zero
        {"<a><b", 2},                       // cut short
    };
    for (const auto& c : cases)
        EXPECT_EQ(XmlNestingDepth(c.text, strlen(c.text), 100), c.depth) << c.text;
    // The scan stops one past the limit.
    const std::string deep = Nested(1000);
    EXPECT_EQ(XmlNestingDepth(deep.data(), deep.size(), 10), 11u);
    EXPECT_EQ(XmlNestingDepth(deep.data(), deep.size(), 5000), 1002u);
    EXPECT_EQ(XmlNestingDepth(nullptr, 5, 10), 0u);
}

TEST_F(Layout, ADeeplyNestedFileIsRefusedBeforeItIsParsed)
{
    const std::string path = MakeTestFolder("deep") + "Resource.xml";
    SetResourceLayoutPath(path.c_str());
    // 200,000 levels would overflow the parser's stack.
    ASSERT_TRUE(WriteWholeFile(path, Nested(200000)));
    EXPECT_EQ(LoadResourceLayout(), LayoutFileState::TooDeep);
    EXPECT_EQ(GetResourceElement("Main"), nullptr);
    EXPECT_EQ(ResourceLayoutPath(), path);
    // Up to the limit it is read; the limit counts the root and the window too.
    ASSERT_TRUE(WriteWholeFile(path, Nested(kMaxLayoutNesting - 2)));
    EXPECT_EQ(LoadResourceLayout(), LayoutFileState::Loaded);
    EXPECT_NE(GetResourceElement("Main"), nullptr);
    SetResourceLayoutPath(path.c_str());
    ASSERT_TRUE(WriteWholeFile(path, Nested(kMaxLayoutNesting - 1)));
    EXPECT_EQ(LoadResourceLayout(), LayoutFileState::TooDeep);
    ASSERT_TRUE(WriteWholeFile(path, "<Layout/>"));
    EXPECT_EQ(LoadResourceLayout(), LayoutFileState::Unusable);
}
