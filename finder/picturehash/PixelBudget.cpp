// finder/picturehash/PixelBudget.cpp
#include "finder/picturehash/PixelBudget.h"

namespace picturehash {

uint64_t PixelBudget::Acquire(uint64_t pixels)
{
    const uint64_t granted = pixels < capacity_ ? pixels : capacity_;
    std::unique_lock<std::mutex> hold(lock_);
    released_.wait(hold, [&] { return capacity_ - inUse_ >= granted; });
    inUse_ += granted;
    return granted;
}

void PixelBudget::Release(uint64_t granted)
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        inUse_ -= granted;
    }
    released_.notify_all();
}

uint64_t PixelBudget::InUse()
{
    std::lock_guard<std::mutex> hold(lock_);
    return inUse_;
}

}  // namespace picturehash
