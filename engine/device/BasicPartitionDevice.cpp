// engine/device/BasicPartitionDevice.cpp
#include "engine/device/BasicPartitionDevice.h"

#include <string.h>

uint32_t CBasicPartitionDevice::GetBytesPerSector()
{
    if (!m_parent)
        return 512;
    uint32_t size = m_parent->GetBytesPerSector();
    return size ? size : 512;
}

int CBasicPartitionDevice::ReadSectors(void* buffer, uint64_t first, uint64_t count)
{
    if (!buffer || !m_parent || first >= m_length || count > m_length)
        return 0;
    const uint64_t bytesPerSector = GetBytesPerSector();
    uint64_t n = count;
    if (n > m_length - first)
        n = m_length - first;
    // The window may claim more than the parent holds (a damaged table): a start that
    // wraps around fails rather than reading some other place of the disk.
    if (m_start + first < m_start)
        return 0;
    int result = m_parent->ReadSectors(buffer, m_start + first, n);
    if (count > n)
        memset(static_cast<unsigned char*>(buffer) + n * bytesPerSector, 0, size_t((count - n) * bytesPerSector));
    return result;
}
