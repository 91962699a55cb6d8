// ui/results/RecycleRemoval.cpp
#include "ui/results/RecycleRemoval.h"

#include <algorithm>

#include "finder/KeptCopyProof.h"
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

// Files of one folder ready for one shell call, and what became of each.
struct ShellCall
{
    std::string folder;
    std::vector<FoundFileRecord*> records;
    std::vector<std::string> paths;
    std::vector<size_t> items;  // the removal's item of each
    std::vector<std::wstring> keys;  // how the bin would list each (RecycleBinKey)
    // Out: the files that left their folder, and those the bin turned away.
    std::vector<bool> gone, binRefused;
    bool folderRefused = false;  // the bin took none of them and turned them away

    void Add(FoundFileRecord* record, const std::string& path, size_t item)
    {
        records.push_back(record);
        paths.push_back(path);
        items.push_back(item);
        // The folder's long form is asked once; a name with a '~' may be a short one.
        if (record->name.find('~') != std::string::npos) {
            keys.push_back(RecycleBinKey(path));
            return;
        }
        if (folderKey.empty())
            folderKey = RecycleBinKey(folder.empty() ? record->folder.str() : folder);
        keys.push_back(RecycleBinKey(folderKey, Widened(record->name)));
    }

private:
    std::wstring folderKey;
    static std::wstring Widened(const std::string& text)
    {
        const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), (int)text.size(), nullptr, 0);
        std::wstring wide((size_t)std::max(0, length), L'\0');
        if (length > 0)
            MultiByteToWideChar(CP_ACP, 0, text.c_str(), (int)text.size(), &wide[0], length);
        return wide;
    }
};

// The shell call, then each file looked at. When the shell stopped at a file the bin would
// not take after others went, the files after it are handed over again. A call the bin turns
// away whole is split in halves, each handed over on its own, and each half turned away whole
// split again, down to single files: one refused file among n costs some 2 log n calls, and
// only the files the bin really refused are held as turned away. Unless the bin took some
// file of that drive before, two halves turned away whole mean a bin that takes nothing: all
// are held as turned away, with no more calls. After any other failed call the shell may
// have stopped at its first error: the files still there are tried once more on their own,
// so one refusal does not fail its neighbours. A file whose name is gone while a name
// differing in case only is there went, when the shell said all went well; after a failed
// call it counts as refused and is not tried again, for that path might now reach its twin.
class CallRun
{
public:
    // binWorks: the bin took a file of this drive before; set when it takes one now.
    CallRun(IRecycleShell& shell, ShellCall& call, bool toRecycleBin, HWND owner, bool& binWorks)
        : m_shell(shell), m_call(call), m_toRecycleBin(toRecycleBin), m_owner(owner), m_binWorks(binWorks)
    {
        const size_t n = call.paths.size();
        call.gone.assign(n, false);
        call.binRefused.assign(n, false);
        call.folderRefused = false;
        m_failures.assign(n, kRemovalOk);
    }

    void Run(RemovalReport& report)
    {
        std::vector<size_t> all;
        for (size_t i = 0; i < m_call.paths.size(); ++i)
            all.push_back(i);
        int result = 0;
        std::vector<size_t> still = Send(all, &result);
        Settle(all, result, still);
        for (size_t i = 0; i < all.size(); ++i) {
            if (m_call.gone[i]) {
                m_call.records[i]->flags |= kRecordRemoved;
                if (!m_toRecycleBin)
                    ++report.deletedForEver;
            } else if (m_call.binRefused[i]) {
                report.Fail(m_call.paths[i], kRemovalBinCannotTake);
            } else {
                report.Fail(m_call.paths[i], m_failures[i] != kRemovalOk ? m_failures[i] : kRemovalRefused);
            }
        }
    }

private:
    // One shell call for the files part; returns those still in their folder.
    std::vector<size_t> Send(const std::vector<size_t>& part, int* result)
    {
        std::vector<std::string> paths;
        for (size_t i : part)
            paths.push_back(m_call.paths[i]);
        *result = m_shell.Delete(paths, m_toRecycleBin, m_owner);
        const FolderNames left(m_call.folder);
        std::vector<size_t> still;
        for (size_t i : part) {
            if (left.Gone(m_call.records[i]->name, m_call.paths[i], *result))
                m_call.gone[i] = true;
            else
                still.push_back(i);
        }
        if (m_toRecycleBin && still.size() < part.size())
            m_binWorks = true;
        return still;
    }

