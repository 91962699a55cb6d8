// engine/device/BasicPartitionDevice.h
// A window of sectors on another device: a partition read as a device of its own.
#pragma once
#include "engine/device/StorageDevice.h"

class CBasicPartitionDevice : public IStorageDevice {
public:
    // The parent is not owned: whoever made both deletes this one first.
    CBasicPartitionDevice(IStorageDevice* parent, uint64_t start, uint64_t length)
        : m_parent(parent), m_start(start), m_length(length) {}

    // Sectors past the window's end read as zeros; a read starting outside it fails.
    int ReadSectors(void* buffer, uint64_t first, uint64_t count) override;
    uint64_t GetTotalSectors() override { return m_length; }
    uint32_t GetBytesPerSector() override;
    int Open() override { return 1; }
    int Close() override { return 1; }
    uint64_t GetStartSector() const { return m_start; }

private:
    IStorageDevice* m_parent;
    uint64_t m_start;
    uint64_t m_length;
};
