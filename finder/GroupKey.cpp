// finder/GroupKey.cpp
#include "finder/GroupKey.h"

#include <string.h>
#include <windows.h>

#include "app/TextCase.h"

bool EndsInPathSeparator(const std::string& path, unsigned codePage)
{
    if (path.empty() || path.back() != '\\')
        return false;
    // Only a 0x5C that begins a character separates: walk the characters from the start.
    size_t i = 0;
    size_t last = 0;
    while (i < path.size()) {
        last = i;
        i += IsDBCSLeadByteEx(codePage, BYTE(path[i])) && i + 1 < path.size() ? 2 : 1;
    }
    return last == path.size() - 1;
}

std::string SearchPattern(const std::string& folder)
{
    return EndsInPathSeparator(folder) ? folder + "*.*" : folder + "\\*.*";
}

std::string ChildPath(const std::string& folder, const std::string& name)
{
    return EndsInPathSeparator(folder) ? folder + name : folder + "\\" + name;
}

std::string VolumeRoot(const std::string& path)
{
    if (path.compare(0, 2, "\\\\") != 0)
        return LowerAscii(path.substr(0, path.find('\\')));
    size_t server = path.find('\\', 2);
    size_t share = server == std::string::npos ? server : path.find('\\', server + 1);
    return LowerAscii(path.substr(0, share));
}

std::string KeyExtension(const std::string& name)
{
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size())
        return "null";
    return LowerAscii(name.substr(dot + 1));
}

std::string MakeGroupKey(int64_t size, const std::string& extension, const std::string& content)
{
    return std::to_string(size) + "|" + extension + "|" + content;
}

bool IsLookAlikeGroupKey(const std::string& key)
{
    return !key.empty() && key.find('|') == std::string::npos;
}

void SplitString(const char* text, const char* delimiters, std::vector<std::string>& parts)
{
    if (!text || !delimiters)
        return;
    const char* p = text;
    while (*p) {
        p += strspn(p, delimiters);
        if (!*p)
            break;
        size_t length = strcspn(p, delimiters);
        parts.emplace_back(p, length);
        p += length;
    }
}
