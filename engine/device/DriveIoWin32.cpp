// engine/device/DriveIoWin32.cpp
#include <windows.h>

#include "engine/device/DriveIo.h"

namespace {

class SystemDrive : public IDriveIo {
public:
    HANDLE OpenDevice(const char* path, DWORD access) override
    {
        return CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }

    void CloseDevice(HANDLE handle) override { CloseHandle(handle); }

    BOOL Control(HANDLE handle, DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                 DWORD* returned) override
    {
        return DeviceIoControl(handle, code, const_cast<void*>(in), inSize, out, outSize, returned, nullptr);
    }

    BOOL ReadAt(HANDLE handle, uint64_t offset, void* buffer, DWORD size, DWORD* read) override
    {
        *read = 0;
        LARGE_INTEGER position;
        position.QuadPart = LONGLONG(offset);
        if (!SetFilePointerEx(handle, position, nullptr, FILE_BEGIN))
            return FALSE;
        return ReadFile(handle, buffer, size, read, nullptr);
    }
};

}  // namespace

IDriveIo& SystemDriveIo()
{
    static SystemDrive drive;
    return drive;
}
