// tests/finder/ContentMatchTest.cpp
// The content comparison that confirms every group: exact for any difference anywhere (also
// past 4 GiB, and in runs too large for every file's head to be kept), safe against files that
// change while read, bounded in open files and in memory, and prompt to stop.
#include <gtest/gtest.h>

#include <stdint.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "finder/ContentMatch.h"
#include "finder/ParallelWork.h"
#include "finder/ScanState.h"
#include "tests/finder/FakeFileSource.h"

namespace {

class Match : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetScanState();
        Reset();
    }
    void Reset()
    {
        records.clear();
        owned.reset(new FakeFileSource);
    }
    FakeFileSource& Fake() { return *owned; }
    void TearDown() override { g_scanStop = 0; }

    FoundFileRecord* Add(const std::string& name, const std::string& content)
    {
        Fake().AddFile("M:\\c\\" + name, content);
        return Record(name, int64_t(content.size()));
    }
    FoundFileRecord* Record(const std::string& name, int64_t size)
    {
        records.emplace_back(new FoundFileRecord);
        records.back()->folder = "M:\\c\\";
        records.back()->name = name;
        records.back()->size = size;
        return records.back().get();
    }
    // Runs the matcher; true when it finished.
    bool Run(const std::vector<FoundFileRecord*>& files)
    {
        matcher.reset(new ContentMatcher(Fake()));
        return matcher->Match(files, files.front()->size, &classes);
    }

    std::unique_ptr<FakeFileSource> owned;
    std::vector<std::unique_ptr<FoundFileRecord>> records;
    std::unique_ptr<ContentMatcher> matcher;
    std::vector<uint32_t> classes;
};

// Bytes that are never zero.
std::string Pattern(size_t n, unsigned seed)
{
    std::string s(n, '\0');
    uint32_t x = seed * 2654435761u + 1;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        s[i] = char(1 + (x >> 16) % 255);
    }
    return s;
}

std::string Flipped(std::string s, size_t at)
{
    s[at] = char(s[at] == 'z' ? 'y' : 'z');
    return s;
}

// One byte differs (first, middle, last, or anywhere between): the copy that differs never
// joins, the two equal ones always do.
TEST_F(Match, AnyDifferentByteKeepsFilesApart)
{
    struct Case
    {
        size_t size;
        size_t differAt;
    } cases[] = {
        {100, 0},           {100, 50},           {100, 99},
        {5000, 0},          {5000, 2500},        {5000, 4999},
        {3u << 20, 0},      {(3u << 20) + 7, (3u << 20) / 2},
        {3u << 20, (3u << 20) - 1},  {3u << 20, 1000},
        {3u << 20, (3u << 20) - 5000},  // just before the last block, which is read early
    };
    for (const Case& c : cases) {
        Reset();
        const std::string base = Pattern(c.size, unsigned(c.size));
        const std::string other = Flipped(base, c.differAt);
        std::vector<FoundFileRecord*> files = {Add("a", base), Add("odd", other), Add("b", base)};
        ASSERT_TRUE(Run(files));
        EXPECT_EQ(0u, classes[1]) << c.size << " at " << c.differAt;
        EXPECT_NE(0u, classes[0]) << c.size << " at " << c.differAt;
        EXPECT_EQ(classes[0], classes[2]) << c.size << " at " << c.differAt;
        EXPECT_EQ(0u, matcher->Unreadable());
    }
}

// What a file costs: one open each, one first block for a file that differs there from every
// partner, and no byte read twice (nor one past the end) for a copy. Files that share all but
// their end are told apart by their last block, read second.
TEST_F(Match, EachFileOpenedOnceAndReadNoFurtherThanNeeded)
{
    const size_t small = 30000, large = 3u << 20;
    struct Case
    {
        const char* what;
        size_t size;
        std::vector<size_t> differAt;  // per file; SIZE_MAX: the common content
        std::vector<uint64_t> mostBytes;  // that each file may cost
    } cases[] = {
        {"differ at once", small, {0, 1, 2, 3}, {4096, 4096, 4096, 4096}},
        {"copies", small, {SIZE_MAX, SIZE_MAX, SIZE_MAX}, {small, small, small}},
        {"differ at the end", large, {SIZE_MAX, large - 1, SIZE_MAX}, {large, 2 * 4096, large}},
        {"tiny copies", 10, {SIZE_MAX, SIZE_MAX}, {10, 10}},
    };
    for (const Case& c : cases) {
        Reset();
        const std::string base = Pattern(c.size, 3);
        std::vector<FoundFileRecord*> files;
        for (size_t i = 0; i < c.differAt.size(); ++i) {
            const size_t at = c.differAt[i];
            files.push_back(Add("f" + std::to_string(i), at == SIZE_MAX ? base : Flipped(base, at)));
        }
        ASSERT_TRUE(Run(files));
        for (size_t i = 0; i < files.size(); ++i) {
            const std::string path = files[i]->FullPath();
            EXPECT_EQ(1, Fake().OpenCount(path)) << c.what << " " << i;
            EXPECT_LE(Fake().BytesRead(path), c.mostBytes[i]) << c.what << " " << i;
            EXPECT_EQ(c.differAt[i] == SIZE_MAX, classes[i] != 0) << c.what << " " << i;
        }
    }
}

