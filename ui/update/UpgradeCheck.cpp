// ui/update/UpgradeCheck.cpp
#include "ui/update/UpgradeCheck.h"

#include "ui/about/ProductVersion.h"

#include <windows.h>

#include "app/WebAddress.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
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

InstalledVersion ReadInstalledVersion()
{
    InstalledVersion installed;
    char path[MAX_PATH] = "";
    std::string version, copyright;
    unsigned parts[4];
    if (GetModuleFileNameA(nullptr, path, MAX_PATH) &&
        GetProductVersion(path, version, copyright) == 0 && ParseProductVersion(version, parts)) {
        installed.known = true;
        installed.major = parts[0];
        installed.minor = parts[1];
    }
    return installed;
}

bool IsNewerThan(unsigned major, unsigned minor, const InstalledVersion& installed)
{
    return major > installed.major || (major == installed.major && minor > installed.minor);
}

UpgradeVerdict JudgeUpgradeValues(const std::string& productVersion, const std::string& url,
                                  const InstalledVersion& installed)
{
    UpgradeVerdict verdict;
    unsigned parts[4];
    if (!installed.known || url.size() < 4 || !ParseProductVersion(productVersion, parts))
        return verdict;
    if (!IsNewerThan(parts[0], parts[1], installed)) {
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

UpgradeVerdict JudgeUpgradeFile(const std::string& iniPath, const InstalledVersion& installed)
{
    char version[260] = "", url[260] = "";
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (iniPath.empty() ||
        !GetFileAttributesExA(iniPath.c_str(), GetFileExInfoStandard, &data) ||
        data.nFileSizeHigh != 0 || data.nFileSizeLow > kUpgradeFileCap)
        return UpgradeVerdict();
    GetPrivateProfileStringA("VERSION", "Product Version", "", version, sizeof(version),
                             iniPath.c_str());
    const DWORD urlLength = GetPrivateProfileStringA("VERSION", "URL", "", url, sizeof(url),
                                                     iniPath.c_str());
    // A value that filled the buffer was cut short: an address cut short leads elsewhere.
    if (urlLength >= sizeof(url) - 1)
        return UpgradeVerdict();
    return JudgeUpgradeValues(version, url, installed);
}

std::string MakeUpgradeAddress(const std::string& base, unsigned long tick)
{
    return base + "?k=" + std::to_string(static_cast<int>(tick));
}
