// tests/engine/volume/VolumeNamesTest.cpp
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "engine/volume/FileSystemNames.h"
#include "engine/volume/IntegerLog2.h"
#include "engine/volume/PartitionEntry.h"
#include "engine/volume/Volume.h"
#include "engine/volume/WideToAnsi.h"

TEST(PartitionTypeToFileSystem, MapsEveryKnownTypeAndRejectsTheRest)
{
    struct Case { uint32_t type; uint32_t code; };
    const Case cases[] = {{0x01, kFsFat12}, {0x11, kFsFat12}, {0x04, kFsFat16}, {0x06, kFsFat16},
                          {0x0E, kFsFat16}, {0x14, kFsFat16}, {0x16, kFsFat16}, {0x1E, kFsFat16},
                          {0x0B, kFsFat32}, {0x0C, kFsFat32}, {0x1B, kFsFat32}, {0x07, kFsNtfs},
                          {0x17, kFsNtfs}, {0x83, kFsExt2}, {0x82, kFsExt2}, {0x93, kFsExt2},
                          {0x1C, kFsNone}, {0x00, kFsNone}, {0xEE, kFsNone}, {0x107, kFsNone}};
    for (const Case& c : cases)
        EXPECT_EQ(c.code, PartitionTypeToFileSystem(c.type)) << std::hex << c.type;
}

TEST(FileSystemName, NamesAndColumnTexts)
{
    char text[32];
    EXPECT_STREQ("FAT12", FileSystemName(0, text, sizeof(text)));
    EXPECT_STREQ("NTFS", FileSystemName(3, text, sizeof(text)));
    EXPECT_STREQ("EXT3", FileSystemName(5, text, sizeof(text)));
    EXPECT_STREQ("UNKNOWN", FileSystemName(6, text, sizeof(text)));
    EXPECT_STREQ("UNKNOWN", FileSystemName(7, text, sizeof(text)));
    EXPECT_STREQ("UNKNOWN", FileSystemName(0xFFFFFFFF, text, sizeof(text)));
    EXPECT_STREQ("    RAW", FileSystemColumnText(6, text, sizeof(text)));
    EXPECT_STREQ("   NTFS", FileSystemColumnText(3, text, sizeof(text)));
    EXPECT_STREQ("UNKNOWN", FileSystemColumnText(7, text, sizeof(text)));
    // A short buffer is cut and terminated, never overrun.
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_STREQ("FAT", FileSystemName(2, small, sizeof(small)));
}

TEST(VolumeTypeName, Layouts)
{
    char text[16];
    const char* expected[] = {"UNKNOWN", "UNKNOWN", "SIMPLE", "MIRROR", "SPANNED", "STRIPPED", "RAID5", "UNKNOWN"};
    for (uint32_t i = 0; i < 8; ++i)
        EXPECT_STREQ(expected[i], VolumeTypeName(i, text, sizeof(text))) << i;
}

TEST(IntegerLog2, FloorOfLog2)
{
    EXPECT_EQ(0u, IntegerLog2(0));
    EXPECT_EQ(0u, IntegerLog2(1));
    EXPECT_EQ(1u, IntegerLog2(2));
    EXPECT_EQ(1u, IntegerLog2(3));
    EXPECT_EQ(9u, IntegerLog2(512));
    EXPECT_EQ(12u, IntegerLog2(4097));
    EXPECT_EQ(31u, IntegerLog2(0xFFFFFFFFu));
}

TEST(PartitionEntry, FieldsAndKinds)
{
    unsigned char entry[16] = {0x80, 0, 0, 0, 0x0F, 0, 0, 0, 0x00, 0x08, 0, 0, 0x00, 0x10, 0, 0};
    EXPECT_EQ(2048u, PartitionEntryFirstSector(entry));
    EXPECT_EQ(4096u, PartitionEntrySectorCount(entry));
    EXPECT_EQ(6143u, PartitionEntryLastSector(entry));
    EXPECT_EQ(0x0Fu, PartitionEntryType(entry));
    EXPECT_TRUE(IsExtendedPartitionEntry(entry));
    entry[4] = 0x05;
    EXPECT_TRUE(IsExtendedPartitionEntry(entry));
    entry[4] = 0x07;
    EXPECT_FALSE(IsExtendedPartitionEntry(entry));
    EXPECT_FALSE(IsEmptyPartitionEntry(entry));
    entry[4] = 0;
    EXPECT_TRUE(IsEmptyPartitionEntry(entry));
    // The last sector of an entry near 2^32 does not wrap in 32 bits.
    memset(entry + 8, 0xFF, 8);
    EXPECT_EQ(0xFFFFFFFFull + 0xFFFFFFFFull - 1, PartitionEntryLastSector(entry));
}

TEST(Guid, NonZeroAndCopy)
{
    unsigned char a[16] = {};
    unsigned char b[16];
    EXPECT_FALSE(IsNonZeroGuid(a));
    a[15] = 1;
    EXPECT_TRUE(IsNonZeroGuid(a));
    CopyGuid(b, a);
    EXPECT_EQ(0, memcmp(a, b, 16));
}

TEST(FormatSearchMode, ModeLetterAndFileSystem)
{
    struct Case { char letter; uint32_t fs; bool quick; const char* mode; char shown; const char* name; };
    const Case cases[] = {{'C', 3, true, "Quick searching", 'C', "NTFS"},
                          {'Z', 2, false, "Intelligent searching", 'Z', "FAT32"},
                          {0, 7, true, "Quick searching", '*', "UNKNOWN"},
                          {'c', 0, false, "Intelligent searching", '*', "FAT12"},
                          {'[', 1, true, "Quick searching", '*', "FAT16"}};
    for (const Case& c : cases) {
        SearchModeText text;
        memset(&text, '#', sizeof(text));
        FormatSearchMode(c.letter, c.fs, c.quick, &text);
        EXPECT_STREQ(c.mode, text.mode);
        EXPECT_EQ(c.shown, text.driveLetter) << int(c.letter);
        EXPECT_STREQ(c.name, text.fileSystem);
    }
}

TEST(FormatFileSystemColumn, ColumnAndSize)
{
    FileSystemColumn column;
    FormatFileSystemColumn(3, 1234.567, &column);
    EXPECT_STREQ("   NTFS", column.fileSystem);
    EXPECT_STREQ("   1234.57", column.size);
    FormatFileSystemColumn(9, 0.0, &column);
    EXPECT_STREQ("UNKNOWN", column.fileSystem);
    EXPECT_STREQ("      0.00", column.size);
    FormatFileSystemColumn(6, 12345678901.5, &column);
    EXPECT_STREQ("    RAW", column.fileSystem);
    EXPECT_STREQ("12345678901.50", column.size);
}

// Whatever the room, the text stays inside it, cut and terminated; a room of one byte holds
// the terminator alone.
TEST(WideToAnsi, StaysInsideTheOutputBuffer)
{
    const uint16_t text[] = {'A', 'B', 'C'};
    struct Case {
        uint32_t outSize;
        const char* shown;
    } cases[] = {{1, ""}, {2, "A"}, {3, "AB"}, {4, "ABC"}, {8, "ABC"}};
    for (const Case& c : cases) {
        char out[16];
        memset(out, '#', sizeof(out));
        EXPECT_NE(0, WideToAnsi(text, 3, out, c.outSize)) << c.outSize;
        EXPECT_STREQ(c.shown, out) << c.outSize;
        // Nothing written past the room given.
        EXPECT_EQ(std::string(sizeof(out) - c.outSize, '#'), std::string(out + c.outSize, sizeof(out) - c.outSize))
            << c.outSize;
    }
}
