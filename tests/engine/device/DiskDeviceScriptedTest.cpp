// tests/engine/device/DiskDeviceScriptedTest.cpp
// The physical disk against a scripted drive: the capacity request as the platform lays it
// out, the choice of the disk's size, and reads from a failing drive (probing, the bad-range
// table, skipping off, the bounce buffer, a drive that is not ready).
#include <gtest/gtest.h>

#include <stddef.h>

#include <vector>

#include "FailingAllocation.h"
#include "ScriptedDrive.h"
#include "engine/device/DiskDevice.h"

namespace {

const uint64_t kBlock = 2048;  // sectors of one probe
const uint64_t kFirst = 100000;

// Settings with unreadable-sector skipping on or off; they outlive every disk of the test.
const EngineSettings& Skipping(bool on)
{
    static const EngineSettings* const settings = [] {
        static EngineSettings both[2];
        both[0].bSkipUnreadableSectors = 0;
        both[1].bSkipUnreadableSectors = 1;
        return both;
    }();
    return settings[on ? 1 : 0];
}

bool AllBytes(const std::vector<unsigned char>& buffer, size_t from, size_t size, unsigned char value)
{
    for (size_t i = from; i < from + size; ++i)
        if (buffer[i] != value)
            return false;
    return true;
}

bool ReadsSector(const std::vector<unsigned char>& buffer, size_t index, uint64_t sector)
{
    return AllBytes(buffer, index * 512, 512, ScriptedDrive::ByteOf(sector));
}

}  // namespace

TEST(DiskDeviceCapacity, ReadCapacityRequestHasThePlatformLayout)
{
    ScriptedDrive drive;
    drive.lengthAnswers = false;
    drive.capacity[0] = drive.capacity[1] = drive.GeometrySectors() + 10;
    CDiskDevice disk(0, drive);
    ASSERT_EQ(2u, drive.passThroughs.size());
    for (unsigned char target = 0; target < 2; ++target) {
        const ScriptedDrive::PassThrough& sent = drive.passThroughs[target];
        ASSERT_GE(sent.request.size(), sizeof(SCSI_PASS_THROUGH));
        SCSI_PASS_THROUGH header;
        memcpy(&header, sent.request.data(), sizeof(header));
        EXPECT_EQ(sizeof(SCSI_PASS_THROUGH), header.Length);
        EXPECT_EQ(0, header.PathId);
        EXPECT_EQ(target, header.TargetId);
        EXPECT_EQ(0, header.Lun);
        EXPECT_EQ(10, header.CdbLength);
        EXPECT_EQ(0, header.SenseInfoLength);
        EXPECT_EQ(SCSI_IOCTL_DATA_IN, header.DataIn);
        EXPECT_EQ(8u, header.DataTransferLength);
        EXPECT_EQ(4u, header.TimeOutValue);
        // Room for sense data after the header, the reply after that; the request is sent
        // without the reply, and the reply buffer holds all of it.
        EXPECT_EQ(sizeof(SCSI_PASS_THROUGH), header.SenseInfoOffset);
        EXPECT_EQ(sizeof(SCSI_PASS_THROUGH) + 32, header.DataBufferOffset);
        EXPECT_EQ(header.DataBufferOffset, sent.request.size());
        EXPECT_EQ(header.DataBufferOffset + 8, sent.outSize);
        const unsigned char readCapacity10[16] = {0x25};
        EXPECT_EQ(0, memcmp(readCapacity10, sent.request.data() + offsetof(SCSI_PASS_THROUGH, Cdb), 16));
    }
    EXPECT_EQ(drive.GeometrySectors() + 10, disk.GetTotalSectors());
}

