#include "skin/controls/skin_control.h"

#include "framework/gui/handles.h"
#include "framework/gui/wide.h"
#include "skin/component/skin_data.h"
#include "skin/controls/control_drawing.h"
#include "skin/diagnostics.h"
#include "skin/draw/blit.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/win_rect.h"

#include <algorithm>

namespace skin {

namespace {
thread_local TFocusSnapshot* g_focusSnapshot = nullptr; // the innermost one taken on this thread
} // namespace

TFocusSnapshot::TFocusSnapshot() : outer_(g_focusSnapshot), focus_(outer_ ? outer_->focus_ : GetFocus()) {
    g_focusSnapshot = this;
}

TFocusSnapshot::~TFocusSnapshot() {
    g_focusSnapshot = outer_;
}

HWND TFocusSnapshot::Focus() {
    return g_focusSnapshot ? g_focusSnapshot->focus_ : GetFocus();
}

TFocusSnapshot::SetAside::SetAside() : taken_(g_focusSnapshot) {
    g_focusSnapshot = nullptr;
}

TFocusSnapshot::SetAside::~SetAside() {
    g_focusSnapshot = taken_;
    const HWND focus = taken_ ? GetFocus() : nullptr;
    for (TFocusSnapshot* snapshot = taken_; snapshot; snapshot = snapshot->outer_)
        snapshot->focus_ = focus;
}

TSkinControl::TSkinControl(rtl::TComponent* owner) : rtl::TComponent(owner) {}

TSkinControl::~TSkinControl() {
    Detach();
}

const rtl::TClassInfo& TSkinControl::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinControl", &rtl::TComponent::StaticClassInfo(), {}};
    return info;
}

rtl::TComponent* TSkinControl::ServedComponent() const {
    if (GraphicControl) return GraphicControl;
    return Control;
}

ISkinControlHost* TSkinControl::Host() const {
    return dynamic_cast<ISkinControlHost*>(Owner());
}

// ---- attaching ----

void TSkinControl::Attach(gui::TWinControl& control, TSkinData& skinData, bool useSkinColour,
                          gui::TCanvas& canvas) {
    if (Attached) return;
    BindControl(control, skinData, useSkinColour, canvas);
    SavedWindowProc.Install(control, gui::TWndMethod::Of<&TSkinControl::SkinWndProc>(this));
    control.SetDoubleBuffered(true);
    if (ISkinControlHost* host = Host()) host->RegisterControlObject(this);
    ReadWindowState();
    TakeSkinColour();
    control.Invalidate();
    Attached = true;
}

void TSkinControl::BindControl(gui::TWinControl& control, TSkinData& skinData, bool useSkinColour,
                               gui::TCanvas& canvas) {
    UseSkinColour = useSkinColour;
    SkinData = &skinData;
    Canvas = &canvas;
    Control = &control;
    Handle = control.Handle();
}

void TSkinControl::TakeSkinColour() {
    if (!UseSkinColour || !Control) return;
    SavedColour = Control->Color();
    Control->SetColor(SkinData->ButtonFaceColour);
}

void TSkinControl::AttachHandle(HWND handle, TSkinData& skinData, gui::TCanvas& canvas) {
    SkinData = &skinData;
    Canvas = &canvas;
    Handle = handle;
    Enabled = true;
    Caption = WindowText();
    WndProcStub.Install(handle, gui::TWndMethod::Of<&TSkinControl::SkinWndProc>(this));
    Attached = true;
}

