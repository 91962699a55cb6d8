// tests/engine/dynamic/DynamicVolumeTest.cpp
// The five layouts over member disks in memory whose every sector says where it lies.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>

#include "engine/device/LittleEndian.h"
#include "engine/device/MemoryDevice.h"
#include "engine/dynamic/DynamicVolume.h"

namespace {

const uint64_t S = 128;  // stripe of 64 KiB in 512-byte sectors

// Member k's sector s starts with (k, s).
std::vector<unsigned char> TaggedDisk(uint32_t member, uint64_t sectors, uint32_t bps = 512)
{
    std::vector<unsigned char> bytes(size_t(sectors * bps));
    for (uint64_t s = 0; s < sectors; ++s) {
        unsigned char* p = bytes.data() + s * bps;
        for (uint32_t i = 0; i < bps; ++i)
            p[i] = uint8_t(member * 31 + s * 7 + i);
        p[0] = uint8_t(member);
        p[1] = uint8_t(s);
        p[2] = uint8_t(s >> 8);
    }
    return bytes;
}

std::pair<uint32_t, uint64_t> TagOf(const unsigned char* sector) { return {sector[0], uint64_t(sector[1] | sector[2] << 8)}; }

// A disk that fails every read touching one sector.
class CFailingDevice : public CMemoryDevice {
public:
    CFailingDevice(std::vector<unsigned char> bytes, uint64_t bad) : CMemoryDevice(std::move(bytes)), m_bad(bad) {}
    int ReadSectors(void* buffer, uint64_t first, uint64_t count) override
    {
        if (first <= m_bad && m_bad < first + count)
            return 0;
        return CMemoryDevice::ReadSectors(buffer, first, count);
    }

private:
    uint64_t m_bad;
};

MemberExtent Extent(uint32_t column, IStorageDevice* device, uint64_t start, uint64_t offset, uint64_t length)
{
    MemberExtent m;
    m.columnIndex = column;
    snprintf(m.diskId, sizeof(m.diskId), "disk-%u", column);
    m.device = device;
    m.start = start;
    m.offset = offset;
    m.length = length;
    return m;
}

VolumeDescriptor Descriptor(uint64_t total)
{
    VolumeDescriptor d;
    d.totalSectors = total;
    d.fileSystem = 7;
    return d;
}

}  // namespace

TEST(DynamicVolume, StripedMapsVolumeSectorsToColumns)
{
    CMemoryDevice d0(TaggedDisk(0, 512)), d1(TaggedDisk(1, 512)), d2(TaggedDisk(2, 512));
    // Each column's area starts 10 sectors into its disk.
    std::vector<MemberExtent> m = {Extent(0, &d0, 10, 0, 400), Extent(1, &d1, 10, 0, 400), Extent(2, &d2, 10, 0, 400)};
    auto vol = CStripedVolumeDevice::Create(kDynStriped, Descriptor(1200), m);
    ASSERT_TRUE(vol);
    EXPECT_EQ(uint32_t(kDynStriped), vol->GetVolumeType());
    std::vector<unsigned char> buf(21 * 512);
    ASSERT_TRUE(vol->ReadSectors(buf.data(), 300, 1));
    EXPECT_EQ(std::make_pair(2u, uint64_t(10 + 44)), TagOf(buf.data()));

    const unsigned before0 = d0.ReadCount(), before1 = d1.ReadCount();
    ASSERT_TRUE(vol->ReadSectors(buf.data(), 120, 21));
    EXPECT_EQ(1u, d0.ReadCount() - before0);  // split at the stripe boundary 128
    EXPECT_EQ(1u, d1.ReadCount() - before1);
    EXPECT_EQ(std::make_pair(0u, uint64_t(10 + 120)), TagOf(buf.data()));
    EXPECT_EQ(std::make_pair(1u, uint64_t(10 + 0)), TagOf(buf.data() + 8 * 512));
}

