// engine/partition/PartitionTable.cpp
#include "engine/partition/PartitionTable.h"

#include <string.h>
#include <zlib.h>

#include <algorithm>
#include <set>
#include <utility>

#include "engine/device/LittleEndian.h"
#include "engine/partition/GptLayout.h"
#include "engine/partition/PartitionTypes.h"
#include "engine/volume/PartitionEntry.h"

namespace {

struct Walk {
    IStorageDevice& disk;
    std::vector<PartitionInfo>& out;
    const FileSystemProbe& probe;
    PartitionTableReport& report;
    uint64_t total;
    uint32_t sectorSize;
    size_t first;  // out's size when this walk began: earlier records are other disks'
    int added = 0;
};

FileSystemGuess Recognise(Walk& w, uint64_t start, uint64_t length)
{
    if (!w.probe)
        return FileSystemGuess();
    FileSystemGuess guess = w.probe(w.disk, start, length);
    guess.label[kPartitionLabelSize - 1] = 0;
    return guess;
}

bool ReadSector(Walk& w, uint64_t lba, std::vector<unsigned char>& buffer)
{
    buffer.assign(w.sectorSize, 0);
    return lba < w.total && w.disk.ReadSectors(buffer.data(), lba, 1);
}

void Append(Walk& w, uint64_t start, uint64_t length, const FileSystemGuess& guess)
{
    if (length == 0)
        return;
    PartitionInfo info;
    info.startSector = start;
    info.lengthSectors = length;
    if (guess.code != kFsNone) {
        info.fileSystem = guess.code;
        memcpy(info.label, guess.label, kPartitionLabelSize);
    }
    w.out.push_back(info);
    ++w.added;
}

// Cuts [start, start + length) to the disk; 0 when nothing of it lies on the disk.
uint64_t CutToDisk(const Walk& w, uint64_t start, uint64_t length)
{
    if (start >= w.total)
        return 0;
    return length > w.total - start ? w.total - start : length;
}

bool FileSystemSizeFits(const Walk& w, uint64_t start, uint64_t size)
{
    return size > 0 && start < w.total && size < w.total - start;
}

void AddMbrPartition(Walk& w, const unsigned char* entry, uint64_t base)
{
    const uint64_t tableLength = GetU32(entry + mbr::kEntrySectors);
    // An entry of no sectors holds nothing: the kernel and libblkid pass it by, and reading it
    // as "to the end of the disk" listed the space after it as a partition.
    if (tableLength == 0)
        return;
    const uint64_t start = base + GetU32(entry + mbr::kEntryStartLba);
    uint64_t length = CutToDisk(w, start, tableLength);
    if (length == 0)
        return;
    const FileSystemGuess guess = Recognise(w, start, length);
    if (guess.code != kFsNone && FileSystemSizeFits(w, start, guess.totalSectors)) {
        const uint64_t size = guess.totalSectors;
        const uint64_t diff = size > tableLength ? size - tableLength : tableLength - size;
        // Far from the table's size: either may be the truth, so both are offered.
        if (diff >= CPartitionTableAnalyze::kSizeMismatchSectors)
            Append(w, start, length, guess);
        length = size;
    }
    Append(w, start, length, guess);
}

bool IsEmptyEntry(const unsigned char* entry)
{
    for (size_t i = 0; i < mbr::kEntrySize; ++i) {
        if (entry[i])
            return false;
    }
    return true;
}

// 0x85 is the Linux extended container: its logical partitions are chained the same way.
bool IsExtended(unsigned char type)
{
    return type == mbr::kTypeExtendedChs || type == mbr::kTypeExtendedLba || type == mbr::kTypeExtendedLinux;
}

bool IsListedStart(const Walk& w, uint64_t start)
{
    for (size_t i = w.first; i < w.out.size(); ++i) {
        if (w.out[i].startSector == start)
            return true;
    }
    return false;
}

// The chain of EBRs, followed one link at a time. Each EBR is read once: a link back to an
// EBR already read is a loop and ends the chain, and the number of links is bounded.
void AnalyzeEbr(Walk& w, uint64_t extendedStart)
{
    std::set<uint64_t> visited;
    std::vector<uint64_t> pending{extendedStart};
    std::vector<unsigned char> sector;
    int links = 0;
    while (!pending.empty()) {
        const uint64_t current = pending.back();
        pending.pop_back();
        if (!visited.insert(current).second) {
            w.report.ebrLoop = true;
            continue;
        }
        if (++links > CPartitionTableAnalyze::kMaxEbrLinks) {
            w.report.ebrChainTooLong = true;
            return;
        }
        if (!ReadSector(w, current, sector) || !CPartitionTableAnalyze::CheckBootSignature(sector.data(), w.sectorSize) ||
            !CPartitionTableAnalyze::CheckStatusBytes(sector.data(), w.sectorSize))
            return;
        std::vector<uint64_t> next;
        for (int i = 0; i < 4; ++i) {
            const unsigned char* entry = sector.data() + mbr::kEntriesOffset + i * mbr::kEntrySize;
            if (IsEmptyEntry(entry))
                continue;
            const unsigned char type = entry[mbr::kEntryType];
            const uint64_t relative = GetU32(entry + mbr::kEntryStartLba);
            if (type == mbr::kTypeDynamic)
                continue;
            if (IsExtended(type)) {
                // Links are relative to the extended partition, not to this EBR.
                next.push_back(extendedStart + relative);
                continue;
            }
            // A chain that returns to a partition already found ends here.
            if (IsListedStart(w, current + relative))
                break;
            AddMbrPartition(w, entry, current);
        }
        // Walked in table order: the first link is taken first.
        for (auto it = next.rbegin(); it != next.rend(); ++it)
            pending.push_back(*it);
    }
}

void AnalyzeMbr(Walk& w)
{
    // A file system on the whole disk, without any table (a formatted stick).
    const FileSystemGuess whole = Recognise(w, 0, w.total);
    if (whole.code != kFsNone) {
        uint64_t length = whole.totalSectors;
        if (length == 0 || length > w.total)
            length = w.total;
        Append(w, 0, length, whole);
    }
    const int wholeDisk = w.added;
    std::vector<unsigned char> sector;
    if (!ReadSector(w, 0, sector) || !CPartitionTableAnalyze::CheckBootSignature(sector.data(), w.sectorSize) ||
        !CPartitionTableAnalyze::CheckStatusBytes(sector.data(), w.sectorSize))
        return;
    for (int i = 0; i < 4; ++i) {
        const unsigned char* entry = sector.data() + mbr::kEntriesOffset + i * mbr::kEntrySize;
        if (IsEmptyEntry(entry))
            continue;
        const unsigned char type = entry[mbr::kEntryType];
        // The protective entry covers the GPT's sectors, not a volume.
        if (type == mbr::kTypeDynamic || type == mbr::kTypeGptProtective)
            continue;
        if (IsExtended(type)) {
            AnalyzeEbr(w, GetU32(entry + mbr::kEntryStartLba));
            continue;
        }
        // mformat writes one entry over the whole floppy, starting at the boot sector itself:
        // the volume it names is the whole-disk one already listed.
        if (IsListedStart(w, GetU32(entry + mbr::kEntryStartLba)))
            continue;
        AddMbrPartition(w, entry, 0);
    }
    // A boot sector carries the signature too: it is a table only when an entry of its own
    // named a volume, or when no file system claims the sector.
    if (wholeDisk == 0 || w.added > wholeDisk)
        w.report.kind = kTableMbr;
}

uint32_t Crc32(const unsigned char* data, size_t size)
{
    return uint32_t(crc32(crc32(0L, Z_NULL, 0), data, uInt(size)));
}

struct GptHeader {
    uint64_t alternateLba = 0;
    uint64_t lastUsableLba = 0;
    uint64_t entriesLba = 0;
    uint32_t entryCount = 0;
    uint32_t entrySize = 0;
    uint32_t entriesCrc = 0;
};

// The header at lba passes when its signature, size, CRC and own position are right and its
// entry array is of a sane size and lies on the disk.
bool ReadGptHeader(Walk& w, uint64_t lba, GptHeader& header)
{
    std::vector<unsigned char> sector;
    if (!ReadSector(w, lba, sector))
        return false;
    const unsigned char* p = sector.data();
    if (memcmp(p + gpt::kSignature, "EFI PART", 8) != 0)
        return false;
    const uint32_t headerSize = GetU32(p + gpt::kHeaderSize);
    if (headerSize < gpt::kMinHeaderSize || headerSize > w.sectorSize)
        return false;
    const uint32_t storedCrc = GetU32(p + gpt::kHeaderCrc);
    memset(sector.data() + gpt::kHeaderCrc, 0, 4);
    if (Crc32(p, headerSize) != storedCrc)
        return false;
    if (GetU64(p + gpt::kMyLba) != lba)
        return false;
    header.alternateLba = GetU64(p + gpt::kAlternateLba);
    header.lastUsableLba = GetU64(p + gpt::kLastUsableLba);
    header.entriesLba = GetU64(p + gpt::kEntriesLba);
    header.entryCount = GetU32(p + gpt::kEntryCount);
    header.entrySize = GetU32(p + gpt::kEntrySize);
    header.entriesCrc = GetU32(p + gpt::kEntriesCrc);
    // Entries are 128 x 2^n bytes; anything else cannot be walked safely.
    if (header.entrySize < gpt::kMinEntrySize || header.entrySize > gpt::kMaxEntrySize ||
        (header.entrySize & (header.entrySize - 1)) != 0)
        return false;
    const uint64_t arrayBytes = uint64_t(header.entryCount) * header.entrySize;
    if (arrayBytes == 0 || arrayBytes > gpt::kMaxEntryArrayBytes)
        return false;
    const uint64_t arraySectors = (arrayBytes + w.sectorSize - 1) / w.sectorSize;
    return header.entriesLba >= 1 && header.entriesLba < w.total && arraySectors <= w.total - header.entriesLba;
}

bool ReadGptEntries(Walk& w, const GptHeader& header, std::vector<unsigned char>& entries)
{
    const size_t arrayBytes = size_t(header.entryCount) * header.entrySize;
    const uint64_t arraySectors = (arrayBytes + w.sectorSize - 1) / w.sectorSize;
    entries.assign(size_t(arraySectors) * w.sectorSize, 0);
    if (!w.disk.ReadSectors(entries.data(), header.entriesLba, arraySectors))
        return false;
    return Crc32(entries.data(), arrayBytes) == header.entriesCrc;
}

bool IsZero(const unsigned char* p, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        if (p[i])
            return false;
    }
    return true;
}

