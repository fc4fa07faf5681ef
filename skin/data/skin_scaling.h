// Skin element records for a screen of another pixel density. Skins are designed at 96 DPI; at another DPI
// every length a painter reads of a record (margins, text shifts and clips, caption button places, the font
// height) and every image is scaled by dpi / 96, images frame by frame (see skin/draw/image_scaling.h).
#pragma once

#include "skin/data/skin_records.h"
#include "skin/draw/image_scaling.h"

namespace skin {

// The pixel density skins are designed at.
inline constexpr int kSkinDesignDpi = 96;

// The ratio that takes a 96-DPI skin to dpi. Raises rtl::Exception for a dpi that is not above 0.
ScaleRatio SkinScaleRatio(int dpi);

// The layout of a record's main image as the painters cut it: FrameCount frames side by side (stacked
// when vertical), margins from the record.
ImageLayout RecordImageLayout(const TDataSkinObject& record, bool vertical = false);

// Copies of source with their lengths and images scaled. The image of a record is scaled with layout; the
// second image of a border record with secondLayout (the mirrored combo button is mirrored again from the
// scaled image by the caller).
void ScaleRecordInto(const TDataSkinObject& source, TDataSkinObject& target, ScaleRatio ratio,
                     const ImageLayout& layout);
void ScaleRecordInto(const TDataSkinBorder& source, TDataSkinBorder& target, ScaleRatio ratio,
                     const ImageLayout& layout, const ImageLayout& secondLayout);
void ScaleRecordInto(const TDataSkinButton& source, TDataSkinButton& target, ScaleRatio ratio);
void ScaleRecordInto(const TDataSkinTitle& source, TDataSkinTitle& target, ScaleRatio ratio);
void ScaleRecordInto(const TDataSkinSysButton& source, TDataSkinSysButton& target, ScaleRatio ratio);

} // namespace skin
