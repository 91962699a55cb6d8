// tests/app/LangStringTest.cpp
// Language strings from the shipped "English.dat" and from files the tests write.
#include "app/BuiltInEnglish.h"
#include "app/LangString.h"
#include "app/LanguageFile.h"
#include "app/ResourceHelper.h"
#include "app/TextConvert.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

// Restores the helper's paths, so that every test starts from the shipped files.
class LangStrings : public ::testing::Test {
protected:
    void SetUp() override
    {
        languagePath_ = ResourceHelper::Instance().GetLanguagePath();
        userPath_ = ResourceHelper::Instance().GetUserStringsPath();
    }
    void TearDown() override
    {
        ResourceHelper::Instance().SetLanguagePath(languagePath_);
        ResourceHelper::Instance().SetUserStringsPath(userPath_);
    }
    std::wstring languagePath_;
    std::wstring userPath_;
};

bool EndsWith(const std::wstring& text, const std::wstring& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST_F(LangStrings, ShippedEnglishHasCategoriesAndLists)
{
    EXPECT_TRUE(EndsWith(ResourceHelper::Instance().GetLanguagePath(), L"\\English.dat"));
    const char* captions[][2] = {{"AllFiles", "All Files"}, {"Photo", "Photos"},
                                 {"Video", "Videos"},       {"OfficeDoc", "Documents"},
                                 {"Music", "Music"},        {"Other", "Others"}};
    for (auto& caption : captions)
        EXPECT_EQ(GetLangString(caption[0]), caption[1]);
    const char* lists[][2] = {{"PhotoDesc", ".jpg;"}, {"VideoDesc", ".mp4;"},
                              {"OfficeDocDesc", ".docx;"}, {"MusicDesc", ".mp3;"},
                              {"OtherDesc", ".zip;"}};
    for (auto& list : lists) {
        std::string text = GetLangString(list[0]);
        EXPECT_NE(text.find(list[1]), std::string::npos) << list[0] << ": " << text;
        // Lists are lower-case ".ext;" runs: the scan compares them as they are.
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.front(), '.');
        EXPECT_EQ(text.back(), ';');
        for (char c : text)
            EXPECT_FALSE(c >= 'A' && c <= 'Z') << list[0];
    }
}

TEST_F(LangStrings, BackslashNBecomesLineBreakAndMissingIsEmpty)
{
    std::string shipped = GetLangString("WithoutMem");
    EXPECT_NE(shipped.find('\n'), std::string::npos) << shipped;
    EXPECT_EQ(shipped.find("\\n"), std::string::npos);

    std::string path = MakeTestFolder("breaks") + "Breaks.dat";
    ASSERT_TRUE(WriteUtf16File(path, L"[string]\r\nTwo=one\\ntwo\\n\r\nSlash=a\\b\\\r\n"));
    ResourceHelper::Instance().SetLanguagePath(Widen(path));
    EXPECT_EQ(GetLangString("Two"), "one\ntwo\n");
    EXPECT_EQ(GetLangString("Slash"), "a\\b\\");   // other backslashes stay
    EXPECT_EQ(GetLangString("NoSuchKeyAnywhere"), "");
    EXPECT_EQ(GetLangString(nullptr), "");
}

TEST_F(LangStrings, MissingFileGivesEnglish)
{
    ASSERT_GT(ResourceHelper::Instance().SetLanguagePath(
                  Widen(MakeTestFolder("missing") + "Nothing.dat")), 0);
    EXPECT_EQ(GetLangString("Photo"), "Photos");
}

// The built-in English is "English.dat" itself: every key, every value, nothing more.
TEST_F(LangStrings, BuiltInEnglishIsTheShippedEnglishDat)
{
    // The user's own lists ("...User" keys) are written into the program folder's copy.
    std::vector<std::pair<std::wstring, std::wstring>> shipped;
    for (const auto& entry : ReadLanguageEntries(userPath_)) {
        const std::wstring& key = entry.first;
        if (key.size() < 4 || _wcsicmp(key.c_str() + key.size() - 4, L"User") != 0)
            shipped.push_back(entry);
    }
    const auto& builtIn = BuiltInEnglishEntries();
    ASSERT_GT(shipped.size(), 100u);
    ASSERT_EQ(builtIn.size(), shipped.size());
    for (size_t i = 0; i < shipped.size(); ++i) {
        EXPECT_EQ(builtIn[i].first, shipped[i].first);
        EXPECT_EQ(builtIn[i].second, shipped[i].second) << ToAnsiString(shipped[i].first);
        EXPECT_EQ(BuiltInEnglish(shipped[i].first), shipped[i].second) << ToAnsiString(shipped[i].first);
    }
    EXPECT_EQ(BuiltInEnglish(L"checkbtntiptext"), L"Check all (%s)");   // keys have no case
    EXPECT_EQ(BuiltInEnglish(L"NoSuchKeyAnywhere"), L"");
}

// "English.dat" cut after its first keys, as a broken copy or a failed update leaves it:
// every text the program asks for is still English's, from the built-in copy.
TEST_F(LangStrings, TruncatedEnglishDatGivesEveryTextInEnglish)
{
    const std::string shipped = ReadWholeFile(ToAnsiString(userPath_));
    const std::wstring text(reinterpret_cast<const wchar_t*>(shipped.data() + 2), (shipped.size() - 2) / 2);
    size_t cut = 0;
    for (int line = 0; line < 8; ++line)
        cut = text.find(L'\n', cut) + 1;
    const std::string path = MakeTestFolder("truncated") + "English.dat";
    ASSERT_TRUE(WriteUtf16File(path, text.substr(0, cut) + L"CheckBtnTip"));   // cut mid-line
    ResourceHelper::Instance().SetLanguagePath(Widen(path));
    ResourceHelper::Instance().SetUserStringsPath(Widen(path));
    ASSERT_LT(ReadLanguageEntries(Widen(path)).size(), 8u);
    for (const auto& entry : BuiltInEnglishEntries()) {
        const std::string key = ToAnsiString(entry.first);
        EXPECT_EQ(GetLangString(key.c_str()), GetBuiltInEnglishString(key.c_str())) << key;
    }
    EXPECT_EQ(GetLangString("ResultRemove"), "Remove");
    EXPECT_EQ(GetLangString("WithoutMem").find("\\n"), std::string::npos);
}

