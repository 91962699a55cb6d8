// tests/engine/collection/MountPointsTest.cpp
// Mount points and the machine-wide enumeration under Wine, whose drive 0 is a disk that
// opens but cannot be read (every sector reads as zeros, so it holds no table).
#include <gtest/gtest.h>

#include <string.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "engine/collection/EnumCollectPartitionWin32.h"
#include "engine/collection/MountPointsWin32.h"
#include "engine/collection/VolumeGuidPath.h"

TEST(MountPoints, VolumeGuidPathIsLowerCaseInStoredOrder)
{
    const unsigned char g[16] = {0xAB, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                                 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0xFF};
    EXPECT_EQ("\\\\?\\Volume{ab010203-0405-0607-0809-0a0b0c0d0eff}\\", VolumeGuidPath(g));
}

TEST(MountPoints, LookupsOfUnknownVolumesFindNoLetter)
{
    const unsigned char g[16] = {1, 2, 3};
    EXPECT_EQ(0, GetVolumePathNames(g));
    EXPECT_EQ(0, DynamicVolumeDriveLetter("Volume1", "NoSuchGroup"));
}

// Both layouts the system may answer: the partition whose start matches, and never an entry
// beyond the bytes returned.
TEST(MountPoints, PartitionNumberByStartInBothLayouts)
{
    std::vector<unsigned char> exBytes(offsetof(DRIVE_LAYOUT_INFORMATION_EX, PartitionEntry) + 3 * sizeof(PARTITION_INFORMATION_EX));
    auto* ex = reinterpret_cast<DRIVE_LAYOUT_INFORMATION_EX*>(exBytes.data());
    ex->PartitionCount = 3;
    const LONGLONG starts[3] = {2048LL * 4096, 0, 999999LL * 4096};
    for (int i = 0; i < 3; ++i) {
        ex->PartitionEntry[i].StartingOffset.QuadPart = starts[i];
        ex->PartitionEntry[i].PartitionNumber = i == 1 ? 0 : i + 1;  // number 0: not a partition
    }
    EXPECT_EQ(1, findPartitionByOffset(ex, exBytes.size(), 2048, 4096));
    EXPECT_EQ(3, findPartitionByOffset(ex, exBytes.size(), 999999, 4096));
    EXPECT_EQ(0, findPartitionByOffset(ex, exBytes.size(), 0, 4096));
    EXPECT_EQ(0, findPartitionByOffset(ex, exBytes.size() - sizeof(PARTITION_INFORMATION_EX), 999999, 4096));
    ex->PartitionCount = 1000;  // a count beyond the buffer is cut to it
    EXPECT_EQ(0, findPartitionByOffset(ex, exBytes.size(), 12345, 4096));

    std::vector<unsigned char> oldBytes(offsetof(DRIVE_LAYOUT_INFORMATION, PartitionEntry) + 2 * sizeof(PARTITION_INFORMATION));
    auto* old = reinterpret_cast<DRIVE_LAYOUT_INFORMATION*>(oldBytes.data());
    old->PartitionCount = 2;
    old->PartitionEntry[0].StartingOffset.QuadPart = 63LL * 512;
    old->PartitionEntry[0].PartitionNumber = 1;
    old->PartitionEntry[1].StartingOffset.QuadPart = 1000000LL * 512;
    old->PartitionEntry[1].PartitionNumber = 5;
    EXPECT_EQ(5, findPartitionByOffset(old, oldBytes.size(), 1000000, 512));
    EXPECT_EQ(1, findPartitionByOffset(old, oldBytes.size(), 63, 512));
    EXPECT_EQ(0, findPartitionByOffset(old, 4, 63, 512));
}

namespace {
// Called on the enumeration's thread: the reports come after the done flag, so the lists are
// read under the sink's lock, once the texts have arrived.
class RecordingSink : public IEnumerationReportSink {
public:
    void DiskInventory(const unsigned char* entries, int count) override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_inventory.assign(entries, entries + count * kDiskInventoryEntrySize);
        m_inventoryCount = count;
    }
    void Text(int code, const char* text) override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_texts.push_back({code, text});
        m_arrived.notify_all();
    }
    // Waits up to the timeout for `count` texts; then copies what arrived.
    void WaitForTexts(size_t count, std::vector<std::pair<int, std::string>>& texts, std::vector<unsigned char>& inventory,
                      int& inventoryCount)
    {
        std::unique_lock<std::mutex> hold(m_lock);
        m_arrived.wait_for(hold, std::chrono::seconds(5), [&] { return m_texts.size() >= count; });
        texts = m_texts;
        inventory = m_inventory;
        inventoryCount = m_inventoryCount;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_arrived;
    std::vector<unsigned char> m_inventory;
    int m_inventoryCount = 0;
    std::vector<std::pair<int, std::string>> m_texts;
};
}  // namespace

TEST(MountPoints, MachineEnumerationOnItsThread)
{
    static RecordingSink sink;
    EnumCollectPartition::SetReportSink(&sink);
    EnumCollectPartition::SetStringLookup([](const char* key) {
        return std::string(strcmp(key, "LostDesc") == 0 ? "Verloren" : "");
    });
    EnumCollectPartition& machine = EnumCollectPartition::Instance();
    for (int i = 0; i < 300 && !EnumCollectPartition::IsDone(); ++i)
        Sleep(100);
    ASSERT_TRUE(EnumCollectPartition::IsDone());
    EXPECT_FALSE(EnumCollectPartition::IsBusy());
    std::vector<std::pair<int, std::string>> texts;
    std::vector<unsigned char> inventory;
    int inventoryCount = 0;
    sink.WaitForTexts(2, texts, inventory, inventoryCount);

    // Wine's drive 0 opened, and nothing else: no table on it, so the whole disk is one lost
    // region, named from the language text.
    ASSERT_EQ(1u, machine.Disks().size());
    const uint64_t total = machine.Disks()[0]->GetTotalSectors();
    ASSERT_GT(total, 204800u);
    EXPECT_TRUE(machine.Collected().empty());
    ASSERT_EQ(1u, machine.Lost().size());
    const PartitionEntry& lost = machine.Lost()[0];
    EXPECT_EQ("Verloren-1", lost.name);
    EXPECT_EQ(0u, lost.slots[0].start);
    EXPECT_EQ(total, lost.slots[0].length);
    ASSERT_TRUE(lost.device);
    EXPECT_EQ(total, lost.device->GetTotalSectors());

    ASSERT_EQ(1, inventoryCount);
    EXPECT_EQ(total, uint64_t(inventory[520]) | uint64_t(inventory[521]) << 8 |
                         uint64_t(inventory[522]) << 16 | uint64_t(inventory[523]) << 24 |
                         uint64_t(inventory[524]) << 32);
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(kSizeReportCode, texts[0].first);
    EXPECT_EQ("Disk[0]:size[" + std::to_string(total * 512 / 1048576) + "]M;", texts[0].second);
    EXPECT_EQ(kPartitionReportCode, texts[1].first);
    EXPECT_EQ("", texts[1].second);

    // The lost region's free-space text: no mounted volume lies there, so its size alone.
    std::string text;
    float percent = -1;
    char letter = 0;
    EXPECT_EQ(0, machine.FormatEntryFreeSpace(lost, text, percent, letter));
    char expected[64];
    snprintf(expected, sizeof(expected), "%.2f GB", double(total * 512) / 1073741824.0);
    EXPECT_EQ(expected, text);
    EXPECT_EQ(-1, int(percent));
}
