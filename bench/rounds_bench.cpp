// bench/rounds_bench.cpp
// The content comparison of one large set of same-size files whose first 4 KiB agree (files
// with a shared header, fixed-size records), against the floor: the same files opened, read
// whole and closed once each. For 48 to 100,000 files of 20,000 bytes, all different at byte
// 17,000 and all copies of one another, it prints the opens per file, the bytes read against
// the data, the time against the floor's, measured in the same run, and the most memory the
// comparison took beyond what the process held before it (at most 64 MiB).
//   rounds_bench [FOLDER] [--files N]      (--files: only the rows of N files)
// The files are written to FOLDER (default: a folder in %TEMP%) and removed afterwards.
#include <windows.h>
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "finder/ContentMatch.h"
#include "finder/CountingFileSource.h"
#include "finder/FoundFileRecord.h"
#include "bench/TimedBuild.h"

namespace {

const uint32_t kFileSize = 20000;
const uint32_t kDifferAt = 17000;
const double kMemoryBoundMiB = 64;

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

std::string Content(uint32_t variant)
{
    std::string s(kFileSize, '\0');
    uint32_t x = 12345;
    for (uint32_t i = 0; i < kFileSize; ++i) {
        x = x * 1103515245u + 12345u;
        s[i] = char(1 + (x >> 16) % 255);
    }
    memcpy(&s[kDifferAt], &variant, sizeof(variant));
    return s;
}

bool WriteWhole(const std::string& path, const std::string& data)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, data.data(), DWORD(data.size()), &written, nullptr) && written == data.size();
    CloseHandle(h);
    return ok;
}

// The floor: every file opened, read whole and closed once.
uint64_t ReadEachOnce(const std::vector<std::string>& paths)
{
    std::vector<char> buffer(kFileSize + 1);
    uint64_t total = 0;
    for (const std::string& path : paths) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        DWORD got = 0;
        if (ReadFile(h, buffer.data(), DWORD(buffer.size()), &got, nullptr))
            total += got;
        CloseHandle(h);
    }
    return total;
}

// The process's private memory (its commit charge; under Wine, its resident anonymous memory,
// as Wine leaves PrivateUsage 0) and the most it held so far (Wine: the same value).
uint64_t PrivateBytes(uint64_t* peak)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    if (peak)
        *peak = counters.PeakPagefileUsage;
    return counters.PagefileUsage;
}

// The most private memory the process holds while a piece of work runs, less what it held
// before. Windows keeps the peak of the whole process's life, which tells this run's only when
// the run set a new one; so a watcher also looks every 10 ms (Wine keeps no peak at all).
class MemoryWatch
{
public:
    // The baseline is taken once the watcher runs, so that its own thread is in it.
    MemoryWatch()
    {
        HANDLE started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_started = started;
        m_thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
        if (m_thread && started)
            WaitForSingleObject(started, INFINITE);
        if (started)
            CloseHandle(started);
        m_baseline = PrivateBytes(&m_peakBefore);
        m_highest = m_baseline;
    }
    // MiB above the baseline at the most.
    double Stop()
    {
        m_stop = true;
        if (m_thread) {
            WaitForSingleObject(m_thread, INFINITE);
            CloseHandle(m_thread);
        }
        uint64_t peak = 0;
        uint64_t highest = std::max<uint64_t>(m_highest.load(), PrivateBytes(&peak));
        if (peak > m_peakBefore)
            highest = std::max(highest, peak);
        return double(highest - m_baseline) / (1024.0 * 1024.0);
    }

private:
    static DWORD WINAPI Watch(void* self)
    {
        MemoryWatch* w = static_cast<MemoryWatch*>(self);
        PrivateBytes(nullptr);
        if (w->m_started)
            SetEvent(w->m_started);
        while (!w->m_stop) {
            w->m_highest = std::max<uint64_t>(w->m_highest.load(), PrivateBytes(nullptr));
            Sleep(10);
        }
        return 0;
    }

