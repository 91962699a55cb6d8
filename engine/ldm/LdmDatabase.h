// engine/ldm/LdmDatabase.h
// Reads the LDM database of every dynamic disk and builds one volume device per volume of the
// disk group. Each disk carries its own copy of the whole group's database; one copy per group
// is chosen and built, so a damaged copy on one disk cannot add volumes.
#pragma once
#include <stdint.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/device/StorageDevice.h"
#include "engine/dynamic/DynamicVolume.h"
#include "engine/ldm/LdmRecords.h"

struct LdmPrivateHeader {
    char diskId[kDiskIdTextSize] = {};
    char diskGroupName[33] = {};
    char diskGroupId[kDiskIdTextSize] = {};
    uint64_t dataStart = 0;      // 512-byte units
    uint64_t dataSize = 0;
    uint64_t databaseStart = 0;  // 512-byte units
    uint64_t databaseSize = 0;
};

// Pure predicate and parse of one sector: "PRIVHEAD" and its big-endian fields.
bool ParseLdmPrivateHeader(const unsigned char* sector, size_t size, LdmPrivateHeader& header);

struct DynamicVolumeEntry {
    uint64_t totalSectors = 0;
    char typeName[40] = {};  // VolumeTypeName of the layout
    uint32_t fileSystem = 9;  // kFsNone until an analyser recognises the volume
    char label[100] = {};
    char driveLetter = 0;
    std::unique_ptr<IDynamicDevice> device;
    unsigned char volumeGuid[16] = {};  // for the mount-point lookup
    char volumeName[128] = {};          // with the group: the volume's DOS device name
    char diskGroupName[33] = {};
    bool allMembersDynamic = false;     // no member on a disk missing from the group
};

class LdmDatabase {
public:
    // Reads every disk (null ones skipped) and appends the group's volumes to out. The disks
    // must outlive the entries' devices.
    void Collect(const std::vector<IStorageDevice*>& disks, std::vector<DynamicVolumeEntry>& out);

    // The debug dump of the database: creates (always anew) the file "LDMDataBase" beside the
    // program, shared for reading and writing. Windows only; no flow of the program writes it.
    int DumpToFile();
    // Appends raw bytes to the dump; 1 when every byte was written.
    int AppendToDump(const void* bytes, uint32_t size);

    static bool FindPrivateHeader(IStorageDevice& disk, LdmPrivateHeader& header);
    static bool ReadPrivateHeaderAt(IStorageDevice& disk, LdmPrivateHeader& header, uint64_t sector);
    static bool ReadGptDisk(IStorageDevice& disk, LdmPrivateHeader& header);

    // The layout of a volume: a mirror of two components, RAID-5, striped, spanned over two or
    // more extents, else simple; 0 for a volume type the database does not build.
    static uint32_t VolumeDeviceType(const LdmVolumeRecord& v, const std::vector<const LdmComponentRecord*>& components,
                                     const std::vector<std::vector<MemberExtent>>& lists);
    // The device of that layout over the components' extent lists (a mirror's halves are each
    // striped, spanned or simple by their component); null when the layout's factory refuses.
    static std::unique_ptr<IDynamicDevice> CreateVolumeDevice(uint32_t type, const VolumeDescriptor& d,
                                                              const std::vector<const LdmComponentRecord*>& components,
                                                              const std::vector<std::vector<MemberExtent>>& lists);

private:
    struct Disk {
        IStorageDevice* device;
        bool dynamic;
        LdmPrivateHeader header;
    };
    // One disk's copy of its group's database: the records as assembled and the sequence
    // number of its last committed change.
    struct Copy {
        const Disk* disk = nullptr;
        std::vector<std::vector<unsigned char>> records;
        uint64_t committed = 0;
    };
    static bool ReadCopy(const Disk& disk, Copy& copy);
    // Every disk of a group carries the group's database; a damaged copy must not add volumes.
    // The copy that most disks hold wins, then the one with fewer faults, then the latest
    // committed one, then the first read.
    const Copy* ChooseCopy(const std::vector<Copy>& copies) const;
    // Partitions of the copy that name no disk record, or that run past the end of their disk.
    size_t CountFaults(const Copy& copy) const;
    void BuildVolumes(const Disk& disk, LdmRecordSet& set, std::vector<DynamicVolumeEntry>& out);
    // The opened dynamic disk whose private header carries the disk id; null when none.
    const Disk* MemberDisk(const std::string& diskId) const;
    // The component's members, their 512-byte units converted to sectors of bytesPerSector
    // (the size shared by the volume's member disks).
    std::vector<MemberExtent> Extents(const LdmRecordLinks& links, const LdmComponentRecord& c, uint32_t bytesPerSector,
                                      bool* allDynamic) const;

    std::vector<Disk> m_disks;
    std::shared_ptr<void> m_dump;  // the dump file while it is open
};
