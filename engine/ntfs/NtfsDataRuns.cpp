// engine/ntfs/NtfsDataRuns.cpp
#include "engine/ntfs/NtfsDataRuns.h"

#include "engine/device/LittleEndian.h"

namespace {

uint64_t ReadLittle(const unsigned char* p, uint32_t bytes)
{
    uint64_t value = 0;
    for (uint32_t i = 0; i < bytes; ++i)
        value |= uint64_t(p[i]) << (8 * i);
    return value;
}

// Offsets are signed: the top bit of their last byte extends.
int64_t ReadSigned(const unsigned char* p, uint32_t bytes)
{
    uint64_t value = ReadLittle(p, bytes);
    if (bytes > 0 && bytes < 8 && (p[bytes - 1] & 0x80))
        value |= ~uint64_t(0) << (8 * bytes);
    return int64_t(value);
}

// Calls visit(length, offsetBytes, offset) for each run of valid runs.
template <typename Visit>
void ForEachRun(const unsigned char* runs, size_t n, Visit visit)
{
    size_t pos = 0;
    while (pos < n && runs[pos] != 0) {
        uint32_t lengthBytes = runs[pos] & 0x0F;
        uint32_t offsetBytes = runs[pos] >> 4;
        uint64_t length = ReadLittle(runs + pos + 1, lengthBytes);
        int64_t offset = ReadSigned(runs + pos + 1 + lengthBytes, offsetBytes);
        visit(length, offsetBytes, offset);
        pos += 1 + lengthBytes + offsetBytes;
    }
}

}  // namespace

bool IsValidDataRuns(const unsigned char* runs, size_t n)
{
    if (!runs)
        return false;
    size_t pos = 0;
    // The running cluster number: a run may step back, but never before the volume's first
    // cluster. With at most four offset bytes per run it cannot overflow.
    int64_t lcn = 0;
    while (pos < n) {
        uint8_t header = runs[pos];
        if (header == 0)
            return true;
        uint32_t lengthBytes = header & 0x0F;
        uint32_t offsetBytes = header >> 4;
        if (lengthBytes > 4 || offsetBytes > 4)
            return false;
        if (pos + 1 + lengthBytes + offsetBytes >= n)
            return false;
        // A run of no clusters describes nothing and only appears in damaged lists.
        if (ReadLittle(runs + pos + 1, lengthBytes) == 0)
            return false;
        if (offsetBytes != 0) {
            lcn += ReadSigned(runs + pos + 1 + lengthBytes, offsetBytes);
            if (lcn < 0)
                return false;
        }
        pos += 1 + lengthBytes + offsetBytes;
    }
    // The runs must end with a zero header inside the n bytes.
    return false;
}

uint64_t SumRunLengths(const unsigned char* runs, size_t n)
{
    if (!IsValidDataRuns(runs, n))
        return 0;
    uint64_t sum = 0;
    ForEachRun(runs, n, [&](uint64_t length, uint32_t, int64_t) { sum += length; });
    return sum;
}

bool DecodeDataRuns(const unsigned char* runs, size_t n, DataRunList& list)
{
    DataRunList decoded;
    if (!decoded.Append(runs, n, 0))
        return false;
    decoded.CopyTo(list);
    return true;
}

bool DataRunList::Parse(const unsigned char* runs, size_t n)
{
    Clear();
    return Append(runs, n, 0);
}

bool DataRunList::Append(const unsigned char* runs, size_t n, uint64_t firstVcn)
{
    if (!IsValidDataRuns(runs, n))
        return false;
    uint64_t lcn = 0;
    uint64_t vcn = firstVcn;
    ForEachRun(runs, n, [&](uint64_t length, uint32_t offsetBytes, int64_t offset) {
        uint64_t runLcn = kSparseLcn;
        if (offsetBytes != 0) {
            lcn += uint64_t(offset);
            runLcn = lcn;
        }
        m_runs.push_back(DataRun{runLcn, vcn, length});
        vcn += length;
    });
    return true;
}

uint64_t DataRunList::VcnToLcn(uint64_t vcn) const
{
    for (const DataRun& run : m_runs)
        if (run.vcn <= vcn && vcn - run.vcn < run.length)
            return run.lcn == kSparseLcn ? kSparseLcn : run.lcn + (vcn - run.vcn);
    return ~uint64_t(0);
}

bool DataRunList::ContainsLcn(uint64_t lcn) const
{
    for (const DataRun& run : m_runs)
        if (run.lcn != kSparseLcn && run.lcn <= lcn && lcn - run.lcn < run.length)
            return true;
    return false;
}

uint64_t DataRunList::LcnToVcn(uint64_t lcn) const
{
    for (const DataRun& run : m_runs)
        if (run.lcn != kSparseLcn && run.lcn <= lcn && lcn - run.lcn < run.length)
            return run.vcn + (lcn - run.lcn);
    return ~uint64_t(0);
}

uint64_t DataRunList::TotalClusters() const
{
    uint64_t total = 0;
    for (const DataRun& run : m_runs)
        total += run.length;
    return total;
}

bool DataRunList::Equals(const DataRunList& other) const
{
    if (m_runs.size() != other.m_runs.size())
        return false;
    for (size_t i = 0; i < m_runs.size(); ++i)
        if (m_runs[i].vcn != other.m_runs[i].vcn || m_runs[i].lcn != other.m_runs[i].lcn ||
            m_runs[i].length != other.m_runs[i].length)
            return false;
    return true;
}

void DataRunList::CopyTo(DataRunList& other) const
{
    other.m_runs.insert(other.m_runs.end(), m_runs.begin(), m_runs.end());
}

namespace {

bool WriteU64(IRunStream& stream, uint64_t value)
{
    unsigned char bytes[8];
    PutU64(bytes, value);
    return stream.Write(bytes, sizeof(bytes)) != 0;
}

bool ReadU64(IRunStream& stream, uint64_t* value)
{
    unsigned char bytes[8];
    if (!stream.Read(bytes, sizeof(bytes)))
        return false;
    *value = GetU64(bytes);
    return true;
}

}  // namespace

bool DataRunList::Save(IRunStream& stream) const
{
    if (!WriteU64(stream, m_runs.size()))
        return false;
    for (const DataRun& run : m_runs)
        if (!WriteU64(stream, run.lcn) || !WriteU64(stream, run.length) || !WriteU64(stream, run.vcn))
            return false;
    return true;
}

bool DataRunList::Load(IRunStream& stream)
{
    Clear();
    uint64_t count;
    if (!ReadU64(stream, &count))
        return false;
    for (uint64_t i = 0; i < count; ++i) {
        DataRun run;
        if (!ReadU64(stream, &run.lcn) || !ReadU64(stream, &run.length) || !ReadU64(stream, &run.vcn)) {
            Clear();
            return false;
        }
        m_runs.push_back(run);
    }
    return true;
}
