// uikit/controls/EmbedIeWnd.cpp
#include "uikit/controls/EmbedIeWnd.h"

#include <string.h>

#include "app/AppFolder.h"
#include "app/TextCase.h"

namespace EmbedIeWnd {

// Own copies of the identifiers: the import libraries need not carry them.
static const CLSID kClsidWebBrowser = {0x8856f961, 0x340a, 0x11d0,
                                       {0xa9, 0x6b, 0x00, 0xc0, 0x4f, 0xd7, 0x05, 0xa2}};
static const IID kDiidWebBrowserEvents2 = {0x34a715a0, 0x6587, 0x11d0,
                                           {0x92, 0x4a, 0x00, 0x20, 0xaf, 0xc7, 0xac, 0x4d}};
static const IID kIidDocHostUIHandler = {0xbd3f23c0, 0xd43e, 0x11cf,
                                         {0x89, 0x3b, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x1a}};
static const IID kIidWebBrowser2 = {0xd30c1661, 0xcdaf, 0x11d0,
                                    {0x8a, 0x3e, 0x00, 0xc0, 0x4f, 0xc9, 0xe2, 0x6e}};

static bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    return LowerAscii(text.substr(0, strlen(prefix))) == prefix;
}

bool IsAllowedAddress(const std::string& address, const std::string& programFolder)
{
    if (address.find_first_of("\r\n\t") != std::string::npos)
        return false;
    if (StartsWithNoCase(address, "http://") || StartsWithNoCase(address, "https://"))
        return address.size() > (StartsWithNoCase(address, "https://") ? 8u : 7u);
    if (!StartsWithNoCase(address, "file:") || programFolder.empty())
        return false;
    std::string path = address.substr(5);
    while (!path.empty() && path[0] == '/')
        path.erase(0, 1);
    for (char& c : path)
        if (c == '/')
            c = '\\';
    if (path.find("..") != std::string::npos || path.find('%') != std::string::npos)
        return false;   // no steps out of the folder, no escaped ones either
    return path.size() > programFolder.size() &&
           LowerAscii(path.substr(0, programFolder.size())) == LowerAscii(programFolder);
}

// ---- sites: their counts are the host's

#define FORWARD_UNKNOWN(Class)                                                       \
    STDMETHODIMP Class::QueryInterface(REFIID iid, void** out)                       \
    {                                                                                \
        return m_host->QueryInterface(iid, out);                                     \
    }                                                                                \
    STDMETHODIMP_(ULONG) Class::AddRef() { return m_host->AddRef(); }                \
    STDMETHODIMP_(ULONG) Class::Release() { return m_host->Release(); }

FORWARD_UNKNOWN(ClientSite)
FORWARD_UNKNOWN(InPlaceSite)
FORWARD_UNKNOWN(DocHostUIHandler)
FORWARD_UNKNOWN(WebBrowserEvents2)

