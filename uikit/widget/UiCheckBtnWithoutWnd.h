// uikit/widget/UiCheckBtnWithoutWnd.h
// Layout type 2: a check or radio tile drawn from bitmap pictures. It keeps two captions and a
// "root" flag for its owner but never draws the captions itself.
#pragma once
#include <ocidl.h>

#include "uikit/widget/UiItem.h"

namespace UiCtrl {

class UiCheckBtnWithoutWnd : public UiItem {
public:
    int Draw(HDC dc) override;
    bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                     const TiXmlElement* element) override;
    // Flips the check on the press and reports it as WM_COMMAND (id, 0).
    int OnMouseLBtnDown(WPARAM wParam, LPARAM lParam) override;
    bool ReloadText() override;

    bool IsChecked() const { return checked_ != 0; }
    void SetChecked(bool checked) { checked_ = checked ? 1 : 0; }
    bool IsRadio() const { return radio_ != 0; }
    int GetRoot() const { return root_; }
    const std::string& GetCaption1() const { return caption1_; }
    const std::string& GetCaption2() const { return caption2_; }

private:
    std::string caption1_;
    std::string caption2_;
    IPicture* normal_ = nullptr;
    IPicture* hover_ = nullptr;
    int checked_ = 0;
    int radio_ = 0;
    int root_ = 0;
    std::string caption1Key_;
    std::string caption2Key_;
    IPicture* checkedPicture_ = nullptr;
    IPicture* hoverCheckedPicture_ = nullptr;
    int user_ = 0;
};

} // namespace UiCtrl
