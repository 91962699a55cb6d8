// app/BitmapFileHeader.cpp
#include "app/BitmapFileHeader.h"

namespace {

uint32_t ReadU32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

void WriteU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

constexpr uint32_t kCoreHeaderSize = 12;   // BITMAPCOREHEADER (OS/2 1.x)
constexpr uint32_t kInfoHeaderSize = 40;   // BITMAPINFOHEADER; V4 and V5 are longer
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

}  // namespace

uint32_t PackedDibPixelOffset(const uint8_t* dib, size_t size)
{
    if (!dib || size < 4)
        return 0;
    const uint32_t headerSize = ReadU32(dib);
    uint64_t tableBytes = 0;
    if (headerSize == kCoreHeaderSize) {
        if (size < kCoreHeaderSize)
            return 0;
        const uint16_t bits = ReadU16(dib + 10);
        if (bits <= 8)
            tableBytes = uint64_t(3) << bits;   // RGBTRIPLE entries
    } else if (headerSize >= kInfoHeaderSize) {
        if (size < headerSize)
            return 0;
        const uint16_t bits = ReadU16(dib + 14);
        const uint32_t compression = ReadU32(dib + 16);
        const uint32_t coloursUsed = ReadU32(dib + 32);
        uint64_t colours = coloursUsed ? coloursUsed : (bits <= 8 ? uint64_t(1) << bits : 0);
        tableBytes = colours * 4;   // RGBQUAD entries
        // Only the 40-byte header keeps its masks after itself; V4/V5 hold them inside.
        if (headerSize == kInfoHeaderSize && compression == kBiBitfields)
            tableBytes += 12;
        else if (headerSize == kInfoHeaderSize && compression == kBiAlphaBitfields)
            tableBytes += 16;
    } else {
        return 0;
    }
    const uint64_t pixelsInDib = uint64_t(headerSize) + tableBytes;
    if (pixelsInDib >= size)
        return 0;   // no room left for a single pixel
    return uint32_t(kBitmapFileHeaderSize + pixelsInDib);
}

bool MakeBitmapFileHeader(const uint8_t* dib, size_t size, uint8_t header[kBitmapFileHeaderSize])
{
    const uint32_t offset = PackedDibPixelOffset(dib, size);
    if (offset == 0 || size > 0xFFFFFFFFu - kBitmapFileHeaderSize)
        return false;
    header[0] = 'B';
    header[1] = 'M';
    WriteU32(header + 2, uint32_t(size + kBitmapFileHeaderSize));
    WriteU32(header + 6, 0);
    WriteU32(header + 10, offset);
    return true;
}
