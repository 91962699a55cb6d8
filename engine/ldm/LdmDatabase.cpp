// engine/ldm/LdmDatabase.cpp
#include "engine/ldm/LdmDatabase.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "engine/device/LittleEndian.h"
#include "engine/ldm/LdmLayout.h"
#include "engine/volume/FileSystemNames.h"

namespace {

void CopyText(char* to, size_t size, const unsigned char* from, size_t fromSize)
{
    size_t n = 0;
    while (n + 1 < size && n < fromSize && from[n])
        ++n;
    memcpy(to, from, n);
    to[n] = 0;
}

// LDM counts 512-byte units; the disk may have larger sectors.
uint64_t ToDiskSectors(uint64_t units, uint32_t bytesPerSector)
{
    if (bytesPerSector <= 512)
        return units;
    return units / (bytesPerSector / 512);
}

// Disk ids are GUID texts, whose hex digits either case may spell; a 0x44 record's raw id is
// written in lower case.
bool SameDiskId(const char* a, const char* b)
{
    if (!a[0])
        return false;
    for (size_t i = 0; i < kDiskIdTextSize; ++i) {
        if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i])))
            return false;
        if (!a[i])
            return true;
    }
    return true;
}

// Volumes already listed, by their first member extent: a volume met again (IsSameVolume) has
// every extent of the listed one, its first among them, so each new volume is compared only
// with the few listed ones that share one of its extents.
class ListedVolumes {
public:
    explicit ListedVolumes(const std::vector<DynamicVolumeEntry>& out)
    {
        for (size_t i = 0; i < out.size(); ++i)
            Add(out, i);
    }
    void Add(const std::vector<DynamicVolumeEntry>& out, size_t i)
    {
        std::vector<const MemberExtent*> members;
        if (out[i].device)
            out[i].device->GetMembers(members);
        if (members.empty())
            m_withoutMembers.push_back(i);
        else
            m_byFirst.emplace(Key(*members.front()), i);
    }
    bool Holds(const std::vector<DynamicVolumeEntry>& out, IDynamicDevice& device) const
    {
        for (size_t i : m_withoutMembers) {
            if (out[i].device && out[i].device->IsSameVolume(device))
                return true;
        }
        std::vector<const MemberExtent*> members;
        device.GetMembers(members);
        for (const MemberExtent* m : members) {
            const auto range = m_byFirst.equal_range(Key(*m));
            for (auto it = range.first; it != range.second; ++it) {
                if (out[it->second].device->IsSameVolume(device))
                    return true;
            }
        }
        return false;
    }

private:
    using ExtentKey = std::tuple<uint64_t, uint64_t, uint64_t, const IStorageDevice*, std::string>;
    static ExtentKey Key(const MemberExtent& m)
    {
        return ExtentKey(m.start, m.offset, m.length, m.device, std::string(m.diskId, strnlen(m.diskId, kDiskIdTextSize)));
    }
    std::multimap<ExtentKey, size_t> m_byFirst;
    std::vector<size_t> m_withoutMembers;
};

std::unique_ptr<IDynamicDevice> SubVolume(uint32_t type, const VolumeDescriptor& d, const LdmComponentRecord& c,
                                          const std::vector<MemberExtent>& m)
{
    if (c.componentType == 1)
        return CStripedVolumeDevice::Create(type, d, m);
    if (c.componentType == 2 && m.size() >= 2)
        return CSpannedVolumeDevice::Create(type, d, m);
    return CSimpleVolumeDevice::Create(type, d, m);
}

}  // namespace

bool ParseLdmPrivateHeader(const unsigned char* sector, size_t size, LdmPrivateHeader& header)
{
    if (!sector || size < privhead::kUsedBytes || memcmp(sector + privhead::kSignature, "PRIVHEAD", 8) != 0)
        return false;
    header = LdmPrivateHeader();
    CopyText(header.diskId, sizeof(header.diskId), sector + privhead::kDiskId, privhead::kDiskIdSize);
    CopyText(header.diskGroupName, sizeof(header.diskGroupName), sector + privhead::kDiskGroupName,
             privhead::kDiskGroupNameSize);
    CopyText(header.diskGroupId, sizeof(header.diskGroupId), sector + privhead::kDiskGroupId,
             privhead::kDiskGroupIdSize);
    header.dataStart = GetBE64(sector + privhead::kDataStart);
    header.dataSize = GetBE64(sector + privhead::kDataSize);
    header.databaseStart = GetBE64(sector + privhead::kDatabaseStart);
    header.databaseSize = GetBE64(sector + privhead::kDatabaseSize);
    return true;
}

