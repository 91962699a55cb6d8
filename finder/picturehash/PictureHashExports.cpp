// finder/picturehash/PictureHashExports.cpp
// The two exports of "VoveRIRider.dll". The finder calls them from several threads at once;
// nothing here keeps state between calls. No C++ exception may leave them: the caller is C.
#include "finder/picturehash/PictureHash.h"

#include <string.h>

#include "finder/picturehash/PerceptualHash.h"
#include "finder/picturehash/PictureDecoder.h"

using namespace picturehash;

static_assert(int(kHashBytes) == int(kPictureHashSize), "the hash layout fills the buffer callers pass");

// The loosest threshold the finder uses. A larger one would pair unrelated pictures, so it
// is held to this.
static const int kLoosestThreshold = 12;

PICTUREHASH_API bool __cdecl aHashValue(const void* data, uint32_t length, unsigned char* hash)
{
    if (!hash)
        return false;
    memset(hash, 0, kPictureHashSize);  // a failed call leaves no hash that could match
    if (!data || length == 0)
        return false;
    try {
        ReducedPicture* picture = new ReducedPicture;
        const bool decoded = DecodeAndReduce(data, length, picture);
        if (decoded)
            EncodeFingerprint(FingerprintOf(*picture), hash);
        delete picture;
        return decoded;
    } catch (...) {
        memset(hash, 0, kPictureHashSize);
        return false;
    }
}

PICTUREHASH_API bool __cdecl isMaybeSimilarPictures(const unsigned char* newHash,
                                                    const unsigned char* keptHash, int* result,
                                                    int threshold)
{
    PictureFingerprint a, b;
    int distance = kMaxDistance;
    if (DecodeFingerprint(newHash, &a) && DecodeFingerprint(keptHash, &b))
        distance = FingerprintDistance(a, b);
    if (result)
        *result = distance;
    if (threshold < 0 || distance == kMaxDistance)
        return false;
    return distance <= (threshold < kLoosestThreshold ? threshold : kLoosestThreshold);
}
