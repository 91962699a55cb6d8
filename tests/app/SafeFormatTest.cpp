// tests/app/SafeFormatTest.cpp
#include "app/SafeFormat.h"
#include "app/ResourceHelper.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <stdint.h>

TEST(SafeFormat, AcceptsMatchingTranslations)
{
    const std::string folder = "C:\\Photos";
    const struct {
        std::string got;
        const char* expected;
    } cases[] = {
        {SafeFormat("%d Dateien in %s", "%d files in %s", {3, folder}), "3 Dateien in C:\\Photos"},
        {SafeFormat("%s: %d", "%d in %s", {3, folder}), "3 in C:\\Photos"},   // order matters
        {SafeFormat("%5.1f%%", "%f", {12.345}), " 12.3%"},
        {SafeFormat("%I64d|%lld|%llu", "", {int64_t(1) << 40, -2LL, 7ULL}),
         "1099511627776|-2|7"},
        {SafeFormat("%u %x %X %o %c %ld %hd", "", {4000000000u, 255, 255, 8, 'A', 5L, 70000}),
         "4000000000 ff FF 10 A 5 4464"},
        {SafeFormat("[%-6s][%6s]", "", {"ab", std::string("cd")}), "[ab    ][    cd]"},
        {SafeFormat("%s", "", {static_cast<const char*>(nullptr)}), ""},
        {SafeFormat("no conversions, 100%%", "x", {}), "no conversions, 100%"},
        {SafeFormat("%lf %g", "", {1.5, 2.0f}), "1.500000 2"},
        {SafeFormat("%zu", "%u", {size_t(9)}), "9"},                   // refused, fallback
        // A 64-bit count (size_t on 64-bit Windows) in a 32-bit conversion is printed whole.
        {SafeFormat("%d files, %5u|%hx", "", {5000000000LL, 7ULL, 0x1FFFFULL}),
         "5000000000 files,     7|1ffff"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.expected);
}

TEST(SafeFormat, RefusedTranslationsFallBackToEnglish)
{
    const char* fallback = "%d files, %s";
    const char* refused[] = {
        "%s files, %s",        // text where a number is passed
        "%d files, %d",        // number where a text is passed
        "%d files",            // one conversion missing
        "%d files, %s, %s",    // one too many
        "%I64d files, %s",     // 64 bits read from a 32-bit argument
        "%f files, %s",        // double from an int
        "%d files, %n",        // writes to memory
        "%p files, %s",
        "%*d files, %s",       // width taken from the arguments
        "%2$s files, %1$d",    // positional
        "%d files, %ls",       // wide text
        "%d files, %S",
        "%Lf files, %s",
        "%d files, %s %",      // lone percent at the end
        "%d files, %99999s",   // width past the cap
        "%d files, %.99999s",
        "%d files, %y",
        "",                    // missing translation
    };
    for (const char* translated : refused) {
        EXPECT_FALSE(FormatMatchesArgs(translated, {4, "x"})) << translated;
        EXPECT_EQ(SafeFormat(translated, fallback, {4, "x"}), "4 files, x") << translated;
    }
    // A translated 32-bit conversion takes a 64-bit count, whole.
    EXPECT_EQ(SafeFormat("%d of them", "%lld", {5000000000LL}), "5000000000 of them");
    // Neither usable: the caller's own fault, no output at all.
    EXPECT_EQ(SafeFormat("%s", "%s", {1}), "");
}

TEST(SafeFormat, LongOutputIsNeverCutShort)
{
    std::string big(5000, 'a');
    std::string out = SafeFormat("<%s|%1000d>", "", {big, 7});
    ASSERT_EQ(out.size(), 5000u + 1000u + 3u);
    EXPECT_EQ(out.substr(out.size() - 3), " 7>");
}

TEST(SafeFormat, FormatLangStringFallsBackToEnglishDatsWording)
{
    const std::wstring shipped = ResourceHelper::Instance().GetLanguagePath();
    // Shipped English, and a translation whose formats do not fit their arguments.
    EXPECT_EQ(FormatLangString("CheckBtnTipText", std::string("12KB")), "Check all (12KB)");
    const std::string path = MakeTestFolder("brokenformats") + "Deutsch.dat";
    ASSERT_TRUE(WriteUtf16File(path, L"[string]\r\nCheckBtnTipText=%d alle\r\n"
                                     L"Location=Ort: %s %s\r\nScanUnreadFilesNote=%u Datei(en)\r\n"));
    ResourceHelper::Instance().SetLanguagePath(Widen(path));
    EXPECT_EQ(FormatLangString("CheckBtnTipText", std::string("12KB")), "Check all (12KB)");
    EXPECT_EQ(FormatLangString("Location", std::string("pics"), 297, std::string("3.00MB")), "Location: pics   297 duplicate files, 3.00MB");
    EXPECT_EQ(FormatLangString("ScanUnreadFilesNote", 2u), "2 Datei(en)");   // a fitting one is used
    // A key no English has, and arguments that fit no format: nothing, a caller's fault.
    EXPECT_EQ(FormatLangString("NoSuchKeyAnywhere", 1), "");
    EXPECT_EQ(FormatLangString("CheckBtnTipText", 1.5), "");
    ResourceHelper::Instance().SetLanguagePath(shipped);
}

TEST(SafeFormat, FormatLangCountTakesTheSingularForOne)
{
    struct Case { const char* key; unsigned count; const char* text; } cases[] = {
        {"ScanUnreadFilesNote", 1, "1 file could not be read."},
        {"ScanUnreadFilesNote", 2, "2 files could not be read."},
        {"ScanUnlistedNote", 1, "1 folder could not be opened."},
        {"ScanUnlistedNote", 11, "11 folders could not be opened."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatLangCount(c.key, c.count, c.count), c.text) << c.key << " " << c.count;
    EXPECT_EQ(FormatLangCount("CleaningCount", 1, 0, 1), "0 of 1 file");
    EXPECT_EQ(FormatLangCount("CleaningCount", 3, 1, 3), "1 of 3 files");
    // A key without a singular keeps its one form.
    EXPECT_EQ(FormatLangCount("LookAlikeCopy", 1, 1), "same bytes as #1");
}
