// app/AppFolder.cpp
#include "app/AppFolder.h"

#include <windows.h>
#include <string.h>

const char* GetAppFolder()
{
    static char folder[1024];
    static bool filled = false;
    if (filled)
        return folder;
    char path[1024];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
    if (n == 0 || n >= sizeof(path))
        return "";  // a truncated path would name some other folder
    char* slash = strrchr(path, '\\');
    if (!slash)
        return "";
    slash[1] = '\0';
    memcpy(folder, path, size_t(slash - path) + 2);
    filled = true;
    return folder;
}
