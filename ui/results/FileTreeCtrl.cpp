// ui/results/FileTreeCtrl.cpp
#include "ui/results/FileTreeCtrl.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shellapi.h>

#include <atomic>

#include "app/ImageOwnSize.h"
#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SkinImage.h"
#include "ui/dialogs/CommonTipDlg.h"
#include "ui/results/CurrentFile.h"

namespace {

const COLORREF kStripeEven = 0x241C17, kStripeOdd = 0x2B211C;
const COLORREF kGroupBackOdd = 0x271C17, kGroupBack = 0x2B211C, kFileBack = 0x18110E;
const COLORREF kHot = 0x323500, kGroupText = 0xF6C5C4, kGroupCaption = 0xB0887E;
const COLORREF kFileText = 0xC6A18F, kCountText = 0xF0C4B0, kStrike = 0xC8887E;

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void DrawTextIn(HDC dc, HFONT font, COLORREF colour, const std::string& text, RECT rect, UINT format)
{
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), (int)text.size(), &rect, format | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

struct CleanJob
{
    std::vector<FoundFileRecord*> records;
    RemovalReport report;
    std::atomic<int> done{0};
};

DWORD WINAPI CleanThreadProc(void* data)
{
    CleanJob* job = static_cast<CleanJob*>(data);
    job->report = RemoveRecordsToRecycleBin(job->records);
    job->done = 1;
    return 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(FileTreeCtrl, CTreeCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

FileTreeCtrl::FileTreeCtrl()
{
    m_checked = LoadSkinImage("checkbox_yes_list.png");
    m_unchecked = LoadSkinImage("checkbox_no_list.png");
    m_collapsed = LoadSkinImage("arrow3_normal.png");
    m_expanded = LoadSkinImage("arrow2_normal.png");
    m_preview = LoadSkinImage("preview_normal.png");
    m_previewHover = LoadSkinImage("preview_hover.png");
    m_bold = ResourceHelper::Instance().GetFont(16, FW_BOLD, false);
    m_normal = ResourceHelper::Instance().GetFont(14, FW_NORMAL, false);
}

FileTreeCtrl::~FileTreeCtrl()
{
    delete m_checked;
    delete m_unchecked;
    delete m_collapsed;
    delete m_expanded;
    delete m_preview;
    delete m_previewHover;
}

RECT FileTreeCtrl::PreviewRect(const RECT& rowText) const
{
    RECT client;
    GetClientRect(&client);
    const int width = m_preview ? (int)m_preview->GetWidth() : 20;
    const int height = m_preview ? (int)m_preview->GetHeight() : 20;
    return RECT{client.right - 30 - width, rowText.top + 6, client.right - 30, rowText.top + 6 + height};
}

void FileTreeCtrl::PreSubclassWindow()
{
    SetItemHeight(kItemHeight);
    CTreeCtrl::PreSubclassWindow();
}

std::string FileTreeCtrl::PaddedItemText(const std::string& caption)
{
    const size_t length = caption.size();
    size_t zeros = 0;
    if (length < 11)
        zeros = 64;
    else if (length <= 20)
        zeros = 51;
    else if (length <= 30)
        zeros = 38;
    else if (length <= 40)
        zeros = 25;
    else if (length <= 50)
        zeros = 14;
    return caption + std::string(zeros, '0');
}

RECT FileTreeCtrl::CheckBoxRect(const RECT& rowText, bool group)
{
    const int left = rowText.left - 19 + (group ? 11 : 10);
    const int top = rowText.top + (group ? 20 : 15);
    return RECT{left, top, left + kCheckBoxSize, top + kCheckBoxSize};
}

HTREEITEM FileTreeCtrl::InsertRow(TreeItemLink* link, HTREEITEM parent)
{
    std::string caption;
    if (link->IsGroup())
        caption = link->group->files[0].record ? link->group->files[0].record->name : "";
    else
        caption = link->group->files[link->file].record->name;
    const std::string text = PaddedItemText(caption);
    HTREEITEM item = InsertItem(TVIF_TEXT | TVIF_PARAM, text.c_str(), 0, 0, 0, 0, (LPARAM)link, parent, TVI_LAST);
    if (!item)
        return nullptr;
    // A group row is two item heights, a file row one.
    TVITEMEXA integral = {};
    integral.mask = TVIF_HANDLE | TVIF_INTEGRAL;
    integral.hItem = item;
    integral.iIntegral = link->IsGroup() ? 2 : 1;
    SendMessage(TVM_SETITEMA, 0, (LPARAM)&integral);
    return item;
}

void FileTreeCtrl::DeleteAllRows()
{
    if (m_hWnd)
        DeleteAllItems();
    m_links.clear();
    m_hot = nullptr;
}

void FileTreeCtrl::Rebuild()
{
    DeleteAllRows();
    if (!m_model)
        return;
    HTREEITEM first = nullptr;
    bool odd = true;
    for (ResultGroup* group : m_model->GroupsOf(m_category)) {
        group->expanded = false;
        m_links.push_back(TreeItemLink{group, -1, odd});
        odd = !odd;
        HTREEITEM item = InsertRow(&m_links.back(), TVI_ROOT);
        if (!first)
            first = item;
    }
    if (first)
        SelectItem(first);
    Invalidate(FALSE);
}

const TreeItemLink* FileTreeCtrl::LinkOf(HTREEITEM item) const
{
    return item ? reinterpret_cast<const TreeItemLink*>(GetItemData(item)) : nullptr;
}

HTREEITEM FileTreeCtrl::GroupItem(size_t index) const
{
    HTREEITEM item = GetRootItem();
    for (size_t i = 0; item && i < index; ++i)
        item = GetNextSiblingItem(item);
    return item;
}

BOOL FileTreeCtrl::FillGroup(HTREEITEM item)
{
    const TreeItemLink* link = LinkOf(item);
    if (!link || !link->IsGroup())
        return FALSE;
    if (GetChildItem(item))
        return TRUE;
    ResultGroup* group = link->group;
    for (size_t i = 0; i < group->files.size(); ++i) {
        m_links.push_back(TreeItemLink{group, (int)i, false});
        InsertRow(&m_links.back(), item);
    }
    group->expanded = true;
    if (m_callBack)
        m_callBack->ExpandGroup(item, this);
    return GetChildItem(item) != nullptr;
}

void FileTreeCtrl::ToggleCheck(HTREEITEM item)
{
    const TreeItemLink* link = LinkOf(item);
    if (!link || !m_model)
        return;
    if (link->IsGroup()) {
        const bool checked = !link->group->Checked();
        m_model->SetGroupChecked(link->group, checked);
        if (m_callBack)
            m_callBack->OnCheckChanged(item, checked ? 1 : 0, this);
    } else {
        m_model->SetFileChecked(link->group, link->file, !link->group->files[link->file].checked);
    }
    if (m_callBack)
        m_callBack->OnSelectionChanged();
    Invalidate(FALSE);
}

void FileTreeCtrl::AutoSelectAll()
{
    if (m_model)
        m_model->AutoSelect(m_category);
    Invalidate(FALSE);
}

void FileTreeCtrl::UncheckAll()
{
    if (m_model)
        m_model->UncheckAll(m_category);
    Invalidate(FALSE);
}

RemovalReport FileTreeCtrl::CleanChecked()
{
    CleanJob job;
    if (m_model)
        job.records = m_model->CheckedFiles(m_category);
    EnableWindow(FALSE);
    HANDLE worker = CreateThread(nullptr, 0, CleanThreadProc, &job, 0, nullptr);
    if (!worker) {
        // Nothing was tried: every file is told as not removed.
        for (FoundFileRecord* record : job.records) {
            job.report.failedPaths.push_back(record->FullPath());
            job.report.failures.push_back(kRemovalRefused);
        }
    } else {
        // The tip belongs to the top-level window: the tree may sit inside a scroll frame.
        CommonTipDlg tip(CWnd::FromHandle(::GetAncestor(m_hWnd, GA_ROOT)), GetLangString("Cleaning").c_str(), &job.done);
        tip.DoModal();
        // The job lives on this stack: never leave while the worker may still use it.
        WaitForSingleObject(worker, INFINITE);
        CloseHandle(worker);
    }
    ClearCurrentFile();
    EnableWindow(TRUE);
    Invalidate(FALSE);
    return job.report;
}

void FileTreeCtrl::SetCurrentFile(HTREEITEM item)
{
    const TreeItemLink* link = LinkOf(item);
    if (!link)
        return;
    const FoundFileRecord* record = link->IsGroup() ? link->group->files[0].record : link->group->files[link->file].record;
    if (!record || IsRemoved(record))
        return;
    CurrentFilePath() = record->FullPath();
    CurrentFileRecord() = record;
}

void FileTreeCtrl::UpdateCurrentFile()
{
    HTREEITEM item = GetSelectedItem();
    if (!item) {
        ClearCurrentFile();
        return;
    }
    SetCurrentFile(item);
}

void FileTreeCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    HTREEITEM item = HitTest(point);
    const TreeItemLink* link = LinkOf(item);
    if (!link) {
        Default();
        return;
    }
    SetCurrentFile(item);
    if (m_callBack)
        m_callBack->Repaint();
    RECT text;
    GetItemRect(item, &text, TRUE);
    const RECT box = CheckBoxRect(text, link->IsGroup());
    if (PtInRect(&box, point)) {
        ToggleCheck(item);
        return;
    }
    if (link->IsGroup()) {
        FillGroup(item);
        const bool open = (GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
        Expand(item, open ? TVE_COLLAPSE : TVE_EXPAND);
        SelectItem(item);
        SetFocus();
        Invalidate(FALSE);
        return;
    }
    const RECT preview = PreviewRect(text);
    const FoundFileRecord* record = link->group->files[link->file].record;
    if (PtInRect(&preview, point)) {
        // A removed file has nothing left to open.
        if (record && !IsRemoved(record))
            ShellExecuteA(m_hWnd, "open", record->FullPath().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    SelectItem(item);
    Invalidate(FALSE);
    (void)flags;
}

void FileTreeCtrl::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_SPACE) {
        ToggleCheck(GetSelectedItem());
        return;
    }
    Default();
    UpdateCurrentFile();
    if (m_callBack)
        m_callBack->Repaint();
    Invalidate(FALSE);
}

void FileTreeCtrl::OnMouseMove(UINT, CPoint point)
{
    m_mouse = {point.x, point.y};
    HTREEITEM item = HitTest(point);
    if (item) {
        // The open button follows the mouse.
        Invalidate(FALSE);
    }
    if (item != m_hot) {
        m_hot = item;
        Invalidate(FALSE);
    }
    Default();
}

void FileTreeCtrl::DrawPicture(HDC dc, Gdiplus::Image* image, int x, int y)
{
    if (image)
        DrawImageAtOwnSize(dc, image, x, y);
}

void FileTreeCtrl::DrawRow(HDC dc, HTREEITEM item, const RECT& text, const RECT& client)
{
    const TreeItemLink* link = LinkOf(item);
    if (!link)
        return;
    RECT row = text;
    row.left -= 19;
    row.right = client.right;
    const ResultGroup& group = *link->group;
    const int L = row.left, T = row.top;
    if (link->IsGroup()) {
        FillSolid(dc, row, item == m_hot ? kHot : (link->oddGroup ? kGroupBackOdd : kGroupBack));
        const RECT box = CheckBoxRect(text, true);
        DrawPicture(dc, group.Checked() ? m_checked : m_unchecked, box.left, box.top);
        const bool open = (GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
        DrawPicture(dc, open ? m_expanded : m_collapsed, L + kCheckBoxSize + 10, T + 20);
        const FoundFileRecord* first = group.files.empty() ? nullptr : group.files[0].record;
        DrawTextIn(dc, m_bold, kGroupText, first ? first->name : "", RECT{L + 40, T + 10, client.right - 80, T + 30},
                   DT_VCENTER | DT_END_ELLIPSIS);
        DrawTextIn(dc, m_normal, kGroupCaption, ResultModel::GroupCaption(group, GetLangString("Items")),
                   RECT{L + 40, T + 32, client.right - 80, row.bottom - 5}, DT_VCENTER | DT_END_ELLIPSIS);
        const std::string total = "/ " + std::to_string(group.files.size());
        RECT totalRect = {client.right - 80, T + 20, client.right - 25, T + 40};
        DrawTextIn(dc, m_bold, kCountText, total, totalRect, DT_RIGHT);
        SIZE extent = {};
        HGDIOBJ old = SelectObject(dc, m_bold);
        GetTextExtentPoint32A(dc, total.c_str(), (int)total.size(), &extent);
        SelectObject(dc, old);
        DrawTextIn(dc, m_bold, kCountText, std::to_string(group.CheckedCount()),
                   RECT{client.right - 140, T + 20, client.right - 25 - extent.cx - 3, T + 40}, DT_RIGHT);
        return;
    }
    FillSolid(dc, row, item == m_hot ? kHot : kFileBack);
    const ResultFile& file = group.files[link->file];
    const RECT box = CheckBoxRect(text, false);
    DrawPicture(dc, file.checked ? m_checked : m_unchecked, box.left, box.top);
    const int iconLeft = L + kCheckBoxSize + 15;
    const bool removed = IsRemoved(file.record);
    if (!removed) {
        SHFILEINFOA info = {};
        if (SHGetFileInfoA(file.record->name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                           SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON) && info.hIcon) {
            DrawIconEx(dc, iconLeft, T + 16, info.hIcon, 14, 14, 0, nullptr, DI_NORMAL);
            DestroyIcon(info.hIcon);
        }
    }
    const int nameLeft = iconLeft + 20;
    const RECT name = {nameLeft, T + 10, nameLeft + 100, T + 30};
    const RECT size = {name.right + 20, T + 10, name.right + 70, T + 30};
    const RECT preview = PreviewRect(text);
    const RECT path = {size.right + 20, T + 10, preview.left - 10, T + 30};
    DrawTextIn(dc, m_bold, kFileText, file.record->name, name, DT_VCENTER | DT_END_ELLIPSIS);
    DrawTextIn(dc, m_bold, kFileText, FormatSize(file.record->size), size, DT_VCENTER | DT_END_ELLIPSIS);
    DrawTextIn(dc, m_bold, kFileText, file.record->FullPath(), path, DT_VCENTER | DT_PATH_ELLIPSIS);
    if (!removed)
        DrawPicture(dc, PtInRect(&preview, m_mouse) && m_previewHover ? m_previewHover : m_preview, preview.left,
                    preview.top);
    if (file.checked || removed) {
        static HPEN strike = CreatePen(PS_SOLID, 1, kStrike);
        HGDIOBJ old = SelectObject(dc, strike);
        MoveToEx(dc, name.left, T + 20, nullptr);
        LineTo(dc, path.right, T + 20);
        SelectObject(dc, old);
    }
}

void FileTreeCtrl::OnPaint()
{
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(m_hWnd, &paint);
    RECT client;
    GetClientRect(&client);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    for (int i = 0; i * 60 < client.bottom; ++i)
        FillSolid(memory, RECT{0, i * 60, client.right, (i + 1) * 60}, (i % 2) ? kStripeOdd : kStripeEven);
    for (HTREEITEM item = GetFirstVisibleItem(); item; item = GetNextVisibleItem(item)) {
        RECT text;
        if (!GetItemRect(item, &text, TRUE) || text.top > client.bottom)
            break;
        DrawRow(memory, item, text, client);
    }
    BitBlt(screen, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(m_hWnd, &paint);
}
