// tests/engine/image/ImageFileWriterTest.cpp
// Images written through the image files' writing side read back through the device.
#include <windows.h>

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "engine/image/ImageFile.h"
#include "engine/image/ImageFileDevice.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WinePath.h"

namespace {

const size_t kChunk = 256 * 512;

std::string TempPath(const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

}  // namespace

TEST(ImageFileWriter, StoredImageRoundTrip)
{
    std::vector<unsigned char> raw = ReadFileBytes(FixtureDir() + "\\image\\img.dir\\volume.raw");
    ASSERT_EQ(16 * kChunk, raw.size());
    std::string path = TempPath("writer_test.img");
    {
        CImageFile file;
        ASSERT_TRUE(file.Create(path.c_str()));
        const uint32_t parts[] = {9, 7};
        uint32_t chunk = 0;
        std::vector<unsigned char> index;
        for (uint32_t p = 0; p < 2; ++p) {
            ASSERT_TRUE(file.AppendPart(p + 1, parts[p]));
            ASSERT_TRUE(file.OpenPart(p, Win32File::kCreate));
            uint32_t end = 0;
            for (uint32_t i = 0; i < parts[p]; ++i, ++chunk) {
                EXPECT_EQ(i == 0, file.IsFirstChunkOfPart(chunk)) << chunk;
                ASSERT_TRUE(file.WritePart(512 + end, &raw[chunk * kChunk], kChunk));
                end += kChunk;
                ASSERT_TRUE(file.WriteImage(512 + 4 * chunk, &end, 4));
            }
        }
        EXPECT_FALSE(file.AppendPart(5, 1));  // parts are appended one at a time
        ASSERT_TRUE(file.WriteHeader(std::string(300, 'L'), 99, 0, 512));
    }
    std::string list = TempPath("writer_test.edp");
    std::vector<unsigned char> listBytes = ReadFileBytes(list);
    EXPECT_EQ(std::string("writer_test.part0.edf\r\nwriter_test.part1.edf\r\n"),
              std::string(listBytes.begin(), listBytes.end()));

    CImageFileDeviceWithDecompress device(path.c_str());
    EXPECT_TRUE(device.CheckImageFiles());
    EXPECT_EQ(254u, device.GetImageName().size());
    EXPECT_EQ(99u, device.GetUserWord());
    ASSERT_EQ(16u * 256, device.GetTotalSectors());
    std::vector<unsigned char> back(raw.size());
    ASSERT_TRUE(device.ReadSectors(back.data(), 0, 16 * 256));
    EXPECT_TRUE(raw == back);
    for (const char* name : {"writer_test.img", "writer_test.edp", "writer_test.part0.edf", "writer_test.part1.edf"})
        DeleteFileA(TempPath(name).c_str());
}
