// engine/volume/WideToAnsi.h
// Names of the file systems as ANSI text: UTF-16 names (NTFS, exFAT, FAT long names) and OEM
// code-page names (FAT short names and labels). Under Windows this is the ANSI code page with
// '_' for characters it cannot show; the native (test) build keeps ASCII and shows '_' for
// every other character.
#pragma once
#include <stdint.h>

// Converts length units of text into out (outSize bytes, always terminated when outSize > 0).
// A text too long for out keeps the whole characters that fit: it is never cut inside a
// character (a surrogate pair, a double-byte character). Non-zero on success; on failure out
// holds an empty text.
int WideToAnsi(const uint16_t* text, uint32_t length, char* out, uint32_t outSize);

// The same for length bytes of text in the OEM code page. (Not OemToAnsi: windows.h takes
// that name for a macro.)
int OemTextToAnsi(const unsigned char* text, uint32_t length, char* out, uint32_t outSize);
