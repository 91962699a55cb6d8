// ui/update/UpgradeTransfer.h
// One bounded download of a small file over HTTP(S) with WinHTTP, free of windows: at most
// kMaxUpgradeRedirects redirects, each followed by hand; the body read only up to its cap and
// the connection dropped there; every wait of the network limited by kUpgradeNetworkTimeoutMs;
// and Abort, called from another thread, closes the handles, so that a cancelled transfer
// ends within that limit (under Wine a call blocked on a handle does not return when the
// handle is closed, so the limit is what ends it) and nothing further is asked.
// WinHTTP keeps no cache, so nothing of a check is left in the browser's (WinINet's, under
// Wine, drains a body of known length whole when its handle is closed, which makes a cap
// worthless against a fast server).
#pragma once
#include <windows.h>
#include <winhttp.h>

#include <string>
#include <vector>

const unsigned kMaxUpgradeRedirects = 5;
// Short, so that a cancelled check ends within a second: a server silent for longer in the
// middle of a file of a few lines is taken as failed.
const DWORD kUpgradeNetworkTimeoutMs = 800;

struct UpgradeTransferResult {
    bool complete = false;          // a 200 answer, read whole within the cap
    std::string body;               // what was read (at most cap + 1 bytes)
    unsigned redirects = 0;         // redirects followed
    std::vector<std::string> visited;   // every address asked, the first one included
};

class UpgradeTransfer
{
public:
    UpgradeTransfer();
    ~UpgradeTransfer();
    UpgradeTransfer(const UpgradeTransfer&) = delete;
    UpgradeTransfer& operator=(const UpgradeTransfer&) = delete;

    // Blocks: the answer to a GET of address (http or https), with the body cut at cap + 1
    // bytes (a body of more than cap bytes is never complete).
    UpgradeTransferResult Fetch(const std::string& address, unsigned long cap);

    // Any thread: closes the handles of the transfer; a Fetch blocked in the network returns
    // within kUpgradeNetworkTimeoutMs, and every later one fails at once.
    void Abort();

private:
    // Opens the request for one address; false when aborted or the address is refused.
    bool Open(const std::string& address);
    void CloseRequest();
    HINTERNET Request();
    bool SendAndRead(unsigned long cap, DWORD* status, std::string* body);
    std::string RedirectTarget(const std::string& from);

    CRITICAL_SECTION lock_;
    bool aborted_ = false;
    HINTERNET session_ = nullptr, connection_ = nullptr, request_ = nullptr;
};
