// tests/engine/exfat/ExFatEntrySetTest.cpp
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "engine/exfat/ExFatEntrySet.h"
#include "engine/volume/WideToAnsi.h"
#include "tests/engine/exfat/ExFatEntryBuilder.h"

TEST(ExFatEntrySetState, SetsAcrossEntriesAndBuffers)
{
    ExFatEntrySetState parser;
    parser.Begin(8192, 9, 12);
    std::vector<unsigned char> a = EntrySet("short.txt", true, 10, 100);
    std::vector<unsigned char> b = EntrySet("a name longer than fifteen units.bin", false, 20, 5000);
    std::vector<unsigned char> all = a;
    all.insert(all.end(), b.begin(), b.end());
    all.resize(all.size() + 32, 0);  // the end marker fails the feed, after both sets
    EXPECT_FALSE(parser.Feed(all.data(), all.size(), 4096));
    ASSERT_EQ(2u, parser.Finished().size());
    EXPECT_EQ("short.txt", parser.Finished()[0].name);
    EXPECT_EQ(10u, parser.Finished()[0].firstCluster);
    EXPECT_EQ(100u, parser.Finished()[0].dataLength);
    EXPECT_EQ(1u, parser.Finished()[0].inUse);
    EXPECT_EQ(4096u, parser.Finished()[0].position);
    EXPECT_EQ("a name longer than fifteen units.bin", parser.Finished()[1].name);
    EXPECT_EQ(0u, parser.Finished()[1].inUse);
    EXPECT_EQ(4096u + a.size(), parser.Finished()[1].position);

    // A set split over two buffers is joined; saving and restoring the record keeps it.
    parser.Reset();
    EXPECT_TRUE(parser.Feed(b.data(), 64, 0));
    ExFatEntrySetRecord saved = parser.Save();
    parser.Restore(ExFatEntrySetRecord());
    parser.Restore(saved);
    EXPECT_TRUE(parser.Feed(b.data() + 64, b.size() - 64, 64));
    ASSERT_EQ(1u, parser.Finished().size());
    EXPECT_EQ("a name longer than fifteen units.bin", parser.Finished()[0].name);
    EXPECT_TRUE(parser.Feed(all.data(), 31, 0));  // too short to hold an entry
}

TEST(ExFatEntrySetState, BrokenSets)
{
    ExFatEntrySetState parser;
    parser.Begin(8192, 9, 12);
    // A name entry whose in-use bit differs from its File entry ends the set without a result.
    std::vector<unsigned char> mixed = EntrySet("mixed.txt", true, 10, 100);
    mixed[64] = 0x41;
    EXPECT_TRUE(parser.Feed(mixed.data(), mixed.size(), 0));
    EXPECT_TRUE(parser.Finished().empty());
    // A stream with no File before it is accepted but starts nothing.
    std::vector<unsigned char> orphan = EntrySet("orphan", true, 10, 100);
    EXPECT_TRUE(parser.Feed(orphan.data() + 32, orphan.size() - 32, 0));
    EXPECT_TRUE(parser.Finished().empty());
    // Failed tests end the feed.
    struct Case { const char* why; size_t offset; unsigned char value; };
    const Case cases[] = {{"File with bit 5", 0, 0xA5},        {"one secondary", 1, 1},
                          {"Stream reserved byte", 34, 1},     {"Stream first cluster 1", 52, 1},
                          {"Name flags", 65, 1},               {"unknown type", 64, 0xC7}};
    for (const Case& c : cases) {
        std::vector<unsigned char> set = EntrySet("x.txt", true, 10, 100);
        if (c.offset == 52)
            PutU32(set.data() + 52, 1);
        else
            set[c.offset] = c.value;
        parser.Reset();
        EXPECT_FALSE(parser.Feed(set.data(), set.size(), 0)) << c.why;
        EXPECT_TRUE(parser.Finished().empty()) << c.why;
    }
    // Two parsers do not share their state.
    parser.Reset();
    ExFatEntrySetState other;
    other.Begin(8192, 9, 12);
    std::vector<unsigned char> set = EntrySet("x.txt", true, 10, 100);
    EXPECT_TRUE(other.Feed(set.data(), 64, 0));
    EXPECT_EQ(0u, parser.Current().step);
    EXPECT_EQ(2u, other.Current().step);
}

// A character whose units fall into two File Name entries (units 15 and 16) is converted as
// one character, as the whole name is.
TEST(ExFatEntrySetState, CharacterSplitAcrossNameEntriesStaysWhole)
{
    std::vector<uint16_t> name(14, 'n');
    name.push_back(0xD83D);  // U+1F600 as a surrogate pair
    name.push_back(0xDE00);
    name.push_back('x');
    std::vector<unsigned char> set = EntrySet(name, true, 10, 100);
    ExFatEntrySetState parser;
    parser.Begin(8192, 9, 12);
    EXPECT_TRUE(parser.Feed(set.data(), set.size(), 0));
    ASSERT_EQ(1u, parser.Finished().size());
    char whole[64] = {};
    ASSERT_NE(0, WideToAnsi(name.data(), uint32_t(name.size()), whole, sizeof(whole)));
    EXPECT_EQ(whole, parser.Finished()[0].name);
#ifndef _WIN32
    EXPECT_EQ(std::string(14, 'n') + "_x", parser.Finished()[0].name);
#endif
}
