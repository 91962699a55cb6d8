// tests/engine/device/BadRangeTableTest.cpp
// Which reads a recorded unreadable range turns into zeros.
#include <gtest/gtest.h>

#include "FailingAllocation.h"
#include "engine/device/BadRangeTable.h"

TEST(BadRangeTable, EmptyTableOverlapsNothing)
{
    BadRangeTable table;
    EXPECT_FALSE(table.Overlaps(0, 1000));
}

TEST(BadRangeTable, OverlapIsHalfOpen)
{
    BadRangeTable table;
    ASSERT_EQ(0u, table.AddRange(100, 200));
    ASSERT_EQ(0u, table.AddRange(5000, 6000));
    struct Case { uint64_t first, end; int overlaps; } cases[] = {
        {0, 100, 0},      // ends where the range starts: only good sectors
        {200, 300, 0},    // starts at the exclusive end
        {0, 101, 1},      // last sector is the first bad one
        {199, 250, 1},    // first sector is the last bad one
        {120, 130, 1},    // inside
        {0, 10000, 1},    // covers both
        {300, 4999, 0},   // between
        {5999, 6000, 1},
        {150, 150, 0},    // empty read
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.overlaps, table.Overlaps(c.first, c.end)) << c.first << ".." << c.end;
}

TEST(BadRangeTable, AddLookupRemoveClear)
{
    BadRangeTable table;
    EXPECT_NE(0u, table.AddRange(10, 10));
    EXPECT_NE(0u, table.AddRange(10, 5));
    ASSERT_EQ(0u, table.AddRange(10, 20));
    ASSERT_EQ(0u, table.AddRange(10, 40));  // same start widens
    BadRange range{};
    ASSERT_TRUE(table.Lookup(10, &range));
    EXPECT_EQ(40u, range.end);
    table.AddRange(1, 2);
    auto all = table.CopyRanges();
    ASSERT_EQ(2u, all.size());
    EXPECT_EQ(1u, all[0].start);
    EXPECT_TRUE(table.Remove(1));
    EXPECT_FALSE(table.Remove(1));
    table.Clear();
    EXPECT_FALSE(table.Overlaps(0, 100));
}

TEST(BadRangeTable, RecordThatCannotBeAllocatedIsError8AndLeavesTheTable)
{
    BadRangeTable table;
    ASSERT_EQ(0u, table.AddRange(10, 20));
    uint32_t added = 0;
    uint32_t widened = 0;
    {
        FailSmallAllocations noRecords(4096);
        added = table.AddRange(100, 200);
        widened = table.AddRange(10, 30);  // an existing record needs no memory
    }
    EXPECT_EQ(8u, added);
    EXPECT_EQ(0u, widened);
    EXPECT_FALSE(table.Overlaps(100, 200));
    EXPECT_TRUE(table.Overlaps(25, 26));
    EXPECT_EQ(1u, table.CopyRanges().size());
}
