// ui/about/ProductVersion.h
// The product version and copyright texts of a module's version resource.
#pragma once
#include <string>

// 0 when the resource was read (texts set from the first translation that carries a
// copyright, else the last one tried), and also when it could not be read after its size was
// known (texts unchanged); -1 for a null path; -2 when the file has no version resource.
int GetProductVersion(const char* modulePath, std::string& productVersion,
                      std::string& legalCopyright);
