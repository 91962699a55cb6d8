// tests/engine/volume/VolumeAnalyzerTest.cpp
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "engine/device/MemoryDevice.h"
#include "engine/volume/FileSystemDetect.h"
#include "engine/volume/VolumeAnalyzerList.h"
#include "tests/engine/ImageFixture.h"

TEST(VolumeAnalyzerList, EachFileSystemAnswersInItsSlot)
{
    struct Case { const char* folder; const char* image; size_t count; size_t answering; uint32_t type; const char* label; };
    const Case cases[] = {{"ntfs", "ntfs.img", 2, 0, kFsNtfs, "NTLABEL"},
                          {"fat", "fat12.img", 2, 1, kFsFat12, "MYDISK12"},
                          {"fat", "fat32.img", 2, 1, kFsFat32, "VOL 32"},
                          {"exfat", "exfat.img", 3, 2, kFsExFat, "EXLABEL"}};
    for (const Case& c : cases) {
        CMemoryDevice device(FixtureImage(c.folder, c.image));
        ASSERT_GT(device.GetTotalSectors(), 0u) << c.image;
        VolumeAnalyzerList list(&device, 0);
        ASSERT_EQ(c.count, list.Count()) << c.image;
        IVolume* usable = list.FirstUsable();
        ASSERT_EQ(list.At(c.answering), usable) << c.image;
        EXPECT_EQ(c.type, usable->GetFileSystemType()) << c.image;
        EXPECT_EQ(c.label, LabelOf(usable)) << c.image;
        for (size_t i = 0; i < list.Count(); ++i) {
            if (i != c.answering) {
                EXPECT_EQ(kFsNone, list.At(i)->GetFileSystemType()) << c.image << " " << i;
            }
        }
    }
}

TEST(VolumeAnalyzerList, BlankVolumeAndNoDevice)
{
    CMemoryDevice device(std::vector<unsigned char>(64 * 512, 0));
    VolumeAnalyzerList list(&device, 0);
    ASSERT_EQ(2u, list.Count());
    EXPECT_EQ(list.At(1), list.FirstUsable());
    EXPECT_EQ(kFsNone, list.FirstUsable()->GetFileSystemType());
    EXPECT_EQ(0u, list.FirstUsable()->GetTotalSectors());
    EXPECT_EQ("", LabelOf(list.FirstUsable()));

    VolumeAnalyzerList none(nullptr, 0);
    ASSERT_EQ(2u, none.Count());
    EXPECT_EQ(kFsNone, none.FirstUsable()->GetFileSystemType());
}

TEST(DetectFileSystem, FromTheFirstSector)
{
    struct Case { const char* folder; const char* image; uint32_t type; };
    const Case cases[] = {{"fat", "fat12.img", kFsFat12}, {"fat", "fat16.img", kFsFat16}, {"fat", "fat32.img", kFsFat32},
                          {"ntfs", "ntfs.img", kFsNtfs}, {"exfat", "exfat.img", kFsNone}};
    for (const Case& c : cases) {
        std::vector<unsigned char> image = FixtureImage(c.folder, c.image);
        ASSERT_GE(image.size(), 512u) << c.image;
        EXPECT_EQ(c.type, DetectFileSystem(image.data(), 512)) << c.image;
    }
    std::vector<unsigned char> blank(512, 0);
    EXPECT_EQ(kFsNone, DetectFileSystem(blank.data(), 512));
    EXPECT_EQ(kFsNone, DetectFileSystem(FixtureImage("fat", "fat12.img").data(), 0));
    EXPECT_EQ(kFsNone, DetectFileSystem(nullptr, 512));
}

TEST(ReadVolumeLabelByType, FatAndNtfsByCode)
{
    struct Case { const char* folder; const char* image; int32_t code; int result; const char* label; };
    const Case cases[] = {{"fat", "fat16.img", kFsFat16, 1, "DATA16"},
                          {"fat", "fat32chain.img", kFsFat32, 1, "CHAINED"},
                          {"ntfs", "ntfs.img", kFsNtfs, 1, "NTLABEL"},
                          {"ntfs", "ntfs.img", kFsFat16, 0, ""},
                          {"fat", "fat16.img", kFsNtfs, 0, ""},
                          {"exfat", "exfat.img", kFsExFat, 0, ""},
                          {"fat", "fat16.img", -1, 0, ""}};
    for (const Case& c : cases) {
        CMemoryDevice device(FixtureImage(c.folder, c.image));
        char label[100];
        memset(label, 0, sizeof(label));
        EXPECT_EQ(c.result, ReadVolumeLabelByType(&device, c.code, label)) << c.image << " " << c.code;
        EXPECT_STREQ(c.label, label) << c.image << " " << c.code;
    }
    char label[100] = {};
    EXPECT_EQ(0, ReadVolumeLabelByType(nullptr, kFsFat12, label));
}
