// tests/engine/ldm/LdmDatabaseTest.cpp
// No tool on the build machine writes LDM, so the test writes the private header and the VBLK
// records itself, from the documented layout, onto disks in memory.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "engine/device/MemoryDevice.h"
#include "engine/ldm/LdmDatabase.h"
#include "engine/ldm/LdmLayout.h"

namespace {

void PutBE(unsigned char* p, uint64_t v, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i, v >>= 8)
        p[i] = uint8_t(v);
}

// Record data in the database's variable-length encoding.
class CRecordWriter {
public:
    CRecordWriter& Num(uint64_t v)
    {
        int n = 1;
        while (n < 8 && (v >> (8 * n)))
            ++n;
        data.push_back(uint8_t(n));
        for (int i = n - 1; i >= 0; --i)
            data.push_back(uint8_t(v >> (8 * i)));
        return *this;
    }
    CRecordWriter& Str(const std::string& s)
    {
        data.push_back(uint8_t(s.size()));
        data.insert(data.end(), s.begin(), s.end());
        return *this;
    }
    CRecordWriter& Zeros(size_t n)
    {
        data.insert(data.end(), n, 0);
        return *this;
    }
    CRecordWriter& Byte(uint8_t b)
    {
        data.push_back(b);
        return *this;
    }
    CRecordWriter& Fixed(uint64_t v)
    {
        unsigned char b[8];
        PutBE(b, v, 8);
        data.insert(data.end(), b, b + 8);
        return *this;
    }
    std::vector<unsigned char> data;
};

// Splits a record into VBLK blocks: 104 data bytes in the first, 112 in each further one.
std::vector<unsigned char> Blocks(uint32_t group, uint8_t type, uint8_t flags, const std::vector<unsigned char>& data,
                                  int dropFragment = -1)
{
    const size_t more = data.size() > 104 ? (data.size() - 104 + 111) / 112 : 0;
    const uint16_t count = uint16_t(1 + more);
    std::vector<unsigned char> out;
    for (uint16_t f = 0; f < count; ++f) {
        unsigned char b[128] = {};
        memcpy(b, "VBLK", 4);
        PutBE(b + 4, group * 16 + f, 4);
        PutBE(b + 8, group, 4);
        PutBE(b + 12, f, 2);
        PutBE(b + 14, count, 2);
        if (f == 0) {
            b[18] = flags;
            b[19] = type;
            PutBE(b + 20, data.size(), 4);
            memcpy(b + 24, data.data(), std::min<size_t>(104, data.size()));
        } else {
            const size_t at = 104 + (f - 1) * 112;
            memcpy(b + 16, data.data() + at, std::min<size_t>(112, data.size() - at));
        }
        if (f != dropFragment)
            out.insert(out.end(), b, b + 128);
    }
    return out;
}

struct Layout {
    std::vector<unsigned char> area;
    uint32_t group = 1;
    void Add(uint8_t type, uint8_t flags, const CRecordWriter& w)
    {
        const std::vector<unsigned char> b = Blocks(group++, type, flags, w.data);
        area.insert(area.end(), b.begin(), b.end());
    }
    void Volume(uint64_t id, const std::string& name, uint8_t volumeType, uint64_t size, const std::string& hint = "")
    {
        CRecordWriter w;
        w.Num(id).Str(name).Str("gen").Byte(0).Zeros(14).Byte(volumeType).Zeros(1).Byte(1).Zeros(3).Byte(0).Num(1)
            .Zeros(16).Num(size).Zeros(4).Byte(0x07).Zeros(16);
        if (!hint.empty())
            w.Str(hint);
        Add(vblk::kTypeVolume, hint.empty() ? 0 : 2, w);
    }
    void Component(uint64_t id, uint8_t componentType, uint64_t partitions, uint64_t volume)
    {
        CRecordWriter w;
        w.Num(id).Str("comp").Str("ACTIVE").Byte(componentType).Zeros(4).Num(partitions).Zeros(16).Num(volume).Zeros(1);
        Add(vblk::kTypeComponent, 0, w);
    }
    void Partition(uint64_t id, uint64_t start, uint64_t offset, uint64_t size, uint64_t component, uint64_t disk,
                   uint64_t column)
    {
        CRecordWriter w;
        w.Num(id).Str("part").Zeros(12).Fixed(start).Fixed(offset).Num(size).Num(component).Num(disk).Num(column);
        Add(vblk::kTypePartition, 0x08, w);
    }
    void Disk(uint64_t id, const std::string& diskId)
    {
        CRecordWriter w;
        w.Num(id).Str("Disk").Str(diskId).Str("");
        Add(vblk::kTypeDisk, 0, w);
    }
};

