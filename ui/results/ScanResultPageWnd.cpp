// ui/results/ScanResultPageWnd.cpp
#include "ui/results/ScanResultPageWnd.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shellapi.h>

#include "app/ImageOwnSize.h"
#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SafeFormat.h"
#include "app/SkinImage.h"
#include "ui/results/CurrentFile.h"
#include "uikit/scroll/SkinScroll.h"
#include "uikit/widget/CaptionedItem.h"

namespace UiCtrl {

namespace {

const int kScrollSkinBitmap = 1008;

// A tree wrapped in skinned scroll bars is shown, hidden and moved through its frame.
HWND OuterWindow(FileTreeCtrl& tree)
{
    if (CSkinScrollWnd* frame = CSkinScrollWnd::FromControl(tree.m_hWnd))
        return frame->m_hWnd;
    return tree.m_hWnd;
}

const char* const kCategoryKeys[] = {"AllFiles", "Photo", "Video", "OfficeDoc", "Music", "Other"};

void Fill(HDC dc, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Text(HDC dc, const std::string& text, RECT rect, int height, COLORREF colour, UINT format)
{
    HGDIOBJ old = SelectObject(dc, ResourceHelper::Instance().GetFont(height, FW_NORMAL, false));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), (int)text.size(), &rect, format | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

}  // namespace

ScanResultPageWnd::ScanResultPageWnd() : UiSdkWndBase("ScanResultPageWnd", 0, 0, 0)
{
    for (int k = 0; k < kCategoryCount; ++k) {
        m_trees[k].SetModel(&m_model, k);
        m_trees[k].SetCallBack(this);
    }
}

ScanResultPageWnd::~ScanResultPageWnd()
{
    for (FileTreeCtrl& tree : m_trees)
        if (tree.m_hWnd)
            tree.DestroyWindow();
    if (m_host.m_hWnd)
        m_host.Detach();
    if (m_scrollSkin)
        DeleteObject(m_scrollSkin);
    delete m_boxChecked;
    delete m_boxUnchecked;
}

int ScanResultPageWnd::CreateWin(HWND parent, int id, int left, int top, int right, int bottom, DWORD style)
{
    const bool created = hwnd_ != nullptr;
    const int result = UiSdkWndBase::CreateWin(parent, id, left, top, right, bottom, style | WS_CLIPCHILDREN);
    if (!hwnd_ || created)
        return result;
    LoadLayout("ScanResultPageWnd", hwnd_, items_);
    m_host.Attach(hwnd_);
    m_boxChecked = LoadSkinImage("checkbox_yes_list.png");
    m_boxUnchecked = LoadSkinImage("checkbox_no_list.png");
    RECT client;
    GetClientRect(hwnd_, &client);
    m_layout = ResultPageLayout::For(client);
    for (int k = 0; k < kCategoryCount; ++k)
        m_trees[k].Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                              TVS_NOHSCROLL,
                          m_layout.treeArea, &m_host, kFirstTreeId + k);
    m_scrollSkin = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kScrollSkinBitmap));
    if (m_scrollSkin)
        for (FileTreeCtrl& tree : m_trees)
            if (tree.m_hWnd)
                SkinWndScroll(&tree, m_scrollSkin);
    m_created = true;
    ShowWidget(kCmdDropDown, false);
    ShowWidget(kCmdOpen, false);
    ShowWidget(kCmdAutoSelect, true);
    ShowWidget(kCmdUncheckAll, false);
    if (UiItem* remove = FindItem(kCmdRemove))
        remove->Enable(1);
    OnSize(0, 0);
    ShowCategory(0);  // the frames or trees start hidden but the visible, non-empty one
    return result;
}

void ScanResultPageWnd::ShowWidget(int id, bool visible)
{
    if (UiItem* item = FindItem(id))
        item->SetVisible(visible ? 1 : 0);
}

void ScanResultPageWnd::SetStatistics(const CategoryStatistics& statistics)
{
    m_scanFiles = 0;
    m_scanBytes = 0;
    for (const auto& entry : statistics) {
        if (entry.first < kCategoryPhoto || entry.first > kCategoryOther)
            continue;
        m_scanFiles += entry.second.fileCount;
        m_scanBytes += entry.second.totalBytes;
    }
}

