// finder/ParallelWork.cpp
#include "finder/ParallelWork.h"

#include <windows.h>

#include <atomic>

namespace {

struct Shared
{
    size_t count;
    const std::function<void(size_t)>* work;
    std::atomic<size_t> next{0};
};

void Drain(Shared& shared)
{
    for (size_t i = shared.next++; i < shared.count; i = shared.next++)
        (*shared.work)(i);
}

DWORD WINAPI WorkerProc(void* context)
{
    Drain(*static_cast<Shared*>(context));
    return 0;
}

}  // namespace

void RunInParallel(size_t count, const std::function<void(size_t)>& work, int threads)
{
    Shared shared;
    shared.count = count;
    shared.work = &work;
    HANDLE handles[16];
    int started = 0;
    const int helpers = count < 2 ? 0 : (threads > 16 ? 16 : threads) - 1;
    for (int i = 0; i < helpers && size_t(i + 1) < count; ++i) {
        HANDLE h = CreateThread(nullptr, 0, WorkerProc, &shared, 0, nullptr);
        if (h)
            handles[started++] = h;
    }
    Drain(shared);  // the caller works too, so that no thread at all still finishes the work
    if (started > 0)
        WaitForMultipleObjects(DWORD(started), handles, TRUE, INFINITE);
    for (int i = 0; i < started; ++i)
        CloseHandle(handles[i]);
}
