// tests/finder/ScanRunTest.cpp
// The scan run: digest confirmation of every group, category maps and their keys, user lists,
// the completion message, stop, and the per-scan record store.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <set>

#include "finder/FileDigest.h"
#include "finder/FileFinderModel.h"
#include "finder/GroupKey.h"
#include "finder/ScanRun.h"
#include "finder/ScanState.h"
#include "tests/finder/FakeFileSource.h"
#include "tests/support/WinePath.h"

namespace {

std::map<std::string, std::string> g_lang = {
    {"PhotoDesc", ".jpg;.png;"}, {"VideoDesc", ".MP4;"}, {"OfficeDocDesc", ".doc;"},
    {"MusicDesc", ".mp3;"},      {"OtherDesc", ".zip;"},
    {"MusicDescUser", ".ogg;"},  // in the language file: not where the user's list lives
};
std::map<std::string, std::string> g_user = {{"MusicDescUser", ".flac;"}, {"PhotoDescUser", ""}};

std::string Lookup(const std::map<std::string, std::string>& table, const char* key)
{
    auto it = table.find(key);
    return it == table.end() ? std::string() : it->second;
}

class Scan : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetScanState();
        g_scanCancelled = 0;
        g_similarityPercent = 100;
        FileFinderModelProxy::Instance().SetFilter(nullptr);
        run.SetStringLookup([](const char* k) { return Lookup(g_lang, k); },
                            [](const char* k) { return Lookup(g_user, k); });
    }
    void TearDown() override { FileFinderModelProxy::Instance().SetFileSource(nullptr); }

    // Groups of all five categories: key -> sorted paths.
    std::map<std::string, std::set<std::string>> Groups() const
    {
        std::map<std::string, std::set<std::string>> out;
        for (int c = kCategoryPhoto; c <= kCategoryOther; ++c) {
            for (auto& e : *run.CategoryGroups(c))
                out[e.first].insert(e.second->FullPath());
        }
        return out;
    }
    std::set<std::set<std::string>> GroupSets() const
    {
        std::set<std::set<std::string>> out;
        for (auto& g : Groups())
            out.insert(g.second);
        return out;
    }
    void ScanFolder(const std::string& folder, IFileSource* source = nullptr)
    {
        run.SetFileSource(source);
        run.m_location = folder;
        run.LoadCategoryLists();
        run.ScanWorker();
    }

    ScanRun run;
};

std::string Content(const std::string& path)
{
    return FixtureDir() + "\\finder\\content\\" + path;
}

// Real files: identical ones group, look-alikes never do, at every precision; a file met again
// through a link is not its own copy.
TEST_F(Scan, GroupsAreWholeContentDuplicates)
{
    const std::set<std::set<std::string>> expected = {
        {Content("ident\\one.txt"), Content("ident\\two.txt"), Content("ident\\sub\\three.txt")},
        {Content("samesig\\a1000.txt"), Content("samesig\\b1000.txt")},
        {Content("samesig\\a1001.txt"), Content("samesig\\b1001.txt")},
        {Content("zeros\\z1.bin"), Content("zeros\\z2.bin")},
    };
    // Which name of a linked file is kept depends on the listing order.
    auto canonical = [](std::string path) {
        const std::string links = Content("links\\");
        if (path == links + "link-to-one.txt")
            return Content("ident\\one.txt");
        if (path == links + "hard-two.txt")
            return Content("ident\\two.txt");
        return path;
    };
    for (int percent : {100, 90, 80, 50, 10}) {
        g_similarityPercent = percent;
        ScanFolder(FixtureDir() + "\\finder\\content");
        std::map<std::string, std::vector<std::string>> groups;
        for (int c = kCategoryPhoto; c <= kCategoryOther; ++c) {
            for (auto& e : *run.CategoryGroups(c))
                groups[e.first].push_back(canonical(e.second->FullPath()));
        }
        std::set<std::set<std::string>> got;
        for (auto& g : groups) {
            std::set<std::string> members(g.second.begin(), g.second.end());
            EXPECT_EQ(g.second.size(), members.size()) << "a file stands twice in " << g.first;
            got.insert(members);
        }
        EXPECT_EQ(expected, got) << "precision " << percent;
        EXPECT_EQ(9, g_filesClassified.load());
        EXPECT_EQ(kScanProblemNone, run.Problem());
    }
}

