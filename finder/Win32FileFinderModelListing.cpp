// finder/Win32FileFinderModelListing.cpp
// The listing walk: one breadth-first pass that buckets the accepted files by size and then by
// extension. Nothing in the program runs it; it shares the walk's per-file rules.
#include "finder/Win32FileFinderModel.h"

#include <new>

#include "finder/FilesFilter.h"
#include "finder/GroupKey.h"
#include "finder/ScanState.h"

void Win32FileFinderModel::ListFiles(std::string folder, SizeListing* listing)
{
    if (!listing)
        return;
    std::deque<std::string> queue{folder};
    std::vector<FoundFileRecord*> accepted;
    while (!queue.empty() && !g_scanStop) {
        const std::string current = queue.front();
        queue.pop_front();
        m_source->ListFolder(current, [&](const FolderEntry& entry) {
            if (g_scanStop)
                return false;
            if (entry.name.empty() || entry.IsLink() || (!entry.IsFolder() && entry.IsAway()))
                return true;
            if (entry.IsFolder()) {
                if (entry.name != "." && entry.name != "..")
                    queue.push_back(current + "\\" + entry.name);
                return true;
            }
            const std::string path = current + "\\" + entry.name;
            uint64_t size = entry.size;
            if (size == 0 && !m_source->FileSize(path, &size))
                return true;
            if (size == 0)
                return true;
            g_scanBytesSeen += size;
            if (IsSystemFolder(path, (entry.attributes & FILE_ATTRIBUTE_HIDDEN) != 0))
                return true;
            FoundFileRecord* record = new (std::nothrow) FoundFileRecord;
            if (!record)
                return true;
            record->name = entry.name;
            record->folder = current + "\\";
            record->size = int64_t(size);
            record->attributes = entry.attributes & 0xFF;
            record->time = entry.writeTime;
            if (m_filter && m_filter->IsExcluded(record)) {
                delete record;
                return true;
            }
            auto first = listing->firstOfSize.find(record->size);
            if (first == listing->firstOfSize.end()) {
                listing->firstOfSize.emplace(record->size, record);
                return true;
            }
            if (listing->duplicatedSizes.insert(record->size).second) {
                FoundFileRecord* copy = CopyFoundFileRecord(*first->second);
                if (copy)
                    listing->sameSize.emplace(record->size, copy);
            }
            listing->sameSize.emplace(record->size, record);
            return true;
        });
    }
    // GroupBySize, then GroupByExtension within each size.
    for (int64_t size : listing->duplicatedSizes) {
        if (g_scanCancelled)
            break;
        auto range = listing->sameSize.equal_range(size);
        for (auto it = range.first; it != range.second; ++it)
            listing->bySizeAndExtension[size][GetLowerExtension(it->second->name)].push_back(it->second);
    }
}
