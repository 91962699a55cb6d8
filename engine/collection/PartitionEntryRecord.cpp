// engine/collection/PartitionEntryRecord.cpp
#include "engine/collection/PartitionEntryRecord.h"

#include <string.h>

#include "engine/device/LittleEndian.h"

namespace {

const size_t kNameOffset = 17;
const size_t kNameSize = 100;

void PutText(unsigned char* p, size_t size, const std::string& text)
{
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(p, text.data(), n);
}

std::string GetText(const unsigned char* p, size_t size)
{
    size_t n = 0;
    while (n < size && p[n])
        ++n;
    return std::string(reinterpret_cast<const char*>(p), n);
}

// An image entry's path lies over the slots from this one on.
const uint32_t kSlotsBeforePath =
    uint32_t((kPartitionEntryPathOffset - kPartitionEntrySlotsOffset) / kPartitionEntrySlotSize);

}  // namespace

void PackPartitionEntry(const PartitionEntry& entry, unsigned char* out)
{
    memset(out, 0, kPartitionEntryRecordSize);
    PutU32(out, entry.source);
    PutU32(out + 8, entry.kind);
    PutU32(out + 12, entry.fileSystem);
    out[16] = static_cast<unsigned char>(entry.driveLetter);
    PutText(out + kNameOffset, kNameSize, entry.name);
    PutU32(out + 121, entry.usb ? 1 : 0);
    for (uint32_t i = 0; i < kEntrySlotCount; ++i) {
        unsigned char* slot = out + kPartitionEntrySlotsOffset + i * kPartitionEntrySlotSize;
        PutU64(slot, entry.slots[i].start);
        PutU64(slot + 8, entry.slots[i].length);
        PutU32(slot + 16, entry.slots[i].disk ? 1 : 0);
    }
    PutText(out + kPartitionEntryTextOffset, kEntryTextSize, entry.text);
    if (entry.source != 0) {
        memset(out + kPartitionEntryPathOffset, 0, kPartitionEntryPathSize);
        PutText(out + kPartitionEntryPathOffset, kPartitionEntryPathSize, entry.imagePath);
    }
}

void UnpackPartitionEntry(const unsigned char* in, PartitionEntry& entry)
{
    entry.source = GetU32(in);
    entry.device.reset();
    entry.kind = GetU32(in + 8);
    entry.fileSystem = GetU32(in + 12);
    entry.driveLetter = static_cast<char>(in[16]);
    entry.name = GetText(in + kNameOffset, kNameSize);
    entry.usb = GetU32(in + 121) != 0;
    const uint32_t slots = entry.source != 0 ? kSlotsBeforePath : kEntrySlotCount;
    for (uint32_t i = 0; i < kEntrySlotCount; ++i) {
        const unsigned char* slot = in + kPartitionEntrySlotsOffset + i * kPartitionEntrySlotSize;
        entry.slots[i] = i < slots ? EntrySlot{GetU64(slot), GetU64(slot + 8), nullptr} : EntrySlot();
    }
    entry.text = GetText(in + kPartitionEntryTextOffset, kEntryTextSize);
    entry.imagePath = entry.source != 0 ? GetText(in + kPartitionEntryPathOffset, kPartitionEntryPathSize) : std::string();
}

uint32_t UsedSlotsOfRecord(const unsigned char* in)
{
    uint32_t n = 0;
    while (n < kEntrySlotCount && GetU32(in + kPartitionEntrySlotsOffset + n * kPartitionEntrySlotSize + 16) != 0)
        ++n;
    return n;
}

uint32_t UsedSlots(const PartitionEntry& entry)
{
    uint32_t n = 0;
    while (n < kEntrySlotCount && entry.slots[n].disk)
        ++n;
    return n;
}
