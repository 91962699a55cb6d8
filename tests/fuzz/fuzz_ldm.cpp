// tests/fuzz/fuzz_ldm.cpp
// The LDM database of two dynamic disks and the volumes built from it (simple, spanned,
// striped, mirror, RAID-5), read at their start and end. The first four bytes say where the
// input is cut into the two disks; the first byte's top bit picks 4096-byte sectors for the
// second disk.
#include "engine/ldm/LdmDatabase.h"
#include "engine/volume/VolumeAnalyzerList.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const uint32_t cut = uint32_t(data[1] | (data[2] << 8) | (data[3] << 16)) % (size - 3);
    const uint32_t secondSectorSize = (data[0] & 0x80) ? 4096 : 512;
    data += 4;
    size -= 4;
    CMemoryDevice first = DiskOf(data, cut);
    CMemoryDevice second = DiskOf(data + cut, size - cut, secondSectorSize);
    std::vector<DynamicVolumeEntry> volumes;
    LdmDatabase().Collect({&first, &second}, volumes);
    for (DynamicVolumeEntry& v : volumes) {
        if (!v.device)
            continue;
        const uint64_t total = v.device->GetTotalSectors();
        const uint32_t bytes = v.device->GetBytesPerSector();
        if (total == 0 || bytes == 0 || bytes > 65536)
            continue;
        std::vector<unsigned char> buffer(size_t(bytes) * 8);
        v.device->ReadSectors(buffer.data(), 0, total < 8 ? total : 8);
        v.device->ReadSectors(buffer.data(), total - 1, 1);
        VolumeAnalyzerList analysers(v.device.get(), 0);
    }
    return 0;
}
