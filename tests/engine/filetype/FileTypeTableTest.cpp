// tests/engine/filetype/FileTypeTableTest.cpp
// Extension splitting, type ids by extension, and counting typed records in a region.
#include <gtest/gtest.h>

#include <string.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "engine/filetype/FileTypeRecord.h"
#include "engine/filetype/FileTypeTable.h"

namespace {

uint32_t IdOf(const char* name) { return FileTypeTable::LookupName(name, uint8_t(strlen(name))); }
uint32_t IdOfWide(const wchar_t* name) { return FileTypeTable::LookupName(name, uint8_t(wcslen(name))); }

class MapIndex : public IFileTypePositionIndex {
public:
    std::map<uint64_t, uint32_t> types;
    bool GetTypeAt(uint64_t position, uint32_t* typeId) const override
    {
        auto found = types.find(position);
        if (found == types.end())
            return false;
        *typeId = found->second;
        return true;
    }
};

}  // namespace

// First in the file, so the map is still unbuilt: threads that meet it together must all see it
// whole.
TEST(FileTypeTable, FirstUseFromManyThreadsAtOnce)
{
    std::atomic<int> ready(0), wrong(0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&] {
            ++ready;
            while (ready < 8) {
            }
            for (int i = 0; i < 200; ++i)
                wrong += IdOf("photo.jpg") == 35 && IdOf("REPORT.DOCX") == 73 ? 0 : 1;
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(0, wrong.load());
}

TEST(FileTypeTable, LooksUpNamesIgnoringCase)
{
    struct Case { const char* name; uint32_t id; } cases[] = {
        {"photo.jpg", 35}, {"REPORT.DOCX", 73}, {"a.b", 0}, {"archive.tar.gz", 31}, {"x.3ds", 1},
        {"clip.Mp4", 44}, {"pic.nef", 77}, {"noext", 0}, {".cab", 0}, {"name.", 0}, {"db.accdb", 0},
        {"a.toolong", 0}, {"ab", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.id, IdOf(c.name)) << c.name;
    EXPECT_EQ(35u, IdOfWide(L"photo.JPG"));
    EXPECT_EQ(31u, IdOfWide(L"archive.tar.gz"));
    // Five characters are found by Lookup even though the splitter never yields them.
    EXPECT_EQ(76u, FileTypeTable::Lookup(L"accdb", 5));
    EXPECT_EQ(0u, FileTypeTable::Lookup(L"accdbx", 6));
    EXPECT_EQ(0u, FileTypeTable::Lookup(L"jp", 2));
    EXPECT_STREQ("Raw", FileTypeTable::RowName(0));
    EXPECT_STREQ("NEF", FileTypeTable::RowName(77));
}

TEST(FileTypeTable, SplitExtension)
{
    char ext[4];
    uint8_t length = 9;
    ASSERT_TRUE(SplitExtension("a.b.tiff", 8, ext, &length));
    EXPECT_EQ(4, length);
    EXPECT_EQ(0, memcmp(ext, "tiff", 4));
    ASSERT_TRUE(SplitExtension("ab.", 3, ext, &length));
    EXPECT_EQ(0, length);
    EXPECT_FALSE(SplitExtension("a.b", 2, ext, &length));
    EXPECT_FALSE(SplitExtension(static_cast<const char*>(nullptr), 5, ext, &length));
    EXPECT_FALSE(SplitExtension("abc.defgh", 9, ext, &length));
}

TEST(FileTypeRecord, SetAndListOrder)
{
    FileTypeRecord record;
    EXPECT_FALSE(record.Set("a.xyz", 5, 1, 2));
    EXPECT_FALSE(record.Set("a.jpg", 5, ~uint64_t(0), 2));
    EXPECT_EQ(0u, record.typeId);
    ASSERT_TRUE(record.Set(L"a.jpg", 5, 1, 2));
    EXPECT_EQ(35u, record.typeId);

    FileTypeRecordList list;
    EXPECT_TRUE(list.Add("c.png", 5, 0, 30));
    EXPECT_TRUE(list.Add("a.jpg", 5, 0, 10));
    EXPECT_FALSE(list.Add("b.qqq", 5, 0, 20));
    EXPECT_TRUE(list.Add(L"b.gif", 5, 0, 20));
    ASSERT_EQ(3u, list.Count());
    EXPECT_EQ(10u, list.Records()[0].second);
    EXPECT_EQ(20u, list.Records()[1].second);
    EXPECT_EQ(30u, list.Records()[2].second);
    list.Clear();
    EXPECT_EQ(0u, list.Count());
}

TEST(FileTypeRecord, CountInRegion)
{
    FileTypeRecordList list;
    list.Add("a.jpg", 5, 2, 90);     // before the region
    list.Add("b.jpg", 5, 1, 100);    // p = 1 x 8 + 100 = 108: JPG there
    list.Add("c.png", 5, 2, 120);    // p = 116: index says JPG, no match
    list.Add("d.gif", 5, 3, 150);    // p = 124: GIF there
    list.Add("e.gif", 5, 0x7FFFFFFFFFFFFFFFull, 160);  // scaled position overflows
    list.Add("f.gif", 5, 4, 200);    // region ends at 200
    MapIndex index;
    index.types = {{108, 35}, {116, 35}, {124, 30}, {132, 30}};
    FileTypeRegion region;
    region.scale = 8;
    region.firstSector = 100;
    region.length = 100;
    list.CountInRegion(index, &region);
    EXPECT_EQ(2u, region.counter);
}
