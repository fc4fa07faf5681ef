// The few numbers and colours every skin image is drawn from. A theme is one SkinParams value; the element
// families derive all their shapes and shades from it, so a new colour scheme is a new palette here and
// nothing else.
#pragma once

#include "skin/draw/colour.h"

#include <string>
#include <string_view>

namespace skingen {

using skin::Pixel;

// Sizes in pixels at the skin's source size.
struct Metrics {
    int CaptionHeight = 30; // height of one frame of the top border: the caption strip
    int LeftWidth = 4;      // width of one frame of the left border
    int RightWidth = 4;     // width of one frame of the right border
    int BottomHeight = 4;   // height of one frame of the bottom border
    int CornerRadius = 8;   // rounded top corners of the window, cut with the key colour
    int TopLeftEnd = 25;    // fixed ends of the top border, kept at source size
    int TopRightEnd = 32;
    int CaptionButtonWidth = 30;
    int CaptionButtonHeight = 22;
    int CaptionButtonGap = 2;
    int CaptionButtonRightMargin = 2; // between the last caption button and the right border
    int IconSize = 16;
    int IconLeft = 9;         // the window icon button's distance from the window's left edge
    int MenuBarHeight = 19;   // the system's menu bar height the bar image is drawn for (it stretches)
    int ControlRadius = 3;    // rounded corners of push buttons, tabs and menu highlights
    int ScrollThickness = 16; // scroll bars are composed 16 pixels thick
};

// Colours as pixels (0x00RRGGBB). Names say where a colour shows, not what it is.
struct Palette {
    Pixel Face;        // window and dialog background (the skin's button face)
    Pixel Text;        // main text on Face
    Pixel TextMuted;   // secondary text
    Pixel Accent;      // focus, selection and progress
    Pixel AccentText;  // text and glyphs on Accent
    Pixel Field;       // edit and list fields (the system draws them white)
    Pixel FieldBorder; // 1-pixel outline of fields; also the skin's button shadow colour
    Pixel Separator;   // faint lines between areas

    // Window frame.
    Pixel FrameOutline; // the 1-pixel window outline, active
    Pixel FrameOutlineInactive;
    Pixel FrameFill, FrameFillInactive;              // side and bottom borders inside the outline
    Pixel CaptionTop, CaptionBottom;                 // caption gradient, active
    Pixel CaptionInactiveTop, CaptionInactiveBottom; // caption gradient, inactive
    Pixel CaptionText, CaptionTextInactive;
    Pixel CaptionGlyph, CaptionGlyphInactive;    // caption button glyphs
    Pixel CaptionHot, CaptionPressed;            // caption button backgrounds
    Pixel CloseHot, ClosePressed, CloseGlyphHot; // the close button turns red

    // Menus.
    Pixel MenuBar, MenuBarInactive, MenuBarLine, MenuBarText, MenuBarHot;
    Pixel Menu, MenuBorder, MenuText, MenuSelection, MenuSelectionText;

    // Push buttons: gradient top and bottom, outline and text per state.
    Pixel ButtonTop, ButtonBottom, ButtonOutline, ButtonText;
    Pixel ButtonHotTop, ButtonHotBottom, ButtonHotOutline, ButtonHotText;
    Pixel ButtonPressedTop, ButtonPressedBottom, ButtonPressedOutline, ButtonPressedText;
    Pixel ButtonDisabledTop, ButtonDisabledBottom, ButtonDisabledOutline;

    // Small controls.
    Pixel GlyphBox, GlyphBoxBorder; // check box and radio button, unchecked
    Pixel Disabled, DisabledBorder; // greyed glyphs and their outlines
    Pixel ScrollTrack, ScrollThumb, ScrollThumbHot, ScrollThumbPressed, ScrollArrow, ScrollArrowPressed;
    Pixel TabFace, TabSelected, TabBorder, TabText, TabSelectedText;
    Pixel Header, HeaderBottom, HeaderLine;
    Pixel StatusBar, StatusBarLine, StatusBarText;
    Pixel ProgressTrack;
};

// Choices of the element families that are neither sizes nor colours. Our two skins share them; the test
// skin takes the other choice wherever the engine offers one.
struct Styles {
    bool OpaqueBorders = false;     // square corners and no key colour in any border (all four Trans 0)
    bool InnerEdge = false;         // a 1-pixel outline along the inner edge of the borders
    int BottomFrames = 2;           // 2: active and inactive; 1: one look for both
    int CaptionButtonFrames = 4;    // 4: normal, pressed, hot, inactive over the caption's own gradient;
                                    // 3: normal, pressed, hot on the key colour (the caption shows through)
    bool HelpBesideCaption = false; // the help button shown just after the caption text
    int CheckSide = 13;             // check box glyph, square
    int RadioSide = 13;             // radio button glyph, square
    int ButtonMargin = 4;           // fixed edges of push buttons and tool bar buttons
    bool ChunkProgress = false;     // progress as a row of chunks on a one-frame track
    int ScrollThumbFrames = 3;      // 3: normal, pressed, hot; 2: normal, pressed
    int TabLeft = 4, TabTop = 4, TabRight = 4, TabBottom = 2; // tab margins
    // Hot and focused push buttons, caption buttons, combo boxes and the focused tab carry a cue this many
    // pixels thick in CueColour, inside their own outline; 0 for none (the plain outline alone).
    int CueWidth = 0;
    Pixel CueColour = 0;
};

struct SkinParams {
    std::string Theme;         // "default", "dark", "contrast" or "asymmetric": the generator's name for it
    std::string SkinName;      // the definition's SkinName
    bool HighContrast = false; // written as [TitlebarSkin] HighContrast=1: kept in the system's high contrast
    Metrics Size;
    Styles Style;
    Palette Colours;
    int FontHeight = 14;
};

// The calm light theme shipped with the main window.
SkinParams LightTheme();
// The second theme: a graphite frame, caption, menus, push buttons and status bar around a light working
// area (the controls the engine leaves to the system keep black text, so the area they sit on stays light).
SkinParams GraphiteTheme();

// For the system's high-contrast mode: black frame, caption, menu bar, push buttons, tabs and status bar
// with white text, a white working area and white popup menus with black text, yellow for what is hot,
// pressed, selected or active, and thick cues on hot and focused controls. Every text keeps at least 7:1
// against what it is drawn on.
SkinParams HighContrastTheme();

// Test data, not a look we ship: a teal frame whose borders differ on every side (7 pixels left, 3 right,
// 5 at the bottom, none of them transparent), a 40-pixel caption, three-frame caption buttons of another
// size with a help button beside the caption text, glyphs smaller and larger than the system's box, a
// chunked progress bar and other margins and frame counts wherever a skin may choose them. Faults that our
// two look-alike skins hide show up with it.
SkinParams AsymmetricTestTheme();

// The theme of a command-line name ("default", "dark", "contrast", "asymmetric"); raises rtl::Exception for
// any other name.
SkinParams ThemeByName(std::string_view name);

} // namespace skingen
