// ui/results/RecycleShell.cpp
#include "ui/results/RecycleShell.h"

#include <shellapi.h>

#include <map>

namespace {

class ShellRecycleBin : public IRecycleShell
{
public:
    // Fixed drives keep a bin; removable drives, network shares, CDs and RAM disks do not,
    // and the shell would delete their files for ever. The drive type is asked once per
    // drive: it is a slow call.
    std::vector<bool> HaveRecycleBins(const std::vector<std::string>& folders) override
    {
        std::map<std::string, bool> fixed;
        std::vector<bool> answers;
        for (const std::string& folder : folders) {
            if (folder.size() < 3 || folder[1] != ':' || folder[2] != '\\') {
                answers.push_back(false);
                continue;
            }
            const std::string root = folder.substr(0, 3);
            auto known = fixed.find(root);
            if (known == fixed.end())
                known = fixed.emplace(root, GetDriveTypeA(root.c_str()) == DRIVE_FIXED).first;
            answers.push_back(known->second);
        }
        return answers;
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
