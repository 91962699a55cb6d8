// tests/engine/fat/FatVolumeTest.cpp
#include <gtest/gtest.h>
#include <string.h>

#include "engine/device/LittleEndian.h"
#include "engine/device/MemoryDevice.h"
#include "engine/fat/FatBootSector.h"
#include "engine/fat/FatDirectory.h"
#include "engine/fat/FatVolumeAnalyze.h"
#include "tests/engine/fat/FatImages.h"
#include "tests/engine/ImageFixture.h"

TEST(FatVolumeAnalyze, RecognisesEachTypeWithTotalAndLabel)
{
    struct Case { const char* image; uint32_t type; const char* label; };
    const Case cases[] = {{"fat12.img", kFsFat12, "MYDISK12"},
                          {"fat16.img", kFsFat16, "DATA16"},
                          {"fat32.img", kFsFat32, "VOL 32"},
                          {"fat32chain.img", kFsFat32, "CHAINED"}};
    for (const Case& c : cases) {
        CMemoryDevice device(FatImage(c.image));
        ASSERT_GT(device.GetTotalSectors(), 0u) << c.image;
        CFatVolumeAnalyze volume(&device, 0);
        EXPECT_EQ(c.type, volume.GetFileSystemType()) << c.image;
        EXPECT_EQ(FatGoldenNumber(std::string(c.image) + ".size") / 512, volume.GetTotalSectors()) << c.image;
        EXPECT_EQ(c.label, LabelOf(volume)) << c.image;
    }
}

