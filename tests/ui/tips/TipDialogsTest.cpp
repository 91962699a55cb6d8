// tests/ui/tips/TipDialogsTest.cpp
// The further tips: the busy notice's size and self-ending, the "do not show again" boxes
// written to "Config.dat", and how each of the others ends.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/AppFolder.h"
#include "app/LangString.h"
#include "app/Settings.h"
#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/tips/BrowseFileDlg.h"
#include "ui/tips/DlgWaitCover.h"
#include "ui/tips/FreezeTipDlg.h"
#include "ui/tips/FreezeTipLayout.h"
#include "ui/tips/HelpFoundDlg.h"
#include "ui/tips/KvrMessageBoxTipDeepScan.h"
#include "ui/tips/RecoveryTipInScanDlg.h"
#include "ui/tips/TipSwitch.h"
#include "ui/tips/WarmTipDlg.h"
#include "uikit/widget/CaptionedItem.h"

using namespace dialogtest;

namespace {

// "Config.dat" in a folder of the test's own for as long as the object lives.
class OwnSettings
{
public:
    OwnSettings()
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "tips-test\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        SetSettingsFolder(folder_.c_str());
        DeleteFileA(GetSettingsFilePath().c_str());
    }
    ~OwnSettings()
    {
        DeleteFileA(GetSettingsFilePath().c_str());
        SetSettingsFolder(nullptr);
        RemoveDirectoryA(folder_.c_str());
    }

private:
    std::string folder_;
};

// A press and release at the centre of a widget of a plain window.
void ClickAt(HWND hwnd, const RECT& r)
{
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(hwnd, WM_MOUSEMOVE, 0, at);
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(hwnd, WM_LBUTTONUP, 0, at);
}

int WindowWidth(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return r.right - r.left;
}

} // namespace

TEST(FreezeTip, WidthFollowsTheTextButNeverBelowThreeHundredAndThirty)
{
    // The text rectangle starts at 75: a 150-pixel text ends at 225.
    const int measuredEnds[][2] = {{75, 330}, {225, 330}, {300, 330}, {301, 331}, {475, 505}};
    for (const auto& c : measuredEnds)
        EXPECT_EQ(FreezeTipWidth(c[0]), c[1]) << c[0];
    EXPECT_EQ(FreezeTipRects(false).text.left, 75);
    EXPECT_EQ(FreezeTipRects(true).text.bottom, 100);
}

TEST(FreezeTip, EndsOnTheFirstTickOnceTheFlagIsDown)
{
    std::atomic<unsigned> busy{0};
    FreezeTipDlg dlg(nullptr);
    dlg.number = -1;
    dlg.busy = &busy;
    dlg.text = "short";
    RunLater(3000, [&] { dlg.EndDialog(-99); });
    const DWORD start = GetTickCount();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_LT(GetTickCount() - start, 2000u);
}

