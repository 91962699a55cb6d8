// tests/engine/partition/PartitionTableTest.cpp
// Tables made by sfdisk and sgdisk, read back against sfdisk's own reading of them, and
// damaged copies of them.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <zlib.h>

#include <map>
#include <string>
#include <utility>

#include "engine/device/LittleEndian.h"
#include "engine/device/MemoryDevice.h"
#include "engine/partition/AnalyzerProbe.h"
#include "engine/partition/PartitionTable.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WinePath.h"

namespace {

using Layout = std::vector<std::pair<uint64_t, uint64_t>>;

std::string FixturePath(const char* name)
{
#ifdef _WIN32
    return FixtureDir() + "\\partition\\" + name;
#else
    return FixtureDir() + "/partition/" + name;
#endif
}

Layout ReadExpected(const char* name)
{
    Layout layout;
    FILE* f = fopen(FixturePath(name).c_str(), "r");
    if (!f)
        return layout;
    unsigned long long start, size;
    while (fscanf(f, "%llu %llu", &start, &size) == 2)
        layout.push_back({start, size});
    fclose(f);
    return layout;
}

Layout LayoutOf(const std::vector<PartitionInfo>& records)
{
    Layout layout;
    for (const PartitionInfo& info : records)
        layout.push_back({info.startSector, info.lengthSectors});
    return layout;
}

uint32_t Crc(const unsigned char* p, size_t n) { return uint32_t(crc32(crc32(0L, Z_NULL, 0), p, uInt(n))); }

// Rewrites a GPT header's CRC after a deliberate edit, so only the edited field is wrong.
void ResealGptHeader(std::vector<unsigned char>& img, uint64_t lba)
{
    unsigned char* h = img.data() + lba * 512;
    const uint32_t size = GetU32(h + 12);
    PutU32(h + 16, 0);
    PutU32(h + 16, Crc(h, size));
}

// A device of mostly zero sectors, for disks too big to hold in memory.
class CSparseDevice : public IStorageDevice {
public:
    CSparseDevice(uint64_t total, uint32_t sectorSize) : m_total(total), m_size(sectorSize) {}
    std::vector<unsigned char>& Sector(uint64_t lba)
    {
        std::vector<unsigned char>& s = m_sectors[lba];
        s.resize(m_size);
        return s;
    }
    int ReadSectors(void* buffer, uint64_t first, uint64_t count) override
    {
        if (first > m_total || count > m_total - first)
            return 0;
        unsigned char* out = static_cast<unsigned char*>(buffer);
        for (uint64_t i = 0; i < count; ++i) {
            auto it = m_sectors.find(first + i);
            if (it == m_sectors.end())
                memset(out + i * m_size, 0, m_size);
            else
                memcpy(out + i * m_size, it->second.data(), m_size);
        }
        return 1;
    }
    uint64_t GetTotalSectors() override { return m_total; }
    uint32_t GetBytesPerSector() override { return m_size; }
    int Open() override { return 1; }
    int Close() override { return 1; }

private:
    uint64_t m_total;
    uint32_t m_size;
    std::map<uint64_t, std::vector<unsigned char>> m_sectors;
};

void SetMbrEntry(std::vector<unsigned char>& sector, int index, unsigned char type, uint32_t start, uint32_t count)
{
    unsigned char* e = sector.data() + 446 + 16 * index;
    memset(e, 0, 16);
    e[4] = type;
    PutU32(e + 8, start);
    PutU32(e + 12, count);
    sector[510] = 0x55;
    sector[511] = 0xAA;
}

// A probe that finds a file system of a given size at given starts.
FileSystemProbe ProbeAt(std::map<uint64_t, uint64_t> sizes)
{
    return [sizes](IStorageDevice&, uint64_t start, uint64_t) {
        FileSystemGuess guess;
        auto it = sizes.find(start);
        if (it != sizes.end()) {
            guess.code = kFsFat32;
            guess.totalSectors = it->second;
            strcpy(guess.label, "VOL");
        }
        return guess;
    };
}

class PartitionImages : public ::testing::Test {
protected:
    void SetUp() override
    {
        dos = ReadFileBytes(FixturePath("dos.img"));
        gpt = ReadFileBytes(FixturePath("gpt.img"));
        ASSERT_EQ(8u << 20, dos.size());
        ASSERT_EQ(8u << 20, gpt.size());
    }
    static std::vector<PartitionInfo> Read(std::vector<unsigned char> img, PartitionTableReport* report)
    {
        CMemoryDevice disk(std::move(img));
        std::vector<PartitionInfo> out;
        const int added = CPartitionTableAnalyze::Analyze(disk, out, FileSystemProbe(), report);
        EXPECT_EQ(added, int(out.size()));
        return out;
    }
    std::vector<unsigned char> dos, gpt;
};

}  // namespace

