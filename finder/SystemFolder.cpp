// finder/SystemFolder.cpp
#include "finder/SystemFolder.h"

#include <windows.h>
#include <shlobj.h>

#include "app/TextCase.h"

static const char* const kWellKnownFolders[] = {
    "C:\\Windows\\", "C:\\Windows.old", "C:\\PerfLogs\\", "C:\\Drivers\\", "C:\\Apps\\",
    "C:\\Program Files\\", "C:\\Program Files (x86)\\", "C:\\ProgramData\\",
};

bool IsSystemPath(const std::string& path, bool hidden, const std::vector<std::string>& machineFolders)
{
    if (path.size() < 10)
        return false;
    const std::string lower = LowerAscii(path);
    for (const char* folder : kWellKnownFolders) {
        if (lower.find(LowerAscii(folder)) != std::string::npos)
            return true;
    }
    for (const std::string& folder : machineFolders) {
        if (!folder.empty() && lower.compare(0, folder.size(), LowerAscii(folder)) == 0)
            return true;
    }
    return hidden && lower.find("\\boot\\") != std::string::npos;
}

static void AddFolder(std::vector<std::string>& folders, const char* path)
{
    std::string folder = path;
    if (folder.size() < 3)
        return;  // never a whole drive
    if (folder.back() != '\\')
        folder += '\\';
    folders.push_back(folder);
}

const std::vector<std::string>& MachineSystemFolders()
{
    static const std::vector<std::string> folders = [] {
        std::vector<std::string> found;
        char path[MAX_PATH + 1];
        UINT n = GetWindowsDirectoryA(path, MAX_PATH);
        if (n > 0 && n < MAX_PATH)
            AddFolder(found, path);
        const int kinds[] = {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_COMMON_APPDATA};
        for (int kind : kinds) {
            if (SUCCEEDED(SHGetFolderPathA(nullptr, kind, nullptr, 0, path)))
                AddFolder(found, path);
        }
        return found;
    }();
    return folders;
}
