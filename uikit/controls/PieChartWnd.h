// uikit/controls/PieChartWnd.h
// A pie chart child window in three looks: a ring with a count and "Found Files" in the
// middle (style 0), a flat pie with separator lines (1) and a tilted pie with side walls (2),
// the last two with a legend list that scrolls. A click on a slice selects it; in styles 0
// and 1 it also posts kPieSliceClickedMessage (slice id, 0) to the parent. The picture can be
// written to a file.
#pragma once
#include <string>

#include "mfc/Mfc.h"
#include "uikit/controls/PieGeometry.h"
#include "uikit/controls/PieSlices.h"

namespace Gdiplus { class Bitmap; class Graphics; class Font; class FontFamily; }

constexpr UINT kPieSliceClickedMessage = 0x4400;

enum PieStyle
{
    kPieRing = 0,
    kPieFlat = 1,   // any style but 0 and 2 is flat
    kPieTilted = 2,
};

// Font style bits of the label and legend fonts (the values of GDI+'s FontStyle).
enum PieFontStyle
{
    kPieFontBold = 1,
    kPieFontItalic = 2,
    kPieFontUnderline = 4,
    kPieFontStrikeOut = 8,
};
// Bold from a weight of semi-bold (600) up: a regular weight (400) is not bold.
int PieFontStyleOf(const LOGFONTA& font);

class CPieChartWnd : public CWnd
{
public:
    CPieChartWnd();
    ~CPieChartWnd() override;

    BOOL Create(const char* title, const RECT& rect, CWnd* parent, UINT id);

    // Slices; each change (also one made through Slices()) repaints and lays the legend and
    // its scroll bar out again.
    PieSlice* AddSlice(int id, const char* name, const char* description, double value,
                       uint32_t argb);
    bool HasSlice(const char* name) const { return name && m_slices.Has(name); }
    int GetSliceIndex(const char* name) const { return name ? m_slices.IndexOf(name) : -1; }
    PieSlice* FindSlice(const char* name) const { return name ? m_slices.Find(name) : nullptr; }
    bool RemoveSlice(const char* name);
    bool RemoveSliceByKey(int key) { return m_slices.RemoveByKey(key); }
    bool SetSliceValue(PieSlice* slice, double value) { return m_slices.SetValue(slice, value); }
    void SetSliceColor(PieSlice* slice, uint32_t argb) { m_slices.SetColor(slice, argb); }
    void SetSliceDescription(PieSlice* slice, const char* text);
    void SetSliceLightFactor(PieSlice* slice, float f) { m_slices.SetLightFactor(slice, f); }
    void SetAllLightFactors(float factor) { m_slices.SetAllLightFactors(factor); }
    void SetSliceDarkFactor(PieSlice* slice, float f) { m_slices.SetDarkFactor(slice, f); }
    void SetAllDarkFactors(float factor) { m_slices.SetAllDarkFactors(factor); }
    float SliceLightFactor(const PieSlice* slice) const { return slice ? slice->lightFactor : 0; }
    float SliceDarkFactor(const PieSlice* slice) const { return slice ? slice->darkFactor : 0; }
    PieSlice* GetSelectedSlice() const { return m_slices.Selected(); }
    void SortSlicesByValue(bool descending) { m_slices.SortByValue(descending); }
    void SortSlicesByIndex() { m_slices.SortByIndex(); }
    PieSlices& Slices() { return m_slices; }

