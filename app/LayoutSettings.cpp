// app/LayoutSettings.cpp
#include "app/LayoutSettings.h"

#include <stdio.h>
#include <stdlib.h>
#include <tinyxml.h>

#include "app/AppFolder.h"
#include "app/XmlNesting.h"

const char* const ConfigerSettings::kFileName = "configer.xml";

ConfigerSettings& ConfigerSettings::Instance()
{
    static ConfigerSettings settings;
    return settings;
}

ConfigerSettings::ConfigerSettings() : m_document(new TiXmlDocument) {}

ConfigerSettings::~ConfigerSettings() { delete m_document; }

void ConfigerSettings::SetFolder(const char* folder) { m_folder = folder ? folder : ""; }

std::string ConfigerSettings::ResolvePath(const char* fileName) const
{
    if (!fileName || !*fileName)
        return std::string();
    std::string name(fileName);
    if (name.find_first_of("\\/:") != std::string::npos)
        return name;
    std::string folder = m_folder.empty() ? std::string(GetAppFolder()) : m_folder;
    if (folder.empty())
        return std::string();   // an unknown program folder must not fall back to the cwd
    return folder + name;
}

TiXmlElement* ConfigerSettings::LoadRoot(const char* fileName)
{
    std::string path = ResolvePath(fileName);
    if (path.empty())
        return nullptr;
    m_kept = nullptr;
    m_refusal.clear();
    const XmlFileState state = LoadBoundedXml(*m_document, path, TIXML_ENCODING_UTF8);
    if (state == XmlFileState::TooDeep)
        m_refusal = XmlTooDeepMessage(path);
    return state == XmlFileState::Loaded ? m_document->RootElement() : nullptr;
}

void ConfigerSettings::FindPath(TiXmlElement*& element, std::initializer_list<const char*> path)
{
    for (const char* name : path) {
        if (!element)
            return;
        // A null step names nothing.
        element = name ? element->FirstChildElement(name) : nullptr;
    }
}

TiXmlElement* ConfigerSettings::FindElement(const char* fileName,
                                            std::initializer_list<const char*> path)
{
    TiXmlElement* element = LoadRoot(fileName);
    FindPath(element, path);
    return element;
}

std::string ConfigerSettings::GetAttribute(const char* fileName, const char* attribute,
                                           std::initializer_list<const char*> path)
{
    TiXmlElement* element = attribute ? FindElement(fileName, path) : nullptr;
    const char* text = element ? element->Attribute(attribute) : nullptr;
    return text ? std::string(text) : std::string();
}

std::string ConfigerSettings::GetAttributeInt(const char* fileName, const char* attribute,
                                              int* value, std::initializer_list<const char*> path)
{
    std::string text = GetAttribute(fileName, attribute, path);
    if (value)
        *value = atoi(text.c_str());
    return text;
}

std::string ConfigerSettings::ReadInt(TiXmlElement* element, const char* attribute, int* value)
{
    const char* text = element && attribute ? element->Attribute(attribute) : nullptr;
    if (value)
        *value = text ? atoi(text) : 0;
    return text ? std::string(text) : std::string();
}

std::string ConfigerSettings::GetAttributeIntKept(const char* fileName, const char* attribute,
                                                  int* value,
                                                  std::initializer_list<const char*> path)
{
    TiXmlElement* element = FindElement(fileName, path);
    m_kept = element;
    return ReadInt(element, attribute, value);
}

std::string ConfigerSettings::GetKeptAttributeInt(const char* attribute, int* value,
                                                  std::initializer_list<const char*> path)
{
    TiXmlElement* element = m_kept;
    FindPath(element, path);
    m_kept = element;
    return ReadInt(element, attribute, value);
}

std::string ConfigerSettings::GetAttributeDouble(const char* fileName, const char* attribute,
                                                 double* value,
                                                 std::initializer_list<const char*> path)
{
    std::string text = GetAttribute(fileName, attribute, path);
    if (value)
        *value = atof(text.c_str());
    return text;
}

bool ConfigerSettings::SetAttribute(const char* fileName, const char* attribute,
                                    const char* value, std::initializer_list<const char*> path)
{
    if (!attribute || !value)
        return false;
    TiXmlElement* element = FindElement(fileName, path);
    if (!element)
        return false;
    element->SetAttribute(attribute, value);
    return m_document->SaveFile();
}

bool ConfigerSettings::SetAttributeInt(const char* fileName, const char* attribute, int value,
                                       std::initializer_list<const char*> path)
{
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    return SetAttribute(fileName, attribute, text, path);
}

bool ConfigerSettings::SetVersion(int version)
{
    return SetAttributeInt(kFileName, "Ver", version, {"Public", "Version"});
}

int ConfigerSettings::GetUILanguage()
{
    int language = 0;
    GetAttributeInt(kFileName, "ID", &language, {"Public", "UILanguage"});
    return (language >= 0 && language <= 2) ? language : 0;
}

bool ConfigerSettings::SetUILanguage(int language)
{
    if (language < 0 || language > 2)
        return false;
    return SetAttributeInt(kFileName, "ID", language, {"Public", "UILanguage"});
}

std::string ConfigerSettings::GetSupportUrl()
{
    return GetAttribute(kFileName, "url", {"Url", "SupportUrl"});
}
