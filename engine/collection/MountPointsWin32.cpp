// engine/collection/MountPointsWin32.cpp
#include "engine/collection/MountPointsWin32.h"

#include <malloc.h>
#include <stdio.h>
#include <string.h>
#include <winioctl.h>

#include <algorithm>
#include <string>

#include "engine/collection/VolumeGuidPath.h"
#include "engine/device/LittleEndian.h"

namespace {

// The mount-point manager's query, laid out by hand: a MOUNTMGR_MOUNT_POINT header of six
// fields (offset u32, length u16, reserved u16 for the link, the unique id and the device),
// and in the answer a u32 size, a u32 count, then count such headers.
const DWORD kQueryPoints = CTL_CODE(0x6D, 2, METHOD_BUFFERED, FILE_ANY_ACCESS);
const size_t kMountPointSize = 24;
const size_t kQueryBufferSize = 1024;

char LetterOfDevice(const std::wstring& deviceName)
{
    HANDLE manager = CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE)
        return 0;
    unsigned char in[kQueryBufferSize] = {};
    unsigned char out[kQueryBufferSize] = {};
    const size_t nameBytes = deviceName.size() * sizeof(wchar_t);
    char letter = 0;
    if (nameBytes <= sizeof(in) - kMountPointSize) {
        PutU32(in + 16, uint32_t(kMountPointSize));
        PutU16(in + 20, uint16_t(nameBytes));
        memcpy(in + kMountPointSize, deviceName.data(), nameBytes);
        DWORD returned = 0;
        if (DeviceIoControl(manager, kQueryPoints, in, DWORD(kMountPointSize + nameBytes), out, sizeof(out), &returned,
                            nullptr) && returned >= 8) {
            const uint32_t count = GetU32(out + 4);
            static const wchar_t kPrefix[] = L"\\DosDevices\\";
            const size_t prefix = 12;
            // Every offset the answer gives is checked against the bytes it returned.
            for (uint32_t i = 0; i < count && 8 + (i + 1) * kMountPointSize <= returned && !letter; ++i) {
                const unsigned char* point = out + 8 + i * kMountPointSize;
                const uint32_t linkOffset = GetU32(point);
                const uint16_t linkLength = GetU16(point + 4);
                if (linkLength < (prefix + 1) * 2 || linkOffset > returned || linkLength > returned - linkOffset)
                    continue;
                std::wstring link(linkLength / 2, 0);
                memcpy(&link[0], out + linkOffset, linkLength);
                if (link.compare(0, prefix, kPrefix) == 0)
                    letter = char(link[prefix]);
            }
        }
    }
    CloseHandle(manager);
    return letter;
}

std::wstring PartitionDeviceName(int diskNumber, int partition)
{
    wchar_t name[64];
    swprintf(name, 64, L"\\Device\\Harddisk%u\\Partition%u", unsigned(diskNumber), unsigned(partition));
    return name;
}

}  // namespace

char GetVolumePathNames(const unsigned char* volumeGuid)
{
    typedef BOOL(WINAPI * PathNamesFn)(LPCSTR, LPCH, DWORD, PDWORD);
    HMODULE kernel = GetModuleHandleA("Kernel32.dll");
    PathNamesFn fn = kernel ? reinterpret_cast<PathNamesFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "GetVolumePathNamesForVolumeNameA"))) : nullptr;
    if (!fn)
        return 0;
    char paths[260] = {};
    DWORD needed = 0;
    if (!fn(VolumeGuidPath(volumeGuid).c_str(), paths, sizeof(paths) - 1, &needed))
        return 0;
    // A drive root such as "E:\" is shorter than 4 characters; a folder mount point is not.
    return paths[0] && strlen(paths) < 4 ? paths[0] : 0;
}

