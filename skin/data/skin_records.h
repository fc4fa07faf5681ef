// The skin element records: everything a painter reads of a skin element. A record owns its images,
// which are decoded once when the skin is loaded.
#pragma once

#include "framework/rtl/component.h"
#include "skin/draw/bitmap.h"
#include "skin/draw/colour.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace skin {

// NormalColour, MouseOverColour and PressedColour when the skin does not give them.
inline constexpr std::int32_t kColourNotGiven = -1;
// The caption text colours of TDataSkinTitle when the skin does not give them.
inline constexpr Colour kTitleColourNotSet = 0x1FFFFFFF;
// CombineOp of a caption button when the skin does not give it.
inline constexpr std::int32_t kCombineOpNotGiven = -1;

// One element: an image strip of FrameCount frames, the margins that cut a frame into nine parts, and
// how it is drawn. Records are moved, never copied: their images can be large. A skin scaled for another
// DPI copies them field by field (skin_scaling.cpp): a field added here is added there too.
class TDataSkinObject : public rtl::TObject {
  public:
    explicit TDataSkinObject(std::string name) : Name(std::move(name)) {}
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;
    TDataSkinObject(TDataSkinObject&&) noexcept = default;
    TDataSkinObject& operator=(TDataSkinObject&&) noexcept = default;

    // Bytes of pixel memory held by the record's images, and of the record itself.
    virtual std::size_t ImageBytes() const { return PixelBytes(Image); }
    virtual std::size_t RecordSize() const { return sizeof(*this) + HeapTextBytes(Name); }
    static std::size_t PixelBytes(const Bitmap& bitmap) {
        return static_cast<std::size_t>(bitmap.width()) * static_cast<std::size_t>(bitmap.height()) *
               sizeof(Pixel);
    }
    static std::size_t HeapTextBytes(const std::string& text) {
        return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
    }

    // The margins as the image routines take them: LeftWidth, TopHeight, RightWidth and BottomHeight.
    Rect Margins() const noexcept { return Rect{LeftWidth, TopHeight, RightWidth, BottomHeight}; }

    std::int32_t LeftWidth = 0;
    std::int32_t TopHeight = 0;
    std::int32_t RightWidth = 0;
    std::int32_t BottomHeight = 0;
    Bitmap Image;
    std::int32_t Trans = 0; // 0: opaque; otherwise the skin key colour is transparent
    std::int32_t Tile = 0;  // 0: the centre is stretched; 1: tiled
    std::string Name;       // the section name, or the side name of a border
    std::int32_t FrameCount = 0;
    std::int32_t Style = 0; // its meaning belongs to the painter of the element
    std::int32_t NormalColour = kColourNotGiven;
    std::int32_t MouseOverColour = kColourNotGiven;
    std::int32_t PressedColour = kColourNotGiven;
    Colour NormalColour2 = 0;
    Colour MouseOverColour2 = 0;
    Colour PressedColour2 = 0;
};

// An element with a second image: the tab panel border, the progress chunk, the arrow glyphs of the
// up-down buttons, or the mirrored image of the combo button. Frame borders leave it empty.
class TDataSkinBorder : public TDataSkinObject {
  public:
    using TDataSkinObject::TDataSkinObject;
    std::size_t ImageBytes() const override {
        return TDataSkinObject::ImageBytes() + PixelBytes(SecondImage);
    }
    std::size_t RecordSize() const override { return sizeof(*this) + HeapTextBytes(Name); }

    Bitmap SecondImage;
};

// The push button element, with the check box and radio button images and their frame counts.
class TDataSkinButton : public TDataSkinObject {
  public:
    using TDataSkinObject::TDataSkinObject;
    std::size_t ImageBytes() const override {
        return TDataSkinObject::ImageBytes() + PixelBytes(CheckButtonImage) + PixelBytes(RadioButtonImage);
    }
    std::size_t RecordSize() const override { return sizeof(*this) + HeapTextBytes(Name); }

    Bitmap CheckButtonImage;
    Bitmap RadioButtonImage;
    std::int32_t RadioButtonFrame = 0;
    std::int32_t CheckButtonFrame = 0;
};

// The caption text settings. The inherited fields hold: LeftWidth the text shift, TopHeight the
// vertical text shift, RightWidth the text's right clip, Image the text background.
class TDataSkinTitle : public TDataSkinObject {
  public:
    using TDataSkinObject::TDataSkinObject;
    std::size_t RecordSize() const override { return sizeof(*this) + HeapTextBytes(Name); }

    std::int32_t TextAlignment = 0;
    std::int32_t TextBackground = 0;
    std::int32_t FontHeight = 0;
    std::int32_t TextBackLeft = 0;
    std::int32_t TextBackRight = 0;
    Colour ActiveTextColour = kTitleColourNotSet;
    Colour InactiveTextColour = kTitleColourNotSet;
};

// One caption button; Name is its upper-cased section name. Action, Align and the visibilities are
// codes the caption buttons interpret.
class TDataSkinSysButton : public TDataSkinObject {
  public:
    using TDataSkinObject::TDataSkinObject;
    std::size_t RecordSize() const override { return sizeof(*this) + HeapTextBytes(Name); }

    std::int32_t Action = 0;
    std::int32_t Align = 0;
    std::int32_t XCoord = 0;
    std::int32_t YCoord = 0;
    std::int32_t CombineOp = kCombineOpNotGiven;
    std::int32_t Visibility = 0;
    std::int32_t Visibility1 = 0;
};

} // namespace skin
