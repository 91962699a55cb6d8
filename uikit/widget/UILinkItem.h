// uikit/widget/UILinkItem.h
// Layout type 4: underlined link text as wide as its caption; a click reports to the owner
// and opens the link.
#pragma once
#include "uikit/widget/UiItem.h"

namespace UiCtrl {

class UILinkItem : public UiItem {
public:
    UILinkItem();
    ~UILinkItem() override;
    int Draw(HDC dc) override;
    // Shows the hand cursor while hovered or pressed and gives the old one back after.
    bool SetState(int state, INT_PTR extra = 0) override;
    bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                     const TiXmlElement* element) override;
    int OnMouseLBtnUp(WPARAM wParam, LPARAM lParam) override;
    // The window class's arrow comes back on every move (WM_SETCURSOR): set the hand again.
    int OnMouseMove(WPARAM wParam, LPARAM lParam) override;
    bool ReloadText() override;

    // right = left + caption width, cut at "MaxRight" when that is set and nearer.
    void FitWidth(int left);
    const std::string& GetCaption() const { return caption_; }
    const std::string& GetLink() const { return link_; }

    // Only web and mail addresses are opened: the link text comes from an editable file.
    static bool IsOpenableLink(const std::string& link);

private:
    void RestoreCursor();

    std::string caption_;
    std::string link_;
    HCURSOR savedCursor_ = nullptr;
    bool handShown_ = false;
    COLORREF colour_ = 0;
    COLORREF overColour_ = 0;
    int maxRight_ = 0;
};

} // namespace UiCtrl