void ScanResultPageWnd::FillCategory(int category, const FileGroupMap& groups)
{
    m_model.FillCategory(category, groups);
}

void ScanResultPageWnd::SetCategoryCaptions()
{
    for (int k = 0; k < kCategoryCount; ++k) {
        m_tabCaptions[k] = SafeFormat("%s (%d)", "%s (%d)", {GetLangString(kCategoryKeys[k]), m_model.FileCount(k)});
        if (k == 0)
            continue;
        if (auto* tab = dynamic_cast<CaptionedItem*>(FindItem(kCmdFirstTab + k - 1)))
            tab->SetCaption(m_tabCaptions[k]);
    }
}

void ScanResultPageWnd::RebuildTrees()
{
    for (FileTreeCtrl& tree : m_trees)
        if (tree.m_hWnd)
            tree.Rebuild();
}

void ScanResultPageWnd::OnShow()
{
    RebuildTrees();
    SetCategoryCaptions();
    ShowCategory(m_visible);
}

int ScanResultPageWnd::ReloadText()
{
    const int result = UiSdkWndBase::ReloadText();
    SetCategoryCaptions();
    OnSelectionChanged();
    return result;
}

void ScanResultPageWnd::ClearAll()
{
    for (FileTreeCtrl& tree : m_trees)
        tree.DeleteAllRows();
    m_model.Clear();
    m_scanFiles = 0;
    m_scanBytes = 0;
    m_selectionText.clear();
    ClearCurrentFile();
    SetCategoryCaptions();
}

void ScanResultPageWnd::ShowCategory(int category)
{
    if (category < 0 || category >= kCategoryCount)
        return;
    m_visible = category;
    FileTreeCtrl& tree = m_trees[category];
    if (tree.m_hWnd)
        tree.UpdateCurrentFile();
    for (int k = 0; k < kCategoryCount; ++k)
        if (m_trees[k].m_hWnd)
            ::ShowWindow(OuterWindow(m_trees[k]), k == category && !m_trees[k].IsEmpty() ? SW_SHOW : SW_HIDE);
    ShowWidget(kCmdOpen, !CurrentFilePath().empty());
    OnSelectionChanged();
}

void ScanResultPageWnd::OnSelectionChanged()
{
    if (m_refreshing)
        return;
    m_selectionText = m_trees[m_visible].GetSelectionSummary();
    InvalidateAll();
}

void ScanResultPageWnd::Repaint()
{
    ShowWidget(kCmdOpen, !CurrentFilePath().empty());
    InvalidateAll();
}

void ScanResultPageWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    switch (id) {
    case kCmdBack:
        ShowCategory(0);
        ClearAll();
        if (HWND parent = GetParent(hwnd_))
            PostMessageA(parent, WM_COMMAND, 201, (LPARAM)hwnd_);
        return;
    case kCmdUncheckAll:
        for (FileTreeCtrl& tree : m_trees)
            tree.UncheckAll();
        ShowWidget(kCmdAutoSelect, true);
        ShowWidget(kCmdUncheckAll, false);
        OnSelectionChanged();
        return;
    case kCmdRemove:
        OnRemoveChecked();
        return;
    case kCmdAutoSelect:
        // Only the visible tree's groups: checks in a tree the user is not looking at would be
        // removed from the all-files tree unseen.
        m_trees[m_visible].AutoSelectAll();
        ShowWidget(kCmdAutoSelect, false);
        ShowWidget(kCmdUncheckAll, true);
        OnSelectionChanged();
        return;
    case kCmdOpen:
        if (!CurrentFilePath().empty())
            ShellExecuteA(hwnd_, "open", CurrentFilePath().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    case kCmdCategoryChoice:
        if (lParam >= 200 && lParam <= 205)
            ShowCategory((int)lParam - 200);
        return;
    default:
        if (id >= kCmdFirstTab && id <= kCmdLastTab)
            ShowCategory(id - kCmdFirstTab + 1);
        return;
    }
}

LRESULT ScanResultPageWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = UiSdkWndBase::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        break;
    case kMsgStartRemoval:
        StartRemoval();
        break;
    case kMsgRemovalFinished:
        OnRemovalFinished();
        break;
    default:
        break;
    }
    return result;
}

