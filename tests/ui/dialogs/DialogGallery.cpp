// tests/ui/dialogs/DialogGallery.cpp
// Every dialog of the message-box, wait, tip and notice family as the screen shows it, one
// picture per language file that exists: gallery/dialogs-<language>.png in the build folder.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "app/AppFolder.h"
#include "app/GdiplusSession.h"
#include "app/LangString.h"
#include "app/Language.h"
#include "app/ResourceHelper.h"
#include "app/TextConvert.h"
#include "tests/support/GalleryCapture.h"
#include "tests/support/WinePath.h"
#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/dialogs/CommonTipDlg.h"
#include "ui/dialogs/NotFindFileDlg.h"
#include "ui/dialogs/RemoveFileFinishDlg.h"
#include "ui/dialogs/StartAnalyeDlg.h"
#include "uikit/dialog/KvrMessageBox.h"

using namespace dialogtest;

namespace {

const int kCanvasWidth = 720, kCanvasHeight = 1720, kGap = 12;
const int kJapanese = 1;   // language index

// Pastes what the screen shows of each dialog under the one before.
class Sheet
{
public:
    Sheet() : bitmap_(kCanvasWidth, kCanvasHeight, PixelFormat24bppRGB), graphics_(&bitmap_)
    {
        graphics_.Clear(Gdiplus::Color(255, 60, 60, 60));
    }
    void Paste(HWND window)
    {
        SIZE size;
        HBITMAP shot = CaptureScreenArea(window, &size);
        if (shot) {
            Gdiplus::Bitmap picture(shot, nullptr);
            graphics_.DrawImage(&picture, kGap, y_, size.cx, size.cy);
            DeleteObject(shot);
        }
        y_ += size.cy + kGap;
        ++count_;
    }
    bool Save(const std::wstring& path) { return SavePng(bitmap_, path); }
    int Count() const { return count_; }

private:
    Gdiplus::Bitmap bitmap_;
    Gdiplus::Graphics graphics_;
    int y_ = kGap;
    int count_ = 0;
};

// Runs the dialog modally, photographs it once it has painted, then lets it go.
void Shoot(Sheet& sheet, CDialog& dlg, std::function<void()> release)
{
    RunLater(450, [&sheet, &dlg, release] {
        dlg.UpdateWindow();
        sheet.Paste(dlg.m_hWnd);
        release();
    });
    RunLater(5000, [&dlg] { dlg.EndDialog(-99); });
    dlg.DoModal();
    CancelPending();
}

void ShootLanguage(Sheet& sheet)
{
    {
        KVRMessageBox box(nullptr);
        box.SetMessage(GetLangString("ScanNotStarted").empty() ? "The scan could not be started."
                                                               : GetLangString("ScanNotStarted").c_str(),
                       nullptr, MB_OKCANCEL);
        Shoot(sheet, box, [&box] { box.EndDialog(1); });
    }
    {
        KVRMessageBox box(nullptr);
        box.SetMessage(GetLangString("WithoutMem").c_str(), nullptr, MB_YESNO);
        Shoot(sheet, box, [&box] { box.EndDialog(1); });
    }
    {
        KVRMessageBox box(nullptr);
        box.SetMessage(GetLangString("notFoundFilesCaption").c_str(), nullptr, MB_OK);
        box.SetButtonTexts(GetLangString("YES").c_str(), GetLangString("NO").c_str(),
                           GetLangString("Cancel").c_str());
        Shoot(sheet, box, [&box] { box.EndDialog(1); });
    }
    {
        NotFindFileDlg dlg(nullptr);
        Shoot(sheet, dlg, [&dlg] { dlg.EndDialog(2); });
    }
    std::atomic<int> done{0};
    {
        StartAnalyeDlg dlg(nullptr, &done);
        Shoot(sheet, dlg, [&done] { done = 1; });
    }
    done = 0;
    {
        const std::string text = GetLangString("Cleaning");
        CommonTipDlg dlg(nullptr, text.c_str(), &done);
        Shoot(sheet, dlg, [&done] { done = 1; });
    }
    {
        RemoveFileFinishDlg dlg(nullptr);
        Shoot(sheet, dlg, [&dlg] { dlg.EndDialog(2); });
    }
}

} // namespace

TEST(DialogGallery, EveryDialogInEveryLanguageThereIs)
{
    ASSERT_TRUE(EnsureGdiplus());
    const std::string folder = ToWinePath(DIALOG_GALLERY_DIR);
    CreateDirectoryA(folder.c_str(), nullptr);
    // Japanese needs code page 932 (ctest runs the program a second time for it); the other
    // languages are shot under any other code page.
    const bool japaneseCodePage = GetACP() == 932;
    int languages = 0;
    for (int index = 0; index < kLanguageCount; ++index) {
        if ((index == kJapanese) != japaneseCodePage)
            continue;
        const char* file = LanguageFileOf(index);
        const std::string path = std::string(GetAppFolder()) + file;
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            continue;
        ASSERT_GT(ResourceHelper::Instance().SetLanguage(index, file), 0);
        Sheet sheet;
        ShootLanguage(sheet);
        EXPECT_EQ(sheet.Count(), 7) << file;
        std::string stem = file;
        stem = stem.substr(0, stem.rfind('.'));
        const std::string png = folder + "\\dialogs-" + stem + ".png";
        EXPECT_TRUE(sheet.Save(ToWideCString(png.c_str()))) << png;
        ++languages;
    }
    ResourceHelper::Instance().SetLanguage(0, LanguageFileOf(0));
    // The Japanese file may not be there yet; English always is.
    if (!japaneseCodePage)
        EXPECT_GE(languages, 1);
}
