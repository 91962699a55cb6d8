// tests/ui/results/UngroupedRemoval.h
// The removal's batches and per-file outcomes without the group rule: each file its own group
// that may lose it. The program never removes this way; the tests use it to look at one
// batch's behaviour (refusals amid a folder, changed files) on its own.
#pragma once
#include <utility>
#include <vector>

#include "ui/results/RecycleRemoval.h"

inline RemovalReport RemoveRecordsToRecycleBin(const std::vector<FoundFileRecord*>& records,
                                               IRecycleShell& shell = SystemRecycleShell())
{
    std::vector<RemovalGroup> groups;
    for (FoundFileRecord* record : records)
        if (record) {
            RemovalGroup group;
            group.checked.push_back(record);
            group.mayLoseEveryFile = true;
            groups.push_back(group);
        }
    RecycleRemoval removal(std::move(groups), shell);
    removal.FindFilesWithoutRecycleBin();
    return removal.Run();
}
