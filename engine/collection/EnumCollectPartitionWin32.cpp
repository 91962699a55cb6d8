// engine/collection/EnumCollectPartitionWin32.cpp
#include "engine/collection/EnumCollectPartitionWin32.h"

#include <winioctl.h>
#include <winternl.h>

#include <mutex>

#include "engine/DriveFreeSpace.h"
#include "engine/collection/MountPointsWin32.h"
#include "engine/device/BasicPartitionDevice.h"

namespace {

std::atomic<uint32_t> g_busy(0);
std::atomic<uint32_t> g_done(0);

struct Hooks {
    std::mutex lock;
    std::function<std::string(const char*)> lookup;
    IEnumerationReportSink* sink = nullptr;
};
Hooks& TheHooks()
{
    static Hooks hooks;
    return hooks;
}

std::string LostText()
{
    std::function<std::string(const char*)> lookup;
    {
        std::lock_guard<std::mutex> hold(TheHooks().lock);
        lookup = TheHooks().lookup;
    }
    const std::string text = lookup ? lookup("LostDesc") : std::string();
    return text.empty() ? std::string("Lost") : text;
}

IEnumerationReportSink* Sink()
{
    std::lock_guard<std::mutex> hold(TheHooks().lock);
    return TheHooks().sink;
}

// FileFsSizeInformation (class 3): total and available units, sectors per unit, bytes per sector.
typedef LONG(WINAPI* QueryVolumeInformationFn)(HANDLE, void* ioStatus, void* info, ULONG length, int infoClass);
const int kFileFsSizeInformation = 3;

CollectionDisk DescribeDisk(CDiskDevice& disk)
{
    CollectionDisk cd;
    cd.device = &disk;
    DiskDescription description;
    if (disk.GetDeviceDescription(&description)) {
        cd.busType = description.busType;
        cd.line = FormatDiskLine(description.vendor, description.product, description.busTypeName);
    }
    return cd;
}

}  // namespace

void EnumCollectPartition::SetStringLookup(std::function<std::string(const char* key)> lookup)
{
    std::lock_guard<std::mutex> hold(TheHooks().lock);
    TheHooks().lookup = std::move(lookup);
}

void EnumCollectPartition::SetReportSink(IEnumerationReportSink* sink)
{
    std::lock_guard<std::mutex> hold(TheHooks().lock);
    TheHooks().sink = sink;
}


bool EnumCollectPartition::IsBusy() { return g_busy.load() != 0; }
bool EnumCollectPartition::IsDone() { return g_done.load() != 0; }

EnumCollectPartition& EnumCollectPartition::Instance()
{
    static EnumCollectPartition instance;
    return instance;
}

EnumCollectPartition::EnumCollectPartition()
{
    m_enumThread = std::thread([this] { EnumThread(); });
    m_networkThread = std::thread(NetworkThread);
}

EnumCollectPartition::~EnumCollectPartition()
{
    if (m_enumThread.joinable())
        m_enumThread.join();
    if (m_networkThread.joinable())
        m_networkThread.join();
    Clear();
}

// Touches the network resources once (results unused), so that later lookups of network
// drives do not wait for the redirector. Looked up at run time: no link to Mpr.
void EnumCollectPartition::NetworkThread()
{
    HMODULE mpr = LoadLibraryA("Mpr.dll");
    if (!mpr)
        return;
    typedef DWORD(WINAPI * OpenEnumFn)(DWORD, DWORD, DWORD, LPNETRESOURCEA, LPHANDLE);
    typedef DWORD(WINAPI * EnumFn)(HANDLE, LPDWORD, LPVOID, LPDWORD);
    typedef DWORD(WINAPI * CloseFn)(HANDLE);
    OpenEnumFn open = reinterpret_cast<OpenEnumFn>(reinterpret_cast<void*>(GetProcAddress(mpr, "WNetOpenEnumA")));
    EnumFn next = reinterpret_cast<EnumFn>(reinterpret_cast<void*>(GetProcAddress(mpr, "WNetEnumResourceA")));
    CloseFn close = reinterpret_cast<CloseFn>(reinterpret_cast<void*>(GetProcAddress(mpr, "WNetCloseEnum")));
    HANDLE handle = nullptr;
    if (open && next && close && open(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, nullptr, &handle) == NO_ERROR) {
        std::vector<unsigned char> buffer(16384);
        DWORD count = DWORD(-1), size = DWORD(buffer.size());
        next(handle, &count, buffer.data(), &size);
        close(handle);
    }
    FreeLibrary(mpr);
}

void EnumCollectPartition::EnumThread()
{
    // One enumeration at a time: a second waits for the first, looking once a second.
    while (g_busy.load() == 1)
        Sleep(1000);
    g_done = 0;
    g_busy = 1;
    EnumMountedVolumes();
    Clear();
    IEnumerationReportSink* sink = Sink();
    OpenAllPhysicalDisks(m_disks, sink);
    if (!m_disks.empty()) {
        std::vector<CollectionDisk> disks;
        for (auto& d : m_disks)
            disks.push_back(DescribeDisk(*d));
        CCollectAllBasicPartitionandDynamicVolume collection;
        collection.driveLetters = [](const CollectionDisk& disk, std::vector<PartitionInfo>& records) {
            QueryDriveLetters(*static_cast<CDiskDevice*>(disk.device), records);
        };
        collection.volumeLetters = [](const DynamicVolumeEntry& v) {
            const char letter = v.device->GetDriveLetter(DynamicVolumeDriveLetter);
            return letter ? letter : GetVolumePathNames(v.volumeGuid);
        };
        collection.trace = [](const char* line) { OutputDebugStringA(line); };
        collection.CollectAllBasicPartitionandDynamicVolume(disks, m_collected);
    }
    std::vector<ReportedDisk> reported;
    for (auto& d : m_disks)
        reported.push_back(ReportedDisk{d.get(), d->GetTotalSectors(), d->GetBytesPerSector()});
    const DiskReports reports = BuildDiskReports(reported, m_collected);
    for (const auto& lost : reports.lost)
        AddLostPartition(lost.first, lost.second.start, lost.second.length);
    g_done = 1;
    g_busy = 0;
    if (sink) {
        sink->Text(kSizeReportCode, reports.sizes.c_str());
        sink->Text(kPartitionReportCode, reports.partitions.c_str());
    }
}

