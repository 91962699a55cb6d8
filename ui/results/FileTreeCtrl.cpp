// ui/results/FileTreeCtrl.cpp
#include "ui/results/FileTreeCtrl.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>

#include "app/ImageOwnSize.h"
#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SafeFormat.h"
#include "app/SkinImage.h"
#include "ui/results/CurrentFile.h"
#include "ui/results/PathTail.h"

namespace {

const COLORREF kStripeEven = 0x241C17, kStripeOdd = 0x2B211C;
const COLORREF kGroupBackOdd = 0x271C17, kFileBack = 0x18110E;
const COLORREF kGroupCaption = 0xB0887E, kFileText = 0xC6A18F, kCountText = 0xF0C4B0, kStrike = 0xC8887E;
const COLORREF kLookAlike = 0x4FB0F0;  // amber: a look-alike group and its notes
const COLORREF kPartMark = 0x9EF23C;  // brighter than the checked box's green
const COLORREF kAllMark = 0x3C3CF0;   // red: every file of the group is checked

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// The fonts are looked up on every paint: a language change replaces them.
HFONT BoldFont()
{
    return ResourceHelper::Instance().GetFont(16, FW_BOLD, false);
}

HFONT NormalFont()
{
    return ResourceHelper::Instance().GetFont(14, FW_NORMAL, false);
}

// Names and paths are in the system's code page whatever the interface language.
HFONT NameFont()
{
    return ResourceHelper::Instance().GetFileNameFont(16, FW_BOLD);
}

void DrawTextIn(HDC dc, HFONT font, COLORREF colour, const std::string& text, RECT rect, UINT format)
{
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), (int)text.size(), &rect, format | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
}

int TextWidth(HDC dc, HFONT font, const std::string& text)
{
    SIZE extent = {};
    HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32A(dc, text.c_str(), (int)text.size(), &extent);
    SelectObject(dc, old);
    return extent.cx;
}

std::string LowerExtension(const std::string& name)
{
    const size_t dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    for (char& ch : extension)
        if (ch >= 'A' && ch <= 'Z')
            ch = (char)(ch - 'A' + 'a');
    return extension;
}

}  // namespace

BEGIN_MESSAGE_MAP(FileTreeCtrl, CTreeCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_VSCROLL, &FileTreeCtrl::OnRowsMoved)
    ON_MESSAGE(WM_MOUSEWHEEL, &FileTreeCtrl::OnRowsMoved)
    ON_MESSAGE(WM_LBUTTONUP, &FileTreeCtrl::OnRowsMoved)
END_MESSAGE_MAP()

FileTreeCtrl::FileTreeCtrl()
{
    m_checked = LoadSkinImage("checkbox_yes_list.png");
    m_unchecked = LoadSkinImage("checkbox_no_list.png");
    m_collapsed = LoadSkinImage("arrow3_normal.png");
    m_expanded = LoadSkinImage("arrow2_normal.png");
    m_preview = LoadSkinImage("preview_normal.png");
    m_previewHover = LoadSkinImage("preview_hover.png");
}

FileTreeCtrl::~FileTreeCtrl()
{
    delete m_checked;
    delete m_unchecked;
    delete m_collapsed;
    delete m_expanded;
    delete m_preview;
    delete m_previewHover;
    for (auto& entry : m_icons)
        if (entry.second)
            DestroyIcon(entry.second);
    if (m_background)
        DeleteObject(m_background);
    if (m_toolTip && ::IsWindow(m_toolTip))
        ::DestroyWindow(m_toolTip);
}

void FileTreeCtrl::ReloadText()
{
    m_itemsWord = GetLangString("Items");
    m_lookAlikeGroup = GetLangString("LookAlikeGroup");
    m_lookAlikeCopy = GetLangString("LookAlikeCopy");
    m_lookAlikeOnly = GetLangString("LookAlikeOnly");
    for (TreeRowRecord& record : m_records)
        if (record.isGroup && record.group)
            record.secondCaption = GroupCaption(*record.group);
    if (m_hWnd)
        Invalidate(FALSE);
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

RECT FileTreeCtrl::CheckBoxOf(const RECT& rowText, bool group) const
{
    const int left = rowText.left - 19 + (group ? m_groupBoxLeft : m_fileBoxLeft);
    const int top = rowText.top + (group ? 20 : 15);
    return RECT{left, top, left + m_boxSize.cx, top + m_boxSize.cy};
}

RECT FileTreeCtrl::CheckBoxHitRect(const RECT& rowText, bool group) const
{
    // Not to the right: the arrow and the icon begin there.
    RECT hit = CheckBoxOf(rowText, group);
    hit.left -= m_boxHitMargin;
    hit.top -= m_boxHitMargin;
    hit.bottom += m_boxHitMargin;
    return hit;
}

void FileTreeCtrl::SetCheckBoxSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    m_boxSize = SIZE{width, height};
    if (m_hWnd)
        Invalidate(FALSE);
}

