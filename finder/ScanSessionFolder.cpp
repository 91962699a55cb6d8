// finder/ScanSessionFolder.cpp
// Which locations may be stored as the folder to scan.
#include "finder/ScanSession.h"

#include <windows.h>

namespace {

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "X:\..." or "\\server\share...". "C:" and "C:dir" name the drive's current folder and
// "\dir" the current drive: each would be resolved against whatever is current at the time.
// The device and long-path namespaces ("\\.\", "\\?\") are not scan locations either.
bool IsAbsoluteFolderPath(const std::string& path)
{
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\')
        return true;
    return path.size() >= 5 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\' &&
           path[2] != '.' && path[2] != '?' && path.find('\\', 3) != std::string::npos;
}

}  // namespace

bool IsExistingAbsoluteFolder(const std::string& path)
{
    // No wildcard, no embedded NUL, no stream name or virtual shell item ("::{...}").
    static const std::string kRefused("*?<>|\"\0", 7);
    if (path.size() >= MAX_PATH || path.find_first_of(kRefused) != std::string::npos ||
        path.find(':', 2) != std::string::npos || !IsAbsoluteFolderPath(path))
        return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
