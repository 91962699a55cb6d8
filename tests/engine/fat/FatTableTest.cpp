// tests/engine/fat/FatTableTest.cpp
#include <gtest/gtest.h>

#include "engine/device/LittleEndian.h"
#include "engine/device/MemoryDevice.h"
#include "engine/fat/FatBootSector.h"
#include "engine/fat/FatTable.h"
#include "tests/engine/fat/FatImages.h"

TEST(CFAT16Table, RealTableLoadsAndWidensMarks)
{
    std::vector<unsigned char> image = FatImage("fat16.img");
    FatBootSector boot(image.data(), 512);
    const size_t fat = size_t(boot.GetReservedSectors()) * 512;
    PutU16(image.data() + fat + 40 * 2, 0xFFF7);
    CMemoryDevice device(image);
    CFAT16Table table(&device, boot.GetReservedSectors(), boot.GetSectorsPerFat());
    EXPECT_EQ(boot.GetSectorsPerFat() * 512 / 2, table.GetEntryCount());
    EXPECT_EQ(1, table.LoadTable());
    EXPECT_EQ(0x0FFFFFF8u, table.GetNextCluster(1));   // 0xFFFF
    EXPECT_EQ(0x0FFFFFF7u, table.GetNextCluster(40));  // bad cluster
    EXPECT_EQ(0u, table.GetNextCluster(table.GetEntryCount()));
}

TEST(CFAT16Table, DamagedTablesFail)
{
    struct Case { const char* why; uint32_t cluster; uint32_t value; };
    const Case cases[] = {{"media entry", 0, 0xFFF0},
                          {"points to itself", 30, 30},
                          {"points to 1", 30, 1},
                          {"points past the table", 30, 0xFF00}};
    for (const Case& c : cases) {
        std::vector<unsigned char> image = FatImage("fat16.img");
        FatBootSector boot(image.data(), 512);
        PutU16(image.data() + size_t(boot.GetReservedSectors()) * 512 + c.cluster * 2, uint16_t(c.value));
        CMemoryDevice device(image);
        CFAT16Table table(&device, boot.GetReservedSectors(), boot.GetSectorsPerFat());
        EXPECT_EQ(0, table.LoadTable()) << c.why;
    }
}

TEST(CFAT32Table, JoinedChainsAndLoopsFail)
{
    std::vector<unsigned char> image = FatImage("fat32.img");
    FatBootSector boot(image.data(), 512);
    const size_t fat = size_t(boot.GetReservedSectors()) * 512;
    {
        CMemoryDevice device(image);
        CFAT32Table table(&device, boot.GetReservedSectors(), boot.GetSectorsPerFat());
        EXPECT_EQ(1, table.LoadTable());
    }
    struct Link { uint32_t from; uint32_t to; };
    struct Case { const char* why; std::vector<Link> links; int expected; };
    const Case cases[] = {
        {"two chains join", {{5000, 5002}, {5001, 5002}, {5002, 0x0FFFFFFF}, {5003, 5002}}, 0},
        {"5 and 9 both point to 7", {{60005, 60007}, {60009, 60007}, {60007, 0x0FFFFFFF}}, 0},
        {"a loop", {{5000, 5001}, {5001, 5002}, {5002, 5000}}, 0},
        {"a chain into the head of an earlier one", {{5000, 0x0FFFFFFF}, {5001, 5000}}, 1},
        {"a chain in descending order", {{5003, 5002}, {5002, 5001}, {5001, 5000}, {5000, 0x0FFFFFFF}}, 1},
        // The reserved top bits are no part of the cluster number.
        {"reserved bits set on a sound chain", {{5000, 0xF0001389}, {5001, 0xFFFFFFFF}}, 1},
        {"reserved bits hide a loop", {{5000, 0x10001389}, {5001, 0xA0001388}}, 0},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> patched = image;
        for (const Link& link : c.links)
            PutU32(patched.data() + fat + link.from * 4, link.to);
        CMemoryDevice device(patched);
        CFAT32Table table(&device, boot.GetReservedSectors(), boot.GetSectorsPerFat());
        EXPECT_EQ(c.expected, table.LoadTable()) << c.why;
        EXPECT_EQ(c.links[0].to & 0x0FFFFFFF, table.GetNextCluster(c.links[0].from)) << c.why;
    }
}

TEST(CFAT32Table, LengthOutsideLimitsLeavesNoTable)
{
    std::vector<unsigned char> image = FatImage("fat32.img");
    CMemoryDevice device(image);
    CFAT32Table tooShort(&device, 32, 255);
    EXPECT_EQ(0u, tooShort.GetEntryCount());
    EXPECT_EQ(0, tooShort.LoadTable());
    EXPECT_EQ(0u, tooShort.GetNextCluster(2));
    CFAT16Table tooLong(&device, 32, 257);
    EXPECT_EQ(0, tooLong.LoadTable());
    // A FAT that lies beyond the device is a failed read: no table.
    CFAT32Table beyond(&device, device.GetTotalSectors() - 10, 300);
    EXPECT_EQ(0, beyond.LoadTable());
    CFAT32Table noDevice(nullptr, 32, 300);
    EXPECT_EQ(0, noDevice.LoadTable());
}