// A window of the test's thread that keeps one message posted to itself until told to stop,
// so the thread's queue never runs empty (as under a worker that reports without pause).
class QueueFlood
{
public:
    QueueFlood()
    {
        hwnd_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~QueueFlood() { DestroyWindow(hwnd_); }
    // Floods for at most ms, so that a failing test still ends.
    void Start(DWORD ms)
    {
        until_ = GetTickCount() + ms;
        PostMessageA(hwnd_, kFlood, 0, 0);
    }
    bool Running() const { return GetTickCount() < until_; }
    int Delivered() const { return delivered_; }

private:
    static const UINT kFlood = WM_APP + 7;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
    {
        auto* self = reinterpret_cast<QueueFlood*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (msg != kFlood)
            return CallWindowProcA(self->previous_, hwnd, msg, w, l);
        ++self->delivered_;
        if (self->Running())
            PostMessageA(hwnd, kFlood, 0, 0);
        return 0;
    }
    HWND hwnd_ = nullptr;
    WNDPROC previous_ = nullptr;
    DWORD until_ = 0;
    int delivered_ = 0;
};

TEST(FreezeTip, EndsOnceTheFlagDropsAlsoWhileTheQueueNeverRunsEmpty)
{
    std::atomic<unsigned> busy{1};
    FreezeTipDlg dlg(nullptr);
    dlg.number = -1;
    dlg.busy = &busy;
    QueueFlood flood;
    flood.Start(6000);
    std::thread worker([&] {
        Sleep(300);
        busy = 0;
    });
    RunLater(8000, [&] { dlg.EndDialog(-99); });
    const DWORD start = GetTickCount();
    const INT_PTR result = dlg.DoModal();
    const DWORD took = GetTickCount() - start;
    const bool floodStillRunning = flood.Running();
    worker.join();
    CancelPending();
    EXPECT_EQ(result, IDOK);
    EXPECT_LT(took, 2000u);
    // The queue was indeed never empty while the notice ran.
    EXPECT_TRUE(floodStillRunning);
    EXPECT_GT(flood.Delivered(), 100);
}

TEST(FreezeTip, SizesItselfForItsTextAndIgnoresEscape)
{
    std::atomic<unsigned> busy{1};
    struct Case {
        int number;
        std::string text;
        bool wide;
    } const cases[] = {
        {-1, "short", false},
        {-1, std::string(80, 'W'), true},
        {7, "", false},
    };
    for (const Case& c : cases) {
        busy = 1;
        FreezeTipDlg dlg(nullptr);
        dlg.number = c.number;
        dlg.busy = &busy;
        dlg.text = c.text;
        dlg.formatKey = "NoSuchFormatKey";
        int width = 0, height = 0;
        bool stillOpen = false;
        int frame = -1;
        RunLater(300, [&] {
            RECT r;
            GetWindowRect(dlg.m_hWnd, &r);
            width = r.right - r.left;
            height = r.bottom - r.top;
            PostKey(dlg.m_hWnd, VK_ESCAPE);
            PostKey(dlg.m_hWnd, VK_RETURN);
            Settle(150);
            stillOpen = IsWindowVisible(dlg.m_hWnd) != 0;
            frame = dlg.Frame();
            busy = 0;
        });
        RunLater(4000, [&] { dlg.EndDialog(-99); });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_TRUE(stillOpen);
        EXPECT_GE(frame, 0);
        EXPECT_LT(frame, 36);
        if (c.number != -1) {
            EXPECT_EQ(width, 450);
            EXPECT_EQ(height, 110);
            // A missing format falls back to the number alone, never to garbage.
            EXPECT_EQ(dlg.ShownText(), "7");
        } else {
            EXPECT_EQ(height, 70);
            if (c.wide)
                EXPECT_GT(width, 400);
            else
                EXPECT_EQ(width, 330);
        }
    }
}

TEST(TipSwitches, TheDontShowBoxesWriteTheirKeys)
{
    OwnSettings settings;
    {
        RecoveryTipInScanDlg dlg(nullptr);
        std::string afterTick, afterUntick;
        RunLater(250, [&] {
            ClickClientItem(dlg, 802);
            Settle(150);
            afterTick = ReadSettingText("ShowTip", "unset");
            ClickClientItem(dlg, 802);
            Settle(150);
            afterUntick = ReadSettingText("ShowTip", "unset");
            ClickClientItem(dlg, 800);
        });
        RunLater(5000, [&] { dlg.EndDialog(-99); });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(afterTick, "0");
        EXPECT_EQ(afterUntick, "1");
    }
    {
        RecoveryTipInScanDlg dlg(nullptr);
        RunLater(250, [&] { ClickClientItem(dlg, 801); });
        RunLater(5000, [&] { dlg.EndDialog(-99); });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    {
        WarmTipDlg dlg(nullptr);
        std::string afterTick;
        bool openAfterKeys = false;
        int width = 0;
        RunLater(250, [&] {
            width = WindowWidth(dlg.m_hWnd);
            PostKey(dlg.m_hWnd, VK_ESCAPE);
            PostKey(dlg.m_hWnd, VK_RETURN);
            ASSERT_NE(dlg.FindItem(801), nullptr);
            ClickAt(dlg.m_hWnd, dlg.FindItem(801)->Rect());
            Settle(200);
            openAfterKeys = IsWindowVisible(dlg.m_hWnd) != 0;
            afterTick = ReadSettingText("ShowWarm", "unset");
            ClickAt(dlg.m_hWnd, dlg.FindItem(802)->Rect());
        });
        RunLater(5000, [&] { dlg.EndDialog(-99); });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_TRUE(openAfterKeys);
        EXPECT_EQ(afterTick, "0");
        EXPECT_EQ(width, WarmTipDlg::kWidth);
    }
    EXPECT_STREQ(TipSwitchValue(true), "0");
    EXPECT_STREQ(TipSwitchValue(false), "1");
}

TEST(OtherTips, EachEndsTheWayItShould)
{
    {
        CDlgWaitCover cover(nullptr);
        RunLater(200, [&] { PostMessageA(cover.m_hWnd, kEndWaitCover, 0, 0); });
        RunLater(4000, [&] { cover.EndDialog(-99); });
        EXPECT_EQ(cover.DoModal(), 0);
    }
    {
        BrowseFileDlg dlg(nullptr);
        char title[256] = "";
        bool shown = false;
        RunLater(250, [&] {
            GetWindowTextA(dlg.m_hWnd, title, sizeof(title));
            shown = dlg.FindClientItem(800) && dlg.FindClientItem(800)->IsVisible();
            ClickClientItem(dlg, 800);
        });
        RunLater(4000, [&] { dlg.EndDialog(-99); });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(std::string(title), GetLangString("BrowserTxt"));
        EXPECT_TRUE(shown);
    }
    {
        HelpFoundDlg dlg(nullptr);
        bool shown = false;
        RunLater(250, [&] {
            dlg.UpdateWindow();
            shown = dlg.FindClientItem(800) && dlg.FindClientItem(800)->IsVisible();
            PostKey(dlg.m_hWnd, VK_ESCAPE);
            Settle(100);
            ClickCaptionItem(dlg, 148);
        });
        RunLater(4000, [&] { dlg.EndDialog(-99); });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_TRUE(shown);
    }
}

TEST(DeepScanBox, ButtonsFollowTheStyleAndTheThirdChoiceEndsWithThree)
{
    auto caption = [](HomeBaseDialog& dlg, int id) {
        auto* item = dynamic_cast<UiCtrl::CaptionedItem*>(dlg.FindClientItem(id));
        return item ? item->GetCaption() : std::string("<none>");
    };
    {
        // Style 0: one button, in the place of the second.
        KvrMessageBoxTipDeepScan box(nullptr);
        box.SetMessage("Nothing found.", nullptr, 0);
        bool secondShown = true;
        RECT first = {}, secondPlace = {};
        std::string offer;
        RunLater(250, [&] {
            UiCtrl::UiItem* b501 = box.FindClientItem(501);
            UiCtrl::UiItem* b500 = box.FindClientItem(500);
            secondShown = b500 && b500->IsVisible();
            if (b501)
                first = b501->Rect();
            if (b500)
                secondPlace = b500->Rect();
            offer = box.FirstOffer();
            ClickClientItem(box, 501);
        });
        RunLater(4000, [&] { box.EndDialog(-99); });
        EXPECT_EQ(box.DoModal(), 1);
        EXPECT_FALSE(secondShown);
        EXPECT_TRUE(EqualRect(&first, &secondPlace));
        EXPECT_EQ(offer, GetLangString("canDeepScan1"));
    }
    {
        KvrMessageBoxTipDeepScan box(nullptr);
        box.SetMessage("Scan deeper?", nullptr, MB_YESNO);
        std::string yes, no;
        RunLater(250, [&] {
            yes = caption(box, 501);
            no = caption(box, 500);
            ClickClientItem(box, 500);
        });
        RunLater(4000, [&] { box.EndDialog(-99); });
        EXPECT_EQ(box.DoModal(), 2);
        EXPECT_EQ(yes, GetLangString("YES"));
        EXPECT_EQ(no, GetLangString("NO"));
    }
    {
        KvrMessageBoxTipDeepScan box(nullptr);
        box.SetMessage("Scan deeper?", nullptr, MB_YESNO);
        box.SetButtonTexts("Deep", "Quick", "Later");
        bool third = false;
        RunLater(250, [&] {
            third = box.FindClientItem(502) != nullptr;
            ClickCaptionItem(box, 148);
        });
        RunLater(4000, [&] { box.EndDialog(-99); });
        EXPECT_EQ(box.DoModal(), 3);
        EXPECT_TRUE(third);
    }
    // The second offer breaks after 30 characters, never inside one, nor inside a word.
    std::string head, tail;
    SplitAfterCharacters(std::string(45, 'a'), 30, head, tail);
    EXPECT_EQ(head.size(), 30u);
    EXPECT_EQ(tail.size(), 15u);
    SplitAfterCharacters("looks into every sub-folder; it takes longer", 30, head, tail);
    EXPECT_EQ(head, "looks into every sub-folder; ");
    EXPECT_EQ(tail, "it takes longer");
    SplitAfterCharacters("short", 30, head, tail);
    EXPECT_EQ(head, "short");
    EXPECT_EQ(tail, "");
}