// Past 4 GiB: offsets stay 64-bit, so a difference beyond 4 GiB still counts. The files are
// generated, never stored.
TEST_F(Match, FilesOver4GiB)
{
    const uint64_t size = (uint64_t(1) << 32) + 4096 + 3;
    auto filler = [](uint64_t differAt) {
        return [differAt](uint64_t offset, uint8_t* out, uint32_t count) {
            memset(out, 'x', count);
            if (differAt >= offset && differAt < offset + count)
                out[differAt - offset] = 'y';
        };
    };
    const std::pair<const char*, uint64_t> files[] = {
        {"a", UINT64_MAX}, {"first", 0}, {"middle", size / 2}, {"last", size - 1}, {"b", UINT64_MAX},
    };
    std::vector<FoundFileRecord*> list;
    for (const auto& f : files) {
        Fake().AddGeneratedFile(std::string("M:\\c\\") + f.first, size, filler(f.second));
        list.push_back(Record(f.first, int64_t(size)));
    }
    ASSERT_TRUE(Run(list));
    EXPECT_EQ((std::vector<uint32_t>{1, 0, 0, 0, 1}), classes);
    EXPECT_LT(Fake().BytesRead("M:\\c\\first"), 1u << 20);  // let go at its first block
}

// A file that shrinks, grows or goes while it is read is not the file that was listed: it
// drops out, counted as unreadable, and its partners still group.
TEST_F(Match, FileChangingWhileRead)
{
    const std::string content = Pattern(2u << 20, 5);
    enum Change { kShrinks, kGrows, kVanishes };
    for (Change change : {kShrinks, kGrows, kVanishes}) {
        Reset();
        std::vector<FoundFileRecord*> files = {Add("a", content), Add("changing", content), Add("b", content)};
        bool done = false;
        Fake().OnRead([&](const std::string& path, uint64_t offset) {
            if (done || path != "M:\\c\\changing" || offset < (1u << 20))
                return;
            done = true;
            if (change == kShrinks)
                Fake().SetContent(path, content.substr(0, 1500000));
            else if (change == kGrows)
                Fake().SetContent(path, content + "more");
            else
                Fake().Remove(path);
        });
        ASSERT_TRUE(Run(files));
        EXPECT_TRUE(done);
        EXPECT_EQ(0u, classes[1]) << change;
        EXPECT_NE(0u, classes[0]) << change;
        EXPECT_EQ(classes[0], classes[2]) << change;
        EXPECT_EQ(1u, matcher->Unreadable()) << change;
    }
}

