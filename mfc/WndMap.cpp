// mfc/WndMap.cpp
#include "mfc/WndMap.h"
#include <unordered_map>

namespace WndMap {
namespace {

// Windows live on the UI thread, but worker threads ask for objects by handle too.
struct Table
{
    CRITICAL_SECTION lock;
    std::unordered_map<HWND, Entry> entries;
    Table() { InitializeCriticalSection(&lock); }
};

Table& GetTable()
{
    static Table* table = new Table; // never destroyed: windows may outlive static objects
    return *table;
}

struct Lock
{
    Lock() { EnterCriticalSection(&GetTable().lock); }
    ~Lock() { LeaveCriticalSection(&GetTable().lock); }
};

} // namespace

void Add(HWND hWnd, CWnd* wnd, WNDPROC oldProc)
{
    Lock lock;
    GetTable().entries[hWnd] = Entry{wnd, oldProc};
}

bool Find(HWND hWnd, Entry* out)
{
    Lock lock;
    auto it = GetTable().entries.find(hWnd);
    if (it == GetTable().entries.end())
        return false;
    *out = it->second;
    return true;
}

CWnd* FindObject(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    Lock lock;
    auto it = GetTable().entries.find(hWnd);
    return it == GetTable().entries.end() ? nullptr : it->second.wnd;
}

void SetOldProc(HWND hWnd, WNDPROC oldProc)
{
    Lock lock;
    auto it = GetTable().entries.find(hWnd);
    if (it != GetTable().entries.end())
        it->second.oldProc = oldProc;
}

void Orphan(HWND hWnd)
{
    Lock lock;
    auto it = GetTable().entries.find(hWnd);
    if (it != GetTable().entries.end())
        it->second.wnd = nullptr;
}

void Remove(HWND hWnd)
{
    Lock lock;
    GetTable().entries.erase(hWnd);
}

} // namespace WndMap
