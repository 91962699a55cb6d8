// engine/device/RawImageDeviceNative.cpp
// The plain image device's file access on POSIX systems (the native build and its tools).
#ifndef _WIN32
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/device/RawImageDevice.h"

bool CRawImageDevice::OpenFile(uint64_t* fileSize)
{
    int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    *fileSize = uint64_t(info.st_size);
    m_file = fd;
    return true;
}

void CRawImageDevice::CloseFile() { ::close(int(m_file)); }

bool CRawImageDevice::ReadAt(uint64_t offset, unsigned char* buffer, uint64_t size)
{
    while (size > 0) {
        size_t step = size > (1u << 30) ? (1u << 30) : size_t(size);
        ssize_t got = pread(int(m_file), buffer, step, off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        buffer += got;
        offset += uint64_t(got);
        size -= uint64_t(got);
    }
    return true;
}
#endif
