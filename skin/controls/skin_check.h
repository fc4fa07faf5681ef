// TSkinCheckBox and TSkinRadioButton: the check mark box and the radio circle of check boxes and radio
// buttons replaced by a glyph of the skin, drawn over the control's own box after each of its paints.
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

// Glyph frames.
constexpr int kGlyphUnchecked = 1;
constexpr int kGlyphChecked = 2;
constexpr int kGlyphDisabledOffset = 2; // unchecked 3, checked 4
constexpr int kGlyphIndeterminate = 4;
// The glyph is centred in a column this wide at the box's side of the control.
constexpr int kGlyphColumn = 14;

// What the two share: the repaints that follow a check state change, and the glyph placed by the style.
class TSkinGlyphButton : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void AfterMessage(gui::TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The glyph's rectangle in rect for a glyph of width x height.
    RECT GlyphRect(const RECT& rect, int width, int height) const;
    // The glyph frame for the control's state now.
    virtual int GlyphFrame() const = 0;

protected:
    virtual const Bitmap* GlyphImage() const = 0;
    virtual int GlyphFrameCount() const = 0;
    // Checked (2) or unchecked (1): a framework control's published "Checked" decides when it has one.
    int CheckedValue(LRESULT windowAnswer) const;
};

class TSkinCheckBox : public TSkinGlyphButton {
public:
    using TSkinGlyphButton::TSkinGlyphButton;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    int GlyphFrame() const override;

protected:
    const Bitmap* GlyphImage() const override;
    int GlyphFrameCount() const override;
};

class TSkinRadioButton : public TSkinGlyphButton {
public:
    using TSkinGlyphButton::TSkinGlyphButton;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    int GlyphFrame() const override;

protected:
    const Bitmap* GlyphImage() const override;
    int GlyphFrameCount() const override;
};

} // namespace skin
