// engine/image/ImageFile.cpp
#include <windows.h>

#include "engine/image/ImageFile.h"

#include "engine/device/LittleEndian.h"

namespace {

const uint32_t kMaxPartListLine = 270;

}  // namespace

int CImageFile::Open(const char* path)
{
    if (!path)
        return 0;
    m_path = path;
    m_openPart = -1;
    m_part.Close();
    m_partList.Close();
    if (!m_image.Open(path, Win32File::kRead))
        return 0;
    unsigned char header[kImageHeaderSize];
    if (m_image.Read(header, sizeof(header)) != sizeof(header))
        return 0;
    return ParseImageHeader(header, sizeof(header), &m_header);
}

std::string CImageFile::PartPath(uint32_t part)
{
    if (!m_partList.IsOpen() && !m_partList.Open(ImagePartListName(m_path).c_str(), Win32File::kRead))
        return std::string();
    if (!m_partList.Rewind())
        return std::string();
    char line[kMaxPartListLine + 1];
    for (uint32_t i = 0; i <= part; ++i) {
        uint32_t length = m_partList.ReadLine(line, kMaxPartListLine);
        if (!length)
            return std::string();
        // A line longer than any part name would shift every later line: the list is damaged.
        if (length == kMaxPartListLine && line[length - 1] != '\n')
            return std::string();
    }
    return ImagePartPathFromLine(m_path, line);
}

int CImageFile::OpenPart(uint32_t part, uint32_t mode)
{
    if (m_openPart >= 0 && uint32_t(m_openPart) == part && m_part.IsOpen())
        return 1;
    m_part.Close();
    m_openPart = -1;
    std::string path = PartPath(part);
    if (path.empty() || !m_part.Open(path.c_str(), mode))
        return 0;
    m_openPart = int(part);
    return 1;
}

int CImageFile::GetChunkExtent(uint32_t chunk, bool firstOfPart, uint64_t* offset, uint32_t* size)
{
    if (!offset || !size || chunk >= m_header.totalChunks)
        return 0;
    // The pair (previous end, this end); for chunk 0 the previous end is the header's last word.
    unsigned char pair[8];
    if (!m_image.Seek(kImageChunkZeroStartOffset + 4 * uint64_t(chunk)) || m_image.Read(pair, 8) != 8)
        return 0;
    uint32_t start = GetU32(pair);
    uint32_t end = GetU32(pair + 4);
    // The part table says where a part begins; guessing it from an end below its predecessor's
    // fails when a part's first chunk is larger than all of the previous part.
    if (firstOfPart)
        start = 0;
    else if (end < start)
        return 0;
    *offset = kPartDataOffset + uint64_t(start);
    *size = end - start;
    return 1;
}

int CImageFile::ReadPart(uint64_t offset, void* buffer, uint32_t count)
{
    if (!m_part.Seek(offset))
        return 0;
    return m_part.Read(buffer, count) == count;
}
