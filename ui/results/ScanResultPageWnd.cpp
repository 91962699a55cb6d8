// ui/results/ScanResultPageWnd.cpp
#include "ui/results/ScanResultPageWnd.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shellapi.h>
#include <commoncontrols.h>

#include <algorithm>

#include "app/ImageOwnSize.h"
#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SafeFormat.h"
#include "app/SkinImage.h"
#include "ui/results/CurrentFile.h"
#include "uikit/scroll/SkinScroll.h"
#include "uikit/widget/CaptionedItem.h"
#include "uikit/widget/UiImgTextBtn.h"
#include "ui/results/ResultTimeText.h"

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
const COLORREF kNoteColour = 0x4FB0F0;  // amber, as the look-alike marks

// Where a widget of the given size goes so that all of it stays inside the client area.
RECT InsideClient(const RECT& client, int left, int top, int width, int height)
{
    left = std::max<int>(client.left, std::min<int>(left, client.right - width));
    top = std::max<int>(client.top, std::min<int>(top, client.bottom - height));
    return RECT{left, top, left + width, top + height};
}

void Fill(HDC dc, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Text(HDC dc, const std::string& text, RECT rect, int height, COLORREF colour, UINT format,
          bool names = false)
{
    // Names and paths are in the system's code page whatever the interface language.
    ResourceHelper& helper = ResourceHelper::Instance();
    HGDIOBJ old = SelectObject(dc, names ? helper.GetFileNameFont(height, FW_NORMAL) : helper.GetFont(height, FW_NORMAL, false));
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
    delete m_tips;
    ReleasePreview();
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
    m_tips = LoadSkinImage("tips.png");
    DragAcceptFiles(hwnd_, TRUE);
    m_dropDown.CreateWin(hwnd_, kCmdDropDown, 0, 0, 0, 0, WS_CHILD);
    ShowWindow(m_dropDown.GetHwnd(), SW_HIDE);
    m_dropDown.SetChosenValue(200);
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
    ShowWidget(kCmdOpen, false);
    ShowSelectButton(false);
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

void ScanResultPageWnd::ShowSelectButton(bool uncheck)
{
    ShowWidget(kCmdAutoSelect, !uncheck);
    ShowWidget(kCmdUncheckAll, uncheck);
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
    m_dropDown.ReloadText();
    for (FileTreeCtrl& tree : m_trees)
        tree.ReloadText();
    SetCategoryCaptions();
    ShowCategory(m_visible);  // the drop-down button's words
    return result;
}

void ScanResultPageWnd::ClearAll()
{
    for (FileTreeCtrl& tree : m_trees) {
        tree.DeleteAllRows();
        tree.ForgetView();  // the next scan's groups are others
    }
    m_model.Clear();
    m_outcome = ScanOutcome();
    m_selectionText.clear();
    ClearCurrentFile();
    ReleasePreview();
    SetCategoryCaptions();
    ShowSelectButton(false);  // a new scan's files start unchecked
}

std::string ScanResultPageWnd::OutcomeNote() const
{
    std::string note;
    if (m_outcome.stopped)
        note = GetLangString("ScanStoppedNote");
    // Only the counts that are not zero.
    auto add = [&note](const std::string& line) {
        if (!note.empty())
            note += "\n";
        note += line;
    };
    if (m_outcome.unlistableFolders)
        add(FormatLangCount("ScanUnlistedNote", m_outcome.unlistableFolders, m_outcome.unlistableFolders));
    if (m_outcome.unreadableFiles)
        add(FormatLangCount("ScanUnreadFilesNote", m_outcome.unreadableFiles, m_outcome.unreadableFiles));
    return note;
}

GroupMark ScanResultPageWnd::SelectAllMark() const
{
    const int checked = m_model.CheckedCount(m_visible);
    if (checked == 0)
        return kGroupUnchecked;
    return checked >= m_model.FileCount(m_visible) ? kGroupAllChecked : kGroupPartlyChecked;
}

void ScanResultPageWnd::SetActiveTab(int id)
{
    for (int tab = kCmdFirstTab; tab <= kCmdLastTab; ++tab)
        if (auto* item = dynamic_cast<UiImgTextBtn*>(FindItem(tab)))
            item->SetPressed(tab == id);
    InvalidateAll();
}

void ScanResultPageWnd::ShowCategory(int category)
{
    if (category < 0 || category >= kCategoryCount)
        return;
    m_visible = category;
    FileTreeCtrl& tree = m_trees[category];
    if (tree.m_hWnd) {
        tree.UpdateCurrentFile();
        tree.OnCategoryShown();
    }
    for (int k = 0; k < kCategoryCount; ++k)
        if (m_trees[k].m_hWnd)
            ::ShowWindow(OuterWindow(m_trees[k]), k == category && !m_trees[k].IsEmpty() ? SW_SHOW : SW_HIDE);
    ShowWidget(kCmdOpen, !CurrentFilePath().empty());
    // The tabs and the drop-down follow the visible tree, whichever chose it.
    SetActiveTab(category == 0 ? 0 : kCmdFirstTab + category - 1);
    m_dropDown.SetChosenValue(200 + category);
    if (auto* button = dynamic_cast<CaptionedItem*>(FindItem(kCmdDropDown))) {
        button->SetLangKey(kCategoryKeys[category]);
        button->SetCaption(FormatLangString("FilterName", GetLangString(kCategoryKeys[category])));
    }
    OnSelectionChanged();
}

void ScanResultPageWnd::OnSelectionChanged()
{
    if (m_refreshing)
        return;
    m_selectionText = m_trees[m_visible].GetSelectionSummary();
    InvalidateAll();
}

void ScanResultPageWnd::DeleteFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(file);
    MoveFileToRecycleBin(path);
}

void ScanResultPageWnd::NotifyOwner(WPARAM command)
{
    if (HWND parent = GetParent(hwnd_))
        SendMessageA(parent, WM_COMMAND, command, (LPARAM)hwnd_);
}

void ScanResultPageWnd::OnFileRemoved(int, int64_t, int)
{
    // The counts are read from the model, which the prune already changed.
    SetCategoryCaptions();
    InvalidateAll();
}

void ScanResultPageWnd::OnGroupRemoved(HTREEITEM item, TreeItemLink* link, FileTreeCtrl* tree, bool)
{
    if (tree)
        tree->RemoveGroup(item, link);
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
        ShowSelectButton(false);
        OnSelectionChanged();
        return;
    case kCmdRemove:
        OnRemoveChecked();
        return;
    case kCmdAutoSelect:
        // Every tree, as Uncheck all: each group keeps one file, and a removal takes only what
        // the visible tree checks.
        for (FileTreeCtrl& tree : m_trees)
            tree.AutoSelectAll();
        ShowSelectButton(true);
        OnSelectionChanged();
        return;
    case kCmdDropDown:
        OpenDropDown();
        return;
    case kCmdOpen:
        if (!CurrentFilePath().empty())
            ShellExecuteA(hwnd_, "open", CurrentFilePath().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    case kCmdCategoryChoice:
        if (lParam >= 200 && lParam <= 205)
            ShowCategory((int)lParam - 200);
        return;
    case kCmdSelectionChanged:
        OnSelectionChanged();
        return;
    default:
        if (id >= kCmdFirstTab && id <= kCmdLastTab) {
            SetActiveTab(id);
            ShowCategory(id - kCmdFirstTab + 1);
        }
        return;
    }
}

void ScanResultPageWnd::OpenDropDown()
{
    UiItem* button = FindItem(kCmdDropDown);
    if (!button || !m_dropDown.GetHwnd())
        return;
    POINT at = {button->Rect().left + 5, button->Rect().bottom + 4};
    ClientToScreen(hwnd_, &at);
    SetWindowPos(m_dropDown.GetHwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_dropDown.Open();
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
    case WM_NOTIFY:
        // A click in a tree may change how its rows look: all of them are drawn again.
        if (const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam))
            if (header->code == (UINT)NM_CLICK || header->code == (UINT)NM_DBLCLK)
                for (FileTreeCtrl& tree : m_trees)
                    if (tree.m_hWnd && tree.m_hWnd == header->hwndFrom)
                        tree.Invalidate(FALSE);
        break;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        break;
    case kMsgChartSlice:
        // A slice of a pie chart: its category (1..5), then the selection text of that tree.
        if (wParam >= 1 && wParam < kCategoryCount)
            ShowCategory((int)wParam);
        OnSelectionChanged();
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
    // Laid out from the page's own client size, whatever size it had before.
    RECT client;
    GetClientRect(hwnd_, &client);
    m_layout = ResultPageLayout::For(client);
    const RECT& tree = m_layout.treeArea;
    for (FileTreeCtrl& t : m_trees)
        if (t.m_hWnd)
            ::MoveWindow(OuterWindow(t), tree.left, tree.top, std::max<int>(0, tree.right - tree.left),
                         std::max<int>(0, tree.bottom - tree.top), TRUE);
    PlaceWidgets();
    InvalidateAll();
    return result;
}

void ScanResultPageWnd::PlaceWidgets()
{
    RECT client;
    GetClientRect(hwnd_, &client);
    auto place = [&](int id, int left, int top) {
        if (UiItem* item = FindItem(id)) {
            const RECT r = item->Rect();
            item->SetRect(InsideClient(client, left, top, r.right - r.left, r.bottom - r.top));
        }
    };
    auto width = [&](int id) {
        UiItem* item = FindItem(id);
        return item ? (int)(item->Rect().right - item->Rect().left) : 0;
    };
    const int removeLeft = m_layout.content.right - width(kCmdRemove);
    place(kCmdBack, m_layout.content.left, m_layout.buttonTop);
    place(kCmdRemove, removeLeft, m_layout.buttonTop);
    for (int id : {kCmdAutoSelect, kCmdUncheckAll})
        place(id, removeLeft - 10 - width(id), m_layout.buttonTop);
    place(kCmdOpen, m_layout.preview.right - 50 - width(kCmdOpen), m_layout.preview.bottom + 14);
    // The left panel: the category drop-down, then the five category tabs.
    const RECT& panel = m_layout.leftPanel;
    place(kCmdDropDown, panel.left + 15, panel.top + 12);
    for (int id = kCmdFirstTab; id <= kCmdLastTab; ++id)
        place(id, panel.left + 15, panel.top + 56 + (id - kCmdFirstTab) * 44);
}

int ScanResultPageWnd::OnLButtonUp(WPARAM wParam, LPARAM lParam)
{
    const int result = UiSdkWndBase::OnLButtonUp(wParam, lParam);
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    if (PtInRect(&m_layout.selectBox, point)) {
        FileTreeCtrl& tree = m_trees[m_visible];
        if (tree.CheckedCount() > 0)
            tree.UncheckAll();
        else
            tree.AutoSelectAll();
        OnSelectionChanged();
    } else if (PtInRect(&m_noteArea, point) && (m_outcome.unlistableFolders || m_outcome.unreadableFiles)) {
        ShowSkippedPaths();
    }
    return result;
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
    // Shows through where no tree is: an empty category.
    if (m_tips) {
        const RECT& t = m_layout.treeArea;
        DrawImageAtOwnSize(dc, m_tips, (t.left + t.right - (int)m_tips->GetWidth()) / 2,
                           (t.top + t.bottom - (int)m_tips->GetHeight()) / 2);
    }
    return 0;
}

void ScanResultPageWnd::ReleasePreview()
{
    delete m_previewPicture;
    m_previewPicture = nullptr;
    if (m_previewIcon)
        DestroyIcon(m_previewIcon);
    m_previewIcon = nullptr;
    m_previewIconSize = 0;
    m_previewPath.clear();
}

void ScanResultPageWnd::LoadPreview()
{
    if (CurrentFilePath() == m_previewPath)
        return;
    ReleasePreview();
    m_previewPath = CurrentFilePath();
    if (m_previewPath.empty())
        return;
    const RECT& box = m_layout.preview;
    const int width = box.right - box.left, height = box.bottom - box.top;
    ++m_previewDecodes;
    std::wstring wide(m_previewPath.size() + 1, L'\0');
    wide.resize((size_t)std::max(0, MultiByteToWideChar(CP_ACP, 0, m_previewPath.c_str(), -1, &wide[0], (int)wide.size()) - 1));
    Gdiplus::Image image(wide.c_str());
    if (image.GetLastStatus() == Gdiplus::Ok && image.GetWidth() > 0 && width > 0 && height > 0) {
        // Scaled once into a picture of the box's size; painting only copies it.
        m_previewPicture = new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB);
        Gdiplus::Graphics graphics(m_previewPicture);
        graphics.DrawImage(&image, 0, 0, width, height);
        return;
    }
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(m_previewPath.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX))
        return;
    IImageList* list = nullptr;
    if (FAILED(SHGetImageList(SHIL_JUMBO, __uuidof(IImageList), reinterpret_cast<void**>(&list))) || !list)
        return;
    HICON icon = nullptr;
    if (SUCCEEDED(list->GetIcon(info.iIcon, ILD_TRANSPARENT, &icon)) && icon) {
        int cx = 0, cy = 0;
        list->GetIconSize(&cx, &cy);
        m_previewIcon = icon;
        m_previewIconSize = cx;
    }
    list->Release();
}