TEST(DynamicVolume, Raid5ParityRotatesAndRebuildsOneMissingMember)
{
    // Volume data laid out by the rotation: row r has parity on column 2 - (r mod 3), then its
    // two data stripes on the columns after it, cyclically.
    const uint64_t rows = 3, perMember = rows * S;
    std::vector<unsigned char> volume(size_t(2 * perMember * 512));
    for (size_t i = 0; i < volume.size(); ++i)
        volume[i] = uint8_t((i * 2654435761u) >> 13);
    std::vector<std::vector<unsigned char>> disks(3, std::vector<unsigned char>(size_t(perMember * 512)));
    for (uint64_t r = 0; r < rows; ++r) {
        const uint64_t parity = 2 - r % 3;
        for (uint64_t k = 0; k < 2; ++k) {
            const uint64_t column = (parity + 1 + k) % 3;
            memcpy(disks[column].data() + r * S * 512, volume.data() + (2 * r + k) * S * 512, S * 512);
        }
        for (size_t i = 0; i < S * 512; ++i) {
            const size_t at = size_t(r * S * 512 + i);
            disks[parity][at] = disks[(parity + 1) % 3][at] ^ disks[(parity + 2) % 3][at];
        }
    }
    // The placements the rotation promises: row 0 parity on 2, row 1 data on 2 then 0.
    EXPECT_EQ(0, memcmp(disks[0].data(), volume.data(), 512));
    EXPECT_EQ(0, memcmp(disks[2].data() + S * 512, volume.data() + 2 * S * 512, 512));
    EXPECT_EQ(0, memcmp(disks[0].data() + S * 512, volume.data() + 3 * S * 512, 512));

    CMemoryDevice d0(disks[0]), d1(disks[1]), d2(disks[2]);
    IStorageDevice* devices[3] = {&d0, &d1, &d2};
    for (int missing = -1; missing < 3; ++missing) {
        SCOPED_TRACE(missing);
        std::vector<MemberExtent> m;
        for (uint32_t c = 0; c < 3; ++c)
            m.push_back(Extent(c, int(c) == missing ? nullptr : devices[c], 0, 0, perMember));
        auto vol = CRaid5VolumeDevice::Create(kDynRaid5, Descriptor(2 * perMember), m);
        ASSERT_TRUE(vol);
        std::vector<unsigned char> out(volume.size());
        ASSERT_TRUE(vol->ReadSectors(out.data(), 0, 2 * perMember));
        EXPECT_TRUE(out == volume);
        // A run that starts inside a stripe.
        ASSERT_TRUE(vol->ReadSectors(out.data(), 200, 100));
        EXPECT_EQ(0, memcmp(out.data(), volume.data() + 200 * 512, 100 * 512));
    }
    std::vector<MemberExtent> two = {Extent(0, &d0, 0, 0, perMember), Extent(1, nullptr, 0, 0, perMember),
                                     Extent(2, nullptr, 0, 0, perMember)};
    EXPECT_FALSE(CRaid5VolumeDevice::Create(kDynRaid5, Descriptor(2 * perMember), two));
    std::vector<MemberExtent> one = {Extent(0, &d0, 0, 0, perMember)};
    EXPECT_FALSE(CRaid5VolumeDevice::Create(kDynRaid5, Descriptor(perMember), one));
}

TEST(DynamicVolume, MirrorAnswersEachSectorFromAHalfThatReadsIt)
{
    CFailingDevice bad(TaggedDisk(0, 200), 70);
    CFailingDevice alsoBad(TaggedDisk(1, 200), 75);
    auto a = CSimpleVolumeDevice::Create(kDynMirror, Descriptor(200), {Extent(0, &bad, 0, 0, 200)});
    auto b = CSimpleVolumeDevice::Create(kDynMirror, Descriptor(200), {Extent(1, &alsoBad, 0, 0, 200)});
    ASSERT_TRUE(a && b);
    auto mirror = CMirrorVolumeDevice::Create(kDynMirror, Descriptor(200), std::move(a), std::move(b));
    ASSERT_TRUE(mirror);
    std::vector<unsigned char> buf(126 * 512);
    ASSERT_TRUE(mirror->ReadSectors(buf.data(), 63, 126));
    for (uint64_t s = 0; s < 126; ++s) {
        const uint64_t v = 63 + s;
        // Sector 70 only the second half reads, 75 only the first; the rest of their run from either.
        const uint32_t expected = v == 70 ? 1u : 0u;
        EXPECT_EQ(std::make_pair(expected, v), TagOf(buf.data() + s * 512)) << v;
    }
    std::vector<const MemberExtent*> members;
    mirror->GetMembers(members);
    EXPECT_EQ(2u, members.size());
    EXPECT_FALSE(CMirrorVolumeDevice::Create(kDynMirror, Descriptor(200), nullptr, nullptr));
}

