// app/ShellHelpers.cpp
#include "app/ShellHelpers.h"
#include "app/ModuleExport.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <stdio.h>

#include "app/TextConvert.h"

// Own copies of the identifiers: the import library need not carry them.
static const GUID kFolderLibraries = {0x1b3ea5dc, 0xb587, 0x4786,
                                      {0xb4, 0xef, 0xbd, 0x1d, 0xc3, 0x32, 0xae, 0xae}};
static const CLSID kClsidShellLibrary = {0xd9b3211d, 0xe57f, 0x4426,
                                         {0xaa, 0xef, 0x30, 0xa8, 0x06, 0xad, 0xd3, 0x97}};

HIMAGELIST GetSysIconList(bool small)
{
    SHFILEINFOA info = {};
    UINT flags = SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("c:\\", 0, &info, sizeof info, flags));
}

static int IconIndex(const char* path, DWORD attributes, bool small)
{
    SHFILEINFOA info = {};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | (small ? SHGFI_SMALLICON : 0);
    if (!SHGetFileInfoA(path, attributes, &info, sizeof info, flags))
        return -1;
    return info.iIcon;
}

int GetFileIconIndex(const char* path, bool small)
{
    return path ? IconIndex(path, FILE_ATTRIBUTE_NORMAL, small) : -1;
}

int GetFolderIconIndex(bool small) { return IconIndex("folder", FILE_ATTRIBUTE_DIRECTORY, small); }

static HICON Icon(const char* path, DWORD attributes, bool small)
{
    SHFILEINFOA info = {};
    UINT flags = SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | (small ? SHGFI_SMALLICON : 0);
    if (!SHGetFileInfoA(path, attributes, &info, sizeof info, flags))
        return nullptr;
    return info.hIcon;
}

HICON GetFileIcon(const char* path, bool small)
{
    return path ? Icon(path, FILE_ATTRIBUTE_NORMAL, small) : nullptr;
}

HICON GetFolderIcon(bool small) { return Icon("folder", FILE_ATTRIBUTE_DIRECTORY, small); }

std::string GetFileTypeName(const char* path)
{
    SHFILEINFOA info = {};
    if (!path || !SHGetFileInfoA(path, FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                 SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES))
        return std::string();
    return info.szTypeName;
}

// Adds the item's file-system path; false when it has none.
static bool AddItemPath(IShellItem* item, std::set<std::string>& folders)
{
    wchar_t* path = nullptr;
    if (!item || FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path)
        return false;
    std::string ansi = ToAnsiString(path);
    CoTaskMemFree(path);
    if (ansi.empty())
        return false;
    folders.insert(ansi);
    return true;
}

// Balances a successful CoInitialize of this thread on every way out.
struct ComScope
{
    HRESULT result = CoInitialize(nullptr);
    ~ComScope()
    {
        if (SUCCEEDED(result))
            CoUninitialize();
    }
};

bool GetKnownFolderPath(const char* libraryName, std::set<std::string>& folders)
{
    if (!libraryName)
        return false;
    typedef HRESULT(WINAPI * CreateInKnown)(REFGUID, DWORD, PCWSTR, REFIID, void**);
    HMODULE shell = LoadLibraryA("Shell32.dll");
    CreateInKnown create = ModuleExport<CreateInKnown>(shell, "SHCreateItemInKnownFolder");
    bool found = false;
    if (create) {
        ComScope com;
        char name[MAX_PATH];
        snprintf(name, sizeof name, "%s%s", libraryName, ".library-ms");
        std::wstring wide = ToWideCString(name);
        IShellItem* item = nullptr;
        if (SUCCEEDED(create(kFolderLibraries, 0, wide.c_str(), __uuidof(IShellItem),
                             reinterpret_cast<void**>(&item)))) {
            IShellLibrary* library = nullptr;
            if (SUCCEEDED(CoCreateInstance(kClsidShellLibrary, nullptr, CLSCTX_INPROC_SERVER,
                                           __uuidof(IShellLibrary),
                                           reinterpret_cast<void**>(&library)))) {
                IShellItemArray* list = nullptr;
                if (SUCCEEDED(library->LoadLibraryFromItem(item, STGM_READ)) &&
                    SUCCEEDED(library->GetFolders(LFF_FORCEFILESYSTEM, __uuidof(IShellItemArray),
                                                  reinterpret_cast<void**>(&list)))) {
                    DWORD count = 0;
                    list->GetCount(&count);
                    for (DWORD i = 0; i < count; ++i) {
                        IShellItem* folder = nullptr;
                        if (SUCCEEDED(list->GetItemAt(i, &folder))) {
                            found = AddItemPath(folder, folders) || found;
                            folder->Release();
                        }
                    }
                    list->Release();
                }
                library->Release();
            }
            item->Release();
        }
    }
    if (shell)
        FreeLibrary(shell);
    return found;
}

bool GetKnownFolderPathByItem(REFGUID knownFolder, std::set<std::string>& folders)
{
    typedef HRESULT(WINAPI * KnownItem)(REFGUID, DWORD, HANDLE, REFIID, void**);
    typedef HRESULT(WINAPI * ItemFromList)(LPCITEMIDLIST, REFIID, void**);
    typedef HRESULT(WINAPI * KnownList)(REFGUID, DWORD, HANDLE, LPITEMIDLIST*);
    HMODULE shell = LoadLibraryA("Shell32.dll");
    if (!shell)
        return false;
    ComScope com;
    IShellItem* item = nullptr;
    KnownItem knownItem = ModuleExport<KnownItem>(shell, "SHGetKnownFolderItem");
    if (knownItem) {
        if (FAILED(knownItem(knownFolder, 0, nullptr, __uuidof(IShellItem),
                             reinterpret_cast<void**>(&item))))
            item = nullptr;
    }
    if (!item) {
        ItemFromList fromList = ModuleExport<ItemFromList>(shell, "SHCreateItemFromIDList");
        KnownList knownList = ModuleExport<KnownList>(shell, "SHGetKnownFolderIDList");
        LPITEMIDLIST list = nullptr;
        if (fromList && knownList && SUCCEEDED(knownList(knownFolder, 0, nullptr, &list))) {
            if (FAILED(fromList(list, __uuidof(IShellItem), reinterpret_cast<void**>(&item))))
                item = nullptr;
            CoTaskMemFree(list);
        }
    }
    bool found = false;
    if (item) {
        found = AddItemPath(item, folders);
        item->Release();
    }
    FreeLibrary(shell);
    return found;
}