TEST_F(PartitionImages, MbrWithEbrChainMatchesSfdisk)
{
    PartitionTableReport report;
    const std::vector<PartitionInfo> out = Read(dos, &report);
    EXPECT_EQ(kTableMbr, report.kind);
    EXPECT_FALSE(report.ebrLoop);
    const Layout expected = ReadExpected("dos.expected");
    ASSERT_EQ(4u, expected.size());
    EXPECT_EQ(expected, LayoutOf(out));
    for (const PartitionInfo& info : out) {
        EXPECT_EQ(uint32_t(kFsNone), info.fileSystem);
        EXPECT_STREQ("", info.label);
        EXPECT_EQ(0, info.driveLetter);
    }
}

TEST_F(PartitionImages, GptMatchesSfdisk)
{
    PartitionTableReport report;
    const std::vector<PartitionInfo> out = Read(gpt, &report);
    EXPECT_EQ(kTableGpt, report.kind);
    EXPECT_FALSE(report.gptPrimaryInvalid);
    const Layout expected = ReadExpected("gpt.expected");
    ASSERT_EQ(3u, expected.size());
    EXPECT_EQ(expected, LayoutOf(out));
}

// Tables that sfdisk and sgdisk write and read one way: every image lists what sfdisk lists
// (containers and the LDM partitions of a dynamic disk left out).
TEST(PartitionTable, ReadsWhatTheToolsWroteAsTheyReadIt)
{
    struct Case {
        const char* image;
        PartitionTableKind kind;
        size_t partitions;
    } cases[] = {
        {"gptlinux", kTableGpt, 3},  // type GUIDs missing from the known-types table
        {"hybrid", kTableGpt, 3},    // hybrid MBR, the 0xEE entry in slot 2
        {"linuxext", kTableMbr, 3},  // logicals inside a 0x85 container
        {"gptldm", kTableGpt, 1},    // LDM metadata and LDM data beside a basic partition
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        const Layout expected = ReadExpected((std::string(c.image) + ".expected").c_str());
        ASSERT_EQ(c.partitions, expected.size());
        CMemoryDevice disk(ReadFileBytes(FixturePath((std::string(c.image) + ".img").c_str())));
        std::vector<PartitionInfo> out;
        PartitionTableReport report;
        CPartitionTableAnalyze::Analyze(disk, out, FileSystemProbe(), &report);
        EXPECT_EQ(c.kind, report.kind);
        EXPECT_EQ(expected, LayoutOf(out));
    }
}

// A hybrid MBR whose GPT cannot be trusted (both headers damaged, the array garbled) still
// names the partitions it mirrors; its protective entry is not one of them.
TEST(PartitionTable, HybridMbrWithoutAGptFallsBackToItsOwnEntries)
{
    std::vector<unsigned char> img = ReadFileBytes(FixturePath("hybrid.img"));
    ASSERT_EQ(8u << 20, img.size());
    img[512 + 16] ^= 1;
    img[img.size() - 512 + 16] ^= 1;
    PutU64(img.data() + 1024 + 40, 1ull << 40);  // the first entry's last LBA, far past the end
    CMemoryDevice disk(img);
    std::vector<PartitionInfo> out;
    PartitionTableReport report;
    CPartitionTableAnalyze::Analyze(disk, out, FileSystemProbe(), &report);
    EXPECT_TRUE(report.gptCorrupt);
    EXPECT_FALSE(report.gptWithoutHeader);
    const Layout gpt = ReadExpected("hybrid.expected");
    ASSERT_EQ(3u, gpt.size());
    EXPECT_EQ(Layout(gpt.begin(), gpt.begin() + 2), LayoutOf(out));
}

