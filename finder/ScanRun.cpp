// finder/ScanRun.cpp
#include "finder/ScanRun.h"

#include <stdio.h>

#include <algorithm>
#include <map>
#include <vector>

#include "app/LangString.h"
#include "app/TextCase.h"
#include "finder/ContentMatch.h"
#include "finder/FileFinderModel.h"
#include "finder/GroupKey.h"
#include "finder/KeepOrder.h"
#include "finder/ScanState.h"


ScanRun::ScanRun() : m_language(GetLangString), m_user(GetUserLangString)
{
    InitializeCriticalSection(&m_settleLock);
}

ScanRun::~ScanRun()
{
    if (m_worker) {
        if (!m_workerEnded)
            g_scanStop = 1;
        WaitForSingleObject(m_worker, INFINITE);
    }
    if (m_watch) {  // it waits on the worker's handle
        WaitForSingleObject(m_watch, INFINITE);
        CloseHandle(m_watch);
    }
    if (m_worker)
        CloseHandle(m_worker);
    DeleteCriticalSection(&m_settleLock);
}

void ScanRun::Stop()
{
    g_scanStop = 1;
    if (m_settled || m_watch || !m_worker)
        return;  // nothing runs, or it is watched already
    m_watch = CreateThread(nullptr, 0, WatchThreadProc, this, 0, nullptr);
}

DWORD WINAPI ScanRun::WatchThreadProc(void* context)
{
    ScanRun* run = static_cast<ScanRun*>(context);
    if (WaitForSingleObject(run->m_worker, kAbandonAfterMs) != WAIT_TIMEOUT)
        return 0;
    EnterCriticalSection(&run->m_settleLock);
    const bool abandon = !run->m_settled;
    if (abandon) {
        run->m_problem = kScanProblemAbandoned;
        run->m_abandoned = true;
        run->m_settled = 1;
    }
    const HWND window = run->m_notifyWindow;
    LeaveCriticalSection(&run->m_settleLock);
    if (abandon)
        run->PostFinished(window);
    return 0;
}

void ScanRun::PostFinished(HWND window)
{
    if (window && !g_scanCancelled)
        PostMessageA(window, kScanFinishedMessage, 0, 0);
}

void ScanRun::SetStringLookup(StringLookup language, StringLookup user)
{
    m_language = language;
    m_user = user;
}

BOOL ScanRun::RunScan()
{
    if (!m_workerEnded)
        return FALSE;  // one worker at a time works on these containers
    m_scanning = 1;
    LoadCategoryLists();
    if (m_watch) {  // it ends with the worker it watched, or gave it up: soon
        WaitForSingleObject(m_watch, INFINITE);
        CloseHandle(m_watch);
        m_watch = nullptr;
    }
    if (m_worker) {
        CloseHandle(m_worker);
        m_worker = nullptr;
    }
    m_problem = kScanProblemNone;
    m_abandoned = false;
    m_workerEnded = 0;  // before the thread exists, so that no exit wait passes too early
    m_settled = 0;
    m_worker = CreateThread(nullptr, 0, ScanThreadProc, this, 0, nullptr);
    if (m_worker)
        return TRUE;
    m_problem = kScanProblemWorkerNotStarted;
    g_scanDone = 1;
    m_workerEnded = 1;
    m_scanning = 0;
    m_settled = 1;
    PostFinished(m_notifyWindow);
    return FALSE;
}

void ScanRun::LoadCategoryLists()
{
    LoadCategoryExtensions("PhotoDesc", m_photoList);
    LoadCategoryExtensions("MusicDesc", m_musicList);
    LoadCategoryExtensions("VideoDesc", m_videoList);
    LoadCategoryExtensions("OfficeDocDesc", m_officeDocList);
    LoadCategoryExtensions("OtherDesc", m_otherList);
}

DWORD WINAPI ScanRun::ScanThreadProc(void* page)
{
    if (!page)
        return 0;
    static_cast<ScanRun*>(page)->ScanWorker();
    return 0;
}

