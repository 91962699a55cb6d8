// engine/image/ImageFileDevice.h
// A split, compressed disk image read as a block device, so that its partitions and file
// systems are analysed exactly as a physical disk's.
#pragma once
#include <stdint.h>

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/device/StorageDevice.h"
#include "engine/image/ChunkCache.h"
#include "engine/image/Decompressor.h"
#include "engine/image/ImageFile.h"

class CImageFileDeviceWithDecompress : public IStorageDevice {
public:
    // Keeps the last `cachedChunks` decoded chunks (0 decodes a chunk for every read).
    explicit CImageFileDeviceWithDecompress(const char* path, size_t cachedChunks = kImageCachedChunks);

    // Sectors of chunks that cannot be located, read or decoded come back as zeros; the read
    // still succeeds, and the chunk is kept among the damaged ranges. A read starting beyond
    // the image fails.
    int ReadSectors(void* buffer, uint64_t first, uint64_t count) override;
    uint64_t GetTotalSectors() override { return m_totalSectors; }
    uint32_t GetBytesPerSector() override;
    int Open() override { return 1; }
    int Close() override { return 1; }

    // TRUE when the image file, its part list and every part it names exist.
    int CheckImageFiles();
    // The first file of the image that is missing: the part list, a part file, or a part the
    // list does not name ("part N, not in the part list"); empty when none is.
    std::string MissingImageFile();
    // The file holds a split image's header and chunk index (parts to read, and either its
    // part list beside it or exactly the size of header and index), not a raw disk.
    bool IsImageHeaderFile();
    std::string GetImageName() const { return m_opened ? m_file.Header().name : std::string(); }
    uint32_t GetUserWord() const { return m_opened ? m_file.Header().userWord : 255; }
    const std::string& GetPath() const { return m_path; }
    // The sectors that reads so far met in damaged or missing chunks, as [first, end) ranges
    // in order, neighbouring chunks joined: they read as zeros, which is not the disk's data.
    std::vector<std::pair<uint64_t, uint64_t>> DamagedSectorRanges();

private:
    // Decodes chunk `chunk` of part `part` into scratch (chunk bytes); 1 when it holds data.
    int ReadChunk(uint32_t part, uint32_t chunk, bool firstOfPart, unsigned char* scratch, size_t chunkBytes);
    int LocateChunk(uint32_t chunk, uint32_t* part, bool* firstOfPart) const;

    std::mutex m_lock;
    CImageFile m_file;
    std::unique_ptr<IDecompressor> m_decompressor;
    ChunkCache m_cache;
    uint64_t m_totalSectors = 0;
    std::string m_path;
    bool m_opened = false;
    std::set<uint32_t> m_damagedChunks;
};
