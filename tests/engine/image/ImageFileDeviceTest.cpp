// tests/engine/image/ImageFileDeviceTest.cpp
// Split images of a mkfs.fat volume read back through the image device, whole and damaged.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/image/ImageFileDevice.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WinePath.h"

namespace {

const uint64_t kSectors = 4096;
const size_t kChunk = 256 * 512;

std::string Fixture(const std::string& name)
{
    return FixtureDir() + "\\image\\img.dir\\" + name;
}

const std::vector<unsigned char>& Raw()
{
    static std::vector<unsigned char> raw = ReadFileBytes(Fixture("volume.raw"));
    return raw;
}

bool AllZero(const unsigned char* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (p[i])
            return false;
    return true;
}

// Reads the whole device in steps that cross chunk boundaries.
std::vector<unsigned char> ReadAll(CImageFileDeviceWithDecompress& device)
{
    std::vector<unsigned char> all(size_t(kSectors) * 512);
    for (uint64_t first = 0; first < kSectors; first += 300) {
        uint64_t count = first + 300 <= kSectors ? 300 : kSectors - first;
        EXPECT_TRUE(device.ReadSectors(&all[size_t(first) * 512], first, count));
    }
    return all;
}

}  // namespace

TEST(ImageFileDevice, EveryCompressionReadsBackTheVolume)
{
    ASSERT_EQ(kSectors * 512, Raw().size());
    for (const char* name : {"stored.img", "bzip2.img", "zlib.img", "lzma.img", "plain"}) {
        CImageFileDeviceWithDecompress device(Fixture(name).c_str());
        EXPECT_TRUE(device.CheckImageFiles()) << name;
        EXPECT_EQ(kSectors, device.GetTotalSectors()) << name;
        EXPECT_EQ(512u, device.GetBytesPerSector());
        EXPECT_EQ("Test image", device.GetImageName());
        EXPECT_EQ(1234u, device.GetUserWord());
        EXPECT_TRUE(Raw() == ReadAll(device)) << name;
    }
}

TEST(ImageFileDevice, ReadAcrossChunksAndParts)
{
    CImageFileDeviceWithDecompress device(Fixture("lzma.img").c_str());
    std::vector<unsigned char> buffer(11 * 512);
    ASSERT_TRUE(device.ReadSectors(buffer.data(), 250, 11));  // 6 sectors of chunk 0, 5 of chunk 1
    EXPECT_EQ(0, memcmp(buffer.data(), &Raw()[250 * 512], buffer.size()));
    ASSERT_TRUE(device.ReadSectors(buffer.data(), 2555, 11));  // last of part 0, first of part 1
    EXPECT_EQ(0, memcmp(buffer.data(), &Raw()[2555 * 512], buffer.size()));
    // Past the end: the tail is zeros; starting beyond the end fails.
    ASSERT_TRUE(device.ReadSectors(buffer.data(), kSectors - 3, 11));
    EXPECT_EQ(0, memcmp(buffer.data(), &Raw()[(kSectors - 3) * 512], 3 * 512));
    EXPECT_TRUE(AllZero(&buffer[3 * 512], 8 * 512));
    EXPECT_FALSE(device.ReadSectors(buffer.data(), kSectors + 1, 1));
    EXPECT_FALSE(device.ReadSectors(buffer.data(), 0, kSectors + 1));
    EXPECT_FALSE(device.ReadSectors(nullptr, 0, 1));
}

