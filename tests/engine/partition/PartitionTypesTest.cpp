// tests/engine/partition/PartitionTypesTest.cpp
#include <gtest/gtest.h>
#include <string.h>

#include "engine/partition/PartitionTypes.h"

namespace {
// The basic-data type GUID as a GPT entry stores it (mixed-endian).
const unsigned char kBasicData[16] = {0xA2, 0xA0, 0xD0, 0xEB, 0xE5, 0xB9, 0x33, 0x44,
                                      0x87, 0xC0, 0x68, 0xB6, 0xB7, 0x26, 0x99, 0xC7};
const unsigned char kMbrScheme[16] = {0x41, 0xEE, 0x4D, 0x02, 0xE7, 0x33, 0xD3, 0x11,
                                      0x9D, 0x69, 0x00, 0x08, 0xC7, 0x81, 0xF3, 0x9F};
const unsigned char kZfsShared[16] = {0xC3, 0x8C, 0x89, 0x6A, 0xD2, 0x1D, 0xB2, 0x11,
                                      0x99, 0xA6, 0x08, 0x00, 0x20, 0x73, 0x66, 0x31};
const unsigned char kZero[16] = {};
const unsigned char kUnknown[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
}  // namespace

TEST(PartitionTypes, FormatsStoredGuidAsUpperCaseText)
{
    char text[kGuidTextSize];
    FormatGuid(kBasicData, text);
    EXPECT_STREQ("EBD0A0A2-B9E5-4433-87C0-68B6B72699C7", text);
    EXPECT_EQ(36u, strlen(text));
}

TEST(PartitionTypes, OnlyTableRowsAboveTheMbrSchemeArePartitions)
{
    struct Case {
        const unsigned char* guid;
        int id;
        bool partition;
    } cases[] = {
        {kBasicData, 5, true},
        {kMbrScheme, 1, false},
        {kZfsShared, 25, true},  // shared with row 35: the first row wins
        {kZero, 0, false},
        {kUnknown, 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.id, FindPartitionTypeId(c.guid));
        EXPECT_EQ(c.partition, IsKnownPartitionType(c.guid));
    }
}
