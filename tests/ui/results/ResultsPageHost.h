// tests/ui/results/ResultsPageHost.h
// The results page as the main dialog hosts it, filled from a real scan of the fixture tree,
// with its modal answers recorded instead of shown.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "finder/ScanRun.h"
#include "finder/ScanState.h"
#include "tests/support/DibSurface.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WinePath.h"
#include "ui/results/ScanResultPageWnd.h"

namespace resultstest {

class WatchedPage : public UiCtrl::ScanResultPageWnd
{
public:
    int nothingChecked = 0;
    int outcomes = 0;
    RemovalReport told;
    bool showOutcome = false;  // also show the real notice and message

protected:
    void ShowNothingChecked() override { ++nothingChecked; }
    void ShowRemovalOutcome(const RemovalReport& report) override
    {
        told = report;
        if (showOutcome)
            UiCtrl::ScanResultPageWnd::ShowRemovalOutcome(report);
        ++outcomes;
    }
};

inline std::string ScanFolder(const char* name = "scan")
{
    return FixtureDir() + "\\results\\" + name;
}

// The ImageMagick look-alike pictures as the finder hands them over: one look-alike group
// (a key without '|'), most pixels first, the original and its exact copy sharing a copy class,
// pixel sizes as identify reported them.
class LookAlikeFiles
{
public:
    LookAlikeFiles()
    {
        const std::string folder = FixtureDir() + "\\results\\lookalike\\";
        std::ifstream sizes(folder + "sizes.txt");
        std::string name;
        uint32_t width = 0, height = 0;
        while (sizes >> name >> width >> height) {
            owned.emplace_back(new FoundFileRecord);
            FoundFileRecord& record = *owned.back();
            record.folder = folder;
            record.name = name;
            record.pixelWidth = width;
            record.pixelHeight = height;
            record.copyClass = name == "forest-copy.jpg" ? 1 : (uint32_t)owned.size();
            WIN32_FILE_ATTRIBUTE_DATA data = {};
            GetFileAttributesExA(record.FullPath().c_str(), GetFileExInfoStandard, &data);
            record.size = ((int64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
            record.time = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
            groups.insert({"look-alike 1", &record});
        }
        notes.folder = folder;
        notes.name = "notes.txt";
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExA(notes.FullPath().c_str(), GetFileExInfoStandard, &data);
        notes.size = data.nFileSizeLow;
        notes.time = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    }
    FoundFileRecord* Named(const std::string& name)
    {
        for (auto& record : owned)
            if (record->name == name)
                return record.get();
        return nullptr;
    }

    std::vector<std::unique_ptr<FoundFileRecord>> owned;
    FileGroupMap groups;
    FoundFileRecord notes;
};

// A frameless top-level window with the page filling it, and the scan handed over.
class PageHost
{
public:
    PageHost()
    {
        parent_ = CreateWindowExA(0, "STATIC", "results page", WS_POPUP | WS_VISIBLE, 0, 0, 1196, 680, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        page.CreateWin(parent_, 0, 0, 0, 1196, 680, WS_CHILD | WS_VISIBLE);
    }
    ~PageHost()
    {
        page.ClearAll();
        DestroyWindow(parent_);
    }
    void ScanAndHandOver(const std::string& folder = ScanFolder())
    {
        ResetScanState();
        g_similarityPercent = 100;
        run.m_location = folder;
        run.LoadCategoryLists();
        run.ScanWorker();
        page.SetStatistics(run.GetStatistics());
        for (int k = kCategoryPhoto; k <= kCategoryOther; ++k)
            if (const FileGroupMap* groups = run.CategoryGroups(k))
                page.FillCategory(k, *groups);
        page.SetRecordStore(run.GetRecordStore());
        page.SetCategoryCaptions();
        page.SetLocationText(run.m_location);
        page.OnShow();
    }
    // Runs the page's messages until done() or about rounds x 10 ms passed.
    template <class Done>
    bool PumpUntil(Done done, int rounds = 500)
    {
        for (int i = 0; i < rounds && !done(); ++i) {
            DispatchQueuedMessages();
            Sleep(10);
        }
        return done();
    }
    // Resizes the window and the page, as the main dialog does on maximise and restore.
    void Resize(int width, int height)
    {
        SetWindowPos(parent_, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
        SetWindowPos(page.GetHwnd(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
    }
    // A real click: button down and up posted at a point of a window's client area.
    void Click(HWND window, POINT at)
    {
        PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        PumpUntil([] { return false; }, 5);
    }
    void ClickWidget(int id)
    {
        UiCtrl::UiItem* item = page.FindItem(id);
        ASSERT_NE(nullptr, item) << id;
        const RECT r = item->Rect();
        Click(page.GetHwnd(), POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    HWND Window() const { return parent_; }
    int Roots(int category)
    {
        FileTreeCtrl& tree = page.Tree(category);
        int count = 0;
        for (HTREEITEM item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item))
            ++count;
        return count;
    }

    WatchedPage page;
    ScanRun run;

private:
    HWND parent_ = nullptr;
};

}  // namespace resultstest

namespace resultstest {

// The pixels (0x00RRGGBB) of a window's client rectangle, as painted now.
inline std::vector<uint32_t> CapturePixels(HWND window, RECT area)
{
    // The X server shows a new window a little later: let it, then paint.
    for (int round = 0; round < 5; ++round) {
        DispatchQueuedMessages();
        Sleep(10);
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return {};
    DibSurface surface(width, height, RGB(0, 0, 0));
    HDC screen = GetDC(window);
    BitBlt(surface.dc(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ReleaseDC(window, screen);
    return surface.Pixels();
}

// How many pixels of a window's client rectangle have exactly this colour, as painted now.
inline int CountColour(HWND window, RECT area, COLORREF colour)
{
    const uint32_t want = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    int count = 0;
    for (uint32_t pixel : CapturePixels(window, area))
        count += pixel == want ? 1 : 0;
    return count;
}

// The rectangle of a tree row across the whole client width.
inline RECT RowRect(FileTreeCtrl& tree, HTREEITEM item)
{
    RECT row = {};
    tree.GetItemRect(item, &row, FALSE);
    RECT client;
    tree.GetClientRect(&client);
    row.left = 0;
    row.right = client.right;
    return row;
}

}  // namespace resultstest
