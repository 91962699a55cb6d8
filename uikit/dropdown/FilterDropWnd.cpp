// uikit/dropdown/FilterDropWnd.cpp
#include "uikit/dropdown/FilterDropWnd.h"

#include <tinyxml.h>

#include "app/ResourceLayout.h"
#include "uikit/widget/LayoutAttr.h"
#include "uikit/widget/LayoutLoader.h"

namespace UiCtrl {

namespace {
const COLORREF kFrameColour = 0x48382F;
const char* const kClassName = "FilterDropWnd";
} // namespace

FilterDropWnd::FilterDropWnd(const char* elementName, int extraHeight)
    : UiSdkWndBase(kClassName, 1, 0, 0), frameBrush_(CreateSolidBrush(kFrameColour)),
      elementName_(elementName), extraHeight_(extraHeight)
{
}

FilterDropWnd::~FilterDropWnd()
{
    // The window goes first, so no message reaches a list without its brush.
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
    if (frameBrush_)
        DeleteObject(frameBrush_);
}

int FilterDropWnd::CreateWin(HWND parent, int id, int left, int top, int right, int bottom,
                             DWORD style)
{
    owner_ = parent;
    UiSdkWndBase::CreateWin(parent, id, left, top, right, bottom, style | WS_POPUP);
    if (!hwnd_)
        return 0;
    const TiXmlElement* element = GetResourceElement(elementName_.c_str());
    if (!rowsLoaded_ && element) {
        LoadItemsFromElement(element, hwnd_, items_,
                             [this](int, int) -> UiItem* { return MakeRow(); });
        rowsLoaded_ = true;
    }
    // The list's size is written on its first row.
    const TiXmlElement* first = element ? element->FirstChildElement() : nullptr;
    const int width = ReadIntAttr(first, "width");
    const int height = ReadIntAttr(first, "height");
    if (width && height) {
        SetWindowPos(hwnd_, nullptr, 0, 0, width, height + extraHeight_,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    MarkRows();
    return 0;
}

void FilterDropWnd::MarkRows()
{
    for (auto& entry : items_) {
        auto* row = static_cast<FilterDropItem*>(entry.second);
        if (!row)
            continue;
        const bool chosen = row->ChosenValue() == chosen_;
        row->SetChecked(chosen);
        row->SetState(chosen ? kStateHover : kStateNormal);
    }
    InvalidateAll(FALSE);
}

void FilterDropWnd::SetChosenValue(int value)
{
    chosen_ = value;
    MarkRows();
}

void FilterDropWnd::Open()
{
    if (!hwnd_)
        return;
    MarkRows();
    ShowWindow(hwnd_, SW_SHOW);
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetFocus(hwnd_);
}

void FilterDropWnd::Hide()
{
    ShowWindow(hwnd_, SW_HIDE);
    // A hidden list gets no leave notice: start hover tracking afresh when it opens again.
    router_.Reset();
}

LRESULT FilterDropWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KILLFOCUS:
        Hide();
        break;
    case kFilterChosenMessage:
        chosen_ = static_cast<int>(wParam);
        MarkRows();
        Hide();
        if (owner_)
            PostMessageA(owner_, WM_COMMAND, kFilterChosenMessage, ReportedValue());
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    default: break;
    }
    return UiSdkWndBase::WindowProc(message, wParam, lParam);
}

int FilterDropWnd::DrawBackground(HDC memoryDc)
{
    RECT frame;
    GetClientRect(hwnd_, &frame);
    frame.right -= 2;
    frame.bottom -= 1;
    if (frameBrush_)
        FrameRect(memoryDc, &frame, frameBrush_);
    return 0;
}

FilterFileTypeWnd::FilterFileTypeWnd() : FilterDropWnd("SetFilterFileTypeWnd", 1) {}

FilterKBMBWnd::FilterKBMBWnd() : FilterDropWnd("SetKBMBWnd", 0) {}

} // namespace UiCtrl
