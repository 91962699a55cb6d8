// tests/fuzz/fuzz_image_chunk.cpp
// One stored chunk of a split image through the bzip2, zlib or LZMA decoder (the first byte
// picks it, and 512- or 4096-byte sectors), into a chunk-sized buffer.
#include <memory>
#include <vector>

#include "engine/image/Decompressor.h"
#include "engine/image/ImageLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint32_t compression = 1 + (data[0] & 3) % 3;
    const size_t sectorSize = (data[0] & 4) ? 4096 : 512;
    std::unique_ptr<IDecompressor> decoder(CreateDecompressor(compression));
    std::vector<unsigned char> out(sectorSize * kImageSectorsPerChunk);
    DecompressChunk(decoder.get(), data + 1, size - 1, out.data(), out.size());
    // The same decoder again: a chunk must not leave state behind for the next one.
    DecompressChunk(decoder.get(), data + 1, size - 1, out.data(), out.size());
    return 0;
}
