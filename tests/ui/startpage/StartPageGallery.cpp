// tests/ui/startpage/StartPageGallery.cpp
// The start page idle and scanning, and the folder chooser, photographed from the screen as a
// person sees them, into gallery/ of the build folder: startpage-idle.png,
// startpage-idle-Deutsch.png, startpage-scanning.png and chooser.png.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "StartPageHost.h"
#include "app/Language.h"
#include "app/ResourceHelper.h"
#include "app/TextConvert.h"
#include "finder/FileSource.h"
#include "finder/ScanState.h"
#include "tests/support/GalleryCapture.h"
#include "tests/support/WinePath.h"
#include "ui/chooser/SelExportPathDlg.h"

using namespace startpagetest;

namespace {

// What the screen shows of the window (the test runs alone, with its windows on top).
bool SaveScreenShot(HWND window, const char* name)
{
    const std::wstring path =
        ToWideCString(ToWinePath(std::string(STARTPAGE_GALLERY_DIR) + "/" + name).c_str());
    DeleteFileW(path.c_str());
    return SaveScreenArea(window, path);
}

void Redraw(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(150);
}

// Reads the tree slowly, so that the scanning view stays long enough to be photographed.
class SlowDisk : public IFileSource {
public:
    bool ListFolder(const std::string& folder,
                    const std::function<bool(const FolderEntry&)>& onEntry) override
    {
        Sleep(40);
        return PlatformFileSource().ListFolder(folder, onEntry);
    }
    std::unique_ptr<IReadableFile> OpenRead(const std::string& path) override
    {
        Sleep(5);
        return PlatformFileSource().OpenRead(path);
    }
};

std::string Tree(const char* name)
{
    return FixtureDir() + "\\startpage\\" + name;
}

TEST(StartPageGallery, IdleAndScanning)
{
    RecordingParent& parent = RecordingParent::Shared();
    SetWindowPos(parent.Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SlowDisk disk;
    {
        WatchedPage page;
        page.Run().SetFileSource(&disk);
        ASSERT_TRUE(page.CreateWin(parent.Hwnd(), 1, 2, -1, 1198, 682, WS_VISIBLE));
        Redraw(parent.Hwnd());
        EXPECT_TRUE(SaveScreenShot(parent.Hwnd(), "startpage-idle.png"));

        HDROP drop = MakeDrop({Tree("large")});
        SendMessageA(page.GetHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        ASSERT_TRUE(PumpUntil([&] { return parent.CountProgress() >= 6; }, 10000));
        Redraw(parent.Hwnd());
        EXPECT_TRUE(SaveScreenShot(parent.Hwnd(), "startpage-scanning.png"));

        ModalCloser closer(parent.Hwnd());
        g_scanStop = 1;
        PumpUntil([&] { return !page.IsScanning() && page.notFoundShown > 0; }, 20000);
        PumpFor(300);
    }
    g_scanStop = 0;
}

TEST(StartPageGallery, IdleInGerman)
{
    RecordingParent& parent = RecordingParent::Shared();
    SetWindowPos(parent.Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_GT(ResourceHelper::Instance().SetLanguage(2, LanguageFileOf(2)), 0);
    {
        WatchedPage page;
        ASSERT_TRUE(page.CreateWin(parent.Hwnd(), 1, 2, -1, 1198, 682, WS_VISIBLE));
        Redraw(parent.Hwnd());
        EXPECT_TRUE(SaveScreenShot(parent.Hwnd(), "startpage-idle-Deutsch.png"));
    }
    ResourceHelper::Instance().SetLanguage(0, LanguageFileOf(0));
    PumpFor(100);
}

SelExportPathDlg* g_chooser = nullptr;
int g_chooserStep = 0;
bool g_chooserSaved = false;

void CALLBACK DriveChooser(HWND, UINT, UINT_PTR, DWORD)
{
    if (!g_chooser || !g_chooser->GetSafeHwnd())
        return;
    switch (g_chooserStep++) {
    case 0: {
        // The drives with their free space at the top, a fixture folder chosen far below.
        CShellTreeCtrl& tree = g_chooser->Tree();
        tree.SelectFolder(FixtureDir() + "\\startpage\\dups");
        tree.SelectSetFirstVisible(tree.GetRootItem());
        break;
    }
    case 3:
        Redraw(g_chooser->GetSafeHwnd());
        g_chooserSaved = SaveScreenShot(g_chooser->GetSafeHwnd(), "chooser.png");
        break;
    case 4: g_chooser->PostMessage(WM_COMMAND, 148, 0); break;
    default: break;
    }
}

TEST(StartPageGallery, FolderChooser)
{
    RecordingParent& parent = RecordingParent::Shared();
    SelExportPathDlg chooser(CWnd::FromHandle(parent.Hwnd()));
    g_chooser = &chooser;
    const UINT_PTR timer = SetTimer(nullptr, 0, 250, DriveChooser);
    EXPECT_EQ(IDCANCEL, chooser.DoModal());
    KillTimer(nullptr, timer);
    g_chooser = nullptr;
    EXPECT_TRUE(g_chooserSaved);
}

} // namespace
