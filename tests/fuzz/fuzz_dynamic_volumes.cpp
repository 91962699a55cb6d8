// tests/fuzz/fuzz_dynamic_volumes.cpp
// The five volume layouts built by their factories from any members, read at any place with a
// buffer sized by the volume's own sector size. Member disks: two of 512 bytes a sector, one of
// 4096, or none (missing).
//   byte 0: layout (low three bits: simple, spanned, striped, RAID-5, mirror) and the number of
//           members (high bits, 1 to 8)
//   bytes 1-2: the volume's size in sectors
//   4 bytes a member: disk (0 to 3, 3 missing), start, offset / 4, length
//   then 3 bytes a read: first sector (2 bytes), count
#include <memory>
#include <vector>

#include "engine/dynamic/DynamicVolume.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

CMemoryDevice& Disk(size_t n)
{
    static CMemoryDevice* disks[3];
    if (!disks[n]) {
        const uint32_t bps = n == 2 ? 4096 : 512;
        std::vector<unsigned char> bytes(size_t(256) * bps);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = uint8_t(i * 7 + n);
        disks[n] = new CMemoryDevice(bytes, bps);
    }
    return *disks[n];
}

std::unique_ptr<IDynamicDevice> Layout(uint32_t layout, const VolumeDescriptor& d, const std::vector<MemberExtent>& m)
{
    switch (layout) {
    case 0:
        return CSimpleVolumeDevice::Create(kDynSimple, d, m);
    case 1:
        return CSpannedVolumeDevice::Create(kDynSpanned, d, m);
    case 2:
        return CStripedVolumeDevice::Create(kDynStriped, d, m);
    case 3:
        return CRaid5VolumeDevice::Create(kDynRaid5, d, m);
    default: {
        // A mirror of two halves: the first members spanned, the others striped.
        const size_t half = (m.size() + 1) / 2;
        const std::vector<MemberExtent> a(m.begin(), m.begin() + half), b(m.begin() + half, m.end());
        return CMirrorVolumeDevice::Create(kDynMirror, d, CSpannedVolumeDevice::Create(kDynMirror, d, a),
                                           CStripedVolumeDevice::Create(kDynMirror, d, b));
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const uint32_t layout = (data[0] & 7) % 5;
    const size_t count = 1 + (data[0] >> 5);
    VolumeDescriptor d;
    d.totalSectors = uint64_t(data[1]) | uint64_t(data[2]) << 8;
    size_t at = 3;
    std::vector<MemberExtent> members;
    for (size_t i = 0; i < count && at + 4 <= size; ++i, at += 4) {
        MemberExtent m;
        m.columnIndex = uint32_t(i);
        const size_t disk = data[at] & 3;
        m.device = disk < 3 ? &Disk(disk) : nullptr;
        m.diskId[0] = char('a' + disk);
        m.start = data[at + 1];
        m.offset = uint64_t(data[at + 2]) * 4;
        m.length = data[at + 3];
        members.push_back(m);
    }
    std::unique_ptr<IDynamicDevice> volume = Layout(layout, d, members);
    if (!volume)
        return 0;
    const uint32_t bps = volume->GetBytesPerSector();
    for (; at + 3 <= size; at += 3) {
        const uint64_t first = uint64_t(data[at]) | uint64_t(data[at + 1]) << 8;
        const uint64_t sectors = data[at + 2];
        std::vector<unsigned char> buffer(size_t(sectors ? sectors : 1) * bps);
        volume->ReadSectors(buffer.data(), first, sectors);
    }
    std::vector<const MemberExtent*> list;
    volume->GetMembers(list);
    volume->IsSameVolume(*volume);
    return 0;
}
