// engine/device/RawImageDevice.cpp
// The platform-free half of the plain image device: sector bounds and the sector size.
#include "engine/device/RawImageDevice.h"

#include <stdint.h>

uint32_t SaneRawImageSectorSize(uint32_t value)
{
    if (value < 512 || value > 65536 || (value & (value - 1)) != 0)
        return 512;
    return value;
}

CRawImageDevice::CRawImageDevice(const std::string& path, uint32_t sectorSize)
    : m_path(path), m_sectorSize(SaneRawImageSectorSize(sectorSize))
{
    Open();
}

CRawImageDevice::~CRawImageDevice() { Close(); }

int CRawImageDevice::Open()
{
    if (IsOpen())
        return 1;
    uint64_t size = 0;
    if (!OpenFile(&size)) {
        m_totalSectors = 0;
        return 0;
    }
    m_totalSectors = size / m_sectorSize;
    return 1;
}

int CRawImageDevice::Close()
{
    if (IsOpen())
        CloseFile();
    m_file = -1;
    return 1;
}

bool CRawImageDevice::IsOpen() const { return m_file != -1; }

int CRawImageDevice::ReadSectors(void* buffer, uint64_t first, uint64_t count)
{
    if (!buffer || !IsOpen() || first > m_totalSectors || count > m_totalSectors - first)
        return 0;
    // The byte count must fit the caller's address space; the file offset cannot wrap because
    // it lies inside the file.
    if (count > SIZE_MAX / m_sectorSize)
        return 0;
    return ReadAt(first * m_sectorSize, static_cast<unsigned char*>(buffer), count * m_sectorSize) ? 1 : 0;
}
