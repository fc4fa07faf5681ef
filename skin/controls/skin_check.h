// TSkinCheckBox and TSkinRadioButton: the check mark box and the radio circle of check boxes and radio
// buttons replaced by a glyph of the skin, drawn over the control's own box after each of its paints.
#pragma once

#include "skin/controls/skin_control.h"
#include "skin/data/skin_records.h"

#include <cstdint>

namespace skin {

// Glyph frames.
constexpr int kGlyphUnchecked = 1;
constexpr int kGlyphChecked = 2;
constexpr int kGlyphDisabledOffset = 2; // unchecked 3, checked 4
constexpr int kGlyphIndeterminate = 4;
// The glyph is centred in a column this wide at the box's side of the control.
constexpr int kGlyphColumn = 14;

// The width of the box the system draws for a check box or radio button, at this many dots per inch.
int SystemGlyphBox(int dpi) noexcept;

// What the two share: the repaints that follow a check state change, and the glyph placed by the style.
class TSkinGlyphButton : public TSkinControl {
  public:
    // image, frames: the glyph strip of the Buttons element and its frame count.
    TSkinGlyphButton(rtl::TComponent* owner, Bitmap TDataSkinButton::*image,
                     std::int32_t TDataSkinButton::*frames)
        : TSkinControl(owner), image_(image), frames_(frames) {}
    bool BeforeMessage(gui::TMessage& message) override;
    void AfterMessage(gui::TMessage& message) override;
    // Over a whole paint of the control: the glyph's cell in the face colour (no edge of the system's box
    // left around a smaller glyph), the caption moved clear of a glyph wider than that box, then the glyph.
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The glyph's rectangle in rect for a glyph of width x height.
    RECT GlyphRect(const RECT& rect, int width, int height) const;
    // The glyph frame for the control's state now.
    virtual int GlyphFrame() const = 0;

  protected:
    // The control's own paint made off-screen, the skin drawn over it, and the whole copied once: the caption
    // is moved within a complete paint, never within what an earlier paint left on the screen.
    void PaintComposed(gui::TMessage& message);
    // Checked (2) or unchecked (1): a framework control's published "Checked" decides when it has one.
    int CheckedValue(LRESULT windowAnswer) const;

  private:
    Bitmap TDataSkinButton::*image_;
    std::int32_t TDataSkinButton::*frames_;
};

class TSkinCheckBox : public TSkinGlyphButton {
  public:
    explicit TSkinCheckBox(rtl::TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    int GlyphFrame() const override;
};

class TSkinRadioButton : public TSkinGlyphButton {
  public:
    explicit TSkinRadioButton(rtl::TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    int GlyphFrame() const override;
};

} // namespace skin
