// engine/FileFilter.cpp
#include "engine/FileFilter.h"

#include "engine/FileNode.h"

namespace {

constexpr uint32_t kAttributeBits = 0x1 | 0x2 | 0x4 | 0x8 | 0x10 | 0x20 | 0x40 | 0x400 | 0x800;
constexpr uint32_t kStateBits = 0x1 | 0x2 | 0x4;

bool Passes(uint32_t mask, uint32_t word, uint32_t bits)
{
    if (mask == kFilterMaskAll)
        return true;
    return (mask & word & 0xFFFF & bits) != 0;
}

}  // namespace

bool CFileAttributeFilter::Filter(const IFileObject* object) const
{
    if (!object || !(object->GetCapabilities() & IFileObject::kCapAttributes))
        return false;
    return Passes(mask_, object->GetAttributes(), kAttributeBits);
}

bool CFileStateFilter::Filter(const IFileObject* object) const
{
    if (!object || !(object->GetCapabilities() & IFileObject::kCapState))
        return false;
    return Passes(mask_, object->GetState(), kStateBits);
}
