// engine/image/ChunkCache.h
// The last chunks of a split image that were decoded, so that reading a chunk sector by
// sector decodes it once instead of once per sector (an LZMA chunk takes milliseconds).
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <list>
#include <utility>
#include <vector>

// How many decoded chunks an image device keeps: 128 KiB each with 512-byte sectors.
const size_t kImageCachedChunks = 8;

class ChunkCache {
public:
    explicit ChunkCache(size_t capacity) : m_capacity(capacity) {}

    // The decoded bytes of `chunk`, made the most recent; null when not kept.
    const unsigned char* Find(uint32_t chunk);
    // Keeps a copy of the bytes as the most recent chunk, dropping the least recent beyond the
    // capacity; the copy, or null when the capacity is 0.
    const unsigned char* Insert(uint32_t chunk, const std::vector<unsigned char>& bytes);
    size_t Capacity() const { return m_capacity; }
    size_t Size() const { return m_entries.size(); }

private:
    size_t m_capacity;
    std::list<std::pair<uint32_t, std::vector<unsigned char>>> m_entries;  // most recent first
};
