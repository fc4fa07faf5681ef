// The system's embeddable web browser control, hosted in place as an OLE control.
#pragma once

#include "framework/gui/com_ptr.h"
#include "framework/gui/control.h"

#include <exdisp.h>
#include <ole2.h>

#include <functional>
#include <memory>
#include <string>

namespace gui {

class BrowserSite;

class TWebBrowser : public TWinControl {
  public:
    explicit TWebBrowser(TComponent* owner);
    ~TWebBrowser() override;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The control's persisted extent, in hundredths of a millimetre.
    int ExtentX() const { return extentX_; }
    void SetExtentX(int extent) { extentX_ = extent; }
    int ExtentY() const { return extentY_; }
    void SetExtentY(int extent) { extentY_ = extent; }

    // Starts loading the page and returns at once; a failure result raises an exception.
    void Navigate(const std::string& url);
    IWebBrowser2* Browser() const { return browser_.get(); }

    // Replaces the call to the control's Navigate (tests record the address here).
    static std::function<HRESULT(const std::wstring& url)> NavigateOverride;

    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

  private:
    void CreateControl();
    void DestroyControl();

    int extentX_ = 13229;
    int extentY_ = 13229;
    ComPtr<IOleObject> oleObject_;
    ComPtr<IWebBrowser2> browser_;
    BrowserSite* site_ = nullptr; // reference-counted COM object; released in DestroyControl
};

} // namespace gui
