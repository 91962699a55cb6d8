// tests/engine/fat/FatDirEntryTest.cpp
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "engine/EngineSettings.h"
#include "engine/fat/FatBootSector.h"
#include "engine/fat/FatDirEntry.h"
#include "engine/fat/FatLongName.h"
#include "engine/volume/Volume.h"
#include "tests/engine/fat/FatImages.h"

namespace {

// A plausible file entry: name, attribute, a date and time, a cluster and a size.
struct Entry {
    unsigned char bytes[32];
    Entry(const char* name11, uint8_t attributes)
    {
        memset(bytes, 0, sizeof(bytes));
        memcpy(bytes, name11, 11);
        bytes[11] = attributes;
        SetU16(14, (10 << 11) | (30 << 5) | 5);  // 10:30:10
        SetU16(16, (46 << 9) | (6 << 5) | 15);   // 15 June 2026
        SetU16(22, (10 << 11) | (30 << 5) | 5);
        SetU16(24, (46 << 9) | (6 << 5) | 15);
        SetU16(26, 3);
        bytes[28] = 100;
    }
    void SetU16(size_t offset, unsigned value)
    {
        bytes[offset] = uint8_t(value);
        bytes[offset + 1] = uint8_t(value >> 8);
    }
    FatDirEntry View() const { return FatDirEntry(bytes); }
};

std::string ShortName(const Entry& e, bool noDot)
{
    char out[16];
    FormatShortName(e.bytes, out, sizeof(out), noDot);
    return out;
}

}  // namespace

TEST(FatDirEntry, PlausibleEntriesPass)
{
    EXPECT_EQ(1, Entry("README  TXT", 0x20).View().IsValid(true));
    EXPECT_EQ(1, Entry("MYDISK12   ", 0x08).View().IsValid(false));
    Entry directory("FOLDER     ", 0x10);
    directory.bytes[28] = 0;
    EXPECT_EQ(1, directory.View().IsValid(true));
    // A long-name entry with a zero low cluster word passes whatever its other bytes hold.
    Entry longName("\x41" "a\0b\0c\0d\0e", 0x0F);
    longName.SetU16(26, 0);
    EXPECT_EQ(1, longName.View().IsValid(true));
    // Double-byte names: the byte after a lead byte is not tested.
    EXPECT_EQ(1, Entry("\x82\x20" "AB    TXT", 0x20).View().IsValid(true));
}

TEST(FatDirEntry, ImplausibleEntriesFail)
{
    ASSERT_TRUE(GetEngineSettings()->bCheckFatEntryDates);
    ASSERT_TRUE(GetEngineSettings()->bCheckFatEntryTimes);
    struct Case { const char* why; void (*patch)(Entry&); bool strict; };
    const Case cases[] = {
        {"all zero", [](Entry& e) { memset(e.bytes, 0, 32); }, false},
        {"attribute above 0x3F", [](Entry& e) { e.bytes[11] = 0x41; }, false},
        {"hidden volume label", [](Entry& e) { e.bytes[11] = 0x0A; }, false},
        {"label bit on a file", [](Entry& e) { e.bytes[11] = 0x18; }, false},
        {"bit 0x40", [](Entry& e) { e.bytes[11] = 0x60 - 0x20; }, false},
        {"month 13", [](Entry& e) { e.SetU16(24, (46 << 9) | (13 << 5) | 1); }, false},
        {"month 0", [](Entry& e) { e.SetU16(16, (46 << 9) | 1); }, false},
        {"day 0", [](Entry& e) { e.SetU16(18, (46 << 9) | (3 << 5)); }, false},
        {"hour 24", [](Entry& e) { e.SetU16(22, 24 << 11); }, false},
        {"minute 60", [](Entry& e) { e.SetU16(14, 60 << 5); }, false},
        {"seconds/2 30", [](Entry& e) { e.SetU16(14, 30); }, false},
        {"leading space", [](Entry& e) { e.bytes[0] = ' '; }, false},
        {"control byte", [](Entry& e) { e.bytes[3] = 0x05; }, false},
        {"reserved character", [](Entry& e) { e.bytes[2] = '?'; }, false},
        {"repeated bytes", [](Entry& e) { memset(e.bytes + 12, 0x41, 16); }, false},
        {"cluster without size", [](Entry& e) { memset(e.bytes + 28, 0, 4); }, true},
        {"size without cluster", [](Entry& e) { e.SetU16(26, 0); }, true},
    };
    for (const Case& c : cases) {
        Entry e("README  TXT", 0x20);
        c.patch(e);
        EXPECT_EQ(0, e.View().IsValid(c.strict)) << c.why;
    }
    // The size checks belong to the strict test only.
    Entry sizeless("README  TXT", 0x20);
    memset(sizeless.bytes + 28, 0, 4);
    EXPECT_EQ(1, sizeless.View().IsValid(false));
}

