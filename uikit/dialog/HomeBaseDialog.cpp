// uikit/dialog/HomeBaseDialog.cpp
#include "uikit/dialog/HomeBaseDialog.h"

#include <algorithm>
#include <map>
#include <vector>
#include <tinyxml.h>

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/ResourceLayout.h"
#include "app/UsageReport.h"
#include "app/WebAddress.h"
#include "uikit/dialog/CaptionLayout.h"
#include "uikit/dialog/DialogFrame.h"
#include "uikit/dialog/SkinDialogTemplate.h"
#include "uikit/host/UiSdkWndBase.h"
#include "uikit/widget/LayoutAttr.h"
#include "uikit/widget/WidgetSupport.h"

using UiCtrl::UiItem;
using UiCtrl::MouseRouter;
using UiCtrl::FillWithColour;
using UiCtrl::FrameWithColour;

namespace {

const COLORREF kMainCaptionColour = 0x31241E;
const COLORREF kPopupCaptionColour = 0x3B2B24;
const COLORREF kMainTitleColour = 0xA97C65;
const COLORREF kPopupTitleColour = 0xB17E70;
const COLORREF kSeparatorColour = 0x7CDB00;
const COLORREF kClientColour = 0x1C1A17;
const COLORREF kMainFrameColour = 0x5E4235;
const COLORREF kBottomStripColour = 0x423129;
const int kBottomStripHeight = 45;
const int kProgramIcon = 245;
// Pictures of every pop-up's caption buttons: normal, over, click (also disabled).
const int kPopupNormal = 550, kPopupOver = 549, kPopupClick = 551;

HICON ProgramIcon()
{
    static HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kProgramIcon));
    return icon;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

} // namespace

RECT HomeBaseDialog::WorkAreaOf(HWND window)
{
    MONITORINFO info = {sizeof(info)};
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (monitor && GetMonitorInfoA(monitor, &info))
        return info.rcWork;
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

IMPLEMENT_DYNAMIC(HomeBaseDialog, CDialog)

BEGIN_MESSAGE_MAP(HomeBaseDialog, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

HomeBaseDialog::HomeBaseDialog(UINT templateId, CWnd* parent, bool popupSeparator)
    : CDialog(templateId, parent), templateId_(templateId),
      isMain_(templateId == kMainTemplateId), popupSeparator_(popupSeparator),
      captionRouter_(captionItems_), clientRouter_(clientItems_)
{
    RegisterSkinDialogTemplates();
}

HomeBaseDialog::~HomeBaseDialog()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
    UiCtrl::DeleteItems(captionItems_);
    UiCtrl::DeleteItems(clientItems_);
    CreateMemoryDC(true);
}

bool HomeBaseDialog::ShowCaptionTip(int, int, bool, const char*, bool) { return false; }
void HomeBaseDialog::OnMaximizeChanged(bool) {}
void HomeBaseDialog::DrawBackground(HDC) {}
void HomeBaseDialog::DrawForeground(HDC) {}

UiItem* HomeBaseDialog::FindCaptionItem(int id) const
{
    auto it = captionItems_.find(id);
    return it == captionItems_.end() ? nullptr : it->second;
}

UiItem* HomeBaseDialog::FindClientItem(int id) const
{
    auto it = clientItems_.find(id);
    return it == clientItems_.end() ? nullptr : it->second;
}

bool HomeBaseDialog::HitTestItem(POINT point, UiItem* item)
{
    if (!item || !item->IsVisible())
        return false;
    RECT rect;
    item->GetRect(rect);
    return PtInRect(&rect, point) != FALSE;
}

void HomeBaseDialog::PreSubclassWindow()
{
    ModifyStyle(WS_SYSMENU, 0);
    if (HICON icon = ProgramIcon()) {
        SetIcon(icon, TRUE);
        SetIcon(icon, FALSE);
    }
    CDialog::PreSubclassWindow();
}

BOOL HomeBaseDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The client is computed by our WM_NCCALCSIZE; make the system ask for it now.
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CreateMemoryDC(false);
    LoadCaptionItems();

    // No system frame shape (rounded corners of a theme) may clip the window. The region
    // belongs to the window afterwards: SetWindowRgn lets go of it.
    CRgn region;
    region.CreateRoundRectRgn(0, 0,
                              GetSystemMetrics(SM_CXSCREEN) + 4 * GetSystemMetrics(SM_CXFRAME),
                              GetSystemMetrics(SM_CYSCREEN) + 4 * GetSystemMetrics(SM_CYFRAME),
                              0, 0);
    SetWindowRgn(region, TRUE);

    if (isMain_)
        PostMessage(WM_NCACTIVATE, TRUE, 0);
    SetWindowText(GetLangString("caption").c_str());
    return TRUE;
}

