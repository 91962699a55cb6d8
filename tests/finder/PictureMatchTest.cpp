// tests/finder/PictureMatchTest.cpp
// Similar-picture matching with injected entry points, and once with the real library.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/AppFolder.h"
#include "finder/FilesFilter.h"
#include "finder/ScanState.h"
#include "finder/Win32FileFinderModel.h"
#include "tests/finder/FakeFileSource.h"
#include "tests/support/WinePath.h"

namespace {

// A fake library: the hash is the picture's first byte; pictures with equal first bytes are
// similar. A first byte 'X' cannot be hashed.
std::atomic<int> g_hashCalls(0);
bool __cdecl FakeHash(const void* data, uint32_t length, unsigned char* hash)
{
    ++g_hashCalls;
    const unsigned char first = static_cast<const unsigned char*>(data)[0];
    if (length == 0 || first == 'X')
        return false;
    memset(hash, 0, 64);
    hash[0] = first;
    return true;
}
bool __cdecl FakeSimilar(const unsigned char* a, const unsigned char* b, int* result, int threshold)
{
    return a[0] == b[0];
}

class Pictures : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetScanState();
        g_similarityPercent = 90;
        g_hashCalls = 0;
        filter.SetSettings(&settings);
    }
    void TearDown() override
    {
        std::set<FoundFileRecord*> records;
        for (auto& e : raw)
            records.insert(e.second);
        for (auto& e : pairs) {
            records.insert(e.first);
            records.insert(e.second);
        }
        for (FoundFileRecord* r : records)
            delete r;
        g_similarityPercent = 100;
    }
    std::string NameOf(const FoundFileRecord* r) const { return r->name; }

    FilterSettings settings;
    FileFinderFilterProxy filter;
    FakeFileSource fake;
    FileGroupMap raw;
    SimilarPicturePairs pairs;
};

// Compared in the order they were listed: the first of a kind is kept, every later one is its partner.
TEST_F(Pictures, PairsComeInListingOrder)
{
    for (int i = 0; i < 40; ++i)
        fake.AddFile("M:\\p\\a" + std::to_string(100 + i) + ".png", "A picture " + std::to_string(i));
    fake.AddFile("M:\\p\\b.jpg", "B alone");
    fake.AddFile("M:\\p\\notes.txt", "not a picture");
    Win32FileFinderModel model(&filter, &fake);
    model.SetPictureLibrary(FakeHash, FakeSimilar);
    model.FindDuplicates("M:\\p", &raw, &pairs);
    ASSERT_EQ(39u, pairs.size());
    for (auto& e : pairs)
        EXPECT_EQ("a100.png", NameOf(e.first));
    EXPECT_EQ(39u, g_duplicatesFound.load());
    ASSERT_EQ(1u, raw.size());  // pictures never enter the raw result; b.jpg, unmatched, is freed
    EXPECT_EQ("notes.txt", raw.begin()->second->name);
}

TEST_F(Pictures, PicturesTheLibraryCannotTakeAreOrdinaryFiles)
{
    fake.AddFile("M:\\p\\x1.png", "X not decodable");
    fake.AddFile("M:\\p\\x2.png", "X not decodable");
    fake.AddFile("M:\\p\\big1.jpg", "B" + std::string(5000, 'b'));
    fake.AddFile("M:\\p\\big2.jpg", "B" + std::string(5000, 'b'));
    Win32FileFinderModel model(&filter, &fake);
    model.SetPictureLibrary(FakeHash, FakeSimilar);
    model.SetPictureReadLimit(1000);  // big*.jpg are over it: keyed without being hashed
    model.FindDuplicates("M:\\p", &raw, &pairs);
    EXPECT_TRUE(pairs.empty());
    EXPECT_EQ(4u, raw.size());
    EXPECT_EQ(2, g_hashCalls.load());
    EXPECT_EQ(2u, g_duplicatesFound.load());  // both exact pairs found as ordinary groups
}

TEST_F(Pictures, MissingExportKeysPicturesAsOrdinaryFiles)
{
    fake.AddFile("M:\\p\\a.png", "A same");
    fake.AddFile("M:\\p\\b.png", "A same");
    Win32FileFinderModel model(&filter, &fake);
    model.SetPictureLibrary(FakeHash, nullptr);
    model.FindDuplicates("M:\\p", &raw, &pairs);
    EXPECT_TRUE(pairs.empty());
    EXPECT_EQ(2u, raw.size());
    EXPECT_EQ(0, g_hashCalls.load());
    EXPECT_EQ(1u, g_duplicatesFound.load());
}

TEST_F(Pictures, ExactPrecisionSendsNoPictureToTheMatcher)
{
    g_similarityPercent = 100;
    fake.AddFile("M:\\p\\a.png", "A one");
    fake.AddFile("M:\\p\\b.png", "A two");
    Win32FileFinderModel model(&filter, &fake);
    model.SetPictureLibrary(FakeHash, FakeSimilar);
    model.FindDuplicates("M:\\p", &raw, &pairs);
    EXPECT_TRUE(pairs.empty());
    EXPECT_EQ(0, g_hashCalls.load());
    EXPECT_EQ(2u, raw.size());
}

