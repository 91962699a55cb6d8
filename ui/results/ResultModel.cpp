// ui/results/ResultModel.cpp
#include "ui/results/ResultModel.h"

#include "app/SafeFormat.h"
#include "finder/GroupKey.h"
#include "ui/results/ResultSizeText.h"

bool IsRemoved(const FoundFileRecord* record)
{
    return record && (record->flags & kRecordRemoved);
}

int ResultGroup::CheckedCount() const
{
    int count = 0;
    for (const ResultFile& file : files)
        count += file.checked ? 1 : 0;
    return count;
}

int64_t ResultGroup::CheckedSize() const
{
    int64_t size = 0;
    for (const ResultFile& file : files)
        if (file.checked && file.record)
            size += file.record->size;
    return size;
}

int64_t ResultGroup::TotalSize() const
{
    int64_t size = 0;
    for (const ResultFile& file : files)
        if (file.record)
            size += file.record->size;
    return size;
}

namespace {

bool AllOneCopy(const ResultGroup& group)
{
    const uint32_t copyClass = group.files.front().record->copyClass;
    if (copyClass == 0)
        return false;
    for (const ResultFile& file : group.files)
        if (file.record->copyClass != copyClass)
            return false;
    return true;
}

}  // namespace

void ResultModel::Clear()
{
    m_groups.clear();
    m_store.reset();
}

int ResultModel::FillCategory(int category, const FileGroupMap& groups)
{
    if (category < kCategoryPhoto || category > kCategoryOther)
        return 0;
    int added = 0;
    for (auto it = groups.begin(); it != groups.end();) {
        auto range = groups.equal_range(it->first);
        std::unique_ptr<ResultGroup> group(new ResultGroup);
        group->category = category;
        group->lookAlike = IsLookAlikeGroupKey(it->first);
        for (auto member = range.first; member != range.second; ++member)
            if (member->second && !IsRemoved(member->second))
                group->files.push_back(ResultFile{member->second, false});
        it = range.second;
        if (group->files.size() < 2)
            continue;
        // Pictures that all share one copy class are byte-for-byte copies of each other: a
        // group of copies, not of look-alikes.
        if (group->lookAlike && AllOneCopy(*group))
            group->lookAlike = false;
        m_groups.push_back(std::move(group));
        ++added;
    }
    return added;
}

std::vector<ResultGroup*> ResultModel::GroupsOf(int category) const
{
    std::vector<ResultGroup*> shown;
    for (const auto& group : m_groups)
        if (Shows(category, *group))
            shown.push_back(group.get());
    return shown;
}

int ResultModel::FileCount(int category) const
{
    int count = 0;
    for (const auto& group : m_groups)
        if (Shows(category, *group))
            count += (int)group->files.size();
    return count;
}

int64_t ResultModel::TotalSize(int category) const
{
    int64_t size = 0;
    for (const auto& group : m_groups)
        if (Shows(category, *group))
            size += group->TotalSize();
    return size;
}

int ResultModel::CheckedCount(int category) const
{
    int count = 0;
    for (const auto& group : m_groups)
        if (Shows(category, *group))
            count += group->CheckedCount();
    return count;
}

int64_t ResultModel::CheckedSize(int category) const
{
    int64_t size = 0;
    for (const auto& group : m_groups)
        if (Shows(category, *group))
            size += group->CheckedSize();
    return size;
}

void ResultModel::SetFileChecked(ResultGroup* group, size_t file, bool checked)
{
    if (!group || file >= group->files.size() || IsRemoved(group->files[file].record))
        return;
    group->files[file].checked = checked;
}

size_t ResultModel::KeptFile(const ResultGroup& group)
{
    for (size_t i = 0; i < group.files.size(); ++i)
        if (!IsRemoved(group.files[i].record))
            return i;
    return group.files.size();
}

void ResultModel::SetGroupChecked(ResultGroup* group, bool checked)
{
    if (!group)
        return;
    const size_t kept = KeptFile(*group);
    for (size_t i = 0; i < group->files.size(); ++i) {
        if (IsRemoved(group->files[i].record))
            continue;
        group->files[i].checked = checked && i != kept;
    }
}

void ResultModel::AutoSelect(int category)
{
    for (const auto& group : m_groups)
        if (Shows(category, *group))
            SetGroupChecked(group.get(), true);
}

void ResultModel::UncheckAll(int category)
{
    for (const auto& group : m_groups)
        if (Shows(category, *group))
            for (ResultFile& file : group->files)
                file.checked = false;
}

std::vector<FoundFileRecord*> ResultModel::CheckedFiles(int category) const
{
    std::vector<FoundFileRecord*> checked;
    for (const auto& group : m_groups)
        if (Shows(category, *group))
            for (const ResultFile& file : group->files)
                if (file.checked && file.record && !IsRemoved(file.record))
                    checked.push_back(file.record);
    return checked;
}

std::vector<RemovalGroup> ResultModel::PlanRemoval(int category) const
{
    std::vector<RemovalGroup> plan;
    for (const auto& group : m_groups) {
        if (!Shows(category, *group))
            continue;
        RemovalGroup removal;
        removal.lookAlike = group->lookAlike;
        for (const ResultFile& file : group->files) {
            if (!file.record || IsRemoved(file.record))
                continue;
            if (file.checked)
                removal.checked.push_back(file.record);
            else
                removal.kept.push_back(file.record);
        }
        if (!removal.checked.empty())
            plan.push_back(removal);
    }
    return plan;
}

PruneOutcome ResultModel::PruneRemoved(const std::function<bool(const FoundFileRecord&)>& stillTheScannedFile)
{
    PruneOutcome outcome;
    auto leave = [&outcome](int category, const FoundFileRecord* record) {
        const int64_t size = record ? record->size : 0;
        for (int k : {(int)kCategoryAllFiles, category}) {
            ++outcome.byCategory[k].files;
            outcome.byCategory[k].bytes += size;
        }
    };
    auto known = [](int category) { return category >= kCategoryPhoto && category <= kCategoryOther; };
    std::vector<std::unique_ptr<ResultGroup>> kept;
    for (auto& group : m_groups) {
        const int category = known(group->category) ? group->category : kCategoryOther;
        std::vector<ResultFile> left;
        for (const ResultFile& file : group->files) {
            if (IsRemoved(file.record)) {
                ++outcome.removedFiles;
                leave(category, file.record);
            } else if (!file.record || (stillTheScannedFile && !stillTheScannedFile(*file.record))) {
                ++outcome.changedFiles;
                leave(category, file.record);
            } else {
                left.push_back(file);
            }
        }
        group->files.swap(left);
        if (group->files.size() < 2) {
            outcome.leftAlone += (int)group->files.size();
            ++outcome.droppedGroups;
            for (const ResultFile& file : group->files)
                leave(category, file.record);
            ++outcome.byCategory[kCategoryAllFiles].groups;
            ++outcome.byCategory[category].groups;
            outcome.dropped.emplace_back(group.release());
            continue;
        }
        kept.push_back(std::move(group));
    }
    m_groups.swap(kept);
    return outcome;
}

std::string ResultModel::GroupCaption(const ResultGroup& group, const std::string& items)
{
    return SafeFormat("%s(%d %s)", "%s(%d %s)",
                      {FormatResultSize(group.TotalSize()), (int)group.files.size(), items});
}

std::string ResultModel::SelectionSummary(int category) const
{
    const int count = CheckedCount(category);
    if (count <= 0)
        return std::string();
    return FormatLangCount("SelectItems", count, FormatResultSize(CheckedSize(category)), (long long)count);
}