void FileTreeCtrl::SetCheckBoxMargins(int hit, int groupLeft, int fileLeft)
{
    m_boxHitMargin = std::max(0, hit);
    m_groupBoxLeft = groupLeft;
    m_fileBoxLeft = fileLeft;
    if (m_hWnd)
        Invalidate(FALSE);
}

bool FileTreeCtrl::LoadBackgroundBitmap(int resourceId)
{
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId));
    if (!bitmap)
        return false;
    if (m_background)
        DeleteObject(m_background);
    m_background = bitmap;
    if (m_hWnd)
        Invalidate(FALSE);
    return true;
}

void FileTreeCtrl::ReportPrune(const PruneOutcome& outcome)
{
    if (!m_callBack || m_category < 0 || m_category > kCategoryOther)
        return;
    const CategoryPrune& figures = outcome.byCategory[m_category];
    if (figures.files > 0)
        m_callBack->OnFileRemoved(m_category, figures.bytes, figures.files);
    for (const auto& group : outcome.dropped) {
        if (!group || (m_category != kCategoryAllFiles && group->category != m_category))
            continue;
        // The row went before the prune: the link carries the group, without an item.
        TreeRowRecord record;
        record.group = group.get();
        record.file = group->files.empty() ? nullptr : group->files[0].record;
        record.category = group->category;
        record.isGroup = true;
        record.fileCount = (int)group->files.size();
        TreeItemLink link;
        link.tree = this;
        link.record = &record;
        link.isGroup = true;
        m_callBack->OnGroupRemoved(nullptr, &link, this, true);
    }
}

void FileTreeCtrl::RemoveGroup(HTREEITEM item, const TreeItemLink* link)
{
    if (item && m_hWnd)
        DeleteItem(item);
    const ResultGroup* group = link && link->record ? link->record->group : nullptr;
    if (group) {
        m_openBefore.erase(group);
        if (m_topBefore == group)
            m_topBefore = nullptr;
        m_groups.erase(std::remove(m_groups.begin(), m_groups.end(), group), m_groups.end());
    }
}

const TreeItemLink* FileTreeCtrl::GroupLinkOf(HTREEITEM item) const
{
    const TreeItemLink* link = LinkOf(item);
    return link && link->isGroup && link->record && link->record->group ? link : nullptr;
}

int FileTreeCtrl::RecountGroup(HTREEITEM item)
{
    const TreeItemLink* link = GroupLinkOf(item);
    if (!link)
        return -1;
    int count = 0;
    int64_t size = 0;
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child)) {
        const TreeItemLink* file = LinkOf(child);
        if (!file || !file->record)
            continue;
        file->record->SyncMarks();
        if (file->record->checked) {
            ++count;
            size += file->record->file ? file->record->file->size : 0;
        }
    }
    link->record->checkedCount = count;
    link->record->checkedSize = size;
    return count;
}

int FileTreeCtrl::GroupCheckedCount(HTREEITEM item) const
{
    const TreeItemLink* link = GroupLinkOf(item);
    return link ? link->record->group->CheckedCount() : 0;
}

int64_t FileTreeCtrl::GroupCheckedSize(HTREEITEM item) const
{
    const TreeItemLink* link = GroupLinkOf(item);
    return link ? link->record->group->CheckedSize() : 0;
}

void FileTreeCtrl::SetChildrenChecked(HTREEITEM item, bool checked)
{
    const TreeItemLink* link = GroupLinkOf(item);
    if (!link || !m_model)
        return;
    ResultGroup* group = link->record->group;
    for (size_t i = 0; i < group->files.size(); ++i)
        m_model->SetFileChecked(group, i, checked);
    if (m_callBack)
        m_callBack->OnSelectionChanged();
    Invalidate(FALSE);
}

