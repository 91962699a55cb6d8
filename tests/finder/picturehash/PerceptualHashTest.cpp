// tests/finder/picturehash/PerceptualHashTest.cpp
#include "finder/picturehash/PerceptualHash.h"

#include <gtest/gtest.h>

#include <string.h>
#include <vector>

using namespace picturehash;

namespace {

typedef std::vector<float> Grid;

// Smooth but irregular, like a photograph reduced to 32x32; the same for the same seed.
Grid RandomGrid(uint32_t seed)
{
    Grid coarse(8 * 8);
    for (float& c : coarse) {
        seed = seed * 1103515245u + 12345u;
        c = float((seed >> 16) % 200 + 20);
    }
    Grid g(kGridSize * kGridSize);
    for (int y = 0; y < kGridSize; ++y)
        for (int x = 0; x < kGridSize; ++x) {
            const float fx = x / 4.0f, fy = y / 4.0f;
            const int x0 = int(fx) < 7 ? int(fx) : 6, y0 = int(fy) < 7 ? int(fy) : 6;
            const float tx = fx - x0, ty = fy - y0;
            const float top = coarse[y0 * 8 + x0] * (1 - tx) + coarse[y0 * 8 + x0 + 1] * tx;
            const float bottom = coarse[(y0 + 1) * 8 + x0] * (1 - tx) + coarse[(y0 + 1) * 8 + x0 + 1] * tx;
            g[y * kGridSize + x] = top * (1 - ty) + bottom * ty;
        }
    return g;
}

// A fingerprint with a flat thumbnail.
PictureFingerprint Print(uint64_t dct, uint64_t gradient, uint8_t r, uint8_t g, uint8_t b, uint8_t contrast)
{
    PictureFingerprint p = {dct, gradient, r, g, b, contrast, {}};
    for (uint8_t& level : p.thumbnail)
        level = 8;
    return p;
}

// The same with thumbnail levels raised by `total` steps in all.
PictureFingerprint Lighter(PictureFingerprint p, int total)
{
    for (int i = 0; total > 0; ++i, --total)
        ++p.thumbnail[i % kThumbnailCells];
    return p;
}

}  // namespace

TEST(PerceptualHash, DctBitsIgnoreBrightnessAndContrastButNotLayout)
{
    const Grid g = RandomGrid(7);
    const uint64_t bits = DctBits(g.data());
    EXPECT_EQ(__builtin_popcountll(bits), 32);  // split at the median

    Grid changed = g;
    for (float& v : changed)
        v = v * 1.1f + 12;
    EXPECT_EQ(BitDistance(DctBits(changed.data()), bits), 0);

    Grid mirrored = g;
    for (int y = 0; y < kGridSize; ++y)
        for (int x = 0; x < kGridSize; ++x)
            mirrored[y * kGridSize + x] = g[y * kGridSize + kGridSize - 1 - x];
    EXPECT_GT(BitDistance(DctBits(mirrored.data()), bits), 16);
    EXPECT_GT(BitDistance(DctBits(RandomGrid(8).data()), bits), 16);
}

TEST(PerceptualHash, GradientBitsFollowHorizontalSlopesAndIgnoreFlatAreas)
{
    Grid ramp(kGridSize * kGridSize), flat(kGridSize * kGridSize, 100.0f);
    for (int y = 0; y < kGridSize; ++y)
        for (int x = 0; x < kGridSize; ++x)
            ramp[y * kGridSize + x] = float(x * 8);
    EXPECT_EQ(GradientBits(ramp.data()), ~uint64_t(0));
    for (float& v : ramp)
        v = 255 - v;
    EXPECT_EQ(GradientBits(ramp.data()), 0u);

    // Encoder noise of a grey level on a flat area sets no bit.
    for (size_t i = 0; i < flat.size(); ++i)
        flat[i] += (i * 7919 % 3) * 0.5f;
    EXPECT_EQ(GradientBits(flat.data()), 0u);
}

