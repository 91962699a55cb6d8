// engine/device/DiskDeviceWin32.cpp
#include <windows.h>

#include "engine/device/DiskDevice.h"

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <new>
#include <vector>
#include <winioctl.h>
#include <ntddscsi.h>

#include "engine/device/DynamicDiskDetect.h"
#include "engine/device/LittleEndian.h"

namespace {

const int kMaxDiskNumber = 19;
const DWORD kNotReady = ERROR_NOT_READY;
const uint64_t kProbeBlock = 2048;
const uint64_t kProbeMinimum = 10;
const uint64_t kProbeStart = 50;

uint32_t SaneSectorSize(DWORD value) { return (value == 0 || value % 512) ? 512 : value; }

// READ CAPACITY (10) as IOCTL_SCSI_PASS_THROUGH carries it: the platform's header, room for
// sense data, then the 8 bytes of the reply. The request is sent without the reply part.
struct CapacityRequest {
    SCSI_PASS_THROUGH header;
    unsigned char sense[32];
    unsigned char data[8];
};
static_assert(offsetof(CapacityRequest, sense) == sizeof(SCSI_PASS_THROUGH), "sense follows the header");
static_assert(offsetof(CapacityRequest, data) == offsetof(CapacityRequest, sense) + 32, "data follows sense");
static_assert(sizeof(CapacityRequest) == offsetof(CapacityRequest, data) + 8, "the reply ends the request");
const unsigned char kReadCapacity10 = 0x25;

}  // namespace

CDiskDevice::CDiskDevice(int diskNumber, IDriveIo& io, const EngineSettings& settings)
    : m_io(&io), m_settings(&settings), m_diskNumber(diskNumber)
{
    Open();
}

CDiskDevice::~CDiskDevice()
{
    Close();
    if (m_bounce)
        VirtualFree(m_bounce, 0, MEM_RELEASE);
    m_badRanges.Clear();
}

int CDiskDevice::Open()
{
    if (m_diskNumber < 0 || m_diskNumber > kMaxDiskNumber)
        return 0;
    if (!OpenHandle())
        return 0;
    uint32_t bytesPerSector = GetBytesPerSector();
    uint64_t total = GetTotalSectors();
    m_dynamic = DetectDynamicDisk(this, total, bytesPerSector);
    return 1;
}

bool CDiskDevice::OpenHandle()
{
    if (IsOpen())
        Close();
    char path[64];
    snprintf(path, sizeof(path), "\\\\.\\PHYSICALDRIVE%d", m_diskNumber);
    HANDLE handle = m_io->OpenDevice(path, GENERIC_READ | GENERIC_WRITE);
    m_handle = handle == INVALID_HANDLE_VALUE ? 0 : handle;
    return m_handle != 0;
}

int CDiskDevice::Close()
{
    if (IsOpen())
        m_io->CloseDevice(m_handle);
    m_handle = 0;
    return 1;
}

BOOL CDiskDevice::GetDriveGeometry(DISK_GEOMETRY* geometry)
{
    if (!geometry || !IsOpen())
        return FALSE;
    DWORD returned = 0;
    return m_io->Control(m_handle, IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, geometry, sizeof(*geometry),
                         &returned);
}

uint32_t CDiskDevice::GetTracksPerCylinder()
{
    DISK_GEOMETRY geometry;
    if (!GetDriveGeometry(&geometry))
        return 255;
    return geometry.TracksPerCylinder;
}

uint32_t CDiskDevice::GetBytesPerSector()
{
    if (m_bytesPerSector >= 1)
        return m_bytesPerSector;
    if (!IsOpen())
        return 0;
    DISK_GEOMETRY geometry;
    m_bytesPerSector = GetDriveGeometry(&geometry) ? SaneSectorSize(geometry.BytesPerSector) : 512;
    m_badRanges.SetSectorSize(m_bytesPerSector);
    return m_bytesPerSector;
}

