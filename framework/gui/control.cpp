#include "framework/gui/control.h"

#include "framework/gui/application.h"
#include "framework/gui/diagnostics.h"
#include "framework/gui/dpi.h"
#include "framework/gui/offscreen_buffer.h"
#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/property_builders.h"

#include <windowsx.h>

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace gui {
namespace {

// The framework control of each window. Not a window property: some systems read properties by a round
// trip to the window server, and the control is looked up on every message.
class ControlTable {
  public:
    TWinControl* Find(HWND window) {
        const std::lock_guard lock(mutex_);
        const auto found = controls_.find(window);
        return found == controls_.end() ? nullptr : found->second;
    }
    void Bind(HWND window, TWinControl* control) {
        const std::lock_guard lock(mutex_);
        controls_[window] = control;
    }
    void Unbind(HWND window) {
        const std::lock_guard lock(mutex_);
        controls_.erase(window);
    }

  private:
    std::mutex mutex_; // a control may be looked up from another thread (tests, automation)
    std::unordered_map<HWND, TWinControl*> controls_;
};

ControlTable& ControlsByWindow() {
    static ControlTable table;
    return table;
}

// The control whose framework-class window is being created: its first messages arrive before
// CreateWindowEx returns, so the window procedure binds the window to it on the first message.
thread_local TWinControl* g_creatingControl = nullptr;

void RegisterFrameworkClass(const std::wstring& className) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className.c_str(), &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TWinControl::StandardWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    wc.lpszClassName = className.c_str();
    if (!RegisterClassExW(&wc)) {
        throw rtl::Exception("cannot register the window class " + Narrow(className) + ": error " +
                             std::to_string(GetLastError()));
    }
}

bool IsClientMouseMessage(UINT msg) {
    return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK && msg != WM_MOUSEWHEEL;
}

} // namespace

// ---- TControl ----

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = TWndMethod::Of<&TControl::WndProc>(this);
}

TControl::~TControl() {
    if (parent_) parent_->RemoveControl(this);
    for (TMessageHook* hook : hooks_)
        hook->ControlDestroyed();
}

const rtl::TClassInfo& TControl::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TControl",
        &TComponent::StaticClassInfo(),
        {
            IntegerProperty("Left", &TControl::SetLeft, &TControl::Left),
            IntegerProperty("Top", &TControl::SetTop, &TControl::Top),
            IntegerProperty("Width", &TControl::SetWidth, &TControl::Width),
            IntegerProperty("Height", &TControl::SetHeight, &TControl::Height),
            StringProperty("Caption", &TControl::SetCaption, &TControl::Caption),
            StringProperty("Text", &TControl::SetText, &TControl::GetText),
            BooleanProperty("Visible", &TControl::SetVisible, &TControl::Visible),
            BooleanProperty("Enabled", &TControl::SetEnabled, &TControl::Enabled),
            EnumProperty("Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"},
                         &TControl::SetAlign, &TControl::Align),
            ColourProperty("Color", &TControl::SetColor),
            BooleanProperty("ParentColor", &TControl::SetParentColor, &TControl::ParentColor),
            BooleanProperty("ParentFont", &TControl::SetParentFont, &TControl::ParentFont),
            SubObjectProperty("Font", &TControl::FontForStorage),
            IntegerProperty("Tag", &TControl::SetTagValue, &TControl::TagValue),
            EventProperty("OnClick", &TControl::OnClick),
        }};
    return info;
}

void TWinControl::AddStoredChild(TComponent* child) {
    auto* control = dynamic_cast<TControl*>(child);
    if (!acceptsControls_ || !control) return TControl::AddStoredChild(child);
    control->SetParent(this);
}

void TControl::AddStoredChild(TComponent* child) {
    throw rtl::Exception("'" + child->Name() + "' cannot be placed inside " + ClassName() + " '" + Name() +
                         "'");
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    const bool graphic = dynamic_cast<TWinControl*>(this) == nullptr;
    if (graphic) Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (graphic) Invalidate();
}

void TControl::SetText(const std::string& text) {
    text_ = text;
    Invalidate();
}

void TControl::SetVisible(bool visible) {
    visible_ = visible;
    Invalidate();
}

void TControl::SetAlign(TAlign align) {
    align_ = align;
    if (parent_) parent_->Realign();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED, 0, 0);
    Invalidate();
}

TColor TControl::Color() const {
    return parentColor_ && parent_ ? parent_->Color() : color_;
}

void TControl::SetColor(TColor colour) {
    color_ = colour;
    parentColor_ = false;
    ColorChanged();
}

