// tests/finder/picturehash/PictureHashLibraryTest.cpp
// "VoveRIRider.dll" as the finder uses it: loaded by full path from the program folder, its
// exports looked up by name, fed whole picture files.
#include <windows.h>

#include <gtest/gtest.h>
#include <zlib.h>

#include <stdio.h>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/AppFolder.h"
#include "finder/picturehash/PerceptualHash.h"
#include "finder/picturehash/PictureHash.h"
#include "tests/support/WinePath.h"

namespace {

typedef std::vector<unsigned char> Bytes;
typedef std::vector<unsigned char> Hash;

struct Library {
    HMODULE module = nullptr;
    AHashValueFn hashValue = nullptr;
    IsMaybeSimilarPicturesFn similar = nullptr;
};

const Library& TheLibrary()
{
    static Library library = [] {
        Library l;
        const std::string path = std::string(GetAppFolder()) + "VoveRIRider.dll";
        l.module = LoadLibraryA(path.c_str());
        if (l.module) {
            l.hashValue = reinterpret_cast<AHashValueFn>(
                reinterpret_cast<void*>(GetProcAddress(l.module, "aHashValue")));
            l.similar = reinterpret_cast<IsMaybeSimilarPicturesFn>(
                reinterpret_cast<void*>(GetProcAddress(l.module, "isMaybeSimilarPictures")));
        }
        return l;
    }();
    return library;
}

Bytes ReadPicture(const std::string& name)
{
    std::ifstream in(FixtureDir() + "\\picturehash\\" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The hash of a fixture picture; empty when aHashValue fails.
Hash HashOf(const Bytes& bytes)
{
    Hash hash(kPictureHashSize);
    if (!TheLibrary().hashValue(bytes.data(), uint32_t(bytes.size()), hash.data()))
        return Hash();
    return hash;
}

Hash HashOfFile(const std::string& name)
{
    const Bytes bytes = ReadPicture(name);
    EXPECT_FALSE(bytes.empty()) << name << " is missing";
    return HashOf(bytes);
}

int Distance(const Hash& a, const Hash& b)
{
    int distance = -1;
    TheLibrary().similar(a.data(), b.data(), &distance, 12);
    return distance;
}

bool Similar(const Hash& a, const Hash& b, int threshold)
{
    int distance = 0;
    return TheLibrary().similar(a.data(), b.data(), &distance, threshold);
}

void PutBig32(unsigned char* p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

const char* const kUnrelated[] = {
    "src_plasma.png", "src_shapes.png", "src_photo.png", "other_plasma.png", "other_gradient.png",
    "other_gradient_reversed.png", "other_checker.png", "other_photo.png", "other_flat_blue.png",
    "other_flat_orange.png", "other_portrait.png",
};

class PictureHashLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(TheLibrary().module, nullptr) << "VoveRIRider.dll did not load from " << GetAppFolder();
        ASSERT_NE(TheLibrary().hashValue, nullptr);
        ASSERT_NE(TheLibrary().similar, nullptr);
    }
};

}  // namespace

// First in this program, so that the threads also race to start GDI+.
TEST_F(PictureHashLibrary, HashesTheSameOnManyThreadsAtOnce)
{
    std::vector<Bytes> pictures;
    for (const char* name : kUnrelated)
        pictures.push_back(ReadPicture(name));

    const int kThreads = 8;
    std::vector<std::vector<Hash>> got(kThreads, std::vector<Hash>(pictures.size()));
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (size_t i = 0; i < pictures.size(); ++i) {
                const size_t k = (i + t) % pictures.size();  // each thread in its own order
                got[t][k] = HashOf(pictures[k]);
            }
        });
    for (std::thread& thread : threads)
        thread.join();

    for (size_t k = 0; k < pictures.size(); ++k) {
        const Hash alone = HashOf(pictures[k]);
        ASSERT_FALSE(alone.empty()) << kUnrelated[k];
        for (int t = 0; t < kThreads; ++t)
            EXPECT_EQ(got[t][k], alone) << kUnrelated[k] << " on thread " << t;
    }
}

