// uikit/widget/LayoutAttr.cpp
#include "uikit/widget/LayoutAttr.h"

#include <climits>
#include <cstdlib>
#include <tinyxml.h>

namespace UiCtrl {

namespace {

const char* RawAttr(const TiXmlElement* element, const char* name)
{
    return element ? element->Attribute(name) : nullptr;
}

// strtol with the result kept inside int, so a huge number cannot wrap to a negative size.
bool ParseLong(const char* text, int base, long long& out)
{
    if (!text || !*text)
        return false;
    char* end = nullptr;
    long long value = std::strtoll(text, &end, base);
    if (end == text)
        return false;
    out = value;
    return true;
}

} // namespace

int ReadIntAttr(const TiXmlElement* element, const char* name)
{
    int value = 0;
    ReadIntAttrIfPresent(element, name, value);
    return value;
}

bool ReadIntAttrIfPresent(const TiXmlElement* element, const char* name, int& out)
{
    const char* text = RawAttr(element, name);
    if (!text)
        return false;
    long long value = 0;
    if (!ParseLong(text, 10, value)) {
        out = 0;
        return true;
    }
    if (value > INT_MAX)
        value = INT_MAX;
    if (value < INT_MIN)
        value = INT_MIN;
    out = static_cast<int>(value);
    return true;
}

bool ReadColorAttr(const TiXmlElement* element, const char* name, COLORREF& out)
{
    long long value = 0;
    if (!ParseLong(RawAttr(element, name), 16, value) || value < 0)
        return false;
    // Only the three colour bytes: a set high byte would make GDI read a palette index.
    out = static_cast<COLORREF>(value) & 0x00FFFFFF;
    return true;
}

bool ReadHexIntAttr(const TiXmlElement* element, const char* name, int& out)
{
    long long value = 0;
    if (!ParseLong(RawAttr(element, name), 16, value))
        return false;
    // "%x" semantics: the low 32 bits, so "ffffffff" is -1.
    out = static_cast<int>(static_cast<unsigned int>(value));
    return true;
}

std::string ReadTextAttr(const TiXmlElement* element, const char* name)
{
    const char* text = RawAttr(element, name);
    return text ? std::string(text) : std::string();
}

bool HasAttr(const TiXmlElement* element, const char* name)
{
    return RawAttr(element, name) != nullptr;
}

} // namespace UiCtrl
