// engine/exfat/ExFatEntrySet.cpp
#include "engine/exfat/ExFatEntrySet.h"

#include "engine/device/LittleEndian.h"
#include "engine/exfat/ExFatEntries.h"
#include "engine/exfat/ExFatLayout.h"
#include "engine/volume/WideToAnsi.h"

using namespace exfatlayout;

namespace {

constexpr size_t kMaxNameBytes = 511;

// Bit 5 set or bit 6 clear: not a secondary entry of a file.
bool IsSecondaryType(uint8_t type) { return !(type & 0x20) && (type & 0x40); }

// The name holds the units that the Stream Extension counts (the last File Name entry is
// padded with zeros), converted in one piece.
void ConvertName(ExFatEntrySetRecord& record)
{
    size_t count = record.units.size();
    if (record.nameLength != 0 && record.nameLength < count)
        count = record.nameLength;
    char text[kMaxNameBytes + 1];
    record.name = WideToAnsi(record.units.data(), uint32_t(count), text, sizeof(text)) ? text : "";
}

}  // namespace

void ExFatEntrySetState::Begin(uint64_t limit, uint32_t lengthShift, uint32_t clusterShift)
{
    Reset();
    m_limit = limit;
    m_lengthShift = lengthShift;
    m_clusterShift = clusterShift;
}

void ExFatEntrySetState::Reset()
{
    ClearSet();
    m_finished.clear();
}

void ExFatEntrySetState::ClearSet()
{
    m_record = ExFatEntrySetRecord();
    m_index = 0;
}

bool ExFatEntrySetState::Feed(const unsigned char* buffer, size_t bytes, uint64_t position)
{
    if (!buffer || bytes < kEntrySize)
        return true;
    for (size_t offset = 0; offset + kEntrySize <= bytes; offset += kEntrySize)
        if (!FeedEntry(buffer + offset, position + offset))
            return false;
    return true;
}

bool ExFatEntrySetState::FeedEntry(const unsigned char* e, uint64_t position)
{
    const uint8_t type = e[0];
    const uint8_t inUse = (type & kInUse) ? 1 : 0;
    switch (type) {
    case 0x03: case 0x83:
        return !(type & 0x60) && IsValidVolumeLabelEntry(e);
    case 0x05: case 0x85:
        ClearSet();
        if ((type & 0x60) || !IsValidFileEntry(e))
            return false;
        m_record.step = 1;
        m_record.inUse = inUse;
        m_record.remaining = e[kFileSecondaryCount];
        m_record.attributes = GetU16(e + kFileAttributes);
        m_record.create = GetU32(e + kFileCreate);
        m_record.modify = GetU32(e + kFileModify);
        m_record.access = GetU32(e + kFileAccess);
        m_record.position = position;
        m_index = 1;
        return true;
    case 0x40: case 0xC0:
        if (!IsSecondaryType(type) || e[kStreamReserved1] != 0 ||
            !IsValidStreamEntry(e, m_lengthShift, m_clusterShift, m_limit))
            return false;
        if (m_record.step == 1 && m_index == 1 && m_record.inUse == inUse && m_record.remaining > 0) {
            --m_record.remaining;
            m_record.step = 2;
            m_record.dataLength = GetU64(e + kStreamDataLength);
            m_record.firstCluster = GetU32(e + kStreamFirstCluster);
            m_record.noFatChain = (e[kStreamFlags] & 0x02) ? 1 : 0;
            m_record.nameLength = e[kStreamNameLength];
            ++m_index;
        } else {
            ClearSet();
        }
        return true;
    case 0x41: case 0xC1:
        if (!IsSecondaryType(type) || !IsValidFileNameEntry(e))
            return false;
        if (m_record.inUse == inUse && m_record.step >= 2 && m_record.step == m_index && m_record.remaining > 0) {
            --m_record.remaining;
            ++m_record.step;
            ++m_index;
            for (uint32_t i = 0; i < 15 && GetU16(e + kNameUnits + 2 * i) != 0; ++i)
                m_record.units.push_back(GetU16(e + kNameUnits + 2 * i));
            if (m_record.remaining == 0) {
                ConvertName(m_record);
                m_finished.push_back(m_record);
                ClearSet();
            }
        } else {
            ClearSet();
        }
        return true;
    case 0x81: case 0x82:
        return true;
    default:
        return false;
    }
}
