// tests/engine/device/DiskDescriptionTest.cpp
// Bus-type names, descriptor text trimming and bounded descriptor parsing.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "engine/device/DiskDescription.h"
#include "engine/device/LittleEndian.h"

TEST(DiskDescription, BusTypeNames)
{
    struct Case { uint32_t type; const char* name; } cases[] = {
        {1, "SCSI Disk Device"}, {3, "ATA Bus"}, {7, "USB Device"}, {8, "RAID Disk Device"}, {0, ""}, {9, ""},
        {0xFFFFFFFFu, ""},
    };
    for (const auto& c : cases) {
        char name[260] = "junk";
        GetBusTypeName(c.type, name, sizeof(name));
        EXPECT_STREQ(c.name, name) << c.type;
    }
}

TEST(DiskDescription, TrimSpaces)
{
    struct Case { const char* in; const char* out; } cases[] = {
        {"  WDC WD10  ", "WDC WD10 "}, {"     WD-WCC1", "WD-WCC1"}, {"ST1000", "ST1000"}, {"A B  C", "A B "}, {"   ", " "}, {"", ""},
    };
    for (const auto& c : cases) {
        std::string text = c.in;
        text.push_back(0);
        EXPECT_STREQ(c.out, TrimDescriptorSpaces(&text[0])) << '"' << c.in << '"';
    }
}

TEST(DiskDescription, ParsesAndBoundsOffsets)
{
    std::vector<unsigned char> d(120, 0);
    PutU32(d.data() + 28, 7);
    PutU32(d.data() + 12, 40);
    memcpy(&d[40], "Vendor  ", 9);
    PutU32(d.data() + 16, 50);
    memcpy(&d[50], "Product", 8);
    PutU32(d.data() + 20, 1000);        // beyond the buffer
    PutU32(d.data() + 24, 0xFFFFFFFFu); // no serial
    memcpy(&d[112], "UNENDED!", 8);
    DiskDescription out;
    ASSERT_TRUE(ParseStorageDescriptor(d.data(), d.size(), &out));
    EXPECT_EQ(7u, out.busType);
    EXPECT_STREQ("USB Device", out.busTypeName);
    EXPECT_STREQ("Vendor ", out.vendor);
    EXPECT_STREQ("Product", out.product);
    EXPECT_STREQ("", out.revision);
    EXPECT_STREQ("", out.serial);
    PutU32(d.data() + 24, 112);  // a text with no terminator inside the buffer is dropped
    ASSERT_TRUE(ParseStorageDescriptor(d.data(), d.size(), &out));
    EXPECT_STREQ("", out.serial);
    EXPECT_FALSE(ParseStorageDescriptor(d.data(), 39, &out));
    EXPECT_EQ(0u, out.busType);
}
