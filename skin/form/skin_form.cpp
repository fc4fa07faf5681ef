#include "skin/form/skin_form.h"

#include "framework/gui/menus.h"
#include "framework/gui/wide.h"
#include "framework/rtl/property_builders.h"
#include "skin/component/skin_data.h"
#include "skin/controls/skin_control.h"
#include "skin/diagnostics.h"
#include "skin/form/control_discovery.h"
#include "skin/form/window_dpi.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace skin {
namespace {

constexpr int kHoverIntervalMs = 250;
constexpr int kCaptionTextChars = 1000;
constexpr int kClassNameChars = 100;
constexpr DWORD kCaptionButtonStyles = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
// Message boxes widen to their caption plus this many spaces.
constexpr int kMessageBoxCaptionSlack = 7;

std::string WindowTextOf(HWND window) {
    std::wstring buffer(kCaptionTextChars, L'\0');
    const auto length =
        SendMessageW(window, WM_GETTEXT, kCaptionTextChars, reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
    return gui::Narrow(buffer);
}

std::string ClassNameOf(HWND window) {
    wchar_t name[kClassNameChars + 1] = {};
    const int length = GetClassNameW(window, name, kClassNameChars + 1);
    return gui::Narrow(std::wstring(name, static_cast<std::size_t>(std::max(length, 0))));
}

RECT WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// A frame's thickness from its image strip; a strip without frames counts as one frame.
int FrameThickness(int imageSize, int frameCount) {
    return imageSize / std::max(frameCount, 1);
}

} // namespace

TWinSkinForm::TWinSkinForm(gui::TForm* owner)
    // The manager owns and frees this object; the form is remembered but does not own it, so freeing the
    // form never frees it behind the manager's back.
    : rtl::TComponent(nullptr), Form(owner) {}

TWinSkinForm::~TWinSkinForm() {
    DetachControlObjects();
    FreeCaptionButtons();
    MenuBarObject.reset();
    HoverTimer.reset();
    if (ISkinManager* manager = ActiveSkinManager()) manager->ForgetWindow(Window);
}

const rtl::TClassInfo& TWinSkinForm::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TWinSkinForm",
        &TComponent::StaticClassInfo(),
        {
            IntegerProperty("DisableTag", &TWinSkinForm::SetDisableTag, &TWinSkinForm::DisableTag),
        }};
    return info;
}

bool TWinSkinForm::SkinsFrame() const {
    return SkinData && SkinData->HasSkinControl(xcMainMenu);
}

// ---- attaching ----

TSkinData* TWinSkinForm::SkinSource() const {
    return SkinData ? &SkinData->Source() : nullptr;
}

TSkinData& TWinSkinForm::SkinForWindowDpi(TSkinData& skinData) {
    dpi_ = SkinDpiOf(Window);
    return skinData.ForDpi(dpi_);
}

int TWinSkinForm::MenuRowHeightAtDpi() const {
    return SystemLengthAt(GetSystemMetrics(SM_CYMENU), dpi_);
}

void TWinSkinForm::AttachForm(TSkinData& skinSource, gui::TForm& form) {
    Form = &form;
    TSkinData& skinData = SkinForWindowDpi(skinSource);
    form.SetAutoScroll(false);
    if (skinData.HasSkinControl(xcMainMenu)) {
        SavedFormWindowProc.Install(form, gui::TWndMethod::Of<&TWinSkinForm::FormMessageHook>(this));
    }
    AttachWindow(skinData);
    SavedFormColour = form.Color();
    form.SetColor(skinData.ButtonFaceColour);
    SetPopupMenusOwnerDraw(form, skinData, true);
}

