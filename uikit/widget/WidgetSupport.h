// uikit/widget/WidgetSupport.h
// What several widgets share: measuring a caption, owned skin images, bitmap pictures by id
// and brushes that a layout may replace.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <memory>
#include <string>

namespace Gdiplus {
class Image;
}
class TiXmlElement;

namespace UiCtrl {

// Width of text drawn in ResourceHelper's font (height, weight, underline), measured with
// DT_CALCRECT on a screen DC; 0 for an empty text.
int MeasureTextWidth(const std::string& text, int height, int weight, bool underline);

struct ImageDeleter {
    void operator()(Gdiplus::Image* image) const;
};
using SkinImage = std::unique_ptr<Gdiplus::Image, ImageDeleter>;

// The skin file named by the attribute (under "Res\Eng"); null when missing or unreadable.
SkinImage LoadSkinAttr(const TiXmlElement* element, const char* name);
SkinImage LoadSkinFile(const std::string& fileName);
SIZE ImageSize(const SkinImage& image);

// A bitmap resource by id through ResourceHelper's cache (borrowed); null for id 0.
IPicture* LoadBitmapPicture(int id);

// A solid brush the widget owns; replacing it frees the old one.
class OwnedBrush {
public:
    OwnedBrush() = default;
    explicit OwnedBrush(COLORREF colour) { Reset(colour); }
    ~OwnedBrush() { Release(); }
    OwnedBrush(const OwnedBrush&) = delete;
    OwnedBrush& operator=(const OwnedBrush&) = delete;

    void Reset(COLORREF colour)
    {
        Release();
        brush_ = CreateSolidBrush(colour);
    }
    HBRUSH Get() const { return brush_; }
    explicit operator bool() const { return brush_ != nullptr; }

private:
    void Release()
    {
        if (brush_)
            DeleteObject(brush_);
        brush_ = nullptr;
    }
    HBRUSH brush_ = nullptr;
};

// FillRect with a colour through a brush made once per process for that colour.
void FillWithColour(HDC dc, const RECT& rect, COLORREF colour);
void FrameWithColour(HDC dc, const RECT& rect, COLORREF colour);

} // namespace UiCtrl
