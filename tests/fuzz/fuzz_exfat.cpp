// tests/fuzz/fuzz_exfat.cpp
// The exFAT analyser: boot sector, the root directory's cluster chain and its label entry.
#include <memory>

#include "engine/exfat/ExFatVolumeAnalyzer.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMemoryDevice disk = DiskOf(data, size);
    std::unique_ptr<CExFatVolumeAnalyer> volume(AnalyzeExFatVolume(&disk, 0));
    if (volume) {
        char label[300] = {};
        volume->GetVolumeLabel(label, sizeof(label));
    }
    return 0;
}
