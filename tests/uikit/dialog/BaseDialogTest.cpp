// tests/uikit/dialog/BaseDialogTest.cpp
// The skinned base dialog under Xvfb: keys, the caption's items, its frame and its
// maximise and restore, driven by posted input from inside the modal loop.
#include <gtest/gtest.h>

#include <string>

#include "DialogTestEnv.h"
#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/TextConvert.h"
#include "app/UsageReport.h"
#include "tests/appservices/StandInFolder.h"
#include "tests/support/DibSurface.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinePath.h"
#include "uikit/dialog/CaptionLayout.h"

using namespace dialogtest;

namespace {

const UINT kMaximisableTemplate = 4001;

class SkinnedDialog : public HomeBaseDialog
{
public:
    explicit SkinnedDialog(UINT templateId = kPopupTemplateId)
        : HomeBaseDialog(templateId, nullptr, true) {}
    std::vector<bool> maximiseChanges;
    const char* layout = "MessageBox";

protected:
    BOOL OnInitDialog() override
    {
        HomeBaseDialog::OnInitDialog();
        LoadSkin(layout);
        return TRUE;
    }
    void OnMaximizeChanged(bool maximised) override { maximiseChanges.push_back(maximised); }
};

bool IsOpen(CWnd& wnd)
{
    return wnd.m_hWnd && IsWindowVisible(wnd.m_hWnd);
}

RECT WindowRect(CWnd& wnd)
{
    RECT r;
    wnd.GetWindowRect(&r);
    return r;
}

RECT WorkArea()
{
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

} // namespace

TEST(BaseDialog, EscAndEnterLeaveItOpenAndTheCloseItemEndsItWithCancel)
{
    SkinnedDialog dlg;
    bool openAfterKeys = false;
    RunLater(150, [&] {
        PostKey(dlg.m_hWnd, VK_ESCAPE);
        PostKey(dlg.m_hWnd, VK_RETURN);
    });
    RunLater(500, [&] {
        openAfterKeys = IsOpen(dlg);
        ClickCaptionItem(dlg, CaptionLayout::kClose);
    });
    RunLater(4000, [&] { dlg.EndDialog(-99); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(openAfterKeys);
}

TEST(BaseDialog, APressOnTheCloseItemReleasedElsewhereClosesNothing)
{
    SkinnedDialog dlg;
    bool open = false;
    RunLater(150, [&] { ClickCaptionItem(dlg, CaptionLayout::kClose, false); });
    RunLater(500, [&] {
        open = IsOpen(dlg);
        dlg.EndDialog(5);
    });
    RunLater(4000, [&] { dlg.EndDialog(-99); });
    EXPECT_EQ(dlg.DoModal(), 5);
    EXPECT_TRUE(open);
}

TEST(BaseDialog, FrameCaptionAndSizeComeFromTheLayout)
{
    SkinnedDialog dlg;
    RECT window = {}, client = {}, close = {};
    size_t captionItems = 0;
    std::string title;
    int region = ERROR;
    bool trackingAfterLeave = true;
    RunLater(150, [&] {
        window = WindowRect(dlg);
        dlg.GetClientRect(&client);
        captionItems = dlg.CaptionItems().size();
        if (UiCtrl::UiItem* item = dlg.FindCaptionItem(CaptionLayout::kClose))
            close = item->Rect();
        char text[256] = "";
        dlg.GetWindowText(text, sizeof(text));
        title = text;
        HRGN probe = CreateRectRgn(0, 0, 0, 0);
        region = GetWindowRgn(dlg.m_hWnd, probe);
        DeleteObject(probe);
        // The client's mouse-leave tracking starts again after every leave.
        PostMessageA(dlg.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
        PostMessageA(dlg.m_hWnd, WM_MOUSELEAVE, 0, 0);
    });
    RunLater(400, [&] {
        trackingAfterLeave = dlg.ClientRouter().IsTracking();
        dlg.EndDialog(1);
    });
    RunLater(4000, [&] { dlg.EndDialog(-99); });
    ASSERT_EQ(dlg.DoModal(), 1);

    EXPECT_EQ(window.right - window.left, 420);
    EXPECT_EQ(window.bottom - window.top, 236);
    // The client is the whole window below the 50-pixel caption band.
    EXPECT_EQ(client.right, 420);
    EXPECT_EQ(client.bottom, 186);
    EXPECT_EQ(captionItems, 1u);
    const RECT expectedClose = {389, 1, 419, 31};
    EXPECT_TRUE(EqualRect(&close, &expectedClose));
    EXPECT_EQ(title, GetLangString("caption"));
    EXPECT_NE(region, ERROR);
    EXPECT_FALSE(trackingAfterLeave);
    // Centred on the work area (no owner), inside it.
    const RECT work = WorkArea();
    EXPECT_EQ(window.left, work.left + (work.right - work.left - 420) / 2);
    EXPECT_GE(window.top, work.top);
}

TEST(BaseDialog, WithoutPopBaseCaptionThereAreNoCaptionItemsButATitle)
{
    OwnLayout layout(
        "<Resource><MessageBox><Size width=\"300\" height=\"150\" />"
        "<Item id=\"501\" type=\"3\" left=\"200\" top=\"90\" right=\"290\" bottom=\"118\" "
        "caption=\"OK\" /></MessageBox></Resource>");
    SkinnedDialog dlg;
    size_t captionItems = 99;
    std::string title;
    RunLater(150, [&] {
        captionItems = dlg.CaptionItems().size();
        char text[256] = "";
        dlg.GetWindowText(text, sizeof(text));
        title = text;
        dlg.EndDialog(1);
    });
    RunLater(4000, [&] { dlg.EndDialog(-99); });
    ASSERT_EQ(dlg.DoModal(), 1);
    EXPECT_EQ(captionItems, 0u);
    EXPECT_FALSE(title.empty());
}

TEST(BaseDialog, MaximiseFillsTheWorkAreaAndRestoreCentres1200By725)
{
    CDialog::RegisterTemplate(kMaximisableTemplate,
                              CDialogTemplate(WS_POPUP | WS_MAXIMIZEBOX, 200, 100, ""));
    SkinnedDialog dlg(kMaximisableTemplate);
    RECT maximised = {}, restored = {}, closeAfterMaximise = {};
    bool restoreShown = false, maximiseHidden = false;
    RunLater(150, [&] { dlg.PostMessage(WM_COMMAND, CaptionLayout::kMaximise, 0); });
    RunLater(400, [&] {
        maximised = WindowRect(dlg);
        closeAfterMaximise = dlg.FindCaptionItem(CaptionLayout::kClose)->Rect();
        restoreShown = dlg.FindCaptionItem(CaptionLayout::kRestore)->IsVisible();
        maximiseHidden = !dlg.FindCaptionItem(CaptionLayout::kMaximise)->IsVisible();
        // A double click on the caption restores.
        RECT w = WindowRect(dlg);
        dlg.PostMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(w.left + 200, w.top + 20));
    });
    RunLater(700, [&] {
        restored = WindowRect(dlg);
        dlg.EndDialog(1);
    });
    RunLater(5000, [&] { dlg.EndDialog(-99); });
    ASSERT_EQ(dlg.DoModal(), 1);

    const RECT work = WorkArea();
    EXPECT_TRUE(EqualRect(&maximised, &work));
    EXPECT_TRUE(restoreShown);
    EXPECT_TRUE(maximiseHidden);
    // The caption items keep their distance from the right edge.
    EXPECT_EQ(closeAfterMaximise.right, work.right - work.left - 1);
    EXPECT_EQ(restored.right - restored.left, 1200);
    EXPECT_EQ(restored.bottom - restored.top, 725);
    EXPECT_EQ(restored.left, work.left + (work.right - work.left - 1200) / 2);
    EXPECT_EQ(restored.top, work.top + (work.bottom - work.top - 725) / 2);
    EXPECT_EQ(dlg.maximiseChanges, (std::vector<bool>{true, false}));
}

namespace {

// Records what the caption asks its tooltip to do.
class TipDialog : public SkinnedDialog
{
public:
    struct Tip {
        bool show;
        std::string text;
    };
    std::vector<Tip> tips;

    bool ShowCaptionTip(int, int, bool show, const char* text, bool) override
    {
        tips.push_back({show, text ? text : ""});
        return true;
    }
};

} // namespace

TEST(BaseDialog, HoveringACaptionItemShowsItsTipAndLeavingRestsIt)
{
    TipDialog dlg;
    int hoverState = -1, restState = -1;
    RunLater(150, [&] {
        UiCtrl::UiItem* close = dlg.FindCaptionItem(CaptionLayout::kClose);
        RECT w = WindowRect(dlg);
        const RECT& r = close->Rect();
        dlg.PostMessage(WM_NCMOUSEMOVE, HTCAPTION,
                        MAKELPARAM(w.left + (r.left + r.right) / 2, w.top + 10));
    });
    RunLater(350, [&] {
        hoverState = dlg.FindCaptionItem(CaptionLayout::kClose)->GetState();
        dlg.PostMessage(WM_NCMOUSELEAVE, 0, 0);
    });
    RunLater(550, [&] {
        restState = dlg.FindCaptionItem(CaptionLayout::kClose)->GetState();
        dlg.EndDialog(1);
    });
    RunLater(4000, [&] { dlg.EndDialog(-99); });
    ASSERT_EQ(dlg.DoModal(), 1);
    EXPECT_EQ(hoverState, UiCtrl::kStateHover);
    EXPECT_EQ(restState, UiCtrl::kStateNormal);
    ASSERT_GE(dlg.tips.size(), 2u);
    EXPECT_TRUE(dlg.tips[0].show);
    EXPECT_EQ(dlg.tips[0].text, GetLangString("CloseTip"));
    EXPECT_FALSE(dlg.tips.back().show);
}

TEST(BaseDialog, TheMainWindowHasTheFullCaptionAndLeavesItsCloseToItself)
{
    CDialog::RegisterTemplate(HomeBaseDialog::kMainTemplateId,
                              CDialogTemplate(WS_POPUP | WS_MAXIMIZEBOX | WS_MINIMIZEBOX, 300,
                                              200, ""));
    SkinnedDialog dlg(HomeBaseDialog::kMainTemplateId);
    std::vector<int> ids;
    bool maximiseEnabled = true, restoreShown = true, openAfterClose = false;
    RunLater(150, [&] {
        for (auto& entry : dlg.CaptionItems())
            ids.push_back(entry.first);
        maximiseEnabled = dlg.FindCaptionItem(CaptionLayout::kMaximise)->IsEnabled();
        restoreShown = dlg.FindCaptionItem(CaptionLayout::kRestore)->IsVisible();
        dlg.PostMessage(WM_COMMAND, CaptionLayout::kClose, 0);
    });
    RunLater(400, [&] {
        openAfterClose = IsOpen(dlg);
        dlg.EndDialog(3);
    });
    RunLater(4000, [&] { dlg.EndDialog(-99); });
    ASSERT_EQ(dlg.DoModal(), 3);
    EXPECT_TRUE(dlg.IsMainWindow());
    // The shipped main caption also carries the main window's menu button.
    const int kMenuButton = 177;
    EXPECT_EQ(ids, (std::vector<int>{CaptionLayout::kMaximise, CaptionLayout::kRestore,
                                     CaptionLayout::kMinimise, CaptionLayout::kClose,
                                     kMenuButton}));
    EXPECT_FALSE(maximiseEnabled);
    EXPECT_FALSE(restoreShown);
    EXPECT_TRUE(openAfterClose);
}

namespace {

// JPEG keeps colours close, not exact.
bool NearGreen(COLORREF c)
{
    return GetRValue(c) < 60 && GetGValue(c) > 200 && GetBValue(c) < 60;
}

COLORREF CentreOfDrawnItem(UiCtrl::UiItem& item)
{
    const RECT r = item.Rect();
    DibSurface surface(r.right, r.bottom, RGB(0, 0, 0));
    item.Draw(surface.dc());
    return surface.At((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

std::string UsageLog()
{
    HMODULE spy = GetModuleHandleA("d2uzadi.dll");
    auto log = spy ? reinterpret_cast<const char* (*)()>(
                         reinterpret_cast<void*>(GetProcAddress(spy, "StandInLog")))
                   : nullptr;
    return log ? log() : std::string();
}

} // namespace

// The test program carries green JPEG resources under the pop-up caption's picture ids
// beside the skin's bitmaps of the same ids.
TEST(BaseDialog, ACatalogCaptionItemShowsTheJpegResourcesOfItsIds)
{
    OwnLayout layout(
        "<Resource><PopBaseCaption>"
        "<Item id=\"148\" left=\"0\" top=\"0\" right=\"30\" bottom=\"30\" Catalog=\"1\" />"
        "<Item id=\"139\" left=\"0\" top=\"0\" right=\"30\" bottom=\"30\" />"
        "</PopBaseCaption><MessageBox><Size width=\"300\" height=\"150\" /></MessageBox>"
        "</Resource>");
    SkinnedDialog dlg;
    COLORREF catalog = 0, bitmap = 0;
    bool both = false;
    RunLater(150, [&] {
        UiCtrl::UiItem* close = dlg.FindCaptionItem(CaptionLayout::kClose);
        UiCtrl::UiItem* minimise = dlg.FindCaptionItem(CaptionLayout::kMinimise);
        both = close && minimise;
        if (both) {
            catalog = CentreOfDrawnItem(*close);
            bitmap = CentreOfDrawnItem(*minimise);
        }
        dlg.EndDialog(1);
    });
    RunLater(4000, [&] { dlg.EndDialog(-99); });
    ASSERT_EQ(dlg.DoModal(), 1);
    ASSERT_TRUE(both);
    EXPECT_TRUE(NearGreen(catalog)) << std::hex << catalog;
    EXPECT_FALSE(NearGreen(bitmap)) << std::hex << bitmap;
}

namespace {

// The program the shell starts for http addresses, replaced while it lives (the shell of this
// Wine reads the machine's classes only) and given back after.
class HttpHandler {
public:
    explicit HttpHandler(const std::string& command)
    {
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes\\http\\shell\\open\\command", 0, nullptr,
                            0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr) != ERROR_SUCCESS)
            return;
        char old[1024] = {};
        DWORD size = sizeof old;
        hadOld_ = RegQueryValueExA(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
                  ERROR_SUCCESS;
        old_ = old;
        set_ = RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                              DWORD(command.size() + 1)) == ERROR_SUCCESS;
    }
    ~HttpHandler()
    {
        if (!key_)
            return;
        if (hadOld_)
            RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                           DWORD(old_.size() + 1));
        else
            RegDeleteValueA(key_, nullptr);
        RegCloseKey(key_);
    }
    bool IsSet() const { return set_; }

private:
    HKEY key_ = nullptr;
    bool hadOld_ = false;
    bool set_ = false;
    std::string old_;
};

size_t HelpReports(const std::string& log)
{
    size_t count = 0;
    for (size_t at = log.find("event 0x2103;"); at != std::string::npos; at = log.find("event 0x2103;", at + 1))
        ++count;
    return count;
}

} // namespace

// F1 opens the language's help address and tells the usage library; the key goes no further.
// The language file is editable: only a web address reaches the shell, never a program.
TEST(BaseDialog, F1OpensOnlyAWebHelpAddressAndReportsIt)
{
    TempFolder folder("f1help");
    ASSERT_FALSE(folder.Path().empty());
    const std::string marker = folder.File("opened.txt");
    // Run by the shell as a program, or as the browser with the address as its argument.
    const std::string standIn = folder.File("help.bat");
    ASSERT_TRUE(WriteWholeFile(standIn, "@echo opened %1> \"" + marker + "\"\r\n"));
    HttpHandler browser("\"" + standIn + "\" \"%1\"");
    ASSERT_TRUE(browser.IsSet());
    const std::string strings = folder.File("strings.dat");
    ResourceHelper& resources = ResourceHelper::Instance();
    const std::wstring previous = resources.GetLanguagePath();
    SetUsageLibraryFolder(StandInFolder().c_str());

    struct Case {
        std::string helpUrl;
        DWORD waitMs;       // for the shell's program, which runs on its own
        const char* opened; // what the stand-in wrote; "" when it must not run
    };
    const Case cases[] = {
        {standIn, 3000, ""},
        {"http://help.invalid/duplicates", 10000, "opened \"http://help.invalid/duplicates\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.helpUrl);
        DeleteFileA(marker.c_str());
        ASSERT_TRUE(WriteWholeFile(strings, "[string]\r\nhelpUrl=" + c.helpUrl + "\r\n"));
        resources.SetLanguagePath(ToWideCString(strings.c_str()));
        const size_t reportsBefore = HelpReports(UsageLog());
        SkinnedDialog dlg;
        bool openAfterF1 = false;
        std::string log;
        RunLater(150, [&] { PostKey(dlg.m_hWnd, VK_F1); });
        RunLater(600, [&] {
            openAfterF1 = IsOpen(dlg);
            log = UsageLog();
            dlg.EndDialog(1);
        });
        RunLater(4000, [&] { dlg.EndDialog(-99); });
        const INT_PTR result = dlg.DoModal();
        CancelPending();
        resources.SetLanguagePath(previous);
        ASSERT_EQ(result, 1);
        EXPECT_TRUE(openAfterF1);
        EXPECT_EQ(HelpReports(log), reportsBefore + 1) << log;   // run or not
        std::string opened;
        for (DWORD waited = 0; waited < c.waitMs && opened.empty(); waited += 100) {
            Sleep(100);
            opened = ReadWholeFile(marker);
        }
        while (!opened.empty() && (opened.back() == '\n' || opened.back() == '\r' || opened.back() == ' '))
            opened.pop_back();
        EXPECT_EQ(opened, c.opened);
    }
    SetUsageLibraryFolder(nullptr);
}
