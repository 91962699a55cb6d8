// finder/Win32FileFinderModel.cpp
// The folder walk and the keying of the files it accepts.
#include "finder/Win32FileFinderModel.h"

#include <algorithm>
#include <memory>
#include <new>
#include <set>

#include "app/TextCase.h"
#include "finder/ContentMatch.h"
#include "finder/FilesFilter.h"
#include "finder/GroupKey.h"
#include "finder/ParallelWork.h"
#include "finder/ScanState.h"
#include "finder/SystemFolder.h"

namespace {

struct WalkerContext
{
    Win32FileFinderModel* model;
    int walker;
};

}  // namespace

Win32FileFinderModel::Win32FileFinderModel(IFilesFilter* filter, IFileSource* source)
    : m_filter(filter), m_source(source ? source : &PlatformFileSource()),
      m_percent(g_similarityPercent),
      // 100 is exact duplicates only; a larger number is no looser.
      m_similarPictures(m_percent < 100 ? 1 : 0)
{
    InitializeCriticalSection(&m_resultLock);
    InitializeCriticalSection(&m_pictureLock);
    InitializeConditionVariable(&m_walkerWake);
    InitializeConditionVariable(&m_pictureQueued);
}

Win32FileFinderModel::~Win32FileFinderModel()
{
    // Records a search did not hand over (none, unless it was interrupted) are freed here.
    for (auto& list : m_candidates) {
        for (FoundFileRecord* record : list)
            delete record;
    }
    DeleteCriticalSection(&m_resultLock);
    DeleteCriticalSection(&m_pictureLock);
}

IFileFinderModel* Win32FileFinderModel::SetSimilarPictures(uint32_t on)
{
    m_similarPictures = on;
    return this;
}

void Win32FileFinderModel::FindDuplicates(std::string folder, FileGroupMap* result,
                                          SimilarPicturePairs* pairs)
{
    m_result = result;
    m_pairs = pairs;
    m_unlistableFolders.Clear();
    m_unreadableFiles.Clear();
    LoadPictureLibrary();
    if (PicturesOn())
        StartComparisonThread();
    WalkTopFolder(m_source->LongFolderName(folder));
}

void Win32FileFinderModel::FindSimilarFiles(std::string folder, SimilarPicturePairs* pairs)
{
    m_result = nullptr;
    m_pairs = pairs;
    m_unlistableFolders.Clear();
    m_unreadableFiles.Clear();
    LoadPictureLibrary();
    if (!m_similarPictures || !m_hashValue || !m_isSimilar)
        return;
    m_everyFileToPictures = true;
    StartComparisonThread();
    WalkTopFolder(m_source->LongFolderName(folder));
    m_everyFileToPictures = false;
}

bool Win32FileFinderModel::IsSystemFolder(const std::string& path, bool hidden) const
{
    return IsSystemPath(path, hidden, MachineSystemFolders());
}

void Win32FileFinderModel::WalkTopFolder(const std::string& folder)
{
    g_scanPhase = kPhaseListing;
    bool listed = ListOneFolder(
        folder, [this](const std::string& sub) { m_pendingFolders.push_back(sub); },
        [this](FoundFileRecord* record, const std::string& path) { AcceptCandidate(record, path, m_candidates[0]); });
    m_topFolderListed = m_unlistableFolders.count == 0;
    if (listed && !g_scanStop && !m_pendingFolders.empty())
        RunWalkers();
    FinishPictures();
    KeyCandidates();
}

