// engine/image/ImageFile.h
// The reading side of a split disk image's files: header, chunk index, part list and the
// part file in use.
#pragma once
#include <stdint.h>

#include <string>

#include "engine/filetype/Win32File.h"
#include "engine/image/ImageLayout.h"

class CImageFile {
public:
    // 1 when the image file opened and its header is usable.
    int Open(const char* path);
    const ImageHeader& Header() const { return m_header; }
    const std::string& Path() const { return m_path; }
    // Opens the part named on line `part` of the part list; nothing to do when it is open.
    int OpenPart(uint32_t part, uint32_t mode);
    // The offset of chunk k in its part file and its stored size; 0 when the index does not
    // hold it or its entries run backwards inside a part. The first chunk of a part starts at 0.
    int GetChunkExtent(uint32_t chunk, bool firstOfPart, uint64_t* offset, uint32_t* size);
    // Reads exactly `count` bytes at `offset` of the open part file.
    int ReadPart(uint64_t offset, void* buffer, uint32_t count);
    // The file name of part i as the part list names it; empty when the list ends first.
    std::string PartPath(uint32_t part);

private:
    Win32File m_image;
    Win32File m_part;
    Win32File m_partList;
    std::string m_path;
    ImageHeader m_header;
    int m_openPart = -1;
};
