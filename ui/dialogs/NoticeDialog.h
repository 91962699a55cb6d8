// ui/dialogs/NoticeDialog.h
// A skinned notice with one picture: its button (100) or the close item ends it with 2; Esc
// and Enter do not.
#pragma once
#include <string>

#include "uikit/dialog/HomeBaseDialog.h"

namespace Gdiplus {
class Image;
}

class NoticeDialog : public HomeBaseDialog
{
public:
    // layout: the "Resource.xml" element; picture: the skin file drawn at the left.
    NoticeDialog(CWnd* parent, const char* layout, const char* picture);
    ~NoticeDialog() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Null when the skin file is missing or unreadable.
    Gdiplus::Image* Picture() const { return picture_; }

private:
    std::string layout_, pictureName_;
    Gdiplus::Image* picture_ = nullptr;
};
