// ui/update/UpgradeDownload.h
// One download of "Upgrade.ini" on a worker thread, at most kUpgradeFileCap bytes. The job is shared by the dialog and the
// worker and freed by whichever lets go last, so the dialog may close while a stalled server
// still holds the worker: it asks the download to stop, waits a while, then leaves.
#pragma once
#include <windows.h>

#include <string>

#include "ui/update/UpgradeCheck.h"

class UpgradeDownload
{
public:
    // Starts the worker: address to download, the folder that takes a file of the check's own
    // (deleted once read), the version to compare with, and the window that gets doneMessage
    // (posted, once) when the verdict is ready. Null when no thread could start.
    static UpgradeDownload* Start(const std::string& address, const std::string& folder,
                                  const InstalledVersion& installed, HWND notify,
                                  UINT doneMessage);

    // The verdict; meaningful once doneMessage has arrived (or IsFinished()).
    UpgradeVerdict Verdict();
    bool IsFinished();

    // Stops notifying, asks the download to stop, waits up to waitMs for the worker and lets
    // go of the job. The object must not be used afterwards.
    void Abandon(DWORD waitMs);

    // Exposed for the download's progress callback.
    bool CancelRequested();

private:
    UpgradeDownload(const std::string& address, const std::string& folder,
                    const InstalledVersion& installed, HWND notify, UINT doneMessage);
    ~UpgradeDownload();
    static DWORD WINAPI ThreadProc(LPVOID self);
    void Run();
    void Release();

    CRITICAL_SECTION lock_;
    LONG references_ = 2;
    std::string address_, folder_;
    InstalledVersion installed_;
    HWND notify_;
    UINT doneMessage_;
    bool cancel_ = false;
    bool finished_ = false;
    UpgradeVerdict verdict_;
    HANDLE thread_ = nullptr;
};
