// tests/engine/device/DynamicDiskDetectTest.cpp
// Dynamic-disk detection over partition tables made by sfdisk and sgdisk, and over damaged
// extended chains.
#include <gtest/gtest.h>

#include <string.h>

#include "engine/device/DynamicDiskDetect.h"
#include "engine/device/MemoryDevice.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WinePath.h"

namespace {

int DetectInFixture(const char* name)
{
    std::string sep = FixtureDir().find('\\') != std::string::npos ? "\\" : "/";
    CMemoryDevice disk(ReadFileBytes(FixtureDir() + sep + "device" + sep + name));
    EXPECT_GT(disk.GetTotalSectors(), 7u) << name;
    return DetectDynamicDisk(&disk, disk.GetTotalSectors(), 512);
}

void SetEntry(std::vector<unsigned char>& bytes, uint64_t table, int index, unsigned char type, uint32_t start)
{
    unsigned char* entry = bytes.data() + table * 512 + 446 + index * 16;
    entry[4] = type;
    memcpy(entry + 8, &start, 4);
    bytes[table * 512 + 510] = 0x55;
    bytes[table * 512 + 511] = 0xAA;
}

}  // namespace

TEST(DynamicDiskDetect, ToolMadeTables)
{
    EXPECT_EQ(0, DetectInFixture("basic.img"));
    EXPECT_EQ(1, DetectInFixture("ldm_mbr.img"));   // type 0x42 in a logical partition
    EXPECT_EQ(1, DetectInFixture("ldm_gpt.img"));   // both LDM partition names
    EXPECT_EQ(0, DetectInFixture("gpt_half.img"));  // only one of them
}

TEST(DynamicDiskDetect, CyclicExtendedChainEnds)
{
    std::vector<unsigned char> bytes(64 * 512, 0);
    SetEntry(bytes, 0, 0, 0x05, 10);  // extended at 10
    SetEntry(bytes, 10, 1, 0x05, 0);  // next table: base + 0 = itself
    CMemoryDevice self(bytes);
    EXPECT_EQ(0, DetectDynamicDisk(&self, self.GetTotalSectors(), 512));
    SetEntry(bytes, 10, 1, 0x05, 10);  // 10 -> 20
    SetEntry(bytes, 20, 1, 0x05, 0);   // 20 -> 10
    CMemoryDevice loop(bytes);
    EXPECT_EQ(0, DetectDynamicDisk(&loop, loop.GetTotalSectors(), 512));
    SetEntry(bytes, 20, 1, 0x05, 0xFFFFFFF0u);  // beyond the disk
    CMemoryDevice beyond(bytes);
    EXPECT_EQ(0, DetectDynamicDisk(&beyond, beyond.GetTotalSectors(), 512));
}

TEST(DynamicDiskDetect, TooSmallOrUnsizedDisk)
{
    CMemoryDevice tiny(std::vector<unsigned char>(6 * 512, 0));
    EXPECT_EQ(0, DetectDynamicDisk(&tiny, 6, 512));
    CMemoryDevice disk(std::vector<unsigned char>(16 * 512, 0));
    EXPECT_EQ(0, DetectDynamicDisk(&disk, 16, 0));
    EXPECT_EQ(0, DetectDynamicDisk(nullptr, 16, 512));
}
