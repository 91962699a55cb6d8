// ui/update/CheckUpdate.h
// The update check: downloads "Upgrade.ini" on a worker thread (UpgradeDownload),
// shows a turning wait animation meanwhile, then the outcome; for a newer version its
// download button (800) opens the offered page. DoModal: IDOK after the download button,
// else IDCANCEL.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/update/UpgradeCheck.h"
#include "uikit/dialog/HomeBaseDialog.h"

namespace Gdiplus {
class Image;
}
class UpgradeDownload;

class CheckUpdate : public HomeBaseDialog
{
public:
    // Where the waiting text and the outcome are written, in font (17, 500) with word breaks.
    static RECT ResultTextBox();
    explicit CheckUpdate(CWnd* parent);
    ~CheckUpdate() override;

    // How long closing waits for the worker to end: cancelling closes the download's handles,
    // which ends it at once; the wait is only a bound, the dialog never hangs on the server.
    static const DWORD kCloseWaitMs = 1000;

    bool IsRunning() const { return running_; }
    const std::string& ResultText() const { return resultText_; }
    const std::string& DownloadUrl() const { return downloadUrl_; }
    int ResultPictureId() const { return resultPictureId_; }
    int Frame() const { return frame_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;
    void DrawForeground(HDC memory) override;
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    LRESULT OnDownloadDone(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void ShowVerdict(const UpgradeVerdict& verdict);
    void StopWorker();

    bool running_ = true;
    int frame_ = 0;
    UiCtrl::UiItem* downloadItem_ = nullptr;
    UiCtrl::UiItem* closeItem_ = nullptr;
    std::string resultText_;
    std::string downloadUrl_;
    IPicture* resultPicture_ = nullptr;
    int resultPictureId_ = 0;
    HIMAGELIST frames_ = nullptr;
    Gdiplus::Image* warning_ = nullptr;
    UpgradeDownload* download_ = nullptr;
};
