// tests/engine/volume/VolumeCorruptionTest.cpp
// Real images with random bytes overwritten: where the analysers look (boot sectors, FATs, root
// directories, MFT records) every analyser must end, stay inside its buffers (the native run
// has the address sanitizer) and give a terminated label; where a format keeps a second copy or
// a checksum (backup boot sectors, the second FAT, the GPT's two headers, compressed chunks)
// the answer must be the undamaged one, or a refusal, never a different answer.
#include <bzlib.h>
#include <gtest/gtest.h>
#include <string.h>
#include <zlib.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "engine/device/LittleEndian.h"
#include "engine/device/MemoryDevice.h"
#include "engine/exfat/ExFatVolumeAnalyzer.h"
#include "engine/image/Decompressor.h"
#include "engine/ldm/LdmDatabase.h"
#include "engine/partition/PartitionTable.h"
#include "engine/volume/FileSystemDetect.h"
#include "engine/volume/VolumeAnalyzerList.h"
#include "tests/engine/ImageFixture.h"
#include "tests/engine/ldm/LdmTestWriter.h"

namespace {

// A fixed-seed generator: every run patches the same bytes, so a failure can be replayed.
struct Lcg {
    uint32_t state;
    uint32_t Next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

}  // namespace

TEST(VolumeCorruption, AnalysersSurviveRandomDamage)
{
    struct Case { const char* folder; const char* image; size_t regionStart; size_t regionBytes; };
    const Case cases[] = {
        {"fat", "fat12.img", 0, 16 * 1024},
        {"fat", "fat16.img", 0, 96 * 1024},
        {"fat", "fat32chain.img", 0, 32 * 1024},
        {"fat", "fat32chain.img", 16 * 1024, 540 * 1024},
        {"ntfs", "ntfs.img", 0, 64 * 1024},
        {"exfat", "exfat.img", 0, 4096},
        {"exfat", "exfat.img", 4096 * 512, 64 * 1024},
    };
    Lcg random{12345};
    for (const Case& c : cases) {
        const std::vector<unsigned char> clean = FixtureImage(c.folder, c.image);
        ASSERT_GE(clean.size(), c.regionStart + c.regionBytes) << c.image;
        CMemoryDevice device(clean);
        for (int round = 0; round < 150; ++round) {
            std::vector<unsigned char>& bytes = device.Bytes();
            bytes = clean;
            // A few bytes, some of them in the boot sector so that its fields go wild too.
            int patches = 1 + int(random.Next() % 16);
            for (int i = 0; i < patches; ++i) {
                size_t at = (i % 4 == 0) ? random.Next() % 512 : c.regionStart + random.Next() % c.regionBytes;
                bytes[at] = uint8_t(random.Next());
            }
            VolumeAnalyzerList list(&device, 0);
            IVolume* volume = list.FirstUsable();
            ASSERT_NE(nullptr, volume);
            char label[101];
            memset(label, 0, sizeof(label));
            volume->GetVolumeLabel(label, 100);
            EXPECT_LT(strlen(label), 100u) << c.image << " round " << round;
            for (int32_t code = 0; code <= 3; ++code) {
                char byType[100] = {};
                ReadVolumeLabelByType(&device, code, byType);
                EXPECT_LT(strnlen(byType, sizeof(byType)), sizeof(byType));
            }
            DetectFileSystem(bytes.data(), 512);
        }
    }
}

namespace {

using Answer = std::tuple<uint32_t, uint64_t, std::string>;

Answer AnswerOf(IStorageDevice& device)
{
    VolumeAnalyzerList list(&device, 0);
    IVolume* volume = list.FirstUsable();
    if (!volume)
        return Answer(kFsNone, 0, "");
    return Answer(volume->GetFileSystemType(), volume->GetTotalSectors(), LabelOf(volume));
}

void Damage(std::vector<unsigned char>& bytes, Lcg& random, size_t from, size_t size, int patches)
{
    for (int i = 0; i < patches; ++i)
        bytes[from + random.Next() % size] ^= uint8_t(1 + random.Next() % 255);
}

using Partitions = std::vector<std::pair<uint64_t, uint64_t>>;

Partitions PartitionsOf(IStorageDevice& disk)
{
    std::vector<PartitionInfo> records;
    CPartitionTableAnalyze::Analyze(disk, records);
    Partitions out;
    for (const PartitionInfo& r : records)
        out.emplace_back(r.startSector, r.lengthSectors);
    return out;
}

}  // namespace

TEST(VolumeCorruption, DamageToSecondCopiesLeavesTheAnswer)
{
    // Regions that hold a second copy the analysers must not read while the first is sound:
    // the second FAT, NTFS's backup boot sector (the last sector), exFAT's backup boot region.
    struct Case { const char* folder; const char* image; };
    const Case cases[] = {{"fat", "fat12.img"}, {"fat", "fat16.img"}, {"fat", "fat32chain.img"},
                          {"ntfs", "ntfs.img"}, {"exfat", "exfat.img"}};
    Lcg random{777};
    for (const Case& c : cases) {
        const std::vector<unsigned char> clean = FixtureImage(c.folder, c.image);
        ASSERT_GE(clean.size(), 64u * 1024) << c.image;
        CMemoryDevice device(clean);
        const Answer expected = AnswerOf(device);
        ASSERT_NE(kFsNone, std::get<0>(expected)) << c.image;
        size_t from = 0, size = 0;
        if (std::string(c.folder) == "fat") {
            const size_t reserved = GetU16(&clean[14]);
            const size_t fatSectors = GetU16(&clean[22]) ? GetU16(&clean[22]) : GetU32(&clean[36]);
            ASSERT_EQ(2, clean[16]) << c.image;  // two FATs
            from = (reserved + fatSectors) * 512;
            size = fatSectors * 512;
        } else if (std::string(c.folder) == "ntfs") {
            from = clean.size() - 512;
            size = 512;
        } else {
            from = 12 * 512;
            size = 12 * 512;
        }
        for (int round = 0; round < 60; ++round) {
            std::vector<unsigned char>& bytes = device.Bytes();
            bytes = clean;
            Damage(bytes, random, from, size, 1 + int(random.Next() % 64));
            EXPECT_EQ(expected, AnswerOf(device)) << c.image << " round " << round;
        }
    }
}

TEST(VolumeCorruption, GptDamageInOneCopyLeavesThePartitionsInBothItRefuses)
{
    const std::vector<unsigned char> clean = FixtureImage("partition", "gpt.img");
    ASSERT_EQ(8u * 1024 * 1024, clean.size());
    CMemoryDevice disk(clean);
    const Partitions expected = PartitionsOf(disk);
    ASSERT_EQ(3u, expected.size());
    const size_t sectors = clean.size() / 512;
    const size_t primary = 512, backup = (sectors - 33) * 512, copy = 33 * 512;  // header and entries
    Lcg random{4242};
    for (int round = 0; round < 150; ++round) {
        std::vector<unsigned char>& bytes = disk.Bytes();
        bytes = clean;
        const int which = round % 3;  // primary, backup, both
        if (which != 1)
            Damage(bytes, random, primary, copy, 1 + int(random.Next() % 8));
        if (which != 0)
            Damage(bytes, random, backup, copy, 1 + int(random.Next() % 8));
        const Partitions got = PartitionsOf(disk);
        // Damage inside the unused part of an entry array still passes no CRC: both copies
        // damaged may leave a sound one or none, never a third layout.
        if (which == 2 && got.empty())
            continue;
        EXPECT_EQ(expected, got) << "round " << round << " copy " << which;
    }
}

TEST(VolumeCorruption, MbrAndEbrDamageListsOnlySectorsOfTheDisk)
{
    const std::vector<unsigned char> clean = FixtureImage("partition", "dos.img");
    CMemoryDevice disk(clean);
    ASSERT_EQ(4u, PartitionsOf(disk).size());  // a primary and three logicals
    const uint64_t total = disk.GetTotalSectors();
    Lcg random{99};
    for (int round = 0; round < 300; ++round) {
        std::vector<unsigned char>& bytes = disk.Bytes();
        bytes = clean;
        // The partition table and the EBRs of the chain (sectors 4096, and after each logical).
        const size_t tables[] = {0, 4096, 4096 + 2049, 4096 + 4098, 4096 + 2048, 4096 + 4096};
        for (int i = 0; i < 3; ++i)
            Damage(bytes, random, tables[random.Next() % 6] * 512 + 446, 66, 1);
        for (const auto& [start, length] : PartitionsOf(disk)) {
            EXPECT_GT(length, 0u) << "round " << round;
            EXPECT_LE(start + length, total) << "round " << round;
        }
    }
}

TEST(VolumeCorruption, LdmDamageOnOneDiskAddsNoVolumeAndLeavesNoMemberOutsideItsDisk)
{
    using namespace ldmtest;
    Layout l;
    l.Disk(10, "disk-a");
    l.Disk(11, "disk-b");
    l.Volume(20, "Mirror", 3, 200);
    l.Component(21, 1, 2, 20);
    l.Partition(22, 0, 0, 200, 21, 10, 0);
    l.Partition(23, 0, 0, 200, 21, 11, 0);
    l.Volume(30, "Span", 3, 300);
    l.Component(31, 2, 2, 30);
    l.Partition(32, 200, 0, 100, 31, 10, 0);
    l.Partition(33, 200, 100, 200, 31, 11, 0);
    const std::vector<unsigned char> cleanA = DynamicDisk(4000, 512, "disk-a", l.area);
    CMemoryDevice a(cleanA), b(DynamicDisk(4000, 512, "disk-b", l.area));
    std::vector<DynamicVolumeEntry> undamaged;
    LdmDatabase().Collect({&a, &b}, undamaged);
    ASSERT_EQ(2u, undamaged.size());
    Lcg random{2024};
    int wrong = 0;  // rounds with a volume too many or a member outside its disk
    for (int round = 0; round < 200; ++round) {
        a.Bytes() = cleanA;
        // The database area of disk a (its private header is in the last sector).
        Damage(a.Bytes(), random, kDatabaseStart * 512, l.area.size(), 1 + int(random.Next() % 6));
        std::vector<DynamicVolumeEntry> got;
        LdmDatabase().Collect({&a, &b}, got);
        bool sound = got.size() <= undamaged.size();
        for (DynamicVolumeEntry& v : got) {
            ASSERT_TRUE(v.device) << "round " << round;
            std::vector<const MemberExtent*> members;
            v.device->GetMembers(members);
            for (const MemberExtent* m : members) {
                if (m->device && m->start + m->length > m->device->GetTotalSectors())
                    sound = false;
            }
        }
        wrong += sound ? 0 : 1;
    }
    // The disks' copies of the database are weighed against each other: a damaged one never
    // adds a volume or places a member outside its disk.
    EXPECT_EQ(0, wrong);
}

TEST(VolumeCorruption, DamagedChunkDecodesToItsSectorsOrFails)
{
    // bzip2 and zlib streams carry a checksum: a damaged chunk must never decode to other
    // sectors. Raw LZMA has none; it must only end inside its buffers.
    const std::vector<unsigned char> volume = FixtureImage("fat", "fat16.img");
    ASSERT_GE(volume.size(), 256u * 512);
    const std::vector<unsigned char> chunk(volume.begin(), volume.begin() + 256 * 512);
    std::vector<unsigned char> bz(chunk.size() + chunk.size() / 50 + 1024);
    unsigned int bzSize = unsigned(bz.size());
    ASSERT_EQ(BZ_OK, BZ2_bzBuffToBuffCompress(reinterpret_cast<char*>(bz.data()), &bzSize,
                                             const_cast<char*>(reinterpret_cast<const char*>(chunk.data())),
                                             unsigned(chunk.size()), 9, 0, 0));
    bz.resize(bzSize);
    std::vector<unsigned char> zl(compressBound(uLong(chunk.size())));
    uLongf zlSize = uLongf(zl.size());
    ASSERT_EQ(Z_OK, compress(zl.data(), &zlSize, chunk.data(), uLong(chunk.size())));
    zl.resize(zlSize);
    const struct { uint32_t compression; const std::vector<unsigned char>* stored; } cases[] = {
        {kImageBzip2, &bz}, {kImageZlib, &zl}};
    Lcg random{31337};
    for (const auto& c : cases) {
        std::unique_ptr<IDecompressor> decoder(CreateDecompressor(c.compression));
        std::vector<unsigned char> out(chunk.size());
        ASSERT_EQ(long(chunk.size()), DecompressChunk(decoder.get(), c.stored->data(), c.stored->size(), out.data(),
                                                      out.size()));
        ASSERT_TRUE(out == chunk);
        int failures = 0;
        for (int round = 0; round < 200; ++round) {
            std::vector<unsigned char> damaged = *c.stored;
            Damage(damaged, random, 0, damaged.size(), 1 + int(random.Next() % 4));
            std::fill(out.begin(), out.end(), 0);
            const long produced = DecompressChunk(decoder.get(), damaged.data(), damaged.size(), out.data(), out.size());
            if (produced < 0) {
                ++failures;
                continue;
            }
            EXPECT_EQ(long(chunk.size()), produced) << c.compression << " round " << round;
            EXPECT_TRUE(out == chunk) << c.compression << " round " << round;
        }
        EXPECT_GT(failures, 0) << c.compression;  // the damage did reach the decoder
    }
}
