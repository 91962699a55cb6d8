// ui/results/RecycleRemoval.cpp
#include "ui/results/RecycleRemoval.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

bool PathIsGone(const std::string& path)
{
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Another program holding the file open without delete sharing: Windows refuses to move it,
// and the shell, failing to put it in the bin, would ask from the worker whether to delete it
// for ever. Under Wine it would move it all the same. So ask first, on every system.
bool InUseByAnother(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return false;
}

// Files of one folder ready for one shell call.
struct ShellCall
{
    std::string folder;
    std::vector<FoundFileRecord*> records;
    std::vector<std::string> paths;
};

std::string Folded(std::string name)
{
    for (char& ch : name)
        if (ch >= 'A' && ch <= 'Z')
            ch = (char)(ch - 'A' + 'a');
    return name;
}

// The names left in a folder after a shell call. Asking for each file whether it is gone
// would cost a look through the whole folder each (the file system's case-blind search), and
// under Wine that search answers for "FOREST.JPG" with a "forest.jpg" beside it; so the
// folder is read once and each file looked up by its own name: its long name, or the short
// name by which a name the code page cannot hold is reached.
class FolderNames
{
public:
    enum Presence
    {
        kGone,
        kThere,
        kOtherCase,  // only a name differing in case is there: the same file, or its twin
    };

    explicit FolderNames(const std::string& folder)
    {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
        m_read = find != INVALID_HANDLE_VALUE;
        if (!m_read)
            return;
        do {
            for (const char* name : {data.cFileName, data.cAlternateFileName})
                if (name[0]) {
                    m_exact.insert(name);
                    m_folded.insert(Folded(name));
                }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }

    // Without a listing, the path itself is asked.
    Presence Of(const std::string& name, const std::string& path) const
    {
        if (!m_read)
            return PathIsGone(path) ? kGone : kThere;
        if (m_exact.count(name))
            return kThere;
        return m_folded.count(Folded(name)) ? kOtherCase : kGone;
    }

    // Gone after a shell call that returned result.
    bool Gone(const std::string& name, const std::string& path, int result) const
    {
        const Presence presence = Of(name, path);
        return presence == kGone || (presence == kOtherCase && result == 0);
    }

private:
    bool m_read = false;
    std::set<std::string> m_exact, m_folded;
};

// One call for all, then each file looked at. After a failed call the shell may have
// stopped at its first error: the files still there are tried once more on their own, so
// one refusal does not fail its neighbours. A file whose name is gone while a name differing
// in case only is there went, when the shell said all went well; after a failed call it
// counts as refused and is not tried again, for that path might now reach its twin.
void Call(IRecycleShell& shell, const ShellCall& call, bool toRecycleBin, HWND owner, RemovalReport& report)
{
    if (call.paths.empty())
        return;
    const int result = shell.Delete(call.paths, toRecycleBin, owner);
    const FolderNames left(call.folder);
    std::vector<bool> gone(call.paths.size()), retried(call.paths.size());
    std::vector<int> results(call.paths.size(), result);
    for (size_t i = 0; i < call.paths.size(); ++i) {
        const std::string& name = call.records[i]->name;
        gone[i] = left.Gone(name, call.paths[i], result);
        if (left.Of(name, call.paths[i]) == FolderNames::kThere && result != 0 && call.paths.size() > 1 &&
            StillTheScannedFile(*call.records[i])) {
            results[i] = shell.Delete({call.paths[i]}, toRecycleBin, owner);
            retried[i] = true;
        }
    }
    if (std::count(retried.begin(), retried.end(), true)) {
        const FolderNames after(call.folder);
        for (size_t i = 0; i < call.paths.size(); ++i)
            if (retried[i])
                gone[i] = after.Gone(call.records[i]->name, call.paths[i], results[i]);
    }
    for (size_t i = 0; i < call.paths.size(); ++i) {
        if (gone[i]) {
            call.records[i]->flags |= kRecordRemoved;
            ++(toRecycleBin ? report.removed : report.deletedForEver);
        } else {
            report.Fail(call.paths[i], results[i] != 0 ? kRemovalRefused : kRemovalStillThere);
        }
    }
}

}  // namespace

int RemovalReport::Count(RemovalFailure why) const
{
    return (int)std::count(failures.begin(), failures.end(), why);
}

bool StillTheScannedFile(const FoundFileRecord& record)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(record.FullPath().c_str(), GetFileExInfoStandard, &data))
        return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    const int64_t size = (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const uint64_t time = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return size == record.size && (record.time == 0 || time == record.time);
}

