// ui/results/RecycleRemoval.h
// Removing the checked files of a results page. A removal never takes the last copy of
// anything unless the user said so: just before a group's checked files go, each must still
// equal, byte for byte, a file of its group that stays, else it stays too.
// Files whose drive has no recycle bin are found before anything is removed; they go for
// ever only at the user's word and are then told as deleted, never as restorable. The shell
// takes the files of one folder in one call; afterwards each file is looked at, and a file
// counts as removed only when it is really gone, and as restorable only when the bin holds
// it. Files the bin turns away are kept, and go for ever only at the user's word; when a call
// moves none of its files, halves of it find which ones the bin refused.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "finder/FileSource.h"
#include "finder/FoundFileRecord.h"
#include "ui/results/RecycleShell.h"
#include "ui/results/ResultModel.h"

// Why one file was not removed.
enum RemovalFailure
{
    kRemovalOk = 0,
    kRemovalChanged = 1,       // no longer the file the scan found (size or time differ, or missing)
    kRemovalRefused = 2,       // the shell reported an error, or the file is in use (or unreadable)
    kRemovalStillThere = 3,    // the shell said yes, but the file is still in its folder
    kRemovalNoKeptCopy = 4,    // no file of its group that stays holds its bytes now
    kRemovalNoRecycleBin = 5,  // its drive has no recycle bin and the user kept it
    kRemovalStopped = 6,       // the user stopped the removal before its turn
    kRemovalBinCannotTake = 7, // the recycle bin would not take it (or any file of its folder or drive)
};

struct RemovalReport
{
    int removed = 0;         // in the recycle bin: they can be restored
    int deletedForEver = 0;  // deleted permanently because the user said so
    int goneNotInBin = 0;    // sent to the bin and gone, but the bin does not hold them
    std::vector<std::string> failedPaths;
    std::vector<RemovalFailure> failures;  // one per failed path

    void Fail(const std::string& path, RemovalFailure why)
    {
        failedPaths.push_back(path);
        failures.push_back(why);
    }
    int Count(RemovalFailure why) const;
    // Takes next's outcome in place of the failures of kind why (a second pass over them).
    void Replace(RemovalFailure why, const RemovalReport& next);
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

// One file to the recycle bin, never deleted for ever: kRemovalOk only when the bin holds it
// afterwards. A file in use, or on a drive without a bin, is refused.
RemovalFailure MoveFileToRecycleBin(const std::string& path, IRecycleShell& shell = SystemRecycleShell());

class BinLedger;

class RecycleRemoval
{
public:
    // At most this many files in one shell call; the user's stop is looked at between calls.
    static const size_t kBatchFiles = 32;

    // owner: the main window, owner of any question the shell may still ask. files: where the
    // groups' files are read to prove their copies.
    RecycleRemoval(std::vector<RemovalGroup> groups, IRecycleShell& shell = SystemRecycleShell(),
                   HWND owner = nullptr, IFileSource& files = PlatformFileSource());

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
    // After Run: the files the bin would not take (kRemovalBinCannotTake), deleted for ever
    // at the user's word, under the same group rule. Their outcome replaces those failures.
    int BinRefusedCount() const;
    // Their full paths, in the removal's order.
    std::vector<std::string> BinRefusedPaths() const;
    RemovalReport DeleteBinRefusedForEver(RemovalProgress* progress = nullptr);

private:
    struct Item
    {
        FoundFileRecord* record;
        size_t group;
        bool noRecycleBin;
        bool binRefused;
        RemovalFailure proof;  // of its group's last proof: kRemovalOk when a copy stays
    };
    void ProveGroup(size_t group);
    void RemoveBatch(const std::vector<size_t>& batch, RemovalReport& report, BinLedger& ledger);
    RemovalReport RunItems(const std::vector<size_t>& items, RemovalProgress* progress);

    std::vector<RemovalGroup> m_groups;
    std::vector<Item> m_items;  // folder by folder
    std::vector<std::vector<size_t>> m_groupItems;  // the items of each group
    // The batch in which each group was last proven in this run (-1: not yet); a group is
    // proven once, when its first batch comes.
    std::vector<int> m_provenIn;
    int m_batch = 0;
    const std::atomic<int>* m_stop = nullptr;
    IRecycleShell& m_shell;
    HWND m_owner;
    IFileSource& m_files;
    bool m_deleteForEver = false;
    // Folders and drives whose bin turned files away in this removal: no further call is
    // made to it. A drive is held unusable after a second folder of it is turned away.
    std::vector<std::string> m_refusedFolders;
    std::vector<char> m_refusedDrives;
    std::vector<char> m_suspectDrives;
    // Drives whose bin took a file in this removal: a call it turns away whole holds a file
    // it refuses, not a bin that takes nothing.
    std::vector<char> m_workingDrives;
};
