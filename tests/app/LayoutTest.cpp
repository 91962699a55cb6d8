// tests/app/LayoutTest.cpp
#include "app/ResourceLayout.h"
#include "app/XmlNesting.h"
#include "TestFiles.h"

#include <string.h>
#include <tinyxml.h>

#include <algorithm>

#include "tests/support/DeepXml.h"

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

// How deep TinyXML itself nested the elements it built.
static size_t TreeDepth(const TiXmlNode* node)
{
    size_t deepest = 0;
    for (const TiXmlNode* child = node->FirstChild(); child; child = child->NextSibling())
        deepest = std::max(deepest, TreeDepth(child));
    return node->ToElement() ? deepest + 1 : deepest;
}

TEST(XmlNesting, CountsWhatTheParserNests)
{
    const struct {
        const char* text;
        size_t depth;
    } cases[] = {
        {"", 0},
        {"plain text", 0},
        {"<a/>", 1},
        {"<a></a>", 1},
        {"<a><b><c/></b></a>", 3},
        {"<a><b></b><b><c></c></b></a>", 3},
        {"<a>text<b>more</b>tail</a>", 2},
        {"<?xml version=\"1.0\"?><a><!-- <b><c><d> --></a>", 1},
        {"<a><![CDATA[<b><c>]]></a>", 1},
        {"<a x=\"/>\" y='<b>'><c></c></a>", 2},
        {"<a x=\"1\" />", 1},
        // The parser ends these at their first '>' and reads on behind it.
        {"<?xml version=\"1.0\"><a><b></b></a>", 2},
        {"<?skin x><a><b/></a>", 2},
        {"<!DOCTYPE x [ ><a><b></b></a>", 2},
        {"<a><![ ><b></b></a>", 2},
        {"<a><?xml version=\"1.0\"><b><c></c></b></a>", 3},
        // ...and stops at the "]>" left of an internal subset: nothing behind it is read.
        {"<!DOCTYPE a [<!ELEMENT a ANY>]><a><b></b></a>", 0},
        {"</a></a><a>", 1},                 // stray end tags are unknown nodes
        {"<a></b><c><d></d></c>", 1},       // a wrong end tag stops the parser
        {"<a><b></a><c><d></d></c>", 2},
        {"\xEF\xBB\xBF<a><b/></a>", 2},
        // Where a start tag fails the parser stops inside it.
        {"<a><b", 2},
        {"<a b='1' b='2'><c><d></d></c></a>", 1},
        {"<a><b/ ><c></c></a>", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(XmlNestingDepth(c.text, 100), c.depth) << c.text;
        TiXmlDocument document;
        document.Parse(c.text);
        EXPECT_EQ(TreeDepth(&document), c.depth) << c.text;
    }
    // The walk stops one past the limit.
    const std::string deep = Nested(1000);
    EXPECT_EQ(XmlNestingDepth(deep.c_str(), 10), 11u);
    EXPECT_EQ(XmlNestingDepth(deep.c_str(), 5000), 1002u);
    EXPECT_EQ(XmlNestingDepth(nullptr, 10), 0u);
}

TEST(XmlNesting, EveryFormNestedDeepIsRefusedAndShallowIsRead)
{
    const std::string folder = MakeTestFolder("forms");
    int n = 0;
    for (const DeepXmlForm& form : DeepXmlForms("Resource", 20000)) {
        const std::string path = folder + std::to_string(++n) + ".xml";
        ASSERT_TRUE(WriteWholeFile(path, form.text));
        TiXmlDocument document;
        EXPECT_EQ(LoadBoundedXml(document, path, TIXML_ENCODING_UTF8), XmlFileState::TooDeep)
            << form.what;
        EXPECT_EQ(document.FirstChild(), nullptr) << form.what;
    }
    for (const DeepXmlForm& form : DeepXmlForms("Resource", 20)) {
        const std::string path = folder + std::to_string(++n) + ".xml";
        ASSERT_TRUE(WriteWholeFile(path, form.text));
        TiXmlDocument document;
        EXPECT_EQ(LoadBoundedXml(document, path, TIXML_ENCODING_UTF8), XmlFileState::Loaded)
            << form.what;
        EXPECT_EQ(TreeDepth(&document), 21u) << form.what;
        EXPECT_EQ(document.Value(), path) << form.what;
    }
}

TEST(XmlNesting, TheParserReadsTheBytesThatWereChecked)
{
    const std::string folder = MakeTestFolder("bytes");
    // As TinyXML's own loader reads a file, a zero byte ends the text.
    const std::string path = folder + "zero.xml";
    const char bytes[] = "<a>\r\n<b x=\"1\"\r/>\r</a>\0<c>";
    ASSERT_TRUE(WriteWholeFile(path, std::string(bytes, sizeof bytes - 1)));
    TiXmlDocument document;
    ASSERT_EQ(LoadBoundedXml(document, path, TIXML_ENCODING_UTF8), XmlFileState::Loaded);
    EXPECT_EQ(TreeDepth(&document), 2u);
    TiXmlDocument missing;
    EXPECT_EQ(LoadBoundedXml(missing, folder + "absent.xml", TIXML_ENCODING_UTF8),
              XmlFileState::Unusable);
    const std::string message = XmlTooDeepMessage("C:\\p\\Resource.xml");
    EXPECT_NE(message.find("\"C:\\p\\Resource.xml\""), std::string::npos) << message;
    EXPECT_NE(message.find("256 levels"), std::string::npos) << message;
}

TEST_F(Layout, ADeeplyNestedFileIsRefusedBeforeItIsParsed)
{
    const std::string path = MakeTestFolder("deep") + "Resource.xml";
    SetResourceLayoutPath(path.c_str());
    // 20,000 levels would overflow the parser's stack, whatever stands in front or between.
    for (const DeepXmlForm& form : DeepXmlForms("Resource", 20000, "<Main/>")) {
        ASSERT_TRUE(WriteWholeFile(path, form.text));
        EXPECT_EQ(LoadResourceLayout(), XmlFileState::TooDeep) << form.what;
        EXPECT_EQ(GetResourceElement("Main"), nullptr) << form.what;
    }
    EXPECT_EQ(ResourceLayoutPath(), path);
    // Up to the limit it is read; the limit counts the root and the window too.
    ASSERT_TRUE(WriteWholeFile(path, Nested(kMaxXmlNesting - 2)));
    EXPECT_EQ(LoadResourceLayout(), XmlFileState::Loaded);
    EXPECT_NE(GetResourceElement("Main"), nullptr);
    SetResourceLayoutPath(path.c_str());
    ASSERT_TRUE(WriteWholeFile(path, Nested(kMaxXmlNesting - 1)));
    EXPECT_EQ(LoadResourceLayout(), XmlFileState::TooDeep);
    ASSERT_TRUE(WriteWholeFile(path, "<Layout/>"));
    EXPECT_EQ(LoadResourceLayout(), XmlFileState::Unusable);
}
