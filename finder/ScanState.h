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

// The start of a scan: clears the stop, done, results-ready flags and the counters.
void ResetScanState();
