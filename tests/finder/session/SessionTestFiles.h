// tests/finder/session/SessionTestFiles.h
// A fresh folder under the Windows temp folder for files a test writes; removed at the end.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class SessionTestFolder {
public:
    SessionTestFolder()
    {
        static int serial = 0;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "session-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++serial) + "\\";
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~SessionTestFolder()
    {
        for (const std::string& file : written_)
            DeleteFileA(file.c_str());
        for (auto it = folders_.rbegin(); it != folders_.rend(); ++it)
            RemoveDirectoryA(it->c_str());
        RemoveDirectoryA(path_.c_str());
    }
    SessionTestFolder(const SessionTestFolder&) = delete;
    SessionTestFolder& operator=(const SessionTestFolder&) = delete;

    // Ends in a backslash.
    const std::string& Path() const { return path_; }
    std::string File(const char* name) const { return path_ + name; }

    // Writes content to name in the folder and returns its path.
    std::string Write(const char* name, const std::string& content)
    {
        const std::string path = File(name);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD n = 0;
            WriteFile(file, content.data(), DWORD(content.size()), &n, nullptr);
            CloseHandle(file);
            written_.push_back(path);
        }
        return path;
    }

    // Makes a sub-folder and returns its path (no trailing backslash).
    std::string MakeFolder(const char* name)
    {
        const std::string path = File(name);
        CreateDirectoryA(path.c_str(), nullptr);
        folders_.push_back(path);
        return path;
    }

private:
    std::string path_;
    std::vector<std::string> written_;
    std::vector<std::string> folders_;
};
