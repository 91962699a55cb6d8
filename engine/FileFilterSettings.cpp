// engine/FileFilterSettings.cpp
#include "engine/FileFilterSettings.h"

#include <string.h>

#include <climits>

namespace {

// The text of a fixed array, up to its NUL or its end.
std::string BoundedText(const char* text, size_t capacity)
{
    const void* end = memchr(text, '\0', capacity);
    return std::string(text, end ? static_cast<const char*>(end) - text : capacity);
}

template <size_t N>
void TerminateArray(char (&text)[N])
{
    text[N - 1] = '\0';
}

}  // namespace

FilterSettingsCopy::FilterSettingsCopy(const FileFilterSettingsBlock& block)
    : block_(block), attributeFilter_(block.flagB ? kFilterMaskAll : 0x40)
{
    TerminateArray(block_.name);
    TerminateArray(block_.text);
    name_.text = BoundedText(block_.name, sizeof(block_.name));
    name_.flag = block_.flagA ? 1 : 0;
    NormalizeFileTimeRange(&timeRange_, &block_.timeRange);
    extra_ = block_.extra;
    text_.text = BoundedText(block_.text, sizeof(block_.text));
    text_.wide = ConvertToWide(text_.text.data(), text_.text.size());
}

void NormalizeFileTimeRange(FileTimeRange** holder, FileTimeRange* record)
{
    if (holder)
        *holder = record;
    if (record && CompareFileTime(&record->from, &record->to) > 0) {
        FILETIME earlier = record->to;
        record->to = record->from;
        record->from = earlier;
    }
}

std::wstring ConvertToWide(const char* text, size_t length)
{
    if (!text || length == 0 || length > size_t(INT_MAX))
        return std::wstring();
    int count = MultiByteToWideChar(CP_ACP, 0, text, int(length), nullptr, 0);
    if (count <= 0)
        return std::wstring();
    std::wstring wide(size_t(count), L'\0');
    count = MultiByteToWideChar(CP_ACP, 0, text, int(length), &wide[0], count);
    if (count <= 0)
        return std::wstring();
    wide.resize(size_t(count));
    if (!wide.empty() && wide[0] == 0xFEFF)
        wide.erase(0, 1);
    return wide;
}
