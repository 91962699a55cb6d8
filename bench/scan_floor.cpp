// bench/scan_floor.cpp
// The floor a full-content duplicate check cannot go below on this platform: list the folder
// tree, then open, read whole and close every file whose size and extension another file
// shares, on four threads. No sampling, no comparison, no result.
//   scan_floor FOLDER
// FOLDER is a Windows path, or a Linux path (then it is taken on drive Z:).
#include <windows.h>
#include <psapi.h>
#include <stdio.h>

#include <algorithm>
#include <atomic>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/TimedBuild.h"

namespace {

const int kThreads = 4;
const DWORD kReadSize = 1024 * 1024;

struct File
{
    std::string path;
    uint64_t size;
    std::string extension;
};

struct Walk
{
    CRITICAL_SECTION lock;
    CONDITION_VARIABLE wake;
    std::deque<std::string> folders;
    int busy = 0;
    std::vector<File> files;
};

std::string Extension(const char* name)
{
    const char* dot = strrchr(name, '.');
    return dot && dot != name ? std::string(dot + 1) : std::string();
}

DWORD WINAPI WalkThread(void* context)
{
    Walk& walk = *static_cast<Walk*>(context);
    std::vector<File> mine;
    EnterCriticalSection(&walk.lock);
    for (;;) {
        while (walk.folders.empty() && walk.busy > 0)
            SleepConditionVariableCS(&walk.wake, &walk.lock, INFINITE);
        if (walk.folders.empty())
            break;
        std::string folder = walk.folders.front();
        walk.folders.pop_front();
        ++walk.busy;
        LeaveCriticalSection(&walk.lock);
        std::vector<std::string> subs;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    if (strcmp(data.cFileName, ".") && strcmp(data.cFileName, ".."))
                        subs.push_back(folder + "\\" + data.cFileName);
                    continue;
                }
                const uint64_t size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
                if (size > 0)
                    mine.push_back(File{folder + "\\" + data.cFileName, size, Extension(data.cFileName)});
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
        EnterCriticalSection(&walk.lock);
        --walk.busy;
        for (std::string& sub : subs)
            walk.folders.push_back(std::move(sub));
        WakeAllConditionVariable(&walk.wake);
    }
    for (File& f : mine)
        walk.files.push_back(std::move(f));
    WakeAllConditionVariable(&walk.wake);
    LeaveCriticalSection(&walk.lock);
    return 0;
}

struct Reading
{
    const std::vector<const File*>* files;
    std::atomic<size_t> next{0};
    std::atomic<uint64_t> bytes{0};
};

DWORD WINAPI ReadThread(void* context)
{
    Reading& reading = *static_cast<Reading*>(context);
    std::vector<char> buffer(kReadSize);
    uint64_t bytes = 0;
    for (size_t i = reading.next++; i < reading.files->size(); i = reading.next++) {
        HANDLE file = CreateFileA((*reading.files)[i]->path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        DWORD got = 0;
        while (ReadFile(file, buffer.data(), kReadSize, &got, nullptr) && got > 0)
            bytes += got;
        CloseHandle(file);
    }
    reading.bytes += bytes;
    return 0;
}

void RunThreads(LPTHREAD_START_ROUTINE proc, void* context)
{
    HANDLE threads[kThreads];
    for (HANDLE& t : threads)
        t = CreateThread(nullptr, 0, proc, context, 0, nullptr);
    WaitForMultipleObjects(kThreads, threads, TRUE, INFINITE);
    for (HANDLE t : threads)
        CloseHandle(t);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: scan_floor FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder[0] == '/') {
        std::string out = "Z:";
        for (char c : folder)
            out += c == '/' ? '\\' : c;
        folder = out;
    }
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);

    Walk walk;
    InitializeCriticalSection(&walk.lock);
    InitializeConditionVariable(&walk.wake);
    walk.folders.push_back(folder);
    RunThreads(WalkThread, &walk);
    LARGE_INTEGER listed;
    QueryPerformanceCounter(&listed);

    std::map<std::pair<uint64_t, std::string>, int> shared;
    for (const File& f : walk.files)
        ++shared[std::make_pair(f.size, f.extension)];
    std::vector<const File*> candidates;
    for (const File& f : walk.files) {
        if (shared[std::make_pair(f.size, f.extension)] > 1)
            candidates.push_back(&f);
    }
    Reading reading;
    reading.files = &candidates;
    RunThreads(ReadThread, &reading);

    QueryPerformanceCounter(&end);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    printf("build timed:     %s\n", TimedBuild());
    printf("files listed:    %zu\n", walk.files.size());
    printf("files read:      %zu\n", candidates.size());
    printf("bytes read:      %llu\n", (unsigned long long)reading.bytes.load());
    printf("wall time:       %.3f s\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    printf("listing:         %.3f s\n", double(listed.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    printf("peak memory:     %.1f MiB\n", double(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
    fflush(stdout);
    ExitProcess(0);  // as scan_bench: what it holds is not freed on the way out
}
