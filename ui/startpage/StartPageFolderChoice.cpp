// ui/startpage/StartPageFolderChoice.cpp
#include "ui/startpage/StartPageFolderChoice.h"

#include "finder/ScanSession.h"
#include "ui/chooser/SelExportPathDlg.h"

bool ChooseScanFolder(HWND parent, std::string& folder)
{
    SelExportPathDlg chooser(parent ? CWnd::FromHandle(parent) : nullptr);
    if (chooser.DoModal() != IDOK)
        return false;
    // The chooser ends with OK only once the session has taken the folder.
    folder = ScanSession::Instance().GetExportPath();
    return true;
}
