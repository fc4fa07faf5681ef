#include "skin/data/skin_scaling.h"

#include "framework/rtl/exceptions.h"

#include <string>

namespace skin {
namespace {

// The caption text background is a two-frame stack cut at its text margins only.
constexpr int kTitleFrames = 2;

// Every field of the record itself, lengths scaled; the image is scaled with layout.
void CopyObjectFields(const TDataSkinObject& source, TDataSkinObject& target, ScaleRatio ratio,
                      const ImageLayout& layout) {
    target.LeftWidth = ScaleLength(source.LeftWidth, ratio);
    target.TopHeight = ScaleLength(source.TopHeight, ratio);
    target.RightWidth = ScaleLength(source.RightWidth, ratio);
    target.BottomHeight = ScaleLength(source.BottomHeight, ratio);
    target.Image = ScaleSkinImage(source.Image, ratio, layout);
    target.Trans = source.Trans;
    target.Tile = source.Tile;
    target.Name = source.Name;
    target.FrameCount = source.FrameCount;
    target.Style = source.Style;
    target.NormalColour = source.NormalColour;
    target.MouseOverColour = source.MouseOverColour;
    target.PressedColour = source.PressedColour;
    target.NormalColour2 = source.NormalColour2;
    target.MouseOverColour2 = source.MouseOverColour2;
    target.PressedColour2 = source.PressedColour2;
}

ImageLayout GlyphStrip(int frames) {
    return ImageLayout{.frameCount = frames};
}

} // namespace

ScaleRatio SkinScaleRatio(int dpi) {
    if (dpi <= 0) throw rtl::Exception("a skin cannot be scaled for " + std::to_string(dpi) + " DPI");
    return ScaleRatio{dpi, kSkinDesignDpi};
}

ImageLayout RecordImageLayout(const TDataSkinObject& record, bool vertical) {
    return ImageLayout{.frameCount = record.FrameCount, .vertical = vertical, .margins = record.Margins()};
}

void ScaleRecordInto(const TDataSkinObject& source, TDataSkinObject& target, ScaleRatio ratio,
                     const ImageLayout& layout) {
    CopyObjectFields(source, target, ratio, layout);
}

void ScaleRecordInto(const TDataSkinBorder& source, TDataSkinBorder& target, ScaleRatio ratio,
                     const ImageLayout& layout, const ImageLayout& secondLayout) {
    CopyObjectFields(source, target, ratio, layout);
    target.SecondImage = ScaleSkinImage(source.SecondImage, ratio, secondLayout);
}

void ScaleRecordInto(const TDataSkinButton& source, TDataSkinButton& target, ScaleRatio ratio) {
    CopyObjectFields(source, target, ratio, RecordImageLayout(source));
    target.CheckButtonImage =
        ScaleSkinImage(source.CheckButtonImage, ratio, GlyphStrip(source.CheckButtonFrame));
    target.RadioButtonImage =
        ScaleSkinImage(source.RadioButtonImage, ratio, GlyphStrip(source.RadioButtonFrame));
    target.RadioButtonFrame = source.RadioButtonFrame;
    target.CheckButtonFrame = source.CheckButtonFrame;
}

void ScaleRecordInto(const TDataSkinTitle& source, TDataSkinTitle& target, ScaleRatio ratio) {
    const ImageLayout background{.frameCount = kTitleFrames,
                                 .vertical = true,
                                 .margins = {source.TextBackLeft, 0, source.TextBackRight, 0}};
    CopyObjectFields(source, target, ratio, background);
    target.TextAlignment = source.TextAlignment;
    target.TextBackground = source.TextBackground;
    target.FontHeight = ScaleLength(source.FontHeight, ratio);
    target.TextBackLeft = ScaleLength(source.TextBackLeft, ratio);
    target.TextBackRight = ScaleLength(source.TextBackRight, ratio);
    target.ActiveTextColour = source.ActiveTextColour;
    target.InactiveTextColour = source.InactiveTextColour;
}

void ScaleRecordInto(const TDataSkinSysButton& source, TDataSkinSysButton& target, ScaleRatio ratio) {
    CopyObjectFields(source, target, ratio, GlyphStrip(source.FrameCount));
    target.Action = source.Action;
    target.Align = source.Align;
    target.XCoord = ScaleLength(source.XCoord, ratio);
    target.YCoord = ScaleLength(source.YCoord, ratio);
    target.CombineOp = source.CombineOp;
    target.Visibility = source.Visibility;
    target.Visibility1 = source.Visibility1;
}

} // namespace skin
