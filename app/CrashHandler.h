// app/CrashHandler.h
// The process-wide crash handler. Its unhandled-exception filter is installed by static
// initialisation, before start-up; on any crash it signals a named event that an outside
// watcher may wait on and writes a minidump "Derivud<n>.dmp", and on running out of memory
// then tells the user ("WithoutMem") in a plain system box with no owner: a box owned by a
// window would wait for that window's thread, which may itself be waiting for the failing one. std::terminate (uncaught C++ exceptions) and
// calls of pure virtual functions are routed into the same filter.
#pragma once
#include <windows.h>

constexpr char kCrashEventName[] = "KVR_Crash_{FC1A0E29-3523-4152-B110-3340363E5DB7}";
constexpr char kMemoryCrashEventName[] = "KVR_Memory_Crash_{c3d61a40-a3e6-402b-b373-fd90d30893c8}";
// Raised (non-continuable) by the terminate handler and by a call of a pure virtual
// function, so that the filter sees them.
constexpr DWORD kTerminateCode = 0xE0000002;
constexpr DWORD kPureVirtualCallCode = 0xE0000003;

// Builds, while memory is plentiful, everything the filter needs: the engine settings, a
// copy of the "WithoutMem" text in the current language, the caption, the dump folder
// (null: the program folder; ends in a backslash) and its DbgHelp ("DbgHelp.dll" of that
// folder first, then the system's), and starts the thread that writes the dump of a stack
// overflow (see CrashHandler.cpp). Start-up calls it once the language is chosen, and the
// language menu again after a change. Until it runs, the filter uses built-in fallbacks and a
// stack overflow leaves no dump.
void PrepareCrashHandler(const char* caption, const char* folder = nullptr);

// The unhandled-exception filter. EXCEPTION_EXECUTE_HANDLER (the process ends) once the dump
// thread finished; EXCEPTION_CONTINUE_SEARCH when it could not start. A dump thread that
// hangs past 10 s ends the process.
LONG WINAPI CrashExceptionFilter(EXCEPTION_POINTERS* info);

// Writes the dump of the current process for the exception of thread threadId; 1 when
// written, else 0. Runs on the dump thread.
int WriteCrashDump(EXCEPTION_POINTERS* info, DWORD threadId);
