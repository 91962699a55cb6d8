// uikit/scroll/SkinScroll.cpp
#include "uikit/scroll/SkinScroll.h"

CSkinScrollWnd* SkinWndScroll(CWnd* control, HBITMAP skin, iCaller* rectSource)
{
    if (!control || !control->m_hWnd)
        return nullptr;
    // Skinning twice would stack frames: the control keeps the one it has.
    if (CSkinScrollWnd* existing = CSkinScrollWnd::FromControl(control->m_hWnd))
        return existing;
    CSkinScrollWnd* frame = new CSkinScrollWnd;
    if (!frame->SkinWindow(control, skin, rectSource)) {
        if (frame->m_hWnd)
            frame->DestroyWindow(); // deletes the frame
        else
            delete frame;
        return nullptr;
    }
    return frame;
}

BOOL UnskinWndScroll(CWnd* control)
{
    if (!control || !control->m_hWnd)
        return TRUE;
    if (CSkinScrollWnd* frame = CSkinScrollWnd::FromControl(control->m_hWnd))
        frame->Unskin();
    return TRUE;
}
