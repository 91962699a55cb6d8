// tests/engine/device/DiskDeviceWin32Test.cpp
// The physical disk's failure paths: under Wine drive 0 opens onto a disk whose reads fail.
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
    if (!disk.IsOpen())
        GTEST_SKIP() << "no drive 0";
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
    DiskDescription description;
    if (disk.GetDeviceDescription(&description)) {
        char name[260];
        GetBusTypeName(description.busType, name, sizeof(name));
        EXPECT_STREQ(name, description.busTypeName);
    }
    EXPECT_EQ(0, disk.ReadDiskSignature());  // zeros from the unreadable sector 0
    void* layout = nullptr;
    if (disk.DeviceIoControlGrow(&layout, IOCTL_DISK_GET_DRIVE_LAYOUT_EX))
        free(layout);
}