void TSkinControl::Detach() {
    // A framework control that was freed unhooked us itself: then it is not ours to touch any more.
    const bool controlAlive = SavedWindowProc.Installed();
    const bool hadBinding = controlAlive || WndProcStub.Installed();
    SavedWindowProc.Remove();
    WndProcStub.Remove();
    if (!controlAlive) Control = nullptr;
    ISkinControlHost* host = Host();
    if (host && host->HotControlObject() == this) host->SetHotControlObject(nullptr);
    const bool closing = host && host->SkinPhase() == kPhaseClosing;
    if (UseSkinColour && Control && !closing) Control->SetColor(SavedColour);
    // The control draws itself again, its border included.
    if (hadBinding && !closing && Handle && IsWindow(Handle)) {
        RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    State = 0;
}

// ---- messages ----

void TSkinControl::SkinWndProc(gui::TMessage& message) {
    // A framework control's window may be destroyed to be made anew (a style it reads at creation changed):
    // the form skinning object is told, so that the new window is skinned too.
    gui::TWinControl* owner = nullptr;
    if (message.Msg == WM_NCDESTROY) owner = Control ? Control : gui::TWinControl::FromHandle(Handle);
    ISkinControlHost* host = owner ? Host() : nullptr;
    if (message.Msg == WM_PAINT && message.WParam == 0) skinnedOffscreen_ = false;
    if (!BeforeMessage(message)) return;
    CallPreviousProc(message);
    AfterMessage(message);
    if (host) host->ControlWindowDestroyed(*owner);
}

void TSkinControl::CallPreviousProc(gui::TMessage& message) {
    if (SavedWindowProc.Installed()) return SavedWindowProc.CallPrevious(message);
    WndProcStub.CallPrevious(message);
}

bool TSkinControl::BeforeMessage(gui::TMessage&) {
    return true;
}

void TSkinControl::AfterMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case gui::CM_ENABLEDCHANGED:
        return RedrawNow();
    case WM_SETTEXT:
        if (message.LParam) {
            Caption =
                gui::Narrow(reinterpret_cast<const wchar_t*>(message.LParam)).substr(0, kControlCaptionChars);
        }
        return RedrawNow();
    case WM_PAINT: {
        const auto dc = reinterpret_cast<HDC>(message.WParam);
        // The skin went over the control's off-screen paint, which is on the screen now: a control
        // without a frame of its own has nothing left to paint.
        if (!dc && skinnedOffscreen_) return;
        PaintSkin(dc);
        skinnedOffscreen_ = dc && Control && dc == Control->OffscreenDc() && !HasFrame();
        return;
    }
    case WM_NCDESTROY:
        Handle = nullptr; // gone: nothing to repaint, and a new window may get the same handle
        return Detach();
    default:
        return;
    }
}

bool TSkinControl::HasFrame() const {
    RECT client{}, window{};
    if (!GetClientRect(Handle, &client) || !GetWindowRect(Handle, &window)) return true;
    return client.right != window.right - window.left || client.bottom != window.bottom - window.top;
}

void TSkinControl::SendMouseLeave() {
    if (Handle) SendMessageW(Handle, gui::CM_MOUSELEAVE, 0, 0);
}

void TSkinControl::RedrawNow() {
    RECT rect{};
    if (!Handle || !GetWindowRect(Handle, &rect)) return;
    OffsetRect(&rect, -rect.left, -rect.top);
    if (!GetParent(Handle)) return;
    InvalidateRect(Handle, &rect, FALSE);
    UpdateWindow(Handle);
}

void TSkinControl::SkinChanged() {
    if (UseSkinColour && Control) Control->SetColor(SkinData->ButtonFaceColour);
    if (Handle) {
        InvalidateRect(Handle, nullptr, TRUE);
    } else if (GraphicControl) {
        GraphicControl->Invalidate();
    }
}

// ---- painting ----

void TSkinControl::PaintSkin(HDC dc) {
    RECT rect{};
    if (!Handle || !GetWindowRect(Handle, &rect)) return;
    WindowRect = rect;
    OffsetRect(&rect, -rect.left, -rect.top);
    if (dc) {
        try {
            DrawSkin(dc, rect);
        } catch (...) {
            // A painter that fails leaves the control as it painted itself.
            ReportCurrentException("control painter");
        }
        return;
    }
    gui::WindowDc windowDc(Handle, gui::WindowDc::WholeWindow);
    if (!windowDc) return;
    try {
        DrawSkin(windowDc.get(), rect);
    } catch (...) {
        ReportCurrentException("control painter");
    }
}