STDMETHODIMP ClientSite::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    // The container has no moniker; an S_OK with nothing in it would be read by the browser.
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ClientSite::GetContainer(IOleContainer** container)
{
    if (container)
        *container = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP InPlaceSite::GetWindow(HWND* window)
{
    if (!window)
        return E_INVALIDARG;
    *window = m_host->Owner();
    return S_OK;
}

STDMETHODIMP InPlaceSite::GetWindowContext(IOleInPlaceFrame** frame,
                                           IOleInPlaceUIWindow** document, LPRECT position,
                                           LPRECT clip, LPOLEINPLACEFRAMEINFO info)
{
    if (frame)
        *frame = nullptr;
    if (document)
        *document = nullptr;
    RECT client = {};
    GetClientRect(m_host->Owner(), &client);
    if (position)
        *position = client;
    if (clip)
        *clip = client;
    if (info) {
        UINT size = info->cb;
        memset(info, 0, sizeof *info);
        info->cb = size;
        info->hwndFrame = m_host->Owner();
    }
    return S_OK;
}

STDMETHODIMP DocHostUIHandler::GetHostInfo(DOCHOSTUIINFO* info)
{
    if (!info)
        return E_INVALIDARG;
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
    return S_OK;
}

STDMETHODIMP DocHostUIHandler::GetOptionKeyPath(LPOLESTR* key, DWORD)
{
    if (key)
        *key = nullptr;
    return S_FALSE;
}

STDMETHODIMP DocHostUIHandler::GetDropTarget(IDropTarget*, IDropTarget** target)
{
    if (target)
        *target = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP DocHostUIHandler::GetExternal(IDispatch** external)
{
    if (external)
        *external = nullptr;
    return S_FALSE;
}

STDMETHODIMP DocHostUIHandler::TranslateUrl(DWORD, LPWSTR, LPWSTR* out)
{
    if (out)
        *out = nullptr;
    return S_FALSE;
}

STDMETHODIMP DocHostUIHandler::FilterDataObject(IDataObject*, IDataObject** out)
{
    if (out)
        *out = nullptr;
    return S_FALSE;
}

STDMETHODIMP WebBrowserEvents2::GetTypeInfoCount(UINT* count)
{
    if (count)
        *count = 0;
    return S_OK;
}

STDMETHODIMP WebBrowserEvents2::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP WebBrowserEvents2::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP WebBrowserEvents2::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                       VARIANT*, EXCEPINFO*, UINT*)
{
    // BeforeNavigate2 (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel): the
    // arguments arrive last first, so the URL is rgvarg[5] and Cancel rgvarg[0].
    if (id != kDispidBeforeNavigate2 || !params || !params->rgvarg || params->cArgs < 7)
        return E_NOTIMPL;
    VARIANT* url = &params->rgvarg[5];
    if (V_VT(url) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(url))
        url = V_VARIANTREF(url);
    VARIANT* cancel = &params->rgvarg[0];
    if (V_VT(url) != VT_BSTR || V_VT(cancel) != (VT_BYREF | VT_BOOL) || !V_BOOLREF(cancel))
        return E_NOTIMPL;
    const wchar_t* text = V_BSTR(url) ? V_BSTR(url) : L"";
    if (!m_host->OwnerCancels(text))
        return E_NOTIMPL;
    *V_BOOLREF(cancel) = VARIANT_TRUE;
    return S_OK;
}

// ---- host

Host::Host(HWND owner, UINT, BYTE withholdHandler)
    : m_owner(owner), m_withholdHandler(withholdHandler), m_comInit(CoInitialize(nullptr))
{
    m_clientSite = new (std::nothrow) ClientSite(this);
    m_inPlaceSite = new (std::nothrow) InPlaceSite(this);
    m_events = new (std::nothrow) WebBrowserEvents2(this);
    m_uiHandler = new (std::nothrow) DocHostUIHandler(this);
    if (!m_clientSite || !m_inPlaceSite || !IsWindow(owner))
        return;   // no site to give the browser, or no window to put it in

    IUnknown* created = nullptr;
    if (FAILED(CoCreateInstance(kClsidWebBrowser, nullptr,
                                CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER |
                                    CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER,
                                IID_IUnknown, reinterpret_cast<void**>(&created))))
        return;
    AddRef();   // the browser calls back into the sites while it is set up
    if (SUCCEEDED(created->QueryInterface(IID_IOleObject,
                                          reinterpret_cast<void**>(&m_oleObject))))
        m_oleObject->SetClientSite(m_clientSite);
    else
        m_oleObject = nullptr;
    RECT rect = {};
    GetClientRect(owner, &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
    if (SUCCEEDED(created->QueryInterface(IID_IOleInPlaceObject,
                                          reinterpret_cast<void**>(&m_inPlace)))) {
        m_inPlace->SetObjectRects(&rect, &rect);
        HWND window = nullptr;
        if (SUCCEEDED(m_inPlace->GetWindow(&window)) && window) {
            SetWindowLongA(window, GWL_STYLE, WS_CHILD | WS_VISIBLE);
            SetWindowPos(window, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        }
    } else {
        m_inPlace = nullptr;
    }
    if (m_oleObject)
        m_oleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_clientSite, 0, owner, &rect);
    IConnectionPointContainer* container = nullptr;
    if (m_events && SUCCEEDED(created->QueryInterface(IID_IConnectionPointContainer,
                                                      reinterpret_cast<void**>(&container)))) {
        if (SUCCEEDED(container->FindConnectionPoint(kDiidWebBrowserEvents2, &m_connection))) {
            // The cookie is kept: without an Unadvise the sink would hold the host for ever.
            if (FAILED(m_connection->Advise(m_events, &m_cookie))) {
                m_connection->Release();
                m_connection = nullptr;
            }
        } else {
            m_connection = nullptr;
        }
        container->Release();
    }
    if (FAILED(created->QueryInterface(kIidWebBrowser2, reinterpret_cast<void**>(&m_browser))))
        m_browser = nullptr;
    created->Release();
    Release();
}

Host::~Host()
{
    m_refs = 1000;   // releases below may call back into the sites
    Close();
    delete m_clientSite;
    delete m_inPlaceSite;
    delete m_events;
    delete m_uiHandler;
    if (SUCCEEDED(m_comInit))
        CoUninitialize();
}

void Host::Close()
{
    AddRef();
    if (m_connection) {
        m_connection->Unadvise(m_cookie);
        m_connection->Release();
        m_connection = nullptr;
    }
    if (m_inPlace) {
        m_inPlace->InPlaceDeactivate();
        m_inPlace->Release();
        m_inPlace = nullptr;
    }
    if (m_browser) {
        m_browser->Release();
        m_browser = nullptr;
    }
    if (m_oleObject) {
        m_oleObject->Close(OLECLOSE_NOSAVE);
        m_oleObject->SetClientSite(nullptr);
        m_oleObject->Release();
        m_oleObject = nullptr;
    }
    --m_refs;   // no Release: Close runs inside the destructor too
}

STDMETHODIMP Host::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown))
        *out = static_cast<IUnknown*>(this);
    else if (IsEqualIID(iid, IID_IOleClientSite))
        *out = m_clientSite;
    else if (IsEqualIID(iid, IID_IOleInPlaceSite) || IsEqualIID(iid, IID_IOleWindow))
        *out = m_inPlaceSite;
    else if (IsEqualIID(iid, kDiidWebBrowserEvents2))
        *out = m_events;
    else if (IsEqualIID(iid, kIidDocHostUIHandler) && !m_withholdHandler)
        *out = m_uiHandler;
    if (!*out)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) Host::AddRef() { return ++m_refs; }

