// tests/ui/results/ResultModelTest.cpp
// The result model's marks, totals, automatic selection and pruning, and the size text.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ui/results/PathTail.h"
#include "ui/results/ResultModel.h"
#include "ui/results/ResultSizeText.h"

namespace {

struct Records
{
    std::vector<std::unique_ptr<FoundFileRecord>> owned;
    FoundFileRecord* Make(const char* name, int64_t size)
    {
        owned.emplace_back(new FoundFileRecord);
        owned.back()->name = name;
        owned.back()->folder = "C:\\data\\";
        owned.back()->size = size;
        return owned.back().get();
    }
};

// Photo: groups "a" (3 files of 100) and "b" (2 of 50), plus a single "c"; Music: "m" (2 of 7).
struct Filled
{
    Records records;
    ResultModel model;
    Filled()
    {
        FileGroupMap photos;
        photos.insert({"a", records.Make("a1.jpg", 100)});
        photos.insert({"b", records.Make("b1.jpg", 50)});
        photos.insert({"a", records.Make("a2.jpg", 100)});
        photos.insert({"c", records.Make("c1.jpg", 999)});
        photos.insert({"a", records.Make("a3.jpg", 100)});
        photos.insert({"b", records.Make("b2.jpg", 50)});
        FileGroupMap music;
        music.insert({"m", records.Make("m1.mp3", 7)});
        music.insert({"m", records.Make("m2.mp3", 7)});
        model.FillCategory(kCategoryPhoto, photos);
        model.FillCategory(kCategoryMusic, music);
    }
};

}  // namespace