void ScanResultPageWnd::DrawPreview(HDC dc)
{
    LoadPreview();
    const RECT& box = m_layout.preview;
    if (m_previewPicture) {
        Gdiplus::Graphics graphics(dc);
        graphics.DrawImage(m_previewPicture, (INT)box.left, (INT)box.top, (INT)m_previewPicture->GetWidth(),
                           (INT)m_previewPicture->GetHeight());
        return;
    }
    if (m_previewIcon) {
        // In its own size, but never beyond the box.
        const int side = std::min<int>(m_previewIconSize, std::min<int>(box.right - box.left, box.bottom - box.top - 5));
        DrawIconEx(dc, (box.left + box.right - side) / 2, box.top + 5, m_previewIcon, side, side, 0, nullptr, DI_NORMAL);
    }
}

std::vector<std::string> ScanResultPageWnd::DetailValues() const
{
    std::vector<std::string> values(5);
    const FoundFileRecord* record = CurrentFileRecord();
    if (!record)
        return values;
    values[0] = record->name;
    values[1] = ResourceHelper::FormatSize(record->size);
    values[2] = FormatLocalFileTime(record->time);
    const size_t dot = record->name.rfind('.');
    if (dot != std::string::npos && dot + 1 < record->name.size()) {
        values[3] = record->name.substr(dot + 1);
        for (char& ch : values[3])
            if (ch >= 'a' && ch <= 'z')
                ch = (char)(ch - 'a' + 'A');
    }
    values[4] = record->FullPath();
    return values;
}