    // What a call of the files sent, that left the files still, tells.
    void Settle(std::vector<size_t> sent, int result, std::vector<size_t> still)
    {
        while (!still.empty()) {
            const bool wentNow = still.size() < sent.size();
            const bool turnedAway = result == kShellBinCannotTake || (m_toRecycleBin && result == 0 && !wentNow);
            if (turnedAway && !wentNow) {
                if (still.size() > 1)
                    return Split(still);
                m_call.binRefused[still[0]] = true;
                m_call.folderRefused = !m_binWorks;
                return;
            }
            if (result == kShellBinCannotTake) {
                m_call.binRefused[still[0]] = true;
                sent.assign(still.begin() + 1, still.end());
                still = Send(sent, &result);
                continue;
            }
            if (result == 0) {
                for (size_t i : still)
                    m_failures[i] = kRemovalStillThere;
                return;
            }
            const FolderNames left(m_call.folder);
            for (size_t i : still) {
                m_failures[i] = kRemovalRefused;
                if (sent.size() == 1 || left.Of(m_call.records[i]->name, m_call.paths[i]) != FolderNames::kThere ||
                    !StillTheScannedFile(*m_call.records[i]))
                    continue;
                int alone = 0;
                if (Send({i}, &alone).empty())
                    continue;
                if (alone == kShellBinCannotTake)
                    m_call.binRefused[i] = true;
            }
            return;
        }
    }

    // Files of one call that the bin turned away, all of them.
    void Split(const std::vector<size_t>& part)
    {
        const size_t half = part.size() / 2;
        const std::vector<size_t> first(part.begin(), part.begin() + half), second(part.begin() + half, part.end());
        int firstResult = 0, secondResult = 0;
        const std::vector<size_t> firstStill = Send(first, &firstResult);
        const std::vector<size_t> secondStill = Send(second, &secondResult);
        if (!m_binWorks) {
            for (size_t i : part)
                m_call.binRefused[i] = !m_call.gone[i];
            m_call.folderRefused = true;
            return;
        }
        Settle(first, firstResult, firstStill);
        Settle(second, secondResult, secondStill);
    }

    IRecycleShell& m_shell;
    ShellCall& m_call;
    bool m_toRecycleBin;
    HWND m_owner;
    bool& m_binWorks;
    std::vector<RemovalFailure> m_failures;
};

char DriveOf(const std::string& folder)
{
    if (folder.size() < 2 || folder[1] != ':')
        return 0;
    const char drive = folder[0];
    return drive >= 'a' && drive <= 'z' ? (char)(drive - 'a' + 'A') : drive;
}

// The name without its extension: a bin that hides known extensions lists "photo" for
// "photo.jpg".
std::wstring WithoutExtension(const std::wstring& key)
{
    const size_t slash = key.rfind(L'\\');
    const size_t dot = key.rfind(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return key;
    return key.substr(0, dot);
}

RemovalFailure OutcomeOf(KeptCopyProof::Verdict verdict)
{
    switch (verdict) {
    case KeptCopyProof::kCopyStays:
        return kRemovalOk;
    case KeptCopyProof::kNoCopyStays:
        return kRemovalNoKeptCopy;
    case KeptCopyProof::kUnreadable:
        return kRemovalRefused;  // in use, or gone meanwhile
    case KeptCopyProof::kStopped:
        break;
    }
    return kRemovalStopped;
}

}  // namespace

