// engine/device/StorageDevice.h
// The one sector-addressed interface through which the engine reads everything below the file
// system: physical drives, partitions, dynamic volumes and disk images.
#pragma once
#include <stdint.h>

class IStorageDevice {
public:
    virtual ~IStorageDevice() {}
    // Reads count sectors from first into buffer (count x GetBytesPerSector() bytes).
    // Non-zero on success.
    virtual int ReadSectors(void* buffer, uint64_t first, uint64_t count) = 0;
    virtual uint64_t GetTotalSectors() = 0;
    // 512 when the device cannot tell.
    virtual uint32_t GetBytesPerSector() = 0;
    virtual int Open() = 0;
    virtual int Close() = 0;
    // A shared default that no device overrides.
    virtual int DefaultZero() { return 0; }

protected:
    uint32_t m_bytesPerSector = 0;  // cached; 0 until known
};
