// finder/Win32FileFinderModelListing.cpp
// The listing walks: a breadth-first and a depth-first pass that bucket the accepted files by
// size (GroupBySize) and then by extension (GroupByExtension). Nothing in the program runs them;
// they take the same per-file steps as the scan's walk.
#include "finder/Win32FileFinderModel.h"

#include "finder/FilesFilter.h"
#include "finder/ScanState.h"

void Win32FileFinderModel::ListFiles(std::string folder, SizeListing* listing)
{
    if (!listing)
        return;
    std::deque<std::string> queue{folder};
    while (!queue.empty() && !g_scanStop) {
        const std::string current = queue.front();
        queue.pop_front();
        ListOneFolder(
            current, [&](const std::string& sub) { queue.push_back(sub); },
            [&](FoundFileRecord* record, const std::string&) { BucketBySize(listing, record); });
    }
    GroupBySize(listing);
}

// Depth first: each folder's sub-folders, in listing order, before the folders after it. The
// folders still to walk stand on a stack of their own, so that no depth of tree can exhaust the
// thread's stack.
void Win32FileFinderModel::ListFilesDepthFirst(std::string folder, SizeListing* listing)
{
    if (!listing)
        return;
    std::vector<std::string> stack{folder};
    std::vector<std::string> subs;
    while (!stack.empty() && !g_scanStop) {
        const std::string current = stack.back();
        stack.pop_back();
        subs.clear();
        ListOneFolder(
            current, [&](const std::string& sub) { subs.push_back(sub); },
            [&](FoundFileRecord* record, const std::string&) { BucketBySize(listing, record); });
        stack.insert(stack.end(), subs.rbegin(), subs.rend());
    }
    GroupBySize(listing);
}

void Win32FileFinderModel::BucketBySize(SizeListing* listing, FoundFileRecord* record)
{
    auto first = listing->firstOfSize.find(record->size);
    if (first == listing->firstOfSize.end()) {
        listing->firstOfSize.emplace(record->size, record);
        return;
    }
    // The first file of the size, now that it has company, joins the others as a copy.
    if (listing->duplicatedSizes.insert(record->size).second) {
        if (FoundFileRecord* copy = CopyFoundFileRecord(*first->second))
            listing->sameSize.emplace(record->size, copy);
    }
    listing->sameSize.emplace(record->size, record);
}

void Win32FileFinderModel::GroupBySize(SizeListing* listing)
{
    for (int64_t size : listing->duplicatedSizes) {
        if (g_scanCancelled)
            break;
        GroupByExtension(listing, size);
    }
}

void Win32FileFinderModel::GroupByExtension(SizeListing* listing, int64_t size)
{
    auto range = listing->sameSize.equal_range(size);
    for (auto it = range.first; it != range.second; ++it)
        listing->bySizeAndExtension[size][ExtensionOf(it->second)].push_back(it->second);
}
