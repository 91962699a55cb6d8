// tests/engine/collection/PartitionCollectionTest.cpp
#include <gtest/gtest.h>

#include <string.h>

#include "engine/collection/ElapsedTimeTrace.h"
#include "engine/collection/EnumerationReports.h"
#include "engine/collection/PartitionCollection.h"
#include "engine/device/LittleEndian.h"
#include "engine/device/MemoryDevice.h"
#include "tests/engine/ldm/LdmTestWriter.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WinePath.h"

using namespace ldmtest;

namespace {
std::string Image(const char* name)
{
#ifdef _WIN32
    return FixtureDir() + "\\partition\\" + name;
#else
    return FixtureDir() + "/partition/" + name;
#endif
}

PartitionEntry Lettered(char letter, const char* name)
{
    PartitionEntry e;
    e.driveLetter = letter;
    e.name = name;
    return e;
}
}  // namespace

TEST(PartitionCollection, BasicPartitionsOfAnSfdiskImage)
{
    CMemoryDevice disk(ReadFileBytes(Image("dos.img")));
    ASSERT_GT(disk.GetTotalSectors(), 0u);
    CCollectAllBasicPartitionandDynamicVolume collection;
    collection.driveLetters = [](const CollectionDisk&, std::vector<PartitionInfo>& records) {
        records[2].driveLetter = 'F';
    };
    std::vector<PartitionEntry> out;
    collection.CollectAllBasicPartitionandDynamicVolume({CollectionDisk{&disk, kBusTypeUsb, FormatDiskLine("(Standard)", "Stick", "USB")}}, out);
    ASSERT_EQ(4u, out.size());
    EXPECT_EQ('F', out[0].driveLetter);  // lettered entries first
    EXPECT_EQ(10240u, out[0].slots[0].start);
    EXPECT_EQ(2048u, out[1].slots[0].start);
    for (const PartitionEntry& e : out) {
        EXPECT_EQ(uint32_t(kEntryBasic), e.kind);
        EXPECT_TRUE(e.usb);
        EXPECT_EQ("Stick  USB", e.text);
        EXPECT_EQ(&disk, e.slots[0].disk);
        ASSERT_TRUE(e.device);
        EXPECT_EQ(e.slots[0].length, e.device->GetTotalSectors());
    }
    std::vector<PartitionEntry> none;
    collection.CollectAllBasicPartitionandDynamicVolume({}, none);
    EXPECT_TRUE(none.empty());
}

TEST(PartitionCollection, DynamicVolumeTextKeepsTheLinesThatFit)
{
    // A volume spanned over 12 disks; each disk line is 49 characters, so 10 lines fit in 511.
    Layout l;
    l.Volume(20, "Wide", 3, 12 * 100);
    l.Component(21, 2, 12, 20);
    for (uint64_t d = 0; d < 12; ++d) {
        l.Disk(100 + d, "disk-" + std::to_string(d));
        l.Partition(200 + d, 0, d * 100, 100, 21, 100 + d, 0);
    }
    std::vector<std::unique_ptr<CMemoryDevice>> devices;
    std::vector<CollectionDisk> disks;
    for (int d = 0; d < 12; ++d) {
        devices.emplace_back(new CMemoryDevice(DynamicDisk(4000, 512, "disk-" + std::to_string(d), l.area)));
        disks.push_back(CollectionDisk{devices.back().get(), 0, std::string(48, 'a' + d) + "X"});
    }
    std::vector<PartitionEntry> out;
    CCollectAllBasicPartitionandDynamicVolume collection;
    std::string asked;
    collection.volumeLetters = [&asked](const DynamicVolumeEntry& v) {
        asked = std::string(v.diskGroupName) + "\\" + v.volumeName;
        return 'W';
    };
    collection.CollectDynamicVolumes(disks, out);
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ("Group\\Wide", asked);
    EXPECT_EQ('W', out[0].driveLetter);
    EXPECT_EQ(uint32_t(kEntryDynamic), out[0].kind);
    for (int d = 0; d < 12; ++d)
        EXPECT_EQ(disks[d].device, out[0].slots[d].disk) << d;
    EXPECT_EQ(nullptr, out[0].slots[12].disk);
    EXPECT_EQ(10u * 50 - 1, out[0].text.size());
    EXPECT_NE('\n', out[0].text.back());
    EXPECT_EQ(1200u, out[0].device->GetTotalSectors());
}

TEST(PartitionCollection, FileSystemOfAFormattedPartition)
{
    // mkfs.fat formatted the one partition in place: the analysers name it and its label.
    CMemoryDevice disk(ReadFileBytes(Image("fat.img")));
    std::vector<PartitionEntry> out;
    CCollectAllBasicPartitionandDynamicVolume().CollectAllBasicPartitionandDynamicVolume({CollectionDisk{&disk, 0, "Disk"}}, out);
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ(uint32_t(kFsFat16), out[0].fileSystem);
    EXPECT_EQ("PARTLABEL", out[0].name.substr(0, 9));
    EXPECT_EQ(2048u, out[0].slots[0].start);
    EXPECT_FALSE(out[0].usb);
}

