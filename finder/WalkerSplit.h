// finder/WalkerSplit.h
// How the top level's sub-folders are shared among the three walkers.
#pragma once
#include <stddef.h>

enum { kWalkerCount = 3 };

struct WalkerShare
{
    size_t begin;
    size_t end;  // one past the last index; begin == end: no share
};

// 1, 2 or 3 folders: one each from the first walker on; more: n / 3 each, the rest to the last.
inline WalkerShare ShareOfWalker(size_t folderCount, int walker)
{
    if (folderCount <= size_t(kWalkerCount)) {
        size_t i = size_t(walker);
        return i < folderCount ? WalkerShare{i, i + 1} : WalkerShare{0, 0};
    }
    size_t k = folderCount / kWalkerCount;
    size_t begin = k * size_t(walker);
    return WalkerShare{begin, walker == kWalkerCount - 1 ? folderCount : begin + k};
}
