// app/XmlNesting.cpp
#include "app/XmlNesting.h"

#include <stdio.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

// The byte-order mark that makes TinyXML read a document as UTF-8.
bool StartsWithUtf8Mark(const char* p)
{
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF;
}

// TinyXML's tokenising helpers and its node identification are protected members of its node
// classes: the walk derives from one to call them. It is never part of a document.
class DepthWalk : public TiXmlNode
{
public:
    DepthWalk() : TiXmlNode(TiXmlNode::TINYXML_UNKNOWN) {}

    // As TiXmlDocument::Parse walks the top level.
    size_t Walk(const char* p, size_t limit, TiXmlEncoding encoding)
    {
        deepest_ = 0;
        if (!p || !*p)
            return 0;
        if (encoding == TIXML_ENCODING_UNKNOWN && StartsWithUtf8Mark(p))
            encoding = TIXML_ENCODING_UTF8;
        p = SkipWhiteSpace(p, encoding);
        while (p && *p) {
            TiXmlNode* node = Identify(p, encoding);
            if (!node)
                break;
            if (node->ToElement()) {
                delete node;
                p = WalkElement(p, limit, encoding);
            } else {
                p = node->Parse(p, nullptr, encoding);
                if (encoding == TIXML_ENCODING_UNKNOWN && node->ToDeclaration())
                    encoding = DeclaredEncoding(node->ToDeclaration()->Encoding());
                delete node;
            }
            if (deepest_ > limit)
                break;
            p = SkipWhiteSpace(p, encoding);
        }
        return deepest_;
    }

private:
    static TiXmlEncoding DeclaredEncoding(const char* name)
    {
        if (!*name || StringEqual(name, "UTF-8", true, TIXML_ENCODING_UNKNOWN) ||
            StringEqual(name, "UTF8", true, TIXML_ENCODING_UNKNOWN))
            return TIXML_ENCODING_UTF8;
        return TIXML_ENCODING_LEGACY;
    }

    // As TiXmlElement::Parse reads a start tag, up to and with its '>' or "/>": null where the
    // parser fails. *opened tells a tag that opens content from an empty one.
    static const char* ReadStartTag(const char* p, TiXmlEncoding encoding, bool* opened,
                                    std::string* endTag)
    {
        p = SkipWhiteSpace(p, encoding);
        if (!p || *p != '<')
            return nullptr;
        std::string name;
        p = ReadName(SkipWhiteSpace(p + 1, encoding), &name, encoding);
        if (!p || !*p)
            return nullptr;
        *endTag = "</" + name;
        std::set<std::string> attributes;
        for (;;) {
            p = SkipWhiteSpace(p, encoding);
            if (!p || !*p)
                return nullptr;
            if (*p == '/') {
                if (p[1] != '>')
                    return nullptr;
                *opened = false;
                return p + 2;
            }
            if (*p == '>') {
                *opened = true;
                return p + 1;
            }
            TiXmlAttribute attribute;
            p = attribute.Parse(p, nullptr, encoding);
            if (!p || !*p)
                return nullptr;
            // The parser refuses a repeated attribute.
            if (!attributes.insert(attribute.NameTStr()).second)
                return nullptr;
        }
    }

    // One element and everything in it, as TiXmlElement::Parse and ReadValue recurse through
    // it, with the open elements on a list instead of the stack. Null where the parser fails
    // or the nesting passes limit.
    const char* WalkElement(const char* p, size_t limit, TiXmlEncoding encoding)
    {
        std::vector<std::string> open;   // end tags of the elements being read, innermost last
        bool atStartTag = true;
        for (;;) {
            if (atStartTag) {
                // The parser takes one step deeper for every element, an empty one too.
                deepest_ = std::max(deepest_, open.size() + 1);
                if (deepest_ > limit)
                    return nullptr;
                bool opened = false;
                std::string endTag;
                p = ReadStartTag(p, encoding, &opened, &endTag);
                if (!p)
                    return nullptr;
                if (!opened && open.empty())
                    return p;
                if (opened)
                    open.push_back(endTag);
                atStartTag = false;
            }
            // The content of the innermost open element, one node at a time.
            const char* withWhiteSpace = p;
            p = SkipWhiteSpace(p, encoding);
            if (!p || !*p)
                return nullptr;   // no end tag
            if (*p != '<') {
                TiXmlText text("");
                p = text.Parse(IsWhiteSpaceCondensed() ? p : withWhiteSpace, nullptr, encoding);
            } else if (StringEqual(p, "</", false, encoding)) {
                const std::string& endTag = open.back();
                if (!StringEqual(p, endTag.c_str(), false, encoding))
                    return nullptr;
                p = SkipWhiteSpace(p + endTag.size(), encoding);
                if (!p || *p != '>')
                    return nullptr;
                ++p;
                open.pop_back();
                if (open.empty())
                    return p;
            } else {
                TiXmlNode* node = Identify(p, encoding);
                if (!node)
                    return nullptr;
                if (node->ToElement())
                    atStartTag = true;
                else
                    p = node->Parse(p, nullptr, encoding);
                delete node;
            }
        }
    }

    // Never called: the walk is not a node of any document.
    const char* Parse(const char*, TiXmlParsingData*, TiXmlEncoding) override { return nullptr; }
    void Print(FILE*, int) const override {}
    TiXmlNode* Clone() const override { return nullptr; }
    bool Accept(TiXmlVisitor*) const override { return false; }
#ifdef TIXML_USE_STL
    void StreamIn(std::istream*, TIXML_STRING*) override {}
#endif

    size_t deepest_ = 0;
};

// The file as TiXmlDocument::LoadFile hands it to the parser: whole, up to its first zero
// byte, with CR LF and lone CR made LF. False when it cannot be read or is empty.
bool ReadAsTinyXmlDoes(const std::string& path, std::string* text)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::string bytes;
    char buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    const bool failed = ferror(file) != 0;
    fclose(file);
    if (failed || bytes.empty())
        return false;
    text->clear();
    text->reserve(bytes.size());
    for (size_t i = 0; i < bytes.size() && bytes[i]; ++i) {
        if (bytes[i] == '\r') {
            text->push_back('\n');
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            text->push_back(bytes[i]);
        }
    }
    return true;
}

}  // namespace

size_t XmlNestingDepth(const char* text, size_t limit, TiXmlEncoding encoding)
{
    DepthWalk walk;
    return walk.Walk(text, limit, encoding);
}

XmlFileState LoadBoundedXml(TiXmlDocument& document, const std::string& path,
                            TiXmlEncoding encoding)
{
    document.Clear();
    document.SetValue(path);
    std::string text;
    if (!ReadAsTinyXmlDoes(path, &text))
        return XmlFileState::Unusable;
    if (XmlNestingDepth(text.c_str(), kMaxXmlNesting, encoding) > kMaxXmlNesting)
        return XmlFileState::TooDeep;
    document.Parse(text.c_str(), nullptr, encoding);
    if (document.Error()) {
        document.Clear();
        return XmlFileState::Unusable;
    }
    return XmlFileState::Loaded;
}

std::string XmlTooDeepMessage(const std::string& path)
{
    return "The file \"" + path + "\" is nested deeper than " + std::to_string(kMaxXmlNesting) +
           " levels and was not read.\n\nInstall the program again to repair it.";
}
