// engine/image/DeviceRecordExchange.cpp

#include "engine/image/DeviceRecordExchange.h"

#include <string.h>

#include <memory>

#include "engine/collection/PartitionEntryRecord.h"
#include "engine/device/LittleEndian.h"
#include "engine/image/DiskSnapshot.h"
#include "engine/image/ImageFileDevice.h"

const unsigned char kDiskRecordKey[16] = {0x76, 0xA6, 0x72, 0xB0, 0x48, 0x05, 0x8B, 0x46,
                                          0xBA, 0x9E, 0x91, 0x09, 0x3A, 0x63, 0xB5, 0x17};
const unsigned char kPartitionEntryKey[16] = {0x16, 0xF4, 0xF5, 0x94, 0x17, 0x43, 0x67, 0x45,
                                              0xAE, 0x44, 0x15, 0xB3, 0x21, 0x4E, 0xD9, 0x98};

namespace {

const uint32_t kKindDisk = 0;
const uint32_t kKindNeverMatched = 2;

void PackRecord(const DiskRecord& record, unsigned char* out)
{
    memset(out, 0, kDiskRecordSize);
    PutU32(out, record.kind);
    // Device pointers mean nothing outside this process: the receiver finds its own devices.
    memcpy(out + kDiskRecordPathOffset, record.imagePath, kDiskRecordPathSize);
    out[kDiskRecordPathOffset + kDiskRecordPathSize - 1] = 0;
}

void UnpackRecord(const unsigned char* in, DiskRecord* record)
{
    *record = DiskRecord();
    record->kind = GetU32(in);
    memcpy(record->imagePath, in + kDiskRecordPathOffset, kDiskRecordPathSize);
    record->imagePath[kDiskRecordPathSize - 1] = 0;
}

}  // namespace

int CMemoryRecordStream::Begin(const unsigned char key[16])
{
    if (m_open || !key)
        return 0;
    std::string name(reinterpret_cast<const char*>(key), 16);
    if (name != m_key) {
        m_key = name;
        m_readRecord = m_writeRecord = m_readPos = 0;
    }
    m_open = true;
    return 1;
}

int CMemoryRecordStream::End()
{
    if (!m_open)
        return 0;
    m_open = false;
    return 1;
}

int CMemoryRecordStream::Write(const void* buffer, uint32_t size)
{
    if (!m_open || (!buffer && size))
        return 0;
    const unsigned char* bytes = static_cast<const unsigned char*>(buffer);
    m_records.push_back({m_key, std::vector<unsigned char>(bytes, bytes + size)});
    return 1;
}

int CMemoryRecordStream::Read(void* buffer, uint32_t size)
{
    if (!m_open || !buffer)
        return 0;
    // The next record under the current key, read whole.
    for (; m_readPos < m_records.size(); ++m_readPos) {
        if (m_records[m_readPos].first != m_key)
            continue;
        const std::vector<unsigned char>& data = m_records[m_readPos].second;
        if (data.size() != size)
            return 0;
        memcpy(buffer, data.data(), size);
        ++m_readPos;
        return 1;
    }
    return 0;
}

DeviceRecordExchange::DeviceRecordExchange(IKeyedRecordStream* stream, Describer describe)
    : m_stream(stream), m_describe(std::move(describe))
{
}

std::vector<unsigned char> DeviceRecordExchange::Snapshot(IStorageDevice* device)
{
    DiskDescription description;
    memset(&description, 0, sizeof(description));
    if (device && m_describe)
        m_describe(device, &description);
    std::vector<unsigned char> snapshot;
    TakeDiskSnapshot(device, description, &snapshot);
    return snapshot;
}

int DeviceRecordExchange::WriteDiskRecord(const DiskRecord& record)
{
    if (!m_stream || !m_stream->Begin(kDiskRecordKey))
        return 0;
    unsigned char bytes[kDiskRecordSize];
    PackRecord(record, bytes);
    int ok = m_stream->Write(bytes, sizeof(bytes));
    if (ok && record.kind == kKindDisk) {
        std::vector<unsigned char> snapshot = Snapshot(record.diskDevice);
        ok = m_stream->Write(snapshot.data(), uint32_t(snapshot.size()));
    }
    m_stream->End();
    return ok;
}

DiskRecord* DeviceRecordExchange::ReadDiskRecord(std::vector<DiskRecord>* disks, std::deque<DiskRecord>* images)
{
    if (!m_stream || !m_stream->Begin(kDiskRecordKey))
        return nullptr;
    DiskRecord* found = nullptr;
    unsigned char bytes[kDiskRecordSize];
    if (m_stream->Read(bytes, sizeof(bytes))) {
        DiskRecord record;
        UnpackRecord(bytes, &record);
        if (record.kind == kKindDisk) {
            std::vector<unsigned char> snapshot(kDiskSnapshotSize);
            if (m_stream->Read(snapshot.data(), uint32_t(snapshot.size())) && disks) {
                for (DiskRecord& disk : *disks) {
                    if (disk.kind != kKindNeverMatched && disk.diskDevice && Snapshot(disk.diskDevice) == snapshot) {
                        found = &disk;
                        break;
                    }
                }
            }
        } else if (record.kind != kKindNeverMatched) {
            found = FindOrOpenImageDevice(record, images);
        }
    }
    m_stream->End();
    return found;
}

