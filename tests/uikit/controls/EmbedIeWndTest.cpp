// tests/uikit/controls/EmbedIeWndTest.cpp
#include <gtest/gtest.h>
#include <string.h>

#include <vector>

#include "app/AppFolder.h"
#include "uikit/controls/EmbedIeWnd.h"

using namespace EmbedIeWnd;

namespace {

std::vector<std::string> g_offered;
LRESULT g_reply = 0;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kBrowserNavigateMessage) {
        g_offered.push_back(reinterpret_cast<const char*>(wParam));
        return g_reply;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeOwner()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BrowserOwnerTest";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "BrowserOwnerTest", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// BeforeNavigate2's seven arguments, last first, with the URL and Cancel by reference.
struct BeforeNavigateCall
{
    explicit BeforeNavigateCall(const std::wstring& address)
    {
        VariantInit(&url);
        V_VT(&url) = VT_BSTR;
        V_BSTR(&url) = SysAllocString(address.c_str());
        for (VARIANT& v : args)
            VariantInit(&v);
        V_VT(&args[0]) = VT_BYREF | VT_BOOL;
        V_BOOLREF(&args[0]) = &cancel;
        V_VT(&args[5]) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&args[5]) = &url;
        params.rgvarg = args;
        params.cArgs = 7;
    }
    ~BeforeNavigateCall() { VariantClear(&url); }
    HRESULT Send(IDispatch* sink)
    {
        return sink->Invoke(kDispidBeforeNavigate2, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                            nullptr, nullptr);
    }
    VARIANT url;
    VARIANT args[7];
    VARIANT_BOOL cancel = VARIANT_FALSE;
    DISPPARAMS params = {};
};

TEST(BrowserAddress, OnlyWebAndProgramFiles)
{
    const std::string folder = "C:\\prog\\";
    struct Case { const char* address; bool allowed; };
    const Case cases[] = {
        {"http://example.invalid/", true}, {"HTTPS://example.invalid/a", true},
        {"https://", false}, {"javascript:alert(1)", false}, {"ftp://x/", false},
        {"about:blank", false}, {"file:///C:/prog/help.html", true},
        {"file:///c:/PROG/sub/help.html", true}, {"file:///C:/other/help.html", false},
        {"file:///C:/prog/../secret.html", false}, {"file:///C:/prog/%2e%2e/x", false},
        {"file:///C:/prog/", false}, {"http://x/\r\nHeader: y", false}, {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAllowedAddress(c.address, folder), c.allowed) << c.address;
    EXPECT_FALSE(IsAllowedAddress("file:///C:/prog/help.html", ""));
}

TEST(BrowserHost, WithoutAWindowThereIsNoBrowser)
{
    Host* host = new Host(nullptr, 0, 0);
    EXPECT_FALSE(host->HasBrowser());
    EXPECT_EQ(host->Navigate("http://example.invalid/"), E_FAIL);
    EXPECT_FALSE(host->Refresh());
    host->MoveTo(RECT{0, 0, 10, 10});
    host->Close();
    EXPECT_EQ(host->Release(), 0u);
}

TEST(BrowserHost, InterfacesAndWithheldHandler)
{
    HWND owner = MakeOwner();
    ASSERT_NE(owner, nullptr);
    for (BYTE withhold : {BYTE(0), BYTE(1)}) {
        Host* host = new Host(owner, 0, withhold);
        EXPECT_EQ(host->QueryInterface(IID_IUnknown, nullptr), E_INVALIDARG);
        void* out = reinterpret_cast<void*>(1);
        IOleClientSite* site = nullptr;
        ASSERT_EQ(host->QueryInterface(IID_IOleClientSite, reinterpret_cast<void**>(&site)), S_OK);
        IMoniker* moniker = reinterpret_cast<IMoniker*>(1);
        EXPECT_TRUE(FAILED(site->GetMoniker(0, 0, &moniker)));
        EXPECT_EQ(moniker, nullptr);
        site->Release();
        IOleInPlaceSite* inPlace = nullptr;
        ASSERT_EQ(host->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace)),
                  S_OK);
        HWND window = nullptr;
        EXPECT_EQ(inPlace->GetWindow(&window), S_OK);
        EXPECT_EQ(window, owner);
        inPlace->Release();
        const IID handlerIid = __uuidof(IDocHostUIHandler);
        HRESULT handler = host->QueryInterface(handlerIid, &out);
        if (withhold) {
            EXPECT_EQ(handler, E_NOINTERFACE);
            EXPECT_EQ(out, nullptr);
        } else {
            ASSERT_EQ(handler, S_OK);
            IDocHostUIHandler* ui = static_cast<IDocHostUIHandler*>(out);
            DOCHOSTUIINFO info = {sizeof info};
            EXPECT_EQ(ui->GetHostInfo(&info), S_OK);
            EXPECT_EQ(info.dwFlags, 12u);
            IDispatch* external = reinterpret_cast<IDispatch*>(1);
            ui->GetExternal(&external);
            EXPECT_EQ(external, nullptr);
            ui->Release();
        }
        EXPECT_EQ(host->QueryInterface(IID_IStream, &out), E_NOINTERFACE);
        host->Close();
        EXPECT_EQ(host->Release(), 0u);
    }
    DestroyWindow(owner);
}

