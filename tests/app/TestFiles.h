// tests/app/TestFiles.h
// The forms of text files that the language and layout tests write.
#pragma once
#include <string>

#include "tests/support/TestFiles.h"

// text as UTF-16 LE with a byte-order mark, the form of the shipped language files.
inline bool WriteUtf16File(const std::string& path, const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return WriteWholeFile(path, bytes);
}

inline std::wstring Widen(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}
