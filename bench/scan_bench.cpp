// bench/scan_bench.cpp
// Runs one whole scan (walk and analysis) over a folder and prints what it cost:
//   scan_bench FOLDER [--list] [--precision N]
// FOLDER is a Windows path, or a Linux path (then it is taken on drive Z:). With --list the
// groups follow: a "# category" line, one path a line, a blank line after each group.
#include <windows.h>
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "finder/CountingFileSource.h"
#include "finder/FileFinderModel.h"
#include "finder/FilesFilter.h"
#include "finder/FilterSettings.h"
#include "finder/ScanRun.h"
#include "finder/ScanState.h"

static std::string WindowsPath(std::string path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string out = "Z:";
    for (char c : path)
        out += c == '/' ? '\\' : c;
    return out;
}

// When the listing and the comparing ended: a watcher looks at the scan's phase every 10 ms, so
// it sees each end up to 10 ms (and a scheduling delay) late, maybe after the scan is over.
// (Under Wine each Sleep is a yield and a select: a watcher at 1 ms took CPU time from the
// scan it measured.)
static DWORD WINAPI WatchPhases(void* ends)
{
    LARGE_INTEGER* at = static_cast<LARGE_INTEGER*>(ends);
    while (g_scanPhase == kPhaseListing && !g_scanDone)
        Sleep(10);
    QueryPerformanceCounter(&at[0]);
    while (g_scanPhase == kPhaseComparing && !g_scanDone)
        Sleep(10);
    QueryPerformanceCounter(&at[1]);
    return 0;
}

int main(int argc, char** argv)
{
    std::string folder;
    bool list = false;
    int precision = 100;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--list"))
            list = true;
        else if (!strcmp(argv[i], "--precision") && i + 1 < argc)
            precision = atoi(argv[++i]);
        else
            folder = argv[i];
    }
    if (folder.empty()) {
        fprintf(stderr, "usage: scan_bench FOLDER [--list] [--precision N]\n");
        return 2;
    }
    folder = WindowsPath(folder);
    if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES) {
        fprintf(stderr, "scan_bench: no folder %s\n", folder.c_str());
        return 2;
    }

    ResetScanState();
    g_similarityPercent = precision;
    // As the start page scans: every kind of file, and below 100 the picture matcher, which
    // works only through the filter and loads "VoveRIRider.dll" from beside this program.
    FilterSettings settings;
    FileFinderFilterProxy::Instance().SetSettings(&settings);
    FileFinderModelProxy::Instance().SetFilter(&FileFinderFilterProxy::Instance());
    CountingFileSource source(PlatformFileSource());
    ScanRun run;
    run.SetFileSource(&source);
    run.m_location = folder;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    LARGE_INTEGER phaseEnds[2] = {};
    HANDLE watcher = CreateThread(nullptr, 0, WatchPhases, phaseEnds, 0, nullptr);
    run.LoadCategoryLists();
    run.ScanWorker();
    QueryPerformanceCounter(&end);
    if (watcher) {
        WaitForSingleObject(watcher, INFINITE);
        CloseHandle(watcher);
    } else {
        phaseEnds[0] = phaseEnds[1] = end;  // no watcher: all of it counts as listing
    }
    // An end seen late is taken no later than the next end, nor than the scan's: the three
    // phases then follow one another and add up to the wall time.
    phaseEnds[0].QuadPart = std::min(phaseEnds[0].QuadPart, end.QuadPart);
    phaseEnds[1].QuadPart = std::min(std::max(phaseEnds[1].QuadPart, phaseEnds[0].QuadPart), end.QuadPart);
    const double seconds = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);

    std::map<std::string, std::vector<const FoundFileRecord*>> groups;
    std::map<std::string, int> categoryOf;
    for (int c = kCategoryPhoto; c <= kCategoryOther; ++c) {
        for (const auto& e : *run.CategoryGroups(c)) {
            groups[e.first].push_back(e.second);
            categoryOf[e.first] = c;
        }
    }
    size_t inGroups = 0;
    for (const auto& g : groups)
        inGroups += g.second.size();
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));

    printf("folder:          %s\n", folder.c_str());
    printf("files seen:      %zu\n", run.GetRecordStore() ? run.GetRecordStore()->Count() : size_t(0));
    printf("groups:          %zu\n", groups.size());
    printf("files in groups: %zu\n", inGroups);
    printf("files opened:    %llu\n", (unsigned long long)source.FilesOpened());
    printf("bytes read:      %llu\n", (unsigned long long)source.BytesRead());
    printf("wall time:       %.3f s\n", seconds);
    auto since = [&](const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
        return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
    };
    printf("(each phase's end seen to within about 10 ms)\n");
    printf("listing:         %.3f s\n", since(start, phaseEnds[0]));
    printf("comparing:       %.3f s\n", since(phaseEnds[0], phaseEnds[1]));
    printf("the rest:        %.3f s\n", since(phaseEnds[1], end));
    printf("peak memory:     %.1f MiB\n", double(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
    printf("unlistable folders: %u\n", run.UnlistableFolders());
    printf("unreadable files:   %u\n", run.UnreadableFiles());
    if (run.Problem() != kScanProblemNone)
        printf("problem:         %d\n", int(run.Problem()));
    if (list) {
        printf("\n");
        for (const auto& g : groups) {
            printf("# %s: %zu files of %lld bytes\n", CategoryKeyText(categoryOf[g.first]), g.second.size(),
                   (long long)g.second.front()->size);
            for (const FoundFileRecord* r : g.second)
                printf("%s\n", r->FullPath().c_str());
            printf("\n");
        }
    }
    fflush(stdout);
    // The program keeps a scan's records until the next scan: freeing them is no part of a
    // scan, so neither this nor the floor frees what it holds on the way out.
    ExitProcess(run.Problem() == kScanProblemNone ? 0 : 1);
}
