// app/ProgramAllocator.cpp
#include "app/ProgramAllocator.h"

#include <windows.h>
#include <malloc.h>
#include <stdlib.h>

#include <new>

int ProgramAllocatorAnchor = 1;

void* AllocOrRaise(size_t size)
{
    // malloc(0) may return null; a zero-byte request is still a distinct object.
    void* block = malloc(size ? size : 1);
    if (block)
        return block;
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof(status);
    GlobalMemoryStatusEx(&status);
    RaiseException(kOutOfMemoryCode, kOutOfMemoryFlags, 0, nullptr);
    return nullptr;   // not reached: the exception is non-continuable
}

namespace {

void* AlignedAlloc(size_t size, std::align_val_t alignment)
{
    return _aligned_malloc(size ? size : 1, static_cast<size_t>(alignment));
}

void* AlignedAllocOrRaise(size_t size, std::align_val_t alignment)
{
    void* block = AlignedAlloc(size, alignment);
    if (!block)
        RaiseException(kOutOfMemoryCode, kOutOfMemoryFlags, 0, nullptr);
    return block;
}

}  // namespace

void* operator new(size_t size) { return AllocOrRaise(size); }
void* operator new[](size_t size) { return AllocOrRaise(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return malloc(size ? size : 1); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return malloc(size ? size : 1); }

void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }
void operator delete[](void* block, size_t) noexcept { free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { free(block); }

// Over-aligned types come from the aligned heap functions, and must go back to them.
void* operator new(size_t size, std::align_val_t alignment) { return AlignedAllocOrRaise(size, alignment); }
void* operator new[](size_t size, std::align_val_t alignment) { return AlignedAllocOrRaise(size, alignment); }
void* operator new(size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return AlignedAlloc(size, alignment);
}
void* operator new[](size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept
{
    return AlignedAlloc(size, alignment);
}
void operator delete(void* block, std::align_val_t) noexcept { _aligned_free(block); }
void operator delete[](void* block, std::align_val_t) noexcept { _aligned_free(block); }
void operator delete(void* block, size_t, std::align_val_t) noexcept { _aligned_free(block); }
void operator delete[](void* block, size_t, std::align_val_t) noexcept { _aligned_free(block); }
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept { _aligned_free(block); }
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept { _aligned_free(block); }
