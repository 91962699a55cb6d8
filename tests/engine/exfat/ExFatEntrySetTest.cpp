// tests/engine/exfat/ExFatEntrySetTest.cpp
// Entry sets are hand-made: no tool here puts files into an exFAT image without mounting it.
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "engine/exfat/ExFatEntrySet.h"
#include "engine/volume/WideToAnsi.h"

namespace {

const uint32_t kStamp = (46u << 25) | (6u << 21) | (15u << 16) | (10u << 11) | (30u << 5) | 5;

void Put16(unsigned char* p, uint32_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
void Put32(unsigned char* p, uint32_t v) { for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i)); }

std::vector<unsigned char> EntrySet(const std::vector<uint16_t>& name, bool inUse, uint32_t cluster, uint32_t length);

// File + Stream Extension + File Name entries for name, in use or deleted.
std::vector<unsigned char> EntrySet(const std::string& name, bool inUse, uint32_t cluster, uint32_t length)
{
    return EntrySet(std::vector<uint16_t>(name.begin(), name.end()), inUse, cluster, length);
}

std::vector<unsigned char> EntrySet(const std::vector<uint16_t>& name, bool inUse, uint32_t cluster, uint32_t length)
{
    const size_t names = (name.size() + 14) / 15;
    std::vector<unsigned char> bytes(32 * (2 + names), 0);
    unsigned char* file = bytes.data();
    file[0] = inUse ? 0x85 : 0x05;
    file[1] = uint8_t(1 + names);
    Put16(file + 4, 0x20);
    Put32(file + 8, kStamp);
    Put32(file + 12, kStamp);
    Put32(file + 16, kStamp);
    unsigned char* stream = file + 32;
    stream[0] = inUse ? 0xC0 : 0x40;
    stream[1] = 0x01;
    stream[3] = uint8_t(name.size());
    Put32(stream + 20, cluster);
    Put32(stream + 8, length);
    Put32(stream + 24, length);
    for (size_t i = 0; i < names; ++i) {
        unsigned char* e = file + 64 + 32 * i;
        e[0] = inUse ? 0xC1 : 0x41;
        for (size_t u = 0; u < 15 && i * 15 + u < name.size(); ++u)
            Put16(e + 2 + 2 * u, name[i * 15 + u]);
    }
    return bytes;
}

}  // namespace

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
            Put32(set.data() + 52, 1);
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
