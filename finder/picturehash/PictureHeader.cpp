// finder/picturehash/PictureHeader.cpp
#include "finder/picturehash/PictureHeader.h"

#include <string.h>

namespace picturehash {

namespace {

uint32_t Big16(const unsigned char* p) { return uint32_t(p[0]) << 8 | p[1]; }
uint32_t Big32(const unsigned char* p) { return Big16(p) << 16 | Big16(p + 2); }
uint32_t Little16(const unsigned char* p) { return uint32_t(p[1]) << 8 | p[0]; }
uint32_t Little32(const unsigned char* p) { return Little16(p + 2) << 16 | Little16(p); }

bool ReadPngSize(const unsigned char* d, size_t n, uint64_t* w, uint64_t* h)
{
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    // The IHDR chunk comes first: length, "IHDR", width, height (big-endian).
    if (n < 24 || memcmp(d, kSignature, 8) != 0 || memcmp(d + 12, "IHDR", 4) != 0)
        return false;
    *w = Big32(d + 16);
    *h = Big32(d + 20);
    return true;
}

bool ReadGifSize(const unsigned char* d, size_t n, uint64_t* w, uint64_t* h)
{
    if (n < 10 || (memcmp(d, "GIF87a", 6) != 0 && memcmp(d, "GIF89a", 6) != 0))
        return false;
    *w = Little16(d + 6);  // the logical screen
    *h = Little16(d + 8);
    return true;
}

bool ReadBmpSize(const unsigned char* d, size_t n, uint64_t* w, uint64_t* h)
{
    if (n < 26 || d[0] != 'B' || d[1] != 'M')
        return false;
    const uint32_t infoSize = Little32(d + 14);
    if (infoSize == 12) {  // OS/2 core header: 16-bit sides
        *w = Little16(d + 18);
        *h = Little16(d + 20);
        return true;
    }
    if (infoSize < 40)
        return false;
    const int32_t width = int32_t(Little32(d + 18));
    const int32_t height = int32_t(Little32(d + 22));  // negative: rows stored top-down
    *w = width < 0 ? 0 : uint64_t(width);
    *h = height < 0 ? uint64_t(-int64_t(height)) : uint64_t(height);
    return true;
}

bool ReadJpegSize(const unsigned char* d, size_t n, uint64_t* w, uint64_t* h)
{
    if (n < 4 || d[0] != 0xFF || d[1] != 0xD8)
        return false;
    size_t at = 2;
    while (at + 4 <= n) {
        if (d[at] != 0xFF)
            return false;
        const unsigned char marker = d[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;  // markers without a segment
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA)
            return false;  // image data or end before any frame header
        const size_t segment = Big16(d + at + 2);
        if (segment < 2)
            return false;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                           marker != 0xCC;
        if (frame) {
            // Length, precision, height, width.
            if (segment < 7 || at + 9 > n)
                return false;
            *h = Big16(d + at + 5);
            *w = Big16(d + at + 7);
            return true;
        }
        at += 2 + segment;
    }
    return false;
}

// The first image file directory's ImageWidth (256) and ImageLength (257) tags.
bool ReadTiffSize(const unsigned char* d, size_t n, uint64_t* w, uint64_t* h)
{
    if (n < 8)
        return false;
    const bool little = memcmp(d, "II*\0", 4) == 0;
    if (!little && memcmp(d, "MM\0*", 4) != 0)
        return false;
    auto u16 = [&](size_t at) { return little ? Little16(d + at) : Big16(d + at); };
    auto u32 = [&](size_t at) { return little ? Little32(d + at) : Big32(d + at); };
    const size_t directory = u32(4);
    if (directory > n || n - directory < 2)
        return false;
    const size_t entries = u16(directory);
    if ((n - directory - 2) / 12 < entries)
        return false;
    bool haveWidth = false, haveHeight = false;
    for (size_t i = 0; i < entries; ++i) {
        const size_t at = directory + 2 + 12 * i;
        const uint32_t tag = u16(at), type = u16(at + 2);
        if (tag != 256 && tag != 257)
            continue;
        uint64_t value;
        if (type == 3)  // SHORT, kept in the first half of the value field
            value = u16(at + 8);
        else if (type == 4)  // LONG
            value = u32(at + 8);
        else
            return false;
        if (tag == 256) {
            *w = value;
            haveWidth = true;
        } else {
            *h = value;
            haveHeight = true;
        }
    }
    return haveWidth && haveHeight;
}

}  // namespace

bool ReadDeclaredPictureSize(const unsigned char* data, size_t length, uint64_t* width,
                             uint64_t* height)
{
    if (!data || !width || !height)
        return false;
    return ReadPngSize(data, length, width, height) || ReadGifSize(data, length, width, height) ||
           ReadBmpSize(data, length, width, height) || ReadJpegSize(data, length, width, height) ||
           ReadTiffSize(data, length, width, height);
}

bool IsAcceptablePictureSize(uint64_t width, uint64_t height)
{
    if (width == 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide)
        return false;
    return width * height <= kMaxPicturePixels;
}

}  // namespace picturehash
