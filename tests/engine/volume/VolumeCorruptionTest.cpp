// tests/engine/volume/VolumeCorruptionTest.cpp
// Real images with random bytes overwritten where the analysers look (boot sectors, FATs, root
// directories, MFT records): every analyser must end, stay inside its buffers (the native run
// has the address sanitizer) and give a terminated label.
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "engine/device/MemoryDevice.h"
#include "engine/exfat/ExFatVolumeAnalyzer.h"
#include "engine/volume/FileSystemDetect.h"
#include "engine/volume/VolumeAnalyzerList.h"
#include "tests/engine/ImageFixture.h"

namespace {

// A fixed-seed generator: every run patches the same bytes, so a failure can be replayed.
struct Lcg {
    uint32_t state;
    uint32_t Next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

}  // namespace

TEST(VolumeCorruption, AnalysersSurviveRandomDamage)
{
    struct Case { const char* folder; const char* image; size_t regionStart; size_t regionBytes; };
    const Case cases[] = {
        {"fat", "fat12.img", 0, 16 * 1024},
        {"fat", "fat16.img", 0, 96 * 1024},
        {"fat", "fat32chain.img", 0, 32 * 1024},
        {"fat", "fat32chain.img", 16 * 1024, 540 * 1024},
        {"ntfs", "ntfs.img", 0, 64 * 1024},
        {"exfat", "exfat.img", 0, 4096},
        {"exfat", "exfat.img", 4096 * 512, 64 * 1024},
    };
    Lcg random{12345};
    for (const Case& c : cases) {
        const std::vector<unsigned char> clean = FixtureImage(c.folder, c.image);
        ASSERT_GE(clean.size(), c.regionStart + c.regionBytes) << c.image;
        CMemoryDevice device(clean);
        for (int round = 0; round < 150; ++round) {
            std::vector<unsigned char>& bytes = device.Bytes();
            bytes = clean;
            // A few bytes, some of them in the boot sector so that its fields go wild too.
            int patches = 1 + int(random.Next() % 16);
            for (int i = 0; i < patches; ++i) {
                size_t at = (i % 4 == 0) ? random.Next() % 512 : c.regionStart + random.Next() % c.regionBytes;
                bytes[at] = uint8_t(random.Next());
            }
            VolumeAnalyzerList list(&device, 0);
            IVolume* volume = list.FirstUsable();
            ASSERT_NE(nullptr, volume);
            char label[101];
            memset(label, 0, sizeof(label));
            volume->GetVolumeLabel(label, 100);
            EXPECT_LT(strlen(label), 100u) << c.image << " round " << round;
            for (int32_t code = 0; code <= 3; ++code) {
                char byType[100] = {};
                ReadVolumeLabelByType(&device, code, byType);
                EXPECT_LT(strnlen(byType, sizeof(byType)), sizeof(byType));
            }
            DetectFileSystem(bytes.data(), 512);
        }
    }
}