// The precision a scan started with holds for the whole scan: a change of it meanwhile (the
// dialog is not locked while a scan runs) does not loosen the threshold of later comparisons.
std::vector<int> g_thresholds;
bool __cdecl ThresholdRecordingSimilar(const unsigned char* a, const unsigned char* b, int* result, int threshold)
{
    g_thresholds.push_back(threshold);  // only the comparison thread calls it
    return a[0] == b[0];
}

TEST_F(Pictures, PrecisionHoldsForTheWholeScan)
{
    for (int i = 0; i < 4; ++i)
        fake.AddFile("M:\\p\\a" + std::to_string(i) + ".png", "A picture " + std::to_string(i));
    int opened = 0;
    fake.OnOpen([&](const std::string&) {
        if (++opened == 2)
            g_similarityPercent = 50;  // would be threshold 12
    });
    g_thresholds.clear();
    Win32FileFinderModel model(&filter, &fake);
    model.SetPictureLibrary(FakeHash, ThresholdRecordingSimilar);
    model.FindDuplicates("M:\\p", &raw, &pairs);
    EXPECT_EQ(3u, pairs.size());
    EXPECT_EQ(4, g_hashCalls.load());
    EXPECT_EQ((std::vector<int>{4, 4, 4}), g_thresholds);
}

// The walk that takes every file for a picture: whatever its extension, every file the filter
// lets through (on the top level and under the walker threads' folders) is hashed and compared,
// and none is keyed; at precision 100 nothing is walked at all.
TEST_F(Pictures, EveryFileToThePictureMatcher)
{
    fake.AddFile("M:\\p\\A-first.txt", "A text");
    for (int i = 0; i < 5; ++i)
        fake.AddFile("M:\\p\\d" + std::to_string(i) + "\\A-" + std::to_string(i) + ".dat", "A data " + std::to_string(i));
    fake.AddFile("M:\\p\\d2\\B.png", "B alone");
    fake.AddFile("M:\\p\\d3\\X.bin", "X not hashable");
    fake.AddFile("M:\\p\\d4\\A-small", "A");  // left out by the filter
    settings.minimumSize = 2;
    auto search = [&](int percent, SimilarPicturePairs* into) {
        g_similarityPercent = percent;
        g_hashCalls = 0;
        Win32FileFinderModel model(&filter, &fake);
        model.SetPictureLibrary(FakeHash, FakeSimilar);
        model.FindSimilarFiles("M:\\p", into);
    };
    search(90, &pairs);
    EXPECT_EQ(8, g_hashCalls.load());
    ASSERT_EQ(5u, pairs.size());
    std::set<std::string> all = {NameOf(pairs.begin()->first)};
    for (auto& e : pairs) {
        EXPECT_EQ(pairs.begin()->first, e.first);  // all paired with the one kept
        all.insert(NameOf(e.second));
    }
    EXPECT_EQ((std::set<std::string>{"A-first.txt", "A-0.dat", "A-1.dat", "A-2.dat", "A-3.dat", "A-4.dat"}), all);
    EXPECT_EQ(5u, g_duplicatesFound.load());

    SimilarPicturePairs none;
    search(100, &none);
    EXPECT_EQ(0, g_hashCalls.load());
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(raw.empty());
}

// A picture met again through a symbolic or a hard link is the same file, not a similar one:
// pairing it with itself would offer the file for removal beside its own name.
TEST_F(Pictures, LinkedPictureIsNotItsOwnPartner)
{
    Win32FileFinderModel model(&filter);
    model.SetPictureLibrary(FakeHash, FakeSimilar);
    model.FindDuplicates(FixtureDir() + "\\finder\\picturelinks", &raw, &pairs);
    ASSERT_EQ(1u, pairs.size());
    std::set<std::string> pair = {NameOf(pairs.begin()->first), NameOf(pairs.begin()->second)};
    EXPECT_EQ(1u, pair.count("copy-a.png"));
    EXPECT_EQ(1u, g_duplicatesFound.load());
    EXPECT_TRUE(raw.empty());
}

// A precision above 100 is stricter than exact, never looser: no picture is matched by looks.
TEST_F(Pictures, PrecisionAboveExactMatchesNoPicture)
{
    g_similarityPercent = 150;
    fake.AddFile("M:\\p\\a.png", "A one");
    fake.AddFile("M:\\p\\b.png", "A two");
    Win32FileFinderModel model(&filter, &fake);
    model.SetPictureLibrary(FakeHash, FakeSimilar);
    model.FindDuplicates("M:\\p", &raw, &pairs);
    EXPECT_TRUE(pairs.empty());
    EXPECT_EQ(0, g_hashCalls.load());
    EXPECT_EQ(2u, raw.size());
}

// The real library beside the program: a near-copy pairs, an unrelated picture does not.
TEST_F(Pictures, RealLibraryPairsNearCopies)
{
    const std::string library = std::string(GetAppFolder()) + "VoveRIRider.dll";
    if (GetFileAttributesA(library.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "picture library not built yet";
    g_similarityPercent = 50;
    Win32FileFinderModel model(&filter);
    model.FindDuplicates(FixtureDir() + "\\finder\\pictures", &raw, &pairs);
    ASSERT_EQ(1u, pairs.size());
    std::set<std::string> pair = {NameOf(pairs.begin()->first), NameOf(pairs.begin()->second)};
    EXPECT_EQ((std::set<std::string>{"scene.png", "scene-small.jpg"}), pair);
    EXPECT_TRUE(raw.empty());
}

}  // namespace
