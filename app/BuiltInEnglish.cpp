// app/BuiltInEnglish.cpp
#include "app/BuiltInEnglish.h"

#include <windows.h>
#include <stddef.h>
#include <wctype.h>

#include <map>

// Made by the build from res/lang/English.dat.txt (UTF-8).
extern const unsigned char kEnglishDatText[];
extern const size_t kEnglishDatTextSize;

namespace {

std::wstring Trimmed(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

std::wstring LowerKey(std::wstring key)
{
    for (wchar_t& c : key)
        c = wchar_t(towlower(c));
    return key;
}

struct Table {
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    std::map<std::wstring, std::wstring> byKey;   // lower-case key -> value
};

// Read as the profile reader reads the shipped file: "key=value" lines of [string], spaces
// around both dropped, lines starting with ';' and lines of other sections left out.
Table ReadTable()
{
    Table table;
    const char* text = reinterpret_cast<const char*>(kEnglishDatText);
    const int length = int(kEnglishDatTextSize);
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, text, length, nullptr, 0);
    std::wstring wide(size_t(wideLength > 0 ? wideLength : 0), L'\0');
    if (wideLength > 0)
        MultiByteToWideChar(CP_UTF8, 0, text, length, &wide[0], wideLength);
    bool inStrings = false;
    for (size_t at = 0; at < wide.size();) {
        size_t end = wide.find(L'\n', at);
        if (end == std::wstring::npos)
            end = wide.size();
        std::wstring line = wide.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        line = Trimmed(line);
        if (line.empty() || line[0] == L';')
            continue;
        if (line[0] == L'[') {
            inStrings = LowerKey(line) == L"[string]";
            continue;
        }
        const size_t equals = line.find(L'=');
        if (!inStrings || equals == std::wstring::npos)
            continue;
        const std::wstring key = Trimmed(line.substr(0, equals));
        const std::wstring value = Trimmed(line.substr(equals + 1));
        if (key.empty() || !table.byKey.emplace(LowerKey(key), value).second)
            continue;
        table.entries.emplace_back(key, value);
    }
    return table;
}

const Table& TheTable()
{
    static const Table table = ReadTable();
    return table;
}

}  // namespace

std::wstring BuiltInEnglish(const std::wstring& key)
{
    const auto& byKey = TheTable().byKey;
    auto found = byKey.find(LowerKey(key));
    return found == byKey.end() ? std::wstring() : found->second;
}

const std::vector<std::pair<std::wstring, std::wstring>>& BuiltInEnglishEntries()
{
    return TheTable().entries;
}