TEST(PathTail, KeepsTheFoldersNextToTheNameThatTellCopiesApart)
{
    const auto measure = [](const std::string& text) { return (int)text.size() * 7; };
    const std::string a = "C:\\Users\\me\\Pictures\\data\\main1\\swirl.png";
    const std::string b = "C:\\Users\\me\\Pictures\\data\\main2\\swirl.png";
    struct Case
    {
        int chars;
        const char* shown;
    } cases[] = {
        {80, "C:\\Users\\me\\Pictures\\data\\main1\\swirl.png"},
        {33, "...\\Pictures\\data\\main1\\swirl.png"},
        {24, "...\\data\\main1\\swirl.png"},
        {20, "...\\main1\\swirl.png"},
        {12, "...wirl.png"},
        {2, "..."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.shown, PathTail(a, c.chars * 7, measure)) << c.chars;
    for (int chars : {20, 24, 33})
        EXPECT_NE(PathTail(a, chars * 7, measure), PathTail(b, chars * 7, measure)) << chars;
}

TEST(ResultSizeText, Table)
{
    struct Case { int64_t bytes; const char* text; } cases[] = {
        {-5, "-5.0 B"},
        {0, "0.0 B"},
        {1023, "1023.0 B"},
        {1024, "1.0 KB"},
        {1048575, "1024.0 KB"},
        {1048576, "1.00 MB"},
        {1073741824, "1.00 GB"},
        {1099511627775LL, "1024.00 GB"},
        {1099511627776LL, "1.00 TB"},
        {3 * 1099511627776LL, "3.00 TB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, FormatResultSize(c.bytes)) << c.bytes;
}

TEST(ResultModel, FillKeepsGroupsOfTwoOrMoreInMapOrder)
{
    Filled f;
    ASSERT_EQ(3u, f.model.GroupCount());
    EXPECT_EQ(2u, f.model.GroupsOf(kCategoryPhoto).size());
    EXPECT_EQ(1u, f.model.GroupsOf(kCategoryMusic).size());
    EXPECT_EQ(0u, f.model.GroupsOf(kCategoryVideo).size());
    EXPECT_EQ(3u, f.model.GroupsOf(kCategoryAllFiles).size());
    const ResultGroup* a = f.model.Group(0);
    ASSERT_EQ(3u, a->files.size());
    EXPECT_EQ("a1.jpg", a->files[0].record->name);
    EXPECT_EQ("a3.jpg", a->files[2].record->name);

    struct Case { int category; int files; int64_t size; } cases[] = {
        {kCategoryAllFiles, 7, 414}, {kCategoryPhoto, 5, 400}, {kCategoryMusic, 2, 14}, {kCategoryVideo, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.files, f.model.FileCount(c.category)) << c.category;
        EXPECT_EQ(c.size, f.model.TotalSize(c.category)) << c.category;
    }
    EXPECT_EQ("300.0 B(3 Items)", ResultModel::GroupCaption(*a, "Items"));
}

TEST(ResultModel, FillIgnoresBadCategoriesAndEmptyMaps)
{
    Records records;
    ResultModel model;
    FileGroupMap groups;
    groups.insert({"x", records.Make("x1", 1)});
    groups.insert({"x", records.Make("x2", 1)});
    EXPECT_EQ(0, model.FillCategory(kCategoryAllFiles, groups));
    EXPECT_EQ(0, model.FillCategory(6, groups));
    EXPECT_EQ(0, model.FillCategory(kCategoryPhoto, FileGroupMap()));
    EXPECT_EQ(0u, model.GroupCount());
}

TEST(ResultModel, CheckingAFileAndBackRestoresTotalsInBothTrees)
{
    Filled f;
    ResultGroup* a = f.model.Group(0);
    f.model.SetFileChecked(a, 1, true);
    f.model.SetFileChecked(a, 2, true);
    EXPECT_TRUE(a->Checked());
    for (int category : {kCategoryAllFiles, kCategoryPhoto}) {
        EXPECT_EQ(2, f.model.CheckedCount(category));
        EXPECT_EQ(200, f.model.CheckedSize(category));
    }
    EXPECT_EQ(0, f.model.CheckedCount(kCategoryMusic));
    f.model.SetFileChecked(a, 2, false);
    EXPECT_TRUE(a->Checked()) << "a group stays checked while any file is";
    f.model.SetFileChecked(a, 1, false);
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(0, f.model.CheckedCount(kCategoryAllFiles));
    EXPECT_EQ(0, f.model.CheckedSize(kCategoryAllFiles));
    f.model.SetFileChecked(a, 7, true);  // out of range: nothing
    EXPECT_EQ(0, f.model.CheckedCount(kCategoryAllFiles));
}

TEST(ResultModel, GroupCheckKeepsTheFirstFileAndUncheckClearsAll)
{
    Filled f;
    ResultGroup* a = f.model.Group(0);
    f.model.SetFileChecked(a, 0, true);
    f.model.SetGroupChecked(a, true);
    EXPECT_FALSE(a->files[0].checked) << "checking a group keeps its first file";
    EXPECT_TRUE(a->files[1].checked);
    EXPECT_TRUE(a->files[2].checked);
    f.model.SetFileChecked(a, 0, true);
    f.model.SetGroupChecked(a, false);
    EXPECT_EQ(0, a->CheckedCount());
}

TEST(ResultModel, AutoSelectLeavesOneFileOfEveryGroup)
{
    Filled f;
    f.model.AutoSelect(kCategoryPhoto);
    EXPECT_EQ(3, f.model.CheckedCount(kCategoryPhoto));
    EXPECT_EQ(250, f.model.CheckedSize(kCategoryPhoto));
    EXPECT_EQ(0, f.model.CheckedCount(kCategoryMusic)) << "another category's tree keeps its marks";
    f.model.AutoSelect(kCategoryAllFiles);
    EXPECT_EQ(4, f.model.CheckedCount(kCategoryAllFiles));
    for (ResultGroup* group : f.model.GroupsOf(kCategoryAllFiles))
        EXPECT_EQ((int)group->files.size() - 1, group->CheckedCount());
    EXPECT_EQ(4u, f.model.CheckedFiles(kCategoryAllFiles).size());
    EXPECT_EQ(3u, f.model.CheckedFiles(kCategoryPhoto).size());
    f.model.UncheckAll(kCategoryMusic);
    EXPECT_EQ(3, f.model.CheckedCount(kCategoryAllFiles));
    f.model.UncheckAll(kCategoryAllFiles);
    EXPECT_EQ(0, f.model.CheckedCount(kCategoryAllFiles));
}

TEST(ResultModel, AutoSelectKeepsAFileWhenTheFirstIsAlreadyRemoved)
{
    Filled f;
    ResultGroup* a = f.model.Group(0);
    a->files[0].record->flags |= kRecordRemoved;
    f.model.AutoSelect(kCategoryPhoto);
    EXPECT_FALSE(a->files[1].checked) << "the first file still there is kept";
    EXPECT_TRUE(a->files[2].checked);
    f.model.SetFileChecked(a, 0, true);
    EXPECT_FALSE(a->files[0].checked) << "a removed file takes no mark";
}

TEST(ResultModel, PruneDropsRemovedFilesAndGroupsUnderTwoFiles)
{
    Filled f;
    f.model.AutoSelect(kCategoryAllFiles);
    ResultGroup* a = f.model.Group(0);
    ResultGroup* b = f.model.Group(1);
    // a2 went to the bin, a3 could not be removed; b2 and m2 went.
    a->files[1].record->flags |= kRecordRemoved;
    b->files[1].record->flags |= kRecordRemoved;
    f.model.Group(2)->files[1].record->flags |= kRecordRemoved;
    PruneOutcome outcome = f.model.PruneRemoved();
    EXPECT_EQ(3, outcome.removedFiles);
    EXPECT_EQ(2, outcome.droppedGroups);
    EXPECT_EQ(2, outcome.leftAlone);
    ASSERT_EQ(1u, f.model.GroupCount());
    const ResultGroup* left = f.model.Group(0);
    ASSERT_EQ(2u, left->files.size());
    EXPECT_EQ("a3.jpg", left->files[1].record->name);
    EXPECT_TRUE(left->files[1].checked) << "a file that is still there keeps its mark";
    EXPECT_EQ(1, f.model.CheckedCount(kCategoryAllFiles));
    EXPECT_EQ(2, f.model.FileCount(kCategoryPhoto));
    EXPECT_EQ(0, f.model.FileCount(kCategoryMusic));
    EXPECT_EQ("200.0 B(2 Items)", ResultModel::GroupCaption(*left, "Items"));
    EXPECT_EQ(0, f.model.PruneRemoved().removedFiles);
}

TEST(ResultModel, PruneAlsoDropsFilesGoneOrChangedSinceTheScanThenTheirGroups)
{
    Filled f;
    f.model.AutoSelect(kCategoryAllFiles);
    // a2 went to the bin; a3 (checked, not removed) and m1 changed on disk since the scan.
    f.model.Group(0)->files[1].record->flags |= kRecordRemoved;
    auto unchanged = [](const FoundFileRecord& r) { return r.name != "a3.jpg" && r.name != "m1.mp3"; };
    PruneOutcome outcome = f.model.PruneRemoved(unchanged);
    EXPECT_EQ(1, outcome.removedFiles);
    EXPECT_EQ(2, outcome.changedFiles);
    EXPECT_EQ(2, outcome.droppedGroups) << "a and m are left with one file";
    ASSERT_EQ(1u, f.model.GroupCount());
    EXPECT_EQ("b1.jpg", f.model.Group(0)->files[0].record->name);
    EXPECT_EQ(2, f.model.FileCount(kCategoryAllFiles));
    EXPECT_EQ(100, f.model.TotalSize(kCategoryAllFiles));
    EXPECT_EQ(1, f.model.CheckedCount(kCategoryAllFiles));
    // Per category: every file that left, the one left alone in a dropped group included.
    struct Want { int category, files; int64_t bytes; int groups; } wants[] = {
        {kCategoryAllFiles, 5, 314, 2}, {kCategoryPhoto, 3, 300, 1}, {kCategoryVideo, 0, 0, 0},
        {kCategoryMusic, 2, 14, 1},     {kCategoryOther, 0, 0, 0}};
    for (const Want& want : wants) {
        EXPECT_EQ(want.files, outcome.byCategory[want.category].files) << want.category;
        EXPECT_EQ(want.bytes, outcome.byCategory[want.category].bytes) << want.category;
        EXPECT_EQ(want.groups, outcome.byCategory[want.category].groups) << want.category;
    }
    ASSERT_EQ(2u, outcome.dropped.size());
    EXPECT_EQ("a1.jpg", outcome.dropped[0]->files.at(0).record->name) << "a dropped group keeps the file it had left";
    EXPECT_EQ(kCategoryMusic, outcome.dropped[1]->category);
}

TEST(ResultModel, PlanRemovalTellsEachGroupsCheckedAndKeptFilesOfTheCategory)
{
    Filled f;
    ResultGroup* a = f.model.Group(0);
    f.model.SetGroupChecked(a, true);
    f.model.SetFileChecked(a, 0, true);  // every file of a, by hand
    a->files[2].record->flags |= kRecordRemoved;  // one already gone: neither checked nor kept
    f.model.SetFileChecked(f.model.Group(1), 1, true);
    f.model.SetFileChecked(f.model.Group(2), 1, true);  // music

    const std::vector<RemovalGroup> photos = f.model.PlanRemoval(kCategoryPhoto);
    ASSERT_EQ(2u, photos.size());
    EXPECT_EQ(2u, photos[0].checked.size());
    EXPECT_TRUE(photos[0].kept.empty()) << "a would lose every file";
    ASSERT_EQ(1u, photos[1].checked.size());
    EXPECT_EQ("b2.jpg", photos[1].checked[0]->name);
    ASSERT_EQ(1u, photos[1].kept.size());
    EXPECT_EQ("b1.jpg", photos[1].kept[0]->name);
    EXPECT_FALSE(photos[1].mayLoseEveryFile);
    EXPECT_EQ(3u, f.model.PlanRemoval(kCategoryAllFiles).size());
    f.model.UncheckAll(kCategoryMusic);
    EXPECT_TRUE(f.model.PlanRemoval(kCategoryMusic).empty()) << "a group with nothing checked is left out";
}

TEST(ResultModel, SelectionSummaryFollowsTheCategory)
{
    Filled f;
    EXPECT_EQ("", f.model.SelectionSummary(kCategoryPhoto));
    f.model.AutoSelect(kCategoryMusic);
    EXPECT_EQ("", f.model.SelectionSummary(kCategoryPhoto));
    EXPECT_NE(std::string::npos, f.model.SelectionSummary(kCategoryMusic).find("7.0 B"));
    EXPECT_NE(std::string::npos, f.model.SelectionSummary(kCategoryAllFiles).find("1"));
}

// A look-alike group whose pictures are all one byte-for-byte copy is shown as a group of
// copies; one picture that is only alike (or not compared) keeps the look-alike mark.
TEST(ResultModel, ALookAlikeGroupOfOnlyCopiesIsAGroupOfCopies)
{
    struct Case { std::vector<uint32_t> copyClasses; bool lookAlike; } cases[] = {
        {{1, 1}, false},
        {{4, 4, 4}, false},
        {{1, 1, 2}, true},
        {{1, 2}, true},
        {{0, 0}, true},
    };
    for (const Case& c : cases) {
        Records records;
        FileGroupMap photos;
        for (uint32_t copyClass : c.copyClasses) {
            FoundFileRecord* record = records.Make("p.jpg", 100);
            record->copyClass = copyClass;
            photos.insert({"look-alike 1", record});
        }
        ResultModel model;
        ASSERT_EQ(1, model.FillCategory(kCategoryPhoto, photos));
        EXPECT_EQ(c.lookAlike, model.Group(0)->lookAlike) << c.copyClasses.size() << " files, first class "
                                                          << c.copyClasses[0];
    }
}
