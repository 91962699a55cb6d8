// finder/FinderLog.h
// Trace writers of the finder. Nothing in the program calls them; they stay for debugging.
#pragma once
#include <stddef.h>

// printf-style formatting into a caller's buffer of capacity characters, always terminated.
int FormatString(char* buffer, size_t capacity, const char* format, ...);
// "hh:mm:ss:mmm message" to the debugger and appended to "duplicatefile.log" in the program
// folder; returns the line's length.
int WriteDuplicateLog(const char* format, ...);
// The same line to an attached debugger and appended to "NorvUI.log"; a file that cannot be
// opened skips the write.
int WriteUiLog(const char* format, ...);
