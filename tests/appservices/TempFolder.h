// tests/appservices/TempFolder.h
// A fresh folder under the Windows temp folder, emptied and removed when the test ends.
#pragma once
#include <windows.h>

#include <string>

#include "tests/support/WinePath.h"

class TempFolder {
public:
    TempFolder()
    {
        static int serial = 0;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "appservices-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++serial) + "\\";
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder()
    {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((path_ + "*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileA((path_ + found.cFileName).c_str());
            } while (FindNextFileA(find, &found));
            FindClose(find);
        }
        RemoveDirectoryA(path_.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Ends in a backslash.
    const std::string& Path() const { return path_; }
    std::string File(const char* name) const { return path_ + name; }

private:
    std::string path_;
};

// The whole content of a file; empty when it cannot be read.
inline std::string ReadWholeFile(const std::string& path)
{
    std::string content;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return content;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &n, nullptr) && n)
        content.append(buffer, n);
    CloseHandle(file);
    return content;
}

inline bool WriteWholeFile(const std::string& path, const std::string& content)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD n = 0;
    BOOL ok = WriteFile(file, content.data(), DWORD(content.size()), &n, nullptr);
    CloseHandle(file);
    return ok && n == content.size();
}

// The stand-in libraries' folder as a Windows path, ending in a backslash.
inline std::string StandInFolder()
{
    return ToWinePath(STANDIN_DIR) + "\\";
}
