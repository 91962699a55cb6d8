// tests/uikit/controls/PieChartWndTest.cpp
#include <gtest/gtest.h>
#include <math.h>

#include <algorithm>
#include <memory>

#include "tests/support/MessagePump.h"
#include "tests/support/TestFiles.h"
#include "uikit/controls/PieChartWnd.h"

#include <objidl.h>
#include <gdiplus.h>

namespace {

std::vector<WPARAM> g_clicked;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kPieSliceClickedMessage)
        g_clicked.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

struct Rgb { int r, g, b; };

// The colour's own channel stands clearly above the other two.
bool Dominant(Rgb c, char channel)
{
    int own = channel == 'r' ? c.r : (channel == 'g' ? c.g : c.b);
    int rest = channel == 'r' ? std::max(c.g, c.b)
                              : (channel == 'g' ? std::max(c.r, c.b) : std::max(c.r, c.g));
    return own > rest + 40;
}

class PieChartWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PieParentTest";
        RegisterClassA(&wc);
        parent_ = CreateWindowExA(0, "PieParentTest", "pie", WS_POPUP | WS_VISIBLE, 0, 0, 900,
                                  460, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        ASSERT_TRUE(chart_.Create("", CRect(0, 0, 900, 460), CWnd::FromHandle(parent_), 77));
        g_clicked.clear();
    }
    void TearDown() override
    {
        chart_.DestroyWindow();
        DestroyWindow(parent_);
    }
    // Red covers 0..180 degrees (the lower half), green 180..270, blue 270..360.
    void Fill()
    {
        ASSERT_NE(chart_.AddSlice(100, "Photo", "Pictures", 50, 0xFFD02020), nullptr);
        ASSERT_NE(chart_.AddSlice(101, "Office", "Documents", 25, 0xFF20B020), nullptr);
        ASSERT_NE(chart_.AddSlice(102, "Music", "Music", 25, 0xFF2030D0), nullptr);
        chart_.SetCount(1234);
    }
    // What a paint puts on the screen, read back through the chart's own image file. Callers
    // ASSERT_TRUE it: without a picture there is nothing to look at.
    ::testing::AssertionResult Snapshot()
    {
        pixels_.reset();
        path_ = folder_.File("shot.bmp");
        DeleteFileA(path_.c_str());
        chart_.SaveAsImage(path_.c_str());
        chart_.UpdateWindow();
        if (!chart_.LastSaveSucceeded())
            return ::testing::AssertionFailure() << "the paint saved no picture";
        std::wstring wide(path_.begin(), path_.end());
        std::unique_ptr<Gdiplus::Bitmap> pixels(new Gdiplus::Bitmap(wide.c_str()));
        if (pixels->GetLastStatus() != Gdiplus::Ok)
            return ::testing::AssertionFailure() << "the saved picture does not load";
        pixels_ = std::move(pixels);
        return ::testing::AssertionSuccess();
    }
    Rgb At(float x, float y)
    {
        Gdiplus::Color c;
        if (pixels_)
            pixels_->GetPixel(static_cast<INT>(x), static_cast<INT>(y), &c);
        return Rgb{c.GetR(), c.GetG(), c.GetB()};
    }
    // Pixels within the box whose colour is near the given one.
    int CountNear(int left, int top, int right, int bottom, Rgb want, int tolerance = 10)
    {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                Rgb c = At(static_cast<float>(x), static_cast<float>(y));
                if (abs(c.r - want.r) <= tolerance && abs(c.g - want.g) <= tolerance &&
                    abs(c.b - want.b) <= tolerance)
                    ++n;
            }
        return n;
    }
    void Click(float x, float y)
    {
        PostMessageA(chart_.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(static_cast<int>(x), static_cast<int>(y)));
        PostMessageA(chart_.m_hWnd, WM_LBUTTONUP, 0,
                     MAKELPARAM(static_cast<int>(x), static_cast<int>(y)));
        DispatchQueuedMessages();
    }
    HWND parent_ = nullptr;
    CPieChartWnd chart_;
    TempFolder folder_{"pie"};
    std::string path_;
    std::unique_ptr<Gdiplus::Bitmap> pixels_;
};

