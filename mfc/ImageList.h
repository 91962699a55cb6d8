// mfc/ImageList.h
// CImageList: an image list handle wrapper that destroys the list it owns.
#pragma once
#include "mfc/Object.h"
#include <windows.h>
#include <commctrl.h>

class CImageList : public CObject
{
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() {}
    virtual ~CImageList() { DeleteImageList(); }

    operator HIMAGELIST() const { return m_hImageList; }
    // Allowed on a null pointer.
    HIMAGELIST GetSafeHandle() const;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow)
    {
        return Attach(ImageList_Create(cx, cy, flags, initial, grow));
    }
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int Add(HBITMAP bitmap, HBITMAP mask = nullptr) { return ImageList_Add(m_hImageList, bitmap, mask); }
    int Add(HBITMAP bitmap, COLORREF maskColor) { return ImageList_AddMasked(m_hImageList, bitmap, maskColor); }
    int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
    BOOL Replace(int index, HICON icon) { return ImageList_ReplaceIcon(m_hImageList, index, icon) >= 0; }
    BOOL Remove(int index) { return ImageList_Remove(m_hImageList, index); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL SetImageCount(UINT count) { return ImageList_SetImageCount(m_hImageList, count); }
    COLORREF SetBkColor(COLORREF color) { return ImageList_SetBkColor(m_hImageList, color); }
    BOOL Draw(HDC dc, int index, POINT at, UINT style) { return ImageList_Draw(m_hImageList, index, dc, at.x, at.y, style); }
    HICON ExtractIcon(int index) { return ImageList_ExtractIcon(nullptr, m_hImageList, index); }
    BOOL GetIconSize(int* cx, int* cy) const { return ImageList_GetIconSize(m_hImageList, cx, cy); }
};
