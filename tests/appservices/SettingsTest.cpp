// tests/appservices/SettingsTest.cpp
// The language choice: "Config.dat" and the installer's registry value against the file
// and index that start-up ends with, and what it leaves in the file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/Language.h"
#include "app/Settings.h"
#include "app/UiFace.h"
#include "app/UsageReport.h"
#include "tests/appservices/StandInFolder.h"
#include "tests/support/TestFiles.h"

namespace {

enum class Registry { Absent, Text, TextUnterminated, Binary };

struct LanguageCase {
    const char* name;
    const char* config;       // Config.dat content; null: no file
    Registry registry;
    const char* value;        // registry value
    const char* fileName;     // expected
    int index;
    const char* reported;     // expected text report to the usage library
    const char* readReg;      // "ReadReg" afterwards: set once the installer's value was read
};

const char kAbsent[] = "(absent)";

const LanguageCase kLanguageCases[] = {
    {"first run, nothing", nullptr, Registry::Absent, "", "English.dat", 0, "", kAbsent},
    {"first run, Brazilian", nullptr, Registry::Text, "BrazilianPortuguese", "Portuguesa(Br).dat", 5,
     "text 0x2008 BrazilianPortuguese;", "1"},
    {"first run, Japanese", nullptr, Registry::Text, "Japanese", "Japanese.dat", 1, "text 0x2008 Japanese;", "1"},
    {"first run, Deutsch", nullptr, Registry::Text, "Deutsch", "Deutsch.dat", 2, "text 0x2008 Deutsch;", "1"},
    {"case matters", nullptr, Registry::Text, "english", "English.dat", 0, "text 0x2008 english;", "1"},
    {"unknown value", nullptr, Registry::Text, "Klingon", "English.dat", 0, "text 0x2008 Klingon;", "1"},
    {"no terminator stored", nullptr, Registry::TextUnterminated, "Spanish", "Spanish.dat", 4,
     "text 0x2008 Spanish;", "1"},
    {"not REG_SZ", nullptr, Registry::Binary, "French", "English.dat", 0, "", kAbsent},
    {"after the first run", "[register]\r\nReadReg=1\r\nLanguage=3\r\nLanguageName=French.dat\r\n",
     Registry::Text, "Deutsch", "French.dat", 3, "", "1"},
    {"first run keeps a file's choice without a key",
     "[register]\r\nLanguage=4\r\nLanguageName=Spanish.dat\r\n", Registry::Absent, "", "Spanish.dat", 4, "", kAbsent},
    {"registry wins on the first run", "[register]\r\nLanguage=4\r\nLanguageName=Spanish.dat\r\n",
     Registry::Text, "Japanese", "Japanese.dat", 1, "text 0x2008 Japanese;", "1"},
    {"empty name", "[register]\r\nReadReg=1\r\nLanguageName=\r\n", Registry::Absent, "", "English.dat", 0, "", "1"},
    // Only the six files: anything else is the file of the stored language number.
    {"a path is no language file", "[register]\r\nReadReg=1\r\nLanguage=3\r\nLanguageName=..\\..\\x.dat\r\n",
     Registry::Absent, "", "French.dat", 3, "", "1"},
    {"an unknown file", "[register]\r\nReadReg=1\r\nLanguage=0\r\nLanguageName=Klingon.dat\r\n",
     Registry::Absent, "", "English.dat", 0, "", "1"},
};

// The (32-bit) installer writes its key into the 32-bit view of the registry; a 64-bit
// program sees another one unless it asks for that view.
const REGSAM kInstallerView = KEY_WOW64_32KEY;
const REGSAM kViews[] = {KEY_WOW64_32KEY, KEY_WOW64_64KEY};

// The key and the parents it left, while they are empty, in both views.
void RemoveInstallerKey()
{
    for (REGSAM view : kViews) {
        std::string key = kInstallerLanguageKey;
        while (key.find('\\') != std::string::npos &&
               RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), view, 0) == ERROR_SUCCESS)
            key.erase(key.rfind('\\'));
    }
}

void SetInstallerValue(Registry kind, const std::string& value, REGSAM view = kInstallerView)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallerLanguageKey, 0, nullptr, 0,
                                             KEY_WRITE | view, nullptr, &key, nullptr));
    DWORD size = DWORD(value.size() + (kind == Registry::TextUnterminated ? 0 : 1));
    DWORD type = kind == Registry::Binary ? REG_BINARY : REG_SZ;
    RegSetValueExA(key, kInstallerLanguageValue, 0, type, reinterpret_cast<const BYTE*>(value.c_str()), size);
    RegCloseKey(key);
}

