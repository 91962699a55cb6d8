// tests/mfc/TestPump.h
// Drives windows from inside the test: a thread timer that runs a step inside whatever
// message loop is running (a dialog's modal loop included), and a bounded pump.
#pragma once
#include "mfc/Mfc.h"
#include <functional>
#include <string>
#include <vector>

typedef std::vector<std::pair<UINT_PTR, std::function<void()>>> PendingSteps;
inline PendingSteps& Pending()
{
    static PendingSteps pending;
    return pending;
}

// Drops the steps not run yet (they may point at objects of a finished test).
inline void CancelPending()
{
    for (auto& step : Pending())
        KillTimer(nullptr, step.first);
    Pending().clear();
}

// Runs step once, delay ms from now, from the running message loop.
inline void RunLater(UINT delay, std::function<void()> step)
{
    PendingSteps& pending = Pending();
    struct Proc
    {
        static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(nullptr, id);
            PendingSteps& pending = Pending();
            for (size_t i = 0; i < pending.size(); ++i)
                if (pending[i].first == id) {
                    auto fn = pending[i].second;
                    pending.erase(pending.begin() + i);
                    fn();
                    return;
                }
        }
    };
    UINT_PTR id = SetTimer(nullptr, 0, delay, Proc::Fire);
    pending.push_back({id, std::move(step)});
}

// Dispatches what is queued, for at most ms milliseconds.
inline void Pump(DWORD ms = 50)
{
    DWORD end = GetTickCount() + ms;
    MSG msg;
    while ((int)(end - GetTickCount()) > 0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        Sleep(5);
    }
}

// A hidden top-level window of the layer's default class.
inline BOOL CreateTopLevel(CWnd& wnd, LPCSTR title = "test")
{
    return wnd.CreateEx(0, nullptr, title, WS_POPUP, 0, 0, 200, 150, nullptr, nullptr);
}

inline BOOL CreateChild(CWnd& wnd, CWnd& parent, UINT id, LPCSTR className = nullptr)
{
    return wnd.CreateEx(0, className, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &parent, id);
}

typedef std::vector<std::string> Log;
