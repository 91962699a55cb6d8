// mfc/Gdi.h
// GDI object wrappers. An object owns the handle it created or was given with Attach and
// deletes it when destroyed; Detach hands the handle back. FromHandle gives a temporary
// wrapper that owns nothing.
#pragma once
#include "mfc/Object.h"
#include <windows.h>

class CGdiObject : public CObject
{
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() {}
    virtual ~CGdiObject() { DeleteObject(); }

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    static CGdiObject* FromHandle(HGDIOBJ handle);

    // FALSE, and the handle stays the caller's, when this object already holds one; the
    // Create and Load members likewise make nothing then.
    BOOL Attach(HGDIOBJ handle);
    HGDIOBJ Detach();
    // Deletes the owned handle. A handle still selected into a DC must be selected out first.
    BOOL DeleteObject();
    int GetObject(int size, LPVOID buffer) const { return ::GetObjectA(m_hObject, size, buffer); }
    UINT GetObjectType() const { return (UINT)::GetObjectType(m_hObject); }
};

class CPen : public CGdiObject
{
public:
    CPen() {}
    CPen(int style, int width, COLORREF color) { Attach(::CreatePen(style, width, color)); }
    static CPen* FromHandle(HPEN pen) { return (CPen*)CGdiObject::FromHandle(pen); }
    operator HPEN() const { return (HPEN)m_hObject; }
    BOOL CreatePen(int style, int width, COLORREF color) { return !m_hObject && Attach(::CreatePen(style, width, color)); }
    BOOL CreatePenIndirect(LPLOGPEN logPen) { return !m_hObject && Attach(::CreatePenIndirect(logPen)); }
};

class CBrush : public CGdiObject
{
public:
    CBrush() {}
    explicit CBrush(COLORREF color) { Attach(::CreateSolidBrush(color)); }
    static CBrush* FromHandle(HBRUSH brush) { return (CBrush*)CGdiObject::FromHandle(brush); }
    operator HBRUSH() const { return (HBRUSH)m_hObject; }
    BOOL CreateSolidBrush(COLORREF color) { return !m_hObject && Attach(::CreateSolidBrush(color)); }
    BOOL CreatePatternBrush(HBITMAP bitmap) { return !m_hObject && Attach(::CreatePatternBrush(bitmap)); }
    BOOL CreateHatchBrush(int index, COLORREF color) { return !m_hObject && Attach(::CreateHatchBrush(index, color)); }
    BOOL CreateSysColorBrush(int index) { return !m_hObject && Attach(::GetSysColorBrush(index)); }
};

class CFont : public CGdiObject
{
public:
    static CFont* FromHandle(HFONT font) { return (CFont*)CGdiObject::FromHandle(font); }
    operator HFONT() const { return (HFONT)m_hObject; }
    BOOL CreateFontIndirect(const LOGFONTA* logFont) { return !m_hObject && Attach(::CreateFontIndirectA(logFont)); }
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCSTR faceName)
    {
        return !m_hObject && Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                                    strikeOut, charSet, outPrecision, clipPrecision, quality,
                                    pitchAndFamily, faceName));
    }
    int GetLogFont(LOGFONTA* logFont) const { return GetObject(sizeof(LOGFONTA), logFont); }
};

class CBitmap : public CGdiObject
{
public:
    static CBitmap* FromHandle(HBITMAP bitmap) { return (CBitmap*)CGdiObject::FromHandle(bitmap); }
    operator HBITMAP() const { return (HBITMAP)m_hObject; }
    // A bitmap resource of the program's module.
    BOOL LoadBitmap(UINT id) { return !m_hObject && Attach(::LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id))); }
    BOOL LoadBitmap(LPCSTR name) { return !m_hObject && Attach(::LoadBitmapA(GetModuleHandleA(nullptr), name)); }
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
    {
        return !m_hObject && Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
    }
    BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
    int GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info); }
};

class CRgn : public CGdiObject
{
public:
    static CRgn* FromHandle(HRGN region) { return (CRgn*)CGdiObject::FromHandle(region); }
    operator HRGN() const { return (HRGN)m_hObject; }
    BOOL CreateRectRgn(int l, int t, int r, int b) { return !m_hObject && Attach(::CreateRectRgn(l, t, r, b)); }
    BOOL CreateRectRgnIndirect(LPCRECT rect) { return !m_hObject && Attach(::CreateRectRgnIndirect(rect)); }
    BOOL CreateRoundRectRgn(int l, int t, int r, int b, int w, int h) { return !m_hObject && Attach(::CreateRoundRectRgn(l, t, r, b, w, h)); }
    BOOL CreateEllipticRgn(int l, int t, int r, int b) { return !m_hObject && Attach(::CreateEllipticRgn(l, t, r, b)); }
    BOOL CreatePolygonRgn(const POINT* points, int count, int mode) { return !m_hObject && Attach(::CreatePolygonRgn(points, count, mode)); }
    int CombineRgn(const CRgn* a, const CRgn* b, int mode) { return ::CombineRgn((HRGN)m_hObject, (HRGN)a->m_hObject, b ? (HRGN)b->m_hObject : nullptr, mode); }
    void SetRectRgn(int l, int t, int r, int b) { ::SetRectRgn((HRGN)m_hObject, l, t, r, b); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y); }
    BOOL PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
    int GetRgnBox(LPRECT rect) const { return ::GetRgnBox((HRGN)m_hObject, rect); }
    int OffsetRgn(int dx, int dy) { return ::OffsetRgn((HRGN)m_hObject, dx, dy); }
};