void HomeBaseDialog::LoadCaptionItems()
{
    UiCtrl::DeleteItems(captionItems_);
    captionRouter_.Reset();
    GetWindowRect(&lastWindowRect_);
    hasMaximiseBox_ = (GetStyle() & WS_MAXIMIZEBOX) && templateId_ != kNoMaximiseTemplateId;

    const char* elementName = (isMain_ || hasMaximiseBox_) ? "HomeCaption" : "PopBaseCaption";
    const TiXmlElement* element = GetResourceElement(elementName);
    if (!element)
        return;

    std::vector<const TiXmlElement*> elements;   // the children with an id, in order
    std::vector<CaptionLayout::Child> boxes;
    for (const TiXmlElement* child = element->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        const int id = UiCtrl::ReadIntAttr(child, "id");
        if (!id)
            continue;
        CaptionLayout::Child box = {id, UiCtrl::ReadIntAttr(child, "left"),
                                    UiCtrl::ReadIntAttr(child, "top"),
                                    UiCtrl::ReadIntAttr(child, "right"),
                                    UiCtrl::ReadIntAttr(child, "bottom")};
        elements.push_back(child);
        boxes.push_back(box);
    }
    const bool endAfterRestore = !isMain_ && hasMaximiseBox_;
    const std::vector<CaptionLayout::Slot> slots =
        CaptionLayout::Place(Width(lastWindowRect_), boxes, endAfterRestore);

    ResourceHelper& resources = ResourceHelper::Instance();
    for (size_t i = 0; i < slots.size(); ++i) {
        const TiXmlElement* child = elements[i];
        const int id = slots[i].id;
        int pictureIds[4] = {kPopupNormal, kPopupOver, kPopupClick, kPopupClick};
        if (isMain_) {
            const char* names[4] = {"normal", "over", "click", "disable"};
            for (int k = 0; k < 4; ++k)
                pictureIds[k] = UiCtrl::ReadIntAttr(child, names[k]);
        }
        // Pictures are bitmap resources; a "Catalog" attribute names resources of the type
        // "JPEG" instead.
        const bool jpeg = child->Attribute("Catalog") != nullptr;
        IPicture* pictures[4];
        for (int k = 0; k < 4; ++k) {
            if (!pictureIds[k])
                pictures[k] = nullptr;
            else
                pictures[k] = jpeg ? resources.LoadPicture(pictureIds[k], "JPEG")
                                   : resources.LoadPicture(pictureIds[k], 2);
        }

        auto* item = new CaptionItem(pictures[0], pictures[1], pictures[2], pictures[3]);
        const RECT& r = slots[i].rect;
        item->Create(m_hWnd, id, 0, r.left, r.top, r.right, r.bottom);
        int show = 1;
        UiCtrl::ReadIntAttrIfPresent(child, "show", show);
        item->SetVisible(show);
        item->SetLangKey(UiCtrl::ReadTextAttr(child, "caption"));
        item->ReloadText();
        if (isMain_ && (id == CaptionLayout::kMaximise || id == CaptionLayout::kMaximiseTwin))
            item->Enable(0);
        delete captionItems_[id];
        captionItems_[id] = item;
    }
}

void HomeBaseDialog::CreateMemoryDC(bool releaseOnly)
{
    surface_.Release();
    if (releaseOnly || !m_hWnd)
        return;

    RECT window;
    GetWindowRect(&window);
    const int width = std::max(1, Width(window)), height = std::max(1, Height(window));
    HDC windowDc = ::GetWindowDC(m_hWnd);
    if (!windowDc)
        return;
    const bool made = surface_.Create(windowDc, width, height);
    ::ReleaseDC(m_hWnd, windowDc);
    if (made)
        SetStretchBltMode(surface_.Dc(), HALFTONE);
}

