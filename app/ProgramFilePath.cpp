// app/ProgramFilePath.cpp
#include "app/ProgramFilePath.h"

#include "app/AppFolder.h"

bool FitsProgramPath(const std::string& path)
{
    return !path.empty() && path.size() <= kMaxProgramPath;
}

std::string ProgramFilePath(const char* relativeName)
{
    const char* folder = GetAppFolder();
    if (!folder || !*folder || !relativeName)
        return std::string();
    std::string path = std::string(folder) + relativeName;
    return FitsProgramPath(path) ? path : std::string();
}
