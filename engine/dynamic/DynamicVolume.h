// engine/dynamic/DynamicVolume.h
// A volume of a dynamic disk group, assembled from extents on one or more disks, read like any
// sector device. Reads are forgiving: sectors on a missing member read as zeros, a mirror answers
// from its other half and RAID-5 rebuilds one missing member from parity.
#pragma once
#include <stdint.h>

#include <memory>
#include <vector>

#include "engine/device/StorageDevice.h"

const uint32_t kDiskIdTextSize = 65;

enum DynamicVolumeType : uint32_t {
    kDynSimple = 2,
    kDynMirror = 3,
    kDynSpanned = 4,
    kDynStriped = 5,
    kDynRaid5 = 6,
};

// One member of a volume. Sector numbers are in the member disk's own sectors.
struct MemberExtent {
    uint32_t columnIndex = 0;
    char diskId[kDiskIdTextSize] = {};
    uint64_t start = 0;   // on the member disk
    uint64_t offset = 0;  // inside the volume
    uint64_t length = 0;
    IStorageDevice* device = nullptr;  // not owned; null when the disk is missing
};

struct VolumeDescriptor {
    char diskGroupName[33] = {};
    char volumeName[128] = {};
    uint32_t fileSystem = 0;  // the partition type first, then a file-system code
    uint64_t totalSectors = 0;
};

class IDynamicDevice : public IStorageDevice {
public:
    // Same layout type and every extent of this volume equal to one of the other's.
    virtual bool IsSameVolume(IDynamicDevice& other) = 0;
    virtual uint32_t GetVolumeType() = 0;
    virtual uint32_t GetDescriptorField() = 0;
    // Inserts this volume's extents at the front of list; they stay owned by the device.
    virtual void GetMembers(std::vector<const MemberExtent*>& list) = 0;

    // Finds the letter whose DOS device is the named volume of the named disk group (the
    // system's DOS devices on Windows); 0 when none.
    using DosDeviceLetterLookup = char (*)(const char* volumeName, const char* diskGroupName);
    // The letter whose DOS device is this volume; 0 when none or without a lookup.
    virtual char GetDriveLetter(DosDeviceLetterLookup lookup) = 0;
};

// The letter lookup asked with a descriptor's volume and group names.
char DescriptorDriveLetter(const VolumeDescriptor& d, IDynamicDevice::DosDeviceLetterLookup lookup);

// What the five layouts share: the extents, the descriptor, the type, and the range test.
class CDynamicVolumeBase : public IDynamicDevice {
public:
    CDynamicVolumeBase(uint32_t type, const VolumeDescriptor& descriptor, const std::vector<MemberExtent>& members)
        : m_type(type), m_descriptor(descriptor), m_members(members) {}

    uint64_t GetTotalSectors() override { return m_descriptor.totalSectors; }
    uint32_t GetBytesPerSector() override;
    int Open() override { return 1; }
    int Close() override { return 1; }
    bool IsSameVolume(IDynamicDevice& other) override;
    uint32_t GetVolumeType() override { return m_type; }
    uint32_t GetDescriptorField() override { return m_descriptor.fileSystem; }
    void GetMembers(std::vector<const MemberExtent*>& list) override;
    char GetDriveLetter(DosDeviceLetterLookup lookup) override { return DescriptorDriveLetter(m_descriptor, lookup); }

    // Sectors of one stripe: 64 KiB, fixed by the sector size.
    static uint64_t StripeSectors(uint32_t bytesPerSector);

protected:
    // Zeroes the buffer and tells whether [first, first + count) lies inside the volume.
    bool BeginRead(void* buffer, uint64_t first, uint64_t count);
    // The halves of a mirror carry the mirror's type. A half must fail where a member is
    // missing, so that the mirror asks the other half instead of taking zeros.
    bool IsMirrorHalf() const { return m_type == kDynMirror; }

    uint32_t m_type;
    VolumeDescriptor m_descriptor;
    std::vector<MemberExtent> m_members;
};

size_t CountPresentMembers(const std::vector<MemberExtent>& members);
// True when every present member's disk has the same sector size. A volume reads count x its
// own sector size into the caller's buffer, and each member writes count x its disk's: members
// that differ would write past the buffer, so no factory builds such a volume.
bool MembersShareSectorSize(const std::vector<MemberExtent>& members);
// The identity test of IsSameVolume, shared by every layout.
bool SameVolumeMembers(IDynamicDevice& self, IDynamicDevice& other);

class CSimpleVolumeDevice : public CDynamicVolumeBase {
public:
    using CDynamicVolumeBase::CDynamicVolumeBase;
    // Null unless exactly one member has its device. Every factory also refuses members whose
    // disks differ in sector size.
    static std::unique_ptr<IDynamicDevice> Create(uint32_t type, const VolumeDescriptor& d, const std::vector<MemberExtent>& m);
    int ReadSectors(void* buffer, uint64_t first, uint64_t count) override;
};

class CSpannedVolumeDevice : public CDynamicVolumeBase {
public:
    using CDynamicVolumeBase::CDynamicVolumeBase;
    // Null unless at least one member has its device.
    static std::unique_ptr<IDynamicDevice> Create(uint32_t type, const VolumeDescriptor& d, const std::vector<MemberExtent>& m);
    int ReadSectors(void* buffer, uint64_t first, uint64_t count) override;
};

class CStripedVolumeDevice : public CDynamicVolumeBase {
public:
    using CDynamicVolumeBase::CDynamicVolumeBase;
    static std::unique_ptr<IDynamicDevice> Create(uint32_t type, const VolumeDescriptor& d, const std::vector<MemberExtent>& m);
    int ReadSectors(void* buffer, uint64_t first, uint64_t count) override;
};

class CRaid5VolumeDevice : public CDynamicVolumeBase {
public:
    using CDynamicVolumeBase::CDynamicVolumeBase;
    // Null unless at least two members, all or all but one of them present.
    static std::unique_ptr<IDynamicDevice> Create(uint32_t type, const VolumeDescriptor& d, const std::vector<MemberExtent>& m);
    int ReadSectors(void* buffer, uint64_t first, uint64_t count) override;

private:
    // Reads run sectors at rel (sectors from the start of the column's own area) of one column.
    bool ReadColumn(size_t column, unsigned char* out, uint64_t rel, uint64_t run);
};

class CMirrorVolumeDevice : public IDynamicDevice {
public:
    // Null when both halves are missing, or when the two differ in sector size.
    static std::unique_ptr<IDynamicDevice> Create(uint32_t type, const VolumeDescriptor& d,
                                                  std::unique_ptr<IDynamicDevice> a, std::unique_ptr<IDynamicDevice> b);
    int ReadSectors(void* buffer, uint64_t first, uint64_t count) override;
    uint64_t GetTotalSectors() override { return m_descriptor.totalSectors; }
    uint32_t GetBytesPerSector() override;
    int Open() override { return 1; }
    int Close() override { return 1; }
    bool IsSameVolume(IDynamicDevice& other) override;
    uint32_t GetVolumeType() override { return m_type; }
    uint32_t GetDescriptorField() override { return m_descriptor.fileSystem; }
    void GetMembers(std::vector<const MemberExtent*>& list) override;
    char GetDriveLetter(DosDeviceLetterLookup lookup) override { return DescriptorDriveLetter(m_descriptor, lookup); }

    static constexpr uint64_t kRunSectors = 63;

private:
    uint32_t m_type = kDynMirror;
    VolumeDescriptor m_descriptor;
    std::vector<std::unique_ptr<IDynamicDevice>> m_halves;
};
