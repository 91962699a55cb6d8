// engine/image/Decompressor.h
// Turns one stored disk-image chunk back into sectors, through the installed libraries.
#pragma once
#include <stddef.h>
#include <stdint.h>

class IDecompressor {
public:
    virtual ~IDecompressor() {}
    virtual int Init() = 0;
    virtual void SetInput(const void* data, size_t size) = 0;
    virtual void SetOutput(void* buffer, size_t size) = 0;
    virtual size_t GetOutputSpace() = 0;
    // 1 when the stream ended (bzip2 and zlib: with its checksum checked; LZMA, which has
    // none: or the output is full), 0 when it needs more input, negative on corrupt data or
    // a stream longer than the output.
    virtual int Decompress() = 0;
    virtual void End() = 0;
};

enum ImageCompression : uint32_t {
    kImageStored = 0,
    kImageBzip2 = 1,
    kImageZlib = 2,
    kImageLzma = 3,
};

// The decompressor for a header's compression word; nullptr for stored chunks.
IDecompressor* CreateDecompressor(uint32_t compression);

// Runs one whole chunk through the decompressor: the bytes produced, or -1 on failure.
long DecompressChunk(IDecompressor* decompressor, const void* input, size_t inputSize, void* output,
                     size_t outputSize);
