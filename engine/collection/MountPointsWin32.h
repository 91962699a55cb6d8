// engine/collection/MountPointsWin32.h
// Drive letters of partitions and dynamic volumes, asked of Windows, and the machine-wide
// collection over the physical drives.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "engine/collection/PartitionCollection.h"
#include "engine/device/DiskDevice.h"

// The drive letter whose mount path is the volume's root, 0 when none.
char GetVolumePathNames(const unsigned char* volumeGuid);
// The first letter whose DOS device is \Device\HarddiskDmVolumes\<group>\<volume>, 0 when none.
char DynamicVolumeDriveLetter(const char* volumeName, const char* diskGroupName);
// Fills the records' drive letters from the disk's layout and the mount-point manager.
// 0 when the disk has no number or no layout.
int QueryDriveLetters(CDiskDevice& disk, std::vector<PartitionInfo>& records);

// Everything the machine's physical drives hold. The disks own nothing of the entries: they
// must be kept while the entries are used.
struct MachinePartitions {
    std::vector<PartitionEntry> entries;  // devices first released, before the disks
    std::vector<PartitionEntry> lost;
    std::vector<std::unique_ptr<CDiskDevice>> disks;
    ~MachinePartitions()
    {
        entries.clear();
        lost.clear();
    }
};

// Drives 0 to 31; those that open are kept.
void OpenAllPhysicalDisks(std::vector<std::unique_ptr<CDiskDevice>>& disks);
void CollectMachinePartitions(MachinePartitions& out, const char* lostName = "Lost");
