// app/LangString.h
// Translated strings by key, from the current language file (section "string").
#pragma once
#include <string>

// The translated text of key; empty for a null or missing key or a missing file.
// A literal backslash-n in the file comes out as a line feed.
std::string GetLangString(const char* key);

// The user's own values (extension lists under "...User" keys) live in "English.dat"
// whatever the language, so they are read from there and written there.
std::string GetUserLangString(const char* key);
void WriteDefaultLangString(const char* key, const std::string& value);
