// tests/ui/main/MainGallery.cpp
// The main window photographed from the screen as a person sees it, into gallery/ of the
// build folder: main-window.png (the start page) and main-results.png (after a scan of a
// folder with duplicates).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/TextConvert.h"
#include "tests/support/GalleryCapture.h"
#include "tests/support/WinePath.h"
#include "tests/ui/startpage/StartPageHost.h"
#include "ui/main/KvrUiDlg.h"
#include "ui/main/MainDialogClass.h"

using startpagetest::MakeDrop;
using startpagetest::PumpFor;
using startpagetest::PumpUntil;

namespace {

bool SaveScreenShot(HWND window, const char* name)
{
    const std::wstring path =
        ToWideCString(ToWinePath(std::string(MAIN_GALLERY_DIR) + "/" + name).c_str());
    DeleteFileW(path.c_str());
    return SaveScreenArea(window, path);
}

void Redraw(HWND window)
{
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(200);
}

} // namespace

TEST(MainGallery, StartPageAndResults)
{
    CKVRUIDlg dialog(nullptr);
    ASSERT_TRUE(dialog.Create(kMainDialogTemplateId, nullptr));
    HWND window = dialog.GetSafeHwnd();
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    PumpFor(300);
    Redraw(window);
    EXPECT_TRUE(SaveScreenShot(window, "main-window.png"));

    dialog.StartPage().OnDropFiles(MakeDrop({FixtureDir() + "\\startpage\\dups"}));
    ASSERT_TRUE(PumpUntil([&] { return dialog.CurrentPage() == dialog.ResultsPage().Hwnd(); }, 30000));
    Redraw(window);
    EXPECT_TRUE(SaveScreenShot(window, "main-results.png"));
    dialog.DestroyWindow();
    PumpFor(50);
}
