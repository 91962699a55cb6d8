// uikit/controls/PieChartWnd.cpp
#include "uikit/controls/PieChartWnd.h"

#include <math.h>
#include <stdio.h>
#include <algorithm>
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

CPieChartWnd::CPieChartWnd()
{
    m_slices.SetOnChanged([this] { Changed(); });
}

CPieChartWnd::~CPieChartWnd()
{
    m_slices.SetOnChanged(nullptr);
    if (m_hWnd)
        DestroyWindow();
}

int PieFontStyleOf(const LOGFONTA& font)
{
    return (font.lfWeight >= FW_SEMIBOLD ? kPieFontBold : 0) |
           (font.lfItalic ? kPieFontItalic : 0) | (font.lfUnderline ? kPieFontUnderline : 0) |
           (font.lfStrikeOut ? kPieFontStrikeOut : 0);
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

void CPieChartWnd::GetTiltedFaces(PieRect* top, PieRect* bottom, int* offset) const
{
    ::GetTiltedFaces(PieRectangle(), m_tilt, m_depthFactor, top, bottom, offset);
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
    UpdateLegendAndScrollBar();
}

void CPieChartWnd::UpdateLegendAndScrollBar()
{
    const PieRect pie = PieRectangle();
    const int count = m_slices.Count();
    m_legendHeight = LegendHeight(m_layout, count);
    m_fittingHeight = FittingLegendHeight(m_layout, pie, count);
    const int lastFirst = count - FittingLegendRows(m_layout, pie, count);
    if (m_firstRow > lastFirst)
        m_firstRow = lastFirst;
    if (m_firstRow < 0)
        m_firstRow = 0;
    if (!m_scrollBar.m_hWnd)
        return;
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, m_legendHeight,
                       static_cast<UINT>(pie.Height()),
                       m_firstRow * (m_layout.rowHeight + m_layout.rowGap), 0};
    m_scrollBar.SetScrollInfo(&info);
    m_scrollBar.ShowWindow(m_legendHeight > pie.Height() ? SW_SHOW : SW_HIDE);
}

void CPieChartWnd::Changed()
{
    UpdateLegendAndScrollBar();
    if (m_hWnd)
        Invalidate(FALSE);
}

PieSlice* CPieChartWnd::AddSlice(int id, const char* name, const char* description, double value,
                                 uint32_t argb)
{
    return m_slices.Add(id, name ? name : "", description ? description : "", value, argb);
}

bool CPieChartWnd::RemoveSlice(const char* name)
{
    return name && m_slices.Remove(name);
}

void CPieChartWnd::SetSliceDescription(PieSlice* slice, const char* text)
{
    m_slices.SetDescription(slice, text ? text : "");
}

void CPieChartWnd::SetStyle(int style) { m_style = style; Changed(); }

void CPieChartWnd::SetStartAngle(float degrees)
{
    if (!isfinite(degrees))
        return;
    m_startAngle = fmodf(degrees, 360.0f);
    if (m_startAngle < 0.0f)
        m_startAngle += 360.0f;
    m_tiltedStart = m_startAngle;
    Changed();
}

void CPieChartWnd::SetTilt(float degrees)
{
    if (isnan(degrees))
        return;
    m_tilt = degrees < 0.0f ? 0.0f : (degrees > 85.0f ? 85.0f : degrees);
    Changed();
}

int CPieChartWnd::SetDepth(float pixels)
{
    const int reach = PieRectangle().Height() * 85 / 180;
    if (!(pixels >= 0.0f) || isinf(pixels) || reach <= 0)
        return 0;
    m_depthFactor = pixels / reach;
    Changed();
    return 1;
}

void CPieChartWnd::SetLabelFont(const LOGFONTA& font)
{
    m_labelFace = font.lfFaceName;
    m_labelStyle = PieFontStyleOf(font);
    Changed();
}

void CPieChartWnd::SetLegendFont(const LOGFONTA& font)
{
    m_legendFace = font.lfFaceName;
    m_legendStyle = PieFontStyleOf(font);
    Changed();
}

void CPieChartWnd::SetTitle(const char* title)
{
    m_title = title ? title : "";
    Changed();
}

void CPieChartWnd::SetFrameColor(uint32_t argb)
{
    m_frameColor = m_frameSecond = argb;
    m_frameLight = LightenColor(argb, m_frameLightFactor);
    Changed();
}

