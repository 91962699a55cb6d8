// tests/appservices/EnumerationUsageSinkTest.cpp
// The disk enumeration's reports reach the usage libraries' stand-ins: the inventory in the
// usage object's eighth slot, the size and partition reports as texts 0x2005 and 0x2004.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/EnumerationUsageSink.h"
#include "app/UsageReport.h"
#include "engine/collection/EnumCollectPartitionWin32.h"
#include "tests/appservices/StandInFolder.h"

namespace {

std::string CallLogExport(const char* library, const char* name)
{
    HMODULE module = GetModuleHandleA(library);
    auto call = module ? reinterpret_cast<const char* (*)()>(
                             reinterpret_cast<void*>(GetProcAddress(module, name)))
                       : nullptr;
    return call ? std::string(call()) : std::string("(not loaded)");
}

void ResetLog(const char* library)
{
    HMODULE module = GetModuleHandleA(library);
    auto reset = module ? reinterpret_cast<void (*)()>(
                              reinterpret_cast<void*>(GetProcAddress(module, "StandInReset")))
                        : nullptr;
    if (reset)
        reset();
}

class EnumerationUsageSinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUsageLibraryFolder(StandInFolder().c_str());
        // Loads both stand-ins, so that their logs can be emptied before each case.
        ASSERT_NE(nullptr, GetUsageObject());
        SpySetText(0, "");
        ResetLog("d2uzadi.dll");
        ResetLog("vedava.dll");
    }
    void TearDown() override { SetUsageLibraryFolder(nullptr); }
    EnumerationUsageSink sink_;
};

TEST_F(EnumerationUsageSinkTest, ReportsGoToTheirSlotsAndCodes)
{
    DiskInventoryEntry entry;
    entry.product = "QEMU HARDDISK";
    entry.totalSectors = 2048;
    entry.bytesPerSector = 512;
    std::vector<unsigned char> packed(2 * kDiskInventoryEntrySize);
    PackDiskInventoryEntry(entry, &packed[0]);
    PackDiskInventoryEntry(entry, &packed[kDiskInventoryEntrySize]);
    sink_.DiskInventory(packed.data(), 2);
    // The stand-in shows the first four bytes: "QE" in UTF-16.
    EXPECT_EQ(CallLogExport("d2uzadi.dll", "StandInLog"),
              "inventory 2 first=" + std::to_string('Q' | ('E' << 16)) + ";");

    sink_.Text(kSizeReportCode, "Disk[0]:size[1]M;");
    sink_.Text(kPartitionReportCode, "Disk[0]:partition:[1]size[1]M;");
    EXPECT_EQ(CallLogExport("vedava.dll", "StandInLog"),
              "text 0x2005 Disk[0]:size[1]M;;text 0x2004 Disk[0]:partition:[1]size[1]M;;");
}

TEST_F(EnumerationUsageSinkTest, NothingToReportSendsNothing)
{
    sink_.DiskInventory(nullptr, 3);
    unsigned char none[kDiskInventoryEntrySize] = {};
    sink_.DiskInventory(none, 0);
    sink_.Text(kSizeReportCode, nullptr);
    EXPECT_EQ(CallLogExport("d2uzadi.dll", "StandInLog"), "");
    EXPECT_EQ(CallLogExport("vedava.dll", "StandInLog"), "");
}

// The enumeration opens the disks on a thread of its own and reports from there; Wine's
// first physical drive opens (onto a fake disk).
TEST_F(EnumerationUsageSinkTest, TheEnumerationsOwnInventoryArrivesFromItsThread)
{
    std::vector<std::unique_ptr<CDiskDevice>> disks;
    std::thread enumeration([&] { OpenAllPhysicalDisks(disks, &sink_); });
    enumeration.join();
    ASSERT_FALSE(disks.empty());
    const std::string log = CallLogExport("d2uzadi.dll", "StandInLog");
    EXPECT_EQ(log.rfind("inventory " + std::to_string(disks.size()) + " first=", 0), 0u) << log;
}

}  // namespace