TEST_F(PictureHashLibrary, NearCopiesAreSimilar)
{
    // strictest: the smallest of the finder's thresholds (4, 5, 6, 12) at which the copy is
    // still paired with its source, from the distances measured under Wine.
    struct Case {
        const char* source;
        const char* copy;
        int strictest;
    } cases[] = {
        {"src_plasma.png", "near_plasma_half.png", 4},
        {"src_plasma.png", "near_plasma_larger.png", 4},
        {"src_plasma.png", "near_plasma_q10.jpg", 4},
        {"src_plasma.png", "near_plasma_q75.jpg", 4},
        {"src_plasma.png", "near_plasma_bright.png", 4},
        {"src_plasma.png", "near_plasma_dark.png", 4},
        {"src_plasma.png", "near_plasma_reencoded.png", 4},
        {"src_plasma.png", "near_plasma.bmp", 4},
        {"src_plasma.png", "near_plasma.gif", 4},
        {"src_plasma.png", "near_plasma_small_q30.jpg", 4},
        {"src_plasma.png", "near_plasma.tif", 4},
        {"src_plasma.png", "near_plasma_6000x4500.jpg", 4},
        {"src_shapes.png", "near_shapes_half.png", 4},
        {"src_shapes.png", "near_shapes_larger.png", 4},
        {"src_shapes.png", "near_shapes_q10.jpg", 4},
        {"src_shapes.png", "near_shapes_q75.jpg", 4},
        {"src_shapes.png", "near_shapes_bright.png", 4},
        {"src_shapes.png", "near_shapes_dark.png", 4},
        {"src_shapes.png", "near_shapes_reencoded.png", 4},
        {"src_shapes.png", "near_shapes.bmp", 4},
        {"src_shapes.png", "near_shapes.gif", 4},
        {"src_shapes.png", "near_shapes_small_q30.jpg", 4},
        {"src_photo.png", "near_photo_half.png", 4},
        {"src_photo.png", "near_photo_larger.png", 4},
        {"src_photo.png", "near_photo_q10.jpg", 4},
        {"src_photo.png", "near_photo_q75.jpg", 4},
        {"src_photo.png", "near_photo_bright.png", 4},
        {"src_photo.png", "near_photo_dark.png", 4},
        {"src_photo.png", "near_photo_reencoded.png", 4},
        {"src_photo.png", "near_photo.bmp", 4},
        {"src_photo.png", "near_photo.gif", 4},
        {"src_photo.png", "near_photo_small_q30.jpg", 4},
    };
    for (const Case& c : cases) {
        const Hash source = HashOfFile(c.source), copy = HashOfFile(c.copy);
        ASSERT_FALSE(source.empty()) << c.source;
        ASSERT_FALSE(copy.empty()) << c.copy;
        printf("distance %-26s %-26s %d\n", c.source, c.copy, Distance(copy, source));
        for (int threshold : {4, 5, 6, 12}) {
            if (threshold < c.strictest)
                continue;
            EXPECT_TRUE(Similar(copy, source, threshold)) << c.copy << " at " << threshold;
            EXPECT_TRUE(Similar(source, copy, threshold)) << c.copy << " at " << threshold;
        }
    }
}

TEST_F(PictureHashLibrary, UnrelatedPicturesAreNotSimilarEvenAtTheLoosestThreshold)
{
    std::vector<Hash> hashes;
    for (const char* name : kUnrelated) {
        hashes.push_back(HashOfFile(name));
        ASSERT_FALSE(hashes.back().empty()) << name;
    }
    int closest = 64;
    for (size_t i = 0; i < hashes.size(); ++i)
        for (size_t j = 0; j < hashes.size(); ++j) {
            if (i == j) {
                EXPECT_TRUE(Similar(hashes[i], hashes[j], 4)) << kUnrelated[i];
                continue;
            }
            EXPECT_FALSE(Similar(hashes[i], hashes[j], 12)) << kUnrelated[i] << " ~ " << kUnrelated[j];
            closest = std::min(closest, Distance(hashes[i], hashes[j]));
        }
    printf("closest unrelated distance %d\n", closest);
}

TEST_F(PictureHashLibrary, HashesPicturesOfExtremeShapes)
{
    for (const char* name : {"shape_dot.png", "shape_wide.png", "shape_tall.png"})
        EXPECT_FALSE(HashOfFile(name).empty()) << name;
    // A one-pixel picture is flat: its colour is all that counts.
    const Hash dot = HashOfFile("shape_dot.png");
    EXPECT_TRUE(Similar(dot, dot, 4));
    EXPECT_FALSE(Similar(dot, HashOfFile("other_flat_blue.png"), 12));
}

