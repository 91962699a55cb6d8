// tests/engine/image/ChunkCacheTest.cpp
// The decoded chunks an image device keeps: the least recently used one goes first.
#include <gtest/gtest.h>

#include <vector>

#include "engine/image/ChunkCache.h"

namespace {
std::vector<unsigned char> Bytes(unsigned char value) { return std::vector<unsigned char>(4, value); }
}  // namespace

TEST(ChunkCache, KeepsTheMostRecentlyUsedChunks)
{
    ChunkCache cache(2);
    cache.Insert(1, Bytes(0x11));
    cache.Insert(2, Bytes(0x22));
    ASSERT_NE(nullptr, cache.Find(1));  // 1 is now more recent than 2
    cache.Insert(3, Bytes(0x33));       // 2 goes
    EXPECT_EQ(nullptr, cache.Find(2));
    ASSERT_NE(nullptr, cache.Find(1));
    EXPECT_EQ(0x11, cache.Find(1)[3]);
    ASSERT_NE(nullptr, cache.Find(3));
    EXPECT_EQ(0x33, cache.Find(3)[0]);
    EXPECT_EQ(2u, cache.Size());
    // A chunk inserted again replaces its bytes instead of taking a second place.
    cache.Insert(3, Bytes(0x44));
    EXPECT_EQ(0x44, cache.Find(3)[0]);
    EXPECT_EQ(2u, cache.Size());
    ASSERT_NE(nullptr, cache.Find(1));
}

TEST(ChunkCache, CapacityZeroKeepsNothing)
{
    ChunkCache cache(0);
    EXPECT_EQ(nullptr, cache.Insert(7, Bytes(1)));
    EXPECT_EQ(nullptr, cache.Find(7));
    EXPECT_EQ(0u, cache.Size());
}
