// tests/engine/ldm/LdmDatabaseTest.cpp
// No tool on the build machine writes LDM, so the test writes the private header and the VBLK
// records itself, from the documented layout, onto disks in memory.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "engine/device/MemoryDevice.h"
#include "engine/ldm/LdmDatabase.h"
#include "engine/ldm/LdmLayout.h"
#include "tests/engine/ldm/LdmTestWriter.h"

using namespace ldmtest;

TEST(LdmFields, VariableLengthFieldsAreBoundedByTheRecord)
{
    const unsigned char good[] = {2, 0x12, 0x34, 3, 'a', 'b', 'c'};
    CLdmFieldReader r(good, sizeof(good), 0);
    EXPECT_EQ(0x1234u, r.ReadVarNumber());
    EXPECT_EQ("abc", r.ReadVarString());
    const unsigned char longLength[] = {9, 1, 2};  // runs past the record
    CLdmFieldReader bad(longLength, sizeof(longLength), 0);
    EXPECT_EQ(~uint64_t(0), bad.ReadVarNumber());
    EXPECT_EQ(1u, bad.Pos());
    const unsigned char zero[] = {0, 5};
    CLdmFieldReader z(zero, sizeof(zero), 0);
    EXPECT_EQ("", z.ReadVarString());
    EXPECT_EQ(1u, z.Pos());
    CLdmFieldReader end(good, 0, 0);
    EXPECT_EQ(~uint64_t(0), end.Fixed64());
    EXPECT_EQ(0, end.Byte());
}

TEST(LdmRecords, MultiFragmentRecordsNeedEveryFragment)
{
    std::vector<unsigned char> data(300);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(i);
    const std::vector<unsigned char> whole = Blocks(7, 0x51, 0, data);
    ASSERT_EQ(3u * 128, whole.size());  // 104 + 112 + 84
    auto records = AssembleLdmRecords(whole.data(), whole.size());
    ASSERT_EQ(1u, records.size());
    ASSERT_EQ(324u, records[0].size());
    EXPECT_EQ(0, memcmp(records[0].data() + 24, data.data(), 300));

    const std::vector<unsigned char> missing = Blocks(7, 0x51, 0, data, 2);
    EXPECT_TRUE(AssembleLdmRecords(missing.data(), missing.size()).empty());

    // A size no fragment count can carry is dropped before anything is allocated for it.
    std::vector<unsigned char> huge = Blocks(8, 0x51, 0, std::vector<unsigned char>(50));
    PutBE(huge.data() + 20, 0xFFFFFFF0u, 4);
    EXPECT_TRUE(AssembleLdmRecords(huge.data(), huge.size()).empty());

    // Many first fragments of one group share its continuations: the group is assembled once,
    // so damage cannot make the records outgrow the area.
    std::vector<unsigned char> repeated;
    for (int i = 0; i < 50; ++i)
        repeated.insert(repeated.end(), whole.begin(), whole.begin() + 128);
    repeated.insert(repeated.end(), whole.begin() + 128, whole.end());
    auto once = AssembleLdmRecords(repeated.data(), repeated.size());
    ASSERT_EQ(1u, once.size());
    EXPECT_EQ(records[0], once[0]);
    // A first fragment that claims more continuations than the area holds is left out.
    std::vector<unsigned char> claims = Blocks(9, 0x51, 0, std::vector<unsigned char>(5000));
    claims.resize(3 * 128);
    EXPECT_TRUE(AssembleLdmRecords(claims.data(), claims.size()).empty());
}

