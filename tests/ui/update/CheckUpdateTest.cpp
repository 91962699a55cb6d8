// tests/ui/update/CheckUpdateTest.cpp
// The update dialog against the fixture's web server on 127.0.0.1: each offer ends in its
// outcome, a failed download never revives an old "Upgrade.ini", and closing does not hang
// on a server that never answers.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/AppFolder.h"
#include "app/LangString.h"
#include "app/Language.h"
#include "app/ResourceHelper.h"
#include "app/TextConvert.h"
#include "tests/support/WinePath.h"
#include "tests/ui/update/UpgradeServer.h"
#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/update/CheckUpdate.h"
#include "ui/update/UpgradeCheck.h"

using namespace dialogtest;

namespace {

// A language file of the test's own, with the update texts and the given offer address.
class UpdateLanguage
{
public:
    explicit UpdateLanguage(const std::string& address)
        : previous_(ResourceHelper::Instance().GetLanguagePath())
    {
        path_ = Folder() + L"update-test-lang.dat";
        DeleteFileW(path_.c_str());
        const char* const pairs[][2] = {
            {"UpgradeIni", address.c_str()}, {"Tip2Download", "newer"},
            {"AlreadyBeNewest", "newest"},   {"NetFailed", "failed"},
            {"Wait4Down", "waiting"},        {"Update", "Download"},
            {"UpdateWriteFailed", "cannot write"},
            {"OK", "OK"},                    {"Close", "Close"},
        };
        for (const auto& pair : pairs)
            WritePrivateProfileStringW(L"string", ToWideCString(pair[0]).c_str(),
                                       ToWideCString(pair[1]).c_str(), path_.c_str());
        ResourceHelper::Instance().SetLanguagePath(path_);
    }
    // The temporary folder as the test program started with it (a test may change it).
    static const std::wstring& Folder()
    {
        static const std::wstring folder = [] {
            wchar_t temp[MAX_PATH];
            GetTempPathW(MAX_PATH, temp);
            return std::wstring(temp);
        }();
        return folder;
    }
    ~UpdateLanguage()
    {
        ResourceHelper::Instance().SetLanguagePath(previous_);
        DeleteFileW(path_.c_str());
    }

private:
    std::wstring previous_, path_;
};

// Files of the temporary folder whose name starts with prefix.
size_t TempFilesNamed(const char* prefix)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    WIN32_FIND_DATAA found;
    size_t count = 0;
    HANDLE find = FindFirstFileA((std::string(temp) + prefix + "*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do
            ++count;
        while (FindNextFileA(find, &found));
        FindClose(find);
    }
    return count;
}

std::string UpgradeFile()
{
    return std::string(GetAppFolder()) + "Upgrade.ini";
}

struct Seen {
    bool finished = false;
    std::string text, url;
    int picture = 0;
    bool downloadShown = false;
};

// Runs the dialog until the check ends (or 10 s pass), then presses item closeWith.
Seen RunCheck(const std::string& address, int closeWith, int* result = nullptr)
{
    UpdateLanguage language(address);
    CheckUpdate dlg(nullptr);
    Seen seen;
    RunLater(50, [&] {
        for (int i = 0; i < 100 && dlg.IsRunning(); ++i)
            Settle(100);
        seen.finished = !dlg.IsRunning();
        seen.text = dlg.ResultText();
        seen.url = dlg.DownloadUrl();
        seen.picture = dlg.ResultPictureId();
        UiCtrl::UiItem* download = dlg.FindClientItem(800);
        seen.downloadShown = download && download->IsVisible();
        dlg.UpdateWindow();
        if (closeWith == 148)
            ClickCaptionItem(dlg, 148);
        else
            ClickClientItem(dlg, closeWith);
    });
    RunLater(20000, [&] { dlg.EndDialog(-99); });
    const int ended = static_cast<int>(dlg.DoModal());
    if (result)
        *result = ended;
    CancelPending();
    return seen;
}

void WriteOldOffer()
{
    std::ofstream(UpgradeFile(), std::ios::binary)
        << "[VERSION]\r\nProduct Version=9.9.0.0\r\nURL=http://127.0.0.1/old.html\r\n";
}

} // namespace

