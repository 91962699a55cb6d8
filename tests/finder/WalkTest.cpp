// tests/finder/WalkTest.cpp
// The folder walk on real trees (compared with what find lists) and on a fake source (what is
// opened, unlistable folders, stop, keys and counters).
#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <set>

#include "finder/FileFinderModel.h"
#include "finder/FilesFilter.h"
#include "finder/GroupKey.h"
#include "finder/ParallelWork.h"
#include "finder/ScanState.h"
#include "finder/SystemFolder.h"
#include "finder/Win32FileFinderModel.h"
#include "tests/finder/FakeFileSource.h"
#include "tests/support/WinePath.h"

namespace {

class Walk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetScanState();
        g_scanCancelled = 0;
        g_similarityPercent = 100;
    }
    void TearDown() override { Clear(); }

    void Run(const std::string& folder, IFilesFilter* filter = nullptr, IFileSource* source = nullptr)
    {
        Win32FileFinderModel model(filter, source);
        model.FindDuplicates(folder, &raw, &pairs);
    }
    std::multiset<std::string> Paths() const
    {
        std::multiset<std::string> out;
        for (auto& e : raw)
            out.insert(e.second->FullPath());
        return out;
    }
    std::set<std::string> Found(const std::string& tree) const
    {
        std::set<std::string> out;
        std::ifstream in(std::string(TEST_FIXTURE_DIR) + "/finder/" + tree + ".find");
        std::string line;
        while (std::getline(in, line))
            out.insert(ToWinePath(line));
        return out;
    }
    void Clear()
    {
        for (auto& e : raw)
            delete e.second;
        raw.clear();
        for (auto& e : pairs)
            delete e.second;
        pairs.clear();
    }
    std::string Tree(const std::string& name) const { return FixtureDir() + "\\finder\\" + name; }

    FileGroupMap raw;
    SimilarPicturePairs pairs;
};

// Every non-empty file that find lists is recorded, each once; nothing else is.
TEST_F(Walk, RecordsWhatFindLists)
{
    for (const char* tree : {"top0", "top1", "top3", "top4", "top40", "wide", "loop", "hidden"}) {
        std::set<std::string> expected = Found(tree);
        ASSERT_FALSE(expected.empty()) << tree;
        Run(Tree(tree));
        std::multiset<std::string> got = Paths();
        EXPECT_EQ(expected.size(), got.size()) << tree;
        EXPECT_EQ(expected, std::set<std::string>(got.begin(), got.end())) << tree;
        Clear();
    }
}

TEST_F(Walk, TrailingBackslashOnTheChosenFolder)
{
    Run(Tree("top3") + "\\");
    EXPECT_EQ(Found("top3").size(), raw.size());
    for (auto& e : raw) {
        EXPECT_EQ(std::string::npos, e.second->folder.find("\\\\")) << e.second->folder;
        EXPECT_EQ('\\', e.second->folder.back());
    }
}

TEST_F(Walk, HiddenFilesLeftOut)
{
    FilterSettings settings;
    settings.includeHidden = 0;
    FileFinderFilterProxy filter;
    filter.SetSettings(&settings);
    Run(Tree("hidden"), &filter);
    std::set<std::string> expected;
    for (const std::string& p : Found("hidden")) {
        if (p.substr(p.rfind('\\') + 1)[0] != '.')
            expected.insert(p);
    }
    std::multiset<std::string> got = Paths();
    EXPECT_EQ(expected, std::set<std::string>(got.begin(), got.end()));
    EXPECT_EQ(2u, expected.size());  // seen.txt, and the file inside the hidden folder
}

TEST_F(Walk, UnlistableFolderTakesNoEntry)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.txt", "aaa");
    fake.AddFile("M:\\t\\locked\\secret.txt", "sss");
    fake.AddFile("M:\\t\\locked\\inner\\x.txt", "xxx");
    fake.AddFile("M:\\t\\open\\b.txt", "bbb");
    fake.SetUnlistable("M:\\t\\locked");
    Win32FileFinderModel model(nullptr, &fake);
    model.FindDuplicates("M:\\t", &raw, &pairs);
    EXPECT_EQ((std::multiset<std::string>{"M:\\t\\a.txt", "M:\\t\\open\\b.txt"}), Paths());
    EXPECT_EQ(1u, model.UnlistableFolders());
}