bool Win32FileFinderModel::ListOneFolder(const std::string& folder,
                                         const std::function<void(const std::string&)>& onSubFolder,
                                         const std::function<void(FoundFileRecord*, const std::string&)>& onFile)
{
    bool stopped = false;
    // What every file of the folder shares, made at its first file: the folder text of the
    // records, the system-folder test, and the counters (added up here, not per file).
    FolderFiles files;
    bool first = true;
    bool listed = m_source->ListFolder(folder, [&](const FolderEntry& entry) {
        if (g_scanStop) {
            stopped = true;
            return false;
        }
        // A nameless entry's child path is the folder itself: walking it would never end.
        if (entry.name.empty() || (!entry.IsFolder() && entry.IsAway()))
            return true;
        const std::string path = ChildPath(folder, entry.name);
        if (entry.unreachable) {
            LeftOut(entry, path);
            return true;
        }
        // A link is skipped: through it a file would stand beside itself, and a link back into
        // the tree would never end. Another file system mounted here is searched.
        if (entry.IsLink() && !(entry.IsFolder() && m_source->IsMountedFolder(path)))
            return true;
        if (entry.IsFolder()) {
            if (entry.name != "." && entry.name != "..")
                onSubFolder(path);
            return true;
        }
        if (first) {
            first = false;
            files.folder = SharedFolder(path.substr(0, path.size() - entry.name.size()));
            files.system = FolderSystemTest(files.folder, MachineSystemFolders());
        }
        if (FoundFileRecord* record = AcceptEntry(path, files, entry))
            onFile(record, path);
        if (files.listed >= 256)
            files.Flush();
        return true;
    });
    files.Flush();
    if (!listed) {
        EnterCriticalSection(&m_resultLock);
        m_unlistableFolders.Add(folder);
        LeaveCriticalSection(&m_resultLock);
    }
    return !stopped;
}

// A folder that no path reaches is told with those that could not be listed; a file, when it
// is not empty, with those that could not be read.
void Win32FileFinderModel::LeftOut(const FolderEntry& entry, const std::string& path)
{
    if (!entry.IsFolder() && entry.size == 0)
        return;
    EnterCriticalSection(&m_resultLock);
    if (entry.IsFolder())
        m_unlistableFolders.Add(path);
    else
        m_unreadableFiles.Add(path);
    LeaveCriticalSection(&m_resultLock);
}

void Win32FileFinderModel::FolderFiles::Flush()
{
    if (listed)
        g_scanFilesListed += listed;
    if (bytes)
        g_scanBytesSeen += bytes;
    listed = 0;
    bytes = 0;
}

FoundFileRecord* Win32FileFinderModel::AcceptEntry(const std::string& path, FolderFiles& files,
                                                   const FolderEntry& entry)
{
    ++files.listed;
    uint64_t size = entry.size;
    // A listed 0 may be stale (a hard link's entry keeps the size it was written with).
    if (size == 0 && !m_source->FileSize(path, &size))
        return nullptr;
    if (size == 0 || size > uint64_t(INT64_MAX))
        return nullptr;
    files.bytes += size;
    if (files.system.IsSystem(entry.name, (entry.attributes & FILE_ATTRIBUTE_HIDDEN) != 0))
        return nullptr;
    FoundFileRecord* record = new (std::nothrow) FoundFileRecord;
    if (!record)
        return nullptr;
    record->name = entry.name;
    record->folder = files.folder;
    record->time = entry.writeTime;
    record->attributes = entry.attributes & 0xFF;
    record->size = int64_t(size);
    record->flags = 0;
    FoundFileRecord probe;
    if (m_filter && m_filter->IsExcluded(&JudgedByExtension(*record, entry.longExtension, probe))) {
        delete record;
        return nullptr;
    }
    if (!entry.longExtension.empty()) {
        EnterCriticalSection(&m_resultLock);
        m_longExtensions[record] = LowerAscii(entry.longExtension);
        LeaveCriticalSection(&m_resultLock);
    }
    return record;
}

// What the filter sees of a file: a file reached by its short name ("FOTO~1.JPE") is judged by
// its long name's extension ("jpeg"), as it is keyed; size and attributes are its own.
const FoundFileRecord& Win32FileFinderModel::JudgedByExtension(const FoundFileRecord& record,
                                                               const std::string& extension,
                                                               FoundFileRecord& probe)
{
    if (extension.empty() || extension == "null" || LowerAscii(GetLowerExtension(record.name)) == extension)
        return record;
    probe.name = "." + extension;
    probe.size = record.size;
    probe.attributes = record.attributes;
    probe.time = record.time;
    return probe;
}

std::string Win32FileFinderModel::ExtensionOf(const FoundFileRecord* record)
{
    if (!m_longExtensions.empty()) {
        EnterCriticalSection(&m_resultLock);
        auto it = m_longExtensions.find(record);
        std::string extension = it == m_longExtensions.end() ? std::string() : it->second;
        LeaveCriticalSection(&m_resultLock);
        if (!extension.empty())
            return extension;
    }
    return KeyExtension(record->name);
}

