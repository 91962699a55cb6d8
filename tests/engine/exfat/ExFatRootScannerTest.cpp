// tests/engine/exfat/ExFatRootScannerTest.cpp
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/device/MemoryDevice.h"
#include "engine/exfat/ExFatBootSector.h"
#include "engine/exfat/ExFatRootScanner.h"
#include "tests/engine/ImageFixture.h"
#include "tests/engine/exfat/ExFatEntryBuilder.h"

namespace {

// dump.exfat's reading of the root: root cluster, bitmap cluster and size, up-case cluster and
// size.
std::vector<uint64_t> DumpedRoot()
{
    std::vector<unsigned char> bytes = FixtureImage("exfat", "exfat.img.dump");
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::vector<uint64_t> numbers;
    uint64_t n;
    while (lines >> n)
        numbers.push_back(n);
    return numbers;
}

std::string Text(const uint16_t* units)
{
    std::string text;
    for (size_t i = 0; units[i]; ++i)
        text += char(units[i]);
    return text;
}

}  // namespace

// Read sector by sector with no boot sector to go by, the image holds one root directory: the
// one dump.exfat reads.
TEST(ExFatRootScanner, FindsTheRootOfARealVolume)
{
    const std::vector<unsigned char> image = FixtureImage("exfat", "exfat.img");
    const std::vector<uint64_t> dumped = DumpedRoot();
    ASSERT_EQ(5u, dumped.size());
    const ExFatBootFields boot = ReadExFatBootFields(image.data());
    const uint64_t rootSector = boot.clusterHeapOffset + (dumped[0] - 2) * (1u << boot.sectorsPerClusterShift);

    CMemoryDevice device(image);
    ExFatRootScanner scanner(9, boot.volumeLength, 25);
    scanner.ScanRegion(&device, 0, device.GetTotalSectors());
    size_t complete = 0;
    for (const auto& found : scanner.Candidates())
        complete += found.second.IsComplete() ? 1 : 0;
    EXPECT_EQ(1u, complete);
    const ExFatRootCandidate* root = scanner.Find(rootSector);
    ASSERT_NE(nullptr, root);
    EXPECT_TRUE(root->IsComplete());
    EXPECT_EQ("EXLABEL", Text(root->label));
    EXPECT_EQ(dumped[2] * 8, root->bitmapBits);
    EXPECT_EQ(dumped[3], root->upcaseFirstCluster);
    EXPECT_EQ(dumped[4], root->upcaseLength);
    EXPECT_EQ(std::max(dumped[1], dumped[3]) + 1, root->clusterEnd);
    EXPECT_EQ(1u, root->sectorCount);
    EXPECT_FALSE(root->HoldsFiles());
}

