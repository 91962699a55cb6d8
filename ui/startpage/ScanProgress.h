// ui/startpage/ScanProgress.h
// What the start page shows while a scan runs: the share of the drive seen so far and the
// animation frames. No window, so that the rules are tested directly.
#pragma once
#include <stdint.h>

// The used bytes of the drive as the progress denominator; 1000 when they cannot be read,
// so that an unknown drive still shows movement (and stops at 99).
uint64_t ExpectedTotalOrDefault(uint64_t usedBytes);

// bytesSeen / expectedTotal, never below 0 nor above 0.99: the scan is done only when its
// worker says so, whatever the counters. 0 for a zero denominator.
float ProgressRatio(uint64_t bytesSeen, uint64_t expectedTotal);
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
