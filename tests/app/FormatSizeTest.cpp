// tests/app/FormatSizeTest.cpp
#include "app/ResourceHelper.h"

#include <gtest/gtest.h>

TEST(FormatSize, UnitsAtEachThreshold)
{
    const struct {
        long long bytes;
        const char* text;
    } cases[] = {
        {0, "0B"},
        {1023, "1023B"},
        {1024, "1.00KB"},
        {1536, "1.50KB"},
        {1048575, "1024.00KB"},
        {1048576, "1.00MB"},
        {1073741823LL, "1024.00MB"},
        {1073741824LL, "1.00GB"},
        {1099511627775LL, "1024.00GB"},
        {1099511627776LL, "1.00TB"},
        {5LL << 40, "5.00TB"},
        {4294967296LL + 5, "4.00GB"},   // past 32 bits: no truncation to an int
        {-5, "-5B"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResourceHelper::FormatSize(c.bytes), c.text) << c.bytes;
}
