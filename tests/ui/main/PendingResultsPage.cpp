// tests/ui/main/PendingResultsPage.cpp
#include "PendingResultsPage.h"

#include <stdio.h>

#include "app/ResourceHelper.h"

PendingResultsPage::PendingResultsPage() : UiSdkWndBase("KvrPendingResultsPage", 0, 0, 0) {}

HWND PendingResultsPage::Create(HWND parent, const RECT& rect)
{
    CreateWin(parent, 0, rect.left, rect.top, rect.right, rect.bottom,
              WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    return GetHwnd();
}

void PendingResultsPage::SetStatistics(const CategoryStatistics& statistics)
{
    statistics_ = statistics;
}

void PendingResultsPage::FillCategory(int category, FileGroupMap& groups)
{
    groups_[category] = groups;
    ++fills_[category];
}

void PendingResultsPage::OnShow()
{
    ++shown_;
    InvalidateAll();
}

size_t PendingResultsPage::FileCount(int category) const
{
    auto it = groups_.find(category);
    return it == groups_.end() ? 0 : it->second.size();
}

int PendingResultsPage::FillCount(int category) const
{
    auto it = fills_.find(category);
    return it == fills_.end() ? 0 : it->second;
}

int PendingResultsPage::DrawForeground(HDC memoryDc)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    std::string text = location_ + "\n";
    for (int k = 1; k <= 5; ++k) {
        char line[64];
        snprintf(line, sizeof(line), "%d: %u\n", k, static_cast<unsigned>(FileCount(k)));
        text += line;
    }
    ResourceHelper::Instance().DrawString(memoryDc, text.c_str(), client, 0xDBBAAF, 16, 400,
                                          DT_CENTER);
    return 0;
}
