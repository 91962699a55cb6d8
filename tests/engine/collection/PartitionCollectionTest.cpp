// tests/engine/collection/PartitionCollectionTest.cpp
#include <gtest/gtest.h>

#include "engine/collection/PartitionCollection.h"
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
    CPartitionCollection collection;
    collection.driveLetters = [](const CollectionDisk&, std::vector<PartitionInfo>& records) {
        records[2].driveLetter = 'F';
    };
    std::vector<PartitionEntry> out;
    collection.CollectAll({CollectionDisk{&disk, kBusTypeUsb, FormatDiskLine("(Standard)", "Stick", "USB")}}, out);
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
    collection.CollectAll({}, none);
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
    CPartitionCollection collection;
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
    CPartitionCollection().CollectAll({CollectionDisk{&disk, 0, "Disk"}}, out);
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
    SortEntries(entries);
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
