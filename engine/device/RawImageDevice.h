// engine/device/RawImageDevice.h
// A plain disk image file (a byte-for-byte copy of a drive) read as a block device, sector by
// sector from the file, so an image of any size is analysed without loading it whole.
#pragma once
#include <stdint.h>

#include <string>

#include "engine/device/StorageDevice.h"

class CRawImageDevice : public IStorageDevice {
public:
    // Opens the file for reading. An image does not say how large its sectors were: the caller
    // names it (512 when 0 or not a power of two from 512 to 65536).
    explicit CRawImageDevice(const std::string& path, uint32_t sectorSize = 512);
    ~CRawImageDevice() override;
    CRawImageDevice(const CRawImageDevice&) = delete;
    CRawImageDevice& operator=(const CRawImageDevice&) = delete;

    // Only whole sectors inside the file are read; a request that runs past the last whole
    // sector fails, so a truncated image is never taken for zeros.
    int ReadSectors(void* buffer, uint64_t first, uint64_t count) override;
    // The whole sectors of the file; a partial last sector does not count.
    uint64_t GetTotalSectors() override { return m_totalSectors; }
    uint32_t GetBytesPerSector() override { return m_sectorSize; }
    // Opens the file again when it was closed; 1 when it is open.
    int Open() override;
    int Close() override;
    bool IsOpen() const;
    const std::string& GetPath() const { return m_path; }

private:
    // Platform parts: open read-only and learn the size, read exactly `size` bytes at an offset.
    bool OpenFile(uint64_t* fileSize);
    void CloseFile();
    bool ReadAt(uint64_t offset, unsigned char* buffer, uint64_t size);

    std::string m_path;
    uint32_t m_sectorSize;
    uint64_t m_totalSectors = 0;
    intptr_t m_file = -1;  // a file descriptor, or a Windows handle
};

// The sector size named by a user: a power of two from 512 to 65536, else 512.
uint32_t SaneRawImageSectorSize(uint32_t value);
