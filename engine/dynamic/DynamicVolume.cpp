// engine/dynamic/DynamicVolume.cpp
// What every layout shares: range test, sector size, member lists and volume identity.
#include "engine/dynamic/DynamicVolume.h"

#include <string.h>

namespace {
bool SameExtent(const MemberExtent& a, const MemberExtent& b)
{
    return a.length == b.length && a.start == b.start && a.offset == b.offset && a.device == b.device &&
           strncmp(a.diskId, b.diskId, kDiskIdTextSize) == 0;
}
}  // namespace

size_t CountPresentMembers(const std::vector<MemberExtent>& members)
{
    size_t present = 0;
    for (const MemberExtent& m : members)
        present += m.device ? 1 : 0;
    return present;
}

bool MembersShareSectorSize(const std::vector<MemberExtent>& members)
{
    uint32_t size = 0;
    for (const MemberExtent& m : members) {
        if (!m.device)
            continue;
        const uint32_t own = m.device->GetBytesPerSector();
        if (size && own != size)
            return false;
        size = own;
    }
    return true;
}

// Each disk of a group carries the whole group's database, so one volume is met once per disk:
// the copies have the same type and the same extents.
bool SameVolumeMembers(IDynamicDevice& self, IDynamicDevice& other)
{
    if (self.GetVolumeType() != other.GetVolumeType())
        return false;
    std::vector<const MemberExtent*> mine, theirs;
    self.GetMembers(mine);
    other.GetMembers(theirs);
    for (const MemberExtent* m : mine) {
        bool found = false;
        for (const MemberExtent* t : theirs)
            found = found || SameExtent(*m, *t);
        if (!found)
            return false;
    }
    return true;
}

uint32_t CDynamicVolumeBase::GetBytesPerSector()
{
    // Any present member tells: with the first member's disk missing, a fallback of 512 would
    // size every buffer for 512-byte sectors while the other members read 4096-byte ones.
    for (const MemberExtent& m : m_members) {
        if (m.device)
            return m.device->GetBytesPerSector();
    }
    return 512;
}

bool CDynamicVolumeBase::IsSameVolume(IDynamicDevice& other) { return SameVolumeMembers(*this, other); }

char DescriptorDriveLetter(const VolumeDescriptor& d, IDynamicDevice::DosDeviceLetterLookup lookup)
{
    return lookup ? lookup(d.volumeName, d.diskGroupName) : 0;
}

void CDynamicVolumeBase::GetMembers(std::vector<const MemberExtent*>& list)
{
    std::vector<const MemberExtent*> own;
    for (const MemberExtent& m : m_members)
        own.push_back(&m);
    list.insert(list.begin(), own.begin(), own.end());
}

uint64_t CDynamicVolumeBase::StripeSectors(uint32_t bytesPerSector)
{
    // Sectors above 64 KiB would give a stripe of 0 and a division by it.
    if (bytesPerSector == 0 || bytesPerSector >= 65536)
        return 1;
    return 65536 / bytesPerSector;
}

bool CDynamicVolumeBase::BeginRead(void* buffer, uint64_t first, uint64_t count)
{
    if (!buffer)
        return false;
    const uint64_t total = GetTotalSectors();
    // A range that runs past the end is refused whole: a short read reported as a full one
    // would hand zeros to the caller as if they were the volume's data.
    if (first > total || count > total - first)
        return false;
    memset(buffer, 0, size_t(count * GetBytesPerSector()));
    return true;
}
