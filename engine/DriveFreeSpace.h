// engine/DriveFreeSpace.h
// How full a drive is, as the folder chooser shows it beside each drive:
// "120.00 GB <free of> 500.00 GB", and the used share in percent.
#pragma once
#include <stdint.h>

#include <functional>
#include <string>

// Text and used percent for a drive of totalBytes with freeBytes free; freeOf is the
// translated "FreeOf" text. -1 and outputs unchanged when the total is 100 bytes or less.
// Sizes above 1 GiB are given in GB, the rest in MB. The percent stays within 0 to 100
// also when a quota makes the free bytes exceed the total.
int BuildDriveFreeSpaceText(uint64_t totalBytes, uint64_t freeBytes, const std::string& freeOf,
                            std::string& text, float& usedPercent);

// bytes as "%.2f GB" when scale is above 1 GiB, else as "%.2f MB": the numbers of one drive
// share the unit its total calls for.
std::string DriveSizeText(uint64_t bytes, uint64_t scale);

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

// The total free bytes of drive letter (either case), with the same checks as the text:
// 0 on success; 0 with freeBytes unchanged for a removable A: or B:; -1 with freeBytes
// unchanged when the drive cannot be asked, reports 100 bytes or less, or is not a letter.
int GetDriveFreeBytesWith(const DriveSpaceQueries& queries, char letter, uint64_t& freeBytes);
int GetDriveFreeBytes(char letter, uint64_t& freeBytes);

// Finds the translated text of a language key; the engine is handed one by its caller.
using LangLookup = std::function<std::string(const char* key)>;

// The "FreeOf" text through lookup, English when it has none.
std::string DriveFreeOfText(const LangLookup& lookup);

// FormatDriveFreeSpaceWith the system's answers and the "FreeOf" text found through lookup.
int FormatDriveFreeSpace(char letter, const LangLookup& lookup, std::string& text,
                         float& usedPercent);