uint64_t CDiskDevice::ReadCapacity(unsigned char targetId)
{
    CapacityRequest request;
    memset(&request, 0, sizeof(request));
    request.header.Length = sizeof(request.header);
    request.header.PathId = 0;
    request.header.TargetId = targetId;
    request.header.Lun = 0;
    request.header.CdbLength = 10;
    request.header.SenseInfoLength = 0;
    request.header.DataIn = SCSI_IOCTL_DATA_IN;
    request.header.DataTransferLength = sizeof(request.data);
    request.header.TimeOutValue = 4;
    request.header.DataBufferOffset = offsetof(CapacityRequest, data);
    request.header.SenseInfoOffset = offsetof(CapacityRequest, sense);
    request.header.Cdb[0] = kReadCapacity10;
    CapacityRequest reply;
    memset(&reply, 0, sizeof(reply));
    DWORD returned = 0;
    if (!m_io->Control(m_handle, IOCTL_SCSI_PASS_THROUGH, &request, offsetof(CapacityRequest, data), &reply,
                       sizeof(reply), &returned) ||
        returned != sizeof(reply))
        return 0;
    const unsigned char* data = reply.data;
    uint32_t last = (uint32_t(data[0]) << 24) | (uint32_t(data[1]) << 16) | (uint32_t(data[2]) << 8) | data[3];
    return uint64_t(last) + 1;
}

uint64_t CDiskDevice::GetTotalSectors()
{
    if (m_totalSectors > 0)
        return m_totalSectors;
    DISK_GEOMETRY geometry;
    if (!GetDriveGeometry(&geometry))
        return 0;
    m_bytesPerSector = SaneSectorSize(geometry.BytesPerSector);
    m_badRanges.SetSectorSize(m_bytesPerSector);
    uint64_t total = uint64_t(geometry.Cylinders.QuadPart) * geometry.TracksPerCylinder * geometry.SectorsPerTrack;
    GET_LENGTH_INFORMATION length;
    DWORD returned = 0;
    if (m_io->Control(m_handle, IOCTL_DISK_GET_LENGTH_INFO, nullptr, 0, &length, sizeof(length), &returned) &&
        uint64_t(length.Length.QuadPart) / m_bytesPerSector >= total) {
        m_totalSectors = uint64_t(length.Length.QuadPart) / m_bytesPerSector;
        return m_totalSectors;
    }
    uint64_t first = ReadCapacity(0);
    uint64_t second = ReadCapacity(1);
    uint64_t limit = total + uint64_t(geometry.TracksPerCylinder) * geometry.SectorsPerTrack;
    if (first == second && first != 0) {
        if (first > total && first < limit)
            total = first;
    } else if (first != 0 || second != 0) {
        if (first > total && first < limit)
            total = first;
        else if (second > total && second < limit)
            total = second;
    }
    m_totalSectors = total;
    return total;
}

bool CDiskDevice::ReadAt(void* buffer, uint64_t first, uint64_t count, DWORD* read)
{
    uint64_t bytesPerSector = GetBytesPerSector();
    *read = 0;
    return m_io->ReadAt(m_handle, first * bytesPerSector, buffer, DWORD(count * bytesPerSector), read) != 0;
}

int CDiskDevice::ReadRaw(void* target, uint64_t first, uint64_t count, bool skip, bool retryNotReady, DWORD* error)
{
    *error = 0;
    uint64_t bytesPerSector = m_bytesPerSector ? m_bytesPerSector : 512;
    if ((count >> 63) || count >= (uint64_t(1) << 32) / bytesPerSector)
        return 0;
    size_t bytes = size_t(count * bytesPerSector);
    if (!IsOpen()) {
        memset(target, 0, bytes);
        return 0;
    }
    if (skip && m_badRanges.Overlaps(first, first + count)) {
        memset(target, 0, bytes);
        return 1;
    }
    DWORD read = 0;
    bool ok = ReadAt(target, first, count, &read);
    if (!ok)
        *error = GetLastError();
    if (ok && (read + bytesPerSector - 1) / bytesPerSector == count)
        return 1;
    // A drive that is not ready says nothing about its sectors: the read is tried again after
    // reopening, and only the last try may turn them into zeros and a bad range.
    if (!skip || (!ok && *error == kNotReady && retryNotReady))
        return 0;
    memset(target, 0, bytes);
    ProbeBadRegion(first, kProbeBlock, kProbeMinimum, kProbeStart);
    return 1;
}

void CDiskDevice::ProbeBadRegion(uint64_t first, uint64_t block, uint64_t minimum, uint64_t start)
{
    if (!IsOpen())
        return;
    if (block == 0)
        block = 1;
    const size_t probeSize = size_t(block * GetBytesPerSector());
    std::unique_ptr<unsigned char[]> probe(new (std::nothrow) unsigned char[probeSize]);
    uint64_t end = first + minimum * block;
    uint64_t n = start;
    // Without memory for a probe the region gets its shortest length.
    while (probe && n > minimum) {
        DWORD read = 0;
        if (!ReadAt(probe.get(), first + n * block, block, &read) || read < probeSize) {
            end = first + n * block;
            break;
        }
        n /= 2;
        if (n < minimum) {
            end = first + minimum * block;
            break;
        }
    }
    // A range that cannot be recorded only costs the next read of it another wait on the
    // drive; this read has its zeros either way.
    m_badRanges.AddRange(first, end);
}