// The file systems inside partitions of unlisted types are found, as blkid finds them.
TEST(PartitionTable, FileSystemsInLinuxTypedPartitionsMatchBlkid)
{
    FILE* f = fopen(FixturePath("gptlinux.fs").c_str(), "r");
    ASSERT_TRUE(f);
    std::map<uint64_t, std::pair<std::string, std::string>> blkid;  // start -> type, label
    unsigned long long start;
    char type[32], label[64];
    while (fscanf(f, "%llu %31s %63s", &start, type, label) == 3)
        blkid[start] = {type, label};
    fclose(f);
    ASSERT_EQ(2u, blkid.size());
    CMemoryDevice disk(ReadFileBytes(FixturePath("gptlinux.img")));
    std::vector<PartitionInfo> out;
    CPartitionTableAnalyze::Analyze(disk, out, ProbeWithAnalyzers);
    size_t matched = 0;
    for (const PartitionInfo& info : out) {
        auto it = blkid.find(info.startSector);
        if (it == blkid.end()) {
            EXPECT_EQ(uint32_t(kFsNone), info.fileSystem) << info.startSector;
            continue;
        }
        ++matched;
        EXPECT_EQ(it->second.first == "exfat" ? uint32_t(kFsExFat) : uint32_t(kFsFat16), info.fileSystem);
        EXPECT_EQ(it->second.second, info.label);
    }
    EXPECT_EQ(2u, matched);
}

