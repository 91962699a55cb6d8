// tests/appservices/CrashHandlerTest.cpp
// Crashes in a child process under the program's crash handler: exit code, the named event
// a watcher waits on, the minidump beside it, and the out-of-memory message.
#include <windows.h>
#include <dbghelp.h>

#include <gtest/gtest.h>

#include <stdint.h>
#include <string.h>

#include <functional>
#include <string>

#include "app/AppFolder.h"
#include "app/CrashHandler.h"
#include "app/ProgramAllocator.h"
#include "tests/appservices/StandInFolder.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr DWORD kAccessViolation = 0xC0000005;

enum class Event { Crash, Memory };

struct CrashCase {
    const char* mode;
    DWORD exitCode;
    Event event;
    bool message;
};

const CrashCase kCrashCases[] = {
    {"out-of-memory", kOutOfMemoryCode, Event::Memory, true},
    {"access-violation", kAccessViolation, Event::Crash, false},
    {"pure-virtual", kPureVirtualCallCode, Event::Crash, false},
    {"uncaught-throw", kTerminateCode, Event::Crash, false},
    {"two-threads", kAccessViolation, Event::Crash, false},
    {"stack-overflow", EXCEPTION_STACK_OVERFLOW, Event::Crash, false},
};

// Empty when bytes are a minidump whose stream directory and streams lie inside it, with a
// thread list and the exception stream of the given code; else what is wrong.
std::string MinidumpProblem(const std::string& bytes, DWORD code)
{
    if (bytes.size() < sizeof(MINIDUMP_HEADER))
        return "shorter than a header";
    MINIDUMP_HEADER header;
    memcpy(&header, bytes.data(), sizeof header);
    if (bytes.compare(0, 4, "MDMP") != 0)   // the header's Signature, as the file holds it
        return "no MDMP signature";
    const uint64_t directoryEnd =
        uint64_t(header.StreamDirectoryRva) + uint64_t(header.NumberOfStreams) * sizeof(MINIDUMP_DIRECTORY);
    if (header.NumberOfStreams == 0 || directoryEnd > bytes.size())
        return "no stream directory inside the file";
    bool threads = false, exception = false;
    for (ULONG32 i = 0; i < header.NumberOfStreams; ++i) {
        MINIDUMP_DIRECTORY entry;
        memcpy(&entry, bytes.data() + header.StreamDirectoryRva + i * sizeof entry, sizeof entry);
        if (uint64_t(entry.Location.Rva) + entry.Location.DataSize > bytes.size())
            return "a stream past the end";
        threads |= entry.StreamType == ThreadListStream;
        if (entry.StreamType == ExceptionStream && entry.Location.DataSize >= sizeof(MINIDUMP_EXCEPTION_STREAM)) {
            MINIDUMP_EXCEPTION_STREAM stream;
            memcpy(&stream, bytes.data() + entry.Location.Rva, sizeof stream);
            exception |= stream.ExceptionRecord.ExceptionCode == code;
        }
    }
    if (!threads)
        return "no thread list";
    return exception ? "" : "no exception stream of the crash's code";
}

// What the test saw of the first top-level window the child showed.
struct BoxSeen {
    bool shown = false;
    HWND owner = nullptr;
    std::string caption;
    bool eventBefore = false;    // the crash event was already set when the box came
    std::string dumpBefore;      // the first bytes of Derivud0.dmp then
};

// Runs a program of the program folder to its end; its exit code, or 0xFFFFFFFF when it
// did not end in time. A box it shows is answered with IDOK, after seen() has looked at it.
DWORD RunProgram(const char* name, const std::string& arguments,
                 const std::function<void(HWND box)>& seen = nullptr)
{
    ChildProcess child;
    if (!child.Start(std::string(GetAppFolder()) + name, arguments))
        return 0xFFFFFFFF;
    const DWORD start = GetTickCount();
    bool answered = false;
    while (GetTickCount() - start < 60000) {
        const DWORD code = child.WaitExit(20);
        if (code != STILL_ACTIVE)
            return code;
        HWND box = VisibleWindowOf(child.Id(), "#32770");
        if (box && !answered) {
            if (seen)
                seen(box);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            answered = true;
        }
    }
    return 0xFFFFFFFF;
}

DWORD RunChild(const char* mode, const std::string& folder,
               const std::function<void(HWND box)>& seen = nullptr)
{
    // A backslash before the closing quote would escape it: double the folder's last one.
    return RunProgram("appservices_crash_child.exe",
                      std::string(mode) + " \"" + folder + "\\\"", seen);
}

bool Signalled(HANDLE event)
{
    return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

class CrashHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        crash_ = CreateEventA(nullptr, FALSE, FALSE, kCrashEventName);
        memory_ = CreateEventA(nullptr, FALSE, FALSE, kMemoryCrashEventName);
        ASSERT_NE(nullptr, crash_);
        ASSERT_NE(nullptr, memory_);
        ResetEvent(crash_);
        ResetEvent(memory_);
    }
    void TearDown() override
    {
        CloseHandle(crash_);
        CloseHandle(memory_);
    }
    HANDLE crash_ = nullptr;
    HANDLE memory_ = nullptr;
};

