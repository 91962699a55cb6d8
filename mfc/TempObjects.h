// mfc/TempObjects.h
// Temporary wrappers for handles that no object owns (FromHandle). One wrapper per handle,
// kept until the outermost message loop is idle, then deleted without touching the handle
// (internal to the layer).
#pragma once
#include <windows.h>

class CWnd;
class CDC;
class CGdiObject;

namespace TempObjects {

CWnd* Window(HWND hWnd);
CDC* DeviceContext(HDC dc);
CGdiObject* GdiObject(HGDIOBJ object);
void DeleteAll();
// Message loops nest; only the outermost one may delete temporaries, when no handler that
// might hold one is running.
struct LoopScope
{
    LoopScope();
    ~LoopScope();
    static bool IsOutermost();
};

} // namespace TempObjects
