// app/ModuleExport.h
// An export of a module as the typed function it is. GetProcAddress hands out a FARPROC, a
// function type of its own; casting it straight to another function type draws
// -Wcast-function-type, so the one cast goes through a data pointer, here.
#pragma once
#include <windows.h>

// Null when the module is null or lacks the export.
template <class Function>
Function ModuleExport(HMODULE module, const char* name)
{
    if (!module || !name)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
