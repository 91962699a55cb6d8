// finder/Win32FileSource.cpp
// The platform file source: listings through FindFirstFileA, reads through one handle per file.
#include <windows.h>
#include <stdio.h>

#include "finder/FileSource.h"
#include "finder/GroupKey.h"

namespace {

class Win32ReadableFile : public IReadableFile
{
public:
    explicit Win32ReadableFile(HANDLE handle) : m_handle(handle) {}
    ~Win32ReadableFile() override { CloseHandle(m_handle); }

    bool ReadAt(uint64_t offset, void* buffer, uint32_t count, uint32_t* got) override
    {
        *got = 0;
        OVERLAPPED at = {};
        at.Offset = DWORD(offset);
        at.OffsetHigh = DWORD(offset >> 32);
        DWORD read = 0;
        if (!ReadFile(m_handle, buffer, count, &read, &at)) {
            if (GetLastError() == ERROR_HANDLE_EOF)
                return true;
            return false;
        }
        *got = read;
        return true;
    }

    bool Identity(std::string* id) override
    {
        BY_HANDLE_FILE_INFORMATION info;
        if (!GetFileInformationByHandle(m_handle, &info))
            return false;
        char text[40];
        snprintf(text, sizeof(text), "%08lx:%08lx%08lx", info.dwVolumeSerialNumber,
                 info.nFileIndexHigh, info.nFileIndexLow);
        *id = text;
        return true;
    }

private:
    HANDLE m_handle;
};

class Win32FileSource : public IFileSource
{
public:
    bool ListFolder(const std::string& folder,
                    const std::function<bool(const FolderEntry&)>& onEntry) override
    {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(SearchPattern(folder).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return false;
        FolderEntry entry;
        do {
            entry.name = data.cFileName;
            entry.attributes = data.dwFileAttributes;
            entry.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            entry.writeTime = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                              data.ftLastWriteTime.dwLowDateTime;
            if (!onEntry(entry))
                break;
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return true;
    }

    std::unique_ptr<IReadableFile> OpenRead(const std::string& path) override
    {
        HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return nullptr;
        return std::unique_ptr<IReadableFile>(new Win32ReadableFile(handle));
    }
};

}  // namespace

IFileSource& PlatformFileSource()
{
    static Win32FileSource source;
    return source;
}

bool ReadExactly(IReadableFile& file, uint64_t offset, void* buffer, uint32_t count)
{
    uint8_t* out = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        uint32_t got = 0;
        if (!file.ReadAt(offset, out, count, &got) || got == 0)
            return false;
        out += got;
        offset += got;
        count -= got;
    }
    return true;
}