void TControl::SetParentColor(bool parentColor) {
    if (parentColor == parentColor_) return;
    const TColor shown = Color();
    // Turned off, the control keeps the colour it shows now.
    if (!parentColor) color_ = shown;
    parentColor_ = parentColor;
    if (Color() != shown) ColorChanged(); // the same colour needs no repaint
}

void TControl::SetParentFont(bool parentFont) {
    parentFont_ = parentFont;
    FontChanged();
}

TFont* TControl::FontForStorage() {
    // A font written in stored data belongs to the control itself.
    parentFont_ = false;
    return &font_;
}

TFont* TControl::EffectiveFont() {
    if (parentFont_ && parent_) return parent_->EffectiveFont();
    return &font_;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* windowed = dynamic_cast<TWinControl*>(this);
    TMessage message{msg, wParam, lParam, 0,
                     windowed && windowed->HandleAllocated() ? windowed->handle_ : nullptr};
    const TWndMethod method = WindowProc; // a hook may give the method back while it runs
    method(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message) {
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Invalidate() {
    if (parent_ && parent_->HandleAllocated()) {
        const RECT bounds = BoundsRect();
        InvalidateRect(parent_->Handle(), &bounds, TRUE);
    }
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

int TControl::CurrentDpi() const {
    return parent_ ? parent_->CurrentDpi() : kDesignDpi;
}

int TControl::ScaleValue(int designLength) const {
    return ScaleForDpi(designLength, CurrentDpi());
}

void TControl::ChangeScale(int multiplier, int divider) {
    // Edges are scaled, not extents: controls that met still meet.
    const int left = MulDiv(left_, multiplier, divider);
    const int top = MulDiv(top_, multiplier, divider);
    SetBounds(left, top, MulDiv(left_ + width_, multiplier, divider) - left,
              MulDiv(top_ + height_, multiplier, divider) - top);
    ChangeFontScale(multiplier, divider);
}

void TControl::ChangeFontScale(int multiplier, int divider) {
    font_.SetHeight(MulDiv(font_.Height(), multiplier, divider));
    // A control showing its parent's font gets the new one with its parent's.
    if (!parentFont_) FontChanged();
}

// ---- TWinControl ----

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Children may outlive their parent (the form owns them and frees them after its own window part is
    // gone): they must not reach back into it.
    hotGraphic_ = captureGraphic_ = nullptr;
    for (TControl* child : controls_)
        child->parent_ = nullptr;
    DestroyHandle();
}

const rtl::TClassInfo& TWinControl::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TWinControl",
        &TControl::StaticClassInfo(),
        {
            IntegerProperty("TabOrder", &TWinControl::SetTabOrder, &TWinControl::TabOrder),
            BooleanProperty("TabStop", &TWinControl::SetTabStop, &TWinControl::TabStop),
            BooleanProperty("DoubleBuffered", &TWinControl::SetDoubleBuffered, &TWinControl::DoubleBuffered),
        }};
    return info;
}

HWND TWinControl::Handle() {
    if (!handle_) CreateWnd();
    return handle_;
}

TWinControl* TWinControl::FromHandle(HWND window) {
    return window ? ControlsByWindow().Find(window) : nullptr;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.ClassName = Wide(ClassName());
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (visible_) params.Style |= WS_VISIBLE;
    if (!enabled_) params.Style |= WS_DISABLED;
    if (tabStop_) params.Style |= WS_TABSTOP;
    params.X = left_;
    params.Y = top_;
    params.Width = width_;
    params.Height = height_;
    if (parent_) params.WndParent = parent_->Handle();
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent) {
        throw rtl::Exception("control '" + Name() + "' has no parent window");
    }
    if (!params.SystemClass) RegisterFrameworkClass(params.ClassName);
    g_creatingControl = params.SystemClass ? nullptr : this;
    HWND window = CreateWindowHandle(params);
    g_creatingControl = nullptr;
    if (!window) {
        handle_ = nullptr;
        throw rtl::Exception("cannot create the window of '" + Name() + "' (" + ClassName() + "): error " +
                             std::to_string(GetLastError()));
    }
    if (params.SystemClass) {
        handle_ = window;
        ControlsByWindow().Bind(window, this);
        defWndProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::StandardWndProc)));
    }
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(EffectiveFont()->Handle()), FALSE);
    CreateChildHandles();
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& params) {
    return CreateWindowExW(params.ExStyle, params.ClassName.c_str(), Wide(text_).c_str(), params.Style,
                           params.X, params.Y, params.Width, params.Height, params.WndParent, params.MenuOrId,
                           GetModuleHandleW(nullptr), nullptr);
}

