// finder/Win32FileFinderModel.h
// The finder's engine, one object per search. The top level is listed on the caller's thread,
// its sub-folders by three walker threads. Every accepted file is first only listed: a file
// whose size and extension no other file shares cannot be in a group and is never opened. The
// others are compared in full with the files of their size and extension (ContentMatch.h); the
// raw result keys them by size, extension and the content they share.
// With similar pictures on, pictures are hashed by the picture library and compared, in order,
// on one comparison thread.
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "finder/FileFinderModel.h"
#include "finder/FileSource.h"
#include "finder/SkippedPaths.h"
#include "finder/SystemFolder.h"
#include "finder/WalkerSplit.h"
#include "finder/picturehash/PictureHash.h"

class IFilesFilter;

class Win32FileFinderModel : public IFileFinderModel
{
public:
    // A null filter filters nothing and finds no picture; a null source is the disk.
    explicit Win32FileFinderModel(IFilesFilter* filter, IFileSource* source = nullptr);
    ~Win32FileFinderModel() override;

    void ListFiles(std::string folder, SizeListing* listing) override;
    // The same listing, depth first.
    void ListFilesDepthFirst(std::string folder, SizeListing* listing);
    void FindDuplicates(std::string folder, FileGroupMap* result, SimilarPicturePairs* pairs) override;
    IFileFinderModel* SetSimilarPictures(uint32_t on) override;
    // The search's walk (top level here, sub-folders on the walker threads) that sends every file
    // the filter lets through to the picture matcher, whatever its type, and keys none: pairs
    // gets what looks alike. Nothing is walked while similar pictures are off or the picture
    // library is missing. Returns when every thread of it has ended.
    void FindSimilarFiles(std::string folder, SimilarPicturePairs* pairs);

    // Entry points that take the place of the library's (tests); the library is then not loaded.
    void SetPictureLibrary(AHashValueFn hash, IsMaybeSimilarPicturesFn compare);
    // Pictures larger than this are keyed as ordinary files (they are read whole to be hashed).
    void SetPictureReadLimit(uint32_t bytes) { m_pictureReadLimit = bytes; }
    static constexpr uint32_t kDefaultPictureReadLimit = 64u * 1024 * 1024;

    bool IsSystemFolder(const std::string& path, bool hidden) const;

    // Folders that could not be listed during the last search, and whether the chosen one was.
    uint32_t UnlistableFolders() const { return m_unlistableFolders.count; }
    const SkippedPaths& UnlistablePaths() const { return m_unlistableFolders; }
    bool TopFolderListed() const { return m_topFolderListed; }
    // Files of a likely group that could not be opened or read to be compared.
    uint32_t UnreadableFiles() const { return m_unreadableFiles.count; }
    const SkippedPaths& UnreadablePaths() const { return m_unreadableFiles; }

private:
    void LoadPictureLibrary();
    void WalkTopFolder(const std::string& folder);
    void RunWalkers();
    void WalkPendingFolders(int walker);
    // Lists one folder: sub-folders go to onSubFolder, every file that the walk accepts to
    // onFile. False when the stop flag ended the listing.
    bool ListOneFolder(const std::string& folder, const std::function<void(const std::string&)>& onSubFolder,
                       const std::function<void(FoundFileRecord*, const std::string& path)>& onFile);
    void LeftOut(const FolderEntry& entry, const std::string& path);
    // What the files of one folder share while it is listed.
    struct FolderFiles
    {
        SharedFolder folder;
        FolderSystemTest system;
        uint64_t listed = 0;  // not yet added to the scan's counters
        uint64_t bytes = 0;
        void Flush();
    };
    // The steps every walk takes for one file: its size, the system-folder test, the record and
    // the filter. Null when the file is left out.
    FoundFileRecord* AcceptEntry(const std::string& path, FolderFiles& files, const FolderEntry& entry);
    void AcceptCandidate(FoundFileRecord* record, const std::string& path, std::vector<FoundFileRecord*>& candidates);
    // The extension a record is keyed and sorted by.
    std::string ExtensionOf(const FoundFileRecord* record);
    static const FoundFileRecord& JudgedByExtension(const FoundFileRecord& record, const std::string& extension,
                                                    FoundFileRecord& probe);
    void KeyCandidates();
    void BucketBySize(SizeListing* listing, FoundFileRecord* record);
    void GroupBySize(SizeListing* listing);
    void GroupByExtension(SizeListing* listing, int64_t size);

    bool PicturesOn() const;
    bool QueuePicture(const std::string& path, FoundFileRecord* record);
    bool HashPictureFile(const std::string& path, FoundFileRecord* record, unsigned char* hash, std::string* identity);
    void StartComparisonThread();
    void FinishPictures();
    void ComparePicture(PictureRecord* picture);
    void DropPicture(PictureRecord* picture);

    static DWORD WINAPI WalkerThreadProc(void* context);
    static DWORD WINAPI ComparisonThreadProc(void* context);

    IFilesFilter* m_filter;
    IFileSource* m_source;
    FileGroupMap* m_result = nullptr;
    SimilarPicturePairs* m_pairs = nullptr;

    std::vector<PictureRecord*> m_keptPictures;   // comparison thread only
    std::deque<PictureRecord*> m_pictureQueue;    // under the picture lock
    // Volume and file index of each queued picture (under the picture lock; absent when it
    // cannot be told), and of every picture already kept or paired (comparison thread only).
    std::unordered_map<const PictureRecord*, std::string> m_pictureFiles;
    std::set<std::string> m_comparedFiles;
    bool m_noMorePictures = false;
    HANDLE m_comparisonThread = nullptr;
    CRITICAL_SECTION m_pictureLock;
    CONDITION_VARIABLE m_pictureQueued;

    std::vector<std::string> m_pendingFolders;    // the top level's sub-folders, listing order
    std::deque<std::string> m_ownQueue[kWalkerCount];
    std::deque<std::string> m_sharedQueue;        // under the result lock
    CRITICAL_SECTION m_resultLock;
    CONDITION_VARIABLE m_walkerWake;              // shared folder queued or a walker went idle
    int m_walkerFinished[kWalkerCount] = {0, 0, 0};  // under the result lock

    // Accepted files waiting to be keyed: the top level's, then one list per walker.
    std::vector<FoundFileRecord*> m_candidates[kWalkerCount + 1];
    // Files reached by their short name ("FOTO~1.JPE"): the extension of the long name
    // ("jpeg"), which is what they are keyed and sorted by. Under the result lock.
    std::unordered_map<const FoundFileRecord*, std::string> m_longExtensions;

    // The precision this search was started with, for all of it: pictures queued after a
    // change of it are still judged as the first ones were.
    const int m_percent;
    uint32_t m_similarPictures;
    AHashValueFn m_hashValue = nullptr;
    IsMaybeSimilarPicturesFn m_isSimilar = nullptr;
    uint32_t m_pictureReadLimit = kDefaultPictureReadLimit;
    SkippedPaths m_unlistableFolders;  // under the result lock while walkers run
    SkippedPaths m_unreadableFiles;   // under the result lock while walkers run
    bool m_topFolderListed = false;
    bool m_everyFileToPictures = false;  // FindSimilarFiles: no picture test, no keying
};
