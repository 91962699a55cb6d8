// engine/dynamic/SimpleSpannedVolume.cpp
// One extent, or extents laid end to end.
#include <algorithm>

#include "engine/dynamic/DynamicVolume.h"

std::unique_ptr<IDynamicDevice> CSimpleVolumeDevice::Create(uint32_t type, const VolumeDescriptor& d,
                                                            const std::vector<MemberExtent>& m)
{
    if (CountPresentMembers(m) != 1 || !MembersShareSectorSize(m))
        return nullptr;
    return std::unique_ptr<IDynamicDevice>(new CSimpleVolumeDevice(type, d, m));
}

int CSimpleVolumeDevice::ReadSectors(void* buffer, uint64_t first, uint64_t count)
{
    if (!BeginRead(buffer, first, count))
        return 0;
    for (const MemberExtent& m : m_members) {
        if (!m.device)
            continue;
        // Never past the extent: the sectors after it belong to another partition.
        if (first > m.length || count > m.length - first)
            return 0;
        return m.device->ReadSectors(buffer, m.start + first, count) ? 1 : 0;
    }
    return 0;
}

std::unique_ptr<IDynamicDevice> CSpannedVolumeDevice::Create(uint32_t type, const VolumeDescriptor& d,
                                                             const std::vector<MemberExtent>& m)
{
    if (CountPresentMembers(m) == 0 || !MembersShareSectorSize(m))
        return nullptr;
    return std::unique_ptr<IDynamicDevice>(new CSpannedVolumeDevice(type, d, m));
}

int CSpannedVolumeDevice::ReadSectors(void* buffer, uint64_t first, uint64_t count)
{
    if (!BeginRead(buffer, first, count))
        return 0;
    unsigned char* out = static_cast<unsigned char*>(buffer);
    const uint32_t bps = GetBytesPerSector();
    uint64_t pos = first;
    uint64_t left = count;
    for (const MemberExtent& m : m_members) {
        if (left == 0)
            break;
        if (pos < m.offset || pos - m.offset >= m.length)
            continue;
        const uint64_t run = std::min(left, m.length - (pos - m.offset));
        // A missing member reads as zeros; a member that is there but fails is a failure. As half
        // of a mirror the zeros would hide the other half's data, so there it fails too.
        if (m.device ? !m.device->ReadSectors(out, m.start + (pos - m.offset), run) : IsMirrorHalf())
            return 0;
        out += run * bps;
        pos += run;
        left -= run;
    }
    return left == 0 ? 1 : 0;
}
