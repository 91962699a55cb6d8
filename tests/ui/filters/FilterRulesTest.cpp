// tests/ui/filters/FilterRulesTest.cpp
// The filter dialogs' rules without a window: units, bounds, lists, precision, kinds.
#include <gtest/gtest.h>

#include <limits>

#include "ui/filters/FilterRules.h"

using namespace filters;

TEST(SizeUnits, CaptionIdsAndChoices)
{
    EXPECT_EQ(kUnitMB, UnitFromId("MB"));
    EXPECT_EQ(kUnitB, UnitFromId("B"));
    // Only the untranslated id counts: a caption is never parsed.
    for (const char* other : {"mb", "Mo", "", " KB", "KB "})
        EXPECT_EQ(kUnitNone, UnitFromId(other)) << other;
    EXPECT_STREQ("TB", UnitId(kUnitTB));
    EXPECT_STREQ("", UnitId(kUnitNone));
    EXPECT_EQ(kUnitKB, UnitFromChoice(100));
    EXPECT_EQ(kUnitMB, UnitFromChoice(101));
    EXPECT_EQ(kUnitGB, UnitFromChoice(102));
    EXPECT_EQ(kUnitTB, UnitFromChoice(103));
    EXPECT_EQ(kUnitKB, UnitFromChoice(7));
    for (SizeUnit unit : {kUnitKB, kUnitMB, kUnitGB, kUnitTB})
        EXPECT_EQ(unit, UnitFromChoice(ChoiceOfUnit(unit)));
    EXPECT_EQ(0, ChoiceOfUnit(kUnitB));
}

TEST(SizeUnits, UnitToBytes)
{
    const int64_t kMax = std::numeric_limits<int64_t>::max();
    struct Case { SizeUnit unit; int64_t number; int64_t bytes; } cases[] = {
        {kUnitB, 5, 5},
        {kUnitKB, 1, 1024},
        {kUnitMB, 20, 20971520},
        {kUnitGB, 3, 3221225472LL},
        {kUnitTB, 99999, 99999LL << 40},
        {kUnitNone, 5, 0},
        {kUnitMB, 0, 0},
        {kUnitMB, -4, 0},
        // Beyond 64 bits: the largest value, not a wrapped (negative or small) one.
        {kUnitTB, 8388608, kMax},
        {kUnitKB, kMax / 2, kMax},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bytes, UnitToBytes(c.unit, c.number)) << c.unit << " x " << c.number;
}

TEST(SizeUnits, SizeToUnit)
{
    struct Case { int64_t bytes; SizeUnit unit; int number; } cases[] = {
        // No bound: in a unit the lists offer, never in bytes.
        {0, kUnitKB, 0},
        {-7, kUnitKB, 0},
        // Held exactly, so that the dialog's OK keeps them.
        {1024, kUnitKB, 1},
        {1536000, kUnitKB, 1500},
        {2047LL << 20, kUnitMB, 2047},
        {1048576, kUnitMB, 1},
        {20971520, kUnitMB, 20},
        {3LL << 40, kUnitTB, 3},
        {99999LL << 40, kUnitTB, 99999},
        // No typed number makes these: the unit they reach (KB at least), rounded.
        {1, kUnitKB, 1},
        {1023, kUnitKB, 1},
        {1536, kUnitKB, 1},
        {99999, kUnitKB, 97},           // "97.7"
        {1048575, kUnitKB, 1024},       // "1024.0"
        {1073741823, kUnitMB, 1024},    // "1024.00"
        {std::numeric_limits<int64_t>::max(), kUnitTB, 8388608},
    };
    for (const Case& c : cases) {
        const UnitAmount shown = SizeToUnit(c.bytes);
        EXPECT_EQ(c.unit, shown.unit) << c.bytes;
        EXPECT_EQ(c.number, shown.number) << c.bytes;
    }
}

