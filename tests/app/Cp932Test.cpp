// tests/app/Cp932Test.cpp
// Run with a Japanese locale (ANSI code page 932): translated strings come out as
// double-byte text and go back to UTF-16 unchanged.
#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/TextConvert.h"
#include "TestFiles.h"
#include "tests/support/DibSurface.h"

#include <gtest/gtest.h>

TEST(Cp932, ShippedEnglishStillReads)
{
    EXPECT_EQ(GetLangString("Photo"), "Photos");
}

TEST(Cp932, JapaneseValueBecomesShiftJis)
{
    ASSERT_EQ(GetACP(), 932u) << "ctest runs this program with LANG=ja_JP.UTF-8";
    const std::wstring japanese = L"\u91CD\u8907\u30D5\u30A1\u30A4\u30EB";
    // 1200 characters: 2400 bytes in the ANSI code page, past any 1024-byte buffer.
    std::wstring longValue;
    for (int i = 0; i < 200; ++i)
        longValue += japanese;
    std::string path = MakeTestFolder("cp932") + "Japanese.dat";
    ASSERT_TRUE(WriteUtf16File(path, L"[string]\r\nPhoto=" + japanese + L"\r\nLong=" +
                                         longValue + L"\r\n"));
    ASSERT_GT(ResourceHelper::Instance().SetLanguagePath(Widen(path)), 0);

    std::string text = GetLangString("Photo");
    EXPECT_EQ(text, "\x8f\x64\x95\xa1\x83\x74\x83\x40\x83\x43\x83\x8b");
    EXPECT_EQ(ToWideCString(text.c_str()), japanese);
    std::string longText = GetLangString("Long");
    EXPECT_EQ(longText.size(), 2400u);
    EXPECT_EQ(ToWideCString(longText.c_str()), longValue);
}


namespace {

// text drawn black on white in font, through the ANSI or the wide call.
std::vector<uint32_t> Drawn(HFONT font, const std::string& ansi, const std::wstring& wide)
{
    DibSurface surface(200, 30, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(surface.dc(), font);
    SetTextColor(surface.dc(), RGB(0, 0, 0));
    SetBkMode(surface.dc(), TRANSPARENT);
    RECT box = {0, 0, 200, 30};
    if (wide.empty())
        DrawTextA(surface.dc(), ansi.c_str(), -1, &box, DT_SINGLELINE | DT_NOPREFIX);
    else
        DrawTextW(surface.dc(), wide.c_str(), -1, &box, DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(surface.dc(), old);
    return surface.Pixels();
}

}  // namespace

// File names are in the ANSI code page whatever the interface language: with English's face
// (Arial) their font is still of the code page's character set, so a Japanese name drawn
// through the ANSI call comes out as the name itself, not as Western characters.
TEST(Cp932, FileNamesDrawInTheCodePagesCharacterSet)
{
    ASSERT_EQ(GetACP(), 932u);
    ResourceHelper::Instance().SetLanguage(0, "English.dat");
    HFONT names = ResourceHelper::Instance().GetFileNameFont(16, FW_BOLD);
    ASSERT_TRUE(names);
    LOGFONTA logical = {};
    ASSERT_EQ(int(sizeof logical), GetObjectA(names, sizeof logical, &logical));
    EXPECT_EQ(SHIFTJIS_CHARSET, logical.lfCharSet);
    EXPECT_STREQ("Arial", logical.lfFaceName);
    EXPECT_NE(names, ResourceHelper::Instance().GetFont(16, FW_BOLD, false));

    const std::wstring name = L"\u5199\u771F\u306E\u30B3\u30D4\u30FC.txt";   // "copy of the photo"
    const std::string ansi = ToAnsiString(name);
    ASSERT_EQ(ToWideCString(ansi.c_str()), name);
    const std::vector<uint32_t> shown = Drawn(names, ansi, L"");
    EXPECT_EQ(shown, Drawn(names, "", name));
    const std::vector<uint32_t> ascii = Drawn(names, ".txt", L"");
    EXPECT_NE(shown, ascii) << "the Japanese characters drew nothing";
}