// Sets larger than the files held open at once, whose files all agree in their first block:
// every file lands in the right set whether it differs inside the first block or only after
// it (in the middle, or at the end of a long file), copies across the batches it is read in
// included. Each file is opened a few times at most and read about once, and no more files
// are open at once than the limit.
TEST_F(Match, HundredsOfFilesInOneSet)
{
    const int n = 200;
    struct Case
    {
        const char* what;
        size_t size;
        size_t differAt;  // where variant k has its byte k changed
        std::function<int(int)> variant;  // -1: the common content
        std::function<uint32_t(int)> setOf;  // which files share a set (equal numbers), 0: alone
        // Bytes read, in tenths of the data: a copy met only in another batch than its partner's
        // is read a second time to be compared with it.
        uint64_t tenths;
    } cases[] = {
        {"identical", 20000, 1000, [](int) { return -1; }, [](int) { return 1u; }, 11},
        {"distinct in the head", 20000, 1000, [](int k) { return k; }, [](int) { return 0u; }, 11},
        {"distinct after the head", 20000, 17000, [](int k) { return k; }, [](int) { return 0u; }, 11},
        {"pairs across batches", 20000, 17000, [](int k) { return k % 100; },
         [](int k) { return uint32_t(k % 100 + 1); }, 21},
        {"one copy among the distinct", 20000, 5000, [](int k) { return k == 150 ? 3 : k; },
         [](int k) { return k == 3 || k == 150 ? 1u : 0u; }, 11},
        {"long, distinct in the middle", 300000, 150000, [](int k) { return k; }, [](int) { return 0u; }, 11},
        {"long, distinct at the end", 300000, 300000 - n, [](int k) { return k; }, [](int) { return 0u; }, 11},
        {"long, triples", 300000, 150000, [](int k) { return k % 60 == 59 ? -1 : k % 60; },
         [](int k) { return uint32_t(k % 60 + 1); }, 21},
    };
    for (const Case& c : cases) {
        Reset();
        const std::string base = Pattern(c.size, 9);
        std::vector<FoundFileRecord*> files;
        for (int k = 0; k < n; ++k) {
            std::string s = base;
            const int v = c.variant(k);
            if (v >= 0)
                s[c.differAt + v] = char(s[c.differAt + v] ^ 0x55);
            files.push_back(Add("f" + std::to_string(k), s));
        }
        ASSERT_TRUE(Run(files)) << c.what;
        // The sets found are exactly the sets made (a class of 0, or a set of 0, is no set).
        std::map<uint32_t, std::set<int>> made, found;
        for (int i = 0; i < n; ++i) {
            made[c.setOf(i)].insert(i);
            found[classes[i]].insert(i);
            EXPECT_LE(Fake().OpenCount(files[i]->FullPath()), 4) << c.what << " " << i;
        }
        EXPECT_EQ(made[0], found[0]) << c.what;
        made.erase(0);
        found.erase(0);
        std::set<std::set<int>> madeSets, foundSets;
        for (auto& e : made)
            madeSets.insert(e.second);
        for (auto& e : found)
            foundSets.insert(e.second);
        EXPECT_EQ(madeSets, foundSets) << c.what;
        EXPECT_LE(Fake().BytesRead(), uint64_t(n) * c.size * c.tenths / 10) << c.what;
        EXPECT_LE(Fake().MostOpenAtOnce(), int(ContentMatcher::kMaxOpenFiles)) << c.what;
        EXPECT_EQ(0u, matcher->Unreadable()) << c.what;
    }
}

// Runs far larger than the heads' room: 20,000 files of one size, whose 4 KiB heads (or whole
// contents) would take 80 MiB (20 MiB). The memory the reads fill stays within one matcher's
// share of 64 MiB, no more files are open at once than the limit, each file is opened three
// times at most, and the sets are still exactly the copies: contents differ in their first
// bytes, inside a short head, inside a full head but past a short one, past every head, and at
// their last bytes; copies lie half the run apart; an eighth of the files are copies of the
// common content, met in every batch the rounds read, and one file differs from it in its
// last byte alone.
TEST_F(Match, RunLargerThanTheHeadsRoom)
{
    const int n = 20000;
    struct Case
    {
        const char* what;
        uint32_t size;
        std::vector<uint32_t> differAt;  // content v differs from the common one at differAt[v % 5]
    } cases[] = {
        {"longer than a head", 6000, {0, 300, 2000, 4500, 6000 - 3}},
        {"shorter than a head", 1000, {0, 300, 700, 900, 1000 - 3}},
    };
    const int64_t kCommon = -1, kLastByte = -2;
    for (const Case& c : cases) {
        Reset();
        // File k holds content k % (n / 2), but for every ninth of the second half, whose
        // content is its own (and its first half partner is left alone), and every eighth,
        // which holds the common content.
        std::vector<int64_t> content(n);
        for (int k = 0; k < n; ++k)
            content[k] = k % 8 == 4 ? kCommon : k >= n / 2 && k % 9 == 0 ? k : k % (n / 2);
        content[n / 3] = kLastByte;
        const uint32_t size = c.size;
        const std::vector<uint32_t> differAt = c.differAt;
        std::vector<FoundFileRecord*> files;
        for (int k = 0; k < n; ++k) {
            const int64_t v = content[k];
            const std::string name = "f" + std::to_string(k);
            Fake().AddGeneratedFile("M:\\c\\" + name, size, [v, size, differAt](uint64_t offset, uint8_t* out, uint32_t count) {
                for (uint32_t i = 0; i < count; ++i)
                    out[i] = uint8_t(1 + (offset + i) * 131 % 251);
                uint8_t changed[3] = {0, 0, 0};
                uint64_t at = size - 1;
                if (v == kLastByte) {
                    changed[2] = 1;
                    at = size - 3;
                } else if (v >= 0) {
                    const uint32_t w = uint32_t(v) + 1;  // the low byte last, so that it can be the last byte
                    changed[0] = uint8_t(w >> 16);
                    changed[1] = uint8_t(w >> 8);
                    changed[2] = uint8_t(w);
                    at = differAt[v % 5];
                }
                for (int j = 0; j < 3; ++j) {
                    if (at + j >= offset && at + j < offset + count)
                        out[at + j - offset] ^= changed[j];
                }
            });
            files.push_back(Record(name, size));
        }
        ASSERT_TRUE(Run(files)) << c.what;
        std::map<int64_t, std::set<int>> made;
        std::map<uint32_t, std::set<int>> found;
        for (int k = 0; k < n; ++k) {
            made[content[k]].insert(k);
            if (classes[k])
                found[classes[k]].insert(k);
        }
        std::set<std::set<int>> madeSets, foundSets;
        for (auto& e : made) {
            if (e.second.size() >= 2)
                madeSets.insert(e.second);
        }
        for (auto& e : found)
            foundSets.insert(e.second);
        ASSERT_EQ(size_t(n / 8), made[kCommon].size());
        EXPECT_TRUE(madeSets.count(made[kCommon])) << c.what;
        EXPECT_EQ(madeSets.size(), foundSets.size()) << c.what;
        EXPECT_TRUE(madeSets == foundSets) << c.what;  // not printed: thousands of sets
        int mostOpens = 0;
        for (int k = 0; k < n; ++k)
            mostOpens = std::max(mostOpens, Fake().OpenCount(files[k]->FullPath()));
        EXPECT_LE(mostOpens, 3) << c.what;
        EXPECT_LE(Fake().MemoryReadInto(), (uint64_t(64) << 20) / kParallelWorkThreads) << c.what;
        EXPECT_LE(Fake().MostOpenAtOnce(), int(ContentMatcher::kMaxOpenFiles)) << c.what;
        EXPECT_EQ(0u, matcher->Unreadable()) << c.what;
    }
}

