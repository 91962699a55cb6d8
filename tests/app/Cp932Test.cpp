// tests/app/Cp932Test.cpp
// Run with a Japanese locale (ANSI code page 932): translated strings come out as
// double-byte text and go back to UTF-16 unchanged.
#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/TextConvert.h"
#include "TestFiles.h"

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

