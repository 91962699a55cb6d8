// tests/engine/collection/MountPointsTest.cpp
// Under Wine the physical drives are fake ones: the machine-wide walk must end with sane,
// possibly empty, results and never crash.
#include <gtest/gtest.h>

#include "engine/collection/MountPointsWin32.h"
#include "engine/collection/VolumeGuidPath.h"

TEST(MountPoints, VolumeGuidPathIsLowerCaseInStoredOrder)
{
    const unsigned char g[16] = {0xAB, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                                 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0xFF};
    EXPECT_EQ("\\\\?\\Volume{ab010203-0405-0607-0809-0a0b0c0d0eff}\\", VolumeGuidPath(g));
}

TEST(MountPoints, LookupsOfUnknownVolumesFindNoLetter)
{
    const unsigned char g[16] = {1, 2, 3};
    EXPECT_EQ(0, GetVolumePathNames(g));
    EXPECT_EQ(0, DynamicVolumeDriveLetter("Volume1", "NoSuchGroup"));
}

TEST(MountPoints, MachineWalkReturnsSaneEntries)
{
    MachinePartitions machine;
    CollectMachinePartitions(machine);
    for (const PartitionEntry& e : machine.entries) {
        ASSERT_TRUE(e.device);
        EXPECT_LE(e.text.size(), 511u);
        EXPECT_TRUE(e.slots[0].disk);
    }
    for (const PartitionEntry& e : machine.lost)
        EXPECT_GT(e.slots[0].length, kLostRegionMinSectors);
}
