// finder/RecoveryFilter.cpp
#include "finder/RecoveryFilter.h"

#include <string.h>
#include <tinyxml.h>

#include "app/ProgramFilePath.h"
#include "app/TextCase.h"
#include "app/XmlNesting.h"
#include "engine/FileNode.h"

namespace {

constexpr uint32_t kLoadOrder[] = {kRecoveryPhoto, kRecoveryMusic,    kRecoveryArchive,
                                   kRecoveryVideo, kRecoveryDocument, kRecoveryOther};

std::string TrimBlanks(const char* text)
{
    std::string out = text ? text : "";
    const char* blanks = " \t\r\n";
    const size_t first = out.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return out.substr(first, out.find_last_not_of(blanks) - first + 1);
}

// The ';'-terminated extensions of one "FileCategory", leading dots taken off.
std::string ExtensionListOf(const TiXmlElement* category)
{
    std::string list;
    for (const TiXmlElement* type = category->FirstChildElement("FileType"); type;
         type = type->NextSiblingElement("FileType")) {
        for (const TiXmlElement* item = type->FirstChildElement(); item;
             item = item->NextSiblingElement()) {
            if (_stricmp(item->Value(), "Extention") != 0)
                continue;
            std::string extension = TrimBlanks(item->GetText());
            // Only a dot is taken off: a text written without one keeps all its letters.
            if (!extension.empty() && extension[0] == '.')
                extension.erase(0, 1);
            if (!extension.empty())
                list += extension + ";";
        }
    }
    return list;
}

// kFilterFileUnreadable / kFilterFileTooDeep / kFilterFileWrongRoot, or 0 with the document
// loaded.
int LoadDocument(const std::string& path, TiXmlDocument& document)
{
    if (path.empty() || !FitsProgramPath(path))
        return kFilterFileUnreadable;
    switch (LoadBoundedXml(document, path, TIXML_ENCODING_UNKNOWN)) {
    case XmlFileState::Unusable: return kFilterFileUnreadable;
    case XmlFileState::TooDeep: return kFilterFileTooDeep;
    case XmlFileState::Loaded: break;
    }
    const TiXmlElement* root = document.RootElement();
    if (!root || _stricmp(root->Value(), "xml") != 0)
        return kFilterFileWrongRoot;
    return 0;
}

}  // namespace

uint32_t CategoryIdFromIconIndex(uint32_t iconIndex)
{
    switch (iconIndex) {
    case 0: return kRecoveryPhoto;
    case 1: return kRecoveryVideo;
    case 2: return kRecoveryDocument;
    case 3: return kRecoveryMusic;
    case 4: return kRecoveryArchive;
    case 5: return kRecoveryOther;
    default: return kRecoveryOutOfRange;
    }
}

uint32_t CategoryMaskFromId(uint32_t id)
{
    if (id >= kRecoveryNoIndex && id <= kRecoveryVideo)
        return 1u << (id - kRecoveryNoIndex);
    return 0x40;
}

CRecoveryFilter::CRecoveryFilter() : CRecoveryFilter(ProgramFilePath("FileFilter.xml")) {}

CRecoveryFilter::CRecoveryFilter(const std::string& filterFilePath) : path_(filterFilePath)
{
    LoadFileFilter();
}

void CRecoveryFilter::LoadFileFilter()
{
    for (uint32_t id : kLoadOrder)
        LoadFileFilterCategory(id);
}

int CRecoveryFilter::LoadFileFilterCategory(uint32_t id)
{
    TiXmlDocument document;
    const int loaded = LoadDocument(path_, document);
    if (loaded == kFilterFileTooDeep)
        refusal_ = XmlTooDeepMessage(path_);
    if (loaded != 0)
        return loaded;
    int iconIndex = 0;  // a category without "iconIndex" takes the one before it
    for (const TiXmlElement* category = document.RootElement()->FirstChildElement("FileCategory");
         category; category = category->NextSiblingElement("FileCategory")) {
        int value = 0;
        const int query = category->QueryIntAttribute("iconIndex", &value);
        if (query == TIXML_SUCCESS)
            iconIndex = value;
        else if (query == TIXML_WRONG_TYPE)
            iconIndex = -1;  // not a number: no category of its own
        if (CategoryIdFromIconIndex(uint32_t(iconIndex)) != id)
            continue;
        AddExtensionList(LowerAscii(ExtensionListOf(category)), id);
        return 0;
    }
    return 0;
}

void CRecoveryFilter::AddExtensionList(const std::string& list, uint32_t id)
{
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos)
            end = list.size();
        if (end > start)
            extensions_.emplace(list.substr(start, end - start), id);
        start = end + 1;
    }
}

void CRecoveryFilter::LookupExtension(const std::string& extension,
                                      std::vector<uint32_t>& ids) const
{
    auto range = extensions_.equal_range(extension);
    for (auto it = range.first; it != range.second; ++it)
        ids.push_back(it->second);
}

std::vector<uint32_t> CRecoveryFilter::GetFileCategories(const CFileNode* node) const
{
    const std::vector<uint32_t> unknown{kRecoveryOther};
    const IFileObject* object = node ? node->GetFileObject() : nullptr;
    const char* name = object ? object->GetName() : nullptr;
    if (!name)
        return unknown;
    const char* dot = strrchr(name, '.');
    if (!dot || dot[1] == '\0')
        return unknown;
    std::string extension = dot + 1;
    // Control characters and every byte of 0x80 or more: no known extension has them.
    for (char c : extension) {
        if (static_cast<signed char>(c) < 32)
            return unknown;
    }
    std::vector<uint32_t> ids;
    LookupExtension(LowerAscii(extension), ids);
    return ids.empty() ? unknown : ids;
}

uint32_t CRecoveryFilter::GetCategoryMask(const CFileNode* node) const
{
    const std::vector<uint32_t> ids = GetFileCategories(node);
    return ids.empty() ? 0x40 : CategoryMaskFromId(ids.front());
}

bool CRecoveryFilter::Match(const CFileNode* node) const
{
    if (!node)
        return false;
    if (selected_.empty())
        return true;
    const IFileObject* object = node->GetFileObject();
    if (!object || (object->GetAttributes() & IFileObject::kAttributeDirectory))
        return true;
    for (uint32_t id : GetFileCategories(node)) {
        if (selected_.count(id))
            return true;
    }
    return false;
}
