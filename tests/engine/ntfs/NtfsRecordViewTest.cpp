// tests/engine/ntfs/NtfsRecordViewTest.cpp
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "engine/device/LittleEndian.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/ntfs/NtfsDataRuns.h"
#include "engine/ntfs/NtfsLayout.h"
#include "engine/ntfs/NtfsRecord.h"
#include "engine/ntfs/NtfsRecordAttribute.h"
#include "engine/ntfs/NtfsRecordView.h"
#include "tests/engine/ntfs/NtfsImages.h"

namespace {

std::vector<unsigned char> Record(const std::vector<unsigned char>& image, uint32_t n)
{
    NtfsBootSector boot;
    if (!boot.Load(image.data()))
        return {};
    size_t start = size_t(boot.GetMftCluster() * boot.GetSectorsPerCluster() * 512 + n * 1024);
    return std::vector<unsigned char>(image.begin() + start, image.begin() + start + 1024);
}

class MemoryStream : public IRunStream {
public:
    int Read(void* buffer, size_t bytes) override
    {
        if (bytes > data.size() - pos)
            return 0;
        memcpy(buffer, data.data() + pos, bytes);
        pos += bytes;
        return 1;
    }
    int Write(const void* buffer, size_t bytes) override
    {
        const unsigned char* p = static_cast<const unsigned char*>(buffer);
        data.insert(data.end(), p, p + bytes);
        return 1;
    }
    std::vector<unsigned char> data;
    size_t pos = 0;
};

}  // namespace

