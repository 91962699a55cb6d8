// engine/ldm/LdmDatabaseDumpWin32.cpp
// The database's debug dump, written with the image code's file wrapper.
#include <windows.h>

#include <string>

#include "engine/filetype/Win32File.h"
#include "engine/ldm/LdmDatabase.h"

int LdmDatabase::DumpToFile()
{
    char module[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof(module));
    if (length == 0 || length >= sizeof(module))
        return 0;
    std::string path(module, length);
    path.erase(path.find_last_of("\\/") + 1);
    path += "LDMDataBase";
    m_dump.reset();  // a dump already open is closed first
    std::shared_ptr<Win32File> file(new Win32File());
    if (!file->Open(path.c_str(), Win32File::kCreate))
        return 0;
    m_dump = file;
    return 1;
}

int LdmDatabase::AppendToDump(const void* bytes, uint32_t size)
{
    Win32File* file = static_cast<Win32File*>(m_dump.get());
    if (!file || (!bytes && size))
        return 0;
    return size == 0 || file->Write(bytes, size) ? 1 : 0;
}