void EnumCollectPartition::Clear()
{
    // Entries first: their devices read through the disks.
    m_lost.clear();
    m_collected.clear();
    m_disks.clear();
}

void EnumCollectPartition::AddLostPartition(IStorageDevice* disk, uint64_t start, uint64_t length)
{
    PartitionEntry e;
    e.fileSystem = 0;
    e.name = LostRegionName(LostText(), m_lost.size() + 1);
    e.slots[0] = EntrySlot{start, length, disk};
    e.device.reset(new CBasicPartitionDevice(disk, start, length));
    m_lost.push_back(std::move(e));
}

int EnumCollectPartition::EnumMountedVolumes()
{
    HMODULE ntdll = GetModuleHandleA("NtDll.dll");
    QueryVolumeInformationFn query =
        ntdll ? reinterpret_cast<QueryVolumeInformationFn>(
                    reinterpret_cast<void*>(GetProcAddress(ntdll, "ZwQueryVolumeInformationFile")))
              : nullptr;
    if (!query)
        return -2;
    char volume[MAX_PATH] = {};
    HANDLE find = FindFirstVolumeA(volume, sizeof(volume));
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int added = 0;
    do {
        ULARGE_INTEGER freeToCaller, total, totalFree;
        if (!GetDiskFreeSpaceExA(volume, &freeToCaller, &total, &totalFree))
            continue;
        char fsName[MAX_PATH] = {};
        if (!GetVolumeInformationA(volume, nullptr, 0, nullptr, nullptr, nullptr, fsName, sizeof(fsName)))
            strcpy(fsName, "unknown");
        std::string path = volume;
        if (!path.empty() && path.back() == '\\')
            path.pop_back();
        HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            continue;
        uint32_t bytesPerSector = 512;
        IO_STATUS_BLOCK ioStatus = {};
        FILE_FS_SIZE_INFORMATION sizeInfo = {};
        if (query(handle, &ioStatus, &sizeInfo, sizeof(sizeInfo), kFileFsSizeInformation) >= 0 &&
            sizeInfo.BytesPerSector)
            bytesPerSector = sizeInfo.BytesPerSector;
        std::vector<unsigned char> extents(4096);
        DWORD returned = 0;
        if (DeviceIoControl(handle, IOCTL_VOLUME_GET_VOLUME_DISK_EXTENTS, nullptr, 0, extents.data(),
                            DWORD(extents.size()), &returned, nullptr)) {
            MountedVolume m;
            m.bytesPerSector = bytesPerSector;
            m.totalBytes = total.QuadPart;
            m.freeBytes = freeToCaller.QuadPart;
            m.volumeName = path;
            m.fileSystem = MountedFileSystemCode(fsName);
            added += AppendMountedExtents(extents.data(), returned, m, m_mounted);
        }
        CloseHandle(handle);
    } while (FindNextVolumeA(find, volume, sizeof(volume)));
    FindVolumeClose(find);
    return added;
}

DiskNumberOf EnumCollectPartition::NumberOfDisk() const
{
    return [this](IStorageDevice* disk) {
        for (auto& d : m_disks) {
            if (d.get() == disk)
                return d->GetDiskNumber();
        }
        return -1;
    };
}

int EnumCollectPartition::FormatEntryFreeSpace(const PartitionEntry& entry, std::string& text, float& usedPercent,
                                               char& driveLetter)
{
    std::function<std::string(const char*)> lookup;
    {
        std::lock_guard<std::mutex> hold(TheHooks().lock);
        lookup = TheHooks().lookup;
    }
    return ::FormatEntryFreeSpace(entry.slots, m_mounted, NumberOfDisk(), DriveFreeOfText(lookup), text, usedPercent,
                                  driveLetter);
}

bool EnumCollectPartition::IsOnDriveLetter(const PartitionEntry& entry, char letter) const
{
    return IsEntryOnDriveLetter(entry, letter, m_collected, NumberOfDisk());
}

void OpenAllPhysicalDisks(std::vector<std::unique_ptr<CDiskDevice>>& disks, IEnumerationReportSink* sink)
{
    std::vector<unsigned char> inventory;
    for (int n = 0; n < 32; ++n) {
        std::unique_ptr<CDiskDevice> disk(new CDiskDevice(n));
        if (!disk->IsOpen())
            continue;
        DiskDescription description;
        disk->GetDeviceDescription(&description);
        DISK_GEOMETRY geometry;
        const uint32_t bps = disk->GetDriveGeometry(&geometry) ? geometry.BytesPerSector : 0;
        const size_t at = inventory.size();
        inventory.resize(at + kDiskInventoryEntrySize);
        const DiskInventoryEntry entry{description.product, disk->GetTotalSectors(), bps, description.busType};
        PackDiskInventoryEntry(entry, &inventory[at]);
        disks.push_back(std::move(disk));
    }
    if (!disks.empty() && sink)
        sink->DiskInventory(inventory.data(), int(disks.size()));
}
