// engine/partition/PartitionTypes.cpp
#include "engine/partition/PartitionTypes.h"

#include <stdio.h>
#include <string.h>

#include "engine/device/LittleEndian.h"

namespace {
struct KnownType {
    int id;
    const char* name;
    const char* guid;
};

// Rows 25 and 35 share a GUID; lookups take the first match.
const KnownType kKnownTypes[] = {
    {1, "MBR partition scheme", "024DEE41-33E7-11D3-9D69-0008C781F39F"},
    {2, "EFI System partition", "C12A7328-F81F-11D2-BA4B-00A0C93EC93B"},
    {3, "BIOS Boot partition", "21686148-6449-6E6F-744E-656564454649"},
    {4, "Microsoft Reserved Partition", "E3C9E316-0B5C-4DB8-817D-F92DF00215AE"},
    {5, "Basic data partition", "EBD0A0A2-B9E5-4433-87C0-68B6B72699C7"},
    {6, "Logical Disk Manager metadata partition", "5808C8AA-7E8F-42E0-85D2-E1E90434CFB3"},
    {7, "Logical Disk Manager data partition", "AF9B60A0-1431-4F62-BC68-3311714A69AD"},
    {8, "Windows Recovery Environment", "DE94BBA4-06D1-4D40-A16A-BFD50179D6AC"},
    {9, "IBM General Parallel File System (GPFS) partition", "37AFFC90-EF7D-4E96-91C3-2D7AE055B174"},
    {10, "Data partition", "75894C1E-3AEB-11D3-B7C1-7B03A0000000"},
    {11, "Service Partition", "E2A1E728-32E3-11D6-A682-7B03A0000000"},
    {12, "Linux filesystem data", "0FC63DAF-8483-4772-8E79-3D69D8477DE4"},
    {13, "RAID partition", "A19D880F-05FC-4D3B-A006-743F0F84911E"},
    {14, "Swap partition", "0657FD6D-A4AB-43C4-84E5-0933C84B4F4F"},
    {15, "Logical Volume Manager (LVM) partition", "E6D6D379-F507-44C2-A23C-238F2A3DF928"},
    {16, "Reserved", "8DA63339-0007-60C0-C436-083AC8230908"},
    {17, "Boot partition", "83BD6B9D-7F41-11DC-BE0B-001560B84F0F"},
    {18, "Data partition", "516E7CB4-6ECF-11D6-8FF8-00022D09712B"},
    {19, "Swap partition", "516E7CB5-6ECF-11D6-8FF8-00022D09712B"},
    {20, "Unix File System (UFS) partition", "516E7CB6-6ECF-11D6-8FF8-00022D09712B"},
    {21, "Vinum volume manager partition", "516E7CB8-6ECF-11D6-8FF8-00022D09712B"},
    {22, "ZFS partition", "516E7CBA-6ECF-11D6-8FF8-00022D09712B"},
    {23, "Hierarchical File System Plus (HFS+) partition", "48465300-0000-11AA-AA11-00306543ECAC"},
    {24, "Apple UFS", "55465300-0000-11AA-AA11-00306543ECAC"},
    {25, "ZFS", "6A898CC3-1DD2-11B2-99A6-080020736631"},
    {26, "Apple RAID partition", "52414944-0000-11AA-AA11-00306543ECAC"},
    {27, "Apple RAID partition, offline", "52414944-5F4F-11AA-AA11-00306543ECAC"},
    {28, "Apple Boot partition", "426F6F74-0000-11AA-AA11-00306543ECAC"},
    {29, "Apple Label", "4C616265-6C00-11AA-AA11-00306543ECAC"},
    {30, "Apple TV Recovery partition", "5265636F-7665-11AA-AA11-00306543ECAC"},
    {31, "Boot partition", "6A82CB45-1DD2-11B2-99A6-080020736631"},
    {32, "Root partition", "6A85CF4D-1DD2-11B2-99A6-080020736631"},
    {33, "Swap partition", "6A87C46F-1DD2-11B2-99A6-080020736631"},
    {34, "Backup partition", "6A8B642B-1DD2-11B2-99A6-080020736631"},
    {35, "/usr partition", "6A898CC3-1DD2-11B2-99A6-080020736631"},
    {36, "/var partition", "6A8EF2E9-1DD2-11B2-99A6-080020736631"},
    {37, "/home partition", "6A90BA39-1DD2-11B2-99A6-080020736631"},
    {38, "Alternate sector", "6A9283A5-1DD2-11B2-99A6-080020736631"},
    {39, "Reserved partition", "6A945A3B-1DD2-11B2-99A6-080020736631"},
    {40, "Reserved partition", "6A9630D1-1DD2-11B2-99A6-080020736631"},
    {41, "Reserved partition", "6A980767-1DD2-11B2-99A6-080020736631"},
    {42, "Reserved partition", "6A96237F-1DD2-11B2-99A6-080020736631"},
    {43, "Reserved partition", "6A8D2AC7-1DD2-11B2-99A6-080020736631"},
    {44, "Swap partition", "49F48D32-B10E-11DC-B99B-0019D1879648"},
    {45, "FFS partition", "49F48D5A-B10E-11DC-B99B-0019D1879648"},
    {46, "LFS partition", "49F48D82-B10E-11DC-B99B-0019D1879648"},
    {47, "RAID partition", "49F48DAA-B10E-11DC-B99B-0019D1879648"},
    {48, "Concatenated partition", "2DB519C4-B10F-11DC-B99B-0019D1879648"},
    {49, "Encrypted partition", "2DB519EC-B10F-11DC-B99B-0019D1879648"},
    {50, "ChromeOS kernel", "FE3A2A5D-4F32-41A7-B725-ACCC3285A309"},
    {51, "ChromeOS rootfs", "3CB8E202-3B7E-47DD-8A3C-7FF2A13CFCEC"},
    {52, "ChromeOS future use", "2E0A753D-9E48-43B0-8337-B15192CB1B5E"},
};
}  // namespace

void FormatGuid(const unsigned char* guid, char* text)
{
    snprintf(text, kGuidTextSize, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
             unsigned(GetU32(guid)), unsigned(GetU16(guid + 4)), unsigned(GetU16(guid + 6)),
             guid[8], guid[9], guid[10], guid[11], guid[12], guid[13], guid[14], guid[15]);
}

int FindPartitionTypeId(const unsigned char* typeGuid)
{
    char text[kGuidTextSize];
    FormatGuid(typeGuid, text);
    for (const KnownType& row : kKnownTypes) {
        if (strcmp(row.guid, text) == 0)
            return row.id;
    }
    return 0;
}

bool IsKnownPartitionType(const unsigned char* typeGuid) { return FindPartitionTypeId(typeGuid) > 1; }

bool IsLdmPartitionType(const unsigned char* typeGuid)
{
    const int id = FindPartitionTypeId(typeGuid);
    return id == 6 || id == 7;
}
