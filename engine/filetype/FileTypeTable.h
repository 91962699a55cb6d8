// engine/filetype/FileTypeTable.h
// File-type ids by extension: the id of an extension is its row in a fixed table of names.
#pragma once
#include <stdint.h>
#include <wchar.h>

// Extensions the name splitter finds have at most this many characters.
const uint8_t kMaxSplitExtension = 4;

// True when the name has an extension: a '.' after the first character followed by at most
// four characters. The characters (not terminated) go to `out`, which holds 4 units.
bool SplitExtension(const wchar_t* name, uint8_t length, wchar_t* out, uint8_t* extensionLength);
bool SplitExtension(const char* name, uint8_t length, char* out, uint8_t* extensionLength);

class FileTypeTable {
public:
    static const uint32_t kRowCount = 78;  // row 0 is "Raw", no type

    // Fills the process-wide map once; later calls do nothing. Safe from any thread.
    static void Load();
    // 0 when the extension is not known; case is ignored.
    static uint32_t Lookup(const wchar_t* extension, uint8_t length);
    static uint32_t LookupName(const wchar_t* name, uint8_t length);
    static uint32_t LookupName(const char* name, uint8_t length);
    static const char* RowName(uint32_t id);
};
