// mfc/Gdi.cpp
#include "mfc/Gdi.h"
#include "mfc/DC.h"
#include "mfc/TempObjects.h"

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle)
{
    return handle ? TempObjects::GdiObject(handle) : nullptr;
}

BOOL CGdiObject::Attach(HGDIOBJ handle)
{
    // An object holding a handle takes no other: deleting the held one behind the caller's
    // back would pull it from under whoever still uses it. Delete or detach it first.
    if (!handle || m_hObject)
        return FALSE;
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
    return !m_hObject && Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}
