// finder/picturehash/PerceptualHash.cpp
#include "finder/picturehash/PerceptualHash.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace picturehash {

namespace {

const unsigned char kTag[4] = {'P', 'H', 'a', '1'};
enum { kFrequencies = 11 };  // the first 64 AC coefficients in zig-zag order lie below u+v=11
// Grey levels by which a cell must outshine its left neighbour: within a flat area the cells
// differ only by encoder noise, which must not flip bits.
const float kGradientTolerance = 2.0f;

struct CosineTable {
    float c[kFrequencies][kGridSize];
    CosineTable()
    {
        const double pi = 3.14159265358979323846;
        for (int u = 0; u < kFrequencies; ++u)
            for (int x = 0; x < kGridSize; ++x)
                c[u][x] = float(std::cos((2 * x + 1) * u * pi / (2.0 * kGridSize)));
    }
};

const CosineTable& Cosines()
{
    static const CosineTable table;
    return table;
}

uint8_t ToByte(double v)
{
    if (!(v > 0))
        return 0;
    return v >= 255 ? 255 : uint8_t(v + 0.5);
}

}  // namespace

uint64_t DctBits(const float* grid)
{
    const CosineTable& t = Cosines();
    // Rows first, then columns; only the low frequencies are needed.
    float rows[kGridSize][kFrequencies];
    for (int y = 0; y < kGridSize; ++y)
        for (int u = 0; u < kFrequencies; ++u) {
            float s = 0;
            for (int x = 0; x < kGridSize; ++x)
                s += grid[y * kGridSize + x] * t.c[u][x];
            rows[y][u] = s;
        }
    float coefficient[kFrequencies][kFrequencies];  // [v][u]
    for (int v = 0; v < kFrequencies; ++v)
        for (int u = 0; u < kFrequencies; ++u) {
            float s = 0;
            for (int y = 0; y < kGridSize; ++y)
                s += rows[y][u] * t.c[v][y];
            coefficient[v][u] = s;
        }

    // Zig-zag: diagonals u+v = 1, 2, ... (the DC term says only how bright the picture is).
    float picked[64];
    int n = 0;
    for (int d = 1; d < 2 * kFrequencies && n < 64; ++d)
        for (int u = 0; u <= d && n < 64; ++u) {
            const int v = d - u;
            if (u < kFrequencies && v < kFrequencies)
                picked[n++] = coefficient[v][u];
        }

    float sorted[64];
    std::copy(picked, picked + 64, sorted);
    std::nth_element(sorted, sorted + 31, sorted + 64);
    const float low = sorted[31];
    const float high = *std::min_element(sorted + 32, sorted + 64);
    const float median = (low + high) / 2;

    uint64_t bits = 0;
    for (int i = 0; i < 64; ++i)
        if (picked[i] > median)
            bits |= uint64_t(1) << i;
    return bits;
}

uint64_t GradientBits(const float* grid)
{
    const std::vector<float> cells = ShrinkGrid(grid, kGridSize, kGridSize, 9, 8);
    uint64_t bits = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (cells[y * 9 + x + 1] > cells[y * 9 + x] + kGradientTolerance)
                bits |= uint64_t(1) << (y * 8 + x);
    return bits;
}

void ThumbnailLevels(const float* grid, uint8_t* levels)
{
    const std::vector<float> cells = ShrinkGrid(grid, kGridSize, kGridSize, kThumbnailSide, kThumbnailSide);
    double sum = 0, squares = 0;
    for (float c : cells) {
        sum += c;
        squares += double(c) * c;
    }
    const double mean = sum / kThumbnailCells;
    const double deviation = std::sqrt(std::max(0.0, squares / kThumbnailCells - mean * mean));
    for (int i = 0; i < kThumbnailCells; ++i) {
        int level = 8;
        if (deviation >= 0.5)  // else flat: every cell is the mean
            level = int(std::floor((cells[i] - mean) / deviation * 4)) + 8;
        levels[i] = uint8_t(std::min(15, std::max(0, level)));
    }
}

int ThumbnailDistance(const uint8_t* a, const uint8_t* b)
{
    int sum = 0;
    for (int i = 0; i < kThumbnailCells; ++i)
        sum += std::abs(a[i] - b[i]);
    return (sum + kThumbnailStep / 2) / kThumbnailStep;
}

PictureFingerprint FingerprintOf(const ReducedPicture& picture)
{
    PictureFingerprint print;
    print.dctBits = DctBits(picture.grey);
    print.gradientBits = GradientBits(picture.grey);
    ThumbnailLevels(picture.grey, print.thumbnail);
    print.red = ToByte(picture.meanRed);
    print.green = ToByte(picture.meanGreen);
    print.blue = ToByte(picture.meanBlue);

    const int cells = kGridSize * kGridSize;
    double sum = 0, squares = 0;
    for (int i = 0; i < cells; ++i) {
        sum += picture.grey[i];
        squares += double(picture.grey[i]) * picture.grey[i];
    }
    const double mean = sum / cells;
    const double variance = std::max(0.0, squares / cells - mean * mean);
    print.contrast = ToByte(std::sqrt(variance));
    return print;
}

void EncodeFingerprint(const PictureFingerprint& print, unsigned char* hash)
{
    std::memset(hash, 0, kHashBytes);
    for (int i = 0; i < 8; ++i) {
        hash[i] = uint8_t(print.dctBits >> (8 * i));
        hash[8 + i] = uint8_t(print.gradientBits >> (8 * i));
    }
    hash[16] = print.red;
    hash[17] = print.green;
    hash[18] = print.blue;
    hash[19] = print.contrast;
    for (int i = 0; i < kThumbnailCells; i += 2)
        hash[20 + i / 2] = uint8_t((print.thumbnail[i] & 0x0F) | (print.thumbnail[i + 1] << 4));
    std::memcpy(hash + 60, kTag, sizeof kTag);
}

bool DecodeFingerprint(const unsigned char* hash, PictureFingerprint* print)
{
    if (!hash || !print || std::memcmp(hash + 60, kTag, sizeof kTag) != 0)
        return false;
    print->dctBits = 0;
    print->gradientBits = 0;
    for (int i = 0; i < 8; ++i) {
        print->dctBits |= uint64_t(hash[i]) << (8 * i);
        print->gradientBits |= uint64_t(hash[8 + i]) << (8 * i);
    }
    print->red = hash[16];
    print->green = hash[17];
    print->blue = hash[18];
    print->contrast = hash[19];
    for (int i = 0; i < kThumbnailCells; i += 2) {
        print->thumbnail[i] = hash[20 + i / 2] & 0x0F;
        print->thumbnail[i + 1] = hash[20 + i / 2] >> 4;
    }
    return true;
}

int BitDistance(uint64_t a, uint64_t b)
{
    return __builtin_popcountll(a ^ b);
}

int FingerprintDistance(const PictureFingerprint& a, const PictureFingerprint& b)
{
    const int colour = std::max({std::abs(a.red - b.red), std::abs(a.green - b.green),
                                 std::abs(a.blue - b.blue)});
    if (a.contrast < kFlatContrast && b.contrast < kFlatContrast)
        return std::min(int(kMaxDistance), colour / kFlatColourStep);
    const int layout = std::max({BitDistance(a.dctBits, b.dctBits), BitDistance(a.gradientBits, b.gradientBits),
                                 ThumbnailDistance(a.thumbnail, b.thumbnail)});
    return std::min(int(kMaxDistance), layout + colour / kColourStep);
}

}  // namespace picturehash
