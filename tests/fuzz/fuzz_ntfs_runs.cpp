// tests/fuzz/fuzz_ntfs_runs.cpp
// NTFS data runs: validation, the sum of lengths and the decoding into clusters.
#include "engine/ntfs/NtfsDataRuns.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IsValidDataRuns(data, size);
    SumRunLengths(data, size);
    DataRunList list;
    DecodeDataRuns(data, size, list);
    return 0;
}
