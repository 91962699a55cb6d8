// tests/engine/image/DeviceRecordExchangeTest.cpp
// Disk and image records through a keyed record stream, matched again on the receiving side.
#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <vector>

#include "engine/device/MemoryDevice.h"
#include "engine/image/DeviceRecordExchange.h"
#include "engine/image/DiskSnapshot.h"
#include "engine/image/ImageFileDevice.h"
#include "tests/support/WinePath.h"

namespace {

std::vector<unsigned char> DiskBytes(unsigned char mark, unsigned char tableByte)
{
    std::vector<unsigned char> bytes(64 * 512, 0);
    bytes[0] = mark;
    bytes[446 + 4] = tableByte;  // a partition-table entry's type
    bytes[510] = 0x55;
    bytes[511] = 0xAA;
    return bytes;
}

void DescribeBySize(IStorageDevice* device, DiskDescription* out)
{
    out->busType = 7;
    snprintf(out->product, sizeof(out->product), "Disk %u", unsigned(device->GetTotalSectors()));
}

DiskRecord DiskOf(IStorageDevice* device)
{
    DiskRecord record;
    record.kind = 0;
    record.diskDevice = device;
    return record;
}

}  // namespace

TEST(DeviceRecordExchange, DiskMatchesBySnapshotNotByPartitionTable)
{
    CMemoryDevice sent(DiskBytes(1, 0x07));
    CMemoryDevice same(DiskBytes(1, 0x0C));    // repartitioned: still the same disk
    CMemoryDevice other(DiskBytes(2, 0x07));   // different boot code
    CMemoryRecordStream stream;
    DeviceRecordExchange exchange(&stream, DescribeBySize);
    ASSERT_TRUE(exchange.WriteDiskRecord(DiskOf(&sent)));

    std::vector<DiskRecord> disks = {DiskOf(&other), DiskOf(&same)};
    disks[0].kind = 0;
    std::vector<DiskRecord> images;
    DiskRecord* found = exchange.ReadDiskRecord(&disks, &images);
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(&same, found->diskDevice);
    EXPECT_EQ(nullptr, exchange.ReadDiskRecord(&disks, &images));  // nothing more in the stream

    // A listed disk of kind 2 never matches.
    ASSERT_TRUE(exchange.WriteDiskRecord(DiskOf(&sent)));
    std::vector<DiskRecord> excluded = {DiskOf(&same)};
    excluded[0].kind = 2;
    EXPECT_EQ(nullptr, exchange.ReadDiskRecord(&excluded, &images));
}

TEST(DeviceRecordExchange, SnapshotLayout)
{
    CMemoryDevice disk(DiskBytes(9, 0x07));
    DiskDescription description;
    memset(&description, 0, sizeof(description));
    description.busType = 3;
    strcpy(description.vendor, "VEND");
    std::vector<unsigned char> snapshot;
    ASSERT_TRUE(TakeDiskSnapshot(&disk, description, &snapshot));
    ASSERT_EQ(5400u, snapshot.size());
    EXPECT_EQ(3, snapshot[0]);
    EXPECT_EQ('V', snapshot[4]);
    EXPECT_EQ(9, snapshot[1304]);
    EXPECT_EQ(0, snapshot[1304 + 446 + 4]);  // table blanked
    EXPECT_EQ(0x55, snapshot[1304 + 510]);
    EXPECT_FALSE(TakeDiskSnapshot(nullptr, description, &snapshot));
    EXPECT_EQ(5400u, snapshot.size());
}

TEST(DeviceRecordExchange, ImageOpenedOnceAndOnlyWhenComplete)
{
    CMemoryRecordStream stream;
    DeviceRecordExchange exchange(&stream, DescribeBySize);
    DiskRecord record;
    record.kind = 1;
    std::string path = FixtureDir() + "\\image\\img.dir\\zlib.img";
    strcpy(record.imagePath, path.c_str());
    std::vector<DiskRecord> images;
    ASSERT_TRUE(exchange.WriteDiskRecord(record));
    ASSERT_TRUE(exchange.WriteDiskRecord(record));
    DiskRecord* first = exchange.ReadDiskRecord(nullptr, &images);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, first->imageDevice);
    EXPECT_EQ(4096u, first->imageDevice->GetTotalSectors());
    DiskRecord* second = exchange.ReadDiskRecord(nullptr, &images);
    EXPECT_EQ(first, second);
    EXPECT_EQ(1u, images.size());

    DiskRecord missing = record;
    std::string missingPath = FixtureDir() + "\\image\\img.dir\\missing.img";
    strcpy(missing.imagePath, missingPath.c_str());
    EXPECT_EQ(nullptr, exchange.FindOrOpenImageDevice(missing, &images));
    EXPECT_EQ(1u, images.size());
    for (DiskRecord& image : images)
        delete image.imageDevice;
}
