// tests/app/BitmapFileHeaderTest.cpp
#include "app/BitmapFileHeader.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/device/LittleEndian.h"

namespace {

// A packed DIB with a 40-byte (or longer) info header, followed by `rest` bytes.
std::vector<uint8_t> InfoDib(uint32_t headerSize, uint16_t bits, uint32_t compression,
                             uint32_t coloursUsed, size_t rest)
{
    std::vector<uint8_t> d(headerSize + rest, 0);
    PutU32(d.data() + 0, headerSize);
    d[14] = uint8_t(bits);
    PutU32(d.data() + 16, compression);
    PutU32(d.data() + 32, coloursUsed);
    return d;
}

std::vector<uint8_t> CoreDib(uint16_t bits, size_t rest)
{
    std::vector<uint8_t> d(12 + rest, 0);
    PutU32(d.data() + 0, 12);
    d[10] = uint8_t(bits);
    return d;
}

}  // namespace

TEST(BitmapFileHeader, PixelOffsetFollowsHeaderAndColourTable)
{
    const struct {
        std::vector<uint8_t> dib;
        uint32_t offset;
        const char* what;
    } cases[] = {
        {InfoDib(40, 24, 0, 0, 100), 54, "24 bits: no table"},
        {InfoDib(40, 8, 0, 0, 2000), 14 + 40 + 1024, "8 bits: 256 entries"},
        {InfoDib(40, 8, 0, 20, 200), 14 + 40 + 80, "8 bits, 20 used"},
        {InfoDib(40, 4, 0, 0, 100), 14 + 40 + 64, "4 bits"},
        {InfoDib(40, 1, 0, 0, 100), 14 + 40 + 8, "1 bit"},
        {InfoDib(40, 16, 3, 0, 100), 14 + 40 + 12, "bit-field masks after the header"},
        {InfoDib(40, 32, 6, 0, 100), 14 + 40 + 16, "alpha bit-field masks"},
        {InfoDib(124, 32, 3, 0, 100), 14 + 124, "V5 header holds its masks"},
        {InfoDib(108, 8, 0, 0, 2000), 14 + 108 + 1024, "V4 header with a table"},
        {CoreDib(8, 1000), 14 + 12 + 768, "core header: 3-byte entries"},
        {CoreDib(24, 10), 14 + 12, "core header, 24 bits"},
        {InfoDib(40, 8, 0, 0, 1024), 0, "table fills the data: no pixels"},
        {InfoDib(40, 8, 0, 0x40000000, 100), 0, "absurd colour count"},
        {InfoDib(20, 8, 0, 0, 100), 0, "unknown header size"},
        {std::vector<uint8_t>{40, 0, 0}, 0, "shorter than a size field"},
        {std::vector<uint8_t>{40, 0, 0, 0, 1, 2}, 0, "shorter than its header"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PackedDibPixelOffset(c.dib.data(), c.dib.size()), c.offset) << c.what;
    EXPECT_EQ(PackedDibPixelOffset(nullptr, 100), 0u);
}

TEST(BitmapFileHeader, HeaderFields)
{
    std::vector<uint8_t> dib = InfoDib(40, 4, 0, 0, 100);
    uint8_t header[kBitmapFileHeaderSize];
    ASSERT_TRUE(MakeBitmapFileHeader(dib.data(), dib.size(), header));
    const uint8_t expected[kBitmapFileHeaderSize] = {'B', 'M', 154, 0, 0, 0, 0, 0, 0, 0, 118, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(header, header + 14), std::vector<uint8_t>(expected, expected + 14));
    std::vector<uint8_t> bad = InfoDib(20, 8, 0, 0, 100);
    EXPECT_FALSE(MakeBitmapFileHeader(bad.data(), bad.size(), header));
}
