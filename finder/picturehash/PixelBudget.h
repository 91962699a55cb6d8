// finder/picturehash/PixelBudget.h
// Limits how many decoded pixels the threads hashing at once may hold together. The finder
// hashes on several threads in a 32-bit process; four photographs of 100 megapixels decoded
// at once would take 1.6 GB, and the program's own allocations would then fail.
#pragma once
#include <stdint.h>

#include <condition_variable>
#include <mutex>

namespace picturehash {

class PixelBudget {
public:
    explicit PixelBudget(uint64_t capacity) : capacity_(capacity), inUse_(0) {}

    // Waits until `pixels` fit beside what others hold. A request beyond the capacity is
    // held to it, so it runs alone rather than never.
    uint64_t Acquire(uint64_t pixels);
    void Release(uint64_t granted);
    uint64_t InUse();

private:
    const uint64_t capacity_;
    uint64_t inUse_;
    std::mutex lock_;
    std::condition_variable released_;
};

// Holds a share of a budget for one scope.
class PixelBudgetLease {
public:
    PixelBudgetLease(PixelBudget& budget, uint64_t pixels)
        : budget_(budget), granted_(budget.Acquire(pixels)) {}
    ~PixelBudgetLease() { budget_.Release(granted_); }
    PixelBudgetLease(const PixelBudgetLease&) = delete;
    PixelBudgetLease& operator=(const PixelBudgetLease&) = delete;

private:
    PixelBudget& budget_;
    const uint64_t granted_;
};

}  // namespace picturehash
