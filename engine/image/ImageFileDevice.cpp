// engine/image/ImageFileDevice.cpp
#include "engine/image/ImageFileDevice.h"

#include <stdint.h>
#include <string.h>

#include <algorithm>

namespace {

// A stored chunk may be larger than its sectors when compression did not help: bzip2 and LZMA
// grow data that does not compress by up to about 1 % plus a few hundred bytes. The bound only
// keeps an absurd index entry from making us allocate and read gigabytes.
size_t StoredLimit(size_t chunkBytes) { return chunkBytes + chunkBytes / 50 + 4096; }

}  // namespace

CImageFileDeviceWithDecompress::CImageFileDeviceWithDecompress(const char* path, size_t cachedChunks)
    : m_cache(cachedChunks)
{
    if (path)
        m_path.assign(path, strnlen(path, 259));
    m_opened = m_file.Open(m_path.c_str()) != 0;
    if (!m_opened)
        return;
    m_decompressor.reset(CreateDecompressor(m_file.Header().compression));
    m_totalSectors = uint64_t(m_file.Header().totalChunks) * kImageSectorsPerChunk;
}

uint32_t CImageFileDeviceWithDecompress::GetBytesPerSector()
{
    return m_opened ? m_file.Header().bytesPerSector : 512;
}

int CImageFileDeviceWithDecompress::CheckImageFiles()
{
    return m_opened && MissingImageFile().empty();
}

std::string CImageFileDeviceWithDecompress::MissingImageFile()
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_opened)
        return m_path;
    const std::string listPath = ImagePartListName(m_path);
    Win32File list(listPath.c_str(), Win32File::kRead);
    if (!list.IsOpen())
        return listPath;
    for (uint32_t part = 0; part < m_file.Header().chunksPerPart.size(); ++part) {
        std::string path = m_file.PartPath(part);
        if (path.empty())
            return "part " + std::to_string(part) + ", not in the part list " + listPath;
        if (!Win32File(path.c_str(), Win32File::kRead).IsOpen())
            return path;   // missing, or there but unreadable: either way it cannot be read
    }
    return std::string();
}

bool CImageFileDeviceWithDecompress::IsImageHeaderFile()
{
    if (!m_opened || m_file.Header().chunksPerPart.empty() || m_file.Header().totalChunks == 0)
        return false;
    if (Win32File(ImagePartListName(m_path).c_str(), Win32File::kRead).IsOpen())
        return true;
    // No part list to vouch for it: a raw disk's first sector could parse as a header by
    // chance, but its file is not exactly one header and one index entry per chunk long.
    uint64_t size = 0;
    Win32File image(m_path.c_str(), Win32File::kRead);
    if (!image.GetSize(&size))
        return false;
    return size == kImageHeaderSize + 4 * uint64_t(m_file.Header().totalChunks);
}

int CImageFileDeviceWithDecompress::LocateChunk(uint32_t chunk, uint32_t* part, bool* firstOfPart) const
{
    uint64_t end = 0;
    const std::vector<uint32_t>& table = m_file.Header().chunksPerPart;
    for (uint32_t i = 0; i < table.size(); ++i) {
        uint64_t begin = end;
        end += table[i];
        if (chunk < end) {
            *part = i;
            *firstOfPart = chunk == begin;
            return 1;
        }
    }
    return 0;
}

int CImageFileDeviceWithDecompress::ReadChunk(uint32_t part, uint32_t chunk, bool firstOfPart,
                                              unsigned char* scratch, size_t chunkBytes)
{
    if (!m_file.OpenPart(part, Win32File::kRead))
        return 0;
    uint64_t offset = 0;
    uint32_t size = 0;
    if (!m_file.GetChunkExtent(chunk, firstOfPart, &offset, &size) || size == 0 || size > StoredLimit(chunkBytes))
        return 0;
    std::vector<unsigned char> stored(size);
    if (!m_file.ReadPart(offset, stored.data(), size))
        return 0;
    if (!m_decompressor) {
        memcpy(scratch, stored.data(), size < chunkBytes ? size : chunkBytes);
        return 1;
    }
    // Undecodable data is not sector data: the chunk reads as zeros like any damaged area.
    long produced = DecompressChunk(m_decompressor.get(), stored.data(), size, scratch, chunkBytes);
    if (produced < 0) {
        memset(scratch, 0, chunkBytes);
        return 0;
    }
    return 1;
}

int CImageFileDeviceWithDecompress::ReadSectors(void* buffer, uint64_t first, uint64_t count)
{
    if (!buffer)
        return 0;
    std::lock_guard<std::mutex> hold(m_lock);
    if (first > m_totalSectors || count > m_totalSectors)
        return 0;
    uint64_t n = count;
    if (n > m_totalSectors - first)
        n = m_totalSectors - first;
    const uint64_t bytesPerSector = GetBytesPerSector();
    // No caller's buffer can hold more than the address space.
    if (count > SIZE_MAX / bytesPerSector)
        return 0;
    const size_t chunkBytes = size_t(bytesPerSector * kImageSectorsPerChunk);
    std::vector<unsigned char> scratch;
    unsigned char* out = static_cast<unsigned char*>(buffer);
    memset(out, 0, size_t(count * bytesPerSector));
    uint64_t pos = first;
    uint64_t left = n;
    while (left > 0) {
        uint64_t within = pos % kImageSectorsPerChunk;
        uint64_t run = kImageSectorsPerChunk - within;
        if (run > left)
            run = left;
        uint32_t chunk = uint32_t(pos / kImageSectorsPerChunk);
        uint32_t part = 0;
        bool firstOfPart = false;
        if (!LocateChunk(chunk, &part, &firstOfPart)) {
            // The parts hold fewer chunks than the header counts: the rest is missing.
            for (uint64_t end = (pos + left - 1) / kImageSectorsPerChunk; chunk <= end; ++chunk)
                m_damagedChunks.insert(chunk);
            break;
        }
        // Only chunks that were read whole are kept: a part that could not be opened may be
        // there at the next read.
        const unsigned char* decoded = m_cache.Find(chunk);
        if (!decoded) {
            scratch.assign(chunkBytes, 0);
            if (ReadChunk(part, chunk, firstOfPart, scratch.data(), chunkBytes)) {
                decoded = m_cache.Insert(chunk, scratch);
                m_damagedChunks.erase(chunk);
            } else {
                m_damagedChunks.insert(chunk);
            }
            if (!decoded)
                decoded = scratch.data();
        }
        memcpy(out + (pos - first) * bytesPerSector, decoded + within * bytesPerSector,
               size_t(run * bytesPerSector));
        pos += run;
        left -= run;
    }
    return 1;
}

std::vector<std::pair<uint64_t, uint64_t>> CImageFileDeviceWithDecompress::DamagedSectorRanges()
{
    std::lock_guard<std::mutex> hold(m_lock);
    std::vector<std::pair<uint64_t, uint64_t>> ranges;
    for (uint32_t chunk : m_damagedChunks) {
        const uint64_t first = uint64_t(chunk) * kImageSectorsPerChunk;
        const uint64_t end = std::min(first + kImageSectorsPerChunk, m_totalSectors);
        if (!ranges.empty() && ranges.back().second == first)
            ranges.back().second = end;
        else
            ranges.push_back({first, end});
    }
    return ranges;
}