bool LdmDatabase::ReadPrivateHeaderAt(IStorageDevice& disk, LdmPrivateHeader& header, uint64_t sector)
{
    const uint32_t bps = disk.GetBytesPerSector();
    if (bps < privhead::kUsedBytes || sector >= disk.GetTotalSectors())
        return false;
    std::vector<unsigned char> buffer(bps);
    return disk.ReadSectors(buffer.data(), sector, 1) && ParseLdmPrivateHeader(buffer.data(), bps, header);
}

bool LdmDatabase::ReadGptDisk(IStorageDevice& disk, LdmPrivateHeader& header)
{
    const uint32_t bps = disk.GetBytesPerSector();
    const uint64_t total = disk.GetTotalSectors();
    if (bps < 512 || total < 3)
        return false;
    std::vector<unsigned char> sector(bps);
    if (!disk.ReadSectors(sector.data(), 1, 1) || memcmp(sector.data(), "EFI PART", 8) != 0)
        return false;
    uint32_t left = GetU32(sector.data() + 80);
    const uint32_t entrySize = GetU32(sector.data() + 84);
    uint64_t lba = GetU64(sector.data() + 72);
    // An entry must hold its name (bytes 56 to 127) and fit a sector.
    if (entrySize < 128 || entrySize > bps)
        return false;
    static const char kName[] = "LDM metadata partition";
    while (left >= 1 && left <= 128 && lba < total) {
        if (!disk.ReadSectors(sector.data(), lba, 1))
            return false;
        const uint32_t inSector = std::min(bps / entrySize, left);
        for (uint32_t i = 0; i < inSector; ++i) {
            const unsigned char* e = sector.data() + size_t(i) * entrySize;
            const uint64_t first = GetU64(e + 32), last = GetU64(e + 40);
            bool named = true;
            for (size_t c = 0; c < sizeof(kName) && named; ++c)
                named = GetU16(e + 56 + 2 * c) == uint16_t(static_cast<unsigned char>(kName[c]));
            if (first != 0 && named && ReadPrivateHeaderAt(disk, header, last))
                return true;
        }
        left -= inSector;
        ++lba;
    }
    return false;
}

bool LdmDatabase::FindPrivateHeader(IStorageDevice& disk, LdmPrivateHeader& header)
{
    const uint64_t total = disk.GetTotalSectors();
    return (total > 0 && ReadPrivateHeaderAt(disk, header, total - 1)) ||
           ReadPrivateHeaderAt(disk, header, privhead::kSectorMbrDisk) ||
           ReadPrivateHeaderAt(disk, header, privhead::kSectorOldDisk) || ReadGptDisk(disk, header);
}

void LdmDatabase::Collect(const std::vector<IStorageDevice*>& disks, std::vector<DynamicVolumeEntry>& out)
{
    m_disks.clear();
    for (IStorageDevice* d : disks) {
        if (!d)
            continue;
        Disk disk{d, false, LdmPrivateHeader()};
        disk.dynamic = FindPrivateHeader(*d, disk.header);
        m_disks.push_back(disk);
    }
    // The copies of each disk group, groups in the order their first disk was met.
    std::vector<std::vector<Copy>> groups;
    for (const Disk& disk : m_disks) {
        Copy copy;
        if (!disk.dynamic || !ReadCopy(disk, copy))
            continue;
        std::vector<Copy>* group = nullptr;
        for (std::vector<Copy>& g : groups) {
            const LdmPrivateHeader& h = g.front().disk->header;
            if (strcmp(h.diskGroupName, disk.header.diskGroupName) == 0 && strcmp(h.diskGroupId, disk.header.diskGroupId) == 0)
                group = &g;
        }
        if (!group) {
            groups.emplace_back();
            group = &groups.back();
        }
        group->push_back(std::move(copy));
    }
    for (const std::vector<Copy>& g : groups) {
        const Copy* chosen = ChooseCopy(g);
        LdmRecordSet set;
        for (const std::vector<unsigned char>& record : chosen->records)
            ParseLdmRecord(record, set);
        BuildVolumes(*chosen->disk, set, out);
    }
}

bool LdmDatabase::ReadCopy(const Disk& disk, Copy& copy)
{
    IStorageDevice& d = *disk.device;
    const uint32_t bps = d.GetBytesPerSector();
    const uint64_t total = d.GetTotalSectors();
    const uint64_t start = ToDiskSectors(disk.header.databaseStart, bps);
    if (bps < 512 || start >= total)
        return false;
    // The area runs to two sectors before the end, within a bound of 1 MiB.
    uint64_t count = total - start >= 2 ? total - start - 2 : 0;
    const uint64_t maxSectors = vblk::kMaxDatabaseSectors * 512 / bps;
    count = std::min(count, std::max<uint64_t>(maxSectors, 1));
    if (count == 0)
        return false;
    std::vector<unsigned char> area(size_t(count * bps));
    if (!d.ReadSectors(area.data(), start, count))
        return false;
    copy.disk = &disk;
    copy.records = AssembleLdmRecords(area.data(), area.size());
    for (size_t at = 0; at + vblk::kBlockSize <= area.size(); at += vblk::kBlockSize) {
        if (memcmp(area.data() + at, "VMDB", 4) == 0) {
            copy.committed = GetBE64(area.data() + at + vmdb::kCommittedSequence);
            break;
        }
    }
    return true;
}