TEST_F(CrashHandlerTest, EveryCrashSignalsItsEventAndLeavesADump)
{
    for (const CrashCase& c : kCrashCases) {
        SCOPED_TRACE(c.mode);
        TempFolder folder;
        // A dump of an earlier run is replaced: numbering starts at 0 in every process.
        ASSERT_TRUE(WriteWholeFile(folder.File("Derivud0.dmp"), "an earlier run's dump"));

        BoxSeen box;
        const DWORD started = GetTickCount();
        EXPECT_EQ(c.exitCode, RunChild(c.mode, folder.Path(), [&](HWND window) {
            box.shown = true;
            box.owner = GetWindow(window, GW_OWNER);
            char caption[64] = {};
            GetWindowTextA(window, caption, sizeof caption);
            box.caption = caption;
            box.eventBefore = Signalled(c.event == Event::Memory ? memory_ : crash_);
            box.dumpBefore = ReadWholeFile(folder.File("Derivud0.dmp")).substr(0, 4);
        }));
        EXPECT_LT(GetTickCount() - started, 30000u) << "the crashed process ends";
        // The out-of-memory box comes from a worker while the window's thread waits for it:
        // a plain box with no owner, shown once the event is set and the dump written.
        EXPECT_EQ(c.message, box.shown);
        if (c.message) {
            EXPECT_EQ(nullptr, box.owner);
            EXPECT_EQ("CrashChild", box.caption);
            EXPECT_TRUE(box.eventBefore);
            EXPECT_EQ("MDMP", box.dumpBefore);
        }
        // The events reset when waited on: the box's check took its signal already.
        EXPECT_EQ(c.event == Event::Crash && !c.message, Signalled(crash_));
        EXPECT_EQ(c.event == Event::Memory && !c.message, Signalled(memory_));
        EXPECT_EQ("", MinidumpProblem(ReadWholeFile(folder.File("Derivud0.dmp")), c.exitCode));
        EXPECT_EQ("", ReadWholeFile(folder.File("Derivud1.dmp")));
    }
}

// Windows loads the file that a full path names; Wine prefers its own DbgHelp unless the
// program is told otherwise.
class OwnDumpWriterTest : public CrashHandlerTest {
protected:
    void SetUp() override
    {
        CrashHandlerTest::SetUp();
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kOverrides, 0, nullptr, 0, KEY_WRITE,
                                                 nullptr, &key, nullptr));
        const char kNativeFirst[] = "native,builtin";
        RegSetValueExA(key, "dbghelp", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNativeFirst),
                       sizeof(kNativeFirst));
        RegCloseKey(key);
        ASSERT_TRUE(CopyFileA((StandInFolder() + "DbgHelp.dll").c_str(), folder_.File("DbgHelp.dll").c_str(),
                              FALSE));
    }
    void TearDown() override
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, kOverrides);
        RegDeleteKeyA(HKEY_CURRENT_USER, kProgramDefaults);
        SetEnvironmentVariableA("STANDIN_DUMP_HANGS", nullptr);
        CrashHandlerTest::TearDown();
    }
    static constexpr char kProgramDefaults[] = "Software\\Wine\\AppDefaults\\appservices_crash_child.exe";
    static constexpr char kOverrides[] = "Software\\Wine\\AppDefaults\\appservices_crash_child.exe\\DllOverrides";
    TempFolder folder_;
};

TEST_F(OwnDumpWriterTest, TheProgramFolderCopyComesFirst)
{
    EXPECT_EQ(kAccessViolation, RunChild("access-violation", folder_.Path()));
    EXPECT_TRUE(Signalled(crash_));
    EXPECT_EQ("STANDIN", ReadWholeFile(folder_.File("Derivud0.dmp")).substr(0, 16));
}

TEST_F(OwnDumpWriterTest, AHangingWriterEndsTheProcessAfterTenSeconds)
{
    SetEnvironmentVariableA("STANDIN_DUMP_HANGS", "1");
    DWORD started = GetTickCount();
    EXPECT_EQ(kAccessViolation, RunChild("access-violation", folder_.Path()));
    DWORD elapsed = GetTickCount() - started;
    EXPECT_GE(elapsed, 9000u);
    EXPECT_LT(elapsed, 50000u);
    EXPECT_TRUE(Signalled(crash_));
}

TEST(ProgramAllocatorLink, ReplacesTheRuntimesInEveryProgramThatLinksApp)
{
    EXPECT_EQ(kOutOfMemoryCode, RunProgram("appservices_alloc_child.exe", ""));
}

TEST_F(CrashHandlerTest, UnwritableFolderStillSignalsAndEnds)
{
    EXPECT_EQ(kAccessViolation, RunChild("access-violation", "Z:\\nonexistent-appservices-folder\\"));
    EXPECT_TRUE(Signalled(crash_));
}

}  // namespace
