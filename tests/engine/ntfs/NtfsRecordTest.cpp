// tests/engine/ntfs/NtfsRecordTest.cpp
#include <gtest/gtest.h>
#include <string.h>

#include <memory>

#include "engine/device/LittleEndian.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/ntfs/NtfsDataRuns.h"
#include "engine/ntfs/NtfsLayout.h"
#include "engine/ntfs/NtfsRecord.h"
#include "engine/ntfs/NtfsVolumeLabel.h"
#include "tests/engine/ntfs/NtfsImages.h"

namespace {

// A copy of MFT record n of a real image.
std::vector<unsigned char> MftRecord(const char* imageName, uint32_t sectorSize, uint32_t n)
{
    std::vector<unsigned char> image = NtfsImage(imageName);
    NtfsBootSector boot;
    if (!boot.Load(image.data()))
        return {};
    uint32_t size = GetMftRecordSize(boot);
    size_t start = size_t(boot.GetMftCluster() * boot.GetSectorsPerCluster() * sectorSize + n * size);
    return std::vector<unsigned char>(image.begin() + start, image.begin() + start + size);
}

}  // namespace

TEST(NtfsRecord, VolumeRecordValidatesAndComesBackUnchanged)
{
    for (const char* name : {"ntfs.img", "ntfs4k.img"}) {
        std::vector<unsigned char> record = MftRecord(name, name[4] == '4' ? 4096 : 512, 3);
        ASSERT_FALSE(record.empty()) << name;
        std::vector<unsigned char> before = record;
        EXPECT_TRUE(CheckFileRecordHeader(record.data(), record.size())) << name;
        EXPECT_TRUE(CheckUpdateSequence(record.data(), record.size())) << name;
        EXPECT_TRUE(ValidateFileRecord(record.data(), record.size())) << name;
        EXPECT_EQ(before, record) << name;
        // Apply then protect restores every protected stride.
        EXPECT_TRUE(ApplyUpdateSequence(record.data(), record.size()));
        EXPECT_TRUE(IsNtfsVolumeRecord(record.data(), record.size()));
        EXPECT_FALSE(IsNtfsSystemFile(record.data(), record.size(), "$MFT"));
        EXPECT_TRUE(ProtectUpdateSequence(record.data(), record.size()));
        EXPECT_EQ(before, record) << name;
    }
}

TEST(NtfsRecord, EveryStrideOfALargeRecordIsChecked)
{
    std::vector<unsigned char> record = MftRecord("ntfs4k.img", 4096, 3);
    ASSERT_EQ(4096u, record.size());
    record[7 * 512 + 510] ^= 0xFF;  // the last stride's tail
    EXPECT_FALSE(CheckUpdateSequence(record.data(), record.size()));
    EXPECT_FALSE(ApplyUpdateSequence(record.data(), record.size()));
}

TEST(NtfsRecord, HeaderFields)
{
    std::vector<unsigned char> good = MftRecord("ntfs.img", 512, 3);
    struct Patch { const char* why; size_t offset; uint16_t value; };
    const Patch patches[] = {{"magic", 0, 0x4946 + 1},   {"count 17", 6, 17},        {"count 0", 6, 0},
                             {"count past allocation", 6, 4}, {"offset 40", 4, 40},  {"offset 258", 4, 258},
                             {"allocated 1000", 28, 1000}, {"allocated 8192", 28, 8192}};
    for (const Patch& p : patches) {
        std::vector<unsigned char> record = good;
        record[p.offset] = uint8_t(p.value);
        record[p.offset + 1] = uint8_t(p.value >> 8);
        EXPECT_FALSE(CheckFileRecordHeader(record.data(), record.size())) << p.why;
        EXPECT_FALSE(ValidateFileRecord(record.data(), record.size())) << p.why;
    }
    EXPECT_FALSE(ValidateFileRecord(good.data(), 1023));
    EXPECT_FALSE(CheckUpdateSequence(good.data(), 512));
}