TEST(DiskDeviceCapacity, LengthOrReadCapacityWithinOneCylinderOfTheGeometry)
{
    const uint64_t geometry = ScriptedDrive().GeometrySectors();
    const uint64_t cylinder = 255 * 63;
    struct Case {
        const char* name;
        bool lengthAnswers;
        uint64_t lengthSectors;
        uint64_t target0, target1;  // READ CAPACITY; 0 fails
        uint64_t total;
        size_t passThroughs;
    } cases[] = {
        {"length beyond the geometry is final", true, geometry + 5000, 0, 0, geometry + 5000, 0},
        {"length equal to the geometry is final", true, geometry, geometry + 9, geometry + 9, geometry, 0},
        {"length short of the geometry asks the drive", true, geometry - 10, geometry + 7, geometry + 7,
         geometry + 7, 2},
        {"no length, both targets agree", false, 0, geometry + 100, geometry + 100, geometry + 100, 2},
        {"agreeing but past one cylinder", false, 0, geometry + cylinder, geometry + cylinder, geometry, 2},
        {"agreeing but not above the geometry", false, 0, geometry, geometry, geometry, 2},
        {"only target 1 answers", false, 0, 0, geometry + 50, geometry + 50, 2},
        {"target 0 first when both fit", false, 0, geometry + 10, geometry + 20, geometry + 10, 2},
        {"target 1 when target 0 is too large", false, 0, geometry + 5 * cylinder, geometry + 20,
         geometry + 20, 2},
        {"neither answers", false, 0, 0, 0, geometry, 2},
    };
    for (const Case& c : cases) {
        ScriptedDrive drive;
        drive.lengthAnswers = c.lengthAnswers;
        drive.lengthBytes = c.lengthSectors * 512;
        drive.capacity[0] = c.target0;
        drive.capacity[1] = c.target1;
        CDiskDevice disk(0, drive);
        EXPECT_EQ(c.total, disk.GetTotalSectors()) << c.name;
        EXPECT_EQ(c.passThroughs, drive.passThroughs.size()) << c.name;
    }
}

TEST(DiskDeviceReads, FailedReadProbesAheadAndRecordsTheRegion)
{
    // Each probe reads one block at first + n blocks, n = 50, 25, 12; the first one that fails
    // ends the region there, and 10 blocks are recorded when none fails.
    struct Case {
        uint64_t badBlock;  // a further unreadable block, in blocks from the failed read; 0: none
        uint64_t endBlocks;
        size_t probes;
    } cases[] = {{0, 10, 3}, {50, 50, 1}, {25, 25, 2}, {12, 12, 3}};
    for (const Case& c : cases) {
        ScriptedDrive drive;
        drive.badSectors = {kFirst + 2};
        if (c.badBlock)
            drive.badSectors.insert(kFirst + c.badBlock * kBlock);
        CDiskDevice disk(0, drive, Skipping(true));
        drive.reads.clear();
        std::vector<unsigned char> buffer(8 * 512, 0xCC);
        ASSERT_TRUE(disk.ReadSectors(buffer.data(), kFirst, 8)) << c.badBlock;
        EXPECT_TRUE(AllBytes(buffer, 0, buffer.size(), 0)) << c.badBlock;
        std::vector<BadRange> ranges = disk.GetBadRanges().CopyRanges();
        ASSERT_EQ(1u, ranges.size()) << c.badBlock;
        EXPECT_EQ(kFirst, ranges[0].start);
        EXPECT_EQ(kFirst + c.endBlocks * kBlock, ranges[0].end) << c.badBlock;
        ASSERT_EQ(1 + c.probes, drive.reads.size()) << c.badBlock;
        const uint64_t distance[] = {50, 25, 12};
        for (size_t i = 0; i < c.probes; ++i) {
            EXPECT_EQ((kFirst + distance[i] * kBlock) * 512, drive.reads[1 + i].offset) << c.badBlock;
            EXPECT_EQ(kBlock * 512, drive.reads[1 + i].size);
        }
    }
}

TEST(DiskDeviceReads, LaterReadsOfTheRegionAreZerosWithoutTheDrive)
{
    ScriptedDrive drive;
    drive.badSectors = {kFirst};
    CDiskDevice disk(0, drive, Skipping(true));
    std::vector<unsigned char> buffer(8 * 512, 0xCC);
    ASSERT_TRUE(disk.ReadSectors(buffer.data(), kFirst, 8));
    const uint64_t end = kFirst + 10 * kBlock;
    ASSERT_TRUE(disk.GetBadRanges().Overlaps(kFirst, end));

    drive.reads.clear();
    for (uint64_t first : {kFirst + 5, end - 8}) {
        std::fill(buffer.begin(), buffer.end(), 0xCC);
        EXPECT_TRUE(disk.ReadSectors(buffer.data(), first, 8)) << first;
        EXPECT_TRUE(AllBytes(buffer, 0, buffer.size(), 0)) << first;
    }
    EXPECT_TRUE(drive.reads.empty());

    // Just before and just after the region the drive is read again.
    for (uint64_t first : {kFirst - 8, end}) {
        drive.reads.clear();
        EXPECT_TRUE(disk.ReadSectors(buffer.data(), first, 8)) << first;
        EXPECT_EQ(1u, drive.reads.size()) << first;
        EXPECT_TRUE(ReadsSector(buffer, 0, first) && ReadsSector(buffer, 7, first + 7)) << first;
    }
}