TEST_F(Walk, ReparsePointsAreSkipped)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.txt", "same");
    fake.AddFolder("M:\\t\\junction", 0x410);
    fake.AddFile("M:\\t\\junction\\a.txt", "same");  // the same file seen through the junction
    fake.AddFile("M:\\t\\link.txt", "same", 0x420);
    Run("M:\\t", nullptr, &fake);
    EXPECT_EQ((std::multiset<std::string>{"M:\\t\\a.txt"}), Paths());
    EXPECT_EQ(0u, g_duplicatesFound.load());
}

// Only reparse points that stand for another name are passed over. A file that the system keeps
// compressed, deduplicated or in step with a cloud copy is the user's own file and is searched,
// unless its content is not on this machine (reading it would fetch it).
TEST_F(Walk, ReparsePointsThatAreFilesAreSearched)
{
    const uint32_t kReparse = 0x400, kRecallOnDataAccess = 0x400000;
    FakeFileSource fake;
    fake.AddFile("M:\\t\\compressed.txt", "same", 0x20 | kReparse);
    fake.SetReparseTag("M:\\t\\compressed.txt", 0x80000017);  // system-compressed
    fake.AddFolder("M:\\t\\cloud", 0x10 | kReparse);
    fake.SetReparseTag("M:\\t\\cloud", 0x9000701A);
    fake.AddFile("M:\\t\\cloud\\here.txt", "same", 0x20 | kReparse);
    fake.SetReparseTag("M:\\t\\cloud\\here.txt", 0x9000701A);
    fake.AddFile("M:\\t\\cloud\\away.txt", "same", 0x20 | kReparse | kRecallOnDataAccess);
    fake.SetReparseTag("M:\\t\\cloud\\away.txt", 0x9000701A);
    fake.AddFile("M:\\t\\cloud\\on-open.txt", "same", 0x20 | kReparse | 0x40000);
    fake.SetReparseTag("M:\\t\\cloud\\on-open.txt", 0x9000701A);
    fake.AddFile("M:\\t\\symlink.txt", "same", 0x20 | kReparse);
    fake.SetReparseTag("M:\\t\\symlink.txt", 0xA000000C);
    fake.AddFolder("M:\\t\\junction", 0x10 | kReparse);
    fake.SetReparseTag("M:\\t\\junction", 0xA0000003);
    fake.AddFile("M:\\t\\junction\\compressed.txt", "same");
    Run("M:\\t", nullptr, &fake);
    EXPECT_EQ((std::multiset<std::string>{"M:\\t\\compressed.txt", "M:\\t\\cloud\\here.txt"}), Paths());
    EXPECT_EQ(1u, g_duplicatesFound.load());
}

// Only the reparse-point bit makes a link: a file or folder carrying every other attribute bit
// that leaves its content on this machine (read-only, system, temporary, sparse, compressed,
// not indexed, encrypted, integrity, pinned...) is searched like any other.
TEST_F(Walk, OtherAttributeBitsAreNoReparsePoint)
{
    const uint32_t kReparse = 0x400, kFolder = 0x10, kAway = 0x1000 | 0x40000 | 0x400000;
    const uint32_t others = 0x00FFFFFF & ~(kReparse | kFolder | kAway);
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.txt", "same", others);
    fake.AddFolder("M:\\t\\d", others | kFolder);
    fake.AddFile("M:\\t\\d\\a.txt", "same", 0x20);
    Run("M:\\t", nullptr, &fake);
    EXPECT_EQ((std::multiset<std::string>{"M:\\t\\a.txt", "M:\\t\\d\\a.txt"}), Paths());
    EXPECT_EQ(1u, g_duplicatesFound.load());
}