void FileTreeCtrl::UncheckGroups()
{
    if (m_model)
        for (ResultGroup* group : m_model->GroupsOf(m_category))
            m_model->SetGroupChecked(group, false);
    if (m_callBack)
        m_callBack->OnSelectionChanged();
    Invalidate(FALSE);
}

std::string FileTreeCtrl::GroupCaption(const ResultGroup& group) const
{
    return ResultModel::GroupCaption(group, m_itemsWord);
}

std::string FileTreeCtrl::LookAlikeNote(const TreeRowRecord& record) const
{
    if (!record.group || !record.group->lookAlike || record.isGroup || !record.file)
        return std::string();
    std::string note;
    if (record.file->pixelWidth && record.file->pixelHeight)
        note = SafeFormat("%u x %u", "%u x %u", {record.file->pixelWidth, record.file->pixelHeight}) + "   ";
    const int partner = CopyPartnerOf(*record.group, (size_t)record.member);
    if (partner)
        note += SafeFormat(m_lookAlikeCopy, "same bytes as #%d", {partner});
    else
        note += m_lookAlikeOnly.empty() ? std::string("alike only") : m_lookAlikeOnly;
    return note;
}

TreeRowRecord* FileTreeCtrl::MakeRecord(ResultGroup* group, int member, bool oddGroup)
{
    m_records.emplace_back();
    TreeRowRecord& record = m_records.back();
    record.group = group;
    record.member = member;
    record.category = group->category;
    record.isGroup = member < 0;
    if (record.isGroup) {
        record.file = group->files.empty() ? nullptr : group->files[0].record;
        record.secondCaption = GroupCaption(*group);
        record.captionColour = kGroupCaption;
        if (oddGroup)
            record.backColour = kGroupBackOdd;
    } else {
        record.file = group->files[(size_t)member].record;
        record.firstCaption = record.file ? record.file->name : std::string();
        if (record.file)
            record.secondCaption = SafeFormat("%I64d   %s", "%I64d   %s", {(long long)record.file->size, record.file->folder.str()});
        record.textColour = kFileText;
        record.backColour = kFileBack;
        record.index = member + 1;
    }
    record.SyncMarks();
    return &record;
}

HTREEITEM FileTreeCtrl::InsertRow(TreeItemLink* link, HTREEITEM parent)
{
    TreeRowRecord* record = link->record;
    const std::string caption = record->file ? record->file->name : std::string();
    const std::string text = PaddedItemText(caption);
    HTREEITEM item = InsertItem(TVIF_TEXT | TVIF_PARAM, text.c_str(), 0, 0, 0, 0, (LPARAM)link, parent, TVI_LAST);
    if (!item)
        return nullptr;
    link->item = item;
    link->parent = parent == TVI_ROOT ? nullptr : parent;
    record->links.push_back(link);
    // A group row is two item heights, a file row one.
    TVITEMEXA integral = {};
    integral.mask = TVIF_HANDLE | TVIF_INTEGRAL;
    integral.hItem = item;
    integral.iIntegral = link->isGroup ? 2 : 1;
    SendMessage(TVM_SETITEMA, 0, (LPARAM)&integral);
    return item;
}

bool FileTreeCtrl::InsertNextBatch()
{
    if (!m_hWnd || m_nextGroup >= m_groups.size())
        return false;
    const size_t end = std::min(m_groups.size(), m_nextGroup + kRowBatch);
    // One scroll-range update for the batch instead of one per row (each walks every row).
    SetRedraw(FALSE);
    for (; m_nextGroup < end; ++m_nextGroup) {
        ResultGroup* group = m_groups[m_nextGroup];
        m_links.emplace_back();
        TreeItemLink& link = m_links.back();
        link.tree = this;
        link.isGroup = true;
        link.record = MakeRecord(group, -1, m_oddNext);
        m_oddNext = !m_oddNext;
        InsertRow(&link, TVI_ROOT);
    }
    SetRedraw(TRUE);
    return true;
}

