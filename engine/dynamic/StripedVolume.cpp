// engine/dynamic/StripedVolume.cpp
// Stripes of 64 KiB dealt to the columns in turn.
#include <algorithm>

#include "engine/dynamic/DynamicVolume.h"

std::unique_ptr<IDynamicDevice> CStripedVolumeDevice::Create(uint32_t type, const VolumeDescriptor& d,
                                                             const std::vector<MemberExtent>& m)
{
    if (CountPresentMembers(m) == 0 || !MembersShareSectorSize(m))
        return nullptr;
    return std::unique_ptr<IDynamicDevice>(new CStripedVolumeDevice(type, d, m));
}

int CStripedVolumeDevice::ReadSectors(void* buffer, uint64_t first, uint64_t count)
{
    if (!BeginRead(buffer, first, count))
        return 0;
    const uint64_t n = m_members.size();
    if (n == 0)
        return 0;
    const uint32_t bps = GetBytesPerSector();
    const uint64_t stripe = StripeSectors(bps);
    unsigned char* out = static_cast<unsigned char*>(buffer);
    uint64_t pos = first;
    uint64_t left = count;
    while (left > 0) {
        const uint64_t row = pos / (stripe * n);
        const MemberExtent& m = m_members[size_t((pos / stripe) % n)];
        const uint64_t within = pos % stripe;
        const uint64_t run = std::min(left, stripe - within);
        const uint64_t rel = row * stripe + within;
        // The run must lie wholly inside the column's extent.
        if (rel < m.offset || rel - m.offset >= m.length || run > m.length - (rel - m.offset))
            return 0;
        if (m.device ? !m.device->ReadSectors(out, m.start + rel - m.offset, run) : IsMirrorHalf())
            return 0;
        out += run * bps;
        pos += run;
        left -= run;
    }
    return 1;
}
