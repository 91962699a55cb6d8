// bench/removal_bench.cpp
// Times the results page's removal against the floor the shell allows: one shell call that
// moves the same number of files, spread over the same folders, to the recycle bin. Both
// run in one process on fresh files of their own, round after round, interleaved (the cost
// of a system call drifts on a shared machine); the median ratio is printed last. The
// re-check of each group's kept copy by content is timed on its own (the time spent opening
// and reading files), and the ratio without it follows from there.
//   removal_bench WORK_FOLDER [FILES] [FOLDERS] [ROUNDS]
// Run it with XDG_DATA_HOME on the file system of WORK_FOLDER (bench/removal_bench.sh does).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "finder/FileSource.h"
#include "ui/results/RecycleRemoval.h"

namespace {

struct FileSet
{
    std::vector<std::unique_ptr<FoundFileRecord>> checked, kept;
};

std::unique_ptr<FoundFileRecord> Write(const std::string& folder, const std::string& name, const std::string& content)
{
    std::unique_ptr<FoundFileRecord> record(new FoundFileRecord);
    record->folder = folder;
    record->name = name;
    HANDLE file = CreateFileA(record->FullPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot write %s\n", record->FullPath().c_str());
        std::exit(2);
    }
    DWORD written = 0;
    WriteFile(file, content.data(), (DWORD)content.size(), &written, nullptr);
    FILETIME time;
    GetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    record->size = (int64_t)content.size();
    record->time = (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return record;
}

// files checked copies in folders folders, and one kept original per checked copy.
FileSet MakeSet(const std::string& root, const char* tag, int files, int folders)
{
    FileSet set;
    const std::string base = root + "\\" + tag;
    CreateDirectoryA(base.c_str(), nullptr);
    const std::string keptFolder = base + "\\kept\\";
    CreateDirectoryA(keptFolder.c_str(), nullptr);
    for (int f = 0; f < folders; ++f)
        CreateDirectoryA((base + "\\d" + std::to_string(f)).c_str(), nullptr);
    for (int i = 0; i < files; ++i) {
        const std::string content = "content of file " + std::to_string(i);
        const std::string folder = base + "\\d" + std::to_string(i % folders) + "\\";
        // Names of their own: the trash makes a colliding name unique, at a cost.
        set.checked.push_back(Write(folder, std::string(tag) + "-copy" + std::to_string(i) + ".txt", content));
        set.kept.push_back(Write(keptFolder, std::string(tag) + "-original" + std::to_string(i) + ".txt", content));
    }
    return set;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The system's shell, with the time spent inside it counted.
class TimedShell : public IRecycleShell
{
public:
    std::vector<bool> HaveRecycleBins(const std::vector<std::string>& folders) override
    {
        return SystemRecycleShell().HaveRecycleBins(folders);
    }
    int Delete(const std::vector<std::string>& paths, bool toRecycleBin, HWND owner) override
    {
        const auto start = std::chrono::steady_clock::now();
        const int result = SystemRecycleShell().Delete(paths, toRecycleBin, owner);
        seconds += Seconds(start);
        ++calls;
        return result;
    }
    bool ListRecycleBin(std::vector<std::wstring>& entries) override
    {
        const auto start = std::chrono::steady_clock::now();
        const bool listed = SystemRecycleShell().ListRecycleBin(entries);
        seconds += Seconds(start);
        return listed;
    }
    double seconds = 0;
    int calls = 0;
};

// The platform's files, with the time spent opening and reading them counted: the removal
// reads files only to prove the kept copies.
class TimedFiles : public IFileSource
{
public:
    bool ListFolder(const std::string& folder, const std::function<bool(const FolderEntry&)>& onEntry) override
    {
        return PlatformFileSource().ListFolder(folder, onEntry);
    }
    std::unique_ptr<IReadableFile> OpenRead(const std::string& path) override
    {
        const auto start = std::chrono::steady_clock::now();
        std::unique_ptr<IReadableFile> file = PlatformFileSource().OpenRead(path);
        ++opened;
        seconds += Seconds(start);
        if (!file)
            return nullptr;
        return std::unique_ptr<IReadableFile>(new TimedFile(std::move(file), seconds));
    }
    double seconds = 0;
    int opened = 0;

private:
    class TimedFile : public IReadableFile
    {
    public:
        TimedFile(std::unique_ptr<IReadableFile> inner, double& seconds) : m_inner(std::move(inner)), m_seconds(seconds) {}
        ~TimedFile() override
        {
            const auto start = std::chrono::steady_clock::now();
            m_inner.reset();
            m_seconds += Seconds(start);
        }
        bool ReadAt(uint64_t offset, void* buffer, uint32_t count, uint32_t* got) override
        {
            const auto start = std::chrono::steady_clock::now();
            const bool read = m_inner->ReadAt(offset, buffer, count, got);
            m_seconds += Seconds(start);
            return read;
        }
        bool Identity(std::string* id) override
        {
            const auto start = std::chrono::steady_clock::now();
            const bool told = m_inner->Identity(id);
            m_seconds += Seconds(start);
            return told;
        }

    private:
        std::unique_ptr<IReadableFile> m_inner;
        double& m_seconds;
    };
};

struct Round
{
    double floorSeconds = 0, removalSeconds = 0, recheckSeconds = 0;
    bool complete = true;
};

FileSet SetOf(const std::string& root, const char* kind, int round, int files, int folders)
{
    return MakeSet(root, (std::string(kind) + std::to_string(round)).c_str(), files, folders);
}

double TimeFloor(const std::string& root, int round, int files, int folders, bool& complete)
{
    FileSet set = SetOf(root, "floor", round, files, folders);
    std::vector<std::string> paths;
    for (const auto& record : set.checked)
        paths.push_back(record->FullPath());
    const auto start = std::chrono::steady_clock::now();
    SystemRecycleShell().Delete(paths, true, nullptr);
    const double seconds = Seconds(start);
    for (const std::string& path : paths)
        complete = complete && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
    return seconds;
}

// The removal as the page runs it: groups of two, the copy checked, the original kept.
double TimeRemoval(const std::string& root, int round, int files, int folders, bool& complete, double& recheck)
{
    FileSet set = SetOf(root, "removal", round, files, folders);
    std::vector<RemovalGroup> groups;
    for (size_t i = 0; i < set.checked.size(); ++i) {
        RemovalGroup group;
        group.checked.push_back(set.checked[i].get());
        group.kept.push_back(set.kept[i].get());
        groups.push_back(group);
    }
    TimedShell shell;
    TimedFiles read;
    const auto start = std::chrono::steady_clock::now();
    RecycleRemoval removal(std::move(groups), shell, nullptr, read);
    removal.FindFilesWithoutRecycleBin();
    RemovalProgress progress;
    const RemovalReport report = removal.Run(&progress);
    const double seconds = Seconds(start);
    complete = complete && report.removed == files;
    std::printf("  removal: %d shell calls, %.2f s in the shell; re-check: %d files opened, %.2f s reading\n",
                shell.calls, shell.seconds, read.opened, read.seconds);
    recheck = read.seconds;
    return seconds;
}

// One round: the floor and the removal, each on fresh files, taking turns to go first (the
// trash grows as they run).
Round RunRound(const std::string& root, int round, int files, int folders)
{
    Round r;
    if (round % 2 == 0) {
        r.floorSeconds = TimeFloor(root, round, files, folders, r.complete);
        r.removalSeconds = TimeRemoval(root, round, files, folders, r.complete, r.recheckSeconds);
    } else {
        r.removalSeconds = TimeRemoval(root, round, files, folders, r.complete, r.recheckSeconds);
        r.floorSeconds = TimeFloor(root, round, files, folders, r.complete);
    }
    std::printf("round %d: one shell call %.2f s, removal %.2f s (re-check %.2f s), ratio %.2f, without the re-check "
                "%.2f\n",
                round, r.floorSeconds, r.removalSeconds, r.recheckSeconds, r.removalSeconds / r.floorSeconds,
                (r.removalSeconds - r.recheckSeconds) / r.floorSeconds);
    std::fflush(stdout);
    return r;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: removal_bench WORK_FOLDER [FILES] [FOLDERS] [ROUNDS]\n");
        return 2;
    }
    const std::string root = argv[1];
    const int files = argc > 2 ? std::atoi(argv[2]) : 14213;
    const int folders = argc > 3 ? std::atoi(argv[3]) : 400;
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 3;
    CreateDirectoryA(root.c_str(), nullptr);
    std::printf("files: %d in %d folders, %d rounds\n", files, folders, rounds);
    std::vector<double> floors, removals, rechecks, ratios, ratiosWithout;
    bool complete = true;
    for (int round = 0; round < rounds; ++round) {
        const Round r = RunRound(root, round, files, folders);
        floors.push_back(r.floorSeconds);
        removals.push_back(r.removalSeconds);
        rechecks.push_back(r.recheckSeconds);
        ratios.push_back(r.removalSeconds / r.floorSeconds);
        ratiosWithout.push_back((r.removalSeconds - r.recheckSeconds) / r.floorSeconds);
        complete = complete && r.complete;
    }
    std::printf("median: one shell call %.2f s, removal %.2f s, its re-check %.2f s\n", Median(floors),
                Median(removals), Median(rechecks));
    std::printf("ratio removal / one call (median of rounds): %.2f; without the re-check: %.2f\n", Median(ratios),
                Median(ratiosWithout));
    if (!complete)
        std::printf("NOT every file went to the bin\n");
    return complete ? 0 : 1;
}
