// engine/device/DynamicDiskDetect.cpp
#include "engine/device/DynamicDiskDetect.h"

#include <string.h>

#include <set>
#include <vector>

#include "engine/device/LittleEndian.h"

namespace {

// MBR / EBR layout.
const size_t kPartitionTableOffset = 446;  // four 16-byte entries
const size_t kEntrySize = 16;
const size_t kEntryTypeOffset = 4;
const size_t kEntryStartOffset = 8;  // u32 start LBA
// GPT entry layout (entries from sector 2 with the usual 128-byte entries).
const size_t kGptEntrySize = 128;
const size_t kGptNameOffset = 56;  // 36 UTF-16 units
const size_t kGptNameUnits = 36;
// An extended chain longer than this is damaged or cyclic.
const int kMaxLogicalTables = 256;

bool IsExtendedType(unsigned char type) { return type == 0x05 || type == 0x0F || type == 0x85; }

bool GptNameIs(const unsigned char* entry, const char* name)
{
    size_t length = strlen(name);
    for (size_t i = 0; i < kGptNameUnits; ++i) {
        uint16_t unit = GetU16(entry + kGptNameOffset + 2 * i);
        uint16_t want = i < length ? uint16_t(static_cast<unsigned char>(name[i])) : 0;
        if (unit != want)
            return false;
        if (!want)
            return true;
    }
    return length == kGptNameUnits;
}

}  // namespace

int DetectDynamicDisk(IStorageDevice* device, uint64_t totalSectors, uint32_t bytesPerSector)
{
    // The tables need at least 512 bytes per sector to hold their entries.
    if (!device || bytesPerSector < 512 || totalSectors < 7)
        return 0;
    std::vector<unsigned char> sector(bytesPerSector);
    unsigned char firstType = 0;
    uint64_t extendedBase = 0;
    bool haveBase = false;
    uint64_t table = 0;
    std::set<uint64_t> visited;
    for (int step = 0; step <= kMaxLogicalTables; ++step) {
        if (table >= totalSectors || !visited.insert(table).second)
            break;
        if (!device->ReadSectors(sector.data(), table, 1))
            break;
        if (step == 0)
            firstType = sector[kPartitionTableOffset + kEntryTypeOffset];
        bool next = false;
        uint64_t nextTable = 0;
        for (int i = 0; i < 4; ++i) {
            const unsigned char* entry = sector.data() + kPartitionTableOffset + i * kEntrySize;
            unsigned char type = entry[kEntryTypeOffset];
            if (type == 0x42)
                return 1;
            if (IsExtendedType(type) && !next) {
                uint64_t start = GetU32(entry + kEntryStartOffset);
                nextTable = start + extendedBase;
                if (!haveBase) {
                    extendedBase = start;
                    haveBase = true;
                }
                next = true;
            }
        }
        if (!next)
            break;
        table = nextTable;
    }
    if (!device->ReadSectors(sector.data(), 6, 1))
        return 0;
    if (firstType != 0xEE)
        return 0;
    if (!device->ReadSectors(sector.data(), 2, 1))
        return 0;
    bool metadata = false, data = false;
    for (size_t i = 0; i < 4 && (i + 1) * kGptEntrySize <= bytesPerSector; ++i) {
        const unsigned char* entry = sector.data() + i * kGptEntrySize;
        metadata = metadata || GptNameIs(entry, "LDM metadata partition");
        data = data || GptNameIs(entry, "LDM data partition");
    }
    return metadata && data ? 1 : 0;
}