TEST(CheckUpdateWindow, EachOfferEndsInItsOutcome)
{
    struct Case {
        const char* path;
        const char* text;
        int picture;
        bool downloadShown;
    } const cases[] = {
        {"/newer.ini", "newer", 321, true},    // 3.3.0.0
        {"/same.ini", "newest", 268, false},   // 3.2.9.9
        {"/short.ini", "failed", 324, false},  // "3.2"
        {"/program.ini", "failed", 324, false}, // newer, but its page is a local program
        {"/garbage.ini", "failed", 324, false},
        {"/missing.ini", "failed", 324, false}, // 404
        {"/hop/2/newer.ini", "newer", 321, true},   // through redirects
        {"/loop/0", "failed", 324, false},      // redirects for ever
        {"/big", "failed", 324, false},         // 100 MiB
        {"/trickle", "failed", 324, false},     // a body that never ends
    };
    const CacheUse cacheBefore = BrowserCacheUse();
    for (const Case& c : cases) {
        int result = 0;
        const Seen seen = RunCheck(ServerAddress(c.path), 801, &result);
        EXPECT_TRUE(seen.finished) << c.path;
        EXPECT_EQ(seen.text, c.text) << c.path;
        EXPECT_EQ(seen.picture, c.picture) << c.path;
        EXPECT_EQ(seen.downloadShown, c.downloadShown) << c.path;
        EXPECT_EQ(result, IDCANCEL) << c.path;
    }
    // The offer was read from a file of the check's own in the temporary folder, which is gone
    // again; nothing was written into the program folder.
    DeleteFileA(UpgradeFile().c_str());
    const size_t before = TempFilesNamed("upg");
    const Seen newer = RunCheck(ServerAddress("/newer.ini"), 148);
    EXPECT_EQ(newer.url, "http://127.0.0.1/download.html");
    EXPECT_EQ(GetFileAttributesA(UpgradeFile().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(before, TempFilesNamed("upg"));
    // An offer far larger than any "Upgrade.ini" is not taken.
    EXPECT_EQ(RunCheck(ServerAddress("/huge.ini"), 801).text, "failed");
    // None of the checks left anything in the browser cache.
    const CacheUse cacheAfter = BrowserCacheUse();
    EXPECT_EQ(cacheAfter.files, cacheBefore.files);
    EXPECT_EQ(cacheAfter.bytes, cacheBefore.bytes);
}

// The version compared with the offer is the one the program's version resource carries
// (this test program's: 3.2.0.41), the one About shows.
TEST(CheckUpdateWindow, ComparesWithTheVersionResource)
{
    const InstalledVersion installed = ReadInstalledVersion();
    ASSERT_TRUE(installed.known);
    EXPECT_EQ(3u, installed.major);
    EXPECT_EQ(2u, installed.minor);
}

// A temporary folder that cannot take the file is told as such, not as a network failure.
TEST(CheckUpdateWindow, AFolderThatCannotBeWrittenIsToldAsSuch)
{
    UpdateLanguage::Folder();
    char old[MAX_PATH] = "";
    GetEnvironmentVariableA("TMP", old, MAX_PATH);
    SetEnvironmentVariableA("TMP", "C:\\no-such-folder-for-the-update-check");
    const Seen seen = RunCheck(ServerAddress("/newer.ini"), 801);
    SetEnvironmentVariableA("TMP", old[0] ? old : nullptr);
    EXPECT_TRUE(seen.finished);
    EXPECT_EQ(seen.text, "cannot write");
    EXPECT_EQ(seen.picture, 324);
    EXPECT_FALSE(seen.downloadShown);
}

TEST(CheckUpdateWindow, AFailedDownloadNeverReadsAnOldOffer)
{
    WriteOldOffer();
    // Nothing listens on port 9 of the loopback address.
    const Seen noServer = RunCheck("http://127.0.0.1:9/Upgrade.ini", 801);
    EXPECT_EQ(noServer.text, "failed");
    EXPECT_FALSE(noServer.downloadShown);
    WriteOldOffer();
    const Seen noAddress = RunCheck("", 801);
    EXPECT_EQ(noAddress.text, "failed");
    DeleteFileA(UpgradeFile().c_str());
}

// Closing while the server stalls (no answer, or a body that never ends) closes the dialog
// within a second and ends the download: the server sees the connection go.
TEST(CheckUpdateWindow, ClosingEndsTheCheckWhileTheServerStalls)
{
    for (const char* path : {"/stall", "/trickle"}) {
        const std::string tag = UniqueTag();
        const std::string request = std::string(path) + "?" + tag;
        UpdateLanguage language(ServerAddress(request));
        CheckUpdate dlg(nullptr);
        bool waiting = false, asked = false;
        std::string waitText;
        DWORD clicked = 0;
        RunLater(50, [&] {
            asked = WaitForServerLog("GET " + request + "?k=", 3000);
            // Well within the transfer's own limit on a silent server.
            Settle(100);
            waiting = dlg.IsRunning();
            waitText = dlg.ResultText();
            clicked = GetTickCount();
            ClickClientItem(dlg, 801);
        });
        RunLater(30000, [&] { dlg.EndDialog(-99); });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << path;
        const DWORD closed = GetTickCount() - clicked;
        CancelPending();
        EXPECT_TRUE(asked) << path;
        EXPECT_TRUE(waiting) << path;
        EXPECT_EQ(waitText, "") << path;
        EXPECT_LT(closed, 1000u) << path;
        EXPECT_TRUE(WaitForServerLog("closed " + request, closed < 1000 ? 1000 - closed : 0))
            << path;
    }
}

TEST(CheckUpdateWindow, AltF4DuringTheDownloadDoesNotHang)
{
    UpdateLanguage language(ServerAddress("/stall"));
    CheckUpdate dlg(nullptr);
    RunLater(400, [&] { PostAltF4(dlg.m_hWnd); });
    RunLater(1500, [&] {
        // Alt+F4 may be refused like Esc; the close item always works.
        if (dlg.m_hWnd)
            ClickClientItem(dlg, 801);
    });
    RunLater(30000, [&] { dlg.EndDialog(-99); });
    const DWORD start = GetTickCount();
    EXPECT_NE(dlg.DoModal(), -99);
    EXPECT_LT(GetTickCount() - start, 1500u + 1000u);
    CancelPending();
}

TEST(CheckUpdateWindow, ASecondRunOfTheSameDialogChecksAgain)
{
    CheckUpdate dlg(nullptr);
    const char* const offers[][2] = {{"/newer.ini", "newer"}, {"/same.ini", "newest"}};
    for (const auto& offer : offers) {
        UpdateLanguage language(ServerAddress(offer[0]));
        bool downloadShown = false;
        RunLater(20, [&] {
            for (int i = 0; i < 100 && dlg.IsRunning(); ++i)
                Settle(100);
            UiCtrl::UiItem* download = dlg.FindClientItem(800);
            downloadShown = download && download->IsVisible();
            ClickClientItem(dlg, 801);
        });
        RunLater(20000, [&] { dlg.EndDialog(-99); });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        CancelPending();
        EXPECT_EQ(dlg.ResultText(), offer[1]) << offer[0];
        EXPECT_EQ(downloadShown, std::string(offer[1]) == "newer") << offer[0];
        // The second run does not keep the first run's offer.
        EXPECT_EQ(dlg.DownloadUrl().empty(), std::string(offer[1]) != "newer") << offer[0];
    }
}

// Every outcome, in every language this code page can show, fits the dialog's text box when
// measured in its font: a longer translation must not lose its last line.
TEST(CheckUpdateWindow, EveryOutcomeFitsItsBoxInEveryLanguage)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    const RECT box = CheckUpdate::ResultTextBox();
    HDC dc = CreateCompatibleDC(nullptr);
    int measuredTexts = 0;
    for (int index = 0; index < kLanguageCount; ++index) {
        // Japanese is measured only under its own code page.
        if ((index == 1) != (GetACP() == 932))
            continue;
        ASSERT_GT(helper.SetLanguage(index, LanguageFileOf(index)), 0);
        HGDIOBJ old = SelectObject(dc, helper.GetFont(17, 500, false));
        for (const char* key :
             {"Wait4Down", "Tip2Download", "AlreadyBeNewest", "UpdateWriteFailed", "NetFailed"}) {
            const std::string text = GetLangString(key);
            ASSERT_FALSE(text.empty()) << LanguageFileOf(index) << " " << key;
            RECT measured = box;
            DrawTextA(dc, text.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK);
            EXPECT_LE(measured.bottom, box.bottom) << LanguageFileOf(index) << " " << key;
            EXPECT_LE(measured.right, box.right) << LanguageFileOf(index) << " " << key;
            ++measuredTexts;
        }
        SelectObject(dc, old);
    }
    DeleteDC(dc);
    helper.SetLanguage(0, LanguageFileOf(0));
    EXPECT_GE(measuredTexts, 5);
}
