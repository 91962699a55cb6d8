// engine/ntfs/NtfsRecordAttribute.h
// Readers of single attributes of an MFT record, for scans that walk records one attribute at
// a time: a file-name reader that the scan supplies, and the data runs of a non-resident
// attribute.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "engine/ntfs/NtfsDataRuns.h"

class CNTFSFileRecordAttribute {
public:
    virtual ~CNTFSFileRecordAttribute() {}
};

// What a scan does with each file-name attribute it meets is the scan's own.
class CNTFSFileRecordFileNameAttribute : public CNTFSFileRecordAttribute {
public:
    // attribute is a file-name attribute of a validated record with bytesLeft bytes from its
    // start to the record's end. False ends the scan of the record.
    virtual bool Take(const unsigned char* attribute, size_t bytesLeft) = 0;
};

class CNTFSFileRecordDataRunsAttribute : public CNTFSFileRecordAttribute {
public:
    ~CNTFSFileRecordDataRunsAttribute() override;

    // Reads a non-resident attribute that lies inside bytesLeft bytes: its runs (placed at its
    // first VCN) and its initialised size. False, and empty, for a resident attribute, one
    // that does not fit or one whose runs are not valid.
    bool Load(const unsigned char* attribute, size_t bytesLeft);
    const DataRunList& Runs() const { return m_runs; }
    uint64_t GetInitializedSize() const { return m_initializedSize; }
    // Sectors of 512 bytes per cluster, from the initialised size over the run lengths; 0
    // when either is 0 (nothing loaded, an empty stream).
    uint32_t EstimateSectorsPerCluster() const;

private:
    DataRunList m_runs;
    uint64_t m_initializedSize = 0;
    uint64_t m_clusters = 0;
};
