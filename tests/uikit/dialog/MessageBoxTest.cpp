// tests/uikit/dialog/MessageBoxTest.cpp
// The skinned message box under Xvfb: its buttons, their places and texts, the result of
// each, its place on the screen, and the system box when the layout cannot make one.
#include <gtest/gtest.h>

#include <string>

#include "DialogTestEnv.h"
#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "uikit/dialog/KvrMessageBox.h"
#include "uikit/widget/UiBtnWithoutWnd.h"

using namespace dialogtest;
using namespace MessageBoxPlan;

namespace {

struct Seen {
    bool found = false;
    bool visible[3] = {false, false, false};
    RECT rects[3] = {};
    std::string texts[3];
    RECT textRect = {};
    RECT window = {};
};

const int kIds[3] = {kFirstButton, kSecondButton, kThirdButton};

// Looks at the open box once it has painted, then runs act on it.
void InspectThen(Seen& seen, std::function<void(KVRMessageBox&)> act)
{
    RunLater(250, [&seen, act] {
        KVRMessageBox* box = FindOpenDialog<KVRMessageBox>();
        if (!box)
            return;
        box->UpdateWindow();
        seen.found = true;
        for (int i = 0; i < 3; ++i) {
            auto* button = dynamic_cast<UiCtrl::UiBtnWithoutWnd*>(box->FindClientItem(kIds[i]));
            if (!button)
                continue;
            seen.visible[i] = button->IsVisible() != 0;
            seen.rects[i] = button->Rect();
            seen.texts[i] = button->GetCaption();
        }
        seen.textRect = box->TextRect();
        box->GetWindowRect(&seen.window);
        act(*box);
    });
}

void EndAnyBoxLater()
{
    RunLater(5000, [] {
        if (KVRMessageBox* box = FindOpenDialog<KVRMessageBox>())
            box->EndDialog(-99);
    });
}

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

const RECT kLayoutFirst = {220, 150, 310, 178};
const RECT kLayoutSecond = {320, 150, 410, 178};
const RECT kOneLine = {96, 55, 381, 75};
const RECT kManyLines = {96, 45, 381, 135};

} // namespace

TEST(KvrMessageBox, ButtonsPlacesTextsAndResultsByStyle)
{
    enum Action { kClickFirst, kClickSecond, kClickClose, kKeysThenFirst };
    struct Case {
        UINT style;
        Action action;
        int result;
        bool secondVisible;
        const char* firstKey;    // language key of the first button's text
        const char* secondKey;
    } cases[] = {
        {MB_OK, kClickFirst, 1, false, "OK", "Cancel"},
        {MB_ICONINFORMATION, kKeysThenFirst, 1, false, "OK", "Cancel"},
        {MB_OKCANCEL, kClickFirst, 1, true, "OK", "Cancel"},
        {MB_OKCANCEL, kClickSecond, 2, true, "OK", "Cancel"},
        {MB_OKCANCEL, kClickClose, 2, true, "OK", "Cancel"},
        {MB_YESNO, kClickFirst, 1, true, "YES", "NO"},
        {MB_YESNO | MB_ICONWARNING, kClickSecond, 2, true, "YES", "NO"},
    };
    for (const Case& c : cases) {
        Seen seen;
        InspectThen(seen, [&c](KVRMessageBox& box) {
            switch (c.action) {
            case kClickFirst: ClickClientItem(box, kFirstButton); break;
            case kClickSecond: ClickClientItem(box, kSecondButton); break;
            case kClickClose: ClickCaptionItem(box, kCloseItem); break;
            case kKeysThenFirst:
                PostKey(box.m_hWnd, VK_ESCAPE);
                PostKey(box.m_hWnd, VK_RETURN);
                RunLater(300, [&box] { ClickClientItem(box, kFirstButton); });
                break;
            }
        });
        EndAnyBoxLater();
        const int result = ShowKvrMessageBox(nullptr, "Remove the checked files?", "Question",
                                             c.style, 0);
        CancelPending();
        SCOPED_TRACE(testing::Message() << "style " << c.style << " action " << c.action);
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(result, c.result);
        EXPECT_TRUE(seen.visible[0]);
        EXPECT_EQ(seen.visible[1], c.secondVisible);
        EXPECT_FALSE(seen.visible[2]);
        // A lone button stands where the second one stands in the layout.
        EXPECT_TRUE(Same(seen.rects[0], c.secondVisible ? kLayoutFirst : kLayoutSecond));
        EXPECT_EQ(seen.texts[0], GetLangString(c.firstKey));
        if (c.secondVisible) {
            EXPECT_EQ(seen.texts[1], GetLangString(c.secondKey));
        }
        EXPECT_TRUE(Same(seen.textRect, kOneLine));
    }
}

