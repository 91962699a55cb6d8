// tests/uikit/LayoutAttrTest.cpp
// The attribute rules of "Resource.xml": decimal integers (missing = 0), "%x" colours,
// picture and text attributes.
#include <gtest/gtest.h>
#include <tinyxml.h>

#include "uikit/widget/LayoutAttr.h"

using namespace UiCtrl;

namespace {

struct Parsed {
    TiXmlDocument doc;
    explicit Parsed(const char* xml) { doc.Parse(xml); }
    const TiXmlElement* Root() const { return doc.RootElement(); }
};

} // namespace

TEST(LayoutAttr, IntegersAreDecimalAndMissingReadsZero)
{
    struct Case {
        const char* xml;
        int expected;
        bool present;
    } cases[] = {
        {"<i v=\"42\"/>", 42, true},
        {"<i v=\"-7\"/>", -7, true},
        {"<i v=\"010\"/>", 10, true},          // decimal, not octal
        {"<i v=\"0x10\"/>", 0, true},          // not hexadecimal
        {"<i v=\"12px\"/>", 12, true},
        {"<i v=\"\"/>", 0, true},
        {"<i v=\"abc\"/>", 0, true},
        {"<i v=\"99999999999\"/>", 2147483647, true},
        {"<i/>", 0, false},
    };
    for (const Case& c : cases) {
        Parsed p(c.xml);
        EXPECT_EQ(ReadIntAttr(p.Root(), "v"), c.expected) << c.xml;
        int kept = 555;
        EXPECT_EQ(ReadIntAttrIfPresent(p.Root(), "v", kept), c.present) << c.xml;
        EXPECT_EQ(kept, c.present ? c.expected : 555) << c.xml;
    }
    EXPECT_EQ(ReadIntAttr(nullptr, "v"), 0);
}

TEST(LayoutAttr, ColoursAreHexadecimalAndMissingKeepsTheDefault)
{
    struct Case {
        const char* xml;
        COLORREF expected;
        bool read;
    } cases[] = {
        {"<c v=\"1E242E\"/>", 0x1E242E, true},
        {"<c v=\"ffa200\"/>", 0xFFA200, true},
        {"<c v=\"0x48382F\"/>", 0x48382F, true},
        {"<c v=\"0\"/>", 0, true},
        {"<c v=\"FF123456\"/>", 0x123456, true},   // no palette-index byte
        {"<c v=\"zz\"/>", 0xABCDEF, false},
        {"<c v=\"\"/>", 0xABCDEF, false},
        {"<c/>", 0xABCDEF, false},
    };
    for (const Case& c : cases) {
        Parsed p(c.xml);
        COLORREF colour = 0xABCDEF;
        EXPECT_EQ(ReadColorAttr(p.Root(), "v", colour), c.read) << c.xml;
        EXPECT_EQ(colour, c.expected) << c.xml;
    }
}

TEST(LayoutAttr, HexIntegersWrapLikePercentX)
{
    Parsed p("<h a=\"10\" b=\"ffffffff\" c=\"\"/>");
    int value = 3;
    EXPECT_TRUE(ReadHexIntAttr(p.Root(), "a", value));
    EXPECT_EQ(value, 16);
    EXPECT_TRUE(ReadHexIntAttr(p.Root(), "b", value));
    EXPECT_EQ(value, -1);
    value = 3;
    EXPECT_FALSE(ReadHexIntAttr(p.Root(), "c", value));
    EXPECT_FALSE(ReadHexIntAttr(p.Root(), "missing", value));
    EXPECT_EQ(value, 3);
}

TEST(LayoutAttr, TextsAreTakenAsWritten)
{
    Parsed p("<t caption=\"Key1\" file=\"dir\\a.png\" empty=\"\"/>");
    EXPECT_EQ(ReadTextAttr(p.Root(), "caption"), "Key1");
    EXPECT_EQ(ReadTextAttr(p.Root(), "file"), "dir\\a.png");
    EXPECT_EQ(ReadTextAttr(p.Root(), "missing"), "");
    EXPECT_TRUE(HasAttr(p.Root(), "empty"));
    EXPECT_FALSE(HasAttr(p.Root(), "missing"));
    EXPECT_FALSE(HasAttr(nullptr, "caption"));
}
