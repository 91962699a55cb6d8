// tests/engine/exfat/ExFatTest.cpp
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/device/LittleEndian.h"
#include "engine/device/MemoryDevice.h"
#include "engine/exfat/ExFatBootSector.h"
#include "engine/exfat/ExFatEntries.h"
#include "engine/exfat/ExFatVolumeAnalyzer.h"
#include "engine/exfat/SectorCache.h"
#include "tests/engine/ImageFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WinePath.h"

namespace {

std::vector<unsigned char> ExFatImage(const char* name)
{
#ifdef _WIN32
    return ReadFileBytes(FixtureDir() + "\\exfat\\" + name);
#else
    return ReadFileBytes(FixtureDir() + "/exfat/" + name);
#endif
}

// Where mkfs.exfat put things, read from the boot sector.
struct Geometry {
    explicit Geometry(const std::vector<unsigned char>& image) : f(ReadExFatBootFields(image.data())) {}
    size_t ClusterOffset(uint32_t c) const { return (f.clusterHeapOffset + size_t(c - 2) * (1u << f.sectorsPerClusterShift)) * 512; }
    size_t ClusterBytes() const { return size_t(512) << f.sectorsPerClusterShift; }
    size_t FatEntryOffset(uint32_t c) const { return size_t(f.fatOffset) * 512 + c * 4; }
    ExFatBootFields f;
};

// The root's label entry, found by type.
size_t LabelEntryOffset(const std::vector<unsigned char>& image, const Geometry& g)
{
    size_t root = g.ClusterOffset(g.f.rootCluster);
    for (size_t o = root; o < root + g.ClusterBytes(); o += 32)
        if (image[o] == 0x83)
            return o;
    return 0;
}

void SetLabel(unsigned char* entry, const char* text)
{
    memset(entry + 1, 0, 31);
    entry[1] = uint8_t(strlen(text));
    for (size_t i = 0; text[i]; ++i)
        entry[2 + 2 * i] = uint8_t(text[i]);
}

}  // namespace

// The label agrees with what blkid reads; a label entry no longer in use is no label.
TEST(AnalyzeExFatVolume, ReadsLengthAndLabel)
{
    for (const char* name : {"exfat.img", "nolabel.img", "unusedlabel.img", "ydiaeresis.img"}) {
        std::vector<unsigned char> image = ExFatImage(name);
        CMemoryDevice device(image);
        std::unique_ptr<CExFatVolumeAnalyer> volume(AnalyzeExFatVolume(&device, 0));
        ASSERT_TRUE(volume) << name;
        EXPECT_EQ(kFsExFat, volume->GetFileSystemType()) << name;
        EXPECT_EQ(image.size() / 512, volume->GetTotalSectors()) << name;
        std::vector<unsigned char> golden = ExFatImage((std::string(name) + ".label").c_str());
        EXPECT_EQ(AnsiOfUtf8(std::string(golden.begin(), golden.end())), LabelOf(*volume)) << name;
    }
    std::vector<unsigned char> golden = ExFatImage("exfat.img.label");
    EXPECT_EQ("EXLABEL", std::string(golden.begin(), golden.end()));
    golden = ExFatImage("ydiaeresis.img.label");
    EXPECT_EQ("Y\xC3\xBF ch\xC3\xBFr", std::string(golden.begin(), golden.end()));
}

TEST(AnalyzeExFatVolume, NotExFat)
{
    std::vector<unsigned char> image = ExFatImage("exfat.img");
    EXPECT_EQ(nullptr, AnalyzeExFatVolume(nullptr, 0));
    CMemoryDevice bigSectors(image, 4096);
    EXPECT_EQ(nullptr, AnalyzeExFatVolume(&bigSectors, 0));
    CMemoryDevice device(image);
    EXPECT_EQ(nullptr, AnalyzeExFatVolume(&device, 1));
    EXPECT_EQ(nullptr, AnalyzeExFatVolume(&device, device.GetTotalSectors()));
}

