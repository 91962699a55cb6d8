// ui/update/UpgradeDownload.cpp
#include "ui/update/UpgradeDownload.h"

#include <urlmon.h>

namespace {

// Lets a closing dialog stop the transfer: every progress report asks whether to go on.
class AbortingCallback : public IBindStatusCallback
{
public:
    explicit AbortingCallback(UpgradeDownload* job) : job_(job) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback)) {
            *out = static_cast<IBindStatusCallback*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the worker's stack for the whole call.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return Go(); }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
    // A server that sends more than an offer's few lines is stopped there.
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG done, ULONG total, ULONG, LPCWSTR) override
    {
        if (done > kUpgradeFileCap || total > kUpgradeFileCap)
            return E_ABORT;
        return Go();
    }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override
    {
        return Go();
    }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

private:
    HRESULT Go() { return job_->CancelRequested() ? E_ABORT : S_OK; }
    UpgradeDownload* job_;
};

} // namespace

UpgradeDownload* UpgradeDownload::Start(const std::string& address, const std::string& folder,
                                        const InstalledVersion& installed, HWND notify,
                                        UINT doneMessage)
{
    auto* job = new UpgradeDownload(address, folder, installed, notify, doneMessage);
    job->thread_ = CreateThread(nullptr, 0, &UpgradeDownload::ThreadProc, job, 0, nullptr);
    if (!job->thread_) {
        delete job;
        return nullptr;
    }
    return job;
}

UpgradeDownload::UpgradeDownload(const std::string& address, const std::string& folder,
                                 const InstalledVersion& installed, HWND notify, UINT doneMessage)
    : address_(address), folder_(folder), installed_(installed), notify_(notify),
      doneMessage_(doneMessage)
{
    InitializeCriticalSection(&lock_);
}

UpgradeDownload::~UpgradeDownload()
{
    if (thread_)
        CloseHandle(thread_);
    DeleteCriticalSection(&lock_);
}

DWORD WINAPI UpgradeDownload::ThreadProc(LPVOID self)
{
    auto* job = static_cast<UpgradeDownload*>(self);
    const HRESULT com = CoInitialize(nullptr);
    job->Run();
    if (SUCCEEDED(com))
        CoUninitialize();
    job->Release();
    return 0;
}

// A download that failed because the file could not be written, as opposed to the network.
static bool IsWriteFailure(HRESULT hr)
{
    if (HRESULT_FACILITY(hr) == FACILITY_STORAGE)
        return true;
    switch (hr) {
    case E_ACCESSDENIED:
    case HRESULT_FROM_WIN32(ERROR_DISK_FULL):
    case HRESULT_FROM_WIN32(ERROR_HANDLE_DISK_FULL):
    case HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND):
    case HRESULT_FROM_WIN32(ERROR_WRITE_PROTECT):
    case HRESULT_FROM_WIN32(ERROR_WRITE_FAULT):
        return true;
    default:
        return false;
    }
}

void UpgradeDownload::Run()
{
    UpgradeVerdict verdict;
    // A file of this check's own in the user's temporary folder: the program folder may not
    // be writable, and a check abandoned earlier must not delete or replace this one's file.
    char file[MAX_PATH] = "";
    if (folder_.empty() || !GetTempFileNameA(folder_.c_str(), "upg", 0, file)) {
        verdict.outcome = UpgradeOutcome::WriteFailed;
    } else {
        AbortingCallback callback(this);
        const HRESULT hr = URLDownloadToFileA(nullptr, address_.c_str(), file, 0, &callback);
        if (hr == S_OK && !CancelRequested())
            verdict = JudgeUpgradeFile(file, installed_);
        else if (IsWriteFailure(hr))
            verdict.outcome = UpgradeOutcome::WriteFailed;
        DeleteFileA(file);
    }
    EnterCriticalSection(&lock_);
    verdict_ = verdict;
    finished_ = true;
    if (notify_)
        PostMessageA(notify_, doneMessage_, 0, 0);
    LeaveCriticalSection(&lock_);
}

UpgradeVerdict UpgradeDownload::Verdict()
{
    EnterCriticalSection(&lock_);
    UpgradeVerdict verdict = verdict_;
    LeaveCriticalSection(&lock_);
    return verdict;
}

bool UpgradeDownload::IsFinished()
{
    EnterCriticalSection(&lock_);
    const bool finished = finished_;
    LeaveCriticalSection(&lock_);
    return finished;
}

bool UpgradeDownload::CancelRequested()
{
    EnterCriticalSection(&lock_);
    const bool cancel = cancel_;
    LeaveCriticalSection(&lock_);
    return cancel;
}

void UpgradeDownload::Abandon(DWORD waitMs)
{
    EnterCriticalSection(&lock_);
    notify_ = nullptr;
    cancel_ = true;
    LeaveCriticalSection(&lock_);
    WaitForSingleObject(thread_, waitMs);
    Release();
}

void UpgradeDownload::Release()
{
    if (InterlockedDecrement(&references_) == 0)
        delete this;
}
