// engine/image/ImageLayout.cpp
#include "engine/image/ImageLayout.h"

#include <string.h>

#include "engine/device/LittleEndian.h"

namespace {

size_t FileNameStart(const std::string& path)
{
    size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? 0 : slash + 1;
}

// The path up to and including the file name's last '.', or the path and a '.' when it has none.
std::string StemWithDot(const std::string& path)
{
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < FileNameStart(path))
        return path + ".";
    return path.substr(0, dot + 1);
}

}  // namespace

uint32_t SaneImageSectorSize(uint32_t value)
{
    return (value >= 512 && value <= 4096 && value % 512 == 0) ? value : 512;
}

int ParseImageHeader(const unsigned char* bytes, size_t size, ImageHeader* out)
{
    if (!bytes || !out || size < kImageHeaderSize)
        return 0;
    *out = ImageHeader();
    size_t nameLength = strnlen(reinterpret_cast<const char*>(bytes), kImageNameSize);
    out->name.assign(reinterpret_cast<const char*>(bytes), nameLength);
    out->bytesPerSector = SaneImageSectorSize(GetU32(bytes + kImageSectorSizeOffset));
    out->compression = GetU32(bytes + kImageCompressionOffset);
    out->userWord = GetU32(bytes + kImageUserWordOffset);
    uint32_t parts = GetU32(bytes + kImagePartCountOffset);
    out->totalChunks = GetU32(bytes + kImageChunkCountOffset);
    if (parts > kImageMaxParts)
        return 0;
    uint64_t sum = 0;
    for (uint32_t i = 0; i < parts; ++i) {
        out->chunksPerPart.push_back(GetU32(bytes + kImagePartTableOffset + 4 * i));
        sum += out->chunksPerPart.back();
    }
    if (sum != out->totalChunks)
        return 0;
    return 1;
}

std::string ImagePartListName(const std::string& imagePath) { return StemWithDot(imagePath) + "edp"; }

std::string ImagePartFileName(const std::string& imagePath, uint32_t part)
{
    return StemWithDot(imagePath) + "part" + std::to_string(part) + ".edf";
}

std::string ImagePartPathFromLine(const std::string& imagePath, std::string line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    if (line.empty())
        return line;
    // A line with a folder in it is taken as written.
    if (line.find_first_of("\\/:") != std::string::npos)
        return line;
    return imagePath.substr(0, FileNameStart(imagePath)) + line;
}
