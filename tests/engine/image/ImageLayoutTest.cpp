// tests/engine/image/ImageLayoutTest.cpp
// Names of a split image's files and the checks on its header.
#include <gtest/gtest.h>

#include <string.h>

#include "engine/device/LittleEndian.h"
#include "engine/image/ImageLayout.h"

TEST(ImageLayout, FileNames)
{
    struct Case { const char* image; const char* list; const char* part1; } cases[] = {
        {"disk.img", "disk.edp", "disk.part1.edf"},
        {"disk", "disk.edp", "disk.part1.edf"},
        {"C:\\a.b\\disk", "C:\\a.b\\disk.edp", "C:\\a.b\\disk.part1.edf"},
        {"/x.y/disk.v2.img", "/x.y/disk.v2.edp", "/x.y/disk.v2.part1.edf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.list, ImagePartListName(c.image)) << c.image;
        EXPECT_EQ(c.part1, ImagePartFileName(c.image, 1)) << c.image;
    }
    EXPECT_EQ("disk.part0.edf", ImagePartFileName("disk.img", 0));
    EXPECT_EQ("C:\\f\\disk.part0.edf", ImagePartPathFromLine("C:\\f\\disk.img", "disk.part0.edf\r\n"));
    EXPECT_EQ("D:\\o\\p.edf", ImagePartPathFromLine("C:\\f\\disk.img", "D:\\o\\p.edf\r\n"));
    EXPECT_EQ("C:\\f\\last", ImagePartPathFromLine("C:\\f\\disk.img", "last"));  // no CR LF on the last line
    EXPECT_EQ("", ImagePartPathFromLine("C:\\f\\disk.img", "\r\n"));
}

TEST(ImageLayout, Header)
{
    unsigned char h[512] = {0};
    memset(h, 'N', 300);  // a name without terminator stops at 255 bytes
    PutU32(h + 256, 4096);
    PutU32(h + 260, 3);
    PutU32(h + 264, 77);
    PutU32(h + 268, 2);
    PutU32(h + 272, 7);
    PutU32(h + 276, 4);
    PutU32(h + 280, 3);
    PutU32(h + 508, 0);
    ImageHeader header;
    ASSERT_TRUE(ParseImageHeader(h, sizeof(h), &header));
    EXPECT_EQ(255u, header.name.size());
    EXPECT_EQ(4096u, header.bytesPerSector);
    EXPECT_EQ(3u, header.compression);
    EXPECT_EQ(77u, header.userWord);
    EXPECT_EQ(7u, header.totalChunks);
    ASSERT_EQ(2u, header.chunksPerPart.size());

    for (uint32_t size : {0u, 511u, 1000u, 4608u, 8192u}) {
        PutU32(h + 256, size);
        ASSERT_TRUE(ParseImageHeader(h, sizeof(h), &header));
        EXPECT_EQ(512u, header.bytesPerSector) << size;
    }
    PutU32(h + 272, 8);  // parts do not add up to the total
    EXPECT_FALSE(ParseImageHeader(h, sizeof(h), &header));
    PutU32(h + 272, 7);
    PutU32(h + 268, 59);  // the table would run into the index
    EXPECT_FALSE(ParseImageHeader(h, sizeof(h), &header));
    EXPECT_FALSE(ParseImageHeader(h, 511, &header));
}
