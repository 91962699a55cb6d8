// ui/chooser/ShellTreeCtrl.cpp
#include "ui/chooser/ShellTreeCtrl.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <string.h>

#include <vector>

#include "app/LangString.h"
#include "app/TextCase.h"
#include "engine/DriveFreeSpace.h"
#include "ui/chooser/ShellTreeRules.h"

namespace {

LPITEMIDLIST SpecialFolder(int csidl)
{
    LPITEMIDLIST idList = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &idList)))
        return nullptr;
    return idList;
}

bool IsEmptyIdList(LPCITEMIDLIST idList)
{
    return !idList || idList->mkid.cb == 0;
}

LPCITEMIDLIST LastId(LPCITEMIDLIST idList)
{
    LPCITEMIDLIST last = idList;
    for (LPCITEMIDLIST id = idList; id && id->mkid.cb;
         id = reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(id) + id->mkid.cb))
        last = id;
    return last;
}

int SmallIcon(LPCITEMIDLIST idList, UINT extra)
{
    SHFILEINFOA info = {};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(idList), 0, &info, sizeof(info),
                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extra);
    return info.iIcon;
}

bool OpensForReading(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

} // namespace

BEGIN_MESSAGE_MAP(CShellTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGA, &CShellTreeCtrl::OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDA, &CShellTreeCtrl::OnSelChanged)
    ON_NOTIFY_REFLECT(TVN_DELETEITEMA, &CShellTreeCtrl::OnDeleteItem)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CShellTreeCtrl::CShellTreeCtrl()
{
    SHGetDesktopFolder(&desktop_);
    char path[MAX_PATH] = {};
    if (SHGetSpecialFolderPathA(nullptr, path, CSIDL_NETHOOD, FALSE))
        netHoodPath_ = path;
    specialFolders_[0] = SpecialFolder(CSIDL_CONTROLS);
    specialFolders_[1] = SpecialFolder(CSIDL_BITBUCKET);
    specialFolders_[2] = SpecialFolder(CSIDL_INTERNET);
    if (desktop_ && specialFolders_[0])
        controlPanelName_ = DisplayNameOf(desktop_, specialFolders_[0], SHGDN_NORMAL);
}

CShellTreeCtrl::~CShellTreeCtrl()
{
    // The base would destroy the window as a plain CWnd, past OnDestroy: do it here.
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
    for (LPITEMIDLIST& special : specialFolders_) {
        if (special)
            CoTaskMemFree(special);
        special = nullptr;
    }
    if (desktop_)
        desktop_->Release();
}

void CShellTreeCtrl::SetSelectCallback(SelectCallback callback, void* owner)
{
    callback_ = callback;
    owner_ = owner;
}

void CShellTreeCtrl::FreeItemLists(HTREEITEM first)
{
    for (HTREEITEM item = first; item; item = GetNextSiblingItem(item)) {
        FreeItemLists(GetChildItem(item));
        if (LPITEMIDLIST idList = reinterpret_cast<LPITEMIDLIST>(GetItemData(item))) {
            SetItemData(item, 0);
            CoTaskMemFree(idList);
        }
    }
}

void CShellTreeCtrl::OnDestroy()
{
    FreeItemLists(GetRootItem());
    Default();
}

void CShellTreeCtrl::Populate(bool foldersOnly)
{
    enumFlags_ = SHCONTF_FOLDERS | (foldersOnly ? 0 : SHCONTF_NONFOLDERS);
    // Without a Desktop folder the shell gives no desktop at all.
    if (!desktop_) {
        PopulateFolders();
        return;
    }
    DeleteAllItems();
    plainFolders_ = false;
    LPITEMIDLIST desktop = SpecialFolder(CSIDL_DESKTOP);
    if (!desktop)
        return;
    SHFILEINFOA info = {};
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(desktop), 0, &info, sizeof(info),
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (images)
        SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));

    HTREEITEM root = InsertNode(TVI_ROOT, DisplayNameOf(desktop_, desktop, SHGDN_NORMAL), info.iIcon,
                                reinterpret_cast<LPARAM>(desktop));
    if (!root) {
        CoTaskMemFree(desktop);
        return;
    }
    Expand(root, TVE_EXPAND);
}

