// mfc/CmdTarget.h
// CCmdTarget: the owner of a message map. A map is a table of entries, each with a small
// thunk that cracks the message and calls the typed handler; tables chain to the base
// class's table. The macros that build tables are in mfc/MessageMap.h.
#pragma once
#include "mfc/Object.h"

class CCmdTarget;

// One message as a handler thunk sees it. id and code are the cracked command or
// notification fields where the entry kind has them.
struct AfxMessageCall
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT* result;
    UINT id;
    UINT code;
};

// Returns TRUE when the handler took the message (reflection "_EX" handlers may decline).
typedef BOOL (*AfxMessageThunk)(CCmdTarget* target, const AfxMessageCall& call);

enum AfxMapKind : UINT
{
    AfxMapEnd,
    AfxMapMessage,        // a window message (WM_CTLCOLOR stands for all WM_CTLCOLOR* messages)
    AfxMapRegistered,     // a message whose number is held in a variable (RegisterWindowMessage)
    AfxMapCommand,        // WM_COMMAND with a notification code and an id range
    AfxMapNotify,         // WM_NOTIFY with a notification code and an id range
    AfxMapReflect,        // a message reflected back to the control that caused it
    AfxMapReflectCommand, // WM_COMMAND reflected to the control, by notification code
    AfxMapReflectNotify,  // WM_NOTIFY reflected to the control, by notification code
};

struct AFX_MSGMAP_ENTRY
{
    AfxMapKind kind;
    UINT message;
    UINT code;
    UINT firstId;
    UINT lastId;
    const UINT* registered;
    AfxMessageThunk thunk;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

struct AFX_CMDHANDLERINFO;

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() {}

    // Routes a command (a WM_COMMAND that no control reflection took) to this object's map.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo);

    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();

    // The first entry of this object's map chain that matches, derived classes first.
    const AFX_MSGMAP_ENTRY* FindEntry(AfxMapKind kind, UINT message, UINT code, UINT id) const;
};
