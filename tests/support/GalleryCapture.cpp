// tests/support/GalleryCapture.cpp
#include "tests/support/GalleryCapture.h"

#include <objidl.h>
#include <gdiplus.h>

#include <vector>

#include "app/GdiplusSession.h"

namespace {

bool PngEncoder(CLSID& out)
{
    UINT count = 0, bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    if (!bytes)
        return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, bytes, codecs);
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, L"image/png") == 0) {
            out = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

} // namespace

HBITMAP CaptureScreenArea(HWND window, SIZE* size)
{
    if (size)
        *size = {0, 0};
    RECT area;
    if (!GetWindowRect(window, &area))
        return nullptr;
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP shot = CreateCompatibleBitmap(screen, width, height);
    if (shot) {
        HGDIOBJ old = SelectObject(memory, shot);
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        SelectObject(memory, old);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (shot && size)
        *size = {width, height};
    return shot;
}

bool SavePng(Gdiplus::Image& image, const std::wstring& path)
{
    CLSID png;
    return EnsureGdiplus() && PngEncoder(png) &&
           image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

bool SaveBitmapPng(HBITMAP bitmap, const std::wstring& path)
{
    if (!bitmap || !EnsureGdiplus())
        return false;
    Gdiplus::Bitmap image(bitmap, nullptr);
    return SavePng(image, path);
}

bool SaveScreenArea(HWND window, const std::wstring& path)
{
    HBITMAP shot = CaptureScreenArea(window, nullptr);
    const bool saved = SaveBitmapPng(shot, path);
    if (shot)
        DeleteObject(shot);
    return saved;
}
