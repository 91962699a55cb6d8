// app/UsageReportCall.cpp
#include "app/UsageReportCall.h"

#include <windows.h>

#if defined(__i386__)

namespace {

// An x86 exception registration record followed by where to resume. GCC's own frames use
// DWARF unwinding and register nothing in the chain, so this record is the only one the
// system finds between the closed library and us.
struct GuardRecord {
    GuardRecord* next;
    void* handler;
    void* resume[5];   // __builtin_setjmp buffer
};

// The head of the thread's registration chain (fs:[0]). Volatile with a memory clobber: the
// record must be complete before the system can see it, and the writes must never be
// dropped or moved.
GuardRecord* ExceptionListHead()
{
    GuardRecord* head;
    asm volatile("movl %%fs:0, %0" : "=r"(head) : : "memory");
    return head;
}

void SetExceptionListHead(GuardRecord* head)
{
    asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory");
}

EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT*, void*)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    // Let the library's own frames run their unwind handlers, then resume in CallGuarded.
    RtlUnwind(frame, nullptr, record, nullptr);
    __builtin_longjmp(static_cast<GuardRecord*>(frame)->resume, 1);
}

}  // namespace

bool CallGuarded(void (*body)(void* context), void* context)
{
    GuardRecord record;
    record.next = ExceptionListHead();
    record.handler = reinterpret_cast<void*>(&GuardHandler);
    if (__builtin_setjmp(record.resume)) {
        SetExceptionListHead(record.next);
        return false;
    }
    SetExceptionListHead(&record);
    body(context);
    SetExceptionListHead(record.next);
    return true;
}

int CallExportEitherConvention(const void* function, int first, const void* second)
{
    int result;
    asm volatile(
        "movl %%esp, %%esi\n\t"
        "pushl %3\n\t"
        "pushl %2\n\t"
        "call *%1\n\t"
        "movl %%esi, %%esp\n\t"
        : "=a"(result)
        : "r"(function), "r"(first), "r"(second)
        : "esi", "ecx", "edx", "memory", "cc");
    return result;
}

#else   // 64-bit Windows

// Here exceptions are dispatched from unwind tables and GCC's frames leave foreign ones to
// the search, so an exception the library does not handle itself reaches the top-level
// filter with every frame still in place. While a guarded call runs, that filter resumes
// the thread where the guard captured its context, as a second return from the capture;
// the frames below are left as they are (no unwinding runs in them).
namespace {

struct Guard {
    CONTEXT resume;
    volatile LONG faulted;
};

thread_local Guard* t_guard = nullptr;

// The filter is put in front of whatever filter is set when the first guarded call of the
// moment starts (the crash handler's), and taken out when the last one ends.
CRITICAL_SECTION g_filterLock;
INIT_ONCE g_filterLockOnce = INIT_ONCE_STATIC_INIT;
LONG g_guardedCalls = 0;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;

LONG WINAPI GuardFilter(EXCEPTION_POINTERS* info)
{
    Guard* guard = t_guard;
    if (!guard)
        return g_previousFilter ? g_previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
    guard->faulted = 1;
    // Straight back to the capture: continuing from the filter is refused for exceptions
    // raised as non-continuable, which is how C++ exceptions are raised.
    RtlRestoreContext(&guard->resume, nullptr);
    return EXCEPTION_CONTINUE_SEARCH;   // not reached
}

BOOL CALLBACK InitFilterLock(INIT_ONCE*, void*, void**)
{
    InitializeCriticalSection(&g_filterLock);
    return TRUE;
}

void EnterGuardedCall()
{
    InitOnceExecuteOnce(&g_filterLockOnce, &InitFilterLock, nullptr, nullptr);
    EnterCriticalSection(&g_filterLock);
    if (g_guardedCalls++ == 0) {
        LPTOP_LEVEL_EXCEPTION_FILTER previous = SetUnhandledExceptionFilter(&GuardFilter);
        g_previousFilter = previous == &GuardFilter ? nullptr : previous;
    }
    LeaveCriticalSection(&g_filterLock);
}

void LeaveGuardedCall()
{
    EnterCriticalSection(&g_filterLock);
    if (--g_guardedCalls == 0)
        SetUnhandledExceptionFilter(g_previousFilter);
    LeaveCriticalSection(&g_filterLock);
}

}  // namespace

bool CallGuarded(void (*body)(void* context), void* context)
{
    Guard guard;
    guard.faulted = 0;
    Guard* const outer = t_guard;
    EnterGuardedCall();
    RtlCaptureContext(&guard.resume);
    // Reached twice when body faults: the second time from GuardFilter, with faulted set.
    if (!guard.faulted) {
        t_guard = &guard;
        body(context);
    }
    t_guard = outer;
    LeaveGuardedCall();
    return !guard.faulted;
}

// One calling convention on 64-bit Windows.
int CallExportEitherConvention(const void* function, int first, const void* second)
{
    using Export = int (*)(int, const void*);
    return reinterpret_cast<Export>(const_cast<void*>(function))(first, second);
}

#endif
