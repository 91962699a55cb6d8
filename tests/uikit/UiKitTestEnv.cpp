// tests/uikit/UiKitTestEnv.cpp
#include "UiKitTestEnv.h"

#include "app/ResourceHelper.h"
#include "app/ResourceLayout.h"
#include "app/TextConvert.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WinePath.h"
#include "uikit/widget/UIFilterTypeItem.h"
#include "uikit/widget/UiCheckBtn.h"
#include "uikit/widget/UiCheckBtnWithoutWnd.h"
#include "uikit/widget/UiImgCheckBtn.h"
#include "uikit/widget/UiImgTextBtn.h"

namespace uikittest {

namespace {

const char* const kStrings[][2] = {
    {"TileCaption", "Photos"},        {"TileNote", "pictures"},
    {"ButtonText", "Remove"},         {"LinkText", "Online help"},
    {"StaticText", "Location: C:\\Pictures"},
    {"CheckText", "Include hidden files"},
    {"KindPhoto", "Photo"},           {"PhotoDesc", ".jpg;.png;.gif;.bmp"},
    {"ImgCheckText", "Similar pictures"},
    {"ImgTextCaption", "Scan now"},
    {"StateNormal", "normal"},        {"StateHover", "hover"},
    {"StatePressed", "pressed"},      {"StateDisabled", "disabled"},
    {"StateChecked", "checked"},
    {"Row1", "2 check tile"},        {"Row2", "3 push button"},
    {"Row3", "3 style 1"},           {"Row4", "4 link"},
    {"Row5", "5 static text"},       {"Row6", "6 picture button"},
    {"Row7", "7 check box"},         {"Row8", "8 file-kind row"},
    {"Row9", "9 image button"},      {"Row10", "10 image check"},
    {"Row11", "11 icon and text"},   {"Row12", "11 on pictures"},
    {"RowLists", "drop-down lists"}, {"RowScroll", "skinned scroll bars"},
    {"AllFiles", "All Files"},        {"Photo", "Photo"},
    {"Video", "Video"},               {"OfficeDoc", "Document"},
    {"Music", "Music"},               {"Other", "Other"},
    {"UnitKB", "KB"},                 {"UnitMB", "MB"},
    {"UnitGB", "GB"},                 {"UnitTB", "TB"},
};

std::wstring TempFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

} // namespace

std::wstring UserStringsPath()
{
    return TempFile(L"uikit-test-user.dat");
}

void UseTestResources()
{
    SetResourceLayoutPath(ToWinePath(UIKIT_TEST_LAYOUT).c_str());
    const std::wstring language = TempFile(L"uikit-test-lang.dat");
    DeleteFileW(language.c_str());
    for (const auto& entry : kStrings) {
        WritePrivateProfileStringW(L"string", ToWideCString(entry[0]).c_str(),
                                   ToWideCString(entry[1]).c_str(), language.c_str());
    }
    ResourceHelper::Instance().SetLanguagePath(language);
    DeleteFileW(UserStringsPath().c_str());
    ResourceHelper::Instance().SetUserStringsPath(UserStringsPath());
}

void ShowEveryState(UiCtrl::UiItemMap& items)
{
    using namespace UiCtrl;
    for (auto& entry : items) {
        UiItem* item = entry.second;
        if (entry.first >= 1000)
            continue;
        switch (entry.first % 10) {
        case kStateHover: item->SetState(kStateHover); break;
        case kStatePressed: item->SetState(kStatePressed); break;
        case kStateDisabled: item->Enable(0); break;
        case 4:
            if (auto* tile = dynamic_cast<UiCheckBtnWithoutWnd*>(item))
                tile->SetChecked(true);
            else if (auto* box = dynamic_cast<UiCheckBtn*>(item))
                box->SetChecked(true);
            else if (auto* row = dynamic_cast<UIFilterTypeItem*>(item))
                row->SetSelected(true);
            else if (auto* image = dynamic_cast<UiImgCheckBtn*>(item))
                image->SetChecked(true);
            else if (auto* toggle = dynamic_cast<UiImgTextBtn*>(item))
                toggle->SetPressed(true);
            break;
        default: break;
        }
    }
}

CommandSink& SharedSink()
{
    // Never destroyed: it lives as long as the test program.
    static CommandSink* sink = new CommandSink(1200, 800);
    return *sink;
}

CommandSink::CommandSink(int width, int height)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = "UiKitCommandSink";
        RegisterClassA(&wc);
        registered = true;
    }
    hwnd_ = CreateWindowExA(0, "UiKitCommandSink", "uikit", WS_POPUP | WS_VISIBLE |
                            WS_CLIPCHILDREN, 0, 0, width, height, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CommandSink::~CommandSink()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

std::vector<CommandSink::Command> CommandSink::Take()
{
    DispatchQueuedMessages();
    std::vector<Command> out;
    out.swap(commands_);
    return out;
}

LRESULT CALLBACK CommandSink::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CommandSink*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && message == WM_COMMAND) {
        self->commands_.push_back({wParam, lParam});
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace uikittest