void TWinControl::CreateChildHandles() {
    // Windows are created in tab order, so that the window order is the tab order.
    std::vector<TWinControl*> windowed;
    for (TControl* control : controls_) {
        if (auto* w = dynamic_cast<TWinControl*>(control)) windowed.push_back(w);
    }
    std::stable_sort(windowed.begin(), windowed.end(), [](const TWinControl* a, const TWinControl* b) {
        return a->TabOrder() < b->TabOrder();
    });
    for (TWinControl* child : windowed)
        child->HandleNeeded();
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    HWND window = handle_;
    DestroyWindow(window); // WM_NCDESTROY clears handle_
    ControlsByWindow().Unbind(window);
    handle_ = nullptr;
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && handle_) windowed->HandleNeeded();
    control->Invalidate();
}

TControl* TWinControl::GraphicControlAt(POINT point) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* control = *it;
        if (dynamic_cast<TWinControl*>(control) || !control->Visible() || !control->Enabled()) continue;
        const RECT bounds = control->BoundsRect();
        if (PtInRect(&bounds, point)) return control;
    }
    return nullptr;
}

void TWinControl::RemoveControl(TControl* control) {
    if (hotGraphic_ == control) hotGraphic_ = nullptr;
    if (captureGraphic_ == control) captureGraphic_ = nullptr;
    control->Invalidate();
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) windowed->DestroyHandle();
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    control->parent_ = nullptr;
}

std::string TWinControl::GetText() const {
    if (!handle_) return text_;
    const int length = GetWindowTextLengthW(handle_);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(handle_, buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return Narrow(buffer);
}

void TWinControl::SetText(const std::string& text) {
    text_ = text;
    if (handle_) SetWindowTextW(handle_, Wide(text).c_str());
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::SetVisible(bool visible) {
    const bool changed = visible_ != visible;
    visible_ = visible;
    if (handle_) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
    if (changed && align_ != alNone && parent_) parent_->Realign();
}

void TWinControl::Realign() {
    if (!handle_ || HasState(rtl::csLoading)) return;
    RECT area{};
    GetClientRect(handle_, &area);
    const auto place = [](TControl& control, const RECT& bounds) {
        control.SetBounds(bounds.left, bounds.top, std::max<int>(bounds.right - bounds.left, 0),
                          std::max<int>(bounds.bottom - bounds.top, 0));
    };
    for (const TAlign edge : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* control : controls_) {
            if (control->Align() != edge || !control->Visible()) continue;
            const int h = control->Height(), w = control->Width();
            switch (edge) {
            case alTop:
                place(*control, RECT{area.left, area.top, area.right, area.top + h});
                area.top = std::min<LONG>(area.top + control->Height(), area.bottom);
                break;
            case alBottom:
                place(*control, RECT{area.left, area.bottom - h, area.right, area.bottom});
                area.bottom = std::max<LONG>(area.bottom - control->Height(), area.top);
                break;
            case alLeft:
                place(*control, RECT{area.left, area.top, area.left + w, area.bottom});
                area.left = std::min<LONG>(area.left + control->Width(), area.right);
                break;
            case alRight:
                place(*control, RECT{area.right - w, area.top, area.right, area.bottom});
                area.right = std::max<LONG>(area.right - control->Width(), area.left);
                break;
            default:
                place(*control, area);
                break;
            }
        }
    }
    AlignClientArea(area);
}

void TWinControl::ChangeScale(int multiplier, int divider) {
    ChangeChildrenScale(multiplier, divider);
    TControl::ChangeScale(multiplier, divider);
}

void TWinControl::ChangeChildrenScale(int multiplier, int divider) {
    for (TControl* child : std::vector<TControl*>(controls_))
        child->ChangeScale(multiplier, divider);
}

void TWinControl::SetEnabled(bool enabled) {
    if (handle_) EnableWindow(handle_, enabled);
    TControl::SetEnabled(enabled);
}

void TWinControl::Invalidate() {
    // A hidden window is painted whole when it is shown; asking costs a round trip to the window server.
    if (handle_ && IsWindowVisible(handle_)) InvalidateRect(handle_, nullptr, TRUE);
}

bool TWinControl::Focused() const {
    return handle_ && GetFocus() == handle_;
}

void TWinControl::SetFocus() {
    ::SetFocus(Handle());
}

void TWinControl::FontChanged() {
    if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(EffectiveFont()->Handle()), TRUE);
    for (TControl* child : controls_) {
        if (child->ParentFont()) child->FontChanged();
    }
}

void TWinControl::ColorChanged() {
    Invalidate();
    for (TControl* child : controls_) {
        if (child->ParentColor()) child->ColorChanged();
    }
}

