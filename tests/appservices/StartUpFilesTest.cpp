// tests/appservices/StartUpFilesTest.cpp
// The program started from a folder of its own whose shipped files are damaged: it says which
// file in a plain box and ends, instead of a window without words or an exit without a trace,
// or it does without the file where the program carries its own copy (English).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/AppFolder.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestFiles.h"
#include "ui/main/MainDialogClass.h"

namespace {

struct Seen {
    bool box = false;
    std::string text;
    DWORD exitCode = 0xFFFFFFFF;
};

BOOL CALLBACK CollectText(HWND child, LPARAM data)
{
    char text[1024] = {};
    GetWindowTextA(child, text, sizeof text);
    *reinterpret_cast<std::string*>(data) += std::string(text) + "\n";
    return TRUE;
}

// Runs the program copied into folder; the first box it shows is read and answered.
Seen RunProgramIn(const TempFolder& folder)
{
    Seen seen;
    ChildProcess child;
    const std::string program = folder.File("DuplicateFiles.exe");
    if (!child.Start(program, "", folder.Path().c_str()))
        return seen;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 60000) {
        const DWORD code = child.WaitExit(50);
        if (code != STILL_ACTIVE) {
            seen.exitCode = code;
            return seen;
        }
        HWND box = VisibleWindowOf(child.Id(), "#32770");
        if (box && !seen.box) {
            seen.box = true;
            EnumChildWindows(box, &CollectText, reinterpret_cast<LPARAM>(&seen.text));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return seen;
}

class StartUpFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(folder_.Path().empty());
        const std::string from = GetAppFolder();
        for (const char* name : {"DuplicateFiles.exe", "English.dat", "Resource.xml"})
            ASSERT_TRUE(CopyFileA((from + name).c_str(), folder_.File(name).c_str(), FALSE)) << name;
    }
    TempFolder folder_{"startup"};
};

// With no text in "English.dat" the built-in English gives every word: the main window comes
// up under its English title, and no box stands in its way.
TEST_F(StartUpFilesTest, AnEmptyEnglishDatStartsInTheBuiltInEnglish)
{
    ASSERT_TRUE(WriteWholeFile(folder_.File("English.dat"), ""));
    ChildProcess child;
    ASSERT_TRUE(child.Start(folder_.File("DuplicateFiles.exe"), "", folder_.Path().c_str()));
    HWND main = nullptr;
    char title[256] = {};
    const DWORD start = GetTickCount();
    while (!main && GetTickCount() - start < 60000 && child.WaitExit(50) == STILL_ACTIVE) {
        ASSERT_FALSE(VisibleWindowOf(child.Id(), "#32770")) << "a box instead of the window";
        main = VisibleWindowOf(child.Id(), kMainDialogClassName);
    }
    ASSERT_TRUE(main);
    GetWindowTextA(main, title, sizeof title);
    EXPECT_STREQ(title, "Duplicate File Finder");
}

TEST_F(StartUpFilesTest, ADeeplyNestedLayoutIsRefusedWithAMessage)
{
    std::string xml = "<Resource>";
    for (int i = 0; i < 200000; ++i)
        xml += "<a>";
    ASSERT_TRUE(WriteWholeFile(folder_.File("Resource.xml"), xml));
    const Seen seen = RunProgramIn(folder_);
    EXPECT_TRUE(seen.box);
    EXPECT_NE(seen.text.find(folder_.File("Resource.xml")), std::string::npos) << seen.text;
    EXPECT_EQ(seen.exitCode, 0u);
}

}  // namespace