size_t LdmDatabase::CountFaults(const Copy& copy) const
{
    LdmRecordSet set;
    for (const std::vector<unsigned char>& record : copy.records)
        ParseLdmRecord(record, set);
    const LdmRecordLinks links(set);
    size_t faults = links.RepeatedIds();
    for (const LdmPartitionRecord& p : set.partitions) {
        const LdmDiskRecord* diskRecord = links.disks.Find(p.diskRecord);
        if (!diskRecord) {
            ++faults;
            continue;
        }
        const Disk* d = MemberDisk(diskRecord->diskId);
        if (!d)
            continue;
        // The partition's numbers in its own disk's sectors.
        const uint32_t bps = d->device->GetBytesPerSector();
        const uint64_t total = d->device->GetTotalSectors();
        const uint64_t start = ToDiskSectors(p.start, bps) + ToDiskSectors(d->header.dataStart, bps);
        const uint64_t length = ToDiskSectors(p.size, bps);
        if (start < ToDiskSectors(p.start, bps) || start > total || length > total - start)
            ++faults;
    }
    return faults;
}

const LdmDatabase::Copy* LdmDatabase::ChooseCopy(const std::vector<Copy>& copies) const
{
    const Copy* best = nullptr;
    size_t bestAgree = 0, bestFaults = 0;
    for (const Copy& c : copies) {
        size_t agree = 0;
        for (const Copy& other : copies)
            agree += other.records == c.records ? 1 : 0;
        const size_t faults = CountFaults(c);
        const bool better = !best || agree > bestAgree ||
                            (agree == bestAgree && (faults < bestFaults ||
                                                    (faults == bestFaults && c.committed > best->committed)));
        if (better) {
            best = &c;
            bestAgree = agree;
            bestFaults = faults;
        }
    }
    return best;
}

const LdmDatabase::Disk* LdmDatabase::MemberDisk(const std::string& diskId) const
{
    for (const Disk& d : m_disks) {
        if (d.dynamic && SameDiskId(d.header.diskId, diskId.c_str()))
            return &d;
    }
    return nullptr;
}

std::vector<MemberExtent> LdmDatabase::Extents(const LdmRecordLinks& links, const LdmComponentRecord& c,
                                               uint32_t bps, bool* allDynamic) const
{
    std::vector<MemberExtent> extents;
    for (const LdmPartitionRecord* p : links.PartitionsOf(c.id)) {
        const LdmDiskRecord* diskRecord = links.disks.Find(p->diskRecord);
        if (!diskRecord)
            continue;
        MemberExtent m;
        m.columnIndex = uint32_t(p->column);
        snprintf(m.diskId, sizeof(m.diskId), "%s", diskRecord->diskId.c_str());
        m.length = ToDiskSectors(p->size, bps);
        m.offset = ToDiskSectors(p->volumeOffset, bps);
        if (const Disk* d = MemberDisk(diskRecord->diskId)) {
            m.device = d->device;
            // Both numbers count 512-byte units: the data-area start is converted too.
            m.start = ToDiskSectors(p->start, bps) + ToDiskSectors(d->header.dataStart, bps);
        } else {
            *allDynamic = false;
        }
        extents.push_back(m);
    }
    std::sort(extents.begin(), extents.end(), [](const MemberExtent& a, const MemberExtent& b) {
        return a.offset != b.offset ? a.offset < b.offset : a.columnIndex < b.columnIndex;
    });
    return extents;
}

uint32_t LdmDatabase::VolumeDeviceType(const LdmVolumeRecord& v, const std::vector<const LdmComponentRecord*>& components,
                                       const std::vector<std::vector<MemberExtent>>& lists)
{
    if (components.empty() || lists.size() != components.size())
        return 0;
    if (v.volumeType == 4)
        return kDynRaid5;
    if (v.volumeType != 3)
        return 0;
    if (components.size() >= 2)
        return kDynMirror;
    if (components[0]->componentType == 3)
        return kDynRaid5;
    if (components[0]->componentType == 1)
        return kDynStriped;
    return lists[0].size() >= 2 ? kDynSpanned : kDynSimple;
}

