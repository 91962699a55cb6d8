// ui/results/RecycleShell.cpp
#include "ui/results/RecycleShell.h"

#include <shellapi.h>

namespace {

class ShellRecycleBin : public IRecycleShell
{
public:
    // Fixed drives keep a bin; removable drives, network shares, CDs and RAM disks do not,
    // and the shell would delete their files for ever.
    bool HasRecycleBin(const std::string& path) override
    {
        if (path.size() < 3 || path[1] != ':' || path[2] != '\\')
            return false;
        const std::string root = path.substr(0, 3);
        return GetDriveTypeA(root.c_str()) == DRIVE_FIXED;
    }

    int Delete(const std::vector<std::string>& paths, bool toRecycleBin, HWND owner) override
    {
        if (paths.empty())
            return 0;
        // The source list: each path NUL-terminated, the list ended by one more NUL.
        std::string source;
        for (const std::string& path : paths) {
            source += path;
            source.push_back('\0');
        }
        source.push_back('\0');
        SHFILEOPSTRUCTA operation = {};
        operation.hwnd = owner;
        operation.wFunc = FO_DELETE;
        operation.pFrom = source.c_str();
        operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
        if (toRecycleBin)
            operation.fFlags |= FOF_ALLOWUNDO | FOF_WANTNUKEWARNING;
        const int result = SHFileOperationA(&operation);
        return result != 0 ? result : operation.fAnyOperationsAborted ? ERROR_CANCELLED : 0;
    }
};

}  // namespace

IRecycleShell& SystemRecycleShell()
{
    static ShellRecycleBin shell;
    return shell;
}
