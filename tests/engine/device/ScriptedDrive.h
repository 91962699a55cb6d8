// tests/engine/device/ScriptedDrive.h
// A drive whose replies a test sets: geometry, length, READ CAPACITY through SCSI
// pass-through, sectors that cannot be read and reads that find it not ready. It checks the
// requests as a driver would (a pass-through header of another size is refused) and keeps
// a log of what the disk asked.
#pragma once
#include <windows.h>

#include <winioctl.h>
#include <ntddscsi.h>
#include <string.h>

#include <set>
#include <vector>

#include "engine/device/DriveIo.h"

class ScriptedDrive : public IDriveIo {
public:
    struct Read {
        uint64_t offset;
        DWORD size;
        const void* buffer;
    };
    struct PassThrough {
        std::vector<unsigned char> request;  // the bytes sent
        DWORD outSize;
    };

    // The disk: cylinders x 255 x 63 sectors of 512 bytes.
    DISK_GEOMETRY geometry = MakeGeometry(100);
    bool lengthAnswers = true;
    uint64_t lengthBytes = uint64_t(100) * 255 * 63 * 512;
    uint64_t capacity[2] = {0, 0};  // READ CAPACITY's answer per target id; 0: the request fails
    std::set<uint64_t> badSectors;
    int notReadyReads = 0;  // this many reads fail with ERROR_NOT_READY first

    int opens = 0;
    int closes = 0;
    std::vector<Read> reads;
    std::vector<PassThrough> passThroughs;

    static DISK_GEOMETRY MakeGeometry(int64_t cylinders)
    {
        DISK_GEOMETRY g;
        memset(&g, 0, sizeof(g));
        g.Cylinders.QuadPart = cylinders;
        g.MediaType = FixedMedia;
        g.TracksPerCylinder = 255;
        g.SectorsPerTrack = 63;
        g.BytesPerSector = 512;
        return g;
    }
    uint64_t GeometrySectors() const
    {
        return uint64_t(geometry.Cylinders.QuadPart) * geometry.TracksPerCylinder * geometry.SectorsPerTrack;
    }
    // What the drive holds in each byte of a sector.
    static unsigned char ByteOf(uint64_t sector) { return static_cast<unsigned char>(sector * 7 + 3); }

    HANDLE OpenDevice(const char*, DWORD) override
    {
        ++opens;
        return reinterpret_cast<HANDLE>(0x5150);
    }
    void CloseDevice(HANDLE) override { ++closes; }

    BOOL Control(HANDLE, DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                 DWORD* returned) override
    {
        *returned = 0;
        if (code == IOCTL_DISK_GET_DRIVE_GEOMETRY && outSize >= sizeof(DISK_GEOMETRY)) {
            memcpy(out, &geometry, sizeof(geometry));
            *returned = sizeof(geometry);
            return TRUE;
        }
        if (code == IOCTL_DISK_GET_LENGTH_INFO && lengthAnswers && outSize >= sizeof(GET_LENGTH_INFORMATION)) {
            GET_LENGTH_INFORMATION length;
            length.Length.QuadPart = LONGLONG(lengthBytes);
            memcpy(out, &length, sizeof(length));
            *returned = sizeof(length);
            return TRUE;
        }
        if (code == IOCTL_SCSI_PASS_THROUGH)
            return AnswerPassThrough(in, inSize, out, outSize, returned);
        SetLastError(ERROR_INVALID_FUNCTION);
        return FALSE;
    }

    BOOL ReadAt(HANDLE, uint64_t offset, void* buffer, DWORD size, DWORD* read) override
    {
        reads.push_back(Read{offset, size, buffer});
        *read = 0;
        if (notReadyReads > 0) {
            --notReadyReads;
            SetLastError(ERROR_NOT_READY);
            return FALSE;
        }
        const uint64_t bytesPerSector = geometry.BytesPerSector;
        const uint64_t first = offset / bytesPerSector;
        const uint64_t count = size / bytesPerSector;
        if (first + count > GeometrySectors()) {
            SetLastError(ERROR_SECTOR_NOT_FOUND);
            return FALSE;
        }
        for (uint64_t s = first; s < first + count; ++s) {
            if (badSectors.count(s)) {
                SetLastError(ERROR_CRC);
                return FALSE;
            }
        }
        unsigned char* bytes = static_cast<unsigned char*>(buffer);
        for (uint64_t s = 0; s < count; ++s)
            memset(bytes + s * bytesPerSector, ByteOf(first + s), size_t(bytesPerSector));
        *read = size;
        return TRUE;
    }

private:
    BOOL AnswerPassThrough(const void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned)
    {
        const unsigned char* bytes = static_cast<const unsigned char*>(in);
        passThroughs.push_back(PassThrough{std::vector<unsigned char>(bytes, bytes + inSize), outSize});
        SCSI_PASS_THROUGH header;
        if (inSize < sizeof(header)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        memcpy(&header, in, sizeof(header));
        // The checks a port driver makes before it sends anything to the device.
        if (header.Length != sizeof(SCSI_PASS_THROUGH) || header.DataIn != SCSI_IOCTL_DATA_IN ||
            header.DataBufferOffset + header.DataTransferLength > outSize || header.TargetId > 1 ||
            header.Cdb[0] != 0x25 || header.DataTransferLength != 8) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        const uint64_t answer = capacity[header.TargetId];
        if (answer == 0) {
            SetLastError(ERROR_IO_DEVICE);
            return FALSE;
        }
        unsigned char* reply = static_cast<unsigned char*>(out);
        memcpy(reply, &header, sizeof(header));
        const uint32_t last = uint32_t(answer - 1);
        unsigned char* data = reply + header.DataBufferOffset;
        data[0] = uint8_t(last >> 24);
        data[1] = uint8_t(last >> 16);
        data[2] = uint8_t(last >> 8);
        data[3] = uint8_t(last);
        data[4] = 0;
        data[5] = 0;
        data[6] = 2;  // block length 512, big-endian
        data[7] = 0;
        *returned = DWORD(header.DataBufferOffset + header.DataTransferLength);
        return TRUE;
    }
};
