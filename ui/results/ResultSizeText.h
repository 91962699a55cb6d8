// ui/results/ResultSizeText.h
// The size text of result rows, group captions and the selection summary. It has its own
// formats ("%.01f KB", "%.02f MB"...), unlike ResourceHelper's, which the details panel uses.
#pragma once
#include <stdint.h>

#include <string>

// Below 1024: "%.01f B"; then KB, MB, GB and, from 2^40 up, TB. A negative count reads as bytes.
std::string FormatResultSize(int64_t bytes);
