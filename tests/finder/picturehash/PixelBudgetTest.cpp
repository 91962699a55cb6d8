// tests/finder/picturehash/PixelBudgetTest.cpp
#include "finder/picturehash/PixelBudget.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace picturehash;

TEST(PixelBudget, ARequestThatDoesNotFitWaitsForARelease)
{
    PixelBudget budget(100);
    const uint64_t first = budget.Acquire(70);
    EXPECT_EQ(first, 70u);
    EXPECT_EQ(budget.Acquire(30), 30u);  // exactly fills it

    std::atomic<bool> granted(false);
    std::thread waiter([&] {
        PixelBudgetLease lease(budget, 50);
        granted = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(granted);
    budget.Release(30);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(granted);  // 30 free, 50 asked
    budget.Release(first);
    waiter.join();
    EXPECT_TRUE(granted);
    EXPECT_EQ(budget.InUse(), 0u);
}

TEST(PixelBudget, ARequestBeyondTheCapacityRunsAlone)
{
    PixelBudget budget(100);
    {
        PixelBudgetLease huge(budget, 1000);
        EXPECT_EQ(budget.InUse(), 100u);
    }
    EXPECT_EQ(budget.InUse(), 0u);
    PixelBudgetLease none(budget, 0);  // formats of unknown size
    EXPECT_EQ(budget.InUse(), 0u);
}
