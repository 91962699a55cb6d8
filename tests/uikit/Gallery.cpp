// tests/uikit/Gallery.cpp
// The toolkit at a glance: every widget type in its four states (and checked), both filter
// drop-down lists and skinned scroll bars, drawn by the toolkit itself in one window and saved
// as gallery/toolkit.png in the build folder for a person to look at.
#include <gtest/gtest.h>

#include <windows.h>

#include "UiKitTestEnv.h"
#include "app/ResourceHelper.h"
#include "app/TextConvert.h"
#include "tests/support/GalleryCapture.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WinePath.h"
#include "uikit/dropdown/FilterDropWnd.h"
#include "uikit/host/UiSdkWndBase.h"
#ifdef UIKIT_GALLERY_SCROLL
#include "uikit/scroll/SkinScroll.h"
#endif

using namespace UiCtrl;

namespace {

const int kWidth = 1120, kHeight = 800;

class GalleryHost : public UiSdkWndBase {
public:
    GalleryHost() : UiSdkWndBase("UiKitGallery", 0, 0, 0), rows_(CreateSolidBrush(kRowColour)) {}
    ~GalleryHost() override { DeleteObject(rows_); }

    // The sample list box was made here, so it asks this window for its colours.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CTLCOLORLISTBOX) {
            SetTextColor(reinterpret_cast<HDC>(wParam), 0xDBBAAF);
            SetBkColor(reinterpret_cast<HDC>(wParam), kRowColour);
            return reinterpret_cast<LRESULT>(rows_);
        }
        return UiSdkWndBase::WindowProc(message, wParam, lParam);
    }

private:
    static const COLORREF kRowColour = 0x2B211C;
    HBRUSH rows_;
};

#ifdef UIKIT_GALLERY_SCROLL
// A list box with more lines than it shows, both ways, wrapped in the skinned bars of the
// results page (bitmap 1008).
class ScrollSample {
public:
    ScrollSample(HWND parent, int left, int top, int right, int bottom)
    {
        HWND box = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL |
                                   WS_HSCROLL | LBS_NOINTEGRALHEIGHT, left, top, right - left,
                                   bottom - top, parent, nullptr, GetModuleHandleA(nullptr),
                                   nullptr);
        for (int i = 1; i <= 40; ++i) {
            char line[96];
            wsprintfA(line, "Duplicate group %d: IMG_%04d.JPG and its copies in other folders", i,
                      1000 + i);
            SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
        }
        SendMessageA(box, WM_SETFONT,
                     reinterpret_cast<WPARAM>(ResourceHelper::Instance().GetFont(16, 400, false)), 0);
        SendMessageA(box, LB_SETHORIZONTALEXTENT, 600, 0);
        SendMessageA(box, LB_SETTOPINDEX, 6, 0);
        list_.SubclassWindow(box);
        skin_ = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1008));
        frame_ = SkinWndScroll(&list_, skin_, nullptr);
    }
    ~ScrollSample()
    {
        if (frame_)
            UnskinWndScroll(&list_);
        list_.DestroyWindow();
        if (skin_)
            DeleteObject(skin_);
    }
    bool Skinned() const { return frame_ != nullptr; }

private:
    CWnd list_;
    HBITMAP skin_ = nullptr;
    CSkinScrollWnd* frame_ = nullptr;
};
#endif

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        DispatchQueuedMessages();
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
#ifdef UIKIT_GALLERY_SCROLL
    ScrollSample scroll(host.GetHwnd(), 736, 608, 1100, 780);
    EXPECT_TRUE(scroll.Skinned());
#endif

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