void TWinSkinForm::AttachWindow(TSkinData& skinSource) {
    if (PrevWndProc.Installed()) return;
    TSkinData& skinData = SkinForWindowDpi(skinSource);
    SkinData = &skinData;
    HoverTimer = std::make_unique<gui::TTimer>(nullptr);
    HoverTimer->SetEnabled(false);
    HoverTimer->SetInterval(kHoverIntervalMs);
    HoverTimer->SetOnTimer([this](rtl::TObject*) { OnHoverTimer(); });

    painter_.ReadCaptionFont();

    Style = static_cast<DWORD>(GetWindowLongPtrW(Window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(Window, GWL_EXSTYLE));
    // Laid out or read right to left: the caption text goes to the right, the menu bar runs from the right.
    RightToLeft = (exStyle & (WS_EX_LEFTSCROLLBAR | WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0;
    systemMenu_.ReadWindowMenu();
    painter_.LoadWindowIcon();
    painter_.SetCaptionText(WindowTextOf(Window));
    WindowClassName = ClassNameOf(Window);

    GetClientRect(Window, &ClientRect);
    const RECT outer = WindowRectOf(Window);
    UnskinnedFrameSize = RECT{0, 0, (outer.right - outer.left) - ClientRect.right,
                              (outer.bottom - outer.top) - ClientRect.bottom};

    caps_ = ButtonCaps{};
    if ((Style & WS_SYSMENU) || systemMenu_.WindowMenu()) caps_.Add(ButtonCap::SystemMenu);
    if (Style & WS_MINIMIZEBOX) caps_.Add(ButtonCap::Minimize);
    if (Style & WS_MAXIMIZEBOX) caps_.Add(ButtonCap::Maximize);

    systemMenu_.Build();
    ReadWindowState();
    role_ = mdi_.DetectRole(exStyle);

    frameKind_ = FrameKind::Default;
    if ((Style & WS_POPUP) && (Style & WS_CAPTION) != WS_CAPTION) {
        frameKind_ = FrameKind::Popup;
    } else if ((exStyle & WS_EX_WINDOWEDGE) || (Style & WS_THICKFRAME)) {
        frameKind_ = FrameKind::Thick;
    }
    if (role_ == MdiRole::Frame) {
        mdi_.SaveMenuUpdate(skinData.MenuUpdate());
        mdi_.SubclassMdiClient();
    }

    if (SkinsFrame()) {
        FormMenu = GetMenu(Window);
        if (FormMenu && role_ != MdiRole::Child) {
            MenuBarObject = std::make_unique<TWinSkinMenu>(*this);
            MenuBarHeight = MenuRowHeightAtDpi();
            MenuBarObject->ReadMenuFromHandle(FormMenu);
            SetMenu(Window, nullptr); // the bar is drawn in the skinned frame from now on
        }
        const ISkinManager* manager = ActiveSkinManager();
        const bool mdiMaximized = manager && manager->MdiMaximized();
        if (!((role_ == MdiRole::Child && mdiMaximized) || state_ == WindowState::Minimized))
            SetSystemButtonStyles(false);
        ComputeFrameSizes();
    }

    PrevWndProc.Install(Window, gui::TWndMethod::Of<&TWinSkinForm::SkinWndProc>(this));
    const TFocusSnapshot focus;
    if (Form) {
        SkinFormControls(*this, *Form);
    } else {
        SkinChildWindows(*this);
    }
    InvalidateRect(Window, nullptr, TRUE);
}

void TWinSkinForm::AddControlObject(std::unique_ptr<ISkinControlObject> object) {
    ControlObjects.push_back(std::move(object));
}

bool TWinSkinForm::RegisterControlObject(ISkinControlObject* object) {
    const bool listed = skin::RegisterControlObject(*this, object);
    // Asked at every attach step: the control may be bound only after the object was listed.
    if (rtl::TComponent* served = object->ServedComponent()) served->FreeNotification(this);
    return listed;
}

void TWinSkinForm::Notification(rtl::TComponent* component, rtl::TOperation operation) {
    rtl::TComponent::Notification(component, operation);
    if (operation != rtl::TOperation::opRemove || !component) return;
    std::erase(WindowsRemade, component); // a freed control's window is not made again
    std::vector<std::unique_ptr<ISkinControlObject>> gone;
    for (auto& entry : ControlObjects) {
        if (!entry || entry->ServedComponent() != component) continue;
        if (HotControl == entry.get()) HotControl = nullptr;
        gone.push_back(std::move(entry));
    }
    if (gone.empty()) return;
    std::erase(ControlObjects, nullptr);
    // The control has unhooked them already: detaching only forgets it.
    for (auto& object : gone)
        object->Detach();
}

void TWinSkinForm::ControlWindowDestroyed(rtl::TComponent& control) {
    if (!Form || Phase != kPhaseActive) return;
    if (std::find(WindowsRemade.begin(), WindowsRemade.end(), &control) != WindowsRemade.end()) return;
    WindowsRemade.push_back(&control);
    if (WindowsRemade.size() == 1) PostMessageW(Window, SKM_SKINAGAIN, 0, 0);
}

void TWinSkinForm::SkinControlsAgain() {
    std::vector<rtl::TComponent*> controls;
    controls.swap(WindowsRemade);
    if (!Form || Phase != kPhaseActive) return;
    // Only controls the form still owns: one freed meanwhile left its list.
    const std::vector<rtl::TComponent*>& owned = Form->Components();
    std::erase_if(controls, [&](rtl::TComponent* c) {
        return std::find(owned.begin(), owned.end(), c) == owned.end();
    });
    const TFocusSnapshot focus;
    SkinControls(*this, *Form, controls);
}

void TWinSkinForm::SetSystemButtonStyles(bool show) {
    const ISkinManager* manager = ActiveSkinManager();
    if (role_ == MdiRole::Child && manager && manager->MdiMaximized() && !show) return;
    auto style = static_cast<DWORD>(GetWindowLongPtrW(Window, GWL_STYLE));
    if (show) {
        if (caps_.Has(ButtonCap::SystemMenu)) style |= WS_SYSMENU;
        if (caps_.Has(ButtonCap::Minimize)) style |= WS_MINIMIZEBOX;
        if (caps_.Has(ButtonCap::Maximize)) style |= WS_MAXIMIZEBOX;
    } else {
        style &= ~kCaptionButtonStyles;
    }
    SetWindowLongPtrW(Window, GWL_STYLE, static_cast<LONG_PTR>(style));
}

void TWinSkinForm::ComputeFrameSizes() {
    if (!SkinData || SkinData->SkinPending) return;
    TSkinData& skin = *SkinData;
    if (frameKind_ == FrameKind::Popup) {
        FrameLeft = FrameTop = FrameRight = FrameBottom = 0;
        MenuBarHeight = 0;
    } else {
        FrameTop = FrameThickness(skin.BorderTop->Image.height(), skin.BorderTop->FrameCount);
        FrameLeft = FrameThickness(skin.BorderLeft->Image.width(), skin.BorderLeft->FrameCount);
        FrameRight = FrameThickness(skin.BorderRight->Image.width(), skin.BorderRight->FrameCount);
        FrameBottom = FrameThickness(skin.BorderBottom->Image.height(), skin.BorderBottom->FrameCount);
    }
    FreeCaptionButtons();
    for (const auto& element : skin.SysButtons) {
        captionButtons_.Add(*element);
        if (element->Action != kActionSystemMenu && element->Action != kActionIcon) continue;
        // The icon button always shows the window's icon: a skin without an image of its own gives the
        // button the icon's size. The first window with an icon of its own lends it to the skin, for the
        // windows without one (message boxes and other dialogs).
        if (element->Image.empty()) element->Image = painter_.Icon();
        if (SkinData->SkinIconBitmap.empty() && painter_.HasOwnIcon())
            SkinData->SkinIconBitmap = painter_.Icon();
        element->FrameCount = 1;
    }
}

void TWinSkinForm::FreeCaptionButtons() {
    HotObject = nullptr;
    PressedObject = nullptr;
    captionButtons_.Clear();
}

// ---- the window procedure ----

void TWinSkinForm::CallPrevProc(gui::TMessage& message) {
    PrevWndProc.CallPrevious(message);
}

namespace {

struct CallDepthScope {
    explicit CallDepthScope(int& depth) : depth_(depth) { ++depth_; }
    ~CallDepthScope() { --depth_; }
    CallDepthScope(const CallDepthScope&) = delete;
    CallDepthScope& operator=(const CallDepthScope&) = delete;
    int& depth_;
};

} // namespace

void TWinSkinForm::SkinWndProc(gui::TMessage& message) {
    const CallDepthScope call(CallDepth);
    if (Stage1(message)) return;
    if (!SkinsFrame()) return CallPrevProc(message);
    if (role_ != MdiRole::Child && (Style & WS_CHILD)) return CallPrevProc(message);
    if (Stage2(message)) return;
    const bool stage3 = !IsMaximizedMdiChild() && state_ != WindowState::Minimized && Phase != kPhaseAttached;
    if (!stage3) return CallPrevProc(message);
    Stage3(message);
}

bool TWinSkinForm::Stage1(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND:
        OnEraseBackground(message);
        return true;
    case WM_STYLECHANGED:
        OnStyleChanged(message);
        return true;
    case WM_NCDESTROY:
        OnNcDestroy(message);
        return true;
    case WM_CTLCOLORBTN:
        OnCtlColorButton(message);
        return true;
    case WM_CTLCOLORSTATIC:
        OnCtlColorStatic(message);
        return true;
    case SKM_ISSKINNED:
        OnIsSkinned(message);
        return true;
    case kDpiChangedMessage:
        OnDpiChanged(message);
        return true;
    case WM_EXITMENULOOP:
        menuFonts_.Reset(); // the menu's items are drawn; the system's menu font is read again next time
        return false;
    default:
        return false;
    }
}

bool TWinSkinForm::Stage2(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_SIZE:
        OnSize(message);
        return true; // the window's own procedure has had it
    case WM_ACTIVATE:
    case WM_NCACTIVATE:
        NoteActivation(message);
        return false; // stage 3 answers it
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(message);
        return true;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(message);
        return true;
    case WM_COMMAND:
        OnCommand(message);
        return true;
    case WM_SYSCOMMAND:
        OnSysCommand(message);
        return true;
    case SKM_START:
        OnStart(message);
        return true;
    case gui::CM_MENUCHANGED:
        OnMenuChanged(message);
        return true;
    default:
        return false;
    }
}

void TWinSkinForm::Stage3(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_MEASUREITEM:
        return OnMeasureItem(message);
    case WM_DRAWITEM:
        return OnDrawItem(message);
    case WM_NCCALCSIZE:
        return OnNcCalcSize(message);
    case WM_NCHITTEST:
        return OnNcHitTest(message);
    case WM_NCPAINT:
        return OnNcPaint(message);
    case WM_NCACTIVATE:
        return OnNcActivate(message);
    case WM_NCMOUSEMOVE:
        return OnNcMouseMove(message);
    case WM_NCLBUTTONDOWN:
        return OnNcLButtonDown(message);
    case WM_NCLBUTTONUP:
        return OnNcLButtonUp(message);
    case WM_NCLBUTTONDBLCLK:
        return OnNcLButtonDblClk(message);
    case WM_NCRBUTTONDOWN:
        return OnNcRButtonDown(message);
    case SKM_PAINTFRAME:
        return painter_.PaintFrame(nullptr);
    default:
        return CallPrevProc(message);
    }
}

