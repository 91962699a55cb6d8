// ui/update/UpgradeDownload.h
// One download of "Upgrade.ini" on a worker thread, at most kUpgradeFileCap bytes
// (UpgradeTransfer). Cancelling closes the transfer's handles, which ends a download blocked
// in the network at once. The job is shared by the dialog and the worker and freed by
// whichever lets go last, so the dialog never depends on the worker being gone.
#pragma once
#include <windows.h>

#include <string>

#include "ui/update/UpgradeCheck.h"
#include "ui/update/UpgradeTransfer.h"

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

    // Ends the download now: the verdict is a failure (still notified).
    void Cancel();
    // Stops notifying, cancels, waits up to waitMs for the worker and lets go of the job. The
    // object must not be used afterwards.
    void Abandon(DWORD waitMs);

private:
    UpgradeDownload(const std::string& address, const std::string& folder,
                    const InstalledVersion& installed, HWND notify, UINT doneMessage);
    ~UpgradeDownload();
    static DWORD WINAPI ThreadProc(LPVOID self);
    void Run();
    void Release();
    bool CancelRequested();

    CRITICAL_SECTION lock_;
    LONG references_ = 2;
    std::string address_, folder_;
    InstalledVersion installed_;
    HWND notify_;
    UINT doneMessage_;
    bool cancel_ = false;
    bool finished_ = false;
    UpgradeVerdict verdict_;
    UpgradeTransfer transfer_;
    HANDLE thread_ = nullptr;
};
