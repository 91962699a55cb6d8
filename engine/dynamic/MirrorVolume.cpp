// engine/dynamic/MirrorVolume.cpp
// Two halves holding the same data: each run comes from the first half that reads it, and a
// run that neither reads whole is taken sector by sector.
#include <string.h>

#include <algorithm>

#include "engine/dynamic/DynamicVolume.h"

std::unique_ptr<IDynamicDevice> CMirrorVolumeDevice::Create(uint32_t type, const VolumeDescriptor& d,
                                                            std::unique_ptr<IDynamicDevice> a,
                                                            std::unique_ptr<IDynamicDevice> b)
{
    if (!a && !b)
        return nullptr;
    // The mirror reads each run into the caller's buffer through either half.
    if (a && b && a->GetBytesPerSector() != b->GetBytesPerSector())
        return nullptr;
    std::unique_ptr<CMirrorVolumeDevice> mirror(new CMirrorVolumeDevice());
    mirror->m_type = type;
    mirror->m_descriptor = d;
    if (a)
        mirror->m_halves.push_back(std::move(a));
    if (b)
        mirror->m_halves.push_back(std::move(b));
    return std::unique_ptr<IDynamicDevice>(mirror.release());
}

uint32_t CMirrorVolumeDevice::GetBytesPerSector()
{
    return m_halves.empty() ? 512 : m_halves[0]->GetBytesPerSector();
}

bool CMirrorVolumeDevice::IsSameVolume(IDynamicDevice& other) { return SameVolumeMembers(*this, other); }

void CMirrorVolumeDevice::GetMembers(std::vector<const MemberExtent*>& list)
{
    std::vector<const MemberExtent*> own;
    for (auto& half : m_halves)
        half->GetMembers(own);
    list.insert(list.begin(), own.begin(), own.end());
}

int CMirrorVolumeDevice::ReadSectors(void* buffer, uint64_t first, uint64_t count)
{
    const uint64_t total = GetTotalSectors();
    if (!buffer || first > total || count > total - first)
        return 0;
    const uint32_t bps = GetBytesPerSector();
    unsigned char* out = static_cast<unsigned char*>(buffer);
    for (uint64_t done = 0; done < count;) {
        const uint64_t run = std::min(kRunSectors, count - done);
        unsigned char* at = out + done * bps;
        bool read = false;
        for (auto& half : m_halves)
            read = read || half->ReadSectors(at, first + done, run) != 0;
        for (uint64_t s = 0; !read && s < run; ++s) {
            unsigned char* sector = at + s * bps;
            bool got = false;
            for (auto& half : m_halves)
                got = got || half->ReadSectors(sector, first + done + s, 1) != 0;
            if (!got)
                memset(sector, 0, bps);
        }
        done += run;
    }
    return 1;
}
