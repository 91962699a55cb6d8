// engine/collection/MountPointsWin32.h
// Drive letters of partitions and dynamic volumes, asked of Windows.
#pragma once
#include <windows.h>
#include <winioctl.h>

#include <vector>

#include "engine/collection/PartitionCollection.h"
#include "engine/device/DiskDevice.h"

// The drive letter whose mount path is the volume's root, 0 when none.
char GetVolumePathNames(const unsigned char* volumeGuid);
// The first letter whose DOS device is \Device\HarddiskDmVolumes\<group>\<volume>, 0 when none.
char DynamicVolumeDriveLetter(const char* volumeName, const char* diskGroupName);
// The number of the layout's partition that starts at startSector, 0 when none; only the
// entries inside the returned bytes are read. One for the extended layout, one for the older.
int findPartitionByOffset(const DRIVE_LAYOUT_INFORMATION_EX* layout, size_t bytes, uint64_t startSector,
                          uint32_t bytesPerSector);
int findPartitionByOffset(const DRIVE_LAYOUT_INFORMATION* layout, size_t bytes, uint64_t startSector,
                          uint32_t bytesPerSector);
// Sets the letter of every record whose partition the mount-point manager maps to \DosDevices\X:.
int queryMountPoints(int diskNumber, const DRIVE_LAYOUT_INFORMATION_EX* layout, size_t bytes, uint32_t bytesPerSector,
                     std::vector<PartitionInfo>& records);
int queryMountPoints(int diskNumber, const DRIVE_LAYOUT_INFORMATION* layout, size_t bytes, uint32_t bytesPerSector,
                     std::vector<PartitionInfo>& records);
// Fills the records' drive letters from the disk's layout (the extended one, else the older
// one) and the mount-point manager. 0 when the disk has no number or no layout.
int QueryDriveLetters(CDiskDevice& disk, std::vector<PartitionInfo>& records);
