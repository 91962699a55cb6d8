// bench/rounds_bench.cpp
// The content comparison of one large set of same-size files whose first 4 KiB agree (files
// with a shared header, fixed-size records), against the floor: the same files opened, read
// whole and closed once each. For 48, 384 and 1,536 files of 20,000 bytes, all different at
// byte 17,000 and all copies of one another, it prints the opens per file, the bytes read
// against the data, and the time against the floor's, measured in the same run.
//   rounds_bench [FOLDER]
// The files are written to FOLDER (default: a folder in %TEMP%) and removed afterwards.
#include <windows.h>
#include <stdio.h>
#include <string.h>

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

}  // namespace

int main(int argc, char** argv)
{
    std::string folder;
    if (argc > 1) {
        folder = argv[1];
    } else {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "rounds_bench";
    }
    if (folder.back() != '\\')
        folder += '\\';
    CreateDirectoryA(folder.c_str(), nullptr);
    printf("timed the %s build\n", TimedBuild());
    printf("%-8s %6s %10s %12s %10s %10s %8s %s\n", "files", "shape", "opens/file", "read/data", "match ms",
           "floor ms", "ratio", "result");
    int failures = 0;
    for (uint32_t count : {48u, 384u, 1536u}) {
        for (int copies = 0; copies < 2; ++copies) {
            std::vector<std::string> paths;
            std::vector<std::unique_ptr<FoundFileRecord>> records;
            std::vector<FoundFileRecord*> files;
            for (uint32_t k = 0; k < count; ++k) {
                const std::string name = "f" + std::to_string(k) + ".bin";
                paths.push_back(folder + name);
                if (!WriteWhole(paths.back(), Content(copies ? 0 : k))) {
                    fprintf(stderr, "cannot write %s\n", paths.back().c_str());
                    return 2;
                }
                records.emplace_back(new FoundFileRecord);
                records.back()->folder = folder;
                records.back()->name = name;
                records.back()->size = kFileSize;
                files.push_back(records.back().get());
            }
            ReadEachOnce(paths);  // both measured with the files in the cache
            double start = Now();
            const uint64_t floorBytes = ReadEachOnce(paths);
            const double floorTime = Now() - start;

            CountingFileSource counting(PlatformFileSource());
            ContentMatcher matcher(counting);
            std::vector<uint32_t> classes;
            start = Now();
            const bool done = matcher.Match(files, kFileSize, &classes);
            const double matchTime = Now() - start;

            bool right = done && floorBytes == uint64_t(count) * kFileSize;
            for (uint32_t c : classes)
                right = right && (copies ? c == classes.front() && c != 0 : c == 0);
            failures += right ? 0 : 1;
            printf("%-8u %6s %10.2f %12.3f %10.1f %10.1f %8.2f %s\n", count, copies ? "copies" : "differ",
                   double(counting.FilesOpened()) / count, double(counting.BytesRead()) / (double(count) * kFileSize),
                   matchTime * 1000, floorTime * 1000, floorTime > 0 ? matchTime / floorTime : 0.0,
                   right ? "right" : "WRONG");
            for (const std::string& path : paths)
                DeleteFileA(path.c_str());
        }
    }
    RemoveDirectoryA(folder.c_str());
    return failures ? 1 : 0;
}
