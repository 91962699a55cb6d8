// tests/ui/filters/FilterWindowTest.cpp
// The filter dialogs under Xvfb with the shipped layouts and strings: each opened by the
// start page's command, driven as a user would, and what OK and cancel leave in the settings,
// in the precision and in the user's lists in English.dat.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SafeFormat.h"
#include "app/TextConvert.h"
#include "finder/ScanState.h"
#include "tests/support/TestFiles.h"
#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/filters/EditFileTypeItemDlg.h"
#include "ui/filters/FileNewTypeFilterWnd.h"
#include "ui/filters/FileSimilarFilterDlg.h"
#include "ui/filters/FilterFileSizeDlg.h"
#include "ui/filters/FilterFileTypeDlg.h"
#include "ui/startpage/SelFileTypeWnd.h"
#include "uikit/dialog/KvrMessageBox.h"
#include "uikit/widget/UIFilterTypeItem.h"
#include "uikit/widget/UiBtnWithoutWnd.h"

using namespace dialogtest;

namespace {

const int kDeadline = 6000;

// The start page in a plain top-level window, as the main dialog holds it.
class PageHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent_ = CreateWindowExA(0, "STATIC", "filter host", WS_POPUP | WS_VISIBLE, 0, 0, 1196,
                                  680, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(parent_);
        page_.CreateWin(parent_, 1, 0, 0, 1196, 680, WS_CHILD | WS_VISIBLE);
        ASSERT_TRUE(page_.GetHwnd());
        g_similarityPercent = 100;
    }
    void TearDown() override
    {
        CancelPending();
        DestroyWindow(page_.GetHwnd());
        DestroyWindow(parent_);
        g_similarityPercent = 100;
    }
    // Runs the page's command; steps (from the dialog's loop) find the dialog it opened.
    template <class Dialog>
    void RunFromPage(int command, std::function<void(Dialog&)> steps)
    {
        bool opened = false;
        RunLater(300, [&] {
            Dialog* dlg = FindOpenDialog<Dialog>();
            opened = dlg != nullptr;
            if (dlg)
                steps(*dlg);
        });
        RunLater(kDeadline, [] {
            if (Dialog* dlg = FindOpenDialog<Dialog>())
                dlg->EndDialog(-99);
        });
        page_.OnCommand(command, 0);
        CancelPending();
        EXPECT_TRUE(opened);
    }
    FilterSettings& Settings() { return page_.GetFilterSettings(); }

    HWND parent_ = nullptr;
    UiCtrl::SelFileTypeWnd page_;
};

void SetEdit(HWND edit, const char* text)
{
    SetWindowTextA(edit, text);
}

std::string Text(HWND edit)
{
    char text[256] = "";
    GetWindowTextA(edit, text, sizeof text);
    return text;
}

std::string UnitCaption(HomeBaseDialog& dlg, int id)
{
    auto* item = dynamic_cast<UiCtrl::UiBtnWithoutWnd*>(dlg.FindClientItem(id));
    return item ? item->GetCaption() : "<missing>";
}

// Leaves a step for after the clicks of this one have been handled.
void Then(std::function<void()> step)
{
    RunLater(250, std::move(step));
}

} // namespace

