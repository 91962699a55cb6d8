// tests/finder/session/RecoveryFilterTest.cpp
// Category ids and masks from "FileFilter.xml" files written for each case.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "engine/FileNode.h"
#include "finder/RecoveryFilter.h"
#include "tests/engine/CountingFileObject.h"
#include "app/XmlNesting.h"
#include "tests/finder/session/SessionTestFiles.h"
#include "tests/support/DeepXml.h"

namespace {

using Ids = std::vector<uint32_t>;

// A node holding a file object of the given name and attributes; deletes both.
class NamedNode {
public:
    explicit NamedNode(const char* name, uint32_t attributes = 0) : node_(CreateFileNode())
    {
        node_->SetFileObject(new CountingFileObject(name ? name : "", attributes));
    }
    ~NamedNode() { DeleteFileNode(node_); }
    const CFileNode* get() const { return node_; }

private:
    CFileNode* node_;
};

Ids CategoriesOf(const CRecoveryFilter& filter, const char* name)
{
    NamedNode node(name);
    return filter.GetFileCategories(node.get());
}

uint32_t MaskOf(const CRecoveryFilter& filter, const char* name)
{
    NamedNode node(name);
    return filter.GetCategoryMask(node.get());
}

const char* const kCategories = R"(<?xml version="1.0"?>
<xml>
  <FileCategory iconIndex="0">
    <FileType><Extention>.JPG</Extention><EXTENTION>.Png</EXTENTION></FileType>
    <FileType><Extention>.gif</Extention><Other>.bmp</Other><Extention></Extention></FileType>
    <FileType><Extention>tif</Extention></FileType>
  </FileCategory>
  <FileCategory iconIndex="1"><FileType><Extention>.mp4</Extention></FileType></FileCategory>
  <FileCategory iconIndex="3"><FileType><Extention>.mp4</Extention>
                                        <Extention>.mp3</Extention></FileType></FileCategory>
  <FileCategory><FileType><Extention>.m4a</Extention></FileType></FileCategory>
  <FileCategory iconIndex="0"><FileType><Extention>.raw</Extention></FileType></FileCategory>
  <FileCategory iconIndex="2"><FileType><Extention>.doc</Extention></FileType></FileCategory>
  <FileCategory iconIndex="4"><FileType><Extention>.zip</Extention></FileType></FileCategory>
  <FileCategory iconIndex="5"><FileType><Extention>.exe</Extention></FileType></FileCategory>
  <FileCategory iconIndex="6"><FileType><Extention>.odd</Extention></FileType></FileCategory>
  <FileCategory iconIndex="many"><FileType><Extention>.txt</Extention></FileType></FileCategory>
</xml>
)";

}  // namespace

TEST(RecoveryFilterTest, IconIndexAndCategoryMaskTables)
{
    const uint32_t idOfIndex[] = {3, 7, 6, 4, 5, 8, 9, 9};
    for (uint32_t index = 0; index < 8; ++index)
        EXPECT_EQ(CategoryIdFromIconIndex(index), idOfIndex[index]) << index;
    EXPECT_EQ(CategoryIdFromIconIndex(0xFFFFFFFF), 9u);
    const uint32_t maskOfId[] = {0x40, 0x40, 0x1, 0x2, 0x4, 0x8, 0x10, 0x20, 0x40, 0x40};
    for (uint32_t id = 0; id < 10; ++id)
        EXPECT_EQ(CategoryMaskFromId(id), maskOfId[id]) << id;
}

