// finder/ParallelWork.h
// Runs work(i, worker) for every i below count on a few threads, each taking the next index as
// it finishes one; worker (below threads) tells which thread runs it, so that each can keep
// tools of its own. Returns when all are done. With no thread to be had, runs on the caller.
#pragma once
#include <stddef.h>
#include <functional>

enum { kParallelWorkThreads = 4 };

void RunInParallel(size_t count, const std::function<void(size_t index, int worker)>& work,
                   int threads = kParallelWorkThreads);
