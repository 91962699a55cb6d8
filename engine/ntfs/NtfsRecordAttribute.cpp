// engine/ntfs/NtfsRecordAttribute.cpp
#include "engine/ntfs/NtfsRecordAttribute.h"

#include "engine/device/LittleEndian.h"
#include "engine/ntfs/NtfsLayout.h"
#include "engine/ntfs/NtfsRecord.h"
#include "engine/ntfs/NtfsRecordView.h"

using namespace ntfslayout;

CNTFSFileRecordDataRunsAttribute::~CNTFSFileRecordDataRunsAttribute() { m_runs.Clear(); }

bool CNTFSFileRecordDataRunsAttribute::Load(const unsigned char* a, size_t bytesLeft)
{
    m_runs.Clear();
    m_initializedSize = 0;
    m_clusters = 0;
    // ValidateAttribute tests the runs of data attributes only; every type's runs are tested
    // here before they are decoded.
    if (!a || !ValidateAttribute(a, bytesLeft) || !a[kAttrNonResident])
        return false;
    const uint32_t length = GetU32(a + kAttrLength);
    const uint32_t runsOffset = GetU16(a + kAttrRunsOffset);
    if (!m_runs.Append(a + runsOffset, length - runsOffset, GetU64(a + kAttrFirstVcn))) {
        m_runs.Clear();
        return false;
    }
    m_initializedSize = GetU64(a + kAttrInitializedSize);
    m_clusters = SumRunLengths(a + runsOffset, length - runsOffset);
    return true;
}

uint32_t CNTFSFileRecordDataRunsAttribute::EstimateSectorsPerCluster() const
{
    if (m_initializedSize == 0 || m_clusters == 0)
        return 0;
    return ::EstimateSectorsPerCluster(m_initializedSize, m_clusters);
}
