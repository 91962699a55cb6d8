// app/LangString.h
// Translated strings by key, from the current language file (section "string").
#pragma once
#include <string>

// The translated text of key, whatever its length, converted to the ANSI code page. A key
// that the language file lacks or leaves empty (or a missing file) gives English's text:
// "English.dat"'s, else the built-in one (app/BuiltInEnglish.h); empty only for a null key or
// one that no English has. A literal backslash-n comes out as a line feed.
// A translated text used as a printf format goes through SafeFormat (app/SafeFormat.h).
std::string GetLangString(const char* key);
// The two English texts of key on their own, as GetLangString gives them: "English.dat"'s
// (ResourceHelper::GetUserStringsPath), and the built-in one.
std::string GetEnglishDatString(const char* key);
std::string GetBuiltInEnglishString(const char* key);

// The user's own values (extension lists under "...User" keys, key given whole, e.g.
// "PhotoDescUser") live in "English.dat" whatever the language, so they are read from
// there and written there (ResourceHelper::GetUserStringsPath). Values come back as written.
std::string GetUserLangString(const char* key);
// Line breaks in value are written as spaces, so a typed value stays one entry.
void WriteDefaultLangString(const char* key, const std::string& value);
