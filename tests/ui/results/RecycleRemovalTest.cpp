// tests/ui/results/RecycleRemovalTest.cpp
// Checked files go to the Wine trash ($XDG_DATA_HOME/Trash, set by the test); a file that
// could not go stays on disk, unmarked, and is told as failed.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "tests/support/WinePath.h"
#include "ui/results/RecycleRemoval.h"

namespace {

std::string WorkFolder()
{
    return FixtureDir() + "\\results\\work\\";
}

std::string TrashFolder()
{
    return FixtureDir() + "\\results\\xdg\\Trash\\files\\";
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Writes a file and returns its record as the scan would have made it.
std::unique_ptr<FoundFileRecord> MakeFile(const char* name, const std::string& content)
{
    std::unique_ptr<FoundFileRecord> record(new FoundFileRecord);
    record->folder = WorkFolder();
    record->name = name;
    HANDLE file = CreateFileA(record->FullPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, content.data(), (DWORD)content.size(), &written, nullptr);
    FILETIME time;
    GetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    WIN32_FILE_ATTRIBUTE_DATA data;
    GetFileAttributesExA(record->FullPath().c_str(), GetFileExInfoStandard, &data);
    record->size = (int64_t)content.size();
    record->time = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return record;
}

}  // namespace

TEST(RecycleRemoval, CheckedFilesGoToTheTrashAndAreMarked)
{
    auto one = MakeFile("bin-one.txt", "same content");
    auto two = MakeFile("bin-two.txt", "same content");
    RemovalReport report = RemoveRecordsToRecycleBin({one.get(), two.get(), nullptr});
    EXPECT_EQ(2, report.removed);
    EXPECT_TRUE(report.failedPaths.empty());
    EXPECT_FALSE(Exists(one->FullPath()));
    EXPECT_TRUE(Exists(TrashFolder() + "bin-one.txt")) << "moved to the trash, not deleted";
    EXPECT_TRUE(one->flags & kRecordRemoved);
    EXPECT_TRUE(two->flags & kRecordRemoved);
    // Already removed: not tried again.
    EXPECT_EQ(0, RemoveRecordsToRecycleBin({one.get()}).removed);
}

TEST(RecycleRemoval, AFileHeldOpenStaysAndIsToldAsFailed)
{
    auto held = MakeFile("held.txt", "content held open");
    HANDLE open = CreateFileA(held->FullPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, open);
    RemovalReport report = RemoveRecordsToRecycleBin({held.get()});
    CloseHandle(open);
    EXPECT_EQ(0, report.removed);
    ASSERT_EQ(1u, report.failedPaths.size());
    EXPECT_EQ(held->FullPath(), report.failedPaths[0]);
    EXPECT_EQ(kRemovalRefused, report.failures[0]);
    EXPECT_TRUE(Exists(held->FullPath()));
    EXPECT_FALSE(held->flags & kRecordRemoved);
}

TEST(RecycleRemoval, AFileChangedOrMovedSinceTheScanIsNotRemoved)
{
    auto changed = MakeFile("changed.txt", "before");
    auto grown = MakeFile("changed.txt", "after the scan it grew");
    grown->size = changed->size;  // the record still says the old size
    auto moved = MakeFile("moved.txt", "moved away");
    ASSERT_TRUE(MoveFileA(moved->FullPath().c_str(), (WorkFolder() + "moved-elsewhere.txt").c_str()));
    RemovalReport report = RemoveRecordsToRecycleBin({grown.get(), moved.get()});
    EXPECT_EQ(0, report.removed);
    ASSERT_EQ(2u, report.failures.size());
    EXPECT_EQ(kRemovalChanged, report.failures[0]);
    EXPECT_EQ(kRemovalChanged, report.failures[1]);
    EXPECT_TRUE(Exists(grown->FullPath()));
    EXPECT_FALSE(grown->flags & kRecordRemoved);
    EXPECT_FALSE(moved->flags & kRecordRemoved);
}

TEST(RecycleRemoval, AFileTheTrashCannotTakeIsNeverDeletedForEver)
{
    // /dev/shm is another file system than the trash: the shell cannot move it there.
    const std::string folder = "Z:\\dev\\shm\\";
    if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no /dev/shm";
    FoundFileRecord record;
    record.folder = folder;
    record.name = "results-cross-device-" + std::to_string(GetCurrentProcessId()) + ".txt";
    HANDLE file = CreateFileA(record.FullPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, "abc", 3, &written, nullptr);
    CloseHandle(file);
    record.size = 3;
    RemovalReport report = RemoveRecordsToRecycleBin({&record});
    const bool stillThere = Exists(record.FullPath());
    const bool inTrash = Exists(TrashFolder() + record.name);
    DeleteFileA(record.FullPath().c_str());
    EXPECT_TRUE(stillThere || inTrash) << "deleted for ever";
    EXPECT_EQ(stillThere ? 0 : 1, report.removed);
    EXPECT_EQ(stillThere, !(record.flags & kRecordRemoved));
    EXPECT_EQ(stillThere ? 1u : 0u, report.failedPaths.size());
}

TEST(RecycleRemoval, AReadOnlyFileIsEitherInTheTrashOrStillThere)
{
    auto readOnly = MakeFile("read-only.txt", "read only content");
    ASSERT_TRUE(SetFileAttributesA(readOnly->FullPath().c_str(), FILE_ATTRIBUTE_READONLY));
    RemovalReport report = RemoveRecordsToRecycleBin({readOnly.get()});
    const bool stillThere = Exists(readOnly->FullPath());
    const bool inTrash = Exists(TrashFolder() + "read-only.txt");
    SetFileAttributesA(readOnly->FullPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(stillThere != inTrash) << "deleted for ever, or copied and left";
    EXPECT_EQ(inTrash ? 1 : 0, report.removed);
    EXPECT_EQ(stillThere, !(readOnly->flags & kRecordRemoved));
}
