// ui/filters/FilterRules.h
// The rules of the filter dialogs that need no window: size units, bound order, extension
// lists, the precision field and which settings list each file kind fills.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "finder/FilterSettings.h"

namespace filters {

// A bound's unit is kept by id, never by its caption, so a translated caption cannot
// change what a number means.
enum SizeUnit { kUnitB = 0, kUnitKB, kUnitMB, kUnitGB, kUnitTB, kUnitNone };

// "B", "KB", "MB", "GB", "TB" (also the language keys of the captions); "" for kUnitNone.
const char* UnitId(SizeUnit unit);
// The unit whose id is text, compared exactly; kUnitNone for anything else.
SizeUnit UnitFromId(const std::string& text);
// A choice of the unit lists (row id 100 KB .. 103 TB); any other row gives KB.
SizeUnit UnitFromChoice(int choice);
// The row of the unit lists that stands for unit; 0 (no row) for B and kUnitNone.
int ChoiceOfUnit(SizeUnit unit);
// number x the unit's factor. 0 (no bound) for kUnitNone or a number of 0 or less; a product
// beyond 64 bits gives INT64_MAX, which no file reaches, instead of a wrapped value.
int64_t UnitToBytes(SizeUnit unit, int64_t number);

// The largest number the size dialog's edit fields take (five digits).
const int kLargestTypedNumber = 99999;

// A bound as the size dialog shows it, in one of the units its lists offer (KB to TB): the
// largest unit that holds it exactly with a number the edit field takes (1,536,000 bytes:
// 1500 KB), so that OK without a change keeps it. A bound no typed number makes is shown in
// the unit it reaches, rounded (1,048,575 bytes: 1024 KB; 1536 bytes: 1 KB). No bound: 0 KB.
struct UnitAmount {
    SizeUnit unit;
    int number;
};
UnitAmount SizeToUnit(int64_t bytes);

// The typed bounds in order. A bound of 0 or less is no bound and is never swapped into the
// other place: "at least 10 MB" with an empty maximum stays a lower bound.
void OrderBounds(int64_t first, int64_t second, int64_t& minimum, int64_t& maximum);

// The non-empty runs of text between any of the delimiter characters.
std::vector<std::string> SplitText(const std::string& text, const char* delimiters);

// The precisions the finder takes: 100 finds exact duplicates only, lower ones pair pictures
// that look at least that much alike.
const int kLowestPrecision = 0;
const int kHighestPrecision = 100;
// A precision typed beyond them: refused with a word, never changed into another number.
const int kPrecisionOutOfRange = -2;
// The precision field: its number when the finder takes it; -1 for a field that holds no
// number (empty or not only digits), which changes nothing; kPrecisionOutOfRange for a
// larger number.
int ParsePrecision(const std::string& text);

// A typed extension list in the form the filter matches: lower-case ".ext;" entries, split
// at ';', ',' and white space, a missing dot added, "*." dropped, repeats left out. Entries
// that are no extension ("*", ".", or holding a path or wildcard character) are dropped, so a
// list never matches every file by accident. Empty when nothing usable remains.
std::string NormaliseExtensionList(const std::string& typed);

// The first three entries of a list, each followed by ';', when it has more than three;
// else empty.
std::string SampleText(const std::string& list);

// The file kinds of the filter dialogs by row or check item id (100..104).
struct FileKind {
    int itemId;
    const char* category;  // "Photo", "OfficeDoc", "Video", "Music", "Other"
};
const std::vector<FileKind>& FileKinds();
// The settings list a kind id fills; null for another id.
std::string* KindList(FilterSettings& settings, int itemId);
// "Photo" for 100 and so on; null for another id.
const char* KindCategory(int itemId);

// One kind's choice as a dialog leaves it: checked, and its extension text.
struct KindChoice {
    int itemId;
    bool present;  // the row and the check item both exist
    bool checked;
    std::string extensions;
};
// Writes the five lists (a kind that is not present and checked gets the empty list) and sets
// the all-types flag exactly when all five were ticked, so that the filter then leaves no file
// out for its extension. With no kind taken it changes nothing and returns false: five empty
// lists would let every file in.
bool ApplyKindChoices(const std::vector<KindChoice>& choices, FilterSettings& settings);

} // namespace filters
