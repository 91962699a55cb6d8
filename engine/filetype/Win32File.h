// engine/filetype/Win32File.h
// A thin wrapper over one Win32 file handle, used by the disk-image files. The same class
// over a POSIX file descriptor serves the native build, so that the image readers are built
// and fuzzed there too.
#pragma once
#include <stdint.h>

class Win32File {
public:
    // Modes: 0 read, 1 write, 2 read-write (all three on an existing file), 3 read-write on a
    // new or emptied file, 4 read-write creating the file when it is missing.
    enum { kRead = 0, kWrite = 1, kReadWrite = 2, kCreate = 3, kOpenAlways = 4 };

    Win32File() {}
    Win32File(const char* path, uint32_t mode) { Open(path, mode); }
    ~Win32File() { Close(); }
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    int Open(const char* path, uint32_t mode);
    int Close();
    int IsOpen() const { return m_handle != kClosed; }
    // The system's error code of the last Open (GetLastError, or errno natively).
    uint32_t GetLastOpenError() const { return m_lastError; }

    // Bytes read; 0 when closed or on failure.
    uint32_t Read(void* buffer, uint32_t count);
    // Reads up to `maximum` bytes, through the first '\n' (kept); buffer holds maximum + 1.
    // The bytes read, NUL-terminated; 0 (buffer untouched) when nothing could be read.
    uint32_t ReadLine(char* buffer, uint32_t maximum);
    int Write(const void* buffer, uint32_t count);
    // Writes the bytes and then CR LF unless they already end with it.
    int WriteLine(const char* buffer, uint32_t count);
    int Seek(uint64_t offset);
    int Tell(uint64_t* position);
    uint64_t GetPosition();
    int SeekToEnd();
    int Rewind();
    int GetSize(uint64_t* size);
    int Flush();

private:
    // A HANDLE on Windows (INVALID_HANDLE_VALUE is -1), a file descriptor elsewhere.
    static constexpr intptr_t kClosed = -1;
    intptr_t m_handle = kClosed;
    uint32_t m_lastError = 0;
};