void TWinControl::PaintControls(HDC dc) {
    for (TControl* control : controls_) {
        if (dynamic_cast<TWinControl*>(control) || !control->Visible()) continue;
        const SavedDc saved(dc);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + control->Left(), origin.y + control->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void TWinControl::ReflectToChild(TMessage& message, HWND child) {
    if (TWinControl* control = FromHandle(child); control && control != this) {
        message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    } else {
        DefaultHandler(message);
    }
}

bool TWinControl::PaintDoubleBuffered(TMessage& message) {
    if (!doubleBuffered_ || !handle_) return false;
    if (message.Msg == WM_ERASEBKGND) {
        if (reinterpret_cast<HDC>(message.WParam) == bufferDc_) return false;
        message.Result = 1; // erased off-screen, with the paint
        return true;
    }
    if (message.Msg != WM_PAINT || message.WParam != 0) return false;
    const PaintDc paint(handle_);
    message.Result = 0;
    if (paint.NothingToPaint()) return true;
    RECT client{};
    GetClientRect(handle_, &client);
    const BorrowedBuffer memory(client.right, client.bottom);
    if (!memory) return false;
    HDC buffer = memory.get();
    struct Restore {
        HDC& slot;
        HDC previous;
        ~Restore() { slot = previous; }
    } restore{bufferDc_, std::exchange(bufferDc_, buffer)};
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer), reinterpret_cast<LPARAM>(buffer));
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(buffer), 0);
    BitBlt(paint.get(), 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
    return true;
}

void TWinControl::WmMouseMove(TMessage& message) {
    if (!mouseInside_) {
        // WM_MOUSELEAVE ends the stay; it is asked for once per entry.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
        mouseInside_ = TrackMouseEvent(&track) != FALSE;
        Perform(CM_MOUSEENTER, 0, 0);
    }
    const POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (!captureGraphic_) SetHotGraphic(GraphicControlAt(point));
    if (!RouteMouseToGraphic(message)) DefaultHandler(message);
}

void TWinControl::WmMouseLeave(TMessage& message) {
    mouseInside_ = false;
    if (!captureGraphic_) SetHotGraphic(nullptr);
    Perform(CM_MOUSELEAVE, 0, 0);
    DefaultHandler(message);
}

void TWinControl::SetHotGraphic(TControl* control) {
    if (control == hotGraphic_) return;
    if (TControl* previous = std::exchange(hotGraphic_, control)) previous->Perform(CM_MOUSELEAVE, 0, 0);
    if (control) control->Perform(CM_MOUSEENTER, 0, 0);
}

bool TWinControl::RouteMouseToGraphic(TMessage& message) {
    const POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    TControl* target = captureGraphic_ ? captureGraphic_ : GraphicControlAt(point);
    if (!target) return false;
    const bool press = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK ||
                       message.Msg == WM_RBUTTONDOWN || message.Msg == WM_MBUTTONDOWN;
    const bool release =
        message.Msg == WM_LBUTTONUP || message.Msg == WM_RBUTTONUP || message.Msg == WM_MBUTTONUP;
    if (press && !captureGraphic_) {
        // The pressed control keeps the mouse until the button goes up, wherever the mouse goes meanwhile.
        captureGraphic_ = target;
        SetCapture(handle_);
    }
    message.Result = target->Perform(message.Msg, message.WParam,
                                     MAKELPARAM(point.x - target->Left(), point.y - target->Top()));
    if (release && captureGraphic_) {
        captureGraphic_ = nullptr;
        ReleaseMouseCaptureOf(handle_);
        SetHotGraphic(GraphicControlAt(point));
    }
    return true;
}

void TWinControl::WndProc(TMessage& message) {
    if (PaintDoubleBuffered(message)) return;
    if (IsClientMouseMessage(message.Msg)) {
        if (message.Msg == WM_MOUSEMOVE) return WmMouseMove(message);
        if (RouteMouseToGraphic(message)) return;
    }
    switch (message.Msg) {
    case WM_MOUSELEAVE:
        return WmMouseLeave(message);
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(message.LParam) != handle_) captureGraphic_ = nullptr;
        break;
    case WM_DRAWITEM:
        // Owner-drawn controls draw themselves (menus have no window to reflect to).
        if (const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
            item->CtlType != ODT_MENU) {
            return ReflectToChild(message, item->hwndItem);
        }
        break;
    case WM_COMMAND:
        if (message.LParam != 0) return ReflectToChild(message, reinterpret_cast<HWND>(message.LParam));
        break;
    case WM_NOTIFY:
        return ReflectToChild(message, reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom);
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        if (message.LParam != 0) return ReflectToChild(message, reinterpret_cast<HWND>(message.LParam));
        break;
    case CN_BASE + WM_CTLCOLOREDIT:
    case CN_BASE + WM_CTLCOLORLISTBOX:
    case CN_BASE + WM_CTLCOLORBTN:
    case CN_BASE + WM_CTLCOLORSCROLLBAR:
    case CN_BASE + WM_CTLCOLORSTATIC:
        return CnCtlColor(message);
    case WM_NCDESTROY:
        return WmNcDestroy(message);
    case WM_SIZE:
        DefaultHandler(message);
        return Realign();
    default:
        break;
    }
    TControl::WndProc(message);
}