// A file that changes while the rounds read it drops out; its copies still group.
TEST_F(Match, FileChangingInALargeSet)
{
    const std::string content = Pattern(20000, 4);
    std::vector<FoundFileRecord*> files;
    for (int k = 0; k < 100; ++k)
        files.push_back(Add("f" + std::to_string(k), content));
    bool changed = false;
    Fake().OnRead([&](const std::string& path, uint64_t offset) {
        if (!changed && path == "M:\\c\\f70" && offset >= 4096) {
            changed = true;
            Fake().SetContent(path, content.substr(0, 10000));
        }
    });
    ASSERT_TRUE(Run(files));
    EXPECT_TRUE(changed);
    EXPECT_EQ(0u, classes[70]);
    EXPECT_NE(0u, classes[0]);
    for (int k = 0; k < 100; ++k)
        EXPECT_EQ(k == 70 ? 0u : classes[0], classes[k]) << k;
    EXPECT_EQ(1u, matcher->Unreadable());
}

// A stop while a large set is read in rounds: heard before the next file's block, and no
// class is given.
TEST_F(Match, StopInALargeSet)
{
    const std::string content = Pattern(200000, 6);
    std::vector<FoundFileRecord*> files;
    for (int k = 0; k < 100; ++k)
        files.push_back(Add("f" + std::to_string(k), content));
    uint64_t atStop = 0;
    int laterReads = 0;
    Fake().OnRead([&](const std::string&, uint64_t offset) {
        if (g_scanStop)
            ++laterReads;
        else if (offset >= 100000) {
            atStop = Fake().BytesRead();
            g_scanStop = 1;
        }
    });
    EXPECT_FALSE(Run(files));
    ASSERT_NE(0u, atStop);
    EXPECT_EQ(0, laterReads);
    EXPECT_LE(Fake().BytesRead() - atStop, 64u * 1024);  // the read under way when it came
    EXPECT_EQ(std::vector<uint32_t>(files.size(), 0), classes);
}

// A stop is heard within one read block in the comparison of two large files.
TEST_F(Match, StopWithinOneBlock)
{
    const uint64_t size = uint64_t(2) << 30;
    std::vector<FoundFileRecord*> files;
    for (const char* name : {"a", "b"}) {
        Fake().AddGeneratedFile(std::string("M:\\c\\") + name, size,
                              [](uint64_t, uint8_t* out, uint32_t count) { memset(out, 'x', count); });
        files.push_back(Record(name, int64_t(size)));
    }
    uint64_t atStop = 0;
    Fake().OnRead([&](const std::string&, uint64_t offset) {
        if (offset >= (uint64_t(256) << 20) && !g_scanStop) {
            atStop = Fake().BytesRead();
            g_scanStop = 1;
        }
    });
    EXPECT_FALSE(Run(files));
    ASSERT_NE(0u, atStop);
    EXPECT_LE(Fake().BytesRead() - atStop, ContentMatcher::kLargestBlock);
    EXPECT_EQ((std::vector<uint32_t>{0, 0}), classes);
}

}  // namespace
