// ui/startpage/ScanProgress.cpp
#include "ui/startpage/ScanProgress.h"

#include "finder/ScanState.h"

namespace {
const double kHighestRatio = 0.99;
const double kListingShare = 0.3;
const double kListingHalfway = 20000.0;  // files listed when the listing's part is half full

double ListingRatio(uint64_t files)
{
    const double n = static_cast<double>(files);
    return kListingShare * n / (n + kListingHalfway);
}
}  // namespace

ScanProgressCounters ReadScanProgress()
{
    ScanProgressCounters now;
    now.phase = g_scanPhase.load();
    now.filesListed = g_scanFilesListed.load();
    now.bytesToCompare = g_scanBytesToCompare.load();
    now.bytesCompared = g_scanBytesCompared.load();
    return now;
}

float ScanProgressRatio(const ScanProgressCounters& now, float previous)
{
    const double listed = ListingRatio(now.filesListed);
    double ratio = listed;
    if (now.phase == kPhaseComparing && now.bytesToCompare > 0) {
        double done = static_cast<double>(now.bytesCompared) / static_cast<double>(now.bytesToCompare);
        done = done > 1.0 ? 1.0 : done;
        ratio = listed + (kHighestRatio - listed) * done;
    } else if (now.phase >= kPhaseClassifying) {
        ratio = kHighestRatio;
    }
    if (ratio > kHighestRatio)
        ratio = kHighestRatio;
    const float result = static_cast<float>(ratio);
    return result > previous ? result : (previous > static_cast<float>(kHighestRatio) ? static_cast<float>(kHighestRatio) : previous);
}

int ProgressPercent(float ratio)
{
    if (!(ratio > 0.0f))
        return 0;
    const int percent = static_cast<int>(static_cast<double>(ratio) * 100.0);
    return percent > 99 ? 99 : percent;
}

FrameStep StepScanFrame(int index)
{
    int next = index + 1;
    if (index < 0 || next >= kScanFrameCount)
        next = 0;  // never past the last picture
    FrameStep step = {next, next};
    if (step.next >= kScanFrameCount - 1)
        step.next = 0;
    return step;
}

int StepIdlePicture(int& counter)
{
    if (counter < 1 || counter > 10)
        counter = 1;
    const int picture = (counter % 2) ? 0 : 1;
    if (++counter > 10)
        counter = 1;
    return picture;
}
