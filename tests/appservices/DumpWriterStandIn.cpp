// tests/appservices/DumpWriterStandIn.cpp
// Stand-in "DbgHelp.dll": its dump is a marker, so a test can tell which copy wrote it.
#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI MiniDumpWriteDump(HANDLE, DWORD, HANDLE file, int, void*,
                                                               void*, void*)
{
    static const char kMarker[] = "STANDIN";
    DWORD written = 0;
    return WriteFile(file, kMarker, sizeof(kMarker) - 1, &written, nullptr);
}
