// tests/finder/ScanRunTest.cpp
// The scan run: confirmation of every group by content, category maps and their keys, user lists,
// the completion message, stop, and the per-scan record store.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>

#include "app/AppFolder.h"
#include "finder/FileFinderModel.h"
#include "finder/FilesFilter.h"
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

// Names that Windows paths take for a device: the scan ends, the ordinary copies are grouped
// (also inside folders named like devices), and the device-named files are told as unread:
// never opened, since by such a path the port or the console would be.
TEST_F(Scan, DeviceNamesAreToldUnreadNeverOpened)
{
    const std::string folder = FixtureDir() + "\\finder\\devices\\";
    ScanFolder(folder);
    EXPECT_EQ(kScanProblemNone, run.Problem());
    const std::set<std::set<std::string>> expected = {
        {folder + "ordinary1.txt", folder + "ordinary2.txt"},
        {folder + "folders\\aux\\inside1.txt", folder + "folders\\aux\\inside2.txt"},
        {folder + "folders\\nul.txt\\x.dat", folder + "folders\\nul.txt\\y.dat"},
    };
    EXPECT_EQ(expected, GroupSets());
    const ScanOutcome outcome = run.Outcome();
    const std::set<std::string> unread(outcome.unreadableFilePaths.begin(), outcome.unreadableFilePaths.end());
    const std::set<std::string> devices = {folder + "aux",      folder + "con.txt", folder + "com1.bin",
                                           folder + "lpt1",     folder + "nul",     folder + "AUX.log"};
    EXPECT_EQ(devices, unread);
    EXPECT_EQ(6u, outcome.unreadableFiles);
    EXPECT_EQ(0u, outcome.unlistableFolders);
}

// Another file system mounted inside the folder is searched like any folder; a link back into
// the tree and a link to the mount are still never followed.
TEST_F(Scan, MountedFileSystemIsSearched)
{
    const std::string tree = std::string(TEST_FIXTURE_DIR) + "/finder/mounted";
    std::ifstream noMount(tree + ".no-mount");
    if (noMount) {
        std::string reason((std::istreambuf_iterator<char>(noMount)), std::istreambuf_iterator<char>());
        GTEST_SKIP() << "mounting is not permitted here: " << reason;
    }
    const std::string folder = FixtureDir() + "\\finder\\mounted\\";
    ScanFolder(folder);
    EXPECT_EQ((std::set<std::set<std::string>>{{folder + "outside.txt", folder + "mnt\\sub\\inside.txt"}}),
              GroupSets());
    EXPECT_EQ(0u, run.UnlistableFolders());
    EXPECT_EQ(0u, run.UnreadableFiles());
}

