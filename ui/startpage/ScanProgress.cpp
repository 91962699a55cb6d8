// ui/startpage/ScanProgress.cpp
#include "ui/startpage/ScanProgress.h"

namespace {
const float kHighestRatio = 0.99f;
}

uint64_t ExpectedTotalOrDefault(uint64_t usedBytes)
{
    return usedBytes ? usedBytes : 1000;
}

float ProgressRatio(uint64_t bytesSeen, uint64_t expectedTotal)
{
    if (!expectedTotal)
        return 0.0f;
    const double ratio = static_cast<double>(bytesSeen) / static_cast<double>(expectedTotal);
    if (!(ratio > 0.0))
        return 0.0f;
    return ratio > kHighestRatio ? kHighestRatio : static_cast<float>(ratio);
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
