// app/TextConvert.h
// Conversions between the ANSI code page (the program's char text) and UTF-16.
#pragma once
#include <string>

// Converts text to UTF-16 with the ANSI code page. *inOutCount holds the capacity of wide in
// characters; it is set to, and the call returns, the characters written with the terminating
// zero, or the characters needed when wide is null. 0 on failure: a buffer too small gets an
// empty text (it is never left unterminated or cut short).
int MultiByteToWide(const char* text, wchar_t* wide, int* inOutCount);
// The same in the other direction (bytes in place of characters).
int WideToMultiByte(const wchar_t* wide, char* text, int* inOutCount);

// Whole-text conversions sized to fit; a null text gives the empty text.
std::wstring ToWideCString(const char* text);
std::string ToAnsiString(const wchar_t* wide);
std::string ToAnsiString(const std::wstring& wide);

// A copy of text; null gives the empty text.
std::string CStringFromText(const char* text);
