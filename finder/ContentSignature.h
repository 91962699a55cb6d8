// finder/ContentSignature.h
// The cheap content sample that keys a file in the raw result: at most 60 bytes taken at fixed
// positions, stepping over runs of zero bytes. It only splits files apart; a group is confirmed
// by comparing the whole content before anyone sees it.
#pragma once
#include <stdint.h>
#include <string>

#include "finder/FileSource.h"

// Each byte as two lower-case hexadecimal digits; empty for a null buffer or a count of 0.
std::string HexEncode(const void* bytes, size_t count);

// Sampled bytes by precision p: above 80: 30; above 60: 25; above 40: 20; else 10.
int SignatureBudget(int percent);

// Where sample i (1-based) of count is taken in a file of size bytes.
int64_t SamplePosition(int i, int count, int budget, int64_t size);

// Copies the first 4-byte window at or after position, stepping by 4, that is not all zero,
// to dest + *taken and adds 4 to *taken. False when no window fits before the end or a read
// fails (then *failed, when given, is set: the file is not what was listed) or a stop came.
// The windows are looked at through block reads; the result is that of one at a time.
bool ReadSample(IReadableFile* file, uint8_t* dest, int64_t position, int chunk, int64_t size,
                uint32_t* taken, bool* failed = nullptr);

// The signature of an open file of the given size; empty when a read fails (or a stop came).
std::string ContentSignature(IReadableFile& file, int64_t size, int percent);
