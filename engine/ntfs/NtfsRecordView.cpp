// engine/ntfs/NtfsRecordView.cpp
#include "engine/ntfs/NtfsRecordView.h"

#include <string.h>

#include <new>

#include "engine/device/LittleEndian.h"
#include "engine/ntfs/NtfsDataRuns.h"
#include "engine/ntfs/NtfsLayout.h"
#include "engine/ntfs/NtfsRecord.h"
#include "engine/ntfs/NtfsVolumeLabel.h"

using namespace ntfslayout;

namespace {

struct SystemFile {
    const char* name;
    int record;
};
const SystemFile NtfsSystemFiles[] = {
    {"$MFT", 0},     {"$MFTMirr", 1}, {"$LogFile", 2}, {"$Volume", 3},  {"$AttrDef", 4},
    {".", 5},        {"$Bitmap", 6},  {"$Boot", 7},    {"$BadClus", 8}, {"$Secure", 9},
    {"$UpCase", 10}, {"$Extend", 11}, {"$Quota", 32},  {"$ObjId", 33},  {"$Reparse", 34},
};

bool IsSystemFileRecord(unsigned char* record, size_t size, const char* name)
{
    NtfsRecordView view(record, size, true);
    return view.IsValid() && IsNtfsSystemFile(view.Record(), view.Size(), name);
}

}  // namespace

NtfsRecordView::NtfsRecordView(unsigned char* record, size_t size, bool copy)
{
    if (!record || !ValidateFileRecord(record, size))
        return;
    unsigned char* bytes = record;
    if (copy) {
        m_copy.reset(new (std::nothrow) unsigned char[size]);
        if (!m_copy)
            return;
        memcpy(m_copy.get(), record, size);
        bytes = m_copy.get();
    }
    m_record = bytes;
    m_size = size;
    m_fixed = ApplyUpdateSequence(bytes, size);
}

NtfsRecordView::~NtfsRecordView()
{
    // The caller's bytes go back in their protected form; the whole record is protected, not
    // only its first 1024 bytes.
    if (m_fixed && !m_copy)
        ProtectUpdateSequence(m_record, m_size);
}

int NtfsSystemFileIndex(const NtfsRecordView& view)
{
    if (!view.IsValid() || GetU64(view.Record() + kBaseReference) != 0)
        return -1;
    for (const SystemFile& file : NtfsSystemFiles)
        if (NtfsFirstFileNameIs(view.Record(), view.Size(), file.name))
            return file.record;
    return -1;
}

bool IsNtfsDirectoryWithIndex(const unsigned char* record, size_t size)
{
    if (!record || size < 1024 || !(GetU16(record + kRecordFlags) & 0x2))
        return false;
    for (uint32_t n = 0;; ++n) {
        const unsigned char* a = FindAttribute(record, size, kTypeIndexAllocation, n);
        if (!a)
            return false;
        if (a[kAttrNonResident])
            return true;
    }
}

bool IsNtfsMftRecord(unsigned char* record, size_t size) { return IsSystemFileRecord(record, size, "$MFT"); }
bool IsNtfsMftMirrorRecord(unsigned char* record, size_t size) { return IsSystemFileRecord(record, size, "$MFTMirr"); }
bool IsNtfsLogFileRecord(unsigned char* record, size_t size) { return IsSystemFileRecord(record, size, "$LogFile"); }
bool IsNtfsAttrDefRecord(unsigned char* record, size_t size) { return IsSystemFileRecord(record, size, "$AttrDef"); }
bool IsNtfsUpCaseRecord(unsigned char* record, size_t size) { return IsSystemFileRecord(record, size, "$UpCase"); }

int CollectDataRuns(const NtfsRecordView& view, DataRunList& list, bool check, uint64_t* dataSize)
{
    if (!view.IsValid())
        return 0;
    for (uint32_t n = 0;; ++n) {
        long offset = FindAttributeOffset(view.Record(), view.Size(), kTypeData, n);
        if (offset < 0)
            return 1;
        const unsigned char* a = view.Record() + offset;
        if (a[kAttrNameLength] != 0)
            continue;
        if (!a[kAttrNonResident])
            return 0;
        // Validation has bounded the attribute and its runs.
        uint32_t length = GetU32(a + kAttrLength);
        uint32_t runsOffset = GetU16(a + kAttrRunsOffset);
        const unsigned char* runs = a + runsOffset;
        size_t runsBytes = length - runsOffset;
        uint64_t firstVcn = GetU64(a + kAttrFirstVcn);
        uint64_t lastVcn = GetU64(a + kAttrLastVcn);
        bool compressed = (GetU16(a + kAttrFlags) & 0x1) != 0;
        if (check && !compressed && (lastVcn < firstVcn || SumRunLengths(runs, runsBytes) != lastVcn - firstVcn + 1))
            return 0;
        if (!list.Append(runs, runsBytes, firstVcn))
            return 0;
        if (firstVcn == 0 && dataSize)
            *dataSize = GetU64(a + kAttrDataSize);
    }
}

uint32_t EstimateSectorsPerCluster(uint64_t dataSize, uint64_t clusters)
{
    if (clusters == 0)
        return 0;
    // ceil(dataSize / clusters / 512) in one rounding: a byte past a whole number of sectors
    // per cluster counts, whether it falls in the division by clusters or by 512 (flooring the
    // first would take 8193 bytes over 2 clusters for 8 sectors, not 9 and so 16).
    const uint64_t perCluster = dataSize / clusters + (dataSize % clusters ? 1 : 0);
    const uint64_t sectors = perCluster / 512 + (perCluster % 512 ? 1 : 0);
    static const uint32_t kBuckets[] = {1, 2, 4, 8, 16, 32, 64, 128};
    if (sectors == 0 || sectors > 128)
        return 0;
    for (uint32_t bucket : kBuckets)
        if (sectors <= bucket)
            return bucket;
    return 0;
}

uint32_t EstimateSectorsPerCluster(unsigned char* record, size_t size)
{
    NtfsRecordView view(record, size, true);
    DataRunList runs;
    uint64_t dataSize = 0;
    if (!CollectDataRuns(view, runs, true, &dataSize))
        return 0;
    return EstimateSectorsPerCluster(dataSize, runs.TotalClusters());
}
