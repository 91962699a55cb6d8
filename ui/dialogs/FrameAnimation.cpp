// ui/dialogs/FrameAnimation.cpp
#include "ui/dialogs/FrameAnimation.h"

#include <vector>

UINT CountFrames(Gdiplus::Image* image)
{
    if (!image)
        return 1;
    const UINT dimensions = image->GetFrameDimensionsCount();
    if (dimensions == 0)
        return 1;
    std::vector<GUID> ids(dimensions);
    if (image->GetFrameDimensionsList(ids.data(), dimensions) != Gdiplus::Ok)
        return 1;
    const UINT frames = image->GetFrameCount(&ids[0]);
    return frames ? frames : 1;
}

UINT NextFrame(UINT index, UINT count)
{
    if (count < 1)
        count = 1;
    return index + 1 >= count ? 0 : index + 1;
}

void SelectFrame(Gdiplus::Image* image, UINT index)
{
    if (image)
        image->SelectActiveFrame(&Gdiplus::FrameDimensionTime, index);
}
