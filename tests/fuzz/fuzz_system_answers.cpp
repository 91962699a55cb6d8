// tests/fuzz/fuzz_system_answers.cpp
// What Windows and the drives answer the engine, read from the input as they would come: a
// drive's storage descriptor, a volume's disk extents and its GUID, the free-space figures of
// the volumes, the unreadable ranges a failing drive leaves, and the inventory made of them.
#include <string.h>

#include <string>
#include <vector>

#include "engine/DriveFreeSpace.h"
#include "engine/collection/EnumerationReports.h"
#include "engine/collection/PartitionCollection.h"
#include "engine/collection/VolumeGuidPath.h"
#include "engine/device/BadRangeTable.h"
#include "engine/device/DiskDescription.h"
#include "engine/device/LittleEndian.h"
#include "engine/device/MemoryDevice.h"

namespace {

uint64_t U64At(const uint8_t* data, size_t size, size_t at)
{
    unsigned char bytes[8] = {};
    for (size_t i = 0; i < 8 && at + i < size; ++i)
        bytes[i] = data[at + i];
    return GetU64(bytes);
}

// The input as a drive's ranges that failed, added, looked up and removed in turn; the table
// must never give back a range it does not hold.
void BadRanges(const uint8_t* data, size_t size)
{
    BadRangeTable table;
    table.SetSectorSize(512u << (size ? data[0] % 4 : 0));
    for (size_t at = 1; at + 5 <= size; at += 5) {
        const uint64_t start = GetU16(data + at + 1);
        const uint64_t end = start + GetU16(data + at + 3) % 512;
        switch (data[at] % 4) {
        case 0: table.AddRange(start, end); break;
        case 1: table.Overlaps(start, end); break;
        case 2: {
            BadRange found;
            if (table.Lookup(start, &found) && found.start != start)
                __builtin_trap();
            break;
        }
        default: table.Remove(start); break;
        }
    }
    for (const BadRange& r : table.CopyRanges()) {
        if (r.end <= r.start || !table.Overlaps(r.start, r.end))
            __builtin_trap();
    }
    table.Clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A storage descriptor of exactly the input's size, texts trimmed as the disk line shows them.
    {
        std::vector<unsigned char> descriptor(data, data + size);
        DiskDescription description;
        if (ParseStorageDescriptor(descriptor.data(), descriptor.size(), &description)) {
            TrimDescriptorSpaces(description.vendor);
            TrimDescriptorSpaces(description.product);
        }
    }
    if (size >= 16)
        VolumeGuidPath(data);

    // The input as a volume's extent list, then its records against an entry on those disks.
    std::vector<MountedVolume> mounted;
    {
        MountedVolume volume;
        volume.bytesPerSector = 512u << (size ? data[0] % 4 : 0);
        volume.totalBytes = U64At(data, size, 8);
        volume.freeBytes = U64At(data, size, 16);
        volume.driveLetter = 'D';
        std::vector<unsigned char> extents(data, data + size);
        AppendMountedExtents(extents.data(), extents.size(), volume, mounted);
    }
    // An entry over the disks the extents name (four disks, numbered 0 to 3).
    CMemoryDevice disks[4] = {CMemoryDevice(std::vector<unsigned char>(512)), CMemoryDevice(std::vector<unsigned char>(512)),
                              CMemoryDevice(std::vector<unsigned char>(4096), 4096),
                              CMemoryDevice(std::vector<unsigned char>(512))};
    EntrySlot slots[kEntrySlotCount];
    for (size_t i = 0; i < mounted.size() && i < kEntrySlotCount; ++i) {
        slots[i].start = mounted[i].start;
        slots[i].length = mounted[i].length;
        slots[i].disk = &disks[mounted[i].diskNumber % 4];
    }
    std::string text;
    float percent = 0;
    char letter = 0;
    FormatEntryFreeSpace(slots, mounted, [&disks](IStorageDevice* disk) { return int(static_cast<CMemoryDevice*>(disk) - disks); },
                         "of", text, percent, letter);
    BuildDriveFreeSpaceText(U64At(data, size, 0), U64At(data, size, 8), "of", text, percent);

    std::string name(reinterpret_cast<const char*>(data), size);
    MountedFileSystemCode(name.c_str());
    DiskInventoryEntry inventory;
    inventory.product = name;
    inventory.totalSectors = U64At(data, size, 0);
    unsigned char packed[kDiskInventoryEntrySize];
    PackDiskInventoryEntry(inventory, packed);

    BadRanges(data, size);
    return 0;
}