TEST(FatDirEntry, FieldsAndKinds)
{
    Entry e("FOLDER     ", 0x10);
    e.SetU16(20, 0x0001);
    EXPECT_TRUE(e.View().IsDirectory());
    EXPECT_FALSE(e.View().IsLongName());
    EXPECT_EQ(0x00010003u, e.View().GetFirstCluster());
    EXPECT_EQ(100u, e.View().GetFileSize());
    EXPECT_TRUE(e.View().NameEquals("FOLDER  ", "   "));
    EXPECT_FALSE(e.View().NameEquals("folder  ", "   "));
    e.bytes[0] = 0xE5;
    EXPECT_TRUE(e.View().IsDeleted());
    e.bytes[0] = 0;
    EXPECT_TRUE(e.View().IsEnd());
    EXPECT_TRUE(Entry("LABEL      ", 0x28).View().IsVolumeLabel());
    EXPECT_FALSE(Entry("LABEL      ", 0x0A).View().IsVolumeLabel());
}

TEST(FormatShortName, PaddingDotAndDeletedMark)
{
    EXPECT_EQ("README.TXT", ShortName(Entry("README  TXT", 0x20), false));
    EXPECT_EQ("README", ShortName(Entry("README     ", 0x20), false));
    EXPECT_EQ("#EADME.TXT", ShortName(Entry("\xE5" "EADME  TXT", 0x20), false));
    // A short buffer is cut, never overrun.
    char small[5];
    FormatShortName(Entry("README  TXT", 0x20).bytes, small, sizeof(small), false);
    EXPECT_STREQ("READ", small);
}

// A label is one 11-byte field: only its padding goes.
TEST(FormatVolumeLabel, InnerSpacesStay)
{
    struct Case { const char* bytes; const char* label; };
    const Case cases[] = {{"DATA    X  ", "DATA    X"}, {"MY DISK    ", "MY DISK"}, {"PHOTOS  OLD", "PHOTOS  OLD"},
                          {"A          ", "A"},         {"AB\0DEFGHIJK", "AB"}};
    for (const Case& c : cases) {
        char out[100];
        memset(out, '#', sizeof(out));
        FormatVolumeLabel(Entry(c.bytes, 0x08).bytes, out, sizeof(out));
        EXPECT_STREQ(c.label, out) << c.bytes;
    }
    char small[4];
    FormatVolumeLabel(Entry("PHOTOS  OLD", 0x08).bytes, small, sizeof(small));
    EXPECT_STREQ("PHO", small);
}

TEST(IsValidFatCluster, Range)
{
    EXPECT_FALSE(IsValidFatCluster(0));
    EXPECT_FALSE(IsValidFatCluster(1));
    EXPECT_TRUE(IsValidFatCluster(2));
    EXPECT_TRUE(IsValidFatCluster(0x0FFFFFEF));
    EXPECT_FALSE(IsValidFatCluster(0x0FFFFFF0));
    EXPECT_FALSE(IsValidFatCluster(0x100000002ull));
}

TEST(LongNameToAnsi, RealEntriesOfAnMtoolsImage)
{
    std::vector<unsigned char> image = FatImage("fat12.img");
    FatBootSector boot(image.data(), 512);
    ASSERT_EQ(uint32_t(kFsFat12), boot.GetType());
    const size_t root = (boot.GetReservedSectors() + boot.GetNumberOfFats() * boot.GetSectorsPerFat()) * size_t(512);
    std::vector<std::string> parts;
    for (size_t o = root; o < root + boot.GetRootEntries() * 32; o += 32) {
        FatDirEntry entry(image.data() + o);
        if (entry.IsEnd())
            break;
        if (!entry.IsLongName())
            continue;
        char text[100];
        ASSERT_EQ(1, LongNameToAnsi(image.data() + o, text, sizeof(text)));
        parts.push_back(text);
    }
    // Long-name entries come last part first.
    size_t i = 0;
    while (i < parts.size() && parts[i] != "ame.bin")
        ++i;
    ASSERT_LT(i + 1, parts.size());
    EXPECT_EQ("A long file n", parts[i + 1]);
    EXPECT_EQ(1, IsValidLongName(parts[i].c_str()));
}

TEST(IsValidLongName, ReservedCharacters)
{
    EXPECT_EQ(0, IsValidLongName(""));
    EXPECT_EQ(0, IsValidLongName(nullptr));
    for (const char* bad : {"a?b", "a*", "|", "a\\b", "a/b", "c:", "\"q\"", "<x", "y>"})
        EXPECT_EQ(0, IsValidLongName(bad)) << bad;
    EXPECT_EQ(1, IsValidLongName("A long file name.bin"));
}

TEST(DetectFatTypeFromTable, MediaEntriesOfRealTables)
{
    struct Case { const char* image; int result; uint32_t type; };
    const Case cases[] = {{"fat16.img", 1, kFsFat16}, {"fat32.img", 1, kFsFat32}, {"fat12.img", 0, kFsNone}};
    for (const Case& c : cases) {
        std::vector<unsigned char> image = FatImage(c.image);
        FatBootSector boot(image.data(), 512);
        uint32_t type = kFsNone;
        EXPECT_EQ(c.result, DetectFatTypeFromTable(image.data() + boot.GetReservedSectors() * 512, &type)) << c.image;
        EXPECT_EQ(c.type, type) << c.image;
    }
}
