// app/UsageReport.h
// Usage events for the two optional report libraries beside the program, "d2uzadi.dll"
// (a usage object) and "vedava.dll" (coded texts). Neither ships with the program: every
// call is skipped when a library or its export is absent, and nothing here fails for it.
// Callable from any thread: one lock guards the caches and the calls.
#pragma once
#include <windows.h>

// Event codes of the usage object.
constexpr int kUsageExit = 0x2100;             // main dialog closed
constexpr int kUsageHelpKey = 0x2103;          // F1 in a skinned dialog
constexpr int kUsageMenuHelp = 0x2209;
constexpr int kUsageMenuAbout = 0x220C;
constexpr int kUsageLanguageChange = 0x2207;
// Codes of the text reports.
constexpr int kUsageTextVersion = 0x2007;
constexpr int kUsageTextInstallerLanguage = 0x2008;
constexpr int kUsageTextDiskModel = 0x2005;
constexpr int kUsageTextDiskDetails = 0x2004;
constexpr int kUsageTextCountry = 0x2006;      // wide text

// Folder the libraries are loaded from, by full path (ends in a backslash). Null restores
// the program folder. Changing it forgets the cached modules, export and object (modules
// already loaded stay loaded: objects they handed out may still be in use).
void SetUsageLibraryFolder(const char* folder);

// "d2uzadi.dll", loaded on the first call only; a failed load is not tried again.
HMODULE LoadUsageSpyModule();
// The object returned by its export "ZidAzazeZiz", asked for until it is non-null.
void* GetUsageObject();
// The object's event slot; true when the event reached a library that did not fault.
bool SendUsageEvent(int code);
// The object's disk-inventory slot (entries as the disk enumeration lays them out).
bool SendUsageInventory(const void* entries, int count);

// "vedava.dll" "SpySetTextExA" (code, text); the load is retried while it fails. The export's
// result, or 0 when the library or export is missing or the call faulted.
int SpySetText(int code, const char* text);
// The same through "SpySetTextEx" with a UTF-16 text.
int SpySetTextW(int code, const wchar_t* text);
