// engine/collection/VolumeGuidPath.h
// "\\?\Volume{...}\" of a volume GUID, the name Windows mounts volumes by.
#pragma once
#include <string>

// The 16 bytes in stored order as lower-case hex, grouped 4-2-2-2-6.
std::string VolumeGuidPath(const unsigned char* guid);