// A read that never returns: a stop gives the scan up within a second, with a word; the worker
// goes on alone, no new scan starts while it runs, and once its read returns it ends without a
// message and the next scan runs. A stop that the worker honours in time gives up nothing.
TEST_F(Scan, StuckReadIsGivenUpAtStop)
{
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(window != nullptr);
    auto waitForMessage = [&](DWORD ms) {
        MSG msg;
        const DWORD start = GetTickCount();
        do {
            if (PeekMessageA(&msg, window, kScanFinishedMessage, kScanFinishedMessage, PM_REMOVE))
                return true;
            Sleep(5);
        } while (GetTickCount() - start < ms);
        return false;
    };
    auto waitFor = [](const std::function<bool()>& done) {
        for (int i = 0; i < 2000 && !done(); ++i)
            Sleep(5);
        return done();
    };
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.txt", "a pair");
    fake.AddFile("M:\\t\\b.txt", "a pair");
    fake.AddFile("M:\\t\\stuck1.bin", "read in vain");
    fake.AddFile("M:\\t\\stuck2.bin", "read in vain");
    std::atomic<int> inRead(0), release(0);
    fake.OnRead([&](const std::string& path, uint64_t) {
        if (path.find("stuck") == std::string::npos)
            return;
        inRead = 1;
        while (!release)
            Sleep(5);
    });
    run.SetNotifyWindow(window);
    run.SetFileSource(&fake);
    run.m_location = "M:\\t";
    ASSERT_TRUE(run.RunScan());
    ASSERT_TRUE(waitFor([&] { return inRead != 0; }));
    const DWORD stopped = GetTickCount();
    run.Stop();
    EXPECT_TRUE(waitForMessage(1000));
    EXPECT_LE(GetTickCount() - stopped, 1000u);
    EXPECT_EQ(1, run.Settled().load());
    EXPECT_EQ(kScanProblemAbandoned, run.Problem());
    EXPECT_TRUE(run.WorkerAbandoned());
    EXPECT_FALSE(run.RunScan());  // its worker still works on the containers

    release = 1;
    ASSERT_TRUE(waitFor([&] { return run.m_workerEnded != 0; }));
    EXPECT_FALSE(run.WorkerAbandoned());
    EXPECT_FALSE(waitForMessage(200));  // it was told when it was given up

    // A stop that the worker honours in time.
    ResetScanState();
    inRead = 0;
    release = 0;
    fake.OnRead([&](const std::string& path, uint64_t) {
        if (path.find("stuck") == std::string::npos)
            return;
        inRead = 1;
        while (!g_scanStop)
            Sleep(5);
        Sleep(100);
    });
    ASSERT_TRUE(run.RunScan());
    ASSERT_TRUE(waitFor([&] { return inRead != 0; }));
    run.Stop();
    EXPECT_TRUE(waitForMessage(1000));
    EXPECT_EQ(kScanProblemNone, run.Problem());
    EXPECT_FALSE(run.WorkerAbandoned());
    EXPECT_TRUE(run.Stopped());

    // And a scan after them runs whole.
    ResetScanState();
    fake.OnRead(nullptr);
    ASSERT_TRUE(run.RunScan());
    EXPECT_TRUE(waitForMessage(10000));
    EXPECT_EQ(kScanProblemNone, run.Problem());
    EXPECT_EQ((std::set<std::set<std::string>>{{"M:\\t\\a.txt", "M:\\t\\b.txt"},
                                               {"M:\\t\\stuck1.bin", "M:\\t\\stuck2.bin"}}),
              GroupSets());
    run.SetNotifyWindow(nullptr);
    DestroyWindow(window);
}

// Category keys of exact groups hold the size and extension of their files and the content
// they share: one key a group, never the key of a look-alike group.
TEST_F(Scan, CategoryKeysHoldSizeExtensionAndContent)
{
    ScanFolder(FixtureDir() + "\\finder\\content");
    const auto groups = Groups();
    ASSERT_EQ(4u, groups.size());
    for (int c = kCategoryPhoto; c <= kCategoryOther; ++c) {
        for (auto& e : *run.CategoryGroups(c)) {
            std::vector<std::string> parts;
            SplitString(e.first.c_str(), "|", parts);
            ASSERT_EQ(3u, parts.size()) << e.first;
            EXPECT_EQ(std::to_string(e.second->size), parts[0]);
            EXPECT_EQ(KeyExtension(e.second->name), parts[1]);
            EXPECT_FALSE(IsLookAlikeGroupKey(e.first));
        }
    }
}

// A file reached by its short name is keyed and sorted by its long name's extension: it pairs
// with a copy of the same extension and lands among the photos.
TEST_F(Scan, ShortNameTakesTheLongNamesExtension)
{
    const std::string folder = FixtureDir() + "\\finder\\longext\\";
    ScanFolder(folder);
    const auto groups = Groups();
    ASSERT_EQ(1u, groups.size());
    std::vector<std::string> parts;
    SplitString(groups.begin()->first.c_str(), "|", parts);
    ASSERT_EQ(3u, parts.size());
    EXPECT_EQ("jpeg", parts[1]);  // so the category lists see ".jpeg;", not ".jpe;"
    std::set<std::string> names;
    for (const std::string& path : groups.begin()->second)
        names.insert(path.substr(folder.size()));
    EXPECT_EQ(1u, names.count("photo.jpeg"));
    EXPECT_EQ(1u, std::count_if(names.begin(), names.end(), [](const std::string& n) { return n.find('~') != std::string::npos; }));
}

