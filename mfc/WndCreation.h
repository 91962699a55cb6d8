// mfc/WndCreation.h
// Attaching a window to its object as it is created (internal to the layer): a CBT hook
// set around one CreateWindowEx or CreateDialog call gives the first window created on the
// thread to the pending object, before that window's first message.
#pragma once
#include <windows.h>

class CWnd;

struct AfxWndAccess
{
    static void AttachAtCreation(CWnd* wnd, HWND hWnd);
};

class AfxCreationScope
{
public:
    explicit AfxCreationScope(CWnd* wnd);
    ~AfxCreationScope();

private:
    CWnd* m_savedPending;
    HHOOK m_savedHook;
};
