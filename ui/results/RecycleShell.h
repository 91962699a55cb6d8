// ui/results/RecycleShell.h
// The shell calls a removal makes, behind an interface: the removal asks before it starts
// which files have no recycle bin, then hands the shell many files in one call and looks at
// each file afterwards. SystemRecycleShell is the real shell.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class IRecycleShell
{
public:
    virtual ~IRecycleShell() = default;
    // For each folder (ending in a backslash): whether its drive keeps a recycle bin that
    // would take the folder's files. Asked once per removal, for all its folders together.
    virtual std::vector<bool> HaveRecycleBins(const std::vector<std::string>& folders) = 0;
    // One shell call for all paths: to the recycle bin (undo kept, and a warning instead of a
    // silent permanent delete) or, with toRecycleBin false, deleted for ever. owner: the
    // window any question of the shell belongs to. Returns 0 when the shell reported success
    // and aborted nothing; callers look at every file all the same.
    virtual int Delete(const std::vector<std::string>& paths, bool toRecycleBin, HWND owner) = 0;
};

IRecycleShell& SystemRecycleShell();
