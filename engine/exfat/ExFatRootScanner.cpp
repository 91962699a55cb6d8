// engine/exfat/ExFatRootScanner.cpp
#include "engine/exfat/ExFatRootScanner.h"

#include <vector>

#include "engine/device/LittleEndian.h"
#include "engine/device/StorageDevice.h"
#include "engine/exfat/ExFatEntries.h"
#include "engine/exfat/ExFatLayout.h"

using namespace exfatlayout;

namespace {

constexpr uint32_t kAttributeDirectory = 0x10;

// The largest power of two that divides value; 0 for 0.
uint32_t LowestSetBit(uint32_t value) { return value & (~value + 1); }

}  // namespace

void ExFatRootCandidate::AddFile(const ExFatEntrySetRecord& file)
{
    if (file.firstCluster < lowestFirstCluster)
        lowestFirstCluster = file.firstCluster;
    if (file.firstCluster > highestFirstCluster)
        highestFirstCluster = file.firstCluster;
    if (file.attributes & kAttributeDirectory) {
        uint32_t cluster = LowestSetBit(uint32_t(file.dataLength));
        if (cluster != 0 && cluster < clusterSizeEstimate)
            clusterSizeEstimate = cluster;
    }
    (file.inUse ? files : deletedFiles).emplace(file.firstCluster, file);
}

ExFatRootScanner::ExFatRootScanner(uint32_t bytesPerSectorShift, uint64_t limit, uint32_t clusterShift)
    : m_shift(bytesPerSectorShift < 9 || bytesPerSectorShift > 12 ? 9 : bytesPerSectorShift),
      m_entriesPerSector(1u << (m_shift - 5))
{
    m_parser.Begin(limit, m_shift, clusterShift);
}

const ExFatRootCandidate* ExFatRootScanner::Find(uint64_t position) const
{
    auto found = m_candidates.find(position);
    return found == m_candidates.end() ? nullptr : &found->second;
}

// The entries of one sector, in order; false when the sector ended early. *taken counts the
// entries that passed their tests.
bool ExFatRootScanner::ScanEntries(const unsigned char* sector, uint64_t sectorNumber, size_t* taken)
{
    ExFatRootCandidate& c = *m_current;
    bool labelInSector = false;
    bool bitmapInSector = false;
    bool upcaseInSector = false;
    for (uint32_t i = 0; i < m_entriesPerSector; ++i) {
        const unsigned char* e = sector + size_t(i) * kEntrySize;
        const uint8_t type = e[0];
        switch (type) {
        case 0x03: case 0x83:
            if (!IsValidVolumeLabelEntry(e) || (type == kTypeLabel && labelInSector))
                return false;
            c.flags |= ExFatRootCandidate::kLabelSeen;
            // A label entry not in use still marks a root, but its text is no longer the label.
            if (type == kTypeLabel) {
                labelInSector = true;
                uint32_t count = e[kLabelCount];
                for (uint32_t u = 0; u < count; ++u)
                    c.label[u] = GetU16(e + kLabelUnits + 2 * u);
                c.label[count] = 0;
            }
            break;
        case 0x81:
            if (bitmapInSector || !IsValidBitmapEntry(e, m_shift, m_parser.ClusterShift(), m_parser.Limit()))
                return false;
            bitmapInSector = true;
            c.flags |= ExFatRootCandidate::kBitmapSeen;
            c.bitmapBits = GetU64(e + kTableDataLength) * 8;
            if (GetU32(e + kTableFirstCluster) + 1 > c.clusterEnd)
                c.clusterEnd = GetU32(e + kTableFirstCluster) + 1;
            break;
        case 0x82:
            if (upcaseInSector || !IsValidUpcaseEntry(e, m_shift, m_parser.ClusterShift(), m_parser.Limit()))
                return false;
            upcaseInSector = true;
            c.flags |= ExFatRootCandidate::kUpcaseSeen;
            c.upcaseFirstCluster = GetU32(e + kTableFirstCluster);
            c.upcaseLength = GetU64(e + kTableDataLength);
            if (c.upcaseFirstCluster + 1 > c.clusterEnd)
                c.clusterEnd = c.upcaseFirstCluster + 1;
            break;
        case 0x05: case 0x85: case 0x40: case 0xC0: case 0x41: case 0xC1: {
            // The entry-set parser tests the entry and keeps a set across sectors: a set that
            // does not fit in the rest of this sector goes on in the next one.
            const bool secondary = type != 0x05 && type != 0x85;
            if (secondary && m_parser.Current().step == 0 && !c.HoldsFiles())
                c.flags |= ExFatRootCandidate::kStartsMidSet;
            const size_t finished = m_parser.Finished().size();
            if (!m_parser.Feed(e, kEntrySize, (sectorNumber << m_shift) + size_t(i) * kEntrySize))
                return false;
            if (m_parser.Finished().size() > finished)
                c.AddFile(m_parser.Finished().back());
            break;
        }
        default:
            // The end marker (a directory is zero from its last entry on) or bytes that are no
            // directory entry: either way the directory ends here.
            return false;
        }
        ++*taken;
    }
    return true;
}

bool ExFatRootScanner::ScanSector(const unsigned char* sector, uint64_t sectorNumber)
{
    if (!sector)
        return false;
    if (!m_current)
        m_current.reset(new ExFatRootCandidate);
    ExFatRootCandidate& c = *m_current;
    size_t taken = 0;
    const bool wholeSector = ScanEntries(sector, sectorNumber, &taken);
    if (taken > 0) {
        if (c.position == ~uint64_t(0)) {
            c.position = sectorNumber;
            c.sectorCount = 1;
        } else {
            c.sectorCount = sectorNumber - c.position + 1;
        }
        if ((c.flags & ExFatRootCandidate::kStartsMidSet) && c.sectorCount == 1)
            c.openSets[sectorNumber] = {m_parser.Save(), m_parser.Index()};
    } else {
        // Nothing of a directory here: what was gathered before ends with the sector before.
        Flush();
        return true;
    }
    const bool full = (c.sectorCount << m_shift) >= c.clusterSizeEstimate;
    if (!wholeSector || full) {
        Flush();
        return true;
    }
    return false;
}

void ExFatRootScanner::Flush()
{
    if (m_current && m_current->position != ~uint64_t(0))
        m_candidates[m_current->position] = std::move(*m_current);
    m_current.reset();
    m_parser.Reset();
}

size_t ExFatRootScanner::ScanRegion(IStorageDevice* device, uint64_t first, uint64_t count)
{
    if (!device || device->GetBytesPerSector() != (1u << m_shift))
        return m_candidates.size();
    std::vector<unsigned char> sector(size_t(1) << m_shift);
    for (uint64_t n = 0; n < count; ++n) {
        if (!device->ReadSectors(sector.data(), first + n, 1)) {
            Flush();
            continue;
        }
        ScanSector(sector.data(), first + n);
    }
    Flush();
    return m_candidates.size();
}
