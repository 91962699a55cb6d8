// uikit/host/UiSdkWndBase.cpp
#include "uikit/host/UiSdkWndBase.h"

#include "app/ResourceHelper.h"
#include "app/ResourceLayout.h"
#include "uikit/draw/GradientFill.h"
#include "uikit/widget/LayoutLoader.h"
#include "uikit/widget/UiItemFactory.h"

namespace UiCtrl {

namespace {

const int kStripBitmap = 525;
const int kBandHeight = 50;

HBRUSH BackgroundBrush()
{
    static HBRUSH brush = CreateSolidBrush(kHostBackground);
    return brush;
}

} // namespace

UiSdkWndBase::UiSdkWndBase(const char* className, int bandFlag, int stripFlag, UINT classStyle)
    : className_(className ? className : ""), bandFlag_(bandFlag), stripFlag_(stripFlag),
      router_(items_)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (!GetClassInfoA(instance, className_.c_str(), &existing)) {
        WNDCLASSA wc = {};
        wc.style = classStyle | CS_VREDRAW;
        wc.lpfnWndProc = StaticWndProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = className_.c_str();
        RegisterClassA(&wc);
    }
    if (stripFlag_)
        stripPicture_ = ResourceHelper::Instance().LoadPicture(kStripBitmap, 2);
}

UiSdkWndBase::~UiSdkWndBase()
{
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
    DeleteItems(items_);
    surface_.Release();
    if (windowDc_ && hwnd_)
        ReleaseDC(hwnd_, windowDc_);
    windowDc_ = nullptr;
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

int UiSdkWndBase::CreateWin(HWND parent, int id, int left, int top, int right, int bottom,
                            DWORD style)
{
    if (!hwnd_ || !IsWindow(hwnd_)) {
        const DWORD fullStyle = style | WS_CHILD | WS_CLIPSIBLINGS;
        HMENU childId = (fullStyle & WS_POPUP) ? nullptr
                                               : reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
        HWND hwnd = CreateWindowExA(0, className_.c_str(), "", fullStyle, left, top, right - left,
                                    bottom - top, parent, childId, GetModuleHandleA(nullptr),
                                    nullptr);
        if (!hwnd)
            return 0;
        hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        windowDc_ = GetDC(hwnd_);
    }
    return OnSize(0, 0);
}

int UiSdkWndBase::OnCreated() { return 0; }

LRESULT CALLBACK UiSdkWndBase::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam)
{
    auto* self = reinterpret_cast<UiSdkWndBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && self->hwnd_ == hwnd)
        return self->WindowProc(message, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT UiSdkWndBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(message, wParam, lParam);
}

LRESULT UiSdkWndBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = hwnd_;
    switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); break;
    case WM_SIZE: OnSize(wParam, lParam); break;
    case WM_PAINT: return OnPaint(wParam, lParam);
    case WM_ERASEBKGND: return 1;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd && ShowWidgetCursor(router_, hwnd, lParam))
            return TRUE;
        break;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, lParam); break;
    case WM_LBUTTONUP: OnLButtonUp(wParam, lParam); break;
    case WM_MOUSEWHEEL: OnMouseWheel(wParam, lParam); break;
    case WM_MOUSELEAVE: OnMouseLeave(wParam, lParam); break;
    case WM_DESTROY:
        // The window's own DC goes with the window; the memory surface stays usable.
        if (windowDc_)
            ReleaseDC(hwnd_, windowDc_);
        windowDc_ = nullptr;
        break;
    case WM_NCDESTROY:
        // A parent may destroy this window before the object: forget the handle so that the
        // object never acts on (or destroys) a handle that names another window later.
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        router_.Reset();
        hwnd_ = nullptr;
        break;
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

UiItem* UiSdkWndBase::FindItem(int id) const
{
    auto it = items_.find(id);
    return it == items_.end() ? nullptr : it->second;
}

void UiSdkWndBase::InvalidateAll(BOOL erase)
{
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, erase);
}

