// ui/results/RecycleShell.h
// The shell calls a removal makes, behind an interface: the removal asks before it starts
// which files have no recycle bin, then hands the shell many files in one call, looks at
// each file afterwards, and looks in the bin for the files that left. SystemRecycleShell is
// the real shell.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Delete's answer when the shell found a file the recycle bin cannot take: it wanted to ask
// whether to delete it for ever, was told no, and stopped its call at that file.
const int kShellBinCannotTake = -1;

class IRecycleShell
{
public:
    virtual ~IRecycleShell() = default;
    // For each folder (ending in a backslash): whether its drive keeps a recycle bin that
    // would take the folder's files. Asked once per removal, for all its folders together.
    virtual std::vector<bool> HaveRecycleBins(const std::vector<std::string>& folders) = 0;
    // One shell call for all paths: to the recycle bin or, with toRecycleBin false, deleted
    // for ever. Sent to the bin, a file the bin cannot take is never deleted instead: the
    // call stops there and returns kShellBinCannotTake. owner: the window any question of the
    // shell belongs to. Returns 0 when the shell reported success and aborted nothing; callers
    // look at every file all the same.
    virtual int Delete(const std::vector<std::string>& paths, bool toRecycleBin, HWND owner) = 0;
    // What the recycle bin holds, one entry per item: its original full path, long names,
    // lower case (RecycleBinKey). False when the bin cannot be read.
    virtual bool ListRecycleBin(std::vector<std::wstring>& entries) = 0;
};

IRecycleShell& SystemRecycleShell();

// How ListRecycleBin names a file: its long full path, lower case (ask while it still
// exists).
std::wstring RecycleBinKey(const std::string& path);
// The same for a bin entry's original folder and name.
std::wstring RecycleBinKey(std::wstring folder, const std::wstring& name);
