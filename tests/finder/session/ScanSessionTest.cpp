// tests/finder/session/ScanSessionTest.cpp
// The scan session: the stored location, the enumeration bookkeeping, the shipped filter.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "finder/ScanSession.h"
#include "tests/finder/session/SessionTestFiles.h"

namespace {

class Listener : public ISessionListener {
public:
    explicit Listener(uint32_t channel) : channel_(channel) {}
    uint32_t GetChannel() const override { return channel_; }

private:
    uint32_t channel_;
};

class Worker : public ISessionWorker {
public:
    void OnSessionNotify() override { ++calls; }
    int calls = 0;
};

}  // namespace

// Only an existing folder named by an absolute path is stored; anything else would be walked
// relative to whatever folder is current when the scan starts.
TEST(ScanSessionTest, StoresOnlyAnExistingAbsoluteFolder)
{
    SessionTestFolder folder;
    const std::string existing = folder.MakeFolder("Pictures");
    const std::string dotted = folder.MakeFolder("v1.2");
    const std::string file = folder.Write("notes.txt", "x");
    ScanSession session{std::string()};
    EXPECT_TRUE(session.GetExportPath().empty());

    struct { std::string path; bool taken; } cases[] = {
        {existing, true},
        {existing + "\\", true},
        {dotted, true},
        {folder.Path(), true},
        {"C:\\", true},
        {"c:\\windows", true},
        {std::string(), false},
        {"Desktop", false},                                  // a display name
        {"My Computer", false},
        {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", false}, // a virtual shell item
        {existing + "\\::{645FF040-5081-101B-9F08-00AA002F954E}", false},
        {"Pictures", false},                                 // relative
        {".", false},
        {"C:", false},                                       // the current folder of C:
        {"C:windows", false},
        {"\\windows", false},                                // the current drive
        {folder.File("missing"), false},
        {file, false},                                       // a file, not a folder
        {folder.Path() + "*", false},
        {"\\\\.\\C:", false},                                // device namespace
        {"\\\\?\\C:\\", false},
        {existing + ":stream", false},
        {"C:\\" + std::string(300, 'a'), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string before = session.GetExportPath();
        EXPECT_EQ(session.SetExportPath(c.path), c.taken);
        EXPECT_EQ(session.GetExportPath(), c.taken ? c.path : before);
        EXPECT_EQ(IsExistingAbsoluteFolder(c.path), c.taken);
    }
    // A refused location keeps the one held before.
    ASSERT_TRUE(session.SetExportPath(existing));
    EXPECT_FALSE(session.SetExportPath("Desktop"));
    EXPECT_EQ(session.GetExportPath(), existing);
}

TEST(ScanSessionTest, ConfigureQueuesRequestsAndResets)
{
    ScanSession session{std::string()};
    EXPECT_EQ(session.FrontItem(), nullptr);
    EXPECT_EQ(session.FrontItemValue(), 0u);

    session.Configure(1, 500);
    EXPECT_FALSE(session.IsIdle());
    EXPECT_EQ(session.GetLimit(), 500u);
    ASSERT_NE(session.FrontItem(), nullptr);
    EXPECT_EQ(session.FrontItem()->flag, 1u);
    EXPECT_EQ(session.FrontItemValue(), 500u);
    session.Configure(2, 0xFFFFFFFF);  // the limit stays
    EXPECT_EQ(session.GetLimit(), 500u);
    EXPECT_EQ(session.FrontItem()->flag, 1u);

    session.AddName("first");
    session.AddName("second");
    session.GetCounters().items = 3;
    session.GetCounters().values[2] = 99;
    session.GetCounters().flag = 1;
    session.SetStatusText("reading");
    std::list<std::string> names;
    session.SetBusy(true);
    session.CopyNames(names);
    EXPECT_TRUE(names.empty());
    session.SetBusy(false);
    session.CopyNames(names);
    EXPECT_EQ(names, (std::list<std::string>{"first", "second"}));

    session.Configure(0, 7);
    EXPECT_TRUE(session.IsIdle());
    EXPECT_EQ(session.FrontItem(), nullptr);
    EXPECT_EQ(session.GetCounters().items, 0u);
    EXPECT_EQ(session.GetCounters().values[2], 0u);
    EXPECT_EQ(session.GetCounters().flag, 0u);
    EXPECT_TRUE(session.GetStatusText().empty());
    EXPECT_EQ(session.GetLimit(), 500u);
    names.clear();
    session.CopyNames(names);
    EXPECT_TRUE(names.empty());
}

TEST(ScanSessionTest, ListenersAndWorker)
{
    ScanSession session{std::string()};
    Listener a(0), b(9), refused(10);
    EXPECT_EQ(session.AddListener(nullptr), -1);
    EXPECT_EQ(session.AddListener(&refused), -1);
    EXPECT_EQ(session.AddListener(&a), 0);
    EXPECT_EQ(session.AddListener(&b), 0);
    EXPECT_EQ(session.AddListener(&a), 0);  // already there: not added twice
    EXPECT_EQ(session.Listeners(), (std::list<ISessionListener*>{&a, &b}));
    EXPECT_EQ(session.RemoveListener(&refused), -1);
    EXPECT_EQ(session.RemoveListener(nullptr), -1);
    EXPECT_EQ(session.RemoveListener(&a), 0);
    EXPECT_EQ(session.RemoveListener(&a), 0);
    EXPECT_EQ(session.Listeners(), (std::list<ISessionListener*>{&b}));

    EXPECT_EQ(session.Notify(), -1);
    Worker worker;
    session.SetWorker(&worker);
    EXPECT_EQ(session.Notify(), 0);
    EXPECT_EQ(worker.calls, 1);
    session.SetWorker(nullptr);
    EXPECT_EQ(session.Notify(), -1);
}

// The one session reads the file beside the program and keeps its state between calls.
TEST(ScanSessionTest, InstanceIsOneSessionWithTheShippedFilter)
{
    ScanSession& session = ScanSession::Instance();
    EXPECT_EQ(&session, &ScanSession::Instance());
    EXPECT_FALSE(session.GetFilter().Extensions().empty());
    EXPECT_EQ(session.GetFilter().Extensions().count("jpg"), 1u);
    SessionTestFolder folder;
    ASSERT_TRUE(session.SetExportPath(folder.Path()));
    EXPECT_EQ(ScanSession::Instance().GetExportPath(), folder.Path());
}