// The filter, too, judges a short name by its long name's extension: with only ".jpeg" chosen
// the short-named copy stays in and pairs with its twin.
TEST_F(Scan, FilterJudgesShortNameByLongExtension)
{
    FilterSettings settings;
    settings.allTypes = 0;
    settings.typeList1 = ".jpeg;";
    FileFinderFilterProxy::Instance().SetSettings(&settings);
    FileFinderModelProxy::Instance().SetFilter(&FileFinderFilterProxy::Instance());
    ScanFolder(FixtureDir() + "\\finder\\longext\\");
    FileFinderModelProxy::Instance().SetFilter(nullptr);
    const auto groups = GroupSets();
    ASSERT_EQ(1u, groups.size());
    EXPECT_EQ(2u, groups.begin()->size());
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
    EXPECT_EQ(".jpg;.png;", run.CategoryList(kCategoryPhoto));  // an empty user list leaves the default
    EXPECT_EQ(".mp4;", run.CategoryList(kCategoryVideo));       // lower-cased
    EXPECT_EQ(".flac;", run.CategoryList(kCategoryMusic));      // the user's list, where it is written
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

TEST_F(Scan, ComparisonDecidesAndReadsOnlyCandidates)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.bin", Bytes(300000, 'x'));
    fake.AddFile("M:\\t\\b.bin", Bytes(300000, 'x', 250000));  // differs past the head and tail
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
    EXPECT_EQ(1, fake.OpenCount("M:\\t\\a.bin"));  // read and compared through one open
    EXPECT_EQ(1, fake.OpenCount("M:\\t\\b.bin"));
    // Heads and tails, the two equal files whole and b.bin up to where it differs;
    // short2.bin, whose only partner could not be read, no further than its head.
    EXPECT_LE(fake.BytesRead(), 3u * (300000 + 4096 + 8) + 3000 + 50);
    EXPECT_EQ(2u, run.UnreadableFiles());  // short.bin and gone2.txt
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
    EXPECT_EQ((std::vector<std::string>{"M:\\t\\locked"}), run.Outcome().unlistableFolderPaths);
    // A real tree: the folder past the length the system lists is told by its whole path.
    const std::string longpath = FixtureDir() + "\\finder\\longpath";
    ScanFolder(longpath);
    EXPECT_TRUE(GroupSets().empty());
    EXPECT_EQ(1u, run.UnlistableFolders());
    const std::vector<std::string> paths = run.Outcome().unlistableFolderPaths;
    ASSERT_EQ(1u, paths.size());
    EXPECT_EQ(0u, paths[0].find(longpath + "\\a-folder-name-of-some-length-1\\")) << paths[0];
    EXPECT_GE(paths[0].size(), size_t(MAX_PATH) - 12) << paths[0];
    ScanFolder(FixtureDir() + "\\finder\\content");
    EXPECT_EQ(0u, run.UnlistableFolders());
    EXPECT_TRUE(run.Outcome().unlistableFolderPaths.empty());  // the last scan's are gone
}

