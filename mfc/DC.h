// mfc/DC.h
// Device-context wrappers: CDC owns a DC it created (CreateCompatibleDC); CPaintDC,
// CClientDC and CWindowDC bracket BeginPaint/EndPaint, GetDC/ReleaseDC and
// GetWindowDC/ReleaseDC for one scope.
#pragma once
#include "mfc/Gdi.h"
#include "mfc/Geometry.h"
#include "mfc/String.h"

class CWnd;

class CDC : public CObject
{
public:
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;

    CDC() {}
    virtual ~CDC();

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    static CDC* FromHandle(HDC dc);

    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }
    BOOL DeleteDC();

    // The previous object as a temporary wrapper, for selecting it back.
    CGdiObject* SelectObject(CGdiObject* object);
    CPen* SelectObject(CPen* pen) { return (CPen*)SelectObject((CGdiObject*)pen); }
    CBrush* SelectObject(CBrush* brush) { return (CBrush*)SelectObject((CGdiObject*)brush); }
    CFont* SelectObject(CFont* font) { return (CFont*)SelectObject((CGdiObject*)font); }
    CBitmap* SelectObject(CBitmap* bitmap) { return (CBitmap*)SelectObject((CGdiObject*)bitmap); }
    int SelectObject(CRgn* region) { return ::SelectClipRgn(m_hDC, region ? (HRGN)region->m_hObject : nullptr); }
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    CGdiObject* SelectStockObject(int index) { return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index))); }
    CBitmap* GetCurrentBitmap() const { return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP)); }
    CFont* GetCurrentFont() const { return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT)); }

    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
    int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
    UINT SetTextAlign(UINT flags) { return ::SetTextAlign(m_hDC, flags); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
    CPoint SetBrushOrg(int x, int y) { POINT p; ::SetBrushOrgEx(m_hDC, x, y, &p); return p; }

    int SelectClipRgn(CRgn* region) { return ::SelectClipRgn(m_hDC, region ? (HRGN)region->m_hObject : nullptr); }
    int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
    int ExcludeClipRect(LPCRECT rect) { return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
    int IntersectClipRect(LPCRECT rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }
    int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }

    void FillRect(LPCRECT rect, CBrush* brush) { ::FillRect(m_hDC, rect, (HBRUSH)brush->m_hObject); }
    void FillRect(LPCRECT rect, HBRUSH brush) { ::FillRect(m_hDC, rect, brush); }
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FrameRect(LPCRECT rect, CBrush* brush) { ::FrameRect(m_hDC, rect, (HBRUSH)brush->m_hObject); }
    void FrameRect(LPCRECT rect, HBRUSH brush) { ::FrameRect(m_hDC, rect, brush); }
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
    BOOL FillRgn(CRgn* region, CBrush* brush) { return ::FillRgn(m_hDC, (HRGN)region->m_hObject, (HBRUSH)brush->m_hObject); }
    BOOL FrameRgn(CRgn* region, CBrush* brush, int w, int h) { return ::FrameRgn(m_hDC, (HRGN)region->m_hObject, (HBRUSH)brush->m_hObject, w, h); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL RoundRect(int l, int t, int r, int b, int w, int h) { return ::RoundRect(m_hDC, l, t, r, b, w, h); }
    BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
    BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
    BOOL Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
    CPoint MoveTo(int x, int y) { POINT p; ::MoveToEx(m_hDC, x, y, &p); return p; }
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    COLORREF SetPixel(int x, int y, COLORREF color) { return ::SetPixel(m_hDC, x, y, color); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }

    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xSrc, ySrc, rop);
    }
    BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop)
    {
        return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xSrc, ySrc, wSrc, hSrc, rop);
    }
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }

    int DrawText(LPCSTR text, int count, LPRECT rect, UINT format) { return ::DrawTextA(m_hDC, text, count, rect, format); }
    int DrawText(const CString& text, LPRECT rect, UINT format) { return DrawText(text, text.GetLength(), rect, format); }
    BOOL TextOut(int x, int y, LPCSTR text, int count) { return ::TextOutA(m_hDC, x, y, text, count); }
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
    CSize GetTextExtent(LPCSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    BOOL GetTextMetrics(LPTEXTMETRICA metrics) const { return ::GetTextMetricsA(m_hDC, metrics); }
};

class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC();
    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

class CClientDC : public CDC
{
public:
    // A null window gives the screen's DC.
    explicit CClientDC(CWnd* wnd);
    ~CClientDC();

protected:
    HWND m_hWnd;
};

class CWindowDC : public CDC
{
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC();

protected:
    HWND m_hWnd;
};