TEST(DiskDeviceReads, WithoutSkippingAFailedReadFailsAndRecordsNothing)
{
    ScriptedDrive drive;
    drive.badSectors = {kFirst + 3};
    CDiskDevice disk(0, drive, Skipping(false));
    drive.reads.clear();
    std::vector<unsigned char> buffer(8 * 512, 0xCC);
    EXPECT_FALSE(disk.ReadSectors(buffer.data(), kFirst, 8));
    EXPECT_EQ(1u, drive.reads.size());  // no probing
    EXPECT_TRUE(disk.GetBadRanges().CopyRanges().empty());
    // The next read of the same sectors asks the drive again.
    EXPECT_FALSE(disk.ReadSectors(buffer.data(), kFirst, 8));
    EXPECT_EQ(2u, drive.reads.size());
    EXPECT_TRUE(disk.ReadSectors(buffer.data(), kFirst + 4, 8));
    EXPECT_TRUE(ReadsSector(buffer, 0, kFirst + 4));
}

TEST(DiskDeviceReads, ReadsUpToFourMiBGoThroughTheBounceBuffer)
{
    ScriptedDrive drive;
    CDiskDevice disk(0, drive);
    const uint64_t bounceSectors = CDiskDevice::kBounceBufferSize / 512;
    for (uint64_t count : {bounceSectors, bounceSectors + 1}) {
        std::vector<unsigned char> buffer(size_t(count * 512), 0xCC);
        drive.reads.clear();
        ASSERT_TRUE(disk.ReadSectors(buffer.data(), 1000, count)) << count;
        ASSERT_EQ(1u, drive.reads.size());
        EXPECT_EQ(count * 512, drive.reads[0].size);
        const bool straight = drive.reads[0].buffer == buffer.data();
        EXPECT_EQ(count > bounceSectors, straight) << count;
        EXPECT_TRUE(ReadsSector(buffer, 0, 1000) && ReadsSector(buffer, size_t(count - 1), 1000 + count - 1))
            << count;
    }
}

TEST(DiskDeviceReads, DriveNotReadyIsReopenedAndReadAgain)
{
    // Not ready once: the second try after reopening reads the sectors; nothing is taken for
    // unreadable.
    {
        ScriptedDrive drive;
        CDiskDevice disk(0, drive, Skipping(true));
        drive.reads.clear();
        const int opens = drive.opens;
        drive.notReadyReads = 1;
        std::vector<unsigned char> buffer(8 * 512, 0xCC);
        ASSERT_TRUE(disk.ReadSectors(buffer.data(), 5000, 8));
        EXPECT_TRUE(ReadsSector(buffer, 0, 5000) && ReadsSector(buffer, 7, 5007));
        EXPECT_EQ(2u, drive.reads.size());
        EXPECT_EQ(opens + 1, drive.opens);
        EXPECT_EQ(drive.opens - 1, drive.closes);  // every reopening closed the handle first
        EXPECT_TRUE(disk.GetBadRanges().CopyRanges().empty());
        EXPECT_TRUE(disk.IsOpen());
    }
    // Never ready: three tries, each followed by a reopening; the retry count then stays
    // used up, so the next read gives up at once, and the one after that retries again.
    {
        ScriptedDrive drive;
        CDiskDevice disk(0, drive, Skipping(false));
        drive.notReadyReads = 1000;
        std::vector<unsigned char> buffer(8 * 512);
        struct Step {
            size_t reads;
            int reopenings;
        } steps[] = {{3, 3}, {1, 0}, {3, 3}};
        for (const Step& step : steps) {
            drive.reads.clear();
            const int opens = drive.opens;
            EXPECT_FALSE(disk.ReadSectors(buffer.data(), 5000, 8));
            EXPECT_EQ(step.reads, drive.reads.size());
            EXPECT_EQ(step.reopenings, drive.opens - opens);
        }
    }
}

TEST(DiskDeviceReads, RegionThatCannotBeRecordedStillReadsAsZeros)
{
    ScriptedDrive drive;
    drive.badSectors = {kFirst};
    drive.reads.reserve(16);  // the drive's own log must not be what fails
    CDiskDevice disk(0, drive, Skipping(true));
    std::vector<unsigned char> buffer(8 * 512, 0xCC);
    int result = 0;
    {
        FailSmallAllocations noRecords(4096);
        result = disk.ReadSectors(buffer.data(), kFirst, 8);
    }
    EXPECT_TRUE(result);
    EXPECT_TRUE(AllBytes(buffer, 0, buffer.size(), 0));
    EXPECT_TRUE(disk.GetBadRanges().CopyRanges().empty());
}
