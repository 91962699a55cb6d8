// mfc/DialogTemplate.h
// An in-memory dialog template, so that no dialog needs a resource script. Sizes and
// positions are in dialog units, as in a resource script.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class CDialogTemplate
{
public:
    static const DWORD DefaultStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

    explicit CDialogTemplate(DWORD style = DefaultStyle, int cx = 200, int cy = 100, LPCSTR caption = "",
                             LPCSTR className = nullptr, DWORD exStyle = 0);

    // Adds DS_SETFONT with that face and size.
    CDialogTemplate& SetFont(WORD pointSize, LPCSTR face);
    CDialogTemplate& SetPosition(int x, int y);
    // className may be a system class name ("BUTTON", "EDIT", WC_TREEVIEWA, ...).
    CDialogTemplate& AddControl(LPCSTR className, LPCSTR text, WORD id, DWORD style, int x, int y, int cx,
                                int cy, DWORD exStyle = 0);

    // The template bytes, valid until this object changes or goes.
    const DLGTEMPLATE* GetTemplate() const;

private:
    struct Control
    {
        std::string className, text;
        WORD id;
        DWORD style, exStyle;
        short x, y, cx, cy;
    };
    DWORD m_style, m_exStyle;
    short m_x = 0, m_y = 0, m_cx, m_cy;
    std::string m_caption, m_className, m_fontFace;
    WORD m_fontSize = 0;
    std::vector<Control> m_controls;
    mutable std::vector<WORD> m_bytes;
};