TEST(KvrMessageBox, ThreeCustomButtonsAndTheCloseItemAnswerThree)
{
    for (int closeWith : {kThirdButton, kCloseItem, kSecondButton}) {
        Seen seen;
        InspectThen(seen, [closeWith](KVRMessageBox& box) {
            if (closeWith == kCloseItem)
                ClickCaptionItem(box, kCloseItem);
            else
                ClickClientItem(box, closeWith);
        });
        EndAnyBoxLater();
        KVRMessageBox box(nullptr);
        box.SetMessage("A long message that cannot stand on one line: it wraps within the text "
                       "area of the box and fills it from the top.", nullptr, MB_OK);
        box.SetButtonTexts("Keep", "Remove", "Later");
        const INT_PTR result = box.DoModal();
        CancelPending();
        SCOPED_TRACE(closeWith);
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(result, closeWith == kSecondButton ? 2 : 3);
        EXPECT_TRUE(seen.visible[0] && seen.visible[1] && seen.visible[2]);
        EXPECT_TRUE(Same(seen.rects[0], {130, 150, 210, 178}));
        EXPECT_TRUE(Same(seen.rects[1], kLayoutFirst));
        EXPECT_TRUE(Same(seen.rects[2], kLayoutSecond));
        EXPECT_EQ(seen.texts[2], "Later");
        EXPECT_TRUE(Same(seen.textRect, kManyLines));
        EXPECT_EQ(box.Caption(), GetLangString("caption"));
    }
}

TEST(KvrMessageBox, GrowsToFitALongTextWithinTheWorkArea)
{
    // An outcome of many lines, and one longer than any screen.
    std::string outcome = "7 files were moved to the recycle bin.\n";
    for (int i = 0; i < 6; ++i)
        outcome += "C:\\Photos\\2023\\holiday " + std::to_string(i) + ".jpg is still on disk and still checked.\n";
    std::string endless;
    for (int i = 0; i < 200; ++i)
        endless += "One more line of a very long text.\n";
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    for (const std::string* text : {&outcome, &endless}) {
        Seen seen;
        InspectThen(seen, [](KVRMessageBox& box) { ClickClientItem(box, kFirstButton); });
        EndAnyBoxLater();
        EXPECT_EQ(ShowKvrMessageBox(nullptr, text->c_str(), nullptr, MB_OK, 0), 1);
        CancelPending();
        ASSERT_TRUE(seen.found);
        // The text as the box's own font lays it out in the width of its text rectangle.
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, ResourceHelper::Instance().GetFont(17, 100, false));
        RECT needed = seen.textRect;
        DrawTextA(dc, text->c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        EXPECT_GE(seen.textRect.top, kManyLines.top);
        EXPECT_GE(seen.rects[0].top, seen.textRect.bottom) << "the button stands below the text";
        EXPECT_TRUE(seen.window.top >= work.top && seen.window.bottom <= work.bottom);
        if (text == &outcome) {
            EXPECT_LE(needed.bottom, seen.textRect.bottom) << "the whole text is shown";
            EXPECT_GT(seen.textRect.bottom, kManyLines.bottom);
        } else {
            EXPECT_EQ(seen.window.bottom - seen.window.top, work.bottom - work.top);
        }
    }
}

TEST(KvrMessageBox, CentredOnItsOwner)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 100, 120, 800, 600,
                               nullptr, nullptr));
    Seen seen;
    InspectThen(seen, [](KVRMessageBox& box) { ClickClientItem(box, kFirstButton); });
    EndAnyBoxLater();
    EXPECT_EQ(ShowKvrMessageBox(owner.m_hWnd, "Done.", nullptr, MB_OK, 0x00FF00), 1);
    CancelPending();
    owner.DestroyWindow();
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(Same(seen.window, {290, 302, 710, 538}));
}

TEST(KvrMessageBox, WithoutAUsableLayoutTheSystemBoxAsksTheSameQuestion)
{
    const char* noElement = "<Resource><About><Size width=\"10\" height=\"10\" /></About></Resource>";
    const char* noButton =
        "<Resource><MessageBox><Size width=\"420\" height=\"236\" /></MessageBox></Resource>";
    const char* noSecond =
        "<Resource><MessageBox><Size width=\"420\" height=\"236\" /><Item id=\"501\" "
        "type=\"3\" left=\"220\" top=\"150\" right=\"310\" bottom=\"178\" caption=\"OK\" />"
        "</MessageBox></Resource>";
    struct Case {
        const char* layout;
        UINT style;
        int answer;
        int result;
    } cases[] = {
        {noElement, MB_YESNO, IDYES, 1},   {noElement, MB_YESNO, IDNO, 2},
        {noElement, MB_OKCANCEL, IDCANCEL, 2}, {noButton, MB_OK, IDOK, 1},
        {noSecond, MB_YESNO, IDNO, 2},
    };
    for (const Case& c : cases) {
        OwnLayout layout(c.layout);
        bool sawSystemBox = false;
        RunLater(400, [&] {
            HWND box = FindSystemWindow("#32770", "Fallback");
            sawSystemBox = box != nullptr;
            if (box)
                PostMessageA(box, WM_COMMAND, c.answer, 0);
        });
        RunLater(5000, [] {
            if (HWND box = FindSystemWindow("#32770", "Fallback"))
                PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        });
        const int result = ShowKvrMessageBox(nullptr, "Question?", "Fallback", c.style, 0);
        CancelPending();
        SCOPED_TRACE(testing::Message() << c.layout << " style " << c.style);
        EXPECT_TRUE(sawSystemBox);
        EXPECT_EQ(result, c.result);
    }
}
