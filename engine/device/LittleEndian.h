// engine/device/LittleEndian.h
// On-disk structures are read (and records written) field by field through these helpers, never by casting a packed
// struct over a buffer. Every on-disk number of the formats the engine reads is little-endian.
#pragma once
#include <stddef.h>
#include <stdint.h>

inline uint16_t GetU16(const unsigned char* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t GetU32(const unsigned char* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint64_t GetU64(const unsigned char* p) { return uint64_t(GetU32(p)) | (uint64_t(GetU32(p + 4)) << 32); }

// The writers of the records the engine packs itself.
inline void PutU16(unsigned char* p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void PutU32(unsigned char* p, uint32_t v)
{
    PutU16(p, uint16_t(v));
    PutU16(p + 2, uint16_t(v >> 16));
}
inline void PutU64(unsigned char* p, uint64_t v)
{
    PutU32(p, uint32_t(v));
    PutU32(p + 4, uint32_t(v >> 32));
}

// Bounded forms: a field that does not lie wholly inside [buffer, buffer + size) reads as
// `fallback` and clears *ok, so a parser can check once after reading a whole structure.
inline uint32_t GetU32At(const unsigned char* buffer, size_t size, size_t offset, bool* ok, uint32_t fallback = 0)
{
    if (!buffer || offset > size || size - offset < 4) {
        if (ok)
            *ok = false;
        return fallback;
    }
    return GetU32(buffer + offset);
}
inline uint16_t GetU16At(const unsigned char* buffer, size_t size, size_t offset, bool* ok, uint16_t fallback = 0)
{
    if (!buffer || offset > size || size - offset < 2) {
        if (ok)
            *ok = false;
        return fallback;
    }
    return GetU16(buffer + offset);
}
inline uint64_t GetU64At(const unsigned char* buffer, size_t size, size_t offset, bool* ok, uint64_t fallback = 0)
{
    if (!buffer || offset > size || size - offset < 8) {
        if (ok)
            *ok = false;
        return fallback;
    }
    return GetU64(buffer + offset);
}