// However many are skipped, the counts stay exact while only the first paths are kept.
TEST_F(Scan, SkippedPathsAreBoundedCountsExact)
{
    FakeFileSource fake;
    const size_t extra = 7;
    for (size_t i = 0; i < SkippedPaths::kMaxKept + extra; ++i) {
        const std::string n = std::to_string(i);
        fake.AddFile("M:\\t\\f" + n + "\\x.txt", "same");
        fake.AddFile("M:\\t\\g" + n + ".txt", "same");
        fake.SetUnlistable("M:\\t\\f" + n);
        fake.SetUnopenable("M:\\t\\g" + n + ".txt");
    }
    ScanFolder("M:\\t", &fake);
    const ScanOutcome outcome = run.Outcome();
    EXPECT_EQ(SkippedPaths::kMaxKept + extra, outcome.unlistableFolders);
    EXPECT_EQ(SkippedPaths::kMaxKept + extra, outcome.unreadableFiles);
    ASSERT_EQ(SkippedPaths::kMaxKept, outcome.unlistableFolderPaths.size());
    ASSERT_EQ(SkippedPaths::kMaxKept, outcome.unreadableFilePaths.size());
    // Each a real one, none twice.
    std::set<std::string> folders(outcome.unlistableFolderPaths.begin(), outcome.unlistableFolderPaths.end());
    std::set<std::string> files(outcome.unreadableFilePaths.begin(), outcome.unreadableFilePaths.end());
    EXPECT_EQ(SkippedPaths::kMaxKept, folders.size());
    EXPECT_EQ(SkippedPaths::kMaxKept, files.size());
    for (const std::string& folder : folders)
        EXPECT_EQ(0u, folder.find("M:\\t\\f")) << folder;
    for (const std::string& file : files)
        EXPECT_EQ(0u, file.find("M:\\t\\g")) << file;
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
    std::vector<std::string> paths = run.Outcome().unreadableFilePaths;
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ((std::vector<std::string>{"M:\\t\\grown.bin", "M:\\t\\locked.txt"}), paths);
    fake.AddFile("M:\\t\\c.txt", "same");
    ScanFolder("M:\\t", &fake);
    EXPECT_EQ(1u, GroupSets().size());
    EXPECT_EQ(2u, run.UnreadableFiles());  // counted afresh by every scan
    EXPECT_EQ(2u, run.Outcome().unreadableFilePaths.size());
}

// Look-alike groups: a key of their own, members in keep order (most pixels, then the
// largest file), and byte-for-byte copies among them marked as such.
TEST_F(Scan, LookAlikeGroupsFromPairs)
{
    FakeFileSource fake;
    fake.AddFile("M:\\p\\a.png", "small picture");
    fake.AddFile("M:\\p\\b.jpg", "the big picture");
    fake.AddFile("M:\\p\\c.gif", "the big picture");
    fake.AddFile("M:\\p\\d.png", "another");
    fake.AddFile("M:\\p\\e.png", "another!");
    struct Picture
    {
        const char* name;
        uint32_t width, height;
    } pictures[] = {{"a.png", 100, 100}, {"b.jpg", 200, 200}, {"c.gif", 200, 200}, {"d.png", 10, 10}, {"e.png", 10, 20}};
    std::vector<std::unique_ptr<FoundFileRecord>> records;
    for (const Picture& p : pictures) {
        records.emplace_back(new FoundFileRecord);
        FoundFileRecord& r = *records.back();
        r.folder = "M:\\p\\";
        r.name = p.name;
        uint64_t size = 0;
        ASSERT_TRUE(fake.FileSize(r.FullPath(), &size));
        r.size = int64_t(size);
        r.pixelWidth = p.width;
        r.pixelHeight = p.height;
    }
    FoundFileRecord *a = records[0].get(), *b = records[1].get(), *c = records[2].get(), *d = records[3].get(),
                    *e = records[4].get();
    c->time = 5;  // older than b: kept first among equals
    b->time = 9;
    run.SetFileSource(&fake);
    run.LoadCategoryLists();
    run.PicturePairs().emplace(a, b);
    run.PicturePairs().emplace(a, c);
    run.PicturePairs().emplace(d, e);
    run.AnalyseResults();
    EXPECT_TRUE(run.PicturePairs().empty());
    std::map<std::string, std::vector<FoundFileRecord*>> groups;
    for (auto& entry : *run.CategoryGroups(kCategoryPhoto))
        groups[entry.first].push_back(entry.second);
    for (auto& entry : *run.CategoryGroups(kCategoryOther))
        groups[entry.first].push_back(entry.second);  // ".gif" is in no list of this test
    char key[32];
    snprintf(key, sizeof(key), "%p", static_cast<void*>(a));
    ASSERT_EQ(1u, groups.count(key));
    EXPECT_TRUE(IsLookAlikeGroupKey(key));
    EXPECT_EQ((std::vector<FoundFileRecord*>{c, b, a}), groups[key]);
    EXPECT_NE(0u, b->copyClass);
    EXPECT_EQ(b->copyClass, c->copyClass);
    EXPECT_EQ(0u, a->copyClass);
    snprintf(key, sizeof(key), "%p", static_cast<void*>(d));
    EXPECT_EQ((std::vector<FoundFileRecord*>{e, d}), groups[key]);
    EXPECT_EQ(0u, d->copyClass);  // same size, other bytes
    EXPECT_EQ(0u, e->copyClass);
    EXPECT_EQ(5, g_filesClassified.load());
    run.ClearResults();
}

