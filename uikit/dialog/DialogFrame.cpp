// uikit/dialog/DialogFrame.cpp
#include "uikit/dialog/DialogFrame.h"

#include <algorithm>

namespace DialogFrame {

RECT ClientFromWindow(const RECT& proposedWindow)
{
    RECT client = proposedWindow;
    client.top = std::min(proposedWindow.top + kCaptionBand, proposedWindow.bottom);
    if (client.right < client.left)
        client.right = client.left;
    if (client.bottom < client.top)
        client.bottom = client.top;
    return client;
}

RECT MaximisedWindow(const RECT& workArea)
{
    return workArea;
}

RECT RestoredWindow(const RECT& workArea, int width, int height)
{
    return CentredWindow(workArea, workArea, width, height);
}

RECT CentredWindow(const RECT& area, const RECT& workArea, int width, int height)
{
    const int workWidth = workArea.right - workArea.left;
    const int workHeight = workArea.bottom - workArea.top;
    width = std::max(0, std::min(width, workWidth));
    height = std::max(0, std::min(height, workHeight));
    int left = area.left + ((area.right - area.left) - width) / 2;
    int top = area.top + ((area.bottom - area.top) - height) / 2;
    left = std::max<int>(workArea.left, std::min<int>(left, workArea.right - width));
    top = std::max<int>(workArea.top, std::min<int>(top, workArea.bottom - height));
    return {left, top, left + width, top + height};
}

} // namespace DialogFrame
