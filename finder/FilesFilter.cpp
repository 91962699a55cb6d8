// finder/FilesFilter.cpp
#include "finder/FilesFilter.h"

#include <utility>

#include "app/TextCase.h"

const char* const kDefaultPictureList =
    ".jpeg;.jpg;.png;.bmp;.tif;.ico;.gif;.tiff;.ai;.cdr;.eps;.pcx;.tga;.exif;.fpx;.svg;.psd;.cdr;"
    ".pcd;.dxf;.ufo;.raw;.wmf;.webp;.avif;.apng;.jp2;";

FileFinderFilterProxy& FileFinderFilterProxy::Instance()
{
    static FileFinderFilterProxy proxy;
    return proxy;
}

bool FileFinderFilterProxy::IsExcluded(const FoundFileRecord* record)
{
    if (!record || !m_settings)
        return true;
    return IsExcludedBy(*m_settings, *record);
}

bool FileFinderFilterProxy::IsPicture(const FoundFileRecord* record)
{
    if (!record || !m_settings)
        return false;
    return IsPictureBy(*m_settings, *record);
}

std::string GetLowerExtension(const std::string& name)
{
    size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return std::string();
    return LowerAscii(name.substr(dot + 1));
}

static bool InSizeRange(const FilterSettings& settings, int64_t size)
{
    int64_t upper = settings.maximumSize;
    int64_t lower = settings.minimumSize;
    if (upper > 0 && lower > 0 && upper < lower)
        std::swap(upper, lower);  // the bounds always form a range, whichever way they were set
    if (upper > 0 && size > upper)
        return false;
    if (lower > 0 && size < lower)
        return false;
    return true;
}

bool IsExcludedBy(const FilterSettings& settings, const FoundFileRecord& record)
{
    if (!InSizeRange(settings, record.size))
        return true;
    // The hidden rule comes first: a hidden file of a chosen type stays out too.
    if (!settings.includeHidden && (record.attributes & 0x02))
        return true;

    // Every kind chosen: no file is left out for its extension, whether or not some list
    // names it (".dat", ".md", a name with no extension).
    if (settings.allTypes)
        return false;
    const std::string extension = GetLowerExtension(record.name);
    const std::string probe = extension.empty() ? std::string() : "." + extension + ";";
    const std::string* lists[] = {&settings.typeList1, &settings.typeList2, &settings.typeList3,
                                  &settings.typeList4, &settings.typeList5};
    bool someListSet = false;
    for (const std::string* list : lists) {
        if (list->empty())
            continue;
        someListSet = true;
        if (!probe.empty() && list->find(probe) != std::string::npos)
            return false;
    }
    return someListSet;
}

bool IsPictureBy(const FilterSettings& settings, const FoundFileRecord& record)
{
    const std::string extension = GetLowerExtension(record.name);
    if (extension.empty())
        return false;
    return settings.pictureList.find("." + extension + ";") != std::string::npos;
}
