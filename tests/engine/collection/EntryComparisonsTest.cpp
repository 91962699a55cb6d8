// tests/engine/collection/EntryComparisonsTest.cpp
// Whether entries share a disk's sectors, and which drive letter an entry belongs to.
#include <gtest/gtest.h>

#include <initializer_list>

#include "engine/collection/EntryComparisons.h"
#include "engine/device/MemoryDevice.h"

namespace {

// Disk 0 opened twice (two devices, one number), disk 1, and two devices without a number.
struct Disks {
    CMemoryDevice d0{std::vector<unsigned char>(512)};
    CMemoryDevice d0again{std::vector<unsigned char>(512)};
    CMemoryDevice d1{std::vector<unsigned char>(512)};
    CMemoryDevice unnumbered{std::vector<unsigned char>(512)};
    CMemoryDevice unnumbered2{std::vector<unsigned char>(512)};
    DiskNumberOf numberOf = [this](IStorageDevice* d) {
        return d == &d0 || d == &d0again ? 0 : d == &d1 ? 1 : -1;
    };
};

PartitionEntry Entry(std::initializer_list<EntrySlot> slots, char letter = 0, uint32_t source = 0)
{
    PartitionEntry e;
    size_t i = 0;
    for (const EntrySlot& s : slots)
        e.slots[i++] = s;
    e.driveLetter = letter;
    e.source = source;
    return e;
}

}  // namespace

TEST(EntryComparisons, Overlap)
{
    Disks k;
    const EntrySlot kFree{};
    struct Case {
        const char* what;
        PartitionEntry a, b;
        bool numbered;  // the disk numbers are known
        bool overlap;
    };
    Case cases[] = {
        {"inside", Entry({{100, 100, &k.d0}}), Entry({{150, 10, &k.d0}}), true, true},
        {"touching at the end", Entry({{100, 100, &k.d0}}), Entry({{200, 50, &k.d0}}), true, false},
        {"one sector shared", Entry({{100, 100, &k.d0}}), Entry({{50, 51, &k.d0}}), true, true},
        {"same sectors, other disk", Entry({{100, 100, &k.d0}}), Entry({{100, 100, &k.d1}}), true, false},
        {"two devices of one disk", Entry({{100, 100, &k.d0}}), Entry({{150, 10, &k.d0again}}), true, true},
        {"two devices without numbers", Entry({{100, 100, &k.d0}}), Entry({{150, 10, &k.d0again}}), false, false},
        {"one device without a number", Entry({{100, 100, &k.d0}}), Entry({{150, 10, &k.d0}}), false, true},
        {"both numbers unknown", Entry({{100, 100, &k.unnumbered}}), Entry({{150, 10, &k.unnumbered2}}), true,
         false},
        {"in a later member", Entry({{0, 4096, &k.d0}, {5000, 100, &k.d1}}), Entry({{5050, 10, &k.d1}}), true, true},
        {"behind a free slot", Entry({{100, 100, &k.d0}, kFree, {1000, 100, &k.d1}}), Entry({{1000, 10, &k.d1}}),
         true, false},
        {"behind an empty slot", Entry({{0, 0, &k.d0}, {100, 100, &k.d0}}), Entry({{100, 10, &k.d0}}), true, false},
        {"empty range", Entry({{100, 0, &k.d0}}), Entry({{50, 100, &k.d0}}), true, false},
        {"starting at sector 0", Entry({{0, 2048, &k.d0}}), Entry({{2047, 1, &k.d0}}), true, true},
        // A damaged length must not wrap the end round below the start.
        {"range at the top", Entry({{UINT64_MAX - 10, 100, &k.d0}}), Entry({{UINT64_MAX - 5, 1, &k.d0}}), true,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DiskNumberOf numbers = c.numbered ? k.numberOf : DiskNumberOf();
        EXPECT_EQ(c.overlap, EntriesOverlap(c.a, c.b, numbers));
        EXPECT_EQ(c.overlap, EntriesOverlap(c.b, c.a, numbers));
    }
}

TEST(EntryComparisons, OnDriveLetter)
{
    Disks k;
    std::vector<PartitionEntry> entries;
    entries.push_back(Entry({{2048, 1000000, &k.d0}}, 'C'));
    entries.push_back(Entry({{100, 400, &k.d1}, {2000000, 100, &k.d0}}, 'E'));  // a volume over two disks
    entries.push_back(Entry({{5000, 10, &k.d0}}, 'F'));  // its own letter, inside C:
    entries.push_back(Entry({{200, 10, &k.d1}}));        // a member of E:
    entries.push_back(Entry({{5000, 10, &k.d0again}}));  // inside C:, through another device
    entries.push_back(Entry({{5000, 10, &k.d0}}, 0, 1)); // an image entry over C:'s sectors
    entries.push_back(Entry({{3000000, 10, &k.d0}}));    // on no lettered entry
    struct Case {
        size_t entry;
        char letter;
        bool on;
    } cases[] = {
        {0, 'C', true},  {0, 'c', true},  {0, 'E', false}, {1, 'E', true},  {1, 'C', false},
        {2, 'F', true},  {2, 'C', false}, {3, 'E', true},  {3, 'C', false}, {4, 'C', true},
        {4, 'E', false}, {5, 'C', false}, {6, 'C', false}, {6, 'E', false}, {6, 'D', false},
        // Letter 0 is no letter: two entries without one do not make each other lettered.
        {3, 0, false},   {6, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "entry " << c.entry << " letter " << (c.letter ? c.letter : '0'));
        EXPECT_EQ(c.on, IsEntryOnDriveLetter(entries[c.entry], c.letter, entries, k.numberOf));
    }
}
