// app/startup/ProductVersion.h
// The program's own product version text, from its version resource.
#pragma once
#include <string>

// "ProductVersion" of the first translation of modulePath's version block; empty when the
// file has no version block or no such entry.
std::string ReadProductVersion(const char* modulePath);
// The same for the running program.
std::string ReadOwnProductVersion();