void CShellTreeCtrl::PopulateFolders()
{
    DeleteAllItems();
    plainFolders_ = true;
    const int userFolders[] = {CSIDL_PROFILE, CSIDL_PERSONAL, CSIDL_MYPICTURES, CSIDL_MYMUSIC, CSIDL_MYVIDEO};
    std::vector<std::string> listed;
    for (int csidl : userFolders) {
        char path[MAX_PATH] = {};
        if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
            continue;
        const DWORD attributes = GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        const std::string lower = LowerAscii(path);
        bool seen = false;
        for (const std::string& other : listed)
            seen = seen || other == lower;
        if (seen)
            continue;
        listed.push_back(lower);
        InsertFolder(TVI_ROOT, path, ShellItemLabel(path, path));
    }
    char drives[4 * 26 + 2] = {};
    const DWORD length = GetLogicalDriveStringsA(sizeof drives - 1, drives);
    for (const char* root = drives; length && length < sizeof drives && *root; root += strlen(root) + 1) {
        const UINT type = GetDriveTypeA(root);
        if (type == kDriveCdRom || type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN)
            continue;
        InsertFolder(TVI_ROOT, root, DriveLabel(root, std::string(root, 2)));
    }
}

HTREEITEM CShellTreeCtrl::InsertFolder(HTREEITEM parent, const std::string& path, const std::string& label)
{
    char* data = static_cast<char*>(CoTaskMemAlloc(path.size() + 1));
    if (!data)
        return nullptr;
    memcpy(data, path.c_str(), path.size() + 1);
    SHFILEINFOA info = {};
    SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    HTREEITEM item = InsertNode(parent, label, info.iIcon, reinterpret_cast<LPARAM>(data));
    if (!item)
        CoTaskMemFree(data);
    return item;
}

HTREEITEM CShellTreeCtrl::InsertNode(HTREEITEM parent, const std::string& text, int icon, LPARAM data)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = insert.item.iSelectedImage = icon;
    insert.item.cChildren = 1;  // found out when it is opened
    insert.item.lParam = data;
    return InsertItem(&insert);
}

std::string CShellTreeCtrl::DriveLabel(const std::string& root, const std::string& name)
{
    std::string text = DriveRootName(root, name, GetDriveTypeA(root.c_str()));
    text = PadToWidth(text, [this](const std::string& t) { return MeasureText(t); }, kDriveLabelWidth);
    std::string freeSpace;
    float usedPercent = 0.0f;
    if (FormatDriveFreeSpace(root[0], GetLangString, freeSpace, usedPercent) == 0)
        text += freeSpace;
    return text;
}

