// engine/exfat/SectorCache.h
// Reads of FAT entries through 1 MiB blocks, at most nine held, so that a long cluster chain
// costs one device read per megabyte of FAT.
#pragma once
#include <stdint.h>

#include <map>
#include <memory>
#include <vector>

class IStorageDevice;

class SectorCache {
public:
    SectorCache() = default;
    SectorCache(const SectorCache&) = delete;
    SectorCache& operator=(const SectorCache&) = delete;

    // Caches the region [firstSector, firstSector + count) of device and reads its first block.
    // The cache stays empty for a null device, an empty region, one that reaches past the
    // device, or a failed read.
    void Open(IStorageDevice* device, uint64_t firstSector, uint32_t count);
    // The entry of cluster; 0xFFFFFFFF when the cache is empty, the entry lies outside the
    // region or its block cannot be read.
    uint32_t GetFatEntry(uint32_t cluster);
    void Clear();
    bool IsEmpty() const { return m_blocks.empty(); }

private:
    static constexpr uint32_t kBlockBytes = 1u << 20;
    static constexpr size_t kMaxBlocks = 9;

    bool ReadBlock(uint64_t blockSector, std::vector<unsigned char>& buffer);

    IStorageDevice* m_device = nullptr;
    uint64_t m_firstSector = 0;
    uint32_t m_sectorCount = 0;
    uint32_t m_sectorsPerBlock = 0;
    uint32_t m_bytesPerSector = 0;
    std::map<uint64_t, std::vector<unsigned char>> m_blocks;
};
