// app/ResourceLayout.cpp
#include "app/ResourceLayout.h"

#include "app/ProgramFilePath.h"
#include "app/XmlNesting.h"

#include <tinyxml.h>
#include <string.h>

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

XmlFileState LoadDocument()
{
    LayoutDocument& layout = Layout();
    if (layout.document)
        return XmlFileState::Loaded;
    const std::string path = LayoutPath();
    if (!FitsProgramPath(path))
        return XmlFileState::Unusable;
    std::unique_ptr<TiXmlDocument> document(new TiXmlDocument());
    const XmlFileState state = LoadBoundedXml(*document, path, TIXML_ENCODING_UTF8);
    if (state != XmlFileState::Loaded)
        return state;
    if (!IsLayoutRoot(document->RootElement()))
        return XmlFileState::Unusable;
    layout.document = std::move(document);
    return XmlFileState::Loaded;
}

TiXmlDocument* LoadedDocument()
{
    return LoadDocument() == XmlFileState::Loaded ? Layout().document.get() : nullptr;
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

XmlFileState LoadResourceLayout()
{
    return LoadDocument();
}

std::string ResourceLayoutPath()
{
    return LayoutPath();
}