void UiSdkWndBase::ApplyRouting(unsigned flags)
{
    if ((flags & MouseRouter::kTrackLeave) && hwnd_) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, hwnd_, 0};
        TrackMouseEvent(&track);
    }
    if (flags & MouseRouter::kRepaint)
        InvalidateAll(FALSE);
}

int UiSdkWndBase::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    ApplyRouting(router_.OnMouseMove(wParam, lParam));
    return 1;
}

int UiSdkWndBase::OnMouseLeave(WPARAM, LPARAM)
{
    ApplyRouting(router_.OnMouseLeave());
    return 1;
}

int UiSdkWndBase::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    if (hwnd_)
        SetFocus(hwnd_);
    ApplyRouting(router_.OnLButtonDown(wParam, lParam));
    return 1;
}

int UiSdkWndBase::OnLButtonUp(WPARAM wParam, LPARAM lParam)
{
    ApplyRouting(router_.OnLButtonUp(wParam, lParam));
    return 1;
}

int UiSdkWndBase::OnMouseWheel(WPARAM, LPARAM)
{
    RECT client;
    if (hwnd_)
        GetClientRect(hwnd_, &client);
    return 1;
}

int UiSdkWndBase::OnSize(WPARAM, LPARAM)
{
    if (!hwnd_ || !windowDc_)
        return 0;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (width < 1 || height < 1)
        return 0;
    // Keep the old surface rather than none.
    if (!surface_.Create(windowDc_, width, height))
        return 0;
    InvalidateAll(TRUE);
    return 1;
}

int UiSdkWndBase::OnPaint(WPARAM, LPARAM)
{
    HDC memory = surface_.Dc();
    RECT client;
    GetClientRect(hwnd_, &client);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (dc && memory) {
        FillRect(memory, &client, BackgroundBrush());
        FrameRect(memory, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DrawBackground(memory);
        for (auto& entry : items_) {
            if (entry.second)
                entry.second->Draw(memory);
        }
        DrawForeground(memory);
        DrawBottomStrip(memory);
        // The surface is shown one pixel to the right; its last column and row stay hidden.
        const int width = client.right - client.left, height = client.bottom - client.top;
        BitBlt(dc, 1, 0, width - 2, height - 1, memory, 0, 0, SRCCOPY);
        // The screen pixels the copy leaves out get the background, not stale content.
        RECT left = {0, 0, 1, height}, right = {width - 1, 0, width, height};
        RECT bottom = {0, height - 1, width, height};
        FillRect(dc, &left, BackgroundBrush());
        FillRect(dc, &right, BackgroundBrush());
        FillRect(dc, &bottom, BackgroundBrush());
    }
    EndPaint(hwnd_, &ps);
    return 1;
}

int UiSdkWndBase::DrawBackground(HDC memoryDc)
{
    if (!bandFlag_ || !hwnd_)
        return 0;
    RECT client;
    GetClientRect(hwnd_, &client);
    FillGdiGradient(memoryDc, 0, client.bottom - kBandHeight, client.right, client.bottom,
                    0xFF0000, 0x0000FF, 1);
    return 0;
}

int UiSdkWndBase::DrawBottomStrip(HDC memoryDc)
{
    if (!stripFlag_ || !hwnd_)
        return 0;
    RECT client;
    GetClientRect(hwnd_, &client);
    ResourceHelper::Instance().DrawPicture(memoryDc, stripPicture_, 0, client.bottom - kBandHeight,
                                           client.right, client.bottom, kHostBackground);
    return 0;
}

int UiSdkWndBase::DrawForeground(HDC) { return 0; }

int UiSdkWndBase::ReloadText()
{
    for (auto& entry : items_) {
        if (entry.second)
            entry.second->ReloadText();
    }
    InvalidateAll(FALSE);
    return 0;
}

int UiSdkWndBase::LoadLayout(const char* elementName, HWND owner, UiItemMap& items)
{
    return LoadItemsFromElement(GetResourceElement(elementName), owner, items, CreateUiItem);
}

} // namespace UiCtrl
