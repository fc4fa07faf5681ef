#include "framework/gui/form.h"

#include "framework/gui/application.h"
#include "framework/gui/diagnostics.h"
#include "framework/gui/messages.h"
#include "framework/gui/resources.h"
#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/form_reader.h"
#include "framework/rtl/property_builders.h"

#include <algorithm>

namespace gui {
namespace {

// Command identifiers of the window menu's child entries: above the framework's menu commands in use.
constexpr UINT kFirstMdiChildCommand = 0xFF00;

FormShowingObserver g_formShowingObserver = nullptr;

} // namespace

void SetFormShowingObserver(FormShowingObserver observer) noexcept {
    g_formShowingObserver = observer;
}

FormShowingObserver CurrentFormShowingObserver() noexcept {
    return g_formShowingObserver;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    visible_ = false;
    color_ = rtl::clBtnFace;
    parentColor_ = false;
    parentFont_ = false;
}

TCustomForm::~TCustomForm() {
    if (Application) Application->RemoveForm(this);
    if (menu_) {
        // Destroying a window destroys the menu on it; this one belongs to the main menu.
        if (handle_ && menu_->HandleAllocated() && GetMenu(handle_) == menu_->Handle())
            ::SetMenu(handle_, nullptr);
        menu_->WindowHandle = nullptr;
    }
    // The MDI client keeps its own list of children (the window menu's entries): it destroys the child.
    if (handle_ && formStyle_ == fsMDIChild && mdiClientOfChild_ && IsWindow(mdiClientOfChild_)) {
        SendMessageW(mdiClientOfChild_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(handle_), 0);
    }
    DestroyHandle();
}

const rtl::TClassInfo& TCustomForm::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TCustomForm",
        &TWinControl::StaticClassInfo(),
        {
            IntegerProperty("ClientWidth", &TCustomForm::SetClientWidth, &TCustomForm::ClientWidth),
            IntegerProperty("ClientHeight", &TCustomForm::SetClientHeight, &TCustomForm::ClientHeight),
            EnumProperty("BorderStyle",
                         {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
                         &TCustomForm::SetBorderStyle, &TCustomForm::BorderStyle),
            SetProperty("BorderIcons", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"},
                        &TCustomForm::SetBorderIcons),
            EnumProperty("Position",
                         {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                          "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
                         &TCustomForm::SetPosition, &TCustomForm::Position),
            ComponentProperty("Menu", &TCustomForm::SetMenu),
            BooleanProperty("AutoScroll", &TCustomForm::SetAutoScroll, &TCustomForm::AutoScroll),
            EnumProperty("WindowState", {"wsNormal", "wsMinimized", "wsMaximized"},
                         &TCustomForm::SetWindowState, &TCustomForm::WindowState),
            EnumProperty("FormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"},
                         &TCustomForm::SetFormStyle, &TCustomForm::FormStyle),
            ComponentProperty("WindowMenu", &TCustomForm::SetWindowMenu),
            IntegerProperty("PixelsPerInch", &TCustomForm::SetPixelsPerInch, &TCustomForm::PixelsPerInch),
            BooleanProperty("Scaled", &TCustomForm::SetScaled, &TCustomForm::Scaled),
            EventProperty("OnCreate", &TCustomForm::OnCreate),
        }};
    return info;
}

void TCustomForm::AddStoredChild(TComponent* child) {
    if (auto* control = dynamic_cast<TControl*>(child)) control->SetParent(this);
    // Other components (timers, menus, the skin data) are only owned by the form.
}

const rtl::TClassInfo& TForm::StaticClassInfo() {
    static const rtl::TClassInfo info{"TForm", &TCustomForm::StaticClassInfo(), {}};
    return info;
}

rtl::TNotifyEvent TCustomForm::FindNotifyMethod(const std::string& name) {
    const auto found = methods_.find(name);
    return found == methods_.end() ? rtl::TNotifyEvent{} : found->second;
}

void TCustomForm::MissingStoredComponent(const std::string& name) const {
    throw rtl::Exception("the stored form data of " + ClassName() + " lacks '" + name + "'");
}

void TCustomForm::Load() {
    LoadFromText(LoadFormResource(ClassName()));
}

