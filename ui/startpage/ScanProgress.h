// ui/startpage/ScanProgress.h
// What the start page shows while a scan runs: how far the scan has come, by its own phases,
// and the animation frames. No window, so that the rules are tested directly.
#pragma once
#include <stdint.h>

// The finder's progress counters (finder/ScanState.h) at one moment.
struct ScanProgressCounters {
    int phase;                // kPhaseListing, kPhaseComparing, kPhaseClassifying
    uint64_t filesListed;
    uint64_t bytesToCompare;
    uint64_t bytesCompared;
};
ScanProgressCounters ReadScanProgress();

// How far the scan has come, 0 to 0.99 (it is done only when its worker says so). The listing
// fills the first part, ever more slowly as files come (how many there are is not known
// before); the comparing fills the rest by bytes, from where the listing stopped. Never below
// `previous`, so the bar never goes back.
float ScanProgressRatio(const ScanProgressCounters& now, float previous);
// The ratio as whole percent for the taskbar: 0 to 99.
int ProgressPercent(float ratio);

// The scan animation: 34 pictures, "progress1.png" to "progress34.png" as frames 0 to 33.
// Frame 0 shows only before the first tick; every tick then shows frames 1 to 33 in turn.
enum { kScanFrameCount = 34 };
struct FrameStep {
    int shown;  // the frame drawn on this tick
    int next;   // the index kept for the next tick
};
FrameStep StepScanFrame(int index);

// The idle picture pair, swapped every 1500 ms: the counter (1 to 10) says which one shows
// (odd "scan_a.png", even "scan_b.png") and moves on. Returns 0 for a, 1 for b.
int StepIdlePicture(int& counter);
