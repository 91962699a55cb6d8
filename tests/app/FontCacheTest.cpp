// tests/app/FontCacheTest.cpp
#include "app/ResourceHelper.h"
#include "app/UiFace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/support/DibSurface.h"

namespace {

LOGFONTA FontOf(HFONT font)
{
    LOGFONTA info = {};
    EXPECT_EQ(GetObjectA(font, sizeof(info), &info), int(sizeof(info)));
    return info;
}

struct FontCase {
    int height;
    int weight;
    bool underline;
};

// Keys that a packed 64-bit key mixes up: negative heights, heights and weights past 12 bits.
const FontCase kFonts[] = {
    {12, 400, false}, {12, 400, true},  {12, 700, false}, {-12, 400, false},
    {-12, 400, true}, {-1, 400, false}, {16, 500, true},  {5000, 400, false},
    {12, 4496, false}, {0, 0, false},
};

}  // namespace

TEST(FontCache, EachKeyHasItsOwnFontMadeOnce)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    ASSERT_GT(helper.SetLanguage(0, "English.dat"), 0);
    std::set<HFONT> handles;
    for (const FontCase& c : kFonts) {
        HFONT font = helper.GetFont(c.height, c.weight, c.underline);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(helper.GetFont(c.height, c.weight, c.underline), font);
        handles.insert(font);
        LOGFONTA info = FontOf(font);
        EXPECT_EQ(info.lfHeight, c.height);
        EXPECT_EQ(info.lfWeight, c.weight);
        EXPECT_EQ(info.lfUnderline != 0, c.underline);
        EXPECT_STREQ(info.lfFaceName, "Arial");
    }
    EXPECT_EQ(handles.size(), sizeof(kFonts) / sizeof(kFonts[0]));
}

TEST(FontCache, LanguageChangeRemakesFontsInTheNewFace)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    ASSERT_GT(helper.SetLanguage(0, "English.dat"), 0);
    HFONT before = helper.GetFont(-12, 700, true);
    ASSERT_GT(helper.SetLanguage(1, "English.dat"), 0);
    EXPECT_STREQ(GetUiFace(), "Meiryo UI");
    HFONT after = helper.GetFont(-12, 700, true);
    EXPECT_NE(after, before);
    LOGFONTA info = FontOf(after);
    EXPECT_STREQ(info.lfFaceName, "Meiryo UI");
    EXPECT_EQ(info.lfHeight, -12);
    EXPECT_EQ(info.lfWeight, 700);
    EXPECT_NE(info.lfUnderline, 0);
    LOGFONTA gone = {};
    EXPECT_EQ(GetObjectA(before, sizeof(gone), &gone), 0);   // the old font was deleted

    // Every cached key follows, not only the one asked for again.
    for (const FontCase& c : kFonts)
        EXPECT_STREQ(FontOf(helper.GetFont(c.height, c.weight, c.underline)).lfFaceName, "Meiryo UI");
    ASSERT_GT(helper.SetLanguage(5, "English.dat"), 0);
    EXPECT_STREQ(FontOf(helper.GetFont(-12, 700, true)).lfFaceName, "Arial");
}

TEST(FontCache, RefusedLanguageChangesNothing)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    ASSERT_GT(helper.SetLanguage(0, "English.dat"), 0);
    const std::wstring path = helper.GetLanguagePath();
    HFONT font = helper.GetFont(14, 400, false);
    EXPECT_EQ(helper.SetLanguage(1, nullptr), -1);
    // A path past MAX_PATH would be cut short into some other file's name.
    EXPECT_EQ(helper.SetLanguage(1, (std::string(300, 'x') + ".dat").c_str()), -1);
    EXPECT_EQ(helper.GetLanguagePath(), path);
    EXPECT_STREQ(GetUiFace(), "Arial");
    EXPECT_EQ(helper.GetFont(14, 400, false), font);
}

TEST(FontCache, DrawStringUsesColourAndRestoresTheContext)
{
    DibSurface surface(120, 40, RGB(255, 255, 255));
    HDC dc = surface.dc();
    RECT all = {0, 0, 120, 40};
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ fontBefore = GetCurrentObject(dc, OBJ_FONT);
    SetTextColor(dc, RGB(1, 2, 3));

    ResourceHelper::Instance().DrawString(dc, "Wide WWW", all, RGB(255, 0, 0), 24, 700,
                                          DT_LEFT | DT_TOP | DT_SINGLELINE);
    const std::vector<uint32_t> pixels = surface.Pixels();
    EXPECT_GT(std::count(pixels.begin(), pixels.end(), 0xFF0000u), 0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), fontBefore);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
}

TEST(FontCharset, FollowsTheCodePage)
{
    EXPECT_EQ(SHIFTJIS_CHARSET, CharsetOfCodePage(932));
    EXPECT_EQ(ANSI_CHARSET, CharsetOfCodePage(1252));
    EXPECT_EQ(RUSSIAN_CHARSET, CharsetOfCodePage(1251));
    EXPECT_EQ(DEFAULT_CHARSET, CharsetOfCodePage(12345));
    // The file-name font is kept apart from the interface font of the same size.
    LOGFONTA names = FontOf(ResourceHelper::Instance().GetFileNameFont(14, FW_NORMAL));
    EXPECT_EQ(CharsetOfCodePage(GetACP()), names.lfCharSet);
    EXPECT_EQ(DEFAULT_CHARSET, FontOf(ResourceHelper::Instance().GetFont(14, FW_NORMAL, false)).lfCharSet);
}