int ScanResultPageWnd::OnSize(WPARAM wParam, LPARAM lParam)
{
    const int result = UiSdkWndBase::OnSize(wParam, lParam);
    if (!hwnd_)
        return result;
    RECT client;
    GetClientRect(hwnd_, &client);
    m_layout = ResultPageLayout::For(client);
    const RECT& tree = m_layout.treeArea;
    for (FileTreeCtrl& t : m_trees)
        if (t.m_hWnd)
            ::MoveWindow(OuterWindow(t), tree.left, tree.top, tree.right - tree.left, tree.bottom - tree.top, TRUE);
    auto place = [&](int id, int left) {
        if (UiItem* item = FindItem(id)) {
            const RECT r = item->Rect();
            item->SetRect(RECT{left, m_layout.buttonTop, left + (r.right - r.left), m_layout.buttonTop + (r.bottom - r.top)});
        }
    };
    int removeLeft = m_layout.content.right;
    if (UiItem* remove = FindItem(kCmdRemove))
        removeLeft -= remove->Rect().right - remove->Rect().left;
    place(kCmdBack, m_layout.content.left);
    place(kCmdRemove, removeLeft);
    for (int id : {kCmdAutoSelect, kCmdUncheckAll})
        if (UiItem* item = FindItem(id))
            place(id, removeLeft - 10 - (item->Rect().right - item->Rect().left));
    InvalidateAll();
    return result;
}

int ScanResultPageWnd::OnLButtonUp(WPARAM wParam, LPARAM lParam)
{
    const int result = UiSdkWndBase::OnLButtonUp(wParam, lParam);
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    for (int k = 0; k < kCategoryCount; ++k) {
        const RECT tab = TabRect(k);
        if (PtInRect(&tab, point)) {
            ShowCategory(k);
            return result;
        }
    }
    if (PtInRect(&m_layout.selectBox, point)) {
        FileTreeCtrl& tree = m_trees[m_visible];
        if (tree.CheckedCount() > 0)
            tree.UncheckAll();
        else
            tree.AutoSelectAll();
        OnSelectionChanged();
    }
    return result;
}

RECT ScanResultPageWnd::TabRect(int category) const
{
    const int top = m_layout.leftPanel.top + 10 + category * 40;
    return RECT{m_layout.leftPanel.left + 15, top, m_layout.leftPanel.right - 10, top + 30};
}

int ScanResultPageWnd::DrawBackground(HDC dc)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    Fill(dc, client, 0x31241E);
    const RECT& c = m_layout.content;
    Fill(dc, RECT{c.left + 1, c.top + 1, c.right - 1, c.top + 40}, 0x2C201A);
    Fill(dc, m_layout.details, 0x2C201A);
    Fill(dc, m_layout.leftPanel, 0x2C201A);
    return 0;
}

void ScanResultPageWnd::DrawPreview(HDC dc)
{
    if (CurrentFilePath().empty())
        return;
    const RECT& box = m_layout.preview;
    std::wstring wide(CurrentFilePath().begin(), CurrentFilePath().end());
    Gdiplus::Image image(wide.c_str());
    if (image.GetLastStatus() == Gdiplus::Ok && image.GetWidth() > 0) {
        Gdiplus::Graphics graphics(dc);
        graphics.DrawImage(&image, (INT)box.left, (INT)box.top, (INT)(box.right - box.left), (INT)(box.bottom - box.top));
        return;
    }
    SHFILEINFOA info = {};
    if (SHGetFileInfoA(CurrentFilePath().c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_LARGEICON) && info.hIcon) {
        DrawIconEx(dc, (box.left + box.right) / 2 - 16, box.top + 5, info.hIcon, 32, 32, 0, nullptr, DI_NORMAL);
        DestroyIcon(info.hIcon);
    }
}

