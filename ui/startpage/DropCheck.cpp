// ui/startpage/DropCheck.cpp
#include "ui/startpage/DropCheck.h"

namespace {
const uint32_t kAttributesFailed = 0xFFFFFFFFu;
const uint32_t kDirectory = 0x10;
const uint32_t kVolumeLabel = 0x08;
const size_t kMaxPath = 260;
}

DropVerdict CheckDroppedPath(bool scanning, const std::string& path, size_t pathLength,
                             uint32_t attributes)
{
    if (scanning)
        return kDropWhileScanning;
    if (path.empty() || pathLength == 0)
        return kDropNothing;
    if (pathLength >= kMaxPath || path.size() != pathLength)
        return kDropTooLong;
    // A failed read has every bit set, the directory bit included.
    if (attributes == kAttributesFailed)
        return kDropUnreadable;
    if (!(attributes & (kDirectory | kVolumeLabel)))
        return kDropNotFolder;
    return kDropAccepted;
}

const char* DropRefusalKey(DropVerdict verdict)
{
    switch (verdict) {
    case kDropNotFolder: return "DropNotFolder";
    case kDropUnreadable: return "ScanUnreadable";
    case kDropTooLong: return "DropPathTooLong";
    default: return nullptr;
    }
}
