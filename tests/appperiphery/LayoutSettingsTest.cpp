// tests/appperiphery/LayoutSettingsTest.cpp
#include <gtest/gtest.h>

#include "app/AppFolder.h"
#include "app/LayoutSettings.h"
#include "app/XmlNesting.h"
#include "tests/support/DeepXml.h"
#include "tests/support/TestFiles.h"

namespace {

const char kSample[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Configer><Public><Version Ver=\"3\"/><UILanguage ID=\"2\"/></Public>"
    "<Url><SupportUrl url=\"https://example.invalid/help\"/></Url></Configer>\n";

class LayoutSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { Settings().SetFolder(folder_.Path().c_str()); }
    void TearDown() override { Settings().SetFolder(nullptr); }
    static ConfigerSettings& Settings() { return ConfigerSettings::Instance(); }
    std::string FilePath() const { return folder_.File("configer.xml"); }
    TempFolder folder_{"configer"};
};

TEST_F(LayoutSettingsTest, InstanceIsOneObject)
{
    EXPECT_EQ(&ConfigerSettings::Instance(), &ConfigerSettings::Instance());
}

TEST_F(LayoutSettingsTest, MissingFileGivesEmptyValuesAndSettersCreateNothing)
{
    EXPECT_EQ(Settings().GetUILanguage(), 0);
    EXPECT_EQ(Settings().GetSupportUrl(), "");
    int value = 7;
    EXPECT_EQ(Settings().GetAttributeInt("configer.xml", "Ver", &value, {"Public", "Version"}), "");
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(Settings().SetVersion(5));
    EXPECT_FALSE(Settings().SetUILanguage(1));
    EXPECT_EQ(GetFileAttributesA(FilePath().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(LayoutSettingsTest, ReadsKnownPaths)
{
    ASSERT_TRUE(WriteWholeFile(FilePath(), kSample));
    EXPECT_EQ(Settings().GetUILanguage(), 2);
    EXPECT_EQ(Settings().GetSupportUrl(), "https://example.invalid/help");
    double version = 0;
    EXPECT_EQ(Settings().GetAttributeDouble("configer.xml", "Ver", &version,
                                            {"Public", "Version"}), "3");
    EXPECT_EQ(version, 3.0);
    // A missing step or attribute reads as empty.
    EXPECT_EQ(Settings().GetAttribute("configer.xml", "Ver", {"Public", "Nope"}), "");
    EXPECT_EQ(Settings().GetAttribute("configer.xml", "Nope", {"Public", "Version"}), "");
    EXPECT_EQ(Settings().GetAttribute("configer.xml", "Ver", {"Public", nullptr}), "");
}

TEST_F(LayoutSettingsTest, LanguageOutsideRangeReadsAsZero)
{
    for (const char* id : {"3", "-1", "x", ""}) {
        std::string xml = std::string("<Configer><Public><UILanguage ID=\"") + id +
                          "\"/></Public></Configer>";
        ASSERT_TRUE(WriteWholeFile(FilePath(), xml));
        EXPECT_EQ(Settings().GetUILanguage(), 0) << id;
    }
}

TEST_F(LayoutSettingsTest, SettersWriteBackExistingPathsOnly)
{
    ASSERT_TRUE(WriteWholeFile(FilePath(), kSample));
    EXPECT_TRUE(Settings().SetVersion(12));
    EXPECT_TRUE(Settings().SetUILanguage(1));
    EXPECT_EQ(Settings().GetAttribute("configer.xml", "Ver", {"Public", "Version"}), "12");
    EXPECT_EQ(Settings().GetUILanguage(), 1);
    // Out of range is refused and leaves the stored value.
    EXPECT_FALSE(Settings().SetUILanguage(3));
    EXPECT_EQ(Settings().GetUILanguage(), 1);
    // Elements are never created.
    std::string before = ReadWholeFile(FilePath());
    EXPECT_FALSE(Settings().SetAttribute("configer.xml", "a", "b", {"Public", "New"}));
    EXPECT_EQ(ReadWholeFile(FilePath()), before);
    EXPECT_EQ(Settings().GetSupportUrl(), "https://example.invalid/help");
}

TEST_F(LayoutSettingsTest, BrokenDocumentReadsEmptyAndIsNotOverwritten)
{
    ASSERT_TRUE(WriteWholeFile(FilePath(), "<Configer><Public>"));
    EXPECT_EQ(Settings().GetUILanguage(), 0);
    EXPECT_FALSE(Settings().SetUILanguage(1));
    EXPECT_EQ(ReadWholeFile(FilePath()), "<Configer><Public>");
}

// A file nested deeper than the parser's stack allows is refused unparsed, whatever stands in
// front or between, and never written back.
TEST_F(LayoutSettingsTest, ADeeplyNestedFileIsRefusedWithTheMessage)
{
    for (const DeepXmlForm& form :
         DeepXmlForms("Configer", 20000, "<Public><UILanguage ID=\"2\"/></Public>")) {
        ASSERT_TRUE(WriteWholeFile(FilePath(), form.text));
        EXPECT_EQ(Settings().GetUILanguage(), 0) << form.what;
        EXPECT_EQ(Settings().Refusal(), XmlTooDeepMessage(FilePath())) << form.what;
        EXPECT_FALSE(Settings().SetVersion(4)) << form.what;
    }
    ASSERT_TRUE(WriteWholeFile(FilePath(), kSample));
    EXPECT_EQ(Settings().GetUILanguage(), 2);
    EXPECT_EQ(Settings().Refusal(), "");
}

// The file that ships beside the program reads.
TEST_F(LayoutSettingsTest, ShippedFileReads)
{
    Settings().SetFolder(nullptr);
    EXPECT_EQ(Settings().ResolvePath("configer.xml"), std::string(GetAppFolder()) + "configer.xml");
    int version = 0;
    EXPECT_EQ(Settings().GetAttributeInt("configer.xml", "Ver", &version, {"Public", "Version"}),
              "1");
    EXPECT_EQ(Settings().Refusal(), "");
}

TEST_F(LayoutSettingsTest, KeptElementServesTheFollowingReadWithoutReloading)
{
    ASSERT_TRUE(WriteWholeFile(FilePath(), kSample));
    int value = -1;
    EXPECT_EQ(Settings().GetAttributeIntKept("configer.xml", "Ver", &value, {"Public", "Version"}),
              "3");
    EXPECT_EQ(value, 3);
    // The file changes on disk: the following read still sees the loaded element.
    ASSERT_TRUE(WriteWholeFile(FilePath(), "<Configer/>"));
    EXPECT_EQ(Settings().GetKeptAttributeInt("Ver", &value, {}), "3");
    EXPECT_EQ(value, 3);
    // A missing attribute of the kept element reads as empty and zero.
    EXPECT_EQ(Settings().GetKeptAttributeInt("Nope", &value, {}), "");
    EXPECT_EQ(value, 0);

    // A path walked from the kept element keeps the element it reaches.
    ASSERT_TRUE(WriteWholeFile(FilePath(), kSample));
    EXPECT_EQ(Settings().GetAttributeIntKept("configer.xml", "x", &value, {"Public"}), "");
    EXPECT_EQ(Settings().GetKeptAttributeInt("ID", &value, {"UILanguage"}), "2");
    EXPECT_EQ(value, 2);
    EXPECT_EQ(Settings().GetKeptAttributeInt("ID", &value, {}), "2");
    // A missing step keeps nothing.
    EXPECT_EQ(Settings().GetKeptAttributeInt("ID", &value, {"Nope"}), "");
    EXPECT_EQ(Settings().GetKeptAttributeInt("ID", &value, {}), "");
}

TEST_F(LayoutSettingsTest, AnyReloadForgetsTheKeptElement)
{
    ASSERT_TRUE(WriteWholeFile(FilePath(), kSample));
    int value = -1;
    EXPECT_EQ(Settings().GetAttributeIntKept("configer.xml", "ID", &value, {"Public", "UILanguage"}),
              "2");
    // Another read reloads the document, which frees the kept element.
    EXPECT_EQ(Settings().GetSupportUrl(), "https://example.invalid/help");
    EXPECT_EQ(Settings().GetKeptAttributeInt("ID", &value, {}), "");
    EXPECT_EQ(value, 0);
    // A failed load keeps nothing either.
    EXPECT_EQ(Settings().GetAttributeIntKept("missing.xml", "ID", &value, {"Public", "UILanguage"}),
              "");
    EXPECT_EQ(Settings().GetKeptAttributeInt("ID", &value, {}), "");
}

TEST_F(LayoutSettingsTest, BareNamesResolveAgainstTheFolderNotTheCurrentDirectory)
{
    EXPECT_EQ(Settings().ResolvePath("configer.xml"), FilePath());
    EXPECT_EQ(Settings().ResolvePath("C:\\x\\configer.xml"), "C:\\x\\configer.xml");
    EXPECT_EQ(Settings().ResolvePath(""), "");
}

}  // namespace
