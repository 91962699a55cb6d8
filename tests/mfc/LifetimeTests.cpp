// tests/mfc/LifetimeTests.cpp
#include "TestPump.h"
#include <gtest/gtest.h>

namespace {

Log s_events;

class Tracked : public CWnd
{
public:
    ~Tracked() override { s_events.push_back("destructor"); }

protected:
    void OnDestroy()
    {
        s_events.push_back("destroy");
        CWnd::OnDestroy();
    }
    void OnNcDestroy()
    {
        s_events.push_back("ncdestroy");
        CWnd::OnNcDestroy();
    }
    void PostNcDestroy() override { s_events.push_back("postncdestroy"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Tracked, CWnd)
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

class SelfDeleting : public Tracked
{
protected:
    void PostNcDestroy() override
    {
        s_events.push_back("self delete");
        delete this;
    }
};

class Refusing : public CWnd
{
public:
    bool refuse = true;

protected:
    int OnCreate(LPCREATESTRUCT cs) { return refuse ? -1 : CWnd::OnCreate(cs); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Refusing, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

} // namespace

TEST(Lifetime, AWindowThatRefusesCreationLeavesTheObjectReusable)
{
    Refusing wnd;
    EXPECT_FALSE(CreateTopLevel(wnd));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    wnd.refuse = false;
    EXPECT_TRUE(CreateTopLevel(wnd));
    EXPECT_TRUE(wnd.IsWindow());
}

TEST(Lifetime, AnObjectDestroyedWithALiveWindowDestroysItFirst)
{
    HWND hWnd, childHwnd;
    CWnd* child = new CWnd;
    {
        CWnd wnd;
        ASSERT_TRUE(CreateTopLevel(wnd));
        ASSERT_TRUE(CreateChild(*child, wnd, 5));
        hWnd = wnd.m_hWnd;
        childHwnd = child->m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_FALSE(IsWindow(childHwnd));
    EXPECT_EQ(nullptr, child->m_hWnd); // told through its own WM_NCDESTROY
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(childHwnd));
    delete child;
}

TEST(Lifetime, PostNcDestroyComesAfterWmNcDestroyAndMayDeleteTheObject)
{
    s_events.clear();
    SelfDeleting* wnd = new SelfDeleting;
    ASSERT_TRUE(CreateTopLevel(*wnd));
    HWND hWnd = wnd->m_hWnd;
    wnd->DestroyWindow();
    EXPECT_EQ((Log{"destroy", "ncdestroy", "self delete", "destructor"}), s_events);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(Lifetime, DestructorDoesNotCallTheDerivedPostNcDestroy)
{
    s_events.clear();
    {
        Tracked wnd;
        ASSERT_TRUE(CreateTopLevel(wnd));
    }
    // The derived parts are gone when the base destroys the window: no derived handlers run.
    EXPECT_EQ((Log{"destructor"}), s_events);
}

TEST(Lifetime, DestroyingTheMainWindowEndsTheMessageLoop)
{
    CWinApp* app = AfxGetApp();
    ASSERT_TRUE(app);
    CWnd main;
    ASSERT_TRUE(CreateTopLevel(main));
    app->m_pMainWnd = &main;
    main.DestroyWindow();
    EXPECT_EQ(nullptr, app->m_pMainWnd);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(Lifetime, TemporaryObjectsNeverOwnTheirWindow)
{
    HWND raw = CreateWindowExA(0, "STATIC", "raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    CWnd* temp = CWnd::FromHandle(raw);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(temp, CWnd::FromHandle(raw));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(raw));
    AfxDeleteTempObjects();
    EXPECT_TRUE(IsWindow(raw));
    EXPECT_EQ(temp, CWnd::FromHandle(raw)); // kept while its window lives
    EXPECT_EQ(raw, temp->m_hWnd);
    CWnd owner;
    EXPECT_TRUE(owner.Attach(raw));
    EXPECT_EQ(&owner, CWnd::FromHandle(raw));
    EXPECT_EQ(raw, owner.Detach());
    DestroyWindow(raw);
}