TEST(PerceptualHash, ThumbnailTellsApartSimplePicturesThatDctBitsConfuse)
{
    // A vertical ramp and its reverse have almost no AC energy outside a few coefficients.
    Grid down(kGridSize * kGridSize), up(kGridSize * kGridSize), flat(kGridSize * kGridSize, 90.0f);
    for (int y = 0; y < kGridSize; ++y)
        for (int x = 0; x < kGridSize; ++x) {
            down[y * kGridSize + x] = float(y * 8);
            up[y * kGridSize + x] = float(255 - y * 8);
        }
    uint8_t a[kThumbnailCells], b[kThumbnailCells], c[kThumbnailCells];
    ThumbnailLevels(down.data(), a);
    ThumbnailLevels(up.data(), b);
    ThumbnailLevels(flat.data(), c);
    EXPECT_GT(ThumbnailDistance(a, b), 12);
    EXPECT_GT(ThumbnailDistance(a, c), 12);
    for (uint8_t level : c)
        EXPECT_EQ(level, 8);
    EXPECT_EQ(a[0], 1);  // the top row sits about 1.6 deviations below the mean
    EXPECT_EQ(a[kThumbnailCells - 1], 14);

    // Levels are relative to the picture's own mean and spread.
    const Grid g = RandomGrid(3);
    Grid changed = g;
    for (float& v : changed)
        v = v * 0.9f + 20;
    ThumbnailLevels(g.data(), a);
    ThumbnailLevels(changed.data(), b);
    EXPECT_EQ(ThumbnailDistance(a, b), 0);
}

TEST(PerceptualHash, EncodedHashRoundTripsAndIsMarked)
{
    PictureFingerprint p = Print(0x0123456789ABCDEFull, 0xFEDCBA9876543210ull, 1, 2, 3, 4);
    for (int i = 0; i < kThumbnailCells; ++i)
        p.thumbnail[i] = uint8_t(i % 16);
    unsigned char hash[kHashBytes];
    memset(hash, 0xCC, sizeof hash);
    EncodeFingerprint(p, hash);
    EXPECT_EQ(hash[0], 0xEF);  // little-endian bit order
    EXPECT_EQ(hash[8], 0x10);
    EXPECT_EQ(hash[20], 0x10);  // thumbnail levels 0 and 1, low nibble first
    for (int i = 52; i < 60; ++i)
        EXPECT_EQ(hash[i], 0) << i;

    PictureFingerprint back;
    ASSERT_TRUE(DecodeFingerprint(hash, &back));
    EXPECT_EQ(back.dctBits, p.dctBits);
    EXPECT_EQ(back.gradientBits, p.gradientBits);
    EXPECT_EQ(back.red, 1);
    EXPECT_EQ(back.green, 2);
    EXPECT_EQ(back.blue, 3);
    EXPECT_EQ(back.contrast, 4);
    for (int i = 0; i < kThumbnailCells; ++i)
        EXPECT_EQ(back.thumbnail[i], i % 16) << i;

    hash[63] ^= 1;
    EXPECT_FALSE(DecodeFingerprint(hash, &back));
    const unsigned char zeroed[kHashBytes] = {};
    EXPECT_FALSE(DecodeFingerprint(zeroed, &back));
    EXPECT_FALSE(DecodeFingerprint(nullptr, &back));
}

TEST(PerceptualHash, DistanceWeighsLayoutAndColour)
{
    struct Case {
        const char* what;
        PictureFingerprint a, b;
        int distance;
    } cases[] = {
        {"same", Print(0xF0F0, 0xFF, 10, 20, 30, 40), Print(0xF0F0, 0xFF, 10, 20, 30, 40), 0},
        {"the larger bit disagreement counts", Print(0x0F, 0x00, 9, 9, 9, 40),
         Print(0x00, 0x03, 9, 9, 9, 40), 4},
        {"colour adds one per step", Print(0x3, 0, 100, 100, 100, 40), Print(0, 0, 100, 117, 100, 40),
         2 + 17 / kColourStep},
        {"two flat pictures: colour alone", Print(~0ull, 0, 100, 100, 100, 1),
         Print(0, 0, 100, 100, 109, 0), 9 / kFlatColourStep},
        {"flat white and flat black", Print(0, 0, 255, 255, 255, 0), Print(0, 0, 0, 0, 0, 0),
         kMaxDistance},
        {"one flat, one not: layout counts", Print(~0ull, 0, 100, 100, 100, 1),
         Print(0, 0, 100, 100, 100, 30), 64},
        {"capped", Print(~0ull, 0, 255, 255, 255, 40), Print(0, 0, 0, 0, 0, 40), kMaxDistance},
        {"thumbnail disagreement", Print(0, 0, 9, 9, 9, 40), Lighter(Print(0x3, 0, 9, 9, 9, 40), 7 * kThumbnailStep), 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FingerprintDistance(c.a, c.b), c.distance) << c.what;
        EXPECT_EQ(FingerprintDistance(c.b, c.a), c.distance) << c.what;
    }
}
