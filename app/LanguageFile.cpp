// app/LanguageFile.cpp
#include "app/LanguageFile.h"

#include <wchar.h>

#include <vector>

#include "app/TextConvert.h"

namespace {

constexpr DWORD kFirstSection = 32 * 1024;
constexpr DWORD kLongestSection = 16u << 20;   // characters; language files are a few KiB
const char kEnglishFile[] = "English.dat";
const int kEnglishIndex = 0;

}  // namespace

std::vector<std::pair<std::wstring, std::wstring>> ReadLanguageEntries(const std::wstring& path)
{
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    if (path.empty())
        return entries;
    // "key=value" entries, each ended by a NUL, the list by a second one. The reader returns
    // size - 2 when the section did not fit.
    std::vector<wchar_t> buffer(kFirstSection);
    DWORD read = 0;
    for (;;) {
        read = GetPrivateProfileSectionW(L"string", buffer.data(), DWORD(buffer.size()), path.c_str());
        if (read + 2 < buffer.size() || buffer.size() >= kLongestSection)
            break;
        buffer.resize(buffer.size() * 2);
    }
    for (size_t at = 0; at < read && buffer[at];) {
        const std::wstring entry(&buffer[at]);
        at += entry.size() + 1;
        const size_t equals = entry.find(L'=');
        if (equals != std::wstring::npos)
            entries.emplace_back(entry.substr(0, equals), entry.substr(equals + 1));
    }
    return entries;
}

bool LanguageFileHasTexts(const std::wstring& path)
{
    for (const auto& entry : ReadLanguageEntries(path))
        if (!entry.second.empty())
            return true;
    return false;
}

bool LanguageFileShowable(const std::wstring& path, UINT codePage,
                          const std::vector<std::string>& wideOnlyKeys)
{
    std::vector<std::wstring> skipped;
    for (const std::string& key : wideOnlyKeys)
        skipped.push_back(ToWideCString(key.c_str()));
    std::wstring texts;
    for (const auto& entry : ReadLanguageEntries(path)) {
        bool skip = false;
        for (const std::wstring& key : skipped)
            skip = skip || _wcsicmp(key.c_str(), entry.first.c_str()) == 0;   // keys have no case
        if (!skip)
            texts += entry.second;
    }
    if (texts.empty())
        return false;
    if (codePage == CP_UTF8 || codePage == CP_UTF7)
        return true;   // every character has a form there
    // Up to two bytes a character in a double-byte code page.
    std::vector<char> narrow(texts.size() * 2 + 1);
    BOOL usedDefault = FALSE;
    const int written = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, texts.data(), int(texts.size()),
                                            narrow.data(), int(narrow.size()), nullptr, &usedDefault);
    return written > 0 && !usedDefault;
}

UsableLanguage PickUsableLanguage(const std::string& folder, int index, const char* fileName)
{
    UsableLanguage pick;
    if (fileName && *fileName &&
        LanguageFileHasTexts(ToWideCString((folder + fileName).c_str()))) {
        pick.index = index;
        pick.fileName = fileName;
        return pick;
    }
    pick.index = kEnglishIndex;
    pick.fileName = kEnglishFile;
    return pick;
}
