// ui/tips/FreezeTipDlg.cpp
#include "ui/tips/FreezeTipDlg.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SafeFormat.h"
#include "ui/tips/TipTemplates.h"

namespace {
const UINT_PTR kTimerId = 1;
const int kFirstFrame = 441;
const int kFrameCount = 36;
const DWORD kTickMs = 10;
// A tick requested by the poll thread.
const UINT kPollTick = WM_APP + 1;
} // namespace

BEGIN_MESSAGE_MAP(FreezeTipDlg, CDialog)
    ON_WM_TIMER()
    ON_MESSAGE(kPollTick, &FreezeTipDlg::OnPollTick)
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

FreezeTipDlg::FreezeTipDlg(CWnd* parent)
    : CDialog((RegisterTipDialogTemplates(), kPlainTipTemplateId), parent)
{
}

FreezeTipDlg::~FreezeTipDlg()
{
    StopPolling();
    surface_.Release();
}

BOOL FreezeTipDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    int width = 450, height = 110;
    layout_ = FreezeTipRects(number != -1);
    if (number != -1) {
        shown_ = FormatLangString(formatKey.c_str(), number);
        if (shown_.empty())
            shown_ = std::to_string(number);  // a key with no format of one number
    } else {
        shown_ = text.empty() ? GetLangString("Wait4Search") : text;
        HDC dc = ::GetDC(m_hWnd);
        HGDIOBJ old = SelectObject(dc, ResourceHelper::Instance().GetFont(17, 500, false));
        RECT measured = layout_.text;
        DrawTextA(dc, shown_.c_str(), -1, &measured, DT_CALCRECT);
        SelectObject(dc, old);
        ::ReleaseDC(m_hWnd, dc);
        width = FreezeTipWidth(measured.right);
        height = 70;
    }
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    surface_.Release();
    HDC screen = ::GetDC(m_hWnd);
    if (surface_.Create(screen, width, height))
        SetStretchBltMode(surface_.Dc(), HALFTONE);
    ::ReleaseDC(m_hWnd, screen);
    frame_ = 0;
    if (busy) {
        StopPolling();
        stopPolling_ = false;
        tickPending_ = false;
        poller_ = std::thread(&FreezeTipDlg::PollThread, this);
    } else {
        SetTimer(kTimerId, kTickMs);
    }
    return TRUE;
}

void FreezeTipDlg::PollThread(FreezeTipDlg* dlg)
{
    const HWND hwnd = dlg->m_hWnd;
    while (!dlg->stopPolling_) {
        const bool flagDown = dlg->busy->load() == 0;
        // A request still waiting reads the flag when it runs: no need for another.
        if (!dlg->tickPending_.exchange(true))
            ::PostMessageA(hwnd, kPollTick, 0, 0);
        if (flagDown)
            return;
        Sleep(kTickMs);
    }
}

void FreezeTipDlg::StopPolling()
{
    stopPolling_ = true;
    if (poller_.joinable())
        poller_.join();
}

LRESULT FreezeTipDlg::OnPollTick(WPARAM, LPARAM)
{
    tickPending_ = false;
    Tick();
    return 0;
}

void FreezeTipDlg::OnTimer(UINT_PTR id)
{
    if (id == kTimerId)
        Tick();
}

void FreezeTipDlg::Tick()
{
    if (busy && busy->load() == 0) {
        KillTimer(kTimerId);
        EndDialog(IDOK);
        return;
    }
    frame_ = (frame_ + 1) % kFrameCount;
    Invalidate(FALSE);
}

void FreezeTipDlg::OnPaint()
{
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(m_hWnd, &paint);
    if (HDC memoryDc = surface_.Dc()) {
        RECT client;
        GetClientRect(&client);
        HBRUSH fill = CreateSolidBrush(0x171A1C);
        FillRect(memoryDc, &client, fill);
        DeleteObject(fill);
        FrameRect(memoryDc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ResourceHelper& helper = ResourceHelper::Instance();
        helper.DrawString(memoryDc, shown_.c_str(), layout_.text, 0xDBBAAF, 17, 500,
                          DT_WORDBREAK);
        const RECT& p = layout_.picture;
        helper.DrawPicture(memoryDc, helper.LoadPicture(kFirstFrame + frame_, 2), p.left, p.top,
                           p.right, p.bottom, 0);
        BitBlt(screen, 0, 0, client.right, client.bottom, memoryDc, 0, 0, SRCCOPY);
    }
    EndPaint(m_hWnd, &paint);
}

void FreezeTipDlg::OnDestroy()
{
    KillTimer(kTimerId);
    StopPolling();
    surface_.Release();
    CWnd::OnDestroy();
}

BOOL FreezeTipDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN))
        return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT FreezeTipDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return 1;
    return CDialog::DefWindowProc(message, wParam, lParam);
}
