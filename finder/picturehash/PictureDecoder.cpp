// finder/picturehash/PictureDecoder.cpp
#include "finder/picturehash/PictureDecoder.h"

#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>
#include <algorithm>
#include <memory>
#include <gdiplus.h>

#include "finder/picturehash/PictureHeader.h"
#include "finder/picturehash/PixelBudget.h"

namespace picturehash {

namespace {

// Pixels converted per LockBits call: the converted copy stays small however large the picture.
const UINT kPixelsPerBand = 1 << 20;

// Pictures decoding at once hold no more than the largest picture accepted.
PixelBudget& DecodeBudget()
{
    static PixelBudget budget(kMaxPicturePixels);
    return budget;
}

INIT_ONCE g_gdiplusOnce = INIT_ONCE_STATIC_INIT;
bool g_gdiplusReady = false;

BOOL CALLBACK StartGdiplus(PINIT_ONCE, PVOID, PVOID*)
{
    // Started on first use, never from DllMain (GDI+ starts a thread). It is never shut
    // down: the library stays loaded until the process ends.
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    g_gdiplusReady = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    return TRUE;
}

bool EnsureGdiplus()
{
    InitOnceExecuteOnce(&g_gdiplusOnce, StartGdiplus, nullptr, nullptr);
    return g_gdiplusReady;
}

struct StreamRelease {
    void operator()(IStream* stream) const { stream->Release(); }
};

bool ReduceBitmap(Gdiplus::Bitmap& bitmap, ReducedPicture* out)
{
    const UINT width = bitmap.GetWidth();
    const UINT height = bitmap.GetHeight();
    if (!IsAcceptablePictureSize(width, height))
        return false;
    PictureReducer reducer{int(width), int(height)};
    const UINT rowsPerBand = std::max<UINT>(1, kPixelsPerBand / width);
    for (UINT top = 0; top < height; top += rowsPerBand) {
        const UINT rows = std::min<UINT>(rowsPerBand, height - top);
        Gdiplus::Rect band(0, INT(top), INT(width), INT(rows));
        Gdiplus::BitmapData locked = {};
        if (bitmap.LockBits(&band, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &locked) !=
            Gdiplus::Ok)
            return false;
        const BYTE* row = static_cast<const BYTE*>(locked.Scan0);
        for (UINT y = 0; y < rows; ++y, row += locked.Stride)
            reducer.AddRow(int(top + y), reinterpret_cast<const uint32_t*>(row));
        bitmap.UnlockBits(&locked);
    }
    return reducer.Finish(out);
}

}  // namespace

bool DecodeAndReduce(const void* data, uint32_t length, ReducedPicture* out)
{
    if (!data || length == 0 || !out)
        return false;
    uint64_t declaredWidth = 0, declaredHeight = 0;
    const bool declared = ReadDeclaredPictureSize(static_cast<const unsigned char*>(data), length,
                                                  &declaredWidth, &declaredHeight);
    if (declared && !IsAcceptablePictureSize(declaredWidth, declaredHeight))
        return false;
    if (!EnsureGdiplus())
        return false;
    // Formats whose header we do not read are rare; they decode outside the budget.
    PixelBudgetLease lease(DecodeBudget(), declared ? declaredWidth * declaredHeight : 0);

    std::unique_ptr<IStream, StreamRelease> stream(
        SHCreateMemStream(static_cast<const BYTE*>(data), length));
    if (!stream)
        return false;
    // Declared after the stream: the bitmap may read from it for as long as it lives.
    Gdiplus::Bitmap bitmap(stream.get(), FALSE);
    return bitmap.GetLastStatus() == Gdiplus::Ok && ReduceBitmap(bitmap, out);
}

}  // namespace picturehash
