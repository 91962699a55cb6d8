// uikit/widget/WidgetSupport.cpp
#include "uikit/widget/WidgetSupport.h"

#include <gdiplus.h>
#include <map>

#include "app/ResourceHelper.h"
#include "app/SkinImage.h"
#include "uikit/widget/LayoutAttr.h"

namespace UiCtrl {

int MeasureTextWidth(const std::string& text, int height, int weight, bool underline)
{
    if (text.empty())
        return 0;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return 0;
    HGDIOBJ old = SelectObject(screen, ResourceHelper::Instance().GetFont(height, weight, underline));
    RECT r = {0, 0, 0, 0};
    DrawTextA(screen, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_SINGLELINE);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return r.right - r.left;
}

void ImageDeleter::operator()(Gdiplus::Image* image) const
{
    delete image;
}

SkinImage LoadSkinFile(const std::string& fileName)
{
    if (fileName.empty())
        return SkinImage();
    return SkinImage(LoadSkinImage(fileName.c_str()));
}

SkinImage LoadSkinAttr(const TiXmlElement* element, const char* name)
{
    return LoadSkinFile(ReadTextAttr(element, name));
}

SIZE ImageSize(const SkinImage& image)
{
    if (!image)
        return SIZE{0, 0};
    return SIZE{static_cast<LONG>(image->GetWidth()), static_cast<LONG>(image->GetHeight())};
}

IPicture* LoadBitmapPicture(int id)
{
    if (id == 0)
        return nullptr;
    return ResourceHelper::Instance().LoadPicture(id, 2);
}

namespace {

HBRUSH SharedBrush(COLORREF colour)
{
    // Process-wide, made on first use and kept: painting must not create GDI objects.
    static std::map<COLORREF, HBRUSH> brushes;
    auto it = brushes.find(colour);
    if (it != brushes.end())
        return it->second;
    HBRUSH brush = CreateSolidBrush(colour);
    if (brush)
        brushes[colour] = brush;
    return brush;
}

} // namespace

void FillWithColour(HDC dc, const RECT& rect, COLORREF colour)
{
    if (HBRUSH brush = SharedBrush(colour))
        FillRect(dc, &rect, brush);
}

void FrameWithColour(HDC dc, const RECT& rect, COLORREF colour)
{
    if (HBRUSH brush = SharedBrush(colour))
        FrameRect(dc, &rect, brush);
}

} // namespace UiCtrl
