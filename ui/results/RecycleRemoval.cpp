// ui/results/RecycleRemoval.cpp
#include "ui/results/RecycleRemoval.h"

#include <shellapi.h>

namespace {

bool PathIsGone(const std::string& path)
{
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Another program holding the file open without delete sharing makes Windows refuse; the
// shell under Wine would move it all the same, so ask first.
bool InUseByAnother(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return false;
}

}  // namespace

bool StillTheScannedFile(const FoundFileRecord& record)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(record.FullPath().c_str(), GetFileExInfoStandard, &data))
        return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    const int64_t size = (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const uint64_t time = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return size == record.size && (record.time == 0 || time == record.time);
}

RemovalFailure MoveFileToRecycleBin(const std::string& path)
{
    // The source list is double-NUL terminated; a path too long for it is refused, never cut.
    if (path.empty() || path.size() >= MAX_PATH * 4)
        return kRemovalRefused;
    if (InUseByAnother(path))
        return kRemovalRefused;
    std::string source = path;
    source.push_back('\0');
    source.push_back('\0');

    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = source.c_str();
    // Undo keeps it in the bin; the nuke warning stops the shell from deleting for ever, in
    // silence, a file it cannot put there.
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_ALLOWUNDO | FOF_WANTNUKEWARNING;
    const int result = SHFileOperationA(&operation);
    if (result != 0 || operation.fAnyOperationsAborted)
        return PathIsGone(path) ? kRemovalOk : kRemovalRefused;
    return PathIsGone(path) ? kRemovalOk : kRemovalStillThere;
}

RemovalReport RemoveRecordsToRecycleBin(const std::vector<FoundFileRecord*>& records)
{
    RemovalReport report;
    for (FoundFileRecord* record : records) {
        if (!record || (record->flags & kRecordRemoved))
            continue;
        const std::string path = record->FullPath();
        RemovalFailure failure = StillTheScannedFile(*record) ? MoveFileToRecycleBin(path) : kRemovalChanged;
        if (failure == kRemovalOk) {
            record->flags |= kRecordRemoved;
            ++report.removed;
        } else {
            report.failedPaths.push_back(path);
            report.failures.push_back(failure);
        }
    }
    return report;
}