TEST(DynamicVolume, SpannedReadsZerosForAMissingMember)
{
    CMemoryDevice d0(TaggedDisk(0, 100));
    std::vector<MemberExtent> m = {Extent(0, &d0, 20, 0, 50), Extent(1, nullptr, 0, 50, 50)};
    auto vol = CSpannedVolumeDevice::Create(kDynSpanned, Descriptor(100), m);
    ASSERT_TRUE(vol);
    std::vector<unsigned char> buf(100 * 512, 0xCC);
    ASSERT_TRUE(vol->ReadSectors(buf.data(), 0, 100));
    EXPECT_EQ(std::make_pair(0u, uint64_t(20 + 49)), TagOf(buf.data() + 49 * 512));
    EXPECT_TRUE(std::all_of(buf.begin() + 50 * 512, buf.end(), [](unsigned char c) { return c == 0; }));
    EXPECT_FALSE(vol->ReadSectors(buf.data(), 90, 11));  // past the end: refused whole
    EXPECT_FALSE(vol->ReadSectors(buf.data(), 101, 0));
}

TEST(DynamicVolume, SimpleNeedsExactlyOneMemberAndStaysInsideIt)
{
    CMemoryDevice d0(TaggedDisk(0, 100)), d1(TaggedDisk(1, 100));
    EXPECT_FALSE(CSimpleVolumeDevice::Create(kDynSimple, Descriptor(10), {}));
    EXPECT_FALSE(CSimpleVolumeDevice::Create(kDynSimple, Descriptor(10),
                                             {Extent(0, &d0, 0, 0, 10), Extent(1, &d1, 0, 10, 10)}));
    // A descriptor larger than the extent must not read the disk beyond it.
    auto vol = CSimpleVolumeDevice::Create(kDynSimple, Descriptor(40), {Extent(0, &d0, 5, 0, 30)});
    ASSERT_TRUE(vol);
    std::vector<unsigned char> buf(10 * 512);
    ASSERT_TRUE(vol->ReadSectors(buf.data(), 20, 10));
    EXPECT_EQ(std::make_pair(0u, uint64_t(25)), TagOf(buf.data()));
    EXPECT_FALSE(vol->ReadSectors(buf.data(), 25, 10));
}

TEST(DynamicVolume, SameVolumeMetOnTwoDisks)
{
    CMemoryDevice d0(TaggedDisk(0, 100)), d1(TaggedDisk(1, 100));
    std::vector<MemberExtent> m = {Extent(0, &d0, 0, 0, 50), Extent(1, &d1, 0, 50, 50)};
    auto first = CSpannedVolumeDevice::Create(kDynSpanned, Descriptor(100), m);
    auto second = CSpannedVolumeDevice::Create(kDynSpanned, Descriptor(100), m);
    EXPECT_TRUE(first->IsSameVolume(*second));
    m[1].length = 40;
    auto other = CSpannedVolumeDevice::Create(kDynSpanned, Descriptor(90), m);
    EXPECT_FALSE(first->IsSameVolume(*other));
    auto striped = CStripedVolumeDevice::Create(kDynStriped, Descriptor(100),
                                                {Extent(0, &d0, 0, 0, 50), Extent(1, &d1, 0, 50, 50)});
    EXPECT_FALSE(first->IsSameVolume(*striped));
}

TEST(DynamicVolume, StripeIs64KiBWhateverTheSectorSize)
{
    EXPECT_EQ(128u, CDynamicVolumeBase::StripeSectors(512));
    EXPECT_EQ(16u, CDynamicVolumeBase::StripeSectors(4096));
    EXPECT_EQ(1u, CDynamicVolumeBase::StripeSectors(131072));
    EXPECT_EQ(1u, CDynamicVolumeBase::StripeSectors(0));
}

