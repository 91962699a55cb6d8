// uikit/dialog/DialogFrame.h
// Window geometry of the skinned dialogs, free of windows so that it is tested directly.
// The dialog draws its own caption band over the top rows of the window; everything below
// it, edge to edge, is the client area.
#pragma once
#include <windows.h>

namespace DialogFrame {

// Window rows above the client area: the caption band that the dialog paints itself.
constexpr int kCaptionBand = 50;
// The restored size of a maximisable dialog.
constexpr int kRestoredWidth = 1200;
constexpr int kRestoredHeight = 725;

// The client rectangle for a proposed window rectangle (both in the same coordinates):
// the whole window below the caption band, whatever borders the system would have drawn.
// A window lower than the band gets an empty client at its bottom edge.
RECT ClientFromWindow(const RECT& proposedWindow);

// A maximised dialog fills the work area of its monitor, never more.
RECT MaximisedWindow(const RECT& workArea);

// The restored window: width x height centred in the work area, shrunk to fit it.
RECT RestoredWindow(const RECT& workArea, int width = kRestoredWidth,
                    int height = kRestoredHeight);

// A window of width x height centred on area, then moved wholly into workArea when it fits
// (a box never opens half off the screen because its owner sits near an edge).
RECT CentredWindow(const RECT& area, const RECT& workArea, int width, int height);

} // namespace DialogFrame