// One field of a real boot sector patched at a time.
TEST(IsExFatBootSector, PatchedFields)
{
    std::vector<unsigned char> image = ExFatImage("exfat.img");
    ASSERT_TRUE(IsExFatBootSector(image.data(), 512));
    struct Patch { const char* why; size_t offset; std::vector<unsigned char> bytes; };
    const Patch patches[] = {
        {"name", 3, {'e'}},
        {"must-be-zero area", 40, {1}},
        {"signature", 511, {0}},
        {"volume length 0", 72, {0, 0, 0, 0, 0, 0, 0, 0}},
        {"FAT offset 0", 80, {0, 0, 0, 0}},
        {"FAT length 0", 84, {0, 0, 0, 0}},
        {"FAT overlaps the heap", 84, {0x00, 0x10, 0, 0}},
        {"heap offset 0", 88, {0, 0, 0, 0}},
        {"heap past the volume", 88, {0x00, 0x30, 0, 0}},
        {"cluster count 0", 92, {0, 0, 0, 0}},
        {"too many clusters", 92, {0x00, 0x04, 0, 0}},
        {"root cluster 1", 96, {1, 0, 0, 0}},
        {"root cluster past the heap", 96, {0x00, 0x10, 0, 0}},
        {"sector shift 8", 108, {8}},
        {"sector shift 13", 108, {13}},
        {"cluster too large", 109, {17}},
        {"no FAT", 110, {0}},
        {"three FATs", 110, {3}},
    };
    for (const Patch& p : patches) {
        std::vector<unsigned char> patched = image;
        memcpy(patched.data() + p.offset, p.bytes.data(), p.bytes.size());
        EXPECT_FALSE(IsExFatBootSector(patched.data(), 512)) << p.why;
        CMemoryDevice device(patched);
        std::unique_ptr<CExFatVolumeAnalyer> volume(AnalyzeExFatVolume(&device, 0));
        EXPECT_EQ(nullptr, volume.get()) << p.why;
    }
}

TEST(ExFatEntries, Timestamps)
{
    const uint32_t good = (46u << 25) | (6u << 21) | (15u << 16) | (10u << 11) | (30u << 5) | 5;
    EXPECT_TRUE(IsValidExFatTimestamp(good));
    EXPECT_TRUE(IsValidExFatTimestamp(good & ~(0x7Fu << 25)));  // year 0
    EXPECT_FALSE(IsValidExFatTimestamp((good & ~(0xFu << 21)) | (13u << 21)));
    EXPECT_FALSE(IsValidExFatTimestamp((good & ~(0xFu << 21))));
    EXPECT_FALSE(IsValidExFatTimestamp((good & ~(0x1Fu << 11)) | (24u << 11)));
    EXPECT_FALSE(IsValidExFatTimestamp((good & ~(0x3Fu << 5)) | (60u << 5)));
    EXPECT_FALSE(IsValidExFatTimestamp((good & ~0x1Fu) | 30));
    EXPECT_FALSE(IsValidExFatTimestamp(good & ~(0x1Fu << 16)));
}