// With the first member's disk missing, the volume still reads in the present members' sector
// size: every layout sizes its buffer by GetBytesPerSector, and 512 against 4096-byte members
// overflowed it.
TEST(DynamicVolume, SectorSizeComesFromAnyPresentMember)
{
    CMemoryDevice d1(TaggedDisk(1, 64, 4096), 4096), d2(TaggedDisk(2, 64, 4096), 4096);
    const uint64_t per = 32;
    // End to end for the spanned volume; side by side (each column from its offset 0) for
    // the striped and RAID-5 ones.
    std::vector<MemberExtent> spans = {Extent(0, nullptr, 0, 0, per), Extent(1, &d1, 0, per, per),
                                       Extent(2, &d2, 0, 2 * per, per)};
    std::vector<MemberExtent> columns = {Extent(0, nullptr, 0, 0, per), Extent(1, &d1, 0, 0, per),
                                         Extent(2, &d2, 0, 0, per)};
    const uint64_t stripe = CDynamicVolumeBase::StripeSectors(4096);
    struct Case {
        const char* name;
        std::unique_ptr<IDynamicDevice> volume;
        uint64_t sectors;
        uint64_t firstOfMember1;  // the volume sector that is member 1's sector 0
    };
    Case cases[] = {
        {"spanned", CSpannedVolumeDevice::Create(kDynSpanned, Descriptor(3 * per), spans), 3 * per, per},
        {"striped", CStripedVolumeDevice::Create(kDynStriped, Descriptor(3 * per), columns), 3 * per, stripe},
        // Row 0 keeps its parity on column 2: its data is columns 0 and 1.
        {"raid5", CRaid5VolumeDevice::Create(kDynRaid5, Descriptor(2 * per), columns), 2 * per, stripe},
        {"simple", CSimpleVolumeDevice::Create(kDynSimple, Descriptor(per), {Extent(0, nullptr, 0, 0, per), Extent(1, &d1, 0, 0, per)}), per, 0},
    };
    const std::vector<unsigned char> member1 = TaggedDisk(1, 1, 4096);
    for (Case& c : cases) {
        ASSERT_TRUE(c.volume) << c.name;
        EXPECT_EQ(4096u, c.volume->GetBytesPerSector()) << c.name;
        std::vector<unsigned char> buf(size_t(c.sectors * 4096));
        // Stays inside buf (ASan); the missing member reads as zeros or is rebuilt, and the
        // present ones are read in 4096-byte sectors.
        ASSERT_EQ(1, c.volume->ReadSectors(buf.data(), 0, c.sectors)) << c.name;
        EXPECT_EQ(0, memcmp(buf.data() + c.firstOfMember1 * 4096, member1.data(), 4096)) << c.name;
    }
    auto mirror = CMirrorVolumeDevice::Create(kDynMirror, Descriptor(per), nullptr,
                                              CSimpleVolumeDevice::Create(kDynMirror, Descriptor(per), {Extent(1, &d1, 0, 0, per)}));
    ASSERT_TRUE(mirror);
    EXPECT_EQ(4096u, mirror->GetBytesPerSector());
}

// A mirror half that is spanned (or striped) with a member missing must not answer zeros with
// success: the other half holds the data.
TEST(DynamicVolume, MirrorAsksTheOtherHalfWhereAMemberOfTheFirstIsMissing)
{
    CMemoryDevice a0(TaggedDisk(0, 128));
    for (uint32_t layout : {kDynSpanned, kDynStriped}) {
        std::vector<MemberExtent> halfA = {Extent(0, &a0, 0, 0, 128), Extent(1, nullptr, 0, 128, 128)};
        if (layout == kDynStriped)
            halfA = {Extent(0, &a0, 0, 0, 128), Extent(1, nullptr, 0, 0, 128)};
        auto a = layout == kDynSpanned ? CSpannedVolumeDevice::Create(kDynMirror, Descriptor(256), halfA)
                                       : CStripedVolumeDevice::Create(kDynMirror, Descriptor(256), halfA);
        CMemoryDevice whole(TaggedDisk(7, 256));
        auto b = CSimpleVolumeDevice::Create(kDynMirror, Descriptor(256), {Extent(0, &whole, 0, 0, 256)});
        auto mirror = CMirrorVolumeDevice::Create(kDynMirror, Descriptor(256), std::move(a), std::move(b));
        ASSERT_TRUE(mirror);
        std::vector<unsigned char> buf(256 * 512);
        ASSERT_TRUE(mirror->ReadSectors(buf.data(), 0, 256));
        // Sector 130 lies on the missing member of half A in both layouts: it comes from half B.
        EXPECT_EQ(std::make_pair(7u, uint64_t(130)), TagOf(buf.data() + 130 * 512)) << layout;
        EXPECT_EQ(std::make_pair(0u, uint64_t(5)), TagOf(buf.data() + 5 * 512)) << layout;
    }
    // A spanned volume on its own still reads a missing member as zeros.
    auto alone = CSpannedVolumeDevice::Create(kDynSpanned, Descriptor(256),
                                              {Extent(0, &a0, 0, 0, 128), Extent(1, nullptr, 0, 128, 128)});
    std::vector<unsigned char> buf(256 * 512);
    EXPECT_TRUE(alone->ReadSectors(buf.data(), 0, 256));
}

namespace {
std::string g_askedVolume, g_askedGroup;
char LetterOfVolume2(const char* volumeName, const char* diskGroupName)
{
    g_askedVolume = volumeName;
    g_askedGroup = diskGroupName;
    return strcmp(volumeName, "Volume2") == 0 ? 'K' : 0;
}
}  // namespace

