// ui/results/TreeRowRecord.cpp
#include "ui/results/TreeRowRecord.h"

GroupMark MarkOfGroup(const ResultGroup& group)
{
    const int checked = group.CheckedCount();
    if (checked == 0)
        return kGroupUnchecked;
    int alive = 0;
    for (const ResultFile& file : group.files)
        alive += IsRemoved(file.record) ? 0 : 1;
    if (checked >= alive)
        return kGroupAllChecked;
    return checked >= alive - 1 ? kGroupChecked : kGroupPartlyChecked;
}

int CopyPartnerOf(const ResultGroup& group, size_t member)
{
    if (member >= group.files.size() || !group.files[member].record)
        return 0;
    const uint32_t copyClass = group.files[member].record->copyClass;
    if (copyClass == 0)
        return 0;
    for (size_t i = 0; i < group.files.size(); ++i)
        if (i != member && group.files[i].record && group.files[i].record->copyClass == copyClass)
            return (int)i + 1;
    return 0;
}

void TreeRowRecord::SyncMarks()
{
    if (!group)
        return;
    if (isGroup) {
        checked = MarkOfGroup(*group);
        checkedCount = group->CheckedCount();
        checkedSize = group->CheckedSize();
        fileCount = (int)group->files.size();
    } else if (member >= 0 && (size_t)member < group->files.size()) {
        checked = group->files[member].checked ? 1 : 0;
    }
}
