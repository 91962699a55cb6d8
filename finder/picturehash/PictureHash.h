// finder/picturehash/PictureHash.h
// The picture-hash library "VoveRIRider.dll" that ships beside the program. The finder loads
// it at run time and looks its two exports up by their undecorated names.
//
// Calling convention: __cdecl. Results are C++ bool (one byte, in AL).
#pragma once
#include <stdint.h>

enum { kPictureHashSize = 64 };  // bytes of hash that every caller passes around

#ifdef PICTUREHASH_BUILD
#define PICTUREHASH_API extern "C" __declspec(dllexport)
#else
#define PICTUREHASH_API extern "C"
#endif

// Hashes a picture file's whole content, held in memory. True when hash[0..63] was filled.
// Any format GDI+ decodes (the first frame of several); pictures over 100 megapixels, and
// anything undecodable, give false and a zeroed hash. Safe on several threads at once.
// The layout of the 64 bytes is in finder/picturehash/PerceptualHash.h.
PICTUREHASH_API bool __cdecl aHashValue(const void* data, uint32_t length, unsigned char* hash);

// True when two hashes made by aHashValue stand for pictures that look alike under the
// threshold (4, 5, 6 or 12; a smaller one is stricter). *result (may be null) receives the
// distance, 0 for the same picture up to 64; 64 as well when either buffer holds no hash.
// A threshold above 12 counts as 12, a negative one matches nothing.
PICTUREHASH_API bool __cdecl isMaybeSimilarPictures(const unsigned char* newHash,
                                                    const unsigned char* keptHash,
                                                    int* result, int threshold);

typedef bool(__cdecl* AHashValueFn)(const void*, uint32_t, unsigned char*);
typedef bool(__cdecl* IsMaybeSimilarPicturesFn)(const unsigned char*, const unsigned char*, int*, int);
