// finder/ContentSignature.cpp
#include "finder/ContentSignature.h"

#include <string.h>

#include "finder/ScanState.h"

static const int kChunk = 4;
static const uint32_t kFirstBytes = 32;
static const uint32_t kZeroScanBlock = 64 * 1024;  // a multiple of the chunk

std::string HexEncode(const void* bytes, size_t count)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    if (!bytes || count == 0)
        return out;
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    out.resize(count * 2);
    for (size_t i = 0; i < count; ++i) {
        out[2 * i] = kDigits[p[i] >> 4];
        out[2 * i + 1] = kDigits[p[i] & 15];
    }
    return out;
}

int SignatureBudget(int percent)
{
    if (percent > 80)
        return 30;
    if (percent > 60)
        return 25;
    if (percent > 40)
        return 20;
    return 10;
}

// size * numerator / 9 without overflowing 64 bits.
static int64_t NinthsOf(int64_t size, int numerator)
{
    return (size / 9) * numerator + (size % 9) * numerator / 9;
}

int64_t SamplePosition(int i, int count, int budget, int64_t size)
{
    if (size > 500) {
        switch (i) {
        case 1: return 64;
        case 2: return 150;
        case 3: return NinthsOf(size, 4);
        case 4: return NinthsOf(size, 7);
        case 5: return size - 150;
        case 6: return size - 10;
        default: break;
        }
    }
    return int64_t(budget) * i / count;
}

bool ReadSample(IReadableFile* file, uint8_t* dest, int64_t position, int chunk, int64_t size,
                uint32_t* taken, bool* failed)
{
    bool ignored = false;
    failed = failed ? failed : &ignored;
    if (!file || !dest || chunk <= 0 || chunk > 8 || position < 0)
        return false;
    // The first look reads one window; only a run of zeros makes the reads grow.
    uint8_t block[kZeroScanBlock];
    int64_t blockSize = chunk;
    while (position + chunk <= size) {
        if (g_scanStop) {
            *failed = true;  // a run of zeros can be long: a stop is heard between its blocks
            return false;
        }
        int64_t want = (size - position) / chunk * chunk;
        if (want > blockSize)
            want = blockSize;
        uint32_t got = 0;
        if (!file->ReadAt(uint64_t(position), block, uint32_t(want), &got) || got < uint32_t(chunk)) {
            *failed = true;
            return false;
        }
        uint32_t whole = got - got % chunk;
        for (uint32_t at = 0; at < whole; at += chunk) {
            const uint8_t* w = block + at;
            bool allZero = true;
            for (int k = 0; k < chunk; ++k)
                allZero = allZero && w[k] == 0;
            if (!allZero) {
                memcpy(dest + *taken, w, size_t(chunk));
                *taken += uint32_t(chunk);
                return true;
            }
        }
        if (got < want) {
            *failed = true;  // a short read inside the file: the file is not what was listed
            return false;
        }
        position += whole;
        if (blockSize < int64_t(kZeroScanBlock))
            blockSize = blockSize * 16 > int64_t(kZeroScanBlock) ? int64_t(kZeroScanBlock) : blockSize * 16;
    }
    return false;
}

std::string ContentSignature(IReadableFile& file, int64_t size, int percent)
{
    const int budget = SignatureBudget(percent);
    uint8_t sample[400] = {};
    if (size < budget) {
        if (size <= 0 || !ReadExactly(file, 0, sample, uint32_t(size)))
            return std::string();
        return HexEncode(sample, size_t(size));
    }
    const int count = budget / kChunk;
    uint32_t first = uint32_t(size < int64_t(kFirstBytes) ? size : kFirstBytes);
    if (!ReadExactly(file, 0, sample, first))
        return std::string();
    uint32_t taken = kFirstBytes;  // past the end of a shorter file the bytes stay 0
    for (int i = 1; i <= count; ++i) {
        bool failed = false;
        if (!ReadSample(&file, sample, SamplePosition(i, count, budget, size), kChunk, size, &taken, &failed)) {
            if (failed)
                return std::string();
            break;
        }
    }
    return HexEncode(sample, taken);
}
