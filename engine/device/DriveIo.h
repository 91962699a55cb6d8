// engine/device/DriveIo.h
// The calls through which a physical disk talks to its drive: opening the device, control
// requests and reads. The program uses the system's; tests hand a disk a scripted drive.
#pragma once
#include <windows.h>

#include <stdint.h>

class IDriveIo {
public:
    virtual ~IDriveIo() {}
    // A device path opened with the access asked and read and write sharing;
    // INVALID_HANDLE_VALUE when it does not open.
    virtual HANDLE OpenDevice(const char* path, DWORD access) = 0;
    virtual void CloseDevice(HANDLE handle) = 0;
    // DeviceIoControl without overlap.
    virtual BOOL Control(HANDLE handle, DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                         DWORD* returned) = 0;
    // Reads size bytes from the byte offset; on failure the thread's last error says why.
    virtual BOOL ReadAt(HANDLE handle, uint64_t offset, void* buffer, DWORD size, DWORD* read) = 0;
};

// The system's device calls.
IDriveIo& SystemDriveIo();
