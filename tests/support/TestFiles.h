// tests/support/TestFiles.h
// Folders and files that tests write for themselves under the Windows temp folder.
#pragma once
#include <windows.h>

#include <string>

// A fresh, empty folder under the temp folder, ending in a backslash; empty when none can be
// made. Process ids repeat under Wine, so a name already taken (by an earlier run) is skipped.
inline std::string MakeTestFolder(const char* tag)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static unsigned serial = GetTickCount();
    for (;;) {
        std::string folder = std::string(temp) + "tests_" + tag + "_" +
                             std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial);
        if (CreateDirectoryA(folder.c_str(), nullptr))
            return folder + "\\";
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return std::string();
    }
}

// A fresh test folder whose files (not subfolders) are deleted with it when the test ends.
class TempFolder {
public:
    explicit TempFolder(const char* tag = "temp") : path_(MakeTestFolder(tag)) {}
    ~TempFolder()
    {
        // Without a folder of its own, "*" would name the current folder's files.
        if (path_.empty())
            return;
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

// Replaces the file with content; true when all of it was written.
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
