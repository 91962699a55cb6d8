// finder/ParallelWork.h
// Runs work(i) for every i below count on a few threads, each taking the next index as it
// finishes one. Returns when all are done. With no thread to be had, runs on the caller.
#pragma once
#include <stddef.h>
#include <functional>

enum { kParallelWorkThreads = 4 };

void RunInParallel(size_t count, const std::function<void(size_t)>& work,
                   int threads = kParallelWorkThreads);