// A translation that lacks a key, or leaves it empty, shows English's text for that key
// alone: "English.dat"'s while it has one, else the built-in one.
TEST_F(LangStrings, TranslationFallsBackToEnglishKeyByKey)
{
    const std::string folder = MakeTestFolder("perkey");
    const std::string english = folder + "English.dat";
    ASSERT_TRUE(WriteUtf16File(english, L"[string]\r\nResultBack=Go back\r\n"));
    const std::string german = folder + "Deutsch.dat";
    ASSERT_TRUE(WriteUtf16File(german, L"[string]\r\nResultRemove=Entfernen\r\nResultBack=\r\n"));
    ResourceHelper::Instance().SetUserStringsPath(Widen(english));
    ResourceHelper::Instance().SetLanguagePath(Widen(german));
    EXPECT_EQ(GetLangString("ResultRemove"), "Entfernen");     // translated
    EXPECT_EQ(GetLangString("ResultBack"), "Go back");         // empty: English.dat's
    EXPECT_EQ(GetLangString("ResultUncheckAll"), "Uncheck all");   // in no file: built in
    EXPECT_EQ(GetLangString("NoSuchKeyAnywhere"), "");
}

TEST_F(LangStrings, LongValueComesBackWhole)
{
    // Longer than any fixed buffer the reader starts with, in UTF-16 and in ANSI.
    std::wstring value;
    for (int i = 0; i < 700; ++i)
        value += L".e" + std::to_wstring(i % 100) + L";";
    ASSERT_GT(value.size(), 3000u);
    std::string path = MakeTestFolder("long") + "Long.dat";
    ASSERT_TRUE(WriteUtf16File(path, L"[string]\r\nLongKey=" + value + L"\r\nAfter=end\r\n"));
    ResourceHelper::Instance().SetLanguagePath(Widen(path));
    EXPECT_EQ(GetLangString("LongKey"), ToAnsiString(value));
    EXPECT_EQ(GetLangString("After"), "end");
}

TEST_F(LangStrings, Utf16ValueConvertsToAnsiCodePage)
{
    const std::wstring japanese = L"\u91CD\u8907\u30D5\u30A1\u30A4\u30EB";   // "duplicate file"
    std::string path = MakeTestFolder("utf16") + "Japanese.dat";
    ASSERT_TRUE(WriteUtf16File(path, L"[string]\r\nPhoto=" + japanese + L"\r\n"));
    ResourceHelper::Instance().SetLanguagePath(Widen(path));
    std::string text = GetLangString("Photo");
    EXPECT_EQ(text, ToAnsiString(japanese));
    EXPECT_FALSE(text.empty());
}

TEST_F(LangStrings, UserListsLiveInEnglishWhateverTheLanguage)
{
    EXPECT_TRUE(EndsWith(ResourceHelper::Instance().GetUserStringsPath(), L"\\English.dat"));
    // A copy of the shipped English file takes the writes; another language is current.
    std::string folder = MakeTestFolder("user");
    std::string english = folder + "English.dat";
    ASSERT_TRUE(WriteWholeFile(english, ReadWholeFile(ToAnsiString(userPath_))));
    std::string other = folder + "Deutsch.dat";
    ASSERT_TRUE(WriteUtf16File(other, L"[string]\r\nPhoto=Fotos\r\nPhotoDescUser=.stale;\r\n"));
    ResourceHelper::Instance().SetUserStringsPath(Widen(english));
    ResourceHelper::Instance().SetLanguagePath(Widen(other));

    EXPECT_EQ(GetUserLangString("PhotoDescUser"), "");
    WriteDefaultLangString("PhotoDescUser", ".jpg;.png;");
    WriteDefaultLangString("MusicDescUser", ".mp3;");
    EXPECT_EQ(GetUserLangString("PhotoDescUser"), ".jpg;.png;");
    EXPECT_EQ(GetUserLangString("MusicDescUser"), ".mp3;");
    // A typed line break must not start a key of its own.
    WriteDefaultLangString("VideoDescUser", ".avi;\r\nPhotoDescUser=.evil;\nOther=x");
    EXPECT_EQ(GetUserLangString("PhotoDescUser"), ".jpg;.png;");
    EXPECT_EQ(GetUserLangString("VideoDescUser"), ".avi;  PhotoDescUser=.evil; Other=x");
    EXPECT_EQ(GetLangString("PhotoDescUser"), ".stale;");   // the language file is not theirs
    EXPECT_EQ(GetLangString("Photo"), "Fotos");

    // The English file stays UTF-16 and keeps its own strings.
    std::string bytes = ReadWholeFile(english);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    ResourceHelper::Instance().SetLanguagePath(Widen(english));
    EXPECT_EQ(GetLangString("Photo"), "Photos");
    EXPECT_EQ(GetLangString("Other"), "Others");
    EXPECT_EQ(GetLangString("PhotoDescUser"), ".jpg;.png;");
}
