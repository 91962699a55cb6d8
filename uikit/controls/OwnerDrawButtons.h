// uikit/controls/OwnerDrawButtons.h
// Owner-drawn buttons: CMsBtn (icons, per-state colours or a skin bitmap, check-box mode) and
// CButtonPlus (four bitmaps and a caption).
#pragma once
#include <string>

#include "mfc/Mfc.h"
#include "uikit/draw/MaskedBitmap.h"

enum ButtonLook
{
    kLookNormal = 0,
    kLookHover = 1,
    kLookPressed = 2,
    kLookDisabled = 3,
};

// The one state rule of both buttons' colours, texts and skin rectangles: disabled first,
// then pressed, then hover while the mouse is over, else normal. (An untouched button is
// normal: it is neither "over" nor "out" before the mouse has come by.)
ButtonLook ChooseButtonLook(bool disabled, bool pressed, bool over);
// CButtonPlus's picture: pressed, disabled, hover in that order, each only when its bitmap
// is loaded, else normal.
ButtonLook ChooseBitmapLook(bool selected, bool disabled, bool hover, const bool loaded[4]);

class CMsBtn : public CButton
{
public:
    CMsBtn();
    ~CMsBtn() override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;
    // Icons from resources of the program, at the given size; 0 for none.
    void SetIcons(UINT normalId, UINT hoverId, int width, int height);
    // A skin bitmap resource and its four source rectangles (normal, hover, pressed, disabled).
    void SetSkin(UINT bitmapId, const RECT rects[4]);
    void SetColors(const COLORREF backgrounds[4], const COLORREF texts[4]);
    void SetFlat(BOOL flat) { m_flat = flat; }
    void SetTextColor(COLORREF colour) { m_textColor = colour; }
    void SetChecked(BOOL checked);
    BOOL IsChecked() const { return m_checked; }
    bool IsCheckBox() const { return m_checkBox; }
    bool IsOver() const { return m_over; }
    COLORREF BackgroundFor(ButtonLook look) const { return m_backgrounds[look]; }
    COLORREF TextFor(ButtonLook look) const { return m_texts[look]; }

protected:
    void PreSubclassWindow() override;
    virtual void DrawButtonText(CDC* dc, const char* text, RECT rect, ButtonLook look);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseHover(UINT flags, CPoint point);
    void OnMouseLeave();
    HBRUSH CtlColor(CDC* dc, UINT code);
    void OnClicked();
    BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    HICON m_icons[2] = {};
    SIZE m_iconSizes[2] = {};
    bool m_checkBox = false;
    BOOL m_checked = FALSE;
    bool m_over = false;
    bool m_out = false;
    bool m_tracking = false;
    BOOL m_flat = TRUE;
    COLORREF m_textColor = 0x646464;
    POINT m_iconOffset = {2, 2};
    POINT m_pressedOffset = {1, 1};
    COLORREF m_backgrounds[4];
    COLORREF m_texts[4];
    HBITMAP m_skin = nullptr;
    RECT m_skinRects[4] = {};
};

class CButtonPlus : public CButton
{
public:
    // Loads the four bitmaps (0 for none; the normal one is needed). FALSE when it fails.
    BOOL LoadBitmaps(UINT normal, UINT hover, UINT pressed, UINT disabled);
    void SetPrompt(const char* text) { m_prompt = text ? text : ""; }
    const std::string& Prompt() const { return m_prompt; }
    // Resizes the button to its normal bitmap.
    void SizeToBitmap();
    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    void PreSubclassWindow() override;
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseHover(UINT flags, CPoint point);
    void OnMouseLeave();
    BOOL OnSetCursor(CWnd* window, UINT hit, UINT message);
    BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    CMaskedBitmap m_bitmaps[4];
    bool m_hover = false;
    bool m_tracking = false;
    std::string m_prompt;
};