DiskRecord* DeviceRecordExchange::FindOrOpenImageDevice(const DiskRecord& record, std::deque<DiskRecord>* images)
{
    if (!images || !record.imagePath[0])
        return nullptr;
    for (DiskRecord& image : *images) {
        if (strcmp(image.imagePath, record.imagePath) == 0)
            return &image;
    }
    std::unique_ptr<CImageFileDeviceWithDecompress> device(new CImageFileDeviceWithDecompress(record.imagePath));
    if (!device->CheckImageFiles())
        return nullptr;
    DiskRecord copy = record;
    copy.imageDevice = device.release();
    images->push_back(copy);
    return &images->back();
}

int DeviceRecordExchange::WritePartitionEntry(const PartitionEntry& entry)
{
    if (!m_stream || !m_stream->Begin(kPartitionEntryKey))
        return 0;
    std::vector<unsigned char> bytes(kPartitionEntryRecordSize);
    PackPartitionEntry(entry, bytes.data());
    int ok = m_stream->Write(bytes.data(), uint32_t(bytes.size()));
    if (entry.source == kKindDisk) {
        for (uint32_t i = 0; ok && i < UsedSlots(entry); ++i) {
            std::vector<unsigned char> snapshot = Snapshot(entry.slots[i].disk);
            ok = m_stream->Write(snapshot.data(), uint32_t(snapshot.size()));
        }
    }
    m_stream->End();
    return ok;
}

bool DeviceRecordExchange::EntryMatches(const PartitionEntry& listed, const unsigned char* record,
                                        const std::vector<std::vector<unsigned char>>& snapshots)
{
    std::vector<unsigned char> mine(kPartitionEntryRecordSize);
    PackPartitionEntry(listed, mine.data());
    // Reserved word, drive letter, kind and file system.
    if (memcmp(mine.data() + kPartitionEntryReservedOffset, record + kPartitionEntryReservedOffset, 4) != 0 ||
        mine[16] != record[16] || memcmp(mine.data() + 8, record + 8, 8) != 0)
        return false;
    const uint32_t used = UsedSlots(listed);
    if (used != snapshots.size())
        return false;
    for (uint32_t i = 0; i < used; ++i) {
        const size_t at = kPartitionEntrySlotsOffset + i * kPartitionEntrySlotSize;
        if (memcmp(mine.data() + at, record + at, 16) != 0 || Snapshot(listed.slots[i].disk) != snapshots[i])
            return false;
    }
    return true;
}

PartitionEntry* DeviceRecordExchange::ReadPartitionEntry(std::vector<PartitionEntry>* entries,
                                                         std::deque<PartitionEntry>* images)
{
    if (!m_stream || !m_stream->Begin(kPartitionEntryKey))
        return nullptr;
    PartitionEntry* found = nullptr;
    std::vector<unsigned char> bytes(kPartitionEntryRecordSize);
    if (m_stream->Read(bytes.data(), uint32_t(bytes.size()))) {
        const uint32_t source = GetU32(bytes.data());
        if (source == kKindDisk) {
            std::vector<std::vector<unsigned char>> snapshots(UsedSlotsOfRecord(bytes.data()));
            bool complete = true;
            for (std::vector<unsigned char>& snapshot : snapshots) {
                snapshot.resize(kDiskSnapshotSize);
                complete = complete && m_stream->Read(snapshot.data(), uint32_t(snapshot.size()));
            }
            for (size_t i = 0; complete && entries && i < entries->size() && !found; ++i) {
                PartitionEntry& listed = (*entries)[i];
                if (listed.source != kKindNeverMatched && EntryMatches(listed, bytes.data(), snapshots))
                    found = &listed;
            }
        } else if (source != kKindNeverMatched) {
            PartitionEntry entry;
            UnpackPartitionEntry(bytes.data(), entry);
            found = FindOrOpenImageDevice(entry, images);
        }
    }
    m_stream->End();
    return found;
}

PartitionEntry* DeviceRecordExchange::FindOrOpenImageDevice(const PartitionEntry& entry, std::deque<PartitionEntry>* images)
{
    if (!images || entry.imagePath.empty())
        return nullptr;
    for (PartitionEntry& image : *images) {
        if (image.imagePath == entry.imagePath)
            return &image;
    }
    std::unique_ptr<CImageFileDeviceWithDecompress> device(new CImageFileDeviceWithDecompress(entry.imagePath.c_str()));
    if (!device->CheckImageFiles())
        return nullptr;
    images->emplace_back();
    PartitionEntry& copy = images->back();
    copy.source = entry.source;
    copy.kind = entry.kind;
    copy.fileSystem = entry.fileSystem;
    copy.driveLetter = entry.driveLetter;
    copy.name = entry.name;
    copy.usb = entry.usb;
    for (uint32_t i = 0; i < kEntrySlotCount; ++i)
        copy.slots[i] = entry.slots[i];
    copy.text = entry.text;
    copy.imagePath = entry.imagePath;
    copy.device = std::move(device);
    return &copy;
}
