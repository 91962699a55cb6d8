// tests/appservices/AllocatorTest.cpp
// The program-wide allocator's forms that return, and the engine settings it reads.
// (What happens when memory runs out is shown in child processes, CrashHandlerTest.cpp.)
#include <gtest/gtest.h>

#include <stdint.h>

#include <new>

#include "app/ProgramAllocator.h"
#include "engine/EngineSettings.h"

namespace {

// More than any process can ever get in one block, 32-bit or 64-bit.
// Volatile, so that the compiler cannot see the size (it warns about it).
volatile size_t kImpossible = SIZE_MAX - 0xFF;

TEST(ProgramAllocator, NothrowFormsReturnNullWhenMemoryRunsOut)
{
    void* volatile single = operator new(kImpossible, std::nothrow);
    void* volatile array = operator new[](kImpossible, std::nothrow);
    void* volatile aligned = operator new(kImpossible, std::align_val_t(64), std::nothrow);
    EXPECT_EQ(nullptr, single);
    EXPECT_EQ(nullptr, array);
    EXPECT_EQ(nullptr, aligned);
    operator delete(nullptr);
    operator delete[](nullptr);
}

TEST(ProgramAllocator, OrdinaryAndOverAlignedBlocksRoundTrip)
{
    struct alignas(64) Line {
        char bytes[64];
    };
    for (int i = 0; i < 100; ++i) {
        Line* line = new Line[3];
        EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(line) % 64);
        delete[] line;
        int* zero = new int[0];
        int* other = new int[0];
        EXPECT_NE(zero, other);   // every zero-size object is distinct
        delete[] zero;
        delete[] other;
    }
}

TEST(EngineSettings, OneObjectWithItsDefaults)
{
    const EngineSettings* settings = GetEngineSettings();
    ASSERT_EQ(settings, GetEngineSettings());
    EXPECT_EQ(1u, settings->bSkipUnreadableSectors);
    EXPECT_EQ(1u, settings->bCheckFatEntryDates);
    EXPECT_EQ(1u, settings->bCheckFatEntryTimes);
    EXPECT_EQ(1u, settings->bMemoryCrashEvent);
    EXPECT_EQ(200000000u, settings->sizeLimit);
    ASSERT_EQ(147u, settings->identifiers.size());
    EXPECT_EQ(1u, settings->identifiers.front());
    EXPECT_EQ(147u, settings->identifiers.back());
    EXPECT_EQ("", settings->text);
    EXPECT_EQ(-1, settings->lastOption);
}

}  // namespace
