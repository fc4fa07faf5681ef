// Forms: top-level windows read from their stored form data.
#pragma once

#include "framework/gui/control.h"
#include "framework/gui/dpi.h"
#include "framework/gui/menus.h"

#include <map>
#include <string>

namespace gui {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : std::uint32_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
constexpr int mrNone = 0;
constexpr int mrOk = IDOK;
constexpr int mrCancel = IDCANCEL;

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
// fsMDIForm: a frame whose client area is an MDI client window; fsMDIChild: a document window inside the
// MDI client of its frame (its owner when that is an MDI frame, else the program's first MDI frame).
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};

// What every form is: a top-level window read from stored data, with its frame, menu and position.
class TCustomForm : public TWinControl {
  public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void AddStoredChild(TComponent* child) override;
    rtl::TNotifyEvent FindNotifyMethod(const std::string& name) override;

    // Reads the stored form data (the resource named after the class), creates the window and runs OnCreate.
    void Load();
    // Reads form data given as text instead of the resource (tests, tools).
    void LoadFromText(std::string_view text);
    // The stored component of that name and class; raises an error naming the form's class when the stored
    // data lacks it.
    template <class T> T* StoredComponent(const std::string& name) const {
        auto* component = dynamic_cast<T*>(FindComponent(name));
        if (!component) MissingStoredComponent(name);
        return component;
    }

    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    RECT ClientRect() const override;
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
    std::uint32_t BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(std::uint32_t icons) { borderIcons_ = icons; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // The window's icon, sent with WM_SETICON (both sizes) so that WM_GETICON answers it. Not owned: by
    // default the program's own icon resource.
    HICON Icon() const { return icon_; }
    void SetIcon(HICON icon);
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool autoScroll) { autoScroll_ = autoScroll; }
    // Normal, minimized or maximized: read from the window once it exists.
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style) { formStyle_ = style; }

    // The dots per inch the form's lengths (its own, its controls', their fonts') are given at: 96 as stored
    // unless the data says otherwise, the window's DPI once the form has scaled itself.
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int dpi);
    // A scaled form takes the DPI it is shown at (when its window is made, and on WM_DPICHANGED); an
    // unscaled one keeps its lengths as they are.
    bool Scaled() const { return scaled_; }
    void SetScaled(bool scaled) { scaled_ = scaled; }
    int CurrentDpi() const override { return pixelsPerInch_; }
    // Scales the form's lengths from PixelsPerInch to dpi (nothing when the form is not Scaled).
    void ScaleToDpi(int dpi);
    void ChangeScale(int multiplier, int divider) override;

    // MDI frames: the MDI client window (null for other forms), the children it holds (framework forms
    // only, in the client's window order: the active one first) and their arrangement.
    HWND ClientHandle() const { return clientHandle_; }
    TCustomForm* ActiveMDIChild() const;
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int index) const;
    void Cascade();
    void Tile();
    void ArrangeIcons();
    // The item whose sub-menu lists the children (the system appends one entry per child); not owned.
    TMenuItem* WindowMenu() const { return windowMenu_; }
    void SetWindowMenu(TMenuItem* item);
    // Hands the frame menu and the window menu to the MDI client again and redraws the bar.
    void RefreshMDIMenu();

    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    // An MDI child's caption is also its entry in the frame's window menu.
    void SetText(const std::string& text) override;
    void Show();
    void Hide() { SetVisible(false); }
    void Close();
    // Shows the form with the program's other windows disabled and returns its ModalResult once set.
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    rtl::TNotifyEvent OnCreate;

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, rtl::TOperation operation) override;

  protected:
    // Published methods that stored data binds events to.
    void PublishMethod(const std::string& name, rtl::TNotifyEvent method) {
        methods_[name] = std::move(method);
    }
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    HWND CreateWindowHandle(const TCreateParams& params) override;
    void DefaultHandler(TMessage& message) override;
    virtual void DoCreate();

  private:
    [[noreturn]] void MissingStoredComponent(const std::string& name) const;
    void ApplyClientSize();
    void ApplyPosition();
    // A form scaled up from its design stays within the work area of its monitor.
    void KeepOnMonitor();
    // The new DPI in wParam, the rectangle the system suggests for it in lParam.
    void WmDpiChanged(TMessage& message);
    void FocusFirstControl();
    void WmActivate(TMessage& message);
    void WmClose(TMessage& message);
    // An MDI child's menu joins its frame's while the child is active (WM_MDIACTIVATE), and leaves it when
    // the child is deactivated or destroyed.
    void MergeMenuIntoFrame(TMessage& message);
    void WmCommand(TMessage& message);
    void WmDrawItem(TMessage& message);
    void WmEraseBackground(TMessage& message);
    void WmMeasureItem(TMessage& message);
    void WmPaint(TMessage& message);
    void WmSysChar(TMessage& message);
    void CmMenuChanged(TMessage& message);
    void WmWindowPosChanged(TMessage& message);
    void CreateMdiClient();
    // An MDI frame's client window takes what the aligned bars leave of the frame's client area.
    void AlignClientArea(const RECT& area) override;
    TCustomForm* MdiFrame() const;
    HMENU WindowMenuHandle() const;

    int clientWidth_ = 0;
    int clientHeight_ = 0;
    bool clientSizeStored_ = false;
    TFormBorderStyle borderStyle_ = bsSizeable;
    std::uint32_t borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    bool positioned_ = false;
    int pixelsPerInch_ = kDesignDpi;
    bool scaled_ = true;
    bool rescaled_ = false; // the lengths were scaled from the stored ones
    bool modal_ = false;
    int modalResult_ = 0;
    TMainMenu* menu_ = nullptr;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    bool autoScroll_ = true;
    TWindowState windowState_ = wsNormal;
    TFormStyle formStyle_ = fsNormal;
    HWND clientHandle_ = nullptr;     // MDI frames: the MDI client, destroyed with the frame
    HWND mdiClientOfChild_ = nullptr; // MDI children: the client they were created in
    TMenuItem* windowMenu_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::map<std::string, rtl::TNotifyEvent> methods_;
};

// Told of a top-level form's window just before it is shown from hidden in its normal state: whatever
// changes the window's frame (a skin) can do it while the window is not yet on the screen. One observer
// for the process; nullptr removes it.
using FormShowingObserver = void (*)(HWND window);
void SetFormShowingObserver(FormShowingObserver observer) noexcept;
FormShowingObserver CurrentFormShowingObserver() noexcept;

// The form class that programs derive their forms from.
class TForm : public TCustomForm {
  public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

} // namespace gui
