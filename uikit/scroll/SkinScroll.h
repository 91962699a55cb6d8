// uikit/scroll/SkinScroll.h
// Wrapping a list or tree control in skinned scroll bars, and undoing it.
#pragma once
#include "uikit/scroll/SkinScrollWnd.h"

// Wraps the control in a new frame drawn from the skin bitmap (9 cells wide; the caller keeps
// the bitmap alive while the frame lives). A control that is already wrapped keeps its frame,
// which is returned. Null when the frame could not be made.
CSkinScrollWnd* SkinWndScroll(CWnd* control, HBITMAP skin, iCaller* rectSource = nullptr);
// Removes the frame of a wrapped control; a control without one is left alone. Returns 1.
BOOL UnskinWndScroll(CWnd* control);
