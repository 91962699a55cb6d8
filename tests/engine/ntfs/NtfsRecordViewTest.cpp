// tests/engine/ntfs/NtfsRecordViewTest.cpp
#include <gtest/gtest.h>
#include <string.h>

#include "engine/device/LittleEndian.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/ntfs/NtfsDataRuns.h"
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
    EXPECT_EQ(boot.GetSectorsPerCluster(), EstimateSectorsPerCluster(runs.TotalClusters() * boot.GetSectorsPerCluster() * 512, runs.TotalClusters()));

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

TEST(EstimateSectorsPerCluster, Buckets)
{
    struct Case { uint64_t size; uint64_t clusters; uint32_t sectors; };
    const Case cases[] = {{4096, 1, 8}, {4096 * 10, 10, 8}, {512, 1, 1}, {513, 1, 2}, {1536, 1, 4},
                          {65536, 1, 128}, {65537, 1, 0}, {100, 1, 1}, {0, 5, 0}, {4096, 0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.sectors, EstimateSectorsPerCluster(c.size, c.clusters)) << c.size << "/" << c.clusters;
}