void ScanRun::ScanWorker()
{
    m_workerEnded = 0;
    m_photoGroups.clear();
    m_musicGroups.clear();
    m_videoGroups.clear();
    m_officeDocGroups.clear();
    m_otherGroups.clear();
    m_rawResult.clear();
    m_picturePairs.clear();
    m_store.reset();  // the last scan's records go unless the results page still holds them
    m_problem = kScanProblemNone;
    m_unlistableFolders = 0;
    m_unreadableFiles = 0;
    m_unlistablePaths.Clear();
    m_unreadablePaths.Clear();
    m_stopped = false;

    FileFinderModelProxy& finder = FileFinderModelProxy::Instance();
    finder.SetFileSource(m_source);
    finder.FindDuplicates(m_location, &m_rawResult, &m_picturePairs);
    if (!finder.LastFolderListed() && !g_scanStop)
        m_problem = kScanProblemLocationUnreadable;
    m_unlistablePaths = finder.LastUnlistablePaths();
    m_unreadablePaths = finder.LastUnreadablePaths();
    m_unlistableFolders = m_unlistablePaths.count;
    m_unreadableFiles = m_unreadablePaths.count;
    m_store = RecordStore::Collect(m_rawResult, m_picturePairs);
    // Stopped or not, the groups confirmed so far are shown: the finder leaves every group it
    // did not finish unconfirmed.
    m_stopped = g_scanStop != 0;
    AnalyseResults();

    g_scanDone = 1;
    m_workerEnded = 1;
    m_scanning = 0;
    EnterCriticalSection(&m_settleLock);
    const bool abandoned = m_abandoned;
    m_settled = 1;
    const HWND window = m_notifyWindow;
    LeaveCriticalSection(&m_settleLock);
    if (!abandoned)  // the page was told when it was given up, and may be on a new scan
        PostFinished(window);
}

void ScanRun::AnalyseResults()
{
    for (int category = kCategoryPhoto; category <= kCategoryOther; ++category)
        m_statistics[category] = CategoryTotals();
    g_filesClassified = 0;
    g_scanPhase = kPhaseClassifying;
    ClassifyExactGroups();
    ClassifyLookAlikeGroups();
    m_picturePairs.clear();  // the records stay referenced by the category maps and the store
}

// The raw groups that the finder confirmed by content: size, extension and the content they
// share. A key without its three parts (a file alone, unreadable, or not finished before a
// stop) groups nothing.
void ScanRun::ClassifyExactGroups()
{
    std::vector<std::string> parts;
    std::vector<FoundFileRecord*> group;
    for (auto it = m_rawResult.begin(); it != m_rawResult.end();) {
        group.clear();
        auto end = it;
        for (; end != m_rawResult.end() && end->first == it->first; ++end)
            group.push_back(end->second);
        parts.clear();
        if (group.size() >= 2)
            SplitString(it->first.c_str(), "|", parts);
        if (group.size() >= 2 && parts.size() == 3) {
            SortForKeeping(group, false);
            for (FoundFileRecord* record : group)
                ClassifyFile(parts[1], it->first, record);
        }
        it = end;
    }
}

// Pictures paired by looks, under a key of their own ("%p" of the picture they were paired
// with). Members that are byte-for-byte copies of each other are marked as such.
void ScanRun::ClassifyLookAlikeGroups()
{
    std::vector<FoundFileRecord*> group;
    for (auto pair = m_picturePairs.begin(); pair != m_picturePairs.end();) {
        FoundFileRecord* kept = pair->first;
        auto end = m_picturePairs.upper_bound(kept);
        if (kept) {
            char key[256];
            snprintf(key, sizeof(key), "%p", static_cast<void*>(kept));
            group.assign(1, kept);
            for (auto it = pair; it != end; ++it) {
                if (it->second && std::find(group.begin(), group.end(), it->second) == group.end())
                    group.push_back(it->second);
            }
            MarkCopies(group);
            SortForKeeping(group, true);
            for (FoundFileRecord* record : group)
                ClassifyFile("jpg", key, record);
        }
        pair = end;
    }
}

