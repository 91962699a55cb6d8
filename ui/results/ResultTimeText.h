// ui/results/ResultTimeText.h
// The last-write time of the details panel: local time, every field zero-padded.
#pragma once
#include <stdint.h>

#include <string>

// "hh:mm:ss, MM/DD/YYYY" of a FILETIME value in the machine's time zone; empty when the value
// is no valid time.
std::string FormatLocalFileTime(uint64_t fileTime);
