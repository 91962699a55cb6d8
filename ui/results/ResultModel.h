// ui/results/ResultModel.h
// The duplicate groups the results page shows, with their check marks, with no window: the
// six trees (all files and the five categories) are views of it. A group belongs to one
// category and shows in that category's tree and in the all-files tree; both read the same
// marks, so their totals cannot drift apart. Category 0 in a query means every category.
#pragma once
#include <stdint.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "finder/FoundFileRecord.h"
#include "finder/RecordStore.h"

struct ResultFile
{
    FoundFileRecord* record = nullptr;  // owned by the scan's RecordStore
    bool checked = false;
};

struct ResultGroup
{
    int category = kCategoryOther;
    std::vector<ResultFile> files;  // in the scan's order; the first is the one auto-select keeps
    bool lookAlike = false;  // pictures paired by looks, not a group of byte-for-byte copies

    int CheckedCount() const;
    int64_t CheckedSize() const;
    int64_t TotalSize() const;
    bool Checked() const { return CheckedCount() > 0; }
};

// The checked files of one group that a removal would take, and the files that stay.
struct RemovalGroup
{
    std::vector<FoundFileRecord*> checked;
    std::vector<const FoundFileRecord*> kept;  // unchecked, not removed
    bool mayLoseEveryFile = false;             // the user said so in so many words
    bool lookAlike = false;                    // its files are alike in looks, not copies
};

// What a prune took from one category's results (0: from all of them).
struct CategoryPrune
{
    int files = 0;      // files that left the results: removed, changed, or alone in a dropped group
    int64_t bytes = 0;  // their sizes
    int groups = 0;     // groups dropped, left with fewer than two files
};

// What a prune took away, for the statistics and the notice.
struct PruneOutcome
{
    int removedFiles = 0;    // files gone from disk, dropped from their groups
    int changedFiles = 0;    // files gone or changed since the scan, not by this program
    int droppedGroups = 0;   // groups left with fewer than two files
    int leftAlone = 0;       // files dropped with their group; still on disk, no longer duplicates
    CategoryPrune byCategory[kCategoryOther + 1];
    // The groups dropped, kept whole (with the files they had left) for those told of them.
    std::vector<std::shared_ptr<ResultGroup>> dropped;
};

class ResultModel
{
public:
    // Empties everything and lets go of the records.
    void Clear();
    // Keeps the scan's records alive while rows show them.
    void SetRecordStore(std::shared_ptr<RecordStore> store) { m_store = std::move(store); }
    // Adds the groups of two or more files of one category (1..5) in map order; returns how
    // many. A key with one file is no duplicate and is skipped.
    int FillCategory(int category, const FileGroupMap& groups);

    size_t GroupCount() const { return m_groups.size(); }
    ResultGroup* Group(size_t index) { return index < m_groups.size() ? m_groups[index].get() : nullptr; }
    const ResultGroup* Group(size_t index) const
    {
        return index < m_groups.size() ? m_groups[index].get() : nullptr;
    }
    // The groups a tree shows, in order (0: every group).
    std::vector<ResultGroup*> GroupsOf(int category) const;

    // Files and bytes shown for a category (0: all): what the tabs and captions count.
    int FileCount(int category) const;
    int64_t TotalSize(int category) const;
    int CheckedCount(int category) const;
    int64_t CheckedSize(int category) const;

    // One file's mark. Marks of files already removed do not change.
    void SetFileChecked(ResultGroup* group, size_t file, bool checked);
    // Checking a group checks every file but the one it keeps; unchecking clears them all.
    void SetGroupChecked(ResultGroup* group, bool checked);
    // Every group of the category: all files checked but the one kept.
    void AutoSelect(int category);
    void UncheckAll(int category);

    // Checked files of the category that are not removed yet, in tree order.
    std::vector<FoundFileRecord*> CheckedFiles(int category) const;
    // Per group with a checked file of the category: what a removal would take and keep.
    std::vector<RemovalGroup> PlanRemoval(int category) const;
    // Drops the files marked removed (only files really gone are marked), the files for which
    // stillTheScannedFile (when given) says no, and then the groups left with fewer than two
    // files. Files that could not be removed stay, checked.
    PruneOutcome PruneRemoved(const std::function<bool(const FoundFileRecord&)>& stillTheScannedFile = nullptr);

    // "%s(%d %s)": size text, file count, the word for items.
    static std::string GroupCaption(const ResultGroup& group, const std::string& items);
    // Language text "SelectItems" (size text, 64-bit count); empty when nothing is checked.
    std::string SelectionSummary(int category) const;

private:
    // The file auto-select and group checking leave alone: the first that is not removed.
    static size_t KeptFile(const ResultGroup& group);
    bool Shows(int category, const ResultGroup& group) const
    {
        return category == kCategoryAllFiles || group.category == category;
    }

    std::vector<std::unique_ptr<ResultGroup>> m_groups;
    std::shared_ptr<RecordStore> m_store;
};

bool IsRemoved(const FoundFileRecord* record);
