// ui/results/ResultTimeText.cpp
#include "ui/results/ResultTimeText.h"

#include <windows.h>

#include "app/SafeFormat.h"

std::string FormatLocalFileTime(uint64_t fileTime)
{
    const FILETIME utc = {(DWORD)fileTime, (DWORD)(fileTime >> 32)};
    FILETIME local;
    SYSTEMTIME st = {};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st))
        return std::string();
    return SafeFormat("%02d:%02d:%02d, %02d/%02d/%d", "%02d:%02d:%02d, %02d/%02d/%d",
                      {st.wHour, st.wMinute, st.wSecond, st.wMonth, st.wDay, st.wYear});
}