// A file whose size and extension no other file shares is recorded without being opened.
TEST_F(Walk, FilesWithoutPartnerAreNeverOpened)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\unique1.txt", "1");
    fake.AddFile("M:\\t\\unique2.txt", "22");
    fake.AddFile("M:\\t\\d\\sameA.txt", std::string(100, 'a'));
    fake.AddFile("M:\\t\\e\\sameB.txt", std::string(100, 'b'));
    fake.AddFile("M:\\t\\e\\other.bin", std::string(100, 'a'));  // same size, other extension
    fake.AddFile("M:\\t\\f\\copy1.dat", std::string(5000, 'c'));
    fake.AddFile("M:\\t\\f\\g\\copy2.dat", std::string(5000, 'c'));
    Run("M:\\t", nullptr, &fake);
    EXPECT_EQ(7u, raw.size());
    EXPECT_EQ((std::set<std::string>{"M:\\t\\d\\sameA.txt", "M:\\t\\e\\sameB.txt", "M:\\t\\f\\copy1.dat",
                                     "M:\\t\\f\\g\\copy2.dat"}),
              fake.Opened());
    // The two that differ no further than their first bytes; the copies whole.
    EXPECT_LE(fake.BytesRead(), 2u * 100 + 2u * (5000 + 1000));
    EXPECT_EQ(1u, g_duplicatesFound.load());
    EXPECT_EQ(2u, raw.count(MakeGroupKey(5000, "dat", "1")));  // the content they share
    EXPECT_EQ(2u, raw.count(MakeGroupKey(100, "txt", "")));    // compared, and found apart
    EXPECT_EQ(1u, raw.count(MakeGroupKey(1, "txt", "")));      // recorded unopened
}

TEST_F(Walk, CountersAndSkippedFiles)
{
    FakeFileSource fake;
    for (const char* name : {"M:\\t\\a\\x.txt", "M:\\t\\b\\x.txt", "M:\\t\\c\\x.txt"})
        fake.AddFile(name, "identical content");
    fake.AddFile("M:\\t\\empty.txt", "");
    fake.AddFile("M:\\t\\sys\\Boot\\bcd.txt", "boot", 0x22);       // hidden, in a Boot folder
    fake.AddFile("M:\\t\\sys\\boot\\visible.txt", "visible boot");  // not hidden: kept
    Run("M:\\t", nullptr, &fake);
    EXPECT_EQ(4u, raw.size());
    EXPECT_EQ(2u, g_duplicatesFound.load());  // one per insertion that finds a partner
    // Every non-empty file is counted before any rule: 3 x 17 + 4 + 12.
    EXPECT_EQ(3u * 17 + 4 + 12, g_scanBytesSeen.load());
}

// The count of group completions rises while the comparing goes on, run by run, and ends
// where it always did: one per member after the first of each set of copies.
TEST_F(Walk, DuplicatesCountedAsGroupsAreConfirmed)
{
    FakeFileSource fake;
    const int runs = 40;
    for (int k = 0; k < runs; ++k) {
        const std::string content(size_t(10 + k), char('a' + k % 26));
        for (const char* copy : {"a", "b", "c"})
            fake.AddFile("M:\\t\\" + std::to_string(k) + copy + ".txt", content);
    }
    fake.AddFile("M:\\t\\odd.txt", std::string(10, 'z'));  // same size as run 0, other bytes
    uint64_t atLastOpen = 0;
    int opens = 0;
    std::mutex hook;  // the runs are compared on several threads
    fake.OnOpen([&](const std::string&) {
        std::lock_guard<std::mutex> lock(hook);
        ++opens;
        atLastOpen = g_duplicatesFound.load();
    });
    Run("M:\\t", nullptr, &fake);
    EXPECT_EQ(3 * runs + 1, opens);
    // Only the runs still being compared on the other threads can be missing.
    EXPECT_GE(atLastOpen, 2u * (runs - kParallelWorkThreads));
    EXPECT_EQ(2u * runs, g_duplicatesFound.load());
}

