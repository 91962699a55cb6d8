// tests/engine/device/DiskDeviceWin32Test.cpp
// The physical disk's failure paths: under Wine drive 0 opens onto a disk whose reads fail
// (the test prefix maps it; on Windows drive 0 is the system disk).
#include <gtest/gtest.h>

#include <vector>

#include "engine/device/DiskDevice.h"

TEST(DiskDevice, RefusesNumbersOutOfRange)
{
    for (int number : {-1, 20, 64}) {
        CDiskDevice disk(number);
        EXPECT_FALSE(disk.IsOpen()) << number;
        EXPECT_EQ(0u, disk.GetTotalSectors());
        std::vector<unsigned char> buffer(512, 0xCC);
        EXPECT_FALSE(disk.ReadSectors(buffer.data(), 0, 1));
        EXPECT_EQ(0, buffer[0]);  // a closed disk zero-fills
        EXPECT_EQ(-1, disk.ReadDiskSignature());
        DiskDescription description;
        EXPECT_FALSE(disk.GetDeviceDescription(&description));
    }
    EXPECT_EQ(20, CDiskDevice(20).GetDiskNumber());
    EXPECT_EQ(-1, CDiskDevice(21).GetDiskNumber());
}

TEST(DiskDevice, UnreadableDiskReadsAsZerosAndRemembersTheRange)
{
    CDiskDevice disk(0);
    ASSERT_TRUE(disk.IsOpen());
    EXPECT_EQ(512u, disk.GetBytesPerSector());
    EXPECT_GT(disk.GetTotalSectors(), 0u);
    EXPECT_EQ(0u, disk.IsDynamicDisk());
    std::vector<unsigned char> buffer(8 * 512, 0xCC);
    ASSERT_TRUE(disk.ReadSectors(buffer.data(), 100, 8));  // skipping is on by default
    for (unsigned char b : buffer)
        ASSERT_EQ(0, b);
    EXPECT_TRUE(disk.GetBadRanges().Overlaps(100, 108));
    std::vector<unsigned char> huge(1);
    EXPECT_FALSE(disk.ReadSectors(huge.data(), 0, uint64_t(1) << 40));  // refused before any copy
    EXPECT_EQ(0, disk.ReadDiskSignature());  // zeros from the unreadable sector 0

    // Past the disk's end nothing is read, not even as zeros: with skipping on, a failed read
    // there would be success with zeros and a bad range beyond the disk.
    const uint64_t total = disk.GetTotalSectors();
    std::vector<unsigned char> one(512, 0xCC);
    EXPECT_FALSE(disk.ReadSectors(one.data(), total, 1));
    EXPECT_FALSE(disk.ReadSectors(one.data(), total - 1, 2));
    EXPECT_FALSE(disk.ReadSectors(one.data(), uint64_t(1) << 62, 1));  // the byte offset would wrap
    EXPECT_FALSE(disk.GetBadRanges().Overlaps(total, total + 1));
    EXPECT_TRUE(disk.ReadSectors(one.data(), total - 1, 1));  // the last sector is inside

    DiskDescription description;
    ASSERT_TRUE(disk.GetDeviceDescription(&description));
    EXPECT_STRNE("", description.busTypeName);
    // Wine has no drive layout: a failed request hands out no buffer.
    void* layout = reinterpret_cast<void*>(1);
    EXPECT_EQ(0, disk.DeviceIoControlGrow(&layout, IOCTL_DISK_GET_DRIVE_LAYOUT_EX));
    EXPECT_EQ(nullptr, layout);
}