TEST(BrowserHost, EveryNavigationIsOfferedToTheOwner)
{
    HWND owner = MakeOwner();
    Host* host = new Host(owner, 0, 0);
    // Wine creates the control (it renders nothing without its engine).
    EXPECT_TRUE(host->HasBrowser());
    g_offered.clear();
    g_reply = 0;
    BeforeNavigateCall go(L"http://example.invalid/a");
    EXPECT_EQ(go.Send(host->EventSink()), E_NOTIMPL);
    EXPECT_EQ(go.cancel, VARIANT_FALSE);
    g_reply = 1;
    BeforeNavigateCall stop(L"http://example.invalid/b");
    EXPECT_EQ(stop.Send(host->EventSink()), S_OK);
    EXPECT_NE(stop.cancel, VARIANT_FALSE);
    ASSERT_EQ(g_offered.size(), 2u);
    EXPECT_EQ(g_offered[1], "http://example.invalid/b");

    // A long address is cut to the buffer, still terminated.
    std::wstring longAddress = L"http://example.invalid/" + std::wstring(6000, L'x');
    BeforeNavigateCall longCall(longAddress);
    longCall.Send(host->EventSink());
    ASSERT_EQ(g_offered.size(), 3u);
    EXPECT_EQ(g_offered[2].size(), kBrowserAddressBytes - 1);

    // Other events, and malformed ones, are not handled.
    DISPPARAMS none = {};
    EXPECT_EQ(host->EventSink()->Invoke(251, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr,
                                        nullptr), E_NOTIMPL);
    EXPECT_EQ(host->EventSink()->Invoke(kDispidBeforeNavigate2, IID_NULL, 0, DISPATCH_METHOD,
                                        &none, nullptr, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(g_offered.size(), 3u);

    EXPECT_EQ(host->Navigate("javascript:alert(1)"), E_INVALIDARG);
    EXPECT_EQ(host->Navigate(nullptr), E_INVALIDARG);
    std::string page = std::string("file:///") + GetAppFolder() + "missing-page.html";
    // A navigation the host starts is offered to the owner too; the owner refuses this one.
    g_reply = 1;
    EXPECT_EQ(host->Navigate(page.c_str()), S_OK);
    ASSERT_EQ(g_offered.size(), 4u);
    const std::string offered = g_offered.back();
    EXPECT_EQ(offered.substr(offered.size() - strlen("missing-page.html")), "missing-page.html");
    // The browser's own window follows the rectangle.
    host->MoveTo(RECT{5, 6, 100, 80});
    HWND browser = GetWindow(owner, GW_CHILD);
    ASSERT_NE(browser, nullptr);
    RECT placed = {};
    GetWindowRect(browser, &placed);
    MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&placed), 2);
    const RECT wanted = {5, 6, 100, 80};
    EXPECT_TRUE(EqualRect(&placed, &wanted))
        << placed.left << "," << placed.top << "," << placed.right << "," << placed.bottom;
    // Wine's control, with no engine to load the page, has no document to refresh.
    EXPECT_FALSE(host->Refresh());
    host->Close();
    EXPECT_EQ(host->Release(), 0u);
    DestroyWindow(owner);
}

}  // namespace
