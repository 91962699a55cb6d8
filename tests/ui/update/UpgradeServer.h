// tests/ui/update/UpgradeServer.h
// The fixture's web server on 127.0.0.1 (start-upgrade-server.sh): its addresses and its log.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/WinePath.h"

inline std::string ServerAddress(const std::string& path)
{
    std::ifstream portFile(FixtureDir() + "\\upgrade-server\\port");
    int port = 0;
    portFile >> port;
    EXPECT_GT(port, 0) << "the fixture's server did not start";
    return "http://127.0.0.1:" + std::to_string(port) + path;
}

// A tag no other request of this test program carries.
inline std::string UniqueTag()
{
    static unsigned serial = 0;
    return "-" + std::to_string(GetTickCount()) + "-" + std::to_string(++serial);
}

// The lines of the server's log that start with prefix.
inline size_t ServerLogLines(const std::string& prefix)
{
    std::ifstream log(FixtureDir() + "\\upgrade-server\\log");
    size_t count = 0;
    std::string line;
    while (std::getline(log, line))
        count += line.compare(0, prefix.size(), prefix) == 0;
    return count;
}

// The rest of the first log line that starts with prefix, waiting up to waitMs for it.
inline bool WaitForServerLog(const std::string& prefix, DWORD waitMs, std::string* rest = nullptr)
{
    const DWORD start = GetTickCount();
    for (;;) {
        std::ifstream log(FixtureDir() + "\\upgrade-server\\log");
        std::string line;
        while (std::getline(log, line)) {
            if (line.compare(0, prefix.size(), prefix) == 0) {
                if (rest)
                    *rest = line.substr(prefix.size());
                return true;
            }
        }
        if (GetTickCount() - start >= waitMs)
            return false;
        Sleep(20);
    }
}

// Files and bytes below the browser cache's folder: what the platform keeps of pages.
struct CacheUse {
    size_t files = 0;
    unsigned long long bytes = 0;
};

inline void AddFolderUse(const std::string& folder, CacheUse* use)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            AddFolderUse(folder + "\\" + name, use);
        } else {
            ++use->files;
            use->bytes += (unsigned long long)found.nFileSizeHigh << 32 | found.nFileSizeLow;
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

inline CacheUse BrowserCacheUse()
{
    char folder[MAX_PATH] = "";
    CacheUse use;
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_INTERNET_CACHE, nullptr, 0, folder)))
        AddFolderUse(folder, &use);
    return use;
}
