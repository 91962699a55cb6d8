// finder/SkippedPaths.cpp
#include "finder/SkippedPaths.h"

void SkippedPaths::Add(const std::string& path)
{
    ++count;
    if (paths.size() < kMaxKept)
        paths.push_back(path);
}

void SkippedPaths::Add(const SkippedPaths& other)
{
    count += other.count;
    for (size_t i = 0; i < other.paths.size() && paths.size() < kMaxKept; ++i)
        paths.push_back(other.paths[i]);
}

void SkippedPaths::Clear()
{
    count = 0;
    paths.clear();
}
