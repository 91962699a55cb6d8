// engine/DriveFreeSpace.h
// How full a drive is, as the folder chooser shows it beside each drive:
// "120.00 GB <free of> 500.00 GB", and the used share in percent.
#pragma once
#include <stdint.h>

#include <string>

#include "app/LangString.h"

// Text and used percent for a drive of totalBytes with freeBytes free; freeOf is the
// translated "FreeOf" text. -1 and outputs unchanged when the total is 100 bytes or less.
// Sizes above 1 GiB are given in GB, the rest in MB. The percent stays within 0 to 100
// also when a quota makes the free bytes exceed the total.
int BuildDriveFreeSpaceText(uint64_t totalBytes, uint64_t freeBytes, const std::string& freeOf,
                            std::string& text, float& usedPercent);

// What is asked of the system, given the drive root ("X:\").
struct DriveSpaceQueries {
    unsigned (*driveType)(const char* root);  // a GetDriveType value (2 removable)
    bool (*freeSpace)(const char* root, uint64_t* totalBytes, uint64_t* freeBytes);
};
const DriveSpaceQueries& SystemDriveSpaceQueries();

// The text and percent of drive letter (either case), asked with the system's critical-error
// box suppressed. 0 on success; 0 with outputs unchanged for a removable A: or B: (no floppy
// is touched); -1 with outputs unchanged when the drive cannot be asked or is not a letter.
int FormatDriveFreeSpaceWith(const DriveSpaceQueries& queries, char letter,
                             const std::string& freeOf, std::string& text, float& usedPercent);

// The translated "FreeOf" text, English when the language file lacks it.
inline std::string DriveFreeOfText()
{
    std::string text = GetLangString("FreeOf");
    return text.empty() ? std::string("free of") : text;
}

// FormatDriveFreeSpaceWith the system's answers and the translated text. Inline, so that the
// engine library itself needs nothing of the app library, whatever the link order.
inline int FormatDriveFreeSpace(char letter, std::string& text, float& usedPercent)
{
    return FormatDriveFreeSpaceWith(SystemDriveSpaceQueries(), letter, DriveFreeOfText(), text,
                                    usedPercent);
}
