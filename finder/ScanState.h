// finder/ScanState.h
// Process-wide scan state shared by the finder's threads and the pages. Atomic, so that the
// 64-bit counters are never read torn; the flags are set by one thread and polled by others.
#pragma once
#include <stdint.h>
#include <atomic>

extern std::atomic<int> g_scanStop;         // stop asked: every walk loop and the analysis end
extern std::atomic<int> g_scanCancelled;    // the program is closing: no completion message
extern std::atomic<int> g_scanDone;         // search and analysis finished
extern std::atomic<uint64_t> g_scanBytesSeen;     // bytes of every non-empty file met
extern std::atomic<uint64_t> g_duplicatesFound;   // group completions plus picture matches
extern std::atomic<int> g_filesClassified;  // files put into a category map
extern std::atomic<int> g_resultsReady;     // the results page is filled
extern std::atomic<int> g_similarityPercent;  // 100 (initial): exact duplicates only

// The scan's own phases, for its progress: the walk lists the files, then the files that could
// be copies are read and compared, then the groups are sorted.
enum ScanPhase { kPhaseListing = 0, kPhaseComparing = 1, kPhaseClassifying = 2 };
extern std::atomic<int> g_scanPhase;
extern std::atomic<uint64_t> g_scanFilesListed;     // files the walk met so far
extern std::atomic<uint64_t> g_scanBytesToCompare;  // set when the comparing begins
extern std::atomic<uint64_t> g_scanBytesCompared;   // of those, read or known to need no reading

// The start of a scan: clears the stop, done, results-ready flags, the counters and the phase.
void ResetScanState();
