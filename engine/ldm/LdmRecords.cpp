// engine/ldm/LdmRecords.cpp
#include "engine/ldm/LdmRecords.h"

#include <stdio.h>
#include <string.h>

#include <map>
#include <set>

#include "engine/ldm/LdmLayout.h"

namespace {
const size_t kMaxVarNumberLength = 64;
const size_t kMaxNameLength = 128;

std::string Cut(std::string text, size_t size)
{
    if (text.size() > size)
        text.resize(size);
    return text;
}
}  // namespace

uint64_t CLdmFieldReader::ReadVarNumber()
{
    const size_t pos = Pos();
    if (pos >= m_size)
        return ~uint64_t(0);
    const size_t length = m_data[pos];
    if (length < 1 || length > kMaxVarNumberLength || length > m_size - pos - 1) {
        m_pos = pos + 1;
        return ~uint64_t(0);
    }
    uint64_t value = 0;
    for (size_t i = 0; i < length; ++i)
        value = (value << 8) | m_data[pos + 1 + i];
    m_pos = pos + 1 + length;
    return value;
}

std::string CLdmFieldReader::ReadVarString()
{
    const size_t pos = Pos();
    if (pos >= m_size)
        return std::string();
    const size_t length = m_data[pos];
    if (length < 1 || length > m_size - pos - 1) {
        m_pos = pos + 1;
        return std::string();
    }
    m_pos = pos + 1 + length;
    return std::string(reinterpret_cast<const char*>(m_data + pos + 1), length);
}

const unsigned char* CLdmFieldReader::Bytes(size_t n)
{
    const size_t pos = Pos();
    if (n > m_size - pos) {
        m_pos = m_size;
        return nullptr;
    }
    m_pos = pos + n;
    return m_data + pos;
}

uint64_t CLdmFieldReader::Fixed64()
{
    const unsigned char* p = Bytes(8);
    return p ? GetBE64(p) : ~uint64_t(0);
}

uint8_t CLdmFieldReader::Byte()
{
    const unsigned char* p = Bytes(1);
    return p ? *p : 0;
}

std::vector<std::vector<unsigned char>> AssembleLdmRecords(const unsigned char* area, size_t size)
{
    // First fragments are only noted here; a record's bytes are allocated once its
    // continuations are known to be there, and each group is assembled once. So the records
    // together never take more memory than the blocks they come from, whatever the area holds.
    std::vector<const unsigned char*> firsts;
    std::map<uint32_t, std::vector<const unsigned char*>> continuations;  // in area order
    const size_t blocks = size / vblk::kBlockSize;
    for (size_t b = 0; b < blocks; ++b) {
        const unsigned char* block = area + b * vblk::kBlockSize;
        if (memcmp(block + vblk::kSignature, "VBLK", 4) != 0)
            continue;
        const uint32_t group = GetBE32(block + vblk::kGroup);
        const uint16_t fragment = GetBE16(block + vblk::kFragment);
        const uint16_t count = GetBE16(block + vblk::kFragmentCount);
        if (group > 0 && count > 0 && fragment == 0)
            firsts.push_back(block);
        else if (group != 0 && count >= 2 && fragment != 0)
            continuations[group].push_back(block);
    }
    std::set<uint32_t> assembled;
    std::vector<std::vector<unsigned char>> records;
    for (const unsigned char* block : firsts) {
        const uint32_t group = GetBE32(block + vblk::kGroup);
        const uint16_t count = GetBE16(block + vblk::kFragmentCount);
        const uint64_t dataSize = GetBE32(block + vblk::kDataSize);
        // The size is bounded by what the record's fragments can carry.
        if (dataSize > vblk::kFirstData + uint64_t(count - 1) * vblk::kMoreData)
            continue;
        // A second first fragment of a group is damage: the group's continuations are not
        // handed out twice.
        if (!assembled.insert(group).second)
            continue;
        const auto found = continuations.find(group);
        const size_t available = found == continuations.end() ? 0 : found->second.size();
        if (count >= 2 && dataSize > vblk::kFirstData && available + 1 < count)
            continue;  // fragments missing: ignored
        std::vector<unsigned char> bytes(size_t(dataSize) + vblk::kHeaderSize, 0);
        memcpy(bytes.data(), block, bytes.size() < vblk::kBlockSize ? bytes.size() : vblk::kBlockSize);
        if (count >= 2 && dataSize > vblk::kFirstData) {
            size_t filled = vblk::kBlockSize;
            uint32_t next = 1;
            for (const unsigned char* c : found->second) {
                if (GetBE16(c + vblk::kFragment) != next)
                    continue;
                size_t n = bytes.size() - filled;
                if (n > vblk::kMoreData)
                    n = vblk::kMoreData;
                memcpy(bytes.data() + filled, c + vblk::kContinuationData, n);
                filled += n;
                ++next;
            }
            if (filled != bytes.size() || next != count)
                continue;  // incomplete: ignored
        }
        records.push_back(std::move(bytes));
    }
    return records;
}

