// tests/engine/DriveFreeSpaceTest.cpp
// The drive free-space text, from given sizes and from the system.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>

#include "engine/DriveFreeSpace.h"

namespace {

constexpr uint64_t kGiB = 1073741824ull;
constexpr uint64_t kMiB = 1048576ull;

struct TextCase {
    uint64_t total;
    uint64_t free;
    int result;
    const char* text;
    float percent;
};

// What the fake queries saw.
struct Asked {
    std::string driveTypeRoot;
    std::string freeSpaceRoot;
    DWORD errorModeWhileAsking = 0;
    unsigned driveType = DRIVE_FIXED;
    bool freeSpaceAnswers = true;
} asked;

unsigned FakeDriveType(const char* root)
{
    asked.driveTypeRoot = root;
    asked.errorModeWhileAsking = GetThreadErrorMode();
    return asked.driveType;
}

bool FakeFreeSpace(const char* root, uint64_t* total, uint64_t* freeBytes)
{
    asked.freeSpaceRoot = root;
    asked.errorModeWhileAsking = GetThreadErrorMode();
    *total = 500 * kGiB;
    *freeBytes = 120 * kGiB;
    return asked.freeSpaceAnswers;
}

const DriveSpaceQueries kFake{FakeDriveType, FakeFreeSpace};

}  // namespace

TEST(DriveFreeSpaceTest, TextAndPercentFromSizes)
{
    const TextCase cases[] = {
        {500 * kGiB, 120 * kGiB, 0, "120.00 GB free of 500.00 GB", 76.0f},
        // The total must exceed 1 GiB for GB.
        {kGiB, kGiB / 2, 0, "512.00 MB free of 1024.00 MB", 50.0f},
        {kGiB + 1, 0, 0, "0.00 GB free of 1.00 GB", 100.0f},
        {200 * kMiB, 200 * kMiB, 0, "200.00 MB free of 200.00 MB", 0.0f},
        {101, 101, 0, "0.00 MB free of 0.00 MB", 0.0f},
        // A quota can make the free bytes of the disk exceed the caller's total.
        {10 * kGiB, 20 * kGiB, 0, "20.00 GB free of 10.00 GB", 0.0f},
        // 100 bytes or less: no text.
        {100, 0, -1, "unchanged", -5.0f},
        {0, 0, -1, "unchanged", -5.0f},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.text);
        std::string text = "unchanged";
        float percent = -5.0f;
        EXPECT_EQ(BuildDriveFreeSpaceText(c.total, c.free, "free of", text, percent), c.result);
        EXPECT_EQ(text, c.text);
        EXPECT_NEAR(percent, c.percent, 0.01f);
    }
}

// The translated text is never used as a format.
TEST(DriveFreeSpaceTest, TranslatedTextIsInsertedAsItIs)
{
    std::string text;
    float percent = 0;
    ASSERT_EQ(BuildDriveFreeSpaceText(500 * kGiB, 120 * kGiB, "%s%n libre de", text, percent), 0);
    EXPECT_EQ(text, "120.00 GB %s%n libre de 500.00 GB");
}

TEST(DriveFreeSpaceTest, AsksTheRootWithItsBackslashAndWithoutTheErrorBox)
{
    SetThreadErrorMode(0, nullptr);
    std::string text;
    float percent = 0;
    asked = Asked();
    ASSERT_EQ(FormatDriveFreeSpaceWith(kFake, 'd', "free of", text, percent), 0);
    EXPECT_EQ(asked.freeSpaceRoot, "D:\\");
    EXPECT_TRUE(asked.driveTypeRoot.empty());  // only A: and B: are checked for a floppy
    EXPECT_NE(asked.errorModeWhileAsking & SEM_FAILCRITICALERRORS, 0u);
    EXPECT_EQ(GetThreadErrorMode(), 0u);  // put back afterwards
    EXPECT_EQ(text.substr(0, 9), "120.00 GB");
    EXPECT_NEAR(percent, 76.0f, 0.01f);

    // A removable A: or B: is not touched: 0, outputs unchanged.
    for (char letter : {'A', 'b'}) {
        asked = Asked();
        asked.driveType = DRIVE_REMOVABLE;
        text = "unchanged";
        percent = -5.0f;
        EXPECT_EQ(FormatDriveFreeSpaceWith(kFake, letter, "free of", text, percent), 0);
        EXPECT_EQ(asked.driveTypeRoot, std::string(1, char(toupper(letter))) + ":\\");
        EXPECT_NE(asked.errorModeWhileAsking & SEM_FAILCRITICALERRORS, 0u);
        EXPECT_TRUE(asked.freeSpaceRoot.empty());
        EXPECT_EQ(text, "unchanged");
        EXPECT_EQ(percent, -5.0f);
    }
    // A fixed A: is asked as any drive.
    asked = Asked();
    EXPECT_EQ(FormatDriveFreeSpaceWith(kFake, 'A', "free of", text, percent), 0);
    EXPECT_EQ(asked.freeSpaceRoot, "A:\\");
}

TEST(DriveFreeSpaceTest, FailuresLeaveTheOutputsAlone)
{
    std::string text = "unchanged";
    float percent = -5.0f;
    asked = Asked();
    asked.freeSpaceAnswers = false;
    EXPECT_EQ(FormatDriveFreeSpaceWith(kFake, 'E', "free of", text, percent), -1);
    for (char letter : {'1', '\0', ':', '\\'})
        EXPECT_EQ(FormatDriveFreeSpaceWith(kFake, letter, "free of", text, percent), -1);
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(percent, -5.0f);
}

// Wine maps the Linux root to Z:; a letter with no drive behind it fails. The "FreeOf" text
// comes from the caller's lookup, English when the lookup has none.
TEST(DriveFreeSpaceTest, AsksTheSystem)
{
    std::string askedKey;
    const LangLookup german = [&](const char* key) {
        askedKey = key;
        return std::string("frei von");
    };
    std::string text;
    float percent = -1.0f;
    ASSERT_EQ(FormatDriveFreeSpace('z', german, text, percent), 0);
    EXPECT_EQ(askedKey, "FreeOf");
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(\d+\.\d\d ([GM]B) frei von \d+\.\d\d \1)")))
        << text;
    EXPECT_GE(percent, 0.0f);
    EXPECT_LE(percent, 100.0f);

    const LangLookup missing = [](const char*) { return std::string(); };
    for (const LangLookup& lookup : {missing, LangLookup()}) {
        ASSERT_EQ(FormatDriveFreeSpace('Z', lookup, text, percent), 0);
        EXPECT_NE(text.find(" free of "), std::string::npos) << text;
    }

    char unused = 0;
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Y'; letter > 'C' && !unused; --letter) {
        if (!(drives & (1u << (letter - 'A'))))
            unused = letter;
    }
    ASSERT_NE(unused, 0);
    text = "unchanged";
    EXPECT_EQ(FormatDriveFreeSpace(unused, german, text, percent), -1);
    EXPECT_EQ(text, "unchanged");
}
