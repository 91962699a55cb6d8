// tests/ui/startpage/StartPageGallery.cpp
// The start page idle and scanning, and the folder chooser, photographed from the screen as a
// person sees them, into gallery/ of the build folder: startpage-idle.png,
// startpage-scanning.png and chooser.png.
#include <gtest/gtest.h>

#include <windows.h>
#include <gdiplus.h>

#include <string>
#include <vector>

#include "StartPageHost.h"
#include "app/GdiplusSession.h"
#include "app/TextConvert.h"
#include "finder/FileSource.h"
#include "finder/ScanState.h"
#include "tests/support/WinePath.h"
#include "ui/chooser/SelExportPathDlg.h"

using namespace startpagetest;

namespace {

bool PngEncoder(CLSID& out)
{
    UINT count = 0, bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    if (!bytes)
        return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, bytes, codecs);
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, L"image/png") == 0) {
            out = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// What the screen shows of the window (the test runs alone, with its windows on top).
bool SaveScreenArea(HWND window, const char* name)
{
    const std::wstring path =
        ToWideCString(ToWinePath(std::string(STARTPAGE_GALLERY_DIR) + "/" + name).c_str());
    DeleteFileW(path.c_str());
    RECT area;
    GetWindowRect(window, &area);
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP shot = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    bool saved = false;
    CLSID png;
    if (EnsureGdiplus() && PngEncoder(png)) {
        Gdiplus::Bitmap bitmap(shot, nullptr);
        saved = bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
    }
    DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
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
        EXPECT_TRUE(SaveScreenArea(parent.Hwnd(), "startpage-idle.png"));

        HDROP drop = MakeDrop({Tree("large")});
        SendMessageA(page.GetHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        ASSERT_TRUE(PumpUntil([&] { return parent.CountProgress() >= 6; }, 10000));
        Redraw(parent.Hwnd());
        EXPECT_TRUE(SaveScreenArea(parent.Hwnd(), "startpage-scanning.png"));

        ModalCloser closer(parent.Hwnd());
        g_scanStop = 1;
        PumpUntil([&] { return !page.IsScanning() && page.notFoundShown > 0; }, 20000);
        PumpFor(300);
    }
    g_scanStop = 0;
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
        g_chooserSaved = SaveScreenArea(g_chooser->GetSafeHwnd(), "chooser.png");
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
