// tests/ui/update/UpgradeCheckTest.cpp
// What the update check makes of "Upgrade.ini": version texts, the comparison with the
// built-in 3.2, and which addresses may be opened.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/WebAddress.h"
#include "ui/update/UpgradeCheck.h"

namespace {

// The version the shipped program carries in its version resource.
const InstalledVersion kInstalled = {true, 3, 2};


const char* const kPage = "http://example.test/download.html";

struct VersionCase {
    const char* text;
    bool valid;
    unsigned parts[4];
};

} // namespace

TEST(UpgradeVersion, OnlyFourDecimalNumbersAreAVersion)
{
    const VersionCase cases[] = {
        {"3.2.9.9", true, {3, 2, 9, 9}},
        {"  4.0.0.12 \r", true, {4, 0, 0, 12}},
        {"65535.0.0.0", true, {65535, 0, 0, 0}},
        {"3.2", false, {}},
        {"3.2.1", false, {}},
        {"3.2.1.0.5", false, {}},
        {"-1.0.0.0", false, {}},       // no negative number may pass for a huge one
        {"3.-1.0.0", false, {}},
        {"99999999999.0.0.0", false, {}},
        {"65536.0.0.0", false, {}},
        {"3.2.1.0beta", false, {}},
        {"3..2.1", false, {}},
        {"3.2.1.", false, {}},
        {"v3.2.1.0", false, {}},
        {"3 .2.1.0", false, {}},
        {"", false, {}},
    };
    for (const VersionCase& c : cases) {
        unsigned parts[4] = {7, 7, 7, 7};
        EXPECT_EQ(ParseProductVersion(c.text, parts), c.valid) << c.text;
        if (c.valid) {
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(parts[i], c.parts[i]) << c.text;
        } else {
            EXPECT_EQ(parts[0], 7u) << "a refused text leaves the output alone: " << c.text;
        }
    }
}

TEST(UpgradeVersion, OnlyMajorAndMinorAreComparedWithTheBuiltInVersion)
{
    struct Case {
        const char* version;
        UpgradeOutcome outcome;
    } const cases[] = {
        {"3.2.9.9", UpgradeOutcome::UpToDate}, {"3.2.0.0", UpgradeOutcome::UpToDate},
        {"3.1.99.0", UpgradeOutcome::UpToDate}, {"2.99.0.0", UpgradeOutcome::UpToDate},
        {"3.3.0.0", UpgradeOutcome::Newer},    {"4.0.0.0", UpgradeOutcome::Newer},
        {"3.10.0.0", UpgradeOutcome::Newer},   {"3.2", UpgradeOutcome::Failed},
        {"-3.2.0.0", UpgradeOutcome::Failed},  {"", UpgradeOutcome::Failed},
    };
    for (const Case& c : cases) {
        const UpgradeVerdict verdict = JudgeUpgradeValues(c.version, kPage, kInstalled);
        EXPECT_EQ(verdict.outcome, c.outcome) << c.version;
        EXPECT_EQ(verdict.downloadUrl, c.outcome == UpgradeOutcome::Newer ? kPage : "")
            << c.version;
    }
}

TEST(UpgradeVersion, ANewerVersionNeedsAWebPage)
{
    // Three characters are too short even for a newer version.
    EXPECT_EQ(JudgeUpgradeValues("4.0.0.0", "abc", kInstalled).outcome, UpgradeOutcome::Failed);
    EXPECT_EQ(JudgeUpgradeValues("3.2.0.0", "abc", kInstalled).outcome, UpgradeOutcome::Failed);
    // The file is downloaded and editable: a program or a local file is never offered.
    const char* const refused[] = {
        "C:\\windows\\system32\\calc.exe", "file:///C:/windows/notepad.exe",
        "\\\\server\\share\\setup.exe", "javascript:alert(1)", "ftp://example.test/x",
        "http://", "http:///etc/passwd", "https://example.test/a b", "httpx://example.test/",
        "http://example.test/\"quoted\"",
    };
    for (const char* url : refused) {
        EXPECT_FALSE(IsWebAddress(url)) << url;
        EXPECT_EQ(JudgeUpgradeValues("4.0.0.0", url, kInstalled).outcome, UpgradeOutcome::Failed) << url;
    }
    const char* const accepted[] = {"http://example.test/download.html",
                                    "HTTPS://example.test/?v=4", "https://a.b"};
    for (const char* url : accepted) {
        EXPECT_TRUE(IsWebAddress(url)) << url;
        EXPECT_EQ(JudgeUpgradeValues("4.0.0.0", url, kInstalled).outcome, UpgradeOutcome::Newer) << url;
    }
}

