// mfc/TempObjects.h
// Temporary wrappers for handles that no object owns (FromHandle). One wrapper per handle;
// once its handle has died, the outermost message loop deletes it when idle, without
// touching the handle (internal to the layer).
#pragma once
#include <windows.h>

class CWnd;
class CDC;
class CGdiObject;

namespace TempObjects {

CWnd* Window(HWND hWnd);
CDC* DeviceContext(HDC dc);
CGdiObject* GdiObject(HGDIOBJ object);
// Deletes the wrappers of handles that no longer exist.
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