// Files put into the real root by hand (no tool here writes into an exFAT image without
// mounting it): a set that crosses from one sector into the next, a deleted file and a
// directory whose length bounds the cluster size.
TEST(ExFatRootScanner, GathersFilesAcrossSectors)
{
    std::vector<unsigned char> image = FixtureImage("exfat", "exfat.img");
    const ExFatBootFields boot = ReadExFatBootFields(image.data());
    const uint64_t rootSector = boot.clusterHeapOffset + (boot.rootCluster - 2) * (1u << boot.sectorsPerClusterShift);
    unsigned char* root = image.data() + rootSector * 512;
    ASSERT_EQ(0x83, root[0]);
    ASSERT_EQ(0, root[3 * 32]);

    std::vector<unsigned char> folder = EntrySet("Folder", true, 20, 2048);
    folder[4] = 0x10;  // a directory of 2048 bytes: clusters are at most 2048 bytes
    std::vector<unsigned char> gone = EntrySet("gone.txt", false, 40, 100);
    std::vector<unsigned char> crossing = EntrySet("crossing.bin", true, 30, 5000);
    memcpy(root + 3 * 32, folder.data(), folder.size());             // entries 3-5
    memcpy(root + 6 * 32, gone.data(), gone.size());                 // entries 6-8
    memcpy(root + 14 * 32, crossing.data(), crossing.size());        // entries 14-16
    // Entries 9 to 13 must not end the directory: deleted copies of the folder's set.
    for (int i = 9; i < 14; i += 3) {
        std::vector<unsigned char> filler = EntrySet("old", false, 50 + i, 10);
        memcpy(root + i * 32, filler.data(), std::min<size_t>(filler.size(), (14 - i) * 32));
    }

    CMemoryDevice device(image);
    ExFatRootScanner scanner(9, boot.volumeLength, 25);
    scanner.ScanRegion(&device, rootSector, 8);
    const ExFatRootCandidate* found = scanner.Find(rootSector);
    ASSERT_NE(nullptr, found);
    EXPECT_TRUE(found->IsComplete());
    EXPECT_EQ(2u, found->sectorCount);  // the end marker follows the crossing set
    ASSERT_EQ(2u, found->files.size());
    EXPECT_EQ("Folder", found->files.find(20)->second.name);
    EXPECT_EQ("crossing.bin", found->files.find(30)->second.name);
    EXPECT_EQ(5000u, found->files.find(30)->second.dataLength);
    ASSERT_EQ(1u, found->deletedFiles.count(40));
    EXPECT_EQ("gone.txt", found->deletedFiles.find(40)->second.name);
    EXPECT_EQ(2048u, found->clusterSizeEstimate);
    EXPECT_EQ(20u, found->lowestFirstCluster);
    EXPECT_GE(found->highestFirstCluster, 40u);
    EXPECT_EQ(0u, found->flags & ExFatRootCandidate::kStartsMidSet);

    // Read from the second sector on, the directory starts inside the crossing set.
    ExFatRootScanner middle(9, boot.volumeLength, 25);
    middle.ScanRegion(&device, rootSector + 1, 7);
    const ExFatRootCandidate* tail = middle.Find(rootSector + 1);
    ASSERT_NE(nullptr, tail);
    EXPECT_NE(0u, tail->flags & ExFatRootCandidate::kStartsMidSet);
    EXPECT_EQ(1u, tail->openSets.count(rootSector + 1));
    EXPECT_FALSE(tail->IsComplete());
}

TEST(ExFatRootScanner, SectorsOfNoDirectoryGiveNoCandidate)
{
    std::vector<unsigned char> sector(512, 0);
    ExFatRootScanner scanner(9, 8192, 12);
    EXPECT_TRUE(scanner.ScanSector(sector.data(), 7));
    memset(sector.data(), 0x85, sector.size());  // File entries that fail their test
    EXPECT_TRUE(scanner.ScanSector(sector.data(), 8));
    scanner.Flush();
    EXPECT_TRUE(scanner.Candidates().empty());
    EXPECT_EQ(nullptr, scanner.Find(7));
}

// A root holds one label: a second live label entry in the same sector is not a directory's
// entry, and its text never replaces the first one's. A label entry no longer in use may
// follow (it marks a root without naming it).
TEST(ExFatRootScanner, OnlyTheFirstLiveLabelOfASectorIsTaken)
{
    std::vector<unsigned char> image = FixtureImage("exfat", "exfat.img");
    const ExFatBootFields boot = ReadExFatBootFields(image.data());
    const uint64_t rootSector = boot.clusterHeapOffset + (boot.rootCluster - 2) * (1u << boot.sectorsPerClusterShift);
    unsigned char* root = image.data() + rootSector * 512;
    ASSERT_EQ(0x83, root[0]);
    ASSERT_EQ(0, root[3 * 32]);
    unsigned char* second = root + 3 * 32;
    memcpy(second, root, 32);
    const char text[] = "SECOND";
    second[1] = uint8_t(strlen(text));
    memset(second + 2, 0, 22);
    for (size_t i = 0; text[i]; ++i)
        second[2 + 2 * i] = uint8_t(text[i]);
    for (unsigned char type : {0x03, 0x83}) {
        second[0] = type;
        CMemoryDevice device(image);
        ExFatRootScanner scanner(9, boot.volumeLength, 25);
        scanner.ScanRegion(&device, rootSector, 1);
        const ExFatRootCandidate* found = scanner.Find(rootSector);
        ASSERT_NE(nullptr, found) << int(type);
        EXPECT_EQ("EXLABEL", Text(found->label)) << int(type);
    }
}