TEST(ExFatEntries, NamesLabelsAndStreams)
{
    unsigned char name[32] = {0xC1};
    name[2] = '"';
    EXPECT_FALSE(IsValidFileNameEntry(name));
    name[2] = 0x2D;
    name[3] = 0x4E;
    EXPECT_TRUE(IsValidFileNameEntry(name));
    name[4] = '|';
    EXPECT_FALSE(IsValidFileNameEntry(name));
    name[4] = 0;
    name[6] = '|';  // after the terminating unit: not looked at
    EXPECT_TRUE(IsValidFileNameEntry(name));
    name[1] = 1;
    EXPECT_FALSE(IsValidFileNameEntry(name));
    name[1] = 0;
    name[2] = 0xFF;  // U+00FF, y with diaeresis: a letter like any other
    name[3] = 0;
    EXPECT_TRUE(IsValidFileNameEntry(name));
    name[2] = 0x19;
    EXPECT_FALSE(IsValidFileNameEntry(name));

    unsigned char label[32] = {0x83};
    SetLabel(label, "ABCDEFGHIJK");
    EXPECT_TRUE(IsValidVolumeLabelEntry(label));
    label[1] = 12;
    EXPECT_FALSE(IsValidVolumeLabelEntry(label));
    SetLabel(label, "AB");
    label[10] = 'X';  // a unit past the count
    EXPECT_FALSE(IsValidVolumeLabelEntry(label));
    SetLabel(label, "AB");
    label[30] = 1;
    EXPECT_FALSE(IsValidVolumeLabelEntry(label));
    SetLabel(label, "AB");
    label[4] = 0xFF;  // "A\u00FF", as exfatlabel writes it
    EXPECT_TRUE(IsValidVolumeLabelEntry(label));
    label[4] = '*';
    EXPECT_FALSE(IsValidVolumeLabelEntry(label));

    unsigned char stream[32] = {0xC0};
    PutU32(stream + 20, 10);
    stream[24] = 0x00;
    stream[25] = 0x10;  // 4096 bytes
    EXPECT_TRUE(IsValidStreamEntry(stream, 9, 12, 8192));
    PutU32(stream + 20, 1);
    EXPECT_FALSE(IsValidStreamEntry(stream, 9, 12, 8192));
    PutU32(stream + 20, 10);
    memset(stream + 24, 0xFF, 8);  // longer than the volume
    EXPECT_FALSE(IsValidStreamEntry(stream, 9, 12, 8192));
    EXPECT_FALSE(IsValidStreamEntry(stream, 200, 12, 8192));  // a shift no boot sector gives
    memset(stream + 24, 0, 8);
    stream[1] = 0x02;  // contiguous: its last cluster must stay below the bad marks
    PutU32(stream + 20, 0xFFFFFFF5);
    stream[25] = 0x20;
    EXPECT_FALSE(IsValidStreamEntry(stream, 9, 12, 0xFFFFFFFFFFull));
}

TEST(WalkExFatRootCluster, LabelThenEndMarker)
{
    std::vector<unsigned char> image = ExFatImage("exfat.img");
    Geometry g(image);
    uint16_t label[kExFatLabelUnits] = {};
    const unsigned char* root = image.data() + g.ClusterOffset(g.f.rootCluster);
    EXPECT_TRUE(WalkExFatRootCluster(root, g.ClusterBytes(), label, 9, 12, g.f.volumeLength));
    EXPECT_EQ('E', label[0]);
    EXPECT_EQ('L', label[6]);
    EXPECT_EQ(0, label[7]);
    EXPECT_FALSE(WalkExFatRootCluster(root, 31, label, 9, 12, g.f.volumeLength));
}

TEST(SectorCache, EntriesAndEmptyCache)
{
    std::vector<unsigned char> image = ExFatImage("exfat.img");
    Geometry g(image);
    CMemoryDevice device(image);
    SectorCache cache;
    EXPECT_EQ(0xFFFFFFFFu, cache.GetFatEntry(2));
    // 0xFFFFFFFF is also the end-of-chain mark: the entries read come from values that no
    // failure could give.
    PutU32(image.data() + g.FatEntryOffset(g.f.rootCluster), 0x12345678);
    const uint32_t last = g.f.fatLength * 128 - 1;
    PutU32(image.data() + g.FatEntryOffset(last), 0x0BADCAFE);
    CMemoryDevice patched(image);
    cache.Open(&patched, g.f.fatOffset, g.f.fatLength);
    EXPECT_EQ(0xFFFFFFF8u, cache.GetFatEntry(0));
    EXPECT_EQ(0x12345678u, cache.GetFatEntry(g.f.rootCluster));
    EXPECT_EQ(0x0BADCAFEu, cache.GetFatEntry(last));
    // Past the region: no entry, and no read beyond it.
    EXPECT_EQ(0xFFFFFFFFu, cache.GetFatEntry(g.f.fatLength * 128));
    cache.Clear();
    EXPECT_EQ(0xFFFFFFFFu, cache.GetFatEntry(0));
    cache.Open(&device, device.GetTotalSectors() - 1, 2);
    EXPECT_TRUE(cache.IsEmpty());
    cache.Open(nullptr, 0, 1);
    EXPECT_TRUE(cache.IsEmpty());
}

