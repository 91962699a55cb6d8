// tests/support/DibSurface.h
// A top-down 32-bit DIB in a memory context, filled with one colour, whose pixels tests read
// straight from memory.
#pragma once
#include <windows.h>

#include <stdint.h>

#include <vector>

class DibSurface
{
public:
    DibSurface(int width, int height, COLORREF fill) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits),
                                    nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        Fill(fill);
    }
    ~DibSurface()
    {
        if (m_old)
            SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    HDC dc() const { return m_dc; }
    // Takes the bitmap out of the context, so that it can be used elsewhere (a bitmap cannot
    // be selected into two); it is still deleted with the surface.
    HBITMAP Release()
    {
        SelectObject(m_dc, m_old);
        m_old = nullptr;
        return m_bitmap;
    }
    void Fill(COLORREF c)
    {
        GdiFlush();
        for (int i = 0; i < m_width * m_height; ++i)
            m_bits[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        const DWORD v = m_bits[y * m_width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // Every pixel as 0x00RRGGBB, row by row from the top.
    std::vector<uint32_t> Pixels() const
    {
        GdiFlush();
        std::vector<uint32_t> pixels(m_bits, m_bits + m_width * m_height);
        for (uint32_t& pixel : pixels)
            pixel &= 0xFFFFFF;
        return pixels;
    }
    bool Untouched(COLORREF background) const
    {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                if (At(x, y) != background)
                    return false;
        return true;
    }

private:
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    DWORD* m_bits = nullptr;
};
