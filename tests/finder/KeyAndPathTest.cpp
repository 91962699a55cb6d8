// tests/finder/KeyAndPathTest.cpp
// Group keys, walk paths, splitting, the walker split and the system-folder test.
#include <gtest/gtest.h>

#include "finder/GroupKey.h"
#include "finder/SystemFolder.h"
#include "finder/WalkerSplit.h"
#include "finder/Win32FileFinderModel.h"

namespace {

TEST(GroupKey, ExtensionsAndKeys)
{
    EXPECT_EQ("jpg", KeyExtension("Holiday.JPG"));
    EXPECT_EQ("null", KeyExtension("README"));
    EXPECT_EQ("null", KeyExtension(".profile"));  // the only dot is the first character
    EXPECT_EQ("null", KeyExtension("name."));
    EXPECT_EQ("gz", KeyExtension(".a.gz"));
    EXPECT_EQ("5000000000|txt|abc", MakeGroupKey(5000000000LL, "txt", "abc"));
}

TEST(GroupKey, Paths)
{
    EXPECT_EQ("C:\\*.*", SearchPattern("C:\\"));
    EXPECT_EQ("C:\\data\\*.*", SearchPattern("C:\\data"));
    EXPECT_EQ("C:\\a.txt", ChildPath("C:\\", "a.txt"));
    EXPECT_EQ("C:\\data\\a.txt", ChildPath("C:\\data", "a.txt"));
    // In Shift-JIS the second byte of a character can be 0x5C ("\x83\x5c" is a katakana): a
    // folder ending in one does not end in a separator, or its own name is lost from its path.
    const std::string so = "C:\\data\\\x83\x5c";
    EXPECT_FALSE(EndsInPathSeparator(so, 932));
    EXPECT_TRUE(EndsInPathSeparator(so + "\\", 932));
    EXPECT_FALSE(EndsInPathSeparator("C:\\data\\\x83\x5c\x83\x5c", 932));
    EXPECT_TRUE(EndsInPathSeparator("C:\\", 932));
    EXPECT_TRUE(EndsInPathSeparator(so, 1252));  // one byte, one character
    EXPECT_FALSE(EndsInPathSeparator("", 932));
}

TEST(GroupKey, SplitString)
{
    std::vector<std::string> parts;
    SplitString("12|txt|ab", "|", parts);
    EXPECT_EQ((std::vector<std::string>{"12", "txt", "ab"}), parts);
    parts.clear();
    SplitString("||12||txt|", "|", parts);  // empty fields never appear
    EXPECT_EQ((std::vector<std::string>{"12", "txt"}), parts);
    parts.clear();
    SplitString("a;b,c", ";,", parts);
    EXPECT_EQ(3u, parts.size());
    parts.clear();
    SplitString(nullptr, "|", parts);
    SplitString("a", nullptr, parts);
    EXPECT_TRUE(parts.empty());
}

TEST(WalkerSplit, Shares)
{
    struct Row { size_t n; WalkerShare w[3]; };
    const Row rows[] = {
        {0, {{0, 0}, {0, 0}, {0, 0}}},
        {1, {{0, 1}, {0, 0}, {0, 0}}},
        {2, {{0, 1}, {1, 2}, {0, 0}}},
        {3, {{0, 1}, {1, 2}, {2, 3}}},
        {4, {{0, 1}, {1, 2}, {2, 4}}},
        {40, {{0, 13}, {13, 26}, {26, 40}}},
    };
    for (const Row& r : rows) {
        for (int w = 0; w < 3; ++w) {
            WalkerShare s = ShareOfWalker(r.n, w);
            EXPECT_EQ(r.w[w].end - r.w[w].begin, s.end - s.begin) << r.n << " walker " << w;
            if (r.w[w].end > r.w[w].begin)
                EXPECT_EQ(r.w[w].begin, s.begin) << r.n << " walker " << w;
        }
    }
}

TEST(SystemFolder, Paths)
{
    const std::vector<std::string> machine = {"E:\\WinDir\\", "E:\\Apps Here\\"};
    struct Row { const char* path; bool hidden; bool system; };
    const Row rows[] = {
        {"C:\\Windows\\notepad.exe", false, true},
        {"c:\\windows\\notepad.exe", false, true},
        {"C:\\WINDOWS.OLD\\x.dll", false, true},
        {"C:\\program files (x86)\\a\\b.dll", false, true},
        {"C:\\ProgramData\\x.ini", false, true},
        {"e:\\windir\\system\\a.dll", false, true},
        {"E:\\Apps Here\\tool.exe", false, true},
        {"E:\\WinDirectory\\a.txt", false, false},
        {"D:\\data\\Boot\\bcd", true, true},
        {"D:\\data\\boot\\bcd", true, true},
        {"D:\\data\\Boot\\bcd", false, false},
        {"D:\\Windows\\a.txt", false, false},
        {"C:\\Win\\a", false, false},  // under 10 characters
        {"Z:\\home\\user\\photo.jpg", false, false},
        {"C:\\Windows.old.zip", false, true},  // the old Windows' name reaches into the file's
        {"C:\\windows.olde", false, true},
        {"C:\\Windows.ol", false, false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.system, IsSystemPath(r.path, r.hidden, machine)) << r.path;
        // Decided once for the folder, the same for each of its files.
        const std::string path = r.path;
        const size_t slash = path.rfind('\\');
        const FolderSystemTest folder(path.substr(0, slash + 1), machine);
        EXPECT_EQ(r.system, folder.IsSystem(path.substr(slash + 1), r.hidden)) << r.path;
    }
}

TEST(SystemFolder, MachineFoldersAreAsked)
{
    // Wine's Windows folder is "C:\windows", in lower case, beside the well-known names.
    const std::vector<std::string>& folders = MachineSystemFolders();
    ASSERT_FALSE(folders.empty());
    for (const std::string& f : folders)
        EXPECT_EQ('\\', f.back()) << f;
    Win32FileFinderModel model(nullptr);
    EXPECT_TRUE(model.IsSystemFolder(folders[0] + "system32\\kernel32.dll", false));
}

}  // namespace
