// ui/chooser/ShellTreeRules.cpp
#include "ui/chooser/ShellTreeRules.h"

#include <ctype.h>

std::string ShellItemLabel(const std::string& path, const std::string& displayName)
{
    if (path.empty() || IsDriveRootPath(path))
        return displayName;
    size_t end = path.size();
    while (end > 0 && path[end - 1] == '\\')
        --end;  // some shells give folders with a trailing backslash
    const size_t slash = end ? path.rfind('\\', end - 1) : std::string::npos;
    if (slash == std::string::npos || slash + 1 >= end)
        return displayName;
    return path.substr(slash + 1, end - slash - 1);
}

bool IsDriveRootPath(const std::string& path)
{
    return path.size() == 3 && isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           path[2] == '\\';
}

std::string DriveRootName(const std::string& path, const std::string& displayName,
                          unsigned driveType)
{
    if (driveType == kDriveRemovable && path.size() >= 2 && path[1] == ':')
        return "Removable (" + path.substr(0, 2) + ")";
    return displayName;
}

std::string PadToWidth(const std::string& text, const std::function<int(const std::string&)>& measure,
                       int minWidth, int maxSpaces)
{
    std::string padded = text;
    for (int added = 0; added < maxSpaces && measure(padded) < minWidth; ++added)
        padded += ' ';
    return padded;
}

bool IsControlPanelByName(bool hasPath, const std::string& label,
                          const std::string& controlPanelName)
{
    if (hasPath || label.empty() || controlPanelName.empty())
        return false;
    return controlPanelName.find(label) != std::string::npos;
}

bool ShouldShowShellItem(const ShellItemFacts& item)
{
    const std::string& path = item.path;
    if (!path.empty() && !IsDriveRootPath(path) && !item.isDirectoryOnDisk) {
        const size_t slash = path.rfind('\\');
        const std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
        if (last.find('.') != std::string::npos && item.opensForReading)
            return false;  // an archive or similar file that the shell opens like a folder
    }
    if (item.isFolder) {
        if (item.isSpecialFolder || item.driveType == kDriveCdRom)
            return false;
        if (path.find("::{") != std::string::npos)
            return false;
        return true;
    }
    return !path.empty();
}
