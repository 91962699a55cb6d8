// finder/ParallelWork.cpp
#include "finder/ParallelWork.h"

#include <windows.h>

#include <atomic>

namespace {

struct Shared
{
    size_t count;
    const std::function<void(size_t, int)>* work;
    std::atomic<size_t> next{0};
};

struct Worker
{
    Shared* shared;
    int index;
};

void Drain(Shared& shared, int worker)
{
    for (size_t i = shared.next++; i < shared.count; i = shared.next++)
        (*shared.work)(i, worker);
}

DWORD WINAPI WorkerProc(void* context)
{
    Worker* worker = static_cast<Worker*>(context);
    Drain(*worker->shared, worker->index);
    return 0;
}

}  // namespace

void RunInParallel(size_t count, const std::function<void(size_t, int)>& work, int threads)
{
    Shared shared;
    shared.count = count;
    shared.work = &work;
    HANDLE handles[16];
    Worker workers[16];
    int started = 0;
    const int helpers = count < 2 || threads < 1 ? 0 : (threads > 16 ? 16 : threads) - 1;
    for (int i = 0; i < helpers && size_t(i + 1) < count; ++i) {
        workers[started] = Worker{&shared, started + 1};
        HANDLE h = CreateThread(nullptr, 0, WorkerProc, &workers[started], 0, nullptr);
        if (h)
            handles[started++] = h;
    }
    Drain(shared, 0);  // the caller works too, so that no thread at all still finishes the work
    if (started > 0)
        WaitForMultipleObjects(DWORD(started), handles, TRUE, INFINITE);
    for (int i = 0; i < started; ++i)
        CloseHandle(handles[i]);
}
