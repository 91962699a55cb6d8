// engine/report/DiskReport.cpp
#include "engine/report/DiskReport.h"

#include <stdio.h>

#include <algorithm>
#include <memory>

#include "engine/collection/PartitionCollection.h"
#include "engine/dynamic/DynamicVolume.h"
#include "engine/image/ImageFileDevice.h"
#include "engine/partition/AnalyzerProbe.h"
#include "engine/volume/FileSystemNames.h"
#include "engine/volume/VolumeAnalyzerList.h"

namespace {

int DiskIndex(const std::vector<IStorageDevice*>& disks, const IStorageDevice* device)
{
    auto it = std::find(disks.begin(), disks.end(), device);
    return it == disks.end() ? -1 : int(it - disks.begin());
}

// The analysers' own view of the volume: code, size and label of the first that answers.
void Analyse(IStorageDevice& device, VolumeReport& out)
{
    VolumeAnalyzerList analysers(&device, 0);
    IVolume* volume = analysers.FirstUsable();
    if (!volume || volume->GetFileSystemType() == kFsNone)
        return;
    out.fileSystem = volume->GetFileSystemType();
    out.fileSystemSectors = volume->GetTotalSectors();
    char label[101] = {};
    volume->GetVolumeLabel(label, 100);
    out.label = label;
}

const char* TableName(PartitionTableKind kind)
{
    switch (kind) {
    case kTableMbr: return "MBR";
    case kTableGpt: return "GPT";
    case kTableDynamic: return "dynamic";
    default: return "none";
    }
}

std::string Quote(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F || c == '"' || c == '\\') {
            char escaped[8];
            snprintf(escaped, sizeof(escaped), "\\x%02X", c);
            out += escaped;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

// exFAT's code has no name of its own in the engine's name table ("UNKNOWN"); the report
// must tell it apart from a volume nobody recognised.
std::string FileSystemText(uint32_t code)
{
    if (code == kFsExFat)
        return "exFAT";
    if (code == kFsNone)
        return "none";
    char name[32];
    return FileSystemName(code, name, sizeof(name));
}

}  // namespace

DiskReport BuildDiskReport(const std::vector<IStorageDevice*>& disks)
{
    DiskReport report;
    std::vector<CollectionDisk> collectionDisks;
    for (IStorageDevice* disk : disks) {
        DiskReportLine line;
        if (disk) {
            line.sectors = disk->GetTotalSectors();
            line.sectorSize = disk->GetBytesPerSector();
            std::vector<PartitionInfo> ignored;
            // With the analysers: a boot sector's signature alone makes no table.
            CPartitionTableAnalyze::Analyze(*disk, ignored, ProbeWithAnalyzers, &line.table);
            CollectionDisk d;
            d.device = disk;
            collectionDisks.push_back(d);
        }
        report.disks.push_back(line);
    }

    std::vector<PartitionEntry> entries;
    CCollectAllBasicPartitionandDynamicVolume().CollectAllBasicPartitionandDynamicVolume(collectionDisks, entries);
    for (PartitionEntry& e : entries) {
        if (!e.device)
            continue;
        VolumeReport v;
        v.dynamic = e.kind == kEntryDynamic;
        v.length = e.device->GetTotalSectors();
        if (v.dynamic) {
            if (auto* dynamic = dynamic_cast<IDynamicDevice*>(e.device.get())) {
                char name[32];
                v.layout = VolumeTypeName(dynamic->GetVolumeType(), name, sizeof(name));
            }
            for (const EntrySlot& slot : e.slots) {
                if (slot.disk)
                    v.memberDisks.push_back(DiskIndex(disks, slot.disk));
            }
        } else {
            v.disk = DiskIndex(disks, e.slots[0].disk);
            v.start = e.slots[0].start;
        }
        Analyse(*e.device, v);
        report.volumes.push_back(v);
    }
    // Basic partitions in disk order as the disk holds them; the collection sorts by letter.
    std::stable_sort(report.volumes.begin(), report.volumes.end(), [](const VolumeReport& a, const VolumeReport& b) {
        if (a.dynamic != b.dynamic)
            return !a.dynamic;
        if (a.dynamic)
            return false;
        return a.disk != b.disk ? a.disk < b.disk : a.start < b.start;
    });
    // Last, once every read of the report has been made.
    for (size_t i = 0; i < disks.size(); ++i) {
        if (auto* image = dynamic_cast<CImageFileDeviceWithDecompress*>(disks[i]))
            report.disks[i].damaged = image->DamagedSectorRanges();
    }
    return report;
}

std::string FormatDiskReport(const DiskReport& report, std::string (*label)(const std::string&))
{
    std::string out;
    char text[256];
    for (size_t i = 0; i < report.disks.size(); ++i) {
        const DiskReportLine& d = report.disks[i];
        snprintf(text, sizeof(text), "disk %zu sectors=%llu sector-size=%u table=%s", i,
                 (unsigned long long)d.sectors, d.sectorSize, TableName(d.table.kind));
        out += text;
        const struct { bool set; const char* name; } notes[] = {
            {d.table.gptPrimaryInvalid, "gpt-primary-invalid"}, {d.table.gptUsedBackup, "gpt-backup-used"},
            {d.table.gptCorrupt, "gpt-corrupt"},                {d.table.gptWithoutHeader, "gpt-read-without-header"},
            {d.table.gptBackupInvalid, "gpt-backup-invalid"},   {d.table.gptDiskShorter, "gpt-disk-shorter"},
            {d.table.gptEntryCut, "gpt-entry-cut"},             {d.table.ebrLoop, "ebr-loop"},
            {d.table.ebrChainTooLong, "ebr-chain-too-long"},
        };
        for (const auto& note : notes) {
            if (note.set)
                out += std::string(" ") + note.name;
        }
        for (size_t r = 0; r < d.damaged.size(); ++r) {
            snprintf(text, sizeof(text), "%s%llu-%llu", r == 0 ? " damaged-sectors=" : ",",
                     (unsigned long long)d.damaged[r].first, (unsigned long long)(d.damaged[r].second - 1));
            out += text;
        }
        out += "\n";
    }
    for (const VolumeReport& v : report.volumes) {
        if (v.dynamic) {
            std::string members;
            for (int disk : v.memberDisks)
                members += (members.empty() ? "" : ",") + std::to_string(disk);
            snprintf(text, sizeof(text), "dynamic layout=%s sectors=%llu disks=%s", v.layout.c_str(),
                     (unsigned long long)v.length, members.c_str());
        } else {
            snprintf(text, sizeof(text), "partition disk=%d start=%llu sectors=%llu", v.disk,
                     (unsigned long long)v.start, (unsigned long long)v.length);
        }
        out += text;
        snprintf(text, sizeof(text), " fs=%s fs-sectors=%llu label=", FileSystemText(v.fileSystem).c_str(),
                 (unsigned long long)v.fileSystemSectors);
        out += text;
        out += Quote(label ? label(v.label) : v.label) + "\n";
    }
    return out;
}
