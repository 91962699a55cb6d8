// finder/FileFinderModel.h
// The finder's entry point: one interface and the process-wide proxy in front of it.
#pragma once
#include <stdint.h>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "finder/FoundFileRecord.h"
#include "finder/SkippedPaths.h"

class IFilesFilter;
class IFileSource;

// What the listing walk fills: files bucketed by size, then by extension. Owns its records.
struct SizeListing
{
    std::map<int64_t, FoundFileRecord*> firstOfSize;       // the first file met of each size
    std::multimap<int64_t, FoundFileRecord*> sameSize;     // every file of a size met twice or more
    std::set<int64_t> duplicatedSizes;
    // size -> lower-case extension -> records (pointers into sameSize)
    std::map<int64_t, std::map<std::string, std::vector<FoundFileRecord*>>> bySizeAndExtension;

    SizeListing() = default;
    SizeListing(const SizeListing&) = delete;
    SizeListing& operator=(const SizeListing&) = delete;
    ~SizeListing();
};

class IFileFinderModel
{
public:
    virtual ~IFileFinderModel() {}
    virtual void ListFiles(std::string folder, SizeListing* listing) = 0;
    // Fills result (raw groups) and pairs (similar pictures); returns when every thread of the
    // search has ended. Every record it creates ends up in one of the two, or is freed.
    virtual void FindDuplicates(std::string folder, FileGroupMap* result, SimilarPicturePairs* pairs) = 0;
    virtual IFileFinderModel* SetSimilarPictures(uint32_t on) = 0;
};

// Builds a fresh model for every search, so nothing of one search survives into the next.
class FileFinderModelProxy : public IFileFinderModel
{
public:
    static FileFinderModelProxy& Instance();

    // Both are set before a scan's worker starts; neither is owned. A null source is the disk.
    void SetFilter(IFilesFilter* filter) { m_filter = filter; }
    void SetFileSource(IFileSource* source) { m_source = source; }

    void ListFiles(std::string folder, SizeListing* listing) override {}
    void FindDuplicates(std::string folder, FileGroupMap* result, SimilarPicturePairs* pairs) override;
    IFileFinderModel* SetSimilarPictures(uint32_t on) override { return this; }

    // Whether the last search could list the folder it was given.
    bool LastFolderListed() const { return m_lastFolderListed; }
    // How many folders the last search could not list (the chosen one included).
    uint32_t LastUnlistableFolders() const { return m_lastUnlistableFolders.count; }
    const SkippedPaths& LastUnlistablePaths() const { return m_lastUnlistableFolders; }
    // How many files of likely groups the last search could not read to compare them.
    uint32_t LastUnreadableFiles() const { return m_lastUnreadableFiles.count; }
    const SkippedPaths& LastUnreadablePaths() const { return m_lastUnreadableFiles; }

private:
    IFilesFilter* m_filter = nullptr;
    IFileSource* m_source = nullptr;
    bool m_lastFolderListed = false;
    SkippedPaths m_lastUnlistableFolders;
    SkippedPaths m_lastUnreadableFiles;
};