// The array where every GPT tool puts it (LDM excepted, 128 entries of 128 bytes from LBA 2),
// read when neither header copy validates. With no CRC to vouch for it, the array is taken
// only when it looks like a table: every slot blank or sound (both GUIDs set, first <= last,
// starting after the array and on the disk) and no two partitions overlapping. An entry may
// end past the disk (a truncated image): it is cut to it like any other. Anything else is
// garbage, and no partition is made up from it.
bool ReadGptArrayWithoutHeader(Walk& w, GptHeader& header, std::vector<unsigned char>& entries)
{
    header = GptHeader();
    header.entriesLba = gpt::kFixedEntriesLba;
    header.entryCount = gpt::kFixedEntryCount;
    header.entrySize = gpt::kMinEntrySize;
    const uint64_t arraySectors = (uint64_t(header.entryCount) * header.entrySize + w.sectorSize - 1) / w.sectorSize;
    const uint64_t firstUsable = header.entriesLba + arraySectors;
    if (w.total <= firstUsable)
        return false;
    entries.assign(size_t(arraySectors) * w.sectorSize, 0);
    if (!w.disk.ReadSectors(entries.data(), header.entriesLba, arraySectors))
        return false;
    std::vector<std::pair<uint64_t, uint64_t>> used;
    for (uint32_t i = 0; i < header.entryCount; ++i) {
        const unsigned char* entry = entries.data() + size_t(i) * header.entrySize;
        if (IsZero(entry, header.entrySize))
            continue;
        const uint64_t first = GetU64(entry + gpt::kEntryFirstLba);
        const uint64_t last = GetU64(entry + gpt::kEntryLastLba);
        if (!IsNonZeroGuid(entry + gpt::kEntryType) || !IsNonZeroGuid(entry + gpt::kEntryUnique) ||
            first < firstUsable || last < first || first >= w.total)
            return false;
        used.push_back({first, std::min(last, w.total - 1)});
    }
    std::sort(used.begin(), used.end());
    for (size_t i = 1; i < used.size(); ++i) {
        if (used[i].first <= used[i - 1].second)
            return false;
    }
    return !used.empty();
}