// Files sent to the bin that left their folder, told as restorable only when the bin holds
// them: an entry of their path that was not there before the removal.
class BinLedger
{
public:
    void Before(IRecycleShell& shell)
    {
        if (!m_started)
            m_readBefore = shell.ListRecycleBin(m_before);
        m_started = true;
    }
    void Sent(const std::wstring& key) { m_sent.push_back(key); }

    void Settle(IRecycleShell& shell, RemovalReport& report)
    {
        if (m_sent.empty())
            return;
        std::vector<std::wstring> after;
        if (!m_readBefore || !shell.ListRecycleBin(after)) {
            // The bin cannot be read: the shell's word is all there is.
            report.removed += (int)m_sent.size();
            m_sent.clear();
            return;
        }
        std::map<std::wstring, int> added, addedStems;
        for (const std::wstring& key : after) {
            ++added[key];
            ++addedStems[WithoutExtension(key)];
        }
        for (const std::wstring& key : m_before) {
            --added[key];
            --addedStems[WithoutExtension(key)];
        }
        for (const std::wstring& key : m_sent) {
            if (!key.empty() && added[key] > 0) {
                --added[key];
                --addedStems[WithoutExtension(key)];
                ++report.removed;
            } else if (!key.empty() && addedStems[WithoutExtension(key)] > 0) {
                --addedStems[WithoutExtension(key)];
                ++report.removed;
            } else {
                ++report.goneNotInBin;
            }
        }
        m_sent.clear();
    }

private:
    bool m_started = false, m_readBefore = false;
    std::vector<std::wstring> m_before, m_sent;
};


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
    FoundFileRecord record;
    record.folder = path.substr(0, slash + 1);
    record.name = path.substr(slash + 1);
    ShellCall call;
    call.folder = record.folder.str();
    call.Add(&record, path, 0);
    RemovalReport report;
    BinLedger ledger;
    ledger.Before(shell);
    bool binWorks = false;
    CallRun(shell, call, true, nullptr, binWorks).Run(report);
    if (call.gone[0])
        ledger.Sent(call.keys[0]);
    ledger.Settle(shell, report);
    if (report.removed == 1)
        return kRemovalOk;
    return report.failures.empty() ? kRemovalStillThere : report.failures[0];
}

RecycleRemoval::RecycleRemoval(std::vector<RemovalGroup> groups, IRecycleShell& shell, HWND owner,
                               IFileSource& files)
    : m_groups(std::move(groups)), m_shell(shell), m_owner(owner), m_files(files)
{
    for (size_t g = 0; g < m_groups.size(); ++g)
        for (FoundFileRecord* record : m_groups[g].checked)
            if (record)
                m_items.push_back(Item{record, g, false, false, kRemovalOk});
    // Folder by folder, each folder in the order of the rows.
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const Item& a, const Item& b) { return a.record->folder.str() < b.record->folder.str(); });
    m_groupItems.resize(m_groups.size());
    for (size_t i = 0; i < m_items.size(); ++i)
        m_groupItems[m_items[i].group].push_back(i);
}

int RemovalReport::Count(RemovalFailure why) const
{
    return (int)std::count(failures.begin(), failures.end(), why);
}

