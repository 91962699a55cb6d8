// engine/device/DiskDevice.h
// A physical drive opened by number. Reads from a failing drive succeed with zeros where the
// drive cannot be read (when the engine settings ask for it), and remember those ranges.
#pragma once
#include <windows.h>

#include <mutex>

#include "engine/EngineSettings.h"
#include "engine/device/BadRangeTable.h"
#include "engine/device/DiskDescription.h"
#include "engine/device/DriveIo.h"
#include "engine/device/StorageDevice.h"

class CDiskDevice : public IStorageDevice {
public:
    // The drive is reached through io (the system's calls unless a test scripts them), and
    // settings say whether unreadable sectors read as zeros; both outlive the device.
    explicit CDiskDevice(int diskNumber, IDriveIo& io = SystemDriveIo(),
                         const EngineSettings& settings = *GetEngineSettings());
    ~CDiskDevice() override;

    int ReadSectors(void* buffer, uint64_t first, uint64_t count) override;
    uint64_t GetTotalSectors() override;
    uint32_t GetBytesPerSector() override;
    int Open() override;
    int Close() override;

    BOOL IsOpen() const { return m_handle != 0 && m_handle != INVALID_HANDLE_VALUE; }
    int GetDiskNumber() const { return (m_diskNumber >= 0 && m_diskNumber <= 20) ? m_diskNumber : -1; }
    uint32_t IsDynamicDisk() const { return m_dynamic; }
    BOOL GetDriveGeometry(DISK_GEOMETRY* geometry);
    uint32_t GetTracksPerCylinder();
    // Output-only control request with a buffer that grows while the driver asks for more.
    // The caller frees *out with free().
    int DeviceIoControlGrow(void** out, DWORD controlCode);
    int GetDeviceDescription(DiskDescription* out);
    static void GetBusTypeName(uint32_t busType, char* out, size_t size) { ::GetBusTypeName(busType, out, size); }
    // The disk signature at byte 440 of sector 0, or -1 when sector 0 cannot be read.
    int64_t ReadDiskSignature();
    BadRangeTable& GetBadRanges() { return m_badRanges; }

    static const uint32_t kBounceBufferSize = 0x400000;

private:
    bool OpenHandle();
    int ReadRaw(void* target, uint64_t first, uint64_t count, bool skip, bool retryNotReady, DWORD* error);
    void ProbeBadRegion(uint64_t first, uint64_t block, uint64_t minimum, uint64_t start);
    bool ReadAt(void* buffer, uint64_t first, uint64_t count, DWORD* read);
    uint64_t ReadCapacity(unsigned char targetId);

    IDriveIo* m_io;
    const EngineSettings* m_settings;
    unsigned char* m_bounce = nullptr;
    uint32_t m_dynamic = 0;
    HANDLE m_handle = 0;
    int m_diskNumber;
    uint64_t m_totalSectors = 0;
    int m_notReadyRetries = 0;
    BadRangeTable m_badRanges;
    std::recursive_mutex m_lock;
};
