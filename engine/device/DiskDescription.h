// engine/device/DiskDescription.h
// A drive's identity as its storage stack reports it, and the parsing of that report.
#pragma once
#include <stddef.h>
#include <stdint.h>

struct DiskDescription {
    uint32_t busType;
    char vendor[260];
    char product[260];
    char revision[260];
    char serial[260];
    char busTypeName[260];
};

// The name of a storage bus-type number; empty for numbers without one.
void GetBusTypeName(uint32_t busType, char* out, size_t size);

// Trims a descriptor text in place: it starts at its first non-space character and ends at
// its next run of two spaces (keeping one space before it). Returns the start; a text of
// spaces only becomes one space.
char* TrimDescriptorSpaces(char* text);

// Fills *out from a STORAGE_DEVICE_DESCRIPTOR of `size` bytes. Every text offset is checked
// against the buffer and every text must end inside it, so a lying driver cannot make us read
// beyond. Returns 1 when the descriptor's fixed part fits.
int ParseStorageDescriptor(const unsigned char* buffer, size_t size, DiskDescription* out);
