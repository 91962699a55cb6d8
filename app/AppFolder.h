// app/AppFolder.h
// The folder of the running program, where every file that ships with it lives.
#pragma once

// Drive and directory of the program's own module, ending in a backslash; computed once.
// Empty when the module path cannot be had whole (it is never silently cut short).
const char* GetAppFolder();