TEST_F(PictureHashLibrary, BadInputFailsCleanlyAndLeavesNoHash)
{
    const Bytes good = ReadPicture("src_plasma.png");
    ASSERT_FALSE(good.empty());

    // A real PNG declaring 60000x60000 (CRC kept valid, so only the size is wrong), and a
    // real JPEG declaring 65000x65000.
    Bytes hugePng = good;
    PutBig32(&hugePng[16], 60000);
    PutBig32(&hugePng[20], 60000);
    PutBig32(&hugePng[29], uint32_t(crc32(0, &hugePng[12], 17)));
    Bytes hugeJpeg = ReadPicture("near_plasma_q75.jpg");
    for (size_t i = 2; i + 9 < hugeJpeg.size(); ++i)
        if (hugeJpeg[i] == 0xFF && (hugeJpeg[i + 1] == 0xC0 || hugeJpeg[i + 1] == 0xC2)) {
            hugeJpeg[i + 5] = hugeJpeg[i + 6] = hugeJpeg[i + 7] = hugeJpeg[i + 8] = 0xFD;
            break;
        }

    // A real little-endian TIFF declaring 60000 pixels a side.
    Bytes hugeTiff = ReadPicture("near_plasma.tif");
    ASSERT_GT(hugeTiff.size(), 8u);
    ASSERT_EQ(hugeTiff[0], 'I');
    const size_t directory = hugeTiff[4] | hugeTiff[5] << 8 | hugeTiff[6] << 16 | size_t(hugeTiff[7]) << 24;
    ASSERT_LT(directory + 2, hugeTiff.size());
    for (size_t i = 0, n = hugeTiff[directory] | hugeTiff[directory + 1] << 8; i < n; ++i) {
        unsigned char* entry = &hugeTiff[directory + 2 + 12 * i];
        const int tag = entry[0] | entry[1] << 8;
        if (tag == 256 || tag == 257) {
            entry[2] = 4;  // LONG
            entry[3] = 0;
            entry[8] = 0x60, entry[9] = 0xEA, entry[10] = entry[11] = 0;
        }
    }

    struct Case {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"huge tiff", hugeTiff},
        {"text", ReadPicture("bad_text.png")},
        {"cut short", ReadPicture("bad_truncated.png")},
        {"zeros", Bytes(4096, 0)},
        {"png signature only", Bytes(good.begin(), good.begin() + 8)},
        {"huge png", hugePng},
        {"huge jpeg", hugeJpeg},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(c.bytes.empty()) << c.what;
        Hash hash(kPictureHashSize, 0xAB);
        EXPECT_FALSE(TheLibrary().hashValue(c.bytes.data(), uint32_t(c.bytes.size()), hash.data())) << c.what;
        EXPECT_EQ(hash, Hash(kPictureHashSize, 0)) << c.what;
    }

    Hash hash(kPictureHashSize, 0xAB);
    EXPECT_FALSE(TheLibrary().hashValue(nullptr, 100, hash.data()));
    EXPECT_FALSE(TheLibrary().hashValue(good.data(), 0, hash.data()));
    EXPECT_FALSE(TheLibrary().hashValue(good.data(), uint32_t(good.size()), nullptr));
    EXPECT_EQ(hash, Hash(kPictureHashSize, 0));
    // Still working afterwards.
    EXPECT_TRUE(TheLibrary().hashValue(good.data(), uint32_t(good.size()), hash.data()));
}

TEST_F(PictureHashLibrary, ComparesOnlyRealHashesUnderAtMostTheLoosestThreshold)
{
    const Hash plasma = HashOfFile("src_plasma.png");
    ASSERT_FALSE(plasma.empty());
    const Hash zeroed(kPictureHashSize, 0);

    int result = 0;
    EXPECT_TRUE(TheLibrary().similar(plasma.data(), plasma.data(), &result, 4));
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(TheLibrary().similar(plasma.data(), plasma.data(), nullptr, 4));
    EXPECT_FALSE(TheLibrary().similar(plasma.data(), plasma.data(), &result, -1));

    // A buffer aHashValue never filled matches nothing, not even itself.
    EXPECT_FALSE(TheLibrary().similar(zeroed.data(), zeroed.data(), &result, 12));
    EXPECT_EQ(result, picturehash::kMaxDistance);
    EXPECT_FALSE(TheLibrary().similar(plasma.data(), zeroed.data(), &result, 12));
    EXPECT_FALSE(TheLibrary().similar(nullptr, plasma.data(), &result, 12));
    EXPECT_FALSE(TheLibrary().similar(plasma.data(), nullptr, nullptr, 12));

    // Twenty bits apart: not similar at any threshold, however loose the caller asks.
    picturehash::PictureFingerprint print;
    ASSERT_TRUE(picturehash::DecodeFingerprint(plasma.data(), &print));
    print.dctBits ^= 0xFFFFF;
    Hash changed(kPictureHashSize);
    picturehash::EncodeFingerprint(print, changed.data());
    EXPECT_FALSE(TheLibrary().similar(changed.data(), plasma.data(), &result, 30));
    EXPECT_EQ(result, 20);
}