STDMETHODIMP_(ULONG) Host::Release()
{
    ULONG refs = --m_refs;
    if (refs == 0)
        delete this;
    return refs;
}

HRESULT Host::Navigate(const char* address)
{
    if (!m_browser)
        return E_FAIL;
    if (!address || !IsAllowedAddress(address, GetAppFolder()))
        return E_INVALIDARG;
    m_browser->put_Silent(VARIANT_TRUE);
    int count = MultiByteToWideChar(CP_ACP, 0, address, -1, nullptr, 0);
    if (count <= 0)
        return E_INVALIDARG;
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_ACP, 0, address, -1, &wide[0], count);
    BSTR url = SysAllocString(wide.c_str());
    if (!url)
        return E_OUTOFMEMORY;
    HRESULT result = m_browser->Navigate(url, nullptr, nullptr, nullptr, nullptr);
    SysFreeString(url);
    return result;
}

void Host::MoveTo(const RECT& rect)
{
    if (!m_browser)
        return;
    if (m_inPlace)
        m_inPlace->SetObjectRects(&rect, &rect);
    if (m_oleObject)
        m_oleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_clientSite, 0, m_owner, &rect);
}

bool Host::Refresh() { return m_browser && m_browser->Refresh() == S_OK; }

bool Host::OwnerCancels(const std::wstring& address) const
{
    char text[kBrowserAddressBytes] = {};
    // A failed conversion (a buffer too small) is cut to what fits, never left unterminated.
    int written = WideCharToMultiByte(CP_ACP, 0, address.c_str(), -1, text,
                                      static_cast<int>(sizeof text - 1), nullptr, nullptr);
    if (written <= 0) {
        for (size_t i = 0, n = 0; i < address.size() && n + 2 < sizeof text; ++i) {
            char piece[8];
            int bytes = WideCharToMultiByte(CP_ACP, 0, &address[i], 1, piece, sizeof piece,
                                            nullptr, nullptr);
            if (bytes <= 0 || n + bytes >= sizeof text)
                break;
            memcpy(text + n, piece, static_cast<size_t>(bytes));
            n += static_cast<size_t>(bytes);
        }
    }
    text[sizeof text - 1] = 0;
    return SendMessageA(m_owner, kBrowserNavigateMessage, reinterpret_cast<WPARAM>(text), 0) != 0;
}

}  // namespace EmbedIeWnd
