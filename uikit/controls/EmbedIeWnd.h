// uikit/controls/EmbedIeWnd.h
// A web-browser control hosted in a child window: the smallest OLE container (one host, four
// sites). Every navigation is offered to the owner first as message kBrowserNavigateMessage.
// All calls on the thread that made the host.
#pragma once
#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <ole2.h>
#include <string>

namespace EmbedIeWnd {

// wParam: the target address, NUL-terminated ANSI text of at most kBrowserAddressBytes bytes;
// lParam 0. A non-zero reply cancels the navigation.
constexpr UINT kBrowserNavigateMessage = 0x1B00;
constexpr size_t kBrowserAddressBytes = 4096;
constexpr DISPID kDispidBeforeNavigate2 = 250;

// Addresses the host navigates to: http and https, and file addresses of files inside
// programFolder (a folder ending in a backslash). Everything else (script, other schemes,
// files elsewhere, ".." steps) is refused.
bool IsAllowedAddress(const std::string& address, const std::string& programFolder);

class Host;

// The site objects and the host are final: they are deleted through their own types, and
// the COM interfaces they implement have no virtual destructor.
class ClientSite final : public IOleClientSite
{
public:
    explicit ClientSite(Host* host) : m_host(host) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return S_OK; }

private:
    Host* m_host;
};

class InPlaceSite final : public IOleInPlaceSite
{
public:
    explicit InPlaceSite(Host* host) : m_host(host) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return S_OK; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override { return S_OK; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

private:
    Host* m_host;
};

class DocHostUIHandler final : public IDocHostUIHandler
{
public:
    explicit DocHostUIHandler(Host* host) : m_host(host) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // S_OK: the page shows no context menu of its own.
    STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return S_OK; }
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
    STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) override { return S_OK; }
    STDMETHODIMP HideUI() override { return S_OK; }
    STDMETHODIMP UpdateUI() override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_OK; }
    // The operations with outputs clear them and answer S_FALSE ("nothing"), so the browser
    // never reads an unset pointer.
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD) override;
    STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget** target) override;
    STDMETHODIMP GetExternal(IDispatch** external) override;
    STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* out) override;
    STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** out) override;

private:
    Host* m_host;
};

class WebBrowserEvents2 final : public IDispatch
{
public:
    explicit WebBrowserEvents2(Host* host) : m_host(host) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                        UINT*) override;

private:
    Host* m_host;
};

class Host final : public IUnknown
{
public:
    // Creates the browser in the owner's client area and activates it in place. The host
    // starts with one reference; the owner must outlive it. withholdHandler hides the
    // document-UI handler from the browser.
    Host(HWND owner, UINT reserved, BYTE withholdHandler);
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    bool HasBrowser() const { return m_browser != nullptr; }
    // E_FAIL without a browser, E_INVALIDARG for an address that IsAllowedAddress refuses.
    HRESULT Navigate(const char* address);
    void MoveTo(const RECT& rect);
    bool Refresh();
    // Disconnects the event sink and the client site and lets the browser go. The browser
    // holds references to the sites, so without this the host never reaches zero; the last
    // Release calls it too.
    void Close();

    HWND Owner() const { return m_owner; }
    IDispatch* EventSink() const { return m_events; }
    // Offers the address to the owner; true when the owner cancels it.
    bool OwnerCancels(const std::wstring& address) const;

private:
    ~Host();

    ClientSite* m_clientSite = nullptr;
    InPlaceSite* m_inPlaceSite = nullptr;
    WebBrowserEvents2* m_events = nullptr;
    IWebBrowser2* m_browser = nullptr;
    IOleInPlaceObject* m_inPlace = nullptr;
    IOleObject* m_oleObject = nullptr;
    DocHostUIHandler* m_uiHandler = nullptr;
    ULONG m_refs = 1;
    HWND m_owner;
    BYTE m_withholdHandler;
    IConnectionPoint* m_connection = nullptr;
    DWORD m_cookie = 0;
    HRESULT m_comInit;
};

}  // namespace EmbedIeWnd
