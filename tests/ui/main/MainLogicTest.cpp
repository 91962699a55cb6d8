// tests/ui/main/MainLogicTest.cpp
// The main dialog's parts that need no window: the popup menu read from its layout, the
// taskbar progress against a recording taskbar object, the single-instance mutex and the
// version block of the shipped program.
#include <gtest/gtest.h>

#include <windows.h>
#include <shobjidl.h>
#include <tinyxml.h>

#include <string>
#include <vector>

#include "app/AppFolder.h"
#include "program/SingleInstance.h"
#include "ui/about/ProductVersion.h"
#include "ui/main/MenuPlan.h"
#include "ui/main/TaskbarProgress.h"

namespace {

const char kMenuXml[] =
    "<MenuItem>"
    "  <About Id='1' caption='MenuAbout' iconId='612'/>"
    "  <NoId caption='MenuNothing'/>"
    "  <NoCaption Id='5'/>"
    "  <Help Id='2' caption='MenuHelp'/>"
    "  <Language>"
    "    <English Id='100' caption='LangEnglish' file='English.dat'/>"
    "    <Broken Id='101' caption='LangBroken'/>"
    "    <NotALanguage Id='8' caption='LangSneaky' file='Sneaky.dat'/>"
    "    <Deutsch Id='102' caption='LangDeutsch' file='Deutsch.dat'/>"
    "  </Language>"
    "  <Update Id='8' caption='MenuUpdate'/>"
    "</MenuItem>";

MenuTexts Texts()
{
    MenuTexts texts;
    texts.text = [](const char* key) { return std::string("t:") + key; };
    texts.wide = [](const char* key) {
        std::wstring wide = L"w:";
        for (const char* p = key; *p; ++p)
            wide += static_cast<wchar_t>(*p);
        return wide;
    };
    return texts;
}

MenuPlan Plan(bool canSwitch, int current)
{
    static TiXmlDocument document;
    document.Clear();
    document.Parse(kMenuXml);
    return BuildMenuPlan(document.RootElement(), canSwitch, current, Texts());
}

std::vector<int> Ids(const MenuPlan& plan)
{
    std::vector<int> ids;
    for (const MenuPlanEntry& entry : plan.entries)
        ids.push_back(entry.isLanguageMenu ? -1 : entry.id);
    return ids;
}

} // namespace

TEST(MenuPlan, EntriesInOrderWithoutLanguagesUnlessAllowed)
{
    const MenuPlan closed = Plan(false, 0);
    EXPECT_EQ((std::vector<int>{1, 2, 8}), Ids(closed));
    EXPECT_TRUE(closed.languageFiles.empty());
    EXPECT_EQ("t:MenuAbout", closed.entries[0].text);
    EXPECT_EQ(612, closed.entries[0].iconId);

    const MenuPlan open = Plan(true, 0);
    EXPECT_EQ((std::vector<int>{1, 2, -1, 8}), Ids(open));
    EXPECT_EQ("t:Language", open.entries[2].text);
    EXPECT_TRUE(BuildMenuPlan(nullptr, true, 0, Texts()).entries.empty());
}

TEST(MenuPlan, LanguageEntriesNeedAFileAndALanguageId)
{
    const MenuPlan plan = Plan(true, 2);
    const MenuPlanEntry& languages = plan.entries[2];
    ASSERT_EQ(2u, languages.languages.size());
    EXPECT_EQ(100, languages.languages[0].id);
    EXPECT_EQ(L"w:LangEnglish", languages.languages[0].wideText);
    EXPECT_EQ(102, languages.languages[1].id);
    EXPECT_EQ((std::vector<std::string>{"English.dat", "Deutsch.dat"}), plan.languageFiles);
    // Language 2 is checked although it is the second entry: the id names the language.
    EXPECT_EQ(0u, languages.languages[0].flags);
    EXPECT_EQ(static_cast<unsigned>(MF_CHECKED | MF_GRAYED), languages.languages[1].flags);
}

// A language whose characters the code page cannot show is greyed with the reason and cannot
// be chosen; the current one stays checked whatever the test says.
TEST(MenuPlan, LanguagesTheSystemCannotShowAreGreyedWithTheReason)
{
    static TiXmlDocument document;
    document.Clear();
    document.Parse(kMenuXml);
    MenuTexts texts = Texts();
    // The entry is named in the current language, since its own name cannot show either.
    texts.wide = [](const char* key) {
        const std::string name = key;
        if (name == "LanguageNeedsCodePage")
            return std::wstring(L"%s (cannot show)");
        return std::wstring(name == "LangDeutschHere" ? L"German" : L"Deutsch");
    };
    texts.showable = [](const char* file) { return std::string(file) != "Deutsch.dat"; };
    const MenuPlan plan = BuildMenuPlan(document.RootElement(), true, 0, texts);
    const MenuPlanEntry& deutsch = plan.entries[2].languages[1];
    EXPECT_EQ(static_cast<unsigned>(MF_GRAYED), deutsch.flags);
    EXPECT_EQ(L"German (cannot show)", deutsch.wideText);
    EXPECT_EQ(-1, LanguageIndexOfMenuId(plan, 102));
    EXPECT_EQ(0, LanguageIndexOfMenuId(plan, 100));

    // The current language is never refused, even where the test would refuse it.
    const MenuPlan current = BuildMenuPlan(document.RootElement(), true, 2, texts);
    EXPECT_EQ(static_cast<unsigned>(MF_CHECKED | MF_GRAYED), current.entries[2].languages[1].flags);
    EXPECT_EQ(2, LanguageIndexOfMenuId(current, 102));
}

