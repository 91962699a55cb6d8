// ui/results/RemovalFlow.cpp
// The results page's road from Remove to the refreshed rows: the questions that come before
// anything is removed, the removal under the "Cleaning" tip, the outcome, and the refresh.
#include <atomic>

#include "app/LangString.h"
#include "app/SafeFormat.h"
#include "ui/dialogs/CleaningTipDlg.h"
#include "ui/dialogs/CommonTipDlg.h"
#include "ui/dialogs/RemoveFileFinishDlg.h"
#include "ui/results/CurrentFile.h"
#include "ui/results/RecycleRemoval.h"
#include "ui/results/ScanResultPageWnd.h"
#include "uikit/dialog/KvrMessageBox.h"

namespace UiCtrl {

namespace {

const COLORREF kMessageColour = 0xDBBAAF;
const size_t kNamedRefusals = 8;

struct CleanJob
{
    RecycleRemoval* removal = nullptr;
    bool binRefusedForEver = false;  // the second pass: what the bin would not take, for ever
    RemovalProgress progress;
    RemovalReport report;
    std::atomic<int> finished{0};
};

DWORD WINAPI CleanThreadProc(void* data)
{
    CleanJob* job = static_cast<CleanJob*>(data);
    job->report = job->binRefusedForEver ? job->removal->DeleteBinRefusedForEver(&job->progress)
                                         : job->removal->Run(&job->progress);
    job->finished = 1;
    return 0;
}

struct RefreshJob
{
    ResultModel* model = nullptr;
    PruneOutcome outcome;
    std::atomic<int> done{0};
};

// Drops what the removal took and every row whose file is gone or changed since the scan.
DWORD WINAPI RefreshThreadProc(void* data)
{
    RefreshJob* job = static_cast<RefreshJob*>(data);
    job->outcome = job->model->PruneRemoved(StillTheScannedFile);
    job->done = 1;
    return 0;
}

// What went to the recycle bin, what went for ever, then one line per reason a file did not
// go. Empty when every file went to the bin: the recycle-bin notice alone tells that.
std::string OutcomeText(const RemovalReport& report)
{
    if (report.deletedForEver == 0 && report.goneNotInBin == 0 && report.failures.empty())
        return std::string();
    std::string text;
    auto add = [&text](const std::string& line) {
        if (!text.empty())
            text += "\n";
        text += line;
    };
    if (report.removed > 0)
        add(FormatLangCount("RemoveMovedToBin", report.removed, report.removed));
    if (report.deletedForEver > 0)
        add(FormatLangCount("RemoveDeletedForEver", report.deletedForEver, report.deletedForEver));
    if (report.goneNotInBin > 0)
        add(FormatLangCount("RemoveGoneNotInBin", report.goneNotInBin, report.goneNotInBin));
    if (int n = report.Count(kRemovalBinCannotTake))
        add(FormatLangCount("RemoveBinCannotTakeKept", n, n));
    if (int n = report.Count(kRemovalNoKeptCopy))
        add(FormatLangCount("RemoveNoKeptCopy", n, n));
    if (int n = report.Count(kRemovalChanged))
        add(FormatLangCount("RemoveChanged", n, n));
    if (int n = report.Count(kRemovalRefused) + report.Count(kRemovalStillThere))
        add(FormatLangCount("RemoveFailed", n, n));
    if (int n = report.Count(kRemovalNoRecycleBin))
        add(FormatLangCount("RemoveNoRecycleBinKept", n, n));
    if (int n = report.Count(kRemovalStopped))
        add(FormatLangCount("RemoveStopped", n, n));
    return text;
}

}  // namespace

void ScanResultPageWnd::ShowNothingChecked()
{
    ShowKvrMessageBox(hwnd_, GetLangString("NoSelectedFiles").c_str(), "", 0, kMessageColour);
}

void ScanResultPageWnd::ShowRemovalOutcome(const RemovalReport& report)
{
    // Told once: the recycle-bin notice when every file went there, else one message that
    // says what went where and why anything stayed.
    const std::string text = OutcomeText(report);
    if (!text.empty()) {
        ShowKvrMessageBox(GetAncestor(hwnd_, GA_ROOT), text.c_str(), "", 0, kMessageColour);
    } else if (report.removed > 0) {
        const std::string moved = FormatLangCount("movedtoRecCount", report.removed, report.removed);
        RemoveFileFinishDlg notice(CWnd::FromHandle(GetAncestor(hwnd_, GA_ROOT)), moved);
        notice.DoModal();
    }
}

bool ScanResultPageWnd::AskBeforeRemoval(const std::string& text)
{
    return ShowKvrMessageBox(GetAncestor(hwnd_, GA_ROOT), text.c_str(), "", MB_YESNO, kMessageColour) == 1;
}

void ScanResultPageWnd::OnRemoveChecked()
{
    // A second click queued behind the first would run inside its busy tip.
    if (m_removalPending)
        return;
    if (m_trees[m_visible].CheckedCount() == 0) {
        ShowNothingChecked();
        return;
    }
    m_removalPending = true;
    PostMessageA(hwnd_, kMsgStartRemoval, 0, 0);
}

void ScanResultPageWnd::StartRemoval()
{
    if (m_removing)
        return;
    m_removing = true;
    HWND mainWindow = GetAncestor(hwnd_, GA_ROOT);
    RecycleRemoval removal(m_model.PlanRemoval(m_visible), *m_shell, mainWindow);

    // Nothing is removed before both answers: No to the first keeps every file checked.
    if (const int whole = removal.GroupsLosingEveryFile()) {
        const std::string question = FormatLangCount("RemoveWholeGroups", whole, whole);
        if (!AskBeforeRemoval(question)) {
            m_removing = false;
            m_removalPending = false;
            return;
        }
        removal.LetGroupsLoseEveryFile();
    }
    if (const int noBin = removal.FindFilesWithoutRecycleBin()) {
        const std::string question = FormatLangCount("NoRecycleBinAsk", noBin, noBin);
        removal.DeleteWithoutRecycleBin(AskBeforeRemoval(question));
    }

    m_trees[m_visible].EnableWindow(FALSE);
    RemovalReport report = RunUnderCleaningTip(removal, false);
    // Files the bin turned away were kept: they go for ever only at the user's word, who is
    // not asked after a Stop.
    const std::vector<std::string> refused =
        report.Count(kRemovalStopped) ? std::vector<std::string>() : removal.BinRefusedPaths();
    if (!refused.empty()) {
        const int count = (int)refused.size();
        std::string question = FormatLangCount("BinCannotTakeAsk", count, count);
        // Named, the first few of them: the user says yes to these files, not to a number.
        question += "\n";
        for (size_t i = 0; i < refused.size() && i < kNamedRefusals; ++i)
            question += "\n" + refused[i];
        if (refused.size() > kNamedRefusals)
            question += "\n...";
        if (AskBeforeRemoval(question))
            report.Replace(kRemovalBinCannotTake, RunUnderCleaningTip(removal, true));
    }
    m_lastRemoval = report;
    ClearCurrentFile();
    m_trees[m_visible].EnableWindow(TRUE);
    PostMessageA(hwnd_, kMsgRemovalFinished, 0, 0);
}

RemovalReport ScanResultPageWnd::RunUnderCleaningTip(RecycleRemoval& removal, bool binRefusedForEver)
{
    HWND mainWindow = GetAncestor(hwnd_, GA_ROOT);
    CleanJob job;
    job.removal = &removal;
    job.binRefusedForEver = binRefusedForEver;
    const int files = binRefusedForEver ? removal.BinRefusedCount() : removal.FileCount();
    HANDLE worker = CreateThread(nullptr, 0, CleanThreadProc, &job, 0, nullptr);
    if (worker) {
        CleaningTipDlg tip(CWnd::FromHandle(mainWindow), &job.progress.done, files, &job.progress.stop, &job.finished);
        tip.DoModal();
        // The job lives on this stack: never leave while the worker may still use it.
        WaitForSingleObject(worker, INFINITE);
        CloseHandle(worker);
    } else {
        // Nothing was tried: stopped before the first file.
        job.progress.stop = 1;
        CleanThreadProc(&job);
    }
    return job.report;
}

void ScanResultPageWnd::OnRemovalFinished()
{
    if (!m_removing)
        return;
    ShowRemovalOutcome(m_lastRemoval);
    RefreshJob job;
    job.model = &m_model;
    EnableWindow(hwnd_, FALSE);
    // The worker rearranges the groups that rows and painting read: no row may point at them
    // and the page paints none of them until it is done.
    for (FileTreeCtrl& tree : m_trees)
        tree.DeleteAllRows();
    m_refreshing = true;
    HANDLE worker = CreateThread(nullptr, 0, RefreshThreadProc, &job, 0, nullptr);
    if (worker) {
        CommonTipDlg tip(&m_host, GetLangString("Refreshing").c_str(), &job.done);
        tip.DoModal();
        WaitForSingleObject(worker, INFINITE);
        CloseHandle(worker);
    } else {
        RefreshThreadProc(&job);
    }
    m_lastRefresh = job.outcome;
    m_refreshing = false;
    EnableWindow(hwnd_, TRUE);
    // Each tree tells the page what left its category: the captions follow from there.
    for (FileTreeCtrl& tree : m_trees)
        tree.ReportPrune(m_lastRefresh);
    // The rows point into the groups the prune changed: they are rebuilt from the model.
    RebuildTrees();
    ShowWidget(kCmdOpen, false);
    ShowCategory(m_visible);
    // Files left checked (those that could not go) can still be unchecked at once.
    ShowSelectButton(m_trees[m_visible].CheckedCount() > 0);
    if (!m_trees[m_visible].IsEmpty())
        m_trees[m_visible].SetFocus();
    m_removing = false;
    m_removalPending = false;
}

}  // namespace UiCtrl
