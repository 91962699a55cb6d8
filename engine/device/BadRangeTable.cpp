// engine/device/BadRangeTable.cpp
#include "engine/device/BadRangeTable.h"

#include <new>

namespace {

const uint32_t kNotEnoughMemory = 8;  // ERROR_NOT_ENOUGH_MEMORY
const uint32_t kInvalidParameter = 87;  // ERROR_INVALID_PARAMETER

}  // namespace

void BadRangeTable::SetSectorSize(uint32_t bytesPerSector)
{
    m_bytesPerSector = bytesPerSector ? bytesPerSector : 512;
}

uint32_t BadRangeTable::AddRange(uint64_t start, uint64_t end)
{
    if (end <= start)
        return kInvalidParameter;
    std::lock_guard<std::mutex> hold(m_lock);
    auto found = m_ranges.find(start);
    if (found != m_ranges.end()) {
        if (end > found->second.end)
            found->second.end = end;
        return 0;
    }
    try {
        m_ranges.emplace(start, BadRange{start, end});
    } catch (const std::bad_alloc&) {
        return kNotEnoughMemory;
    }
    return 0;
}

int BadRangeTable::Overlaps(uint64_t first, uint64_t end)
{
    if (end <= first)
        return 0;
    std::lock_guard<std::mutex> hold(m_lock);
    // Half-open on both sides: a read that ends where a bad range starts, or starts where it
    // ends, reads only good sectors and must reach the disk, not come back as zeros.
    for (const auto& entry : m_ranges) {
        const BadRange& range = entry.second;
        if (range.start >= end)
            break;
        if (first < range.end)
            return 1;
    }
    return 0;
}

int BadRangeTable::Lookup(uint64_t start, BadRange* out)
{
    std::lock_guard<std::mutex> hold(m_lock);
    auto found = m_ranges.find(start);
    if (found == m_ranges.end())
        return 0;
    if (out)
        *out = found->second;
    return 1;
}

int BadRangeTable::Remove(uint64_t start)
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_ranges.erase(start) ? 1 : 0;
}

std::vector<BadRange> BadRangeTable::CopyRanges()
{
    std::lock_guard<std::mutex> hold(m_lock);
    std::vector<BadRange> out;
    for (const auto& entry : m_ranges)
        out.push_back(entry.second);
    return out;
}

void BadRangeTable::Clear()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_ranges.clear();
}
