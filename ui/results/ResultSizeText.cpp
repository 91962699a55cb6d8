// ui/results/ResultSizeText.cpp
#include "ui/results/ResultSizeText.h"

#include <stdio.h>

std::string FormatResultSize(int64_t bytes)
{
    const double value = (double)bytes;
    char text[64];
    if (bytes < 1024)
        snprintf(text, sizeof(text), "%.01f B", value);
    else if (bytes < 1048576)
        snprintf(text, sizeof(text), "%.01f KB", value / 1024.0);
    else if (bytes < 1073741824)
        snprintf(text, sizeof(text), "%.02f MB", value / 1048576.0);
    else if (bytes < 1099511627776LL)
        snprintf(text, sizeof(text), "%.02f GB", value / 1073741824.0);
    else
        snprintf(text, sizeof(text), "%.02f TB", value / 1099511627776.0);
    return text;
}
