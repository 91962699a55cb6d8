// engine/report/DiskReport.h
// What the engine sees on a set of disks, through its own entry points (the partition walk, the
// collection of partitions and dynamic volumes, the volume analysers), as plain text lines a
// person or a script can read: one line per disk, partition and dynamic volume.
#pragma once
#include <stdint.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/device/StorageDevice.h"
#include "engine/partition/PartitionTable.h"

struct VolumeReport {
    bool dynamic = false;
    std::string layout;          // dynamic volumes: "SIMPLE", "MIRROR", ...
    int disk = -1;               // basic partitions: the disk's index in the list
    uint64_t start = 0;          // basic partitions: first sector on the disk
    uint64_t length = 0;         // sectors of the partition or volume
    uint32_t fileSystem = 9;     // the first usable analyser's code
    uint64_t fileSystemSectors = 0;
    std::string label;           // as the analyser gives it (the ANSI code page)
    std::vector<int> memberDisks;  // dynamic volumes: the disks of the present members
};

struct DiskReportLine {
    uint64_t sectors = 0;
    uint32_t sectorSize = 0;
    PartitionTableReport table;
    // Sectors the reads met in damaged chunks of a disk image, [first, end): they read as
    // zeros, so what the report says about them is not the disk's.
    std::vector<std::pair<uint64_t, uint64_t>> damaged;
};

struct DiskReport {
    std::vector<DiskReportLine> disks;
    std::vector<VolumeReport> volumes;  // basic partitions by disk and start, then dynamic volumes
};

// Reads every disk (none is owned; null ones are listed as empty disks).
DiskReport BuildDiskReport(const std::vector<IStorageDevice*>& disks);

// The report as lines:
//   disk 0 sectors=N sector-size=512 table=MBR|GPT|dynamic|none [gpt-backup-used] [gpt-entry-cut] ...
// (table=none: no partition table, a file system over the whole disk or nothing at all)
//   ... damaged-sectors=0-255,1024-1279    (first-last, when a disk image has damaged chunks)
//   partition disk=0 start=S sectors=N fs=FAT32 fs-sectors=N label="..."
//   dynamic layout=MIRROR sectors=N disks=0,1 fs=NTFS fs-sectors=N label="..."
// A label's '"' and '\' and control bytes are written as \xHH so a line always parses.
// `label` turns the engine's label bytes into the text shown (e.g. the ANSI code page to
// UTF-8); without it the bytes are written as they are.
std::string FormatDiskReport(const DiskReport& report, std::string (*label)(const std::string&) = nullptr);
