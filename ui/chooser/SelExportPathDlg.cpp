// ui/chooser/SelExportPathDlg.cpp
#include "ui/chooser/SelExportPathDlg.h"

#include "app/LangString.h"
#include "finder/ScanSession.h"
#include "uikit/dialog/KvrMessageBox.h"
#include "uikit/dialog/SkinDialogTemplate.h"
#include "uikit/scroll/SkinScroll.h"

namespace {

const RECT kTreeRect = {0, 0, 900, 410};
const int kScrollSkinBitmap = 1008;

HBRUSH BackgroundBrush()
{
    static HBRUSH brush = CreateSolidBrush(SelExportPathDlg::kBackground);
    return brush;
}

// The session reads "FileFilter.xml" when it is first built, here; a file it refused as
// nested too deep is told once.
void TellFilterRefusal(HWND owner)
{
    static bool told = false;
    const std::string& refusal = ScanSession::Instance().GetFilter().Refusal();
    if (told || refusal.empty())
        return;
    told = true;
    ShowKvrMessageBox(owner, refusal.c_str(), nullptr, MB_OK);
}

} // namespace

SelExportPathDlg::SelExportPathDlg(CWnd* parent)
    : HomeBaseDialog((RegisterSkinDialogTemplates(), kPopupTemplateId), parent, true)
{
}

SelExportPathDlg::~SelExportPathDlg()
{
    // The frame of the bars went with the window; the bitmap is the dialog's.
    if (scrollSkin_)
        DeleteObject(scrollSkin_);
}

BOOL SelExportPathDlg::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("SelExportPath");
    SetWindowText(GetLangString("BrowserTxt").c_str());
    tree_.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                 TVS_SHOWSELALWAYS, kTreeRect, this, kTreeId);
    tree_.SendMessage(TVM_SETBKCOLOR, 0, 0xFFFFFF);
    scrollSkin_ = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kScrollSkinBitmap));
    if (scrollSkin_)
        SkinWndScroll(&tree_, scrollSkin_);
    tree_.SetSelectCallback(OnTreeSelect, this);
    tree_.Populate(true);
    tree_.ExpandMyComputer();
    tree_.SelectSetFirstVisible(tree_.GetRootItem());
    return TRUE;
}

void SelExportPathDlg::OnTreeSelect(void* owner, const char* path)
{
    if (owner)
        static_cast<SelExportPathDlg*>(owner)->chosenPath_ = path ? path : "";
}

BOOL SelExportPathDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kCmdConfirm) {
        // Only a real folder becomes the scan location: a display name or a virtual item
        // would be walked relative to the current folder.
        if (ScanSession::Instance().SetExportPath(chosenPath_)) {
            TellFilterRefusal(m_hWnd);
            EndDialog(IDOK);
        } else
            RefuseChoice();
        return TRUE;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

void SelExportPathDlg::RefuseChoice()
{
    ShowKvrMessageBox(m_hWnd, GetLangString("ChooseRealFolder").c_str(), nullptr, MB_OK);
}

void SelExportPathDlg::DrawBackground(HDC memory)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    FillRect(memory, &client, BackgroundBrush());
}
