#include "skin/controls/skin_button.h"

#include "framework/gui/bit_btn.h"
#include "framework/gui/handles.h"
#include "framework/gui/speed_button.h"
#include "skin/component/skin_data.h"
#include "skin/controls/control_drawing.h"
#include "skin/diagnostics.h"
#include "skin/draw/blit.h"
#include "skin/draw/win/bitmap_dc.h"

#include <cstdlib>
#include <optional>

namespace skin {
namespace {

// The focus rectangle sits this far inside the face, clear of the skin's edge.
constexpr int kFocusInset = 3;
constexpr int kGlyphCountLimit = 128;

bool HasButtonImage(const TSkinData* skin) {
    return skin && skin->Buttons && !skin->Buttons->Image.empty();
}

COLORREF Resolved(Colour colour) {
    return gui::ColorToRGB(static_cast<gui::TColor>(colour));
}

SIZE SizeOf(const RECT& rect) {
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// Where the framework's glyph and caption layout puts them: any layout other than right, top and bottom
// puts the glyph on the left.
gui::TGlyphPlacement PlaceGlyphAndCaption(const TGlyphButtonLook& look, SIZE clientSize, SIZE glyphSize,
                                          SIZE textSize, std::optional<int> speedButtonSpan = std::nullopt) {
    gui::TButtonLayout layout = gui::blGlyphLeft;
    switch (look.Layout) {
    case glGlyphRight:
        layout = gui::blGlyphRight;
        break;
    case glGlyphTop:
        layout = gui::blGlyphTop;
        break;
    case glGlyphBottom:
        layout = gui::blGlyphBottom;
        break;
    default:
        break;
    }
    return gui::PlaceGlyphAndCaption(clientSize, glyphSize, textSize, layout, look.Margin, look.Spacing,
                                     speedButtonSpan);
}

} // namespace

// ---- TSkinButton ----

TSkinButton::TSkinButton(rtl::TComponent* owner)
    : TSkinControl(owner), FaceBitmap(win::DibPixelAllocator(), 0, 0) {}

const rtl::TClassInfo& TSkinButton::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinButton", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

bool TSkinButton::BeforeMessage(gui::TMessage& message) {
    switch (message.Msg) {
    // A skin without a button image leaves the painting to the button: it would show nothing otherwise.
    case WM_PAINT:
        if (!HasButtonImage(SkinData)) return true;
        HandlePaintMessage(message);
        return false;
    case WM_ERASEBKGND:
        if (!HasButtonImage(SkinData)) return true;
        message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!Focused) SetFocus(Handle);
        SetState(kPressed, true);
        PaintSkin(nullptr);
        return false;
    default:
        return true;
    }
}

void TSkinButton::AfterMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (message.WParam == VK_SPACE) {
            SetState(kPressed, message.Msg == WM_KEYDOWN);
            RedrawNow();
        }
        return;
    case WM_MOUSEMOVE:
        return OnMouseMove();
    case WM_LBUTTONUP:
        return OnLeftButtonUp();
    case gui::CM_MOUSEENTER:
        return OnMouseEnter();
    case gui::CM_MOUSELEAVE:
        return OnMouseLeave();
    // The system button paints itself at once, not through WM_PAINT, when these change its look.
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_UPDATEUISTATE:
        return RedrawNow();
    default:
        return TSkinControl::AfterMessage(message);
    }
}

void TSkinButton::OnMouseMove() {
    if (MouseOver()) return;
    SetState(kMouseOver, true);
    if (!IsHotControl()) {
        RedrawNow();
        BecomeHotControl();
    }
}

void TSkinButton::OnLeftButtonUp() {
    if (!Pressed()) return;
    SetState(kPressed, false);
    RedrawNow();
    if (Control) {
        Control->Click();
    } else {
        PostMessageW(GetParent(Handle), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle), BN_CLICKED),
                     reinterpret_cast<LPARAM>(Handle));
    }
}

void TSkinButton::OnMouseEnter() {
    if (!Enabled) return;
    SetState(kMouseOver, true);
    RedrawNow();
    BecomeHotControl();
}

void TSkinButton::OnMouseLeave() {
    // A button disabled while hot forgets the mouse too, so it does not come back hot once enabled.
    const bool wasEnabled = Enabled;
    SetState(kMouseOver | kPressed, false);
    if (!wasEnabled) return;
    RedrawNow();
    if (ISkinControlHost* host = Host(); host && host->HotControlObject() == this)
        host->SetHotControlObject(nullptr);
}

