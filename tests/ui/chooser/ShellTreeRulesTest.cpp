// tests/ui/chooser/ShellTreeRulesTest.cpp
// What the folder tree lists and how it labels it, from the facts the shell gives.
#include <gtest/gtest.h>

#include <string>

#include "ui/chooser/ShellTreeRules.h"

namespace {

TEST(ShellTreeRules, Labels)
{
    struct Case {
        const char* path;
        const char* display;
        const char* label;
    } cases[] = {
        {"C:\\Users\\Ann\\Pictures", "Pictures (display)", "Pictures"},
        {"C:\\v1.2", "v1.2", "v1.2"},
        {"", "My Computer", "My Computer"},
        {"C:\\", "System (C:)", "System (C:)"},
        {"NoBackslash", "Shown", "Shown"},
        {"C:\\users\\root\\Documents\\", "My Documents", "Documents"},
        {"\\\\server\\share", "share on server", "share"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.label, ShellItemLabel(c.path, c.display)) << c.path;
    EXPECT_TRUE(IsDriveRootPath("C:\\"));
    EXPECT_FALSE(IsDriveRootPath("C:\\a"));
    EXPECT_FALSE(IsDriveRootPath("C:\\users\\root\\Documents\\"));
    EXPECT_FALSE(IsDriveRootPath("\\\\server\\share\\"));
    EXPECT_FALSE(IsDriveRootPath(""));
}

TEST(ShellTreeRules, RemovableDrivesAreNamedByLetter)
{
    EXPECT_EQ("Removable (E:)", DriveRootName("E:\\", "USB STICK (E:)", kDriveRemovable));
    EXPECT_EQ("Data (D:)", DriveRootName("D:\\", "Data (D:)", 3));
}

TEST(ShellTreeRules, PaddingStopsWhenTheMeasureDoesNot)
{
    // Eight pixels per character: padded to the first length at or past 160 pixels.
    auto byLength = [](const std::string& t) { return static_cast<int>(t.size()) * 8; };
    EXPECT_EQ(std::string("C:") + std::string(18, ' '), PadToWidth("C:", byLength, 160));
    EXPECT_EQ(std::string(25, 'x'), PadToWidth(std::string(25, 'x'), byLength, 160));
    // A measure that never grows (no font, a failed DrawText) ends at the cap.
    auto stuck = [](const std::string&) { return 0; };
    EXPECT_EQ(std::string("E:") + std::string(64, ' '), PadToWidth("E:", stuck, 160));
    EXPECT_EQ(std::string("E:") + std::string(3, ' '), PadToWidth("E:", stuck, 160, 3));
}

TEST(ShellTreeRules, ControlPanelNameRuleOnlyForItemsWithoutAPath)
{
    const std::string name = "Control Panel";
    EXPECT_TRUE(IsControlPanelByName(false, "Control Panel", name));
    EXPECT_TRUE(IsControlPanelByName(false, "Control", name));
    // Real folders that happen to carry such a name stay.
    EXPECT_FALSE(IsControlPanelByName(true, "Control", name));
    EXPECT_FALSE(IsControlPanelByName(true, "Control Panel", name));
    EXPECT_FALSE(IsControlPanelByName(false, "Network", name));
    EXPECT_FALSE(IsControlPanelByName(false, "", name));
    EXPECT_FALSE(IsControlPanelByName(false, "Anything", ""));
}

TEST(ShellTreeRules, WhatIsListed)
{
    struct Case {
        const char* what;
        ShellItemFacts facts;
        bool shown;
    };
    auto folder = [](const char* path) {
        ShellItemFacts f;
        f.path = path;
        f.isFolder = true;
        f.isDirectoryOnDisk = *path != 0;
        f.driveType = 3;
        return f;
    };
    ShellItemFacts dotted = folder("C:\\photos.2024");
    ShellItemFacts archive = folder("C:\\backup.zip");
    archive.isDirectoryOnDisk = false;
    archive.opensForReading = true;
    ShellItemFacts lockedArchive = archive;
    lockedArchive.opensForReading = false;
    ShellItemFacts recycle = folder("C:\\$Recycle.Bin");
    recycle.isSpecialFolder = true;
    ShellItemFacts cd = folder("D:\\");
    cd.driveType = kDriveCdRom;
    ShellItemFacts virtualFolder = folder("C:\\x\\::{21EC2020-3AEA-1069-A2DD-08002B30309D}");
    ShellItemFacts computer = folder("");
    ShellItemFacts textFile;
    textFile.path = "C:\\a.txt";
    textFile.opensForReading = true;
    ShellItemFacts virtualItem;
    ShellItemFacts plainFile;
    plainFile.path = "C:\\readme";
    const Case cases[] = {
        {"ordinary folder", folder("C:\\Users"), true},
        {"folder named with a dot", dotted, true},
        {"drive root", folder("C:\\"), true},
        {"archive shown as a folder", archive, false},
        {"archive that does not open", lockedArchive, true},
        {"special folder", recycle, false},
        {"optical drive", cd, false},
        {"virtual folder", virtualFolder, false},
        {"virtual folder without a path", computer, true},
        {"file with a dot", textFile, false},
        {"item neither folder nor file", virtualItem, false},
        {"file without a dot", plainFile, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.shown, ShouldShowShellItem(c.facts)) << c.what;
}

} // namespace
