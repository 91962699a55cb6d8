// app/Language.h
// The language choice: its index and file name in "Config.dat", the installer's registry
// value consulted on the first run only, and the interface face that follows the index.
#pragma once

constexpr int kLanguageCount = 6;           // 0 English ... 5 Brazilian Portuguese
constexpr int kLanguageNameSize = 260;      // buffer of GetLanguageFileName

// The installer's choice: HKLM in the 32-bit view (the installer's own), value "Language"
// (REG_SZ).
constexpr char kInstallerLanguageKey[] = "SOFTWARE\\DoziredeZozevorur\\Duplicate Files\\Language";
constexpr char kInstallerLanguageValue[] = "Language";

// The language file of index ("English.dat", ..., "Portuguesa(Br).dat"); null outside 0..5.
const char* LanguageFileOf(int index);
// name itself when it is one of the six language files (exactly), else null.
const char* KnownLanguageFile(const char* name);

// Fills buffer (kLanguageNameSize bytes) with "LanguageName" (default "English.dat").
// Until "ReadReg" is 1 the installer's registry value picks the language first; "ReadReg" is
// set to 1 once that value was read, so a value the installer stored is taken once only.
void GetLanguageFileName(char* buffer);
// "Language" of the settings, default 0; not range-checked (SaveLanguageChoice is).
int GetLanguageIndex();
// Writes "LanguageName" = fileName, then "Language" = index; 0 on success. -1, writing
// nothing, for an index outside 0..5 or a null or empty name (which would delete the entry).
int SaveLanguageChoice(int index, const char* fileName);
// The interface face: "Meiryo UI" for index 1, "Arial" for every other value. Returns 0.
int SetUIFontFace(int index);
// Writes the installer's registry value (REG_SZ with its terminator, in the installer's
// view), creating the key when it does not open; true when written. Installer and tools only.
bool WriteLanguageRegistryValue(const char* text);
