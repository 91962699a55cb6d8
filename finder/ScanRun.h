// finder/ScanRun.h
// One search request of the start page, with no window of its own: loads the category lists,
// runs the finder on a worker thread (which confirms every group by comparing its files'
// whole content), adds the similar-picture groups, puts every group's members in keep order,
// sorts the groups into the five categories and posts kScanFinishedMessage to the window it was
// given. The start page holds one.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "finder/FileSource.h"
#include "finder/FoundFileRecord.h"
#include "finder/RecordStore.h"
#include "finder/SkippedPaths.h"

enum { kScanFinishedMessage = 0x4400 };

// Why a scan could not give its results; the page tells the user instead of "nothing found".
enum ScanProblem
{
    kScanProblemNone = 0,
    // 1 meant "groups could not be confirmed"; the comparison needs nothing the system may
    // refuse any more, so it is never raised and stays unused.
    kScanProblemWorkerNotStarted = 2,   // the worker thread could not be created
    kScanProblemLocationUnreadable = 3, // the chosen folder could not be listed
    // Stopped, but the worker did not end: a read or a listing that the system never returns
    // from. The scan was given up without results.
    kScanProblemAbandoned = 4,
};

// How the last scan ended, beyond its groups: what the results page tells beside them.
struct ScanOutcome
{
    bool stopped = false;            // the user stopped it: only groups confirmed before are shown
    uint32_t unlistableFolders = 0;  // folders whose files were not searched
    uint32_t unreadableFiles = 0;    // candidates that could not be read
    // Their full paths, the first SkippedPaths::kMaxKept of each; the counts above are exact.
    std::vector<std::string> unlistableFolderPaths;
    std::vector<std::string> unreadableFilePaths;
};

class ScanRun
{
public:
    typedef std::function<std::string(const char* key)> StringLookup;

    // How long a stopped worker has to end before its scan is given up.
    static constexpr DWORD kAbandonAfterMs = 800;

    ScanRun();
    // A running worker is stopped and awaited. Never destroy a run whose worker was abandoned
    // and still runs (WorkerAbandoned): it uses this object until it returns.
    ~ScanRun();
    ScanRun(const ScanRun&) = delete;
    ScanRun& operator=(const ScanRun&) = delete;

    void SetNotifyWindow(HWND window) { m_notifyWindow = window; }
    // Language strings and the user's own lists ("English.dat"); GetLangString and
    // GetUserLangString unless replaced.
    void SetStringLookup(StringLookup language, StringLookup user);
    // Where the finder lists and reads (null: the disk). Set while no worker runs.
    void SetFileSource(IFileSource* source) { m_source = source; }

    // Loads the lists and starts the worker; returns at once. FALSE when a worker still runs or
    // none could be started (then the flags are restored and kScanFinishedMessage is posted).
    BOOL RunScan();
    // Asks the worker to stop (UI thread). When it has not ended kAbandonAfterMs later, the scan
    // is abandoned: Settled() is set, Problem() becomes kScanProblemAbandoned and
    // kScanFinishedMessage is posted (not while closing); the worker goes on alone, and posts
    // nothing when it ends.
    void Stop();
    // 1 once the worker has ended or was abandoned: what the waits at a stop and at exit await.
    const std::atomic<int>& Settled() const { return m_settled; }
    // The worker was abandoned and still runs: no new scan can start until it ends, and what it
    // uses must not be freed under it (at exit, the process ends without tearing it down).
    bool WorkerAbandoned() const { return m_abandoned && !m_workerEnded; }
    // The five category lists, in the order RunScan loads them.
    void LoadCategoryLists();
    void ScanWorker();
    void AnalyseResults();
    void ClassifyFile(std::string extension, std::string groupKey, FoundFileRecord* record);
    void LoadCategoryExtensions(std::string key, std::string& list);

    // Read once kScanFinishedMessage has arrived. In every group the first member is the one to
    // keep (KeepOrder.h).
    const CategoryStatistics& GetStatistics() const { return m_statistics; }
    void GetCategoryGroups(int category, FileGroupMap& destination) const;
    const FileGroupMap* CategoryGroups(int category) const;
    // The five lists in lower case (".jpg;.png;"), by category number; empty for another.
    const std::string& CategoryList(int category) const;
    // Empties the category groups and statistics (not while a worker runs).
    void ClearResults();
    // Holding it keeps the records of this scan alive past the next one.
    std::shared_ptr<RecordStore> GetRecordStore() const { return m_store; }
    ScanProblem Problem() const { return m_problem; }
    // Folders of the last scan that could not be listed (no access, a path too long, removed
    // meanwhile): their files were not searched. Worth telling with "nothing found".
    uint32_t UnlistableFolders() const { return m_unlistableFolders; }
    // Files of the last scan that could have been in a group but could not be read (locked by
    // another program, no access, changed since they were listed).
    uint32_t UnreadableFiles() const { return m_unreadableFiles; }
    // Whether the user stopped the last scan (its groups are the ones confirmed before the stop).
    bool Stopped() const { return m_stopped; }
    ScanOutcome Outcome() const
    {
        ScanOutcome outcome;
        outcome.stopped = m_stopped;
        outcome.unlistableFolders = m_unlistableFolders;
        outcome.unreadableFiles = m_unreadableFiles;
        outcome.unlistableFolderPaths = m_unlistablePaths.paths;
        outcome.unreadableFilePaths = m_unreadablePaths.paths;
        return outcome;
    }

    // What the finder found before the analysis: raw groups and similar-picture pairs. The
    // analysis empties the pairs once their groups are made.
    FileGroupMap& RawResult() { return m_rawResult; }
    SimilarPicturePairs& PicturePairs() { return m_picturePairs; }

    std::string m_location;
    std::atomic<int> m_scanning{0};
    std::atomic<int> m_workerEnded{1};

private:
    static DWORD WINAPI ScanThreadProc(void* page);
    static DWORD WINAPI WatchThreadProc(void* run);
    // Posts kScanFinishedMessage unless the program is closing.
    void PostFinished(HWND window);
    FileGroupMap* MapOf(int category);
    void ClassifyExactGroups();
    void ClassifyLookAlikeGroups();
    void MarkCopies(std::vector<FoundFileRecord*>& group);

    std::string m_photoList, m_musicList, m_videoList, m_officeDocList, m_otherList;
    FileGroupMap m_rawResult;
    SimilarPicturePairs m_picturePairs;
    FileGroupMap m_photoGroups, m_videoGroups, m_officeDocGroups, m_musicGroups, m_otherGroups;
    CategoryStatistics m_statistics;

    HWND m_notifyWindow = nullptr;
    StringLookup m_language;
    StringLookup m_user;
    IFileSource* m_source = nullptr;
    HANDLE m_worker = nullptr;
    HANDLE m_watch = nullptr;  // waits for a stopped worker (UI thread's handle)
    // Who settles the run, the worker at its end or the watch when it gives the worker up.
    CRITICAL_SECTION m_settleLock;
    std::atomic<int> m_settled{1};
    std::atomic<bool> m_abandoned{false};
    std::shared_ptr<RecordStore> m_store;
    std::atomic<ScanProblem> m_problem{kScanProblemNone};
    std::atomic<uint32_t> m_unlistableFolders{0};
    std::atomic<uint32_t> m_unreadableFiles{0};
    std::atomic<bool> m_stopped{false};
    // The worker's alone until kScanFinishedMessage.
    SkippedPaths m_unlistablePaths;
    SkippedPaths m_unreadablePaths;
};