TEST(NtfsRecord, UpdateSequenceArrayMustEndBeforeTheTailItProtects)
{
    const std::vector<unsigned char> good = MftRecord("ntfs.img", 512, 3);
    ASSERT_FALSE(good.empty());
    // Two entries (the sequence number and one stride's saved bytes) at an offset.
    auto moved = [&good](uint16_t offset) {
        std::vector<unsigned char> record = good;
        PutU16(record.data() + ntfslayout::kUsaOffset, offset);
        PutU16(record.data() + ntfslayout::kUsaCount, 2);
        return record;
    };
    // From 507 the array reaches into bytes 510-511 of the first stride, the very bytes its
    // fix-up rewrites: refused, and the record is left alone.
    for (uint16_t offset = 507; offset <= 511; ++offset) {
        std::vector<unsigned char> record = moved(offset);
        const std::vector<unsigned char> before = record;
        EXPECT_FALSE(ProtectUpdateSequence(record.data(), record.size())) << offset;
        EXPECT_FALSE(ApplyUpdateSequence(record.data(), record.size())) << offset;
        EXPECT_FALSE(CheckUpdateSequence(record.data(), record.size())) << offset;
        EXPECT_EQ(before, record) << offset;
    }
    // Ending at byte 510 it fits: protect puts the sequence number in the tail, apply brings
    // the tail back.
    std::vector<unsigned char> record = moved(506);
    const std::vector<unsigned char> before = record;
    EXPECT_TRUE(ProtectUpdateSequence(record.data(), record.size()));
    EXPECT_EQ(GetU16(record.data() + 506), GetU16(record.data() + 510));
    EXPECT_TRUE(ApplyUpdateSequence(record.data(), record.size()));
    EXPECT_EQ(GetU16(before.data() + 510), GetU16(record.data() + 510));
}

TEST(NtfsRecord, AttributesAreBounded)
{
    std::vector<unsigned char> record = MftRecord("ntfs.img", 512, 3);
    ApplyUpdateSequence(record.data(), record.size());
    ASSERT_NE(nullptr, FindAttribute(record.data(), record.size(), ntfslayout::kTypeVolumeName, 0));
    EXPECT_EQ(1u, CountAttributes(record.data(), record.size(), ntfslayout::kTypeFileName));
    EXPECT_EQ(nullptr, FindAttribute(record.data(), record.size(), ntfslayout::kTypeFileName, 1));
    EXPECT_EQ(-1, FindAttributeOffset(record.data(), record.size(), 0x12345, 0));
    long first = FindAttributeOffset(record.data(), record.size(), ntfslayout::kTypeStandardInformation, 0);
    ASSERT_GT(first, 0);

    struct Patch { const char* why; size_t delta; uint32_t value; };
    const Patch patches[] = {{"length past the record", 4, 5000},
                             {"length below the header", 4, 16},
                             {"value past the attribute", 16, 4000}};
    for (const Patch& p : patches) {
        std::vector<unsigned char> bad = record;
        for (int i = 0; i < 4; ++i)
            bad[first + p.delta + i] = uint8_t(p.value >> (8 * i));
        EXPECT_FALSE(ValidateAttributes(bad.data(), bad.size())) << p.why;
        char label[kNtfsLabelBytes + 1] = {};
        ProtectUpdateSequence(bad.data(), bad.size());
        EXPECT_EQ(0, ReadNtfsVolumeLabel(bad.data(), label, bad.size())) << p.why;
    }
    // A forbidden character in the file name.
    long name = FindAttributeOffset(record.data(), record.size(), ntfslayout::kTypeFileName, 0);
    std::vector<unsigned char> bad = record;
    bad[name + 90] = '?';
    EXPECT_FALSE(ValidateAttributes(bad.data(), bad.size()));
    // An attribute walk over a record whose first-attribute offset lies past the end.
    bad = record;
    bad[20] = 0xF8;
    bad[21] = 0x03;
    EXPECT_EQ(nullptr, FindAttribute(bad.data(), bad.size(), ntfslayout::kTypeFileName, 0));
}

