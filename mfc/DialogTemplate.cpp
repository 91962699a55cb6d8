// mfc/DialogTemplate.cpp
#include "mfc/DialogTemplate.h"

namespace {

void PutDword(std::vector<WORD>& out, DWORD value)
{
    out.push_back(LOWORD(value));
    out.push_back(HIWORD(value));
}

// Template texts are UTF-16, converted from the ANSI code page.
void PutText(std::vector<WORD>& out, const std::string& text)
{
    if (!text.empty()) {
        int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
        std::vector<wchar_t> wide(n > 0 ? n : 1);
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
        for (int i = 0; i + 1 < n; ++i)
            out.push_back((WORD)wide[i]);
    }
    out.push_back(0);
}

void AlignDword(std::vector<WORD>& out)
{
    if (out.size() % 2)
        out.push_back(0);
}

} // namespace

CDialogTemplate::CDialogTemplate(DWORD style, int cx, int cy, LPCSTR caption, LPCSTR className, DWORD exStyle)
    : m_style(style), m_exStyle(exStyle), m_cx((short)cx), m_cy((short)cy), m_caption(caption ? caption : ""),
      m_className(className ? className : "")
{
}

CDialogTemplate& CDialogTemplate::SetFont(WORD pointSize, LPCSTR face)
{
    m_fontSize = pointSize;
    m_fontFace = face ? face : "";
    m_style |= DS_SETFONT;
    return *this;
}

CDialogTemplate& CDialogTemplate::SetPosition(int x, int y)
{
    m_x = (short)x;
    m_y = (short)y;
    return *this;
}

CDialogTemplate& CDialogTemplate::AddControl(LPCSTR className, LPCSTR text, WORD id, DWORD style, int x, int y,
                                             int cx, int cy, DWORD exStyle)
{
    m_controls.push_back(Control{className ? className : "", text ? text : "", id, style, exStyle, (short)x,
                                 (short)y, (short)cx, (short)cy});
    return *this;
}

const DLGTEMPLATE* CDialogTemplate::GetTemplate() const
{
    std::vector<WORD>& out = m_bytes;
    out.clear();
    PutDword(out, m_style);
    PutDword(out, m_exStyle);
    out.push_back((WORD)m_controls.size());
    out.push_back((WORD)m_x);
    out.push_back((WORD)m_y);
    out.push_back((WORD)m_cx);
    out.push_back((WORD)m_cy);
    out.push_back(0); // no menu
    PutText(out, m_className);
    PutText(out, m_caption);
    if (m_style & DS_SETFONT) {
        out.push_back(m_fontSize);
        PutText(out, m_fontFace);
    }
    for (const Control& c : m_controls) {
        AlignDword(out);
        PutDword(out, c.style);
        PutDword(out, c.exStyle);
        out.push_back((WORD)c.x);
        out.push_back((WORD)c.y);
        out.push_back((WORD)c.cx);
        out.push_back((WORD)c.cy);
        out.push_back(c.id);
        PutText(out, c.className);
        PutText(out, c.text);
        out.push_back(0); // no creation data
    }
    return reinterpret_cast<const DLGTEMPLATE*>(out.data());
}
