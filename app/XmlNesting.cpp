// app/XmlNesting.cpp
#include "app/XmlNesting.h"

#include <string.h>

namespace {

bool StartsWith(const char* at, const char* end, const char* prefix)
{
    const size_t n = strlen(prefix);
    return size_t(end - at) >= n && memcmp(at, prefix, n) == 0;
}

// Just past the first `terminator` at or after from; end when there is none.
const char* PastText(const char* from, const char* end, const char* terminator)
{
    const size_t n = strlen(terminator);
    for (const char* p = from; size_t(end - p) >= n; ++p)
        if (memcmp(p, terminator, n) == 0)
            return p + n;
    return end;
}

// Just past the '>' that ends a tag begun at from, skipping quoted values; *empty tells
// whether it ended in "/>".
const char* PastTag(const char* from, const char* end, bool* empty)
{
    char quote = 0;
    for (const char* p = from; p < end; ++p) {
        if (quote) {
            if (*p == quote)
                quote = 0;
        } else if (*p == '"' || *p == '\'') {
            quote = *p;
        } else if (*p == '>') {
            *empty = p > from && p[-1] == '/';
            return p + 1;
        }
    }
    *empty = false;
    return end;
}

// A declaration ("<!DOCTYPE ...>") may hold an internal subset in brackets with '>' inside.
const char* PastDeclaration(const char* from, const char* end)
{
    int brackets = 0;
    char quote = 0;
    for (const char* p = from; p < end; ++p) {
        if (quote) {
            if (*p == quote)
                quote = 0;
        } else if (*p == '"' || *p == '\'') {
            quote = *p;
        } else if (*p == '[') {
            ++brackets;
        } else if (*p == ']') {
            if (brackets > 0)
                --brackets;
        } else if (*p == '>' && brackets == 0) {
            return p + 1;
        }
    }
    return end;
}

}  // namespace

size_t XmlNestingDepth(const char* text, size_t size, size_t limit)
{
    if (!text)
        return 0;
    const char* end = text + size;
    size_t depth = 0, deepest = 0;
    for (const char* p = text; p < end;) {
        if (*p != '<') {
            ++p;
        } else if (StartsWith(p, end, "<!--")) {
            p = PastText(p + 4, end, "-->");
        } else if (StartsWith(p, end, "<![CDATA[")) {
            p = PastText(p + 9, end, "]]>");
        } else if (StartsWith(p, end, "<?")) {
            p = PastText(p + 2, end, "?>");
        } else if (StartsWith(p, end, "<!")) {
            p = PastDeclaration(p + 2, end);
        } else if (StartsWith(p, end, "</")) {
            bool empty = false;
            p = PastTag(p + 2, end, &empty);
            if (depth > 0)
                --depth;
        } else {
            bool empty = false;
            p = PastTag(p + 1, end, &empty);
            if (!empty && ++depth > deepest) {
                deepest = depth;
                if (deepest > limit)
                    return deepest;
            }
        }
    }
    return deepest;
}