void TSkinButton::RefreshState() {
    ReadWindowState();
    if (Control && !Control->Enabled()) Enabled = false;
    if (Caption.empty() && Control) Caption = Control->Caption();
}

bool TSkinButton::IsDefaultButton() const {
    return (GetWindowLongPtrW(Handle, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

bool TSkinButton::FocusRectHidden() const {
    return (SendMessageW(Handle, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
}

int TSkinButton::StateFrame(bool focused) const {
    if (!Enabled) return kButtonDisabled;
    // Pushed by the program too (BM_SETSTATE), as the system button would show it.
    if (Pressed() || (Handle && (SendMessageW(Handle, BM_GETSTATE, 0, 0) & BST_PUSHED)))
        return kButtonPressed;
    if (MouseOver() || focused) return kButtonHot;
    if (Handle && IsDefaultButton()) return kButtonDefault;
    return kButtonNormal;
}

COLORREF TSkinButton::StateTextColour(int frame) const {
    const TDataSkinButton& element = *SkinData->Buttons;
    switch (frame) {
    case kButtonDisabled:
        return GetSysColor(COLOR_BTNSHADOW);
    case kButtonPressed:
        return Resolved(element.PressedColour2);
    case kButtonHot:
        return Resolved(element.MouseOverColour2);
    default:
        return Resolved(element.NormalColour2);
    }
}

bool TSkinButton::ComposeFace(const RECT& rect, int frame, int frameCount) {
    const SIZE size = SizeOf(rect);
    if (size.cx <= 0 || size.cy <= 0) return false;
    FaceBitmap.set_size(size.cx, size.cy);
    FillRect(FaceBitmap, FaceBitmap.bounds(), ColourToPixel(static_cast<Colour>(FaceColour())));
    DrawSkinElement(FaceBitmap, RECT{0, 0, size.cx, size.cy}, *SkinData->Buttons, frame, frameCount);
    return true;
}

void TSkinButton::DrawSkin(HDC dc, const RECT& rect) {
    if (!HasButtonImage(SkinData)) return;
    RefreshState();
    const int frame = StateFrame(Focused);
    if (!ComposeFace(rect, frame, kButtonFrames)) return;
    const RECT face = FaceRect();
    {
        FaceCanvas text(FaceBitmap, Handle);
        SetTextColor(text.dc(), StateTextColour(frame));
        DrawCaptionText(text.canvas(), face, TextAlignment::Centre, Enabled, Caption);
        if (Focused && !FocusRectHidden()) {
            RECT focus = face;
            InflateRect(&focus, -kFocusInset, -kFocusInset);
            if (focus.right > focus.left && focus.bottom > focus.top) DrawFocusRect(text.dc(), &focus);
        }
    }
    win::CopyToDc(dc, rect.left, rect.top, FaceBitmap, FaceBitmap.bounds());
}

// ---- TSkinBitButton ----

const rtl::TClassInfo& TSkinBitButton::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinBitButton", &TSkinButton::StaticClassInfo(), {}};
    return info;
}

TGlyphButtonLook TSkinBitButton::ReadLook(gui::TControl& control) {
    TGlyphButtonLook look;
    std::string text;
    if (ReadPropertyText(control, "NumGlyphs", text))
        look.NumGlyphs = std::atoi(text.c_str()) % kGlyphCountLimit;
    if (ReadPropertyText(control, "Margin", text)) look.Margin = std::atoi(text.c_str());
    if (ReadPropertyText(control, "Spacing", text)) look.Spacing = std::atoi(text.c_str());
    if (ReadPropertyText(control, "Down", text)) look.Down = text == "true" || text == "True";
    if (ReadPropertyText(control, "Layout", text)) {
        static const char* const names[] = {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};
        for (int i = 0; i < 4; ++i) {
            if (text == names[i]) look.Layout = i;
        }
    }
    look.Glyph = ReadGlyph(control);
    return look;
}

const Bitmap* TSkinBitButton::ReadGlyph(gui::TControl& control) {
    const gui::TButtonGlyph* glyph = nullptr;
    if (auto* bitButton = dynamic_cast<gui::TBitBtn*>(&control)) glyph = &bitButton->ButtonGlyph();
    if (auto* speedButton = dynamic_cast<gui::TSpeedButton*>(&control)) glyph = &speedButton->ButtonGlyph();
    if (!glyph || glyph->GlyphBitmap().Empty()) return nullptr;
    // Copied on every read: a strip loaded again may get the freed strip's handle value, so a handle
    // cannot tell whether a kept copy is still right, and glyphs are small.
    const gui::TBitmap& strip = glyph->GlyphBitmap();
    glyphCopy_ = Bitmap(strip.Width(), strip.Height());
    const gui::UniqueDc memory(CreateCompatibleDC(nullptr));
    if (!memory || glyphCopy_.empty()) return nullptr;
    const gui::SelectedObject selected(memory.get(), strip.Handle());
    win::CopyFromDc(glyphCopy_, Point{0, 0}, memory.get(), Rect{0, 0, strip.Width(), strip.Height()});
    return &glyphCopy_;
}

void TSkinBitButton::DrawSkin(HDC dc, const RECT& rect) {
    if (!HasButtonImage(SkinData)) return;
    RefreshState();
    const bool focused = Control ? Control->Focused() : Focused;
    const int frame = StateFrame(focused);
    if (!ComposeFace(rect, frame, SkinData->Buttons->FrameCount)) return;
    const RECT face = FaceRect();

    TGlyphButtonLook look = Control ? ReadLook(*Control) : TGlyphButtonLook{};
    RECT client{};
    GetClientRect(Handle, &client);
    {
        FaceCanvas text(FaceBitmap, Handle);
        const int glyphs = look.NumGlyphs > 0 ? look.NumGlyphs : 1;
        const bool hasGlyph = look.Glyph && !look.Glyph->empty();
        const SIZE glyphSize = hasGlyph ? SIZE{look.Glyph->width() / glyphs, look.Glyph->height()} : SIZE{};
        RECT measured = face;
        if (!Caption.empty()) text.canvas().DrawText(Caption, measured, DT_CALCRECT);
        const SIZE textSize = Caption.empty() ? SIZE{} : SizeOf(measured);
        const gui::TGlyphPlacement layout = PlaceGlyphAndCaption(look, SizeOf(client), glyphSize, textSize);
        if (hasGlyph) {
            const RECT at{layout.Glyph.x, layout.Glyph.y, layout.Glyph.x + glyphSize.cx,
                          layout.Glyph.y + glyphSize.cy};
            DrawGlyphFrame(text.canvas(), at, glyphs, 1, *look.Glyph);
        }
        text.canvas().SetBkMode(TRANSPARENT);
        SetTextColor(text.dc(), StateTextColour(frame));
        RECT target = layout.Text;
        text.canvas().DrawText(Caption, target, layout.TextFormat);
    }
    win::CopyToDc(dc, rect.left, rect.top, FaceBitmap, FaceBitmap.bounds());
}

// ---- TSkinSpeedButton ----

TSkinSpeedButton::TSkinSpeedButton(rtl::TComponent* owner) : TSkinBitButton(owner) {}

TSkinSpeedButton::~TSkinSpeedButton() {
    Detach();
}

const rtl::TClassInfo& TSkinSpeedButton::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinSpeedButton", &TSkinBitButton::StaticClassInfo(), {}};
    return info;
}

void TSkinSpeedButton::AttachGraphic(gui::TControl& control, TSkinData& skinData, gui::TCanvas& canvas) {
    SkinData = &skinData;
    Canvas = &canvas;
    GraphicControl = &control;
    SavedWindowProc.Install(
        control, gui::TWndMethod::Of<&TSkinControl::SkinWndProc>(static_cast<TSkinControl*>(this)));
    if (ISkinControlHost* host = Host()) host->RegisterControlObject(this);
    Attached = true;
}

void TSkinSpeedButton::Detach() {
    if (!SavedWindowProc.Installed()) GraphicControl = nullptr; // freed: it unhooked us itself
    SavedWindowProc.Remove();
    TSkinBitButton::Detach();
    if (GraphicControl) GraphicControl->Invalidate(); // it paints itself again
}

bool TSkinSpeedButton::BeforeMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        if (!HasButtonImage(SkinData)) return true; // the button's own painting, as for push buttons
        if (GraphicControl && message.WParam) {
            const RECT client = GraphicControl->ClientRect();
            PaintSpeedButton(reinterpret_cast<HDC>(message.WParam),
                             RECT{0, 0, client.right - client.left, client.bottom - client.top});
        }
        message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallPreviousProc(message);
        SetState(kPressed, true);
        PaintSkin(nullptr);
        return false;
    default:
        return true; // the push button's filter has nothing for a window-less button here
    }
}

void TSkinSpeedButton::AfterMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_NCDESTROY:
    case gui::CM_BASE + 0x21:
        return Detach();
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (message.WParam != VK_SPACE) return;
        SetState(kPressed, message.Msg == WM_KEYDOWN);
        return PaintSkin(nullptr);
    case WM_LBUTTONUP:
        SetState(kPressed, false);
        return PaintSkin(nullptr);
    case gui::CM_MOUSEENTER:
        SetState(kMouseOver, true);
        return PaintSkin(nullptr);
    case gui::CM_MOUSELEAVE:
        SetState(kMouseOver | kPressed, false);
        if (GraphicControl && GraphicControl->Visible()) PaintSkin(nullptr);
        return;
    default:
        return TSkinButton::AfterMessage(message);
    }
}

