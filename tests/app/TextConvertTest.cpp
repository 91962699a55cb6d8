// tests/app/TextConvertTest.cpp
#include "app/TextConvert.h"

#include <gtest/gtest.h>

TEST(TextConvert, CountsAndBuffers)
{
    int count = 0;
    EXPECT_EQ(MultiByteToWide("abc", nullptr, &count), 4);   // needed, with the terminator
    EXPECT_EQ(count, 4);
    wchar_t wide[8];
    count = 8;
    EXPECT_EQ(MultiByteToWide("abc", wide, &count), 4);
    EXPECT_STREQ(wide, L"abc");
    // Too small: empty and terminated, never cut short.
    count = 3;
    wide[0] = L'x';
    EXPECT_EQ(MultiByteToWide("abc", wide, &count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(wide[0], L'\0');

    char text[8];
    count = 0;
    EXPECT_EQ(WideToMultiByte(L"hello", nullptr, &count), 6);
    count = 8;
    EXPECT_EQ(WideToMultiByte(L"hello", text, &count), 6);
    EXPECT_STREQ(text, "hello");
    count = 5;
    EXPECT_EQ(WideToMultiByte(L"hello", text, &count), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(MultiByteToWide(nullptr, wide, &count), 0);
}

TEST(TextConvert, WholeTexts)
{
    EXPECT_EQ(ToWideCString("Photos"), L"Photos");
    EXPECT_EQ(ToWideCString(nullptr), L"");
    EXPECT_EQ(ToAnsiString(L"Photos"), "Photos");
    EXPECT_EQ(ToAnsiString(static_cast<const wchar_t*>(nullptr)), "");
    EXPECT_EQ(CStringFromText(nullptr), "");
    EXPECT_EQ(CStringFromText("x"), "x");
    std::string longText(5000, 'q');
    EXPECT_EQ(ToAnsiString(ToWideCString(longText.c_str())), longText);
}
