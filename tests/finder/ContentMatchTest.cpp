// tests/finder/ContentMatchTest.cpp
// The content comparison that confirms every group: exact for any difference anywhere (also
// where no sample looks, and past 4 GiB), safe against files that change while read, bounded
// in open files, and prompt to stop.
#include <gtest/gtest.h>

#include <stdint.h>

#include <memory>
#include <set>

#include "finder/ContentMatch.h"
#include "finder/ContentSignature.h"
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

// Bytes that are never zero, so every sample lands where it is asked to.
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

// One byte differs (first, middle, last, or one that no sample of the signature reads, at any
// precision): the copy that differs never joins, the two equal ones always do.
TEST_F(Match, AnyDifferentByteKeepsFilesApart)
{
    struct Case
    {
        size_t size;
        size_t differAt;
        bool samplesAgree;  // the difference lies where the signature does not look
    } cases[] = {
        {100, 0, false},           {100, 50, true},           {100, 99, true},
        {5000, 0, false},          {5000, 2500, true},        {5000, 4999, true},
        {3u << 20, 0, false},      {(3u << 20) + 7, (3u << 20) / 2, true},
        {3u << 20, (3u << 20) - 1, true},  {3u << 20, 1000, true},
        {3u << 20, (3u << 20) - 5000, true},  // just before the last block, which is read early
    };
    for (const Case& c : cases) {
        Reset();
        const std::string base = Pattern(c.size, unsigned(c.size));
        const std::string other = Flipped(base, c.differAt);
        for (int percent : {100, 90, 80, 50, 10}) {
            MemoryFile a(base), b(other);
            EXPECT_EQ(c.samplesAgree, ContentSignature(a, int64_t(c.size), percent) ==
                                          ContentSignature(b, int64_t(c.size), percent))
                << c.size << " at " << c.differAt << ", precision " << percent;
        }
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

// Groups larger than the files held open at once: every file lands in the right set, and no
// more files are open at once than the limit. The distinct files agree in every sampled byte,
// so only the comparison can tell them apart.
TEST_F(Match, HundredsOfFilesInOneSet)
{
    const size_t size = 20000;
    const std::string base = Pattern(size, 9);
    auto variant = [&](int k) {
        std::string s = base;
        s[1000 + k] = char(s[1000 + k] ^ 0x55);  // no sample reads bytes 1000 to 1200
        return s;
    };
    struct Case
    {
        const char* what;
        std::function<std::string(int)> content;
        std::function<uint32_t(int)> setOf;  // which files share a set (equal numbers), 0: alone
    } cases[] = {
        {"identical", [&](int) { return base; }, [](int) { return 1u; }},
        {"distinct", [&](int k) { return variant(k); }, [](int) { return 0u; }},
        {"pairs", [&](int k) { return variant(k % 50); }, [](int k) { return uint32_t(k % 50 + 1); }},
    };
    for (const Case& c : cases) {
        Reset();
        std::vector<FoundFileRecord*> files;
        for (int k = 0; k < 100; ++k)
            files.push_back(Add("f" + std::to_string(k), c.content(k)));
        ASSERT_TRUE(Run(files));
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(c.setOf(i) != 0, classes[i] != 0) << c.what << " " << i;
            for (int j = i + 1; j < 100; ++j) {
                const bool together = c.setOf(i) != 0 && c.setOf(i) == c.setOf(j);
                EXPECT_EQ(together, classes[i] != 0 && classes[i] == classes[j]) << c.what << " " << i << " " << j;
            }
        }
        EXPECT_LE(Fake().MostOpenAtOnce(), int(ContentMatcher::kMaxOpenFiles)) << c.what;
    }
}

// A stop is heard within one read block: in the comparison of two large files and in the
// signature's stepping over a long run of zeros.
TEST_F(Match, StopWithinOneBlock)
{
    const uint64_t size = uint64_t(2) << 30;
    struct Case
    {
        const char* what;
        uint8_t fill;
        uint32_t block;  // the largest read that may still come after the stop
    } cases[] = {
        {"comparison", 'x', ContentMatcher::kLargestBlock},
        {"zero run", 0, 64 * 1024},
    };
    for (const Case& c : cases) {
        Reset();
        std::vector<FoundFileRecord*> files;
        for (const char* name : {"a", "b"}) {
            const uint8_t fill = c.fill;
            Fake().AddGeneratedFile(std::string("M:\\c\\") + name, size,
                                  [fill](uint64_t, uint8_t* out, uint32_t count) { memset(out, fill, count); });
            files.push_back(Record(name, int64_t(size)));
        }
        uint64_t atStop = 0;
        Fake().OnRead([&](const std::string&, uint64_t offset) {
            if (offset >= (uint64_t(256) << 20) && !g_scanStop) {
                atStop = Fake().BytesRead();
                g_scanStop = 1;
            }
        });
        EXPECT_FALSE(Run(files)) << c.what;
        ASSERT_NE(0u, atStop) << c.what;
        EXPECT_LE(Fake().BytesRead() - atStop, c.block) << c.what;
        EXPECT_EQ((std::vector<uint32_t>{0, 0}), classes) << c.what;
        g_scanStop = 0;
    }
}

}  // namespace