std::unique_ptr<IDynamicDevice> LdmDatabase::CreateVolumeDevice(uint32_t type, const VolumeDescriptor& d,
                                                                const std::vector<const LdmComponentRecord*>& components,
                                                                const std::vector<std::vector<MemberExtent>>& lists)
{
    if (components.empty() || lists.size() != components.size())
        return nullptr;
    switch (type) {
    case kDynMirror:
        if (components.size() < 2)
            return nullptr;
        return CMirrorVolumeDevice::Create(kDynMirror, d, SubVolume(kDynMirror, d, *components[0], lists[0]),
                                           SubVolume(kDynMirror, d, *components[1], lists[1]));
    case kDynRaid5:
        return CRaid5VolumeDevice::Create(type, d, lists[0]);
    case kDynStriped:
        return CStripedVolumeDevice::Create(type, d, lists[0]);
    case kDynSpanned:
        return CSpannedVolumeDevice::Create(type, d, lists[0]);
    case kDynSimple:
        return CSimpleVolumeDevice::Create(type, d, lists[0]);
    default:
        return nullptr;
    }
}

void LdmDatabase::BuildVolumes(const Disk& disk, LdmRecordSet& set, std::vector<DynamicVolumeEntry>& out)
{
    // Every link is one lookup, so a database of repeated ids costs no more than its records.
    const LdmRecordLinks links(set);
    ListedVolumes listed(out);
    for (const LdmVolumeRecord& v : set.volumes) {
        if ((v.volumeType != 3 && v.volumeType != 4) || links.volumes.Repeated(v.id))
            continue;
        const std::vector<const LdmComponentRecord*>& components = links.ComponentsOf(v.id);
        if (components.empty())
            continue;
        // Every component of a known type with partitions, every partition on a disk record;
        // nothing reached through an id that two records share. The member disks must agree on
        // their sector size: the volume reads every member into one buffer.
        bool usable = true, allDynamic = true;
        uint32_t bps = 0;
        for (const LdmComponentRecord* c : components) {
            const std::vector<const LdmPartitionRecord*>& partitions = links.PartitionsOf(c->id);
            if (c->componentType < 1 || c->componentType > 3 || links.components.Repeated(c->id) || partitions.empty())
                usable = false;
            for (const LdmPartitionRecord* p : partitions) {
                const LdmDiskRecord* diskRecord = links.disks.Find(p->diskRecord);
                if (!diskRecord || links.partitions.Repeated(p->id)) {
                    usable = false;
                    continue;
                }
                if (const Disk* member = MemberDisk(diskRecord->diskId)) {
                    const uint32_t own = member->device->GetBytesPerSector();
                    usable = usable && (bps == 0 || own == bps);
                    bps = own;
                }
            }
        }
        if (!usable)
            continue;
        if (bps == 0)
            bps = disk.device->GetBytesPerSector();
        std::vector<std::vector<MemberExtent>> lists;
        for (const LdmComponentRecord* c : components)
            lists.push_back(Extents(links, *c, bps, &allDynamic));

        const uint32_t type = VolumeDeviceType(v, components, lists);

        VolumeDescriptor d;
        snprintf(d.diskGroupName, sizeof(d.diskGroupName), "%s", disk.header.diskGroupName);
        snprintf(d.volumeName, sizeof(d.volumeName), "%s", v.name.c_str());
        // The partition type's file system until an analyser reads the volume itself.
        d.fileSystem = PartitionTypeToFileSystem(v.partitionType);
        d.totalSectors = ToDiskSectors(v.size, bps);
        // The members' sum when every member is there and fits its disk; else the record's size.
        const std::vector<MemberExtent>& sized = lists[0];
        bool complete = !sized.empty();
        uint64_t sum = 0;
        for (const MemberExtent& m : sized) {
            complete = complete && m.device && m.length <= m.device->GetTotalSectors();
            sum += m.length;
        }
        if (complete)
            d.totalSectors = type == kDynRaid5 ? sum * (sized.size() - 1) / sized.size() : sum;

        std::unique_ptr<IDynamicDevice> device = CreateVolumeDevice(type, d, components, lists);
        if (!device)
            continue;
        if (listed.Holds(out, *device))
            continue;
        DynamicVolumeEntry entry;
        entry.totalSectors = device->GetTotalSectors();
        VolumeTypeName(device->GetVolumeType(), entry.typeName, sizeof(entry.typeName));
        entry.fileSystem = d.fileSystem;
        if (allDynamic && !v.driveHint.empty())
            entry.driveLetter = v.driveHint[0];
        memcpy(entry.volumeGuid, v.guid, 16);
        snprintf(entry.volumeName, sizeof(entry.volumeName), "%s", d.volumeName);
        snprintf(entry.diskGroupName, sizeof(entry.diskGroupName), "%s", d.diskGroupName);
        entry.allMembersDynamic = allDynamic;
        entry.device = std::move(device);
        out.push_back(std::move(entry));
        listed.Add(out, out.size() - 1);
    }
}
