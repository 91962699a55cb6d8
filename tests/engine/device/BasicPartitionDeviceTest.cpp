// tests/engine/device/BasicPartitionDeviceTest.cpp
// A partition window reads its parent's sectors at an offset and zeros past its end.
#include <gtest/gtest.h>

#include <vector>

#include "engine/device/BasicPartitionDevice.h"
#include "engine/device/MemoryDevice.h"

namespace {

std::vector<unsigned char> NumberedSectors(unsigned count)
{
    std::vector<unsigned char> bytes(count * 512);
    for (unsigned i = 0; i < count; ++i)
        std::fill(bytes.begin() + i * 512, bytes.begin() + (i + 1) * 512, static_cast<unsigned char>(i + 1));
    return bytes;
}

}  // namespace

TEST(BasicPartitionDevice, ReadsAtOffsetAndZerosPastTheEnd)
{
    CMemoryDevice disk(NumberedSectors(20));
    CBasicPartitionDevice part(&disk, 4, 6);
    EXPECT_EQ(6u, part.GetTotalSectors());
    EXPECT_EQ(512u, part.GetBytesPerSector());
    EXPECT_EQ(4u, part.GetStartSector());
    std::vector<unsigned char> buffer(4 * 512, 0xCC);
    ASSERT_TRUE(part.ReadSectors(buffer.data(), 4, 4));
    EXPECT_EQ(9, buffer[0]);          // parent sector 8
    EXPECT_EQ(10, buffer[512]);       // parent sector 9
    EXPECT_EQ(0, buffer[2 * 512]);    // past the window
    EXPECT_EQ(0, buffer[4 * 512 - 1]);
}

TEST(BasicPartitionDevice, RefusesReadsOutsideTheWindow)
{
    CMemoryDevice disk(NumberedSectors(20));
    CBasicPartitionDevice part(&disk, 4, 6);
    std::vector<unsigned char> buffer(8 * 512);
    EXPECT_FALSE(part.ReadSectors(buffer.data(), 6, 1));
    EXPECT_FALSE(part.ReadSectors(buffer.data(), 0, 7));
    EXPECT_FALSE(part.ReadSectors(nullptr, 0, 1));
    CBasicPartitionDevice orphan(nullptr, 0, 6);
    EXPECT_EQ(512u, orphan.GetBytesPerSector());
    EXPECT_FALSE(orphan.ReadSectors(buffer.data(), 0, 1));
}

TEST(BasicPartitionDevice, WindowBeyondParentFailsWithoutWrapping)
{
    CMemoryDevice disk(NumberedSectors(20));
    CBasicPartitionDevice tooFar(&disk, 18, 6);  // damaged table: passes the disk's end
    std::vector<unsigned char> buffer(4 * 512);
    EXPECT_FALSE(tooFar.ReadSectors(buffer.data(), 1, 4));
    CBasicPartitionDevice wraps(&disk, ~uint64_t(0) - 1, 10);
    EXPECT_FALSE(wraps.ReadSectors(buffer.data(), 4, 1));
}
