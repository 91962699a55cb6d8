// tests/ui/startpage/StartPageRulesTest.cpp
// The start page's rules that need no window: the location text, the progress share, the
// animation frames and which drops may start a scan.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "finder/ScanState.h"
#include "ui/startpage/DropCheck.h"
#include "ui/startpage/LocationText.h"
#include "ui/startpage/ScanProgress.h"
#include "ui/startpage/StartPageNotices.h"

namespace {

TEST(LocationText, NamesTheFolderOrTheDrive)
{
    struct Case {
        const char* location;
        const char* format;
        const char* shown;
    } cases[] = {
        {"", "Local Disk (%c:)", ""},
        {"C:\\", "Local Disk (%c:)", "Local Disk (C:)"},
        {"d:", "Disque local (%c:)", "Disque local (d:)"},
        {"C:\\Users\\Ann\\Pictures", "", "Pictures"},
        {"D:\\a", "", "a"},
        {"D:\\Photos\\", "", "Photos"},       // a trailing backslash still names the folder
        {"\\\\server\\share", "", "share"},
        {"E:\\v1.2", "", "v1.2"},
        // A translation that does not fit the letter falls back to English, never to printf.
        {"C:\\", "%s %s %n", "Local Disk (C:)"},
        {"C:\\", "", "Local Disk (C:)"},
        {"C:\\", "Drive %c: %d%%", "Local Disk (C:)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.shown, LocationDisplayText(c.location, c.format)) << c.location << " / " << c.format;
}

TEST(LocationText, ShortLocationsAreDrives)
{
    EXPECT_TRUE(IsDriveLocation("C:\\"));
    EXPECT_TRUE(IsDriveLocation("C:"));
    EXPECT_FALSE(IsDriveLocation(""));
    EXPECT_FALSE(IsDriveLocation("C:\\a"));
}

// The bar rises through the listing and then the comparing, stops at 99 and never goes back.
TEST(ScanProgress, RisesByPhasesAndNeverGoesBack)
{
    const ScanProgressCounters steps[] = {
        {kPhaseListing, 0, 0, 0},
        {kPhaseListing, 1000, 0, 0},
        {kPhaseListing, 50000, 0, 0},
        {kPhaseListing, 200000, 0, 0},
        {kPhaseComparing, 200000, 0, 0},            // nothing to compare: where the listing was
        {kPhaseComparing, 200000, 1000, 0},
        {kPhaseComparing, 200000, 1000, 500},
        {kPhaseComparing, 200000, 1000, 999},
        {kPhaseComparing, 200000, 1000, 5000},       // more than expected: held at the end
        {kPhaseClassifying, 200000, 1000, 1000},
    };
    float previous = 0.0f;
    std::vector<float> seen;
    for (const ScanProgressCounters& now : steps) {
        const float ratio = ScanProgressRatio(now, previous);
        EXPECT_GE(ratio, previous) << now.phase << " " << now.filesListed << " " << now.bytesCompared;
        EXPECT_LE(ratio, 0.99f);
        seen.push_back(ratio);
        previous = ratio;
    }
    EXPECT_EQ(0, ProgressPercent(seen[0]));
    EXPECT_GT(ProgressPercent(seen[1]), 0);                   // a small folder moves the bar at once
    EXPECT_LT(ProgressPercent(seen[3]), 30);                  // the listing keeps room for the reading
    EXPECT_GT(seen[6], seen[5]);
    EXPECT_NEAR(seen[6], (seen[5] + 0.99f) / 2, 0.01f);        // half the bytes, half the rest
    EXPECT_EQ(99, ProgressPercent(seen[9]));
    // A counter read out of step (a new scan's listing) does not pull the bar back.
    EXPECT_EQ(seen[7], ScanProgressRatio({kPhaseListing, 10, 0, 0}, seen[7]));
    EXPECT_EQ(0, ProgressPercent(-1.0f));
    EXPECT_EQ(99, ProgressPercent(7.0f));
}

TEST(ScanAnimation, ShowsFrames1To33InTurn)
{
    int index = 0;
    std::string shown;
    for (int tick = 0; tick < 70; ++tick) {
        const FrameStep step = StepScanFrame(index);
        ASSERT_GE(step.shown, 1);
        ASSERT_LE(step.shown, kScanFrameCount - 1);
        ASSERT_EQ(tick % 33 + 1, step.shown) << "tick " << tick;
        index = step.next;
    }
    // An index from outside never names a picture that does not exist.
    for (int bad : {-5, 33, 34, 100}) {
        const FrameStep step = StepScanFrame(bad);
        EXPECT_GE(step.shown, 0);
        EXPECT_LT(step.shown, kScanFrameCount);
        EXPECT_GE(step.next, 0);
        EXPECT_LT(step.next, kScanFrameCount);
    }
}

TEST(ScanAnimation, IdlePicturesAlternate)
{
    int counter = 1;
    std::string order;
    for (int i = 0; i < 12; ++i)
        order += StepIdlePicture(counter) ? 'b' : 'a';
    // The counter runs 1..10 and starts over, so a follows b at the wrap as well.
    EXPECT_EQ("abababababab", order);
    counter = 99;
    EXPECT_EQ(0, StepIdlePicture(counter));
}

TEST(DropCheck, OnlyAReadableFolderStartsAScan)
{
    const uint32_t kFailed = INVALID_FILE_ATTRIBUTES;
    struct Case {
        bool scanning;
        const char* path;
        size_t length;  // 0: the path's own
        uint32_t attributes;
        DropVerdict verdict;
    } cases[] = {
        {false, "C:\\Photos", 0, FILE_ATTRIBUTE_DIRECTORY, kDropAccepted},
        {false, "C:\\Photos", 0, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN, kDropAccepted},
        {false, "C:\\", 0, 0x16, kDropAccepted},
        {false, "C:\\Photos", 0, 0x08, kDropAccepted},
        {false, "C:\\a.txt", 0, FILE_ATTRIBUTE_ARCHIVE, kDropNotFolder},
        {false, "C:\\a.txt", 0, FILE_ATTRIBUTE_NORMAL, kDropNotFolder},
        // A missing path reads as all bits set, the directory bit among them.
        {false, "C:\\gone", 0, kFailed, kDropUnreadable},
        {true, "C:\\Photos", 0, FILE_ATTRIBUTE_DIRECTORY, kDropWhileScanning},
        {false, "", 0, FILE_ATTRIBUTE_DIRECTORY, kDropNothing},
        // A name longer than a path buffer would arrive cut, perhaps naming another folder.
        {false, "C:\\Photos", 300, FILE_ATTRIBUTE_DIRECTORY, kDropTooLong},
        {false, "C:\\Photos", 260, FILE_ATTRIBUTE_DIRECTORY, kDropTooLong},
    };
    for (const Case& c : cases) {
        const std::string path = c.path;
        const size_t length = c.length ? c.length : path.size();
        EXPECT_EQ(c.verdict, CheckDroppedPath(c.scanning, path, length, c.attributes)) << c.path;
    }
}

// The reason a drop on the results page starts no scan.
TEST(DropCheck, RefusalsAreToldByKey)
{
    EXPECT_STREQ("DropNotFolder", DropRefusalKey(kDropNotFolder));
    EXPECT_STREQ("ScanUnreadable", DropRefusalKey(kDropUnreadable));
    EXPECT_STREQ("DropPathTooLong", DropRefusalKey(kDropTooLong));
    EXPECT_EQ(nullptr, DropRefusalKey(kDropAccepted));
    EXPECT_EQ(nullptr, DropRefusalKey(kDropNothing));
}

TEST(StartPageNotices, IncompleteScanTellsTheCountsThatAreNotZero)
{
    const std::string none = "No duplicate files were found among the files that could be read.";
    struct Case { uint32_t folders, files; std::string text; } cases[] = {
        {2, 5, none + " 2 folders could not be opened. 5 files could not be read."},
        {0, 2, none + " 2 files could not be read."},
        {1, 0, none + " 1 folder could not be opened."},
        {0, 1, none + " 1 file could not be read."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, IncompleteScanText(c.folders, c.files)) << c.folders << " " << c.files;
    EXPECT_EQ(nullptr, ScanProblemKey(kScanProblemNone));
    EXPECT_STREQ("ScanUnreadable", ScanProblemKey(kScanProblemLocationUnreadable));
}

} // namespace
