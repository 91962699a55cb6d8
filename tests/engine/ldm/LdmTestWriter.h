// tests/engine/ldm/LdmTestWriter.h
// Writes LDM structures (private header, VBLK records) from their documented layout: no tool on
// the build machine makes dynamic disks.
#pragma once
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/ldm/LdmLayout.h"

namespace ldmtest {

inline void PutBE(unsigned char* p, uint64_t v, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i, v >>= 8)
        p[i] = uint8_t(v);
}

// Record data in the database's variable-length encoding.
class CRecordWriter {
public:
    CRecordWriter& Num(uint64_t v)
    {
        int n = 1;
        while (n < 8 && (v >> (8 * n)))
            ++n;
        data.push_back(uint8_t(n));
        for (int i = n - 1; i >= 0; --i)
            data.push_back(uint8_t(v >> (8 * i)));
        return *this;
    }
    CRecordWriter& Str(const std::string& s)
    {
        data.push_back(uint8_t(s.size()));
        data.insert(data.end(), s.begin(), s.end());
        return *this;
    }
    CRecordWriter& Zeros(size_t n)
    {
        data.insert(data.end(), n, 0);
        return *this;
    }
    CRecordWriter& Byte(uint8_t b)
    {
        data.push_back(b);
        return *this;
    }
    CRecordWriter& Fixed(uint64_t v)
    {
        unsigned char b[8];
        PutBE(b, v, 8);
        data.insert(data.end(), b, b + 8);
        return *this;
    }
    std::vector<unsigned char> data;
};

// Splits a record into VBLK blocks: 104 data bytes in the first, 112 in each further one.
inline std::vector<unsigned char> Blocks(uint32_t group, uint8_t type, uint8_t flags, const std::vector<unsigned char>& data,
                                  int dropFragment = -1)
{
    const size_t more = data.size() > 104 ? (data.size() - 104 + 111) / 112 : 0;
    const uint16_t count = uint16_t(1 + more);
    std::vector<unsigned char> out;
    for (uint16_t f = 0; f < count; ++f) {
        unsigned char b[128] = {};
        memcpy(b, "VBLK", 4);
        PutBE(b + 4, group * 16 + f, 4);
        PutBE(b + 8, group, 4);
        PutBE(b + 12, f, 2);
        PutBE(b + 14, count, 2);
        if (f == 0) {
            b[18] = flags;
            b[19] = type;
            PutBE(b + 20, data.size(), 4);
            memcpy(b + 24, data.data(), std::min<size_t>(104, data.size()));
        } else {
            const size_t at = 104 + (f - 1) * 112;
            memcpy(b + 16, data.data() + at, std::min<size_t>(112, data.size() - at));
        }
        if (f != dropFragment)
            out.insert(out.end(), b, b + 128);
    }
    return out;
}

struct Layout {
    std::vector<unsigned char> area;
    uint32_t group = 1;
    void Add(uint8_t type, uint8_t flags, const CRecordWriter& w)
    {
        const std::vector<unsigned char> b = Blocks(group++, type, flags, w.data);
        area.insert(area.end(), b.begin(), b.end());
    }
    void Volume(uint64_t id, const std::string& name, uint8_t volumeType, uint64_t size, const std::string& hint = "")
    {
        CRecordWriter w;
        w.Num(id).Str(name).Str("gen").Byte(0).Zeros(14).Byte(volumeType).Zeros(1).Byte(1).Zeros(3).Byte(0).Num(1)
            .Zeros(16).Num(size).Zeros(4).Byte(0x07).Zeros(16);
        if (!hint.empty())
            w.Str(hint);
        Add(vblk::kTypeVolume, hint.empty() ? 0 : 2, w);
    }
    void Component(uint64_t id, uint8_t componentType, uint64_t partitions, uint64_t volume)
    {
        CRecordWriter w;
        w.Num(id).Str("comp").Str("ACTIVE").Byte(componentType).Zeros(4).Num(partitions).Zeros(16).Num(volume).Zeros(1);
        Add(vblk::kTypeComponent, 0, w);
    }
    void Partition(uint64_t id, uint64_t start, uint64_t offset, uint64_t size, uint64_t component, uint64_t disk,
                   uint64_t column)
    {
        CRecordWriter w;
        w.Num(id).Str("part").Zeros(12).Fixed(start).Fixed(offset).Num(size).Num(component).Num(disk).Num(column);
        Add(vblk::kTypePartition, 0x08, w);
    }
    // A disk record of type 0x44: the disk id as its 16 raw bytes.
    void DiskRaw(uint64_t id, const unsigned char (&guid)[16])
    {
        CRecordWriter w;
        w.Num(id).Str("Disk");
        w.data.insert(w.data.end(), guid, guid + 16);
        Add(vblk::kTypeDiskRawId, 0, w);
    }
    void Disk(uint64_t id, const std::string& diskId)
    {
        CRecordWriter w;
        w.Num(id).Str("Disk").Str(diskId).Str("");
        Add(vblk::kTypeDisk, 0, w);
    }
};

const uint64_t kDatabaseStart = 3000;  // 512-byte units

// A dynamic disk of `sectors` 512-byte units with its private header at headerSector (the last
// sector when 0) and the group's database.
inline std::vector<unsigned char> DynamicDisk(uint64_t units, uint32_t bps, const std::string& diskId,
                                       const std::vector<unsigned char>& area, uint64_t headerSector = 0)
{
    std::vector<unsigned char> disk(size_t(units * 512));
    const uint64_t sectors = disk.size() / bps;
    // Data sectors carry their own number so reads through a volume can be traced.
    for (uint64_t s = 64 * 512 / bps; s < kDatabaseStart * 512 / bps; ++s)
        PutBE(disk.data() + s * bps, s, 4);
    unsigned char* h = disk.data() + (headerSector ? headerSector : sectors - 1) * bps;
    memcpy(h, "PRIVHEAD", 8);
    memcpy(h + privhead::kDiskId, diskId.data(), diskId.size());
    memcpy(h + privhead::kDiskGroupName, "Group", 5);
    PutBE(h + privhead::kDataStart, 64, 8);
    PutBE(h + privhead::kDatabaseStart, kDatabaseStart, 8);
    if (!area.empty())
        memcpy(disk.data() + kDatabaseStart * 512, area.data(), area.size());
    return disk;
}

inline uint32_t SectorTag(const unsigned char* p) { return uint32_t(GetBE32(p)); }

}  // namespace ldmtest
