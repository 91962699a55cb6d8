// ui/results/ScanResultPageSkipped.cpp
// The page's list of what the scan skipped, opened from its note line.
#include "ui/results/ScanResultPageWnd.h"

#include "ui/dialogs/SkippedPathsDlg.h"

namespace UiCtrl {

void ScanResultPageWnd::ShowSkippedPaths()
{
    SkippedPathsDlg dialog(CWnd::FromHandle(GetAncestor(hwnd_, GA_ROOT)), m_outcome);
    dialog.DoModal();
}

}  // namespace UiCtrl
