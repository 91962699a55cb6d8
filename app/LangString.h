// app/LangString.h
// Translated strings by key, from the current language file (section "string").
#pragma once
#include <string>

// The translated text of key, whatever its length, converted to the ANSI code page; empty
// for a null or missing key or a missing file. A literal backslash-n comes out as a line feed.
// A translated text used as a printf format goes through SafeFormat (app/SafeFormat.h).
std::string GetLangString(const char* key);

// The user's own values (extension lists under "...User" keys, key given whole, e.g.
// "PhotoDescUser") live in "English.dat" whatever the language, so they are read from
// there and written there (ResourceHelper::GetUserStringsPath). Values come back as written.
std::string GetUserLangString(const char* key);
// Line breaks in value are written as spaces, so a typed value stays one entry.
void WriteDefaultLangString(const char* key, const std::string& value);