TEST(NtfsSystemFiles, RecordsOfAFreshVolume)
{
    std::vector<unsigned char> image = NtfsImage("ntfs.img");
    const int expected[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    for (int n : expected) {
        std::vector<unsigned char> record = Record(image, uint32_t(n));
        std::vector<unsigned char> before = record;
        {
            NtfsRecordView view(record.data(), record.size(), false);
            ASSERT_TRUE(view.IsValid()) << n;
            EXPECT_EQ(n, NtfsSystemFileIndex(view)) << n;
        }
        EXPECT_EQ(before, record) << "the view gives the record back protected";
    }
    std::vector<unsigned char> mft = Record(image, 0);
    {
        // The same record as an extension of record 5: it belongs to another file, whatever
        // name it holds.
        std::vector<unsigned char> extension = mft;
        PutU64(extension.data() + ntfslayout::kBaseReference, 5);
        NtfsRecordView view(extension.data(), extension.size(), false);
        ASSERT_TRUE(view.IsValid());
        EXPECT_EQ(-1, NtfsSystemFileIndex(view));
    }
    EXPECT_TRUE(IsNtfsMftRecord(mft.data(), mft.size()));
    EXPECT_FALSE(IsNtfsUpCaseRecord(mft.data(), mft.size()));
    std::vector<unsigned char> upcase = Record(image, 10);
    EXPECT_TRUE(IsNtfsUpCaseRecord(upcase.data(), upcase.size()));
    std::vector<unsigned char> root = Record(image, 5);
    EXPECT_TRUE(IsNtfsDirectoryWithIndex(root.data(), root.size()));
    EXPECT_FALSE(IsNtfsDirectoryWithIndex(mft.data(), mft.size()));
    std::vector<unsigned char> junk(1024, 0);
    NtfsRecordView empty(junk.data(), junk.size(), true);
    EXPECT_FALSE(empty.IsValid());
    EXPECT_EQ(-1, NtfsSystemFileIndex(empty));
}

TEST(CollectDataRuns, TheMftDescribesItself)
{
    std::vector<unsigned char> image = NtfsImage("ntfs.img");
    NtfsBootSector boot;
    ASSERT_TRUE(boot.Load(image.data()));
    std::vector<unsigned char> record = Record(image, 0);
    NtfsRecordView view(record.data(), record.size(), true);
    DataRunList runs;
    uint64_t dataSize = 0;
    ASSERT_EQ(1, CollectDataRuns(view, runs, true, &dataSize));
    ASSERT_GE(runs.Count(), 1u);
    EXPECT_EQ(boot.GetMftCluster(), runs.VcnToLcn(0));
    EXPECT_GE(dataSize, 16u * 1024);

    MemoryStream stream;
    ASSERT_TRUE(runs.Save(stream));
    DataRunList loaded;
    ASSERT_TRUE(loaded.Load(stream));
    EXPECT_TRUE(loaded.Equals(runs));
    // A stream that claims more runs than it holds.
    MemoryStream lying;
    lying.data.assign(8, 0xFF);
    EXPECT_FALSE(loaded.Load(lying));
    EXPECT_EQ(0u, loaded.Count());
}

// A file's data is its unnamed stream: $Secure keeps its descriptors in the named non-resident
// stream $SDS, and has no unnamed one, so no run is its data.
TEST(CollectDataRuns, NamedStreamsAreNotTheData)
{
    std::vector<unsigned char> record = Record(NtfsImage("ntfs.img"), 9);
    NtfsRecordView view(record.data(), record.size(), true);
    ASSERT_EQ(9, NtfsSystemFileIndex(view));
    ASSERT_GE(FindAttributeOffset(view.Record(), view.Size(), ntfslayout::kTypeData, 0), 0);
    DataRunList runs;
    uint64_t dataSize = 0;
    EXPECT_EQ(1, CollectDataRuns(view, runs, true, &dataSize));
    EXPECT_EQ(0u, runs.Count());
    EXPECT_EQ(0u, dataSize);
}

// The cluster size is estimated from the $MFT's own record, without the boot sector, and must
// agree with the cluster size ntfsinfo reports; record and attribute forms alike.
TEST(EstimateSectorsPerCluster, FromTheMftRecordOfRealVolumes)
{
    struct Case { const char* image; uint32_t sectorSize; };
    const Case cases[] = {{"ntfs1k.img", 512}, {"ntfs.img", 512}, {"ntfs4k.img", 4096}, {"ntfs16k.img", 512}};
    for (const Case& c : cases) {
        std::vector<unsigned char> image = NtfsImage(c.image);
        NtfsBootSector boot;
        ASSERT_TRUE(boot.Load(image.data())) << c.image;
        std::vector<unsigned char> golden = NtfsImage((std::string(c.image) + ".cluster").c_str());
        const uint32_t clusterBytes = uint32_t(strtoul(std::string(golden.begin(), golden.end()).c_str(), nullptr, 10));
        ASSERT_GE(clusterBytes, 1024u) << c.image;
        const uint32_t recordSize = GetMftRecordSize(boot);
        const size_t start = size_t(boot.GetMftCluster()) * clusterBytes;
        std::vector<unsigned char> record(image.begin() + start, image.begin() + start + recordSize);
        const std::vector<unsigned char> before = record;
        EXPECT_EQ(clusterBytes / 512, EstimateSectorsPerCluster(record.data(), record.size())) << c.image;
        EXPECT_EQ(before, record) << c.image;

        // The $MFT's data attribute alone.
        ASSERT_TRUE(ApplyUpdateSequence(record.data(), record.size()));
        long offset = FindAttributeOffset(record.data(), record.size(), ntfslayout::kTypeData, 0);
        ASSERT_GT(offset, 0) << c.image;
        CNTFSFileRecordDataRunsAttribute data;
        ASSERT_TRUE(data.Load(record.data() + offset, record.size() - size_t(offset))) << c.image;
        EXPECT_EQ(boot.GetMftCluster(), data.Runs().VcnToLcn(0)) << c.image;
        EXPECT_EQ(clusterBytes / 512, data.EstimateSectorsPerCluster()) << c.image;
    }
    std::vector<unsigned char> junk(1024, 0);
    EXPECT_EQ(0u, EstimateSectorsPerCluster(junk.data(), junk.size()));
}

TEST(CNTFSFileRecordDataRunsAttribute, RefusesWhatItCannotRead)
{
    std::vector<unsigned char> image = NtfsImage("ntfs.img");
    std::vector<unsigned char> record = Record(image, 0);
    ASSERT_TRUE(ApplyUpdateSequence(record.data(), record.size()));
    const long data = FindAttributeOffset(record.data(), record.size(), ntfslayout::kTypeData, 0);
    const long name = FindAttributeOffset(record.data(), record.size(), ntfslayout::kTypeFileName, 0);
    ASSERT_GT(data, 0);
    ASSERT_GT(name, 0);
    const size_t dataLeft = record.size() - size_t(data);
    CNTFSFileRecordDataRunsAttribute attribute;
    ASSERT_TRUE(attribute.Load(record.data() + data, dataLeft));
    EXPECT_GT(attribute.EstimateSectorsPerCluster(), 0u);

    // Resident; cut short; runs that step before cluster 0; initialised size 0.
    EXPECT_FALSE(attribute.Load(record.data() + name, record.size() - size_t(name)));
    EXPECT_EQ(0u, attribute.Runs().Count());
    EXPECT_EQ(0u, attribute.EstimateSectorsPerCluster());
    EXPECT_FALSE(attribute.Load(record.data() + data, 40));
    std::vector<unsigned char> backwards = record;
    unsigned char* runs = backwards.data() + data + GetU16(backwards.data() + data + ntfslayout::kAttrRunsOffset);
    const uint32_t lengthBytes = runs[0] & 0x0F;
    const uint32_t offsetBytes = runs[0] >> 4;
    ASSERT_GT(offsetBytes, 0u);
    runs[lengthBytes + offsetBytes] |= 0x80;  // the first offset becomes negative
    EXPECT_FALSE(attribute.Load(backwards.data() + data, dataLeft));
    std::vector<unsigned char> empty = record;
    memset(empty.data() + data + ntfslayout::kAttrInitializedSize, 0, 8);
    ASSERT_TRUE(attribute.Load(empty.data() + data, dataLeft));
    EXPECT_EQ(0u, attribute.EstimateSectorsPerCluster());
}

// Data size / clusters / 512 rounded up once (8193 bytes over 2 clusters is 8.002 sectors, so
// 9, so 16), then the power of two at or above it.
TEST(EstimateSectorsPerCluster, Buckets)
{
    struct Case { uint64_t size; uint64_t clusters; uint32_t sectors; };
    const Case cases[] = {{4096, 1, 8}, {4096 * 10, 10, 8}, {512, 1, 1}, {513, 1, 2}, {1536, 1, 4},
                          {65536, 1, 128}, {65537, 1, 0}, {100, 1, 1}, {0, 5, 0}, {4096, 0, 0},
                          {8193, 2, 16}, {8192, 2, 8}, {1025, 2, 2}, {(1ull << 40) + 1, 1ull << 28, 16}};
    for (const Case& c : cases)
        EXPECT_EQ(c.sectors, EstimateSectorsPerCluster(c.size, c.clusters)) << c.size << "/" << c.clusters;
}
