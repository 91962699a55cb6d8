// engine/device/MemoryDevice.h
// A block device over bytes in memory: the engine's tests and fuzzers read disk images made by
// real tools through it, exactly as the analysers read a drive.
#pragma once
#include <string.h>

#include <string>
#include <vector>

#include "engine/device/StorageDevice.h"

class CMemoryDevice : public IStorageDevice {
public:
    explicit CMemoryDevice(std::vector<unsigned char> bytes, uint32_t sectorSize = 512)
        : m_bytes(std::move(bytes)), m_sectorSize(sectorSize ? sectorSize : 512) {}

    int ReadSectors(void* buffer, uint64_t first, uint64_t count) override
    {
        ++m_reads;
        if (!buffer || first > GetTotalSectors() || count > GetTotalSectors() - first)
            return 0;
        memcpy(buffer, m_bytes.data() + first * m_sectorSize, size_t(count * m_sectorSize));
        return 1;
    }
    uint64_t GetTotalSectors() override { return m_bytes.size() / m_sectorSize; }
    uint32_t GetBytesPerSector() override { return m_sectorSize; }
    int Open() override { return 1; }
    int Close() override { return 1; }

    std::vector<unsigned char>& Bytes() { return m_bytes; }
    unsigned ReadCount() const { return m_reads; }

private:
    std::vector<unsigned char> m_bytes;
    uint32_t m_sectorSize;
    unsigned m_reads = 0;
};
