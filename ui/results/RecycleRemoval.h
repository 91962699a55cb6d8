// ui/results/RecycleRemoval.h
// Removing the checked files of a results page. A removal never takes the last copy of
// anything unless the user said so: just before a group's checked files go, one unchecked
// file of that group must still be there as the scan found it, else the group's files stay.
// Files whose drive has no recycle bin are found before anything is removed; they go for
// ever only at the user's word and are then told as deleted, never as restorable. The shell
// takes the files of one folder in one call; afterwards each file is looked at, and a file
// counts as removed only when it is really gone.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "finder/FoundFileRecord.h"
#include "ui/results/RecycleShell.h"
#include "ui/results/ResultModel.h"

// Why one file was not removed.
enum RemovalFailure
{
    kRemovalOk = 0,
    kRemovalChanged = 1,       // no longer the file the scan found (size or time differ, or missing)
    kRemovalRefused = 2,       // the shell reported an error, or the file is in use
    kRemovalStillThere = 3,    // the shell said yes, but the file is still in its folder
    kRemovalNoKeptCopy = 4,    // no unchecked file of its group is left as the scan found it
    kRemovalNoRecycleBin = 5,  // its drive has no recycle bin and the user kept it
    kRemovalStopped = 6,       // the user stopped the removal before its turn
};

struct RemovalReport
{
    int removed = 0;         // moved to the recycle bin: they can be restored
    int deletedForEver = 0;  // no recycle bin; deleted permanently because the user said so
    std::vector<std::string> failedPaths;
    std::vector<RemovalFailure> failures;  // one per failed path

    void Fail(const std::string& path, RemovalFailure why)
    {
        failedPaths.push_back(path);
        failures.push_back(why);
    }
    int Count(RemovalFailure why) const;
};

// Shared with the "Cleaning" tip: files looked at so far, and the user's stop.
struct RemovalProgress
{
    std::atomic<int> done{0};
    std::atomic<int> stop{0};
};

// True when path exists as a file with the size and last-write time of record (a time of 0
// is not compared).
bool StillTheScannedFile(const FoundFileRecord& record);

// One file to the recycle bin, never deleted for ever: kRemovalOk only when it is gone
// afterwards. A file in use, or on a drive without a bin, is refused.
RemovalFailure MoveFileToRecycleBin(const std::string& path, IRecycleShell& shell = SystemRecycleShell());

class RecycleRemoval
{
public:
    // At most this many files in one shell call; the user's stop is looked at between calls.
    static const size_t kBatchFiles = 32;

    // owner: the main window, owner of any question the shell may still ask.
    RecycleRemoval(std::vector<RemovalGroup> groups, IRecycleShell& shell = SystemRecycleShell(),
                   HWND owner = nullptr);

    int FileCount() const { return (int)m_items.size(); }
    // Groups in which every file is checked.
    int GroupsLosingEveryFile() const;
    // The user said yes: those groups may lose every file.
    void LetGroupsLoseEveryFile();
    // Asks the shell, once, which checked files have no recycle bin (a missing answer counts
    // as none); returns how many.
    int FindFilesWithoutRecycleBin();
    // The user's answer for those files: deleted for ever, or kept.
    void DeleteWithoutRecycleBin(bool forEver) { m_deleteForEver = forEver; }

    // The removal itself (the worker thread). progress may be null.
    RemovalReport Run(RemovalProgress* progress = nullptr);

private:
    struct Item
    {
        FoundFileRecord* record;
        size_t group;
        bool noRecycleBin;
    };
    bool GroupKeepsACopy(size_t group) const;
    void RemoveBatch(size_t first, size_t last, RemovalReport& report);

    std::vector<RemovalGroup> m_groups;
    std::vector<Item> m_items;  // folder by folder
    IRecycleShell& m_shell;
    HWND m_owner;
    bool m_deleteForEver = false;
};
