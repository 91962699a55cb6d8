// ui/startpage/DropCheck.h
// Whether a path dropped on the start page may start a scan. No window.
#pragma once
#include <stdint.h>
#include <string>

enum DropVerdict {
    kDropAccepted = 0,
    kDropWhileScanning,   // a scan runs: the drop is released and ignored
    kDropNothing,         // no item, or an empty path
    kDropTooLong,         // the name did not fit a path buffer: a cut name could name another folder
    kDropUnreadable,      // the attributes could not be read (missing path, no access)
    kDropNotFolder,       // a plain file
};

// pathLength is the length the shell reported for the whole name; attributes is what
// GetFileAttributes gave for it (INVALID_FILE_ATTRIBUTES, all bits set, when it failed).
DropVerdict CheckDroppedPath(bool scanning, const std::string& path, size_t pathLength,
                             uint32_t attributes);

// The language key that tells the user why a drop starts no scan (a file, an unreadable or
// over-long path); null where nothing is to be said (accepted, nothing dropped, busy).
const char* DropRefusalKey(DropVerdict verdict);