TEST_F(PartitionImages, DamagedPrimaryGptFallsBackToBackup)
{
    const uint64_t last = gpt.size() / 512 - 1;
    const Layout expected = ReadExpected("gpt.expected");
    struct Case {
        const char* what;
        std::function<void(std::vector<unsigned char>&)> damage;
        bool usable;
    } cases[] = {
        {"header CRC", [](std::vector<unsigned char>& g) { g[512 + 16] ^= 1; }, true},
        {"signature", [](std::vector<unsigned char>& g) { g[512] = 'X'; }, true},
        {"entry array byte", [](std::vector<unsigned char>& g) { g[2 * 512 + 40] ^= 0x10; }, true},
        {"huge entry count, resealed",
         [](std::vector<unsigned char>& g) {
             PutU32(g.data() + 512 + 80, 0xFFFFFFFFu);
             ResealGptHeader(g, 1);
         },
         true},
        {"entry size not 128 x 2^n, resealed",
         [](std::vector<unsigned char>& g) {
             PutU32(g.data() + 512 + 84, 130);
             ResealGptHeader(g, 1);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<unsigned char> img = gpt;
        c.damage(img);
        PartitionTableReport report;
        const std::vector<PartitionInfo> out = Read(img, &report);
        EXPECT_TRUE(report.gptPrimaryInvalid);
        EXPECT_EQ(c.usable, report.gptUsedBackup);
        EXPECT_EQ(!c.usable, report.gptCorrupt);
        EXPECT_EQ(c.usable ? expected : Layout(), LayoutOf(out));
    }
}

// Neither header copy validates: the array where every tool puts it (LBA 2) is read, but only
// when every slot is blank or a sound, in-disk, non-overlapping entry.
TEST_F(PartitionImages, NoValidHeaderReadsTheArrayAtLba2OnlyWhenItIsSound)
{
    const uint64_t last = gpt.size() / 512 - 1;
    const Layout expected = ReadExpected("gpt.expected");
    ASSERT_EQ(3u, expected.size());
    auto bothHeaders = [last](std::vector<unsigned char>& g) {
        g[512 + 16] ^= 1;
        g[last * 512 + 16] ^= 1;
    };
    struct Case {
        const char* what;
        std::function<void(std::vector<unsigned char>&)> damage;
        bool listed;
    } cases[] = {
        {"byte 16 of both headers", bothHeaders, true},
        {"grown disk, backup no longer at the end, primary damaged",
         [](std::vector<unsigned char>& g) {
             g.resize(g.size() * 2, 0);
             g[512 + 16] ^= 1;
         },
         true},
        {"garbage in a blank slot",
         [&](std::vector<unsigned char>& g) {
             bothHeaders(g);
             for (int i = 0; i < 128; ++i)
                 g[1024 + 100 * 128 + i] = (unsigned char)(i * 37 + 11);
         },
         false},
        {"an entry starting past the end of the disk",
         [&](std::vector<unsigned char>& g) {
             bothHeaders(g);
             PutU64(g.data() + 1024 + 2 * 128 + 32, last + 1);
             PutU64(g.data() + 1024 + 2 * 128 + 40, last + 100);
         },
         false},
        {"two entries overlapping",
         [&](std::vector<unsigned char>& g) {
             bothHeaders(g);
             PutU64(g.data() + 1024 + 128 + 32, GetU64(g.data() + 1024 + 40));
         },
         false},
        {"an entry over the array itself",
         [&](std::vector<unsigned char>& g) {
             bothHeaders(g);
             PutU64(g.data() + 1024 + 32, 33);
         },
         false},
        {"an entry with no unique GUID",
         [&](std::vector<unsigned char>& g) {
             bothHeaders(g);
             memset(g.data() + 1024 + 16, 0, 16);
         },
         false},
        {"a blank array",
         [&](std::vector<unsigned char>& g) {
             bothHeaders(g);
             memset(g.data() + 1024, 0, 128 * 128);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<unsigned char> img = gpt;
        c.damage(img);
        PartitionTableReport report;
        const std::vector<PartitionInfo> out = Read(img, &report);
        // Without a GPT, the protective MBR is what is left to read.
        EXPECT_EQ(c.listed ? kTableGpt : kTableMbr, report.kind);
        EXPECT_TRUE(report.gptPrimaryInvalid);
        EXPECT_FALSE(report.gptUsedBackup);
        EXPECT_EQ(c.listed, report.gptWithoutHeader);
        EXPECT_EQ(!c.listed, report.gptCorrupt);
        EXPECT_EQ(c.listed ? expected : Layout(), LayoutOf(out));
    }
}

// An image cut short inside its last partition: that entry is cut to the disk and its file
// system's own size decides, whether the primary header is sound or not; the others are
// listed as sgdisk lists them.
TEST(PartitionTable, EntryEndingPastTheDiskIsCutBesideSoundOnes)
{
    const std::vector<unsigned char> image = ReadFileBytes(FixturePath("gpttrunc.img"));
    ASSERT_EQ(7u << 20, image.size());
    const Layout sgdisk = ReadExpected("gpttrunc.sgdisk");
    ASSERT_EQ(3u, sgdisk.size());
    ASSERT_GT(sgdisk[2].first + sgdisk[2].second, image.size() / 512);
    std::vector<unsigned char> sizeText = ReadFileBytes(FixturePath("gpttrunc.fssize"));
    const uint64_t fsSize = strtoull(std::string(sizeText.begin(), sizeText.end()).c_str(), nullptr, 10);
    ASSERT_GT(fsSize, 0u);
    const Layout expected = {sgdisk[0], sgdisk[1], {sgdisk[2].first, fsSize}};
    for (bool damagedPrimary : {false, true}) {
        SCOPED_TRACE(damagedPrimary ? "primary header damaged" : "primary header sound");
        std::vector<unsigned char> img = image;
        if (damagedPrimary)
            img[512 + 16] ^= 1;
        CMemoryDevice disk(std::move(img));
        std::vector<PartitionInfo> out;
        PartitionTableReport report;
        CPartitionTableAnalyze::Analyze(disk, out, ProbeWithAnalyzers, &report);
        EXPECT_EQ(kTableGpt, report.kind);
        EXPECT_FALSE(report.gptCorrupt);
        EXPECT_TRUE(report.gptEntryCut);
        EXPECT_EQ(damagedPrimary, report.gptWithoutHeader);
        EXPECT_EQ(expected, LayoutOf(out));
        ASSERT_EQ(3u, out.size());
        EXPECT_STREQ("LASTVOL", out[2].label);
    }
    // A disk that holds every entry whole flags none.
    PartitionTableReport report;
    std::vector<PartitionInfo> out;
    CMemoryDevice whole(ReadFileBytes(FixturePath("gpt.img")));
    CPartitionTableAnalyze::Analyze(whole, out, ProbeWithAnalyzers, &report);
    EXPECT_EQ(3u, out.size());
    EXPECT_FALSE(report.gptEntryCut);
}

// A sound primary is read; what is wrong with the backup still goes on the report.
TEST_F(PartitionImages, BackupHeaderDamageIsReportedBesideASoundPrimary)
{
    const uint64_t last = gpt.size() / 512 - 1;
    struct Case {
        const char* what;
        std::function<void(std::vector<unsigned char>&)> change;
        bool backupInvalid, shorter;
    } cases[] = {
        {"undamaged", [](std::vector<unsigned char>&) {}, false, false},
        {"backup header CRC", [last](std::vector<unsigned char>& g) { g[last * 512 + 16] ^= 1; }, true, false},
        {"backup entry array", [last](std::vector<unsigned char>& g) { g[(last - 32) * 512 + 40] ^= 1; }, true, false},
        {"grown disk: the backup is no longer at the end",
         [](std::vector<unsigned char>& g) { g.resize(g.size() * 2, 0); }, false, false},
        {"disk shorter than its GPT", [](std::vector<unsigned char>& g) { g.resize(g.size() - 64 * 512); }, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<unsigned char> img = gpt;
        c.change(img);
        PartitionTableReport report;
        EXPECT_EQ(ReadExpected("gpt.expected"), LayoutOf(Read(img, &report)));
        EXPECT_FALSE(report.gptPrimaryInvalid);
        EXPECT_EQ(c.backupInvalid, report.gptBackupInvalid);
        EXPECT_EQ(c.shorter, report.gptDiskShorter);
    }
}

TEST_F(PartitionImages, EntrySizeComesFromTheHeader)
{
    // Re-lay the primary array as 256-byte entries: a reader that assumes 128 would see
    // every second entry as garbage.
    std::vector<unsigned char> img = gpt;
    unsigned char* h = img.data() + 512;
    const uint32_t count = GetU32(h + 80);
    ASSERT_EQ(128u, GetU32(h + 84));
    std::vector<unsigned char> wide(size_t(count / 2) * 256, 0);
    for (uint32_t i = 0; i < count / 2; ++i)
        memcpy(wide.data() + i * 256, img.data() + 1024 + i * 128, 128);
    memcpy(img.data() + 1024, wide.data(), wide.size());
    PutU32(h + 80, count / 2);
    PutU32(h + 84, 256);
    PutU32(h + 88, Crc(wide.data(), wide.size()));
    ResealGptHeader(img, 1);
    PartitionTableReport report;
    EXPECT_EQ(ReadExpected("gpt.expected"), LayoutOf(Read(img, &report)));
    EXPECT_FALSE(report.gptPrimaryInvalid);
}

TEST_F(PartitionImages, EbrChainLoopsEndWithoutDuplicates)
{
    // EBRs sit at 4096, 8192 and 12288; each holds its logical and a link to the next.
    const Layout expected = ReadExpected("dos.expected");
    {
        std::vector<unsigned char> img = dos;
        std::vector<unsigned char> ebr(img.begin() + 12288 * 512, img.begin() + 12289 * 512);
        SetMbrEntry(ebr, 1, 0x05, 0, 2048);  // the last EBR links back to the first
        memcpy(img.data() + 12288 * 512, ebr.data(), 512);
        PartitionTableReport report;
        EXPECT_EQ(expected, LayoutOf(Read(img, &report)));
        EXPECT_TRUE(report.ebrLoop);
    }
    {
        std::vector<unsigned char> img = dos;
        std::vector<unsigned char> ebr(512, 0);
        SetMbrEntry(ebr, 0, 0x0F, 0, 0);  // the first EBR is only a link to itself
        memcpy(img.data() + 4096 * 512, ebr.data(), 512);
        PartitionTableReport report;
        EXPECT_EQ(Layout(expected.begin(), expected.begin() + 1), LayoutOf(Read(img, &report)));
        EXPECT_TRUE(report.ebrLoop);
    }
}

TEST(PartitionTable, EndlessChainOfLinksIsBounded)
{
    // Links only, each to a new EBR: never a loop, but no disk has this many.
    CSparseDevice disk(100000, 512);
    SetMbrEntry(disk.Sector(0), 0, 0x05, 100, 90000);
    for (uint32_t i = 0; i < 1000; ++i)
        SetMbrEntry(disk.Sector(100 + i), 0, 0x05, i + 1, 1);
    std::vector<PartitionInfo> out;
    PartitionTableReport report;
    EXPECT_EQ(0, CPartitionTableAnalyze::Analyze(disk, out, FileSystemProbe(), &report));
    EXPECT_TRUE(report.ebrChainTooLong);
}

TEST(PartitionTable, EntryTypesAndBounds)
{
    CSparseDevice disk(10000, 512);
    std::vector<unsigned char>& s0 = disk.Sector(0);
    SetMbrEntry(s0, 0, 0x85, 100, 100);     // a container whose EBR is blank: nothing in it
    SetMbrEntry(s0, 1, 0x07, 9000, 5000);   // runs past the end: cut to it
    SetMbrEntry(s0, 2, 0x07, 20000, 100);   // starts past the end: dropped
    SetMbrEntry(s0, 3, 0x07, 500, 0);       // no length: nothing in it
    std::vector<PartitionInfo> out;
    EXPECT_EQ(1, CPartitionTableAnalyze::Analyze(disk, out, ProbeAt({{500, 2000}})));
    EXPECT_EQ((Layout{{9000, 1000}}), LayoutOf(out));

    s0[446] = 0x12;  // a status byte other than 0x00 and 0x80: not a table
    out.clear();
    EXPECT_EQ(0, CPartitionTableAnalyze::Analyze(disk, out));

    SetMbrEntry(s0, 0, 0x07, 100, 100);
    SetMbrEntry(s0, 2, 0x42, 2000, 100);  // the dynamic-disk marker
    out.clear();
    PartitionTableReport report;
    EXPECT_EQ(0, CPartitionTableAnalyze::Analyze(disk, out, FileSystemProbe(), &report));
    EXPECT_EQ(kTableDynamic, report.kind);
    EXPECT_TRUE(out.empty());
}

TEST(PartitionTable, FileSystemSizeAgainstTableSize)
{
    struct Case {
        uint64_t fsSize;
        Layout expected;
    } cases[] = {
        {900000, {{63, 1000000}, {63, 900000}}},  // far apart: both sizes offered
        {1000000 - 32129, {{63, 1000000 - 32129}}},
        {1000000 + 32130, {{63, 1000000}, {63, 1000000 + 32130}}},
        {5000000, {{63, 1000000}}},  // larger than the disk: the table's size stays
    };
    for (const Case& c : cases) {
        CSparseDevice disk(2000000, 512);
        SetMbrEntry(disk.Sector(0), 0, 0x0C, 63, 1000000);
        std::vector<PartitionInfo> out;
        CPartitionTableAnalyze::Analyze(disk, out, ProbeAt({{63, c.fsSize}}));
        EXPECT_EQ(c.expected, LayoutOf(out)) << c.fsSize;
        for (const PartitionInfo& info : out) {
            EXPECT_EQ(uint32_t(kFsFat32), info.fileSystem);
            EXPECT_STREQ("VOL", info.label);
        }
    }
}

TEST(PartitionTable, WholeDiskFileSystemWithoutTable)
{
    CSparseDevice disk(4096, 512);
    std::vector<PartitionInfo> out;
    EXPECT_EQ(1, CPartitionTableAnalyze::Analyze(disk, out, ProbeAt({{0, 4000}})));
    EXPECT_EQ((Layout{{0, 4000}}), LayoutOf(out));
    out.clear();
    EXPECT_EQ(1, CPartitionTableAnalyze::Analyze(disk, out, ProbeAt({{0, 0}})));
    EXPECT_EQ((Layout{{0, 4096}}), LayoutOf(out));
}

// A floppy lists its file system once, and its boot sector is no table: mformat's one entry
// (from sector 0, over the whole floppy) names the volume already listed.
TEST(PartitionTable, FloppiesAndBlankDisksHaveNoTable)
{
    struct Case {
        const char* image;
        PartitionTableKind kind;
        const char* label;  // of the one volume; null for none
    } cases[] = {
        {"mformat.img", kTableNone, "MFLOPPY"},
        {"mkfsfat.img", kTableNone, "MKFLOPPY"},
        {"blank.img", kTableNone, nullptr},
        {"emptydos.img", kTableMbr, nullptr},
        {"fat.img", kTableMbr, "PARTLABEL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        CMemoryDevice disk(ReadFileBytes(FixturePath(c.image)));
        ASSERT_GT(disk.GetTotalSectors(), 0u);
        std::vector<PartitionInfo> out;
        PartitionTableReport report;
        CPartitionTableAnalyze::Analyze(disk, out, ProbeWithAnalyzers, &report);
        EXPECT_EQ(c.kind, report.kind);
        ASSERT_EQ(c.label ? 1u : 0u, out.size());
        if (c.label)
            EXPECT_STREQ(c.label, out[0].label);
    }
    // An entry at a start already listed adds nothing, wherever the table lies.
    CSparseDevice disk(4096, 512);
    SetMbrEntry(disk.Sector(0), 0, 0x01, 0, 4096);
    SetMbrEntry(disk.Sector(0), 1, 0x01, 0, 2000);
    std::vector<PartitionInfo> out(1);  // a record of an earlier disk at sector 0
    EXPECT_EQ(1, CPartitionTableAnalyze::Analyze(disk, out, ProbeAt({{0, 4000}})));
    EXPECT_EQ((Layout{{0, 0}, {0, 4000}}), LayoutOf(out));
}

TEST(PartitionTable, LargeSectorsAreRead)
{
    // 4096-byte sectors and more: the table sector is a buffer of the device's sector size.
    for (uint32_t size : {4096u, 8192u}) {
        CSparseDevice disk(1000, size);
        SetMbrEntry(disk.Sector(0), 0, 0x07, 10, 20);
        std::vector<PartitionInfo> out;
        EXPECT_EQ(1, CPartitionTableAnalyze::Analyze(disk, out)) << size;
    }
}

TEST(PartitionTable, IsEntryUsable)
{
    std::vector<unsigned char> sector(512, 0);
    SetMbrEntry(sector, 0, 0x07, 100, 50);  // sectors 100 to 149 from its base
    const unsigned char* entry = sector.data() + 446;
    std::vector<PartitionInfo> accepted(1);
    accepted[0].startSector = 1200;
    accepted[0].lengthSectors = 10;
    struct Case {
        uint64_t base, lower, upper;
        bool usable;
    } cases[] = {
        {0, 0, 1000, true},
        {0, 101, 1000, false},    // begins below the lower bound
        {0, 0, 148, false},       // its last sector (149) is above the upper bound
        {0, 0, 149, true},        // the upper bound itself is inside
        {1000, 0, 5000, true},    // 1100 to 1149: ends before the accepted 1200
        {1100, 0, 5000, true},    // 1200 to 1249 begins at the accepted start, not before it
        {1060, 0, 5000, false},   // 1160 to 1209 reaches into the accepted partition
        {0xFFFFFFF0ull, 0, 0xFFFFFFFFull, false},  // the 64-bit end passes the bound, no wrap
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.usable, CPartitionTableAnalyze::IsEntryUsable(entry, c.base, c.lower, c.upper, accepted)) << c.base << " " << c.lower << " " << c.upper;
    }
}
