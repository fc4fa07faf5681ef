// TSkinControl: the base of every control skinning object. One object sits in front of one control's
// message handling (a framework control's replaceable message method, or a plain window's procedure), keeps
// the little state the painters need (mouse over, pressed, focused, enabled, caption) and paints the control
// from the skin after, or instead of, the control's own painting. Descendants override the message filters
// (BeforeMessage, AfterMessage) and the painter (DrawSkin).
#pragma once

#include "framework/gui/canvas.h"
#include "framework/gui/control.h"
#include "framework/gui/hooks.h"
#include "framework/gui/subclass.h"
#include "skin/draw/bitmap.h"
#include "skin/engine.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace skin {

class TSkinData;
class TDataSkinObject;

// State bits.
constexpr std::uint8_t kMouseOver = 1;
constexpr std::uint8_t kPressed = 2;

// Longest window text a control skinning object keeps as its caption, in characters.
constexpr int kControlCaptionChars = 1000;

// The focused window, read once for a walk that attaches many controls: each read is a round trip to the
// window server under Wine. Attaching moves no focus; code the walk calls out to (an event handler) runs
// with the snapshot set aside, and the snapshot is read again after it.
class TFocusSnapshot {
  public:
    TFocusSnapshot();
    ~TFocusSnapshot();
    TFocusSnapshot(const TFocusSnapshot&) = delete;
    TFocusSnapshot& operator=(const TFocusSnapshot&) = delete;
    // The focused window: the innermost snapshot's, or the system's while none is taken or it is set aside.
    static HWND Focus();

    // While one lives, the snapshot taken (if any) is set aside; it is read again when this ends.
    class SetAside {
      public:
        SetAside();
        ~SetAside();
        SetAside(const SetAside&) = delete;
        SetAside& operator=(const SetAside&) = delete;

      private:
        TFocusSnapshot* taken_;
    };

  private:
    TFocusSnapshot* outer_;
    HWND focus_;
};

class TSkinControl : public rtl::TComponent, public ISkinControlObject {
  public:
    // owner: the form skinning object; it lists and frees the object once attached.
    explicit TSkinControl(rtl::TComponent* owner);
    ~TSkinControl() override;

    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Attaches to a framework control through its message method; a second attach does nothing.
    virtual void Attach(gui::TWinControl& control, TSkinData& skinData, bool useSkinColour,
                        gui::TCanvas& canvas);
    // Attaches to a plain window through its window procedure. Does not register with the form.
    virtual void AttachHandle(HWND handle, TSkinData& skinData, gui::TCanvas& canvas);
    // Gives the control its message handling (and colour) back; the object paints no more.
    void Detach() override;
    // Before the control's own handling: false when the skin answered the message (the control never sees
    // it; Result is what the filter left).
    virtual bool BeforeMessage(gui::TMessage& message);
    // After the control's own handling.
    virtual void AfterMessage(gui::TMessage& message);
    // Paints the whole window (border included) through DrawSkin; dc 0 takes the window's own.
    virtual void PaintSkin(HDC dc);
    // Draws the control onto dc; rect is the window rectangle at the origin.
    virtual void DrawSkin(HDC dc, const RECT& rect);
    // The skin changed: colours again, and a repaint with erase.
    void SkinChanged() override;

    void SkinWndProc(gui::TMessage& message);
    void CallPreviousProc(gui::TMessage& message);
    void SendMouseLeave() override;
    // Repaints the control at once, without erasing; only windows with a parent.
    void RedrawNow();
    void FillFace(HDC dc, const RECT& rect) const;
    // WM_PAINT answered by DrawSkin alone (painters that replace the control's own painting).
    void HandlePaintMessage(gui::TMessage& message);
    // The filter of painters that replace the control's own painting: WM_PAINT through DrawSkin,
    // WM_ERASEBKGND answered without erasing; false for those two (the control never sees them), true for the
    // rest.
    bool PaintInsteadOfControl(gui::TMessage& message);

    // The shared routines that need the object: the strip frame drawn through Canvas bound to dc, and a
    // skin element composed in a painter's work bitmap over the button face.
    void DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frameIndex, const Bitmap& bitmap);
    void DrawElementToWork(Bitmap& work, const RECT& rect, const TDataSkinObject& element, int trans,
                           int frameCount, int frameIndex) const;

    RECT ScreenRect() const override { return WindowRect; }
    HWND ControlWindow() const override { return Handle; }
    rtl::TComponent* ServedComponent() const override;

    bool MouseOver() const { return (State & kMouseOver) != 0; }
    bool Pressed() const { return (State & kPressed) != 0; }
    void SetState(std::uint8_t bit, bool on) { State = on ? (State | bit) : (State & ~bit); }

    std::uint8_t State = 0;
    gui::TCanvas* Canvas = nullptr; // the form's control canvas, not owned
    bool Enabled = false;
    bool Focused = false;
    std::string Caption;
    gui::TWindowSubclass WndProcStub; // a plain window's procedure, bound to SkinWndProc
    TSkinData* SkinData = nullptr;
    HWND Handle = nullptr;
    gui::TMessageHook SavedWindowProc; // a framework control's message method, replaced by SkinWndProc
    gui::TWinControl* Control = nullptr;
    RECT WindowRect{}; // screen coordinates, as of the last skin paint
    gui::TControl* GraphicControl = nullptr;
    bool UseSkinColour = false;
    gui::TColor SavedColour = 0;
    bool Attached = false;

  protected:
    // Attach's first steps: the fields, the control's window (made if need be).
    void BindControl(gui::TWinControl& control, TSkinData& skinData, bool useSkinColour,
                     gui::TCanvas& canvas);
    // With UseSkinColour: the control's own colour kept, the skin's face colour given.
    void TakeSkinColour();
    // Whether the window has a non-client area (a border, scroll bars) around its client area.
    bool HasFrame() const;
    // The form skinning object this object was created for, or null.
    ISkinControlHost* Host() const;
    bool IsHotControl() const;
    // Makes this object the form's hot control; the one before it (another control) is told it was left.
    void BecomeHotControl();
    // Reads Focused, Enabled and Caption from the window.
    void ReadWindowState();
    std::string WindowText() const;
    COLORREF FaceColour() const;
    // A published property of a framework object as text; false when it has no such property.
    static bool ReadPropertyText(const rtl::TPersistent& object, const std::string& name, std::string& text);

  private:
    bool skinnedOffscreen_ = false; // the skin was drawn into the paint under way's off-screen buffer
};

} // namespace skin
