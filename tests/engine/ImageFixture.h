// tests/engine/ImageFixture.h
// What the volume tests share: a fixture image read whole, and a volume's label as a string.
#pragma once
#include <string>
#include <vector>

#include "engine/volume/Volume.h"
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