TEST(RecoveryFilterTest, ExtensionsFromTheFile)
{
    SessionTestFolder folder;
    const std::string path = folder.Write("FileFilter.xml", kCategories);
    CRecoveryFilter filter(path);
    EXPECT_EQ(filter.LoadFileFilterCategory(kRecoveryPhoto), 0);
    CRecoveryFilter filter2(path);  // a fresh filter: the load above added a second copy

    struct { const char* name; Ids ids; uint32_t mask; } cases[] = {
        // An upper-case ".JPG" under iconIndex 0 answers photos; names fold case too.
        {"holiday.jpg", {3}, 0x2},
        {"HOLIDAY.JPG", {3}, 0x2},
        {"a.png", {3}, 0x2},             // "Extention" named in another case
        {"a.gif", {3}, 0x2},
        {"a.bmp", {8}, 0x40},            // not an "Extention" element
        {"a.tif", {3}, 0x2},             // written without its dot: kept whole
        {"a.if", {8}, 0x40},
        // Listed under two categories: both ids, in load order (4 before 7); mask of the first.
        {"clip.mp4", {4, 7}, 0x4},
        {"song.mp3", {4}, 0x4},
        {"song.m4a", {8}, 0x40},         // no iconIndex: a second 3, never loaded
        {"scan.raw", {8}, 0x40},         // second category with iconIndex 0: never loaded
        {"letter.doc", {6}, 0x10},
        {"backup.zip", {5}, 0x8},
        {"setup.exe", {8}, 0x40},
        {"x.odd", {8}, 0x40},            // iconIndex 6: category 9, never loaded
        {"notes.txt", {8}, 0x40},        // iconIndex not a number
        // Names that cannot be classified.
        {"README", {8}, 0x40},
        {"trailing.", {8}, 0x40},
        {"archive.tar.zip", {5}, 0x8},   // the text after the last dot
        {"zip.", {8}, 0x40},
        {"bad.j\tpg", {8}, 0x40},
        {"bad.\x01jpg", {8}, 0x40},
        {"caf\xe9.jpg", {3}, 0x2},       // a high byte in the name is fine...
        {"pic.jp\xe9", {8}, 0x40},       // ...but not in the extension
        {"", {8}, 0x40},                 // no name at all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CategoriesOf(filter2, c.name), c.ids);
        EXPECT_EQ(MaskOf(filter2, c.name), c.mask);
    }
    EXPECT_EQ(CategoriesOf(filter, "holiday.jpg"), (Ids{3, 3}));
    EXPECT_EQ(filter2.GetFileCategories(nullptr), Ids{8});
    EXPECT_EQ(filter2.GetCategoryMask(nullptr), 0x40u);
    CFileNode* bare = CreateFileNode();
    EXPECT_EQ(filter2.GetFileCategories(bare), Ids{8});
    DeleteFileNode(bare);

    // A first category without "iconIndex" is 0; a later one takes the index before it.
    CRecoveryFilter missing(folder.Write("missing.xml", R"(<xml>
      <FileCategory><FileType><Extention>.jpg</Extention></FileType></FileCategory>
      <FileCategory iconIndex="1"><FileType><Extention>.avi</Extention></FileType></FileCategory>
      <FileCategory iconIndex="4"><FileType><Extention>.zip</Extention></FileType></FileCategory>
      <FileCategory><FileType><Extention>.mp3</Extention></FileType></FileCategory>
      </xml>)"));
    EXPECT_EQ(CategoriesOf(missing, "a.jpg"), Ids{kRecoveryPhoto});
    EXPECT_EQ(CategoriesOf(missing, "a.avi"), Ids{kRecoveryVideo});
    EXPECT_EQ(CategoriesOf(missing, "a.mp3"), Ids{kRecoveryOther});  // a second 4
}

TEST(RecoveryFilterTest, FilesThatCannotBeUsedLeaveTheMapEmpty)
{
    SessionTestFolder folder;
    struct { const char* label; std::string path; int result; } cases[] = {
        {"missing", folder.File("absent.xml"), kFilterFileUnreadable},
        {"not XML", folder.Write("broken.xml", "<xml><FileCategory iconIndex=\"0\">"),
         kFilterFileUnreadable},
        {"empty", folder.Write("empty.xml", ""), kFilterFileUnreadable},
        {"wrong root", folder.Write("root.xml",
                                    "<filters><FileCategory iconIndex=\"0\"><FileType>"
                                    "<Extention>.jpg</Extention></FileType></FileCategory>"
                                    "</filters>"),
         kFilterFileWrongRoot},
        {"no path", std::string(), kFilterFileUnreadable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        CRecoveryFilter filter(c.path);
        EXPECT_TRUE(filter.Extensions().empty());
        EXPECT_EQ(filter.LoadFileFilterCategory(kRecoveryPhoto), c.result);
        EXPECT_EQ(CategoriesOf(filter, "a.jpg"), Ids{8});
        EXPECT_EQ(MaskOf(filter, "a.jpg"), 0x40u);
    }
    // The root name is compared without case.
    CRecoveryFilter upper(folder.Write("upper.xml",
                                       "<XML><FileCategory iconIndex=\"0\"><FileType>"
                                       "<Extention>.jpg</Extention></FileType></FileCategory></XML>"));
    EXPECT_EQ(CategoriesOf(upper, "a.jpg"), Ids{3});
}

// A file nested deeper than the parser's stack allows is refused unparsed, whatever stands in
// front or between; the refusal is kept for the window side to tell.
TEST(RecoveryFilterTest, ADeeplyNestedFileIsRefusedWithTheMessage)
{
    SessionTestFolder folder;
    const char* const category =
        "<FileCategory iconIndex=\"0\"><FileType><Extention>.jpg</Extention></FileType>"
        "</FileCategory>";
    int n = 0;
    for (const DeepXmlForm& form : DeepXmlForms("xml", 20000, category)) {
        SCOPED_TRACE(form.what);
        const std::string name = "deep" + std::to_string(++n) + ".xml";
        const std::string path = folder.Write(name.c_str(), form.text);
        CRecoveryFilter filter(path);
        EXPECT_EQ(filter.Refusal(), XmlTooDeepMessage(path));
        EXPECT_EQ(filter.LoadFileFilterCategory(kRecoveryPhoto), kFilterFileTooDeep);
        EXPECT_TRUE(filter.Extensions().empty());
    }
    // Behind the same declaration a shallow file is read, and nothing is refused.
    const std::string path = folder.Write("shallow.xml", "<?xml version=\"1.0\">" +
                                          std::string("<xml>") + category + "</xml>");
    CRecoveryFilter filter(path);
    EXPECT_EQ(filter.Refusal(), "");
    EXPECT_EQ(CategoriesOf(filter, "a.jpg"), Ids{kRecoveryPhoto});
}

TEST(RecoveryFilterTest, AddExtensionListSkipsEmptyPieces)
{
    CRecoveryFilter filter(std::string{});
    filter.AddExtensionList("", 3);
    EXPECT_TRUE(filter.Extensions().empty());
    filter.AddExtensionList("jpg;;png;", 3);
    filter.AddExtensionList("png", 7);
    EXPECT_EQ(filter.Extensions().size(), 3u);
    Ids ids;
    filter.LookupExtension("png", ids);
    EXPECT_EQ(ids, (Ids{3, 7}));
    ids.clear();
    filter.LookupExtension("", ids);
    EXPECT_TRUE(ids.empty());
}

TEST(RecoveryFilterTest, MatchBySelectedCategories)
{
    SessionTestFolder folder;
    CRecoveryFilter filter(folder.Write("FileFilter.xml", kCategories));
    NamedNode photo("a.jpg");
    NamedNode song("a.mp3");
    NamedNode clip("a.mp4");
    NamedNode unknown("a.qqq");
    NamedNode directory("folder.mp3", IFileObject::kAttributeDirectory);
    CFileNode* bare = CreateFileNode();

    EXPECT_FALSE(filter.Match(nullptr));
    // Nothing selected: everything passes.
    for (const CFileNode* node : {photo.get(), song.get(), unknown.get(), (const CFileNode*)bare})
        EXPECT_TRUE(filter.Match(node));

    filter.SelectCategories({kRecoveryPhoto, kRecoveryVideo});
    EXPECT_FALSE(filter.Match(nullptr));
    EXPECT_TRUE(filter.Match(photo.get()));
    EXPECT_FALSE(filter.Match(song.get()));
    EXPECT_TRUE(filter.Match(clip.get()));  // its second id is selected
    EXPECT_FALSE(filter.Match(unknown.get()));
    EXPECT_TRUE(filter.Match(directory.get()));
    EXPECT_TRUE(filter.Match(bare));
    filter.SelectCategories({kRecoveryOther});
    EXPECT_TRUE(filter.Match(unknown.get()));
    DeleteFileNode(bare);

    EXPECT_FALSE(filter.IsEnabled());
    EXPECT_EQ(filter.SetEnabled(1), &filter);
    EXPECT_TRUE(filter.IsEnabled());
}

// The file that ships beside the program sorts the common kinds.
TEST(RecoveryFilterTest, ShippedFileSortsTheCommonKinds)
{
    CRecoveryFilter filter;
    struct { const char* name; uint32_t id; } cases[] = {
        {"a.jpg", kRecoveryPhoto}, {"a.JPEG", kRecoveryPhoto}, {"a.png", kRecoveryPhoto},
        {"a.mp4", kRecoveryVideo}, {"a.avi", kRecoveryVideo},  {"a.docx", kRecoveryDocument},
        {"a.pdf", kRecoveryDocument}, {"a.mp3", kRecoveryMusic}, {"a.flac", kRecoveryMusic},
        {"a.zip", kRecoveryArchive}, {"a.7z", kRecoveryArchive}, {"a.exe", kRecoveryOther},
        {"a.unknownext", kRecoveryOther},
    };
    EXPECT_EQ(filter.Refusal(), "");
    for (const auto& c : cases)
        EXPECT_EQ(CategoriesOf(filter, c.name), Ids{c.id}) << c.name;
    // Every extension is listed once: no file answers two categories.
    for (auto it = filter.Extensions().begin(); it != filter.Extensions().end(); ++it)
        EXPECT_EQ(filter.Extensions().count(it->first), 1u) << it->first;
}
