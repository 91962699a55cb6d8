// app/CrashHandler.cpp
// The filter runs when memory may have run out and the failing thread's state is damaged:
// it allocates nothing of its own (fixed buffers filled by PrepareCrashHandler, paths built
// on the stack) and never runs twice at once.
#include "app/CrashHandler.h"
#include "app/ModuleExport.h"

#include <dbghelp.h>
#include <string.h>

#include <exception>
#include <string>

#include "app/AppFolder.h"
#include "app/LangString.h"
#include "app/ProgramAllocator.h"
#include "engine/EngineSettings.h"

namespace {

using MiniDumpWriteDumpFunction = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE,
                                                PMINIDUMP_EXCEPTION_INFORMATION,
                                                PMINIDUMP_USER_STREAM_INFORMATION,
                                                PMINIDUMP_CALLBACK_INFORMATION);

constexpr DWORD kDumpWaitMs = 10000;
constexpr SIZE_T kDumpThreadStack = 256 * 1024;
const char kFallbackMessage[] = "The program has run out of memory and must close.";

char g_message[1024] = "";
char g_caption[256] = "";
char g_folder[MAX_PATH] = "";
bool g_memoryCrashEvent = true;               // the setting's default until prepared
MiniDumpWriteDumpFunction g_writeDump = nullptr;
volatile LONG g_dumpCounter = 0;
volatile LONG g_filterThread = 0;             // id of the thread inside the filter

void CopyText(char* target, size_t size, const char* text)
{
    size_t n = text ? strnlen(text, size - 1) : 0;
    memcpy(target, text ? text : "", n);
    target[n] = '\0';
}

// Appends text at *end within [buffer, buffer + size); false when it does not fit.
bool Append(char* buffer, size_t size, size_t* end, const char* text)
{
    size_t n = strlen(text);
    if (*end + n >= size)
        return false;
    memcpy(buffer + *end, text, n + 1);
    *end += n;
    return true;
}

const char* DumpFolder()
{
    return g_folder[0] ? g_folder : GetAppFolder();
}

MiniDumpWriteDumpFunction LoadDumpWriter(const char* folder)
{
    char path[MAX_PATH];
    size_t end = 0;
    path[0] = '\0';
    HMODULE library = nullptr;
    if (Append(path, sizeof(path), &end, folder) && Append(path, sizeof(path), &end, "DbgHelp.dll"))
        library = LoadLibraryA(path);
    if (!library)
        library = LoadLibraryA("DbgHelp.dll");
    if (!library)
        return nullptr;
    // Wine's dump writer loads the symbols of every module, ELF ones included, when the
    // process has no symbol handler yet: tens of seconds under 64-bit Wine, past the wait
    // for the dump. A handler set up here, loading no module, keeps the dump to a moment.
    // Windows' writer does not use the handler; a library without the export is fine too.
    using SymInitializeFunction = BOOL(WINAPI*)(HANDLE, PCSTR, BOOL);
    if (auto symInitialize = ModuleExport<SymInitializeFunction>(library, "SymInitialize"))
        symInitialize(GetCurrentProcess(), nullptr, FALSE);
    return ModuleExport<MiniDumpWriteDumpFunction>(library, "MiniDumpWriteDump");
}

void SignalEvent(const char* name)
{
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, name);
    if (event) {
        SetEvent(event);
        CloseHandle(event);
    }
}

struct DumpRequest {
    EXCEPTION_POINTERS* info;
    DWORD threadId;
};

DWORD WINAPI DumpThread(void* parameter)
{
    DumpRequest* request = static_cast<DumpRequest*>(parameter);
    return DWORD(WriteCrashDump(request->info, request->threadId));
}

// One crash is reported per process: true for the first thread to crash; false for a fault
// of the reporting thread itself. Any other thread's crash waits here for the end.
bool ClaimReport(DWORD self)
{
    LONG owner = InterlockedCompareExchange(&g_filterThread, LONG(self), 0);
    if (owner != 0 && owner != LONG(self))
        Sleep(INFINITE);
    return owner == 0;
}

// A stack overflow leaves the failing thread too little stack to start a thread, and under
// Wine the process ends before the unhandled-exception filter would run. So a thread started
// in advance writes that dump: a vectored handler, called first, only hands the exception
// over and waits. The process is then ended outright: a normal exit would wait for locks the
// overflowing thread may hold.
struct OverflowWatch {
    HANDLE request = nullptr;   // set by the handler once the hand-over is filled
    HANDLE thread = nullptr;
    DumpRequest handOver = {nullptr, 0};
};
OverflowWatch g_overflow;

DWORD WINAPI OverflowWatchThread(void*)
{
    WaitForSingleObject(g_overflow.request, INFINITE);
    SignalEvent(kCrashEventName);
    WriteCrashDump(g_overflow.handOver.info, g_overflow.handOver.threadId);
    TerminateProcess(GetCurrentProcess(), EXCEPTION_STACK_OVERFLOW);
    return 0;
}

LONG WINAPI OnStackOverflow(EXCEPTION_POINTERS* info)
{
    if (!info || !info->ExceptionRecord || info->ExceptionRecord->ExceptionCode != EXCEPTION_STACK_OVERFLOW)
        return EXCEPTION_CONTINUE_SEARCH;
    if (!ClaimReport(GetCurrentThreadId()))
        return EXCEPTION_CONTINUE_SEARCH;   // the filter itself overflowed: it ends at once
    g_overflow.handOver.info = info;
    g_overflow.handOver.threadId = GetCurrentThreadId();
    SetEvent(g_overflow.request);
    // The watch ends the process; a writer that hangs is cut short as in the filter.
    WaitForSingleObject(g_overflow.thread, kDumpWaitMs);
    TerminateProcess(GetCurrentProcess(), EXCEPTION_STACK_OVERFLOW);
    return EXCEPTION_CONTINUE_SEARCH;
}