void TSkinSpeedButton::PaintSkin(HDC) {
    if (GraphicControl) PaintOnParent();
}

void TSkinSpeedButton::PaintOnParent() {
    gui::TWinControl* parent = GraphicControl->Parent();
    if (!parent || !parent->HandleAllocated()) return;
    gui::WindowDc dc(parent->Handle());
    if (!dc) return;
    const RECT bounds = GraphicControl->BoundsRect();
    SetViewportOrgEx(dc.get(), bounds.left, bounds.top, nullptr);
    IntersectClipRect(dc.get(), 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
    try {
        PaintSpeedButton(dc.get(), RECT{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top});
    } catch (...) {
        ReportCurrentException("speed button painter");
    }
}

void TSkinSpeedButton::PaintSpeedButton(HDC dc, const RECT& rect) {
    if (!HasButtonImage(SkinData) || !GraphicControl) return;
    const SIZE size = SizeOf(rect);
    if (size.cx <= 0 || size.cy <= 0) return;
    Caption = GraphicControl->Caption();
    Enabled = GraphicControl->Enabled();
    TGlyphButtonLook look = ReadLook(*GraphicControl);
    int frame = StateFrame(false);
    if (look.Down) frame = kButtonPressed;
    if (frame == kButtonDefault) frame = kButtonNormal;
    int glyphFrame = frame == kButtonPressed ? 3 : frame == kButtonDisabled ? 2 : 1;
    const int glyphs = look.NumGlyphs > 0 ? look.NumGlyphs : 1;
    if (glyphs < glyphFrame) glyphFrame = 1;

    Bitmap work(win::DibPixelAllocator(), size.cx, size.cy);
    const TDataSkinButton& element = *SkinData->Buttons;
    DrawElementToWork(work, RECT{0, 0, size.cx, size.cy}, element, element.Trans, element.FrameCount, frame);
    {
        FaceCanvas text(work, nullptr);
        HFONT font = GraphicControl->EffectiveFont()->Handle();
        if (font) text.canvas().SetFont(font);
        const RECT client = GraphicControl->ClientRect();
        const SIZE clientSize = SizeOf(client);
        RECT measured{0, 0, clientSize.cx, clientSize.cy};
        if (!Caption.empty()) text.canvas().DrawText(Caption, measured, DT_CALCRECT);
        const SIZE textSize = Caption.empty() ? SIZE{} : SizeOf(measured);
        const bool hasGlyph = look.Glyph && !look.Glyph->empty();
        SetTextColor(text.dc(), StateTextColour(frame));
        if (hasGlyph) {
            const SIZE glyphSize{look.Glyph->width() / glyphs, look.Glyph->height()};
            const bool vertical = look.Layout == glGlyphTop || look.Layout == glGlyphBottom;
            const gui::TGlyphPlacement layout = PlaceGlyphAndCaption(look, clientSize, glyphSize, textSize,
                                                                     vertical ? clientSize.cy : size.cx);
            const RECT at{layout.Glyph.x, layout.Glyph.y, layout.Glyph.x + glyphSize.cx,
                          layout.Glyph.y + glyphSize.cy};
            DrawGlyphFrame(text.canvas(), at, glyphs, glyphFrame, *look.Glyph);
            text.canvas().SetBkMode(TRANSPARENT);
            RECT target = layout.Text;
            text.canvas().DrawText(Caption, target, layout.TextFormat);
        } else {
            DrawCaptionText(text.canvas(), RECT{0, 0, size.cx, size.cy}, TextAlignment::Centre, Enabled,
                            Caption);
        }
    }
    win::CopyToDc(dc, rect.left, rect.top, work, work.bounds());
}

} // namespace skin