void Win32FileFinderModel::AcceptCandidate(FoundFileRecord* record, const std::string& path,
                                           std::vector<FoundFileRecord*>& candidates)
{
    if (m_everyFileToPictures) {
        if (!QueuePicture(path, record))
            delete record;  // its hash failed: it is in no container
        return;
    }
    FoundFileRecord probe;
    if (PicturesOn() && m_filter->IsPicture(&JudgedByExtension(*record, ExtensionOf(record), probe)) &&
        QueuePicture(path, record))
        return;
    candidates.push_back(record);
}

void Win32FileFinderModel::RunWalkers()
{
    const size_t n = m_pendingFolders.size();
    HANDLE threads[kWalkerCount];
    WalkerContext contexts[kWalkerCount];
    int started = 0;
    bool shares[kWalkerCount];
    for (int w = 0; w < kWalkerCount; ++w) {
        WalkerShare share = ShareOfWalker(n, w);
        shares[w] = share.begin < share.end;
        m_walkerFinished[w] = shares[w] ? 0 : 1;
        for (size_t i = share.begin; i < share.end; ++i)
            m_ownQueue[w].push_back(m_pendingFolders[i]);
    }
    int firstFailed = -1;
    for (int w = 0; w < kWalkerCount; ++w) {
        if (!shares[w])
            continue;
        contexts[w] = WalkerContext{this, w};
        HANDLE thread = CreateThread(nullptr, 0, WalkerThreadProc, &contexts[w], 0, nullptr);
        if (thread) {
            threads[started++] = thread;
            continue;
        }
        // A walker that cannot start hands its share to the others through the shared queue.
        EnterCriticalSection(&m_resultLock);
        for (const std::string& folder : m_ownQueue[w])
            m_sharedQueue.push_back(folder);
        m_ownQueue[w].clear();
        m_walkerFinished[w] = 1;
        WakeAllConditionVariable(&m_walkerWake);
        LeaveCriticalSection(&m_resultLock);
        if (firstFailed < 0)
            firstFailed = w;
    }
    if (started == 0 && firstFailed >= 0) {
        EnterCriticalSection(&m_resultLock);
        m_walkerFinished[firstFailed] = 0;
        LeaveCriticalSection(&m_resultLock);
        WalkPendingFolders(firstFailed);  // no thread at all: walk here
    }
    if (started > 0)
        WaitForMultipleObjects(DWORD(started), threads, TRUE, INFINITE);
    for (int i = 0; i < started; ++i)
        CloseHandle(threads[i]);
}

DWORD WINAPI Win32FileFinderModel::WalkerThreadProc(void* context)
{
    WalkerContext* walker = static_cast<WalkerContext*>(context);
    if (walker && walker->model)
        walker->model->WalkPendingFolders(walker->walker);
    return 0;
}

void Win32FileFinderModel::WalkPendingFolders(int walker)
{
    std::deque<std::string>& own = m_ownQueue[walker];
    std::vector<FoundFileRecord*>& candidates = m_candidates[walker + 1];
    auto onFile = [&](FoundFileRecord* record, const std::string& path) { AcceptCandidate(record, path, candidates); };
    int c = 1;  // the first nine sub-folders a walker meets stay with it, later ones are shared
    auto onSubFolder = [&](const std::string& sub) {
        if (c % 10 != 0) {
            own.push_back(sub);
            ++c;
            return;
        }
        c = 0;
        EnterCriticalSection(&m_resultLock);
        m_sharedQueue.push_back(sub);
        WakeConditionVariable(&m_walkerWake);
        LeaveCriticalSection(&m_resultLock);
    };
    for (;;) {
        while (!own.empty()) {
            const std::string folder = own.front();
            bool listed = ListOneFolder(folder, onSubFolder, onFile);
            own.pop_front();
            if (!listed) {
                EnterCriticalSection(&m_resultLock);
                m_walkerFinished[walker] = 1;
                WakeAllConditionVariable(&m_walkerWake);
                LeaveCriticalSection(&m_resultLock);
                return;
            }
        }
        EnterCriticalSection(&m_resultLock);
        m_walkerFinished[walker] = 1;
        WakeAllConditionVariable(&m_walkerWake);
        for (;;) {
            if (!m_sharedQueue.empty()) {
                m_walkerFinished[walker] = 0;
                own.push_back(m_sharedQueue.front());
                m_sharedQueue.pop_front();
                break;
            }
            bool othersDone = true;
            for (int w = 0; w < kWalkerCount; ++w)
                othersDone = othersDone && (w == walker || m_walkerFinished[w]);
            if (othersDone || g_scanStop) {
                LeaveCriticalSection(&m_resultLock);
                return;
            }
            // Idle: sleep until a folder is shared or another walker goes idle; the timeout
            // only bounds how late a stop is seen.
            SleepConditionVariableCS(&m_walkerWake, &m_resultLock, 100);
        }
        LeaveCriticalSection(&m_resultLock);
    }
}

