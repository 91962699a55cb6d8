// engine/EngineSettings.cpp
#include "engine/EngineSettings.h"

namespace {
constexpr uint32_t kIdentifierCount = 147;
}

EngineSettings::EngineSettings()
{
    identifiers.reserve(kIdentifierCount);
    for (uint32_t id = 1; id <= kIdentifierCount; ++id)
        identifiers.push_back(id);
}

const EngineSettings* GetEngineSettings()
{
    // A function-local static: the compiler serialises the first construction.
    static const EngineSettings settings;
    return &settings;
}
