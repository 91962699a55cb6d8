// tests/ui/main/MainTestDialog.h
// The main dialog with its modal answers given by the test: the exit question, the popup
// menu's choice, and a count of the wait dialogs it ran (which still run for real).
#pragma once
#include <string>

#include "ui/main/KvrUiDlg.h"
#include "PendingResultsPage.h"

class MainTestDialog : public CKVRUIDlg {
public:
    MainTestDialog()
        : CKVRUIDlg(nullptr, std::unique_ptr<UiCtrl::SelFileTypeWnd>(new UiCtrl::SelFileTypeWnd),
                    std::unique_ptr<IResultsPage>(new PendingResultsPage))
    {
    }

    PendingResultsPage& Pending() { return static_cast<PendingResultsPage&>(ResultsPage()); }

    int exitAnswer = 2;        // the exit question's answer (2: no)
    int exitAsked = 0;
    int menuChoice = 0;        // the popup menu's answer (0: dismissed)
    int menusShown = 0;
    int waitDialogs = 0;
    bool resultsReadyBeforeWait = false;
    bool realExitQuestion = false;  // ask in the program's own box

protected:
    int AskExit() override
    {
        ++exitAsked;
        return realExitQuestion ? CKVRUIDlg::AskExit() : exitAnswer;
    }
    int RunMenu(HMENU menu, POINT) override
    {
        ++menusShown;
        lastMenuCount = GetMenuItemCount(menu);
        // The Japanese entry as the user would meet it in the language submenu.
        japaneseState = GetMenuState(menu, kFirstLanguageId + 1, MF_BYCOMMAND);
        for (int i = 0; i < 6; ++i)
            languageStates[i] = GetMenuState(menu, kFirstLanguageId + i, MF_BYCOMMAND);
        wchar_t text[256] = {};
        GetMenuStringW(menu, kFirstLanguageId + 1, text, 256, MF_BYCOMMAND);
        japaneseText = text;
        return menuChoice;
    }
    void RunWaitDialog() override
    {
        ++waitDialogs;
        CKVRUIDlg::RunWaitDialog();
    }

public:
    int lastMenuCount = 0;
    UINT japaneseState = ~0u;
    UINT languageStates[6] = {~0u, ~0u, ~0u, ~0u, ~0u, ~0u};   // English ... Portuguese
    std::wstring japaneseText;
};
