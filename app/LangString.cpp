// app/LangString.cpp
// Placeholder until the resource helper lands: no language file is read yet.
#include "app/LangString.h"

std::string GetLangString(const char*) { return std::string(); }
std::string GetUserLangString(const char*) { return std::string(); }
void WriteDefaultLangString(const char*, const std::string&) {}
