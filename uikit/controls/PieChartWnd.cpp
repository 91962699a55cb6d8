// uikit/controls/PieChartWnd.cpp
#include "uikit/controls/PieChartWnd.h"

#include <math.h>
#include <stdio.h>
#include <vector>

#include <gdiplus.h>

#include "app/GdiplusSession.h"
#include "app/TextCase.h"
#include "app/TextConvert.h"
#include "app/UiFace.h"

using namespace Gdiplus;

BEGIN_MESSAGE_MAP(CPieChartWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

CPieChartWnd::CPieChartWnd() = default;

CPieChartWnd::~CPieChartWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CPieChartWnd::Create(const char* title, const RECT& rect, CWnd* parent, UINT id)
{
    m_title = title ? title : "";
    return CWnd::Create(nullptr, m_title.c_str(), WS_CHILD | WS_VISIBLE, rect, parent, id);
}

int CPieChartWnd::OnCreate(LPCREATESTRUCT)
{
    ModifyStyle(0, WS_CLIPCHILDREN);
    // GDI+ stays up for the process: other windows may hold its images.
    EnsureGdiplus();
    CRect client;
    GetClientRect(&client);
    m_scrollBar.Create(WS_CHILD | SBS_VERT,
                       CRect(client.right - 40, client.top + 10, client.right - 20,
                             client.bottom - 10), this, 1);
    return 0;
}

PieRect CPieChartWnd::PieRectangle() const
{
    RECT client = {};
    if (m_hWnd)
        ::GetClientRect(m_hWnd, &client);
    return GetPieRect(PieRect{client.left, client.top, client.right, client.bottom});
}

void CPieChartWnd::OnSize(UINT, int cx, int)
{
    PieRect pie = PieRectangle();
    m_layout = ComputePieLayout(cx, pie);
    CRect client;
    GetClientRect(&client);
    if (m_scrollBar.m_hWnd)
        m_scrollBar.MoveWindow(client.right - m_layout.scrollMargin, pie.top,
                               20, pie.Height(), TRUE);
    UpdateScrollBar();
}

void CPieChartWnd::UpdateScrollBar()
{
    m_legendHeight = LegendHeight(m_layout, m_slices.Count());
    if (!m_scrollBar.m_hWnd)
        return;
    PieRect pie = PieRectangle();
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE, 0, m_legendHeight,
                       static_cast<UINT>(pie.Height()), 0, 0};
    m_scrollBar.SetScrollInfo(&info);
    m_scrollBar.ShowWindow(m_legendHeight > pie.Height() ? SW_SHOW : SW_HIDE);
}

void CPieChartWnd::Changed()
{
    UpdateScrollBar();
    if (m_hWnd)
        Invalidate(FALSE);
}

PieSlice* CPieChartWnd::AddSlice(int id, const char* name, const char* description, double value,
                                 uint32_t argb)
{
    PieSlice* slice = m_slices.Add(id, name ? name : "", description ? description : "", value, argb);
    if (slice)
        Changed();
    return slice;
}

bool CPieChartWnd::RemoveSlice(const char* name)
{
    bool removed = name && m_slices.Remove(name);
    if (removed)
        Changed();
    return removed;
}

bool CPieChartWnd::SetSliceValue(PieSlice* slice, double value)
{
    bool set = m_slices.SetValue(slice, value);
    if (set)
        Changed();
    return set;
}

void CPieChartWnd::SetStartAngle(float degrees)
{
    if (!isfinite(degrees))
        return;
    m_startAngle = fmodf(degrees, 360.0f);
    if (m_startAngle < 0.0f)
        m_startAngle += 360.0f;
    Changed();
}

void CPieChartWnd::SetCount(int count)
{
    m_count = count < 0 ? 0 : count;
    Changed();
}

void CPieChartWnd::DecreaseCount(int by)
{
    m_count = (by > m_count) ? 0 : m_count - by;
    Changed();
}

void CPieChartWnd::SetHighlightColor(uint32_t argb) { m_highlight = argb; Changed(); }
void CPieChartWnd::SetLabelColor(uint32_t argb) { m_labelColor = argb; Changed(); }
void CPieChartWnd::SetFrameColor(uint32_t argb) { m_frameColor = argb; Changed(); }

void CPieChartWnd::SaveAsImage(const char* fileName)
{
    m_imageFile = fileName ? fileName : "";
    m_savePending = !m_imageFile.empty();
    Changed();
}

