// tests/engine/FileFilterTest.cpp
// Attribute and state filters, and the filter-settings copy with its bounded texts.
#include <gtest/gtest.h>

#include <string.h>

#include <memory>

#include "engine/FileFilter.h"
#include "engine/FileFilterSettings.h"
#include "tests/engine/CountingFileObject.h"

namespace {

struct FilterCase {
    uint32_t mask;
    uint32_t word;
    uint32_t capabilities;
    bool attributePasses;
    bool statePasses;
};

constexpr uint32_t kBoth = IFileObject::kCapAttributes | IFileObject::kCapState;

FILETIME Time(uint32_t high, uint32_t low)
{
    FILETIME time;
    time.dwHighDateTime = high;
    time.dwLowDateTime = low;
    return time;
}

}  // namespace

TEST(FileFilterTest, AttributeAndStateFiltersByMaskAndCapability)
{
    const FilterCase cases[] = {
        // No filtering passes every object whose word is valid, and none without it.
        {kFilterMaskAll, 0, kBoth, true, true},
        {kFilterMaskAll, 0x10, 0, false, false},
        {kFilterMaskAll, 0x10, IFileObject::kCapAttributes, true, false},
        {kFilterMaskAll, 0x10, IFileObject::kCapState, false, true},
        // Mask 0x40: an attribute word with 0x40 passes, one with only 0x10 does not.
        {0x40, 0x40, kBoth, true, false},
        {0x40, 0x10, kBoth, false, false},
        // Only the listed bits count: 0x80 and 0x100 are not among them.
        {0x80, 0x80, kBoth, false, false},
        {0x800, 0x800, kBoth, true, false},
        {0x4, 0x4, kBoth, true, true},
        // Only the low 16 bits of the word count.
        {0x10001, 0x10000, kBoth, false, false},
        {0, 0xFFFF, kBoth, false, false},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mask " << c.mask << " word " << c.word
                                          << " capabilities " << c.capabilities);
        CountingFileObject object("f", c.word, c.word, c.capabilities);
        EXPECT_EQ(CFileAttributeFilter(c.mask).Filter(&object), c.attributePasses);
        EXPECT_EQ(CFileStateFilter(c.mask).Filter(&object), c.statePasses);
    }
    EXPECT_FALSE(CFileAttributeFilter(kFilterMaskAll).Filter(nullptr));
    EXPECT_FALSE(CFileStateFilter(kFilterMaskAll).Filter(nullptr));
}

TEST(FileFilterTest, NormalizeFileTimeRangeOrdersTheTimes)
{
    struct { FILETIME from, to, wantFrom, wantTo; } cases[] = {
        {Time(1, 5), Time(2, 0), Time(1, 5), Time(2, 0)},  // ordered
        {Time(3, 3), Time(3, 3), Time(3, 3), Time(3, 3)},  // equal
        {Time(2, 0), Time(1, 9), Time(1, 9), Time(2, 0)},  // reversed by the high word
        {Time(1, 9), Time(1, 2), Time(1, 2), Time(1, 9)},  // reversed by the low word
    };
    for (const auto& c : cases) {
        FileTimeRange range{7, c.from, c.to};
        FileTimeRange* holder = nullptr;
        NormalizeFileTimeRange(&holder, &range);
        EXPECT_EQ(holder, &range);
        EXPECT_EQ(range.kind, 7u);
        EXPECT_EQ(CompareFileTime(&range.from, &c.wantFrom), 0);
        EXPECT_EQ(CompareFileTime(&range.to, &c.wantTo), 0);
    }
}

TEST(FileFilterTest, ConvertToWide)
{
    EXPECT_EQ(ConvertToWide("", 0), std::wstring());
    EXPECT_EQ(ConvertToWide(nullptr, 3), std::wstring());
    EXPECT_EQ(ConvertToWide("abc", 3), L"abc");
    EXPECT_EQ(ConvertToWide("abcdef", 2), L"ab");  // the length bounds the text
}

TEST(FileFilterTest, SettingsCopyHoldsTheBlockAndItsRecords)
{
    auto block = std::make_unique<FileFilterSettingsBlock>();
    memset(block.get(), 0, sizeof(*block));
    strcpy(block->name, "D:\\Photos");
    strcpy(block->text, "*.jpg");
    block->timeRange = FileTimeRange{1, Time(9, 0), Time(4, 0)};
    block->extra[0] = 0xAB;
    block->flagA = 5;
    block->flagB = 0;

    auto copy = std::make_unique<FilterSettingsCopy>(*block);
    EXPECT_EQ(copy->Name().text, "D:\\Photos");
    EXPECT_EQ(copy->Name().flag, 1u);
    EXPECT_TRUE(copy->Name().wide.empty());
    EXPECT_EQ(copy->Text().text, "*.jpg");
    EXPECT_EQ(copy->Text().wide, L"*.jpg");
    ASSERT_EQ(copy->TimeRange(), &copy->Block().timeRange);  // its own copy, put in order
    EXPECT_EQ(copy->TimeRange()->from.dwHighDateTime, 4u);
    EXPECT_EQ(copy->TimeRange()->to.dwHighDateTime, 9u);
    EXPECT_EQ(block->timeRange.from.dwHighDateTime, 9u);  // the caller's block is left alone
    EXPECT_EQ(copy->Extra(), copy->Block().extra);
    EXPECT_EQ(copy->Extra()[0], 0xAB);
    EXPECT_EQ(copy->AttributeFilter().GetMask(), 0x40u);

    block->flagA = 0;
    block->flagB = 1;
    FilterSettingsCopy unfiltered(*block);
    EXPECT_EQ(unfiltered.Name().flag, 0u);
    EXPECT_EQ(unfiltered.AttributeFilter().GetMask(), kFilterMaskAll);
}

// Texts that fill their arrays without a terminator were read on into the next field.
TEST(FileFilterTest, SettingsCopyBoundsUnterminatedTexts)
{
    auto block = std::make_unique<FileFilterSettingsBlock>();
    memset(block.get(), 'x', sizeof(*block));
    FilterSettingsCopy copy(*block);
    EXPECT_EQ(copy.Name().text, std::string(sizeof(block->name) - 1, 'x'));
    EXPECT_EQ(copy.Text().text, std::string(sizeof(block->text) - 1, 'x'));
    EXPECT_EQ(copy.Text().wide.size(), sizeof(block->text) - 1);
    EXPECT_EQ(copy.Block().name[sizeof(block->name) - 1], '\0');
    EXPECT_EQ(copy.Block().text[sizeof(block->text) - 1], '\0');
}
