// tests/mfc/StringTests.cpp
#include "mfc/String.h"
#include <gtest/gtest.h>

TEST(CString, FormatUsesTheMicrosoftPrintfDialect)
{
    struct Case { const char* expected; CString got; };
    auto fmt = [](const char* f, auto... args) { CString s; s.Format(f, args...); return s; };
    Case cases[] = {
        {"5000000000|.jpg|ab", fmt("%I64d|%s|%s", (long long)5000000000LL, ".jpg", "ab")},
        {"1.5 KB", fmt("%.01f KB", 1.5)},
        {"12.35 MB", fmt("%.02f MB", 12.345678)},
        {"[  42]", fmt("[%4d]", 42)},
        {"a=Photo b=x", fmt("a=%s b=%s", CString("Photo"), CString("x"))}, // a CString passes as its text
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, (const char*)c.got);
}

TEST(CString, FormatGrowsPastItsFirstBuffer)
{
    std::string big(5000, 'x');
    CString s;
    s.Format("<%s>", big.c_str());
    EXPECT_EQ(5002, s.GetLength());
    EXPECT_EQ('>', s.str().back());
}

TEST(CString, CutsAndJoinsOnATable)
{
    CString base("Hello World");
    struct Case { const char* what; CString got; const char* expected; };
    Case cases[] = {
        {"Mid(6)", base.Mid(6), "World"},
        {"Mid(0,5)", base.Mid(0, 5), "Hello"},
        {"Mid past end", base.Mid(20), ""},
        {"Mid count past end", base.Mid(6, 100), "World"},
        {"Left", base.Left(3), "Hel"},
        {"Left too many", base.Left(50), "Hello World"},
        {"Left negative", base.Left(-1), ""},
        {"Right", base.Right(5), "World"},
        {"Right too many", base.Right(50), "Hello World"},
        {"operator+ text", base + "!", "Hello World!"},
        {"operator+ left text", "<" + base, "<Hello World"},
        {"operator+ strings", CString("a") + CString("b"), "ab"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, (const char*)c.got) << c.what;
}

TEST(CString, FindAndCompare)
{
    CString s("C:\\dir\\file.txt");
    EXPECT_EQ(2, s.Find('\\'));
    EXPECT_EQ(6, s.Find('\\', 3));
    EXPECT_EQ(7, s.Find("file"));
    EXPECT_EQ(-1, s.Find("nothing"));
    EXPECT_EQ(-1, s.Find('C', 100));
    EXPECT_TRUE(CString("abc") == "abc");
    EXPECT_TRUE(CString("abc") != CString("abd"));
    EXPECT_TRUE(CString("abc") < CString("abd"));
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_EQ(0, strcmp("", (const char*)CString((const char*)nullptr)));
}

TEST(CString, BufferRoundTrip)
{
    CString s("abc");
    char* buf = s.GetBuffer(260);
    strcpy(buf, "C:\\Program Files\\x.exe");
    s.ReleaseBuffer();
    EXPECT_STREQ("C:\\Program Files\\x.exe", (const char*)s);
    EXPECT_EQ(22, s.GetLength());

    buf = s.GetBuffer(10);
    buf[2] = 0;
    s.ReleaseBuffer(); // ends at the first 0
    EXPECT_STREQ("C:", (const char*)s);

    buf = s.GetBuffer(8);
    memcpy(buf, "12345678", 8);
    s.ReleaseBuffer(4);
    EXPECT_STREQ("1234", (const char*)s);
}