void FileTreeCtrl::FillToView()
{
    if (!m_hWnd)
        return;
    RECT client;
    GetClientRect(&client);
    // A page of rows below the visible ones, so that scrolling on finds them there.
    const int reach = client.bottom + std::max<int>(client.bottom, 8 * kGroupRowHeight);
    while (m_nextGroup < m_groups.size()) {
        HTREEITEM last = m_links.empty() ? nullptr : GetRootItem();
        // The last root row inserted: the group row of the newest group link.
        for (auto it = m_links.rbegin(); it != m_links.rend(); ++it)
            if (it->isGroup) {
                last = it->item;
                break;
            }
        RECT rect;
        if (last && GetItemRect(last, &rect, FALSE) && rect.top > reach)
            return;
        if (!InsertNextBatch())
            return;
    }
}

void FileTreeCtrl::DeleteAllRows()
{
    if (m_hWnd && GetRootItem()) {
        // Remember the user's place for the rebuild that follows a refresh.
        m_openBefore.clear();
        for (const TreeItemLink& link : m_links)
            if (link.isGroup && link.item && (GetItemState(link.item, TVIS_EXPANDED) & TVIS_EXPANDED))
                m_openBefore.insert(link.record->group);
        const TreeItemLink* top = LinkOf(GetFirstVisibleItem());
        m_topBefore = top ? top->record->group : nullptr;
    }
    if (m_hWnd)
        DeleteAllItems();
    m_links.clear();
    m_records.clear();
    m_groups.clear();
    m_nextGroup = 0;
    m_oddNext = true;
    m_hot = nullptr;
    m_hotPreview = false;
}

void FileTreeCtrl::ForgetView()
{
    m_openBefore.clear();
    m_topBefore = nullptr;
}

void FileTreeCtrl::Rebuild()
{
    DeleteAllRows();
    if (!m_model)
        return;
    ReloadText();
    m_groups = m_model->GroupsOf(m_category);
    // Rows up to the last group the view must show again.
    size_t needed = 0;
    for (size_t i = 0; i < m_groups.size(); ++i)
        if (m_groups[i] == m_topBefore || m_openBefore.count(m_groups[i]))
            needed = i + 1;
    while (m_nextGroup < needed && InsertNextBatch()) {
    }
    InsertNextBatch();
    if (HTREEITEM first = GetRootItem())
        SelectItem(first);
    HTREEITEM top = nullptr;
    for (size_t i = 0; i < m_links.size(); ++i) {
        TreeItemLink& link = m_links[i];
        if (!link.isGroup)
            continue;
        if (link.record->group == m_topBefore)
            top = link.item;
        if (m_openBefore.count(link.record->group) && FillGroup(link.item))
            Expand(link.item, TVE_EXPAND);
    }
    if (top)
        SelectSetFirstVisible(top);
    ForgetView();
    FillToView();
    Invalidate(FALSE);
}

const TreeItemLink* FileTreeCtrl::LinkOf(HTREEITEM item) const
{
    return item ? reinterpret_cast<const TreeItemLink*>(GetItemData(item)) : nullptr;
}

HTREEITEM FileTreeCtrl::GroupItem(size_t index)
{
    while (m_nextGroup <= index && InsertNextBatch()) {
    }
    HTREEITEM item = GetRootItem();
    for (size_t i = 0; item && i < index; ++i)
        item = GetNextSiblingItem(item);
    return item;
}

BOOL FileTreeCtrl::FillGroup(HTREEITEM item)
{
    TreeItemLink* link = const_cast<TreeItemLink*>(LinkOf(item));
    if (!link || !link->isGroup)
        return FALSE;
    if (link->filled)
        return GetChildItem(item) != nullptr;
    ResultGroup* group = link->record->group;
    for (size_t i = 0; i < group->files.size(); ++i) {
        m_links.emplace_back();
        TreeItemLink& child = m_links.back();
        child.tree = this;
        child.groupLink = link;
        child.record = MakeRecord(group, (int)i, false);
        InsertRow(&child, item);
    }
    link->filled = true;
    link->record->collapsed = false;
    if (m_callBack)
        m_callBack->ExpandGroup(item, this);
    return GetChildItem(item) != nullptr;
}

