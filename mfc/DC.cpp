// mfc/DC.cpp
#include "mfc/DC.h"
#include "mfc/TempObjects.h"
#include "mfc/Wnd.h"

CDC::~CDC()
{
    DeleteDC();
}

CDC* CDC::FromHandle(HDC dc)
{
    return dc ? TempObjects::DeviceContext(dc) : nullptr;
}

BOOL CDC::Attach(HDC dc)
{
    if (!dc || m_hDC)
        return FALSE;
    m_hDC = m_hAttribDC = dc;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC dc = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return dc;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    BOOL ok = ::DeleteDC(m_hDC);
    m_hDC = m_hAttribDC = nullptr;
    return ok;
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    if (!object)
        return nullptr;
    return CGdiObject::FromHandle(::SelectObject(m_hDC, object->m_hObject));
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    RECT r = {x, y, x + cx, y + cy};
    FillSolidRect(&r, color);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    int x = rect->left, y = rect->top, cx = rect->right - rect->left, cy = rect->bottom - rect->top;
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
}

CSize CDC::GetTextExtent(LPCSTR text, int count) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hDC, text, count, &size);
    return size;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd)
{
    m_hDC = m_hAttribDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    m_hDC = m_hAttribDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    m_hDC = m_hAttribDC = ::GetWindowDC(m_hWnd);
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
