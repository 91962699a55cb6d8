// tests/engine/exfat/ExFatEntryBuilder.h
// Entry sets made by hand: no tool here puts files into an exFAT image without mounting it.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "engine/device/LittleEndian.h"

constexpr uint32_t kStamp = (46u << 25) | (6u << 21) | (15u << 16) | (10u << 11) | (30u << 5) | 5;

// File + Stream Extension + File Name entries for name, in use or deleted.
inline std::vector<unsigned char> EntrySet(const std::vector<uint16_t>& name, bool inUse, uint32_t cluster, uint32_t length)
{
    const size_t names = (name.size() + 14) / 15;
    std::vector<unsigned char> bytes(32 * (2 + names), 0);
    unsigned char* file = bytes.data();
    file[0] = inUse ? 0x85 : 0x05;
    file[1] = uint8_t(1 + names);
    PutU16(file + 4, 0x20);
    PutU32(file + 8, kStamp);
    PutU32(file + 12, kStamp);
    PutU32(file + 16, kStamp);
    unsigned char* stream = file + 32;
    stream[0] = inUse ? 0xC0 : 0x40;
    stream[1] = 0x01;
    stream[3] = uint8_t(name.size());
    PutU32(stream + 20, cluster);
    PutU32(stream + 8, length);
    PutU32(stream + 24, length);
    for (size_t i = 0; i < names; ++i) {
        unsigned char* e = file + 64 + 32 * i;
        e[0] = inUse ? 0xC1 : 0x41;
        for (size_t u = 0; u < 15 && i * 15 + u < name.size(); ++u)
            PutU16(e + 2 + 2 * u, name[i * 15 + u]);
    }
    return bytes;
}

inline std::vector<unsigned char> EntrySet(const std::string& name, bool inUse, uint32_t cluster, uint32_t length)
{
    return EntrySet(std::vector<uint16_t>(name.begin(), name.end()), inUse, cluster, length);
}
