// engine/ntfs/NtfsDataRuns.h
// The data runs of non-resident attributes, and the list of runs they decode to.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <vector>

// Every header has at most 4 length and 4 offset bytes, every run lies inside the n bytes and
// is at least one cluster long, and the running cluster number never falls below zero.
bool IsValidDataRuns(const unsigned char* runs, size_t n);
// The sum of the length fields of valid runs.
uint64_t SumRunLengths(const unsigned char* runs, size_t n);

constexpr uint64_t kSparseLcn = ~uint64_t(0);

struct DataRun {
    uint64_t lcn;     // kSparseLcn for a sparse run
    uint64_t vcn;
    uint64_t length;  // clusters
};

// The byte stream that a run list is saved to and loaded from. Each call is non-zero when all
// bytes were moved.
class IRunStream {
public:
    virtual ~IRunStream() {}
    virtual int Read(void* buffer, size_t bytes) = 0;
    virtual int Write(const void* buffer, size_t bytes) = 0;
};

class DataRunList {
public:
    void Clear() { m_runs.clear(); }
    // Clears, then decodes valid runs; false (and empty) when they are not valid.
    bool Parse(const unsigned char* runs, size_t n);
    // Decodes runs whose VCNs start at firstVcn and adds them at the end.
    bool Append(const unsigned char* runs, size_t n, uint64_t firstVcn);
    // ~0 when no run covers the cluster.
    uint64_t VcnToLcn(uint64_t vcn) const;
    uint64_t LcnToVcn(uint64_t lcn) const;
    bool ContainsLcn(uint64_t lcn) const;
    uint64_t TotalClusters() const;
    bool Equals(const DataRunList& other) const;
    void CopyTo(DataRunList& other) const;
    // u64 count, then per run u64 LCN, u64 length, u64 VCN, all little-endian.
    bool Save(IRunStream& stream) const;
    // Replaces the list; on a short stream the list is left empty and false returned. The
    // stored count is not trusted for an allocation: runs are read one at a time.
    bool Load(IRunStream& stream);
    const std::vector<DataRun>& Runs() const { return m_runs; }
    size_t Count() const { return m_runs.size(); }

private:
    std::vector<DataRun> m_runs;
};

// Decodes valid runs into list (appended); false when the runs are not valid.
bool DecodeDataRuns(const unsigned char* runs, size_t n, DataRunList& list);
