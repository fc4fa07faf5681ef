// The element families of a skin. Each adds its images and the definition sections that name them; the
// skin builder calls them in the order the sections are written.
#pragma once

#include "tools/skingen/skin_model.h"
#include "tools/skingen/skin_params.h"

namespace skingen {

// [Personality]: the four borders, the caption text settings and background, the menu bar.
void AddFrameElements(Skin& skin, const SkinParams& params);
// The [Button...] caption buttons and the [MdiControls] strip.
void AddCaptionButtons(Skin& skin, const SkinParams& params);
// [Buttons] with its check and radio glyphs, [ToolBars], [GroupBoxEdge].
void AddButtonElements(Skin& skin, const SkinParams& params);
// [SunkEdge], [ComboButton], [ExtraImages].
void AddEditElements(Skin& skin, const SkinParams& params);
// [Scrollbar], [HorzScrollThumb], [HorzScroll], [VertScrollThumb], [VertScroll].
void AddScrollElements(Skin& skin, const SkinParams& params);
// [Tabs] with its page border, [Headerbar].
void AddTabElements(Skin& skin, const SkinParams& params);
// [StatusBarEdges], [Progress], the six track bar thumbs, the two up-downs.
void AddBarElements(Skin& skin, const SkinParams& params);
// [MenuItem], [MenuBackground].
void AddMenuElements(Skin& skin, const SkinParams& params);
// [TitlebarSkin] (added first by the builder), and [Colours], [Fonts], [Colour0] to [Colour4].
void AddSkinName(Skin& skin, const SkinParams& params);
void AddColourSections(Skin& skin, const SkinParams& params);

// Where the caption buttons sit: slot 0 is the rightmost. The value is the button's Xcoord, measured from
// the window's right edge to the button's left side.
int CaptionButtonXCoord(const Metrics& size, int slot);
// Between the end of the caption text and a help button shown beside it.
inline constexpr int kHelpButtonGap = 2;
// The caption buttons' Ycoord: centred in the caption.
int CaptionButtonYCoord(const Metrics& size);
// The caption's colour on row y of the top border (active or inactive), for images drawn over it.
Pixel CaptionColourAt(const SkinParams& params, bool active, int y);

} // namespace skingen
