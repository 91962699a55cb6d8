// engine/image/ImageFile.cpp
#include "engine/image/ImageFile.h"

#include <string.h>

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
    if (mode == Win32File::kCreate)
        return CreatePart(part);
    std::string path = PartPath(part);
    if (path.empty() || !m_part.Open(path.c_str(), mode))
        return 0;
    m_openPart = int(part);
    return 1;
}

int CImageFile::CreatePart(uint32_t part)
{
    std::string path = ImagePartFileName(m_path, part);
    if (!m_part.Open(path.c_str(), Win32File::kCreate))
        return 0;
    unsigned char reserved[kPartDataOffset] = {0};
    if (!m_part.Write(reserved, sizeof(reserved)))
        return 0;
    // The list names the part without its folder, so the image can be moved as a whole.
    m_partList.Close();
    Win32File list(ImagePartListName(m_path).c_str(), Win32File::kOpenAlways);
    size_t folderEnd = path.find_last_of("\\/:");
    std::string name = folderEnd == std::string::npos ? path : path.substr(folderEnd + 1);
    if (!list.SeekToEnd() || !list.WriteLine(name.c_str(), uint32_t(name.size())))
        return 0;
    m_openPart = int(part);
    return 1;
}

int CImageFile::Create(const char* path)
{
    if (!path)
        return 0;
    m_path = path;
    m_header = ImageHeader();
    m_openPart = -1;
    m_part.Close();
    m_partList.Close();
    if (!m_image.Open(path, Win32File::kCreate))
        return 0;
    Win32File list(ImagePartListName(m_path).c_str(), Win32File::kCreate);
    unsigned char header[kImageHeaderSize] = {0};
    return list.IsOpen() && m_image.Write(header, sizeof(header));
}

int CImageFile::WriteHeader(const std::string& name, uint32_t userWord, uint32_t compression, uint32_t bytesPerSector)
{
    m_header.name = name.substr(0, kImageNameSize - 1);
    m_header.userWord = userWord;
    m_header.compression = compression;
    m_header.bytesPerSector = SaneImageSectorSize(bytesPerSector);
    unsigned char header[kImageHeaderSize] = {0};
    memcpy(header, m_header.name.data(), m_header.name.size());
    PutU32(header + kImageSectorSizeOffset, m_header.bytesPerSector);
    PutU32(header + kImageCompressionOffset, compression);
    PutU32(header + kImageUserWordOffset, userWord);
    PutU32(header + kImagePartCountOffset, uint32_t(m_header.chunksPerPart.size()));
    PutU32(header + kImageChunkCountOffset, m_header.totalChunks);
    for (size_t i = 0; i < m_header.chunksPerPart.size(); ++i)
        PutU32(header + kImagePartTableOffset + 4 * i, m_header.chunksPerPart[i]);
    return WriteImage(0, header, sizeof(header));
}

int CImageFile::AppendPart(uint32_t partCount, uint32_t chunks)
{
    if (partCount == 0 || partCount > kImageMaxParts || partCount != m_header.chunksPerPart.size() + 1)
        return 0;
    if (m_header.totalChunks + uint64_t(chunks) > 0xFFFFFFFFu)
        return 0;
    m_header.chunksPerPart.push_back(chunks);
    m_header.totalChunks += chunks;
    return 1;
}

int CImageFile::WriteImage(uint64_t offset, const void* buffer, uint32_t count)
{
    return m_image.Seek(offset) && m_image.Write(buffer, count);
}

int CImageFile::WritePart(uint64_t offset, const void* buffer, uint32_t count)
{
    return m_part.Seek(offset) && m_part.Write(buffer, count);
}

bool CImageFile::IsFirstChunkOfPart(uint32_t chunk) const
{
    uint64_t begin = 0;
    for (uint32_t chunks : m_header.chunksPerPart) {
        if (chunk == begin && chunks)
            return true;
        begin += chunks;
        if (chunk < begin)
            return false;
    }
    return false;
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