TEST(DataRuns, DecodeAndValidate)
{
    const unsigned char one[] = {0x21, 0x18, 0x34, 0x56, 0x00};
    DataRunList list;
    ASSERT_TRUE(list.Parse(one, sizeof(one)));
    ASSERT_EQ(1u, list.Count());
    EXPECT_EQ(0x5634u, list.Runs()[0].lcn);
    EXPECT_EQ(24u, list.Runs()[0].length);
    EXPECT_EQ(0u, list.Runs()[0].vcn);
    EXPECT_EQ(24u, SumRunLengths(one, sizeof(one)));

    // Second run: offset 0x800000 in 3 bytes is -8388608 from the first; third run sparse.
    const unsigned char three[] = {0x41, 0x10, 0x00, 0x00, 0x90, 0x00, 0x31, 0x08, 0x00, 0x00, 0x80, 0x01, 0x04, 0x00};
    ASSERT_TRUE(list.Parse(three, sizeof(three)));
    ASSERT_EQ(3u, list.Count());
    EXPECT_EQ(0x900000u, list.Runs()[0].lcn);
    EXPECT_EQ(0x900000u - 8388608u, list.Runs()[1].lcn);
    EXPECT_EQ(kSparseLcn, list.Runs()[2].lcn);
    EXPECT_EQ(16u + 8u, list.Runs()[2].vcn);
    EXPECT_EQ(28u, list.TotalClusters());
    EXPECT_EQ(0x900005u, list.VcnToLcn(5));
    EXPECT_EQ(0x100000u + 2, list.VcnToLcn(18));
    EXPECT_EQ(~uint64_t(0), list.VcnToLcn(28));
    EXPECT_TRUE(list.ContainsLcn(0x100007));
    EXPECT_FALSE(list.ContainsLcn(0x100008));
    EXPECT_EQ(17u, list.LcnToVcn(0x100001));

    DataRunList copy;
    list.CopyTo(copy);
    EXPECT_TRUE(copy.Equals(list));
    ASSERT_TRUE(copy.Append(one, sizeof(one), 28));
    EXPECT_FALSE(copy.Equals(list));
    EXPECT_EQ(28u, copy.Runs()[3].vcn);

    struct Bad { const char* why; std::vector<unsigned char> runs; };
    const Bad bad[] = {{"five length bytes", {0x15, 1, 2, 3, 4, 5, 0}},
                       {"five offset bytes", {0x51, 1, 1, 2, 3, 4, 5, 0}},
                       {"run past the end", {0x44, 1, 2, 3}},
                       {"no terminator", {0x11, 0x01, 0x01}},
                       {"first run before cluster 0", {0x11, 0x04, 0xFF, 0x00}},
                       {"later run steps before cluster 0", {0x11, 0x04, 0x10, 0x11, 0x04, 0xEF, 0x00}},
                       {"zero-length run", {0x11, 0x00, 0x10, 0x00}},
                       {"run with no length bytes", {0x10, 0x10, 0x00}}};
    for (const Bad& b : bad) {
        EXPECT_FALSE(IsValidDataRuns(b.runs.data(), b.runs.size())) << b.why;
        EXPECT_FALSE(list.Parse(b.runs.data(), b.runs.size())) << b.why;
        EXPECT_EQ(0u, list.Count()) << b.why;
        EXPECT_EQ(0u, SumRunLengths(b.runs.data(), b.runs.size())) << b.why;
    }
}

// Records that were never validated: the name and system-file tests must refuse them rather
// than read where their fields point.
TEST(NtfsRecord, UnvalidatedRecordsAreRefusedNotRead)
{
    std::vector<unsigned char> sound = MftRecord("ntfs.img", 512, 3);
    ASSERT_TRUE(ApplyUpdateSequence(sound.data(), sound.size()));
    ASSERT_TRUE(NtfsFirstFileNameIs(sound.data(), sound.size(), "$Volume"));
    const long name = FindAttributeOffset(sound.data(), sound.size(), ntfslayout::kTypeFileName, 0);
    ASSERT_GT(name, 0);

    // A short buffer that holds the head of the record: its file-name attribute claims bytes
    // the buffer does not have.
    std::vector<unsigned char> head(sound.begin(), sound.begin() + name + 40);
    // A whole record whose file-name attribute runs past the record's end.
    std::vector<unsigned char> longName = sound;
    longName[name + 4] = 0xF0;
    longName[name + 5] = 0xFF;
    // A whole record whose file-name value runs past the attribute.
    std::vector<unsigned char> longValue = sound;
    longValue[name + 16] = 0xFF;
    longValue[name + 17] = 0x7F;
    struct Crafted { const char* why; std::vector<unsigned char>* record; };
    const Crafted crafted[] = {{"head only", &head}, {"attribute past the record", &longName},
                               {"value past the attribute", &longValue}};
    for (const Crafted& c : crafted) {
        // Exact-size heap copies, so that a read past the end is seen by the sanitizer.
        std::unique_ptr<unsigned char[]> bytes(new unsigned char[c.record->size()]);
        memcpy(bytes.get(), c.record->data(), c.record->size());
        EXPECT_FALSE(NtfsFirstFileNameIs(bytes.get(), c.record->size(), "$Volume")) << c.why;
        EXPECT_FALSE(IsNtfsSystemFile(bytes.get(), c.record->size(), "$Volume")) << c.why;
        EXPECT_FALSE(IsNtfsVolumeRecord(bytes.get(), c.record->size())) << c.why;
    }

    // The value of an attribute is only given when the attribute lies inside the bytes left.
    const unsigned char* a = sound.data() + name;
    const unsigned char* value = nullptr;
    uint32_t length = 0;
    const uint32_t attributeLength = GetU32(a + ntfslayout::kAttrLength);
    EXPECT_TRUE(GetResidentValue(a, attributeLength, &value, &length));
    EXPECT_EQ(a + GetU16(a + ntfslayout::kAttrValueOffset), value);
    EXPECT_FALSE(GetResidentValue(a, attributeLength - 1, &value, &length));
    EXPECT_FALSE(GetResidentValue(a, 20, &value, &length));
}