void FileTreeCtrl::ToggleCheck(HTREEITEM item)
{
    const TreeItemLink* link = LinkOf(item);
    if (!link || !m_model)
        return;
    ResultGroup* group = link->record->group;
    if (link->isGroup) {
        // Any mark in the group, partly checked included, is cleared by the box.
        const bool checked = group->CheckedCount() == 0;
        m_model->SetGroupChecked(group, checked);
        if (m_callBack) {
            if (checked)
                m_callBack->AutoSelectGroup(item, this);
            m_callBack->OnCheckChanged(item, checked ? 1 : 0, this);
        }
    } else {
        const size_t member = (size_t)link->record->member;
        m_model->SetFileChecked(group, member, !group->files[member].checked);
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

void FileTreeCtrl::SetCurrentFile(HTREEITEM item)
{
    const TreeItemLink* link = LinkOf(item);
    if (!link)
        return;
    const FoundFileRecord* record = link->record->file;
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
    const RECT box = CheckBoxHitRect(text, link->isGroup);
    if (PtInRect(&box, point)) {
        ToggleCheck(item);
        return;
    }
    if (link->isGroup) {
        FillGroup(item);
        const bool open = (GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
        Expand(item, open ? TVE_COLLAPSE : TVE_EXPAND);
        link->record->collapsed = open;
        SelectItem(item);
        SetFocus();
        FillToView();
        Invalidate(FALSE);
        return;
    }
    const RECT preview = PreviewRect(text);
    const FoundFileRecord* record = link->record->file;
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

LRESULT FileTreeCtrl::OnRowsMoved(WPARAM, LPARAM)
{
    // The rows drawn over the control's own may have moved or changed their look: all of
    // them are drawn again, not only the strip the control scrolled in.
    Invalidate(FALSE);
    return Default();
}

void FileTreeCtrl::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_SPACE) {
        ToggleCheck(GetSelectedItem());
        return;
    }
    Default();
    FillToView();
    UpdateCurrentFile();
    if (m_callBack)
        m_callBack->Repaint();
    Invalidate(FALSE);
}

void FileTreeCtrl::InvalidateRow(HTREEITEM item)
{
    RECT row;
    if (!item || !GetItemRect(item, &row, FALSE))
        return;
    RECT client;
    GetClientRect(&client);
    row.left = 0;
    row.right = client.right;
    InvalidateRect(&row, FALSE);
}

void FileTreeCtrl::ShowToolTipFor(HTREEITEM item)
{
    if (!m_toolTip) {
        m_toolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        if (!m_toolTip)
            return;
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = m_hWnd;
        tool.uId = (UINT_PTR)m_hWnd;
        tool.lpszText = const_cast<char*>("");
        ::SendMessageA(m_toolTip, TTM_ADDTOOLA, 0, (LPARAM)&tool);
        ::SendMessageA(m_toolTip, TTM_SETMAXTIPWIDTH, 0, 900);
    }
    // A file row's whole path; a group row's first file.
    const TreeItemLink* link = LinkOf(item);
    const FoundFileRecord* file = link ? link->record->file : nullptr;
    std::string text = file ? file->FullPath() : std::string();
    TOOLINFOA tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = m_hWnd;
    tool.uId = (UINT_PTR)m_hWnd;
    tool.lpszText = &text[0];
    if (text.empty())
        ::SendMessageA(m_toolTip, TTM_POP, 0, 0);
    ::SendMessageA(m_toolTip, TTM_UPDATETIPTEXTA, 0, (LPARAM)&tool);
}

std::string FileTreeCtrl::ToolTipText() const
{
    if (!m_toolTip)
        return std::string();
    char text[1024] = {};
    TOOLINFOA tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = m_hWnd;
    tool.uId = (UINT_PTR)m_hWnd;
    tool.lpszText = text;
    ::SendMessageA(m_toolTip, TTM_GETTEXTA, sizeof(text), (LPARAM)&tool);
    return text;
}

void FileTreeCtrl::OnMouseMove(UINT flags, CPoint point)
{
    m_mouse = {point.x, point.y};
    HTREEITEM item = HitTest(point);
    // Only the rows whose look changes are drawn again.
    if (item != m_hot) {
        InvalidateRow(m_hot);
        InvalidateRow(item);
        m_hot = item;
        ShowToolTipFor(item);
    }
    if (m_toolTip) {
        MSG message = {m_hWnd, WM_MOUSEMOVE, (WPARAM)flags, MAKELPARAM(point.x, point.y), (DWORD)GetMessageTime(), {}};
        ::SendMessageA(m_toolTip, TTM_RELAYEVENT, 0, (LPARAM)&message);
    }
    bool overPreview = false;
    const TreeItemLink* link = LinkOf(item);
    RECT text;
    if (link && !link->isGroup && GetItemRect(item, &text, TRUE)) {
        const RECT preview = PreviewRect(text);
        overPreview = PtInRect(&preview, m_mouse) != FALSE;
    }
    if (overPreview != m_hotPreview) {
        m_hotPreview = overPreview;
        InvalidateRow(item);
    }
    Default();
}

void FileTreeCtrl::DrawPicture(HDC dc, Gdiplus::Image* image, int x, int y)
{
    if (image)
        DrawImageAtOwnSize(dc, image, x, y);
}

void FileTreeCtrl::DrawPartMark(HDC dc, int x, int y, int width, int height)
{
    FillSolid(dc, RECT{x + 4, y + 4, x + width - 4, y + height - 4}, kPartMark);
}

void FileTreeCtrl::DrawCheckBox(HDC dc, int mark, int x, int y)
{
    const bool ticked = mark == kGroupChecked || mark == kGroupAllChecked;
    Gdiplus::Image* picture = ticked ? m_checked : m_unchecked;
    if (picture && ((int)picture->GetWidth() != m_boxSize.cx || (int)picture->GetHeight() != m_boxSize.cy)) {
        // Another box size than the picture's: the picture is scaled to it.
        Gdiplus::Graphics graphics(dc);
        graphics.DrawImage(picture, x, y, (INT)m_boxSize.cx, (INT)m_boxSize.cy);
    } else {
        DrawPicture(dc, picture, x, y);
    }
    if (mark == kGroupPartlyChecked)
        DrawPartMark(dc, x, y, m_boxSize.cx, m_boxSize.cy);
    if (mark == kGroupAllChecked) {
        // A red frame round the tick: removing these leaves no copy.
        const int sx = m_boxSize.cx, sy = m_boxSize.cy, w = 2;
        FillSolid(dc, RECT{x, y, x + sx, y + w}, kAllMark);
        FillSolid(dc, RECT{x, y + sy - w, x + sx, y + sy}, kAllMark);
        FillSolid(dc, RECT{x, y, x + w, y + sy}, kAllMark);
        FillSolid(dc, RECT{x + sx - w, y, x + sx, y + sy}, kAllMark);
    }
}

HICON FileTreeCtrl::SmallIconFor(const std::string& name)
{
    const std::string extension = LowerExtension(name);
    auto found = m_icons.find(extension);
    if (found != m_icons.end())
        return found->second;
    SHFILEINFOA info = {};
    const std::string probe = "file" + extension;
    if (!SHGetFileInfoA(probe.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                        SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON))
        info.hIcon = nullptr;
    m_icons[extension] = info.hIcon;
    return info.hIcon;
}

void FileTreeCtrl::DrawRow(HDC dc, HTREEITEM item, const RECT& text, const RECT& client)
{
    const TreeItemLink* link = LinkOf(item);
    if (!link)
        return;
    TreeRowRecord& record = *link->record;
    record.SyncMarks();
    RECT row = text;
    row.left -= 19;
    row.right = client.right;
    const int L = row.left, T = row.top;
    const HFONT bold = BoldFont(), normal = NormalFont(), names = NameFont();
    FillSolid(dc, row, item == m_hot ? record.hotColour : record.backColour);
    if (link->isGroup) {
        const RECT box = CheckBoxOf(text, true);
        DrawCheckBox(dc, record.checked, box.left, box.top);
        const bool open = (GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
        DrawPicture(dc, open ? m_expanded : m_collapsed, box.right - 1, T + 20);
        DrawTextIn(dc, names, record.textColour, record.file ? record.file->name : "",
                   RECT{L + 40, T + 10, client.right - 80, T + 30}, DT_VCENTER | DT_END_ELLIPSIS);
        DrawTextIn(dc, normal, record.captionColour, record.secondCaption,
                   RECT{L + 40, T + 32, client.right - 80, row.bottom - 5}, DT_VCENTER | DT_END_ELLIPSIS);
        if (record.group->lookAlike) {
            // Said in words beside the caption: these pictures only look alike.
            const int after = L + 40 + TextWidth(dc, normal, record.secondCaption) + 12;
            const std::string mark = m_lookAlikeGroup.empty() ? std::string("Look-alike pictures") : m_lookAlikeGroup;
            DrawTextIn(dc, bold, kLookAlike, mark, RECT{after, T + 32, client.right - 80, row.bottom - 5},
                       DT_VCENTER | DT_END_ELLIPSIS);
        }
        const std::string total = "/ " + std::to_string(record.fileCount);
        DrawTextIn(dc, bold, kCountText, total, RECT{client.right - 80, T + 20, client.right - 25, T + 40}, DT_RIGHT);
        const int totalWidth = TextWidth(dc, bold, total);
        DrawTextIn(dc, bold, kCountText, std::to_string(record.checkedCount),
                   RECT{client.right - 140, T + 20, client.right - 25 - totalWidth - 3, T + 40}, DT_RIGHT);
        return;
    }
    const FoundFileRecord* file = record.file;
    const RECT box = CheckBoxOf(text, false);
    DrawCheckBox(dc, record.checked, box.left, box.top);
    const int iconLeft = box.right + 4;
    const bool removed = IsRemoved(file);
    if (file && !removed)
        if (HICON icon = SmallIconFor(file->name))
            DrawIconEx(dc, iconLeft, T + 16, icon, 14, 14, 0, nullptr, DI_NORMAL);
    if (!file)
        return;
    const RECT preview = PreviewRect(text);
    const int nameLeft = iconLeft + 20;
    const RECT name = {nameLeft, T + 10, nameLeft + 140, T + 30};
    // The size and the look-alike note take the room their words need.
    const std::string sizeText = FormatSize(file->size);
    const RECT size = {name.right + 20, T + 10, name.right + 20 + TextWidth(dc, bold, sizeText) + 2, T + 30};
    int next = size.right + 20;
    const std::string note = LookAlikeNote(record);
    if (!note.empty()) {
        const RECT noteRect = {next, T + 10, next + TextWidth(dc, bold, note) + 2, T + 30};
        DrawTextIn(dc, bold, kLookAlike, note, noteRect, DT_VCENTER);
        next = noteRect.right + 20;
    }
    const RECT path = {next, T + 10, std::max<LONG>(next, preview.left - 10), T + 30};
    DrawTextIn(dc, names, record.textColour, file->name, name, DT_VCENTER | DT_END_ELLIPSIS);
    DrawTextIn(dc, bold, record.textColour, sizeText, size, DT_VCENTER);
    // The folders next to the name tell copies apart: the path is cut from the front.
    const std::string shown = PathTail(file->FullPath(), path.right - path.left - 2,
                                       [&](const std::string& text) { return TextWidth(dc, names, text); });
    DrawTextIn(dc, names, record.textColour, shown, path, DT_VCENTER);
    record.previewHover = item == m_hot && m_hotPreview;
    if (!removed)
        DrawPicture(dc, record.previewHover && m_previewHover ? m_previewHover : m_preview, preview.left, preview.top);
    if (record.checked || removed) {
        static HPEN strike = CreatePen(PS_SOLID, 1, kStrike);
        HGDIOBJ old = SelectObject(dc, strike);
        MoveToEx(dc, name.left, T + 20, nullptr);
        LineTo(dc, path.right, T + 20);
        SelectObject(dc, old);
    }
}

void FileTreeCtrl::OnPaint()
{
    // Rows come into being as they come into view (scrolling, resizing, opening a group).
    FillToView();
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(m_hWnd, &paint);
    RECT client;
    GetClientRect(&client);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    if (m_background) {
        BITMAP size = {};
        GetObjectA(m_background, sizeof(size), &size);
        HDC source = CreateCompatibleDC(memory);
        HGDIOBJ old = SelectObject(source, m_background);
        for (int y = 0; size.bmHeight > 0 && y < client.bottom; y += size.bmHeight)
            for (int x = 0; size.bmWidth > 0 && x < client.right; x += size.bmWidth)
                BitBlt(memory, x, y, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    } else {
        for (int i = 0; i * 60 < client.bottom; ++i)
            FillSolid(memory, RECT{0, i * 60, client.right, (i + 1) * 60}, (i % 2) ? kStripeOdd : kStripeEven);
    }
    for (HTREEITEM item = GetFirstVisibleItem(); item; item = GetNextVisibleItem(item)) {
        RECT text;
        if (!GetItemRect(item, &text, TRUE) || text.top > client.bottom)
            break;
        if (text.bottom >= paint.rcPaint.top - kGroupRowHeight)
            DrawRow(memory, item, text, client);
    }
    BitBlt(screen, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(m_hWnd, &paint);
}
