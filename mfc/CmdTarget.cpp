// mfc/CmdTarget.cpp
#include "mfc/CmdTarget.h"
#include "mfc/MessageMap.h"

const CRuntimeClass CObject::classCObject = {"CObject", nullptr};
IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{AfxMapEnd, 0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

static bool Matches(const AFX_MSGMAP_ENTRY& e, AfxMapKind kind, UINT message, UINT code, UINT id)
{
    if (e.kind != kind)
        return false;
    switch (kind) {
    case AfxMapRegistered:
        return e.registered && *e.registered == message;
    case AfxMapCommand:
    case AfxMapNotify:
        return e.code == code && id >= e.firstId && id <= e.lastId;
    case AfxMapReflectCommand:
    case AfxMapReflectNotify:
        return e.code == code;
    default:
        return e.message == message;
    }
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(AfxMapKind kind, UINT message, UINT code, UINT id) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->kind != AfxMapEnd; ++e)
            if (Matches(*e, kind, message, code, id))
                return e;
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void*, AFX_CMDHANDLERINFO*)
{
    const AFX_MSGMAP_ENTRY* entry = FindEntry(AfxMapCommand, WM_COMMAND, (UINT)code, id);
    if (!entry)
        return FALSE;
    LRESULT result = 0;
    AfxMessageCall call = {WM_COMMAND, MAKEWPARAM(id, code), 0, &result, id, (UINT)code};
    return entry->thunk(this, call);
}
