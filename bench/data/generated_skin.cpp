#include "bench/data/generated_skin.h"

#include "skin/data/package_writer.h"
#include "skin/draw/bmp_writer.h"
#include "tools/skingen/bmp_output.h"
#include "tools/skingen/skin_builder.h"
#include "tools/skingen/skin_files.h"

#include <algorithm>

namespace skin::bench {

namespace {

constexpr int kMostIndexedColours = 256;

// The light theme half as large again: about the size of a stored skin with many controls.
skingen::SkinParams EnlargedLightTheme() {
    skingen::SkinParams params = skingen::LightTheme();
    skingen::Metrics& m = params.Size;
    for (int* size : {&m.CaptionHeight, &m.LeftWidth, &m.RightWidth, &m.BottomHeight, &m.CornerRadius,
                      &m.TopLeftEnd, &m.TopRightEnd, &m.CaptionButtonWidth, &m.CaptionButtonHeight,
                      &m.CaptionButtonGap, &m.CaptionButtonRightMargin, &m.IconSize, &m.IconLeft,
                      &m.MenuBarHeight, &m.ControlRadius, &m.ScrollThickness, &params.FontHeight}) {
        *size = *size * 3 / 2;
    }
    return params;
}

// As a paint program saves a skin part: 8 bits per pixel when the colours fit, else 24.
std::vector<std::uint8_t> SavedBitmap(const Bitmap& pixels) {
    const bool indexed = skingen::CountColours(pixels) <= kMostIndexedColours;
    return WriteBmp(pixels, {indexed ? BmpEncoding::Indexed8 : BmpEncoding::Rgb24});
}

} // namespace

std::vector<std::uint8_t> MakeGeneratedSkinPackage() {
    const skingen::Skin skin = skingen::BuildSkin(EnlargedLightTheme());
    std::vector<const skingen::SkinImage*> images;
    for (const skingen::SkinImage& image : skin.Images())
        images.push_back(&image);
    std::sort(images.begin(), images.end(),
              [](const skingen::SkinImage* a, const skingen::SkinImage* b) { return a->File < b->File; });

    PackageWriter writer;
    const skingen::SkinFile definition = skingen::SkinFiles(skin).front();
    writer.AddMember(definition.Name, definition.Bytes);
    for (const skingen::SkinImage* image : images)
        writer.AddMember(image->File, SavedBitmap(image->Pixels));
    return writer.Build();
}

} // namespace skin::bench
