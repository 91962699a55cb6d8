// finder/Win32FileSource.cpp
// The platform file source: listings through FindFirstFileW, named as the ANSI functions reach
// each entry; reads through one handle per file.
#include <windows.h>
#include <stdio.h>

#include "finder/DeviceName.h"
#include "finder/FileSource.h"
#include "finder/GroupKey.h"

namespace {

class Win32ReadableFile : public IReadableFile
{
public:
    explicit Win32ReadableFile(HANDLE handle) : m_handle(handle) {}
    ~Win32ReadableFile() override { CloseHandle(m_handle); }

    // Seek and read: under Wine a read at an OVERLAPPED offset is a server round trip (about
    // 35 us), a plain read from the handle's position is not (about 1 us).
    bool ReadAt(uint64_t offset, void* buffer, uint32_t count, uint32_t* got) override
    {
        *got = 0;
        if (offset != m_position) {
            LARGE_INTEGER to;
            to.QuadPart = LONGLONG(offset);
            if (!SetFilePointerEx(m_handle, to, nullptr, FILE_BEGIN))
                return false;
            m_position = offset;
        }
        DWORD read = 0;
        if (!ReadFile(m_handle, buffer, count, &read, nullptr)) {
            m_position = UINT64_MAX;  // unknown: seek before the next read
            return false;
        }
        m_position += read;
        *got = read;
        return true;
    }

    // The file index alone: it costs one cheap query, where asking for the volume serial too
    // (GetFileInformationByHandle) costs some 300 us under Wine. The caller adds the volume.
    bool Identity(std::string* id) override
    {
        typedef LONG(NTAPI * QueryInformationFile)(HANDLE, void* status, void* info, ULONG length,
                                                   int infoClass);
        typedef void (*AnyFunction)();
        static const QueryInformationFile query = reinterpret_cast<QueryInformationFile>(
            reinterpret_cast<AnyFunction>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
        const int kFileInternalInformation = 6;
        ULONG_PTR status[2] = {};
        LARGE_INTEGER index = {};
        if (!query || query(m_handle, status, &index, sizeof(index), kFileInternalInformation) < 0 ||
            index.QuadPart == 0)
            return false;
        char text[24];
        snprintf(text, sizeof(text), "%llx", (unsigned long long)index.QuadPart);
        *id = text;
        return true;
    }

private:
    HANDLE m_handle;
    uint64_t m_position = 0;
};

// The text in the ANSI code page; false when it cannot hold it exactly (no best fit).
bool ToAnsiExactly(const wchar_t* wide, std::string* out)
{
    const wchar_t* p = wide;
    while (*p && *p < 0x80)
        ++p;
    if (!*p) {
        out->assign(wide, p);  // plain ASCII, the usual case
        return true;
    }
    // A UTF-8 code page holds every name, and takes neither the flag nor the report.
    const bool utf8 = GetACP() == CP_UTF8;
    const int size = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, -1, nullptr, 0, nullptr,
                                         nullptr);
    if (size <= 0)
        return false;
    std::string text(size_t(size), '\0');
    BOOL lossy = FALSE;
    if (WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, -1, &text[0], size, nullptr,
                            utf8 ? nullptr : &lossy) <= 0)
        return false;
    text.resize(size_t(size - 1));
    *out = text;
    return !lossy;
}

// Windows paths drop a name's trailing dots and spaces: "a." would be read as "a", and "..."
// as the folder that holds it.
bool DroppedFromPaths(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return name.back() == '.' || name.back() == ' ';
}

// The ANSI name by which the ANSI functions reach this entry. A name the code page cannot
// hold exactly comes back from FindFirstFileA with '?' in it (never opened) or, by best fit,
// as the name of some other file; the entry's short name reaches it instead. Without one, the
// name keeps '?' for what cannot be held, so it never names another file. A name that paths
// would cut short goes by its short name too; without one, and for a file whose name paths
// take for a device, the entry is unreachable (FolderEntry). longExtension receives the long
// name's extension when the short name stands in for it.
std::string ReachableName(const WIN32_FIND_DATAW& data, std::string* longExtension, bool* unreachable)
{
    longExtension->clear();
    // A folder of such a name is listed through "name\*.*", which paths take as it is.
    const bool file = !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    *unreachable = false;
    std::string name;
    if (ToAnsiExactly(data.cFileName, &name) && !DroppedFromPaths(name)) {
        *unreachable = file && IsDeviceName(data.cFileName);
        return name;
    }
    std::string shortName;
    if (data.cAlternateFileName[0] && ToAnsiExactly(data.cAlternateFileName, &shortName)) {
        // The short name's extension is cut to three letters ("JPE" of "jpeg"): the file is
        // keyed and sorted by its own.
        const wchar_t* dot = wcsrchr(data.cFileName, L'.');
        if (dot && dot != data.cFileName && dot[1] && !ToAnsiExactly(dot + 1, longExtension))
            longExtension->clear();
        *unreachable = file && IsDeviceName(data.cAlternateFileName);
        return shortName;
    }
    *unreachable = DroppedFromPaths(name);  // it would name its neighbour
    return name;
}

