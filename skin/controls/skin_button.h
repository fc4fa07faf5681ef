// Push buttons drawn from the skin's Buttons element: TSkinButton (plain push buttons, framework buttons and
// the buttons of dialogs), TSkinBitButton (a glyph beside the caption) and TSkinSpeedButton (window-less
// buttons with a glyph and a down state). All three replace the control's own painting and take the left
// mouse button over, so that the pressed look follows the skin.
#pragma once

#include "skin/controls/skin_control.h"

#include <functional>

namespace skin {

// Frames of the Buttons image.
constexpr int kButtonNormal = 1;
constexpr int kButtonPressed = 2;
constexpr int kButtonDisabled = 3;
constexpr int kButtonHot = 4; // also focused
constexpr int kButtonDefault = 5;
constexpr int kButtonFrames = 5;

// Glyph layouts of bitmap and speed buttons.
enum TGlyphLayout { glGlyphLeft, glGlyphRight, glGlyphTop, glGlyphBottom };

// What a bitmap or speed button shows beside its caption, read from the framework control.
struct TGlyphButtonLook {
    const Bitmap* Glyph = nullptr; // null or empty: no glyph
    int NumGlyphs = 1;
    int Layout = glGlyphLeft;
    int Margin = -1; // -1: automatic
    int Spacing = 4; // -1: automatic
    bool Down = false;
};

class TSkinButton : public TSkinControl {
  public:
    explicit TSkinButton(rtl::TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool BeforeMessage(gui::TMessage& message) override;
    void AfterMessage(gui::TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The frame of the Buttons image for the button's state now.
    int StateFrame(bool focused) const;
    // The caption colour of a state's frame.
    COLORREF StateTextColour(int frame) const;

    Bitmap FaceBitmap; // the whole button is composed here and copied to the window once

  protected:
    // Focused, Enabled and Caption from the window (the framework control's text when the window has none).
    void RefreshState();
    bool IsDefaultButton() const;
    // FaceBitmap sized to rect, the face colour under the frame of the Buttons element; false for no area.
    bool ComposeFace(const RECT& rect, int frame, int frameCount);
    RECT FaceRect() const { return RECT{0, 0, FaceBitmap.width(), FaceBitmap.height()}; }
    bool FocusRectHidden() const;
    void OnMouseMove();
    void OnLeftButtonUp();
    void OnMouseEnter();
    void OnMouseLeave();
};

class TSkinBitButton : public TSkinButton {
  public:
    using TSkinButton::TSkinButton;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void DrawSkin(HDC dc, const RECT& rect) override;

    // Reads the glyph strip of a framework bitmap or speed button, and its layout: the published numbers
    // (NumGlyphs, Layout, Margin, Spacing, Down) by name.
    TGlyphButtonLook ReadLook(gui::TControl& control);

  private:
    // The button's glyph strip as a skin bitmap (a copy kept in glyphCopy_ until the next read).
    const Bitmap* ReadGlyph(gui::TControl& control);
    Bitmap glyphCopy_;
};

class TSkinSpeedButton : public TSkinBitButton {
  public:
    explicit TSkinSpeedButton(rtl::TComponent* owner);
    ~TSkinSpeedButton() override;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Attaches to a control without a window of its own, through its message method.
    void AttachGraphic(gui::TControl& control, TSkinData& skinData, gui::TCanvas& canvas);
    void Detach() override;
    bool BeforeMessage(gui::TMessage& message) override;
    void AfterMessage(gui::TMessage& message) override;
    void PaintSkin(HDC dc) override;
    void PaintSpeedButton(HDC dc, const RECT& rect);

  private:
    // The speed button's own device context for painting outside WM_PAINT: its parent's, moved to it.
    void PaintOnParent();
};

} // namespace skin
