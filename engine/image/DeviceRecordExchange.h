// engine/image/DeviceRecordExchange.h
// Passes the identity of a selected disk or image through a keyed record stream and finds the
// matching device again on the receiving side.
//
// DiskRecord as exchanged (548 bytes):
//   0    4    kind: 0 physical disk, 2 never matched, other an image
//   4    4/8  image device (in-process only; written as zero)
//   16   4/8  disk device (in-process only; written as zero)
//   284  260  image path, zero-terminated
// A kind-0 record is followed by the disk's 5400-byte snapshot.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/collection/PartitionCollection.h"

#include "engine/device/DiskDescription.h"
#include "engine/device/StorageDevice.h"

const size_t kDiskRecordSize = 548;
const size_t kDiskRecordPathOffset = 284;
const size_t kDiskRecordPathSize = 260;

// The record as exchanged, in fields of fixed width, every one a byte array: the in-process
// device pointers have room for 64-bit ones and are written as zero, so i686 and x86_64 builds
// exchange the same bytes. DiskRecord below is the in-memory form, packed field by field.
struct DiskRecordBytes {
    uint8_t kind[4];
    uint8_t imageDevice[12];
    uint8_t diskDevice[12];
    uint8_t reserved[256];
    char imagePath[kDiskRecordPathSize];
    uint8_t reserved2[4];
};
static_assert(sizeof(DiskRecordBytes) == kDiskRecordSize, "disk record");
static_assert(offsetof(DiskRecordBytes, imageDevice) == 4 && offsetof(DiskRecordBytes, diskDevice) == 16 &&
                  offsetof(DiskRecordBytes, imagePath) == kDiskRecordPathOffset,
              "disk record fields");

struct DiskRecord {
    uint32_t kind = 2;
    IStorageDevice* imageDevice = nullptr;
    IStorageDevice* diskDevice = nullptr;
    char imagePath[kDiskRecordPathSize] = {0};
};

// The owner's stream of keyed records; each operation non-zero on success.
class IKeyedRecordStream {
public:
    virtual ~IKeyedRecordStream() {}
    virtual int Begin(const unsigned char key[16]) = 0;
    virtual int End() = 0;
    virtual int Read(void* buffer, uint32_t size) = 0;
    virtual int Write(const void* buffer, uint32_t size) = 0;
};

// Key of disk records: B072A676-0548-468B-BA9E-91093A63B517 in the usual GUID byte order.
extern const unsigned char kDiskRecordKey[16];
// Key of partition entries: 94F5F416-4317-4567-AE44-15B3214ED998.
extern const unsigned char kPartitionEntryKey[16];

// An in-memory stream: records written under a key are read back in order under it.
class CMemoryRecordStream : public IKeyedRecordStream {
public:
    int Begin(const unsigned char key[16]) override;
    int End() override;
    int Read(void* buffer, uint32_t size) override;
    int Write(const void* buffer, uint32_t size) override;

private:
    std::vector<std::pair<std::string, std::vector<unsigned char>>> m_records;
    std::string m_key;
    bool m_open = false;
    size_t m_readRecord = 0;
    size_t m_readPos = 0;
    size_t m_writeRecord = 0;
};

class DeviceRecordExchange {
public:
    using Describer = std::function<void(IStorageDevice*, DiskDescription*)>;
    // The describer gives a disk device's description (a physical disk asks its driver).
    DeviceRecordExchange(IKeyedRecordStream* stream, Describer describe);

    int WriteDiskRecord(const DiskRecord& record);
    // The listed disk whose snapshot equals the one read, or the listed or newly opened image
    // with the same path; nullptr when nothing matches. A newly opened image is appended to
    // `images` and owned by its caller. The image lists are deques: appending keeps the
    // records handed out before where they are.
    DiskRecord* ReadDiskRecord(std::vector<DiskRecord>* disks, std::deque<DiskRecord>* images);
    // The listed record with the same image path, else a record carrying a new image device
    // when the image's files are all there.
    DiskRecord* FindOrOpenImageDevice(const DiskRecord& record, std::deque<DiskRecord>* images);

    // The entry's 1277 bytes, then for an entry of physical disks one snapshot per used slot.
    int WritePartitionEntry(const PartitionEntry& entry);
    // The listed entry (source other than 2) that matches the one read: the same reserved
    // word, drive letter, kind, file system and used slots, on disks whose snapshots equal
    // those read. An image entry is found or opened by its path; the new entry owns its image
    // device. nullptr when nothing matches.
    PartitionEntry* ReadPartitionEntry(std::vector<PartitionEntry>* entries, std::deque<PartitionEntry>* images);
    PartitionEntry* FindOrOpenImageDevice(const PartitionEntry& entry, std::deque<PartitionEntry>* images);

private:
    bool EntryMatches(const PartitionEntry& listed, const unsigned char* record,
                      const std::vector<std::vector<unsigned char>>& snapshots);

    std::vector<unsigned char> Snapshot(IStorageDevice* device);

    IKeyedRecordStream* m_stream;
    Describer m_describe;
};