void ScanResultPageWnd::DrawDetails(HDC dc)
{
    const RECT& d = m_layout.details;
    const char* labels[] = {"Name", "Size", "Time", "Type"};
    const std::vector<std::string> values = DetailValues();
    int top = m_layout.preview.bottom + 50;
    for (int i = 0; i < 4; ++i, top += 28) {
        Text(dc, GetLangString(labels[i]), RECT{d.left + 10, top, d.left + 80, top + 24}, 18, 0x896E60,
             DT_VCENTER | DT_WORD_ELLIPSIS);
        Text(dc, values[i], RECT{d.left + 80, top, d.right - 10, top + 24}, 18, 0x896E60,
             DT_VCENTER | DT_WORD_ELLIPSIS, i == 0);
    }
    // The whole path, wrapped wherever it must be: the folder is what tells copies apart.
    if (!values[4].empty()) {
        RECT area = {d.left + 10, top + 4, d.right - 10, d.bottom - 6};
        HGDIOBJ old = SelectObject(dc, ResourceHelper::Instance().GetFileNameFont(16, FW_NORMAL));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, 0x896E60);
        DrawTextA(dc, values[4].c_str(), (int)values[4].size(), &area,
                  DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, old);
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

    const int total = m_model.FileCount(m_visible);
    if (total > 0) {
        Fill(dc, RECT{l.selectBox.left + 1, l.selectBox.top + 1, l.selectBox.right - 1, l.selectBox.bottom - 1},
             0x2C201A);
        // A full tick only when every file is checked; some checked shows the partly mark.
        const GroupMark mark = SelectAllMark();
        if (Gdiplus::Image* box = mark == kGroupAllChecked ? m_boxChecked : m_boxUnchecked)
            DrawImageAtOwnSize(dc, box, l.selectBox.left + 10, l.selectBox.top + 8);
        if (mark == kGroupPartlyChecked)
            FileTreeCtrl::DrawPartMark(dc, l.selectBox.left + 10, l.selectBox.top + 8);
        const std::string caption = FormatLangString("CheckBtnTipText", ResourceHelper::FormatSize(m_model.TotalSize(m_visible)));
        Text(dc, caption, RECT{l.selectBox.left + 31, l.selectBox.top, l.selectBox.left + 300, l.selectBox.bottom}, 16,
             0xDBBAAF, DT_VCENTER);
        Text(dc, m_selectionText, RECT{l.selectBox.left + 300, l.selectBox.top, l.selectBox.right - 10, l.selectBox.bottom},
             18, 0xA27A70, DT_VCENTER | DT_RIGHT | DT_END_ELLIPSIS);
    }
    // The header counts what is shown now, so it follows removals.
    const std::string header = FormatLangString("Location", m_location,
                                                m_model.FileCount(0), ResourceHelper::FormatSize(m_model.TotalSize(0)));
    Text(dc, header, RECT{l.header.left + 13, 28, l.header.right - 10, 48}, 18, 0x9DD510, DT_VCENTER | DT_END_ELLIPSIS,
         true);  // it names the scanned folder
    // How the scan ended, under the tabs, whenever there is something to tell.
    const std::string note = OutcomeNote();
    if (!note.empty()) {
        int top = l.leftPanel.top + 12;
        if (UiItem* last = FindItem(kCmdLastTab))
            top = last->Rect().bottom + 20;
        RECT area = {l.leftPanel.left + 15, top, l.leftPanel.right - 10, l.leftPanel.bottom - 10};
        HGDIOBJ old = SelectObject(dc, ResourceHelper::Instance().GetFont(16, FW_NORMAL, false));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kNoteColour);
        m_noteArea = area;
        DrawTextA(dc, note.c_str(), (int)note.size(), &m_noteArea, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        DrawTextA(dc, note.c_str(), (int)note.size(), &area, DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, old);
    }
    DrawPreview(dc);
    DrawDetails(dc);
    return 0;
}

}  // namespace UiCtrl