TEST_F(PageHost, KindsDialogWritesTheCheckedKindsOnOkOnly)
{
    const std::string photos = GetLangString("PhotoDesc");
    ASSERT_FALSE(photos.empty());
    // Cancel: an unchecked kind changes nothing.
    RunFromPage<FileNewTypeFilterWnd>(100, [](FileNewTypeFilterWnd& dlg) {
        for (int id = 100; id <= 104; ++id)
            EXPECT_TRUE(dlg.IsKindChecked(id)) << id;
        dlg.SetKindChecked(100, false);
        ClickClientItem(dlg, 2);
    });
    EXPECT_EQ("", Settings().typeList1);
    EXPECT_EQ(1, Settings().allTypes);

    // OK with Video off: its list is empty, the rest are the kinds' lists.
    RunFromPage<FileNewTypeFilterWnd>(100, [](FileNewTypeFilterWnd& dlg) {
        dlg.SetKindChecked(102, false);
        ClickClientItem(dlg, 105);
    });
    EXPECT_EQ(photos, Settings().typeList1);
    EXPECT_EQ(GetLangString("OfficeDocDesc"), Settings().typeList2);
    EXPECT_EQ("", Settings().typeList3);
    EXPECT_EQ(GetLangString("OtherDesc"), Settings().typeList5);
    EXPECT_EQ(0, Settings().allTypes);

    // The dialog opens as the settings are, and all five again mean every file again.
    RunFromPage<FileNewTypeFilterWnd>(100, [](FileNewTypeFilterWnd& dlg) {
        EXPECT_FALSE(dlg.IsKindChecked(102));
        EXPECT_TRUE(dlg.IsKindChecked(103));
        dlg.SetKindChecked(102, true);
        ClickClientItem(dlg, 105);
    });
    EXPECT_EQ(GetLangString("VideoDesc"), Settings().typeList3);
    EXPECT_EQ(1, Settings().allTypes);

    // Nothing checked: OK leaves the dialog open and the settings as they were.
    bool stillOpen = false;
    RunFromPage<FileNewTypeFilterWnd>(100, [&stillOpen](FileNewTypeFilterWnd& dlg) {
        for (int id = 100; id <= 104; ++id)
            dlg.SetKindChecked(id, false);
        ClickClientItem(dlg, 105);
        Then([&] {
            stillOpen = IsWindowVisible(dlg.m_hWnd) != FALSE;
            ClickClientItem(dlg, 2);
        });
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(photos, Settings().typeList1);
}

// OK in "File types" with every kind left ticked must not narrow the next scan: copies whose
// extension no kind's list names (".dat", none at all) are still found.
TEST_F(PageHost, KindsOkWithEveryKindTickedLeavesTheNextScansGroupsAsTheyWere)
{
    TempFolder tree("kinds");
    ASSERT_FALSE(tree.Path().empty());
    const std::string contents[] = {"picture bytes, made up\n", "notes of a meeting\n",
                                    "raw data 0123456789\n", "# a readme of some length\n"};
    const char* names[][2] = {{"a.jpg", "b.jpg"}, {"c.txt", "d.txt"}, {"e.dat", "f.dat"},
                              {"README", "NOTES"}};
    for (int i = 0; i < 4; ++i) {
        const std::string body = std::string(400 + i, 'x') + contents[i];
        ASSERT_TRUE(WriteWholeFile(tree.File(names[i][0]), body));
        ASSERT_TRUE(WriteWholeFile(tree.File(names[i][1]), body));
    }
    auto scanFiles = [&]() -> size_t {
        page_.Reset();
        page_.SetLocation(tree.Path().substr(0, tree.Path().size() - 1));
        page_.StartScan();
        // The scan's end with groups posts command 200 to the (deaf) host and shows no box.
        const DWORD start = GetTickCount();
        while (page_.IsScanning() && GetTickCount() - start < 20000)
            Settle(20);
        EXPECT_FALSE(page_.IsScanning());
        Settle(200);
        size_t files = 0;
        for (int k = 1; k <= 5; ++k) {
            FileGroupMap groups;
            page_.GetCategoryGroups(k, groups);
            files += groups.size();
        }
        return files;
    };
    const size_t before = scanFiles();
    EXPECT_EQ(8u, before);

    RunFromPage<FileNewTypeFilterWnd>(100, [](FileNewTypeFilterWnd& dlg) {
        for (int id = 100; id <= 104; ++id)
            EXPECT_TRUE(dlg.IsKindChecked(id)) << id;
        ClickClientItem(dlg, 105);
    });
    EXPECT_EQ(1, Settings().allTypes);
    EXPECT_EQ(before, scanFiles());
    page_.Reset();
}

// The bounds come back in units the unit lists offer: no bound and a bound of bytes alone
// never show "B", which no list row could choose again.
TEST_F(PageHost, SizeDialogShowsTheStoredBounds)
{
    for (const bool anySize : {true, false}) {
        SCOPED_TRACE(anySize ? "any size" : "at most 10 MB");
        Settings().minimumSize = 0;
        Settings().maximumSize = anySize ? 0 : 10LL << 20;
        RunFromPage<FilterFileSizeDlg>(103, [anySize](FilterFileSizeDlg& dlg) {
            EXPECT_EQ(anySize, dlg.IsNoLimitChecked());
            EXPECT_EQ("0", Text(dlg.MinimumEdit()));
            EXPECT_EQ("KB", UnitCaption(dlg, 103));
            EXPECT_EQ(anySize ? "0" : "10", Text(dlg.MaximumEdit()));
            EXPECT_EQ(anySize ? "KB" : "MB", UnitCaption(dlg, 104));
            for (filters::SizeUnit unit : {dlg.MinimumUnit(), dlg.MaximumUnit()})
                EXPECT_NE(0, filters::ChoiceOfUnit(unit)) << filters::UnitId(unit);
            ClickClientItem(dlg, 2);
        });
    }

    Settings().minimumSize = 1536;
    Settings().maximumSize = 0;
    RunFromPage<FilterFileSizeDlg>(103, [](FilterFileSizeDlg& dlg) {
        EXPECT_FALSE(dlg.IsNoLimitChecked());
        EXPECT_EQ("1", Text(dlg.MinimumEdit()));
        EXPECT_EQ("KB", UnitCaption(dlg, 103));
        ClickClientItem(dlg, 2);
    });
    EXPECT_EQ(1536, Settings().minimumSize);

    Settings().maximumSize = 3LL << 40;
    RunFromPage<FilterFileSizeDlg>(103, [](FilterFileSizeDlg& dlg) {
        EXPECT_EQ("3", Text(dlg.MaximumEdit()));
        EXPECT_EQ("TB", UnitCaption(dlg, 104));
        dlg.EndDialog(2);
    });
}

// OK without a change keeps both bounds exactly, and the title is the language's own.
TEST_F(PageHost, SizeDialogOkWithoutAChangeKeepsTheBounds)
{
    const int64_t bounds[][2] = {{1500LL << 10, 2047LL << 20}, {3LL << 10, 5LL << 30}};
    for (const auto& pair : bounds) {
        Settings().minimumSize = pair[0];
        Settings().maximumSize = pair[1];
        std::string title;
        RunFromPage<FilterFileSizeDlg>(103, [&title](FilterFileSizeDlg& dlg) {
            char text[128] = "";
            GetWindowTextA(dlg.m_hWnd, text, sizeof text);
            title = text;
            ClickClientItem(dlg, 102);
        });
        EXPECT_EQ(GetLangString("SetFileSize"), title);
        EXPECT_EQ(pair[0], Settings().minimumSize);
        EXPECT_EQ(pair[1], Settings().maximumSize);
    }
}

TEST_F(PageHost, SizeDialogStoresTheRangeInOrderOnOk)
{
    RunFromPage<FilterFileSizeDlg>(103, [](FilterFileSizeDlg& dlg) {
        EXPECT_TRUE(dlg.IsNoLimitChecked());
        ClickClientItem(dlg, 101);
        SetEdit(dlg.MinimumEdit(), "20");
        SetEdit(dlg.MaximumEdit(), "10");
        // The unit item opens its list beside it; the list's choice comes back tagged.
        ClickClientItem(dlg, 103);
        Then([&dlg] {
            EXPECT_TRUE(IsWindowVisible(dlg.MinimumList().GetHwnd()));
            PostMessageA(dlg.m_hWnd, WM_COMMAND, 0x2400, 1101);
            PostMessageA(dlg.m_hWnd, WM_COMMAND, 0x2400, 2101);
            Then([&dlg] {
                EXPECT_FALSE(dlg.IsNoLimitChecked());
                EXPECT_EQ("MB", UnitCaption(dlg, 103));
                EXPECT_EQ(filters::kUnitMB, dlg.MaximumUnit());
                ClickClientItem(dlg, 102);
            });
        });
    });
    EXPECT_EQ(10485760, Settings().minimumSize);
    EXPECT_EQ(20971520, Settings().maximumSize);

    // Typing a bound under "any size" chooses the range.
    RunFromPage<FilterFileSizeDlg>(103, [](FilterFileSizeDlg& dlg) {
        ClickClientItem(dlg, 100);
        Then([&dlg] {
            EXPECT_TRUE(dlg.IsNoLimitChecked());
            SetEdit(dlg.MaximumEdit(), "30");
            EXPECT_FALSE(dlg.IsNoLimitChecked());
            ClickClientItem(dlg, 102);
        });
    });
    EXPECT_EQ(10485760, Settings().minimumSize);
    EXPECT_EQ(31457280, Settings().maximumSize);

    // Cancel keeps them; "no limit" with OK clears them.
    RunFromPage<FilterFileSizeDlg>(103, [](FilterFileSizeDlg& dlg) {
        SetEdit(dlg.MinimumEdit(), "1");
        ClickClientItem(dlg, 2);
    });
    EXPECT_EQ(10485760, Settings().minimumSize);
    RunFromPage<FilterFileSizeDlg>(103, [](FilterFileSizeDlg& dlg) {
        ClickClientItem(dlg, 100);
        Then([&dlg] { ClickClientItem(dlg, 102); });
    });
    EXPECT_EQ(0, Settings().minimumSize);
    EXPECT_EQ(0, Settings().maximumSize);

    // A minimum alone stays a minimum.
    RunFromPage<FilterFileSizeDlg>(103, [](FilterFileSizeDlg& dlg) {
        ClickClientItem(dlg, 101);
        SetEdit(dlg.MinimumEdit(), "5");
        SetEdit(dlg.MaximumEdit(), "");
        PostMessageA(dlg.m_hWnd, WM_COMMAND, 0x2400, 1100);
        Then([&dlg] { ClickClientItem(dlg, 102); });
    });
    EXPECT_EQ(5120, Settings().minimumSize);
    EXPECT_EQ(0, Settings().maximumSize);
}

// A translated unit caption still means its unit.
TEST_F(PageHost, SizeDialogUnitsDoNotDependOnTheirCaptions)
{
    const std::wstring previous = ResourceHelper::Instance().GetLanguagePath();
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"filter-units-lang.dat";
    DeleteFileW(path.c_str());
    WritePrivateProfileStringW(L"string", L"MB", L"Mo", path.c_str());
    WritePrivateProfileStringW(L"string", L"KB", L"Ko", path.c_str());
    ResourceHelper::Instance().SetLanguagePath(path);
    RunFromPage<FilterFileSizeDlg>(103, [](FilterFileSizeDlg& dlg) {
        ClickClientItem(dlg, 101);
        SetEdit(dlg.MinimumEdit(), "2");
        SetEdit(dlg.MaximumEdit(), "3");
        PostMessageA(dlg.m_hWnd, WM_COMMAND, 0x2400, 1100);
        PostMessageA(dlg.m_hWnd, WM_COMMAND, 0x2400, 2101);
        Then([&dlg] {
            EXPECT_EQ("Ko", UnitCaption(dlg, 103));
            EXPECT_EQ("Mo", UnitCaption(dlg, 104));
            ClickClientItem(dlg, 102);
        });
    });
    ResourceHelper::Instance().SetLanguagePath(previous);
    DeleteFileW(path.c_str());
    EXPECT_EQ(2048, Settings().minimumSize);
    EXPECT_EQ(3145728, Settings().maximumSize);
}

TEST_F(PageHost, PrecisionDialogStoresZeroToHundredOnOk)
{
    struct Case { const char* typed; int stored; } cases[] = {
        {"85", 85}, {"", 100}, {"0", 0}, {"100", 100},
    };
    for (const Case& c : cases) {
        g_similarityPercent = 100;
        RunFromPage<FileSimilarFilterDlg>(107, [&c](FileSimilarFilterDlg& dlg) {
            EXPECT_EQ("100", Text(dlg.EditWindow()));
            SetEdit(dlg.EditWindow(), c.typed);
            ClickClientItem(dlg, 100);
        });
        EXPECT_EQ(c.stored, g_similarityPercent.load()) << c.typed;
    }
    g_similarityPercent = 100;
    RunFromPage<FileSimilarFilterDlg>(107, [](FileSimilarFilterDlg& dlg) {
        SetEdit(dlg.EditWindow(), "50");
        ClickClientItem(dlg, 2);
    });
    EXPECT_EQ(100, g_similarityPercent.load());
}

// "900" is no precision the finder takes: OK says so and gives the range, the dialog stays
// open with the field as typed, and nothing is stored.
TEST_F(PageHost, PrecisionDialogRefusesANumberOutOfRangeWithAWord)
{
    g_similarityPercent = 85;
    std::string told;
    bool stillOpen = false;
    std::string field;
    RunFromPage<FileSimilarFilterDlg>(107, [&](FileSimilarFilterDlg& dlg) {
        SetEdit(dlg.EditWindow(), "900");
        ClickClientItem(dlg, 100);
        RunLater(400, [&] {
            if (KVRMessageBox* box = FindOpenDialog<KVRMessageBox>()) {
                told = box->Text();
                box->EndDialog(1);
            }
            RunLater(200, [&] {
                FileSimilarFilterDlg* open = FindOpenDialog<FileSimilarFilterDlg>();
                stillOpen = open != nullptr;
                if (open) {
                    field = Text(open->EditWindow());
                    ClickClientItem(*open, 2);
                }
            });
        });
    });
    EXPECT_EQ(FormatLangString("PrecisionOutOfRange", 0, 100), told);
    EXPECT_NE(std::string::npos, told.find("0 to 100")) << told;
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ("900", field);
    EXPECT_EQ(85, g_similarityPercent.load());
}

namespace {

// Runs the list editor for category with the typed text (null: leave it) and OK.
std::string EditList(const char* category, const char* typed)
{
    EditFileTypeItemDlg dlg(nullptr);
    dlg.SetCategory(category);
    RunLater(300, [&] {
        if (typed)
            SetWindowTextA(dlg.EditWindow(), typed);
        ClickClientItem(dlg, 100);
    });
    RunLater(kDeadline, [&] { dlg.EndDialog(-99); });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    CancelPending();
    return GetUserLangString("MusicDescUser");
}

class UserLists : public ::testing::Test {
protected:
    void SetUp() override { WriteDefaultLangString("MusicDescUser", ""); }
    void TearDown() override { WriteDefaultLangString("MusicDescUser", ""); }
};

} // namespace

TEST_F(UserLists, EditorWritesANormalisedChangedList)
{
    // Unchanged or empty: nothing is written.
    EXPECT_EQ("", EditList("Music", nullptr));
    EXPECT_EQ("", EditList("Music", ""));
    // A list with nothing matchable is not stored over the working one.
    EXPECT_EQ("", EditList("Music", "*"));
    EXPECT_EQ(".mp3;.flac;", EditList("Music", "MP3, *.Flac"));
    // The user list is what the editor starts from next time.
    EditFileTypeItemDlg dlg(nullptr);
    dlg.SetCategory("Music");
    RunLater(300, [&] {
        EXPECT_EQ(".mp3;.flac;", dlg.CurrentList());
        EXPECT_EQ("", dlg.SampleText());
        dlg.EndDialog(2);
    });
    dlg.DoModal();
}

TEST_F(UserLists, FullKindsDialogEditsSelectsRestoresAndEndsWithOk)
{
    FilterSettings settings;
    FilterFileTypeDlg dlg(nullptr);
    dlg.SetFilterSettings(&settings);
    RunLater(300, [&] {
        EXPECT_EQ(100, dlg.SelectedKind());
        // A click beside the Music row's check picture selects it; 106 edits its list.
        PostMessageA(dlg.m_hWnd, WM_COMMAND, 103, 0);
        PostMessageA(dlg.m_hWnd, WM_COMMAND, 106, 0);
        RunLater(400, [&] {
            EditFileTypeItemDlg* editor = FindOpenDialog<EditFileTypeItemDlg>();
            ASSERT_TRUE(editor);
            SetWindowTextA(editor->EditWindow(), ".mid;.midi;.kar;.rmi;");
            ClickClientItem(*editor, 100);
            RunLater(300, [&] {
                EXPECT_EQ(103, dlg.SelectedKind());
                EXPECT_TRUE(dlg.KindRow(103)->IsSelected());
                EXPECT_EQ(".mid;.midi;.kar;.rmi;", dlg.KindRow(103)->GetUserText());
                dlg.KindRow(101)->SetChecked(false);
                ClickClientItem(dlg, 108);
            });
        });
    });
    RunLater(kDeadline, [&] { dlg.EndDialog(-99); });
    EXPECT_EQ(IDOK, dlg.DoModal());
    CancelPending();
    EXPECT_EQ(".mid;.midi;.kar;.rmi;", settings.typeList4);
    EXPECT_EQ("", settings.typeList2);
    EXPECT_EQ(GetLangString("PhotoDesc"), settings.typeList1);
    EXPECT_EQ(0, settings.allTypes);

    // Restoring empties the user's lists.
    FilterFileTypeDlg again(nullptr);
    RunLater(300, [&] {
        PostMessageA(again.m_hWnd, WM_COMMAND, 107, 0);
        RunLater(200, [&] {
            EXPECT_EQ("", again.KindRow(103)->GetUserText());
            ClickClientItem(again, 2);
        });
    });
    RunLater(kDeadline, [&] { again.EndDialog(-99); });
    EXPECT_EQ(IDCANCEL, again.DoModal());
    EXPECT_EQ("", GetUserLangString("MusicDescUser"));
}

TEST_F(UserLists, KindsDialogTakesTheUsersOwnList)
{
    WriteDefaultLangString("MusicDescUser", ".mid;.kar;");
    FilterSettings settings;
    FileNewTypeFilterWnd dlg(nullptr);
    dlg.SetFilterSettings(&settings);
    RunLater(300, [&] { ClickClientItem(dlg, 105); });
    RunLater(kDeadline, [&] { dlg.EndDialog(-99); });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(".mid;.kar;", settings.typeList4);
    EXPECT_EQ(GetLangString("VideoDesc"), settings.typeList3);
    EXPECT_EQ(1, settings.allTypes);
}
