// mfc/TreeCtrl.h
// CTreeCtrl: a tree-view control (ANSI messages). Item data is an LPARAM-sized value.
#pragma once
#include <commctrl.h>
#include "mfc/Wnd.h"
#include <commctrl.h>

class CTreeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::CreateEx(0, WC_TREEVIEWA, nullptr, style, rect, parent, id);
    }
    virtual BOOL CreateEx(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::CreateEx(exStyle, WC_TREEVIEWA, nullptr, style, rect, parent, id);
    }

    HTREEITEM InsertItem(LPTVINSERTSTRUCTA insert) { return (HTREEITEM)SendMessage(TVM_INSERTITEMA, 0, (LPARAM)insert); }
    HTREEITEM InsertItem(UINT mask, LPCSTR text, int image, int selectedImage, UINT state, UINT stateMask,
                         LPARAM data, HTREEITEM parent, HTREEITEM after)
    {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = mask;
        insert.item.pszText = (LPSTR)text;
        insert.item.iImage = image;
        insert.item.iSelectedImage = selectedImage;
        insert.item.state = state;
        insert.item.stateMask = stateMask;
        insert.item.lParam = data;
        return InsertItem(&insert);
    }
    HTREEITEM InsertItem(LPCSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST)
    {
        return InsertItem(TVIF_TEXT, text, 0, 0, 0, 0, 0, parent, after);
    }
    HTREEITEM InsertItem(LPCSTR text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST)
    {
        return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, text, image, selectedImage, 0, 0, 0, parent, after);
    }
    BOOL DeleteItem(HTREEITEM item) { return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)item); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); }
    BOOL Expand(HTREEITEM item, UINT code) { return (BOOL)SendMessage(TVM_EXPAND, code, (LPARAM)item); }
    BOOL EnsureVisible(HTREEITEM item) { return (BOOL)SendMessage(TVM_ENSUREVISIBLE, 0, (LPARAM)item); }
    BOOL SortChildren(HTREEITEM item) { return (BOOL)SendMessage(TVM_SORTCHILDREN, 0, (LPARAM)item); }

    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const { return (HTREEITEM)SendMessage(TVM_GETNEXTITEM, code, (LPARAM)item); }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXTVISIBLE); }
    HTREEITEM GetPrevVisibleItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUSVISIBLE); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
    BOOL Select(HTREEITEM item, UINT code) { return (BOOL)SendMessage(TVM_SELECTITEM, code, (LPARAM)item); }
    BOOL SelectItem(HTREEITEM item) { return Select(item, TVGN_CARET); }
    BOOL SelectSetFirstVisible(HTREEITEM item) { return Select(item, TVGN_FIRSTVISIBLE); }
    BOOL SelectDropTarget(HTREEITEM item) { return Select(item, TVGN_DROPHILITE); }
    BOOL ItemHasChildren(HTREEITEM item) const
    {
        TVITEMA tv = {};
        tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
        tv.hItem = item;
        return GetItem(&tv) && tv.cChildren != 0;
    }

    BOOL GetItem(TVITEMA* item) const { return (BOOL)SendMessage(TVM_GETITEMA, 0, (LPARAM)item); }
    BOOL SetItem(TVITEMA* item) { return (BOOL)SendMessage(TVM_SETITEMA, 0, (LPARAM)item); }
    DWORD_PTR GetItemData(HTREEITEM item) const
    {
        TVITEMA tv = {};
        tv.mask = TVIF_PARAM | TVIF_HANDLE;
        tv.hItem = item;
        return GetItem(&tv) ? (DWORD_PTR)tv.lParam : 0;
    }
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data)
    {
        TVITEMA tv = {};
        tv.mask = TVIF_PARAM | TVIF_HANDLE;
        tv.hItem = item;
        tv.lParam = (LPARAM)data;
        return SetItem(&tv);
    }
    UINT GetItemState(HTREEITEM item, UINT stateMask) const { return (UINT)SendMessage(TVM_GETITEMSTATE, (WPARAM)item, stateMask); }
    BOOL SetItemState(HTREEITEM item, UINT state, UINT stateMask)
    {
        TVITEMA tv = {};
        tv.mask = TVIF_STATE | TVIF_HANDLE;
        tv.hItem = item;
        tv.state = state;
        tv.stateMask = stateMask;
        return SetItem(&tv);
    }
    CString GetItemText(HTREEITEM item) const
    {
        char buf[1024] = "";
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT | TVIF_HANDLE;
        tv.hItem = item;
        tv.pszText = buf;
        tv.cchTextMax = sizeof(buf);
        GetItem(&tv);
        return CString(tv.pszText ? tv.pszText : "");
    }
    BOOL SetItemText(HTREEITEM item, LPCSTR text)
    {
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT | TVIF_HANDLE;
        tv.hItem = item;
        tv.pszText = (LPSTR)text;
        return SetItem(&tv);
    }
    BOOL GetItemImage(HTREEITEM item, int& image, int& selectedImage) const
    {
        TVITEMA tv = {};
        tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
        tv.hItem = item;
        BOOL ok = GetItem(&tv);
        image = tv.iImage;
        selectedImage = tv.iSelectedImage;
        return ok;
    }
    BOOL SetItemImage(HTREEITEM item, int image, int selectedImage)
    {
        TVITEMA tv = {};
        tv.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
        tv.hItem = item;
        tv.iImage = image;
        tv.iSelectedImage = selectedImage;
        return SetItem(&tv);
    }
    // The item's whole row, or with textOnly the rectangle of its text.
    BOOL GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const
    {
        *(HTREEITEM*)rect = item;
        return (BOOL)SendMessage(TVM_GETITEMRECT, textOnly, (LPARAM)rect);
    }
    HTREEITEM HitTest(CPoint point, UINT* flags = nullptr) const
    {
        TVHITTESTINFO info = {};
        info.pt = point;
        HTREEITEM item = (HTREEITEM)SendMessage(TVM_HITTEST, 0, (LPARAM)&info);
        if (flags)
            *flags = info.flags;
        return item;
    }
    HTREEITEM HitTest(TVHITTESTINFO* info) const { return (HTREEITEM)SendMessage(TVM_HITTEST, 0, (LPARAM)info); }

    UINT GetCount() const { return (UINT)SendMessage(TVM_GETCOUNT); }
    UINT GetVisibleCount() const { return (UINT)SendMessage(TVM_GETVISIBLECOUNT); }
    UINT GetIndent() const { return (UINT)SendMessage(TVM_GETINDENT); }
    void SetIndent(UINT indent) { SendMessage(TVM_SETINDENT, indent); }
    SHORT GetItemHeight() const { return (SHORT)SendMessage(TVM_GETITEMHEIGHT); }
    SHORT SetItemHeight(SHORT height) { return (SHORT)SendMessage(TVM_SETITEMHEIGHT, height); }
    COLORREF SetBkColor(COLORREF color) { return (COLORREF)SendMessage(TVM_SETBKCOLOR, 0, color); }
    COLORREF SetTextColor(COLORREF color) { return (COLORREF)SendMessage(TVM_SETTEXTCOLOR, 0, color); }
    COLORREF SetLineColor(COLORREF color) { return (COLORREF)SendMessage(TVM_SETLINECOLOR, 0, color); }
    // The image list stays the caller's.
    HIMAGELIST SetImageList(HIMAGELIST list, int kind) { return (HIMAGELIST)SendMessage(TVM_SETIMAGELIST, kind, (LPARAM)list); }
    HIMAGELIST GetImageList(int kind) const { return (HIMAGELIST)SendMessage(TVM_GETIMAGELIST, kind); }
    HWND GetToolTips() const { return (HWND)SendMessage(TVM_GETTOOLTIPS); }
    HWND SetToolTips(HWND tooltip) { return (HWND)SendMessage(TVM_SETTOOLTIPS, (WPARAM)tooltip); }
};