    uint64_t m_baseline = 0, m_peakBefore = 0;
    std::atomic<uint64_t> m_highest{0};
    std::atomic<bool> m_stop{false};
    HANDLE m_thread = nullptr;
    HANDLE m_started = nullptr;  // until the watcher runs
};

}  // namespace

int main(int argc, char** argv)
{
    std::string folder;
    std::vector<uint32_t> counts = {48, 384, 1536, 20000, 100000};
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--files") && i + 1 < argc)
            counts.assign(1, uint32_t(strtoul(argv[++i], nullptr, 10)));
        else
            folder = argv[i];
    }
    if (folder.empty()) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "rounds_bench";
    }
    if (folder.back() != '\\')
        folder += '\\';
    CreateDirectoryA(folder.c_str(), nullptr);
    printf("timed the %s build\n", TimedBuild());
    printf("%-8s %6s %10s %10s %10s %10s %8s %10s %s\n", "files", "shape", "opens/file", "read/data", "match ms",
           "floor ms", "ratio", "peak MiB", "result");
    int failures = 0;
    for (uint32_t count : counts) {
        // A thousand files a folder: Wine looks a new name up through the whole folder.
        std::vector<std::string> folders, paths;
        std::vector<std::unique_ptr<FoundFileRecord>> records;
        std::vector<FoundFileRecord*> files;
        for (uint32_t k = 0; k < count; ++k) {
            if (k % 1000 == 0) {
                folders.push_back(folder + "d" + std::to_string(k / 1000) + "\\");
                CreateDirectoryA(folders.back().c_str(), nullptr);
            }
            const std::string name = "f" + std::to_string(k) + ".bin";
            paths.push_back(folders.back() + name);
            records.emplace_back(new FoundFileRecord);
            records.back()->folder = folders.back();
            records.back()->name = name;
            records.back()->size = kFileSize;
            files.push_back(records.back().get());
        }
        for (int copies = 0; copies < 2; ++copies) {
            for (uint32_t k = 0; k < count; ++k) {
                if (!WriteWhole(paths[k], Content(copies ? 0 : k))) {
                    fprintf(stderr, "cannot write %s\n", paths[k].c_str());
                    return 2;
                }
            }
            ReadEachOnce(paths);  // both measured with the files in the cache
            double start = Now();
            const uint64_t floorBytes = ReadEachOnce(paths);
            const double floorTime = Now() - start;

            CountingFileSource counting(PlatformFileSource());
            ContentMatcher matcher(counting);
            std::vector<uint32_t> classes;
            MemoryWatch memory;
            start = Now();
            const bool done = matcher.Match(files, kFileSize, &classes);
            const double matchTime = Now() - start;
            const double peakMiB = memory.Stop();

            bool right = done && floorBytes == uint64_t(count) * kFileSize;
            for (uint32_t c : classes)
                right = right && (copies ? c == classes.front() && c != 0 : c == 0);
            const bool bounded = peakMiB <= kMemoryBoundMiB;
            failures += right && bounded ? 0 : 1;
            printf("%-8u %6s %10.2f %10.3f %10.1f %10.1f %8.2f %10.1f %s\n", count, copies ? "copies" : "differ",
                   double(counting.FilesOpened()) / count, double(counting.BytesRead()) / (double(count) * kFileSize),
                   matchTime * 1000, floorTime * 1000, floorTime > 0 ? matchTime / floorTime : 0.0, peakMiB,
                   !right ? "WRONG" : bounded ? "right" : "OVER 64 MiB");
            fflush(stdout);
        }
        for (const std::string& path : paths)
            DeleteFileA(path.c_str());
        for (const std::string& sub : folders)
            RemoveDirectoryA(sub.c_str());
    }
    RemoveDirectoryA(folder.c_str());
    return failures ? 1 : 0;
}
