// tests/support/MessagePump.h
// Window tests run their windows' messages themselves, between clicks and checks.
#pragma once
#include <windows.h>

// Translates and dispatches every message queued for this thread now; returns when the queue
// is empty.
inline void DispatchQueuedMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
