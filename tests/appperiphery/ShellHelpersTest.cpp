// tests/appperiphery/ShellHelpersTest.cpp
#include <gtest/gtest.h>

#include "app/ShellHelpers.h"

namespace {

// The Windows folder's known-folder id.
const GUID kFolderWindows = {0xf38bf404, 0x1d43, 0x42f2, {0x93, 0x05, 0x67, 0xde, 0x0b, 0x28, 0xfc, 0x23}};

TEST(ShellHelpers, IconsAndTypeNamesForNamesThatNeedNotExist)
{
    EXPECT_NE(GetSysIconList(true), nullptr);
    EXPECT_NE(GetSysIconList(false), nullptr);
    EXPECT_GE(GetFileIconIndex("Z:\\no\\such\\file.txt", true), 0);
    EXPECT_GE(GetFolderIconIndex(false), 0);
    EXPECT_EQ(GetFileIconIndex(nullptr, true), -1);
    for (bool small : {true, false}) {
        HICON icon = GetFileIcon("C:\\nothing.txt", small);
        ASSERT_NE(icon, nullptr);
        DestroyIcon(icon);
        icon = GetFolderIcon(small);
        ASSERT_NE(icon, nullptr);
        DestroyIcon(icon);
    }
    EXPECT_FALSE(GetFileTypeName("C:\\nothing.txt").empty());
    EXPECT_EQ(GetFileTypeName(nullptr), "");
}

TEST(ShellHelpers, KnownFoldersFailCleanlyWithoutLibraries)
{
    // Wine registers no shell library object: the lookup fails and leaves the set as it was.
    std::set<std::string> folders = {"C:\\kept"};
    EXPECT_FALSE(GetKnownFolderPath("Documents", folders));
    EXPECT_EQ(folders, (std::set<std::string>{"C:\\kept"}));
    EXPECT_FALSE(GetKnownFolderPath(nullptr, folders));
    EXPECT_EQ(folders.size(), 1u);
    // The Windows folder is a known folder on every system, Wine's included.
    std::set<std::string> windows;
    ASSERT_TRUE(GetKnownFolderPathByItem(kFolderWindows, windows));
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_NE(GetFileAttributesA(windows.begin()->c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