void TWinControl::CnCtlColor(TMessage& message) {
    // The control's Color and font colour take effect on the system control drawing it.
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    ::SetTextColor(dc, ColorToRGB(EffectiveFont()->Color()));
    const TColor colour = Color();
    ::SetBkColor(dc, ColorToRGB(colour));
    if (rtl::IsSystemColour(colour)) {
        message.Result = reinterpret_cast<LRESULT>(GetSysColorBrush(static_cast<int>(colour & 0xFF)));
        return;
    }
    if (!ctlColorBrush_ || ctlColorBrushColour_ != colour) {
        ctlColorBrush_.reset(CreateSolidBrush(ColorToRGB(colour)));
        ctlColorBrushColour_ = colour;
    }
    message.Result = reinterpret_cast<LRESULT>(ctlColorBrush_.get());
}

void TWinControl::WmNcDestroy(TMessage& message) {
    DefaultHandler(message);
    if (handle_) ControlsByWindow().Unbind(handle_);
    handle_ = nullptr;
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (!handle_) return;
    message.Result = defWndProc_
                         ? CallWindowProcW(defWndProc_, handle_, message.Msg, message.WParam, message.LParam)
                         : DefWindowProcW(handle_, message.Msg, message.WParam, message.LParam);
}

LRESULT CALLBACK TWinControl::StandardWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FromHandle(window);
    if (!control && g_creatingControl) {
        control = g_creatingControl;
        g_creatingControl = nullptr;
        control->handle_ = window;
        control->defWndProc_ = nullptr; // DefWindowProc
        ControlsByWindow().Bind(window, control);
    }
    if (!control) return DefWindowProcW(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0, window};
    // Exceptions never cross the system's window procedure frames: they end in the default display.
    ContainExceptions(
        "control window procedure",
        [&] {
            const TWndMethod method = control->WindowProc;
            method(message);
        },
        [&] {
            if (Application) Application->HandleException(control);
        });
    // The window is gone whoever handled its last message: a new window may get the same handle.
    if (msg == WM_NCDESTROY) ControlsByWindow().Unbind(window);
    return message.Result;
}

// ---- TCustomControl ----

const rtl::TClassInfo& TCustomControl::StaticClassInfo() {
    static const rtl::TClassInfo info{"TCustomControl", &TWinControl::StaticClassInfo(), {}};
    return info;
}

void TCustomControl::WndProc(TMessage& message) {
    if (PaintDoubleBuffered(message)) return;
    switch (message.Msg) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(handle_, &client);
        FillColour(reinterpret_cast<HDC>(message.WParam), client, Color());
        message.Result = 1;
        return;
    }
    case WM_PAINT:
        return WmPaint(message);
    default:
        return TWinControl::WndProc(message);
    }
}

void TCustomControl::WmPaint(TMessage& message) {
    if (message.WParam != 0) {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        Paint(dc);
        PaintControls(dc);
        return;
    }
    const PaintDc paint(handle_);
    if (paint.NothingToPaint()) return;
    Paint(paint.get());
    PaintControls(paint.get());
}

// ---- TGraphicControl ----

TGraphicControl::~TGraphicControl() {
    try {
        Perform(CM_GRAPHICDESTROYING, 0, 0);
    } catch (...) {
        // Nothing may leave a destructor; a hook that fails here has nothing left to do anyway.
        ReportCurrentException("graphic control destructor");
    }
}

const rtl::TClassInfo& TGraphicControl::StaticClassInfo() {
    static const rtl::TClassInfo info{"TGraphicControl", &TControl::StaticClassInfo(), {}};
    return info;
}

void TGraphicControl::WndProc(TMessage& message) {
    if (message.Msg == WM_PAINT && message.WParam != 0) {
        Paint(reinterpret_cast<HDC>(message.WParam));
        return;
    }
    TControl::WndProc(message);
}

} // namespace gui