// A name the ANSI code page cannot hold is reached by its short name: the copies are found, and
// no record names a neighbour that the code page's best fit turned it into.
TEST_F(Scan, NamesOutsideTheCodePage)
{
    const std::string folder = FixtureDir() + "\\finder\\names\\";
    ScanFolder(folder);
    const std::set<std::set<std::string>> groups = GroupSets();
    EXPECT_EQ(3u, groups.size());
    // A name the code page holds keeps its own name ("caf\xe9" in Windows-1252).
    EXPECT_EQ(1u, groups.count({folder + "caf\xe9" "1.txt", folder + "caf\xe9" "2.txt"}));
    bool barredPairFound = false;
    for (const std::set<std::string>& group : groups) {
        EXPECT_EQ(2u, group.size());
        for (const std::string& path : group) {
            EXPECT_EQ(std::string::npos, path.find('?')) << path;
            EXPECT_NE(folder + "a.txt", path);  // its content is like no other
            HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            EXPECT_NE(INVALID_HANDLE_VALUE, file) << path;
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        }
        barredPairFound = barredPairFound || group.count(folder + "b.txt") == 1;
    }
    EXPECT_TRUE(barredPairFound);
}

// A name ending in a dot or a space is dropped from a Windows path ("a." is read as "a"): it is
// reached by its short name too.
TEST_F(Scan, NamesEndingInADotOrASpace)
{
    const std::string folder = FixtureDir() + "\\finder\\trailing\\";
    ScanFolder(folder);
    const std::set<std::set<std::string>> groups = GroupSets();
    EXPECT_EQ(3u, groups.size());
    for (const std::set<std::string>& group : groups) {
        EXPECT_EQ(2u, group.size());
        for (const std::string& path : group)
            EXPECT_EQ(std::string::npos, path.find(".\\")) << path;
    }
}

TEST_F(Scan, CategoryKeysHoldSizeExtensionAndDigest)
{
    ScanFolder(FixtureDir() + "\\finder\\content");
    for (auto& g : Groups()) {
        std::vector<std::string> parts;
        SplitString(g.first.c_str(), "|", parts);
        ASSERT_EQ(3u, parts.size()) << g.first;
        EXPECT_EQ(64u, parts[2].size()) << g.first;  // SHA-256 of the whole content
    }
    EXPECT_EQ(1u, Groups().count(MakeGroupKey(4096, "bin",
        "ad7facb2586fc6e966c004d7d1d16b024f5805ff7cb47c7a85dabd8b48892ca7")));
}

std::string Bytes(size_t n, char fill, size_t differAt = std::string::npos)
{
    std::string s(n, fill);
    if (differAt < n)
        s[differAt] = char(fill + 1);
    return s;
}

TEST_F(Scan, ClassificationByExtensionAndUserLists)
{
    FakeFileSource fake;
    const char* names[] = {"a.JPG", "b.mp4", "c.doc", "d.flac", "e.mp3", "f.xyz", "g.zip", "h"};
    size_t size = 100;
    for (const char* n : names) {
        fake.AddFile(std::string("M:\\t\\1\\") + n, Bytes(size, 'q'));
        fake.AddFile(std::string("M:\\t\\2\\") + n, Bytes(size, 'q'));
        size += 10;
    }
    ScanFolder("M:\\t", &fake);
    EXPECT_EQ(".jpg;.png;", run.m_photoList);  // an empty user list leaves the default in force
    EXPECT_EQ(".mp4;", run.m_videoList);       // lower-cased
    EXPECT_EQ(".flac;", run.m_musicList);      // the user's list, read where it is written
    auto count = [&](int c) { return run.CategoryGroups(c)->size(); };
    EXPECT_EQ(2u, count(kCategoryPhoto));
    EXPECT_EQ(2u, count(kCategoryVideo));
    EXPECT_EQ(2u, count(kCategoryOfficeDoc));
    EXPECT_EQ(2u, count(kCategoryMusic));
    EXPECT_EQ(8u, count(kCategoryOther));  // mp3 (overridden), xyz, zip (Other claims nothing), no dot
    const CategoryStatistics& stats = run.GetStatistics();
    EXPECT_EQ(2, stats.at(kCategoryPhoto).fileCount);
    EXPECT_EQ(200, stats.at(kCategoryPhoto).totalBytes);
    EXPECT_EQ(8, stats.at(kCategoryOther).fileCount);
    EXPECT_EQ(2 * (140 + 150 + 160 + 170), stats.at(kCategoryOther).totalBytes);
    EXPECT_EQ(16, g_filesClassified.load());
    FileGroupMap copy;
    run.GetCategoryGroups(kCategoryMusic, copy);
    EXPECT_EQ(2u, copy.size());
    run.GetCategoryGroups(7, copy);  // another number copies nothing
    EXPECT_EQ(2u, copy.size());
}

