// tests/engine/CountingFileObject.h
// A file object that counts how many of its kind are alive, so tests see exactly when the
// reference counting frees one.
#pragma once
#include <string>

#include "engine/FileNode.h"

class CountingFileObject : public IFileObject {
public:
    explicit CountingFileObject(std::string name, uint32_t attributes = 0, uint32_t state = 0,
                                uint32_t capabilities = kCapAttributes | kCapState)
        : name_(std::move(name)), attributes_(attributes), state_(state),
          capabilities_(capabilities)
    {
        ++alive;
    }
    ~CountingFileObject() override { --alive; ++destroyed; }

    const char* GetName() const override { return name_.empty() ? nullptr : name_.c_str(); }
    uint32_t GetAttributes() const override { return attributes_; }
    uint32_t GetState() const override { return state_; }
    uint32_t GetCapabilities() const override { return capabilities_; }

    static void ResetCounts() { alive = 0; destroyed = 0; }
    static inline int alive = 0;
    static inline int destroyed = 0;

private:
    std::string name_;
    uint32_t attributes_;
    uint32_t state_;
    uint32_t capabilities_;
};
