// uikit/draw/MaskedBitmap.h
// CMaskedBitmap: a bitmap object that draws itself plainly, stretched, or with one colour
// left transparent (the drawing is BitmapDraw's; this only binds it to the window layer's
// bitmap and device-context objects). Users link the mfc target.
#pragma once
#include "mfc/DC.h"
#include "mfc/Gdi.h"
#include "uikit/draw/BitmapDraw.h"

class CMaskedBitmap : public CBitmap
{
public:
    // The whole bitmap at (x, y) in its own size.
    BOOL Draw(CDC* target, int x, int y) const
    {
        return target && DrawBitmap(target->m_hDC, (HBITMAP)m_hObject, x, y);
    }
    BOOL StretchDraw(CDC* target, int x, int y, int width, int height) const
    {
        return target && StretchDrawBitmap(target->m_hDC, (HBITMAP)m_hObject, x, y, width, height);
    }
    // Pixels of the transparent colour leave the target showing.
    BOOL DrawTransparent(CDC* target, int x, int y, COLORREF transparent) const
    {
        return target && DrawBitmapTransparent(target->m_hDC, (HBITMAP)m_hObject, x, y, transparent);
    }
};
