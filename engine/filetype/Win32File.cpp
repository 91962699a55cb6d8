// engine/filetype/Win32File.cpp
// The file wrapper over a Win32 handle.
#include <windows.h>

#include "engine/filetype/Win32File.h"

#include <vector>

namespace {

const int kMaxWidePath = 4096;

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

int Win32File::Open(const char* path, uint32_t mode)
{
    Close();
    static const DWORD kAccess[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE,
                                    GENERIC_READ | GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    static const DWORD kDisposition[] = {OPEN_EXISTING, OPEN_EXISTING, OPEN_EXISTING, CREATE_ALWAYS, OPEN_ALWAYS};
    if (mode > 4 || !path) {
        m_lastError = ERROR_INVALID_PARAMETER;
        return 0;
    }
    std::vector<wchar_t> wide(kMaxWidePath + 1, 0);
    // A path too long for the buffer fails rather than opening a cut name.
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), kMaxWidePath)) {
        m_lastError = GetLastError();
        return 0;
    }
    m_handle = reinterpret_cast<intptr_t>(CreateFileW(wide.data(), kAccess[mode],
                                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                      kDisposition[mode], FILE_ATTRIBUTE_NORMAL, nullptr));
    m_lastError = GetLastError();
    return IsOpen();
}

int Win32File::Close()
{
    if (!IsOpen())
        return 0;
    CloseHandle(AsHandle(m_handle));
    m_handle = kClosed;
    return 1;
}

uint32_t Win32File::Read(void* buffer, uint32_t count)
{
    DWORD read = 0;
    if (!IsOpen() || !buffer || !ReadFile(AsHandle(m_handle), buffer, count, &read, nullptr))
        return 0;
    return read;
}

int Win32File::Write(const void* buffer, uint32_t count)
{
    DWORD written = 0;
    if (!IsOpen() || (!buffer && count))
        return 0;
    return WriteFile(AsHandle(m_handle), buffer, count, &written, nullptr) && written == count;
}

int Win32File::Seek(uint64_t offset)
{
    LARGE_INTEGER move;
    move.QuadPart = LONGLONG(offset);
    return IsOpen() && SetFilePointerEx(AsHandle(m_handle), move, nullptr, FILE_BEGIN);
}

int Win32File::Tell(uint64_t* position)
{
    LARGE_INTEGER zero, now;
    zero.QuadPart = 0;
    if (!IsOpen() || !position || !SetFilePointerEx(AsHandle(m_handle), zero, &now, FILE_CURRENT))
        return 0;
    *position = uint64_t(now.QuadPart);
    return 1;
}

int Win32File::SeekToEnd()
{
    if (!IsOpen())
        return 0;
    // A low part of all ones is a valid position (files of 4 GiB - 1, 8 GiB - 1...): only the
    // error code tells, and it must be this call's, not one left by an earlier call.
    LONG high = 0;
    SetLastError(NO_ERROR);
    return SetFilePointer(AsHandle(m_handle), 0, &high, FILE_END) != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
}

int Win32File::Rewind()
{
    LONG high = 0;
    return IsOpen() && SetFilePointer(AsHandle(m_handle), 0, &high, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

int Win32File::GetSize(uint64_t* size)
{
    LARGE_INTEGER value;
    if (!IsOpen() || !size || !GetFileSizeEx(AsHandle(m_handle), &value))
        return 0;
    *size = uint64_t(value.QuadPart);
    return 1;
}

int Win32File::Flush() { return IsOpen() && FlushFileBuffers(AsHandle(m_handle)); }
