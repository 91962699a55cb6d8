// ui/results/ScanResultPageLink.cpp
#include "ui/results/ScanResultPageLink.h"

HWND ScanResultPageLink::Create(HWND parent, const RECT& rect)
{
    m_page.CreateWin(parent, 0, rect.left, rect.top, rect.right, rect.bottom, WS_CHILD);
    return m_page.GetHwnd();
}

std::unique_ptr<IResultsPage> MakeScanResultPage()
{
    return std::unique_ptr<IResultsPage>(new ScanResultPageLink);
}