TEST(LdmDatabase, PrivateHeaderSearchOrder)
{
    const std::vector<unsigned char> area;
    for (uint64_t at : {uint64_t(0), privhead::kSectorMbrDisk, privhead::kSectorOldDisk}) {
        CMemoryDevice disk(DynamicDisk(4000, 512, "id", area, at));
        LdmPrivateHeader h;
        ASSERT_TRUE(LdmDatabase::FindPrivateHeader(disk, h)) << at;
        EXPECT_STREQ("Group", h.diskGroupName);
        EXPECT_EQ(kDatabaseStart, h.databaseStart);
    }
    // Through a GPT entry named "LDM metadata partition": the header is at its last LBA.
    std::vector<unsigned char> bytes(4000 * 512);
    memcpy(bytes.data() + 512, "EFI PART", 8);
    PutBE(bytes.data() + 512 + 72, 0, 8);
    bytes[512 + 72] = 2;
    bytes[512 + 80] = 4;    // entries (little-endian)
    bytes[512 + 84] = 128;  // entry size
    unsigned char* e = bytes.data() + 2 * 512 + 128;  // the second entry
    e[32] = 34;
    e[40] = 0x90;  // last LBA 400
    e[41] = 0x01;
    const char name[] = "LDM metadata partition";
    for (size_t i = 0; i < sizeof(name) - 1; ++i)
        e[56 + 2 * i] = uint8_t(name[i]);
    memcpy(bytes.data() + 400 * 512, "PRIVHEAD", 8);
    CMemoryDevice gpt(bytes);
    LdmPrivateHeader h;
    EXPECT_TRUE(LdmDatabase::FindPrivateHeader(gpt, h));
    CMemoryDevice blank(std::vector<unsigned char>(4000 * 512));
    EXPECT_FALSE(LdmDatabase::FindPrivateHeader(blank, h));
}

TEST(LdmDatabase, GroupOfTwoDisksYieldsEachVolumeOnce)
{
    Layout l;
    l.Disk(10, "disk-a");
    l.Disk(11, "disk-b");
    // A simple volume on disk a, and a volume spanned over both disks.
    l.Volume(20, "Volume1", 3, 100, "E:");
    l.Component(21, 2, 1, 20);
    l.Partition(22, 0, 0, 100, 21, 10, 0);
    l.Volume(30, "Volume2", 3, 300);
    l.Component(31, 2, 2, 30);
    l.Partition(32, 100, 0, 100, 31, 10, 0);
    l.Partition(33, 0, 100, 200, 31, 11, 0);
    CMemoryDevice a(DynamicDisk(4000, 512, "disk-a", l.area)), b(DynamicDisk(4000, 512, "disk-b", l.area));
    LdmDatabase db;
    std::vector<DynamicVolumeEntry> out;
    db.Collect({&a, nullptr, &b}, out);
    ASSERT_EQ(2u, out.size());
    EXPECT_STREQ("SIMPLE", out[0].typeName);
    EXPECT_EQ(100u, out[0].totalSectors);
    EXPECT_EQ('E', out[0].driveLetter);
    EXPECT_STREQ("SPANNED", out[1].typeName);
    EXPECT_EQ(300u, out[1].totalSectors);
    // Volume sector 150 is sector 50 of disk b's part, after its data area of 64.
    std::vector<unsigned char> sector(512);
    ASSERT_TRUE(out[1].device->ReadSectors(sector.data(), 150, 1));
    EXPECT_EQ(64u + 50, SectorTag(sector.data()));
    ASSERT_TRUE(out[1].device->ReadSectors(sector.data(), 0, 1));
    EXPECT_EQ(64u + 100, SectorTag(sector.data()));
}

