// finder/DigestTable.h
// Whole-content digests taken while the walk still had a file open for its signature, so that
// a file of a likely group is opened once, not twice. The scan run confirms groups from it and
// digests only what it does not hold. Filled from several threads at once.
#pragma once
#include <mutex>
#include <string>
#include <unordered_map>

#include "finder/FileDigest.h"
#include "finder/FoundFileRecord.h"

struct KnownDigest
{
    DigestOutcome outcome = kDigestUnreadable;
    std::string digest;
    std::string identity;  // file index; empty when it could not be told
};

class DigestTable
{
public:
    explicit DigestTable(int algorithm) : m_algorithm(algorithm) {}
    int Algorithm() const { return m_algorithm; }

    void Put(const FoundFileRecord* record, const KnownDigest& known)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_known[record] = known;
    }
    bool Find(const FoundFileRecord* record, KnownDigest* known) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_known.find(record);
        if (it == m_known.end())
            return false;
        *known = it->second;
        return true;
    }
    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_known.clear();
    }

private:
    const int m_algorithm;
    mutable std::mutex m_mutex;
    std::unordered_map<const FoundFileRecord*, KnownDigest> m_known;
};
