// ui/results/CurrentFile.cpp
#include "ui/results/CurrentFile.h"

std::string& CurrentFilePath()
{
    static std::string path;
    return path;
}

const FoundFileRecord*& CurrentFileRecord()
{
    static const FoundFileRecord* record = nullptr;
    return record;
}

void ClearCurrentFile()
{
    CurrentFilePath().clear();
    CurrentFileRecord() = nullptr;
}
