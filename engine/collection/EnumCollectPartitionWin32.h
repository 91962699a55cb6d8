// engine/collection/EnumCollectPartitionWin32.h
// The machine-wide enumeration: every physical disk opened, the mounted volumes listed, the
// partitions and dynamic volumes collected, the unallocated regions large enough to hold a
// lost partition found, and the usage report told. It runs on a thread of its own, started
// when the singleton is first asked for; readers wait for IsDone().
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/collection/EntryComparisons.h"
#include "engine/collection/EnumerationReports.h"
#include "engine/collection/PartitionCollection.h"
#include "engine/device/DiskDevice.h"

class EnumCollectPartition {
public:
    // Set before the singleton is first used. The program's string lookup names the lost
    // regions (key "LostDesc"; "Lost" without one) and the sink takes the usage reports.
    static void SetStringLookup(std::function<std::string(const char* key)> lookup);
    static void SetReportSink(IEnumerationReportSink* sink);

    // Built on first use: starts the enumeration and the network-resource threads.
    static EnumCollectPartition& Instance();
    static bool IsBusy();
    static bool IsDone();

    // One whole enumeration (the enumeration thread's body).
    void EnumThread();
    // Deletes the lost regions, the collected entries' devices and the opened disks.
    void Clear();
    void AddLostPartition(IStorageDevice* disk, uint64_t start, uint64_t length);
    // Appends one record per disk extent of every mounted volume; -2 without the system's
    // volume query, else the number appended.
    int EnumMountedVolumes();
    // The entry's free-space text through the mounted volumes (see FormatEntryFreeSpace).
    int FormatEntryFreeSpace(const PartitionEntry& entry, std::string& text, float& usedPercent, char& driveLetter);

    // The entry carries letter, or carries none and lies over the collected entry that does.
    bool IsOnDriveLetter(const PartitionEntry& entry, char letter) const;

    const std::vector<PartitionEntry>& Collected() const { return m_collected; }
    const std::vector<PartitionEntry>& Lost() const { return m_lost; }
    const std::vector<MountedVolume>& Mounted() const { return m_mounted; }
    const std::vector<std::unique_ptr<CDiskDevice>>& Disks() const { return m_disks; }

    ~EnumCollectPartition();

private:
    EnumCollectPartition();
    static void NetworkThread();
    // The system's number of an opened disk, -1 for any other device.
    DiskNumberOf NumberOfDisk() const;

    std::vector<std::unique_ptr<CDiskDevice>> m_disks;
    std::vector<PartitionEntry> m_collected;
    std::vector<PartitionEntry> m_lost;  // each owns its region's device
    std::vector<MountedVolume> m_mounted;
    std::thread m_enumThread;
    std::thread m_networkThread;
};

// Drives 0 to 31; those that open are kept, described to the sink (when there is one) as a
// disk inventory.
void OpenAllPhysicalDisks(std::vector<std::unique_ptr<CDiskDevice>>& disks, IEnumerationReportSink* sink);