void RemovalReport::Replace(RemovalFailure why, const RemovalReport& next)
{
    std::vector<std::string> paths;
    std::vector<RemovalFailure> kinds;
    for (size_t i = 0; i < failures.size(); ++i)
        if (failures[i] != why) {
            paths.push_back(failedPaths[i]);
            kinds.push_back(failures[i]);
        }
    failedPaths = std::move(paths);
    failures = std::move(kinds);
    removed += next.removed;
    deletedForEver += next.deletedForEver;
    goneNotInBin += next.goneNotInBin;
    for (size_t i = 0; i < next.failures.size(); ++i)
        Fail(next.failedPaths[i], next.failures[i]);
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

// Each checked file of the group, all of them at once: changed since the scan, or a copy of
// a file that stays, proven by the bytes of both as they are now. The files that stay are
// read once for all the group's checked files, whatever their folders.
void RecycleRemoval::ProveGroup(size_t group)
{
    const RemovalGroup& g = m_groups[group];
    m_provenIn[group] = m_batch;
    std::map<int64_t, std::vector<size_t>> bySize;
    for (size_t i : m_groupItems[group]) {
        Item& item = m_items[i];
        if (IsRemoved(item.record))
            continue;
        item.proof = StillTheScannedFile(*item.record) ? kRemovalOk : kRemovalChanged;
        if (item.proof == kRemovalOk && !g.mayLoseEveryFile)
            bySize[item.record->size].push_back(i);
    }
    if (bySize.empty())
        return;
    // Look-alike pictures are not copies of one another: the group keeps a file while one
    // that stays is still as the scan found it.
    std::vector<std::string> kept;
    for (const FoundFileRecord* record : g.kept)
        if (record && !IsRemoved(record) && (!g.lookAlike || StillTheScannedFile(*record)))
            kept.push_back(record->FullPath());
    if (g.lookAlike) {
        for (const auto& size : bySize)
            for (size_t i : size.second)
                m_items[i].proof = kept.empty() ? kRemovalNoKeptCopy : kRemovalOk;
        return;
    }
    KeptCopyProof proof(m_files);
    for (const auto& size : bySize) {
        std::vector<std::string> paths;
        for (size_t i : size.second)
            paths.push_back(m_items[i].record->FullPath());
        const std::vector<KeptCopyProof::Verdict> verdicts = proof.Prove(kept, paths, uint64_t(size.first), m_stop);
        for (size_t k = 0; k < verdicts.size(); ++k)
            m_items[size.second[k]].proof = OutcomeOf(verdicts[k]);
    }
}

void RecycleRemoval::RemoveBatch(const std::vector<size_t>& batch, RemovalReport& report, BinLedger& ledger)
{
    ++m_batch;
    ShellCall toBin, forEver;
    const std::string folder = m_items[batch[0]].record->folder.str();
    toBin.folder = forEver.folder = folder;
    const char drive = DriveOf(folder);
    const bool binRefused = std::count(m_refusedFolders.begin(), m_refusedFolders.end(), folder) ||
                            (drive && std::count(m_refusedDrives.begin(), m_refusedDrives.end(), drive));
    for (size_t i : batch) {
        Item& item = m_items[i];
        FoundFileRecord* record = item.record;
        if (IsRemoved(record))
            continue;
        // Just before the files go: each still a copy of a file that stays? A file proven
        // with a batch before this one must still be as it was then.
        if (m_provenIn[item.group] < 0)
            ProveGroup(item.group);
        const std::string path = record->FullPath();
        if (item.proof == kRemovalOk && m_provenIn[item.group] != m_batch && !StillTheScannedFile(*record))
            item.proof = kRemovalChanged;
        if (item.proof != kRemovalOk)
            report.Fail(path, item.proof);
        else if (path.size() >= MAX_PATH || InUseByAnother(path))
            report.Fail(path, kRemovalRefused);  // the shell takes no longer path; never cut one
        else if (item.noRecycleBin && !m_deleteForEver)
            report.Fail(path, kRemovalNoRecycleBin);
        else if (!item.noRecycleBin && binRefused) {
            item.binRefused = true;
            report.Fail(path, kRemovalBinCannotTake);
        } else
            (item.noRecycleBin ? forEver : toBin).Add(record, path, i);
    }
    if (!toBin.paths.empty()) {
        ledger.Before(m_shell);
        // After a folder of this drive was turned away, the next folder tries one file
        // first: a bin that turns that away too is held unusable for the whole drive.
        const bool suspect = drive && std::count(m_suspectDrives.begin(), m_suspectDrives.end(), drive);
        std::vector<ShellCall> calls(1, toBin);
        if (suspect && toBin.paths.size() > 1) {
            calls.assign(2, ShellCall());
            for (size_t k = 0; k < toBin.paths.size(); ++k)
                calls[k == 0 ? 0 : 1].Add(toBin.records[k], toBin.paths[k], toBin.items[k]);
            calls[0].folder = calls[1].folder = folder;
        }
        for (ShellCall& call : calls) {
            bool binWorks = drive && std::count(m_workingDrives.begin(), m_workingDrives.end(), drive);
            if (drive && std::count(m_refusedDrives.begin(), m_refusedDrives.end(), drive)) {
                for (size_t k = 0; k < call.paths.size(); ++k) {
                    m_items[call.items[k]].binRefused = true;
                    report.Fail(call.paths[k], kRemovalBinCannotTake);
                }
                continue;
            }
            CallRun(m_shell, call, true, m_owner, binWorks).Run(report);
            if (binWorks && drive && !std::count(m_workingDrives.begin(), m_workingDrives.end(), drive))
                m_workingDrives.push_back(drive);
            for (size_t k = 0; k < call.paths.size(); ++k) {
                if (call.gone[k])
                    ledger.Sent(call.keys[k]);
                m_items[call.items[k]].binRefused = call.binRefused[k];
            }
            if (call.folderRefused) {
                m_refusedFolders.push_back(folder);
                if (suspect)
                    m_refusedDrives.push_back(drive);
                else if (drive)
                    m_suspectDrives.push_back(drive);
            } else if (suspect && std::count(call.gone.begin(), call.gone.end(), true)) {
                m_suspectDrives.erase(std::remove(m_suspectDrives.begin(), m_suspectDrives.end(), drive),
                                      m_suspectDrives.end());
            }
        }
    }
    if (!forEver.paths.empty()) {
        bool binWorks = false;  // not asked: these never go to a bin
        CallRun(m_shell, forEver, false, m_owner, binWorks).Run(report);
    }
}

RemovalReport RecycleRemoval::RunItems(const std::vector<size_t>& items, RemovalProgress* progress)
{
    RemovalReport report;
    BinLedger ledger;
    // Every run proves its groups anew: the second one comes after the user's answer.
    m_provenIn.assign(m_groups.size(), -1);
    m_stop = progress ? &progress->stop : nullptr;
    size_t first = 0;
    while (first < items.size()) {
        if (progress && progress->stop.load()) {
            for (size_t i = first; i < items.size(); ++i)
                if (!IsRemoved(m_items[items[i]].record))
                    report.Fail(m_items[items[i]].record->FullPath(), kRemovalStopped);
            break;
        }
        const std::string& folder = m_items[items[first]].record->folder.str();
        std::vector<size_t> batch(1, items[first]);
        size_t last = first + 1;
        while (last < items.size() && batch.size() < kBatchFiles && m_items[items[last]].record->folder.str() == folder)
            batch.push_back(items[last++]);
        RemoveBatch(batch, report, ledger);
        if (progress)
            progress->done += (int)batch.size();
        first = last;
    }
    ledger.Settle(m_shell, report);
    return report;
}

RemovalReport RecycleRemoval::Run(RemovalProgress* progress)
{
    std::vector<size_t> items;
    for (size_t i = 0; i < m_items.size(); ++i)
        items.push_back(i);
    return RunItems(items, progress);
}

int RecycleRemoval::BinRefusedCount() const
{
    return (int)BinRefusedPaths().size();
}

std::vector<std::string> RecycleRemoval::BinRefusedPaths() const
{
    std::vector<std::string> paths;
    for (const Item& item : m_items)
        if (item.binRefused && !IsRemoved(item.record))
            paths.push_back(item.record->FullPath());
    return paths;
}

RemovalReport RecycleRemoval::DeleteBinRefusedForEver(RemovalProgress* progress)
{
    std::vector<size_t> items;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].binRefused && !IsRemoved(m_items[i].record)) {
            m_items[i].binRefused = false;
            m_items[i].noRecycleBin = true;
            items.push_back(i);
        }
    m_deleteForEver = true;
    return RunItems(items, progress);
}
