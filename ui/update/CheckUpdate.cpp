// ui/update/CheckUpdate.cpp
#include "ui/update/CheckUpdate.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <shellapi.h>

#include "app/AppFolder.h"
#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SkinImage.h"
#include "app/WebAddress.h"
#include "uikit/dialog/SkinDialogTemplate.h"
#include "ui/update/UpgradeDownload.h"
#include "uikit/widget/CaptionedItem.h"

namespace {
const int kDownloadItem = 800;
const int kCloseItem = 801;
const int kCaptionClose = 148;
const UINT_PTR kTimerId = 1;
const UINT kDownloadDone = WM_APP + 0x121;
const int kAnimationBitmap = 347;
const int kFrameWidth = 30;
const int kFrameCount = 12;
const int kNewerPicture = 321;
const int kUpToDatePicture = 268;
const int kFailedPicture = 324;

void SetItemCaption(UiCtrl::UiItem* item, const char* key)
{
    if (auto* captioned = dynamic_cast<UiCtrl::CaptionedItem*>(item))
        captioned->SetCaption(GetLangString(key));
}
} // namespace

BEGIN_MESSAGE_MAP(CheckUpdate, HomeBaseDialog)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(kDownloadDone, &CheckUpdate::OnDownloadDone)
END_MESSAGE_MAP()

CheckUpdate::CheckUpdate(CWnd* parent)     : HomeBaseDialog((RegisterSkinDialogTemplates(), kPopupTemplateId), parent, true)
{
}

CheckUpdate::~CheckUpdate()
{
    StopWorker();
    if (frames_)
        ImageList_Destroy(frames_);
    delete warning_;
}

BOOL CheckUpdate::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("CheckUpdate");
    downloadItem_ = FindClientItem(kDownloadItem);
    if (downloadItem_)
        downloadItem_->SetVisible(0);
    closeItem_ = FindClientItem(kCloseItem);

    if (!frames_) {
        HBITMAP strip = LoadBitmapA(ResourceHelper::Instance().GetResourceModule(),
                                    MAKEINTRESOURCEA(kAnimationBitmap));
        if (strip) {
            frames_ = ImageList_Create(kFrameWidth, kFrameWidth, ILC_COLOR24 | ILC_MASK, 0, 1);
            if (frames_)
                ImageList_AddMasked(frames_, strip, RGB(255, 255, 255));
            DeleteObject(strip);
        }
    }
    if (!warning_)
        warning_ = LoadSkinImage("warning.png");

    // A second DoModal checks afresh.
    running_ = true;
    frame_ = 0;
    resultText_.clear();
    downloadUrl_.clear();
    resultPicture_ = nullptr;
    resultPictureId_ = 0;
    SetTimer(kTimerId, 100);
    const std::string address = MakeUpgradeAddress(GetLangString("UpgradeIni"), GetTickCount());
    char temp[MAX_PATH] = "";
    const DWORD tempLength = GetTempPathA(MAX_PATH, temp);
    const std::string folder = tempLength && tempLength < MAX_PATH ? temp : "";
    download_ = UpgradeDownload::Start(address, folder, ReadInstalledVersion(), m_hWnd,
                                       kDownloadDone);
    if (!download_)
        ShowVerdict(UpgradeVerdict());
    return TRUE;
}

LRESULT CheckUpdate::OnDownloadDone(WPARAM, LPARAM)
{
    if (download_ && running_)
        ShowVerdict(download_->Verdict());
    return 0;
}

void CheckUpdate::ShowVerdict(const UpgradeVerdict& verdict)
{
    switch (verdict.outcome) {
    case UpgradeOutcome::Newer:
        downloadUrl_ = verdict.downloadUrl;
        resultText_ = GetLangString("Tip2Download");
        resultPictureId_ = kNewerPicture;
        SetItemCaption(downloadItem_, "Update");
        if (downloadItem_)
            downloadItem_->SetVisible(1);
        break;
    case UpgradeOutcome::UpToDate:
        resultText_ = GetLangString("AlreadyBeNewest");
        resultPictureId_ = kUpToDatePicture;
        SetItemCaption(closeItem_, "OK");
        break;
    case UpgradeOutcome::WriteFailed:
        resultText_ = GetLangString("UpdateWriteFailed");
        resultPictureId_ = kFailedPicture;
        SetItemCaption(closeItem_, "OK");
        break;
    case UpgradeOutcome::Failed:
        resultText_ = GetLangString("NetFailed");
        resultPictureId_ = kFailedPicture;
        SetItemCaption(closeItem_, "OK");
        break;
    }
    resultPicture_ = ResourceHelper::Instance().LoadPicture(resultPictureId_, 2);
    KillTimer(kTimerId);
    running_ = false;
    Invalidate(FALSE);
}

void CheckUpdate::StopWorker()
{
    if (!download_)
        return;
    download_->Abandon(kCloseWaitMs);
    download_ = nullptr;
}

BOOL CheckUpdate::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == kDownloadItem || id == kCloseItem || id == kCaptionClose) {
        int result = IDCANCEL;
        if (id == kDownloadItem) {
            // The address comes from a downloaded file: only a web page is ever opened.
            if (IsWebAddress(downloadUrl_))
                ShellExecuteA(nullptr, "open", downloadUrl_.c_str(), nullptr, nullptr,
                              SW_SHOWMAXIMIZED);
            result = IDOK;
        }
        EndDialog(result);
        StopWorker();
        return TRUE;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

void CheckUpdate::OnTimer(UINT_PTR id)
{
    if (id != kTimerId)
        return;
    frame_ = (frame_ + 1) % kFrameCount;
    Invalidate(FALSE);
}

void CheckUpdate::OnDestroy()
{
    // Any way out of the dialog lets go of the worker before the window is gone.
    KillTimer(kTimerId);
    StopWorker();
    CWnd::OnDestroy();
}

void CheckUpdate::DrawBackground(HDC memory)
{
    RECT client;
    GetClientRect(&client);
    client.left += 1;
    client.right -= 1;
    HBRUSH brush = CreateSolidBrush(0x423129);
    FillRect(memory, &client, brush);
    DeleteObject(brush);
}

RECT CheckUpdate::ResultTextBox()
{
    // Down to just above the buttons: the longer translations take three lines.
    return RECT{96, 55, 460, 140};
}

void CheckUpdate::DrawForeground(HDC memory)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    if (resultPicture_ && resultPictureId_) {
        helper.DrawGdiImage(memory, warning_, 34, 45);
    } else if (running_ && frames_) {
        ImageList_DrawEx(frames_, frame_, memory, 44, 55, kFrameWidth, kFrameWidth, CLR_NONE,
                         CLR_NONE, ILD_TRANSPARENT);
    }
    const std::string text = resultText_.empty() ? GetLangString("Wait4Down") : resultText_;
    helper.DrawString(memory, text.c_str(), ResultTextBox(), 0xEBC496, 17, 500, DT_WORDBREAK);
}