void CShellTreeCtrl::FillFolderChildren(HTREEITEM parent)
{
    const std::string folder = GetItemPath(parent);
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\')
        pattern += '\\';
    int inserted = 0;
    WIN32_FIND_DATAA found = {};
    HANDLE search = folder.empty() ? INVALID_HANDLE_VALUE : FindFirstFileA((pattern + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            // Folders only, as the shell tree lists them: no hidden ones.
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
                (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) || name == "." || name == "..")
                continue;
            if (InsertFolder(parent, pattern + name, name))
                ++inserted;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    if (inserted) {
        SortChildren(parent);
    } else {
        TVITEMA none = {};
        none.mask = TVIF_CHILDREN | TVIF_HANDLE;
        none.hItem = parent;
        SetItem(&none);
    }
}

HTREEITEM CShellTreeCtrl::ExpandMyComputer()
{
    if (plainFolders_)
        return nullptr;  // the drives stand at the top
    LPITEMIDLIST drives = SpecialFolder(CSIDL_DRIVES);
    HTREEITEM found = nullptr;
    if (drives && desktop_) {
        for (HTREEITEM item = GetChildItem(GetRootItem()); item; item = GetNextSiblingItem(item)) {
            LPCITEMIDLIST idList = GetItemIdList(item);
            if (idList && static_cast<short>(HRESULT_CODE(desktop_->CompareIDs(0, idList, drives))) == 0) {
                found = item;
                break;
            }
        }
    }
    if (drives)
        CoTaskMemFree(drives);
    if (found)
        Expand(found, TVE_EXPAND);
    return found;
}

LPCITEMIDLIST CShellTreeCtrl::GetItemIdList(HTREEITEM item) const
{
    return item && !plainFolders_ ? reinterpret_cast<LPCITEMIDLIST>(GetItemData(item)) : nullptr;
}

std::string CShellTreeCtrl::GetItemPath(HTREEITEM item) const
{
    if (plainFolders_) {
        const char* path = item ? reinterpret_cast<const char*>(GetItemData(item)) : nullptr;
        return path ? path : "";
    }
    LPCITEMIDLIST idList = GetItemIdList(item);
    return idList ? PathOf(idList) : std::string();
}

HTREEITEM CShellTreeCtrl::FindChildByPath(HTREEITEM parent, const std::string& path)
{
    if (!parent)
        return nullptr;
    if (parent != TVI_ROOT)
        Expand(parent, TVE_EXPAND);
    const std::string wanted = LowerAscii(path);
    for (HTREEITEM item = parent == TVI_ROOT ? GetRootItem() : GetChildItem(parent); item;
         item = GetNextSiblingItem(item)) {
        if (LowerAscii(GetItemPath(item)) == wanted)
            return item;
    }
    return nullptr;
}

HTREEITEM CShellTreeCtrl::SelectFolder(const std::string& path)
{
    if (path.size() < 3 || path[1] != ':')
        return nullptr;
    HTREEITEM node = FindChildByPath(plainFolders_ ? TVI_ROOT : ExpandMyComputer(), path.substr(0, 3));
    size_t at = 3;
    while (node && at < path.size()) {
        size_t next = path.find('\\', at);
        if (next == std::string::npos)
            next = path.size();
        node = FindChildByPath(node, path.substr(0, next));
        at = next + 1;
    }
    if (node)
        SelectItem(node);
    return node;
}

std::string CShellTreeCtrl::PathOf(LPCITEMIDLIST idList)
{
    char path[MAX_PATH] = {};
    if (IsEmptyIdList(idList) || !SHGetPathFromIDListA(idList, path))
        return "";
    return path;
}

std::string CShellTreeCtrl::DisplayNameOf(IShellFolder* folder, LPCITEMIDLIST childId, DWORD flags)
{
    STRRET name = {};
    if (!folder || FAILED(folder->GetDisplayNameOf(childId, flags, &name)))
        return "";
    char text[MAX_PATH] = {};
    if (FAILED(StrRetToBufA(&name, childId, text, sizeof(text))))
        return "";
    return text;
}

bool CShellTreeCtrl::IsSpecialFolder(LPCITEMIDLIST absolute) const
{
    for (LPITEMIDLIST special : specialFolders_) {
        if (special && desktop_ &&
            static_cast<short>(HRESULT_CODE(desktop_->CompareIDs(0, absolute, special))) == 0)
            return true;
    }
    return false;
}

int CShellTreeCtrl::MeasureText(const std::string& text) const
{
    HDC dc = ::GetDC(m_hWnd);
    if (!dc)
        return 0;
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    RECT rect = {0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return rect.right - rect.left;
}

bool CShellTreeCtrl::DescribeItem(IShellFolder* parentFolder, LPCITEMIDLIST childId,
                                  LPITEMIDLIST absolute, TVINSERTSTRUCTA& insert, std::string& text)
{
    const std::string path = PathOf(absolute);
    const std::string displayName = DisplayNameOf(parentFolder, childId, SHGDN_NORMAL);
    ULONG attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_SHARE | SFGAO_LINK;
    if (FAILED(parentFolder->GetAttributesOf(1, &childId, &attributes)))
        attributes = 0;

    if (IsDriveRootPath(path)) {
        text = DriveLabel(path, displayName);
    } else {
        text = ShellItemLabel(path, displayName);
    }
    if (IsControlPanelByName(!path.empty(), text, controlPanelName_))
        return false;

    ShellItemFacts facts;
    facts.path = path;
    facts.isFolder = (attributes & SFGAO_FOLDER) != 0;
    facts.isSpecialFolder = facts.isFolder && IsSpecialFolder(absolute);
    const DWORD onDisk = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    facts.isDirectoryOnDisk = onDisk != INVALID_FILE_ATTRIBUTES && (onDisk & FILE_ATTRIBUTE_DIRECTORY);
    if (path.size() >= 2 && path[1] == ':')
        facts.driveType = GetDriveTypeA((path.substr(0, 2) + "\\").c_str());
    const bool plainFile = onDisk != INVALID_FILE_ATTRIBUTES && !facts.isDirectoryOnDisk;
    facts.opensForReading = plainFile && OpensForReading(path);
    if (!ShouldShowShellItem(facts))
        return false;

    TVITEMA& item = insert.item;
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_HANDLE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    if (plainFile)
        item.mask &= ~TVIF_CHILDREN;  // a file has nothing to expand
    else
        item.cChildren = (attributes & SFGAO_HASSUBFOLDER) ? 1 : 0;
    item.iImage = SmallIcon(absolute, 0);
    item.iSelectedImage = facts.isFolder ? SmallIcon(absolute, SHGFI_OPENICON) : item.iImage;
    if (attributes & (SFGAO_SHARE | SFGAO_LINK)) {
        item.mask |= TVIF_STATE;
        item.stateMask = TVIS_OVERLAYMASK;
        item.state = INDEXTOOVERLAYMASK((attributes & SFGAO_SHARE) ? 1 : 2);
    }
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = reinterpret_cast<LPARAM>(absolute);
    return true;
}

void CShellTreeCtrl::FillChildren(HTREEITEM parent)
{
    LPCITEMIDLIST parentList = GetItemIdList(parent);
    if (!parentList || !desktop_)
        return;
    IShellFolder* folder = nullptr;
    if (IsEmptyIdList(parentList)) {
        folder = desktop_;
        folder->AddRef();
    } else if (FAILED(desktop_->BindToObject(parentList, nullptr, IID_IShellFolder,
                                             reinterpret_cast<void**>(&folder)))) {
        folder = nullptr;
    }
    IEnumIDList* children = nullptr;
    // Flags 0 would list nothing: folders are asked for by name.
    if (!folder || folder->EnumObjects(m_hWnd, enumFlags_, &children) != S_OK || !children) {
        if (folder)
            folder->Release();
        TVITEMA none = {};
        none.mask = TVIF_CHILDREN | TVIF_HANDLE;
        none.hItem = parent;
        SetItem(&none);
        return;
    }
    int inserted = 0;
    LPITEMIDLIST child = nullptr;
    ULONG fetched = 0;
    while (children->Next(1, &child, &fetched) == S_OK && fetched == 1) {
        LPITEMIDLIST absolute = ILCombine(parentList, child);
        TVINSERTSTRUCTA insert = {};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        std::string text;
        if (absolute && DescribeItem(folder, child, absolute, insert, text) && InsertItem(&insert))
            ++inserted;
        else if (absolute)
            CoTaskMemFree(absolute);
        CoTaskMemFree(child);
        child = nullptr;
    }
    children->Release();
    if (inserted) {
        TVSORTCB sort = {parent, CompareChildren, reinterpret_cast<LPARAM>(folder)};
        SendMessage(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
    } else {
        TVITEMA none = {};
        none.mask = TVIF_CHILDREN | TVIF_HANDLE;
        none.hItem = parent;
        SetItem(&none);
    }
    folder->Release();
}

int CALLBACK CShellTreeCtrl::CompareChildren(LPARAM first, LPARAM second, LPARAM folder)
{
    auto* shellFolder = reinterpret_cast<IShellFolder*>(folder);
    const HRESULT order = shellFolder->CompareIDs(0, LastId(reinterpret_cast<LPCITEMIDLIST>(first)),
                                                  LastId(reinterpret_cast<LPCITEMIDLIST>(second)));
    return static_cast<short>(HRESULT_CODE(order));
}

void CShellTreeCtrl::OnItemExpanding(NMHDR* header, LRESULT* result)
{
    auto* view = reinterpret_cast<NMTREEVIEWA*>(header);
    *result = 0;
    if (!(view->action & TVE_EXPAND) || GetChildItem(view->itemNew.hItem))
        return;
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    if (plainFolders_)
        FillFolderChildren(view->itemNew.hItem);
    else
        FillChildren(view->itemNew.hItem);
    SetCursor(old ? old : LoadCursor(nullptr, IDC_ARROW));
}

void CShellTreeCtrl::OnSelChanged(NMHDR* header, LRESULT* result)
{
    auto* view = reinterpret_cast<NMTREEVIEWA*>(header);
    *result = 0;
    if (plainFolders_) {
        if (callback_ && view->itemNew.lParam)
            callback_(owner_, reinterpret_cast<const char*>(view->itemNew.lParam));
        return;
    }
    LPCITEMIDLIST idList = reinterpret_cast<LPCITEMIDLIST>(view->itemNew.lParam);
    if (!idList)
        return;
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    std::string path = PathOf(idList);
    if (path.empty()) {
        path = DisplayNameOf(desktop_, idList, SHGDN_FORPARSING);
        if (path.empty())
            path = DisplayNameOf(desktop_, idList, SHGDN_NORMAL);
    }
    if (callback_) {
        if (!netHoodPath_.empty() && path.size() > netHoodPath_.size() &&
            LowerAscii(path.substr(0, netHoodPath_.size())) == LowerAscii(netHoodPath_)) {
            const std::string target = ResolveShortcut(path);
            if (!target.empty())
                path = target;
        }
        callback_(owner_, path.c_str());
    }
    SetCursor(old ? old : LoadCursor(nullptr, IDC_ARROW));
}

void CShellTreeCtrl::OnDeleteItem(NMHDR* header, LRESULT* result)
{
    auto* view = reinterpret_cast<NMTREEVIEWA*>(header);
    *result = 0;
    if (view->itemOld.lParam)
        CoTaskMemFree(reinterpret_cast<void*>(view->itemOld.lParam));
}

std::string CShellTreeCtrl::ResolveShortcut(const std::string& path)
{
    const HRESULT com = CoInitialize(nullptr);
    std::string target;
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            std::vector<wchar_t> wide(path.size() + 1);
            MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
            char resolved[MAX_PATH] = {};
            if (SUCCEEDED(file->Load(wide.data(), STGM_READ)) &&
                SUCCEEDED(link->GetPath(resolved, MAX_PATH, nullptr, 0)))
                target = resolved;
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return target;
}
