// app/BitmapFileHeader.h
// Bitmap resources are packed DIBs (info header, colour table, pixels) without the 14-byte
// file header that picture loaders expect; these build that header.
#pragma once
#include <stddef.h>
#include <stdint.h>

constexpr size_t kBitmapFileHeaderSize = 14;

// Offset of the pixels from the start of the file that the header would begin: 14 + info
// header + bit-field masks + colour table. 0 when the DIB is too short or its header is not
// a known kind, so that no loader reads pixels from the colour table.
uint32_t PackedDibPixelOffset(const uint8_t* dib, size_t size);

// Fills header with "BM", the file size (size + 14) and the pixel offset; false when
// PackedDibPixelOffset rejects the DIB.
bool MakeBitmapFileHeader(const uint8_t* dib, size_t size, uint8_t header[kBitmapFileHeaderSize]);
