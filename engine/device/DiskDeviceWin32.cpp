// engine/device/DiskDeviceWin32.cpp
#include <windows.h>

#include "engine/device/DiskDevice.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>
#include <winioctl.h>

#include "engine/EngineSettings.h"
#include "engine/device/DynamicDiskDetect.h"
#include "engine/device/LittleEndian.h"

namespace {

const int kMaxDiskNumber = 19;
const DWORD kNotReady = 21;  // ERROR_NOT_READY
const uint64_t kProbeBlock = 2048;
const uint64_t kProbeMinimum = 10;
const uint64_t kProbeStart = 50;

uint32_t SaneSectorSize(DWORD value) { return (value == 0 || value % 512) ? 512 : value; }

// SCSI_PASS_THROUGH as the 32-bit driver interface lays it out (44 bytes), then sense and data.
const DWORD kScsiPassThrough = 0x0004D004;  // IOCTL_SCSI_PASS_THROUGH
const size_t kPassHeader = 44;
const size_t kPassSenseOffset = 44;
const size_t kPassDataOffset = 76;
const size_t kPassOutput = 84;

}  // namespace

CDiskDevice::CDiskDevice(int diskNumber) : m_diskNumber(diskNumber) { Open(); }

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
    if (IsOpen())
        Close();
    char path[64];
    snprintf(path, sizeof(path), "\\\\.\\PHYSICALDRIVE%d", m_diskNumber);
    HANDLE handle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_handle = 0;
        return 0;
    }
    m_handle = handle;
    uint32_t bytesPerSector = GetBytesPerSector();
    uint64_t total = GetTotalSectors();
    m_dynamic = DetectDynamicDisk(this, total, bytesPerSector);
    return 1;
}

int CDiskDevice::Close()
{
    if (IsOpen())
        CloseHandle(m_handle);
    m_handle = 0;
    return 1;
}

BOOL CDiskDevice::GetDriveGeometry(DISK_GEOMETRY* geometry)
{
    if (!geometry || !IsOpen())
        return FALSE;
    DWORD returned = 0;
    return DeviceIoControl(m_handle, IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, geometry, sizeof(*geometry),
                           &returned, nullptr);
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
    unsigned char request[kPassOutput];
    memset(request, 0, sizeof(request));
    request[0] = kPassHeader & 0xFF;  // Length (u16)
    request[3] = 0;                   // PathId
    request[4] = targetId;            // TargetId
    request[5] = 0;                   // Lun
    request[6] = 10;                  // CdbLength
    request[7] = 0;                   // SenseInfoLength
    request[8] = 1;                   // DataIn = SCSI_IOCTL_DATA_IN
    request[12] = 8;                  // DataTransferLength (u32)
    request[16] = 4;                  // TimeOutValue (u32)
    request[20] = kPassDataOffset;    // DataBufferOffset (u32 on 32-bit)
    request[24] = kPassSenseOffset;   // SenseInfoOffset (u32)
    request[28] = 0x25;               // Cdb: READ CAPACITY (10)
    unsigned char output[kPassOutput];
    memset(output, 0, sizeof(output));
    DWORD returned = 0;
    if (!DeviceIoControl(m_handle, kScsiPassThrough, request, kPassDataOffset, output, kPassOutput, &returned,
                         nullptr) ||
        returned != kPassOutput)
        return 0;
    const unsigned char* data = output + kPassDataOffset;
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
    if (DeviceIoControl(m_handle, IOCTL_DISK_GET_LENGTH_INFO, nullptr, 0, &length, sizeof(length), &returned,
                        nullptr) &&
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
    LARGE_INTEGER position;
    position.QuadPart = LONGLONG(first * bytesPerSector);
    *read = 0;
    if (!SetFilePointerEx(m_handle, position, nullptr, FILE_BEGIN))
        return false;
    return ReadFile(m_handle, buffer, DWORD(count * bytesPerSector), read, nullptr) != 0;
}

int CDiskDevice::ReadRaw(void* target, uint64_t first, uint64_t count, bool skip, DWORD* error)
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
    if (!skip)
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
    std::vector<unsigned char> probe(size_t(block * GetBytesPerSector()));
    uint64_t end = first + minimum * block;
    uint64_t n = start;
    while (n > minimum) {
        DWORD read = 0;
        if (!ReadAt(probe.data(), first + n * block, block, &read) || read < probe.size()) {
            end = first + n * block;
            break;
        }
        n /= 2;
        if (n < minimum) {
            end = first + minimum * block;
            break;
        }
    }
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
    bool skip = GetEngineSettings()->bSkipUnreadableSectors != 0;
    int result = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD error = 0;
        result = ReadRaw(target, first, count, skip, &error);
        if (error == kNotReady && m_notReadyRetries < 3) {
            ++m_notReadyRetries;
            Close();
            Open();
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
        if (DeviceIoControl(m_handle, controlCode, nullptr, 0, buffer, size, &returned, nullptr)) {
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
    HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return 0;
    uint32_t bytesPerSector = m_bytesPerSector ? m_bytesPerSector : 512;
    std::vector<unsigned char> buffer(bytesPerSector + 39, 0);
    buffer[4] = uint8_t(buffer.size());  // Size field (u32) of the descriptor
    buffer[5] = uint8_t(buffer.size() >> 8);
    buffer[6] = uint8_t(buffer.size() >> 16);
    unsigned char query[12] = {0};  // StorageDeviceProperty, PropertyStandardQuery
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(handle, IOCTL_STORAGE_QUERY_PROPERTY, query, sizeof(query), buffer.data(),
                              DWORD(buffer.size()), &returned, nullptr);
    CloseHandle(handle);
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
