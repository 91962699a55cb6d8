// finder/ScanState.cpp
#include "finder/ScanState.h"

std::atomic<int> g_scanStop(0);
std::atomic<int> g_scanCancelled(0);
std::atomic<int> g_scanDone(0);
std::atomic<uint64_t> g_scanBytesSeen(0);
std::atomic<uint64_t> g_duplicatesFound(0);
std::atomic<int> g_filesClassified(0);
std::atomic<int> g_resultsReady(0);
std::atomic<int> g_similarityPercent(100);
std::atomic<int> g_scanPhase(kPhaseListing);
std::atomic<uint64_t> g_scanFilesListed(0);
std::atomic<uint64_t> g_scanBytesToCompare(0);
std::atomic<uint64_t> g_scanBytesCompared(0);

void ResetScanState()
{
    g_scanStop = 0;
    g_scanBytesSeen = 0;
    g_duplicatesFound = 0;
    g_scanDone = 0;
    g_resultsReady = 0;
    g_scanPhase = kPhaseListing;
    g_scanFilesListed = 0;
    g_scanBytesToCompare = 0;
    g_scanBytesCompared = 0;
}
