// ui/results/RecycleShell.cpp
#include "ui/results/RecycleShell.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <map>

namespace {

std::wstring Lower(std::wstring text)
{
    if (!text.empty())
        CharLowerBuffW(&text[0], (DWORD)text.size());
    return text;
}

// The shell's question "delete it for ever instead?" comes from the thread that called it,
// as a dialog box; the worker never lets it stand. Each box that opens on this thread during
// a call is answered No and counted.
class QuestionRefuser
{
public:
    QuestionRefuser()
    {
        s_asked = 0;
        m_hook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~QuestionRefuser()
    {
        if (m_hook)
            UnhookWindowsHookEx(m_hook);
    }
    int Asked() const { return s_asked; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE) {
            HWND box = (HWND)wParam;
            char name[16] = {};
            GetClassNameA(box, name, sizeof(name));
            if (lstrcmpA(name, "#32770") == 0) {
                ++s_asked;
                PostMessageA(box, WM_COMMAND, IDNO, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK m_hook = nullptr;
    static thread_local int s_asked;
};

thread_local int QuestionRefuser::s_asked = 0;

std::wstring StrRetText(STRRET& text, LPCITEMIDLIST item)
{
    wchar_t buffer[MAX_PATH * 2] = {};
    if (FAILED(StrRetToBufW(&text, item, buffer, ARRAYSIZE(buffer))))
        return std::wstring();
    return buffer;
}

class ShellRecycleBin : public IRecycleShell
{
public:
    // Fixed drives keep a bin; removable drives, network shares, CDs and RAM disks do not,
    // and the shell would delete their files for ever. The drive type is asked once per
    // drive: it is a slow call.
    std::vector<bool> HaveRecycleBins(const std::vector<std::string>& folders) override
    {
        std::map<std::string, bool> fixed;
        std::vector<bool> answers;
        for (const std::string& folder : folders) {
            if (folder.size() < 3 || folder[1] != ':' || folder[2] != '\\') {
                answers.push_back(false);
                continue;
            }
            const std::string root = folder.substr(0, 3);
            auto known = fixed.find(root);
            if (known == fixed.end())
                known = fixed.emplace(root, GetDriveTypeA(root.c_str()) == DRIVE_FIXED).first;
            answers.push_back(known->second);
        }
        return answers;
    }

    int Delete(const std::vector<std::string>& paths, bool toRecycleBin, HWND owner) override
    {
        if (paths.empty())
            return 0;
        // The source list: each path NUL-terminated, the list ended by one more NUL.
        std::string source;
        for (const std::string& path : paths) {
            source += path;
            source.push_back('\0');
        }
        source.push_back('\0');
        SHFILEOPSTRUCTA operation = {};
        operation.hwnd = owner;
        operation.wFunc = FO_DELETE;
        operation.pFrom = source.c_str();
        operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
        // Without the warning the shell deletes a file the bin cannot take for ever, in
        // silence; with it, it asks, and the question is answered No here.
        if (toRecycleBin)
            operation.fFlags |= FOF_ALLOWUNDO | FOF_WANTNUKEWARNING;
        QuestionRefuser refuser;
        const int result = SHFileOperationA(&operation);
        if (toRecycleBin && refuser.Asked())
            return kShellBinCannotTake;
        return result != 0 ? result : operation.fAnyOperationsAborted ? ERROR_CANCELLED : 0;
    }

    // The bin's own folder, item by item: the original location and name of each.
    bool ListRecycleBin(std::vector<std::wstring>& entries) override
    {
        entries.clear();
        const bool initialised = SUCCEEDED(CoInitialize(nullptr));
        bool listed = false;
        IShellFolder* desktop = nullptr;
        LPITEMIDLIST binId = nullptr;
        IShellFolder2* bin = nullptr;
        IEnumIDList* items = nullptr;
        if (SUCCEEDED(SHGetDesktopFolder(&desktop)) &&
            SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &binId)) &&
            SUCCEEDED(desktop->BindToObject(binId, nullptr, IID_IShellFolder2, reinterpret_cast<void**>(&bin))) &&
            bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &items) == S_OK &&
            items) {
            listed = true;
            LPITEMIDLIST item = nullptr;
            ULONG fetched = 0;
            while (items->Next(1, &item, &fetched) == S_OK && item) {
                // Column 0 is the name, column 1 the folder it came from.
                SHELLDETAILS name = {}, from = {};
                if (SUCCEEDED(bin->GetDetailsOf(item, 0, &name)) && SUCCEEDED(bin->GetDetailsOf(item, 1, &from)))
                    entries.push_back(RecycleBinKey(StrRetText(from.str, item), StrRetText(name.str, item)));
                CoTaskMemFree(item);
            }
        }
        if (items)
            items->Release();
        if (bin)
            bin->Release();
        if (binId)
            CoTaskMemFree(binId);
        if (desktop)
            desktop->Release();
        if (initialised)
            CoUninitialize();
        return listed;
    }
};

}  // namespace

IRecycleShell& SystemRecycleShell()
{
    static ShellRecycleBin shell;
    return shell;
}

std::wstring RecycleBinKey(const std::string& path)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide((size_t)length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], length);
    wide.resize((size_t)length - 1);
    // The long form reaches a name the code page cannot hold; where it cannot be had (Wine
    // gives none below Z:\dev), the path as it is.
    std::wstring full(32768, L'\0');
    const DWORD got = GetLongPathNameW(wide.c_str(), &full[0], (DWORD)full.size());
    if (got == 0 || got >= full.size())
        return Lower(wide);
    full.resize(got);
    return Lower(full);
}

std::wstring RecycleBinKey(std::wstring folder, const std::wstring& name)
{
    while (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    return Lower(folder + L"\\" + name);
}