// Three identical photos and a larger conversion of them with the same pixels: the oldest photo
// is kept first, never the conversion for being the larger file.
TEST_F(Scan, LookAlikeEqualPixelsKeepTheOldestNotTheLargest)
{
    FakeFileSource fake;
    struct Picture
    {
        const char* name;
        const char* content;
        uint64_t time;
    } pictures[] = {{"photo.jpg", "jpeg bytes", 20},
                    {"copy1.jpg", "jpeg bytes", 30},
                    {"converted.png", "png bytes, more of them", 40},
                    {"copy2.jpg", "jpeg bytes", 10}};
    std::vector<std::unique_ptr<FoundFileRecord>> records;
    for (const Picture& p : pictures) {
        fake.AddFile(std::string("M:\\p\\") + p.name, p.content);
        records.emplace_back(new FoundFileRecord);
        FoundFileRecord& r = *records.back();
        r.folder = "M:\\p\\";
        r.name = p.name;
        r.size = int64_t(strlen(p.content));
        r.time = p.time;
        r.pixelWidth = 640;
        r.pixelHeight = 480;
    }
    run.SetFileSource(&fake);
    run.LoadCategoryLists();
    for (size_t i = 1; i < records.size(); ++i)
        run.PicturePairs().emplace(records[0].get(), records[i].get());
    run.AnalyseResults();
    std::vector<std::string> order;
    for (auto& entry : *run.CategoryGroups(kCategoryPhoto))
        order.push_back(entry.second->name);
    EXPECT_EQ((std::vector<std::string>{"copy2.jpg", "photo.jpg", "copy1.jpg", "converted.png"}), order);
    run.ClearResults();
}

