// engine/filetype/Win32File.cpp
#include "engine/filetype/Win32File.h"

#include <vector>

namespace {

const int kMaxWidePath = 4096;

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
    m_handle = CreateFileW(wide.data(), kAccess[mode], FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           kDisposition[mode], FILE_ATTRIBUTE_NORMAL, nullptr);
    m_lastError = GetLastError();
    return IsOpen();
}

int Win32File::Close()
{
    if (!IsOpen())
        return 0;
    CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
    return 1;
}

uint32_t Win32File::Read(void* buffer, uint32_t count)
{
    DWORD read = 0;
    if (!IsOpen() || !buffer || !ReadFile(m_handle, buffer, count, &read, nullptr))
        return 0;
    return read;
}

uint32_t Win32File::ReadLine(char* buffer, uint32_t maximum)
{
    if (!IsOpen() || !buffer || maximum == 0)
        return 0;
    uint32_t count = 0;
    while (count < maximum) {
        char c = 0;
        DWORD read = 0;
        if (!ReadFile(m_handle, &c, 1, &read, nullptr) || read != 1)
            break;
        buffer[count++] = c;
        if (c == '\n')
            break;
    }
    if (count == 0)
        return 0;
    buffer[count] = 0;
    return count;
}

int Win32File::Write(const void* buffer, uint32_t count)
{
    DWORD written = 0;
    if (!IsOpen() || (!buffer && count))
        return 0;
    return WriteFile(m_handle, buffer, count, &written, nullptr) && written == count;
}

int Win32File::WriteLine(const char* buffer, uint32_t count)
{
    if (!IsOpen())
        return 0;
    if (count == 0)
        return 1;
    if (!Write(buffer, count))
        return 0;
    if (count >= 2 && buffer[count - 2] == '\r' && buffer[count - 1] == '\n')
        return 1;
    return Write("\r\n", 2);
}

int Win32File::Seek(uint64_t offset)
{
    LARGE_INTEGER move;
    move.QuadPart = LONGLONG(offset);
    return IsOpen() && SetFilePointerEx(m_handle, move, nullptr, FILE_BEGIN);
}

int Win32File::Tell(uint64_t* position)
{
    LARGE_INTEGER zero, now;
    zero.QuadPart = 0;
    if (!IsOpen() || !position || !SetFilePointerEx(m_handle, zero, &now, FILE_CURRENT))
        return 0;
    *position = uint64_t(now.QuadPart);
    return 1;
}

uint64_t Win32File::GetPosition()
{
    uint64_t position = 0;
    return Tell(&position) ? position : ~uint64_t(0);
}

int Win32File::SeekToEnd()
{
    if (!IsOpen())
        return 0;
    // A low part of all ones is a valid position (files of 4 GiB - 1, 8 GiB - 1...): only the
    // error code tells, and it must be this call's, not one left by an earlier call.
    LONG high = 0;
    SetLastError(NO_ERROR);
    return SetFilePointer(m_handle, 0, &high, FILE_END) != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
}

int Win32File::Rewind()
{
    LONG high = 0;
    return IsOpen() && SetFilePointer(m_handle, 0, &high, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

int Win32File::GetSize(uint64_t* size)
{
    LARGE_INTEGER value;
    if (!IsOpen() || !size || !GetFileSizeEx(m_handle, &value))
        return 0;
    *size = uint64_t(value.QuadPart);
    return 1;
}

int Win32File::Flush() { return IsOpen() && FlushFileBuffers(m_handle); }