RemovalFailure MoveFileToRecycleBin(const std::string& path, IRecycleShell& shell)
{
    const size_t slash = path.rfind('\\');
    if (path.empty() || path.size() >= MAX_PATH || slash == std::string::npos || InUseByAnother(path))
        return kRemovalRefused;
    const std::vector<bool> bin = shell.HaveRecycleBins({path.substr(0, slash + 1)});
    if (bin.empty() || !bin[0])
        return kRemovalNoRecycleBin;
    const int result = shell.Delete({path}, true, nullptr);
    if (FolderNames(path.substr(0, slash + 1)).Gone(path.substr(slash + 1), path, result))
        return kRemovalOk;
    return result != 0 ? kRemovalRefused : kRemovalStillThere;
}

RecycleRemoval::RecycleRemoval(std::vector<RemovalGroup> groups, IRecycleShell& shell, HWND owner)
    : m_groups(std::move(groups)), m_shell(shell), m_owner(owner)
{
    for (size_t g = 0; g < m_groups.size(); ++g)
        for (FoundFileRecord* record : m_groups[g].checked)
            if (record)
                m_items.push_back(Item{record, g, false});
    // Folder by folder, each folder in the order of the rows.
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const Item& a, const Item& b) { return a.record->folder.str() < b.record->folder.str(); });
}

int RecycleRemoval::GroupsLosingEveryFile() const
{
    int count = 0;
    for (const RemovalGroup& group : m_groups)
        count += group.kept.empty() && !group.checked.empty() && !group.mayLoseEveryFile ? 1 : 0;
    return count;
}

void RecycleRemoval::LetGroupsLoseEveryFile()
{
    for (RemovalGroup& group : m_groups)
        if (group.kept.empty())
            group.mayLoseEveryFile = true;
}

int RecycleRemoval::FindFilesWithoutRecycleBin()
{
    // The items stand folder by folder: each folder asked once.
    std::vector<std::string> folders;
    for (const Item& item : m_items)
        if (folders.empty() || folders.back() != item.record->folder.str())
            folders.push_back(item.record->folder.str());
    const std::vector<bool> answers = m_shell.HaveRecycleBins(folders);
    int count = 0;
    size_t folder = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (i > 0 && m_items[i].record->folder.str() != m_items[i - 1].record->folder.str())
            ++folder;
        m_items[i].noRecycleBin = folder >= answers.size() || !answers[folder];
        count += m_items[i].noRecycleBin ? 1 : 0;
    }
    return count;
}

bool RecycleRemoval::GroupKeepsACopy(size_t group) const
{
    const RemovalGroup& g = m_groups[group];
    if (g.mayLoseEveryFile)
        return true;
    for (const FoundFileRecord* kept : g.kept)
        if (kept && !IsRemoved(kept) && StillTheScannedFile(*kept))
            return true;
    return false;
}

void RecycleRemoval::RemoveBatch(size_t first, size_t last, RemovalReport& report)
{
    // Just before the files go: does each of their groups still keep a copy?
    std::map<size_t, bool> keeps;
    ShellCall toBin, forEver;
    toBin.folder = forEver.folder = m_items[first].record->folder.str();
    for (size_t i = first; i < last; ++i) {
        const Item& item = m_items[i];
        FoundFileRecord* record = item.record;
        if (IsRemoved(record))
            continue;
        auto known = keeps.find(item.group);
        if (known == keeps.end())
            known = keeps.emplace(item.group, GroupKeepsACopy(item.group)).first;
        const std::string path = record->FullPath();
        if (!known->second)
            report.Fail(path, kRemovalNoKeptCopy);
        else if (!StillTheScannedFile(*record))
            report.Fail(path, kRemovalChanged);
        else if (path.size() >= MAX_PATH || InUseByAnother(path))
            report.Fail(path, kRemovalRefused);  // the shell takes no longer path; never cut one
        else if (item.noRecycleBin && !m_deleteForEver)
            report.Fail(path, kRemovalNoRecycleBin);
        else {
            ShellCall& call = item.noRecycleBin ? forEver : toBin;
            call.records.push_back(record);
            call.paths.push_back(path);
        }
    }
    Call(m_shell, toBin, true, m_owner, report);
    Call(m_shell, forEver, false, m_owner, report);
}

RemovalReport RecycleRemoval::Run(RemovalProgress* progress)
{
    RemovalReport report;
    size_t first = 0;
    while (first < m_items.size()) {
        if (progress && progress->stop.load()) {
            for (size_t i = first; i < m_items.size(); ++i)
                if (!IsRemoved(m_items[i].record))
                    report.Fail(m_items[i].record->FullPath(), kRemovalStopped);
            break;
        }
        size_t last = first + 1;
        while (last < m_items.size() && last - first < kBatchFiles &&
               m_items[last].record->folder.str() == m_items[first].record->folder.str())
            ++last;
        RemoveBatch(first, last, report);
        if (progress)
            progress->done += (int)(last - first);
        first = last;
    }
    return report;
}
