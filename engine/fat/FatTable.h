// engine/fat/FatTable.h
// A whole FAT16 or FAT32 allocation table read into memory, with an integrity test of its
// media entries, its entries and its chains.
#pragma once
#include <stdint.h>

#include <vector>

class IStorageDevice;

class IRealFATTable {
public:
    virtual ~IRealFATTable() {}
    // The entry of cluster c; FAT16 end and bad marks are widened to their FAT32 values.
    // 0 when c lies outside the table or there is no table.
    virtual uint32_t GetNextCluster(uint32_t cluster) = 0;
    // 1 when the table was read and passes every test.
    virtual int LoadTable() = 0;

    uint32_t GetEntryCount() const { return m_entryCount; }

protected:
    IRealFATTable(IStorageDevice* device, uint64_t firstSector, uint32_t lengthSectors, uint32_t entryWidth,
                  uint32_t minSectors512, uint32_t maxSectors512);
    // The value of entry i (i < entry count); FAT32 entries without their reserved top bits.
    virtual uint32_t RawEntry(uint32_t i) const = 0;
    bool HasTable() const { return !m_table.empty(); }
    // Shared checks of entries 2 .. count-1 and of the chains; badValue is the bad-cluster mark,
    // chainEnd the first value that ends a chain.
    bool EntriesAndChainsAreSound(uint32_t badValue, uint32_t chainEnd) const;

    IStorageDevice* m_device;
    uint64_t m_firstSector;
    uint32_t m_lengthSectors;
    uint32_t m_entryCount = 0;
    uint32_t m_bytesPerSector;
    std::vector<unsigned char> m_table;
};

class CFAT16Table : public IRealFATTable {
public:
    CFAT16Table(IStorageDevice* device, uint64_t firstSector, uint32_t lengthSectors);
    uint32_t GetNextCluster(uint32_t cluster) override;
    int LoadTable() override;

protected:
    uint32_t RawEntry(uint32_t i) const override;
};

class CFAT32Table : public IRealFATTable {
public:
    CFAT32Table(IStorageDevice* device, uint64_t firstSector, uint32_t lengthSectors);
    uint32_t GetNextCluster(uint32_t cluster) override;
    int LoadTable() override;

protected:
    uint32_t RawEntry(uint32_t i) const override;
};
