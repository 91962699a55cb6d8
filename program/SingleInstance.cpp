// program/SingleInstance.cpp
#include "program/SingleInstance.h"

#include <windows.h>

bool TakeSingleInstanceMutex(const char* name)
{
    // Never closed: the system lets go of it when the process ends.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name);
    if (!mutex)
        return true;
    return GetLastError() != ERROR_ALREADY_EXISTS;
}

bool ActivateRunningInstance(const char* className)
{
    HWND running = FindWindowA(className, nullptr);
    if (!running)
        return false;
    if (IsIconic(running))
        ShowWindow(running, SW_RESTORE);
    SetWindowPos(running, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    SetActiveWindow(running);
    SetForegroundWindow(running);
    FlashWindow(running, TRUE);
    return true;
}
