// app/Language.cpp
#include "app/Language.h"

#include <windows.h>
#include <string.h>

#include <string>

#include "app/Settings.h"
#include "app/UiFace.h"
#include "app/UsageReport.h"

namespace {

const char kDefaultLanguageFile[] = "English.dat";

const char* const kLanguageFiles[kLanguageCount] = {
    "English.dat", "Japanese.dat", "Deutsch.dat", "French.dat", "Spanish.dat", "Portuguesa(Br).dat",
};

// Installer values in the order they are compared, with the index each one selects.
struct InstallerLanguage {
    const char* value;
    int index;
};
const InstallerLanguage kInstallerLanguages[] = {
    {"Deutsch", 2}, {"Japanese", 1}, {"English", 0},
    {"French", 3},  {"Spanish", 4},  {"BrazilianPortuguese", 5},
};

void CopyName(char* buffer, const std::string& name)
{
    size_t n = name.size() < size_t(kLanguageNameSize - 1) ? name.size() : kLanguageNameSize - 1;
    memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
}

// The installer is a 32-bit program: its key lives in the 32-bit view of the registry, which
// a 64-bit build must ask for (a 32-bit one is in it already).
const REGSAM kInstallerView = KEY_WOW64_32KEY;

// The installer's value as text; false when the key or value is missing, is not REG_SZ or
// does not fit. The registry does not promise a terminator, so the text ends at the size
// the registry returned.
bool ReadInstallerLanguage(std::string& value)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallerLanguageKey, 0, KEY_READ | kInstallerView, &key) !=
        ERROR_SUCCESS)
        return false;
    char data[kLanguageNameSize + 1] = {};
    DWORD type = 0;
    DWORD size = kLanguageNameSize;
    LONG status = RegQueryValueExA(key, kInstallerLanguageValue, nullptr, &type,
                                   reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ || size > kLanguageNameSize)
        return false;
    data[size] = '\0';
    value.assign(data, strnlen(data, size));
    return true;
}

}  // namespace

const char* LanguageFileOf(int index)
{
    return (index >= 0 && index < kLanguageCount) ? kLanguageFiles[index] : nullptr;
}

const char* KnownLanguageFile(const char* name)
{
    for (const char* file : kLanguageFiles)
        if (name && strcmp(name, file) == 0)
            return file;
    return nullptr;
}

void GetLanguageFileName(char* buffer)
{
    // The installer's value counts as consulted once it was read: a run before the key exists
    // (or while it cannot be read) leaves the question to the next run.
    std::string value;
    if (ReadSettingInt("ReadReg", 0) == 0 && ReadInstallerLanguage(value)) {
        SpySetText(kUsageTextInstallerLanguage, value.c_str());
        for (const InstallerLanguage& language : kInstallerLanguages) {
            if (value == language.value) {
                WriteSettingInt("Language", language.index);
                WriteSettingText("LanguageName", kLanguageFiles[language.index]);
                break;
            }
        }
        WriteSettingText("ReadReg", "1");
    }
    // Only the six language files: the setting is a plain text file, and a path such as
    // "..\\x.dat" would make the program read any file as its language. Anything else is
    // the file of the stored language number.
    const std::string name = ReadSettingText("LanguageName", kDefaultLanguageFile);
    const char* known = KnownLanguageFile(name.c_str());
    if (!known) {
        const char* ofIndex = LanguageFileOf(GetLanguageIndex());
        known = ofIndex ? ofIndex : kDefaultLanguageFile;
    }
    CopyName(buffer, known);
}

int GetLanguageIndex()
{
    return ReadSettingInt("Language", 0);
}

int SaveLanguageChoice(int index, const char* fileName)
{
    if (index < 0 || index >= kLanguageCount || !KnownLanguageFile(fileName))
        return -1;
    WriteSettingText("LanguageName", fileName);
    WriteSettingInt("Language", index);
    return 0;
}

int SetUIFontFace(int index)
{
    SetUiFace(UiFaceForLanguage(index));
    return 0;
}

bool WriteLanguageRegistryValue(const char* text)
{
    if (!text)
        return false;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallerLanguageKey, 0, KEY_ALL_ACCESS | kInstallerView, &key) !=
            ERROR_SUCCESS &&
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallerLanguageKey, 0, nullptr, 0, KEY_WRITE | kInstallerView,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG status = RegSetValueExA(key, kInstallerLanguageValue, 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text), DWORD(strlen(text) + 1));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}