void StartOverflowWatch()
{
    if (g_overflow.thread)
        return;
    g_overflow.request = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!g_overflow.request)
        return;
    g_overflow.thread = CreateThread(nullptr, kDumpThreadStack, &OverflowWatchThread, nullptr,
                                     STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (g_overflow.thread)
        AddVectoredExceptionHandler(1, &OnStackOverflow);
}

// No owner: an owned box would be run through the owner's thread, which may be the busy UI
// thread waiting for this one. Task-modal keeps the program's windows still meanwhile.
void TellOutOfMemory()
{
    MessageBoxA(nullptr, g_message[0] ? g_message : kFallbackMessage, g_caption,
                MB_ICONWARNING | MB_TASKMODAL | MB_SETFOREGROUND);
}

[[noreturn]] void OnTerminate()
{
    RaiseException(kTerminateCode, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    TerminateProcess(GetCurrentProcess(), kTerminateCode);
    for (;;) {
    }
}

}  // namespace

// The compiler fills the table slots of pure virtual functions with this runtime stub; the
// runtime's own only prints and aborts, and a program that does not link it calls null.
extern "C" [[noreturn]] void __cxa_pure_virtual()
{
    RaiseException(kPureVirtualCallCode, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    TerminateProcess(GetCurrentProcess(), kPureVirtualCallCode);
    for (;;) {
    }
}

namespace {

// Runs before start-up, so that a crash at any point leaves its traces.
bool InstallCrashHandler()
{
    SetUnhandledExceptionFilter(&CrashExceptionFilter);
    std::set_terminate(&OnTerminate);
    return true;
}

const bool g_installed = InstallCrashHandler();

}  // namespace

void PrepareCrashHandler(const char* caption, const char* folder)
{
    g_memoryCrashEvent = GetEngineSettings()->bMemoryCrashEvent != 0;
    std::string message = GetLangString("WithoutMem");
    CopyText(g_message, sizeof(g_message), message.empty() ? kFallbackMessage : message.c_str());
    CopyText(g_caption, sizeof(g_caption), caption);
    CopyText(g_folder, sizeof(g_folder), folder ? folder : GetAppFolder());
    g_writeDump = LoadDumpWriter(DumpFolder());
    StartOverflowWatch();
}

LONG WINAPI CrashExceptionFilter(EXCEPTION_POINTERS* info)
{
    DWORD self = GetCurrentThreadId();
    if (!ClaimReport(self))
        return EXCEPTION_EXECUTE_HANDLER;   // a fault inside the filter: end at once

    const bool outOfMemory =
        info && info->ExceptionRecord && info->ExceptionRecord->ExceptionCode == kOutOfMemoryCode;
    // The event and the dump come first: they must not wait for the user's answer.
    SignalEvent(outOfMemory && g_memoryCrashEvent ? kMemoryCrashEventName : kCrashEventName);

    DumpRequest request = {info, self};
    HANDLE thread = CreateThread(nullptr, kDumpThreadStack, &DumpThread, &request,
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (thread) {
        if (WaitForSingleObject(thread, kDumpWaitMs) == WAIT_TIMEOUT) {
            // Ending only the writer could leave the loader lock held; end everything instead.
            DWORD code = (info && info->ExceptionRecord) ? info->ExceptionRecord->ExceptionCode : 1;
            TerminateProcess(GetCurrentProcess(), code);
        }
        CloseHandle(thread);
    }
    // Told even when no dump thread could start: running out of address space is the very
    // case in which a thread's stack cannot be reserved.
    if (outOfMemory)
        TellOutOfMemory();
    return thread ? EXCEPTION_EXECUTE_HANDLER : EXCEPTION_CONTINUE_SEARCH;
}

int WriteCrashDump(EXCEPTION_POINTERS* info, DWORD threadId)
{
    MiniDumpWriteDumpFunction writeDump = g_writeDump ? g_writeDump : LoadDumpWriter(DumpFolder());
    if (!writeDump)
        return 0;

    LONG number = InterlockedExchangeAdd(&g_dumpCounter, 1);
    char digits[16];
    char* p = digits + sizeof(digits);
    *--p = '\0';
    unsigned long value = static_cast<unsigned long>(number);
    do {
        *--p = char('0' + value % 10);
        value /= 10;
    } while (value);
    char path[MAX_PATH];
    size_t end = 0;
    path[0] = '\0';
    if (!Append(path, sizeof(path), &end, DumpFolder()) || !Append(path, sizeof(path), &end, "Derivud") ||
        !Append(path, sizeof(path), &end, p) || !Append(path, sizeof(path), &end, ".dmp"))
        return 0;

    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    MINIDUMP_EXCEPTION_INFORMATION exception = {};
    exception.ThreadId = threadId;
    exception.ExceptionPointers = info;
    exception.ClientPointers = FALSE;
    BOOL written = writeDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal,
                             info ? &exception : nullptr, nullptr, nullptr);
    CloseHandle(file);
    return written ? 1 : 0;
}
