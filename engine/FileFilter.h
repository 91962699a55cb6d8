// engine/FileFilter.h
// Filters that accept or reject one file object by its attribute word or its state word.
#pragma once
#include <stdint.h>

class IFileObject;

class IFileFilter {
public:
    virtual ~IFileFilter() = default;
    virtual bool Filter(const IFileObject* object) const = 0;
};

// All ones: no filtering (every object whose word is valid passes).
constexpr uint32_t kFilterMaskAll = 0xFFFFFFFF;

// Accepts an object whose attribute word is valid and shares a bit with the mask, among the
// bits 0x1 0x2 0x4 0x8 0x10 0x20 0x40 0x400 0x800.
class CFileAttributeFilter : public IFileFilter {
public:
    explicit CFileAttributeFilter(uint32_t mask) : mask_(mask) {}
    bool Filter(const IFileObject* object) const override;
    uint32_t GetMask() const { return mask_; }

private:
    uint32_t mask_;
};

// The same on the state word, among the bits 0x1 0x2 0x4.
class CFileStateFilter : public IFileFilter {
public:
    explicit CFileStateFilter(uint32_t mask) : mask_(mask) {}
    bool Filter(const IFileObject* object) const override;
    uint32_t GetMask() const { return mask_; }

private:
    uint32_t mask_;
};
