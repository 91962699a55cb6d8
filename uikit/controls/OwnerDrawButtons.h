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
// then pressed, then hover while the mouse is over, else normal: a button the mouse has left,
// or never reached, looks normal.
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
    // The text colour of the normal look (SetColors sets it too).
    void SetTextColor(COLORREF colour);
    // Transparent mode draws on the parent's background, copied once at the first paint
    // (the parent is expected to keep a fixed background under the button).
    void SetTransparent(BOOL transparent);
    // The caption's font; the button keeps a copy of it. Without one the DC's font is used.
    void SetTextFont(const LOGFONTA& font);
    void SetChecked(BOOL checked);
    BOOL IsChecked() const { return m_checked; }
    bool IsCheckBox() const { return m_checkBox; }
    bool IsOver() const { return m_over; }
    COLORREF BackgroundFor(ButtonLook look) const { return m_backgrounds[look]; }
    COLORREF TextFor(ButtonLook look) const
    {
        return look == kLookNormal ? m_textColor : m_texts[look];
    }

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
    // Copies what the parent shows under the button; false when it cannot.
    bool CopyParentBackground(const RECT& rect);
    void FreeBackground();

    HICON m_icons[2] = {};
    SIZE m_iconSizes[2] = {};
    bool m_checkBox = false;
    BOOL m_checked = FALSE;
    bool m_over = false;
    bool m_tracking = false;
    BOOL m_flat = TRUE;
    COLORREF m_textColor = 0x646464;
    BOOL m_transparent = FALSE;
    HDC m_backgroundDc = nullptr;
    HBITMAP m_background = nullptr;
    HGDIOBJ m_oldBackground = nullptr;
    HFONT m_font = nullptr;
    POINT m_iconOffset = {2, 2};
    POINT m_pressedOffset = {1, 1};
    COLORREF m_backgrounds[4];
    COLORREF m_texts[4];
    HBITMAP m_skin = nullptr;
    RECT m_skinRects[4] = {};
};

// Construction failures of CButtonPlus are told in a message box with these texts (the
// error value and GetLastError).
extern const char kButtonPlusInitError[];
extern const char kButtonPlusInit002Error[];
extern const char kButtonPlusLoadBitmapError[];
extern const char kButtonPlusPromptError[];

class CButtonPlus : public CButton
{
public:
    CButtonPlus();
    ~CButtonPlus() override;
    // Loads the four bitmaps (0 for none; the normal one is needed). FALSE, after a message
    // box naming the missing bitmap's id, when one that was asked for cannot be loaded.
    BOOL LoadBitmaps(UINT normal, UINT hover, UINT pressed, UINT disabled);
    // Copies the text into the button's prompt buffer (260 characters and the end). FALSE,
    // after a message box, when there is no buffer or the text does not fit.
    BOOL SetPrompt(const char* text);
    const char* Prompt() const { return m_prompt ? m_prompt : ""; }
    // Resizes the button to its normal bitmap.
    void SizeToBitmap();
    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    void PreSubclassWindow() override;
    // A button created by Create is owner-drawn from the start.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
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
    char* m_prompt = nullptr;   // kPromptSize bytes from the process heap
    bool m_loaded = false;
};
