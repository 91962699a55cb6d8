// ui/main/TaskbarProgress.h
// The scan progress on the taskbar button (ITaskbarList3, Windows 7 and later). The shell
// announces the button with "TaskbarButtonCreated"; Wine never sends it, so the main dialog
// also asks for the object once its window exists. Without an object every call does nothing.
#pragma once
#include <windows.h>
#include <shobjidl.h>

class TaskbarProgress {
public:
    TaskbarProgress() = default;
    ~TaskbarProgress() { Release(); }

    // True on Windows 7 or later, where the taskbar list takes progress.
    static bool SystemHasProgress();
    // Replaces any object by a new one and switches its progress off for window. COM must be
    // initialised on this thread. True when an object was made.
    bool Create(HWND window);
    // Takes a reference of taskbar in place of the current object (tests, other creators).
    void Attach(ITaskbarList3* taskbar, HWND window);
    void Release();
    bool HasObject() const { return taskbar_ != nullptr; }

    // (0, 0): progress off; otherwise completed of total. A total of 0 with a non-zero value
    // is no progress either (it would divide by zero in the shell).
    void Show(HWND window, WPARAM completed, LPARAM total);

    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;

private:
    ITaskbarList3* taskbar_ = nullptr;
};
