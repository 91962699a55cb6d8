// engine/exfat/SectorCache.cpp
#include "engine/exfat/SectorCache.h"

#include "engine/device/LittleEndian.h"
#include "engine/device/StorageDevice.h"

void SectorCache::Open(IStorageDevice* device, uint64_t firstSector, uint32_t count)
{
    Clear();
    if (!device || count == 0)
        return;
    uint64_t total = device->GetTotalSectors();
    if (firstSector > total || count > total - firstSector)
        return;
    uint32_t bytesPerSector = device->GetBytesPerSector();
    if (bytesPerSector == 0 || bytesPerSector > kBlockBytes || kBlockBytes % bytesPerSector != 0)
        return;
    m_device = device;
    m_firstSector = firstSector;
    m_sectorCount = count;
    m_bytesPerSector = bytesPerSector;
    m_sectorsPerBlock = kBlockBytes / bytesPerSector;
    std::vector<unsigned char> buffer;
    if (!ReadBlock(firstSector, buffer))
        return;
    m_blocks[firstSector].swap(buffer);
}

// Reads the part of one block that lies inside the region; the rest stays zero.
bool SectorCache::ReadBlock(uint64_t blockSector, std::vector<unsigned char>& buffer)
{
    uint64_t regionEnd = m_firstSector + m_sectorCount;
    if (blockSector < m_firstSector || blockSector >= regionEnd)
        return false;
    uint64_t sectors = regionEnd - blockSector;
    if (sectors > m_sectorsPerBlock)
        sectors = m_sectorsPerBlock;
    buffer.assign(kBlockBytes, 0);
    return m_device->ReadSectors(buffer.data(), blockSector, sectors) != 0;
}

uint32_t SectorCache::GetFatEntry(uint32_t cluster)
{
    if (m_blocks.empty())
        return 0xFFFFFFFF;
    uint64_t byteOffset = uint64_t(cluster) * 4;
    uint64_t sector = byteOffset / m_bytesPerSector;
    if (sector >= m_sectorCount)
        return 0xFFFFFFFF;
    uint64_t blockSector = m_firstSector + sector / m_sectorsPerBlock * m_sectorsPerBlock;
    size_t index = size_t((byteOffset % kBlockBytes) / 4);
    auto found = m_blocks.find(blockSector);
    if (found != m_blocks.end())
        return GetU32(found->second.data() + index * 4);
    std::vector<unsigned char> buffer;
    if (m_blocks.size() >= kMaxBlocks) {
        // Reuse the buffer of the block with the lowest position.
        buffer.swap(m_blocks.begin()->second);
        m_blocks.erase(m_blocks.begin());
    }
    if (!ReadBlock(blockSector, buffer))
        return 0xFFFFFFFF;
    uint32_t entry = GetU32(buffer.data() + index * 4);
    m_blocks[blockSector].swap(buffer);
    return entry;
}

void SectorCache::Clear()
{
    m_blocks.clear();
    m_device = nullptr;
    m_sectorCount = 0;
}
