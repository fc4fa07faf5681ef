#include "framework/gui/web_browser.h"

#include "framework/gui/diagnostics.h"
#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/property_builders.h"

#include <cstdio>

namespace gui {

std::function<HRESULT(const std::wstring& url)> TWebBrowser::NavigateOverride;

namespace {

std::string HResultText(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

class UniqueBstr {
  public:
    explicit UniqueBstr(const std::wstring& text) : bstr_(SysAllocString(text.c_str())) {}
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    ~UniqueBstr() { SysFreeString(bstr_); }
    BSTR get() const { return bstr_; }

  private:
    BSTR bstr_;
};

} // namespace

// The container side the browser control talks to: client site, in-place site and frame in one object.
// The control sizes itself from the container window and draws into a child window of it.
class BrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
  public:
    explicit BrowserSite(HWND container) : container_(container) {}

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
            *object = static_cast<IOleClientSite*>(this);
        } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
            *object = static_cast<IOleInPlaceSite*>(this);
        } else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) {
            *object = static_cast<IOleInPlaceFrame*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        if (moniker) *moniker = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** container) override {
        if (container) *container = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = container_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        if (!frame || !document || !position || !clip || !info) return E_POINTER;
        *frame = this;
        AddRef();
        *document = nullptr;
        GetClientRect(container_, position);
        *clip = *position;
        info->fMDIApp = FALSE;
        info->hwndFrame = GetAncestor(container_, GA_ROOT);
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow
    STDMETHODIMP GetBorder(LPRECT) override { return E_NOTIMPL; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

    // IOleInPlaceFrame
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  private:
    ~BrowserSite() = default;

    LONG references_ = 1;
    HWND container_;
};

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner) {
    tabStop_ = true;
}

TWebBrowser::~TWebBrowser() {
    DestroyControl();
}

const rtl::TClassInfo& TWebBrowser::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TWebBrowser",
        &TWinControl::StaticClassInfo(),
        {
            IntegerProperty("ExtentX", &TWebBrowser::SetExtentX, &TWebBrowser::ExtentX),
            IntegerProperty("ExtentY", &TWebBrowser::SetExtentY, &TWebBrowser::ExtentY),
        }};
    return info;
}

void TWebBrowser::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(WS_TABSTOP);
}

void TWebBrowser::CreateWnd() {
    TWinControl::CreateWnd();
    try {
        CreateControl();
    } catch (...) {
        // Without the control the view stays empty; Navigate reports the error.
        ReportCurrentException("web browser control creation");
        DestroyControl();
    }
}

void TWebBrowser::CreateControl() {
    HRESULT hr = CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  oleObject_.put_void());
    if (FAILED(hr))
        throw rtl::Exception("the web browser control cannot be created: error " + HResultText(hr));
    site_ = new BrowserSite(handle_);
    oleObject_->SetClientSite(site_);
    if (auto persist = oleObject_.As<IPersistStreamInit>(IID_IPersistStreamInit)) persist->InitNew();
    SIZEL extent{extentX_, extentY_};
    oleObject_->SetExtent(DVASPECT_CONTENT, &extent);
    RECT rect{0, 0, width_, height_};
    oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, handle_, &rect);
    browser_ = oleObject_.As<IWebBrowser2>(IID_IWebBrowser2);
}

void TWebBrowser::DestroyControl() {
    browser_.reset();
    if (oleObject_) {
        oleObject_->Close(OLECLOSE_NOSAVE);
        oleObject_->SetClientSite(nullptr);
        oleObject_.reset();
    }
    if (site_) {
        site_->Release();
        site_ = nullptr;
    }
}

void TWebBrowser::Navigate(const std::string& url) {
    const std::wstring wide = Wide(url);
    HRESULT hr = E_NOINTERFACE;
    if (NavigateOverride) {
        hr = NavigateOverride(wide);
    } else if (browser_) {
        const UniqueBstr address(wide);
        VARIANT empty;
        VariantInit(&empty);
        hr = browser_->Navigate(address.get(), &empty, &empty, &empty, &empty);
    }
    if (FAILED(hr)) throw rtl::Exception("Cannot open the page " + url + ": error " + HResultText(hr));
}

void TWebBrowser::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_SIZE:
        if (auto inPlace = oleObject_.As<IOleInPlaceObject>(IID_IOleInPlaceObject)) {
            RECT rect{0, 0, LOWORD(message.LParam), HIWORD(message.LParam)};
            inPlace->SetObjectRects(&rect, &rect);
        }
        break;
    case WM_DESTROY:
        DestroyControl();
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

} // namespace gui
