// uikit/draw/MemorySurface.h
// The off-screen surface a skinned window paints into before one BitBlt to the screen: a
// memory DC with a compatible bitmap selected into it.
#pragma once
#include <windows.h>

class MemorySurface
{
public:
    MemorySurface() = default;
    ~MemorySurface() { Release(); }
    MemorySurface(const MemorySurface&) = delete;
    MemorySurface& operator=(const MemorySurface&) = delete;

    // A surface of width x height compatible with like, in transparent background mode. On
    // failure the surface held before is kept and false returned.
    bool Create(HDC like, int width, int height);
    // Selects the first bitmap back before freeing the surface's own; safe when empty.
    void Release();

    HDC Dc() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ initialBitmap_ = nullptr;
};
