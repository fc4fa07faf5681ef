// The skin's name, its colours (which replace the system colours wherever the engine paints), the font
// height and the colour table.
#include "tools/skingen/elements.h"

namespace skingen {

void AddSkinName(Skin& skin, const SkinParams& p) {
    Section& s = skin.AddSection("TitlebarSkin");
    s.Set("SkinName", p.SkinName);
    if (p.HighContrast) s.Set("HighContrast", 1);
}

void AddColourSections(Skin& skin, const SkinParams& p) {
    const Palette& c = p.Colours;
    Section& s = skin.AddSection("Colours");
    s.Set("WindowText", ColourText(c.Text));
    s.Set("ButtonFace", ColourText(c.Face));
    s.Set("Scrollbar", ColourText(c.ScrollTrack));
    s.Set("HilightText", ColourText(c.MenuSelectionText));
    s.Set("Hilight", ColourText(c.MenuSelection));
    s.Set("Menubar", ColourText(c.MenuBar));
    s.Set("Menu", ColourText(c.Menu));
    s.Set("MenuText", ColourText(c.MenuText));
    s.Set("ButtonText", ColourText(c.ButtonText));
    // The button highlight colour frames the hot item of the menu bar.
    s.Set("ButtonHilight", ColourText(c.MenuBarHot));
    s.Set("Buttonlight", ColourText(c.ButtonTop));
    // The button shadow colour is the edit boxes' outline and the text of disabled menu items.
    s.Set("ButtonShadow", ColourText(c.FieldBorder));
    s.Set("ButtonDkShadow", ColourText(c.ButtonOutline));
    s.Set("MenuBarText", ColourText(c.MenuBarText));
    s.Set("TitleTextActive", ColourText(c.CaptionText));
    s.Set("TitleTextNoActive", ColourText(c.CaptionTextInactive));

    skin.AddSection("Fonts").Set("FontHeight", p.FontHeight);

    // The colour table, for painters that take extra colours from the skin: accent, face, text, window
    // outline and selection.
    const Pixel table[] = {c.Accent, c.Face, c.Text, c.FrameOutline, c.MenuSelection};
    for (std::size_t i = 0; i < std::size(table); ++i) {
        skin.AddSection("Colour" + std::to_string(i)).Set("color", ColourText(table[i]));
    }
}

} // namespace skingen