namespace {

std::string GoldenText(const std::string& name)
{
    std::vector<unsigned char> bytes = FatImage(name);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

// Volumes that the formatter makes and the checkers read: the analyser agrees with fsck.fat on
// the total and with fatlabel on the label.
TEST(FatVolumeAnalyze, AgreesWithTheRealToolsOnEveryLayout)
{
    struct Case { const char* image; uint32_t type; const char* why; };
    const Case cases[] = {
        {"floppy360.img", kFsFat12, "360 KiB floppy, 112 root entries"},
        {"floppy720.img", kFsFat12, "720 KiB floppy, 112 root entries"},
        {"onefat16.img", kFsFat16, "one FAT, 112 root entries, label with inner spaces"},
        {"oemlabel.img", kFsFat12, "label in the OEM code page"},
        {"fat12big.img", kFsFat12, "FAT12 total in the 32-bit field"},
        {"small32.img", kFsFat32, "FAT32 total in the 16-bit field, label in the second root cluster"},
    };
    for (const Case& c : cases) {
        CMemoryDevice device(FatImage(c.image));
        ASSERT_GT(device.GetTotalSectors(), 0u) << c.image;
        CFatVolumeAnalyze volume(&device, 0);
        EXPECT_EQ(c.type, volume.GetFileSystemType()) << c.why;
        uint64_t total = FatGoldenNumber(std::string(c.image) + ".total");
        EXPECT_GT(total, 0u) << c.why;
        EXPECT_EQ(total, volume.GetTotalSectors()) << c.why;
        std::string label = GoldenText(std::string(c.image) + ".label");
        EXPECT_FALSE(label.empty()) << c.why;
        EXPECT_EQ(AnsiOfUtf8(label), LabelOf(volume)) << c.why;
    }
    // The golden itself: inner spaces are part of the label.
    EXPECT_EQ("PHOTOS  OLD", GoldenText("onefat16.img.label"));
}

// A root cluster past the clusters of the volume names bytes outside it: a copy of the root
// directory put there is not read.
TEST(FatVolumeAnalyze, RootClusterOutsideTheVolumeIsNotRead)
{
    const std::vector<unsigned char> image = FatImage("small32.img");
    FatBootSector boot(image.data(), 512);
    ASSERT_EQ(kFsFat32, boot.GetType());
    const uint32_t count = boot.GetClusterCount();
    ASSERT_EQ(32232u, count);
    const size_t data = (boot.GetReservedSectors() + size_t(2) * boot.GetSectorsPerFat()) * 512;
    // The volume is shrunk to 100 clusters (2 to 101); the label cluster (3) is copied to
    // cluster c and the root made to start there.
    struct Case { uint32_t cluster; const char* label; };
    const Case cases[] = {{50, "SMALLCHAIN"}, {101, "SMALLCHAIN"}, {102, ""}, {5000, ""}};
    for (const Case& c : cases) {
        std::vector<unsigned char> shrunk = image;
        uint32_t total = uint32_t(data / 512) + 100;
        shrunk[19] = uint8_t(total);
        shrunk[20] = uint8_t(total >> 8);
        memcpy(shrunk.data() + data + size_t(c.cluster - 2) * 512, image.data() + data + 512, 512);
        for (int i = 0; i < 4; ++i)
            shrunk[44 + i] = uint8_t(c.cluster >> (8 * i));
        ASSERT_EQ(100u, FatBootSector(shrunk.data(), 512).GetClusterCount());
        CMemoryDevice device(shrunk);
        CFatVolumeAnalyze volume(&device, 0);
        EXPECT_EQ(kFsFat32, volume.GetFileSystemType()) << c.cluster;
        EXPECT_EQ(c.label, LabelOf(volume)) << c.cluster;
    }
}

TEST(FatVolumeAnalyze, Fat16WithoutSixteenBitTotalReportsTheThirtyTwoBitTotal)
{
    CMemoryDevice device(FatImage("fat16big-head.img"));
    CFatVolumeAnalyze volume(&device, 0);
    EXPECT_EQ(kFsFat16, volume.GetFileSystemType());
    EXPECT_EQ(FatGoldenNumber("fat16big.total"), volume.GetTotalSectors());
    EXPECT_EQ(81920u, volume.GetTotalSectors());
    EXPECT_EQ("BIGDATA", LabelOf(volume));
}

TEST(FatVolumeAnalyze, VolumeInsideALargerDevice)
{
    std::vector<unsigned char> bytes(64 * 512, 0);
    std::vector<unsigned char> image = FatImage("fat12.img");
    bytes.insert(bytes.end(), image.begin(), image.end());
    CMemoryDevice device(bytes);
    CFatVolumeAnalyze volume(&device, 64);
    EXPECT_EQ(kFsFat12, volume.GetFileSystemType());
    EXPECT_EQ("MYDISK12", LabelOf(volume));
}

TEST(FatVolumeAnalyze, LabelCopyIsExactlyTheAskedSize)
{
    CMemoryDevice device(FatImage("fat12.img"));
    CFatVolumeAnalyze volume(&device, 0);
    char buffer[16];
    memset(buffer, '#', sizeof(buffer));
    volume.GetVolumeLabel(buffer, 8);
    EXPECT_EQ(0, memcmp(buffer, "MYDISK12", 8));
    EXPECT_EQ('#', buffer[8]);
}

// One field of a real boot sector patched: the volume is no longer taken for FAT.
TEST(FatBootSector, PatchedFieldsAreNotThisFileSystem)
{
    struct Patch { const char* image; size_t offset; std::vector<unsigned char> bytes; const char* why; };
    const Patch patches[] = {
        {"fat12.img", 16, {0}, "no FAT"},
        {"fat12.img", 16, {3}, "three FATs"},
        {"fat12.img", 13, {3}, "cluster not a power of two"},
        {"fat12.img", 13, {0}, "no sectors per cluster"},
        {"fat12.img", 11, {0x00, 0x04}, "sector size differs from the device"},
        {"fat12.img", 17, {0x00, 0x00}, "no root entries"},
        {"fat12.img", 17, {0x01, 0x01}, "root not a whole number of sectors"},
        {"fat12.img", 22, {0x00, 0x00}, "no FAT sectors"},
        {"fat12.img", 510, {0x55, 0x00}, "signature"},
        {"fat12.img", 54, {'F', 'A', 'T', '1', '3'}, "type text"},
        {"fat16.img", 22, {0x00, 0x00}, "no FAT sectors"},
        {"fat32.img", 36, {0, 0, 0, 0}, "no FAT sectors"},
        {"fat32.img", 82, {'N', 'T', 'F', 'S'}, "type text"},
    };
    for (const Patch& p : patches) {
        std::vector<unsigned char> image = FatImage(p.image);
        ASSERT_GT(image.size(), 512u);
        EXPECT_TRUE(FatBootSector(image.data(), 512).IsValid()) << p.image;
        memcpy(image.data() + p.offset, p.bytes.data(), p.bytes.size());
        FatBootSector boot(image.data(), 512);
        EXPECT_EQ(kFsNone, boot.GetType()) << p.image << ": " << p.why;
        EXPECT_EQ(0u, boot.GetTotalSectors()) << p.why;
        CMemoryDevice device(image);
        CFatVolumeAnalyze volume(&device, 0);
        EXPECT_EQ(kFsNone, volume.GetFileSystemType()) << p.why;
        EXPECT_EQ(0u, volume.GetTotalSectors()) << p.why;
        EXPECT_EQ("", LabelOf(volume)) << p.why;
    }
}

TEST(FatBootSector, TypeTextIgnoresCaseAndSizeMustMatchTheDevice)
{
    std::vector<unsigned char> image = FatImage("fat12.img");
    memcpy(image.data() + 54, "fat12   ", 8);
    EXPECT_EQ(kFsFat12, FatBootSector(image.data(), 512).GetType());
    EXPECT_EQ(kFsNone, FatBootSector(image.data(), 1024).GetType());
    EXPECT_EQ(kFsNone, FatBootSector(image.data(), 0).GetType());
    CMemoryDevice device(image, 1024);
    EXPECT_EQ(kFsNone, CFatVolumeAnalyze(&device, 0).GetFileSystemType());
}

TEST(FatBootSector, OwningCopyOutlivesTheSector)
{
    std::vector<unsigned char> image = FatImage("fat32.img");
    FatBootSectorCopy copy(image.data(), 512);
    memset(image.data(), 0, 512);
    EXPECT_EQ(kFsFat32, copy.Get().GetType());
    EXPECT_EQ(2u, copy.Get().GetRootCluster());
    EXPECT_EQ(1u, copy.Get().GetSectorsPerCluster());
    EXPECT_EQ(32u, copy.Get().GetReservedSectors());
}

TEST(IsBootSignature, NeedsFirstByteAndSignature)
{
    std::vector<unsigned char> image = FatImage("fat16.img");
    EXPECT_EQ(1, IsBootSignature(image.data()));
    image[0] = 0;
    EXPECT_EQ(0, IsBootSignature(image.data()));
    image[0] = 0xEB;
    image[511] = 0;
    EXPECT_EQ(0, IsBootSignature(image.data()));
}

// Damaged or hostile media: reads that fail, and a root chain that loops.
TEST(FatVolumeAnalyze, DamagedMediaEndsTheLabelSearch)
{
    // Only the boot sectors survive: the type is known, the label cannot be read.
    std::vector<unsigned char> image = FatImage("fat16.img");
    image.resize(4 * 512);
    CMemoryDevice shortDevice(image);
    CFatVolumeAnalyze truncated(&shortDevice, 0);
    EXPECT_EQ(kFsFat16, truncated.GetFileSystemType());
    EXPECT_EQ("", LabelOf(truncated));

    // Too short for the four boot sectors: not recognised.
    image.resize(3 * 512);
    CMemoryDevice tinyDevice(image);
    EXPECT_EQ(kFsNone, CFatVolumeAnalyze(&tinyDevice, 0).GetFileSystemType());
    EXPECT_EQ(kFsNone, CFatVolumeAnalyze(nullptr, 0).GetFileSystemType());
}

TEST(FatVolumeAnalyze, LoopingRootChainEndsWithoutLabel)
{
    std::vector<unsigned char> image = FatImage("fat32chain.img");
    FatBootSector boot(image.data(), 512);
    ASSERT_EQ(kFsFat32, boot.GetType());
    const size_t fat = size_t(boot.GetReservedSectors()) * 512;
    uint32_t second = GetU32(image.data() + fat + 2 * 4) & 0x0FFFFFFF;
    ASSERT_GE(second, 3u);
    // The second cluster of the root points back to the first.
    image[fat + second * 4] = 2;
    image[fat + second * 4 + 1] = 0;
    image[fat + second * 4 + 2] = 0;
    image[fat + second * 4 + 3] = 0;
    CMemoryDevice device(image);
    CFatVolumeAnalyze volume(&device, 0);
    EXPECT_EQ(kFsFat32, volume.GetFileSystemType());
    EXPECT_EQ("", LabelOf(volume));
}

TEST(FatVolumeAnalyze, ReservedHighBitsOfFat32EntriesAreIgnored)
{
    std::vector<unsigned char> image = FatImage("fat32chain.img");
    const size_t fat = size_t(FatBootSector(image.data(), 512).GetReservedSectors()) * 512;
    image[fat + 2 * 4 + 3] |= 0xF0;
    CMemoryDevice device(image);
    CFatVolumeAnalyze volume(&device, 0);
    EXPECT_EQ("CHAINED", LabelOf(volume));
}

TEST(FatClusterToSector, FixedRootAndClusterHeap)
{
    std::vector<unsigned char> image = FatImage("fat16.img");
    CMemoryDevice device(image);
    FatDirectoryReader reader(&device);
    FatBootSector boot(image.data(), 512);
    // 1 reserved + 2 x 64 FAT sectors + 512 x 32 / 512 root sectors.
    EXPECT_EQ(1u + 128 + 32, FatClusterToSector(reader, 0, boot, 2));
    EXPECT_EQ(100u + 1 + 128 + 32 + 3, FatClusterToSector(reader, 100, boot, 5));
    std::vector<unsigned char> blank(512, 0);
    EXPECT_EQ(~uint64_t(0), FatClusterToSector(reader, 0, FatBootSector(blank.data(), 512), 2));
}

// A removed label (Windows marks its entry 0xE5 and keeps its attribute) is no label: the
// search passes over it to a live label after it, or finds none.
TEST(FatVolumeAnalyze, DeletedLabelEntryIsPassedOver)
{
    std::vector<unsigned char> image = FatImage("fat16.img");
    FatBootSector boot(image.data(), 512);
    ASSERT_EQ(kFsFat16, boot.GetType());
    const size_t root = (size_t(boot.GetReservedSectors()) + size_t(boot.GetNumberOfFats()) * boot.GetSectorsPerFat()) * 512;
    size_t label = 0, end = 0;
    for (size_t o = root; o < root + boot.GetRootEntries() * 32u; o += 32) {
        if (image[o] == 0) {
            end = o;
            break;
        }
        if (image[o + 11] == 0x08 && image[o] != 0xE5)
            label = o;
    }
    ASSERT_NE(0u, label);
    ASSERT_NE(0u, end);
    // The live label moves to the end of the directory; its old place holds a removed one.
    memcpy(image.data() + end, image.data() + label, 32);
    memcpy(image.data() + label, "\xE5STALE     ", 11);
    {
        CMemoryDevice device(image);
        CFatVolumeAnalyze volume(&device, 0);
        EXPECT_EQ("DATA16", LabelOf(volume));
    }
    memset(image.data() + end, 0, 32);
    CMemoryDevice device(image);
    CFatVolumeAnalyze volume(&device, 0);
    EXPECT_EQ(kFsFat16, volume.GetFileSystemType());
    EXPECT_EQ("", LabelOf(volume));
}

// A file written at midnight has the time word 0, which is no damage; an hour of 24 is. The
// label follows the file in the root, so it is found only when the file's entry passes.
TEST(FatVolumeAnalyze, ZeroTimeWordIsMidnightButHourTwentyFourIsDamage)
{
    const std::vector<unsigned char> image = FatImage("fat16late.img");
    FatBootSector boot(image.data(), 512);
    ASSERT_EQ(kFsFat16, boot.GetType());
    const size_t root = (size_t(boot.GetReservedSectors()) + size_t(boot.GetNumberOfFats()) * boot.GetSectorsPerFat()) * 512;
    ASSERT_EQ(0, memcmp(image.data() + root, "SMALL   TXT", 11));
    ASSERT_EQ(0x08, image[root + 32 + 11]);
    auto labelWithTimes = [&](uint16_t creation, uint16_t write) {
        std::vector<unsigned char> patched = image;
        PutU16(patched.data() + root + 14, creation);
        PutU16(patched.data() + root + 22, write);
        CMemoryDevice device(patched);
        CFatVolumeAnalyze volume(&device, 0);
        return LabelOf(volume);
    };
    EXPECT_EQ("LATE", labelWithTimes(0, 0));
    EXPECT_EQ("", labelWithTimes(0, 24 << 11));
    EXPECT_EQ("", labelWithTimes(24 << 11, 0));
}
