// app/UsageReportCall.cpp
#include "app/UsageReportCall.h"

#include <windows.h>

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
