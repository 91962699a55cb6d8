// tests/appservices/AllocatorChild.cpp
// Links the app library but calls nothing of it, and names no operator new: the only
// allocation that fails is made inside the runtime's string code. It ends with 0xE0000001
// only if the link took the program's allocator on the library's word alone (the runtime's
// would throw std::bad_alloc, and the program would abort with 3).
#include <windows.h>
#include <stdlib.h>

#include <string>

#include "tests/appservices/UnmeetableRequest.h"

namespace {

LONG WINAPI ExitWithTheCode(EXCEPTION_POINTERS* info)
{
    ExitProcess(info->ExceptionRecord->ExceptionCode);
}

}  // namespace

int main()
{
    SetUnhandledExceptionFilter(&ExitWithTheCode);
    // Take the address space in blocks far smaller than the request below (kept, or the
    // compiler drops allocations nobody uses).
    static void* blocks[64];
    for (void*& block : blocks)
        block = malloc(64u << 20);
    std::string text;
    text.reserve(kUnmeetableRequest);
    return 0;
}