std::string TextReportLog()
{
    HMODULE module = GetModuleHandleA("vedava.dll");
    if (!module)
        return std::string();
    auto log = reinterpret_cast<const char* (*)()>(reinterpret_cast<void*>(GetProcAddress(module, "StandInLog")));
    return log ? log() : std::string();
}

void ResetTextReportLog()
{
    HMODULE module = GetModuleHandleA("vedava.dll");
    if (module)
        reinterpret_cast<void (*)()>(reinterpret_cast<void*>(GetProcAddress(module, "StandInReset")))();
}

std::string Setting(const TempFolder& folder, const char* key)
{
    char value[260] = "";
    GetPrivateProfileStringA("register", key, "(absent)", value, sizeof(value), folder.File("Config.dat").c_str());
    return value;
}

class LanguageChoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveInstallerKey();
        SetSettingsFolder(folder_.Path().c_str());
        SetUsageLibraryFolder(StandInFolder().c_str());
        ResetTextReportLog();
    }
    void TearDown() override
    {
        RemoveInstallerKey();
        SetSettingsFolder(nullptr);
        SetUsageLibraryFolder(nullptr);
    }
    TempFolder folder_;
};

TEST_F(LanguageChoiceTest, StartUpPicksTheLanguageFromSettingsAndFirstRunRegistryValue)
{
    for (const LanguageCase& c : kLanguageCases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        SetSettingsFolder(folder.Path().c_str());
        RemoveInstallerKey();
        ResetTextReportLog();
        if (c.config) {
            ASSERT_TRUE(WriteWholeFile(folder.File("Config.dat"), c.config));
        }
        if (c.registry != Registry::Absent)
            SetInstallerValue(c.registry, c.value);

        // The start-up order.
        char name[kLanguageNameSize];
        GetLanguageFileName(name);
        int index = GetLanguageIndex();
        SaveLanguageChoice(index, name);

        EXPECT_STREQ(c.fileName, name);
        EXPECT_EQ(c.index, index);
        EXPECT_EQ(c.reported, TextReportLog());
        EXPECT_EQ(c.readReg, Setting(folder, "ReadReg"));
        EXPECT_EQ(c.fileName, Setting(folder, "LanguageName"));
        EXPECT_EQ(std::to_string(c.index), Setting(folder, "Language"));
    }
}

TEST_F(LanguageChoiceTest, RegistryIsConsultedOnTheFirstRunOnly)
{
    ASSERT_TRUE(WriteLanguageRegistryValue("Deutsch"));
    char name[kLanguageNameSize];
    GetLanguageFileName(name);
    EXPECT_STREQ("Deutsch.dat", name);

    ASSERT_TRUE(WriteLanguageRegistryValue("French"));
    GetLanguageFileName(name);
    EXPECT_STREQ("Deutsch.dat", name);
    EXPECT_EQ(2, GetLanguageIndex());
}

// A 64-bit build reads the installer's view, not its own; the 64-bit view's value is written
// first, so where both views are one (32-bit Windows) the installer's value is the one left.
TEST_F(LanguageChoiceTest, FirstRunTakesTheValueOfThe32BitView)
{
    SetInstallerValue(Registry::Text, "Deutsch", KEY_WOW64_64KEY);
    SetInstallerValue(Registry::Text, "Japanese", KEY_WOW64_32KEY);
    char name[kLanguageNameSize];
    GetLanguageFileName(name);
    EXPECT_STREQ("Japanese.dat", name);
    EXPECT_EQ(1, GetLanguageIndex());

    // The value the program writes lands in that view too.
    ASSERT_TRUE(WriteLanguageRegistryValue("French"));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallerLanguageKey, 0,
                                           KEY_READ | KEY_WOW64_32KEY, &key));
    char value[32] = {};
    DWORD size = sizeof(value) - 1;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, kInstallerLanguageValue, nullptr, nullptr,
                                              reinterpret_cast<BYTE*>(value), &size));
    RegCloseKey(key);
    EXPECT_STREQ("French", value);
}

