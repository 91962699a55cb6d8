// ui/startpage/StartPageNotices.cpp
#include "ui/startpage/StartPageNotices.h"

#include <string>

#include "app/LangString.h"
#include "app/SafeFormat.h"
#include "ui/dialogs/CommonTipDlg.h"
#include "ui/dialogs/NotFindFileDlg.h"
#include "uikit/dialog/KvrMessageBox.h"

void ShowNotFoundNoticeDialog()
{
    NotFindFileDlg notice(nullptr);
    notice.DoModal();
}

const char* ScanProblemKey(ScanProblem problem)
{
    switch (problem) {
    case kScanProblemWorkerNotStarted: return "ScanNotStarted";
    case kScanProblemLocationUnreadable: return "ScanUnreadable";
    case kScanProblemAbandoned: return "ScanAbandoned";
    default: return nullptr;
    }
}

void ShowScanProblemDialog(HWND owner, ScanProblem problem)
{
    const char* key = ScanProblemKey(problem);
    if (!key)
        return;
    const std::string text = GetLangString(key);
    ShowKvrMessageBox(owner ? GetAncestor(owner, GA_ROOT) : nullptr, text.c_str(), nullptr, MB_OK);
}

std::string IncompleteScanText(uint32_t folders, uint32_t files)
{
    // A count of nothing is left out: "0 folders could not be opened" tells nothing.
    std::string text = GetLangString("ScanIncomplete");
    if (folders)
        text += " " + FormatLangCount("ScanUnlistedNote", folders, folders);
    if (files)
        text += " " + FormatLangCount("ScanUnreadFilesNote", files, files);
    return text;
}

void ShowIncompleteScanDialog(HWND owner, uint32_t folders, uint32_t files)
{
    const std::string text = IncompleteScanText(folders, files);
    ShowKvrMessageBox(owner ? GetAncestor(owner, GA_ROOT) : nullptr, text.c_str(), nullptr, MB_OK);
}

void WaitForScanWorker(HWND owner, const std::atomic<int>& settled)
{
    if (settled)
        return;  // no worker: nothing to wait for
    const std::string text = GetLangString("Existing");
    CommonTipDlg tip(owner ? CWnd::FromHandle(owner) : nullptr, text.c_str(), &settled);
    tip.DoModal();
}
