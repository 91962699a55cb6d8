// app/ProgramFilePath.h
// Paths of the files that ship beside the program.
#pragma once
#include <string>

// Longest path the program hands to the file functions (MAX_PATH less the terminator).
constexpr size_t kMaxProgramPath = 259;

// Program folder + relativeName; empty when the folder is unknown or the path would be
// longer than kMaxProgramPath (a path cut short names some other file).
std::string ProgramFilePath(const char* relativeName);
// The same check for a path built elsewhere: true when it may be used as it is.
bool FitsProgramPath(const std::string& path);