TEST_F(PieChartWndTest, RingBodyAndItsCentreCount)
{
    Fill();
    ASSERT_TRUE(Snapshot());
    const PieRect pie = chart_.PieRectangle();
    const float cx = (pie.left + pie.right) / 2.0f, cy = (pie.top + pie.bottom) / 2.0f;
    const float r = pie.Width() / 2.0f;
    EXPECT_TRUE(Dominant(At(cx, cy + r * 0.8f), 'r'));
    EXPECT_TRUE(Dominant(At(cx - r * 0.6f, cy - r * 0.6f), 'g'));   // 225 degrees
    EXPECT_TRUE(Dominant(At(cx + r * 0.6f, cy - r * 0.6f), 'b'));   // 315 degrees
    Rgb outside = At(static_cast<float>(pie.left - 10), cy);
    EXPECT_EQ(outside.r + outside.g + outside.b, 3 * 255);
    // The count's middle sits 10 pixels above the centre, "Found Files" 25 below it.
    const Rgb countColour = {0xC4, 0xC5, 0xF6}, captionColour = {0x85, 0x8F, 0xB6};
    int top = -1, bottom = -1;
    for (int y = static_cast<int>(cy) - 80; y < cy + 80; ++y)
        if (CountNear(static_cast<int>(cx) - 40, y, static_cast<int>(cx) + 40, y + 1,
                      countColour) > 0) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    ASSERT_GE(top, 0);
    EXPECT_NEAR((top + bottom) / 2.0f, cy - 10, 6);
    EXPECT_GT(CountNear(static_cast<int>(cx) - 60, static_cast<int>(cy) + 15,
                        static_cast<int>(cx) + 60, static_cast<int>(cy) + 36, captionColour),
              0);
    EXPECT_EQ(CountNear(static_cast<int>(cx) - 60, static_cast<int>(cy) - 60,
                        static_cast<int>(cx) + 60, static_cast<int>(cy) + 10, captionColour),
              0);
}

TEST_F(PieChartWndTest, FlatBodyLegendAndLabels)
{
    Fill();
    chart_.SetStyle(kPieFlat);
    chart_.SetLabelColor(0xFF000000);
    chart_.SetTitle("Duplicates by kind");
    ASSERT_TRUE(Snapshot());
    const PieRect pie = chart_.PieRectangle();
    const float cx = (pie.left + pie.right) / 2.0f, cy = (pie.top + pie.bottom) / 2.0f;
    const float r = pie.Width() / 2.0f;
    // No hole: the slice runs to the centre.
    EXPECT_TRUE(Dominant(At(cx + 3, cy + r * 0.15f), 'r'));
    EXPECT_TRUE(Dominant(At(cx - r * 0.6f, cy - r * 0.6f), 'g'));
    // The legend's colour boxes, one per row, filled with the slice colours.
    const PieLayout& layout = chart_.Layout();
    LegendColumns c = ComputeLegendColumns(pie, PieRect{0, 0, 900, 460}, layout, 3, 0, 0);
    const int step = layout.rowHeight + layout.rowGap;
    const float boxX = c.boxX + c.boxWidth / 2.0f;
    struct Row { int row; Rgb colour; };
    const Row rows[] = {{0, {0xD0, 0x20, 0x20}}, {1, {0x20, 0xB0, 0x20}}, {2, {0x20, 0x30, 0xD0}}};
    for (const Row& row : rows) {
        Rgb got = At(boxX, c.top + row.row * step + layout.rowHeight / 2.0f);
        EXPECT_EQ(got.r, row.colour.r) << row.row;
        EXPECT_EQ(got.g, row.colour.g) << row.row;
        EXPECT_EQ(got.b, row.colour.b) << row.row;
    }
    // The title above the pie, and the red slice's label "50.00%" on its middle angle.
    const Rgb black = {0, 0, 0};
    EXPECT_GT(CountNear(30, 5, 300, 38, black, 60), 0);
    const int labelY = static_cast<int>(cy) + 2 * pie.Width() / 5;
    EXPECT_GT(CountNear(static_cast<int>(cx) - 30, labelY - 10, static_cast<int>(cx) + 30,
                        labelY + 10, black, 60), 0);
    chart_.SetLegendFlag(false);
    chart_.SetTitle("");
    ASSERT_TRUE(Snapshot());
    EXPECT_EQ(CountNear(static_cast<int>(cx) - 30, labelY - 10, static_cast<int>(cx) + 30,
                        labelY + 10, black, 60), 0);
    EXPECT_EQ(CountNear(30, 5, 300, 38, black, 60), 0);
}

