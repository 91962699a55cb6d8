// app/LangString.cpp
#include "app/LangString.h"

#include "app/BuiltInEnglish.h"
#include "app/ResourceHelper.h"
#include "app/TextConvert.h"

#include <windows.h>

#include <vector>

namespace {

constexpr wchar_t kSection[] = L"string";
constexpr size_t kFirstBuffer = 1024;
constexpr size_t kLongestValue = size_t(1) << 20;   // characters; no interface text comes near

// The whole value: the buffer grows until the reader no longer fills it to the brim.
std::wstring ReadValue(const std::wstring& file, const char* key)
{
    if (!key || file.empty())
        return std::wstring();
    const std::wstring wideKey = ToWideCString(key);
    if (wideKey.empty())
        return std::wstring();
    std::vector<wchar_t> buffer(kFirstBuffer);
    for (;;) {
        DWORD read = GetPrivateProfileStringW(kSection, wideKey.c_str(), L"", buffer.data(),
                                              DWORD(buffer.size()), file.c_str());
        if (read + 1 < buffer.size() || buffer.size() >= kLongestValue)
            return std::wstring(buffer.data(), read < buffer.size() ? read : 0);
        buffer.resize(buffer.size() * 2);
    }
}

void ExpandLineBreaks(std::string& text)
{
    size_t out = 0;
    for (size_t in = 0; in < text.size(); ++in) {
        if (text[in] == '\\' && in + 1 < text.size() && text[in + 1] == 'n') {
            text[out++] = '\n';
            ++in;
        } else {
            text[out++] = text[in];
        }
    }
    text.resize(out);
}

std::wstring BuiltInValue(const char* key)
{
    return key ? BuiltInEnglish(ToWideCString(key)) : std::wstring();
}

std::string Shown(const std::wstring& value)
{
    std::string text = ToAnsiString(value);
    ExpandLineBreaks(text);
    return text;
}

}  // namespace

std::string GetLangString(const char* key)
{
    const ResourceHelper& helper = ResourceHelper::Instance();
    std::wstring value = ReadValue(helper.GetLanguagePath(), key);
    // A translation cut short or with a key left blank still shows every text, in English.
    if (value.empty() && helper.GetUserStringsPath() != helper.GetLanguagePath())
        value = ReadValue(helper.GetUserStringsPath(), key);
    if (value.empty())
        value = BuiltInValue(key);
    return Shown(value);
}

std::string GetEnglishDatString(const char* key)
{
    return Shown(ReadValue(ResourceHelper::Instance().GetUserStringsPath(), key));
}

std::string GetBuiltInEnglishString(const char* key)
{
    return Shown(BuiltInValue(key));
}

std::string GetUserLangString(const char* key)
{
    return ToAnsiString(ReadValue(ResourceHelper::Instance().GetUserStringsPath(), key));
}

void WriteDefaultLangString(const char* key, const std::string& value)
{
    const std::wstring& file = ResourceHelper::Instance().GetUserStringsPath();
    if (!key || !*key || file.empty())
        return;
    // A line break in a typed value would end the line and start keys of its own.
    std::string oneLine = value;
    for (char& c : oneLine)
        if (c == '\r' || c == '\n')
            c = ' ';
    // The wide writer keeps a UTF-16 file UTF-16; the text is ANSI like every other string.
    WritePrivateProfileStringW(kSection, ToWideCString(key).c_str(),
                               ToWideCString(oneLine.c_str()).c_str(), file.c_str());
}
