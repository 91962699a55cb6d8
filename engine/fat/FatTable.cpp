// engine/fat/FatTable.cpp
#include "engine/fat/FatTable.h"

#include "engine/device/LittleEndian.h"
#include "engine/device/StorageDevice.h"

IRealFATTable::IRealFATTable(IStorageDevice* device, uint64_t firstSector, uint32_t lengthSectors, uint32_t entryWidth,
                             uint32_t minSectors512, uint32_t maxSectors512)
    : m_device(device), m_firstSector(firstSector), m_lengthSectors(lengthSectors),
      m_bytesPerSector(device ? device->GetBytesPerSector() : 512)
{
    if (m_bytesPerSector < 512)
        m_bytesPerSector = 512;
    // The length limits are given for 512-byte sectors and shrink with larger sectors.
    uint32_t k = m_bytesPerSector / 512;
    if (!device || lengthSectors < minSectors512 / k || lengthSectors > maxSectors512 / k)
        return;
    m_table.assign(size_t(lengthSectors) * m_bytesPerSector, 0);
    if (!device->ReadSectors(m_table.data(), firstSector, lengthSectors)) {
        m_table.clear();
        return;
    }
    m_entryCount = uint32_t(m_table.size() / entryWidth);
}

bool IRealFATTable::EntriesAndChainsAreSound(uint32_t badValue, uint32_t chainEnd) const
{
    const uint32_t count = m_entryCount;
    for (uint32_t c = 2; c < count; ++c) {
        uint32_t next = RawEntry(c);
        if ((next >= count && next < badValue) || next == 1 || next == c)
            return false;
    }
    // Every cluster has at most one predecessor and no chain comes back to itself. walk[c] is
    // the first cluster of the walk that reached c (0: not reached yet); each cluster is
    // walked once, so a hostile table costs linear time.
    std::vector<uint32_t> walk(count, 0);
    for (uint32_t start = 2; start < count; ++start) {
        if (walk[start] != 0)
            continue;
        walk[start] = start;
        uint32_t current = start;
        for (;;) {
            uint32_t next = RawEntry(current);
            if (next < 2 || next >= chainEnd || next >= count)
                break;
            if (walk[next] == start)
                return false;  // a loop
            if (walk[next] == next) {
                walk[next] = start;  // joins the head of a chain already checked
                break;
            }
            if (walk[next] != 0)
                return false;  // two chains join
            walk[next] = start;
            current = next;
        }
    }
    return true;
}

CFAT16Table::CFAT16Table(IStorageDevice* device, uint64_t firstSector, uint32_t lengthSectors)
    : IRealFATTable(device, firstSector, lengthSectors, 2, 12, 256)
{
}

uint32_t CFAT16Table::RawEntry(uint32_t i) const { return GetU16(m_table.data() + size_t(i) * 2); }

uint32_t CFAT16Table::GetNextCluster(uint32_t cluster)
{
    if (!HasTable() || cluster >= m_entryCount)
        return 0;
    uint32_t value = RawEntry(cluster);
    if (value == 0xFFF7)
        return 0x0FFFFFF7;
    if (value >= 0xFFF8)
        return 0x0FFFFFF8;
    return value;
}

int CFAT16Table::LoadTable()
{
    if (!HasTable() || m_entryCount < 2)
        return 0;
    if (GetU32(m_table.data()) != 0xFFFFFFF8)
        return 0;
    return EntriesAndChainsAreSound(0xFFF7, 0xFFF7) ? 1 : 0;
}

CFAT32Table::CFAT32Table(IStorageDevice* device, uint64_t firstSector, uint32_t lengthSectors)
    : IRealFATTable(device, firstSector, lengthSectors, 4, 256, 128000)
{
}

// The top four bits of a FAT32 entry are reserved: formatters and drivers may set them, and
// they are no part of the cluster number.
uint32_t CFAT32Table::RawEntry(uint32_t i) const { return GetU32(m_table.data() + size_t(i) * 4) & 0x0FFFFFFF; }

uint32_t CFAT32Table::GetNextCluster(uint32_t cluster)
{
    if (!HasTable() || cluster >= m_entryCount)
        return 0;
    return RawEntry(cluster);
}

int CFAT32Table::LoadTable()
{
    if (!HasTable() || m_entryCount < 2)
        return 0;
    if ((RawEntry(0) & 0x0FFFFFFF) != 0x0FFFFFF8 || (RawEntry(1) & 0x0FFFFFF8) != 0x0FFFFFF8)
        return 0;
    return EntriesAndChainsAreSound(0x0FFFFFF7, 0x0FFFFFF7) ? 1 : 0;
}