TEST(ImageFileDevice, DamageReadsAsZerosOnlyWhereItIs)
{
    struct Case {
        const char* name;
        int filesComplete;
        unsigned zeroFrom, zeroTo;  // chunks that read as zeros
    } cases[] = {
        {"corrupt.img", 1, 3, 4},   // undecodable stream: zeros, not the stored bytes
        {"missing.img", 0, 10, 16}, // part 1 is gone
        {"short.img", 1, 15, 16},   // the last chunk is cut off
        {"badindex.img", 1, 5, 7},  // chunk 5's end is absurd; chunk 6 then starts past it
        {"longline.img", 0, 0, 16}, // damaged part list: no part is opened from a cut line
        {"firstbad.img", 1, 0, 1},  // the first chunk's stream damaged
    };
    for (const auto& c : cases) {
        CImageFileDeviceWithDecompress device(Fixture(c.name).c_str());
        EXPECT_EQ(c.filesComplete, device.CheckImageFiles()) << c.name;
        std::vector<unsigned char> all = ReadAll(device);
        // The zeros are told: the damaged sectors are named, and nothing else.
        const std::vector<std::pair<uint64_t, uint64_t>> damaged = {{c.zeroFrom * 256ull, c.zeroTo * 256ull}};
        EXPECT_EQ(damaged, device.DamagedSectorRanges()) << c.name;
        for (unsigned k = 0; k < 16; ++k) {
            const unsigned char* got = &all[k * kChunk];
            if (k >= c.zeroFrom && k < c.zeroTo)
                EXPECT_TRUE(AllZero(got, kChunk)) << c.name << " chunk " << k;
            else
                EXPECT_EQ(0, memcmp(got, &Raw()[k * kChunk], kChunk)) << c.name << " chunk " << k;
        }
    }
}

TEST(ImageFileDevice, UnusableImages)
{
    for (const char* name : {"badparts.img", "nonexistent.img"}) {
        CImageFileDeviceWithDecompress device(Fixture(name).c_str());
        EXPECT_FALSE(device.CheckImageFiles()) << name;
        EXPECT_EQ(0u, device.GetTotalSectors()) << name;
        EXPECT_EQ(512u, device.GetBytesPerSector());
        unsigned char sector[512];
        EXPECT_FALSE(device.ReadSectors(sector, 0, 1)) << name;
    }
    CImageFileDeviceWithDecompress odd(Fixture("sector1000.img").c_str());
    EXPECT_EQ(512u, odd.GetBytesPerSector());
    EXPECT_TRUE(Raw() == ReadAll(odd));
    EXPECT_TRUE(odd.DamagedSectorRanges().empty());
}

// A split image with a file missing is told apart from a raw disk, and the missing file named.
TEST(ImageFileDevice, MissingFilesAreNamed)
{
    struct Case {
        const char* name;
        bool image;
        std::string missing;  // the file name at the end of what is reported, empty for none
    } cases[] = {
        {"lzma.img", true, ""},
        {"missing.img", true, "missing.part1.edf"},
        {"nolist.img", true, "nolist.edp"},
        {"longline.img", true, "part 0, not in the part list"},
        {"volume.raw", false, "volume."},  // the raw disk itself, or the list it lacks
        {"lookalike.raw", false, "lookalike.edp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CImageFileDeviceWithDecompress device(Fixture(c.name).c_str());
        EXPECT_EQ(c.image, device.IsImageHeaderFile());
        const std::string missing = device.MissingImageFile();
        EXPECT_EQ(c.missing.empty(), missing.empty()) << missing;
        EXPECT_NE(std::string::npos, missing.find(c.missing)) << missing;
        EXPECT_EQ(c.missing.empty(), bool(device.CheckImageFiles()));
    }
}

TEST(ImageFileDevice, SectorBySectorReadsMatchWithAndWithoutTheChunkCache)
{
    // Every sector read alone, backwards within each pair of chunks and across the part
    // boundary, so that a kept chunk is served for other sectors than the one that decoded it.
    for (size_t cached : {size_t(0), size_t(1), kImageCachedChunks}) {
        CImageFileDeviceWithDecompress device(Fixture("lzma.img").c_str(), cached);
        std::vector<unsigned char> all(size_t(kSectors) * 512);
        for (uint64_t pair = 0; pair < kSectors; pair += 512) {
            for (uint64_t i = 512; i-- > 0;)
                ASSERT_TRUE(device.ReadSectors(&all[size_t(pair + i) * 512], pair + i, 1));
        }
        EXPECT_TRUE(Raw() == all) << cached << " chunks kept";
    }
}
