// app/ResourcePicture.cpp
// Pictures of the resource module through OleLoadPicture, and picture drawing.
#include "app/ResourceHelper.h"

#include "app/BitmapFileHeader.h"
#include "app/GdiplusSession.h"
#include "app/ImageOwnSize.h"

#include <gdiplus.h>
#include <olectl.h>
#include <stdio.h>
#include <string.h>

namespace {

// Copies the resource into a movable block, with a bitmap file header in front of a packed
// DIB, and loads it. The stream frees the block when released.
IPicture* LoadPictureFromResource(HMODULE module, int resourceId, const char* resourceType,
                                  bool isBitmap)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId & 0xFFFF), resourceType);
    if (!found)
        return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, found);
    if (!data || size == 0)
        return nullptr;

    uint8_t fileHeader[kBitmapFileHeaderSize];
    if (isBitmap && !MakeBitmapFileHeader(static_cast<const uint8_t*>(data), size, fileHeader))
        return nullptr;
    const size_t prefix = isBitmap ? kBitmapFileHeaderSize : 0;

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size + prefix);
    if (!block)
        return nullptr;
    uint8_t* bytes = static_cast<uint8_t*>(GlobalLock(block));
    if (!bytes) {
        GlobalFree(block);
        return nullptr;
    }
    if (isBitmap)
        memcpy(bytes, fileHeader, prefix);
    memcpy(bytes + prefix, data, size);
    GlobalUnlock(block);

    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
        GlobalFree(block);
        return nullptr;
    }
    IPicture* picture = nullptr;
    HRESULT hr = OleLoadPicture(stream, 0, FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr))
        return nullptr;
    return picture;
}

// Renders the whole picture, flipped to top-down, into the rectangle.
bool RenderPicture(IPicture* picture, HDC dc, int left, int top, int width, int height)
{
    OLE_XSIZE_HIMETRIC extentWidth = 0;
    OLE_YSIZE_HIMETRIC extentHeight = 0;
    picture->get_Width(&extentWidth);
    picture->get_Height(&extentHeight);
    return SUCCEEDED(picture->Render(dc, left, top, width, height, 0, extentHeight, extentWidth,
                                     -extentHeight, nullptr));
}

// Colour pixels equal to `transparent` keep what the target shows beneath them.
bool RenderPictureMasked(IPicture* picture, HDC dc, int left, int top, int width, int height,
                         COLORREF transparent)
{
    HDC colourDc = CreateCompatibleDC(dc);
    HDC maskDc = CreateCompatibleDC(dc);
    HBITMAP colourBitmap = CreateCompatibleBitmap(dc, width, height);
    HBITMAP maskBitmap = CreateBitmap(width, height, 1, 1, nullptr);
    bool drawn = false;
    if (colourDc && maskDc && colourBitmap && maskBitmap) {
        HGDIOBJ oldColour = SelectObject(colourDc, colourBitmap);
        HGDIOBJ oldMask = SelectObject(maskDc, maskBitmap);
        if (RenderPicture(picture, colourDc, 0, 0, width, height)) {
            // Transparent pixels turn white in the mask ...
            SetBkColor(colourDc, transparent);
            BitBlt(maskDc, 0, 0, width, height, colourDc, 0, 0, SRCCOPY);
            // ... and black in the colour copy, so that OR leaves the target there.
            SetBkColor(colourDc, RGB(0, 0, 0));
            SetTextColor(colourDc, RGB(255, 255, 255));
            BitBlt(colourDc, 0, 0, width, height, maskDc, 0, 0, SRCAND);
            COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
            COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
            BitBlt(dc, left, top, width, height, maskDc, 0, 0, SRCAND);
            BitBlt(dc, left, top, width, height, colourDc, 0, 0, SRCPAINT);
            SetBkColor(dc, oldBk);
            SetTextColor(dc, oldText);
            drawn = true;
        }
        SelectObject(colourDc, oldColour);
        SelectObject(maskDc, oldMask);
    }
    if (colourBitmap)
        DeleteObject(colourBitmap);
    if (maskBitmap)
        DeleteObject(maskBitmap);
    if (colourDc)
        DeleteDC(colourDc);
    if (maskDc)
        DeleteDC(maskDc);
    return drawn;
}

}  // namespace

IPicture* ResourceHelper::LoadPicture(int resourceId, int resourceType)
{
    char key[32];
    snprintf(key, sizeof(key), "%d:%d", resourceType, resourceId);
    return LoadCachedPicture(key, resourceId, MAKEINTRESOURCEA(resourceType),
                             resourceType == 2);   // RT_BITMAP
}

IPicture* ResourceHelper::LoadPicture(int resourceId, const char* typeName)
{
    if (!typeName || !*typeName)
        return nullptr;
    char key[64];
    snprintf(key, sizeof(key), "%.40s:%d", typeName, resourceId);
    return LoadCachedPicture(key, resourceId, typeName, false);
}

IPicture* ResourceHelper::LoadCachedPicture(const char* key, int resourceId, const char* type,
                                            bool isBitmap)
{
    auto cached = pictures_.find(key);
    if (cached != pictures_.end())
        return cached->second;
    IPicture* picture = LoadPictureFromResource(GetResourceModule(), resourceId, type, isBitmap);
    if (picture)
        pictures_[key] = picture;
    return picture;
}

int ResourceHelper::ReleasePictures()
{
    for (auto& entry : pictures_)
        entry.second->Release();
    pictures_.clear();
    return 0;
}

int ResourceHelper::DrawPicture(HDC dc, IPicture* picture, int left, int top, int right,
                                int bottom, COLORREF transparent)
{
    if (!dc || !picture)
        return -2;
    const int width = right - left;
    const int height = bottom - top;
    bool drawn;
    if (transparent == 0)
        drawn = RenderPicture(picture, dc, left, top, width, height);
    else
        drawn = width > 0 && height > 0 &&
                RenderPictureMasked(picture, dc, left, top, width, height, transparent);
    return drawn ? 1 : -3;
}

void ResourceHelper::DrawGdiImage(HDC dc, Gdiplus::Image* image, int x, int y)
{
    if (!dc || !image || !EnsureGdiplus())
        return;
    DrawImageAtOwnSize(dc, image, x, y);
}
