// engine/partition/PartitionTable.h
// Turns the partition table of one basic disk (MBR with its EBR chain, or GPT) into records
// of the partitions found. Parsing is separate from attaching devices: the caller wraps each
// record's sectors in a partition device and keeps the records.
#pragma once
#include <stdint.h>

#include <functional>
#include <vector>

#include "engine/device/StorageDevice.h"
#include "engine/volume/Volume.h"

const uint32_t kPartitionLabelSize = 100;

struct PartitionInfo {
    uint64_t startSector = 0;
    uint64_t lengthSectors = 0;
    char label[kPartitionLabelSize] = {};  // empty when no file system is recognised
    char driveLetter = 0;                  // filled by the mount-point mapping
    uint32_t fileSystem = kFsNone;
};

// What a file-system analyser found on (disk, start, length); code kFsNone when nothing.
struct FileSystemGuess {
    uint32_t code = kFsNone;
    uint64_t totalSectors = 0;  // the file system's own size
    char label[kPartitionLabelSize] = {};
};
using FileSystemProbe = std::function<FileSystemGuess(IStorageDevice& disk, uint64_t start, uint64_t length)>;

enum PartitionTableKind { kTableNone, kTableMbr, kTableGpt, kTableDynamic };

// How the walk went: damage that was worked around or that stopped the walk.
struct PartitionTableReport {
    PartitionTableKind kind = kTableNone;
    bool ebrLoop = false;            // an EBR link led back to an EBR already read
    bool ebrChainTooLong = false;    // more links than any real disk has
    bool gptPrimaryInvalid = false;  // primary header or its entry array failed its checks
    bool gptUsedBackup = false;      // the entries came from the backup header
    bool gptCorrupt = false;         // neither header nor the array at LBA 2 could be trusted
    bool gptBackupInvalid = false;   // the primary is sound but its backup copy is not
    bool gptDiskShorter = false;     // the GPT describes a disk longer than this one
    bool gptWithoutHeader = false;   // the entries were read from LBA 2 with no valid header
    bool gptEntryCut = false;        // an entry ran past the disk's end and was cut to it
};

class CPartitionTableAnalyze {
public:
    virtual ~CPartitionTableAnalyze() {}

    // Appends the partitions of a basic disk to out and returns how many were appended.
    // A dynamic disk (a type 0x42 entry in sector 0) yields 0: LDM reads it. A null probe
    // recognises nothing.
    static int Analyze(IStorageDevice& disk, std::vector<PartitionInfo>& out,
                       const FileSystemProbe& probe = FileSystemProbe(),
                       PartitionTableReport* report = nullptr);

    static bool CheckBootSignature(const unsigned char* sector, uint32_t sectorSize);
    // Every one of the four entries lies inside the sector and has status 0x00 or 0x80.
    static bool CheckStatusBytes(const unsigned char* sector, uint32_t sectorSize);
    static bool IsDynamicDiskSector(const unsigned char* sector, uint32_t sectorSize);
    // An MBR or EBR entry (16 bytes) at base lies within [lower, upper] (its last sector
    // included) and does not reach into an accepted partition from before its start.
    static bool IsEntryUsable(const unsigned char* entry, uint64_t base, uint64_t lower, uint64_t upper,
                              const std::vector<PartitionInfo>& accepted);

    // Longest EBR chain followed; real disks have far fewer logical partitions.
    static constexpr int kMaxEbrLinks = 256;
    // A file system this much smaller or larger than its table entry is listed with both sizes.
    static constexpr uint64_t kSizeMismatchSectors = 32130;
};
