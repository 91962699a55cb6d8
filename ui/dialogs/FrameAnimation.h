// ui/dialogs/FrameAnimation.h
// The frames of an animated skin picture (GIF), stepped on a timer.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// The number of frames in the picture's first frame dimension, at least 1: a still picture,
// or a GIF that reports no frames, is one frame, so the index always wraps.
UINT CountFrames(Gdiplus::Image* image);
// The frame after index, back to 0 at count (a count below 1 counts as 1).
UINT NextFrame(UINT index, UINT count);
// Makes frame index of the time dimension the one that draws; nothing for a null image.
void SelectFrame(Gdiplus::Image* image, UINT index);
