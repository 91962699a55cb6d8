// tests/appservices/CrashChild.cpp
// Crashes on request under the program's crash handler:
//   appservices_crash_child MODE FOLDER (a Windows path ending in a backslash)
// MODE: out-of-memory, access-violation, pure-virtual, uncaught-throw, two-threads,
// stack-overflow. Dumps go
// to FOLDER. The out-of-memory case runs out on a worker thread, through the runtime's own
// string code as most of the program's allocations do, while the thread that owns a window
// waits for that worker and pumps nothing: the program's busy UI thread.
#include <windows.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "app/CrashHandler.h"
#include "tests/appservices/UnmeetableRequest.h"

namespace {

char g_folder[MAX_PATH];

// Takes nearly all of the address space, leaving a few holes far smaller than what is
// asked next, so that the request cannot be met but the dump can still be written.
void ExhaustAddressSpace()
{
    constexpr size_t kBlock = 64u << 20;
    static void* blocks[64];
    int count = 0;
    while (count < 64 && (blocks[count] = malloc(kBlock)) != nullptr)
        ++count;
    for (int i = 0; i < 4 && i < count; ++i)
        free(blocks[i]);
}

volatile uintptr_t g_badAddress = 8;

DWORD WINAPI FaultingThread(void* start)
{
    WaitForSingleObject(static_cast<HANDLE>(start), INFINITE);
    *reinterpret_cast<volatile int*>(g_badAddress) = 1;
    return 0;
}

DWORD WINAPI RunOutOfMemory(void*)
{
    // A 64-bit address space cannot be taken this way; there the request alone is too large.
    if (sizeof(void*) == 4)
        ExhaustAddressSpace();
    std::string text;
    text.reserve(kUnmeetableRequest);
    return 0;
}

// Two threads fault at the same moment: one report, one dump.
void FaultOnTwoThreads()
{
    HANDLE start = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE threads[2];
    for (HANDLE& thread : threads)
        thread = CreateThread(nullptr, 0, &FaultingThread, start, 0, nullptr);
    SetEvent(start);
    WaitForMultipleObjects(2, threads, TRUE, INFINITE);
}

volatile int g_depthLimit = 0;   // 0: no limit; the compiler cannot know it stays 0

// Each call takes a little stack that the compiler cannot drop, as a deep recursion of small
// frames (a parser's) does: the fault then comes with the stack pointer at the guard page.
__attribute__((noinline)) int Recurse(int depth)
{
    volatile char page[192];
    page[depth % sizeof(page)] = char(depth);
    if (g_depthLimit && depth >= g_depthLimit)
        return page[0];
    return Recurse(depth + 1) + page[0];
}

}  // namespace

// Outside the anonymous namespace and out of line, so the compiler cannot see the whole
// hierarchy and resolve the call: during Base's constructor the object's table holds the
// pure-virtual stub.
struct Base {
    Base();
    virtual void Run() = 0;
};
struct Derived : Base {
    void Run() override {}
};
__attribute__((noinline)) Base::Base()
{
    Base* volatile self = this;
    self->Run();
}

int main(int argc, char** argv)
{
    if (argc < 3 || strlen(argv[2]) >= sizeof(g_folder))
        return 2;
    strcpy(g_folder, argv[2]);
    PrepareCrashHandler("CrashChild", g_folder);

    const char* mode = argv[1];
    if (!strcmp(mode, "out-of-memory")) {
        HWND window = CreateWindowExA(0, "STATIC", "busy", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        (void)window;
        HANDLE worker = CreateThread(nullptr, 0, &RunOutOfMemory, nullptr, 0, nullptr);
        WaitForSingleObject(worker, INFINITE);
    } else if (!strcmp(mode, "access-violation")) {
        *reinterpret_cast<volatile int*>(g_badAddress) = 1;
    } else if (!strcmp(mode, "two-threads")) {
        FaultOnTwoThreads();
    } else if (!strcmp(mode, "pure-virtual")) {
        Derived object;
        (void)object;
    } else if (!strcmp(mode, "uncaught-throw")) {
        throw 1;
    } else if (!strcmp(mode, "stack-overflow")) {
        return Recurse(0);
    }
    return 3;   // the crash did not happen
}
