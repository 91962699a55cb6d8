// engine/collection/VolumeGuidPath.cpp
#include "engine/collection/VolumeGuidPath.h"

#include <stdio.h>

std::string VolumeGuidPath(const unsigned char* g)
{
    char text[64];
    snprintf(text, sizeof(text),
             "\\\\?\\Volume{%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x}\\", g[0], g[1], g[2],
             g[3], g[4], g[5], g[6], g[7], g[8], g[9], g[10], g[11], g[12], g[13], g[14], g[15]);
    return text;
}
