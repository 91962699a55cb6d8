// tests/ui/main/MainGallery.cpp
// The main window photographed from the screen as a person sees it, into gallery/ of the
// build folder: main-window.png (the start page), main-results.png (after a scan of a
// folder with duplicates), and main-menu.png / main-menu-Deutsch.png (the pop-up menu with its
// language submenu open, under a code page that cannot show Japanese).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "app/Settings.h"
#include "app/TextConvert.h"
#include "tests/support/TestFiles.h"
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

// The visible pop-up menus of the screen (Wine gives them the class "#32768").
int VisibleMenus()
{
    int count = 0;
    for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu;
         menu = FindWindowExA(nullptr, menu, "#32768", nullptr))
        if (IsWindowVisible(menu))
            ++count;
    return count;
}

bool WaitForMenus(int count)
{
    for (int waited = 0; waited < 3000; waited += 20) {
        if (VisibleMenus() >= count)
            return true;
        Sleep(20);
    }
    return false;
}

// Runs the real menu; a helper thread opens the language submenu with the keys a person would
// press, photographs the window with both menus over it, and closes them again.
class MenuShootingDialog : public CKVRUIDlg {
public:
    MenuShootingDialog() : CKVRUIDlg(nullptr) {}
    const char* shotName = "";
    bool shot = false;

protected:
    int RunMenu(HMENU menu, POINT at) override
    {
        HWND owner = m_hWnd;
        // Down once per entry up to the language submenu, then open it.
        std::vector<WPARAM> keys;
        for (const MenuPlanEntry& entry : LastMenuPlan().entries) {
            keys.push_back(VK_DOWN);
            if (entry.isLanguageMenu)
                break;
        }
        keys.push_back(VK_RIGHT);
        std::thread shooter([this, owner, keys] {
            if (!WaitForMenus(1))
                return;
            HWND popup = FindWindowExA(nullptr, nullptr, "#32768", nullptr);
            for (WPARAM key : keys) {
                ::PostMessageA(popup, WM_KEYDOWN, key, 0);
                Sleep(100);
            }
            if (WaitForMenus(2)) {
                Sleep(300);
                shot = SaveScreenShot(owner, shotName);
            }
            for (int k = 0; k < 2; ++k) {
                ::PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
                Sleep(100);
            }
        });
        const int chosen = CKVRUIDlg::RunMenu(menu, at);
        shooter.join();
        return chosen;
    }
};

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

TEST(MainGallery, LanguageMenuInEnglishAndGerman)
{
    TempFolder settings("gallery-settings");
    SetSettingsFolder(settings.Path().c_str());
    MenuShootingDialog dialog;
    ASSERT_TRUE(dialog.Create(kMainDialogTemplateId, nullptr));
    HWND window = dialog.GetSafeHwnd();
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    PumpFor(300);
    struct Shot {
        int language;
        const char* name;
    } shots[] = {{kFirstLanguageId, "main-menu.png"}, {kFirstLanguageId + 2, "main-menu-Deutsch.png"}};
    for (const Shot& shot : shots) {
        dialog.SwitchLanguage(shot.language);
        Redraw(window);
        SetCursorPos(260, 40);
        dialog.shotName = shot.name;
        dialog.shot = false;
        dialog.OnClickMenu();
        EXPECT_TRUE(dialog.shot) << "no picture of the open menu";
    }
    dialog.SwitchLanguage(kFirstLanguageId);
    dialog.DestroyWindow();
    PumpFor(50);
    SetSettingsFolder(nullptr);
}
