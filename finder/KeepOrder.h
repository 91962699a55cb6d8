// finder/KeepOrder.h
// The order of a group's members: the first is the one auto-select keeps, so the same folder
// scanned twice keeps the same files whatever order the walker threads met them in.
#pragma once
#include <vector>

#include "finder/FoundFileRecord.h"

// Copies: the oldest last-write time, then the shorter full path, then path order.
bool KeepsBefore(const FoundFileRecord& a, const FoundFileRecord& b);
// Look-alike pictures: the most pixels, then as copies (never the larger file).
bool LookAlikeKeepsBefore(const FoundFileRecord& a, const FoundFileRecord& b);

void SortForKeeping(std::vector<FoundFileRecord*>& group, bool lookAlike);
