// ui/results/ScanResultPageDrop.cpp
// A folder dropped on the results page: a new scan of it, as on the start page.
#include "ui/results/ScanResultPageWnd.h"

#include "app/LangString.h"
#include "ui/main/ResultsPageLink.h"
#include "ui/startpage/DroppedFolder.h"
#include "uikit/dialog/KvrMessageBox.h"

namespace UiCtrl {

void ScanResultPageWnd::OnDropFiles(HDROP drop)
{
    const DroppedFolder dropped = TakeDroppedFolder(drop, m_removalPending || m_refreshing);
    if (dropped.verdict == kDropAccepted) {
        // As Back does, then the parent starts the scan of the folder.
        ShowCategory(0);
        ClearAll();
        if (HWND parent = GetParent(hwnd_))
            SendMessageA(parent, kResultsScanFolderMessage, reinterpret_cast<WPARAM>(hwnd_),
                         reinterpret_cast<LPARAM>(dropped.path.c_str()));
        return;
    }
    if (const char* key = DropRefusalKey(dropped.verdict))
        ShowKvrMessageBox(GetAncestor(hwnd_, GA_ROOT), GetLangString(key).c_str(), nullptr, MB_OK | MB_ICONINFORMATION);
}

}  // namespace UiCtrl