// More rows than the pie's height holds: the legend draws the rows that end above the pie's
// bottom and none of the one that would cross it, though part of it would show.
TEST_F(PieChartWndTest, LegendStopsAtTheFirstRowThatWouldCrossThePiesBottom)
{
    // 480 high: rows of 25 + 18 from y 40, so the tenth row (index 9) ends at 452 and the
    // eleventh would start at 470, inside the picture.
    SetWindowPos(parent_, nullptr, 0, 0, 900, 480, SWP_NOMOVE | SWP_NOZORDER);
    chart_.MoveWindow(0, 0, 900, 480, TRUE);
    chart_.SetStyle(kPieFlat);
    const int kRows = 30;
    for (int i = 0; i < kRows; ++i) {
        const std::string name = "kind" + std::to_string(i);
        ASSERT_NE(chart_.AddSlice(i, name.c_str(), name.c_str(), 1, 0xFFD02020), nullptr);
    }
    ASSERT_TRUE(Snapshot());
    const PieRect pie = chart_.PieRectangle();
    const PieLayout& layout = chart_.Layout();
    const LegendColumns c = ComputeLegendColumns(pie, PieRect{0, 0, 900, 480}, layout, kRows, 0, 0);
    const int step = layout.rowHeight + layout.rowGap;
    ASSERT_EQ(480, pie.bottom);
    ASSERT_EQ(40, c.top);
    ASSERT_EQ(43, step);
    const Rgb red = {0xD0, 0x20, 0x20};
    auto redInRow = [&](int top, int bottom) {
        return CountNear(c.boxX + 3, top, c.boxX + c.boxWidth - 3, bottom, red);
    };
    EXPECT_GT(redInRow(c.top + 9 * step + 3, c.top + 9 * step + layout.rowHeight - 3), 0) << "the last row that fits";
    EXPECT_EQ(redInRow(c.top + 10 * step, 480), 0) << "the row that would cross the bottom";
}

TEST_F(PieChartWndTest, TiltedBodyShowsItsWallAndALowerTopFace)
{
    Fill();
    chart_.SetStyle(kPieTilted);
    chart_.SetTilt(40);
    EXPECT_EQ(chart_.SetDepth(60), 1);
    ASSERT_TRUE(Snapshot());
    const PieRect pie = chart_.PieRectangle();
    PieRect top, bottom;
    int offset = 0;
    chart_.GetTiltedFaces(&top, &bottom, &offset);
    ASSERT_GT(offset, 0);
    ASSERT_GT(bottom.bottom, top.bottom + 10);
    const float cx = (pie.left + pie.right) / 2.0f;
    const float topMiddle = (top.top + top.bottom) / 2.0f;
    // The top face: red below its middle, blue to the upper right.
    EXPECT_TRUE(Dominant(At(cx, topMiddle + top.Height() * 0.3f), 'r'));
    EXPECT_TRUE(Dominant(At(cx + top.Width() * 0.3f, topMiddle - top.Height() * 0.3f), 'b'));
    // The red slice's wall hangs below the top face's front rim.
    EXPECT_TRUE(Dominant(At(cx, (top.bottom + bottom.bottom) / 2.0f), 'r'));
    // Above the top face the background shows, where the flat pie would be blue.
    Rgb above = At(cx + 5, top.top - 4.0f);
    EXPECT_EQ(above.r + above.g + above.b, 3 * 255);
    // A click on the wall selects its slice and reports nothing.
    Click(cx, (top.bottom + bottom.bottom) / 2.0f);
    ASSERT_NE(chart_.GetSelectedSlice(), nullptr);
    EXPECT_EQ(chart_.GetSelectedSlice()->id, 100);
    EXPECT_TRUE(g_clicked.empty());
    Click(cx + top.Width() * 0.3f, topMiddle - top.Height() * 0.3f);
    ASSERT_NE(chart_.GetSelectedSlice(), nullptr);
    EXPECT_EQ(chart_.GetSelectedSlice()->id, 102);
    Click(5, 5);
    EXPECT_EQ(chart_.GetSelectedSlice(), nullptr);
    EXPECT_TRUE(g_clicked.empty());
}