// Gives each set of byte-for-byte copies within a look-alike group a number of its own; 0 stays
// where nothing was compared or a stop came first.
void ScanRun::MarkCopies(std::vector<FoundFileRecord*>& group)
{
    std::map<int64_t, std::vector<FoundFileRecord*>> bySize;
    for (FoundFileRecord* record : group) {
        record->copyClass = 0;
        bySize[record->size].push_back(record);
    }
    IFileSource& source = m_source ? *m_source : PlatformFileSource();
    ContentMatcher matcher(source);
    uint32_t next = 1;
    std::vector<uint32_t> classes;
    for (auto& entry : bySize) {
        if (entry.second.size() < 2 || g_scanStop)
            continue;
        if (!matcher.Match(entry.second, entry.first, &classes))
            continue;
        std::map<uint32_t, uint32_t> numbers;
        for (size_t i = 0; i < classes.size(); ++i) {
            if (!classes[i])
                continue;
            auto number = numbers.emplace(classes[i], next);
            if (number.second)
                ++next;
            entry.second[i]->copyClass = number.first->second;
        }
    }
    m_unreadablePaths.Add(matcher.UnreadablePaths());
    m_unreadableFiles = m_unreadablePaths.count;
}

FileGroupMap* ScanRun::MapOf(int category)
{
    switch (category) {
    case kCategoryPhoto: return &m_photoGroups;
    case kCategoryVideo: return &m_videoGroups;
    case kCategoryOfficeDoc: return &m_officeDocGroups;
    case kCategoryMusic: return &m_musicGroups;
    case kCategoryOther: return &m_otherGroups;
    default: return nullptr;
    }
}

const FileGroupMap* ScanRun::CategoryGroups(int category) const
{
    return const_cast<ScanRun*>(this)->MapOf(category);
}

const std::string& ScanRun::CategoryList(int category) const
{
    static const std::string none;
    switch (category) {
    case kCategoryPhoto: return m_photoList;
    case kCategoryVideo: return m_videoList;
    case kCategoryOfficeDoc: return m_officeDocList;
    case kCategoryMusic: return m_musicList;
    case kCategoryOther: return m_otherList;
    default: return none;
    }
}

void ScanRun::ClearResults()
{
    for (int category = kCategoryPhoto; category <= kCategoryOther; ++category)
        MapOf(category)->clear();
    m_statistics.clear();
}

void ScanRun::GetCategoryGroups(int category, FileGroupMap& destination) const
{
    if (const FileGroupMap* groups = CategoryGroups(category))
        destination = *groups;
}

void ScanRun::ClassifyFile(std::string extension, std::string groupKey, FoundFileRecord* record)
{
    if (!record)
        return;
    const std::string probe = LowerAscii("." + extension + ";");
    ++g_filesClassified;
    int category = kCategoryOther;  // the Other list is loaded but claims nothing itself
    if (m_photoList.find(probe) != std::string::npos)
        category = kCategoryPhoto;
    else if (m_videoList.find(probe) != std::string::npos)
        category = kCategoryVideo;
    else if (m_officeDocList.find(probe) != std::string::npos)
        category = kCategoryOfficeDoc;
    else if (m_musicList.find(probe) != std::string::npos)
        category = kCategoryMusic;
    MapOf(category)->emplace(groupKey, record);
    CategoryTotals& totals = m_statistics[category];
    totals.fileCount += 1;
    totals.totalBytes += record->size;
}

void ScanRun::LoadCategoryExtensions(std::string key, std::string& list)
{
    // The user's own list is kept in "English.dat" whatever the language.
    const std::string user = m_user ? m_user((key + "User").c_str()) : std::string();
    list = !user.empty() ? user : (m_language ? m_language(key.c_str()) : std::string());
    list = LowerAscii(list);
}
