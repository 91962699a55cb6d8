// tests/fuzz/fuzz_ntfs_record.cpp
// One MFT record: header and fix-up checks, the attribute walk, resident values, the
// system-file and $Volume tests, the label, the data runs gathered through a view, and each
// $DATA attribute read on its own by the single-attribute reader.
#include <string.h>

#include <vector>

#include "engine/ntfs/NtfsDataRuns.h"
#include "engine/ntfs/NtfsLayout.h"
#include "engine/ntfs/NtfsRecord.h"
#include "engine/ntfs/NtfsRecordAttribute.h"
#include "engine/ntfs/NtfsRecordView.h"
#include "engine/ntfs/NtfsVolumeLabel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Each check gets a fresh copy of exactly the input's size, so reads past it are caught.
    auto copy = [&]() { return std::vector<unsigned char>(data, data + size); };
    {
        std::vector<unsigned char> r = copy();
        IsNtfsVolumeRecord(r.data(), r.size());
        IsNtfsSystemFile(r.data(), r.size(), "$Volume");
        NtfsFirstFileNameIs(r.data(), r.size(), "$MFT");
        CountAttributes(r.data(), r.size(), 0x80);
        FindAttribute(r.data(), r.size(), 0x60, 0);
        IsNtfsDirectoryWithIndex(r.data(), r.size());
    }
    {
        std::vector<unsigned char> r = copy();
        if (ValidateFileRecord(r.data(), r.size()))
            ValidateAttributes(r.data(), r.size());
    }
    {
        std::vector<unsigned char> r = copy();
        char label[kNtfsLabelBytes + 1] = {};
        ReadNtfsVolumeLabel(r.data(), label, r.size());
    }
    {
        std::vector<unsigned char> r = copy();
        NtfsRecordView view(r.data(), r.size(), true);
        NtfsSystemFileIndex(view);
        DataRunList runs;
        uint64_t dataSize = 0;
        CollectDataRuns(view, runs, true, &dataSize);
    }
    {
        std::vector<unsigned char> r = copy();
        IsNtfsMftRecord(r.data(), r.size());
    }
    {
        std::vector<unsigned char> r = copy();
        for (uint32_t n = 0; n < 4; ++n) {
            const long offset = FindAttributeOffset(r.data(), r.size(), ntfslayout::kTypeData, n);
            if (offset < 0)
                break;
            CNTFSFileRecordDataRunsAttribute runs;
            if (runs.Load(r.data() + offset, r.size() - size_t(offset)))
                runs.EstimateSectorsPerCluster();
        }
    }
    return 0;
}
