// tests/appservices/DumpWriterStandIn.cpp
// Stand-in "DbgHelp.dll": its dump is a marker, so a test can tell which copy wrote it.
// With STANDIN_DUMP_HANGS set in the environment it never returns, as a writer stuck on a
// damaged process would.
#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI MiniDumpWriteDump(HANDLE, DWORD, HANDLE file, int, void*,
                                                               void*, void*)
{
    if (GetEnvironmentVariableA("STANDIN_DUMP_HANGS", nullptr, 0) != 0)
        Sleep(INFINITE);
    static const char kMarker[] = "STANDIN";
    DWORD written = 0;
    return WriteFile(file, kMarker, sizeof(kMarker) - 1, &written, nullptr);
}
