// tests/uikit/Gallery.cpp
// The toolkit at a glance: every widget type in its four states (and checked), both filter
// drop-down lists and skinned scroll bars, drawn by the toolkit itself in one window and saved
// as gallery/toolkit.png in the build folder for a person to look at.
#include <gtest/gtest.h>

#include <windows.h>
#include <gdiplus.h>

#include <vector>

#include "UiKitTestEnv.h"
#include "app/GdiplusSession.h"
#include "app/TextConvert.h"
#include "tests/support/WinePath.h"
#include "uikit/dropdown/FilterDropWnd.h"
#include "uikit/host/UiSdkWndBase.h"

using namespace UiCtrl;

namespace {

const int kWidth = 1120, kHeight = 800;

class GalleryHost : public UiSdkWndBase {
public:
    GalleryHost() : UiSdkWndBase("UiKitGallery", 0, 0, 0) {}
};

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

// What the screen shows of the window, as a person would see it (the drop-down lists are
// windows of their own). The test runs alone and on top, so nothing else covers it.
bool SaveScreenArea(HWND window, const std::wstring& path)
{
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

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        uikittest::PumpMessages();
        Sleep(50);
    }
}

} // namespace

TEST(Gallery, DrawsTheToolkitAndSavesThePicture)
{
    uikittest::UseTestResources();
    uikittest::CommandSink window(kWidth, kHeight);
    SetWindowPos(window.Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    GalleryHost host;
    host.CreateWin(window.Hwnd(), 1, 0, 0, kWidth, kHeight, WS_VISIBLE | WS_CLIPCHILDREN);
    ASSERT_EQ(UiSdkWndBase::LoadLayout("Gallery", host.GetHwnd(), host.Items()), 0);
    uikittest::ShowEveryState(host.Items());

    // Both lists open side by side, each with its chosen row and one row under the cursor.
    FilterFileTypeWnd types;
    types.CreateWin(host.GetHwnd(), 0, 160, 608, 320, 768, 0);
    types.SetChosenValue(201);
    types.Items()[103]->SetState(kStateHover);
    FilterKBMBWnd units;
    units.CreateWin(host.GetHwnd(), 0, 352, 608, 432, 708, 0);
    units.SetChosenValue(2);
    units.Items()[3]->SetState(kStateHover);
    for (HWND list : {types.GetHwnd(), units.GetHwnd()})
        ShowWindow(list, SW_SHOWNOACTIVATE);

    for (HWND w : {host.GetHwnd(), types.GetHwnd(), units.GetHwnd()}) {
        InvalidateRect(w, nullptr, FALSE);
        UpdateWindow(w);
    }
    Settle();

    const std::wstring path = ToWideCString(ToWinePath(UIKIT_GALLERY_PNG).c_str());
    DeleteFileW(path.c_str());
    ASSERT_TRUE(SaveScreenArea(window.Hwnd(), path));
    WIN32_FILE_ATTRIBUTE_DATA info;
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info));
    EXPECT_GT(info.nFileSizeLow, 10000u);
}