void TWinSkinForm::FormMessageHook(gui::TMessage& message) {
    const CallDepthScope call(CallDepth);
    switch (message.Msg) {
    case WM_SETTEXT:
        return OnSetText(message);
    case SKM_RESKIN:
        return Reskin();
    case SKM_SKINAGAIN:
        return SkinControlsAgain();
    case gui::CM_DIALOGCHAR:
        return OnDialogChar(message);
    default:
        return SavedFormWindowProc.CallPrevious(message);
    }
}

void TWinSkinForm::OnSetText(gui::TMessage& message) {
    SavedFormWindowProc.CallPrevious(message);
    painter_.SetCaptionText(WindowTextOf(Window)); // the caption follows the text, whenever it is set
    // The system drew its caption over ours while it took the text: the skinned frame goes back over it at
    // once. Only the paint: the frame's size did not change, so it needs no recalculation.
    if (IsMaximizedMdiChild() || frameKind_ == FrameKind::Popup) return RefreshFrame();
    PaintFrameNow();
}

void TWinSkinForm::PaintFrameNow() {
    if (!FramePainting) return;
    gui::WindowDc dc(Window, gui::WindowDc::WholeWindow);
    if (dc) painter_.PaintFrame(dc.get());
}

// ---- the menu bar ----

void TWinSkinForm::OnDialogChar(gui::TMessage& message) {
    // Alt and an item's letter, and nothing else held down, open that item.
    const bool onlyAlt =
        GetKeyState(VK_MENU) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0;
    if (MenuBarObject && onlyAlt) {
        if (TMenuBtn* item = MenuBarObject->FindAccelItem(static_cast<wchar_t>(message.WParam))) {
            MenuBarObject->ClickMenuBarItem(*item);
            message.Result = 1;
            return;
        }
    }
    SavedFormWindowProc.CallPrevious(message);
}

void TWinSkinForm::OnMenuChanged(gui::TMessage& message) {
    // The framework rebuilds the menu and puts it back on the window; the bar takes it off again.
    FramePainting = false;
    try {
        CallPrevProc(message);
    } catch (...) {
        FramePainting = true;
        throw;
    }
    FramePainting = true;
    if (MenuBarObject && SkinData->MenuUpdate()) {
        if (HMENU menu = GetMenu(Window)) {
            MenuBarObject->ReadMenuFromHandle(menu);
            RefreshFrame();
        }
    }
}

bool TWinSkinForm::MenuItemLook(ULONG_PTR itemData, UINT command, TMenuItemLook& look) const {
    if (systemMenu_.ItemLook(itemData, command, look)) return true;
    if (!FormMenu) return false; // only menus of the window's own menu bar are the skin's to draw
    const gui::TMenuItem* item = gui::TMenuItem::FromItemData(itemData);
    if (!item) return false;
    look = LookOf(*item);
    if (look.Caption.empty()) look.Caption = " ";
    return true;
}

bool TWinSkinForm::ForeignMenuItemLook(ULONG_PTR itemData, UINT command, TMenuItemLook& look) const {
    // Only the items of the bar's open drop-down: a program's own owner-drawn menus stay its own.
    HMENU popup = MenuBarObject ? MenuBarObject->TrackedPopup() : nullptr;
    TMenuItemPlace place;
    if (!FormMenu || !popup || !FindMenuItem(popup, command, itemData, place)) return false;
    look = LookOfPosition(place.Menu, place.Position);
    return true;
}