// The path that the platform takes exactly as written ("\\?\C:\a\b", "\\?\UNC\server\share\b"):
// no name in it is taken for a device or cut short. Empty for a relative path.
std::wstring VerbatimPath(const std::string& path)
{
    wchar_t wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path.c_str(), -1, wide, MAX_PATH))
        return std::wstring();
    std::wstring out(wide);
    while (out.size() > 3 && out.back() == L'\\')
        out.pop_back();
    if (out.compare(0, 4, L"\\\\?\\") == 0)
        return out;
    if (out.compare(0, 4, L"\\\\.\\") == 0)
        return std::wstring();  // a device's own name
    if (out.compare(0, 2, L"\\\\") == 0)
        return L"\\\\?\\UNC\\" + out.substr(2);
    if (out.size() >= 3 && out[1] == L':' && out[2] == L'\\')
        return L"\\\\?\\" + out;
    return std::wstring();
}

// A drive root holds no "." or "..": when it is empty, its listing finds nothing at all.
bool IsFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class Win32FileSource : public IFileSource
{
public:
    bool ListFolder(const std::string& folder,
                    const std::function<bool(const FolderEntry&)>& onEntry) override
    {
        const std::string pattern = SearchPattern(folder);
        wchar_t widePattern[MAX_PATH];
        if (!MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, pattern.c_str(), -1, widePattern, MAX_PATH))
            return false;
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW(widePattern, &data);
        if (find == INVALID_HANDLE_VALUE)
            return GetLastError() == ERROR_FILE_NOT_FOUND && IsFolder(folder);  // an empty drive root
        FolderEntry entry;
        do {
            entry.name = ReachableName(data, &entry.longExtension, &entry.unreachable);
            entry.attributes = data.dwFileAttributes;
            entry.reparseTag = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? data.dwReserved0 : 0;
            entry.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            entry.writeTime = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                              data.ftLastWriteTime.dwLowDateTime;
            if (!onEntry(entry))
                break;
        } while (FindNextFileW(find, &data));
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
        // A port or a pipe in place of the listed file (replaced since, or reached by a name
        // the walk did not know for a device) may never answer a read.
        if (GetFileType(handle) != FILE_TYPE_DISK) {
            CloseHandle(handle);
            return nullptr;
        }
        return std::unique_ptr<IReadableFile>(new Win32ReadableFile(handle));
    }

    // Under Wine a mount point and a link to a folder are both listed as reparse points with no
    // tag; a link resolves to the folder it names, a mounted file system to itself. Under
    // Windows a folder mount of a volume that has no drive letter resolves to itself too.
    bool IsMountedFolder(const std::string& folder) override
    {
        const std::wstring path = VerbatimPath(folder);
        if (path.empty())
            return false;
        HANDLE handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        wchar_t resolved[MAX_PATH + 8];
        const DWORD n = GetFinalPathNameByHandleW(handle, resolved, MAX_PATH + 8, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        CloseHandle(handle);
        if (n == 0 || n >= MAX_PATH + 8)
            return false;
        std::wstring itself(resolved, n);
        while (itself.size() > 7 && itself.back() == L'\\')
            itself.pop_back();
        return CompareStringOrdinal(itself.c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL;
    }

    std::string LongFolderName(const std::string& folder) override
    {
        wchar_t wide[MAX_PATH];
        wchar_t longName[MAX_PATH];
        std::string out;
        if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, folder.c_str(), -1, wide, MAX_PATH) > 0) {
            DWORD n = GetLongPathNameW(wide, longName, MAX_PATH);
            if (n > 0 && n < MAX_PATH && ToAnsiExactly(longName, &out) && !out.empty())
                return out;
        }
        return folder;
    }

    bool FileSize(const std::string& path, uint64_t* size) override
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return false;
        *size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        return true;
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
