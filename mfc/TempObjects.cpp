// mfc/TempObjects.cpp
#include "mfc/TempObjects.h"
#include "mfc/Wnd.h"
#include <map>

namespace TempObjects {
namespace {

// Per thread, as handles are used on the thread that asked for them.
thread_local std::map<HWND, CWnd*>* t_windows;
thread_local std::map<HDC, CDC*>* t_dcs;
thread_local std::map<HGDIOBJ, CGdiObject*>* t_objects;
thread_local int t_loopDepth;

template <class Map>
Map& Get(Map*& map)
{
    if (!map)
        map = new Map;
    return *map;
}

} // namespace

CWnd* Window(HWND hWnd)
{
    auto& map = Get(t_windows);
    CWnd*& wnd = map[hWnd];
    if (!wnd) {
        wnd = new CWnd;
        wnd->m_hWnd = hWnd;
    }
    return wnd;
}

CDC* DeviceContext(HDC dc)
{
    auto& map = Get(t_dcs);
    CDC*& obj = map[dc];
    if (!obj) {
        obj = new CDC;
        obj->m_hDC = obj->m_hAttribDC = dc;
    }
    return obj;
}

CGdiObject* GdiObject(HGDIOBJ object)
{
    auto& map = Get(t_objects);
    CGdiObject*& obj = map[object];
    if (!obj) {
        obj = new CGdiObject;
        obj->m_hObject = object;
    }
    return obj;
}

// Only wrappers whose handle has died go: a wrapper of a live window stays valid as long
// as its window, whatever loop runs meanwhile.
void DeleteAll()
{
    if (t_windows) {
        for (auto it = t_windows->begin(); it != t_windows->end();) {
            if (IsWindow(it->first)) {
                ++it;
                continue;
            }
            it->second->m_hWnd = nullptr;
            delete it->second;
            it = t_windows->erase(it);
        }
    }
    if (t_dcs) {
        for (auto it = t_dcs->begin(); it != t_dcs->end();) {
            if (GetObjectType(it->first)) {
                ++it;
                continue;
            }
            it->second->m_hDC = it->second->m_hAttribDC = nullptr;
            delete it->second;
            it = t_dcs->erase(it);
        }
    }
    if (t_objects) {
        for (auto it = t_objects->begin(); it != t_objects->end();) {
            if (GetObjectType(it->first)) {
                ++it;
                continue;
            }
            it->second->m_hObject = nullptr;
            delete it->second;
            it = t_objects->erase(it);
        }
    }
}

LoopScope::LoopScope() { ++t_loopDepth; }
LoopScope::~LoopScope() { --t_loopDepth; }
bool LoopScope::IsOutermost() { return t_loopDepth == 1; }

} // namespace TempObjects

void AfxDeleteTempObjects()
{
    TempObjects::DeleteAll();
}
