// engine/ntfs/NtfsRecordView.h
// A validated MFT record whose fix-ups are applied while the view lives, and what is read
// through it: system-file names, directories with an index, and the runs of the data.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <memory>

class DataRunList;

class NtfsRecordView {
public:
    // Validates the record; a failed validation leaves an empty view. With copy the view works
    // on its own copy, else on the caller's bytes, which it gives back in protected form.
    NtfsRecordView(unsigned char* record, size_t size, bool copy);
    ~NtfsRecordView();
    NtfsRecordView(const NtfsRecordView&) = delete;
    NtfsRecordView& operator=(const NtfsRecordView&) = delete;

    bool IsValid() const { return m_record != nullptr; }
    const unsigned char* Record() const { return m_record; }
    size_t Size() const { return m_size; }
    bool IsFixed() const { return m_fixed; }

private:
    std::unique_ptr<unsigned char[]> m_copy;
    unsigned char* m_record = nullptr;
    size_t m_size = 0;
    bool m_fixed = false;
};

// Record number of the system file that the view's record is (by its first file name, for a
// base record), -1 for any other record.
int NtfsSystemFileIndex(const NtfsRecordView& view);
// The directory flag is set and a non-resident index-allocation attribute is present.
bool IsNtfsDirectoryWithIndex(const unsigned char* record, size_t size);
// A raw record of 1024 bytes (or more) wrapped in a view: is it this system file?
bool IsNtfsMftRecord(unsigned char* record, size_t size);
bool IsNtfsMftMirrorRecord(unsigned char* record, size_t size);
bool IsNtfsLogFileRecord(unsigned char* record, size_t size);
bool IsNtfsAttrDefRecord(unsigned char* record, size_t size);
bool IsNtfsUpCaseRecord(unsigned char* record, size_t size);

// Appends the runs of every unnamed data attribute at its first VCN. With check, an
// uncompressed attribute's run lengths must cover its VCN range. *dataSize gets the data size
// of the attribute that starts at VCN 0. 1 when every data attribute was taken.
int CollectDataRuns(const NtfsRecordView& view, DataRunList& list, bool check, uint64_t* dataSize);

// Sectors of 512 bytes per cluster (a power of two up to 128) estimated from a data size and
// its clusters; 0 when it cannot be told.
uint32_t EstimateSectorsPerCluster(uint64_t dataSize, uint64_t clusters);
// The same for a raw record (left unchanged): the data size and the clusters of its unnamed
// data runs, collected with their lengths checked. 0 for a record that does not validate or
// whose data cannot be collected.
uint32_t EstimateSectorsPerCluster(unsigned char* record, size_t size);
