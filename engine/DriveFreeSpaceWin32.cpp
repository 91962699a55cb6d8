// engine/DriveFreeSpaceWin32.cpp
// Asking the system about a drive, kept apart from the text building so that stays testable.
#include "engine/DriveFreeSpace.h"

#include <windows.h>

namespace {

// Suppresses the "no disk in drive" box while a drive is asked, for this thread only where
// the system allows, and puts the previous mode back afterwards.
class CriticalErrorBoxOff {
public:
    CriticalErrorBoxOff()
    {
        const UINT mode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
        threadMode_ = SetThreadErrorMode(mode, &previous_) != FALSE;
        if (!threadMode_)
            previous_ = SetErrorMode(mode);
    }
    ~CriticalErrorBoxOff()
    {
        if (threadMode_)
            SetThreadErrorMode(previous_, nullptr);
        else
            SetErrorMode(previous_);
    }
    CriticalErrorBoxOff(const CriticalErrorBoxOff&) = delete;
    CriticalErrorBoxOff& operator=(const CriticalErrorBoxOff&) = delete;

private:
    DWORD previous_ = 0;
    bool threadMode_ = false;
};

unsigned SystemDriveType(const char* root)
{
    return GetDriveTypeA(root);
}

bool SystemFreeSpace(const char* root, uint64_t* totalBytes, uint64_t* freeBytes)
{
    ULARGE_INTEGER available, total, totalFree;
    if (!GetDiskFreeSpaceExA(root, &available, &total, &totalFree))
        return false;
    *totalBytes = total.QuadPart;
    *freeBytes = totalFree.QuadPart;
    return true;
}

}  // namespace

const DriveSpaceQueries& SystemDriveSpaceQueries()
{
    static const DriveSpaceQueries queries{SystemDriveType, SystemFreeSpace};
    return queries;
}

int FormatDriveFreeSpaceWith(const DriveSpaceQueries& queries, char letter,
                             const std::string& freeOf, std::string& text, float& usedPercent)
{
    if (letter >= 'a' && letter <= 'z')
        letter = char(letter - 'a' + 'A');
    if (letter < 'A' || letter > 'Z')
        return -1;
    // With the backslash: GetDriveType answers only for a root, so "A:" alone would never
    // be seen as removable and the floppy would be asked.
    const char root[4] = {letter, ':', '\\', '\0'};
    CriticalErrorBoxOff quiet;
    if ((letter == 'A' || letter == 'B') && queries.driveType(root) == DRIVE_REMOVABLE)
        return 0;
    uint64_t total = 0, totalFree = 0;
    if (!queries.freeSpace(root, &total, &totalFree))
        return -1;
    return BuildDriveFreeSpaceText(total, totalFree, freeOf, text, usedPercent);
}

int FormatDriveFreeSpace(char letter, const LangLookup& lookup, std::string& text,
                         float& usedPercent)
{
    return FormatDriveFreeSpaceWith(SystemDriveSpaceQueries(), letter, DriveFreeOfText(lookup),
                                    text, usedPercent);
}
