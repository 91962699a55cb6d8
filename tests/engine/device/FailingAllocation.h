// tests/engine/device/FailingAllocation.h
// The test program's own global operator new: while a FailSmallAllocations lives, every
// allocation of its thread smaller than the limit throws std::bad_alloc, as when the heap is
// exhausted. Large buffers (a probe, a bounce buffer) still come, so the failure lands on the
// small record it is meant for.
#pragma once
#include <stddef.h>

class FailSmallAllocations {
public:
    explicit FailSmallAllocations(size_t below);
    ~FailSmallAllocations();
    FailSmallAllocations(const FailSmallAllocations&) = delete;
    FailSmallAllocations& operator=(const FailSmallAllocations&) = delete;

private:
    size_t m_previous;
};
