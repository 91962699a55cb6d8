// app/LanguageFile.h
// What a language file holds as a whole: whether it has texts at all, and whether every one
// of them can be shown in a code page. A file with texts may still lack some: those come
// from English, key by key (GetLangString). Start-up and the language menu ask before they use a
// file, since a file that fails either gives windows without words or with "?" in them.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Every key and value of section [string], read as UTF-16 (a UTF-16 file keeps its script);
// empty when the file is missing, unreadable, empty or has no such section.
std::vector<std::pair<std::wstring, std::wstring>> ReadLanguageEntries(const std::wstring& path);
// True when the file has at least one non-empty text.
bool LanguageFileHasTexts(const std::wstring& path);
// True when the file has texts and every one of them converts to codePage without a
// stand-in character (an accent dropped counts as one). wideOnlyKeys: texts that are only
// ever shown as UTF-16 (the language menu names each language in its own script).
bool LanguageFileShowable(const std::wstring& path, UINT codePage,
                          const std::vector<std::string>& wideOnlyKeys = {});

// The language start-up goes on with: the chosen one while its file has texts, else English
// ("English.dat", index 0), whose missing texts the built-in English gives (app/LangString.h),
// so the program has words even when "English.dat" is cut short or gone. The choice in the
// settings stays as it is, so a repaired file is used again at the next start.
struct UsableLanguage {
    int index = 0;
    std::string fileName;
};
// folder: where the language files lie (ends in a backslash).
UsableLanguage PickUsableLanguage(const std::string& folder, int index, const char* fileName);
