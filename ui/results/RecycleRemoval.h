// ui/results/RecycleRemoval.h
// Moving checked files to the recycle bin, for the removal worker. A file counts as removed
// only when the shell said so, aborted nothing, and the file is really gone from its folder:
// a file in use, read-only, moved, changed since the scan, or one the shell could only have
// deleted for ever (a move into the trash across file systems) stays where it is and is told
// as not removed.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "finder/FoundFileRecord.h"

// Why one file was not removed.
enum RemovalFailure
{
    kRemovalOk = 0,
    kRemovalChanged = 1,      // no longer the file the scan found (size or time differ, or missing)
    kRemovalRefused = 2,      // the shell reported an error or an aborted operation
    kRemovalStillThere = 3,   // the shell said yes, but the file is still in its folder
};

struct RemovalReport
{
    int removed = 0;
    std::vector<std::string> failedPaths;
    std::vector<RemovalFailure> failures;  // one per failed path
};

// One file to the recycle bin with undo, never a silent permanent delete. kRemovalOk only
// when the file is gone afterwards.
RemovalFailure MoveFileToRecycleBin(const std::string& path);

// True when path exists as a file with the size and last-write time of record (a time of 0
// is not compared).
bool StillTheScannedFile(const FoundFileRecord& record);

// The removal worker's job: every record that is still the scanned file goes to the recycle
// bin; the removed-flag (bit 0) is set on exactly those that are gone.
RemovalReport RemoveRecordsToRecycleBin(const std::vector<FoundFileRecord*>& records);
