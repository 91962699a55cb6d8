// app/WebAddress.cpp
#include "app/WebAddress.h"

#include <shellapi.h>

#include "app/TextCase.h"

namespace {

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    const std::string start(prefix);
    return text.size() >= start.size() && LowerAscii(text.substr(0, start.size())) == start;
}

}  // namespace

bool IsWebAddress(const std::string& url)
{
    size_t host;
    if (StartsWithNoCase(url, "http://"))
        host = 7;
    else if (StartsWithNoCase(url, "https://"))
        host = 8;
    else
        return false;
    if (host >= url.size())
        return false;
    for (unsigned char c : url) {
        if (c <= ' ' || c == 0x7F || c == '"')
            return false;
    }
    return url[host] != '/';
}

bool OpenWebAddress(HWND owner, const std::string& url)
{
    if (!IsWebAddress(url))
        return false;
    ShellExecuteA(owner, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return true;
}
