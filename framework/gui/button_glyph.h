// The glyph of bitmap and speed buttons: a bitmap holding NumGlyphs equal images side by side (up,
// disabled, pressed, down), placed beside the caption by Layout, Margin and Spacing.
#pragma once

#include "framework/gui/bitmap.h"
#include "framework/rtl/property_builders.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace gui {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Which image of the strip a state shows (0-based); a strip with fewer images shows the first.
enum TGlyphImage { giUp = 0, giDisabled = 1, giPressed = 2, giDown = 3 };

class TButtonGlyph : public rtl::TPersistent {
  public:
    TButtonGlyph();
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TBitmap* Glyph() { return &glyph_; }
    const TBitmap& GlyphBitmap() const { return glyph_; }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    // Space between the edge and the glyph; -1 centres glyph and caption together.
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    // Space between glyph and caption; -1 spreads the free space evenly.
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);

    // Glyph and caption drawn on dc within rect (the button's face), moved by offset pixels right and down
    // (a pressed button), in the system's text colour or greyed.
    void Draw(HDC dc, const RECT& rect, TGlyphImage image, const std::string& caption, HFONT font,
              bool enabled, int offset) const;

    // The component's own published properties for these, reached through part.
    template <class C> static std::vector<rtl::TPropInfo> PublishedBy(TButtonGlyph& (C::*part)()) {
        std::vector<rtl::TPropInfo> properties;
        for (const rtl::TPropInfo& info : StaticClassInfo().Properties) {
            properties.push_back(rtl::DelegatedProperty(info, part));
        }
        return properties;
    }

    // Called after any change, to repaint the button.
    std::function<void()> OnChange;

  private:
    void Changed() {
        if (OnChange) OnChange();
    }

    TBitmap glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};

// Where glyph and caption go on a face of clientSize.
struct TGlyphPlacement {
    POINT Glyph{};
    RECT Text{};
    UINT TextFormat = DT_LEFT;
};
// speedButtonSpan: the speed button's rule for an automatic margin with a given spacing, which centres along
// that span (the face's width for glyphs left and right) instead of the client size and adds one.
TGlyphPlacement PlaceGlyphAndCaption(SIZE clientSize, SIZE glyphSize, SIZE textSize, TButtonLayout layout,
                                     int margin, int spacing,
                                     std::optional<int> speedButtonSpan = std::nullopt);

// Adds the properties of extra after those of base (class information tables built from parts).
std::vector<rtl::TPropInfo> JoinProperties(std::vector<rtl::TPropInfo> base,
                                           const std::vector<rtl::TPropInfo>& extra);

} // namespace gui
