// tests/fuzz/fuzz_record_stream.cpp
// A partition entry as the keyed record stream carries it (1277 bytes): unpacked, its used
// slots counted, packed again and unpacked once more, which must give the same entry.
#include <string.h>

#include <vector>

#include "engine/collection/PartitionEntryRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<unsigned char> record(kPartitionEntryRecordSize, 0);
    memcpy(record.data(), data, size < record.size() ? size : record.size());
    PartitionEntry entry;
    UnpackPartitionEntry(record.data(), entry);
    if (UsedSlotsOfRecord(record.data()) > kEntrySlotCount)
        __builtin_trap();
    std::vector<unsigned char> packed(kPartitionEntryRecordSize);
    PackPartitionEntry(entry, packed.data());
    PartitionEntry again;
    UnpackPartitionEntry(packed.data(), again);
    bool same = again.source == entry.source && again.kind == entry.kind && again.fileSystem == entry.fileSystem &&
                again.driveLetter == entry.driveLetter && again.usb == entry.usb &&
                again.name == entry.name.substr(0, 99) && again.text == entry.text.substr(0, kEntryTextSize - 1) &&
                again.imagePath == entry.imagePath.substr(0, kPartitionEntryPathSize - 1);
    for (uint32_t i = 0; i < kEntrySlotCount; ++i)
        same = same && again.slots[i].start == entry.slots[i].start && again.slots[i].length == entry.slots[i].length;
    if (!same)
        __builtin_trap();
    return 0;
}