void TCustomForm::LoadFromText(std::string_view text) {
    rtl::ReadRootComponent(*this, rtl::ParseFormData(text, ClassName()), ClassName());
    HandleNeeded();
    DoCreate();
}

void TCustomForm::DoCreate() {
    if (!OnCreate) return;
    try {
        OnCreate(this);
    } catch (...) {
        // The form exists all the same; the error is shown and start-up goes on.
        ReportCurrentException("OnCreate");
        if (Application) Application->HandleException(this);
    }
}

void TCustomForm::SetClientWidth(int width) {
    clientWidth_ = width;
    clientSizeStored_ = true;
    ApplyClientSize();
}

void TCustomForm::SetClientHeight(int height) {
    clientHeight_ = height;
    clientSizeStored_ = true;
    ApplyClientSize();
}

RECT TCustomForm::ClientRect() const {
    RECT rect{0, 0, clientWidth_, clientHeight_};
    if (handle_) GetClientRect(handle_, &rect);
    return rect;
}

void TCustomForm::SetPixelsPerInch(int dpi) {
    if (dpi <= 0) throw rtl::Exception("PixelsPerInch must be a positive number, not " + std::to_string(dpi));
    pixelsPerInch_ = dpi;
}

void TCustomForm::ScaleToDpi(int dpi) {
    if (!scaled_ || dpi <= 0 || dpi == pixelsPerInch_) return;
    ChangeScale(dpi, pixelsPerInch_);
    if (handle_) ApplyClientSize();
}

void TCustomForm::ChangeScale(int multiplier, int divider) {
    // The controls lay themselves out at the new DPI: it is the form's from now on.
    pixelsPerInch_ = MulDiv(pixelsPerInch_, multiplier, divider);
    rescaled_ = true;
    ChangeChildrenScale(multiplier, divider);
    clientWidth_ = MulDiv(clientWidth_, multiplier, divider);
    clientHeight_ = MulDiv(clientHeight_, multiplier, divider);
    if (!handle_) {
        // The window, once made, takes these; a window that exists is sized by whoever changed the DPI.
        const int left = MulDiv(left_, multiplier, divider);
        const int top = MulDiv(top_, multiplier, divider);
        width_ = MulDiv(left_ + width_, multiplier, divider) - left;
        height_ = MulDiv(top_ + height_, multiplier, divider) - top;
        left_ = left;
        top_ = top;
    }
    ChangeFontScale(multiplier, divider);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu_) menu_->WindowHandle = nullptr;
    menu_ = menu;
    if (handle_ && formStyle_ != fsMDIChild) {
        ::SetMenu(handle_, menu_ ? menu_->Handle() : nullptr);
        if (menu_) menu_->WindowHandle = handle_;
        ApplyClientSize();
    }
}

void TCustomForm::SetIcon(HICON icon) {
    icon_ = icon;
    // The small icon is the same resource at the small size, when the icon came from our resources.
    smallIcon_ = icon;
    if (icon && icon == LoadIconW(GetModuleHandleW(nullptr), L"MAINICON")) {
        smallIcon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), LR_SHARED));
        if (!smallIcon_) smallIcon_ = icon;
    }
    if (handle_) {
        SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    }
}

TWindowState TCustomForm::WindowState() const {
    if (!handle_) return windowState_;
    if (IsIconic(handle_)) return wsMinimized;
    if (IsZoomed(handle_)) return wsMaximized;
    return wsNormal;
}

void TCustomForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (!handle_ || !IsWindowVisible(handle_)) return;
    ShowWindow(handle_, state == wsMinimized ? SW_MINIMIZE : state == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void TCustomForm::Notification(TComponent* component, rtl::TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == rtl::TOperation::opRemove && component == windowMenu_) windowMenu_ = nullptr;
    if (operation == rtl::TOperation::opRemove && component == menu_) {
        if (handle_) ::SetMenu(handle_, nullptr);
        menu_ = nullptr;
    }
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ExStyle = 0;
    switch (borderStyle_) {
    case bsNone:
        params.Style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        params.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) params.ExStyle |= WS_EX_TOOLWINDOW;
    if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) {
        params.Style |= WS_SYSMENU;
        if (borderStyle_ != bsDialog && borderStyle_ != bsToolWindow && borderStyle_ != bsSizeToolWin) {
            if (borderIcons_ & biMinimize) params.Style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize) params.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) params.ExStyle |= WS_EX_WINDOWEDGE;
    if (formStyle_ == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
    // Top-level windows belong to the hidden application window; the main form keeps its own taskbar button.
    params.WndParent = Application ? Application->Handle() : nullptr;
    if (Application && (Application->MainForm() == this || !Application->MainForm())) {
        params.ExStyle |= WS_EX_APPWINDOW;
    }
    // The window is shown later (Show or the application's Run), never while it is created.
    params.Style &= ~static_cast<DWORD>(WS_VISIBLE);
    if (formStyle_ == fsMDIChild) {
        // A document window of its frame's MDI client, with the full set of caption buttons.
        params.Style = (params.Style & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD | WS_CAPTION |
                       WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        params.ExStyle =
            (params.ExStyle & ~static_cast<DWORD>(WS_EX_APPWINDOW | WS_EX_TOPMOST)) | WS_EX_MDICHILD;
        const TCustomForm* frame = MdiFrame();
        if (!frame || !frame->ClientHandle()) {
            throw rtl::Exception("the MDI child " + ClassName() + " has no MDI frame to live in");
        }
        params.WndParent = frame->ClientHandle();
        if (position_ == poDefault || position_ == poDefaultPosOnly) params.X = params.Y = CW_USEDEFAULT;
    }
}

TCustomForm* TCustomForm::MdiFrame() const {
    if (auto* owner = dynamic_cast<TCustomForm*>(Owner()); owner && owner->FormStyle() == fsMDIForm)
        return owner;
    for (TForm* form : Application ? Application->Forms() : std::vector<TForm*>{}) {
        if (form->FormStyle() == fsMDIForm && form->HandleAllocated()) return form;
    }
    return nullptr;
}

HWND TCustomForm::CreateWindowHandle(const TCreateParams& params) {
    if (formStyle_ != fsMDIChild) return TWinControl::CreateWindowHandle(params);
    // Created by the MDI client, which lists the child in the window menu and activates it.
    mdiClientOfChild_ = params.WndParent;
    const std::wstring title = Wide(text_);
    MDICREATESTRUCTW create{};
    create.szClass = params.ClassName.c_str();
    create.szTitle = title.c_str();
    create.hOwner = GetModuleHandleW(nullptr);
    create.x = params.X;
    create.y = params.Y;
    create.cx = params.Width;
    create.cy = params.Height;
    create.style = params.Style;
    auto* window = reinterpret_cast<HWND>(
        SendMessageW(mdiClientOfChild_, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (!window) mdiClientOfChild_ = nullptr;
    return window;
}

void TCustomForm::DefaultHandler(TMessage& message) {
    if (handle_ && formStyle_ == fsMDIForm && clientHandle_) {
        message.Result = DefFrameProcW(handle_, clientHandle_, message.Msg, message.WParam, message.LParam);
        return;
    }
    if (handle_ && formStyle_ == fsMDIChild && mdiClientOfChild_) {
        message.Result = DefMDIChildProcW(handle_, message.Msg, message.WParam, message.LParam);
        return;
    }
    TWinControl::DefaultHandler(message);
}

void TCustomForm::CreateMdiClient() {
    CLIENTCREATESTRUCT create{};
    create.hWindowMenu = WindowMenuHandle();
    create.idFirstChild = kFirstMdiChildCommand;
    RECT client{};
    GetClientRect(handle_, &client);
    clientHandle_ =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"MDIClient", nullptr,
                        WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0, client.right,
                        client.bottom, handle_, nullptr, GetModuleHandleW(nullptr), &create);
    if (!clientHandle_) {
        throw rtl::Exception("cannot create the MDI client of " + ClassName() + ": error " +
                             std::to_string(GetLastError()));
    }
}

void TCustomForm::AlignClientArea(const RECT& area) {
    if (!clientHandle_) return;
    MoveWindow(clientHandle_, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

HMENU TCustomForm::WindowMenuHandle() const {
    if (!windowMenu_ || !menu_) return nullptr;
    (void)menu_->Handle(); // the items' sub-menus exist once the menu's handle does
    return windowMenu_->Handle();
}

void TCustomForm::SetWindowMenu(TMenuItem* item) {
    windowMenu_ = item;
    RefreshMDIMenu();
}

void TCustomForm::RefreshMDIMenu() {
    if (!clientHandle_ || !handle_) return;
    SendMessageW(clientHandle_, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu_ ? menu_->Handle() : nullptr),
                 reinterpret_cast<LPARAM>(WindowMenuHandle()));
    SendMessageW(clientHandle_, WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar(handle_);
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (!clientHandle_) return nullptr;
    auto* active = reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(FromHandle(active));
}

int TCustomForm::MDIChildCount() const {
    int count = 0;
    while (MDIChildren(count))
        ++count;
    return count;
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
    if (!clientHandle_ || index < 0) return nullptr;
    for (HWND window = GetWindow(clientHandle_, GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT)) {
        auto* form = dynamic_cast<TCustomForm*>(FromHandle(window));
        if (!form || form->FormStyle() != fsMDIChild) continue;
        if (index-- == 0) return form;
    }
    return nullptr;
}

void TCustomForm::Cascade() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void TCustomForm::ArrangeIcons() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDIICONARRANGE, 0, 0);
}

void TCustomForm::CreateWnd() {
    // Made at the screen's DPI; the monitor the window lands on may have another.
    ScaleToDpi(SystemDpi());
    TWinControl::CreateWnd();
    ScaleToDpi(WindowDpi(handle_));
    // The class icon alone leaves WM_GETICON answering nothing; whoever draws the caption asks for it.
    SetIcon(icon_ ? icon_ : LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"));
    // A document window has no menu bar: its menu shows in its frame's while it is the active one.
    if (menu_ && formStyle_ != fsMDIChild) {
        ::SetMenu(handle_, menu_->Handle());
        menu_->WindowHandle = handle_;
    }
    ApplyClientSize();
    if (formStyle_ == fsMDIForm) {
        CreateMdiClient();
        Realign();
    }
    if (formStyle_ == fsMDIChild) {
        // The frame lists the new child in its window menu now that the child has its caption.
        if (TCustomForm* frame = MdiFrame()) frame->RefreshMDIMenu();
    }
}

void TCustomForm::ApplyClientSize() {
    if (!handle_ || !clientSizeStored_ || HasState(rtl::csLoading)) return;
    // Fit the outer size to the stored client size, then correct for what the frame really took
    // (a menu bar that wraps, a skin frame).
    RECT rect{0, 0, clientWidth_, clientHeight_};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
    // A child window's "menu" is its identifier.
    const bool hasMenu = !(style & WS_CHILD) && GetMenu(handle_) != nullptr;
    AdjustWindowRectEx(&rect, style, hasMenu, static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE)));
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    SetWindowPos(handle_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(handle_, &client);
    width += clientWidth_ - client.right;
    height += clientHeight_ - client.bottom;
    SetWindowPos(handle_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    width_ = width;
    height_ = height;
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, height);
    if (handle_) {
        RECT client{};
        GetClientRect(handle_, &client);
        clientWidth_ = client.right;
        clientHeight_ = client.bottom;
    }
}

void TCustomForm::ApplyPosition() {
    if (positioned_) return;
    positioned_ = true;
    TForm* centreOver = nullptr;
    if (position_ == poMainFormCenter && Application) centreOver = Application->MainForm();
    if (position_ == poScreenCenter || position_ == poDesktopCenter) {
        SetBounds((GetSystemMetrics(SM_CXSCREEN) - width_) / 2, (GetSystemMetrics(SM_CYSCREEN) - height_) / 2,
                  width_, height_);
    } else if (centreOver && centreOver != this && centreOver->HandleAllocated()) {
        SetBounds(centreOver->Left() + (centreOver->Width() - width_) / 2,
                  centreOver->Top() + (centreOver->Height() - height_) / 2, width_, height_);
    }
    // Centring the main form over itself keeps its stored position.
    if (rescaled_ && formStyle_ != fsMDIChild) KeepOnMonitor();
}

void TCustomForm::KeepOnMonitor() {
    const RECT bounds = BoundsRect();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& area = monitor.rcWork;
    const int left = std::max<int>(std::min<int>(left_, area.right - width_), area.left);
    const int top = std::max<int>(std::min<int>(top_, area.bottom - height_), area.top);
    if (left != left_ || top != top_) SetBounds(left, top, width_, height_);
}

void TCustomForm::SetVisible(bool visible) {
    visible_ = visible;
    if (!handle_) return;
    if (visible) {
        ApplyPosition();
        const bool topLevel = (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) == 0;
        if (g_formShowingObserver && topLevel && windowState_ == wsNormal && !IsWindowVisible(handle_))
            g_formShowingObserver(handle_);
        ShowWindow(handle_, windowState_ == wsMinimized   ? SW_SHOWMINIMIZED
                            : windowState_ == wsMaximized ? SW_SHOWMAXIMIZED
                                                          : SW_SHOW);
    } else {
        windowState_ = WindowState(); // shown again as it was
        ShowWindow(handle_, SW_HIDE);
    }
}

void TCustomForm::SetText(const std::string& text) {
    TWinControl::SetText(text);
    // The client lists its children by their text as it was when it last refreshed the window menu.
    if (handle_ && formStyle_ == fsMDIChild && mdiClientOfChild_) {
        SendMessageW(mdiClientOfChild_, WM_MDIREFRESHMENU, 0, 0);
        if (HWND frame = GetParent(mdiClientOfChild_)) DrawMenuBar(frame);
    }
}

void TCustomForm::Show() {
    SetVisible(true);
    if (formStyle_ == fsMDIChild && mdiClientOfChild_) {
        SendMessageW(mdiClientOfChild_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(handle_), 0);
        return;
    }
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    BringWindowToTop(handle_);
}

void TCustomForm::Close() {
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

int TCustomForm::ShowModal() {
    HWND active = GetActiveWindow();
    std::vector<HWND> disabled;
    for (TForm* form : Application ? Application->Forms() : std::vector<TForm*>{}) {
        if (form != this && form->HandleAllocated() && IsWindowEnabled(form->Handle())) {
            disabled.push_back(form->Handle());
            EnableWindow(form->Handle(), FALSE);
        }
    }
    modal_ = true;
    modalResult_ = mrNone;
    Show();
    SetActiveWindow(handle_);
    MSG msg{};
    while (modalResult_ == mrNone) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam)); // leave the quit for the main loop
            modalResult_ = mrCancel;
            break;
        }
        if (Application && Application->IsDialogChar(msg)) continue;
        if (!IsDialogMessageW(handle_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    for (HWND window : disabled) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    Hide();
    modal_ = false;
    if (active && IsWindow(active)) SetActiveWindow(active);
    return modalResult_;
}

void TCustomForm::FocusFirstControl() {
    std::vector<TWinControl*> candidates;
    for (TControl* control : controls_) {
        auto* windowed = dynamic_cast<TWinControl*>(control);
        if (windowed && windowed->TabStop() && windowed->Visible() && windowed->Enabled())
            candidates.push_back(windowed);
    }
    if (candidates.empty()) return;
    const auto first = std::min_element(candidates.begin(), candidates.end(),
                                        [](auto* a, auto* b) { return a->TabOrder() < b->TabOrder(); });
    (*first)->SetFocus();
}

void TCustomForm::WndProc(TMessage& message) {
    if (PaintDoubleBuffered(message)) return;
    switch (message.Msg) {
    case WM_ACTIVATE:
        return WmActivate(message);
    case WM_CLOSE:
        return WmClose(message);
    case WM_DPICHANGED:
        return WmDpiChanged(message);
    case WM_COMMAND:
        return WmCommand(message);
    case WM_DRAWITEM:
        return WmDrawItem(message);
    case WM_ERASEBKGND:
        return WmEraseBackground(message);
    case WM_MEASUREITEM:
        return WmMeasureItem(message);
    case WM_PAINT:
        return WmPaint(message);
    case WM_SYSCHAR:
        return WmSysChar(message);
    case WM_WINDOWPOSCHANGED:
        return WmWindowPosChanged(message);
    case CM_MENUCHANGED:
        return CmMenuChanged(message);
    case WM_MDIACTIVATE:
    case WM_DESTROY:
        return MergeMenuIntoFrame(message);
    default:
        return TWinControl::WndProc(message);
    }
}

void TCustomForm::MergeMenuIntoFrame(TMessage& message) {
    TCustomForm* frame = formStyle_ == fsMDIChild && menu_ ? MdiFrame() : nullptr;
    if (frame && frame->Menu()) {
        const bool activated =
            message.Msg == WM_MDIACTIVATE && reinterpret_cast<HWND>(message.LParam) == handle_;
        if (activated) {
            frame->Menu()->Merge(menu_);
        } else if (message.Msg == WM_DESTROY || reinterpret_cast<HWND>(message.WParam) == handle_) {
            frame->Menu()->Unmerge(menu_);
        }
    }
    TWinControl::WndProc(message);
}

void TCustomForm::WmActivate(TMessage& message) {
    DefaultHandler(message);
    if (LOWORD(message.WParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(handle_, focus)) lastFocus_ = focus;
        return;
    }
    if (HIWORD(message.WParam) != 0) return; // minimized
    if (lastFocus_ && IsWindow(lastFocus_) && IsChild(handle_, lastFocus_)) {
        ::SetFocus(lastFocus_);
    } else {
        FocusFirstControl();
    }
}

void TCustomForm::WmClose(TMessage&) {
    // Closing a modal form answers Cancel; closing the main form ends the program; any other form only hides.
    if (modal_) {
        modalResult_ = mrCancel;
    } else if (formStyle_ == fsMDIChild && mdiClientOfChild_) {
        // A document window goes for good; the form object stays, without a window.
        SendMessageW(mdiClientOfChild_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(handle_), 0);
    } else if (Application && Application->MainForm() == this) {
        Application->Terminate();
    } else {
        Hide();
    }
}

void TCustomForm::WmDpiChanged(TMessage& message) {
    if (!scaled_) return DefaultHandler(message);
    if (const int dpi = HIWORD(message.WParam); dpi > 0 && dpi != pixelsPerInch_) {
        ChangeScale(dpi, pixelsPerInch_);
    }
    if (const auto* suggested = reinterpret_cast<const RECT*>(message.LParam)) {
        SetBounds(suggested->left, suggested->top, suggested->right - suggested->left,
                  suggested->bottom - suggested->top);
    }
    RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    message.Result = 0;
}

void TCustomForm::WmCommand(TMessage& message) {
    // Escape in a modal form, as in a dialog.
    if (modal_ && message.LParam == 0 && LOWORD(message.WParam) == IDCANCEL) {
        modalResult_ = mrCancel;
        return;
    }
    if (message.LParam == 0 && HIWORD(message.WParam) == 0 && menu_ &&
        menu_->DispatchCommand(LOWORD(message.WParam))) {
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomForm::WmDrawItem(TMessage& message) {
    // Items of the main menu; owner-drawn controls are answered by the default handling.
    if (message.WParam == 0 && DrawMenuItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam))) {
        message.Result = TRUE;
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomForm::WmMeasureItem(TMessage& message) {
    if (message.WParam == 0 && MeasureMenuItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam))) {
        message.Result = TRUE;
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomForm::WmSysChar(TMessage& message) {
    // Alt+letter: the form's message method may take it (a menu bar drawn by someone else); a non-zero
    // answer consumes the key and the system's own menu-bar keyboard handling does not start.
    if (Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0) {
        message.Result = 0;
        return;
    }
    DefaultHandler(message);
}

void TCustomForm::CmMenuChanged(TMessage& message) {
    // The main menu sends this before touching its handle (see TMainMenu); reaching the form's own method
    // is what rebuilds it and puts it on the window.
    if (menu_ && menu_->WindowHandle == handle_) menu_->RebuildWindowMenu();
    RefreshMDIMenu(); // the window menu's sub-menu handle is a new one
    message.Result = 0;
}

void TCustomForm::WmEraseBackground(TMessage& message) {
    RECT rect{};
    GetClientRect(handle_, &rect);
    FillColour(reinterpret_cast<HDC>(message.WParam), rect, Color());
    message.Result = 1;
}

void TCustomForm::WmPaint(TMessage& message) {
    if (message.WParam != 0) {
        PaintControls(reinterpret_cast<HDC>(message.WParam));
        return;
    }
    const PaintDc paint(handle_);
    PaintControls(paint.get());
}

void TCustomForm::WmWindowPosChanged(TMessage& message) {
    DefaultHandler(message);
    RECT rect{};
    GetWindowRect(handle_, &rect);
    left_ = rect.left;
    top_ = rect.top;
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
}

} // namespace gui
