// app/ResourceLayout.cpp
#include "app/ResourceLayout.h"

#include "app/ProgramFilePath.h"

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

TiXmlDocument* LoadedDocument()
{
    LayoutDocument& layout = Layout();
    if (layout.document)
        return layout.document.get();
    const std::string path = layout.overridePath.empty() ? ProgramFilePath("Resource.xml")
                                                         : layout.overridePath;
    if (!FitsProgramPath(path))
        return nullptr;
    std::unique_ptr<TiXmlDocument> document(new TiXmlDocument());
    if (!document->LoadFile(path.c_str(), TIXML_ENCODING_UTF8) || document->Error() ||
        !IsLayoutRoot(document->RootElement()))
        return nullptr;
    layout.document = std::move(document);
    return layout.document.get();
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
