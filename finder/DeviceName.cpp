// finder/DeviceName.cpp
#include "finder/DeviceName.h"

#include <wchar.h>

bool IsDeviceName(const wchar_t* name)
{
    if (!name)
        return false;
    size_t length = 0;
    while (name[length] && name[length] != L'.')
        ++length;
    while (length > 0 && name[length - 1] == L' ')
        --length;
    auto is = [&](const wchar_t* device) { return _wcsnicmp(name, device, 3) == 0; };
    if (length == 3)
        return is(L"con") || is(L"prn") || is(L"aux") || is(L"nul");
    if (length == 4 && (is(L"com") || is(L"lpt"))) {
        const wchar_t digit = name[3];
        return (digit >= L'1' && digit <= L'9') || digit == L'\u00b9' || digit == L'\u00b2' || digit == L'\u00b3';
    }
    return false;
}
