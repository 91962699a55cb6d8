// tests/engine/device/FailingAllocation.cpp
#include "FailingAllocation.h"

#include <stdlib.h>

#include <new>

namespace {

thread_local size_t g_failBelow = 0;

}  // namespace

FailSmallAllocations::FailSmallAllocations(size_t below) : m_previous(g_failBelow) { g_failBelow = below; }

FailSmallAllocations::~FailSmallAllocations() { g_failBelow = m_previous; }

void* operator new(size_t size)
{
    if (size < g_failBelow)
        throw std::bad_alloc();
    void* memory = malloc(size ? size : 1);
    if (!memory)
        throw std::bad_alloc();
    return memory;
}

void operator delete(void* memory) noexcept { free(memory); }

void operator delete(void* memory, size_t) noexcept { free(memory); }
