// finder/GroupKey.cpp
#include "finder/GroupKey.h"

#include <string.h>

#include "app/TextCase.h"

static bool EndsInBackslash(const std::string& text)
{
    return !text.empty() && text.back() == '\\';
}

std::string SearchPattern(const std::string& folder)
{
    return EndsInBackslash(folder) ? folder + "*.*" : folder + "\\*.*";
}

std::string ChildPath(const std::string& folder, const std::string& name)
{
    return EndsInBackslash(folder) ? folder + name : folder + "\\" + name;
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