// Runs before the installer's value exists do not use up the first run.
TEST_F(LanguageChoiceTest, ValueStoredAfterARunWithoutItIsTakenOnTheNextRun)
{
    char name[kLanguageNameSize];
    GetLanguageFileName(name);
    EXPECT_STREQ("English.dat", name);
    EXPECT_EQ(kAbsent, Setting(folder_, "ReadReg"));

    SetInstallerValue(Registry::Text, "Spanish");
    GetLanguageFileName(name);
    EXPECT_STREQ("Spanish.dat", name);
    EXPECT_EQ(4, GetLanguageIndex());
    EXPECT_EQ("1", Setting(folder_, "ReadReg"));
}

TEST_F(LanguageChoiceTest, RefusedChoicesLeaveTheFileUnchanged)
{
    ASSERT_EQ(0, SaveLanguageChoice(3, "French.dat"));
    const std::string before = ReadWholeFile(folder_.File("Config.dat"));
    EXPECT_EQ(-1, SaveLanguageChoice(6, "Other.dat"));
    EXPECT_EQ(-1, SaveLanguageChoice(-1, "Other.dat"));
    EXPECT_EQ(-1, SaveLanguageChoice(2, nullptr));
    EXPECT_EQ(-1, SaveLanguageChoice(2, ""));
    EXPECT_EQ(before, ReadWholeFile(folder_.File("Config.dat")));
    EXPECT_EQ("French.dat", Setting(folder_, "LanguageName"));
}

TEST_F(LanguageChoiceTest, UnwritableSettingsReadAsDefaults)
{
    SetSettingsFolder("Z:\\nonexistent-appservices-folder\\");
    char name[kLanguageNameSize];
    GetLanguageFileName(name);
    EXPECT_STREQ("English.dat", name);
    EXPECT_EQ(0, GetLanguageIndex());

    SetSettingsFolder((std::string(300, 'x') + "\\").c_str());
    EXPECT_EQ("", GetSettingsFilePath());
    EXPECT_FALSE(WriteSettingText("ShowTip", "1"));
    EXPECT_EQ(7, ReadSettingInt("CanSwitchLanguage", 7));
}

// 4,096 bytes that no editor wrote: every byte value, lines of any length.
std::string Garbage()
{
    std::string bytes(4096, '\0');
    unsigned state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = char(state >> 16);
    }
    return bytes;
}

void StartUpLanguageSteps()
{
    char name[kLanguageNameSize];
    GetLanguageFileName(name);
    SaveLanguageChoice(GetLanguageIndex(), name);
}

// The profile writer rewrites the whole file and drops what it cannot parse: a start that
// changes no setting must not touch the file.
TEST_F(LanguageChoiceTest, AStartThatChangesNothingLeavesADamagedFileAsItIs)
{
    const std::string damaged =
        "[register]\r\nReadReg=1\r\nLanguage=3\r\nLanguageName=French.dat\r\n" + Garbage();
    const std::string path = folder_.File("Config.dat");
    ASSERT_TRUE(WriteWholeFile(path, damaged));
    StartUpLanguageSteps();
    EXPECT_TRUE(ReadWholeFile(path) == damaged) << "rewritten to " << ReadWholeFile(path).size() << " bytes";
    EXPECT_EQ(3, GetLanguageIndex());

    // Garbage alone: the first start writes what it must, the next ones nothing.
    ASSERT_TRUE(WriteWholeFile(path, Garbage()));
    StartUpLanguageSteps();
    const std::string afterFirst = ReadWholeFile(path);
    EXPECT_EQ(kAbsent, Setting(folder_, "ReadReg"));  // no installer value was read
    EXPECT_EQ("English.dat", Setting(folder_, "LanguageName"));
    StartUpLanguageSteps();
    StartUpLanguageSteps();
    EXPECT_TRUE(ReadWholeFile(path) == afterFirst);

    // A real change is still written.
    ASSERT_EQ(0, SaveLanguageChoice(4, "Spanish.dat"));
    EXPECT_EQ("Spanish.dat", Setting(folder_, "LanguageName"));
    EXPECT_EQ("4", Setting(folder_, "Language"));
}

TEST(UiFontFace, FollowsTheLanguageIndex)
{
    const struct {
        int index;
        const char* face;
    } cases[] = {{1, "Meiryo UI"}, {0, "Arial"}, {2, "Arial"}, {5, "Arial"}, {6, "Arial"}, {-1, "Arial"}};
    for (const auto& c : cases) {
        EXPECT_EQ(0, SetUIFontFace(c.index));
        EXPECT_STREQ(c.face, GetUiFace()) << c.index;
    }
}

}  // namespace
