// ui/results/CurrentFile.h
// The file the results page shows in its details and preview panel, shared by its six trees.
// UI thread only.
#pragma once
#include <string>

#include "finder/FoundFileRecord.h"

std::string& CurrentFilePath();          // folder + name; empty when none
const FoundFileRecord*& CurrentFileRecord();  // null when none
void ClearCurrentFile();
