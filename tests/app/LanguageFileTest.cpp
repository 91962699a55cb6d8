// tests/app/LanguageFileTest.cpp
// Whether a language file has texts at all and whether all of them fit a code page, and the
// language start-up goes on with when a file is broken.
#include "app/LanguageFile.h"
#include "app/AppFolder.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT kJapanese = 932;
const UINT kWestern = 1252;

class LanguageFileTest : public ::testing::Test {
protected:
    std::wstring Write(const char* name, const std::wstring& text)
    {
        const std::string path = folder_.File(name);
        EXPECT_TRUE(WriteUtf16File(path, text));
        return Widen(path);
    }
    std::wstring WriteBytes(const char* name, const std::string& bytes)
    {
        const std::string path = folder_.File(name);
        EXPECT_TRUE(WriteWholeFile(path, bytes));
        return Widen(path);
    }
    TempFolder folder_{"langfile"};
};

TEST_F(LanguageFileTest, EmptyOrUnreadableFilesHaveNoTexts)
{
    EXPECT_FALSE(LanguageFileHasTexts(Widen(folder_.File("missing.dat"))));
    EXPECT_FALSE(LanguageFileHasTexts(WriteBytes("empty.dat", "")));
    EXPECT_FALSE(LanguageFileHasTexts(WriteBytes("binary.dat", std::string("\x00\x01\xFF\xFE\x80", 5) +
                                                                   std::string(300, '\x9C'))));
    EXPECT_FALSE(LanguageFileHasTexts(Write("other.dat", L"[other]\r\ncaption=Title\r\n")));
    EXPECT_FALSE(LanguageFileHasTexts(Write("blank.dat", L"[string]\r\ncaption=\r\n")));
    EXPECT_TRUE(LanguageFileHasTexts(Write("one.dat", L"[string]\r\ncaption=Title\r\n")));
    EXPECT_FALSE(LanguageFileHasTexts(L""));
}

// The first keys are plain; an accent much further down does not fit the Japanese code page.
TEST_F(LanguageFileTest, EveryTextMustFitTheCodePage)
{
    std::wstring text = L"[string]\r\ncaption=Duplicate File Finder\r\nindexText=Start\r\n";
    for (int i = 0; i < 400; ++i)
        text += L"Key" + std::to_wstring(i) + L"=Plain text\r\n";
    const std::wstring plain = Write("plain.dat", text);
    const std::wstring accented = Write("accented.dat", text + L"SimilarFilter=Semelhan\u00E7a\r\n");
    EXPECT_TRUE(LanguageFileShowable(plain, kJapanese));
    EXPECT_FALSE(LanguageFileShowable(accented, kJapanese));
    EXPECT_TRUE(LanguageFileShowable(accented, kWestern));
    // Japanese fits its own code page and not the western one.
    const std::wstring japanese = Write("ja.dat", L"[string]\r\ncaption=\u91CD\u8907\u30D5\u30A1\u30A4\u30EB\r\n");
    EXPECT_TRUE(LanguageFileShowable(japanese, kJapanese));
    EXPECT_FALSE(LanguageFileShowable(japanese, kWestern));
    // No texts: nothing to show.
    EXPECT_FALSE(LanguageFileShowable(WriteBytes("empty.dat", ""), kWestern));
}

// The language menu names each language in its own script, drawn as UTF-16: those names
// are left out of the check.
TEST_F(LanguageFileTest, ShippedFilesAgainstTheJapaneseCodePage)
{
    const std::vector<std::string> names = {"LangEnglish", "LangJapanese", "LangDeutsch",
                                            "LangFrench",  "LangSpanish",  "LangPortuguese"};
    const std::string folder = GetAppFolder();
    EXPECT_TRUE(LanguageFileShowable(Widen(folder + "English.dat"), kJapanese, names));
    EXPECT_TRUE(LanguageFileShowable(Widen(folder + "Japanese.dat"), kJapanese, names));
    EXPECT_FALSE(LanguageFileShowable(Widen(folder + "Portuguesa(Br).dat"), kJapanese, names));
    EXPECT_TRUE(LanguageFileShowable(Widen(folder + "Portuguesa(Br).dat"), kWestern, names));
    EXPECT_FALSE(LanguageFileShowable(Widen(folder + "Japanese.dat"), kWestern, names));
    // Without leaving them out, no file fits any code page.
    EXPECT_FALSE(LanguageFileShowable(Widen(folder + "English.dat"), kJapanese));
}

TEST_F(LanguageFileTest, KeysLeftOutAreNotChecked)
{
    const std::wstring file = Write("names.dat", L"[string]\r\ncaption=Title\r\nLangJapanese=\u65E5\u672C\u8A9E\r\n");
    EXPECT_FALSE(LanguageFileShowable(file, kWestern));
    EXPECT_TRUE(LanguageFileShowable(file, kWestern, {"LangJapanese"}));
    EXPECT_TRUE(LanguageFileShowable(file, kWestern, {"langjapanese"}));
    // Nothing left to check is nothing to show.
    EXPECT_FALSE(LanguageFileShowable(file, kWestern, {"caption", "LangJapanese"}));
}

TEST_F(LanguageFileTest, ABrokenTranslationFallsBackToEnglish)
{
    Write("English.dat", L"[string]\r\ncaption=Title\r\n");
    Write("Deutsch.dat", L"[string]\r\ncaption=Titel\r\n");
    WriteBytes("French.dat", "");
    WriteBytes("Spanish.dat", std::string(4096, '\xA7'));

    const struct {
        int index;
        const char* file;
        int wantIndex;
        const char* wantFile;
    } cases[] = {
        {2, "Deutsch.dat", 2, "Deutsch.dat"},
        {3, "French.dat", 0, "English.dat"},
        {4, "Spanish.dat", 0, "English.dat"},
        {5, "Portuguesa(Br).dat", 0, "English.dat"},   // missing
        {0, "English.dat", 0, "English.dat"},
    };
    for (const auto& c : cases) {
        const UsableLanguage pick = PickUsableLanguage(folder_.Path(), c.index, c.file);
        EXPECT_EQ(pick.index, c.wantIndex) << c.file;
        EXPECT_EQ(pick.fileName, c.wantFile) << c.file;
    }
    // Without texts in "English.dat" the program still starts in English: the built-in
    // English gives its words (LangStrings tests).
    WriteBytes("English.dat", "");
    EXPECT_EQ(PickUsableLanguage(folder_.Path(), 3, "French.dat").fileName, "English.dat");
    EXPECT_EQ(PickUsableLanguage(folder_.Path(), 2, "Deutsch.dat").fileName, "Deutsch.dat");
}

}  // namespace