// A listing that says 0 bytes can be stale (a hard link's entry keeps the size it had when the
// file was written through another name): the file itself is asked before it is passed over.
TEST_F(Walk, ListedAsEmptyIsAskedAgain)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\stale.txt", "written through another name", 0x20, 0);
    fake.AddFile("M:\\t\\copy.txt", "written through another name");
    fake.AddFile("M:\\t\\empty.txt", "");
    Run("M:\\t", nullptr, &fake);
    EXPECT_EQ((std::multiset<std::string>{"M:\\t\\copy.txt", "M:\\t\\stale.txt"}), Paths());
    for (auto& e : raw)
        EXPECT_EQ(28, e.second->size);
    EXPECT_EQ(1u, g_duplicatesFound.load());
    EXPECT_EQ(2u * 28, g_scanBytesSeen.load());
}

// An entry without a name is never walked or recorded: its child path is the folder itself,
// which would be listed again and again.
TEST_F(Walk, NamelessEntriesAreSkipped)
{
    class NamelessSource : public IFileSource
    {
    public:
        int listings = 0;
        bool ListFolder(const std::string& folder, const std::function<bool(const FolderEntry&)>& onEntry) override
        {
            if (++listings > 20)
                return false;  // keeps a failing walk finite
            FolderEntry e;
            e.attributes = 0x10;
            e.name = "";
            onEntry(e);
            e.attributes = 0x20;
            e.size = 4;
            onEntry(e);
            e.name = "a.txt";
            onEntry(e);
            return true;
        }
        std::unique_ptr<IReadableFile> OpenRead(const std::string&) override { return nullptr; }
    } source;
    Run("M:\\t", nullptr, &source);
    EXPECT_EQ(1, source.listings);
    EXPECT_EQ((std::multiset<std::string>{"M:\\t\\a.txt"}), Paths());
}

// A system folder chosen by its short name ("C:\PROGRA~1") is still a system folder: the walk
// takes the chosen folder by its long name before it tests anything.
TEST_F(Walk, SystemFolderChosenByItsShortName)
{
    // The first: "Program Files" itself, which holds files in a 64-bit prefix too (the
    // x86 one may be empty there).
    std::string programFiles;
    for (const std::string& f : MachineSystemFolders()) {
        if (programFiles.empty() && f.find("Program Files") != std::string::npos)
            programFiles = f;
    }
    ASSERT_FALSE(programFiles.empty());
    char shortPath[MAX_PATH];
    DWORD n = GetShortPathNameA(programFiles.c_str(), shortPath, MAX_PATH);
    ASSERT_TRUE(n > 0 && n < MAX_PATH);
    ASSERT_NE(programFiles, shortPath);
    Run(shortPath);
    EXPECT_TRUE(raw.empty()) << raw.begin()->second->FullPath();
    EXPECT_GT(g_scanBytesSeen.load(), 0u);  // its files were met, and left out
}

// Stop during the walk: the search ends, takes no more entries, and frees what it did not hand over.
TEST_F(Walk, StopMidWalk)
{
    FakeFileSource fake;
    for (int i = 0; i < 60; ++i)
        fake.AddFile("M:\\t\\d" + std::to_string(i) + "\\f.txt", "same");
    int listed = 0;
    fake.OnList([&](const std::string&) {
        if (++listed == 10)
            g_scanStop = 1;
    });
    Run("M:\\t", nullptr, &fake);
    EXPECT_LT(raw.size(), 12u);
    EXPECT_LT(listed, 16);
}

// A deep and wide tree through the shared queue: every file once, whatever walker lists it.
TEST_F(Walk, DeepTreeThroughTheSharedQueue)
{
    FakeFileSource fake;
    size_t files = 0;
    for (int top = 0; top < 2; ++top) {
        for (int i = 0; i < 40; ++i) {
            std::string d = "M:\\t\\top" + std::to_string(top) + "\\s" + std::to_string(i);
            for (int level = 0; level < 6; ++level) {
                d += "\\l" + std::to_string(level);
                fake.AddFile(d + "\\f.txt", d);
                ++files;
            }
        }
    }
    Run("M:\\t", nullptr, &fake);
    std::multiset<std::string> got = Paths();
    EXPECT_EQ(files, got.size());
    EXPECT_EQ(files, std::set<std::string>(got.begin(), got.end()).size());
}

