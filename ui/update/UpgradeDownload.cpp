// ui/update/UpgradeDownload.cpp
#include "ui/update/UpgradeDownload.h"

#include <stdio.h>

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
    job->Run();
    job->Release();
    return 0;
}

// The offer as read, into a file of its own for the INI reader; false when it cannot be written.
static bool WriteOffer(const char* file, const std::string& body)
{
    FILE* out = fopen(file, "wb");
    if (!out)
        return false;
    const bool written = fwrite(body.data(), 1, body.size(), out) == body.size();
    return fclose(out) == 0 && written;
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
        const UpgradeTransferResult fetched = transfer_.Fetch(address_, kUpgradeFileCap);
        if (fetched.complete && !CancelRequested()) {
            if (WriteOffer(file, fetched.body))
                verdict = JudgeUpgradeFile(file, installed_);
            else
                verdict.outcome = UpgradeOutcome::WriteFailed;
        }
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

void UpgradeDownload::Cancel()
{
    EnterCriticalSection(&lock_);
    cancel_ = true;
    LeaveCriticalSection(&lock_);
    transfer_.Abort();
}

void UpgradeDownload::Abandon(DWORD waitMs)
{
    EnterCriticalSection(&lock_);
    notify_ = nullptr;
    LeaveCriticalSection(&lock_);
    Cancel();
    WaitForSingleObject(thread_, waitMs);
    Release();
}

void UpgradeDownload::Release()
{
    if (InterlockedDecrement(&references_) == 0)
        delete this;
}
