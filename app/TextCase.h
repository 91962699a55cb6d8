// app/TextCase.h
// The one lower-casing rule of the program: ASCII letters only, so that extension lists,
// keys and paths compare the same whatever the ANSI code page.
#pragma once
#include <string>

// Lower-cases 'A' to 'Z' in place; other bytes are left alone. A null text does nothing.
void MakeLowerAscii(char* text);
std::string LowerAscii(std::string text);
// Case-blind search of needle in haystack (ASCII letters fold); npos when absent.
size_t FindNoCase(const std::string& haystack, const std::string& needle);
