// engine/volume/WideToAnsi.h
// UTF-16 names of the file systems as ANSI text. Under Windows this is the ANSI code page with
// '_' for units it cannot show; the native (test) build keeps ASCII and shows '_' for the rest.
#pragma once
#include <stdint.h>

// Converts length units of text into out (outSize bytes, always terminated when outSize > 0).
// Non-zero on success; on failure out holds an empty text.
int WideToAnsi(const uint16_t* text, uint32_t length, char* out, uint32_t outSize);
