// tests/engine/image/DeviceRecordExchangeTest.cpp
// Disk and image records through a keyed record stream, matched again on the receiving side.
#include <gtest/gtest.h>

#include <string.h>

#include <deque>
#include <memory>
#include <vector>

#include "engine/collection/PartitionEntryRecord.h"
#include "engine/device/LittleEndian.h"
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
    std::deque<DiskRecord> images;
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
    std::deque<DiskRecord> images;
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

    // Opening more images keeps the records handed out earlier where they are.
    for (const char* name : {"bzip2.img", "lzma.img", "stored.img"}) {
        DiskRecord more = record;
        strcpy(more.imagePath, (FixtureDir() + "\\image\\img.dir\\" + name).c_str());
        ASSERT_NE(nullptr, exchange.FindOrOpenImageDevice(more, &images)) << name;
    }
    EXPECT_EQ(4u, images.size());
    EXPECT_EQ(first, &images.front());
    EXPECT_EQ(first, exchange.FindOrOpenImageDevice(record, &images));
    for (DiskRecord& image : images)
        delete image.imageDevice;
}

namespace {

// A basic partition on `disk` at (start, length), or a dynamic volume over two disks.
PartitionEntry EntryOn(IStorageDevice* disk, uint64_t start, uint64_t length, char letter)
{
    PartitionEntry e;
    e.kind = kEntryBasic;
    e.fileSystem = 3;
    e.driveLetter = letter;
    e.name = "DATA";
    e.slots[0] = EntrySlot{start, length, disk};
    e.text = "Maker  Disk  USB Device";
    return e;
}

}  // namespace

TEST(DeviceRecordExchange, PartitionEntryLayoutIsFixed)
{
    CMemoryDevice disk(DiskBytes(1, 0x07));
    PartitionEntry e = EntryOn(&disk, 2048, 4096, 'E');
    e.usb = true;
    unsigned char bytes[1277];
    PackPartitionEntry(e, bytes);
    EXPECT_EQ(0u, GetU32(bytes + 8));  // kind: basic
    EXPECT_EQ(3u, GetU32(bytes + 12));
    EXPECT_EQ('E', bytes[16]);
    EXPECT_STREQ("DATA", reinterpret_cast<const char*>(bytes + 17));
    EXPECT_EQ(1u, GetU32(bytes + 121));
    EXPECT_EQ(2048u, GetU64(bytes + 125));
    EXPECT_EQ(4096u, GetU64(bytes + 133));
    EXPECT_NE(0u, GetU32(bytes + 141));  // the slot holds a disk
    EXPECT_EQ(0u, GetU32(bytes + 161));  // the second slot is free
    EXPECT_STREQ("Maker  Disk  USB Device", reinterpret_cast<const char*>(bytes + 765));
    PartitionEntry back;
    UnpackPartitionEntry(bytes, back);
    EXPECT_EQ(e.name, back.name);
    EXPECT_EQ(e.text, back.text);
    EXPECT_EQ(2048u, back.slots[0].start);

    // An image entry carries its path at byte 280.
    PartitionEntry image = EntryOn(&disk, 0, 100, 0);
    image.source = 1;
    image.imagePath = "C:\\images\\disk.img";
    PackPartitionEntry(image, bytes);
    EXPECT_STREQ("C:\\images\\disk.img", reinterpret_cast<const char*>(bytes + 280));
}

TEST(DeviceRecordExchange, PartitionEntryFoundAgainOnItsDisks)
{
    CMemoryDevice sent(DiskBytes(1, 0x07)), same(DiskBytes(1, 0x0C)), other(DiskBytes(2, 0x07));
    CMemoryRecordStream stream;
    DeviceRecordExchange exchange(&stream, DescribeBySize);
    PartitionEntry volume = EntryOn(&sent, 2048, 4096, 'F');
    volume.kind = kEntryDynamic;
    volume.slots[1] = EntrySlot{64, 1000, &sent};
    ASSERT_TRUE(exchange.WritePartitionEntry(volume));

    std::vector<PartitionEntry> listed;
    listed.push_back(EntryOn(&other, 2048, 4096, 'F'));  // other disk
    listed.back().kind = kEntryDynamic;
    listed.back().slots[1] = EntrySlot{64, 1000, &other};
    listed.push_back(EntryOn(&same, 2048, 4096, 'F'));  // one slot only
    listed.back().kind = kEntryDynamic;
    listed.push_back(EntryOn(&same, 2048, 4096, 'F'));  // second slot of another length
    listed.back().kind = kEntryDynamic;
    listed.back().slots[1] = EntrySlot{64, 999, &same};
    listed.push_back(EntryOn(&same, 2048, 4096, 'G'));  // another letter
    listed.back().kind = kEntryDynamic;
    listed.back().slots[1] = EntrySlot{64, 1000, &same};
    listed.push_back(EntryOn(&same, 2048, 4096, 'F'));  // the match: same disk, repartitioned
    listed.back().kind = kEntryDynamic;
    listed.back().slots[1] = EntrySlot{64, 1000, &same};
    std::deque<PartitionEntry> images;
    EXPECT_EQ(&listed[4], exchange.ReadPartitionEntry(&listed, &images));

    // Listed entries of source 2 never match.
    ASSERT_TRUE(exchange.WritePartitionEntry(volume));
    listed[4].source = 2;
    EXPECT_EQ(nullptr, exchange.ReadPartitionEntry(&listed, &images));
    EXPECT_TRUE(images.empty());
}

TEST(DeviceRecordExchange, ImagePartitionEntryOpensItsImageOnce)
{
    CMemoryRecordStream stream;
    DeviceRecordExchange exchange(&stream, DescribeBySize);
    PartitionEntry e = EntryOn(nullptr, 0, 4096, 0);
    e.source = 1;
    e.imagePath = FixtureDir() + "\\image\\img.dir\\zlib.img";
    ASSERT_TRUE(exchange.WritePartitionEntry(e));
    ASSERT_TRUE(exchange.WritePartitionEntry(e));
    std::deque<PartitionEntry> images;
    PartitionEntry* first = exchange.ReadPartitionEntry(nullptr, &images);
    ASSERT_NE(nullptr, first);
    ASSERT_TRUE(first->device);
    EXPECT_EQ(4096u, first->device->GetTotalSectors());
    EXPECT_EQ(e.imagePath, first->imagePath);
    EXPECT_EQ(first, exchange.ReadPartitionEntry(nullptr, &images));
    EXPECT_EQ(1u, images.size());
    PartitionEntry missing = EntryOn(nullptr, 0, 1, 0);
    missing.source = 1;
    missing.imagePath = FixtureDir() + "\\image\\img.dir\\missing.img";
    EXPECT_EQ(nullptr, exchange.FindOrOpenImageDevice(missing, &images));
}
