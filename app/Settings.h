// app/Settings.h
// "Config.dat" beside the program, section "register": the user's choices that outlive a
// run (language, tip switches). Read and written through the ANSI profile functions.
#pragma once
#include <string>

// Folder that holds "Config.dat" (ends in a backslash). Null restores the program folder;
// tests point it at a folder of their own.
void SetSettingsFolder(const char* folder);
// Folder + "Config.dat"; empty when the folder is unknown or the path would not fit in
// MAX_PATH (a path cut short names some other file).
std::string GetSettingsFilePath();

// A missing file or key reads as the default; so does an unusable path.
int ReadSettingInt(const char* key, int defaultValue);
// At most 259 characters; an empty value reads as the default, since no key of the section
// is meaningful empty.
std::string ReadSettingText(const char* key, const char* defaultValue);
// False when key or value is null (a null value would delete the key) or the write fails.
// A value equal to the stored one leaves the file untouched (true).
bool WriteSettingText(const char* key, const char* value);
bool WriteSettingInt(const char* key, int value);
