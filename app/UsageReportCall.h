// app/UsageReportCall.h
// Calls into the closed usage libraries, which are built with another compiler: their
// faults and C++ exceptions (0xE06D7363, which catch(...) does not see) must not end the
// program, and the calling convention of their exports is not documented.
#pragma once

// Runs body(context) under a structured-exception frame of its own. False when an
// exception left body: the frames it crossed are unwound and control returns here.
bool CallGuarded(void (*body)(void* context), void* context);

// Calls a two-argument export whether it pops its own arguments (stdcall) or leaves them
// to the caller (cdecl): the stack pointer is restored from a saved copy afterwards.
int CallExportEitherConvention(const void* function, int first, const void* second);