TEST(LdmDatabase, Raid5SizeSectorConversionParityAndDriveLetter)
{
    Layout l;
    l.Disk(10, "disk-a");
    l.Disk(11, "disk-b");
    l.Disk(12, "disk-c");
    l.Volume(20, "Raid", 4, 16000, "F:");
    l.Component(21, 3, 3, 20);
    for (uint64_t c = 0; c < 3; ++c)
        l.Partition(22 + c, 2048, 0, 8000, 21, 10 + c, c);
    const uint32_t bps = 4096;
    CMemoryDevice a(DynamicDisk(12000, bps, "disk-a", l.area), bps), b(DynamicDisk(12000, bps, "disk-b", l.area), bps),
        c(DynamicDisk(12000, bps, "disk-c", l.area), bps);
    // Row 0 of the volume: a stripe of 16 sectors of data on a, then on b; its parity on c.
    const uint64_t member = 256 + 8, stripe = 16;
    const size_t stripeBytes = size_t(stripe * bps);
    for (size_t i = 0; i < stripeBytes; ++i) {
        unsigned char* pa = a.Bytes().data() + member * bps;
        unsigned char* pb = b.Bytes().data() + member * bps;
        pa[i] = uint8_t(i * 7 + 1);
        pb[i] = uint8_t(i * 13 + 5);
        c.Bytes()[member * bps + i] = uint8_t(pa[i] ^ pb[i]);
    }
    std::vector<DynamicVolumeEntry> out;
    LdmDatabase().Collect({&a, &b, &c}, out);
    ASSERT_EQ(1u, out.size());
    EXPECT_STREQ("RAID5", out[0].typeName);
    EXPECT_EQ(2000u, out[0].totalSectors);  // 3 x 1000 sectors of 4096 bytes, one for parity
    EXPECT_EQ('F', out[0].driveLetter);     // the record's drive hint, every member present
    std::vector<const MemberExtent*> members;
    out[0].device->GetMembers(members);
    ASSERT_EQ(3u, members.size());
    EXPECT_EQ(member, members[0]->start);  // 2048 and 64 units of 512 bytes
    EXPECT_EQ(1000u, members[0]->length);
    std::vector<unsigned char> whole(size_t(2 * stripe * bps));
    ASSERT_TRUE(out[0].device->ReadSectors(whole.data(), 0, 2 * stripe));
    EXPECT_EQ(0, memcmp(whole.data(), a.Bytes().data() + member * bps, stripeBytes));
    EXPECT_EQ(0, memcmp(whole.data() + stripeBytes, b.Bytes().data() + member * bps, stripeBytes));

    // Without disk a the volume keeps its size and rebuilds a's stripe from b and the parity
    // on c; a member on a missing disk takes the drive letter away.
    std::vector<DynamicVolumeEntry> degraded;
    LdmDatabase().Collect({&b, &c}, degraded);
    ASSERT_EQ(1u, degraded.size());
    EXPECT_EQ(2000u, degraded[0].totalSectors);
    EXPECT_EQ(0, degraded[0].driveLetter);
    std::vector<unsigned char> rebuilt(whole.size());
    ASSERT_TRUE(degraded[0].device->ReadSectors(rebuilt.data(), 0, 2 * stripe));
    EXPECT_EQ(whole, rebuilt);
}

// Copies of the group's database that disagree: one damaged copy must not add volumes.
TEST(LdmDatabase, OneCopyOfTheDatabasePerGroupIsUsed)
{
    auto area = [](uint64_t committed, uint64_t spannedSize, uint64_t secondStart) {
        Layout l;
        std::vector<unsigned char> header(128);
        memcpy(header.data(), "VMDB", 4);
        PutBE(header.data() + 0x75, committed, 8);
        l.area = header;
        l.Disk(10, "disk-a");
        l.Disk(11, "disk-b");
        l.Volume(30, "Volume2", 3, spannedSize);
        l.Component(31, 2, 2, 30);
        l.Partition(32, 100, 0, 100, 31, 10, 0);
        l.Partition(33, secondStart, 100, spannedSize - 100, 31, 11, 0);
        return l.area;
    };
    const std::vector<unsigned char> good = area(5, 300, 0), damaged = area(5, 250, 40);
    CMemoryDevice a(DynamicDisk(4000, 512, "disk-a", good)), b(DynamicDisk(4000, 512, "disk-b", damaged)),
        c(DynamicDisk(4000, 512, "disk-c", good));
    // The damaged copy is met first, but two disks agree on the other one.
    std::vector<DynamicVolumeEntry> out;
    LdmDatabase().Collect({&b, &a, &c}, out);
    ASSERT_EQ(1u, out.size());
    EXPECT_EQ(300u, out[0].totalSectors);

    // Two disks that disagree at the same commit: the copy whose partitions fit their disks wins
    // over one that puts a member past its disk's end, even when that one is read first.
    CMemoryDevice past(DynamicDisk(4000, 512, "disk-a", area(5, 300, 3950))), sound(DynamicDisk(4000, 512, "disk-b", good));
    std::vector<DynamicVolumeEntry> fit;
    LdmDatabase().Collect({&past, &sound}, fit);
    ASSERT_EQ(1u, fit.size());
    std::vector<const MemberExtent*> members;
    fit[0].device->GetMembers(members);
    ASSERT_EQ(2u, members.size());
    EXPECT_EQ(64u, members[1]->start);

    // Two disks that disagree: the copy with the later committed change wins.
    CMemoryDevice older(DynamicDisk(4000, 512, "disk-a", area(4, 250, 40))), newer(DynamicDisk(4000, 512, "disk-b", good));
    std::vector<DynamicVolumeEntry> two;
    LdmDatabase().Collect({&older, &newer}, two);
    ASSERT_EQ(1u, two.size());
    EXPECT_EQ(300u, two[0].totalSectors);
}

