// tests/finder/SignatureTest.cpp
// Content signatures: sample positions, zero runs, budgets by precision.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "finder/ContentSignature.h"
#include "tests/finder/FakeFileSource.h"

namespace {

// Bytes that are never zero, different at every position of a window.
std::string Patterned(size_t size)
{
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i)
        s[i] = char(i % 251 + 1);
    return s;
}

// The signature the sampling rule gives for the given windows.
std::string Expected(const std::string& data, const std::vector<size_t>& positions)
{
    std::string taken = data.substr(0, 32);
    taken.resize(32, '\0');
    for (size_t p : positions)
        taken += data.substr(p, 4);
    return HexEncode(taken.data(), taken.size());
}

std::string Signature(const std::string& data, int percent, int* reads = nullptr)
{
    MemoryFile file(data, reads);
    return ContentSignature(file, int64_t(data.size()), percent);
}

TEST(ContentSignature, SamplePositions)
{
    const std::string s29 = Patterned(29), s30 = Patterned(30), s1000 = Patterned(1000);
    EXPECT_EQ(HexEncode(s29.data(), 29), Signature(s29, 100));  // under the budget: all of it
    // 30 bytes: the first 32 (two past the end stay 0), then 4, 8, 12, 17, 21, 25; 30 does not fit.
    EXPECT_EQ(Expected(s30, {4, 8, 12, 17, 21, 25}), Signature(s30, 100));
    EXPECT_EQ(Expected(s1000, {64, 150, 444, 777, 850, 990, 30}), Signature(s1000, 100));

    struct Row { int percent; std::vector<size_t> positions; };
    const Row rows[] = {
        {70, {64, 150, 444, 777, 850, 990}},  // budget 25: six samples
        {50, {64, 150, 444, 777, 850}},       // budget 20: five
        {30, {64, 150}},                      // budget 10: two
    };
    for (const Row& r : rows)
        EXPECT_EQ(Expected(s1000, r.positions), Signature(s1000, r.percent)) << r.percent;
    const std::string s400 = Patterned(400);  // 500 bytes or less: budget x i / count
    EXPECT_EQ(Expected(s400, {4, 8, 12, 16, 20}), Signature(s400, 50));
}

TEST(ContentSignature, ZeroRunsAreSteppedOver)
{
    const std::string zeros(1000, '\0');
    EXPECT_EQ(std::string(64, '0'), Signature(zeros, 100));

    // Zeros from 60 to 199: the sample at 64 steps to the window at 200, the one at 150 to the
    // window at 198 (two zeros, then data: not all zero).
    std::string gap = Patterned(1000);
    for (size_t i = 60; i < 200; ++i)
        gap[i] = 0;
    EXPECT_EQ(Expected(gap, {200, 198, 444, 777, 850, 990, 30}), Signature(gap, 100));

    // A long zero run is crossed in a few block reads, not 4 bytes at a time.
    std::string sparse(4 << 20, '\0');
    sparse[sparse.size() - 1] = 1;
    int reads = 0;
    std::string sig = Signature(sparse, 100, &reads);
    EXPECT_EQ(64 + 8, int(sig.size()));  // one sample found (the last window), then no more fit
    EXPECT_LT(reads, 400);
}

// The rule read literally: one 4-byte window at a time.
std::string LiteralSignature(const std::string& data, int percent)
{
    const int64_t size = int64_t(data.size());
    const int budget = SignatureBudget(percent);
    if (size < budget)
        return HexEncode(data.data(), data.size());
    const int count = budget / 4;
    std::string taken = data.substr(0, 32);
    taken.resize(32, '\0');
    for (int i = 1; i <= count; ++i) {
        int64_t p = SamplePosition(i, count, budget, size);
        while (p + 4 <= size && data.compare(size_t(p), 4, std::string(4, '\0')) == 0)
            p += 4;
        if (p + 4 > size)
            break;
        taken += data.substr(size_t(p), 4);
    }
    return HexEncode(taken.data(), taken.size());
}

TEST(ContentSignature, BlockReadsGiveTheLiteralRule)
{
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int round = 0; round < 300; ++round) {
        size_t size = next() % 3 == 0 ? next() % 600 : next() % 300000;
        std::string data(size, '\0');
        for (char& c : data)
            c = char(next() >> 16 | 1);
        for (int runs = next() % 4; runs > 0 && size > 0; --runs) {  // zero runs of all lengths
            size_t at = next() % size, length = next() % (size - at + 1);
            std::fill(data.begin() + long(at), data.begin() + long(at + length), '\0');
        }
        const int percent = int(next() % 101);
        ASSERT_EQ(LiteralSignature(data, percent), Signature(data, percent))
            << "size " << size << " precision " << percent;
    }
}

TEST(ContentSignature, ReadSampleRules)
{
    const std::string data = Patterned(100);
    MemoryFile file(data);
    uint8_t dest[16] = {};
    uint32_t taken = 0;
    EXPECT_FALSE(ReadSample(nullptr, dest, 0, 4, 100, &taken));
    EXPECT_FALSE(ReadSample(&file, nullptr, 0, 4, 100, &taken));
    EXPECT_FALSE(ReadSample(&file, dest, 0, 9, 100, &taken));  // chunk above 8
    EXPECT_FALSE(ReadSample(&file, dest, 97, 4, 100, &taken));  // does not fit before the end
    EXPECT_TRUE(ReadSample(&file, dest, 96, 4, 100, &taken));
    EXPECT_EQ(4u, taken);
    EXPECT_EQ(data[96], char(dest[0]));
}

TEST(ContentSignature, HexEncode)
{
    const unsigned char bytes[] = {0x00, 0x0f, 0xa0, 0xff};
    EXPECT_EQ("000fa0ff", HexEncode(bytes, 4));
    EXPECT_EQ("", HexEncode(nullptr, 4));
    EXPECT_EQ("", HexEncode(bytes, 0));
}

}  // namespace
