// tests/app/TestFiles.h
// Files that tests write for themselves, under a temp folder of their own.
#pragma once
#include <windows.h>

#include <string>

// A fresh, empty folder under the temp folder, ending in a backslash. Process ids repeat
// under Wine, so a name already taken (by an earlier run) is skipped.
inline std::string MakeTestFolder(const char* tag)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static unsigned serial = GetTickCount();
    for (;;) {
        std::string folder = std::string(temp) + "app_tests_" + tag + "_" +
                             std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial);
        if (CreateDirectoryA(folder.c_str(), nullptr))
            return folder + "\\";
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return std::string();
    }
}

inline bool WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

inline std::string ReadBytes(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &bytes[0], DWORD(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// text as UTF-16 LE with a byte-order mark, the form of the shipped language files.
inline bool WriteUtf16File(const std::string& path, const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return WriteBytes(path, bytes);
}

inline std::wstring Widen(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}
