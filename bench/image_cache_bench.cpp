// bench/image_cache_bench.cpp
// Sector-by-sector reads of an LZMA split image, without kept chunks and with the default
// number, in one run: reads per second of each and their ratio.
//   image_cache_bench [FOLDER]     (the image is written there; default: the current folder)
#include <windows.h>

#include <lzma.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "engine/image/ChunkCache.h"
#include "engine/image/ImageFile.h"
#include "engine/image/ImageFileDevice.h"

namespace {

const uint32_t kChunks = 4;
const size_t kChunkBytes = 256 * 512;

// Sector contents that compress like real data: text-like runs with some variety.
std::vector<unsigned char> Sectors()
{
    std::vector<unsigned char> bytes(kChunks * kChunkBytes);
    uint32_t state = 2463534242u;
    for (size_t i = 0; i < bytes.size(); ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes[i] = (state % 7 == 0) ? uint8_t(state >> 24) : uint8_t('a' + (i / 3 + state % 3) % 26);
    }
    return bytes;
}

// One chunk as the image stores it: the LZMA properties byte, the dictionary size, the stream.
std::vector<unsigned char> LzmaChunk(const unsigned char* data, size_t size)
{
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 6);
    options.dict_size = 1u << 20;
    lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    std::vector<unsigned char> out(5 + size + size / 2 + 1024);
    out[0] = uint8_t((options.pb * 5 + options.lp) * 9 + options.lc);
    for (int i = 0; i < 4; ++i)
        out[1 + i] = uint8_t(options.dict_size >> (8 * i));
    size_t written = 0;
    if (lzma_raw_buffer_encode(filters, nullptr, data, size, out.data() + 5, &written, out.size() - 5) != LZMA_OK)
        return {};
    out.resize(5 + written);
    return out;
}

bool WriteImage(const std::string& path, const std::vector<unsigned char>& sectors)
{
    CImageFile file;
    if (!file.Create(path.c_str()) || !file.AppendPart(1, kChunks) || !file.WriteHeader("bench", 0, 3, 512))
        return false;
    if (!file.OpenPart(0, 3))
        return false;
    uint32_t end = 0;
    for (uint32_t k = 0; k < kChunks; ++k) {
        std::vector<unsigned char> stored = LzmaChunk(&sectors[k * kChunkBytes], kChunkBytes);
        if (stored.empty() || !file.WritePart(512 + end, stored.data(), uint32_t(stored.size())))
            return false;
        end += uint32_t(stored.size());
        unsigned char entry[4] = {uint8_t(end), uint8_t(end >> 8), uint8_t(end >> 16), uint8_t(end >> 24)};
        if (!file.WriteImage(512 + 4 * k, entry, 4))
            return false;
    }
    return true;
}

// Reads every sector once, one at a time; reads per second, or -1 when a sector is wrong.
double ReadsPerSecond(const std::string& path, size_t cachedChunks, const std::vector<unsigned char>& sectors)
{
    CImageFileDeviceWithDecompress device(path.c_str(), cachedChunks);
    unsigned char sector[512];
    LARGE_INTEGER frequency, start, stop;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const uint64_t total = device.GetTotalSectors();
    for (uint64_t s = 0; s < total; ++s) {
        if (!device.ReadSectors(sector, s, 1) || memcmp(sector, &sectors[s * 512], 512) != 0)
            return -1;
    }
    QueryPerformanceCounter(&stop);
    return double(total) * double(frequency.QuadPart) / double(stop.QuadPart - start.QuadPart);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : ".";
    const std::string path = folder + "\\cache_bench.img";
    const std::vector<unsigned char> sectors = Sectors();
    if (!WriteImage(path, sectors)) {
        fprintf(stderr, "image_cache_bench: cannot write %s\n", path.c_str());
        return 1;
    }
    const double none = ReadsPerSecond(path, 0, sectors);
    const double kept = ReadsPerSecond(path, kImageCachedChunks, sectors);
    if (none < 0 || kept < 0) {
        fprintf(stderr, "image_cache_bench: a sector read back wrong\n");
        return 1;
    }
    printf("LZMA split image, %u chunks of 256 sectors, every sector read alone\n", kChunks);
    printf("  no chunks kept:   %10.0f reads/s\n", none);
    printf("  %2zu chunks kept:   %10.0f reads/s\n", kImageCachedChunks, kept);
    printf("  ratio:            %10.1f x\n", kept / none);
    return 0;
}
