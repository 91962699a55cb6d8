// engine/image/DeviceRecordExchange.cpp
#include <windows.h>

#include "engine/image/DeviceRecordExchange.h"

#include <string.h>

#include <memory>

#include "engine/device/LittleEndian.h"
#include "engine/image/DiskSnapshot.h"
#include "engine/image/ImageFileDevice.h"

const unsigned char kDiskRecordKey[16] = {0x76, 0xA6, 0x72, 0xB0, 0x48, 0x05, 0x8B, 0x46,
                                          0xBA, 0x9E, 0x91, 0x09, 0x3A, 0x63, 0xB5, 0x17};

namespace {

const uint32_t kKindDisk = 0;
const uint32_t kKindNeverMatched = 2;

void PackRecord(const DiskRecord& record, unsigned char* out)
{
    memset(out, 0, kDiskRecordSize);
    memcpy(out, &record.kind, 4);
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

DiskRecord* DeviceRecordExchange::ReadDiskRecord(std::vector<DiskRecord>* disks, std::vector<DiskRecord>* images)
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

DiskRecord* DeviceRecordExchange::FindOrOpenImageDevice(const DiskRecord& record, std::vector<DiskRecord>* images)
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
