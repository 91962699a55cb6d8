// tests/engine/ntfs/NtfsVolumeTest.cpp
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "engine/device/MemoryDevice.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/ntfs/NtfsVolumeAnalyze.h"
#include "tests/engine/ntfs/NtfsImages.h"
#include "tests/engine/ImageFixture.h"

TEST(CNtfsVolumeAnalyze, ReadsTotalAndLabel)
{
    struct Case { const char* image; uint32_t sectorSize; const char* label; };
    const Case cases[] = {{"ntfs.img", 512, "NTLABEL"}, {"ntfs4k.img", 4096, "BIGSECT"}, {"nolabel.img", 512, ""}};
    for (const Case& c : cases) {
        std::vector<unsigned char> image = NtfsImage(c.image);
        ASSERT_FALSE(image.empty()) << c.image;
        CMemoryDevice device(image, c.sectorSize);
        CNtfsVolumeAnalyze volume(&device, 0);
        EXPECT_EQ(kFsNtfs, volume.GetFileSystemType()) << c.image;
        // mkntfs keeps the last sector for the backup boot sector.
        EXPECT_EQ(image.size() / c.sectorSize - 1, volume.GetTotalSectors()) << c.image;
        EXPECT_EQ(c.label, LabelOf(volume)) << c.image;
    }
}

TEST(CNtfsVolumeAnalyze, LabelCopyAndOffsetVolume)
{
    std::vector<unsigned char> bytes(2048 * 512, 0);
    std::vector<unsigned char> image = NtfsImage("ntfs.img");
    bytes.insert(bytes.end(), image.begin(), image.end());
    CMemoryDevice device(bytes);
    CNtfsVolumeAnalyze volume(&device, 2048);
    EXPECT_EQ(kFsNtfs, volume.GetFileSystemType());
    char buffer[12];
    memset(buffer, '#', sizeof(buffer));
    volume.GetVolumeLabel(buffer, 8);
    EXPECT_EQ(0, memcmp(buffer, "NTLABEL", 8));  // the eighth byte is the field's zero
    EXPECT_EQ('#', buffer[8]);
}

TEST(IsNtfsBootSector, PatchedFields)
{
    std::vector<unsigned char> image = NtfsImage("ntfs.img");
    ASSERT_TRUE(IsNtfsBootSector(image.data()));
    struct Patch { const char* why; size_t offset; std::vector<unsigned char> bytes; bool signatureStays; };
    const Patch patches[] = {
        {"OEM name", 3, {'N', 'T', 'F', 'X'}, false},
        {"520-byte sectors", 11, {0x08, 0x02}, true},
        {"no sector size", 11, {0, 0}, true},
        {"3 sectors per cluster", 13, {3}, true},
        {"reserved sectors", 14, {1}, true},
        {"FAT count", 16, {2}, true},
        {"root entries", 17, {1}, true},
        {"16-bit total", 19, {1}, true},
        {"FAT sectors", 22, {1}, true},
        {"32-bit total", 32, {1}, true},
        {"signature", 510, {0x55, 0x00}, true},
    };
    for (const Patch& p : patches) {
        std::vector<unsigned char> patched = image;
        memcpy(patched.data() + p.offset, p.bytes.data(), p.bytes.size());
        EXPECT_FALSE(IsNtfsBootSector(patched.data())) << p.why;
        EXPECT_EQ(p.signatureStays, IsNtfsSignature(patched.data())) << p.why;
        NtfsBootSector boot;
        EXPECT_FALSE(boot.Load(patched.data())) << p.why;
        CMemoryDevice device(patched);
        CNtfsVolumeAnalyze volume(&device, 0);
        EXPECT_EQ(kFsNone, volume.GetFileSystemType()) << p.why;
        EXPECT_EQ(0u, volume.GetTotalSectors()) << p.why;
    }
    // The name is matched ignoring case; 4096-byte sectors with 8 sectors per cluster pass.
    std::vector<unsigned char> other = image;
    memcpy(other.data() + 3, "ntfs", 4);
    other[11] = 0x00;
    other[12] = 0x10;
    other[13] = 8;
    EXPECT_TRUE(IsNtfsBootSector(other.data()));
}

