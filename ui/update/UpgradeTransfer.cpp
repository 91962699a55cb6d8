// ui/update/UpgradeTransfer.cpp
#include "ui/update/UpgradeTransfer.h"

#include <shlwapi.h>

#include <algorithm>

namespace {

bool IsRedirect(DWORD status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::wstring Wide(const std::string& text)
{
    std::wstring out(text.size(), L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &out[0],
                                      int(out.size()));
    out.resize(n > 0 ? n : 0);
    return out;
}

std::string Narrow(const wchar_t* text)
{
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return std::string();
    std::string out(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], n, nullptr, nullptr);
    out.resize(n - 1);
    return out;
}

} // namespace

UpgradeTransfer::UpgradeTransfer()
{
    InitializeCriticalSection(&lock_);
    session_ = WinHttpOpen(L"DuplicateFiles", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                           WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (session_) {
        const int timeout = int(kUpgradeNetworkTimeoutMs);
        WinHttpSetTimeouts(session_, timeout, timeout, timeout, timeout);
        // The wait for the answer's headers is not among those four.
        DWORD responseTimeout = kUpgradeNetworkTimeoutMs;
        WinHttpSetOption(session_, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout,
                         sizeof responseTimeout);
        DWORD never = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
        WinHttpSetOption(session_, WINHTTP_OPTION_REDIRECT_POLICY, &never, sizeof never);
    }
}

UpgradeTransfer::~UpgradeTransfer()
{
    Abort();
    DeleteCriticalSection(&lock_);
}

void UpgradeTransfer::Abort()
{
    EnterCriticalSection(&lock_);
    aborted_ = true;
    // Innermost first; a call still blocked on a handle ends at its next timeout.
    for (HINTERNET* handle : {&request_, &connection_, &session_}) {
        if (*handle)
            WinHttpCloseHandle(*handle);
        *handle = nullptr;
    }
    LeaveCriticalSection(&lock_);
}

void UpgradeTransfer::CloseRequest()
{
    EnterCriticalSection(&lock_);
    for (HINTERNET* handle : {&request_, &connection_}) {
        if (*handle)
            WinHttpCloseHandle(*handle);
        *handle = nullptr;
    }
    LeaveCriticalSection(&lock_);
}

HINTERNET UpgradeTransfer::Request()
{
    EnterCriticalSection(&lock_);
    HINTERNET request = request_;
    LeaveCriticalSection(&lock_);
    return request;
}

bool UpgradeTransfer::Open(const std::string& address)
{
    const std::wstring url = Wide(address);
    wchar_t host[256] = L"";
    wchar_t path[2048] = L"";
    wchar_t extra[2048] = L"";
    URL_COMPONENTS parts = {};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = ARRAYSIZE(host);
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = ARRAYSIZE(path);
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = ARRAYSIZE(extra);
    if (url.empty() || !WinHttpCrackUrl(url.c_str(), 0, 0, &parts) || !host[0] ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
        return false;
    const std::wstring object = std::wstring(path[0] ? path : L"/") + extra;
    // Neither call waits for the network: both are made under the lock, so that Abort finds
    // every handle there is.
    EnterCriticalSection(&lock_);
    bool opened = false;
    if (!aborted_ && session_) {
        connection_ = WinHttpConnect(session_, host, parts.nPort, 0);
        if (connection_)
            request_ = WinHttpOpenRequest(
                connection_, L"GET", object.c_str(), nullptr, WINHTTP_NO_REFERER,
                WINHTTP_DEFAULT_ACCEPT_TYPES,
                WINHTTP_FLAG_REFRESH | (parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0));
        if (request_) {
            DWORD responseTimeout = kUpgradeNetworkTimeoutMs;
            WinHttpSetOption(request_, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout,
                             sizeof responseTimeout);
            DWORD disable = WINHTTP_DISABLE_REDIRECTS | WINHTTP_DISABLE_COOKIES;
            WinHttpSetOption(request_, WINHTTP_OPTION_DISABLE_FEATURE, &disable, sizeof disable);
        }
        opened = request_ != nullptr;
    }
    LeaveCriticalSection(&lock_);
    if (!opened)
        CloseRequest();
    return opened;
}

bool UpgradeTransfer::SendAndRead(unsigned long cap, DWORD* status, std::string* body)
{
    HINTERNET request = Request();
    if (!request ||
        !WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA,
                            0, 0, 0) ||
        !WinHttpReceiveResponse(request, nullptr))
        return false;
    DWORD size = sizeof *status;
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, status, &size,
                             WINHTTP_NO_HEADER_INDEX))
        return false;
    if (*status != 200)
        return true;
    char buffer[4096];
    while (body->size() <= cap) {
        const DWORD wanted = DWORD(std::min<unsigned long>(sizeof buffer, cap + 1 - body->size()));
        DWORD got = 0;
        if (!WinHttpReadData(request, buffer, wanted, &got))
            return false;
        if (got == 0)
            return true;
        body->append(buffer, got);
    }
    return true;
}

std::string UpgradeTransfer::RedirectTarget(const std::string& from)
{
    HINTERNET request = Request();
    wchar_t location[2048] = L"";
    DWORD size = sizeof location;
    if (!request || !WinHttpQueryHeaders(request, WINHTTP_QUERY_LOCATION,
                                         WINHTTP_HEADER_NAME_BY_INDEX, location, &size,
                                         WINHTTP_NO_HEADER_INDEX))
        return std::string();
    // A relative "Location" is taken against the address that gave it.
    char target[2048] = "";
    DWORD targetSize = sizeof target;
    if (FAILED(UrlCombineA(from.c_str(), Narrow(location).c_str(), target, &targetSize, 0)))
        return std::string();
    return target;
}

UpgradeTransferResult UpgradeTransfer::Fetch(const std::string& address, unsigned long cap)
{
    UpgradeTransferResult result;
    std::string current = address;
    for (;;) {
        result.visited.push_back(current);
        if (!Open(current))
            break;
        DWORD status = 0;
        std::string body;
        const bool answered = SendAndRead(cap, &status, &body);
        const std::string next = answered && IsRedirect(status) ? RedirectTarget(current) : "";
        CloseRequest();
        if (answered && status == 200) {
            result.complete = body.size() <= cap;
            result.body.swap(body);
            break;
        }
        if (next.empty() || result.redirects == kMaxUpgradeRedirects)
            break;
        ++result.redirects;
        current = next;
    }
    return result;
}