TEST(MenuPlan, MenuIdsMapToTheirLanguageAndFile)
{
    const MenuPlan plan = Plan(true, 0);
    struct Case {
        int id;
        int index;
        const char* file;
    } cases[] = {
        {100, 0, "English.dat"}, {102, 2, "Deutsch.dat"},
        {101, -1, nullptr},  // listed without a file
        {103, -1, nullptr},  // not in the menu
        {8, -1, nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.index, LanguageIndexOfMenuId(plan, c.id)) << c.id;
        const char* file = LanguageFileOfMenuId(plan, c.id);
        if (c.file)
            EXPECT_STREQ(c.file, file) << c.id;
        else
            EXPECT_EQ(nullptr, file) << c.id;
    }
}

namespace {

// Records what the progress display is told.
class RecordingTaskbar : public ITaskbarList3 {
public:
    struct Call {
        bool state;
        ULONGLONG a, b;
    };
    std::vector<Call> calls;
    LONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE HrInit() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE AddTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeleteTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ActivateTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveAlt(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE MarkFullscreenWindow(HWND, WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetProgressValue(HWND, ULONGLONG done, ULONGLONG total) override
    {
        calls.push_back({false, done, total});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetProgressState(HWND, TBPFLAG flags) override
    {
        calls.push_back({true, static_cast<ULONGLONG>(flags), 0});
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RegisterTab(HWND, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UnregisterTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetTabOrder(HWND, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetTabActive(HWND, HWND, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ThumbBarAddButtons(HWND, UINT, LPTHUMBBUTTON) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ThumbBarUpdateButtons(HWND, UINT, LPTHUMBBUTTON) override
    {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ThumbBarSetImageList(HWND, HIMAGELIST) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetOverlayIcon(HWND, HICON, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetThumbnailTooltip(HWND, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetThumbnailClip(HWND, RECT*) override { return S_OK; }
};

} // namespace

TEST(TaskbarProgress, ValuesAndSwitchingOff)
{
    RecordingTaskbar recorder;
    {
        TaskbarProgress progress;
        progress.Show(nullptr, 5, 100);  // no object yet: nothing, no crash
        progress.Attach(&recorder, nullptr);
        EXPECT_EQ(2, recorder.references);
        progress.Show(nullptr, 40, 100);
        progress.Show(nullptr, 0, 0);
        progress.Show(nullptr, 7, 0);      // no total: off, never a division by zero
        progress.Show(nullptr, 130, 100);  // past the end: full
    }
    EXPECT_EQ(1, recorder.references);  // the object is let go
    ASSERT_EQ(5u, recorder.calls.size());
    EXPECT_TRUE(recorder.calls[0].state);
    EXPECT_EQ(static_cast<ULONGLONG>(TBPF_NOPROGRESS), recorder.calls[0].a);
    EXPECT_FALSE(recorder.calls[1].state);
    EXPECT_EQ(40u, recorder.calls[1].a);
    EXPECT_EQ(100u, recorder.calls[1].b);
    EXPECT_TRUE(recorder.calls[2].state);
    EXPECT_TRUE(recorder.calls[3].state);
    EXPECT_EQ(100u, recorder.calls[4].a);
}

TEST(TaskbarProgress, CreatesTheShellObjectOnceComIsReady)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        TaskbarProgress progress;
        // Wine answers CLSID_TaskbarList; it reports Windows 7 or later.
        ASSERT_TRUE(TaskbarProgress::SystemHasProgress());
        EXPECT_FALSE(progress.HasObject());
        EXPECT_TRUE(progress.Create(nullptr));
        EXPECT_TRUE(progress.HasObject());
    }
    CoUninitialize();
}

TEST(SingleInstance, ASecondHolderOfTheNameIsRefused)
{
    const std::string name = "MainLogicTest_Mutex_" + std::to_string(GetCurrentProcessId());
    EXPECT_TRUE(TakeSingleInstanceMutex(name.c_str()));
    EXPECT_FALSE(TakeSingleInstanceMutex(name.c_str()));
    EXPECT_FALSE(ActivateRunningInstance("MainLogicTest_NoSuchClass"));
}

TEST(ProductVersion, TheProgramCarriesItsVersion)
{
    const std::string program = std::string(GetAppFolder()) + "DuplicateFiles.exe";
    std::string version, copyright;
    EXPECT_EQ(0, GetProductVersion(program.c_str(), version, copyright));
    EXPECT_EQ(PROGRAM_VERSION, version);
    EXPECT_FALSE(copyright.empty());
}
