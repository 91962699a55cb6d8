// engine/filetype/Win32FileNative.cpp
// The file wrapper over a POSIX file descriptor, for the native build and its tools: the same
// five modes and the same answers as the Win32 one.
#ifndef _WIN32
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/filetype/Win32File.h"

int Win32File::Open(const char* path, uint32_t mode)
{
    Close();
    static const int kFlags[] = {O_RDONLY, O_WRONLY, O_RDWR, O_RDWR | O_CREAT | O_TRUNC, O_RDWR | O_CREAT};
    if (mode > 4 || !path) {
        m_lastError = EINVAL;
        return 0;
    }
    int fd = ::open(path, kFlags[mode] | O_CLOEXEC, 0644);
    m_lastError = fd < 0 ? uint32_t(errno) : 0;
    if (fd < 0)
        return 0;
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        m_lastError = EISDIR;
        ::close(fd);
        return 0;
    }
    m_handle = fd;
    return 1;
}

int Win32File::Close()
{
    if (!IsOpen())
        return 0;
    ::close(int(m_handle));
    m_handle = kClosed;
    return 1;
}

uint32_t Win32File::Read(void* buffer, uint32_t count)
{
    if (!IsOpen() || !buffer)
        return 0;
    uint32_t done = 0;
    while (done < count) {
        ssize_t n = ::read(int(m_handle), static_cast<char*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += uint32_t(n);
    }
    return done;
}

int Win32File::Write(const void* buffer, uint32_t count)
{
    if (!IsOpen() || (!buffer && count))
        return 0;
    uint32_t done = 0;
    while (done < count) {
        ssize_t n = ::write(int(m_handle), static_cast<const char*>(buffer) + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return 0;
        done += uint32_t(n);
    }
    return 1;
}

int Win32File::Seek(uint64_t offset)
{
    return IsOpen() && offset <= uint64_t(INT64_MAX) && lseek(int(m_handle), off_t(offset), SEEK_SET) >= 0;
}

int Win32File::Tell(uint64_t* position)
{
    if (!IsOpen() || !position)
        return 0;
    off_t now = lseek(int(m_handle), 0, SEEK_CUR);
    if (now < 0)
        return 0;
    *position = uint64_t(now);
    return 1;
}

int Win32File::SeekToEnd() { return IsOpen() && lseek(int(m_handle), 0, SEEK_END) >= 0; }

int Win32File::Rewind() { return IsOpen() && lseek(int(m_handle), 0, SEEK_SET) >= 0; }

int Win32File::GetSize(uint64_t* size)
{
    struct stat info;
    if (!IsOpen() || !size || fstat(int(m_handle), &info) != 0)
        return 0;
    *size = uint64_t(info.st_size);
    return 1;
}

int Win32File::Flush() { return IsOpen() && fsync(int(m_handle)) == 0; }
#endif