TEST_F(PieChartWndTest, ClicksSelectBySliceAndStyle)
{
    Fill();
    const PieRect pie = chart_.PieRectangle();
    const float cx = (pie.left + pie.right) / 2.0f, cy = (pie.top + pie.bottom) / 2.0f;
    const float r = pie.Width() * 0.4f;
    struct Case { float angle; int id; };
    const Case cases[] = {{90, 100}, {225, 101}, {315, 102}};
    for (const Case& c : cases) {
        float a = c.angle * 3.14159265f / 180.0f;
        Click(cx + cosf(a) * r, cy + sinf(a) * r);
        ASSERT_NE(chart_.GetSelectedSlice(), nullptr);
        EXPECT_EQ(chart_.GetSelectedSlice()->id, c.id);
    }
    ASSERT_EQ(g_clicked.size(), 3u);
    EXPECT_EQ(g_clicked[0], 100u);
    EXPECT_EQ(g_clicked[2], 102u);
    // The ring's middle (closer than PW / 5) selects nothing and posts nothing...
    const float nearCentre = pie.Width() / 10.0f;
    Click(cx, cy + nearCentre);
    EXPECT_EQ(chart_.GetSelectedSlice(), nullptr);
    EXPECT_EQ(g_clicked.size(), 3u);
    // ...while the flat pie has no hole.
    chart_.SetStyle(kPieFlat);
    Click(cx, cy + nearCentre);
    ASSERT_NE(chart_.GetSelectedSlice(), nullptr);
    EXPECT_EQ(chart_.GetSelectedSlice()->id, 100);
    ASSERT_EQ(g_clicked.size(), 4u);
    EXPECT_EQ(g_clicked[3], 100u);
}