// The copy that was not read must match what the read one says about the disk: a backup that
// fails its checks, or one the disk is too short to hold, is damage worth telling.
void CheckGptBackup(Walk& w, const GptHeader& primary)
{
    if (primary.alternateLba >= w.total || primary.lastUsableLba >= w.total) {
        w.report.gptDiskShorter = true;
        return;
    }
    GptHeader backup;
    std::vector<unsigned char> entries;
    if (!ReadGptHeader(w, primary.alternateLba, backup) || !ReadGptEntries(w, backup, entries))
        w.report.gptBackupInvalid = true;
}

// False when neither header nor the array at LBA 2 can be trusted.
bool AnalyzeGpt(Walk& w)
{
    w.report.kind = kTableGpt;
    GptHeader header;
    std::vector<unsigned char> entries;
    if (ReadGptHeader(w, 1, header) && ReadGptEntries(w, header, entries)) {
        CheckGptBackup(w, header);
    } else {
        w.report.gptPrimaryInvalid = true;
        if (ReadGptHeader(w, w.total - 1, header) && ReadGptEntries(w, header, entries)) {
            w.report.gptUsedBackup = true;
        } else if (ReadGptArrayWithoutHeader(w, header, entries)) {
            w.report.gptWithoutHeader = true;
        } else {
            w.report.gptCorrupt = true;
            return false;
        }
    }
    for (uint32_t i = 0; i < header.entryCount; ++i) {
        const unsigned char* entry = entries.data() + size_t(i) * header.entrySize;
        // Every used entry holds a partition, whatever its type: a type missing from the
        // known-types table (a Linux root, /home, XBOOTLDR) is still live data. Only the LDM
        // partitions are left out: the volumes they hold are listed from the LDM database.
        if (!IsNonZeroGuid(entry + gpt::kEntryType) || IsLdmPartitionType(entry + gpt::kEntryType))
            continue;
        const uint64_t first = GetU64(entry + gpt::kEntryFirstLba);
        const uint64_t last = GetU64(entry + gpt::kEntryLastLba);
        // The last LBA is inclusive; an entry ending before it starts holds nothing.
        if (last < first)
            continue;
        uint64_t length = CutToDisk(w, first, last - first + 1);
        if (length == 0)
            continue;
        // The file system's own size then decides, as for any truncated image.
        if (length <= last - first)
            w.report.gptEntryCut = true;
        const FileSystemGuess guess = Recognise(w, first, length);
        if (guess.code != kFsNone && FileSystemSizeFits(w, first, guess.totalSectors))
            length = guess.totalSectors;
        Append(w, first, length, guess);
    }
    return true;
}

