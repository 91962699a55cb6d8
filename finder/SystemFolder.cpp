// finder/SystemFolder.cpp
#include "finder/SystemFolder.h"

#include <windows.h>
#include <shlobj.h>

#include "app/TextCase.h"

// In lower case; only the one without a closing backslash can reach into a file's name.
static const char* const kWellKnownFolders[] = {
    "c:\\windows\\", "c:\\windows.old", "c:\\perflogs\\", "c:\\drivers\\", "c:\\apps\\",
    "c:\\program files\\", "c:\\program files (x86)\\", "c:\\programdata\\",
};
static const char kOldWindows[] = "windows.old";

static bool InSystemFolder(const std::string& lower, const std::vector<std::string>& machineFolders)
{
    for (const char* folder : kWellKnownFolders) {
        if (lower.find(folder) != std::string::npos)
            return true;
    }
    for (const std::string& folder : machineFolders) {
        if (!folder.empty() && lower.size() >= folder.size() &&
            lower.compare(0, folder.size(), LowerAscii(folder)) == 0)
            return true;
    }
    return false;
}

bool IsSystemPath(const std::string& path, bool hidden, const std::vector<std::string>& machineFolders)
{
    if (path.size() < 10)
        return false;
    const std::string lower = LowerAscii(path);
    return InSystemFolder(lower, machineFolders) || (hidden && lower.find("\\boot\\") != std::string::npos);
}

FolderSystemTest::FolderSystemTest(const std::string& folder, const std::vector<std::string>& machineFolders)
    : m_length(folder.size())
{
    const std::string lower = LowerAscii(folder);
    m_system = InSystemFolder(lower, machineFolders);
    m_boot = lower.find("\\boot\\") != std::string::npos;
    m_driveCRoot = lower.size() >= 3 && lower.compare(lower.size() - 3, 3, "c:\\") == 0;
}

bool FolderSystemTest::IsSystem(const std::string& name, bool hidden) const
{
    if (m_length + name.size() < 10)
        return false;
    if (m_system || (hidden && m_boot))
        return true;
    return m_driveCRoot && name.size() >= sizeof(kOldWindows) - 1 &&
           LowerAscii(name.substr(0, sizeof(kOldWindows) - 1)) == kOldWindows;
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
