// tests/engine/image/DecompressorTest.cpp
// The three chunk decompressors on chunks written by python3's bz2, zlib and lzma modules.
#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/device/LittleEndian.h"
#include "engine/image/Decompressor.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WinePath.h"

namespace {

const size_t kChunk = 256 * 512;

std::string Fixture(const std::string& name)
{
    std::string dir = FixtureDir();
    std::string sep = dir.find('\\') != std::string::npos ? "\\" : "/";
    return dir + sep + "image" + sep + "img.dir" + sep + name;
}

// The stored bytes of chunk k of part 0 (k > 0 stays in part 0 for these images).
std::vector<unsigned char> StoredChunk(const std::string& stem, unsigned k)
{
    std::vector<unsigned char> image = ReadFileBytes(Fixture(stem + ".img"));
    std::vector<unsigned char> part = ReadFileBytes(Fixture(stem + ".part0.edf"));
    EXPECT_GE(image.size(), 512u + 4 * (k + 1));
    uint32_t start = k ? GetU32(&image[512 + 4 * (k - 1)]) : 0;
    uint32_t end = GetU32(&image[512 + 4 * k]);
    return std::vector<unsigned char>(part.begin() + 512 + start, part.begin() + 512 + end);
}

}  // namespace

TEST(Decompressor, DecodesEachFormat)
{
    std::vector<unsigned char> raw = ReadFileBytes(Fixture("volume.raw"));
    ASSERT_EQ(4096u * 512, raw.size());
    struct Case { const char* stem; uint32_t compression; } cases[] = {
        {"bzip2", kImageBzip2}, {"zlib", kImageZlib}, {"lzma", kImageLzma},
    };
    for (const auto& c : cases) {
        std::unique_ptr<IDecompressor> d(CreateDecompressor(c.compression));
        ASSERT_TRUE(d) << c.stem;
        for (unsigned k : {0u, 1u, 3u}) {  // one decompressor reused across chunks
            std::vector<unsigned char> stored = StoredChunk(c.stem, k);
            std::vector<unsigned char> out(kChunk, 0xCC);
            ASSERT_EQ(long(kChunk), DecompressChunk(d.get(), stored.data(), stored.size(), out.data(), out.size()))
                << c.stem << " chunk " << k;
            EXPECT_EQ(0, memcmp(out.data(), raw.data() + k * kChunk, kChunk)) << c.stem << " chunk " << k;
        }
    }
    EXPECT_EQ(nullptr, CreateDecompressor(0));
    EXPECT_EQ(nullptr, CreateDecompressor(4));
}

TEST(Decompressor, DamagedChunksFail)
{
    std::vector<unsigned char> out(kChunk);
    for (uint32_t compression : {kImageBzip2, kImageZlib, kImageLzma}) {
        std::unique_ptr<IDecompressor> d(CreateDecompressor(compression));
        const char* stem = compression == kImageBzip2 ? "bzip2" : compression == kImageZlib ? "zlib" : "lzma";
        std::vector<unsigned char> stored = StoredChunk(stem, 3);
        std::vector<unsigned char> cut(stored.begin(), stored.begin() + stored.size() / 2);
        EXPECT_EQ(-1, DecompressChunk(d.get(), cut.data(), cut.size(), out.data(), out.size())) << stem;
        std::vector<unsigned char> noise(4000);
        for (size_t i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<unsigned char>(i * 7919 >> 3);
        EXPECT_EQ(-1, DecompressChunk(d.get(), noise.data(), noise.size(), out.data(), out.size())) << stem;
        EXPECT_EQ(-1, DecompressChunk(d.get(), noise.data(), 3, out.data(), out.size())) << stem;
    }
    // The corrupt image's chunk 3 has damage in the middle of a zlib stream.
    std::unique_ptr<IDecompressor> zlib(CreateDecompressor(kImageZlib));
    std::vector<unsigned char> damaged = StoredChunk("corrupt", 3);
    EXPECT_EQ(-1, DecompressChunk(zlib.get(), damaged.data(), damaged.size(), out.data(), out.size()));
    // An LZMA properties byte beyond lc/lp/pb's range.
    std::unique_ptr<IDecompressor> lzma(CreateDecompressor(kImageLzma));
    std::vector<unsigned char> stored = StoredChunk("lzma", 0);
    stored[0] = 230;
    EXPECT_EQ(-1, DecompressChunk(lzma.get(), stored.data(), stored.size(), out.data(), out.size()));
}
