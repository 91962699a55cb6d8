// finder/picturehash/PictureHeader.h
// Reads the size a picture file declares in its header, before any decoder sees it. The
// decoder allocates the whole declared bitmap at once, so a few crafted bytes claiming
// 60000x60000 pixels would otherwise cost gigabytes (or overflow a 32-bit size).
#pragma once
#include <stddef.h>
#include <stdint.h>

namespace picturehash {

// Largest picture hashed: 100 megapixels, 400 MB as 32-bit pixels in a 32-bit process, and
// no side beyond the 16-bit sides of JPEG and GIF (which keeps any one row small).
const uint64_t kMaxPicturePixels = 100000000;
const uint64_t kMaxPictureSide = 65535;

// True when data starts like a PNG, GIF, BMP, JPEG or TIFF file and its header's size could be
// read; unknown formats (left to the decoder) and cut-short headers give false.
bool ReadDeclaredPictureSize(const unsigned char* data, size_t length, uint64_t* width,
                             uint64_t* height);

// Neither side zero nor beyond kMaxPictureSide, and no more than kMaxPicturePixels.
bool IsAcceptablePictureSize(uint64_t width, uint64_t height);

}  // namespace picturehash