TEST(SizeBounds, OrderBounds)
{
    struct Case { int64_t first, second, minimum, maximum; } cases[] = {
        {10, 20, 10, 20},
        {20, 10, 10, 20},      // typed the wrong way round
        {7, 7, 7, 7},
        {0, 30, 0, 30},        // no lower bound
        {30, 0, 30, 0},        // no upper bound stays so: not "at most 30"
        {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        int64_t minimum = -1, maximum = -1;
        OrderBounds(c.first, c.second, minimum, maximum);
        EXPECT_EQ(c.minimum, minimum) << c.first << "," << c.second;
        EXPECT_EQ(c.maximum, maximum) << c.first << "," << c.second;
    }
}

TEST(ExtensionLists, SplitText)
{
    using List = std::vector<std::string>;
    EXPECT_EQ((List{".a", ".b"}), SplitText(".a;.b;", ";"));
    EXPECT_EQ((List{".a", ".b"}), SplitText(";;.a;;;.b", ";"));
    EXPECT_EQ(List{}, SplitText(";;;", ";"));
    EXPECT_EQ(List{}, SplitText("", ";"));
    EXPECT_EQ((List{"a", "b", "c"}), SplitText("a; b,c", "; ,"));
}

TEST(ExtensionLists, SampleText)
{
    EXPECT_EQ("", SampleText(".a;.b;.c;"));
    EXPECT_EQ(".a;.b;.c;", SampleText(".a;.b;.c;.d;"));
    EXPECT_EQ(".a;.b;.c;", SampleText(".a;.b;.c;.d"));
    EXPECT_EQ("", SampleText(""));
}

TEST(ExtensionLists, TypedListsBecomeLowerCaseDotEntries)
{
    struct Case { const char* typed; const char* stored; } cases[] = {
        {".jpg;.png;", ".jpg;.png;"},
        {"JPG PNG", ".jpg;.png;"},
        {"jpg,png;gif", ".jpg;.png;.gif;"},
        {"*.JPG; *.Png", ".jpg;.png;"},
        {".jpg;.JPG;jpg", ".jpg;"},
        {".do;.doc", ".do;.doc;"},
        // Entries that would match every file, or none, are left out.
        {"*;.;*.*;a\\b;c:d", ""},
        {";;  ;", ""},
        {".tar.gz;.gz", ".gz;"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.stored, NormaliseExtensionList(c.typed)) << c.typed;
}

TEST(Precision, ParsePrecision)
{
    struct Case { const char* typed; int value; } cases[] = {
        {"0", 0}, {"85", 85}, {"100", 100}, {"007", 7}, {"000", 0}, {"0100", 100},
        // What the finder does not take is refused, never made another number.
        {"101", kPrecisionOutOfRange}, {"150", kPrecisionOutOfRange}, {"900", kPrecisionOutOfRange},
        {"999", kPrecisionOutOfRange}, {"12345", kPrecisionOutOfRange}, {"99999999999", kPrecisionOutOfRange},
        {"", -1}, {"-5", -1}, {"8a", -1}, {" 9", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, ParsePrecision(c.typed)) << c.typed;
}

TEST(FileKinds, ListsAndTheAllTypesFlag)
{
    FilterSettings settings;
    EXPECT_EQ(&settings.typeList1, KindList(settings, 100));
    EXPECT_EQ(&settings.typeList2, KindList(settings, 101));
    EXPECT_EQ(&settings.typeList5, KindList(settings, 104));
    EXPECT_EQ(nullptr, KindList(settings, 105));
    EXPECT_STREQ("OfficeDoc", KindCategory(101));

    std::vector<KindChoice> all;
    for (const FileKind& kind : FileKinds())
        all.push_back({kind.itemId, true, true, std::string(".") + kind.category + ";"});
    EXPECT_TRUE(ApplyKindChoices(all, settings));
    EXPECT_EQ(".photo;", settings.typeList1);
    EXPECT_EQ(".other;", settings.typeList5);
    EXPECT_EQ(1, settings.allTypes);

    std::vector<KindChoice> oneOff = all;
    oneOff[2].checked = false;
    ApplyKindChoices(oneOff, settings);
    EXPECT_EQ("", settings.typeList3);
    EXPECT_EQ(0, settings.allTypes);
    // All five ticked again means every file again.
    ApplyKindChoices(all, settings);
    EXPECT_EQ(".video;", settings.typeList3);
    EXPECT_EQ(1, settings.allTypes);
    // A ticked kind whose list holds no usable entry is still ticked: every file.
    std::vector<KindChoice> emptyOther = all;
    emptyOther[4].extensions = "*";
    ApplyKindChoices(oneOff, settings);
    ApplyKindChoices(emptyOther, settings);
    EXPECT_EQ("", settings.typeList5);
    EXPECT_EQ(1, settings.allTypes);

    // A missing row counts as unchecked.
    std::vector<KindChoice> missing = all;
    missing[0].present = false;
    ApplyKindChoices(missing, settings);
    EXPECT_EQ("", settings.typeList1);
    // Nothing checked, or only lists without a usable entry: nothing changes, since empty
    // lists everywhere would let every file in.
    FilterSettings before = settings;
    std::vector<KindChoice> none = all;
    for (KindChoice& choice : none)
        choice.checked = false;
    EXPECT_FALSE(ApplyKindChoices(none, settings));
    none[4] = {104, true, true, "*"};
    EXPECT_FALSE(ApplyKindChoices(none, settings));
    EXPECT_EQ(before.typeList2, settings.typeList2);
    EXPECT_EQ(before.typeList5, settings.typeList5);
    // The picture list is never theirs.
    EXPECT_EQ(std::string(kDefaultPictureList), settings.pictureList);
}
