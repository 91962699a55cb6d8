// engine/image/ChunkCache.cpp
#include "engine/image/ChunkCache.h"

const unsigned char* ChunkCache::Find(uint32_t chunk)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->first == chunk) {
            m_entries.splice(m_entries.begin(), m_entries, it);
            return m_entries.front().second.data();
        }
    }
    return nullptr;
}

const unsigned char* ChunkCache::Insert(uint32_t chunk, const std::vector<unsigned char>& bytes)
{
    if (m_capacity == 0)
        return nullptr;
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->first == chunk) {
            m_entries.erase(it);
            break;
        }
    }
    m_entries.emplace_front(chunk, bytes);
    while (m_entries.size() > m_capacity)
        m_entries.pop_back();
    return m_entries.front().second.data();
}
