// engine/fat/FatDirEntry.h
// A view over one 32-byte short directory entry (not owned) and its plausibility test, which
// tells real entries from the bytes of a damaged or foreign directory.
#pragma once
#include <stddef.h>
#include <stdint.h>

class FatDirEntry {
public:
    explicit FatDirEntry(const unsigned char* entry) : m_entry(entry) {}

    // 1 when the entry is plausible. Strict also requires a file's size and first cluster to
    // agree. The date and time checks follow the engine settings.
    int IsValid(bool strict) const;

    bool IsDeleted() const { return m_entry[0] == 0xE5; }
    bool IsEnd() const { return m_entry[0] == 0; }
    bool IsDirectory() const;
    bool IsLongName() const;
    // Attribute bit 0x02 clear and attribute exactly 0x08 or 0x28.
    bool IsVolumeLabel() const;
    uint32_t GetAttributes() const;
    uint32_t GetFirstCluster() const;
    uint32_t GetFileSize() const;
    // Exact comparison of the 8 name bytes and then the 3 extension bytes.
    bool NameEquals(const char* name8, const char* extension3) const;

private:
    const unsigned char* m_entry;
};

// Name and extension without their padding; a first byte 0xE5 shows as '#'. noDot joins
// them without a dot (volume labels). out holds at least 13 bytes.
void FormatShortName(const unsigned char* entry, char* out, size_t size, bool noDot);

// The 11 name bytes of a volume-label entry as one field, trailing padding dropped and inner
// spaces kept, converted from the OEM code page to ANSI text.
void FormatVolumeLabel(const unsigned char* entry, char* out, size_t size);

// True when the high half is 0 and 2 <= cluster < 0x0FFFFFF0.
bool IsValidFatCluster(uint64_t cluster);
