// finder/FilesFilter.h
// The one filter every accepted file goes through: size range, hidden files, type lists, and
// whether the file is a picture. Called from every walking thread at once; keeps no state.
#pragma once
#include <string>

#include "finder/FilterSettings.h"
#include "finder/FoundFileRecord.h"

class IFilesFilter
{
public:
    virtual ~IFilesFilter() {}
    virtual bool IsExcluded(const FoundFileRecord* record) = 0;  // true: leave the file out
    virtual bool IsPicture(const FoundFileRecord* record) = 0;
};

class FileFinderFilterProxy : public IFilesFilter
{
public:
    static FileFinderFilterProxy& Instance();
    void SetSettings(FilterSettings* settings) { m_settings = settings; }
    FilterSettings* Settings() const { return m_settings; }

    bool IsExcluded(const FoundFileRecord* record) override;
    bool IsPicture(const FoundFileRecord* record) override;

private:
    FilterSettings* m_settings = nullptr;  // owned by the start page
};

// Filter decisions over given settings, so that they are tested without the singleton.
bool IsExcludedBy(const FilterSettings& settings, const FoundFileRecord& record);
bool IsPictureBy(const FilterSettings& settings, const FoundFileRecord& record);

// The text after the name's last dot, lower-cased; empty when the name has no dot or ends in
// one. Such a name matches no type list and is no picture.
std::string GetLowerExtension(const std::string& name);
