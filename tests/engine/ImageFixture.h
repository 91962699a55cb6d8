// tests/engine/ImageFixture.h
// What the volume tests share: a fixture image read whole, and a volume's label as a string.
#pragma once
#include <gtest/gtest.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "engine/volume/Volume.h"
#include "engine/volume/WideToAnsi.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WinePath.h"

// The image name from the fixture script's folder (e.g. "fat", "ntfs"); empty when unreadable.
inline std::vector<unsigned char> FixtureImage(const char* folder, const char* name)
{
#ifdef _WIN32
    return ReadFileBytes(FixtureDir() + "\\" + folder + "\\" + name);
#else
    return ReadFileBytes(FixtureDir() + "/" + folder + "/" + name);
#endif
}

inline std::string LabelOf(IVolume& volume)
{
    char label[101] = {};
    volume.GetVolumeLabel(label, 100);
    return label;
}

inline std::string LabelOf(IVolume* volume) { return LabelOf(*volume); }

// A golden label is UTF-8 (the real tools' output); the analysers give ANSI text, converted
// the same way as every other name of the engine.
inline std::string AnsiOfUtf8(const std::string& text)
{
    std::vector<uint16_t> units;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        uint32_t code = c;
        size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra)
            code = c & (0x3F >> extra);
        for (size_t k = 1; k <= extra && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += 1 + extra;
        if (code >= 0x10000) {
            units.push_back(uint16_t(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(uint16_t(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(uint16_t(code));
        }
    }
    char out[256] = {};
    EXPECT_NE(0, WideToAnsi(units.data(), uint32_t(units.size()), out, sizeof(out)));
    return out;
}
