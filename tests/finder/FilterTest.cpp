// tests/finder/FilterTest.cpp
// The files filter: size range, hidden rule, type lists and the picture test.
#include <gtest/gtest.h>

#include "finder/FilesFilter.h"

namespace {

FoundFileRecord Record(const std::string& name, int64_t size, uint32_t attributes = 0x20)
{
    FoundFileRecord r;
    r.name = name;
    r.folder = "M:\\data\\";
    r.size = size;
    r.attributes = attributes;
    return r;
}

struct FilterCase
{
    const char* what;
    int64_t minimum, maximum;
    uint8_t includeHidden;
    const char* photoList;
    const char* otherList;
    const char* name;
    int64_t size;
    uint32_t attributes;
    bool excluded;
    uint8_t allTypes = 0;  // every kind ticked in the dialog
};

TEST(FilesFilter, Decisions)
{
    const FilterCase cases[] = {
        {"no rule keeps everything", 0, 0, 1, "", "", "a.txt", 10, 0x20, false},
        {"equal bounds keep exactly that size", 1000, 1000, 1, "", "", "a.txt", 1000, 0x20, false},
        {"equal bounds: one byte more", 1000, 1000, 1, "", "", "a.txt", 1001, 0x20, true},
        {"equal bounds: one byte less", 1000, 1000, 1, "", "", "a.txt", 999, 0x20, true},
        {"bounds set the wrong way round still form a range", 5000, 100, 1, "", "", "a.txt", 6000, 0x20, true},
        {"wrong way round, inside", 5000, 100, 1, "", "", "a.txt", 300, 0x20, false},
        {"minimum only, below", 5000, 0, 1, "", "", "a.txt", 4999, 0x20, true},
        {"minimum only, above", 5000, 0, 1, "", "", "a.txt", 1 << 30, 0x20, false},
        {"maximum only, above", 0, 100, 1, "", "", "a.txt", 101, 0x20, true},
        {"hidden left out, no lists", 0, 0, 0, "", "", "a.txt", 10, 0x22, true},
        {"hidden left out although its type is chosen", 0, 0, 0, ".jpg;", "", "a.jpg", 10, 0x22, true},
        {"hidden kept when asked", 0, 0, 1, ".jpg;", "", "a.jpg", 10, 0x22, false},
        {"type in a list", 0, 0, 1, ".jpg;.png;", "", "a.PNG", 10, 0x20, false},
        {"type in the fifth list", 0, 0, 1, ".jpg;", ".txt;", "a.txt", 10, 0x20, false},
        {"type in no list", 0, 0, 1, ".jpg;", "", "a.txt", 10, 0x20, true},
        {"name ending in a dot matches no list", 0, 0, 1, ".jpg;", "", "a.", 10, 0x20, true},
        {"name without a dot matches no list", 0, 0, 1, ".jpg;", "", "jpg", 10, 0x20, true},
        {"a dot-name's text after the dot is its type", 0, 0, 1, ".jpg;", "", ".jpg", 10, 0x20, false},
        {"the probe needs the whole entry", 0, 0, 1, ".jpeg;", "", "a.jpe", 10, 0x20, true},
        // With every kind ticked the lists are filled as well: a type they do not name stays.
        {"all kinds: type in no list", 0, 0, 1, ".jpg;", ".txt;", "a.dat", 10, 0x20, false, 1},
        {"all kinds: no extension", 0, 0, 1, ".jpg;", ".txt;", "README", 10, 0x20, false, 1},
        {"all kinds: the size rule still holds", 0, 5, 1, ".jpg;", "", "a.dat", 10, 0x20, true, 1},
        {"all kinds: the hidden rule still holds", 0, 0, 0, ".jpg;", "", "a.jpg", 10, 0x22, true, 1},
    };
    for (const FilterCase& c : cases) {
        FilterSettings s;
        s.minimumSize = c.minimum;
        s.maximumSize = c.maximum;
        s.includeHidden = c.includeHidden;
        s.typeList1 = c.photoList;
        s.typeList5 = c.otherList;
        s.allTypes = c.allTypes;
        EXPECT_EQ(c.excluded, IsExcludedBy(s, Record(c.name, c.size, c.attributes))) << c.what;
    }
}

TEST(FilesFilter, PictureTestAndProxy)
{
    FilterSettings s;
    EXPECT_TRUE(IsPictureBy(s, Record("logo.CDR", 1)));
    EXPECT_TRUE(IsPictureBy(s, Record("a.b.jpeg", 1)));
    EXPECT_FALSE(IsPictureBy(s, Record("jpg", 1)));
    EXPECT_FALSE(IsPictureBy(s, Record("a.", 1)));
    EXPECT_FALSE(IsPictureBy(s, Record("a.jpgx", 1)));

    FileFinderFilterProxy& proxy = FileFinderFilterProxy::Instance();
    FoundFileRecord r = Record("a.jpg", 10);
    proxy.SetSettings(nullptr);
    EXPECT_TRUE(proxy.IsExcluded(&r));  // no settings: nothing passes
    EXPECT_FALSE(proxy.IsPicture(&r));
    proxy.SetSettings(&s);
    EXPECT_FALSE(proxy.IsExcluded(&r));
    EXPECT_TRUE(proxy.IsPicture(&r));
    EXPECT_TRUE(proxy.IsExcluded(nullptr));
    proxy.SetSettings(nullptr);
}

TEST(FilesFilter, LowerExtension)
{
    EXPECT_EQ("jpg", GetLowerExtension("Photo.JPG"));
    EXPECT_EQ("gz", GetLowerExtension("a.tar.gz"));
    EXPECT_EQ("", GetLowerExtension("name."));
    EXPECT_EQ("", GetLowerExtension("README"));
    EXPECT_EQ("bashrc", GetLowerExtension(".bashrc"));
}

}  // namespace