TEST_F(Walk, ListingWalkBucketsBySizeAndExtension)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.txt", "12345");
    fake.AddFile("M:\\t\\b\\b.TXT", "abcde");
    fake.AddFile("M:\\t\\b\\c.jpg", "vwxyz");
    fake.AddFile("M:\\t\\d.txt", "1234");
    Win32FileFinderModel model(nullptr, &fake);
    SizeListing listing;
    model.ListFiles("M:\\t", &listing);
    EXPECT_EQ(2u, listing.firstOfSize.size());
    EXPECT_EQ((std::set<int64_t>{5}), listing.duplicatedSizes);
    EXPECT_EQ(3u, listing.sameSize.count(5));  // a copy of the first and the two later ones
    EXPECT_EQ(2u, listing.bySizeAndExtension[5]["txt"].size());
    EXPECT_EQ(1u, listing.bySizeAndExtension[5]["jpg"].size());
    FileFinderModelProxy::Instance().ListFiles("M:\\t", &listing);  // does nothing
    EXPECT_EQ(3u, listing.sameSize.count(5));
}

// Depth first: a folder's sub-folders are walked before the folders listed after it, so the
// first file of a size is the one deep in "a", not the one in "b"; the buckets are the same
// as the breadth-first walk's.
TEST_F(Walk, DepthFirstListingBucketsBySize)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\top.txt", "123");
    fake.AddFile("M:\\t\\a\\deep\\d.txt", "ddddd");
    fake.AddFile("M:\\t\\a\\deep\\e.jpg", "eeeee");
    fake.AddFile("M:\\t\\b\\b.TXT", "bbbbb");
    fake.AddFile("M:\\t\\b\\c\\other.txt", "4444");
    Win32FileFinderModel model(nullptr, &fake);
    auto names = [](const std::vector<FoundFileRecord*>& records) {
        std::vector<std::string> out;
        for (const FoundFileRecord* r : records)
            out.push_back(r->FullPath());
        return out;
    };
    SizeListing depth, breadth;
    model.ListFilesDepthFirst("M:\\t", &depth);
    model.ListFiles("M:\\t", &breadth);
    ASSERT_EQ(3u, depth.firstOfSize.size());
    EXPECT_EQ("M:\\t\\a\\deep\\d.txt", depth.firstOfSize[5]->FullPath());
    EXPECT_EQ("M:\\t\\b\\b.TXT", breadth.firstOfSize[5]->FullPath());
    EXPECT_EQ((std::set<int64_t>{5}), depth.duplicatedSizes);
    EXPECT_EQ(3u, depth.sameSize.count(5));  // a copy of the first and the two later ones
    EXPECT_EQ((std::vector<std::string>{"M:\\t\\a\\deep\\d.txt", "M:\\t\\b\\b.TXT"}),
              names(depth.bySizeAndExtension[5]["txt"]));
    EXPECT_EQ((std::vector<std::string>{"M:\\t\\a\\deep\\e.jpg"}), names(depth.bySizeAndExtension[5]["jpg"]));
    EXPECT_EQ(breadth.duplicatedSizes, depth.duplicatedSizes);
    EXPECT_EQ(breadth.bySizeAndExtension[5].size(), depth.bySizeAndExtension[5].size());
    // The copy of a first record is a record of its own, with the same fields.
    const FoundFileRecord* copy = depth.bySizeAndExtension[5]["txt"][0];
    EXPECT_NE(depth.firstOfSize[5], copy);
    EXPECT_EQ(depth.firstOfSize[5]->folder, copy->folder);
    EXPECT_EQ(5, copy->size);
}

}  // namespace