// The letter is asked with the volume's own names; a mirror answers for the whole volume.
TEST(DynamicVolume, DriveLetterOfTheVolumesDosDevice)
{
    CMemoryDevice d0(std::vector<unsigned char>(512 * 64));
    VolumeDescriptor d = Descriptor(20);
    snprintf(d.volumeName, sizeof(d.volumeName), "Volume2");
    snprintf(d.diskGroupName, sizeof(d.diskGroupName), "PC-Dg0");
    auto simple = CSimpleVolumeDevice::Create(kDynSimple, d, {Extent(0, &d0, 0, 0, 20)});
    ASSERT_TRUE(simple);
    EXPECT_EQ('K', simple->GetDriveLetter(LetterOfVolume2));
    EXPECT_EQ("Volume2", g_askedVolume);
    EXPECT_EQ("PC-Dg0", g_askedGroup);
    EXPECT_EQ(0, simple->GetDriveLetter(nullptr));

    VolumeDescriptor other = d;
    snprintf(other.volumeName, sizeof(other.volumeName), "Volume3");
    auto half = CSimpleVolumeDevice::Create(kDynMirror, d, {Extent(0, &d0, 20, 0, 20)});
    auto mirror = CMirrorVolumeDevice::Create(kDynMirror, other, std::move(half), nullptr);
    ASSERT_TRUE(mirror);
    EXPECT_EQ(0, mirror->GetDriveLetter(LetterOfVolume2));
    EXPECT_EQ("Volume3", g_askedVolume);
}

// A volume reads count x its own sector size into the caller's buffer while each member writes
// count x its disk's: members on disks of 512 and 4096 bytes a sector are refused by every layout.
TEST(DynamicVolume, MembersOfDifferentSectorSizesAreRefused)
{
    CMemoryDevice small(TaggedDisk(0, 512)), large(TaggedDisk(1, 64, 4096), 4096), other(TaggedDisk(2, 512));
    const std::vector<MemberExtent> mixed = {Extent(0, &small, 0, 0, 64), Extent(1, &large, 0, 64, 64),
                                             Extent(2, &other, 0, 128, 64)};
    const std::vector<MemberExtent> same = {Extent(0, &small, 0, 0, 64), Extent(1, &other, 0, 64, 64)};
    const VolumeDescriptor d = Descriptor(128);
    EXPECT_FALSE(CSpannedVolumeDevice::Create(kDynSpanned, d, mixed));
    EXPECT_FALSE(CStripedVolumeDevice::Create(kDynStriped, d, mixed));
    EXPECT_FALSE(CRaid5VolumeDevice::Create(kDynRaid5, d, mixed));
    // One member present: the missing one's disk tells nothing.
    std::vector<MemberExtent> oneThere = {Extent(0, &large, 0, 0, 64), Extent(1, nullptr, 0, 64, 64)};
    EXPECT_TRUE(CSimpleVolumeDevice::Create(kDynSimple, d, oneThere));
    EXPECT_TRUE(CSpannedVolumeDevice::Create(kDynSpanned, d, oneThere));
    oneThere[1].device = &small;
    EXPECT_FALSE(CSpannedVolumeDevice::Create(kDynSpanned, d, oneThere));
    EXPECT_FALSE(CMirrorVolumeDevice::Create(kDynMirror, d, CSimpleVolumeDevice::Create(kDynMirror, d, {Extent(0, &small, 0, 0, 128)}),
                                             CSimpleVolumeDevice::Create(kDynMirror, d, {Extent(0, &large, 0, 0, 64)})));
    // The same layouts over members that agree are built and read whole.
    auto spanned = CSpannedVolumeDevice::Create(kDynSpanned, d, same);
    ASSERT_TRUE(spanned);
    std::vector<unsigned char> buffer(size_t(128 * spanned->GetBytesPerSector()));
    EXPECT_EQ(1, spanned->ReadSectors(buffer.data(), 0, 128));
    EXPECT_EQ(std::make_pair(2u, uint64_t(63)), TagOf(buffer.data() + 127 * 512));
    EXPECT_TRUE(CMirrorVolumeDevice::Create(kDynMirror, d, CSimpleVolumeDevice::Create(kDynMirror, d, {Extent(0, &small, 0, 0, 128)}),
                                            CSimpleVolumeDevice::Create(kDynMirror, d, {Extent(0, &other, 0, 0, 128)})));
}