TEST_F(Scan, DigestDecidesAndReadsOnlyCandidates)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.bin", Bytes(300000, 'x'));
    fake.AddFile("M:\\t\\b.bin", Bytes(300000, 'x', 250000));  // differs past the samples
    fake.AddFile("M:\\t\\c.bin", Bytes(300000, 'x'));
    fake.AddFile("M:\\t\\short.bin", Bytes(1000, 'y'), 0x20, 2000);  // listed longer than it is
    fake.AddFile("M:\\t\\short2.bin", Bytes(2000, 'y'));
    fake.AddFile("M:\\t\\gone.txt", Bytes(50, 'z'));
    fake.AddFile("M:\\t\\gone2.txt", Bytes(50, 'z'));
    fake.SetUnopenable("M:\\t\\gone2.txt");
    fake.AddFile("M:\\t\\alone.bin", Bytes(777, 'w'));
    ScanFolder("M:\\t", &fake);
    EXPECT_EQ((std::set<std::set<std::string>>{{"M:\\t\\a.bin", "M:\\t\\c.bin"}}), GroupSets());
    EXPECT_EQ(0u, fake.Opened().count("M:\\t\\alone.bin"));
    EXPECT_EQ(1, fake.OpenCount("M:\\t\\a.bin"));  // sampled and digested through one open
    EXPECT_EQ(1, fake.OpenCount("M:\\t\\b.bin"));
    // Signatures, then the three equal-signature files whole; nothing else is read whole.
    EXPECT_LE(fake.BytesRead(), 3u * 300000 + 8 * 120);
}

// When no group can be confirmed, the scan says so instead of "nothing found".
TEST_F(Scan, DigestFailureIsReported)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.txt", "same");
    fake.AddFile("M:\\t\\b.txt", "same");
    run.SetDigestAlgorithm(99);  // as when CryptoAPI refuses every context
    ScanFolder("M:\\t", &fake);
    EXPECT_EQ(kScanProblemDigestUnavailable, run.Problem());
    EXPECT_TRUE(GroupSets().empty());  // unconfirmed groups are never shown
    run.SetDigestAlgorithm(kDigestSha256);
    ScanFolder("M:\\t", &fake);
    EXPECT_EQ(kScanProblemNone, run.Problem());
    EXPECT_EQ(1u, GroupSets().size());
}

TEST_F(Scan, UnreadableLocationIsReported)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.txt", "same");
    fake.SetUnlistable("M:\\t");
    ScanFolder("M:\\t", &fake);
    EXPECT_EQ(kScanProblemLocationUnreadable, run.Problem());
    ScanFolder("M:\\nowhere", &fake);
    EXPECT_EQ(kScanProblemLocationUnreadable, run.Problem());
    ScanFolder(FixtureDir() + "\\finder\\nowhere");
    EXPECT_EQ(kScanProblemLocationUnreadable, run.Problem());
}

// An empty drive (a freshly formatted stick) holds nothing: that is "nothing found", not a
// location that could not be read.
TEST_F(Scan, EmptyDriveIsNothingFound)
{
    if (GetFileAttributesA("Q:\\") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no drive Q: mapped to an empty folder";
    ScanFolder("Q:\\");
    EXPECT_EQ(kScanProblemNone, run.Problem());
    EXPECT_EQ(0u, run.UnlistableFolders());
    EXPECT_TRUE(GroupSets().empty());
}

// Folders below the chosen one that could not be listed are counted, so that the page can say
// so rather than "nothing found".
TEST_F(Scan, UnlistableFoldersBelowAreCounted)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.txt", "same");
    fake.AddFile("M:\\t\\locked\\b.txt", "same");
    fake.SetUnlistable("M:\\t\\locked");
    ScanFolder("M:\\t", &fake);
    EXPECT_EQ(kScanProblemNone, run.Problem());
    EXPECT_EQ(1u, run.UnlistableFolders());
    ScanFolder(FixtureDir() + "\\finder\\longpath");
    EXPECT_TRUE(GroupSets().empty());
    EXPECT_EQ(1u, run.UnlistableFolders());
    ScanFolder(FixtureDir() + "\\finder\\content");
    EXPECT_EQ(0u, run.UnlistableFolders());
}

// Files that could have been in a group but could not be read (locked by another program, no
// access, changed since they were listed) are counted, each once.
TEST_F(Scan, UnreadableCandidatesAreCounted)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.txt", "same");
    fake.AddFile("M:\\t\\locked.txt", "same");
    fake.SetUnopenable("M:\\t\\locked.txt");
    fake.AddFile("M:\\t\\b.bin", std::string(2000, 'b'));
    fake.AddFile("M:\\t\\grown.bin", std::string(3000, 'b'), 0x20, 2000);
    fake.AddFile("M:\\t\\alone.dat", "never opened");
    fake.SetUnopenable("M:\\t\\alone.dat");
    ScanFolder("M:\\t", &fake);
    EXPECT_TRUE(GroupSets().empty());
    EXPECT_EQ(2u, run.UnreadableFiles());
    fake.AddFile("M:\\t\\c.txt", "same");
    ScanFolder("M:\\t", &fake);
    EXPECT_EQ(1u, GroupSets().size());
    EXPECT_EQ(2u, run.UnreadableFiles());  // counted afresh by every scan
}

