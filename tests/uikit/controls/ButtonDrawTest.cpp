// tests/uikit/controls/ButtonDrawTest.cpp
// Both owner-drawn buttons drawn into a memory DC through their own DrawItem, and the message
// boxes of CButtonPlus read off the screen and closed as a user would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uikit/controls/OwnerDrawButtons.h"

namespace {

// ---- message boxes: a thread timer runs inside the box's own loop, reads it and closes it

std::vector<std::string> g_boxes;

BOOL CALLBACK CollectText(HWND child, LPARAM longest)
{
    char text[512] = {};
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    GetWindowTextA(child, text, sizeof text);
    auto* best = reinterpret_cast<std::string*>(longest);
    if (lstrcmpiA(cls, "Static") == 0 && strlen(text) > best->size())
        *best = text;
    return TRUE;
}

BOOL CALLBACK CloseBox(HWND window, LPARAM)
{
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (strcmp(cls, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    std::string text;
    EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&text));
    g_boxes.push_back(text);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0);
}

class BoxCloser {
public:
    BoxCloser() : timer_(SetTimer(nullptr, 0, 30, CloseBoxes)) { g_boxes.clear(); }
    ~BoxCloser() { KillTimer(nullptr, timer_); }

private:
    UINT_PTR timer_;
};

// ---- drawing

HWND MakeParent(COLORREF background)
{
    static const char* kClass = "ButtonDrawParent";
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    HWND parent = CreateWindowExA(0, kClass, "buttons", WS_POPUP | WS_VISIBLE, 0, 0, 300, 120,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetClassLongPtrA(parent, GCLP_HBRBACKGROUND,
                     reinterpret_cast<LONG_PTR>(CreateSolidBrush(background)));
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return parent;
}

void DestroyParent(HWND parent)
{
    HBRUSH brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(parent, GCLP_HBRBACKGROUND));
    DestroyWindow(parent);
    DeleteObject(brush);
}

