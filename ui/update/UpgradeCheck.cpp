// ui/update/UpgradeCheck.cpp
#include "ui/update/UpgradeCheck.h"

#include <windows.h>

#include "app/TextCase.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    const std::string start(prefix);
    return text.size() >= start.size() && LowerAscii(text.substr(0, start.size())) == start;
}

} // namespace

bool ParseProductVersion(const std::string& text, unsigned parts[4])
{
    size_t pos = 0, end = text.size();
    while (pos < end && IsBlank(text[pos]))
        ++pos;
    while (end > pos && IsBlank(text[end - 1]))
        --end;
    unsigned values[4];
    for (int n = 0; n < 4; ++n) {
        if (n > 0) {
            if (pos >= end || text[pos] != '.')
                return false;
            ++pos;
        }
        unsigned value = 0;
        size_t digits = 0;
        while (pos < end && text[pos] >= '0' && text[pos] <= '9') {
            value = value * 10 + unsigned(text[pos] - '0');
            if (value > 65535)
                return false;
            ++pos;
            ++digits;
        }
        if (digits == 0)
            return false;
        values[n] = value;
    }
    if (pos != end)
        return false;
    for (int n = 0; n < 4; ++n)
        parts[n] = values[n];
    return true;
}

bool IsNewerThanBuiltIn(unsigned major, unsigned minor)
{
    return major > kBuiltInMajorVersion ||
           (major == kBuiltInMajorVersion && minor > kBuiltInMinorVersion);
}

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
    // No blanks or control characters: the shell would split or mangle them.
    for (unsigned char c : url) {
        if (c <= ' ' || c == 0x7F || c == '"')
            return false;
    }
    return url[host] != '/';
}

UpgradeVerdict JudgeUpgradeValues(const std::string& productVersion, const std::string& url)
{
    UpgradeVerdict verdict;
    unsigned parts[4];
    if (url.size() < 4 || !ParseProductVersion(productVersion, parts))
        return verdict;
    if (!IsNewerThanBuiltIn(parts[0], parts[1])) {
        verdict.outcome = UpgradeOutcome::UpToDate;
        return verdict;
    }
    // A newer version whose page cannot be opened safely is no offer at all.
    if (!IsWebAddress(url))
        return verdict;
    verdict.outcome = UpgradeOutcome::Newer;
    verdict.downloadUrl = url;
    return verdict;
}

UpgradeVerdict JudgeUpgradeFile(const std::string& iniPath)
{
    char version[260] = "", url[260] = "";
    if (iniPath.empty() || GetFileAttributesA(iniPath.c_str()) == INVALID_FILE_ATTRIBUTES)
        return UpgradeVerdict();
    GetPrivateProfileStringA("VERSION", "Product Version", "", version, sizeof(version),
                             iniPath.c_str());
    const DWORD urlLength = GetPrivateProfileStringA("VERSION", "URL", "", url, sizeof(url),
                                                     iniPath.c_str());
    // A value that filled the buffer was cut short: an address cut short leads elsewhere.
    if (urlLength >= sizeof(url) - 1)
        return UpgradeVerdict();
    return JudgeUpgradeValues(version, url);
}

std::string MakeUpgradeAddress(const std::string& base, unsigned long tick)
{
    return base + "?k=" + std::to_string(static_cast<int>(tick));
}