TEST_F(Scan, PictureGroupsFromPairs)
{
    FoundFileRecord a, b, c, d;
    a.name = "a.png"; b.name = "b.jpg"; c.name = "c.gif"; d.name = "d.png";
    a.size = b.size = c.size = d.size = 10;
    run.m_photoList = ".jpg;";
    run.m_picturePairs.emplace(&a, &b);
    run.m_picturePairs.emplace(&a, &c);
    run.m_picturePairs.emplace(&d, &b);
    run.AnalyseResults();
    EXPECT_TRUE(run.m_picturePairs.empty());
    ASSERT_EQ(5u, run.m_photoGroups.size());
    char key[32];
    snprintf(key, sizeof(key), "%p", static_cast<void*>(&a));
    EXPECT_EQ(3u, run.m_photoGroups.count(key));
    EXPECT_EQ(&a, run.m_photoGroups.find(key)->second);  // the kept picture first
    EXPECT_EQ(5, g_filesClassified.load());
    run.m_photoGroups.clear();
}

// RunScan works on its worker and posts 0x4400 to the given window; a stop mid-walk still does.
TEST_F(Scan, WorkerPostsCompletionAlsoAfterStop)
{
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(window != nullptr);
    FakeFileSource fake;
    for (int i = 0; i < 50; ++i)
        fake.AddFile("M:\\t\\d" + std::to_string(i) + "\\same.txt", "same content");
    int listed = 0;
    fake.OnList([&](const std::string&) {
        if (++listed == 5)
            g_scanStop = 1;
    });
    auto waitForCompletion = [&] {
        MSG msg;
        for (int i = 0; i < 3000; ++i) {
            if (PeekMessageA(&msg, window, kScanFinishedMessage, kScanFinishedMessage, PM_REMOVE))
                return true;
            Sleep(10);
        }
        return false;
    };
    run.SetNotifyWindow(window);
    run.SetFileSource(&fake);
    run.m_location = "M:\\t";
    ASSERT_TRUE(run.RunScan());
    EXPECT_TRUE(waitForCompletion());
    EXPECT_EQ(1, run.m_workerEnded.load());
    EXPECT_EQ(0, run.m_scanning.load());
    EXPECT_EQ(1, g_scanDone.load());
    EXPECT_LT(listed, 12);

    // Closing: no message.
    ResetScanState();
    fake.OnList(nullptr);
    g_scanCancelled = 1;
    ASSERT_TRUE(run.RunScan());
    for (int i = 0; i < 3000 && !run.m_workerEnded; ++i)
        Sleep(10);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, window, kScanFinishedMessage, kScanFinishedMessage, PM_REMOVE));
    g_scanCancelled = 0;
    DestroyWindow(window);
}

TEST_F(Scan, SecondRunWhileTheWorkerRunsIsRefused)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.txt", "same");
    std::atomic<int> release(0);
    fake.OnList([&](const std::string&) {
        while (!release)
            Sleep(5);
    });
    run.SetFileSource(&fake);
    run.m_location = "M:\\t";
    ASSERT_TRUE(run.RunScan());
    EXPECT_EQ(0, run.m_workerEnded.load());
    EXPECT_FALSE(run.RunScan());
    release = 1;
    for (int i = 0; i < 3000 && !run.m_workerEnded; ++i)
        Sleep(10);
    EXPECT_EQ(1, run.m_workerEnded.load());
    fake.OnList(nullptr);
}

// The records of a scan live while someone holds its store, also past the next scan.
TEST_F(Scan, RecordStoreOutlivesTheNextScan)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.txt", "abc");
    fake.AddFile("M:\\t\\b.txt", "abc");
    fake.AddFile("M:\\t\\c.txt", "unique");
    ScanFolder("M:\\t", &fake);
    std::shared_ptr<RecordStore> held = run.GetRecordStore();
    ASSERT_TRUE(held != nullptr);
    EXPECT_EQ(3u, held->Count());
    FileGroupMap copied;
    run.GetCategoryGroups(kCategoryOther, copied);
    ASSERT_EQ(2u, copied.size());
    ScanFolder("M:\\t", &fake);
    EXPECT_NE(held, run.GetRecordStore());
    for (auto& e : copied)
        EXPECT_EQ("M:\\t\\", e.second->folder);  // still alive
    EXPECT_EQ(1, held.use_count());
}

}  // namespace
