// finder/RecordStore.h
// The records of one scan. The scan run and the results page share it; the records are freed
// when the last holder lets go, which is at the latest when the next scan starts.
#pragma once
#include <memory>
#include <vector>

#include "finder/FoundFileRecord.h"

class RecordStore
{
public:
    // Takes every record of the raw result and of the pairs (each once, however often it stands).
    static std::shared_ptr<RecordStore> Collect(const FileGroupMap& raw, const SimilarPicturePairs& pairs);

    RecordStore() = default;
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;
    ~RecordStore();

    size_t Count() const { return m_records.size(); }

private:
    std::vector<FoundFileRecord*> m_records;
};