int CDiskDevice::ReadSectors(void* buffer, uint64_t first, uint64_t count)
{
    if (!buffer)
        return 0;
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    uint64_t bytesPerSector = m_bytesPerSector ? m_bytesPerSector : 512;
    // One ReadFile carries less than 4 GiB; refusing here also keeps count x bytes per sector
    // from wrapping into a small copy out of the bounce buffer.
    if (count >= (uint64_t(1) << 32) / bytesPerSector)
        return 0;
    // Nothing lies past the disk's end: such a read would fail, and with skipping on it would
    // come back as zeros with success and a bad range recorded beyond the disk. Reading it
    // whole is refused, and so is a byte offset that would not fit the file pointer.
    const uint64_t total = GetTotalSectors();
    if (first > uint64_t(INT64_MAX) / bytesPerSector - count || (total && (first > total || count > total - first)))
        return 0;
    uint64_t bytes = count * bytesPerSector;
    if (!m_bounce)
        m_bounce = static_cast<unsigned char*>(VirtualAlloc(nullptr, kBounceBufferSize, MEM_COMMIT | MEM_RESERVE,
                                                            PAGE_READWRITE));
    bool bounce = m_bounce && bytes <= kBounceBufferSize;
    void* target = bounce ? m_bounce : buffer;
    bool skip = m_settings->bSkipUnreadableSectors != 0;
    int result = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD error = 0;
        result = ReadRaw(target, first, count, skip, attempt < 2 && m_notReadyRetries < 3, &error);
        if (error == kNotReady && m_notReadyRetries < 3) {
            ++m_notReadyRetries;
            // The handle only: the sizes are known, and the dynamic-disk test would read (and
            // retry) inside this read of a drive that is not ready.
            OpenHandle();
            continue;
        }
        m_notReadyRetries = 0;
        break;
    }
    if (bounce)
        memcpy(buffer, m_bounce, size_t(bytes));
    return result;
}

int CDiskDevice::DeviceIoControlGrow(void** out, DWORD controlCode)
{
    if (!out)
        return 0;
    *out = nullptr;
    if (!IsOpen())
        return 0;
    DWORD size = 5952;
    for (;;) {
        void* buffer = malloc(size);
        if (!buffer)
            return 0;
        DWORD returned = 0;
        if (m_io->Control(m_handle, controlCode, nullptr, 0, buffer, size, &returned)) {
            *out = buffer;
            return 1;
        }
        DWORD error = GetLastError();
        free(buffer);
        // A driver that keeps asking for more is not followed past 16 MiB.
        if (error != ERROR_INSUFFICIENT_BUFFER || size > 0x1000000)
            return 0;
        size += 3840;
    }
}

int CDiskDevice::GetDeviceDescription(DiskDescription* out)
{
    if (!out)
        return 0;
    memset(out, 0, sizeof(*out));
    if (m_diskNumber < 0 || m_diskNumber > kMaxDiskNumber)
        return 0;
    char path[64];
    snprintf(path, sizeof(path), "\\\\.\\physicaldrive%d", m_diskNumber);
    HANDLE handle = m_io->OpenDevice(path, GENERIC_READ);
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    uint32_t bytesPerSector = m_bytesPerSector ? m_bytesPerSector : 512;
    std::vector<unsigned char> buffer(bytesPerSector + 39, 0);
    const DWORD descriptorSize = DWORD(buffer.size());
    memcpy(buffer.data() + offsetof(STORAGE_DEVICE_DESCRIPTOR, Size), &descriptorSize, sizeof(descriptorSize));
    STORAGE_PROPERTY_QUERY query;
    memset(&query, 0, sizeof(query));
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    DWORD returned = 0;
    BOOL ok = m_io->Control(handle, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), buffer.data(),
                            DWORD(buffer.size()), &returned);
    m_io->CloseDevice(handle);
    if (!ok)
        return 0;
    // Only the bytes the driver returned are parsed.
    size_t valid = returned < buffer.size() ? returned : buffer.size();
    return ParseStorageDescriptor(buffer.data(), valid, out);
}

int64_t CDiskDevice::ReadDiskSignature()
{
    uint32_t bytesPerSector = GetBytesPerSector();
    if (bytesPerSector < 512)
        return -1;
    std::vector<unsigned char> sector(bytesPerSector);
    if (!ReadSectors(sector.data(), 0, 1))
        return -1;
    return GetU32(sector.data() + 440);
}