TEST(PartitionCollection, SortPutsLetteredEntriesFirstInOrder)
{
    std::vector<PartitionEntry> entries;
    entries.push_back(Lettered(0, "n1"));
    entries.push_back(Lettered('E', "e"));
    entries.push_back(Lettered('C', "c"));
    entries.push_back(Lettered(0, "n2"));
    entries.push_back(Lettered('D', "d"));
    CCollectAllBasicPartitionandDynamicVolume::sort(entries);
    std::string order;
    for (const PartitionEntry& e : entries)
        order += e.name + " ";
    EXPECT_EQ("c d e n1 n2 ", order);
}

TEST(PartitionCollection, LostRegions)
{
    struct Case {
        const char* what;
        uint64_t total;
        std::vector<DiskRegion> used;
        std::vector<std::pair<uint64_t, uint64_t>> lost;
    } cases[] = {
        {"tail after one partition", 2000000, {{2048, 997952}}, {{1000000, 1000000}}},
        {"small gaps are not lost", 1000000, {{2048, 500000}, {600000, 399000}}, {}},
        {"region inside another", 2000000, {{2048, 1800000}, {4096, 1000}}, {}},
        {"two sizes of one entry", 2000000, {{2048, 1000}, {2048, 1800000}}, {}},
        {"empty disk", 1000000, {}, {{0, 1000000}}},
        // A length near 2^64 must not wrap the end back before the next region.
        {"length that would wrap", 4000000, {{2048, ~uint64_t(0) - 1000}, {1000000, 1000}}, {}},
        {"region past the disk's end", 2000000, {{2048, 997952}, {3000000, 100}}, {{1000000, 1000000}}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<uint64_t, uint64_t>> lost;
        for (const DiskRegion& r : FindLostRegions(c.total, c.used))
            lost.push_back({r.start, r.length});
        EXPECT_EQ(c.lost, lost) << c.what;
    }
}

TEST(PartitionCollection, DiskLine)
{
    EXPECT_EQ("ACME  Disk 1  SATA", FormatDiskLine("ACME", "Disk 1", "SATA"));
    EXPECT_EQ("Disk 1  SATA", FormatDiskLine("(Standard disk drives)", "Disk 1", "SATA"));
    EXPECT_EQ(49u, FormatDiskLine(std::string(40, 'v'), std::string(40, 'p'), "USB").size());
}

TEST(PartitionCollection, CollectionTimesItselfAndItsSort)
{
    CMemoryDevice disk(ReadFileBytes(Image("dos.img")));
    CCollectAllBasicPartitionandDynamicVolume collection;
    std::vector<std::string> lines;
    collection.trace = [&lines](const char* line) { lines.push_back(line); };
    std::vector<PartitionEntry> out;
    collection.CollectAllBasicPartitionandDynamicVolume({CollectionDisk{&disk, 0, "d"}}, out);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(0u, lines[0].find("CCollectAllBasicPartitionandDynamicVolume::CollectAllBasicPartitionandDynamicVolume dwElapsedTime "));
    EXPECT_EQ(0u, lines[1].find("CCollectAllBasicPartitionandDynamicVolume::sort dwElapsedTime "));
    EXPECT_EQ("name dwElapsedTime 1234 \n", ElapsedTimeTrace::FormatLine("name", 1234));
    // A long name keeps the figure after it.
    const std::string longName(600, 'n');
    EXPECT_EQ(longName + " dwElapsedTime 4294967295 \n", ElapsedTimeTrace::FormatLine(longName.c_str(), 4294967295u));
}

TEST(PartitionCollection, ReportsAndLostRegionsOfADisk)
{
    // 2,000,000 sectors, one partition of 997,952 at 2048, and a second disk with nothing.
    CMemoryDevice small(std::vector<unsigned char>(512));
    CMemoryDevice* a = &small;  // only its identity matters here
    CMemoryDevice other(std::vector<unsigned char>(1024));
    std::vector<PartitionEntry> entries(2);
    entries[0].slots[0] = EntrySlot{2048, 997952, a};
    entries[1].source = 1;  // an image entry: not reported
    entries[1].slots[0] = EntrySlot{0, 5000000, a};
    const DiskReports r = BuildDiskReports({{a, 2000000, 512}, {&other, 409600 * 2, 4096}}, entries);
    EXPECT_EQ("Disk[0]:size[976]M;Disk[1]:size[3200]M;", r.sizes);
    EXPECT_EQ("Disk[0]:partition:[0]size[487]M;", r.partitions);
    ASSERT_EQ(2u, r.lost.size());
    EXPECT_EQ(a, r.lost[0].first);
    EXPECT_EQ(1000000u, r.lost[0].second.start);
    EXPECT_EQ(1000000u, r.lost[0].second.length);
    EXPECT_EQ(&other, r.lost[1].first);
    EXPECT_EQ(819200u, r.lost[1].second.length);
    EXPECT_EQ("Verloren-2", LostRegionName("Verloren", 2));
}

TEST(PartitionCollection, EntryFreeSpaceFromTheMountedVolume)
{
    CMemoryDevice disk(std::vector<unsigned char>(512));
    PartitionEntry e;
    e.slots[0] = EntrySlot{2048, 4194304, &disk};  // 2 GiB
    e.slots[1] = EntrySlot{9000000, 2097152, &disk};  // 1 GiB
    auto numberOf = [&disk](IStorageDevice* d) { return d == &disk ? 3 : -1; };
    std::vector<MountedVolume> mounted(2);
    mounted[0].diskNumber = 2;  // another disk, same start
    mounted[0].start = 9000000;
    mounted[1].diskNumber = 3;
    mounted[1].start = 9000000;
    mounted[1].driveLetter = 'K';
    mounted[1].totalBytes = uint64_t(500) << 30;
    mounted[1].freeBytes = uint64_t(120) << 30;
    std::string text;
    float percent = -1;
    char letter = 0;
    EXPECT_EQ(0, FormatEntryFreeSpace(e.slots, mounted, numberOf, "free of", text, percent, letter));
    EXPECT_EQ("120.00 GB free of 500.00 GB", text);
    EXPECT_EQ(76, int(percent));
    EXPECT_EQ('K', letter);

    // Without a mounted volume: the slots' size alone, percent and letter untouched.
    mounted.resize(1);
    percent = -1;
    letter = 0;
    EXPECT_EQ(0, FormatEntryFreeSpace(e.slots, mounted, numberOf, "free of", text, percent, letter));
    EXPECT_EQ("3.00 GB", text);
    EXPECT_EQ(-1, int(percent));
    EXPECT_EQ(0, letter);
    PartitionEntry tiny;
    tiny.slots[0] = EntrySlot{0, 2048, &disk};
    FormatEntryFreeSpace(tiny.slots, mounted, numberOf, "free of", text, percent, letter);
    EXPECT_EQ("1.00 MB", text);

    EXPECT_EQ(3u, MountedFileSystemCode("NTFS"));
    EXPECT_EQ(2u, MountedFileSystemCode("FAT32"));
    EXPECT_EQ(1u, MountedFileSystemCode("FAT"));
    EXPECT_EQ(9u, MountedFileSystemCode("exFAT"));
}

TEST(PartitionCollection, DiskInventoryEntryLayout)
{
    unsigned char e[kDiskInventoryEntrySize];
    memset(e, 0xCC, sizeof(e));
    PackDiskInventoryEntry(DiskInventoryEntry{"SSD 9", 0x123456789ull, 4096, 7}, e);
    EXPECT_EQ('S', e[0]);
    EXPECT_EQ(0, e[1]);
    EXPECT_EQ('9', e[8]);
    EXPECT_EQ(0, e[10]);
    for (int i = 512; i < 520; ++i)
        EXPECT_EQ(0, e[i]) << i;
    EXPECT_EQ(0x123456789ull, GetU64(e + 520));
    EXPECT_EQ(4096u, GetU32(e + 528));
    EXPECT_EQ(7u, GetU32(e + 532));
}

TEST(PartitionCollection, MountedExtentsInTheVolumesSectors)
{
    unsigned char list[8 + 3 * 24] = {};
    auto put64 = [](unsigned char* p, uint64_t v) {
        for (int i = 0; i < 8; ++i)
            p[i] = uint8_t(v >> (8 * i));
    };
    list[0] = 3;  // three extents claimed
    list[8] = 1;  // disk 1
    put64(list + 8 + 8, 2048ull * 4096);
    put64(list + 8 + 16, 1000ull * 4096);
    list[32] = 4;  // disk 4
    put64(list + 32 + 8, 8192ull * 4096);
    put64(list + 32 + 16, 50ull * 4096);
    MountedVolume v;
    v.bytesPerSector = 4096;
    v.totalBytes = 123;
    v.volumeName = "\\\\?\\Volume{x}";
    std::vector<MountedVolume> out;
    // Only two extents lie inside the bytes returned.
    EXPECT_EQ(2, AppendMountedExtents(list, 8 + 2 * 24, v, out));
    ASSERT_EQ(2u, out.size());
    EXPECT_EQ(1u, out[0].diskNumber);
    EXPECT_EQ(2048u, out[0].start);
    EXPECT_EQ(1000u, out[0].length);
    EXPECT_EQ(4u, out[1].diskNumber);
    EXPECT_EQ(8192u, out[1].start);
    EXPECT_EQ(50u, out[1].length);
    EXPECT_EQ(123u, out[1].totalBytes);
    EXPECT_EQ(v.volumeName, out[1].volumeName);
    EXPECT_EQ(0, AppendMountedExtents(list, 7, v, out));
}