TEST_F(PieChartWndTest, SliceChangesThroughTheModelRelayTheLegend)
{
    HWND bar = GetDlgItem(chart_.m_hWnd, 1);
    ASSERT_NE(bar, nullptr);
    chart_.SetStyle(kPieFlat);
    chart_.UpdateWindow();
    for (int i = 0; i < 30; ++i) {
        std::string name = "kind" + std::to_string(i);
        ASSERT_NE(chart_.Slices().Add(i, name, name, 1 + i, 0xFF000000 | (i * 0x070503)),
                  nullptr);
    }
    RECT dirty;
    EXPECT_TRUE(GetUpdateRect(chart_.m_hWnd, &dirty, FALSE));
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(chart_.LegendTotalHeight(), LegendHeight(chart_.Layout(), 30));
    SCROLLINFO info = {sizeof info, SIF_ALL};
    ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &info));
    EXPECT_EQ(info.nMax, chart_.LegendTotalHeight());
    EXPECT_EQ(static_cast<int>(info.nPage), chart_.PieRectangle().Height());
    // Line steps move by a row and stop at the last rows that fit.
    const int fit = FittingLegendRows(chart_.Layout(), chart_.PieRectangle(), 30);
    SendMessageA(chart_.m_hWnd, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(chart_.FirstVisibleRow(), 1);
    for (int i = 0; i < 40; ++i)
        SendMessageA(chart_.m_hWnd, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(chart_.FirstVisibleRow(), 30 - fit);
    SendMessageA(chart_.m_hWnd, WM_VSCROLL, SB_PAGEUP, reinterpret_cast<LPARAM>(bar));
    SendMessageA(chart_.m_hWnd, WM_VSCROLL, SB_PAGEUP, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(chart_.FirstVisibleRow(), 0);
    chart_.UpdateWindow();
    for (int i = 0; i < 28; ++i)
        ASSERT_TRUE(chart_.Slices().RemoveByKey(0));
    EXPECT_TRUE(GetUpdateRect(chart_.m_hWnd, &dirty, FALSE));
    EXPECT_FALSE(IsWindowVisible(bar));
}

TEST_F(PieChartWndTest, SettingsKeepTheirBounds)
{
    chart_.SetStartAngle(725);
    EXPECT_FLOAT_EQ(chart_.StartAngle(), 5.0f);
    chart_.SetTilt(100);
    EXPECT_FLOAT_EQ(chart_.Tilt(), 85.0f);
    chart_.SetTilt(-3);
    EXPECT_FLOAT_EQ(chart_.Tilt(), 0.0f);
    // With no tilt both faces are the pie, whatever the depth.
    const PieRect pie = chart_.PieRectangle();
    ASSERT_EQ(chart_.SetDepth(500), 1);
    PieRect top, bottom;
    chart_.GetTiltedFaces(&top, &bottom);
    EXPECT_EQ(top.top, pie.top);
    EXPECT_EQ(bottom.bottom, pie.bottom);
    EXPECT_FLOAT_EQ(chart_.DepthFactor(), 500.0f / (pie.Height() * 85 / 180));
    EXPECT_EQ(chart_.SetDepth(-1), 0);
    EXPECT_EQ(chart_.SetDepth(NAN), 0);
    EXPECT_FLOAT_EQ(chart_.DepthFactor(), 500.0f / (pie.Height() * 85 / 180));
    chart_.DecreaseCount(5);
    EXPECT_EQ(chart_.Count(), 0);
    chart_.SetCount(3);
    chart_.DecreaseCount(5);
    EXPECT_EQ(chart_.Count(), 0);
    // Fonts: a regular weight is not bold; a later legend font replaces the earlier style.
    LOGFONTA font = {};
    font.lfWeight = FW_NORMAL;
    chart_.SetLabelFont(font);
    EXPECT_EQ(chart_.LabelFontStyle(), 0);
    font.lfWeight = FW_BOLD;
    font.lfItalic = TRUE;
    chart_.SetLegendFont(font);
    EXPECT_EQ(chart_.LegendFontStyle(), kPieFontBold | kPieFontItalic);
    font.lfWeight = FW_NORMAL;
    font.lfItalic = FALSE;
    font.lfUnderline = TRUE;
    chart_.SetLegendFont(font);
    EXPECT_EQ(chart_.LegendFontStyle(), kPieFontUnderline);
    chart_.SetFrameLightFactor(50);
    chart_.SetFrameDarkFactor(30);
    EXPECT_FLOAT_EQ(chart_.FrameLightFactor(), 50);
    EXPECT_FLOAT_EQ(chart_.FrameDarkFactor(), 30);
    PieSlice* one = chart_.AddSlice(1, "one", "", 7, 0xFF102030);
    chart_.SetSliceDarkFactor(one, 20);
    EXPECT_FLOAT_EQ(chart_.SliceDarkFactor(one), 20);
    EXPECT_FLOAT_EQ(chart_.SliceLightFactor(one), 120);
}

TEST_F(PieChartWndTest, SavesItsPictureByExtension)
{
    Fill();
    TempFolder folder("pie.chart");   // a dot in the folder name is not the extension
    struct Case { const char* name; bool written; };
    const Case cases[] = {{"chart.png", true}, {"chart.JPG", true}, {"chart.bmp", true},
                          {"chart.nope", false}, {"chart", false}};
    for (const Case& c : cases) {
        std::string path = folder.File(c.name);
        chart_.SaveAsImage(path.c_str());
        chart_.UpdateWindow();
        EXPECT_EQ(chart_.LastSaveSucceeded(), c.written) << c.name;
        EXPECT_EQ(GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES, c.written) << c.name;
    }
#ifdef CONTROLS_GALLERY_PNG
    chart_.SaveAsImage(CONTROLS_GALLERY_PNG);
    chart_.UpdateWindow();
    EXPECT_TRUE(chart_.LastSaveSucceeded());
#endif
}

}  // namespace
