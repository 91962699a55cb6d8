// tests/appservices/UsageTextStandIn.cpp
// Stand-in for "vedava.dll": records the coded texts. The narrow export pops its own
// arguments and the wide one does not, so both calling conventions are exercised.
#include <windows.h>
#include <stdio.h>
#include <string.h>

namespace {
char g_log[4096];
}

extern "C" __declspec(dllexport) int WINAPI SpySetTextExA(int code, const char* text)
{
    size_t used = strlen(g_log);
    snprintf(g_log + used, sizeof(g_log) - used, "text 0x%X %s;", code, text ? text : "(null)");
    return 7;
}

extern "C" __declspec(dllexport) int SpySetTextEx(int code, const wchar_t* text)
{
    char narrow[256] = "(null)";
    if (text)
        WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof(narrow), nullptr, nullptr);
    size_t used = strlen(g_log);
    snprintf(g_log + used, sizeof(g_log) - used, "wide 0x%X %s;", code, narrow);
    return 8;
}

extern "C" __declspec(dllexport) const char* StandInLog()
{
    return g_log;
}

extern "C" __declspec(dllexport) void StandInReset()
{
    g_log[0] = '\0';
}