TEST(LdmDatabase, UnusableVolumesAreLeftOut)
{
    Layout l;
    l.Disk(10, "disk-a");
    l.Volume(20, "NoComponent", 3, 100);
    l.Volume(30, "BadType", 3, 100);
    l.Component(31, 9, 1, 30);
    l.Partition(32, 0, 0, 100, 31, 10, 0);
    l.Volume(40, "NoDisk", 3, 100);
    l.Component(41, 2, 1, 40);
    l.Partition(42, 0, 0, 100, 41, 99, 0);
    CMemoryDevice a(DynamicDisk(4000, 512, "disk-a", l.area));
    std::vector<DynamicVolumeEntry> out;
    LdmDatabase().Collect({&a}, out);
    EXPECT_TRUE(out.empty());
}

// The layout a volume is built as, from its type and its components.
TEST(LdmDatabase, VolumeDeviceByLayout)
{
    CMemoryDevice d0(std::vector<unsigned char>(512 * 256)), d1(std::vector<unsigned char>(512 * 256)),
        d2(std::vector<unsigned char>(512 * 256));
    auto extents = [&](size_t n, bool present) {
        IStorageDevice* disks[] = {&d0, &d1, &d2};
        std::vector<MemberExtent> list(n);
        for (size_t i = 0; i < n; ++i) {
            list[i].columnIndex = uint32_t(i);
            list[i].offset = i * 64;
            list[i].length = 64;
            list[i].device = present ? disks[i % 3] : nullptr;
        }
        return list;
    };
    struct Case {
        const char* what;
        uint8_t volumeType;
        std::vector<uint8_t> componentTypes;
        std::vector<size_t> extentCounts;
        bool present;
        uint32_t type;    // chosen layout, 0 none
        bool built;
        size_t members;
    } cases[] = {
        {"simple", 3, {2}, {1}, true, kDynSimple, true, 1},
        {"spanned", 3, {2}, {2}, true, kDynSpanned, true, 2},
        {"striped", 3, {1}, {2}, true, kDynStriped, true, 2},
        {"striped over one extent", 3, {1}, {1}, true, kDynStriped, true, 1},
        {"RAID-5 component", 3, {3}, {3}, true, kDynRaid5, true, 3},
        {"RAID-5 volume", 4, {2}, {3}, true, kDynRaid5, true, 3},
        {"mirror of spanned and striped", 3, {2, 1}, {2, 2}, true, kDynMirror, true, 4},
        {"mirror of simple halves", 3, {2, 2}, {1, 1}, true, kDynMirror, true, 2},
        {"unknown volume type", 5, {2}, {1}, true, 0, false, 0},
        {"no components", 3, {}, {}, true, 0, false, 0},
        {"simple without its disk", 3, {2}, {1}, false, kDynSimple, false, 0},
        {"mirror without either half", 3, {2, 2}, {1, 1}, false, kDynMirror, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LdmVolumeRecord v;
        v.volumeType = c.volumeType;
        std::vector<LdmComponentRecord> records(c.componentTypes.size());
        std::vector<const LdmComponentRecord*> components;
        std::vector<std::vector<MemberExtent>> lists;
        for (size_t i = 0; i < records.size(); ++i) {
            records[i].componentType = c.componentTypes[i];
            components.push_back(&records[i]);
            lists.push_back(extents(c.extentCounts[i], c.present));
        }
        VolumeDescriptor d;
        d.totalSectors = 128;
        const uint32_t type = LdmDatabase::VolumeDeviceType(v, components, lists);
        EXPECT_EQ(c.type, type);
        std::unique_ptr<IDynamicDevice> device = LdmDatabase::CreateVolumeDevice(type, d, components, lists);
        ASSERT_EQ(c.built, device != nullptr);
        if (!c.built)
            continue;
        EXPECT_EQ(c.type, device->GetVolumeType());
        std::vector<const MemberExtent*> members;
        device->GetMembers(members);
        EXPECT_EQ(c.members, members.size());
    }
}

// LDM counts 512-byte units: each member is converted with its own disk's sector size, and a
// volume whose member disks differ in sector size is not built (it reads every member into one
// buffer sized by one sector size).
TEST(LdmDatabase, MemberDisksOfDifferentSectorSizes)
{
    Layout l;
    l.Disk(10, "disk-a");
    l.Disk(11, "disk-b");
    l.Volume(20, "Mixed", 3, 200);
    l.Component(21, 2, 2, 20);
    l.Partition(22, 100, 0, 100, 21, 10, 0);
    l.Partition(23, 0, 100, 100, 21, 11, 0);
    l.Volume(30, "OnB", 3, 400);
    l.Component(31, 2, 1, 30);
    l.Partition(32, 800, 0, 400, 31, 11, 0);
    CMemoryDevice a(DynamicDisk(4000, 512, "disk-a", l.area)), b(DynamicDisk(4000, 4096, "disk-b", l.area), 4096);
    // Both copies agree; the one on the 512-byte disk is read first and chosen.
    std::vector<DynamicVolumeEntry> out;
    LdmDatabase().Collect({&a, &b}, out);
    ASSERT_EQ(1u, out.size());
    EXPECT_STREQ("OnB", out[0].volumeName);
    EXPECT_EQ(4096u, out[0].device->GetBytesPerSector());
    EXPECT_EQ(50u, out[0].totalSectors);
    std::vector<const MemberExtent*> members;
    out[0].device->GetMembers(members);
    ASSERT_EQ(1u, members.size());
    EXPECT_EQ(100u + 8, members[0]->start);  // 800 and 64 units of 512 bytes
    EXPECT_EQ(50u, members[0]->length);
    std::vector<unsigned char> sector(4096);
    ASSERT_TRUE(out[0].device->ReadSectors(sector.data(), 0, 1));
    EXPECT_EQ(108u, SectorTag(sector.data()));
}

// A database whose records repeat ids is damaged: which record is meant cannot be told, so no
// volume is built through a repeated id; a volume untouched by the damage still is.
TEST(LdmDatabase, RepeatedIdsBuildNothingThroughThem)
{
    Layout l;
    l.Disk(10, "disk-a");
    l.Disk(10, "disk-a");  // the same id twice, and no record for disk 11
    l.Disk(12, "disk-b");
    // Before, the two records of disk 10 stood in for the missing one of disk 11: this 300-sector
    // spanned volume was listed as a simple one of 100 sectors.
    l.Volume(20, "Spanned", 3, 300);
    l.Component(21, 2, 2, 20);
    l.Partition(22, 100, 0, 100, 21, 10, 0);
    l.Partition(23, 0, 100, 200, 21, 11, 0);
    l.Volume(40, "Healthy", 3, 100);
    l.Component(41, 2, 1, 40);
    l.Partition(42, 0, 0, 100, 41, 12, 0);
    // Repeated volume, component and partition ids, many times over.
    for (int i = 0; i < 200; ++i) {
        l.Volume(50, "Repeated", 3, 100);
        l.Component(51, 2, 1, 50);
        l.Partition(52, 200, 0, 100, 51, 12, 0);
    }
    // A unique volume whose two components share an id, and one whose partitions share one.
    l.Volume(70, "RepeatedComponent", 3, 100);
    l.Component(71, 2, 1, 70);
    l.Component(71, 2, 1, 70);
    l.Partition(72, 300, 0, 100, 71, 12, 0);
    l.Volume(80, "RepeatedPartition", 3, 200);
    l.Component(81, 2, 2, 80);
    l.Partition(82, 400, 0, 100, 81, 12, 0);
    l.Partition(82, 500, 100, 100, 81, 12, 0);
    CMemoryDevice a(DynamicDisk(4000, 512, "disk-a", l.area)), b(DynamicDisk(4000, 512, "disk-b", l.area));
    std::vector<DynamicVolumeEntry> out;
    LdmDatabase().Collect({&a, &b}, out);
    std::string names;
    for (const DynamicVolumeEntry& e : out)
        names += std::string(e.volumeName) + " ";
    EXPECT_EQ("Healthy ", names);
}

// A type-0x44 disk record holds the disk id as raw bytes; the private header spells it as text,
// in either case.
TEST(LdmDatabase, RawDiskIdMatchesTheHeaderInEitherCase)
{
    const unsigned char guid[16] = {0x9d, 0x1c, 0x7a, 0x00, 0x3c, 0x1d, 0x11, 0xef,
                                    0x9a, 0x1b, 0x08, 0x00, 0x27, 0x5e, 0x1c, 0x01};
    Layout l;
    l.DiskRaw(10, guid);
    l.Volume(20, "Raw", 3, 100);
    l.Component(21, 2, 1, 20);
    l.Partition(22, 0, 0, 100, 21, 10, 0);
    for (const char* id : {"9d1c7a00-3c1d-11ef-9a1b-0800275e1c01", "9D1C7A00-3C1D-11EF-9A1B-0800275E1C01"}) {
        SCOPED_TRACE(id);
        CMemoryDevice a(DynamicDisk(4000, 512, id, l.area));
        std::vector<DynamicVolumeEntry> out;
        LdmDatabase().Collect({&a}, out);
        ASSERT_EQ(1u, out.size());
        std::vector<const MemberExtent*> members;
        out[0].device->GetMembers(members);
        ASSERT_EQ(1u, members.size());
        EXPECT_EQ(&a, members[0]->device);
    }
    // Another disk's id does not match.
    CMemoryDevice other(DynamicDisk(4000, 512, "9d1c7a00-3c1d-11ef-9a1b-0800275e1c02", l.area));
    std::vector<DynamicVolumeEntry> none;
    LdmDatabase().Collect({&other}, none);
    EXPECT_TRUE(none.empty());
}

// One volume listed twice under two ids (same layout, same extents) is one volume; volumes that
// only share a disk, or a first extent, are not.
TEST(LdmDatabase, AVolumeListedTwiceIsOneEntry)
{
    Layout l;
    l.Disk(10, "disk-a");
    l.Disk(11, "disk-b");
    for (uint64_t id : {20, 30}) {
        l.Volume(id, "Spanned", 3, 300);
        l.Component(id + 1, 2, 2, id);
        l.Partition(id + 2, 100, 0, 100, id + 1, 10, 0);
        l.Partition(id + 3, 0, 100, 200, id + 1, 11, 0);
    }
    l.Volume(40, "SameStart", 3, 100);
    l.Component(41, 2, 1, 40);
    l.Partition(42, 100, 0, 100, 41, 10, 0);
    l.Volume(50, "Other", 3, 100);
    l.Component(51, 2, 1, 50);
    l.Partition(52, 300, 0, 100, 51, 11, 0);
    CMemoryDevice a(DynamicDisk(4000, 512, "disk-a", l.area)), b(DynamicDisk(4000, 512, "disk-b", l.area));
    std::vector<DynamicVolumeEntry> out;
    LdmDatabase().Collect({&a, &b}, out);
    std::string names;
    for (const DynamicVolumeEntry& e : out)
        names += std::string(e.volumeName) + " ";
    EXPECT_EQ("Spanned SameStart Other ", names);
}