BOOL CPieChartWnd::OnEraseBkgnd(CDC*) { return TRUE; }

static FontFamily* MakeFamily(const char* face)
{
    std::wstring wide = ToWideCString(face ? face : "");
    FontFamily* family = new FontFamily(wide.c_str());
    if (family->GetLastStatus() != Ok) {
        delete family;
        family = FontFamily::GenericSansSerif()->Clone();
    }
    return family;
}

static void DrawCentred(Graphics& g, const std::wstring& text, Font& font, const Brush& brush,
                        float cx, float cy)
{
    RectF box;
    g.MeasureString(text.c_str(), -1, &font, PointF(0, 0), &box);
    g.DrawString(text.c_str(), -1, &font, PointF(cx - box.Width / 2, cy - box.Height / 2), &brush);
}

void CPieChartWnd::Render(Bitmap& bitmap)
{
    Graphics g(&bitmap);
    g.SetSmoothingMode(SmoothingModeHighQuality);
    g.SetTextRenderingHint(TextRenderingHintAntiAlias);
    const int width = static_cast<int>(bitmap.GetWidth());
    const int height = static_cast<int>(bitmap.GetHeight());
    SolidBrush background{Color(m_frameColor)};
    g.FillRectangle(&background, 0, 0, width, height);
    Pen frame(Color(LightenColor(m_frameColor, 200) & 0xFFDDDDDD), 1.0f);
    g.DrawRectangle(&frame, 0, 0, width - 1, height - 1);

    const PieRect pie = PieRectangle();
    const int u = pie.Width() / 15;
    const Rect outer(pie.left, pie.top, pie.Width(), pie.Height());
    const Rect inner(pie.left + 2 * u, pie.top + 2 * u, pie.Width() - 4 * u, pie.Height() - 4 * u);
    float start = m_startAngle;
    for (const auto& entry : m_slices.ByKey()) {
        const PieSlice& s = *entry.second;
        LinearGradientBrush outerBrush(outer, Color(s.color), Color(s.secondColor),
                                       LinearGradientModeVertical);
        g.FillPie(&outerBrush, outer, start, s.sweep);
        LinearGradientBrush innerBrush(outer, Color(s.color), Color(s.lightColor),
                                       LinearGradientModeVertical);
        g.FillPie(&innerBrush, inner, start, s.sweep);
        Pen outline(Color(LightenColor(s.color, 160)), 1.0f);
        g.DrawPie(&outline, outer, start, s.sweep);
        if (s.selected) {
            SolidBrush mark(Color(100, (m_highlight >> 16) & 0xFF, (m_highlight >> 8) & 0xFF,
                                  m_highlight & 0xFF));
            g.FillPie(&mark, outer, start, s.sweep);
        }
        start += s.sweep;
    }
    const float cx = (pie.left + pie.right) / 2.0f, cy = (pie.top + pie.bottom) / 2.0f;
    if (m_slices.Count() > 0) {
        const float d = 9.0f * u;
        SolidBrush disc(Color(100, (m_highlight >> 16) & 0xFF, (m_highlight >> 8) & 0xFF,
                              m_highlight & 0xFF));
        g.FillEllipse(&disc, cx - d / 2, cy - d / 2, d, d);
        Pen ring(Color(m_highlight), 1.0f);
        g.DrawEllipse(&ring, cx - d / 2, cy - d / 2, d, d);
    }
    // Percentage labels on each slice's middle angle.
    FontFamily* family = MakeFamily(GetUiFace());
    {
        Font labelFont(family, static_cast<REAL>(PercentLabelPointSize(pie)), FontStyleRegular,
                       UnitPoint);
        SolidBrush labelBrush{Color(m_labelColor)};
        start = m_startAngle;
        for (const auto& entry : m_slices.ByKey()) {
            const PieSlice& s = *entry.second;
            char text[32];
            snprintf(text, sizeof text, "%.2f%%", s.share * 100.0f);
            PiePoint at = PercentLabelCentre(pie, start, s.sweep);
            DrawCentred(g, ToWideCString(text), labelFont, labelBrush, at.x, at.y);
            start += s.sweep;
        }
        // The count and its caption in the middle (colours are 0xBBGGRR texts of the skin).
        int points = m_count > 1000000 ? 28 : (m_count > 100000 ? 32 : 34);
        Font countFont(family, static_cast<REAL>(points), FontStyleBold, UnitPoint);
        Font captionFont(family, 16.0f, FontStyleRegular, UnitPoint);
        SolidBrush countBrush(Color(0xC4, 0xC5, 0xF6));     // COLORREF 0xF6C5C4
        SolidBrush captionBrush(Color(0x85, 0x8F, 0xB6));   // COLORREF 0xB68F85
        char count[16];
        snprintf(count, sizeof count, "%d", m_count);
        std::wstring countText = ToWideCString(count);
        RectF box;
        g.MeasureString(countText.c_str(), -1, &countFont, PointF(0, 0), &box);
        // Its bottom sits 10 pixels above the centre.
        DrawCentred(g, countText, countFont, countBrush, cx, cy - box.Height / 2 - 10);
        DrawCentred(g, L"Found Files", captionFont, captionBrush, cx, cy + 25);
    }
    delete family;
}

void CPieChartWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (client.Width() <= 0 || client.Height() <= 0)
        return;
    Bitmap bitmap(client.Width(), client.Height(), PixelFormat32bppARGB);
    if (bitmap.GetLastStatus() != Ok)
        return;
    Render(bitmap);
    if (m_savePending) {
        m_savePending = false;
        m_lastSaveOk = SaveImage(bitmap);
    }
    Graphics screen(dc.GetSafeHdc());
    CachedBitmap cached(&bitmap, &screen);
    screen.DrawCachedBitmap(&cached, 0, 0);
}

bool FindImageEncoder(const std::string& fileName, CLSID* encoder)
{
    // The extension follows the last dot of the file's own name: a dot in a folder name
    // is not an extension.
    size_t slash = fileName.find_last_of("\\/");
    size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return false;
    std::string extension = LowerAscii(fileName.substr(dot + 1));
    // GDI+ names its encoders by MIME type, which is not always the extension.
    if (extension == "jpg" || extension == "jpe")
        extension = "jpeg";
    else if (extension == "tif")
        extension = "tiff";
    const std::wstring mime = ToWideCString(("image/" + extension).c_str());
    UINT count = 0, size = 0;
    if (GetImageEncodersSize(&count, &size) != Ok || size == 0)
        return false;
    std::vector<BYTE> buffer(size);
    ImageCodecInfo* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    if (GetImageEncoders(count, size, codecs) != Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && mime == codecs[i].MimeType) {
            *encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

bool CPieChartWnd::SaveImage(Bitmap& bitmap)
{
    CLSID encoder;
    if (!FindImageEncoder(m_imageFile, &encoder))
        return false;
    std::wstring path = ToWideCString(m_imageFile.c_str());
    return bitmap.Save(path.c_str(), &encoder, nullptr) == Ok;
}

int CPieChartWnd::HitTest(int x, int y)
{
    const PieRect pie = PieRectangle();
    int hit = -1;
    float start = m_startAngle;
    for (const auto& entry : m_slices.ByKey()) {
        PieSlice& s = *entry.second;
        s.selected = hit < 0 && PointInRingSlice(static_cast<float>(x), static_cast<float>(y),
                                                 pie, start, s.sweep);
        if (s.selected)
            hit = s.id;
        start += s.sweep;
    }
    return hit;
}

void CPieChartWnd::OnLButtonDown(UINT flags, CPoint point)
{
    int id = HitTest(point.x, point.y);
    if (id >= 0 && GetParent())
        ::PostMessageA(GetParent()->m_hWnd, kPieSliceClickedMessage, static_cast<WPARAM>(id), 0);
    Invalidate(FALSE);
    CWnd::OnLButtonDown(flags, point);
}

void CPieChartWnd::OnVScroll(UINT code, UINT position, CScrollBar*)
{
    SCROLLINFO info = {};
    if (!m_scrollBar.m_hWnd || !m_scrollBar.GetScrollInfo(&info))
        return;
    const int row = m_layout.rowHeight + m_layout.rowGap;
    const int page = PieRectangle().Height();
    int pos = info.nPos;
    switch (code) {
    case SB_LINEUP: pos -= row; break;
    case SB_LINEDOWN: pos += row; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = static_cast<int>(position); break;
    default: break;
    }
    int last = info.nMax - static_cast<int>(info.nPage);
    if (pos > last)
        pos = last;
    if (pos < 0)
        pos = 0;
    m_scrollBar.SetScrollPos(pos);
    Invalidate(FALSE);
}