int HomeBaseDialog::LoadSkin(const char* elementName)
{
    const int loaded = UiCtrl::UiSdkWndBase::LoadLayout(elementName, m_hWnd, clientItems_);
    clientRouter_.Reset();
    const TiXmlElement* element = GetResourceElement(elementName);
    const TiXmlElement* size = element ? element->FirstChildElement() : nullptr;
    if (!size)
        return loaded;
    const int width = UiCtrl::ReadIntAttr(size, "width");
    const int height = UiCtrl::ReadIntAttr(size, "height");
    if (width && height && m_hWnd) {
        // Centred on a visible owner, else on the work area, and never off the screen.
        const RECT work = WorkAreaOf(m_hWnd);
        RECT area = work;
        HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
            ::GetWindowRect(owner, &area);
        const RECT placed = DialogFrame::CentredWindow(area, work, width, height);
        SetWindowPos(nullptr, placed.left, placed.top, Width(placed), Height(placed),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

void HomeBaseDialog::FillBottomStrip(HDC dc, HWND window)
{
    RECT client;
    if (!dc || !window || !::GetClientRect(window, &client))
        return;
    RECT band = {client.left + 1, client.bottom - kBottomStripHeight, client.right - 1,
                 client.bottom};
    FillWithColour(dc, band, kBottomStripColour);
}

void HomeBaseDialog::PaintCaption()
{
    HDC memory = surface_.Dc();
    if (!m_hWnd || !memory || IsIconic())
        return;
    HDC windowDc = ::GetWindowDC(m_hWnd);
    if (!windowDc)
        return;
    RECT window;
    GetWindowRect(&window);
    const int width = Width(window), height = Height(window);
    FillWithColour(memory, {0, 0, width, height},
               isMain_ ? kMainCaptionColour : kPopupCaptionColour);
    for (auto& entry : captionItems_)
        entry.second->Draw(memory);

    if (!isMain_ && popupSeparator_)
        FillWithColour(memory, {1, 48, width, 50}, kSeparatorColour);
    char title[512];
    GetWindowText(title, sizeof(title));
    RECT titleRect = {16, 18, width - 100, DialogFrame::kCaptionBand};
    if (!hasMaximiseBox_)
        titleRect.right += 30;
    HGDIOBJ oldFont = SelectObject(memory, ResourceHelper::Instance().GetFont(20, 500, false));
    const COLORREF oldColour =
        SetTextColor(memory, isMain_ ? kMainTitleColour : kPopupTitleColour);
    DrawTextA(memory, title, -1, &titleRect,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    SetTextColor(memory, oldColour);
    SelectObject(memory, oldFont);

    // The client paints itself: only the band goes to the screen here.
    ExcludeClipRect(windowDc, 0, DialogFrame::kCaptionBand, width, height);
    BitBlt(windowDc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    ::ReleaseDC(m_hWnd, windowDc);
}

void HomeBaseDialog::OnPaint()
{
    HDC memory = surface_.Dc();
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (dc && memory) {
        RECT client;
        GetClientRect(&client);
        FillWithColour(memory, client, kClientColour);
        DrawBackground(memory);
        for (auto& entry : clientItems_)
            entry.second->Draw(memory);
        DrawForeground(memory);
        if (isMain_)
            FrameWithColour(memory, client, kMainFrameColour);
        BitBlt(dc, 0, 0, Width(client), Height(client), memory, 0, 0, SRCCOPY);
    }
    ::EndPaint(m_hWnd, &ps);
}

BOOL HomeBaseDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN) {
        if (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN)
            return TRUE;
        if (msg->wParam == VK_F1) {
            OpenWebAddress(m_hWnd, GetLangString("helpUrl"));
            SendUsageEvent(kUsageHelpKey);
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(msg);
}

BOOL HomeBaseDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CDialog::OnCommand(wParam, lParam))
        return TRUE;
    return HandleCaptionCommand(LOWORD(wParam));
}

bool HomeBaseDialog::HandleCaptionCommand(int id)
{
    switch (id) {
    case CaptionLayout::kMaximise: Maximise(); return true;
    case CaptionLayout::kRestore: Restore(); return true;
    case CaptionLayout::kMinimise: ShowWindow(SW_SHOWMINIMIZED); return true;
    case CaptionLayout::kClose:
        if (isMain_)
            return false;   // the main dialog decides how it closes
        OnCancel();
        return true;
    default: return false;
    }
}

void HomeBaseDialog::Maximise()
{
    if (UiItem* item = FindCaptionItem(CaptionLayout::kMaximise))
        item->SetVisible(0);
    if (UiItem* item = FindCaptionItem(CaptionLayout::kRestore))
        item->SetVisible(1);
    // The work area, not the full screen: the task bar stays visible.
    const RECT placed = DialogFrame::MaximisedWindow(WorkAreaOf(m_hWnd));
    SetWindowPos(nullptr, placed.left, placed.top, Width(placed), Height(placed),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    OnMaximizeChanged(true);
    maximised_ = true;
    CreateMemoryDC(false);
    PaintCaption();
    Invalidate(FALSE);
}

void HomeBaseDialog::Restore()
{
    if (UiItem* item = FindCaptionItem(CaptionLayout::kRestore))
        item->SetVisible(0);
    if (UiItem* item = FindCaptionItem(CaptionLayout::kMaximise))
        item->SetVisible(1);
    const RECT placed = DialogFrame::RestoredWindow(WorkAreaOf(m_hWnd));
    SetWindowPos(nullptr, placed.left, placed.top, Width(placed), Height(placed),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    OnMaximizeChanged(false);
    maximised_ = false;
    CreateMemoryDC(false);
    PaintCaption();
    Invalidate(FALSE);
}

void HomeBaseDialog::OnSizeChanged()
{
    CreateMemoryDC(false);
    RECT window;
    GetWindowRect(&window);
    // Caption items keep their distance from the right edge.
    const int shift = Width(window) - Width(lastWindowRect_);
    if (shift) {
        for (auto& entry : captionItems_) {
            RECT r;
            entry.second->GetRect(r);
            OffsetRect(&r, shift, 0);
            entry.second->SetRect(r);
        }
    }
    lastWindowRect_ = window;
    PaintCaption();
}

LPARAM HomeBaseDialog::ScreenToWindowPoint(LPARAM screen) const
{
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    POINT p = UiCtrl::CursorFromLParam(screen);
    return MAKELPARAM(p.x - window.left, p.y - window.top);
}

void HomeBaseDialog::UpdateCaptionTip(UiItem* before, LPARAM screen)
{
    UiItem* after = captionRouter_.HoverItem();
    if (after == before)
        return;
    if (after) {
        const POINT p = UiCtrl::CursorFromLParam(screen);
        const std::string name = after->GetName();
        ShowCaptionTip(p.x, p.y, true, name.c_str(), true);
    } else {
        ShowCaptionTip(0, 0, false, "", true);
    }
}

LRESULT HomeBaseDialog::OnNcMouseMove(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CDialog::DefWindowProc(WM_NCMOUSEMOVE, wParam, lParam);
    UiItem* before = captionRouter_.HoverItem();
    const unsigned flags = captionRouter_.OnMouseMove(0, ScreenToWindowPoint(lParam));
    if (flags & MouseRouter::kTrackLeave) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE | TME_NONCLIENT, m_hWnd, 0};
        TrackMouseEvent(&track);
    }
    UpdateCaptionTip(before, lParam);
    if (flags & MouseRouter::kRepaint)
        PaintCaption();
    return result;
}

LRESULT HomeBaseDialog::OnNcLButtonDown(WPARAM wParam, LPARAM lParam)
{
    ShowCaptionTip(0, 0, false, "", true);
    const LPARAM point = ScreenToWindowPoint(lParam);
    if (MouseRouter::HitTest(captionItems_, UiCtrl::CursorFromLParam(point))) {
        // A press on an item never starts moving the window.
        captionRouter_.OnLButtonDown(0, point);
        PaintCaption();
        return 0;
    }
    captionRouter_.OnLButtonDown(0, point);
    return CDialog::DefWindowProc(WM_NCLBUTTONDOWN, wParam, lParam);
}

LRESULT HomeBaseDialog::OnNcLButtonUp(WPARAM wParam, LPARAM lParam)
{
    // Fires only the item that got the press (MouseRouter).
    if (captionRouter_.OnLButtonUp(0, ScreenToWindowPoint(lParam)) & MouseRouter::kRepaint)
        PaintCaption();
    return CDialog::DefWindowProc(WM_NCLBUTTONUP, wParam, lParam);
}

void HomeBaseDialog::OnNcMouseLeave()
{
    captionRouter_.OnMouseLeave();
    ShowCaptionTip(0, 0, false, "", true);
    PaintCaption();
}

void HomeBaseDialog::OnNcLButtonDblClk()
{
    const bool allowed = isMain_ ? captionDoubleClick_
                                 : (hasMaximiseBox_ && templateId_ != kNoMaximiseTemplateId);
    if (allowed)
        HandleCaptionCommand(maximised_ ? CaptionLayout::kRestore : CaptionLayout::kMaximise);
}

void HomeBaseDialog::ApplyClientRouting(unsigned flags)
{
    if (flags & MouseRouter::kTrackLeave) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
        TrackMouseEvent(&track);
    }
    if (flags & MouseRouter::kRepaint)
        Invalidate(FALSE);
}

LRESULT HomeBaseDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: {
        const LRESULT result = CDialog::DefWindowProc(message, wParam, lParam);
        OnSizeChanged();
        return result;
    }
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP: {
        // The dialog manager keeps the focus of its controls across activation.
        const LRESULT result = CDialog::DefWindowProc(message, wParam, lParam);
        if (IsIconic())
            return result;
        PaintCaption();
        return result;
    }
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_NCRBUTTONDOWN:
        if (IsIconic() || !surface_.Dc())
            return CDialog::DefWindowProc(message, wParam, lParam);
        PaintCaption();
        return 1;
    case WM_SETTEXT: {
        const LRESULT result = CDialog::DefWindowProc(message, wParam, lParam);
        PaintCaption();
        return result;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_NCCALCSIZE: {
        // The client is the whole window below the caption band, taken from the proposed
        // rectangle itself rather than from what the system frame would have been.
        RECT* proposed = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                : reinterpret_cast<RECT*>(lParam);
        if (IsIconic())
            return CDialog::DefWindowProc(message, wParam, lParam);
        *proposed = DialogFrame::ClientFromWindow(*proposed);
        return 0;
    }
    case WM_NCHITTEST: {
        // The whole band is caption (moves the window), whatever the style's own caption.
        RECT window;
        GetWindowRect(&window);
        const POINT p = UiCtrl::CursorFromLParam(lParam);
        if (PtInRect(&window, p) && p.y < window.top + DialogFrame::kCaptionBand && !IsIconic())
            return HTCAPTION;
        return CDialog::DefWindowProc(message, wParam, lParam);
    }
    case WM_NCMOUSEMOVE: return OnNcMouseMove(wParam, lParam);
    case WM_NCLBUTTONDOWN: return OnNcLButtonDown(wParam, lParam);
    case WM_NCLBUTTONUP: return OnNcLButtonUp(wParam, lParam);
    case WM_NCLBUTTONDBLCLK: OnNcLButtonDblClk(); return 0;
    case WM_NCMOUSELEAVE: OnNcMouseLeave(); return 0;
    case WM_SYSCOMMAND: {
        const LRESULT result = CDialog::DefWindowProc(message, wParam, lParam);
        if ((wParam & 0xFFF0) == SC_MOVE)
            captionRouter_.OnMouseLeave();   // the move loop ate the release
        return result;
    }
    case WM_MOUSEMOVE: ApplyClientRouting(clientRouter_.OnMouseMove(wParam, lParam)); break;
    case WM_MOUSELEAVE: ApplyClientRouting(clientRouter_.OnMouseLeave()); break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == m_hWnd &&
            UiCtrl::ShowWidgetCursor(clientRouter_, m_hWnd, lParam))
            return TRUE;
        break;
    case WM_LBUTTONDOWN:
        ::SetFocus(m_hWnd);
        ApplyClientRouting(clientRouter_.OnLButtonDown(wParam, lParam));
        break;
    case WM_LBUTTONUP: ApplyClientRouting(clientRouter_.OnLButtonUp(wParam, lParam)); break;
    case WM_DESTROY:
        clientRouter_.Reset();
        captionRouter_.Reset();
        break;
    default: break;
    }
    return CDialog::DefWindowProc(message, wParam, lParam);
}
