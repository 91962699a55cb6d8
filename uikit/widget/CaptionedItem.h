// uikit/widget/CaptionedItem.h
// A widget with one caption, looked up again under its language key after a language change.
#pragma once
#include <string>

#include "uikit/widget/UiItem.h"

namespace UiCtrl {

class CaptionedItem : public UiItem {
public:
    // False, and the caption kept, when the widget has no language key.
    bool ReloadText() override;

    const std::string& GetCaption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }

protected:
    std::string caption_;
};

} // namespace UiCtrl