TEST(SectorCache, ManyBlocksOfALargeFat)
{
    // Twelve megabytes of FAT whose entry n holds n: blocks are read, dropped and re-read.
    std::vector<unsigned char> bytes(12u << 20);
    for (size_t i = 0; i < bytes.size() / 4; ++i)
        PutU32(bytes.data() + i * 4, uint32_t(i));
    const uint32_t perBlock = (1u << 20) / 4;
    {
        CMemoryDevice device(bytes);
        SectorCache cache;
        cache.Open(&device, 0, uint32_t(device.GetTotalSectors()));
        for (uint32_t round = 0; round < 2; ++round)
            for (uint32_t block = 0; block < 12; ++block)
                EXPECT_EQ(block * perBlock + 7, cache.GetFatEntry(block * perBlock + 7));
        EXPECT_LE(device.ReadCount(), 25u);
    }
    // Nine blocks are held: going round nine reads each once, going round ten cannot keep
    // them all (a cache without its bound would hold the whole FAT).
    struct Case { uint32_t blocks, fewestReads, mostReads; } cases[] = {{9, 9, 9}, {10, 11, 30}};
    for (const Case& c : cases) {
        const uint32_t blocks = c.blocks;
        CMemoryDevice device(bytes);
        SectorCache cache;
        cache.Open(&device, 0, uint32_t(device.GetTotalSectors()));
        for (uint32_t round = 0; round < 3; ++round)
            for (uint32_t block = 0; block < blocks; ++block)
                ASSERT_EQ(block * perBlock + 1, cache.GetFatEntry(block * perBlock + 1));
        EXPECT_GE(device.ReadCount(), c.fewestReads) << blocks;
        EXPECT_LE(device.ReadCount(), c.mostReads) << blocks;
    }
}

// The root directory goes on in the next cluster of its chain only when a cluster is full of
// entries; a chain that loops back ends the walk.
TEST(AnalyzeExFatVolume, RootChainContinuesAndLoopsEnd)
{
    std::vector<unsigned char> image = ExFatImage("exfat.img");
    Geometry g(image);
    size_t labelAt = LabelEntryOffset(image, g);
    ASSERT_NE(0u, labelAt);
    unsigned char entry[32];
    memcpy(entry, image.data() + labelAt, 32);
    const uint32_t root = g.f.rootCluster;
    const uint32_t next = root + 20;
    // The first root cluster: label entries only. The second: another label, then the end.
    for (size_t o = 0; o < g.ClusterBytes(); o += 32)
        memcpy(image.data() + g.ClusterOffset(root) + o, entry, 32);
    SetLabel(entry, "SECOND");
    memset(image.data() + g.ClusterOffset(next), 0, g.ClusterBytes());
    memcpy(image.data() + g.ClusterOffset(next), entry, 32);
    PutU32(image.data() + g.FatEntryOffset(root), next);
    PutU32(image.data() + g.FatEntryOffset(next), 0xFFFFFFFF);
    {
        CMemoryDevice device(image);
        std::unique_ptr<CExFatVolumeAnalyer> volume(AnalyzeExFatVolume(&device, 0));
        ASSERT_TRUE(volume);
        EXPECT_EQ("SECOND", LabelOf(*volume));
    }
    // Now the second cluster is full too, and points back at the first.
    for (size_t o = 0; o < g.ClusterBytes(); o += 32)
        memcpy(image.data() + g.ClusterOffset(next) + o, entry, 32);
    PutU32(image.data() + g.FatEntryOffset(next), root);
    CMemoryDevice device(image);
    std::unique_ptr<CExFatVolumeAnalyer> volume(AnalyzeExFatVolume(&device, 0));
    ASSERT_TRUE(volume);
    EXPECT_EQ("SECOND", LabelOf(*volume));
    EXPECT_LE(device.ReadCount(), 10u);
}

TEST(CExFatVolumeAnalyer, LabelNeedsRoomForTextAndTerminator)
{
    CExFatVolumeAnalyer volume;
    const char* text = "HELLO";
    for (int i = 0; text[i]; ++i)
        volume.m_label[i] = uint16_t(text[i]);
    char buffer[8];
    memset(buffer, '#', sizeof(buffer));
    volume.GetVolumeLabel(buffer, 6);
    EXPECT_EQ('#', buffer[0]);
    volume.GetVolumeLabel(buffer, 7);
    EXPECT_STREQ("HELLO", buffer);
    volume.GetVolumeLabel(nullptr, 7);
}