char DynamicVolumeDriveLetter(const char* volumeName, const char* diskGroupName)
{
    const std::string wanted = std::string("\\Device\\HarddiskDmVolumes\\") + diskGroupName + "\\" + volumeName;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char device[3] = {letter, ':', 0};
        char target[1024] = {};
        if (QueryDosDeviceA(device, target, sizeof(target)) && wanted == target)
            return letter;
    }
    return 0;
}

namespace {

// The two layouts differ in their types only: the same walk serves both.
template <typename Layout, typename Entry>
int FindByOffset(const Layout* layout, size_t bytes, uint64_t startSector, uint32_t bytesPerSector)
{
    const size_t header = offsetof(Layout, PartitionEntry);
    if (!layout || bytes < header || bytesPerSector == 0)
        return 0;
    // Only the entries that the returned bytes hold are looked at.
    const size_t count = std::min<size_t>(layout->PartitionCount, (bytes - header) / sizeof(Entry));
    for (size_t i = 0; i < count; ++i) {
        const Entry& p = layout->PartitionEntry[i];
        if (p.PartitionNumber != 0 && uint64_t(p.StartingOffset.QuadPart) / bytesPerSector == startSector)
            return int(p.PartitionNumber);
    }
    return 0;
}

template <typename Layout>
int QueryMountPointsOf(int diskNumber, const Layout* layout, size_t bytes, uint32_t bytesPerSector,
                       std::vector<PartitionInfo>& records)
{
    for (PartitionInfo& r : records) {
        if (const int partition = findPartitionByOffset(layout, bytes, r.startSector, bytesPerSector))
            r.driveLetter = LetterOfDevice(PartitionDeviceName(diskNumber, partition));
    }
    return 1;
}

}  // namespace

int findPartitionByOffset(const DRIVE_LAYOUT_INFORMATION_EX* layout, size_t bytes, uint64_t startSector,
                          uint32_t bytesPerSector)
{
    return FindByOffset<DRIVE_LAYOUT_INFORMATION_EX, PARTITION_INFORMATION_EX>(layout, bytes, startSector, bytesPerSector);
}

int findPartitionByOffset(const DRIVE_LAYOUT_INFORMATION* layout, size_t bytes, uint64_t startSector,
                          uint32_t bytesPerSector)
{
    return FindByOffset<DRIVE_LAYOUT_INFORMATION, PARTITION_INFORMATION>(layout, bytes, startSector, bytesPerSector);
}

int queryMountPoints(int diskNumber, const DRIVE_LAYOUT_INFORMATION_EX* layout, size_t bytes, uint32_t bytesPerSector,
                     std::vector<PartitionInfo>& records)
{
    return QueryMountPointsOf(diskNumber, layout, bytes, bytesPerSector, records);
}

int queryMountPoints(int diskNumber, const DRIVE_LAYOUT_INFORMATION* layout, size_t bytes, uint32_t bytesPerSector,
                     std::vector<PartitionInfo>& records)
{
    return QueryMountPointsOf(diskNumber, layout, bytes, bytesPerSector, records);
}

int QueryDriveLetters(CDiskDevice& disk, std::vector<PartitionInfo>& records)
{
    const int number = disk.GetDiskNumber();
    if (number < 0)
        return 0;
    const uint32_t bps = disk.GetBytesPerSector();
    void* raw = nullptr;
    int result = 0;
    if (disk.DeviceIoControlGrow(&raw, IOCTL_DISK_GET_DRIVE_LAYOUT_EX) && raw) {
        result = queryMountPoints(number, static_cast<const DRIVE_LAYOUT_INFORMATION_EX*>(raw), _msize(raw), bps, records);
    } else if (disk.DeviceIoControlGrow(&raw, IOCTL_DISK_GET_DRIVE_LAYOUT) && raw) {
        // Systems older than the extended layout answer only the classic one.
        result = queryMountPoints(number, static_cast<const DRIVE_LAYOUT_INFORMATION*>(raw), _msize(raw), bps, records);
    }
    free(raw);
    return result;
}
