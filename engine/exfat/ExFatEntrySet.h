// engine/exfat/ExFatEntrySet.h
// Parses directory entry sets (a File entry, its Stream Extension, its File Name entries) from
// raw directory bytes with a small state machine. The state belongs to the parser object, so
// parsers of different volumes may run side by side.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

struct ExFatEntrySetRecord {
    uint8_t step = 0;        // 0 idle, 1 after File, 2 after Stream, 3+: names taken + 2
    uint8_t remaining = 0;   // secondary entries still expected
    uint64_t dataLength = 0;
    uint32_t firstCluster = 0;
    uint8_t noFatChain = 0;
    uint8_t inUse = 0;
    uint16_t attributes = 0;
    uint32_t create = 0;
    uint32_t modify = 0;
    uint32_t access = 0;
    uint64_t position = 0;   // where the File entry was found
    std::string name;        // ANSI, at most 511 bytes, made when the set is complete
    uint8_t nameLength = 0;  // units, from the Stream Extension
    // The UTF-16 units of the File Name entries taken so far. The name is converted whole: a
    // character may be split across two entries (a surrogate pair, a base letter and its
    // combining mark).
    std::vector<uint16_t> units;
};

class ExFatEntrySetState {
public:
    // Parameters of the entry tests: the volume length in sectors and the two shifts.
    void Begin(uint64_t limit, uint32_t lengthShift, uint32_t clusterShift);
    // Drops the current set and the finished ones.
    void Reset();
    // Feeds every 32-byte entry of buffer; position is the buffer's place on the volume
    // (entry i is at position + 32 i). False at the first entry of an unknown type or one that
    // fails its test. Buffers shorter than 32 bytes are accepted as they are.
    bool Feed(const unsigned char* buffer, size_t bytes, uint64_t position);

    const std::vector<ExFatEntrySetRecord>& Finished() const { return m_finished; }
    // The entry index within the current set.
    uint64_t Index() const { return m_index; }
    uint64_t Limit() const { return m_limit; }
    uint32_t LengthShift() const { return m_lengthShift; }
    uint32_t ClusterShift() const { return m_clusterShift; }
    const ExFatEntrySetRecord& Current() const { return m_record; }
    // The current set can be put aside and taken back whole.
    ExFatEntrySetRecord Save() const { return m_record; }
    void Restore(const ExFatEntrySetRecord& record) { m_record = record; }

private:
    bool FeedEntry(const unsigned char* entry, uint64_t position);
    void ClearSet();

    ExFatEntrySetRecord m_record;
    uint64_t m_index = 0;
    std::vector<ExFatEntrySetRecord> m_finished;
    uint64_t m_limit = 0;
    uint32_t m_lengthShift = 9;
    uint32_t m_clusterShift = 12;
};