void TWinSkinForm::OnMeasureItem(gui::TMessage& message) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
    if (measure->CtlType != ODT_MENU) return CallPrevProc(message);
    gui::WindowDc dc(Window);
    int width = static_cast<int>(measure->itemWidth), height = static_cast<int>(measure->itemHeight);
    TMenuItemLook look;
    gui::TMenuItem* item = FormMenu ? gui::TMenuItem::FromItemData(measure->itemData) : nullptr;
    if (systemMenu_.ItemLook(measure->itemData, measure->itemID, look)) {
        MeasureSkinMenuItem(*SkinData, look, dc.get(), menuFonts_, width, height);
    } else if (item) {
        MeasureMenuItem(*SkinData, *item, dc.get(), menuFonts_, width, height);
    } else if (ForeignMenuItemLook(measure->itemData, measure->itemID, look)) {
        MeasureForeignMenuItem(*SkinData, look, dc.get(), menuFonts_, width, height);
    } else {
        return CallPrevProc(message);
    }
    measure->itemWidth = static_cast<UINT>(std::max(width, 0));
    measure->itemHeight = static_cast<UINT>(std::max(height, 0));
    message.Result = TRUE;
}

void TWinSkinForm::OnDrawItem(gui::TMessage& message) {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
    if (draw->CtlType != ODT_MENU) return CallPrevProc(message);
    const auto menu = reinterpret_cast<HMENU>(draw->hwndItem);
    TMenuItemLook look;
    const bool ours = MenuItemLook(draw->itemData, draw->itemID, look);
    if (!ours && !ForeignMenuItemLook(draw->itemData, draw->itemID, look)) return CallPrevProc(message);
    AssignPendingPopupMenu(menu); // the menu window that painted its background last shows this menu
    const bool selected = (draw->itemState & ODS_SELECTED) != 0 && look.Caption != "-";
    try {
        if (ours) {
            DrawSkinMenuItem(*SkinData, look, draw->hDC, draw->rcItem, selected, menu, menuFonts_);
        } else {
            DrawForeignMenuItem(*SkinData, menu, look, selected, draw->rcItem, draw->hDC, menuFonts_);
        }
    } catch (...) {
        // An item that cannot be drawn stays empty; the menu goes on working.
        ReportCurrentException("menu item painter");
    }
    message.Result = TRUE;
}

// ---- stage 1 ----

void TWinSkinForm::OnIsSkinned(gui::TMessage& message) {
    message.Result = 1;
}

