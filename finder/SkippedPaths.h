// finder/SkippedPaths.h
// What a scan had to leave out (folders it could not list, files it could not read): the exact
// count, and the full paths of the first of them, so that the user can look them up. A tree
// with millions of locked files must not hold all their paths, so only the first kMaxKept are.
// Not thread-safe: each thread fills its own, or the owner locks.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

struct SkippedPaths
{
    static constexpr size_t kMaxKept = 1000;

    uint32_t count = 0;
    std::vector<std::string> paths;  // in the order met, at most kMaxKept

    void Add(const std::string& path);
    // Another's count and as many of its paths as there is room for.
    void Add(const SkippedPaths& other);
    // How many were counted but not kept.
    uint32_t Unlisted() const { return count - static_cast<uint32_t>(paths.size()); }
    void Clear();
};
