// tests/uikit/controls/PieChartWndTest.cpp
#include <gtest/gtest.h>
#include <math.h>

#include "tests/support/TestFiles.h"
#include "uikit/controls/PieChartWnd.h"

namespace {

std::vector<WPARAM> g_clicked;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kPieSliceClickedMessage)
        g_clicked.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
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
        parent_ = CreateWindowExA(0, "PieParentTest", "pie", WS_POPUP | WS_VISIBLE, 0, 0, 640,
                                  460, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        ASSERT_TRUE(chart_.Create("chart", CRect(0, 0, 640, 460), CWnd::FromHandle(parent_), 77));
        g_clicked.clear();
    }
    void TearDown() override
    {
        chart_.DestroyWindow();
        DestroyWindow(parent_);
    }
    void Fill()
    {
        ASSERT_NE(chart_.AddSlice(100, "Photo", "Pictures", 50, 0xFF3A7BD5), nullptr);
        ASSERT_NE(chart_.AddSlice(101, "Office", "Documents", 25, 0xFFE67E22), nullptr);
        ASSERT_NE(chart_.AddSlice(102, "Music", "Music", 25, 0xFF27AE60), nullptr);
        chart_.SetCount(1234);
    }
    HWND parent_ = nullptr;
    CPieChartWnd chart_;
};

TEST_F(PieChartWndTest, ClickOnASliceSelectsItAndTellsTheParent)
{
    Fill();
    PieRect pie = chart_.PieRectangle();
    float cx = (pie.left + pie.right) / 2.0f, cy = (pie.top + pie.bottom) / 2.0f;
    float r = pie.Width() * 0.4f;
    // Photo covers 0..180 degrees (the lower half), Office 180..270, Music 270..360.
    struct Case { float angle; int id; };
    const Case cases[] = {{90, 100}, {225, 101}, {315, 102}};
    for (const Case& c : cases) {
        float a = c.angle * 3.14159265f / 180.0f;
        LPARAM at = MAKELPARAM(static_cast<int>(cx + cosf(a) * r), static_cast<int>(cy + sinf(a) * r));
        SendMessageA(chart_.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        Pump();
        ASSERT_NE(chart_.Slices().Selected(), nullptr);
        EXPECT_EQ(chart_.Slices().Selected()->id, c.id);
    }
    ASSERT_EQ(g_clicked.size(), 3u);
    EXPECT_EQ(g_clicked[0], 100u);
    EXPECT_EQ(g_clicked[2], 102u);
    // The hole in the middle selects nothing and posts nothing.
    SendMessageA(chart_.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cx + 2, cy + 2));
    Pump();
    EXPECT_EQ(chart_.Slices().Selected(), nullptr);
    EXPECT_EQ(g_clicked.size(), 3u);
    chart_.SetStartAngle(-90);
    EXPECT_FLOAT_EQ(chart_.StartAngle(), 270.0f);
    chart_.DecreaseCount(5000);
    EXPECT_EQ(chart_.Count(), 0);
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
