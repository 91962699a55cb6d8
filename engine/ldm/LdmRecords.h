// engine/ldm/LdmRecords.h
// Records of the LDM database: reassembled from VBLK fragments, then parsed by type.
#pragma once
#include <stdint.h>

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// Reads a field of record data: every read is bounded by the record's end.
class CLdmFieldReader {
public:
    CLdmFieldReader(const unsigned char* data, size_t size, size_t pos) : m_data(data), m_size(size), m_pos(pos) {}
    // A length byte L (1 to 64, inside the record), then L bytes big-endian; all ones and one
    // byte consumed when L is wrong. Longer numbers keep their last 8 bytes.
    uint64_t ReadVarNumber();
    // A length byte L, then L bytes; empty and one byte consumed when L is wrong.
    std::string ReadVarString();
    uint64_t Fixed64();  // 8 bytes big-endian; all ones past the end
    uint8_t Byte();      // 0 past the end
    void Skip(size_t n) { m_pos = n > m_size - Pos() ? m_size : m_pos + n; }
    uint8_t PeekByte() const { return m_pos < m_size ? m_data[m_pos] : 0; }
    size_t Pos() const { return m_pos < m_size ? m_pos : m_size; }
    const unsigned char* Bytes(size_t n);  // null past the end; consumes n

private:
    const unsigned char* m_data;
    size_t m_size;
    size_t m_pos;
};

// Whole records (header and data) out of the database area's blocks. A record whose
// fragments are not all there, or whose size disagrees with its fragment count, is dropped.
std::vector<std::vector<unsigned char>> AssembleLdmRecords(const unsigned char* area, size_t size);

struct LdmVolumeRecord {
    uint64_t id = 0;
    std::string name, typeText;
    uint8_t volumeType = 0, volumeNumber = 0, volumeFlags = 0, partitionType = 0;
    uint64_t components = 0, size = 0;
    unsigned char guid[16] = {};
    std::string driveHint;
};
struct LdmComponentRecord {
    uint64_t id = 0;
    std::string name, state;
    uint8_t componentType = 0;  // 1 striped, 2 spanned or simple, 3 RAID-5
    uint64_t partitions = 0, parentVolume = 0, stripeSize = 0, columns = 0;
};
struct LdmPartitionRecord {
    uint64_t id = 0;
    std::string name;
    uint64_t start = 0, volumeOffset = 0, size = 0, parentComponent = 0, diskRecord = 0, column = 0;
};
struct LdmDiskRecord {
    uint64_t id = 0;
    std::string name, diskId, altName;
};

struct LdmRecordSet {
    std::vector<LdmVolumeRecord> volumes;
    std::vector<LdmComponentRecord> components;
    std::vector<LdmPartitionRecord> partitions;
    std::vector<LdmDiskRecord> disks;
};

// Parses one assembled record into the set; other types are ignored.
void ParseLdmRecord(const std::vector<unsigned char>& record, LdmRecordSet& set);

// Records of one kind by object id. An id that two records of the kind share is damage: which
// of them is meant cannot be told, so Find answers neither.
template <class Record>
class LdmRecordsById {
public:
    void Add(const Record& r)
    {
        if (!m_first.emplace(r.id, &r).second)
            m_repeated.insert(r.id);
    }
    const Record* Find(uint64_t id) const
    {
        if (m_repeated.count(id))
            return nullptr;
        const auto found = m_first.find(id);
        return found == m_first.end() ? nullptr : found->second;
    }
    bool Repeated(uint64_t id) const { return m_repeated.count(id) != 0; }
    size_t RepeatedIds() const { return m_repeated.size(); }

private:
    std::unordered_map<uint64_t, const Record*> m_first;
    std::unordered_set<uint64_t> m_repeated;
};

// The links of a record set, each looked up once: components by their volume, partitions by
// their component, and every kind by id. Holds pointers into the set, which must outlive it.
struct LdmRecordLinks {
    explicit LdmRecordLinks(const LdmRecordSet& set);
    // Empty when none.
    const std::vector<const LdmComponentRecord*>& ComponentsOf(uint64_t volume) const;
    const std::vector<const LdmPartitionRecord*>& PartitionsOf(uint64_t component) const;
    // Records whose id another record of their kind carries too.
    size_t RepeatedIds() const;

    LdmRecordsById<LdmVolumeRecord> volumes;
    LdmRecordsById<LdmComponentRecord> components;
    LdmRecordsById<LdmPartitionRecord> partitions;
    LdmRecordsById<LdmDiskRecord> disks;

private:
    std::unordered_map<uint64_t, std::vector<const LdmComponentRecord*>> m_componentsOf;
    std::unordered_map<uint64_t, std::vector<const LdmPartitionRecord*>> m_partitionsOf;
};
