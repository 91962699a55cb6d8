// engine/device/RawImageDeviceWin32.cpp
// The plain image device's file access on Windows: positioned reads through one handle, so
// concurrent readers never disturb each other's file position.
#include <windows.h>

#include "engine/device/RawImageDevice.h"

bool CRawImageDevice::OpenFile(uint64_t* fileSize)
{
    HANDLE handle = CreateFileA(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size) || size.QuadPart < 0) {
        CloseHandle(handle);
        return false;
    }
    *fileSize = uint64_t(size.QuadPart);
    m_file = reinterpret_cast<intptr_t>(handle);
    return true;
}

void CRawImageDevice::CloseFile() { CloseHandle(reinterpret_cast<HANDLE>(m_file)); }

bool CRawImageDevice::ReadAt(uint64_t offset, unsigned char* buffer, uint64_t size)
{
    HANDLE handle = reinterpret_cast<HANDLE>(m_file);
    while (size > 0) {
        DWORD step = size > (1u << 30) ? DWORD(1u << 30) : DWORD(size);
        OVERLAPPED at = {};
        at.Offset = DWORD(offset);
        at.OffsetHigh = DWORD(offset >> 32);
        DWORD got = 0;
        if (!ReadFile(handle, buffer, step, &got, &at) || got == 0)
            return false;
        buffer += got;
        offset += got;
        size -= got;
    }
    return true;
}
