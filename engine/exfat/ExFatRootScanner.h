// engine/exfat/ExFatRootScanner.h
// Finds exFAT directories, the root above all, in raw sectors when the boot sector cannot be
// trusted: every sector is read as directory entries, and the entry sets, labels and table
// entries found in a run of sectors gather into a candidate directory.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <map>
#include <memory>
#include <utility>

#include "engine/exfat/ExFatEntrySet.h"

class IStorageDevice;

struct ExFatRootCandidate {
    enum Flag : uint32_t {
        kLabelSeen = 0x1,
        kBitmapSeen = 0x2,
        kUpcaseSeen = 0x4,
        // A Stream Extension or File Name entry came before any File entry, and before any
        // file was taken: the directory began in a sector not read with it.
        kStartsMidSet = 0x8,
    };

    uint32_t lowestFirstCluster = 0xFFFFFFF6;
    uint32_t highestFirstCluster = 0;
    // One past the highest first cluster of the allocation bitmap and the up-case table.
    uint32_t clusterEnd = 2;
    uint32_t sectorSizeValue = 512;
    // Bytes per cluster at most: every directory's data length is a whole number of clusters.
    uint32_t clusterSizeEstimate = 0x2000000;
    uint64_t position = ~uint64_t(0);  // the first sector of the directory
    uint32_t flags = 0;
    uint16_t label[16] = {};
    uint64_t bitmapBits = 0;
    uint32_t upcaseFirstCluster = 0;
    uint64_t upcaseLength = 0;
    uint64_t sectorCount = 0;
    // Files taken, by first cluster: in use, and deleted.
    std::multimap<uint32_t, ExFatEntrySetRecord> files;
    std::multimap<uint32_t, ExFatEntrySetRecord> deletedFiles;
    // A set begun before the first sector, as the parser held it after that sector, and the
    // entry index it had reached; kept by the sector's position so that it can be joined to the
    // start read elsewhere.
    std::map<uint64_t, std::pair<ExFatEntrySetRecord, uint64_t>> openSets;

    // A root directory: its label, allocation bitmap and up-case table entries were all seen.
    bool IsComplete() const { return (flags & (kLabelSeen | kBitmapSeen | kUpcaseSeen)) == (kLabelSeen | kBitmapSeen | kUpcaseSeen); }
    bool HoldsFiles() const { return !files.empty() || !deletedFiles.empty(); }
    void AddFile(const ExFatEntrySetRecord& file);
};

class ExFatRootScanner {
public:
    // Sectors of 1 << bytesPerSectorShift bytes (9 to 12); limit is the volume length in
    // sectors and clusterShift the largest cluster shift a stream may use, for the entry tests.
    ExFatRootScanner(uint32_t bytesPerSectorShift, uint64_t limit, uint32_t clusterShift);

    // Reads one sector's entries into the current candidate. True when the sector ended the
    // current directory: an entry that fails its test, the end marker, a sector with no entry,
    // or as many sectors as the estimated cluster size. A candidate that took entries then
    // joins the finished ones.
    bool ScanSector(const unsigned char* sector, uint64_t sectorNumber);
    // Reads count sectors from first, one at a time; an unreadable sector ends the current
    // directory. The number of candidates found.
    size_t ScanRegion(IStorageDevice* device, uint64_t first, uint64_t count);
    // Ends the current directory (as at the end of a region).
    void Flush();

    // The finished candidates, by position.
    const std::map<uint64_t, ExFatRootCandidate>& Candidates() const { return m_candidates; }
    const ExFatRootCandidate* Find(uint64_t position) const;

private:
    bool ScanEntries(const unsigned char* sector, uint64_t sectorNumber, size_t* taken);

    uint32_t m_shift;
    uint32_t m_entriesPerSector;
    ExFatEntrySetState m_parser;
    std::unique_ptr<ExFatRootCandidate> m_current;
    std::map<uint64_t, ExFatRootCandidate> m_candidates;
};