void TWinSkinForm::OnDpiChanged(gui::TMessage& message) {
    // The new skin first: the resize to the suggested rectangle then fits the window to its frame.
    ApplyDpi(LOWORD(message.WParam));
    if (role_ == MdiRole::Frame) mdi_.TellChildrenDpi(LOWORD(message.WParam));
    CallPrevProc(message);
    const auto* suggested = reinterpret_cast<const RECT*>(message.LParam);
    if (IsPlainWindow() && suggested) {
        // A framework form sizes itself; a plain window's procedure is not expected to.
        SetWindowPos(Window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (Phase == kPhaseActive && SkinsFrame()) {
        Phase = kPhaseReskinning; // the region is made anew even when the size stayed the same
        RefreshFrame();
        UpdateRegion();
        Phase = kPhaseActive;
    }
    RedrawWindow(Window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    message.Result = 0;
}

void TWinSkinForm::ApplyDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_ || !SkinData) return;
    dpi_ = dpi;
    SkinData = &SkinData->ForDpi(dpi);
    painter_.ReadCaptionFont();
    painter_.LoadWindowIcon();
    painter_.DropComposed();
    if (MenuBarObject) MenuBarHeight = MenuRowHeightAtDpi();
    // The controls' skinning objects hold the skin they were attached with: they are made anew.
    DetachControlObjects();
    if (Form) {
        SetPopupMenusOwnerDraw(*Form, *SkinData, true);
        SkinFormControls(*this, *Form);
    } else {
        SkinChildWindows(*this);
    }
    if (SkinsFrame()) ComputeFrameSizes();
}

void TWinSkinForm::OnEraseBackground(gui::TMessage& message) {
    CallPrevProc(message);
    if (!IsPlainWindow()) return;
    RECT client{};
    GetClientRect(Window, &client);
    FillRect(reinterpret_cast<HDC>(message.WParam), &client, SkinData->FaceBrush());
    message.Result = 1;
}

void TWinSkinForm::OnStyleChanged(gui::TMessage& message) {
    if (message.WParam == static_cast<WPARAM>(GWL_STYLE)) {
        Style = reinterpret_cast<const STYLESTRUCT*>(message.LParam)->styleNew;
    }
    CallPrevProc(message);
}

void TWinSkinForm::OnNcDestroy(gui::TMessage& message) {
    Phase = kPhaseClosing;
    DetachOnDestroy();
    CallPrevProc(message);
    Phase = kPhaseDestroyed;
    if (ISkinManager* manager = ActiveSkinManager()) manager->SchedulePurge(SkinSource());
}

void TWinSkinForm::OnCtlColorButton(gui::TMessage& message) {
    CallPrevProc(message);
    if (IsPlainWindow()) SetBkMode(reinterpret_cast<HDC>(message.WParam), TRANSPARENT);
}

void TWinSkinForm::OnCtlColorStatic(gui::TMessage& message) {
    CallPrevProc(message);
    if (!IsPlainWindow()) return;
    SetBkMode(reinterpret_cast<HDC>(message.WParam), TRANSPARENT);
    message.Result = reinterpret_cast<LRESULT>(SkinData->FaceBrush());
}

// ---- stage 2 ----

void TWinSkinForm::NoteActivation(const gui::TMessage& message) {
    Active = message.WParam != 0;
}

void TWinSkinForm::OnSize(gui::TMessage& message) {
    CallPrevProc(message);
    switch (message.WParam) {
    case SIZE_RESTORED:
        state_ = WindowState::Normal;
        break;
    case SIZE_MINIMIZED:
        state_ = WindowState::Minimized;
        break;
    case SIZE_MAXIMIZED:
        state_ = WindowState::Maximized;
        break;
    default:
        break;
    }
    if (role_ == MdiRole::Child && state_ != WindowState::Normal) {
        // The system draws a maximized or minimized child (the small caption inside the client): the frame's
        // shape goes at once, before the system paints it at its new size.
        if (HasRegion) ClearRegion();
    }
    if (state_ == WindowState::Minimized) return;
    const ISkinManager* manager = ActiveSkinManager();
    if (role_ == MdiRole::Child && ((manager && manager->MdiMaximized()) || state_ != WindowState::Normal))
        return;
    // A child restored from its icon without a system command (WM_MDIRESTORE, the window menu) got its
    // style buttons back for the minimized caption: the skinned frame draws its own again.
    if (role_ == MdiRole::Child && (GetWindowLongPtrW(Window, GWL_STYLE) & kCaptionButtonStyles)) {
        SetSystemButtonStyles(false);
    }
    if (Phase == kPhaseActive || Phase == kPhaseReskinning) UpdateRegion();
}

void TWinSkinForm::OnGetMinMaxInfo(gui::TMessage& message) {
    CallPrevProc(message);
    ReadWindowState();
    if (state_ == WindowState::Minimized) {
        SetSystemButtonStyles(true); // the system draws the minimized caption
    } else if (role_ != MdiRole::Child) {
        SetSystemButtonStyles(false);
    } else if (state_ == WindowState::Normal) {
        ISkinManager* manager = ActiveSkinManager();
        if (manager && manager->MdiMaximized()) manager->SetMdiMaximized(false);
        SetSystemButtonStyles(false);
    } else {
        SetSystemButtonStyles(true);
    }
    auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
    info->ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    if (role_ == MdiRole::Child || frameKind_ == FrameKind::Popup ||
        FrameLeft + FrameRight + FrameBottom == 0)
        return;
    // The system places a maximized window with its own frame widths past the screen's edges. The skin's
    // side and bottom borders go there instead, whatever their widths, so the content fills the screen's
    // width and reaches its bottom exactly; the top stays where the system puts it.
    const int innerWidth = info->ptMaxSize.x + 2 * info->ptMaxPosition.x;
    const int innerHeight = info->ptMaxSize.y + 2 * info->ptMaxPosition.y;
    info->ptMaxPosition.x = -FrameLeft;
    info->ptMaxSize.x = innerWidth + FrameLeft + FrameRight;
    info->ptMaxSize.y = innerHeight - info->ptMaxPosition.y + FrameBottom;
    info->ptMaxTrackSize.x = std::max(info->ptMaxTrackSize.x, info->ptMaxSize.x);
    info->ptMaxTrackSize.y = std::max(info->ptMaxTrackSize.y, info->ptMaxSize.y);
}

void TWinSkinForm::OnWindowPosChanged(gui::TMessage& message) {
    ReadWindowState();
    CallPrevProc(message);
}

void TWinSkinForm::OnStart(gui::TMessage&) {
    if (Phase == kPhaseAttached) {
        // A window resized between attaching and now (a message box laying itself out) keeps its new client
        // size: the unskinned frame measured at attach is what the system adds around it.
        const RECT outer = WindowRectOf(Window);
        ClientRect = RECT{0, 0, (outer.right - outer.left) - UnskinnedFrameSize.right,
                          (outer.bottom - outer.top) - UnskinnedFrameSize.bottom};
        const ISkinManager* manager = ActiveSkinManager();
        if (role_ == MdiRole::Child && manager && manager->MdiMaximized()) {
            SetSystemButtonStyles(true);
            RefreshFrame();
        } else if (state_ != WindowState::Minimized && frameKind_ != FrameKind::Popup) {
            Phase = kPhaseFitting;
            FitWindowToSkin(false, true);
            Phase = kPhaseActive;
            const RECT fitted = WindowRectOf(Window);
            const bool shaped = HasRegion && shapedSize_.cx == fitted.right - fitted.left &&
                                shapedSize_.cy == fitted.bottom - fitted.top;
            // The fit changed the frame and deferred its erase: the frame of the active phase is painted
            // with the window's next paint.
            if (!shaped) UpdateRegion(); // the window did not take the size it was shaped for
        }
    }
    Phase = kPhaseActive;
    HoverTimer->SetEnabled(true);
}

// ---- stage 3 ----

void TWinSkinForm::OnNcCalcSize(gui::TMessage& message) {
    CallPrevProc(message);
    if (message.WParam == FALSE) {
        message.Result = 0;
        return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
    if (!IsMaximizedMdiChild() && frameKind_ != FrameKind::Popup) {
        const WINDOWPOS& pos = *params->lppos;
        params->rgrc[0] = RECT{pos.x + FrameLeft, pos.y + FrameTop + MenuBarHeight,
                               pos.x + pos.cx - FrameRight, pos.y + pos.cy - FrameBottom};
    }
    params->rgrc[1] = params->rgrc[0];
    message.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::OnNcHitTest(gui::TMessage& message) {
    // Borders, caption and menu bar; the caption buttons answer for themselves once they are drawn.
    const POINT at = ScreenToWindow(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    const RECT outer = WindowRectOf(Window);
    const int w = outer.right - outer.left;
    const int h = outer.bottom - outer.top;
    if (at.x < 0 || at.y < 0 || at.x >= w || at.y >= h) {
        message.Result = HTNOWHERE;
        return;
    }
    const bool sizable = (Style & WS_THICKFRAME) && state_ == WindowState::Normal;
    const bool left = at.x < FrameLeft, right = at.x >= w - FrameRight;
    const bool top = at.y < std::min(FrameBottom, FrameTop), bottom = at.y >= h - FrameBottom;
    if (sizable && (left || right || top || bottom)) {
        if (top)
            message.Result = left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        else if (bottom)
            message.Result = left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        else
            message.Result = left ? HTLEFT : HTRIGHT;
        return;
    }
    if (left || right || bottom) {
        message.Result = HTBORDER;
    } else if (at.y < FrameTop) {
        message.Result = HTCAPTION;
    } else if (at.y < FrameTop + MenuBarHeight) {
        message.Result = HTMENU;
    } else {
        message.Result = HTCLIENT;
    }
}

void TWinSkinForm::OnNcPaint(gui::TMessage& message) {
    message.Result = 0;
    if (!FramePainting) return;
    if (IsMaximizedMdiChild() || frameKind_ == FrameKind::Popup) return CallPrevProc(message);
    // The whole frame: the caption is composed off-screen, so clipping to the update region saves nothing.
    gui::WindowDc dc(Window, gui::WindowDc::WholeWindow);
    if (dc) painter_.PaintFrame(dc.get());
}

void TWinSkinForm::OnNcActivate(gui::TMessage& message) {
    Active = message.WParam != 0;
    HoverTimer->SetEnabled(Active != 0);
    if (!Active && HotControl) {
        HotControl->SendMouseLeave();
        HotControl = nullptr;
    }
    if (!Active && MenuBarObject) MenuBarObject->EndKeyboardMode();
    if (!IsMaximizedMdiChild()) painter_.PaintFrame(nullptr);
    message.Result = 1;
}

// ---- state ----

void TWinSkinForm::RefreshFrame() {
    SetWindowPos(Window, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::FitWindowToSkin(bool rereadClient, bool shapeFirst) {
    if (state_ == WindowState::Maximized) return RefreshFrame();
    const RECT outer = WindowRectOf(Window);
    // Read again before either length is taken: a window resized since it was skinned keeps its new width
    // as well as its new height.
    if (rereadClient) GetClientRect(Window, &ClientRect);
    int width = ClientRect.right + FrameLeft + FrameRight;
    int height = ClientRect.bottom + FrameTop + FrameBottom + MenuBarHeight;
    // Message boxes grow to show their caption, when first fitted as well as later: checked in the fitting
    // phase alone, the first fit (the only one most boxes get) would never widen them.
    const bool messageBox = WindowClassName == "TMessageForm" || WindowClassName == "#32770";
    if (messageBox && (Phase == kPhaseActive || Phase == kPhaseFitting)) {
        {
            gui::WindowDc dc(Window, gui::WindowDc::WholeWindow);
            gui::TCanvas canvas(dc.get());
            if (HFONT font = painter_.CaptionFont()) canvas.SetFont(font);
            SpaceWidth = canvas.TextWidth(" ");
        }
        painter_.SetCaptionText(WindowTextOf(Window));
        const TDataSkinTitle& title = *SkinData->Title;
        const int needed =
            (static_cast<int>(gui::Wide(painter_.CaptionText()).size()) + kMessageBoxCaptionSlack) *
                SpaceWidth +
            FrameLeft + FrameRight + title.LeftWidth + title.RightWidth + title.TextBackLeft +
            title.TextBackRight;
        if (width < needed) {
            const int shift = (needed - width) / 2;
            for (HWND child = GetWindow(Window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                RECT rect = WindowRectOf(child);
                MapWindowPoints(nullptr, Window, reinterpret_cast<POINT*>(&rect), 2);
                SetWindowPos(child, nullptr, rect.left + shift, rect.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER |
                                 SWP_NOACTIVATE);
            }
            width = needed;
        }
    }
    // Shaped before the resize repaints it: one repaint instead of a second one for the region. Not a
    // mirrored window: the system mirrors its region by the width the window has when it gets it.
    const bool mirrored = (GetWindowLongPtrW(Window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    if (shapeFirst && !mirrored) ApplyRegion(width, height, false);
    const POINT at = KeptOnWorkArea(outer, width, height);
    const UINT move = at.x == outer.left && at.y == outer.top ? SWP_NOMOVE : 0;
    SetWindowPos(Window, nullptr, at.x, at.y, width, height,
                 SWP_NOZORDER | move | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_DEFERERASE);
}

POINT TWinSkinForm::KeptOnWorkArea(const RECT& outer, int width, int height) const {
    // A window that lay within its monitor's work area stays there when the skin's frame makes it larger
    // (wide skinned borders at a high DPI would push it past the screen's edge).
    POINT at{outer.left, outer.top};
    if (GetWindowLongPtrW(Window, GWL_STYLE) & WS_CHILD) return at;
    // A window that does not grow stays within whatever it lay within (and asking for the monitor costs
    // some systems three round trips to the display server).
    if (width <= outer.right - outer.left && height <= outer.bottom - outer.top) return at;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&outer, MONITOR_DEFAULTTONEAREST), &monitor)) return at;
    const RECT& area = monitor.rcWork;
    const bool within = outer.left >= area.left && outer.top >= area.top && outer.right <= area.right &&
                        outer.bottom <= area.bottom;
    if (!within) return at;
    at.x = std::max<LONG>(area.left, std::min<LONG>(at.x, area.right - width));
    at.y = std::max<LONG>(area.top, std::min<LONG>(at.y, area.bottom - height));
    return at;
}

void TWinSkinForm::ReadWindowState() {
    // The style's state bits, not GetWindowPlacement: asked while a window is between two states (restoring
    // a minimized MDI child to maximized sends WM_GETMINMAXINFO then), some systems take the window's
    // rectangle of that moment as its normal place, and a later restore shrinks it to its icon.
    if (!IsWindow(Window)) return;
    if (IsIconic(Window)) {
        state_ = WindowState::Minimized;
    } else if (IsZoomed(Window)) {
        state_ = WindowState::Maximized;
    } else {
        state_ = WindowState::Normal;
    }
}

POINT TWinSkinForm::ScreenToWindow(int x, int y) const {
    POINT point{x, y};
    ScreenToClient(Window, &point);
    if (state_ != WindowState::Minimized) {
        point.x += FrameLeft;
        point.y += FrameTop + MenuBarHeight;
    }
    return point;
}

void TWinSkinForm::UpdateRegion() {
    RECT outer{};
    GetWindowRect(Window, &outer);
    const int w = outer.right - outer.left;
    const int h = outer.bottom - outer.top;
    if (painter_.RegionFits(w, h) && role_ != MdiRole::Child && Phase != kPhaseReskinning) return;
    ApplyRegion(w, h, true);
}

bool TWinSkinForm::RegionFitsWindow() const {
    const RECT outer = WindowRectOf(Window);
    return HasRegion && shapedSize_.cx == outer.right - outer.left &&
           shapedSize_.cy == outer.bottom - outer.top;
}

void TWinSkinForm::ApplyRegion(int w, int h, bool redraw) {
    if (w <= 0 || h <= 0 || IsMaximizedMdiChild() || !SkinData || SkinData->SkinPending) return;
    HasRegion = false;
    gui::UniqueRegion region = painter_.WindowRegion(w, h);
    if (!region) return;
    // From here the system owns the region (and frees the one it replaces).
    if (SetWindowRgn(Window, region.get(), redraw ? TRUE : FALSE)) {
        (void)region.release();
        HasRegion = true;
        shapedSize_ = SIZE{w, h};
    }
}

void TWinSkinForm::ClearRegion() {
    if (!HasRegion) return;
    painter_.DropComposed();
    // Redrawn: the part the region hid (a document maximized from its tile) would otherwise keep showing
    // whatever was behind it until something repaints the window.
    SetWindowRgn(Window, nullptr, TRUE);
    HasRegion = false;
    painter_.ForgetRegionSize();
}

void TWinSkinForm::OnHoverTimer() {
    if (MenuTracking) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (HotObject) {
        const POINT at = ScreenToWindow(cursor.x, cursor.y);
        if (!PtInRect(&HotObject->Bounds, at)) {
            TNCObject* leaving = HotObject;
            HotObject = nullptr;
            leaving->MouseLeave();
        }
    }
    // Framework forms too: the framework sends its controls no mouse-leave notification of its own.
    if (HotControl) {
        const RECT rect = HotControl->ScreenRect();
        if (!PtInRect(&rect, cursor)) {
            ISkinControlObject* leaving = HotControl;
            HotControl = nullptr;
            leaving->SendMouseLeave();
        }
    }
}

// ---- caption buttons and the window's state ----

TNCObject* TWinSkinForm::ObjectAt(POINT windowPoint) {
    if (TWinSysButton* button = captionButtons_.ButtonAt(windowPoint)) return button;
    if (MenuBarObject) return MenuBarObject->ItemAt(windowPoint);
    return nullptr;
}

void TWinSkinForm::RunCaptionAction(int x, int y) {
    auto* button = dynamic_cast<TWinSysButton*>(HotObject);
    if (!button) return;
    captionButtons_.Click(*button, POINT{x, y});
}

void TWinSkinForm::OnCaptionAction(CaptionAction action, int code, POINT at) {
    switch (action) {
    case CaptionAction::Close:
        return CloseWindow();
    case CaptionAction::Maximize:
        return ToggleMaximize();
    case CaptionAction::Minimize:
        return ToggleMinimize();
    case CaptionAction::IconMenu:
        return systemMenu_.Show(at.x + 1, at.y + 1, /*byIconClick=*/true);
    case CaptionAction::SystemMenu:
        return systemMenu_.Show(at.x + 1, at.y + 1);
    case CaptionAction::ChildMinimize:
        return mdi_.ChildCommand(SC_MINIMIZE);
    case CaptionAction::ChildRestore:
        return mdi_.ChildCommand(SC_RESTORE);
    case CaptionAction::ChildClose:
        return mdi_.ChildCommand(SC_CLOSE);
    case CaptionAction::SkinOwn:
        // The window answers the query itself and the program gets the action.
        PostMessageW(Window, SKM_ISSKINNED, static_cast<WPARAM>(code), 0);
        PostMessageW(Window, SKM_CAPTIONACTION, static_cast<WPARAM>(code), 0);
        return;
    }
}

void TWinSkinForm::CloseWindow() {
    if (HoverTimer) HoverTimer->SetEnabled(false);
    PostMessageW(Window, WM_CLOSE, 0, 0);
}

void TWinSkinForm::ToggleMaximize() {
    if (state_ == WindowState::Maximized) return RestoreWindow();
    state_ = WindowState::Maximized;
    PostMessageW(Window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    HotObject = nullptr;
}

void TWinSkinForm::ToggleMinimize() {
    if (state_ == WindowState::Minimized) return RestoreWindow();
    state_ = WindowState::Minimized;
    PostMessageW(Window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::RestoreWindow() {
    state_ = WindowState::Normal;
    PostMessageW(Window, WM_SYSCOMMAND, SC_RESTORE, 0);
}

// ---- non-client mouse and system commands ----

void TWinSkinForm::OnNcMouseMove(gui::TMessage& message) {
    if (!Active) return;
    const POINT at = ScreenToWindow(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    if (TNCObject* object = ObjectAt(at)) {
        object->MouseEnter();
        message.Result = 0;
        return;
    }
    if (HotObject) HotObject->MouseLeave();
    CallPrevProc(message);
}

void TWinSkinForm::OnNcLButtonDown(gui::TMessage& message) {
    const POINT at = ScreenToWindow(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    if (TNCObject* object = ObjectAt(at)) {
        if (!Active) SetForegroundWindow(Window);
        object->MouseDown();
        if (dynamic_cast<TWinSysButton*>(object)) PressedObject = object;
        if (auto* item = dynamic_cast<TMenuBtn*>(object)) {
            MenuBarObject->OpenMenuBarItem(*item);
            // The item last opened goes out, unless the keyboard was left on an item of the bar (or the
            // window was unskinned while the drop-down was open).
            if (HotObject && MenuBarObject && !MenuBarObject->InKeyboardMode()) HotObject->MouseLeave();
        }
        message.Result = 0;
        return;
    }
    // A maximized window cannot be dragged by its caption.
    if (state_ == WindowState::Maximized && message.WParam == HTCAPTION && Active) message.WParam = HTMENU;
    CallPrevProc(message);
}

void TWinSkinForm::OnNcLButtonUp(gui::TMessage& message) {
    const POINT at = ScreenToWindow(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    TNCObject* object = ObjectAt(at);
    // A button acts only when the mouse is released over the one it was pressed on.
    TNCObject* pressed = std::exchange(PressedObject, nullptr);
    if (!object) return CallPrevProc(message);
    if (dynamic_cast<TWinSysButton*>(object) && object == HotObject && object == pressed) {
        object->MouseUp();
        RunCaptionAction(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    }
    message.Result = 0;
}

void TWinSkinForm::OnNcLButtonDblClk(gui::TMessage& message) {
    const POINT at = ScreenToWindow(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    if (TWinSysButton* button = captionButtons_.ButtonAt(at)) {
        // Both clicks reach the button; the second one is a press like the first.
        const int action = button->Element->Action;
        if (action == kActionSystemMenu || action == kActionIcon) {
            CloseWindow();
            message.Result = 0;
            return;
        }
        button->MouseDown();
        PressedObject = button;
        message.Result = 0;
        return;
    }
    if (state_ != WindowState::Normal) {
        RestoreWindow();
    } else if (caps_.Has(ButtonCap::Maximize)) {
        ToggleMaximize();
    }
    message.Result = 0;
}

void TWinSkinForm::OnNcRButtonDown(gui::TMessage& message) {
    if (message.WParam == HTCAPTION && role_ != MdiRole::Child) {
        systemMenu_.Show(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
        message.Result = 0;
        return;
    }
    CallPrevProc(message);
}

void TWinSkinForm::OnCommand(gui::TMessage& message) {
    switch (LOWORD(message.WParam)) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE:
        PostMessageW(Window, WM_SYSCOMMAND, LOWORD(message.WParam), 0);
        return;
    default:
        return CallPrevProc(message);
    }
}

void TWinSkinForm::OnSysCommand(gui::TMessage& message) {
    const UINT command = static_cast<UINT>(message.WParam & 0xFFF0);
    if (!MenuTracking && command == SC_KEYMENU && message.LParam != ' ' && message.LParam != '-' &&
        !GetCapture()) {
        // Alt alone, or Alt and a menu bar item's letter, belong to the skinned menu bar.
        const auto letter = static_cast<wchar_t>(message.LParam);
        if (MenuBarObject && letter == 0) {
            MenuBarObject->EnterKeyboardMode();
            message.Result = 0;
            return;
        }
        if (MenuBarObject) {
            if (TMenuBtn* item = MenuBarObject->FindAccelItem(letter)) {
                MenuBarObject->ClickMenuBarItem(*item); // a window whose letters no form handled first
                message.Result = 0;
                return;
            }
        }
    }
    if (command == SC_KEYMENU && message.LParam == ' ' && role_ != MdiRole::Child && systemMenu_.Handle()) {
        // Alt+Space: the window has no system menu style while skinned, so the system would show nothing.
        systemMenu_.ShowFromKeyboard();
        message.Result = 0;
        return;
    }
    switch (command) {
    case SC_MINIMIZE:
        state_ = WindowState::Minimized;
        if (role_ == MdiRole::Child) SetSystemButtonStyles(true);
        break;
    case SC_MAXIMIZE:
        state_ = WindowState::Maximized;
        break;
    case SC_RESTORE:
        state_ = WindowState::Normal;
        if (role_ == MdiRole::Child) SetSystemButtonStyles(false);
        break;
    default:
        break;
    }
    CallPrevProc(message);
}

// ---- re-skinning and detaching ----

void TWinSkinForm::Reskin() {
    if (Form) {
        Form->SetColor(SkinData->ButtonFaceColour);
        SetPopupMenusOwnerDraw(*Form, *SkinData, true);
        for (rtl::TComponent* component : Form->Components()) {
            if (auto* inner = dynamic_cast<gui::TForm*>(component))
                inner->SetColor(SkinData->ButtonFaceColour);
        }
    }
    for (auto& control : ControlObjects)
        control->SkinChanged();
    painter_.DropComposed();
    Phase = kPhaseReskinning;
    if (SkinsFrame()) {
        FitWindowToSkin(true);
        // Still re-skinning: the region is rebuilt for the new skin even when the size stayed the same.
        UpdateRegion();
    }
    Phase = kPhaseActive;
    RedrawWindow(Window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::DetachControlObjects() {
    HotControl = nullptr;
    // Out of the list before they are freed: freeing one tells this object (their owner) of it, and the list
    // must not hold objects half freed then.
    std::vector<std::unique_ptr<ISkinControlObject>> objects = std::move(ControlObjects);
    ControlObjects.clear();
    for (auto& control : objects) {
        if (rtl::TComponent* served = control->ServedComponent()) served->RemoveFreeNotification(this);
        control->Detach();
    }
}

void TWinSkinForm::RestoreFormLook() {
    if (Form && Phase != kPhaseClosing && Phase != kPhaseDestroyed) {
        Form->SetColor(SavedFormColour);
        SetPopupMenusOwnerDraw(*Form, *SkinData, false);
    }
}

void TWinSkinForm::DetachAll() {
    if (!SkinsFrame()) return DetachControlsOnly();
    EndMenuLoop();
    systemMenu_.Reset();
    if (HoverTimer) HoverTimer->SetEnabled(false);
    if (!PrevWndProc.Installed()) return;
    SavedFormWindowProc.Remove();
    PrevWndProc.Remove();
    DetachControlObjects();
    RestoreFormLook();
    SetSystemButtonStyles(true);
    if (const TWinSkinMenu* bar = MenuBarObject ? MenuBarObject.get() : RetiredMenuBar.get()) {
        SetMenu(Window, bar->MenuHandle());
        MenuBarObject.reset();
    }
    mdi_.UnsubclassMdiClient();
    painter_.DropComposed();
    if (Phase != kPhaseClosing && (role_ == MdiRole::Child || !(Style & WS_CHILD))) {
        RECT outer = WindowRectOf(Window);
        // A child keeps its place in its own MDI client (not the one of whichever frame was skinned last).
        if (role_ == MdiRole::Child)
            MapWindowPoints(nullptr, GetParent(Window), reinterpret_cast<POINT*>(&outer), 2);
        const int width = (outer.right - outer.left) - FrameLeft - FrameRight + UnskinnedFrameSize.right;
        const int height =
            (outer.bottom - outer.top) - FrameTop - MenuBarHeight - FrameBottom + UnskinnedFrameSize.bottom;
        SetWindowPos(Window, nullptr, outer.left, outer.top, width, height,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    SetWindowRgn(Window, nullptr, TRUE); // the system frees the region it held
    HasRegion = false;
}

// A drop-down or the system menu open while the window is unskinned or destroyed (a timer's action run by
// the menu's loop) is closed; the objects the loop's caller goes back to stay until this one is freed.
void TWinSkinForm::EndMenuLoop() {
    if (!InMenuLoop) return;
    EndMenu();
    HotObject = nullptr;
    systemMenu_.Retire();
    if (MenuBarObject) RetiredMenuBar = std::move(MenuBarObject);
}

void TWinSkinForm::DetachOnDestroy() {
    EndMenuLoop();
    systemMenu_.Reset();
    if (HoverTimer) HoverTimer->SetEnabled(false);
    SavedFormWindowProc.Remove();
    // The window procedure binding ends by itself once the window has handled WM_NCDESTROY.
    DetachControlObjects();
    MenuBarObject.reset();
    mdi_.UnsubclassMdiClient();
    painter_.DropComposed();
}

void TWinSkinForm::DetachControlsOnly() {
    if (HoverTimer) HoverTimer->SetEnabled(false);
    DetachControlObjects();
    RestoreFormLook();
    SavedFormWindowProc.Remove();
    PrevWndProc.Remove();
    mdi_.UnsubclassMdiClient();
    if (Form) {
        for (gui::TControl* control : Form->Controls())
            control->Invalidate();
        if (Phase != kPhaseClosing) {
            ShowWindow(Window, SW_MINIMIZE);
            ShowWindow(Window, SW_RESTORE);
        }
    }
}

} // namespace skin
