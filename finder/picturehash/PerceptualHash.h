// finder/picturehash/PerceptualHash.h
// The hash of a reduced picture and the distance between two hashes. No decoding here: this
// works on the grid that PictureReducer makes, so it is tested on plain pixel arrays.
//
// The 64-byte hash, as aHashValue hands it out:
//   bytes  0..7   DCT hash: the 64 lowest-frequency AC coefficients of the 32x32 grid's
//                 DCT-II (zig-zag order), one bit each, set when above their median.
//                 Survives resizing, recompression and brightness or contrast changes.
//   bytes  8..15  gradient hash: the grid shrunk to 9x8, one bit per horizontal neighbour
//                 pair, set when the right cell is clearly brighter. A second, independent view of
//                 the layout; both must agree before two pictures count as alike.
//   bytes 16..18  mean red, green, blue (0..255): tells apart pictures whose grey layout
//                 matches but whose colours do not (two gradients, two flat fills).
//   byte  19      contrast: standard deviation of the grid's grey levels (0..255).
//   bytes 20..51  thumbnail: the grid shrunk to 8x8 and normalised to its own mean and
//                 standard deviation, one 4-bit level per cell (low nibble first) in steps
//                 of a quarter deviation from -2 to +2. Simple pictures (gradients, a few
//                 shapes) have so few strong DCT coefficients that their DCT bits are mostly
//                 noise; the thumbnail still tells them apart.
//   bytes 52..59  zero.
//   bytes 60..63  "PHa1": marks a filled hash; a zeroed or foreign buffer never matches.
// Bit i of a 64-bit hash is bit (i % 8) of byte i / 8 (little-endian).
#pragma once
#include <stdint.h>

#include "finder/picturehash/PictureReduction.h"

namespace picturehash {

enum {
    kHashBytes = 64,
    kMaxDistance = 64,   // distance of hashes that cannot be compared
    kFlatContrast = 2,   // below this a picture is one flat colour: its bits are mere noise
    kColourStep = 8,     // mean-colour difference that adds one to the distance
    kFlatColourStep = 3, // the same between two flat pictures, where colour is all there is
    kThumbnailSide = 8,
    kThumbnailCells = kThumbnailSide * kThumbnailSide,
    kThumbnailStep = 12, // summed thumbnail level differences that add one to the distance
};

struct PictureFingerprint {
    uint64_t dctBits;
    uint64_t gradientBits;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t contrast;
    uint8_t thumbnail[kThumbnailCells];  // levels 0..15, 8 standing for the mean
};

uint64_t DctBits(const float* grid);       // grid: kGridSize x kGridSize grey levels
uint64_t GradientBits(const float* grid);
void ThumbnailLevels(const float* grid, uint8_t* levels);  // kThumbnailCells levels out
int ThumbnailDistance(const uint8_t* a, const uint8_t* b);
PictureFingerprint FingerprintOf(const ReducedPicture& picture);

void EncodeFingerprint(const PictureFingerprint& print, unsigned char* hash);
// False when the buffer does not hold a hash made by EncodeFingerprint.
bool DecodeFingerprint(const unsigned char* hash, PictureFingerprint* print);

int BitDistance(uint64_t a, uint64_t b);

// 0 for the same picture, growing as pictures differ; kMaxDistance at most. The largest
// disagreement of the two bit hashes and the thumbnails, plus one per kColourStep of the
// largest mean-colour difference; between two flat pictures, one per kFlatColourStep of
// that difference alone.
int FingerprintDistance(const PictureFingerprint& a, const PictureFingerprint& b);

}  // namespace picturehash
