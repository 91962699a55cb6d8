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
    // Mode 3 instead creates the part file with its reserved bytes and adds it to the list.
    int OpenPart(uint32_t part, uint32_t mode);
    // The offset of chunk k in its part file and its stored size; 0 when the index does not
    // hold it or its entries run backwards inside a part. The first chunk of a part starts at 0.
    int GetChunkExtent(uint32_t chunk, bool firstOfPart, uint64_t* offset, uint32_t* size);
    // Reads exactly `count` bytes at `offset` of the open part file.
    int ReadPart(uint64_t offset, void* buffer, uint32_t count);
    // The file name of part i as the part list names it; empty when the list ends first.
    std::string PartPath(uint32_t part);

    // Writing side (tools and tests make images; no flow of the program writes one).
    // Creates the image file with a zeroed header and an empty part list.
    int Create(const char* path);
    // The header's own fields; the name is cut to 254 characters so byte 255 stays 0.
    int WriteHeader(const std::string& name, uint32_t userWord, uint32_t compression, uint32_t bytesPerSector);
    // Part `partCount - 1` holds `chunks` chunks; 0 when the header has no room for it.
    int AppendPart(uint32_t partCount, uint32_t chunks);
    int WriteImage(uint64_t offset, const void* buffer, uint32_t count);
    int WritePart(uint64_t offset, const void* buffer, uint32_t count);
    bool IsFirstChunkOfPart(uint32_t chunk) const;

private:
    int CreatePart(uint32_t part);

    Win32File m_image;
    Win32File m_part;
    Win32File m_partList;
    std::string m_path;
    ImageHeader m_header;
    int m_openPart = -1;
};
