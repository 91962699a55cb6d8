// tests/uikit/controls/ControlsGallery.cpp
// Shows the further controls side by side and saves the screen as a PNG for a person to see.
#include <gtest/gtest.h>

#include "tests/support/GalleryCapture.h"
#include "tests/support/MessagePump.h"
#include "uikit/controls/CopyLimitedRichEditCtrl.h"
#include "uikit/controls/OwnerDrawButtons.h"
#include "uikit/controls/PieChartWnd.h"
#include "uikit/controls/ScrollWnd.h"
#include "uikit/controls/XPTabCtrl.h"

namespace {

TEST(ControlsGallery, AllControlsInOneWindow)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "controls", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                               CRect(0, 0, 900, 520), nullptr, 0));
    CPieChartWnd pie;
    ASSERT_TRUE(pie.Create("pie", CRect(0, 0, 560, 420), &frame, 1));
    pie.AddSlice(100, "Photo", "Pictures", 40, 0xFF3A7BD5);
    pie.AddSlice(101, "Office", "Documents", 25, 0xFFE67E22);
    pie.AddSlice(102, "Video", "Videos", 15, 0xFF8E44AD);
    pie.AddSlice(103, "Music", "Music", 12, 0xFF27AE60);
    pie.AddSlice(104, "Other", "Other", 8, 0xFF95A5A6);
    pie.SetCount(4821);

    CXPTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(580, 10, 890, 40), &frame, 2));
    tabs.InsertItem(0, "Duplicates");
    tabs.InsertItem(1, "Pictures");

    HWND check = CreateWindowExA(0, "BUTTON", "Check box", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                                 580, 60, 140, 34, frame.m_hWnd, reinterpret_cast<HMENU>(3),
                                 GetModuleHandleA(nullptr), nullptr);
    HWND push = CreateWindowExA(0, "BUTTON", "Push button", WS_CHILD | WS_VISIBLE, 730, 60, 150,
                                34, frame.m_hWnd, reinterpret_cast<HMENU>(4),
                                GetModuleHandleA(nullptr), nullptr);
    CMsBtn checkButton, pushButton;
    checkButton.SubclassWindow(check);
    pushButton.SubclassWindow(push);
    const COLORREF backs[4] = {0xF0E0D0, 0xFFE8C0, 0xC08040, 0xDDDDDD};
    const COLORREF texts[4] = {0x404040, 0x202020, 0xFFFFFF, 0x999999};
    checkButton.SetColors(backs, texts);
    pushButton.SetColors(backs, texts);
    checkButton.SetChecked(TRUE);

    CCopyLimitedRichEditCtrl edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_READONLY,
                            CRect(580, 110, 890, 200), &frame, 5));
    edit.SetWindowText("This text cannot be selected or copied.");

    CScrollWnd scroll;
    ASSERT_TRUE(scroll.Create(&frame, CRect(580, 220, 890, 410)));
    scroll.SetVScrollRange(400);
    scroll.SetVScrollPage(100);
    scroll.SetHScrollRange(200);
    scroll.SetHScrollPage(50);

    frame.UpdateWindow();
    frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    DispatchQueuedMessages();
    EXPECT_TRUE(SaveScreenArea(frame.m_hWnd, CONTROLS_GALLERY_SCREEN));
    scroll.DestroyWindow();
    edit.DestroyWindow();
    pushButton.DestroyWindow();
    checkButton.DestroyWindow();
    tabs.DestroyWindow();
    pie.DestroyWindow();
    frame.DestroyWindow();
}

// The pie chart's three looks: the ring, the flat pie and the tilted one with their legends.
TEST(ControlsGallery, PieChartInItsThreeStyles)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "pies", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                               CRect(0, 0, 1240, 900), nullptr, 0));
    const int styles[3] = {kPieRing, kPieFlat, kPieTilted};
    const char* titles[3] = {"Ring", "Flat, with legend", "Tilted, with legend"};
    const CRect places[3] = {CRect(0, 0, 440, 440), CRect(440, 0, 1240, 440),
                             CRect(0, 450, 800, 890)};
    CPieChartWnd pies[3];
    for (int i = 0; i < 3; ++i) {
        CPieChartWnd& pie = pies[i];
        ASSERT_TRUE(pie.Create(titles[i], places[i], &frame, 10 + i));
        pie.AddSlice(100, "Photo", "Pictures", 40, 0xFF3A7BD5);
        pie.AddSlice(101, "Office", "Documents", 25, 0xFFE67E22);
        pie.AddSlice(102, "Video", "Videos", 15, 0xFF8E44AD);
        pie.AddSlice(103, "Music", "Music", 12, 0xFF27AE60);
        pie.AddSlice(104, "Other", "Other files", 5.25, 0xFF95A5A6);
        pie.AddSlice(105, "Archive", "Archives", 2.75, 0xFFC0392B);
        pie.SetCount(4821);
        pie.SetStyle(styles[i]);
        pie.SetFrameColor(0xFFF4F6FA);
        pie.SetLegendTextColor(0xFFE8ECF2);
        pie.SetTitle(titles[i]);
    }
    pies[2].SetTilt(45);
    pies[2].SetDepth(40);
    pies[1].Slices().Find("Video")->selected = true;
    frame.UpdateWindow();
    frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    DispatchQueuedMessages();
    EXPECT_TRUE(SaveScreenArea(frame.m_hWnd, CONTROLS_PIE_STYLES_SCREEN));
    for (CPieChartWnd& pie : pies)
        pie.DestroyWindow();
    frame.DestroyWindow();
}

}  // namespace