    // Chart settings; each repaints.
    void SetStyle(int style);
    int Style() const { return m_style; }
    void SetStartAngle(float degrees);
    float StartAngle() const { return m_startAngle; }
    // Kept within 0..85 degrees.
    void SetTilt(float degrees);
    float Tilt() const { return m_tilt; }
    // The side wall's height in pixels at the largest tilt. 0, and nothing changed, for a
    // negative value or one that is not a number.
    int SetDepth(float pixels);
    float DepthFactor() const { return m_depthFactor; }
    void SetLabelFont(const LOGFONTA& font);
    void SetLegendFont(const LOGFONTA& font);
    int LabelFontStyle() const { return m_labelStyle; }
    int LegendFontStyle() const { return m_legendStyle; }
    void SetTitle(const char* title);
    const std::string& Title() const { return m_title; }
    void SetFrameColor(uint32_t argb);
    void SetFrameLightFactor(float factor);
    void SetFrameDarkFactor(float factor);
    float FrameLightFactor() const { return m_frameLightFactor; }
    float FrameDarkFactor() const { return m_frameDarkFactor; }
    void SetLabelColor(uint32_t argb);
    void SetLegendTextColor(uint32_t argb);
    void SetHighlightColor(uint32_t argb);
    // With the flag clear the flat and tilted looks show no percentages on the pie.
    void SetLegendFlag(bool on);
    void SetCount(int count);
    void DecreaseCount(int by);
    int Count() const { return m_count; }
    // Written at the next paint; the format follows the extension (".png", ".jpg", ".bmp",
    // ".gif", ".tif").
    void SaveAsImage(const char* fileName);
    // True when the last pending save was written.
    bool LastSaveSucceeded() const { return m_lastSaveOk; }

    // Geometry in client coordinates.
    PieRect PieRectangle() const;
    void GetTiltedFaces(PieRect* top, PieRect* bottom, int* offset = nullptr) const;
    const PieLayout& Layout() const { return m_layout; }
    int LegendTotalHeight() const { return m_legendHeight; }
    int FirstVisibleRow() const { return m_firstRow; }

protected:
    int OnCreate(LPCREATESTRUCT cs);
    void OnSize(UINT type, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    DECLARE_MESSAGE_MAP()

private:
    void Changed();
    void UpdateLegendAndScrollBar();
    void ComputeTiltedAngles();
    void Render(Gdiplus::Bitmap& bitmap);
    void DrawBackground(Gdiplus::Graphics& g, int width, int height);
    void PaintRing(Gdiplus::Graphics& g);
    void PaintFlat(Gdiplus::Graphics& g, int width, int height);
    void PaintTilted(Gdiplus::Graphics& g, int width);
    void DrawSliceSide(Gdiplus::Graphics& g, PieSlice& slice, const WallPiece& piece,
                       const PieRect& top, const PieRect& bottom);
    void DrawLegend(Gdiplus::Graphics& g, int width);
    void DrawPercentLabels(Gdiplus::Graphics& g);
    void DrawCentreText(Gdiplus::Graphics& g);
    bool SaveImage(Gdiplus::Bitmap& bitmap);
    void SelectAt(float x, float y);

    CScrollBar m_scrollBar;
    PieSlices m_slices;
    PieLayout m_layout;
    int m_style = kPieRing;
    float m_startAngle = 0.0f;
    float m_tiltedStart = 0.0f;
    float m_tilt = 0.0f;
    float m_depthFactor = 0.5f;
    std::string m_labelFace;
    int m_labelStyle = 0;
    std::string m_legendFace;
    int m_legendStyle = 0;
    int m_legendHeight = 0;
    int m_firstRow = 0;
    int m_fittingHeight = 1000;
    uint32_t m_labelColor = 0xFF000000;
    uint32_t m_legendTextColor = 0xFFFFFFFF;
    uint32_t m_frameColor = 0xFFFFFFFF;
    uint32_t m_frameLight = 0xFFFFFFFF;
    uint32_t m_frameSecond = 0xFFFFFFFF;
    float m_frameLightFactor = 200.0f;
    float m_frameDarkFactor = 10.0f;
    uint32_t m_highlight = 0xFF6BE6FF;   // red 107, green 230, blue 255
    std::string m_title;
    std::string m_imageFile;
    bool m_savePending = false;
    bool m_lastSaveOk = false;
    bool m_legendFlag = true;
    int m_count = 0;
};

// GDI+ encoder class id for a file name's extension; false when GDI+ has none for it.
bool FindImageEncoder(const std::string& fileName, CLSID* encoder);