void TSkinControl::DrawSkin(HDC, const RECT&) {}

void TSkinControl::HandlePaintMessage(gui::TMessage& message) {
    const auto draw = [this](HDC dc) {
        RECT rect{};
        if (!dc || !GetWindowRect(Handle, &rect)) return;
        WindowRect = rect;
        OffsetRect(&rect, -rect.left, -rect.top);
        try {
            DrawSkin(dc, rect);
        } catch (...) {
            ReportCurrentException("control painter");
        }
    };
    if (HDC given = reinterpret_cast<HDC>(message.WParam)) {
        draw(given);
    } else {
        const gui::PaintDc paint(Handle);
        draw(paint.get());
    }
    message.Result = 0;
}

bool TSkinControl::PaintInsteadOfControl(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        HandlePaintMessage(message);
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        return true;
    }
}

COLORREF TSkinControl::FaceColour() const {
    return gui::ColorToRGB(SkinData ? SkinData->ButtonFaceColour : rtl::clBtnFace);
}

void TSkinControl::FillFace(HDC dc, const RECT& rect) const {
    const gui::UniqueBrush brush(CreateSolidBrush(FaceColour()));
    ::FillRect(dc, &rect, brush.get());
}

void TSkinControl::DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frameIndex,
                                  const Bitmap& bitmap) {
    // Canvas is the form's, shared by every control: it is only borrowed while it is free.
    const bool borrow = Canvas && !*Canvas;
    if (borrow) Canvas->Bind(dc);
    skin::DrawStripFrame(dc, rect, frameCount, frameIndex, bitmap);
    if (borrow) Canvas->Unbind();
}

void TSkinControl::DrawElementToWork(Bitmap& work, const RECT& rect, const TDataSkinObject& element,
                                     int trans, int frameCount, int frameIndex) const {
    if (rect.right < rect.left || rect.bottom < rect.top) return;
    const Pixel face = ColourToPixel(static_cast<Colour>(FaceColour()));
    const Rect area = win::ToRect(rect);
    FillRect(work, area, face);
    DrawSkinImage(work, Rect{0, 0, area.Width(), area.Height()}, element.Image, element.Margins(),
                  {.frame = frameIndex,
                   .frameCount = frameCount,
                   .transparent = trans == 1,
                   .tile = element.Tile != 0});
}

// ---- state ----

std::string TSkinControl::WindowText() const {
    std::wstring buffer(kControlCaptionChars + 1, L'\0');
    const LRESULT length =
        SendMessageW(Handle, WM_GETTEXT, kControlCaptionChars + 1, reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(std::clamp<LRESULT>(length, 0, kControlCaptionChars)));
    return gui::Narrow(buffer);
}

void TSkinControl::ReadWindowState() {
    Focused = Handle && TFocusSnapshot::Focus() == Handle;
    Enabled = Handle && !(GetWindowLongPtrW(Handle, GWL_STYLE) & WS_DISABLED);
    Caption = WindowText();
}

bool TSkinControl::ReadPropertyText(const rtl::TPersistent& object, const std::string& name,
                                    std::string& text) {
    const rtl::TPropInfo* property = object.ClassInfo().FindProperty(name);
    if (!property || !property->GetText) return false;
    text = property->GetText(object);
    return true;
}

bool TSkinControl::IsHotControl() const {
    const ISkinControlHost* host = Host();
    return host && host->HotControlObject() == this;
}

void TSkinControl::BecomeHotControl() {
    ISkinControlHost* host = Host();
    if (!host) return;
    ISkinControlObject* previous = host->HotControlObject();
    host->SetHotControlObject(this);
    if (previous && previous != this) previous->SendMouseLeave();
}

} // namespace skin
