// uikit/controls/PieChartWnd.h
// A ring-shaped pie chart child window: one slice per named entry, percentage labels, a count
// with "Found Files" in the middle. A click on a slice selects it and posts
// kPieSliceClickedMessage (slice id, 0) to the parent. The picture can be written to a file.
#pragma once
#include <string>

#include "mfc/Mfc.h"
#include "uikit/controls/PieGeometry.h"
#include "uikit/controls/PieSlices.h"

namespace Gdiplus { class Bitmap; }

constexpr UINT kPieSliceClickedMessage = 0x4400;

class CPieChartWnd : public CWnd
{
public:
    CPieChartWnd();
    ~CPieChartWnd() override;

    BOOL Create(const char* title, const RECT& rect, CWnd* parent, UINT id);

    // Slices; each change repaints.
    PieSlice* AddSlice(int id, const char* name, const char* description, double value,
                       uint32_t argb);
    bool RemoveSlice(const char* name);
    bool SetSliceValue(PieSlice* slice, double value);
    PieSlices& Slices() { return m_slices; }

    void SetStartAngle(float degrees);
    float StartAngle() const { return m_startAngle; }
    void SetCount(int count);
    void DecreaseCount(int by);
    int Count() const { return m_count; }
    void SetHighlightColor(uint32_t argb);
    void SetLabelColor(uint32_t argb);
    void SetFrameColor(uint32_t argb);
    // Written at the next paint; the format follows the extension (".png", ".jpg", ".bmp",
    // ".gif", ".tif").
    void SaveAsImage(const char* fileName);
    // True when the last pending save was written.
    bool LastSaveSucceeded() const { return m_lastSaveOk; }

    // The pie rectangle in client coordinates.
    PieRect PieRectangle() const;
    // Selects the slice under the client point (unselecting the others); its id, or -1.
    int HitTest(int x, int y);

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
    void UpdateScrollBar();
    void Render(Gdiplus::Bitmap& bitmap);
    bool SaveImage(Gdiplus::Bitmap& bitmap);

    CScrollBar m_scrollBar;
    PieSlices m_slices;
    PieLayout m_layout;
    float m_startAngle = 0.0f;
    uint32_t m_labelColor = 0xFF000000;
    uint32_t m_frameColor = 0xFFFFFFFF;
    uint32_t m_highlight = 0xFF6BE6FF;   // red 107, green 230, blue 255
    std::string m_title;
    std::string m_imageFile;
    bool m_savePending = false;
    bool m_lastSaveOk = false;
    int m_count = 0;
    int m_legendHeight = 0;
};

// GDI+ encoder class id for a file name's extension; false when GDI+ has none for it.
bool FindImageEncoder(const std::string& fileName, CLSID* encoder);
