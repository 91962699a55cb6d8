// mfc/WndMap.h
// The process-wide map from window handles to their objects (internal to the layer).
// An entry may outlive its object: a window that was unsubclassed while someone else's
// procedure sat above ours keeps an entry with no object, so that our procedure can still
// pass its messages to the procedure it replaced.
#pragma once
#include <windows.h>

class CWnd;

namespace WndMap {

struct Entry
{
    CWnd* wnd;        // null once the object has let go of the window
    WNDPROC oldProc;  // what our procedure replaced, null when it never did
};

void Add(HWND hWnd, CWnd* wnd, WNDPROC oldProc);
bool Find(HWND hWnd, Entry* out);
CWnd* FindObject(HWND hWnd);
void SetOldProc(HWND hWnd, WNDPROC oldProc);
// Keeps the entry for forwarding but forgets the object.
void Orphan(HWND hWnd);
void Remove(HWND hWnd);

} // namespace WndMap
