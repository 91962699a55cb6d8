// engine/ntfs/NtfsBootSector.h
// The NTFS boot-sector tests and a copy of a boot sector that passed them.
#pragma once
#include <stdint.h>

// The OEM name "NTFS    " (ignoring case) alone. The sector holds at least 512 bytes.
bool IsNtfsSignature(const unsigned char* sector);
// Every rule of the boot sector: name, geometry, the zero FAT fields and the signature.
bool IsNtfsBootSector(const unsigned char* sector);

class NtfsBootSector {
public:
    // Copies 512 bytes when the sector passes IsNtfsBootSector; else false, nothing copied.
    bool Load(const unsigned char* sector);

    uint32_t GetOemNameLow() const;
    uint32_t GetOemNameHigh() const;
    uint32_t GetBytesPerSector() const;
    uint32_t GetSectorsPerCluster() const;
    uint64_t GetTotalSectors() const;
    uint64_t GetMftCluster() const;
    uint64_t GetMftMirrorCluster() const;
    int32_t GetClustersPerRecord() const;
    const unsigned char* Bytes() const { return m_bytes; }

private:
    unsigned char m_bytes[512] = {};
};

// Bytes per MFT record: 1 << -n for a negative byte at 64, 1024 for 0, else n clusters.
// 0 when the size lies outside 256 to 65536 bytes (no volume uses such a value, and it would
// overflow the arithmetic of callers).
uint32_t GetMftRecordSize(const NtfsBootSector& boot);