const uint64_t kDatabaseStart = 3000;  // 512-byte units

// A dynamic disk of `sectors` 512-byte units with its private header at headerSector (the last
// sector when 0) and the group's database.
std::vector<unsigned char> DynamicDisk(uint64_t units, uint32_t bps, const std::string& diskId,
                                       const std::vector<unsigned char>& area, uint64_t headerSector = 0)
{
    std::vector<unsigned char> disk(size_t(units * 512));
    const uint64_t sectors = disk.size() / bps;
    // Data sectors carry their own number so reads through a volume can be traced.
    for (uint64_t s = 64 * 512 / bps; s < kDatabaseStart * 512 / bps; ++s)
        PutBE(disk.data() + s * bps, s, 4);
    unsigned char* h = disk.data() + (headerSector ? headerSector : sectors - 1) * bps;
    memcpy(h, "PRIVHEAD", 8);
    memcpy(h + privhead::kDiskId, diskId.data(), diskId.size());
    memcpy(h + privhead::kDiskGroupName, "Group", 5);
    PutBE(h + privhead::kDataStart, 64, 8);
    PutBE(h + privhead::kDatabaseStart, kDatabaseStart, 8);
    if (!area.empty())
        memcpy(disk.data() + kDatabaseStart * 512, area.data(), area.size());
    return disk;
}

uint32_t SectorTag(const unsigned char* p) { return uint32_t(GetBE32(p)); }

}  // namespace

TEST(LdmFields, VariableLengthFieldsAreBoundedByTheRecord)
{
    const unsigned char good[] = {2, 0x12, 0x34, 3, 'a', 'b', 'c'};
    CLdmFieldReader r(good, sizeof(good), 0);
    EXPECT_EQ(0x1234u, r.VarNumber());
    EXPECT_EQ("abc", r.VarString());
    const unsigned char longLength[] = {9, 1, 2};  // runs past the record
    CLdmFieldReader bad(longLength, sizeof(longLength), 0);
    EXPECT_EQ(~uint64_t(0), bad.VarNumber());
    EXPECT_EQ(1u, bad.Pos());
    const unsigned char zero[] = {0, 5};
    CLdmFieldReader z(zero, sizeof(zero), 0);
    EXPECT_EQ("", z.VarString());
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

TEST(LdmDatabase, Raid5SizeAndSectorConversion)
{
    Layout l;
    l.Disk(10, "disk-a");
    l.Disk(11, "disk-b");
    l.Disk(12, "disk-c");
    l.Volume(20, "Raid", 4, 16000);
    l.Component(21, 3, 3, 20);
    for (uint64_t c = 0; c < 3; ++c)
        l.Partition(22 + c, 2048, 0, 8000, 21, 10 + c, c);
    const uint32_t bps = 4096;
    CMemoryDevice a(DynamicDisk(12000, bps, "disk-a", l.area), bps), b(DynamicDisk(12000, bps, "disk-b", l.area), bps),
        c(DynamicDisk(12000, bps, "disk-c", l.area), bps);
    std::vector<DynamicVolumeEntry> out;
    LdmDatabase().Collect({&a, &b, &c}, out);
    ASSERT_EQ(1u, out.size());
    EXPECT_STREQ("RAID5", out[0].typeName);
    EXPECT_EQ(2000u, out[0].totalSectors);  // 3 x 1000 sectors of 4096 bytes, one for parity
    std::vector<const MemberExtent*> members;
    out[0].device->GetMembers(members);
    ASSERT_EQ(3u, members.size());
    EXPECT_EQ(256u + 8, members[0]->start);  // 2048 and 64 units of 512 bytes
    EXPECT_EQ(1000u, members[0]->length);

    // Without disk c the volume still reads, by parity, and keeps its size from the record.
    std::vector<DynamicVolumeEntry> degraded;
    LdmDatabase().Collect({&a, &b}, degraded);
    ASSERT_EQ(1u, degraded.size());
    EXPECT_EQ(2000u, degraded[0].totalSectors);
    EXPECT_EQ(0, degraded[0].driveLetter);
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
    EXPECT_STREQ("UNKNOWN", VolumeTypeName(7));
    EXPECT_STREQ("STRIPPED", VolumeTypeName(5));
}
