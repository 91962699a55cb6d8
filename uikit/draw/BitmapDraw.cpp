// uikit/draw/BitmapDraw.cpp
#include "uikit/draw/BitmapDraw.h"

namespace {

BOOL BitmapSize(HBITMAP bitmap, int* width, int* height)
{
    BITMAP info = {};
    if (!bitmap || !GetObject(bitmap, sizeof(info), &info))
        return FALSE;
    *width = info.bmWidth;
    *height = info.bmHeight;
    return TRUE;
}

// A memory context that selects one bitmap and puts everything back when it goes.
class SelectedBitmap
{
public:
    SelectedBitmap(HDC like, HBITMAP bitmap, int mapMode)
        : m_dc(CreateCompatibleDC(like)), m_old(nullptr)
    {
        if (!m_dc)
            return;
        SetMapMode(m_dc, mapMode);
        m_old = bitmap ? SelectObject(m_dc, bitmap) : nullptr;
        if (!m_old) {
            DeleteDC(m_dc);
            m_dc = nullptr;
        }
    }
    ~SelectedBitmap()
    {
        if (m_dc) {
            SelectObject(m_dc, m_old);
            DeleteDC(m_dc);
        }
    }
    HDC dc() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace

BOOL DrawBitmap(HDC target, HBITMAP bitmap, int x, int y)
{
    int width = 0, height = 0;
    if (!target || !BitmapSize(bitmap, &width, &height))
        return FALSE;
    SelectedBitmap source(target, bitmap, MM_TEXT);
    if (!source.dc())
        return FALSE;
    return BitBlt(target, x, y, width, height, source.dc(), 0, 0, SRCCOPY);
}

BOOL StretchDrawBitmap(HDC target, HBITMAP bitmap, int x, int y, int width, int height)
{
    int bitmapWidth = 0, bitmapHeight = 0;
    if (!target || !BitmapSize(bitmap, &bitmapWidth, &bitmapHeight))
        return FALSE;
    SelectedBitmap source(target, bitmap, MM_TEXT);
    if (!source.dc())
        return FALSE;
    return StretchBlt(target, x, y, width, height, source.dc(), 0, 0, bitmapWidth, bitmapHeight,
                      SRCCOPY);
}

BOOL DrawBitmapTransparent(HDC target, HBITMAP bitmap, int x, int y, COLORREF transparent)
{
    int deviceWidth = 0, deviceHeight = 0;
    if (!target || !BitmapSize(bitmap, &deviceWidth, &deviceHeight))
        return FALSE;
    const int mapMode = GetMapMode(target);
    POINT extent[2] = {{0, 0}, {deviceWidth, deviceHeight}};
    DPtoLP(target, extent, 2);
    const int width = extent[1].x - extent[0].x;
    const int height = extent[1].y - extent[0].y;

    HBITMAP maskBitmap = CreateBitmap(deviceWidth, deviceHeight, 1, 1, nullptr);
    HBITMAP imageBitmap = CreateCompatibleBitmap(target, deviceWidth, deviceHeight);
    HBITMAP workBitmap = CreateCompatibleBitmap(target, deviceWidth, deviceHeight);
    BOOL drawn = FALSE;
    if (maskBitmap && imageBitmap && workBitmap) {
        SelectedBitmap source(target, bitmap, mapMode);
        SelectedBitmap mask(target, maskBitmap, mapMode);
        SelectedBitmap image(target, imageBitmap, mapMode);
        SelectedBitmap work(target, workBitmap, mapMode);
        if (source.dc() && mask.dc() && image.dc() && work.dc()) {
            // Mask: 1 where the source has the transparent colour.
            const COLORREF oldBack = SetBkColor(source.dc(), transparent);
            BitBlt(mask.dc(), 0, 0, width, height, source.dc(), 0, 0, SRCCOPY);
            SetBkColor(source.dc(), oldBack);
            // Mono-to-colour copies turn 1 into the background and 0 into the text colour.
            SetBkColor(image.dc(), RGB(255, 255, 255));
            SetTextColor(image.dc(), RGB(0, 0, 0));
            SetBkColor(work.dc(), RGB(255, 255, 255));
            SetTextColor(work.dc(), RGB(0, 0, 0));
            // Image: the source with its transparent pixels black.
            BitBlt(image.dc(), 0, 0, width, height, source.dc(), 0, 0, SRCCOPY);
            BitBlt(image.dc(), 0, 0, width, height, mask.dc(), 0, 0, 0x220326);
            // Work: the target, cleared where the image goes, then the image laid in.
            BitBlt(work.dc(), 0, 0, width, height, target, x, y, SRCCOPY);
            BitBlt(work.dc(), 0, 0, width, height, mask.dc(), 0, 0, SRCAND);
            BitBlt(work.dc(), 0, 0, width, height, image.dc(), 0, 0, SRCINVERT);
            drawn = BitBlt(target, x, y, width, height, work.dc(), 0, 0, SRCCOPY);
        }
    }
    if (maskBitmap)
        DeleteObject(maskBitmap);
    if (imageBitmap)
        DeleteObject(imageBitmap);
    if (workBitmap)
        DeleteObject(workBitmap);
    return drawn;
}
