#include "online/win32/web_browser_host.h"

#include <exdisp.h>
#include <ole2.h>
#include <oleauto.h>

#include <string>

namespace kalvoro::win {
namespace {

// The HTML engine the browser control needs; without it the control cannot show a page.
constexpr CLSID kHtmlDocument = {0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

bool HtmlEngineAvailable() {
    IUnknown* document = nullptr;
    if (FAILED(::CoCreateInstance(kHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(&document))) ||
        !document) {
        return false;
    }
    document->Release();
    return true;
}

VARIANT IntegerZero() {
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = 0;
    return value;
}

}  // namespace

// The container side of the control. Reference counted as COM wants; the host holds one reference.
class BrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    BrowserSite(HWND host, const RECT& place) : host_(host), place_(place) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
            *out = static_cast<IOleClientSite*>(this);
        } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
            *out = static_cast<IOleInPlaceSite*>(this);
        } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
            *out = static_cast<IOleInPlaceFrame*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        if (moniker) *moniker = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
        if (container) *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, for the site and the frame alike
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = host_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                               LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        if (frame) {
            *frame = this;
            AddRef();
        }
        if (document) *document = nullptr;
        if (position) *position = place_;
        if (clip) ::GetClientRect(host_, clip);
        if (info) {
            info->fMDIApp = FALSE;
            info->hwndFrame = host_;
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

    // IOleInPlaceFrame
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    RECT Place() const { return place_; }

private:
    ~BrowserSite() = default;

    LONG references_ = 1;
    HWND host_;
    RECT place_;
};

WebBrowserHost::~WebBrowserHost() {
    Destroy();
}

bool WebBrowserHost::Create(HWND host, const RECT& place) {
    if (object_) return true;
    if (!host) return false;
    const HRESULT initialised = ::OleInitialize(nullptr);
    if (FAILED(initialised)) return false;
    ole_initialised_ = true;
    if (!HtmlEngineAvailable()) {
        Destroy();
        return false;
    }

    IOleObject* object = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(&object))) ||
        !object) {
        Destroy();
        return false;
    }
    object_ = object;
    site_ = new BrowserSite(host, place);
    RECT rect = place;
    if (FAILED(object->SetClientSite(static_cast<IOleClientSite*>(site_)))) {
        Destroy();
        return false;
    }
    ::OleSetContainedObject(object, TRUE);
    if (FAILED(
            object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(site_), 0, host, &rect))) {
        Destroy();
        return false;
    }
    IWebBrowser2* browser = nullptr;
    if (FAILED(object->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser))) || !browser) {
        Destroy();
        return false;
    }
    browser_ = browser;
    browser->put_Left(place.left);
    browser->put_Top(place.top);
    browser->put_Width(place.right - place.left);
    browser->put_Height(place.bottom - place.top);
    browser->put_Silent(VARIANT_TRUE);
    return true;
}

bool WebBrowserHost::Navigate(std::wstring_view url) {
    if (!browser_) return false;
    BSTR address = ::SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    if (!address) return false;
    VARIANT flags = IntegerZero();
    VARIANT target = IntegerZero();
    VARIANT post_data = IntegerZero();
    VARIANT headers = IntegerZero();
    const HRESULT result =
        static_cast<IWebBrowser2*>(browser_)->Navigate(address, &flags, &target, &post_data, &headers);
    ::SysFreeString(address);
    return SUCCEEDED(result);
}

void WebBrowserHost::Destroy() {
    if (browser_) {
        static_cast<IWebBrowser2*>(browser_)->Stop();
        browser_->Release();
        browser_ = nullptr;
    }
    if (object_) {
        IOleObject* object = static_cast<IOleObject*>(object_);
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        object->Release();
        object_ = nullptr;
    }
    if (site_) {
        static_cast<IOleClientSite*>(site_)->Release();
        site_ = nullptr;
    }
    if (ole_initialised_) {
        ::OleUninitialize();
        ole_initialised_ = false;
    }
}

}  // namespace kalvoro::win
