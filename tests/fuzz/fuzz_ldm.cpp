// tests/fuzz/fuzz_ldm.cpp
// The LDM database of one to four dynamic disks (of 512 or 4096 bytes a sector; DisksOf) and the
// volumes built from it (simple, spanned, striped, mirror, RAID-5), each read at its start, its
// middle and its end, with buffers sized by the volume's own sector size.
#include "engine/ldm/LdmDatabase.h"
#include "engine/volume/VolumeAnalyzerList.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::unique_ptr<CMemoryDevice>> disks = DisksOf(data, size);
    std::vector<IStorageDevice*> devices;
    for (auto& d : disks)
        devices.push_back(d.get());
    std::vector<DynamicVolumeEntry> volumes;
    LdmDatabase().Collect(devices, volumes);
    for (DynamicVolumeEntry& v : volumes) {
        if (!v.device)
            continue;
        const uint64_t total = v.device->GetTotalSectors();
        const uint32_t bytes = v.device->GetBytesPerSector();
        if (total == 0 || bytes == 0 || bytes > 65536)
            continue;
        std::vector<unsigned char> buffer(size_t(bytes) * 8);
        v.device->ReadSectors(buffer.data(), 0, total < 8 ? total : 8);
        v.device->ReadSectors(buffer.data(), total / 2, 1);
        v.device->ReadSectors(buffer.data(), total - 1, 1);
        std::vector<const MemberExtent*> members;
        v.device->GetMembers(members);
        VolumeAnalyzerList analysers(v.device.get(), 0);
    }
    return 0;
}
