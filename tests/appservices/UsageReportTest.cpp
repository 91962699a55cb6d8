// tests/appservices/UsageReportTest.cpp
// Usage reports reach the right slots of the closed libraries' stand-ins, survive their
// exceptions, and are skipped without a trace when the libraries are absent.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/UsageReport.h"
#include "tests/appservices/StandInFolder.h"
#include "tests/support/TestFiles.h"

namespace {

std::string LogOf(HMODULE module)
{
    auto log = reinterpret_cast<const char* (*)()>(reinterpret_cast<void*>(GetProcAddress(module, "StandInLog")));
    return log ? log() : "(no log)";
}

void ResetLogOf(HMODULE module)
{
    auto reset = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(GetProcAddress(module, "StandInReset")));
    if (reset)
        reset();
}

class UsageReportTest : public ::testing::Test {
protected:
    void TearDown() override { SetUsageLibraryFolder(nullptr); }
};

TEST_F(UsageReportTest, AbsentLibrariesAreSkippedAndNeverSearchedForByName)
{
    // Other tests of this program may have loaded the stand-ins already: then nothing
    // may reach them; else they must stay unloaded.
    HMODULE spyBefore = GetModuleHandleA("d2uzadi.dll");
    HMODULE textBefore = GetModuleHandleA("vedava.dll");
    for (HMODULE module : {spyBefore, textBefore})
        if (module)
            ResetLogOf(module);
    TempFolder empty;
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    // A load by bare name would find the stand-ins in the current folder.
    SetCurrentDirectoryA(StandInFolder().c_str());
    SetUsageLibraryFolder(empty.Path().c_str());

    EXPECT_EQ(nullptr, LoadUsageSpyModule());
    EXPECT_EQ(nullptr, GetUsageObject());
    EXPECT_FALSE(SendUsageEvent(kUsageExit));
    int entries[2] = {1, 2};
    EXPECT_FALSE(SendUsageInventory(entries, 2));
    EXPECT_EQ(0, SpySetText(kUsageTextVersion, "1.0.0.0"));
    EXPECT_EQ(0, SpySetTextW(kUsageTextCountry, L"Germany"));

    SetCurrentDirectoryA(previous);
    EXPECT_EQ(spyBefore, GetModuleHandleA("d2uzadi.dll"));
    EXPECT_EQ(textBefore, GetModuleHandleA("vedava.dll"));
    for (HMODULE module : {spyBefore, textBefore}) {
        if (module) {
            EXPECT_EQ("", LogOf(module));
        }
    }
}

TEST_F(UsageReportTest, EventsAndInventoryReachTheirSlotsOfOneCachedObject)
{
    SetUsageLibraryFolder(StandInFolder().c_str());
    HMODULE spy = LoadUsageSpyModule();
    ASSERT_NE(nullptr, spy);
    ResetLogOf(spy);

    void* object = GetUsageObject();
    ASSERT_NE(nullptr, object);
    EXPECT_EQ(object, GetUsageObject());
    const int codes[] = {kUsageExit, kUsageHelpKey, kUsageMenuHelp, kUsageMenuAbout, kUsageLanguageChange};
    for (int code : codes)
        EXPECT_TRUE(SendUsageEvent(code));
    int entries[3] = {11, 12, 13};
    EXPECT_TRUE(SendUsageInventory(entries, 3));

    EXPECT_EQ("object;event 0x2100;event 0x2103;event 0x2209;event 0x220C;event 0x2207;"
              "inventory 3 first=11;",
              LogOf(spy));
}

#if defined(__i386__)
void* ExceptionListHead()
{
    void* head;
    asm volatile("movl %%fs:0, %0" : "=r"(head) : : "memory");
    return head;
}
#endif

LPTOP_LEVEL_EXCEPTION_FILTER CurrentTopLevelFilter()
{
    LPTOP_LEVEL_EXCEPTION_FILTER current = SetUnhandledExceptionFilter(nullptr);
    SetUnhandledExceptionFilter(current);
    return current;
}

LONG WINAPI TestTopLevelFilter(EXCEPTION_POINTERS*)
{
    return EXCEPTION_CONTINUE_SEARCH;
}

TEST_F(UsageReportTest, ExceptionsAndFaultsInsideTheLibraryAreSwallowed)
{
#if defined(__i386__)
    void* headBefore = ExceptionListHead();
#endif
    LPTOP_LEVEL_EXCEPTION_FILTER filterBefore = SetUnhandledExceptionFilter(&TestTopLevelFilter);
    SetUsageLibraryFolder(StandInFolder().c_str());
    HMODULE spy = LoadUsageSpyModule();
    ASSERT_NE(nullptr, spy);
    ResetLogOf(spy);
    EXPECT_FALSE(SendUsageEvent(0xBAD));
    EXPECT_TRUE(SendUsageEvent(kUsageExit));
    EXPECT_FALSE(SendUsageEvent(0xDEAD));
    EXPECT_TRUE(SendUsageEvent(kUsageHelpKey));
    // What the library throws and catches itself is its own business: the call succeeds.
    EXPECT_TRUE(SendUsageEvent(0xCA7));
    EXPECT_EQ("object;event 0x2100;event 0x2103;caught inside;event 0xCA7;", LogOf(spy));
    // The process's handlers are as they were, so later faults still reach them.
#if defined(__i386__)
    EXPECT_EQ(headBefore, ExceptionListHead());
#endif
    EXPECT_EQ(&TestTopLevelFilter, CurrentTopLevelFilter());
    SetUnhandledExceptionFilter(filterBefore);
}

TEST_F(UsageReportTest, TextsReachBothExportsWhateverTheirCallingConvention)
{
    SetUsageLibraryFolder(StandInFolder().c_str());
    EXPECT_EQ(7, SpySetText(kUsageTextVersion, "1.2.3.4"));
    HMODULE text = GetModuleHandleA("vedava.dll");
    ASSERT_NE(nullptr, text);
    ResetLogOf(text);
    // Many calls in a row: a stack left unbalanced by either convention would show.
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(7, SpySetText(kUsageTextDiskModel, "disk"));
        ASSERT_EQ(8, SpySetTextW(kUsageTextCountry, L"Germany"));
    }
    ResetLogOf(text);
    EXPECT_EQ(7, SpySetText(kUsageTextInstallerLanguage, "Deutsch"));
    EXPECT_EQ(8, SpySetTextW(kUsageTextCountry, L"Germany"));
    EXPECT_EQ("text 0x2008 Deutsch;wide 0x2006 Germany;", LogOf(text));
}

}  // namespace
