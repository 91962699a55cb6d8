// tests/ui/dialogs/NoticeDialogTest.cpp
// The not-found and removal notices: their button ends them with 2, Esc and Enter do not,
// and "recycle bin" is highlighted only in a text that says it.
#include <gtest/gtest.h>

#include <string>

#include "app/AppFolder.h"
#include "app/Language.h"
#include "app/ResourceHelper.h"
#include "app/TextConvert.h"
#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/dialogs/NotFindFileDlg.h"
#include "ui/dialogs/RemoveFileFinishDlg.h"

using namespace dialogtest;

namespace {

template <class Dialog>
void ExpectButtonEndsItAndKeysDoNot(Dialog& dlg)
{
    bool openAfterKeys = false;
    RunLater(150, [&] {
        PostKey(dlg.m_hWnd, VK_ESCAPE);
        PostKey(dlg.m_hWnd, VK_RETURN);
    });
    RunLater(400, [&] {
        openAfterKeys = dlg.m_hWnd && IsWindowVisible(dlg.m_hWnd);
        ClickClientItem(dlg, 100);
    });
    RunLater(4000, [&] { dlg.EndDialog(-99); });
    EXPECT_EQ(dlg.DoModal(), 2);
    EXPECT_TRUE(openAfterKeys);
    CancelPending();
}

// A language file of the test's own for as long as the object lives.
class OwnLanguage
{
public:
    OwnLanguage(const char* removedText, const char* phrase)
        : previous_(ResourceHelper::Instance().GetLanguagePath())
    {
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        path_ = std::wstring(folder) + L"notice-test-lang.dat";
        DeleteFileW(path_.c_str());
        WritePrivateProfileStringW(L"string", L"movedtoRec",
                                   ToWideCString(removedText).c_str(), path_.c_str());
        WritePrivateProfileStringW(L"string", L"RecycleBinPhrase", ToWideCString(phrase).c_str(), path_.c_str());
        ResourceHelper::Instance().SetLanguagePath(path_);
    }
    ~OwnLanguage()
    {
        ResourceHelper::Instance().SetLanguagePath(previous_);
        DeleteFileW(path_.c_str());
    }

private:
    std::wstring previous_, path_;
};

// The highlight as the notice draws it in the current language.
RECT HighlightShownNow()
{
    RemoveFileFinishDlg dlg(nullptr);
    RECT seen = {-1, -1, -1, -1};
    RunLater(250, [&] {
        dlg.UpdateWindow();
        seen = dlg.HighlightRect();
        dlg.EndDialog(2);
    });
    RunLater(4000, [&] { dlg.EndDialog(-99); });
    EXPECT_EQ(dlg.DoModal(), 2);
    CancelPending();
    return seen;
}

RECT HighlightShown(const char* removedText, const char* phrase = "recycle bin")
{
    OwnLanguage language(removedText, phrase);
    return HighlightShownNow();
}

} // namespace

TEST(NoticeDialogs, TheirButtonEndsThemWithTwo)
{
    NotFindFileDlg notFound(nullptr);
    ExpectButtonEndsItAndKeysDoNot(notFound);
    RemoveFileFinishDlg removed(nullptr);
    ExpectButtonEndsItAndKeysDoNot(removed);

    // The caption's close item ends them too.
    NotFindFileDlg closed(nullptr);
    RunLater(200, [&] { ClickCaptionItem(closed, 148); });
    RunLater(4000, [&] { closed.EndDialog(-99); });
    EXPECT_EQ(closed.DoModal(), 2);
}

TEST(NoticeDialogs, TheBinsNameIsHighlightedInTheLanguagesOwnWords)
{
    const RECT english = HighlightShown("The removed files are in the recycle bin.");
    EXPECT_FALSE(IsRectEmpty(&english));
    const RECT german = HighlightShown("Die entfernten Dateien liegen im Papierkorb.", "Papierkorb");
    EXPECT_FALSE(IsRectEmpty(&german));
    // Words the text does not have highlight nothing.
    const RECT foreign = HighlightShown("Die entfernten Dateien liegen im Papierkorb.", "recycle bin");
    EXPECT_TRUE(IsRectEmpty(&foreign));
    // A language file that leaves the words empty takes English's, like any other text.
    const RECT none = HighlightShown("The removed files are in the recycle bin.", "");
    EXPECT_TRUE(EqualRect(&none, &english));
    // The same words elsewhere in the sentence are found there.
    const RECT early = HighlightShown("Recycle bin: the removed files are there now.");
    EXPECT_FALSE(IsRectEmpty(&early));
    EXPECT_LT(early.left, english.left);
}

TEST(NoticeDialogs, EveryShippedLanguageHighlightsItsBin)
{
    // Japanese needs its code page: ui_dialog_gallery_japanese shows it.
    const int languages[] = {0, 2, 3, 4, 5};
    int shown = 0;
    for (int index : languages) {
        const char* file = LanguageFileOf(index);
        if (GetFileAttributesA((std::string(GetAppFolder()) + file).c_str()) == INVALID_FILE_ATTRIBUTES)
            continue;
        ASSERT_GT(ResourceHelper::Instance().SetLanguage(index, file), 0);
        const RECT seen = HighlightShownNow();
        EXPECT_FALSE(IsRectEmpty(&seen)) << file;
        ++shown;
    }
    ResourceHelper::Instance().SetLanguage(0, LanguageFileOf(0));
    EXPECT_EQ(5, shown);
}
