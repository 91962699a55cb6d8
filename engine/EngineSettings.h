// engine/EngineSettings.h
// The engine's one settings object: switches and limits that its readers consult. Never
// loaded or saved; every field keeps its built-in default for the life of the process.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

struct EngineSettings {
    EngineSettings();

    // First group.
    uint32_t option1 = 1;
    uint32_t option2 = 0;
    uint32_t option3 = 0;
    // Non-zero: a failed physical-disk read returns zero-filled sectors and records the
    // unreadable region instead of failing.
    uint32_t bSkipUnreadableSectors = 1;
    uint32_t option5 = 0;
    uint32_t option6 = 0;
    uint32_t option7 = 101;
    uint32_t option8 = 0;
    uint32_t option9 = 0;
    uint32_t option10 = 0;
    uint32_t option11 = 2;
    uint32_t option12 = 0;

    // Second group. Non-zero: the FAT directory reader rejects a short entry whose non-zero
    // dates (month 1 to 12, day not 0) or times (hour < 24, minute < 60, seconds/2 < 30)
    // are not valid.
    uint32_t bCheckFatEntryDates = 1;
    uint32_t bCheckFatEntryTimes = 1;
    uint32_t checkOption3 = 1;
    uint32_t checkOption4 = 1;
    uint32_t checkOption5 = 1;

    // Third group.
    uint32_t thirdOption1 = 1;
    uint32_t thirdOption2 = 1;
    uint32_t thirdOption3 = 0;

    // Fourth group. Non-zero: an out-of-memory crash signals the memory-crash event rather
    // than the general crash event (the message is shown either way).
    uint32_t bMemoryCrashEvent = 1;
    uint32_t fourthOption2 = 0;
    uint32_t fourthOption3[2] = {0, 0};
    uint64_t sizeLimit = 200000000;
    std::vector<uint32_t> identifiers;   // 1, 2, ..., 147

    // Fifth group.
    std::string text;
    int32_t lastOption = -1;
};

// The one settings object, built on the first call (thread-safe) and destroyed at exit.
// Read-only: the fields never change after construction, so any thread may read them.
const EngineSettings* GetEngineSettings();
