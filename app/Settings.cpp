// app/Settings.cpp
#include "app/Settings.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "app/AppFolder.h"

namespace {

const char kSection[] = "register";
const char kFileName[] = "Config.dat";
constexpr size_t kMaxPath = MAX_PATH - 1;
constexpr DWORD kValueSize = MAX_PATH;   // 259 characters and the terminator

std::string& FolderOverride()
{
    static std::string folder;
    return folder;
}

}  // namespace

void SetSettingsFolder(const char* folder)
{
    FolderOverride() = folder ? folder : "";
}

std::string GetSettingsFilePath()
{
    std::string path = FolderOverride().empty() ? GetAppFolder() : FolderOverride();
    if (path.empty())
        return std::string();
    path += kFileName;
    return path.size() <= kMaxPath ? path : std::string();
}

int ReadSettingInt(const char* key, int defaultValue)
{
    std::string path = GetSettingsFilePath();
    if (path.empty() || !key)
        return defaultValue;
    return static_cast<int>(GetPrivateProfileIntA(kSection, key, defaultValue, path.c_str()));
}

std::string ReadSettingText(const char* key, const char* defaultValue)
{
    std::string fallback = defaultValue ? defaultValue : "";
    std::string path = GetSettingsFilePath();
    if (path.empty() || !key)
        return fallback;
    char value[kValueSize] = {};
    DWORD n = GetPrivateProfileStringA(kSection, key, "", value, kValueSize, path.c_str());
    if (n == 0)
        return fallback;
    return std::string(value, n);
}

bool WriteSettingText(const char* key, const char* value)
{
    std::string path = GetSettingsFilePath();
    if (path.empty() || !key || !value)
        return false;
    // A write rewrites the whole file, and the profile writer drops what it cannot parse:
    // the file is touched only when the setting really changes.
    const char kAbsent[] = "\x01";
    char stored[kValueSize] = {};
    GetPrivateProfileStringA(kSection, key, kAbsent, stored, kValueSize, path.c_str());
    if (strcmp(stored, value) == 0)
        return true;
    return WritePrivateProfileStringA(kSection, key, value, path.c_str()) != FALSE;
}

bool WriteSettingInt(const char* key, int value)
{
    char text[16];
    snprintf(text, sizeof(text), "%d", value);
    return WriteSettingText(key, text);
}
