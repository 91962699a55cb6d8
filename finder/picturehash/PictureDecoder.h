// finder/picturehash/PictureDecoder.h
// Decodes a picture file held in memory with GDI+ and reduces it for hashing.
#pragma once
#include <stdint.h>

#include "finder/picturehash/PictureReduction.h"

namespace picturehash {

// False for anything GDI+ cannot decode, and for pictures beyond kMaxPicturePixels (checked
// on the header before decoding, and on the decoded bitmap). Safe on several threads at once.
bool DecodeAndReduce(const void* data, uint32_t length, ReducedPicture* out);

}  // namespace picturehash
