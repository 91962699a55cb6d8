// engine/device/DiskDescription.cpp
#include "engine/device/DiskDescription.h"

#include <string.h>

#include <string>

#include "engine/device/LittleEndian.h"

namespace {

// STORAGE_DEVICE_DESCRIPTOR layout.
const size_t kVendorOffset = 12;    // u32 offset of the vendor text
const size_t kProductOffset = 16;   // u32
const size_t kRevisionOffset = 20;  // u32
const size_t kSerialOffset = 24;    // u32; 0xFFFFFFFF when absent
const size_t kBusTypeOffset = 28;   // u32 STORAGE_BUS_TYPE
const size_t kFixedSize = 40;

void CopyText(const char* text, char* field)
{
    size_t length = strlen(text);
    if (length > 259)
        length = 259;
    memcpy(field, text, length);
    field[length] = 0;
}

void CopyDescriptorText(const unsigned char* buffer, size_t size, uint32_t offset, char* field)
{
    if (offset == 0 || offset == 0xFFFFFFFFu || offset >= size)
        return;
    const char* start = reinterpret_cast<const char*>(buffer) + offset;
    const void* end = memchr(start, 0, size - offset);
    if (!end)
        return;
    std::string text(start, static_cast<const char*>(end));
    CopyText(TrimDescriptorSpaces(&text[0]), field);
}

}  // namespace

void GetBusTypeName(uint32_t busType, char* out, size_t size)
{
    static const char* const kNames[] = {
        "", "SCSI Disk Device", "ATAPI Bus", "ATA Bus", "1394 Disk Device",
        "SSA Disk Device", "FIBER Disk Device", "USB Device", "RAID Disk Device",
    };
    if (!out || !size)
        return;
    const char* name = busType < sizeof(kNames) / sizeof(kNames[0]) ? kNames[busType] : "";
    size_t length = strlen(name);
    if (length >= size)
        length = size - 1;
    memcpy(out, name, length);
    out[length] = 0;
}

char* TrimDescriptorSpaces(char* text)
{
    if (!text || !*text)
        return text;
    // Leading spaces go first: drivers pad serial numbers on the left, and cutting at a
    // leading run of two spaces would lose the whole text.
    char* start = text;
    while (*start == ' ')
        ++start;
    if (!*start)
        return text[1] ? (text[1] = 0, text) : text;
    for (char* p = start + 1; *p; ++p) {
        if (*p == ' ' && p[-1] == ' ') {
            *p = 0;
            break;
        }
    }
    return start;
}

int ParseStorageDescriptor(const unsigned char* buffer, size_t size, DiskDescription* out)
{
    if (!out)
        return 0;
    memset(out, 0, sizeof(*out));
    if (!buffer || size < kFixedSize)
        return 0;
    out->busType = GetU32(buffer + kBusTypeOffset);
    GetBusTypeName(out->busType, out->busTypeName, sizeof(out->busTypeName));
    CopyDescriptorText(buffer, size, GetU32(buffer + kProductOffset), out->product);
    CopyDescriptorText(buffer, size, GetU32(buffer + kRevisionOffset), out->revision);
    CopyDescriptorText(buffer, size, GetU32(buffer + kVendorOffset), out->vendor);
    CopyDescriptorText(buffer, size, GetU32(buffer + kSerialOffset), out->serial);
    return 1;
}
