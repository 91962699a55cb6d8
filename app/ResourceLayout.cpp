// app/ResourceLayout.cpp
#include "app/ResourceLayout.h"

#include "app/ProgramFilePath.h"
#include "app/XmlNesting.h"

#include <tinyxml.h>
#include <string.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

struct LayoutDocument {
    std::string overridePath;
    std::unique_ptr<TiXmlDocument> document;   // set only once loaded and accepted
};

LayoutDocument& Layout()
{
    static LayoutDocument layout;
    return layout;
}

bool IsLayoutRoot(const TiXmlElement* root)
{
    return root && _stricmp(root->Value(), "Resource") == 0;
}

std::string LayoutPath()
{
    const LayoutDocument& layout = Layout();
    return layout.overridePath.empty() ? ProgramFilePath("Resource.xml") : layout.overridePath;
}

// The parser recurses once per level: a file nested too deep is refused before it parses.
bool NestsTooDeep(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;   // the parser finds it missing
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return XmlNestingDepth(text.data(), text.size(), kMaxLayoutNesting) > kMaxLayoutNesting;
}

LayoutFileState LoadDocument()
{
    LayoutDocument& layout = Layout();
    if (layout.document)
        return LayoutFileState::Loaded;
    const std::string path = LayoutPath();
    if (!FitsProgramPath(path))
        return LayoutFileState::Unusable;
    if (NestsTooDeep(path))
        return LayoutFileState::TooDeep;
    std::unique_ptr<TiXmlDocument> document(new TiXmlDocument());
    if (!document->LoadFile(path.c_str(), TIXML_ENCODING_UTF8) || document->Error() ||
        !IsLayoutRoot(document->RootElement()))
        return LayoutFileState::Unusable;
    layout.document = std::move(document);
    return LayoutFileState::Loaded;
}

TiXmlDocument* LoadedDocument()
{
    return LoadDocument() == LayoutFileState::Loaded ? Layout().document.get() : nullptr;
}

}  // namespace

TiXmlElement* GetResourceElement(const char* name)
{
    if (!name)
        return nullptr;
    TiXmlDocument* document = LoadedDocument();
    if (!document || document->Error())
        return nullptr;
    return document->RootElement()->FirstChildElement(name);
}

TiXmlElement* GetResourceItem(const char* name, int id)
{
    TiXmlElement* window = GetResourceElement(name);
    if (!window || id == 0)
        return nullptr;
    for (TiXmlElement* item = window->FirstChildElement(); item;
         item = item->NextSiblingElement()) {
        int itemId = 0;
        if (item->QueryIntAttribute("id", &itemId) == TIXML_SUCCESS && itemId == id)
            return item;
    }
    return nullptr;
}

void SetResourceLayoutPath(const char* path)
{
    LayoutDocument& layout = Layout();
    layout.overridePath = path ? path : "";
    layout.document.reset();
}

LayoutFileState LoadResourceLayout()
{
    return LoadDocument();
}

std::string ResourceLayoutPath()
{
    return LayoutPath();
}