TEST(UpgradeVersion, TheFileIsReadFromSectionVersion)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "upgrade-rules-test.ini";
    struct Case {
        const char* content;
        UpgradeOutcome outcome;
    } const cases[] = {
        {"[VERSION]\r\nProduct Version=4.1.0.0\r\nURL=http://example.test/\r\n",
         UpgradeOutcome::Newer},
        {"[VERSION]\r\nProduct Version=3.2.5.0\r\nURL=http://example.test/\r\n",
         UpgradeOutcome::UpToDate},
        {"[OTHER]\r\nProduct Version=4.1.0.0\r\nURL=http://example.test/\r\n",
         UpgradeOutcome::Failed},
        {"[VERSION]\r\nURL=http://example.test/\r\n", UpgradeOutcome::Failed},
        {"<html>404 Not Found</html>", UpgradeOutcome::Failed},
        {"", UpgradeOutcome::Failed},
        // A value as long as the read buffer was cut short: no offer.
        {nullptr, UpgradeOutcome::Failed},
        // A valid offer padded past the cap is not believed.
        {"", UpgradeOutcome::Failed},
    };
    for (const Case& c : cases) {
        std::string content = c.content
                                  ? c.content
                                  : "[VERSION]\r\nProduct Version=4.1.0.0\r\nURL=http://e.test/" +
                                        std::string(300, 'a') + "\r\n";
        if (&c == &cases[sizeof cases / sizeof cases[0] - 1])
            content = "[VERSION]\r\nProduct Version=4.1.0.0\r\nURL=http://example.test/\r\n;" +
                      std::string(kUpgradeFileCap, 'x') + "\r\n";
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                  nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr);
        CloseHandle(file);
        EXPECT_EQ(JudgeUpgradeFile(path, kInstalled).outcome, c.outcome) << content;
    }
    DeleteFileA(path.c_str());
    EXPECT_EQ(JudgeUpgradeFile(path, kInstalled).outcome, UpgradeOutcome::Failed);
    EXPECT_EQ(JudgeUpgradeFile("", kInstalled).outcome, UpgradeOutcome::Failed);
}

// Without the program's own version nothing can be called newer or not: the check fails
// rather than claim the program is up to date. This test program carries no version resource.
TEST(UpgradeVersion, AnUnknownInstalledVersionDecidesNothing)
{
    EXPECT_FALSE(ReadInstalledVersion().known);
    for (const char* offered : {"1.0.0.0", "3.2.0.0", "9.0.0.0"})
        EXPECT_EQ(JudgeUpgradeValues(offered, "http://example.test/", InstalledVersion()).outcome,
                  UpgradeOutcome::Failed)
            << offered;
}

TEST(UpgradeVersion, EveryRequestCarriesTheTick)
{
    EXPECT_EQ(MakeUpgradeAddress("http://h/Upgrade.ini", 1234), "http://h/Upgrade.ini?k=1234");
    // A missing address leaves only the query, which cannot download.
    EXPECT_EQ(MakeUpgradeAddress("", 5), "?k=5");
    // The tick is printed as a signed number, as the server has always seen it.
    EXPECT_EQ(MakeUpgradeAddress("u", 0xFFFFFFFFul), "u?k=-1");
}
