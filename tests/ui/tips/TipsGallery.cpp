// tests/ui/tips/TipsGallery.cpp
// Photographs the update check (waiting and with each outcome), the about box and every
// further tip, in English and in German, and saves gallery/tips.png and gallery/tips-Deutsch.png
// in the build folder.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <string>

#include "app/GdiplusSession.h"
#include "app/Language.h"
#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/TextConvert.h"
#include "tests/support/GalleryCapture.h"
#include "tests/support/WinePath.h"
#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/about/AboutDlg.h"
#include "ui/tips/BrowseFileDlg.h"
#include "ui/tips/DlgWaitCover.h"
#include "ui/tips/FreezeTipDlg.h"
#include "ui/tips/HelpFoundDlg.h"
#include "ui/tips/KvrMessageBoxTipDeepScan.h"
#include "ui/tips/RecoveryTipInScanDlg.h"
#include "ui/tips/WarmTipDlg.h"
#include "ui/update/CheckUpdate.h"

using namespace dialogtest;

namespace {

const int kCanvasWidth = 1420, kCanvasHeight = 1500, kGap = 12;

// Pastes the dialogs in two columns, each under the one before.
class Sheet
{
public:
    Sheet() : bitmap_(kCanvasWidth, kCanvasHeight, PixelFormat24bppRGB), graphics_(&bitmap_)
    {
        graphics_.Clear(Gdiplus::Color(255, 60, 60, 60));
    }
    void Paste(HWND window)
    {
        SIZE size = {0, 0};
        HBITMAP shot = CaptureScreenArea(window, &size);
        if (y_ + size.cy > kCanvasHeight - kGap && x_ == kGap) {
            x_ = kCanvasWidth / 2 + kGap / 2;
            y_ = kGap;
        }
        if (shot) {
            Gdiplus::Bitmap picture(shot, nullptr);
            graphics_.DrawImage(&picture, x_, y_, size.cx, size.cy);
            DeleteObject(shot);
            ++count_;
        }
        y_ += size.cy + kGap;
    }
    bool Save(const std::wstring& path) { return SavePng(bitmap_, path); }
    int Count() const { return count_; }

private:
    Gdiplus::Bitmap bitmap_;
    Gdiplus::Graphics graphics_;
    int x_ = kGap, y_ = kGap;
    int count_ = 0;
};

// prepare runs inside the dialog's loop before the picture is taken.
// The shipped language file with the update address pointed at the fixture's server path
// that never answers, for as long as the object lives.
class StalledUpdateAddress
{
public:
    StalledUpdateAddress() : previous_(ResourceHelper::Instance().GetLanguagePath())
    {
        std::ifstream portFile(std::string(TEST_FIXTURE_DIR) + "/upgrade-server/port");
        int port = 0;
        portFile >> port;
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        path_ = std::wstring(folder) + L"tips-gallery-lang.dat";
        CopyFileW(previous_.c_str(), path_.c_str(), FALSE);
        const std::string address = "http://127.0.0.1:" + std::to_string(port) + "/stall";
        WritePrivateProfileStringW(L"string", L"UpgradeIni", ToWideCString(address.c_str()).c_str(),
                                   path_.c_str());
        ResourceHelper::Instance().SetLanguagePath(path_);
    }
    ~StalledUpdateAddress()
    {
        ResourceHelper::Instance().SetLanguagePath(previous_);
        DeleteFileW(path_.c_str());
    }

private:
    std::wstring previous_, path_;
};

void Shoot(Sheet& sheet, CDialog& dlg, std::function<void()> release, UINT delay = 450,
           std::function<void()> prepare = [] {})
{
    RunLater(delay, [&sheet, &dlg, release, prepare] {
        prepare();
        dlg.Invalidate(FALSE);
        dlg.UpdateWindow();
        sheet.Paste(dlg.m_hWnd);
        release();
    });
    RunLater(8000, [&dlg] { dlg.EndDialog(-99); });
    dlg.DoModal();
    CancelPending();
}

void ShootEveryDialog(Sheet& sheet)
{
    {
        // Waiting on a server that never answers, then the shipped address, which answers
        // nowhere here.
        StalledUpdateAddress stalled;
        CheckUpdate waiting(nullptr);
        Shoot(sheet, waiting, [&waiting] { waiting.EndDialog(IDCANCEL); }, 450);
    }
    {
        CheckUpdate failed(nullptr);
        Shoot(sheet, failed, [&failed] { failed.EndDialog(IDCANCEL); }, 100, [&failed] {
            for (int i = 0; i < 60 && failed.IsRunning(); ++i)
                Settle(100);
        });
    }
    {
        AboutDlg dlg(nullptr);
        Shoot(sheet, dlg, [&dlg] { dlg.EndDialog(IDCANCEL); });
    }
    {
        RecoveryTipInScanDlg dlg(nullptr);
        Shoot(sheet, dlg, [&dlg] { dlg.EndDialog(IDCANCEL); });
    }
    {
        std::atomic<unsigned> busy{1};
        FreezeTipDlg dlg(nullptr);
        dlg.number = -1;
        dlg.busy = &busy;
        Shoot(sheet, dlg, [&busy] { busy = 0; });
    }
    {
        WarmTipDlg dlg(nullptr);
        Shoot(sheet, dlg, [&dlg] { dlg.EndDialog(IDOK); });
    }
    {
        HelpFoundDlg dlg(nullptr);
        Shoot(sheet, dlg, [&dlg] { dlg.EndDialog(IDCANCEL); });
    }
    {
        BrowseFileDlg dlg(nullptr);
        Shoot(sheet, dlg, [&dlg] { dlg.EndDialog(IDCANCEL); });
    }
    {
        CDlgWaitCover dlg(nullptr);
        Shoot(sheet, dlg, [&dlg] { PostMessageA(dlg.m_hWnd, kEndWaitCover, 0, 0); });
    }
    {
        KvrMessageBoxTipDeepScan box(nullptr);
        box.SetMessage("No duplicates were found in this folder.", nullptr, MB_YESNO);
        Shoot(sheet, box, [&box] { box.EndDialog(2); });
    }
}

} // namespace

TEST(TipsGallery, EveryDialogOfTheUpdateAboutAndTipFamily)
{
    ASSERT_TRUE(EnsureGdiplus());
    const std::string folder = ToWinePath(TIPS_GALLERY_DIR);
    CreateDirectoryA(folder.c_str(), nullptr);
    const struct {
        int index;
        const wchar_t* name;
    } languages[] = {{0, L"tips.png"}, {2, L"tips-Deutsch.png"}};
    for (const auto& language : languages) {
        ASSERT_GT(ResourceHelper::Instance().SetLanguage(language.index,
                                                         LanguageFileOf(language.index)), 0);
        Sheet sheet;
        ShootEveryDialog(sheet);
        EXPECT_EQ(sheet.Count(), 10);
        EXPECT_TRUE(sheet.Save(std::wstring(folder.begin(), folder.end()) + L"\\" +
                               language.name));
    }
    ResourceHelper::Instance().SetLanguage(0, LanguageFileOf(0));
}