// A protective 0xEE entry in any slot: slot 0 on a plain GPT disk, elsewhere on a hybrid MBR
// whose other entries mirror some of the GPT's partitions.
bool HasProtectiveEntry(const unsigned char* sector)
{
    for (int i = 0; i < 4; ++i) {
        if (sector[mbr::kEntriesOffset + i * mbr::kEntrySize + mbr::kEntryType] == mbr::kTypeGptProtective)
            return true;
    }
    return false;
}

}  // namespace

bool CPartitionTableAnalyze::CheckBootSignature(const unsigned char* sector, uint32_t sectorSize)
{
    return sector && sectorSize >= mbr::kMinSectorSize && sector[mbr::kSignatureOffset] == 0x55 &&
           sector[mbr::kSignatureOffset + 1] == 0xAA;
}

bool CPartitionTableAnalyze::CheckStatusBytes(const unsigned char* sector, uint32_t sectorSize)
{
    if (!sector || sectorSize < mbr::kEntriesOffset + 4 * mbr::kEntrySize)
        return false;
    for (int i = 0; i < 4; ++i) {
        const unsigned char status = sector[mbr::kEntriesOffset + i * mbr::kEntrySize + mbr::kEntryStatus];
        if (status != 0x00 && status != 0x80)
            return false;
    }
    return true;
}

bool CPartitionTableAnalyze::IsEntryUsable(const unsigned char* entry, uint64_t base, uint64_t lower, uint64_t upper,
                                           const std::vector<PartitionInfo>& accepted)
{
    if (!entry)
        return false;
    // 64-bit sums: a base near the top of the 32-bit range cannot wrap.
    const uint64_t first = base + PartitionEntryFirstSector(entry);
    const uint64_t last = base + PartitionEntryLastSector(entry);
    if (first < lower || last > upper)
        return false;
    for (const PartitionInfo& a : accepted) {
        if (first < a.startSector && last >= a.startSector)
            return false;
    }
    return true;
}

bool CPartitionTableAnalyze::IsDynamicDiskSector(const unsigned char* sector, uint32_t sectorSize)
{
    if (!sector || sectorSize < mbr::kMinSectorSize)
        return false;
    for (int i = 0; i < 4; ++i) {
        if (sector[mbr::kEntriesOffset + i * mbr::kEntrySize + mbr::kEntryType] == mbr::kTypeDynamic)
            return true;
    }
    return false;
}

int CPartitionTableAnalyze::Analyze(IStorageDevice& disk, std::vector<PartitionInfo>& out,
                                    const FileSystemProbe& probe, PartitionTableReport* report)
{
    PartitionTableReport local;
    PartitionTableReport& r = report ? *report : local;
    r = PartitionTableReport();
    Walk w{disk, out, probe, r, disk.GetTotalSectors(), disk.GetBytesPerSector(), out.size()};
    if (w.sectorSize < mbr::kMinSectorSize || w.total == 0)
        return 0;
    std::vector<unsigned char> sector;
    if (!ReadSector(w, 0, sector))
        return 0;
    if (IsDynamicDiskSector(sector.data(), w.sectorSize)) {
        r.kind = kTableDynamic;
        return 0;
    }
    // The GPT is the truth when it is there; the MBR is read when it cannot be trusted (a
    // hybrid MBR still names some partitions then).
    if (CheckBootSignature(sector.data(), w.sectorSize) && HasProtectiveEntry(sector.data()) && AnalyzeGpt(w))
        return w.added;
    AnalyzeMbr(w);
    return w.added;
}