TEST(GetMftRecordSize, SignedClusterCount)
{
    std::vector<unsigned char> image = NtfsImage("ntfs.img");
    struct Case { int8_t value; uint8_t sectorsPerCluster; uint32_t size; };
    const Case cases[] = {{-10, 8, 1024}, {0, 8, 1024}, {2, 8, 8192}, {-12, 1, 4096},
                          {-128, 8, 0}, {-31, 8, 0}, {127, 128, 0}};
    for (const Case& c : cases) {
        image[64] = uint8_t(c.value);
        image[13] = c.sectorsPerCluster;
        NtfsBootSector boot;
        ASSERT_TRUE(boot.Load(image.data()));
        EXPECT_EQ(c.size, GetMftRecordSize(boot)) << int(c.value);
    }
}

TEST(CNtfsVolumeAnalyze, DamagedMftKeepsTypeWithoutLabel)
{
    struct Damage { const char* why; size_t delta; unsigned char value; };
    // Offsets from the start of record 3 of the MFT ($Volume).
    const Damage damages[] = {{"record magic", 0, 'X'}, {"update-sequence tail", 510, 0x77},
                              {"update-sequence count", 6, 17}};
    std::vector<unsigned char> image = NtfsImage("ntfs.img");
    NtfsBootSector boot;
    ASSERT_TRUE(boot.Load(image.data()));
    const size_t record = size_t(boot.GetMftCluster() * boot.GetSectorsPerCluster() * 512 + 3 * 1024);
    for (const Damage& d : damages) {
        std::vector<unsigned char> patched = image;
        patched[record + d.delta] = d.value;
        CMemoryDevice device(patched);
        CNtfsVolumeAnalyze volume(&device, 0);
        EXPECT_EQ(kFsNtfs, volume.GetFileSystemType()) << d.why;
        EXPECT_EQ("", LabelOf(volume)) << d.why;
    }
    // An MFT placed past the end of the device: the read fails, the volume is still NTFS.
    std::vector<unsigned char> far = image;
    far[48 + 5] = 0x01;
    CMemoryDevice device(far);
    CNtfsVolumeAnalyze volume(&device, 0);
    EXPECT_EQ(kFsNtfs, volume.GetFileSystemType());
    EXPECT_EQ("", LabelOf(volume));
    far[48 + 7] = 0xFF;  // cluster x cluster size would overflow
    CMemoryDevice overflow(far);
    EXPECT_EQ("", LabelOf(*std::unique_ptr<IVolume>(new CNtfsVolumeAnalyze(&overflow, 0))));
}

// A label longer than the 80 bytes kept is cut between whole characters: the label is the
// longest start of ntfslabel's reading that fits.
TEST(CNtfsVolumeAnalyze, LongLabelsAreCutBetweenCharacters)
{
    for (const char* name : {"longlabel.img", "straddle.img"}) {
        std::vector<unsigned char> bytes = NtfsImage((std::string(name) + ".label").c_str());
        const std::string whole = AnsiOfUtf8(std::string(bytes.begin(), bytes.end()));
        ASSERT_GT(whole.size(), 80u) << name;
        CMemoryDevice device(NtfsImage(name));
        CNtfsVolumeAnalyze volume(&device, 0);
        ASSERT_EQ(kFsNtfs, volume.GetFileSystemType()) << name;
        const std::string label = LabelOf(volume);
        EXPECT_LE(label.size(), 80u) << name;
        EXPECT_GE(label.size(), 79u) << name;
        EXPECT_EQ(whole.substr(0, label.size()), label) << name;
    }
    CMemoryDevice device(NtfsImage("longlabel.img"));
    CNtfsVolumeAnalyze letters(&device, 0);
    EXPECT_EQ(std::string(80, 'L'), LabelOf(letters));
#ifndef _WIN32
    CMemoryDevice straddleDevice(NtfsImage("straddle.img"));
    CNtfsVolumeAnalyze straddle(&straddleDevice, 0);
    EXPECT_EQ(std::string(79, 'a') + "_", LabelOf(straddle));
#endif
}
