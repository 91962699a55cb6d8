// ui/main/TaskbarProgress.cpp
#include "ui/main/TaskbarProgress.h"

bool TaskbarProgress::SystemHasProgress()
{
    const DWORD version = GetVersion();
    const DWORD major = LOBYTE(LOWORD(version));
    const DWORD minor = HIBYTE(LOWORD(version));
    return major > 6 || (major == 6 && minor >= 1);
}

bool TaskbarProgress::Create(HWND window)
{
    Release();
    if (!SystemHasProgress())
        return false;
    ITaskbarList3* taskbar = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_ALL, IID_ITaskbarList3,
                                  reinterpret_cast<void**>(&taskbar));
    if (FAILED(hr) || !taskbar)
        return false;
    taskbar->HrInit();
    taskbar_ = taskbar;
    taskbar_->SetProgressState(window, TBPF_NOPROGRESS);
    return true;
}

void TaskbarProgress::Attach(ITaskbarList3* taskbar, HWND window)
{
    Release();
    if (!taskbar)
        return;
    taskbar->AddRef();
    taskbar_ = taskbar;
    taskbar_->SetProgressState(window, TBPF_NOPROGRESS);
}

void TaskbarProgress::Release()
{
    if (taskbar_) {
        taskbar_->Release();
        taskbar_ = nullptr;
    }
}

void TaskbarProgress::Show(HWND window, WPARAM completed, LPARAM total)
{
    if (!taskbar_)
        return;
    if (total == 0) {
        taskbar_->SetProgressState(window, TBPF_NOPROGRESS);
        return;
    }
    const ULONGLONG done = completed;
    const ULONGLONG all = static_cast<ULONGLONG>(static_cast<ULONG_PTR>(total));
    taskbar_->SetProgressValue(window, done < all ? done : all, all);
}
