// ui/tips/WarmTipDlg.h
// A tip drawn over a picture of its own language (JPEG 494 + language index), with the
// widgets of layout "WarmTip": check item 801 stores "ShowWarm", 802 ends with IDOK. A click
// in the link rectangle opens "TBUrl". Esc and Enter do not close it.
#pragma once
#include <ocidl.h>

#include "mfc/Mfc.h"
#include "uikit/draw/MemorySurface.h"
#include "uikit/host/MouseRouter.h"
#include "uikit/widget/UiItem.h"

class WarmTipDlg : public CDialog
{
public:
    explicit WarmTipDlg(CWnd* parent);
    ~WarmTipDlg() override;

    static constexpr int kWidth = 540;
    static constexpr int kHeight = 345;
    static RECT LinkRect() { return {170, 260, 360, 290}; }

    UiCtrl::UiItem* FindItem(int id) const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void Apply(unsigned flags);
    void UpdateCursor(POINT point);

    UiCtrl::UiItemMap items_;
    UiCtrl::MouseRouter router_;
    HCURSOR savedCursor_ = nullptr;
    bool haveSavedCursor_ = false;
    IPicture* background_ = nullptr;
    MemorySurface surface_;
};