// Keys every accepted file. Runs of one size and extension: a file alone in its run cannot be
// in a group, and is recorded without being opened; the others are matched by content, a run
// at a time on a few threads. A run that a stop interrupted is recorded unconfirmed.
void Win32FileFinderModel::KeyCandidates()
{
    struct Candidate
    {
        FoundFileRecord* record;
        std::string extension;
    };
    std::vector<Candidate> all;
    size_t total = 0;
    for (auto& list : m_candidates)
        total += list.size();
    all.reserve(total);
    for (auto& list : m_candidates) {
        for (FoundFileRecord* record : list)
            all.push_back(Candidate{record, ExtensionOf(record)});
        std::vector<FoundFileRecord*>().swap(list);
    }
    m_longExtensions.clear();
    if (!m_result) {
        for (Candidate& c : all)
            delete c.record;
        return;
    }
    std::stable_sort(all.begin(), all.end(), [](const Candidate& a, const Candidate& b) {
        if (a.record->size != b.record->size)
            return a.record->size < b.record->size;
        return a.extension < b.extension;
    });
    struct Run
    {
        size_t begin, end;
        bool matched;
    };
    std::vector<Run> runs;
    uint64_t toCompare = 0;
    for (size_t i = 0; i < all.size();) {
        size_t end = i + 1;
        while (end < all.size() && all[end].record->size == all[i].record->size &&
               all[end].extension == all[i].extension)
            ++end;
        if (end - i == 1) {
            m_result->emplace(MakeGroupKey(all[i].record->size, all[i].extension, std::string()), all[i].record);
        } else {
            runs.push_back(Run{i, end, false});
            toCompare += uint64_t(all[i].record->size) * (end - i);
        }
        i = end;
    }
    g_scanBytesToCompare = toCompare;
    g_scanPhase = kPhaseComparing;

    std::vector<uint32_t> classes(all.size(), 0);
    std::vector<std::unique_ptr<ContentMatcher>> matchers;
    for (int w = 0; w < kParallelWorkThreads; ++w)
        matchers.emplace_back(new ContentMatcher(*m_source));
    // Each worker's lists keep their room from one run to the next.
    std::vector<std::vector<FoundFileRecord*>> workerRecords(kParallelWorkThreads);
    std::vector<std::vector<uint32_t>> workerClasses(kParallelWorkThreads);
    RunInParallel(runs.size(), [&](size_t r, int worker) {
        if (g_scanStop)
            return;
        std::vector<FoundFileRecord*>& records = workerRecords[worker];
        records.clear();
        for (size_t i = runs[r].begin; i < runs[r].end; ++i)
            records.push_back(all[i].record);
        std::vector<uint32_t>& runClasses = workerClasses[worker];
        if (!matchers[worker]->Match(records, records.front()->size, &runClasses))
            return;
        std::copy(runClasses.begin(), runClasses.end(), classes.begin() + runs[r].begin);
        runs[r].matched = true;
        // Counted as soon as the run is confirmed, so that the count rises while the comparing
        // goes on: every member after the first of a set is one group completion.
        std::set<uint32_t> sets;
        uint64_t completions = 0;
        for (uint32_t cls : runClasses) {
            if (cls && !sets.insert(cls).second)
                ++completions;
        }
        if (completions)
            g_duplicatesFound += completions;
    });
    for (auto& matcher : matchers)
        m_unreadableFiles.Add(matcher->UnreadablePaths());

    // Inserted in listing order within each run.
    for (const Run& run : runs) {
        for (size_t i = run.begin; i < run.end; ++i) {
            const uint32_t cls = run.matched ? classes[i] : 0;
            const std::string content = cls ? std::to_string(cls) : std::string();
            m_result->emplace(MakeGroupKey(all[i].record->size, all[i].extension, content), all[i].record);
        }
    }
}
