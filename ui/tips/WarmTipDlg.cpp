// ui/tips/WarmTipDlg.cpp
#include "ui/tips/WarmTipDlg.h"

#include <olectl.h>

#include "app/Language.h"
#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/WebAddress.h"
#include "ui/tips/TipSwitch.h"
#include "ui/tips/TipTemplates.h"
#include "uikit/host/UiSdkWndBase.h"

namespace {
const int kDontShowAgain = 801;
const int kOk = 802;
const int kFirstPicture = 494;

// The embedded JPEG of that id (resource type "JPEG"); the caller releases it.
IPicture* LoadJpegResource(int id)
{
    HMODULE module = ResourceHelper::Instance().GetResourceModule();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "JPEG");
    if (!found)
        return nullptr;
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy)
        return nullptr;
    memcpy(GlobalLock(copy), bytes, size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        GlobalFree(copy);
        return nullptr;
    }
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicture(stream, LONG(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture))))
        picture = nullptr;
    stream->Release();
    return picture;
}

bool InRect(const RECT& r, POINT p)
{
    return PtInRect(&r, p) != 0;
}
} // namespace

WarmTipDlg::WarmTipDlg(CWnd* parent)
    : CDialog((RegisterTipDialogTemplates(), kPlainTipTemplateId), parent), router_(items_)
{
}

WarmTipDlg::~WarmTipDlg()
{
    surface_.Release();
    UiCtrl::DeleteItems(items_);
    if (background_)
        background_->Release();
}

UiCtrl::UiItem* WarmTipDlg::FindItem(int id) const
{
    auto it = items_.find(id);
    return it == items_.end() ? nullptr : it->second;
}

BOOL WarmTipDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UiCtrl::DeleteItems(items_);
    router_.Reset();
    UiCtrl::UiSdkWndBase::LoadLayout("WarmTip", m_hWnd, items_);
    SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    surface_.Release();
    HDC screen = ::GetDC(m_hWnd);
    if (surface_.Create(screen, kWidth, kHeight))
        SetStretchBltMode(surface_.Dc(), HALFTONE);
    ::ReleaseDC(m_hWnd, screen);
    if (!background_) {
        int language = GetLanguageIndex();
        // An index from an edited settings file must not pick some other resource.
        if (language < 0 || language >= kLanguageCount)
            language = 0;
        background_ = LoadJpegResource(kFirstPicture + language);
    }
    return TRUE;
}

void WarmTipDlg::Paint()
{
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(m_hWnd, &paint);
    if (HDC memoryDc = surface_.Dc()) {
        RECT client;
        GetClientRect(&client);
        if (background_)
            ResourceHelper::Instance().DrawPicture(memoryDc, background_, 0, 0, client.right,
                                                   client.bottom, 0);
        else
            FillRect(memoryDc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        for (auto& entry : items_)
            if (entry.second)
                entry.second->Draw(memoryDc);
        BitBlt(screen, 0, 0, client.right, client.bottom, memoryDc, 0, 0, SRCCOPY);
    }
    EndPaint(m_hWnd, &paint);
}

void WarmTipDlg::Apply(unsigned flags)
{
    if (flags & UiCtrl::MouseRouter::kTrackLeave) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
        TrackMouseEvent(&track);
    }
    if (flags & UiCtrl::MouseRouter::kRepaint)
        Invalidate(FALSE);
}

void WarmTipDlg::UpdateCursor(POINT point)
{
    static HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    if (InRect(LinkRect(), point)) {
        HCURSOR previous = SetCursor(hand);
        if (!haveSavedCursor_) {
            savedCursor_ = previous;
            haveSavedCursor_ = true;
        }
    } else if (haveSavedCursor_) {
        SetCursor(savedCursor_);
        haveSavedCursor_ = false;
    }
}

BOOL WarmTipDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case kDontShowAgain:
        // The check item posts its state; without one, read the tick itself.
        StoreTipSwitch("ShowWarm",
                       lParam != 0 || IsItemChecked(FindItem(kDontShowAgain)));
        return TRUE;
    case kOk:
        EndDialog(IDOK);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL WarmTipDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN))
        return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT WarmTipDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SETCURSOR:
        if (haveSavedCursor_)
            return 1;
        break;
    case WM_MOUSEMOVE:
        Apply(router_.OnMouseMove(wParam, lParam));
        UpdateCursor(point);
        break;
    case WM_MOUSELEAVE:
        Apply(router_.OnMouseLeave());
        break;
    case WM_LBUTTONDOWN:
        ::SetFocus(m_hWnd);
        Apply(router_.OnLButtonDown(wParam, lParam));
        break;
    case WM_LBUTTONUP: {
        const bool overWidget = UiCtrl::MouseRouter::HitTest(items_, point) != nullptr;
        Apply(router_.OnLButtonUp(wParam, lParam) | UiCtrl::MouseRouter::kRepaint);
        if (!overWidget && InRect(LinkRect(), point)) {
            OpenWebAddress(nullptr, GetLangString("TBUrl"));
        }
        break;
    }
    case WM_DESTROY:
        router_.Reset();
        surface_.Release();
        break;
    }
    return CDialog::DefWindowProc(message, wParam, lParam);
}
