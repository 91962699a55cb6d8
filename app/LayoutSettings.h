// app/LayoutSettings.h
// "configer.xml": single attributes of an optional XML file, addressed by element path.
// No flow of the program needs the file; every getter gives its empty or zero value when the
// file is missing, and no setter ever creates the file or an element.
#pragma once
#include <initializer_list>
#include <string>

class TiXmlDocument;
class TiXmlElement;

class ConfigerSettings
{
public:
    static const char* const kFileName;   // "configer.xml"

    // The one object of the process, built on first use.
    static ConfigerSettings& Instance();

    // Folder that bare file names are resolved against (ends in a backslash). Null restores
    // the program folder: the file ships beside the program, and the current directory of a
    // process is whatever its starter chose.
    void SetFolder(const char* folder);
    // Folder + file name for a bare name; a name with a drive or folder is used as it is.
    std::string ResolvePath(const char* fileName) const;

    // Reloads the file into the shared document; null when it cannot be loaded or parsed, or
    // is nested deeper than kMaxXmlNesting (then refused unparsed).
    TiXmlElement* LoadRoot(const char* fileName);
    // What the user is to be told about the last file loaded (XmlTooDeepMessage) when it was
    // refused as nested too deep; empty otherwise.
    const std::string& Refusal() const { return m_refusal; }
    // Walks the path from element, each step taking the first child of that name; a missing
    // step leaves null.
    static void FindPath(TiXmlElement*& element, std::initializer_list<const char*> path);

    // The attribute's text; "" when the file, an element or the attribute is missing.
    std::string GetAttribute(const char* fileName, const char* attribute,
                             std::initializer_list<const char*> path);
    // As GetAttribute, also storing the text converted (0 when missing or not a number).
    std::string GetAttributeInt(const char* fileName, const char* attribute, int* value,
                                std::initializer_list<const char*> path);
    std::string GetAttributeDouble(const char* fileName, const char* attribute, double* value,
                                   std::initializer_list<const char*> path);
    // Int readers that keep the element they found for a following read, so that several
    // attributes of one element, or of elements below it, are read from one load of the file.
    // GetAttributeIntKept walks the path from the root of a fresh load; GetKeptAttributeInt
    // walks it from the kept element (an empty path reads the kept element itself) without
    // reloading. Each keeps the element it found, or nothing. Any other access reloads the
    // document and so forgets the kept element: it would point into the old one.
    std::string GetAttributeIntKept(const char* fileName, const char* attribute, int* value,
                                    std::initializer_list<const char*> path);
    std::string GetKeptAttributeInt(const char* attribute, int* value,
                                    std::initializer_list<const char*> path);
    // True when every element of the path exists and the document was saved back to its file.
    bool SetAttribute(const char* fileName, const char* attribute, const char* value,
                      std::initializer_list<const char*> path);
    bool SetAttributeInt(const char* fileName, const char* attribute, int value,
                         std::initializer_list<const char*> path);

    bool SetVersion(int version);
    // 0..2; anything else reads as 0.
    int GetUILanguage();
    // Refuses values outside 0..2, which would read back as 0 anyway.
    bool SetUILanguage(int language);
    std::string GetSupportUrl();

    ConfigerSettings(const ConfigerSettings&) = delete;
    ConfigerSettings& operator=(const ConfigerSettings&) = delete;

private:
    ConfigerSettings();
    ~ConfigerSettings();
    TiXmlElement* FindElement(const char* fileName, std::initializer_list<const char*> path);

    static std::string ReadInt(TiXmlElement* element, const char* attribute, int* value);

    TiXmlDocument* m_document;
    TiXmlElement* m_kept = nullptr;   // within m_document; null after every reload
    std::string m_folder;    // empty: the program folder
    std::string m_refusal;
};
