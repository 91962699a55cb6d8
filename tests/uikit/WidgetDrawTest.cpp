// tests/uikit/WidgetDrawTest.cpp
// Widgets drawn straight into a memory DC, where a look depends on more than one widget.
#include <gtest/gtest.h>

#include "UiKitTestEnv.h"
#include "uikit/host/UiSdkWndBase.h"
#include "uikit/widget/UiBtnWithoutWnd.h"

using namespace UiCtrl;

namespace {

// A 300 x 100 surface filled with the host background.
class Surface {
public:
    Surface()
    {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, 300, 100);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        Clear();
    }
    ~Surface()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    void Clear()
    {
        RECT all = {0, 0, 300, 100};
        HBRUSH brush = CreateSolidBrush(kHostBackground);
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

std::vector<COLORREF> Row(const Surface& s, int y, int left, int right)
{
    std::vector<COLORREF> out;
    for (int x = left; x < right; ++x)
        out.push_back(s.At(x, y));
    return out;
}

} // namespace

TEST(PushButtonLook, EachStyleKeepsItsOwnDefaultsWhateverWasBuiltOrDrawnBefore)
{
    uikittest::UseTestResources();
    Surface surface;
    // Wide enough for the three-slice drawing, whose skin width depends on the style.
    UiBtnWithoutWnd plain(0);
    plain.Create(nullptr, 1, 3, 0, 0, 200, 28);
    plain.Draw(surface.Dc());
    const std::vector<COLORREF> before = Row(surface, 14, 0, 200);
    ASSERT_NE(before, std::vector<COLORREF>(before.size(), kHostBackground)) << "the button drew";

    // Style 1 has bitmaps of its own; style 2 shares style 0's. The style-1 button comes
    // last, both built and drawn, and must not lend its bitmaps to the style-0 one.
    surface.Clear();
    UiBtnWithoutWnd large(2);
    large.Create(nullptr, 3, 3, 0, 40, 250, 80);
    large.Draw(surface.Dc());
    UiBtnWithoutWnd wide(1);
    wide.Create(nullptr, 2, 3, 0, 40, 200, 68);
    wide.Draw(surface.Dc());
    const std::vector<COLORREF> wideRow = Row(surface, 54, 0, 200);
    EXPECT_NE(wideRow, before) << "style 1 looks unlike style 0, or the check below proves nothing";

    surface.Clear();
    plain.Draw(surface.Dc());
    EXPECT_EQ(Row(surface, 14, 0, 200), before);
}

TEST(PushButtonLook, ATallButtonIsFilledToItsBottom)
{
    uikittest::UseTestResources();
    Surface surface;
    UiBtnWithoutWnd button(0);
    button.Create(nullptr, 1, 3, 0, 0, 200, 60);   // the skin is 28 px high
    button.Draw(surface.Dc());
    for (int y : {40, 55}) {
        EXPECT_NE(surface.At(100, y), kHostBackground) << y;
        EXPECT_NE(surface.At(100, y), RGB(0, 0, 0)) << y;
    }
}
