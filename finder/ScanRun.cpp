// finder/ScanRun.cpp
#include "finder/ScanRun.h"

#include <stdio.h>

#include <map>
#include <set>
#include <vector>

#include "app/LangString.h"
#include "app/TextCase.h"
#include "finder/DigestTable.h"
#include "finder/FileDigest.h"
#include "finder/FileFinderModel.h"
#include "finder/GroupKey.h"
#include "finder/ParallelWork.h"
#include "finder/ScanState.h"


ScanRun::ScanRun()
    : m_language(GetLangString), m_user(GetUserLangString), m_noDigests(new DigestTable(kDigestSha256)),
      m_digests(m_noDigests.get())
{
}

ScanRun::~ScanRun()
{
    if (m_worker) {
        if (!m_workerEnded)
            g_scanStop = 1;
        WaitForSingleObject(m_worker, INFINITE);
        CloseHandle(m_worker);
    }
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
    if (m_worker) {
        CloseHandle(m_worker);
        m_worker = nullptr;
    }
    m_problem = kScanProblemNone;
    m_workerEnded = 0;  // before the thread exists, so that no exit wait passes too early
    m_worker = CreateThread(nullptr, 0, ScanThreadProc, this, 0, nullptr);
    if (m_worker)
        return TRUE;
    m_problem = kScanProblemWorkerNotStarted;
    g_scanDone = 1;
    m_workerEnded = 1;
    m_scanning = 0;
    if (m_notifyWindow && !g_scanCancelled)
        PostMessageA(m_notifyWindow, kScanFinishedMessage, 0, 0);
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
    m_stopped = false;

    DigestTable digests(m_digestAlgorithm);
    m_digests = &digests;
    FileFinderModelProxy& finder = FileFinderModelProxy::Instance();
    finder.SetFileSource(m_source);
    finder.SetDigestTable(&digests);
    finder.FindDuplicates(m_location, &m_rawResult, &m_picturePairs);
    finder.SetDigestTable(nullptr);
    if (!finder.LastFolderListed() && !g_scanStop)
        m_problem = kScanProblemLocationUnreadable;
    m_unlistableFolders = finder.LastUnlistableFolders();
    m_unreadableFiles = finder.LastUnreadableFiles();
    m_store = RecordStore::Collect(m_rawResult, m_picturePairs);
    AnalyseResults();
    m_stopped = g_scanStop != 0;
    m_digests = m_noDigests.get();

    const HWND window = m_notifyWindow;
    g_scanDone = 1;
    m_workerEnded = 1;
    m_scanning = 0;
    if (!g_scanCancelled && window)
        PostMessageA(window, kScanFinishedMessage, 0, 0);
}

void ScanRun::AnalyseResults()
{
    for (int category = kCategoryPhoto; category <= kCategoryOther; ++category)
        m_statistics[category] = CategoryTotals();
    g_filesClassified = 0;

    // The groups of two or more with a signature; a key without one (a file that could not be
    // read) groups nothing.
    struct Group
    {
        FileGroupMap::iterator begin, end;
        std::string extension;
        std::vector<std::pair<std::string, FoundFileRecord*>> confirmed;  // (digest, record)
        bool done = false;
    };
    std::vector<Group> groups;
    for (auto group = m_rawResult.begin(); group != m_rawResult.end();) {
        auto end = group;
        size_t n = 0;
        while (end != m_rawResult.end() && end->first == group->first) {
            ++end;
            ++n;
        }
        std::vector<std::string> parts;
        SplitString(group->first.c_str(), "|", parts);
        if (n >= 2 && parts.size() == 3) {
            Group g;
            g.begin = group;
            g.end = end;
            g.extension = parts[1];
            groups.push_back(g);
        }
        group = end;
    }

    // Every file of a group is digested whole, a group at a time on a few threads.
    IFileSource& source = m_source ? *m_source : PlatformFileSource();
    std::atomic<int> cryptoFailed(0);
    std::unique_ptr<FileDigester> digesters[kParallelWorkThreads];
    for (auto& d : digesters)
        d.reset(new (std::nothrow) FileDigester(m_digestAlgorithm));
    RunInParallel(groups.size(), [&](size_t index, int worker) {
        Group& g = groups[index];
        FileDigester* digester = digesters[worker].get();
        std::set<std::string> identities;
        for (auto it = g.begin; it != g.end; ++it) {
            if (g_scanStop)
                return;
            FoundFileRecord* record = it->second;
            KnownDigest known;
            if (!m_digests->Find(record, &known)) {
                if (!digester || !digester->Ready())
                    known.outcome = kDigestCryptoFailed;
                else
                    known.outcome = digester->Digest(source, record->FullPath(), record->size,
                                                     &known.digest, &known.identity);
            }
            if (known.outcome == kDigestCryptoFailed)
                cryptoFailed = 1;
            else if (known.outcome == kDigestUnreadable)
                ++m_unreadableFiles;
            // A file met again through a link (or a hard link) is the same file, not a copy:
            // removing "the copy" would remove the file.
            else if (known.outcome == kDigestDone &&
                     (known.identity.empty() ||
                      identities.insert(VolumeRoot(record->folder) + known.identity).second))
                g.confirmed.emplace_back(known.digest, record);
        }
        g.done = true;
    });
    if (cryptoFailed)
        m_problem = kScanProblemDigestUnavailable;

    // Classified in the order of the raw result. Only files whose whole content is the same stay
    // together; the rest drop out. A stop ends the analysis at the first group not finished.
    for (Group& g : groups) {
        if (!g.done || g_scanStop)
            return;
        std::stable_sort(g.confirmed.begin(), g.confirmed.end(),
                         [](const std::pair<std::string, FoundFileRecord*>& a,
                            const std::pair<std::string, FoundFileRecord*>& b) { return a.first < b.first; });
        for (size_t i = 0; i < g.confirmed.size();) {
            size_t end = i + 1;
            while (end < g.confirmed.size() && g.confirmed[end].first == g.confirmed[i].first)
                ++end;
            if (end - i >= 2) {
                const std::string key = MakeGroupKey(g.confirmed[i].second->size, g.extension, g.confirmed[i].first);
                for (; i < end; ++i)
                    ClassifyFile(g.extension, key, g.confirmed[i].second);
            }
            i = end;
        }
    }

    for (auto pair = m_picturePairs.begin(); pair != m_picturePairs.end();) {
        FoundFileRecord* kept = pair->first;
        auto end = m_picturePairs.upper_bound(kept);
        if (kept) {
            char key[256];
            snprintf(key, sizeof(key), "%p", static_cast<void*>(kept));
            ClassifyFile("jpg", key, kept);
            for (auto it = pair; it != end; ++it)
                ClassifyFile("jpg", key, it->second);
        }
        pair = end;
    }
    m_picturePairs.clear();  // the records stay referenced by the category maps and the store
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
