// uikit/widget/UIFilterTypeItem.h
// Layout type 8: one file-kind row of the filter dialogs: a check picture, the kind name and
// its extension list in brackets (the user's own list when there is one).
#pragma once
#include "uikit/widget/UiItem.h"
#include "uikit/widget/WidgetSupport.h"

namespace UiCtrl {

class UIFilterTypeItem : public UiItem {
public:
    UIFilterTypeItem();

    int Draw(HDC dc) override;
    bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                     const TiXmlElement* element) override;
    // On the check picture: flips the check and reports WM_COMMAND (id, 1). Elsewhere: marks
    // the row selected and reports WM_COMMAND (id, 0); returns 1 then.
    int OnMouseLBtnDown(WPARAM wParam, LPARAM lParam) override;
    // Kind name, default list and the user's list, again from the language files.
    bool ReloadText() override;

    // The user's list, kept under the caption key + "User" so it survives a restart.
    void SetUserText(const std::string& text);
    // The default list; places the extension rectangle after the kind name.
    void SetCaptionText(const std::string& text);
    // The kind name; places the kind-name rectangle.
    void MeasureText(const std::string& text);
    void GetCaptionRect(RECT& out) const { out = extensionRect_; }
    void GetMainCaptionRect(RECT& out) const { out = kindRect_; }

    bool IsChecked() const { return checked_ != 0; }
    void SetChecked(bool checked) { checked_ = checked ? 1 : 0; }
    bool IsSelected() const { return selected_ != 0; }
    void SetSelected(bool selected) { selected_ = selected ? 1 : 0; }
    const std::string& GetKindName() const { return kindName_; }
    const std::string& GetCaptionText() const { return extensionText_; }
    const std::string& GetUserText() const { return userText_; }
    const std::string& GetCaptionKey() const { return captionKey_; }

private:
    void PlaceCheckPicture(const SkinImage& image);

    std::string kindName_;
    std::string extensionText_;
    std::string captionKey_;
    std::string userText_;
    RECT kindRect_ = {0, 0, 0, 0};
    RECT extensionRect_ = {0, 0, 0, 0};
    COLORREF kindColour_ = 0;
    COLORREF extensionColour_ = 0;
    SkinImage checkedImage_;
    SkinImage uncheckedImage_;
    RECT checkPictureRect_ = {0, 0, 0, 0};
    int checked_ = 1;
    int checkedImageWidth_ = 0;
    OwnedBrush background_;
    OwnedBrush hover_;
    int selected_ = 0;
    std::string kindKey_;
};

} // namespace UiCtrl
