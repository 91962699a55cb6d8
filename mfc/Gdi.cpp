// mfc/Gdi.cpp
#include "mfc/Gdi.h"
#include "mfc/DC.h"
#include "mfc/TempObjects.h"

HGDIOBJ CGdiObject::GetSafeHandle() const
{
    return this ? m_hObject : nullptr;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle)
{
    return handle ? TempObjects::GdiObject(handle) : nullptr;
}

BOOL CGdiObject::Attach(HGDIOBJ handle)
{
    if (!handle)
        return FALSE;
    DeleteObject();
    m_hObject = handle;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ handle = m_hObject;
    m_hObject = nullptr;
    return handle;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    BOOL ok = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return ok;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}
