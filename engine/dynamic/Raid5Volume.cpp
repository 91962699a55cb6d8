// engine/dynamic/Raid5Volume.cpp
// Striping with rotating parity: row r keeps its parity on column (N - 1) - (r mod N), and its
// data columns follow the parity column cyclically. One missing column is rebuilt by XOR.
#include <string.h>

#include <algorithm>

#include "engine/dynamic/DynamicVolume.h"

std::unique_ptr<IDynamicDevice> CRaid5VolumeDevice::Create(uint32_t type, const VolumeDescriptor& d,
                                                           const std::vector<MemberExtent>& m)
{
    // Two columns at least: with one there is no data column and the layout divides by zero.
    if (m.size() < 2 || CountPresentMembers(m) + 1 < m.size() || !MembersShareSectorSize(m))
        return nullptr;
    return std::unique_ptr<IDynamicDevice>(new CRaid5VolumeDevice(type, d, m));
}

bool CRaid5VolumeDevice::ReadColumn(size_t column, unsigned char* out, uint64_t rel, uint64_t run)
{
    const MemberExtent& m = m_members[column];
    if (!m.device || rel < m.offset || rel - m.offset >= m.length || run > m.length - (rel - m.offset))
        return false;
    return m.device->ReadSectors(out, m.start + rel - m.offset, run) != 0;
}

int CRaid5VolumeDevice::ReadSectors(void* buffer, uint64_t first, uint64_t count)
{
    if (!BeginRead(buffer, first, count))
        return 0;
    const uint64_t n = m_members.size();
    if (n < 2)
        return 0;
    const uint32_t bps = GetBytesPerSector();
    const uint64_t stripe = StripeSectors(bps);
    const uint64_t rowData = (n - 1) * stripe;
    unsigned char* out = static_cast<unsigned char*>(buffer);
    std::vector<unsigned char> other;
    uint64_t pos = first;
    uint64_t left = count;
    while (left > 0) {
        const uint64_t row = pos / rowData;  // 64-bit: large volumes have more than 2^31 rows
        const uint64_t parity = (n - 1) - (row % n);
        const uint64_t column = (parity + 1 + ((pos / stripe) % (n - 1))) % n;
        const uint64_t within = pos % stripe;
        const uint64_t run = std::min(left, stripe - within);
        const uint64_t rel = row * stripe + within;
        const size_t bytes = size_t(run * bps);
        if (!ReadColumn(size_t(column), out, rel, run)) {
            // Rebuild from every other column, parity included; a second gap is fatal.
            memset(out, 0, bytes);
            other.resize(bytes);
            for (uint64_t c = 0; c < n; ++c) {
                if (c == column)
                    continue;
                if (!ReadColumn(size_t(c), other.data(), rel, run))
                    return 0;
                for (size_t i = 0; i < bytes; ++i)
                    out[i] ^= other[i];
            }
        }
        out += bytes;
        pos += run;
        left -= run;
    }
    return 1;
}
