// finder/RecordStore.cpp
#include "finder/RecordStore.h"

#include <unordered_set>

std::shared_ptr<RecordStore> RecordStore::Collect(const FileGroupMap& raw, const SimilarPicturePairs& pairs)
{
    std::shared_ptr<RecordStore> store = std::make_shared<RecordStore>();
    std::unordered_set<FoundFileRecord*> seen;
    seen.reserve(raw.size() + pairs.size());
    auto take = [&](FoundFileRecord* record) {
        if (record && seen.insert(record).second)
            store->m_records.push_back(record);
    };
    for (const auto& entry : raw)
        take(entry.second);
    for (const auto& entry : pairs) {
        take(entry.first);
        take(entry.second);
    }
    return store;
}

RecordStore::~RecordStore()
{
    for (FoundFileRecord* record : m_records)
        delete record;
}
