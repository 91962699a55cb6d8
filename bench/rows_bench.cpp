// bench/rows_bench.cpp
// How long the results page takes to show a scan's groups: hand-over (fill, captions), the
// rows, and the first paint of page and trees, for 200 and for 20,000 groups in one run.
//   rows_bench [SMALL LARGE]     (under Wine with a display, e.g. xvfb-run)
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/results/ScanResultPageWnd.h"
#include "bench/TimedBuild.h"

namespace {

struct Groups
{
    explicit Groups(int count)
    {
        for (int i = 0; i < count; ++i)
            for (int copy = 0; copy < 3; ++copy) {
                owned.emplace_back(new FoundFileRecord);
                FoundFileRecord& record = *owned.back();
                record.folder = "C:\\Photos\\" + std::to_string(i % 97) + "\\";
                record.name = "picture " + std::to_string(i) + (copy ? " (copy " + std::to_string(copy) + ").jpg" : ".jpg");
                record.size = 100000 + i;
                char key[48];
                snprintf(key, sizeof(key), "%d|jpg|%012d", 100000 + i, i);
                map.insert({key, &record});
            }
    }
    std::vector<std::unique_ptr<FoundFileRecord>> owned;
    FileGroupMap map;
};

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Shows count groups on the page; returns the seconds until the page and its trees are painted.
double Show(UiCtrl::ScanResultPageWnd& page, HWND window, int count, size_t* rows)
{
    Groups groups(count);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    page.FillCategory(kCategoryPhoto, groups.map);
    page.SetCategoryCaptions();
    page.OnShow();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    QueryPerformanceCounter(&end);
    *rows = page.Tree(kCategoryAllFiles).InsertedGroups();
    page.ClearAll();
    return Seconds(start, end);
}

}  // namespace

int main(int argc, char** argv)
{
    const int small = argc > 2 ? atoi(argv[1]) : 200;
    const int large = argc > 2 ? atoi(argv[2]) : 20000;
    HWND window = CreateWindowExA(0, "STATIC", "rows bench", WS_POPUP | WS_VISIBLE, 0, 0, 1196, 680, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    UiCtrl::ScanResultPageWnd page;
    page.CreateWin(window, 0, 0, 0, 1196, 680, WS_CHILD | WS_VISIBLE);
    size_t rows = 0;
    Show(page, window, small, &rows);  // warm: pictures, fonts, the shell's icons
    const double smallSeconds = Show(page, window, small, &rows);
    const size_t smallRows = rows;
    const double largeSeconds = Show(page, window, large, &rows);
    printf("rows: timed the %s build\n", TimedBuild());
    printf("rows: %d groups shown in %.3f s (%zu root rows inserted)\n", small, smallSeconds, smallRows);
    printf("rows: %d groups shown in %.3f s (%zu root rows inserted)\n", large, largeSeconds, rows);
    printf("rows: ratio %.2f\n", smallSeconds > 0 ? largeSeconds / smallSeconds : 0.0);
    DestroyWindow(window);
    return 0;
}