// Real pictures through the real library: the re-encode and the copy make one look-alike group,
// with their pixel sizes; the picture with the most pixels (the oldest of the two equal ones)
// comes first, and the copy is marked as a byte-for-byte copy of it.
TEST_F(Scan, LookAlikeGroupOfRealPictures)
{
    const std::string library = std::string(GetAppFolder()) + "VoveRIRider.dll";
    if (GetFileAttributesA(library.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "picture library not built yet";
    FilterSettings settings;
    FileFinderFilterProxy::Instance().SetSettings(&settings);
    FileFinderModelProxy::Instance().SetFilter(&FileFinderFilterProxy::Instance());
    g_similarityPercent = 90;
    const std::string folder = FixtureDir() + "\\finder\\picturecopies\\";
    ScanFolder(folder);
    FileFinderModelProxy::Instance().SetFilter(nullptr);
    const FileGroupMap* photos = run.CategoryGroups(kCategoryPhoto);
    ASSERT_EQ(3u, photos->size());
    EXPECT_TRUE(IsLookAlikeGroupKey(photos->begin()->first));
    EXPECT_EQ(1u, Groups().size());
    std::vector<FoundFileRecord*> members;
    for (auto& e : *photos)
        members.push_back(e.second);
    EXPECT_EQ("scene.png", members[0]->name);
    EXPECT_EQ("scene-copy.png", members[1]->name);
    EXPECT_EQ("scene-small.jpg", members[2]->name);
    EXPECT_EQ(256u, members[0]->pixelWidth);
    EXPECT_EQ(256u, members[1]->pixelHeight);
    EXPECT_EQ(200u, members[2]->pixelWidth);
    EXPECT_NE(0u, members[0]->copyClass);
    EXPECT_EQ(members[0]->copyClass, members[1]->copyClass);
    EXPECT_EQ(0u, members[2]->copyClass);
}

// Members of an exact group come in keep order: the oldest, then the shorter full path, then
// path order; the same folder scanned twice gives the same order.
TEST_F(Scan, ExactGroupsInKeepOrder)
{
    FakeFileSource fake;
    struct File
    {
        const char* path;
        const char* content;
        uint64_t time;
    } files[] = {
        {"M:\\t\\x\\new.txt", "by time", 300},     {"M:\\t\\x\\old.txt", "by time", 100},
        {"M:\\t\\y\\mid.txt", "by time", 200},     {"M:\\t\\y\\longer.dat", "by length", 7},
        {"M:\\t\\y\\s.dat", "by length", 7},       {"M:\\t\\x\\zz\\s.dat", "by length", 7},
        {"M:\\t\\r\\b.ini", "by path", 7},         {"M:\\t\\p\\b.ini", "by path", 7},
        {"M:\\t\\q\\b.ini", "by path", 7},
    };
    for (const File& f : files) {
        fake.AddFile(f.path, f.content);
        fake.SetWriteTime(f.path, f.time);
    }
    const std::vector<std::vector<std::string>> expected = {
        {"M:\\t\\x\\old.txt", "M:\\t\\y\\mid.txt", "M:\\t\\x\\new.txt"},
        {"M:\\t\\y\\s.dat", "M:\\t\\x\\zz\\s.dat", "M:\\t\\y\\longer.dat"},
        {"M:\\t\\p\\b.ini", "M:\\t\\q\\b.ini", "M:\\t\\r\\b.ini"},
    };
    for (int scan = 0; scan < 2; ++scan) {
        ScanFolder("M:\\t", &fake);
        std::map<std::string, std::vector<std::string>> groups;
        for (int c = kCategoryPhoto; c <= kCategoryOther; ++c) {
            for (auto& e : *run.CategoryGroups(c))
                groups[e.first].push_back(e.second->FullPath());
        }
        std::set<std::vector<std::string>> got;
        for (auto& g : groups)
            got.insert(g.second);
        EXPECT_EQ(std::set<std::vector<std::string>>(expected.begin(), expected.end()), got) << "scan " << scan;
    }
}

// Stop keeps what was found: a group whose comparison finished before the stop is shown, one
// that was still being read is left out, and the outcome says the scan was stopped.
TEST_F(Scan, StopKeepsConfirmedGroups)
{
    FakeFileSource fake;
    fake.AddFile("M:\\t\\a.txt", "a small pair");
    fake.AddFile("M:\\t\\b.txt", "a small pair");
    const uint64_t size = uint64_t(2) << 30;
    for (const char* name : {"M:\\t\\big1.iso", "M:\\t\\big2.iso"})
        fake.AddGeneratedFile(name, size, [](uint64_t, uint8_t* out, uint32_t count) { memset(out, 'q', count); });
    fake.OnRead([&](const std::string& path, uint64_t offset) {
        if (path.find("big") != std::string::npos && offset >= (uint64_t(64) << 20))
            g_scanStop = 1;
    });
    ScanFolder("M:\\t", &fake);
    EXPECT_TRUE(run.Stopped());
    EXPECT_TRUE(run.Outcome().stopped);
    EXPECT_EQ((std::set<std::set<std::string>>{{"M:\\t\\a.txt", "M:\\t\\b.txt"}}), GroupSets());
    EXPECT_LT(fake.BytesRead(), uint64_t(80) << 20);
    fake.OnRead(nullptr);
    fake.Remove("M:\\t\\big1.iso");  // so that the scan after it is quick
    ResetScanState();
    ScanFolder("M:\\t", &fake);
    EXPECT_FALSE(run.Stopped());
    EXPECT_EQ(1u, GroupSets().size());
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
