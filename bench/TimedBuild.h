// bench/TimedBuild.h
// Which of the two Windows builds a bench timed: figures of the 32-bit and the 64-bit build
// under Wine are not comparable (system calls cost differently), so every bench says.
#pragma once

inline const char* TimedBuild()
{
    return sizeof(void*) == 8 ? "x86_64 (64-bit Windows, 64-bit Wine)" : "i686 (32-bit Windows, 32-bit Wine)";
}
