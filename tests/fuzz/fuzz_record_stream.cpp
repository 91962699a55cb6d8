// tests/fuzz/fuzz_record_stream.cpp
// The keyed record stream's reading side. A partition entry as the stream carries it (1277
// bytes) is unpacked, packed again and unpacked once more, which must give the same entry.
// Then the input's pieces (FuzzInput.h) are written into an in-memory stream as records, a
// disk record with its snapshot and a partition entry with its disks' snapshots, and the
// exchange reads them against two listed disks and an entry on them. Image paths are cleared
// first: a crafted path must not send the fuzzer to open files of the machine.
#include <string.h>

#include <deque>
#include <vector>

#include "engine/collection/PartitionEntryRecord.h"
#include "engine/image/DeviceRecordExchange.h"
#include "engine/image/DiskSnapshot.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

void RoundTrip(const uint8_t* data, size_t size)
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
}

// Writes bytes as records under key: the first `head` bytes, then the rest in pieces of
// `tail` bytes.
void WriteRecords(IKeyedRecordStream& stream, const unsigned char* key, std::vector<unsigned char> bytes,
                  size_t head, size_t pathOffset, size_t pathSize, size_t tail)
{
    if (bytes.size() >= pathOffset + pathSize)
        memset(bytes.data() + pathOffset, 0, pathSize);
    stream.Begin(key);
    size_t at = 0;
    for (size_t piece = head; at < bytes.size(); piece = tail) {
        const size_t n = bytes.size() - at < piece ? bytes.size() - at : piece;
        stream.Write(bytes.data() + at, uint32_t(n));
        at += n;
    }
    stream.End();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RoundTrip(data, size);

    const std::vector<FuzzPiece> pieces = PiecesOf(data, size);
    if (pieces.size() < 2)
        return 0;
    CMemoryRecordStream stream;
    WriteRecords(stream, kDiskRecordKey, std::vector<unsigned char>(pieces[0].data, pieces[0].data + pieces[0].size),
                 kDiskRecordSize, kDiskRecordPathOffset, kDiskRecordPathSize, kDiskSnapshotSize);
    WriteRecords(stream, kPartitionEntryKey,
                 std::vector<unsigned char>(pieces[1].data, pieces[1].data + pieces[1].size),
                 kPartitionEntryRecordSize, kPartitionEntryPathOffset, kPartitionEntryPathSize, kDiskSnapshotSize);

    // The listed side: the remaining pieces as disks, and an entry on them shaped like the
    // one in the stream, so that matching runs to the snapshots.
    std::vector<std::unique_ptr<CMemoryDevice>> disks;
    for (size_t n = 2; n < pieces.size(); ++n)
        disks.emplace_back(new CMemoryDevice(std::vector<unsigned char>(pieces[n].data, pieces[n].data + pieces[n].size),
                                             pieces[n].flag ? 4096 : 512));
    std::vector<DiskRecord> listedDisks(disks.size());
    for (size_t n = 0; n < disks.size(); ++n) {
        listedDisks[n].kind = 0;
        listedDisks[n].diskDevice = disks[n].get();
    }
    std::vector<PartitionEntry> listedEntries(1);
    if (pieces[1].size >= kPartitionEntryRecordSize)
        UnpackPartitionEntry(pieces[1].data, listedEntries[0]);
    listedEntries[0].imagePath.clear();
    for (uint32_t i = 0; i < kEntrySlotCount; ++i)
        listedEntries[0].slots[i].disk = disks.empty() || !listedEntries[0].slots[i].length
                                             ? nullptr
                                             : disks[i % disks.size()].get();

    DeviceRecordExchange exchange(&stream, [](IStorageDevice*, DiskDescription* description) {
        memset(description, 0, sizeof(*description));
    });
    std::deque<DiskRecord> images;
    exchange.ReadDiskRecord(&listedDisks, &images);
    std::deque<PartitionEntry> imageEntries;
    exchange.ReadPartitionEntry(&listedEntries, &imageEntries);
    return 0;
}
