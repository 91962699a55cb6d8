// ui/filters/FilterRules.cpp
#include "ui/filters/FilterRules.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <limits>
#include <set>

#include "app/TextCase.h"

namespace filters {

namespace {

const char* const kUnitIds[] = {"B", "KB", "MB", "GB", "TB"};
const int64_t kFactors[] = {1, 1024, 1048576, 1073741824LL, 1099511627776LL};

} // namespace

const char* UnitId(SizeUnit unit)
{
    return unit >= kUnitB && unit < kUnitNone ? kUnitIds[unit] : "";
}

SizeUnit UnitFromId(const std::string& text)
{
    for (int i = kUnitB; i < kUnitNone; ++i)
        if (text == kUnitIds[i])
            return static_cast<SizeUnit>(i);
    return kUnitNone;
}

SizeUnit UnitFromChoice(int choice)
{
    switch (choice) {
    case 101: return kUnitMB;
    case 102: return kUnitGB;
    case 103: return kUnitTB;
    default: return kUnitKB;
    }
}

int ChoiceOfUnit(SizeUnit unit)
{
    return unit >= kUnitKB && unit <= kUnitTB ? 100 + (unit - kUnitKB) : 0;
}

int64_t UnitToBytes(SizeUnit unit, int64_t number)
{
    if (unit < kUnitB || unit >= kUnitNone || number <= 0)
        return 0;
    const int64_t factor = kFactors[unit];
    if (number > std::numeric_limits<int64_t>::max() / factor)
        return std::numeric_limits<int64_t>::max();
    return number * factor;
}

UnitAmount SizeToUnit(int64_t bytes)
{
    // The unit lists offer KB to TB only: a bound shown in bytes could not be chosen again.
    if (bytes <= 0)
        return {kUnitKB, 0};
    // The largest unit that holds the bound exactly, so that OK without a change keeps it
    // (1500 KB must not come back as 1 MB), as long as the number fits the edit field.
    for (int unit = kUnitTB; unit >= kUnitKB; --unit) {
        if (bytes % kFactors[unit] == 0 && bytes / kFactors[unit] <= kLargestTypedNumber)
            return {static_cast<SizeUnit>(unit), static_cast<int>(bytes / kFactors[unit])};
    }
    // A bound no typed number makes (set elsewhere): the nearest whole number of the unit
    // the size reaches, after rounding to the digits the dialog's format keeps.
    int unit = kUnitKB;
    while (unit < kUnitTB && bytes >= kFactors[unit + 1])
        ++unit;
    char text[50];
    const double quotient = static_cast<double>(bytes) / static_cast<double>(kFactors[unit]);
    snprintf(text, sizeof text, unit <= kUnitKB ? "%.01f" : "%.02f", quotient);
    // Whole numbers of the unit only; a size far beyond any disk is shown as the largest, and
    // a bound below 1 KB as 1 KB rather than as no bound.
    const double shown = atof(text);
    const int number = shown >= 2147483647.0 ? 2147483647 : static_cast<int>(shown);
    return {static_cast<SizeUnit>(unit), number < 1 ? 1 : number};
}

void OrderBounds(int64_t first, int64_t second, int64_t& minimum, int64_t& maximum)
{
    minimum = first;
    maximum = second;
    if (first > 0 && second > 0 && second < first)
        std::swap(minimum, maximum);
}

std::vector<std::string> SplitText(const std::string& text, const char* delimiters)
{
    std::vector<std::string> pieces;
    const std::string delims = delimiters ? delimiters : "";
    size_t at = 0;
    while (at < text.size()) {
        at = text.find_first_not_of(delims, at);
        if (at == std::string::npos)
            break;
        size_t end = text.find_first_of(delims, at);
        if (end == std::string::npos)
            end = text.size();
        pieces.push_back(text.substr(at, end - at));
        at = end;
    }
    return pieces;
}

int ParsePrecision(const std::string& text)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const size_t first = text.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    // More digits than the highest precision has cannot be in range (nor fit an int).
    if (text.size() - first > 3)
        return kPrecisionOutOfRange;
    const int value = atoi(text.c_str() + first);
    return value >= kLowestPrecision && value <= kHighestPrecision ? value : kPrecisionOutOfRange;
}

std::string NormaliseExtensionList(const std::string& typed)
{
    std::string list;
    std::set<std::string> seen;
    for (std::string entry : SplitText(LowerAscii(typed), "; ,\t\r\n")) {
        if (entry.compare(0, 2, "*.") == 0)
            entry.erase(0, 1);
        if (entry[0] != '.')
            entry.insert(0, ".");
        // A bare dot, or anything with a path or wildcard character, is no extension.
        if (entry.size() < 2 || entry.find_first_of(".*?\\/:\"<>|", 1) != std::string::npos)
            continue;
        if (seen.insert(entry).second)
            list += entry + ";";
    }
    return list;
}

std::string SampleText(const std::string& list)
{
    const std::vector<std::string> pieces = SplitText(list, ";");
    std::string sample;
    if (pieces.size() > 3)
        for (int i = 0; i < 3; ++i)
            sample += pieces[i] + ";";
    return sample;
}

const std::vector<FileKind>& FileKinds()
{
    static const std::vector<FileKind> kinds = {
        {100, "Photo"}, {101, "OfficeDoc"}, {102, "Video"}, {103, "Music"}, {104, "Other"}};
    return kinds;
}

std::string* KindList(FilterSettings& settings, int itemId)
{
    switch (itemId) {
    case 100: return &settings.typeList1;
    case 101: return &settings.typeList2;
    case 102: return &settings.typeList3;
    case 103: return &settings.typeList4;
    case 104: return &settings.typeList5;
    default: return nullptr;
    }
}

const char* KindCategory(int itemId)
{
    for (const FileKind& kind : FileKinds())
        if (kind.itemId == itemId)
            return kind.category;
    return nullptr;
}

bool ApplyKindChoices(const std::vector<KindChoice>& choices, FilterSettings& settings)
{
    std::string lists[5];
    int taken = 0;
    size_t ticked = 0;
    for (size_t k = 0; k < FileKinds().size(); ++k)
        for (const KindChoice& choice : choices)
            if (choice.itemId == FileKinds()[k].itemId && choice.present && choice.checked) {
                lists[k] = NormaliseExtensionList(choice.extensions);
                taken += lists[k].empty() ? 0 : 1;
                ++ticked;
                break;
            }
    if (taken == 0)
        return false;
    for (size_t k = 0; k < FileKinds().size(); ++k)
        *KindList(settings, FileKinds()[k].itemId) = lists[k];
    // All five kinds ticked means every file, also one whose extension no list names.
    settings.allTypes = ticked == FileKinds().size() ? 1 : 0;
    return true;
}

} // namespace filters
