// tests/ui/results/StandInShell.h
// A shell for removal tests: it moves files into the Wine trash through the system's shell,
// but can say that some folders have no recycle bin, refuse some files as Windows refuses a
// file in use (stopping the call at that file), have the bin refuse some files as the shell
// does a file it cannot move there (the whole call turned away, nothing moved), and take its
// time over each call. The bin is read through the system's shell.
#pragma once
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ui/results/RecycleShell.h"

namespace resultstest {

struct ShellCallSeen
{
    std::vector<std::string> paths;
    bool toRecycleBin;
};

class StandInShell : public IRecycleShell
{
public:
    std::set<std::string> foldersWithoutBin;
    std::set<std::string> refused;  // full paths
    std::set<std::string> binRefuses;  // full paths
    bool deleteInsteadOfBin = false;  // as a shell that deletes what the bin cannot take, in silence
    DWORD delayMs = 0;
    std::function<void()> onCall;   // runs at the start of every call
    std::vector<ShellCallSeen> calls;

    std::vector<bool> HaveRecycleBins(const std::vector<std::string>& folders) override
    {
        std::vector<bool> answers;
        for (const std::string& folder : folders)
            answers.push_back(!foldersWithoutBin.count(folder));
        return answers;
    }

    int Delete(const std::vector<std::string>& paths, bool toRecycleBin, HWND owner) override
    {
        calls.push_back(ShellCallSeen{paths, toRecycleBin});
        if (onCall)
            onCall();
        if (delayMs)
            Sleep(delayMs);
        if (toRecycleBin)
            for (const std::string& path : paths)
                if (binRefuses.count(path))
                    return kShellBinCannotTake;
        // Up to the first refused file, as the shell does when a file is in use.
        std::vector<std::string> taken;
        bool refusedOne = false;
        for (const std::string& path : paths) {
            if (refused.count(path)) {
                refusedOne = true;
                break;
            }
            taken.push_back(path);
        }
        const int result = SystemRecycleShell().Delete(taken, toRecycleBin && !deleteInsteadOfBin, owner);
        return refusedOne && result == 0 ? ERROR_SHARING_VIOLATION : result;
    }

    bool ListRecycleBin(std::vector<std::wstring>& entries) override
    {
        return SystemRecycleShell().ListRecycleBin(entries);
    }
};

}  // namespace resultstest
