// tests/appservices/StandInFolder.h
// Where the stand-in libraries that these tests load in place of the real ones are built.
#pragma once
#include <string>

#include "tests/support/WinePath.h"

// The stand-in libraries' folder as a Windows path, ending in a backslash.
inline std::string StandInFolder()
{
    return ToWinePath(STANDIN_DIR) + "\\";
}