void ScanResultPageWnd::DrawDetails(HDC dc)
{
    const RECT& d = m_layout.details;
    const FoundFileRecord* record = CurrentFileRecord();
    const char* labels[] = {"Name", "Size", "Time", "Type"};
    std::string values[4];
    if (record) {
        values[0] = record->name;
        values[1] = ResourceHelper::FormatSize(record->size);
        FILETIME time = {(DWORD)record->time, (DWORD)(record->time >> 32)};
        SYSTEMTIME st = {};
        if (FileTimeToSystemTime(&time, &st))
            values[2] = SafeFormat("%d:%d:%d, %2d/%2d/%d", "%d:%d:%d, %2d/%2d/%d",
                                   {st.wHour, st.wMinute, st.wSecond, st.wMonth, st.wDay, st.wYear});
        const size_t dot = record->name.rfind('.');
        if (dot != std::string::npos && dot + 1 < record->name.size()) {
            values[3] = record->name.substr(dot + 1);
            for (char& ch : values[3])
                if (ch >= 'a' && ch <= 'z')
                    ch = (char)(ch - 'a' + 'A');
        }
    }
    for (int i = 0; i < 4; ++i) {
        const int top = m_layout.preview.bottom + 50 + i * 28;
        Text(dc, GetLangString(labels[i]), RECT{d.left + 10, top, d.left + 80, top + 24}, 18, 0x896E60,
             DT_VCENTER | DT_WORD_ELLIPSIS);
        Text(dc, values[i], RECT{d.left + 80, top, d.right - 10, top + 24}, 18, 0x896E60,
             DT_VCENTER | DT_WORD_ELLIPSIS);
    }
}

int ScanResultPageWnd::DrawForeground(HDC dc)
{
    if (m_refreshing)
        return 0;
    const ResultPageLayout& l = m_layout;
    HBRUSH frame = CreateSolidBrush(0x4C362B);
    FrameRect(dc, &l.content, frame);
    DeleteObject(frame);
    Fill(dc, RECT{l.content.left, l.header.bottom, l.content.right, l.header.bottom + 1}, 0x4C362B);
    Fill(dc, RECT{l.leftPanel.right, l.leftPanel.top, l.leftPanel.right + 1, l.leftPanel.bottom}, 0x4C362B);
    Fill(dc, RECT{l.treeArea.right, l.header.bottom, l.treeArea.right + 1, l.treeArea.bottom}, 0x4C362B);

    const FileTreeCtrl& tree = m_trees[m_visible];
    const int total = m_model.FileCount(m_visible);
    if (total > 0) {
        Fill(dc, RECT{l.selectBox.left + 1, l.selectBox.top + 1, l.selectBox.right - 1, l.selectBox.bottom - 1},
             0x2C201A);
        // Checked once the box (or auto-select) chose: every group keeps one file, so "all" never means every file.
        const bool all = tree.CheckedCount() > 0;
        if (Gdiplus::Image* box = all ? m_boxChecked : m_boxUnchecked)
            DrawImageAtOwnSize(dc, box, l.selectBox.left + 10, l.selectBox.top + 8);
        const std::string caption = FormatLangString("CheckBtnTipText", "Select all (%s)",
                                                     ResourceHelper::FormatSize(m_model.TotalSize(m_visible)));
        Text(dc, caption, RECT{l.selectBox.left + 31, l.selectBox.top, l.selectBox.left + 300, l.selectBox.bottom}, 16,
             0xDBBAAF, DT_VCENTER);
        Text(dc, m_selectionText, RECT{l.selectBox.left + 300, l.selectBox.top, l.selectBox.right - 10, l.selectBox.bottom},
             18, 0xA27A70, DT_VCENTER | DT_RIGHT | DT_END_ELLIPSIS);
    }
    // The header counts what is shown now, so it follows removals.
    const std::string header = FormatLangString("Location", "Location: %s   %d files, %s", m_location,
                                                m_model.FileCount(0), ResourceHelper::FormatSize(m_model.TotalSize(0)));
    Text(dc, header, RECT{l.header.left + 13, 28, l.header.right - 10, 48}, 18, 0x9DD510, DT_VCENTER | DT_END_ELLIPSIS);
    // The tabs, the visible one underlined.
    for (int k = 0; k < kCategoryCount; ++k) {
        const RECT tab = TabRect(k);
        if (k == m_visible)
            Fill(dc, RECT{tab.left, tab.bottom - 2, tab.right, tab.bottom}, 0x9DD510);
        Text(dc, m_tabCaptions[k], tab, 16, k == m_visible ? 0x9DD510 : 0xDBBAAF, DT_VCENTER | DT_END_ELLIPSIS);
    }
    DrawPreview(dc);
    DrawDetails(dc);
    return 0;
}

}  // namespace UiCtrl
