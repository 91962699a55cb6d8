// engine/image/ImageLayout.h
// The split disk image's files: a 512-byte header and chunk index, a part list, part files.
//
// Image file header (little-endian u32 fields):
//   0    255  image name, zero-terminated (byte 255 always 0)
//   256  4    bytes per sector (not a multiple of 512 in 512..4096 -> 512)
//   260  4    compression: 1 bzip2, 2 zlib, 3 LZMA, anything else stored
//   264  4    caller's word, carried only
//   268  4    number of part files
//   272  4    total number of chunks
//   276  4xN  chunks stored in part 0, 1, ...
//   508  4    0: the start of chunk 0
// Chunk index from 512: u32 end offset of chunk k's data (at 512 + 4k), inside the data area
// of its part; a chunk whose end is below its predecessor's starts a new part at 0.
// Part files: 512 reserved bytes, then the chunks back to back (chunk at 512 + start).
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

const size_t kImageHeaderSize = 512;
const size_t kImageNameSize = 255;
const size_t kImageSectorSizeOffset = 256;
const size_t kImageCompressionOffset = 260;
const size_t kImageUserWordOffset = 264;
const size_t kImagePartCountOffset = 268;
const size_t kImageChunkCountOffset = 272;
const size_t kImagePartTableOffset = 276;
const size_t kImageChunkZeroStartOffset = 508;
const uint32_t kImageMaxParts = (kImageChunkZeroStartOffset - kImagePartTableOffset) / 4;  // 58
const uint32_t kImageSectorsPerChunk = 256;
const size_t kPartDataOffset = 512;

// The header as fields of fixed width, every one a byte array (no padding, no field whose size
// depends on the build), checked against the offsets above at compile time.
struct ImageHeaderBytes {
    char name[kImageNameSize];
    uint8_t nameEnd;  // always 0
    uint8_t bytesPerSector[4], compression[4], userWord[4], partCount[4], chunkCount[4];
    uint8_t chunksPerPart[kImageMaxParts][4];
    uint8_t chunkZeroStart[4];
};
static_assert(sizeof(ImageHeaderBytes) == kImageHeaderSize, "image header");
static_assert(offsetof(ImageHeaderBytes, bytesPerSector) == kImageSectorSizeOffset &&
                  offsetof(ImageHeaderBytes, compression) == kImageCompressionOffset &&
                  offsetof(ImageHeaderBytes, userWord) == kImageUserWordOffset &&
                  offsetof(ImageHeaderBytes, partCount) == kImagePartCountOffset &&
                  offsetof(ImageHeaderBytes, chunkCount) == kImageChunkCountOffset &&
                  offsetof(ImageHeaderBytes, chunksPerPart) == kImagePartTableOffset &&
                  offsetof(ImageHeaderBytes, chunkZeroStart) == kImageChunkZeroStartOffset,
              "image header fields");

struct ImageHeader {
    std::string name;
    uint32_t bytesPerSector = 512;
    uint32_t compression = 0;
    uint32_t userWord = 255;
    uint32_t totalChunks = 0;
    std::vector<uint32_t> chunksPerPart;
};

// The header's bytes per sector as the reader uses it.
uint32_t SaneImageSectorSize(uint32_t value);

// 1 when the 512 bytes hold a usable header. The part count is bounded by the room the header
// has for its table, and the parts' chunks must add up to the total, so a damaged header cannot
// send reads to chunks the index does not hold.
int ParseImageHeader(const unsigned char* bytes, size_t size, ImageHeader* out);

// "disk.img" -> "disk.edp"; "disk" -> "disk.edp". Only a dot in the file name counts, not one
// in a folder's name.
std::string ImagePartListName(const std::string& imagePath);
// "disk.img" -> "disk.part3.edf"; "disk" -> "disk.part3.edf".
std::string ImagePartFileName(const std::string& imagePath, uint32_t part);
// A part-list line as a path: CR/LF dropped; a bare name is taken beside the image.
std::string ImagePartPathFromLine(const std::string& imagePath, std::string line);