void ParseLdmRecord(const std::vector<unsigned char>& record, LdmRecordSet& set)
{
    if (record.size() < vblk::kHeaderSize)
        return;
    const uint8_t flags = record[vblk::kFlags];
    CLdmFieldReader r(record.data(), record.size(), vblk::kHeaderSize);
    switch (record[vblk::kType]) {
    case vblk::kTypeComponent: {
        LdmComponentRecord c;
        c.id = r.ReadVarNumber();
        c.name = Cut(r.ReadVarString(), kMaxNameLength);
        c.state = Cut(r.ReadVarString(), 15);
        c.componentType = r.Byte();
        r.Skip(4);
        c.partitions = r.ReadVarNumber();
        r.Skip(16);
        c.parentVolume = r.ReadVarNumber();
        r.Skip(1);
        if (flags == 0x10) {
            c.stripeSize = r.ReadVarNumber();
            c.columns = r.ReadVarNumber();
        }
        set.components.push_back(c);
        break;
    }
    case vblk::kTypePartition: {
        LdmPartitionRecord p;
        p.id = r.ReadVarNumber();
        p.name = Cut(r.ReadVarString(), kMaxNameLength);
        r.Skip(4 + 8);
        p.start = r.Fixed64();
        p.volumeOffset = r.Fixed64();
        p.size = r.ReadVarNumber();
        p.parentComponent = r.ReadVarNumber();
        p.diskRecord = r.ReadVarNumber();
        if (flags == 0x08 || flags == 0x48)
            p.column = r.ReadVarNumber();
        set.partitions.push_back(p);
        break;
    }
    case vblk::kTypeDisk: {
        LdmDiskRecord d;
        d.id = r.ReadVarNumber();
        d.name = Cut(r.ReadVarString(), kMaxNameLength);
        d.diskId = Cut(r.ReadVarString(), 64);
        d.altName = Cut(r.ReadVarString(), kMaxNameLength);
        set.disks.push_back(d);
        break;
    }
    case vblk::kTypeDiskRawId: {
        LdmDiskRecord d;
        d.id = r.ReadVarNumber();
        d.name = Cut(r.ReadVarString(), kMaxNameLength);
        // The raw id as the header's text writes it, so the two can be matched.
        if (const unsigned char* g = r.Bytes(16)) {
            char text[40];
            snprintf(text, sizeof(text), "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x",
                     g[0], g[1], g[2], g[3], g[4], g[5], g[6], g[7], g[8], g[9], g[10], g[11], g[12], g[13], g[14], g[15]);
            d.diskId = text;
        }
        set.disks.push_back(d);
        break;
    }
    case vblk::kTypeVolume: {
        LdmVolumeRecord v;
        v.id = r.ReadVarNumber();
        v.name = Cut(r.ReadVarString(), kMaxNameLength);
        v.typeText = Cut(r.ReadVarString(), kMaxNameLength);
        if (r.PeekByte() != 0)
            r.ReadVarString();
        else
            r.Skip(1);
        r.Skip(14);  // state
        v.volumeType = r.Byte();
        r.Skip(1);
        v.volumeNumber = r.Byte();
        r.Skip(3);
        v.volumeFlags = r.Byte();
        v.components = r.ReadVarNumber();
        r.Skip(16);
        v.size = r.ReadVarNumber();
        r.Skip(4);
        v.partitionType = r.Byte();
        if (const unsigned char* g = r.Bytes(16))
            memcpy(v.guid, g, 16);
        if (flags == 2)
            v.driveHint = Cut(r.ReadVarString(), 19);
        set.volumes.push_back(v);
        break;
    }
    default:
        break;
    }
}

LdmRecordLinks::LdmRecordLinks(const LdmRecordSet& set)
{
    for (const LdmVolumeRecord& v : set.volumes)
        volumes.Add(v);
    for (const LdmComponentRecord& c : set.components) {
        components.Add(c);
        m_componentsOf[c.parentVolume].push_back(&c);
    }
    for (const LdmPartitionRecord& p : set.partitions) {
        partitions.Add(p);
        m_partitionsOf[p.parentComponent].push_back(&p);
    }
    for (const LdmDiskRecord& d : set.disks)
        disks.Add(d);
}

const std::vector<const LdmComponentRecord*>& LdmRecordLinks::ComponentsOf(uint64_t volume) const
{
    static const std::vector<const LdmComponentRecord*> kNone;
    const auto found = m_componentsOf.find(volume);
    return found == m_componentsOf.end() ? kNone : found->second;
}

const std::vector<const LdmPartitionRecord*>& LdmRecordLinks::PartitionsOf(uint64_t component) const
{
    static const std::vector<const LdmPartitionRecord*> kNone;
    const auto found = m_partitionsOf.find(component);
    return found == m_partitionsOf.end() ? kNone : found->second;
}

size_t LdmRecordLinks::RepeatedIds() const
{
    return volumes.RepeatedIds() + components.RepeatedIds() + partitions.RepeatedIds() + disks.RepeatedIds();
}