// A button's DrawItem into a memory surface first filled with a colour no look uses.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height)
    {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        old_ = SelectObject(dc_, bitmap_);
        ReleaseDC(nullptr, screen);
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    void Draw(CButton& button, UINT state)
    {
        RECT all = {0, 0, width_, height_};
        HBRUSH fill = CreateSolidBrush(0x00FF00);
        FillRect(dc_, &all, fill);
        DeleteObject(fill);
        DRAWITEMSTRUCT item = {ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, state, button.m_hWnd, dc_, all, 0};
        button.DrawItem(&item);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    int Count(COLORREF colour) const
    {
        int n = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                n += GetPixel(dc_, x, y) == colour;
        return n;
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

HWND MakeButton(HWND parent, const char* text, DWORD style, bool visible = true)
{
    return CreateWindowExA(0, "BUTTON", text, WS_CHILD | (visible ? WS_VISIBLE : 0) | style, 20,
                           20, 140, 40, parent, reinterpret_cast<HMENU>(31),
                           GetModuleHandleA(nullptr), nullptr);
}

TEST(ButtonDraw, MsBtnBackgroundAndTextFollowTheLook)
{
    HWND parent = MakeParent(0xFFFFFF);
    CMsBtn button;
    ASSERT_TRUE(button.SubclassWindow(MakeButton(parent, "MMMM", BS_PUSHBUTTON)));
    const COLORREF backs[4] = {0xF0E0D0, 0xFFE8C0, 0xC08040, 0xDDDDDD};
    const COLORREF texts[4] = {0x404040, 0x202020, 0xFFFFFF, 0x999999};
    button.SetColors(backs, texts);
    Canvas canvas(140, 40);
    struct Case { UINT state; bool hover; ButtonLook look; };
    const Case cases[] = {
        {0, false, kLookNormal},
        {ODS_SELECTED, false, kLookPressed},
        {ODS_DISABLED | ODS_SELECTED, false, kLookDisabled},
        {0, true, kLookHover},
    };
    for (const Case& c : cases) {
        if (c.hover)
            button.SendMessage(WM_MOUSEHOVER, 0, 0);
        canvas.Draw(button, c.state);
        EXPECT_EQ(canvas.At(2, 2), backs[c.look]) << c.look;
        EXPECT_GT(canvas.Count(texts[c.look]), 0) << c.look;
    }
    button.SendMessage(WM_MOUSELEAVE, 0, 0);
    // The plain text colour is the normal look's: a new one replaces it.
    button.SetTextColor(0x0000FF);
    canvas.Draw(button, 0);
    EXPECT_GT(canvas.Count(0x0000FF), 0);
    EXPECT_EQ(canvas.Count(texts[kLookNormal]), 0);
    button.DestroyWindow();
    DestroyParent(parent);
}

TEST(ButtonDraw, MsBtnDefaultTextIsGreyAndItsFontIsUsed)
{
    HWND parent = MakeParent(0xFFFFFF);
    CMsBtn button;
    ASSERT_TRUE(button.SubclassWindow(MakeButton(parent, "MW", BS_PUSHBUTTON)));
    Canvas canvas(140, 40);
    canvas.Draw(button, 0);
    const int small = canvas.Count(0x646464);
    EXPECT_GT(small, 0);
    LOGFONTA font = {};
    font.lfHeight = -30;
    font.lfWeight = FW_BOLD;
    font.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyA(font.lfFaceName, "Liberation Sans");
    button.SetTextFont(font);
    canvas.Draw(button, 0);
    EXPECT_GT(canvas.Count(0x646464), 2 * small);
    button.DestroyWindow();
    DestroyParent(parent);
}

TEST(ButtonDraw, MsBtnTransparentCopiesTheParentOnce)
{
    HWND parent = MakeParent(0x3366CC);
    CMsBtn button;
    ASSERT_TRUE(button.SubclassWindow(MakeButton(parent, "Go", BS_PUSHBUTTON, false)));
    button.SetTransparent(TRUE);
    button.ShowWindow(SW_SHOW);
    button.UpdateWindow();
    Canvas canvas(140, 40);
    canvas.Draw(button, ODS_SELECTED);
    EXPECT_EQ(canvas.At(2, 2), 0x3366CCu);
    EXPECT_EQ(canvas.At(137, 37), 0x3366CCu);
    // The parent changes its background: the button keeps the copy it took.
    HBRUSH red = CreateSolidBrush(0x0000CC);
    HBRUSH old = reinterpret_cast<HBRUSH>(
        SetClassLongPtrA(parent, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(red)));
    DeleteObject(old);
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    canvas.Draw(button, 0);
    EXPECT_EQ(canvas.At(2, 2), 0x3366CCu);
    button.DestroyWindow();
    DestroyParent(parent);
}

// The skin bitmaps 204, 203, 205 and 202 (normal, hover, pressed, disabled) at (10, 14).
const COLORREF kNormalPixel = 0x573B2F, kHoverPixel = 0x694738, kPressedPixel = 0x442F25,
               kDisabledPixel = 0x322924;

TEST(ButtonDraw, ButtonPlusDrawsTheBitmapOfItsState)
{
    HWND parent = MakeParent(0xFFFFFF);
    CButtonPlus button;
    ASSERT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 38),
                              CWnd::FromHandle(parent), 32));
    // Created owner-drawn, whatever type the caller asked for.
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    ASSERT_TRUE(button.LoadBitmaps(204, 203, 205, 202));
    Canvas canvas(80, 28);
    struct Case { UINT state; bool hover; COLORREF pixel; };
    const Case cases[] = {
        {0, false, kNormalPixel},
        {ODS_SELECTED, false, kPressedPixel},
        {ODS_DISABLED, false, kDisabledPixel},
        {0, true, kHoverPixel},
        {ODS_SELECTED, true, kPressedPixel},
    };
    for (const Case& c : cases) {
        button.SendMessage(c.hover ? WM_MOUSEHOVER : WM_MOUSELEAVE, 0, 0);
        canvas.Draw(button, c.state);
        EXPECT_EQ(canvas.At(10, 14), c.pixel) << c.state << " " << c.hover;
    }
    // Without hover and disabled bitmaps the normal one stands in for them.
    ASSERT_TRUE(button.LoadBitmaps(204, 0, 205, 0));
    button.SendMessage(WM_MOUSEHOVER, 0, 0);
    canvas.Draw(button, ODS_DISABLED);
    EXPECT_EQ(canvas.At(10, 14), kNormalPixel);
    button.DestroyWindow();
    DestroyParent(parent);
}

TEST(ButtonDraw, ButtonPlusTellsFailuresInAMessageBox)
{
    CButtonPlus button;
    {
        BoxCloser closer;
        EXPECT_FALSE(button.LoadBitmaps(204, 9999, 0, 0));
        ASSERT_EQ(g_boxes.size(), 1u);
        EXPECT_EQ(g_boxes[0].rfind("Init OwerLoadBitmap is false error=0x270f,GetLastError=", 0),
                  0u) << g_boxes[0];
    }
    {
        BoxCloser closer;
        EXPECT_TRUE(button.SetPrompt("Open the folder"));
        EXPECT_TRUE(g_boxes.empty());
        EXPECT_STREQ(button.Prompt(), "Open the folder");
        EXPECT_FALSE(button.SetPrompt(std::string(300, 'x').c_str()));
        ASSERT_EQ(g_boxes.size(), 1u);
        EXPECT_EQ(g_boxes[0], "Init CButtonPlus SetPrompt is false GetLastError=122");
        EXPECT_STREQ(button.Prompt(), "Open the folder");   // the old prompt stays whole
    }
}

}  // namespace
