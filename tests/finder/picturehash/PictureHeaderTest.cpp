// tests/finder/picturehash/PictureHeaderTest.cpp
#include "finder/picturehash/PictureHeader.h"

#include <gtest/gtest.h>

#include <string>

using namespace picturehash;

namespace {

std::string Bytes(std::initializer_list<int> list)
{
    std::string s;
    for (int b : list)
        s += char(b);
    return s;
}

const std::string kPng = Bytes({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D',
                                'R', 0, 0, 0x01, 0x40, 0, 0, 0x00, 0xF0, 8, 6, 0, 0, 0});
const std::string kJpegStart = Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0,
                                      0, 1, 0, 1, 0, 0});

}  // namespace

TEST(PictureHeader, ReadsTheDeclaredSizeOfEachKnownFormat)
{
    struct Case {
        const char* what;
        std::string bytes;
        bool known;
        uint64_t width, height;
    } cases[] = {
        {"png", kPng, true, 320, 240},
        {"png cut inside IHDR", kPng.substr(0, 20), false, 0, 0},
        {"png without IHDR first", kPng.substr(0, 12) + "IDAT" + kPng.substr(16), false, 0, 0},
        {"gif89a", "GIF89a" + Bytes({0x40, 0x01, 0xF0, 0x00, 0}), true, 320, 240},
        {"gif87a cut short", "GIF87a" + Bytes({0x40, 0x01}), false, 0, 0},
        {"bmp, bottom-up", "BM" + std::string(12, '\0') + Bytes({40, 0, 0, 0, 0x40, 1, 0, 0, 0xF0, 0, 0, 0}),
         true, 320, 240},
        {"bmp, top-down", "BM" + std::string(12, '\0') +
                              Bytes({124, 0, 0, 0, 0x40, 1, 0, 0, 0x10, 0xFF, 0xFF, 0xFF}),
         true, 320, 240},
        {"bmp, negative width", "BM" + std::string(12, '\0') +
                                    Bytes({40, 0, 0, 0, 0xC0, 0xFE, 0xFF, 0xFF, 0xF0, 0, 0, 0}),
         true, 0, 240},
        {"bmp, OS/2 header", "BM" + std::string(12, '\0') + Bytes({12, 0, 0, 0, 0x40, 1, 0xF0, 0, 1, 0, 24, 0}),
         true, 320, 240},
        {"bmp, unknown header size", "BM" + std::string(12, '\0') + Bytes({20, 0, 0, 0}) + std::string(8, '\1'),
         false, 0, 0},
        {"jpeg, baseline after APP0", kJpegStart + Bytes({0xFF, 0xC0, 0, 17, 8, 0, 0xF0, 0x01, 0x40, 3}),
         true, 320, 240},
        {"jpeg, progressive after fill bytes",
         kJpegStart + Bytes({0xFF, 0xFF, 0xFF, 0xC2, 0, 17, 8, 0xFF, 0xFF, 0xFF, 0xFF, 3}), true, 65535,
         65535},
        {"jpeg, tables are no frame",
         kJpegStart + Bytes({0xFF, 0xC4, 0, 4, 0, 0, 0xFF, 0xC0, 0, 17, 8, 0, 2, 0, 3, 3}), true, 3, 2},
        {"jpeg, scan before any frame", kJpegStart + Bytes({0xFF, 0xDA, 0, 8, 1, 2, 3, 4, 5, 6}), false, 0, 0},
        {"jpeg, frame cut short", kJpegStart + Bytes({0xFF, 0xC0, 0, 17, 8, 0}), false, 0, 0},
        {"jpeg, segment length below 2", kJpegStart + Bytes({0xFF, 0xE1, 0, 1, 0, 0, 0, 0, 0}), false, 0, 0},
        {"jpeg, segment running past the end", kJpegStart + Bytes({0xFF, 0xE1, 0xFF, 0xF0, 0, 0}), false, 0, 0},
        {"tiff, little-endian, SHORT and LONG",
         "II*" + Bytes({0, 8, 0, 0, 0, 3, 0, 0x00, 0x01, 3, 0, 1, 0, 0, 0, 0x40, 0x01, 0, 0, 0x01, 0x01, 4, 0,
                        1, 0, 0, 0, 0xF0, 0, 0, 0, 0x03, 0x01, 3, 0, 1, 0, 0, 0, 1, 0, 0, 0}),
         true, 320, 240},
        {"tiff, big-endian",
         "MM" + Bytes({0, '*', 0, 0, 0, 8, 0, 2, 0x01, 0x00, 0, 4, 0, 0, 0, 1, 0, 0, 0xEA, 0x60, 0x01, 0x01, 0,
                       3, 0, 0, 0, 1, 0x00, 0xF0, 0, 0}),
         true, 60000, 240},
        {"tiff without a height",
         "II*" + Bytes({0, 8, 0, 0, 0, 1, 0, 0x00, 0x01, 3, 0, 1, 0, 0, 0, 0x40, 0x01, 0, 0}), false, 0, 0},
        {"tiff, directory past the end", "II*" + Bytes({0, 0xFF, 0xFF, 0, 0, 1, 0}), false, 0, 0},
        {"tiff, entries past the end", "II*" + Bytes({0, 8, 0, 0, 0, 9, 0, 0x00, 0x01, 3, 0}), false, 0, 0},
        {"text", "This is not a picture.", false, 0, 0},
        {"empty", "", false, 0, 0},
    };
    for (const Case& c : cases) {
        uint64_t w = 0, h = 0;
        EXPECT_EQ(ReadDeclaredPictureSize(reinterpret_cast<const unsigned char*>(c.bytes.data()),
                                          c.bytes.size(), &w, &h),
                  c.known)
            << c.what;
        if (c.known) {
            EXPECT_EQ(w, c.width) << c.what;
            EXPECT_EQ(h, c.height) << c.what;
        }
    }
    uint64_t w, h;
    EXPECT_FALSE(ReadDeclaredPictureSize(nullptr, 100, &w, &h));
}

TEST(PictureHeader, AcceptsSizesUpToTheLimit)
{
    struct Case {
        uint64_t width, height;
        bool acceptable;
    } cases[] = {
        {1, 1, true},
        {0, 240, false},
        {320, 0, false},
        {10000, 10000, true},
        {10001, 10000, false},
        {65535, 1525, true},  // 99.9 megapixels
        {65535, 1526, false},
        {65536, 1, false},
        {1, 65536, false},
        {65535, 65535, false},
        {uint64_t(1) << 32, uint64_t(1) << 32, false},  // the product would wrap
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAcceptablePictureSize(c.width, c.height), c.acceptable) << c.width << "x" << c.height;
}
