// uikit/dialog/HomeBaseDialog.h
// The base of every dialog of the program. It replaces the system caption and frame with its
// own: a caption band painted off-screen with the window title and a row of picture buttons
// from "Resource.xml", a client area painted off-screen with window-less widgets, and the
// mouse routing for both (UiCtrl::MouseRouter, as every widget host does). Derived dialogs
// add their widgets with LoadSkin and paint through DrawBackground / DrawForeground.
//
// Esc and Enter never close a skinned dialog: only its own buttons and the caption's close
// item (148) do. F1 opens the language string "helpUrl".
#pragma once
#include <ocidl.h>

#include "mfc/Mfc.h"
#include "uikit/draw/MemorySurface.h"
#include "uikit/host/MouseRouter.h"
#include "uikit/widget/UiItem.h"

class HomeBaseDialog : public CDialog
{
    DECLARE_DYNAMIC(HomeBaseDialog)
public:
    // One caption button with four pictures (borrowed from the picture cache).
    class CaptionItem : public UiCtrl::UiItem
    {
    public:
        CaptionItem(IPicture* normal, IPicture* over, IPicture* click, IPicture* disable);
        // The picture of the state fills the item, opaque; a disabled item with a disable
        // picture always shows it; an invisible item draws nothing.
        int Draw(HDC dc) override;
        // Stores the state; with a device context (extra) the item is drawn into it at once.
        bool SetState(int state, INT_PTR extra = 0) override;
        // Posts WM_COMMAND (id) to the dialog when enabled; the item is hovered again.
        int OnMouseLBtnUp(WPARAM wParam, LPARAM lParam) override;
        // The tooltip text is the language string of the caption key.
        bool ReloadText() override;

    private:
        IPicture* pictures_[4];
    };

    // The main dialog's template id; it gets the main caption, its frame and its colours.
    static const UINT kMainTemplateId = 102;
    // The template of every small skinned pop-up (message box, tips, notices).
    static const UINT kPopupTemplateId = 227;
    // A template whose maximise box is not offered in the caption.
    static const UINT kNoMaximiseTemplateId = 330;

    // popupSeparator: a non-main dialog gets a 2-pixel line under its caption.
    HomeBaseDialog(UINT templateId, CWnd* parent, bool popupSeparator = false);
    ~HomeBaseDialog() override;

    // Shows or hides the tooltip of a caption item at (x, y) in screen coordinates; the base
    // has none and returns false.
    virtual bool ShowCaptionTip(int x, int y, bool show, const char* text, bool atTop);
    // After a maximise or restore from the caption.
    virtual void OnMaximizeChanged(bool maximised);
    // Paint into the off-screen surface in client coordinates, under and over the widgets.
    virtual void DrawBackground(HDC memory);
    virtual void DrawForeground(HDC memory);
    // A press in the caption band (screen coordinates in lParam).
    virtual LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);

    // Builds the client widgets of the "Resource.xml" element and sizes the window from its
    // first child's "width" and "height" (when both are non-zero), centred on the owner.
    // The loader's result (-1) when the element or its first child is missing, else 0.
    int LoadSkin(const char* elementName);
    // Fills the button band at the bottom of window's client area (45 pixels, one pixel in
    // from left and right).
    void FillBottomStrip(HDC dc, HWND window);
    // True when the item is visible and the point lies in its rectangle.
    static bool HitTestItem(POINT point, UiCtrl::UiItem* item);

    UiCtrl::UiItemMap& CaptionItems() { return captionItems_; }
    UiCtrl::UiItemMap& ClientItems() { return clientItems_; }
    UiCtrl::UiItem* FindCaptionItem(int id) const;
    UiCtrl::UiItem* FindClientItem(int id) const;
    bool IsMainWindow() const { return isMain_; }
    bool IsMaximised() const { return maximised_; }
    bool HasMaximiseBox() const { return hasMaximiseBox_; }
    UINT TemplateId() const { return templateId_; }
    const UiCtrl::MouseRouter& ClientRouter() const { return clientRouter_; }
    // Repaints the caption band now (the title or an item changed).
    void PaintCaption();

protected:
    // The work area of the monitor the window is on (the primary one's when that cannot be told).
    static RECT WorkAreaOf(HWND window);
    void PreSubclassWindow() override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Derived dialogs handle their own ids first and pass the rest here: the maps, then the
    // caption commands (133 maximise, 136 restore, 139 minimise, 148 close).
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    // Caption double clicks maximise the main window too (nothing sets it by default).
    bool captionDoubleClick_ = false;

private:
    void LoadCaptionItems();
    void CreateMemoryDC(bool releaseOnly);
    bool HandleCaptionCommand(int id);
    void Maximise();
    void Restore();
    void OnSizeChanged();
    void ApplyClientRouting(unsigned flags);
    // Caption mouse messages carry screen coordinates; items live in window coordinates.
    LPARAM ScreenToWindowPoint(LPARAM screen) const;
    LRESULT OnNcMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcLButtonUp(WPARAM wParam, LPARAM lParam);
    void OnNcMouseLeave();
    void OnNcLButtonDblClk();
    void UpdateCaptionTip(UiCtrl::UiItem* before, LPARAM screen);

    UINT templateId_;
    bool isMain_;
    bool popupSeparator_;
    MemorySurface surface_;
    UiCtrl::UiItemMap captionItems_;
    UiCtrl::UiItemMap clientItems_;
    UiCtrl::MouseRouter captionRouter_;
    UiCtrl::MouseRouter clientRouter_;
    RECT lastWindowRect_ = {0, 0, 0, 0};
    bool hasMaximiseBox_ = false;
    bool maximised_ = false;
};
