// program/SingleInstance.h
// One copy of the program at a time: a named mutex held for the life of the process, and
// the way a second copy brings the running one's window to the front.
#pragma once

constexpr char kSingleInstanceMutexName[] = "ZudizadiDuvodozevaZevo_Mutex_410000_DuplicateFiles";

// Creates the named mutex, owned, and keeps it open until the process ends. False only when
// another process already holds one of that name; a mutex that cannot be made at all does
// not keep the program from starting.
bool TakeSingleInstanceMutex(const char* name);

// Restores the running copy's top-level window of className when it is minimised, shows and
// raises it, makes it active and foreground and flashes its caption once. False when no such
// window exists.
bool ActivateRunningInstance(const char* className);