void CPieChartWnd::SetFrameLightFactor(float factor)
{
    m_frameLightFactor = factor;
    m_frameLight = LightenColor(m_frameColor, factor);
    Changed();
}

void CPieChartWnd::SetFrameDarkFactor(float factor)
{
    m_frameDarkFactor = factor;
    m_frameSecond = DarkenColor(m_frameColor, factor);
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
void CPieChartWnd::SetLegendTextColor(uint32_t argb) { m_legendTextColor = argb; Changed(); }
void CPieChartWnd::SetLegendFlag(bool on) { m_legendFlag = on; Changed(); }

void CPieChartWnd::SaveAsImage(const char* fileName)
{
    m_imageFile = fileName ? fileName : "";
    m_savePending = !m_imageFile.empty();
    Changed();
}

BOOL CPieChartWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CPieChartWnd::ComputeTiltedAngles()
{
    int offset = 0;
    GetTiltedFaces(nullptr, nullptr, &offset);
    std::vector<float> sweeps;
    for (const auto& entry : m_slices.ByKey())
        sweeps.push_back(entry.second->sweep);
    TiltedAngles tilted = ::ComputeTiltedAngles(PieRectangle(), offset, m_startAngle, sweeps);
    m_tiltedStart = tilted.start;
    size_t i = 0;
    for (const auto& entry : m_slices.ByKey()) {
        entry.second->tiltedSweep = tilted.sweeps[i];
        entry.second->endPoint = tilted.ends[i];
        ++i;
    }
}

// The face asked for, else the interface face, else GDI+'s generic sans-serif family, else
// the first installed family. Null when none is there (a system without the faces' fonts may
// have no generic family either): a Font made from null fails, its texts are left out and
// the rest of the chart is still drawn.
static FontFamily* MakeFamily(const std::string& face)
{
    for (const char* name : {face.c_str(), GetUiFace()}) {
        if (!name || !*name)
            continue;
        const std::wstring wide = ToWideCString(name);
        FontFamily* family = new FontFamily(wide.c_str());
        if (family->GetLastStatus() == Ok)
            return family;
        delete family;
    }
    if (const FontFamily* generic = FontFamily::GenericSansSerif())
        if (FontFamily* copy = generic->Clone())
            return copy;
    InstalledFontCollection installed;
    if (installed.GetFamilyCount() > 0) {
        FontFamily first;
        INT found = 0;
        if (installed.GetFamilies(1, &first, &found) == Ok && found == 1)
            return first.Clone();
    }
    return nullptr;
}

static Color Argb(uint32_t argb) { return Color(static_cast<ARGB>(argb)); }

static Color WithAlpha(uint32_t argb, BYTE alpha)
{
    return Color(alpha, (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

static RectF ToRectF(const PieRect& r)
{
    return RectF(static_cast<REAL>(r.left), static_cast<REAL>(r.top),
                 static_cast<REAL>(r.Width()), static_cast<REAL>(r.Height()));
}

static void DrawCentred(Graphics& g, const std::wstring& text, Font& font, const Brush& brush,
                        float cx, float cy)
{
    RectF box;
    g.MeasureString(text.c_str(), -1, &font, PointF(0, 0), &box);
    g.DrawString(text.c_str(), -1, &font, PointF(cx - box.Width / 2, cy - box.Height / 2), &brush);
}

// A vertical gradient between two points one above the other; GDI+ refuses equal points.
static LinearGradientBrush VerticalBrush(float x, float top, float bottom, uint32_t from,
                                         uint32_t to)
{
    if (bottom <= top)
        bottom = top + 1.0f;
    return LinearGradientBrush(PointF(x, top), PointF(x, bottom), Argb(from), Argb(to));
}

// A selected slice of the flat and tilted looks: veiled in the highlight colour and outlined.
static void MarkSelectedPie(Graphics& g, uint32_t highlight, const RectF& rect, float start,
                            float sweep)
{
    SolidBrush mark(WithAlpha(highlight, 100));
    g.FillPie(&mark, rect, start, sweep);
    Pen edge(Argb(highlight), 1.0f);
    g.DrawPie(&edge, rect, start, sweep);
}

void CPieChartWnd::DrawBackground(Graphics& g, int width, int height)
{
    LinearGradientBrush band = VerticalBrush(0.0f, 0.0f, static_cast<REAL>(height), m_frameLight,
                                             m_frameSecond);
    g.FillRectangle(&band, 0, 0, width, height);
    Pen frame(Argb(DarkenColor(m_frameColor, 40)), 1.0f);
    g.DrawRectangle(&frame, 0, 0, width - 1, height - 1);
    if (m_title.empty())
        return;
    FontFamily* family = MakeFamily(m_labelFace);
    {
        Font font(family, 12.0f, FontStyleBold, UnitPoint);
        SolidBrush brush(Argb(m_labelColor));
        std::wstring title = ToWideCString(m_title.c_str());
        StringFormat format;
        format.SetFormatFlags(StringFormatFlagsNoWrap);
        format.SetTrimming(StringTrimmingEllipsisCharacter);
        // Above the pie, which starts 40 pixels down.
        g.DrawString(title.c_str(), -1, &font,
                     RectF(30.0f, 8.0f, static_cast<REAL>(width - 60), 28.0f), &format, &brush);
    }
    delete family;
}

void CPieChartWnd::PaintRing(Graphics& g)
{
    const PieRect pie = PieRectangle();
    const int u = pie.Width() / 15;
    const Rect outer(pie.left, pie.top, pie.Width(), pie.Height());
    const Rect inner(pie.left + 2 * u, pie.top + 2 * u, pie.Width() - 4 * u, pie.Height() - 4 * u);
    float start = m_startAngle;
    for (const auto& entry : m_slices.ByKey()) {
        const PieSlice& s = *entry.second;
        LinearGradientBrush outerBrush(outer, Argb(s.color), Argb(s.secondColor),
                                       LinearGradientModeVertical);
        g.FillPie(&outerBrush, outer, start, s.sweep);
        LinearGradientBrush innerBrush(outer, Argb(s.color), Argb(s.lightColor),
                                       LinearGradientModeVertical);
        g.FillPie(&innerBrush, inner, start, s.sweep);
        Pen outline(Argb(LightenColor(s.color, 160)), 1.0f);
        g.DrawPie(&outline, outer, start, s.sweep);
        if (s.selected) {
            SolidBrush mark(WithAlpha(m_highlight, 100));
            g.FillPie(&mark, outer, start, s.sweep);
        }
        start += s.sweep;
    }
    if (m_slices.Count() > 0) {
        const float cx = (pie.left + pie.right) / 2.0f, cy = (pie.top + pie.bottom) / 2.0f;
        const float d = 9.0f * u;
        SolidBrush disc(WithAlpha(m_highlight, 100));
        g.FillEllipse(&disc, cx - d / 2, cy - d / 2, d, d);
        Pen ring(Argb(m_highlight), 1.0f);
        g.DrawEllipse(&ring, cx - d / 2, cy - d / 2, d, d);
    }
    DrawPercentLabels(g);
    DrawCentreText(g);
}

void CPieChartWnd::PaintFlat(Graphics& g, int width, int height)
{
    const PieRect pie = PieRectangle();
    LinearGradientBrush separatorBrush(Point(0, 0), Point(width > 0 ? width : 1, height),
                                       Argb(m_frameLight), Argb(m_frameSecond));
    Pen separator(&separatorBrush, static_cast<REAL>(m_layout.pieSize / 150));
    const int u = pie.Width() / 25;
    const RectF outer = ToRectF(pie);
    const RectF inner(outer.X + u, outer.Y + u, outer.Width - 2 * u, outer.Height - 2 * u);
    const float x = pie.right / 2.0f;
    float start = m_startAngle;
    for (const auto& entry : m_slices.ByKey()) {
        const PieSlice& s = *entry.second;
        LinearGradientBrush outerBrush = VerticalBrush(x, static_cast<REAL>(pie.top),
                                                       static_cast<REAL>(pie.bottom),
                                                       s.secondColor, s.color);
        g.FillPie(&outerBrush, outer, start, s.sweep);
        LinearGradientBrush innerBrush = VerticalBrush(x, static_cast<REAL>(pie.top),
                                                       static_cast<REAL>(pie.bottom), s.color,
                                                       s.lightColor);
        g.FillPie(&innerBrush, inner, start, s.sweep);
        if (s.selected)
            MarkSelectedPie(g, m_highlight, outer, start, s.sweep);
        start += s.sweep;
    }
    const int cx = (pie.left + pie.right) / 2, cy = (pie.top + pie.bottom) / 2;
    start = m_startAngle;
    for (const auto& entry : m_slices.ByKey()) {
        float e = (start + entry.second->sweep) * 3.14159265f / 180.0f;
        g.DrawLine(&separator, static_cast<REAL>(cx), static_cast<REAL>(cy),
                   cx + cosf(e) * pie.Width() / 2, cy + sinf(e) * pie.Height() / 2);
        start += entry.second->sweep;
    }
    DrawLegend(g, width);
    if (m_legendFlag)
        DrawPercentLabels(g);
}

void CPieChartWnd::DrawSliceSide(Graphics& g, PieSlice& slice, const WallPiece& piece,
                                 const PieRect& top, const PieRect& bottom)
{
    Pen pen(Argb(slice.color), 0.5f);
    LinearGradientBrush brush = VerticalBrush(top.right / 2.0f, (top.top + top.bottom) / 2.0f,
                                              static_cast<REAL>(bottom.bottom), slice.lightColor,
                                              slice.secondColor);
    if (piece.reset)
        slice.wallOutline.clear();
    std::vector<PiePoint> outline = SideWallOutline(top, bottom, piece.start, piece.sweep);
    std::vector<PointF> points;
    for (const PiePoint& p : outline)
        points.push_back(PointF(p.x, p.y));
    g.FillPolygon(&brush, points.data(), static_cast<INT>(points.size()));
    g.DrawPolygon(&pen, points.data(), static_cast<INT>(points.size()));
    if (slice.selected) {
        SolidBrush mark(WithAlpha(m_highlight, 100));
        g.FillPolygon(&mark, points.data(), static_cast<INT>(points.size()));
        Pen edge(Argb(m_highlight), 1.0f);
        g.DrawPolygon(&edge, points.data(), static_cast<INT>(points.size()));
    }
    slice.wallOutline.push_back(std::move(outline));
}

void CPieChartWnd::PaintTilted(Graphics& g, int width)
{
    PieRect top, bottom;
    GetTiltedFaces(&top, &bottom);
    ComputeTiltedAngles();
    // Every wall first: the top faces cover the walls' upper edges.
    float angle = m_tiltedStart;
    for (const auto& entry : m_slices.ByKey()) {
        PieSlice& s = *entry.second;
        std::vector<WallPiece> pieces = SideWallPieces(angle, s.tiltedSweep);
        if (pieces.empty())
            s.wallOutline.clear();
        for (const WallPiece& piece : pieces)
            DrawSliceSide(g, s, piece, top, bottom);
        angle += s.tiltedSweep;
    }
    const RectF face = ToRectF(top);
    angle = m_tiltedStart;
    for (const auto& entry : m_slices.ByKey()) {
        const PieSlice& s = *entry.second;
        LinearGradientBrush brush = VerticalBrush(top.right / 2.0f, static_cast<REAL>(top.top),
                                                  static_cast<REAL>(top.bottom), s.secondColor,
                                                  s.lightColor);
        g.FillPie(&brush, face, angle, s.tiltedSweep);
        Pen pen(Argb(s.color), 0.2f);
        g.DrawPie(&pen, face, angle, s.tiltedSweep);
        if (s.selected)
            MarkSelectedPie(g, m_highlight, face, angle, s.tiltedSweep);
        angle += s.tiltedSweep;
    }
    DrawLegend(g, width);
    if (m_legendFlag)
        DrawPercentLabels(g);
}

void CPieChartWnd::DrawPercentLabels(Graphics& g)
{
    const PieRect pie = PieRectangle();
    PieRect top;
    int offset = 0;
    GetTiltedFaces(&top, nullptr, &offset);
    FontFamily* family = MakeFamily(m_labelFace);
    {
        Font font(family, static_cast<REAL>(PercentLabelPointSize(pie)), m_labelStyle, UnitPoint);
        SolidBrush brush(Argb(m_labelColor));
        float start = m_startAngle;
        for (const auto& entry : m_slices.ByKey()) {
            const PieSlice& s = *entry.second;
            PiePoint at = m_style == kPieTilted
                              ? TiltedLabelCentre(pie, top, offset, start, s.sweep)
                              : PercentLabelCentre(pie, start, s.sweep);
            DrawCentred(g, ToWideCString(PercentText(s.share).c_str()), font, brush, at.x, at.y);
            start += s.sweep;
        }
    }
    delete family;
}

void CPieChartWnd::DrawCentreText(Graphics& g)
{
    const PieRect pie = PieRectangle();
    PieRect top;
    GetTiltedFaces(&top, nullptr);
    const float cx = (pie.left + pie.right) / 2.0f, cy = (top.top + top.bottom) / 2.0f;
    FontFamily* family = MakeFamily(GetUiFace());
    {
        int points = m_count > 1000000 ? 28 : (m_count > 100000 ? 32 : 34);
        Font countFont(family, static_cast<REAL>(points), FontStyleBold, UnitPoint);
        Font captionFont(family, 16.0f, FontStyleRegular, UnitPoint);
        SolidBrush countBrush(Color(0xC4, 0xC5, 0xF6));     // COLORREF 0xF6C5C4
        SolidBrush captionBrush(Color(0x85, 0x8F, 0xB6));   // COLORREF 0xB68F85
        char count[16];
        snprintf(count, sizeof count, "%d", m_count);
        // The count's top lies half its height plus 10 pixels above the centre, the
        // caption's half its height above centre + 25: their middles at -10 and +25.
        DrawCentred(g, ToWideCString(count), countFont, countBrush, cx, cy - 10.0f);
        DrawCentred(g, L"Found Files", captionFont, captionBrush, cx, cy + 25.0f);
    }
    delete family;
}

void CPieChartWnd::DrawLegend(Graphics& g, int width)
{
    const PieRect pie = PieRectangle();
    const PieRect client = {0, 0, width, pie.bottom};
    int points = pie.Height() / 25;
    if (points > 11)
        points = 11;
    if (points < 1)
        points = 1;
    // The legend's own font once one is set, else the label font.
    const bool own = !m_legendFace.empty();
    FontFamily* family = MakeFamily(own ? m_legendFace : m_labelFace);
    {
        Font font(family, static_cast<REAL>(points), own ? m_legendStyle : m_labelStyle,
                  UnitPoint);
        StringFormat format;
        format.SetFormatFlags(StringFormatFlagsLineLimit);
        // The widest description in pixels: the one with the most letters may be narrower.
        RectF measured;
        int longestWidth = 0;
        for (const auto& entry : m_slices.ByKey()) {
            std::wstring text = ToWideCString(entry.second->description.c_str());
            g.MeasureString(text.c_str(), -1, &font, PointF(0, 0), &measured);
            longestWidth = std::max(longestWidth, static_cast<int>(ceilf(measured.Width)));
        }
        g.MeasureString(L"100.00%", -1, &font, PointF(0, 0), &measured);
        const int percentWidth = static_cast<int>(ceilf(measured.Width));
        const float percentHeight = measured.Height;
        const LegendColumns c = ComputeLegendColumns(pie, client, m_layout, m_slices.Count(),
                                                     longestWidth, percentWidth);
        SolidBrush column(Argb(m_legendTextColor));
        int columnHeight = m_legendHeight < m_fittingHeight ? m_legendHeight : m_fittingHeight;
        if (c.percentWidth > 0)
            g.FillRectangle(&column, c.percentX, c.top, c.percentWidth, columnHeight);
        SolidBrush label(Argb(m_labelColor));
        Pen rule(Argb(LightenColor(m_legendTextColor, 200)), 1.0f);
        const int step = m_layout.rowHeight + m_layout.rowGap;
        int y = c.top;
        for (auto it = m_slices.ByKey().lower_bound(m_firstRow); it != m_slices.ByKey().end();
             ++it, y += step) {
            if (y + m_layout.rowHeight > pie.bottom)
                break;
            const PieSlice& s = *it->second;
            SolidBrush box(Argb(s.color));
            g.FillRectangle(&box, c.boxX, y, c.boxWidth, m_layout.rowHeight);
            Pen boxEdge(Argb(LightenColor(s.color, 200)), 2.0f);
            g.DrawRectangle(&boxEdge, c.boxX, y, c.boxWidth, m_layout.rowHeight);
            std::wstring description = ToWideCString(s.description.c_str());
            g.DrawString(description.c_str(), -1, &font,
                         RectF(static_cast<REAL>(c.descriptionX), static_cast<REAL>(y),
                               static_cast<REAL>(c.descriptionWidth),
                               static_cast<REAL>(m_layout.rowHeight)),
                         &format, &label);
            if (c.percentWidth <= 0)
                continue;
            const int middle = y + m_layout.rowHeight + m_layout.rowGap / 2;
            if (middle - c.top < m_fittingHeight)
                g.DrawLine(&rule, c.percentX, middle, c.percentX + c.percentWidth, middle);
            std::wstring percent = ToWideCString(LegendPercentText(s.share).c_str());
            g.DrawString(percent.c_str(), -1, &font,
                         RectF(static_cast<REAL>(c.percentX + 1), static_cast<REAL>(y),
                               static_cast<REAL>(c.percentWidth), percentHeight),
                         &format, &label);
        }
    }
    delete family;
}

void CPieChartWnd::Render(Bitmap& bitmap)
{
    Graphics g(&bitmap);
    g.SetSmoothingMode(SmoothingModeHighQuality);
    g.SetTextRenderingHint(TextRenderingHintAntiAlias);
    const int width = static_cast<int>(bitmap.GetWidth());
    const int height = static_cast<int>(bitmap.GetHeight());
    DrawBackground(g, width, height);
    if (m_style == kPieRing) {
        PaintRing(g);
        return;
    }
    if (m_style == kPieTilted)
        PaintTilted(g, width);
    else
        PaintFlat(g, width, height);
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
    screen.SetSmoothingMode(SmoothingModeHighQuality);
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

void CPieChartWnd::SelectAt(float x, float y)
{
    const PieRect pie = PieRectangle();
    HWND parent = ::GetParent(m_hWnd);
    if (m_style == kPieTilted) {
        // The top face and the side walls of the last paint; nothing is reported.
        PieRect top;
        GetTiltedFaces(&top, nullptr);
        ComputeTiltedAngles();
        float angle = m_tiltedStart;
        for (const auto& entry : m_slices.ByKey()) {
            PieSlice& s = *entry.second;
            bool hit = PointInEllipseSector(x, y, top, angle, s.tiltedSweep);
            for (const auto& wall : s.wallOutline)
                hit = hit || PointInPolygon(x, y, wall);
            s.selected = hit;
            angle += s.tiltedSweep;
        }
        return;
    }
    float start = m_startAngle;
    for (const auto& entry : m_slices.ByKey()) {
        PieSlice& s = *entry.second;
        s.selected = m_style == kPieRing ? PointInRingSlice(x, y, pie, start, s.sweep)
                                         : PointInEllipseSector(x, y, pie, start, s.sweep);
        if (s.selected && parent)
            ::PostMessageA(parent, kPieSliceClickedMessage, static_cast<WPARAM>(s.id), 0);
        start += s.sweep;
    }
}

void CPieChartWnd::OnLButtonDown(UINT flags, CPoint point)
{
    SelectAt(static_cast<float>(point.x), static_cast<float>(point.y));
    Invalidate(FALSE);
    CWnd::OnLButtonDown(flags, point);
}

void CPieChartWnd::OnVScroll(UINT code, UINT position, CScrollBar*)
{
    SCROLLINFO info = {sizeof info, SIF_ALL};
    if (!m_scrollBar.m_hWnd || !m_scrollBar.GetScrollInfo(&info))
        return;
    const PieRect pie = PieRectangle();
    const int step = m_layout.rowHeight + m_layout.rowGap;
    const int lastFirst = m_slices.Count() - FittingLegendRows(m_layout, pie, m_slices.Count());
    const int range = info.nMax;
    int pos = info.nPos;
    switch (code) {
    case SB_LINEUP:
        if (m_firstRow > 0) {
            --m_firstRow;
            pos -= step;
        }
        break;
    case SB_LINEDOWN:
        if (m_firstRow < lastFirst) {
            ++m_firstRow;
            pos += step;
        }
        break;
    case SB_PAGEUP: pos -= pie.Height(); break;
    case SB_PAGEDOWN: pos += pie.Height(); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = static_cast<int>(position); break;
    default: return;
    }
    pos = pos < 0 ? 0 : (pos > range ? range : pos);
    if (code != SB_LINEUP && code != SB_LINEDOWN && step > 0) {
        m_firstRow = pos / step;
        if (m_firstRow > lastFirst)
            m_firstRow = lastFirst;
        if (m_firstRow < 0)
            m_firstRow = 0;
    }
    Invalidate(FALSE);
    m_scrollBar.SetScrollPos(pos);
}
