#include "tools/skingen/skin_params.h"

#include "framework/rtl/exceptions.h"

namespace skingen {

namespace {

constexpr Pixel Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return skin::MakePixel(r, g, b);
}

} // namespace

SkinParams LightTheme() {
    SkinParams s;
    s.Theme = "default";
    s.SkinName = "Marivel Light";
    Palette& c = s.Colours;
    c.Face = Rgb(243, 244, 247);
    c.Text = Rgb(31, 35, 43);
    c.TextMuted = Rgb(88, 96, 110);
    c.Accent = Rgb(44, 108, 204);
    c.AccentText = Rgb(255, 255, 255);
    c.Field = Rgb(255, 255, 255);
    c.FieldBorder = Rgb(160, 168, 182);
    c.Separator = Rgb(222, 226, 232);

    c.FrameOutline = Rgb(112, 130, 160);
    c.FrameOutlineInactive = Rgb(178, 183, 192);
    c.FrameFill = c.Face;
    c.FrameFillInactive = c.Face;
    c.CaptionTop = Rgb(254, 254, 255);
    c.CaptionBottom = Rgb(232, 236, 243);
    c.CaptionInactiveTop = Rgb(248, 249, 250);
    c.CaptionInactiveBottom = Rgb(239, 241, 244);
    c.CaptionText = Rgb(31, 35, 43);
    c.CaptionTextInactive = Rgb(128, 134, 146);
    c.CaptionGlyph = Rgb(58, 65, 78);
    c.CaptionGlyphInactive = Rgb(150, 156, 167);
    c.CaptionHot = Rgb(215, 221, 231);
    c.CaptionPressed = Rgb(196, 205, 219);
    c.CloseHot = Rgb(212, 54, 54);
    c.ClosePressed = Rgb(172, 38, 38);
    c.CloseGlyphHot = Rgb(255, 255, 255);

    c.MenuBar = c.Face;
    c.MenuBarInactive = c.Face;
    c.MenuBarLine = c.Separator;
    c.MenuBarText = Rgb(31, 35, 43);
    c.MenuBarHot = Rgb(132, 160, 206);
    c.Menu = Rgb(255, 255, 255);
    c.MenuBorder = Rgb(170, 178, 192);
    c.MenuText = Rgb(31, 35, 43);
    c.MenuSelection = Rgb(222, 233, 250);
    c.MenuSelectionText = Rgb(20, 32, 52);

    c.ButtonTop = Rgb(255, 255, 255);
    c.ButtonBottom = Rgb(238, 241, 245);
    c.ButtonOutline = Rgb(172, 180, 194);
    c.ButtonText = Rgb(31, 35, 43);
    c.ButtonHotTop = Rgb(250, 252, 255);
    c.ButtonHotBottom = Rgb(229, 238, 251);
    c.ButtonHotOutline = Rgb(92, 138, 210);
    c.ButtonHotText = Rgb(31, 35, 43);
    c.ButtonPressedTop = Rgb(212, 222, 238);
    c.ButtonPressedBottom = Rgb(222, 230, 243);
    c.ButtonPressedOutline = Rgb(80, 120, 186);
    c.ButtonPressedText = Rgb(18, 28, 46);
    c.ButtonDisabledTop = Rgb(247, 248, 249);
    c.ButtonDisabledBottom = Rgb(241, 242, 244);
    c.ButtonDisabledOutline = Rgb(208, 212, 219);

    c.GlyphBox = Rgb(255, 255, 255);
    c.GlyphBoxBorder = Rgb(140, 149, 165);
    c.Disabled = Rgb(232, 234, 237);
    c.DisabledBorder = Rgb(196, 201, 209);
    c.ScrollTrack = Rgb(236, 238, 241);
    c.ScrollThumb = Rgb(188, 195, 206);
    c.ScrollThumbHot = Rgb(160, 169, 184);
    c.ScrollThumbPressed = Rgb(124, 135, 154);
    c.ScrollArrow = Rgb(100, 108, 122);
    c.ScrollArrowPressed = Rgb(44, 108, 204);
    c.TabFace = Rgb(232, 235, 240);
    c.TabSelected = c.Face;
    c.TabBorder = Rgb(180, 187, 199);
    c.TabText = Rgb(74, 82, 96);
    c.TabSelectedText = Rgb(31, 35, 43);
    c.Header = Rgb(251, 251, 252);
    c.HeaderBottom = Rgb(237, 239, 243);
    c.HeaderLine = Rgb(204, 209, 218);
    c.StatusBar = Rgb(236, 238, 242);
    c.StatusBarLine = Rgb(212, 216, 223);
    c.StatusBarText = Rgb(58, 64, 76);
    c.ProgressTrack = Rgb(224, 228, 234);
    return s;
}

SkinParams GraphiteTheme() {
    SkinParams s;
    s.Theme = "dark";
    s.SkinName = "Marivel Graphite";
    Palette& c = s.Colours;
    c.Face = Rgb(218, 221, 226);
    c.Text = Rgb(24, 27, 33);
    c.TextMuted = Rgb(74, 81, 93);
    c.Accent = Rgb(46, 106, 196);
    c.AccentText = Rgb(255, 255, 255);
    c.Field = Rgb(255, 255, 255);
    c.FieldBorder = Rgb(110, 117, 130);
    c.Separator = Rgb(190, 195, 203);

    c.FrameOutline = Rgb(14, 16, 20);
    c.FrameOutlineInactive = Rgb(60, 64, 72);
    c.FrameFill = Rgb(49, 53, 61);
    c.FrameFillInactive = Rgb(58, 62, 69);
    c.CaptionTop = Rgb(60, 65, 75);
    c.CaptionBottom = Rgb(43, 47, 55);
    c.CaptionInactiveTop = Rgb(72, 76, 84);
    c.CaptionInactiveBottom = Rgb(62, 66, 73);
    c.CaptionText = Rgb(238, 240, 244);
    c.CaptionTextInactive = Rgb(156, 162, 172);
    c.CaptionGlyph = Rgb(216, 220, 228);
    c.CaptionGlyphInactive = Rgb(136, 142, 152);
    c.CaptionHot = Rgb(70, 76, 88);
    c.CaptionPressed = Rgb(86, 93, 107);
    c.CloseHot = Rgb(200, 48, 48);
    c.ClosePressed = Rgb(158, 34, 34);
    c.CloseGlyphHot = Rgb(255, 255, 255);

    c.MenuBar = c.FrameFill;
    c.MenuBarInactive = c.FrameFillInactive;
    c.MenuBarLine = Rgb(38, 41, 48);
    c.MenuBarText = Rgb(230, 233, 238);
    c.MenuBarHot = Rgb(124, 132, 147);
    c.Menu = Rgb(47, 51, 59);
    c.MenuBorder = Rgb(20, 22, 26);
    c.MenuText = Rgb(230, 233, 238);
    c.MenuSelection = Rgb(42, 98, 182);
    c.MenuSelectionText = Rgb(255, 255, 255);

    c.ButtonTop = Rgb(74, 80, 92);
    c.ButtonBottom = Rgb(56, 61, 71);
    c.ButtonOutline = Rgb(28, 31, 37);
    c.ButtonText = Rgb(242, 244, 247);
    c.ButtonHotTop = Rgb(86, 93, 107);
    c.ButtonHotBottom = Rgb(68, 74, 86);
    c.ButtonHotOutline = Rgb(46, 106, 196);
    c.ButtonHotText = Rgb(255, 255, 255);
    c.ButtonPressedTop = Rgb(40, 44, 52);
    c.ButtonPressedBottom = Rgb(50, 54, 63);
    c.ButtonPressedOutline = Rgb(18, 20, 24);
    c.ButtonPressedText = Rgb(226, 230, 236);
    c.ButtonDisabledTop = Rgb(236, 238, 241);
    c.ButtonDisabledBottom = Rgb(228, 230, 234);
    c.ButtonDisabledOutline = Rgb(178, 183, 191);

    c.GlyphBox = Rgb(255, 255, 255);
    c.GlyphBoxBorder = Rgb(96, 103, 116);
    c.Disabled = Rgb(206, 209, 214);
    c.DisabledBorder = Rgb(166, 171, 180);
    c.ScrollTrack = Rgb(202, 206, 212);
    c.ScrollThumb = Rgb(124, 131, 143);
    c.ScrollThumbHot = Rgb(100, 107, 120);
    c.ScrollThumbPressed = Rgb(72, 78, 90);
    c.ScrollArrow = Rgb(58, 64, 76);
    c.ScrollArrowPressed = Rgb(46, 106, 196);
    c.TabFace = Rgb(198, 202, 209);
    c.TabSelected = c.Face;
    c.TabBorder = Rgb(126, 133, 145);
    c.TabText = Rgb(46, 51, 60);
    c.TabSelectedText = Rgb(20, 22, 27);
    c.Header = Rgb(232, 234, 238);
    c.HeaderBottom = Rgb(214, 217, 222);
    c.HeaderLine = Rgb(160, 166, 176);
    c.StatusBar = Rgb(46, 50, 58);
    c.StatusBarLine = Rgb(26, 29, 34);
    c.StatusBarText = Rgb(222, 226, 232);
    c.ProgressTrack = Rgb(196, 200, 207);
    return s;
}

SkinParams HighContrastTheme() {
    SkinParams s = LightTheme(); // its sizes; every colour is set below
    s.Theme = "contrast";
    s.SkinName = "Marivel High Contrast";
    s.HighContrast = true;
    s.Size.ControlRadius = 0; // square controls: the thick cues run straight along their edges
    s.Style.CueWidth = 3;
    const Pixel black = Rgb(0, 0, 0);
    const Pixel white = Rgb(255, 255, 255);
    const Pixel yellow = Rgb(255, 255, 0);
    // Outlines of fields and disabled menu text: seen on the white face and on the black menus alike.
    const Pixel grey = Rgb(112, 112, 112);
    s.Style.CueColour = yellow;
    Palette& c = s.Colours;
    // Labels, edit text and dialog text keep the system's black: the working area stays white.
    c.Face = white;
    c.Text = black;
    c.TextMuted = black;
    c.Accent = black;
    c.AccentText = yellow;
    c.Field = white;
    c.FieldBorder = grey;
    c.Separator = grey;

    c.FrameOutline = yellow;
    c.FrameOutlineInactive = white;
    c.FrameFill = black;
    c.FrameFillInactive = black;
    c.CaptionTop = black;
    c.CaptionBottom = black;
    c.CaptionInactiveTop = black;
    c.CaptionInactiveBottom = black;
    c.CaptionText = white;
    c.CaptionTextInactive = Rgb(192, 192, 192);
    c.CaptionGlyph = white;
    c.CaptionGlyphInactive = Rgb(192, 192, 192);
    c.CaptionHot = black;
    c.CaptionPressed = yellow;
    c.CloseHot = black;
    c.ClosePressed = yellow;
    c.CloseGlyphHot = yellow;

    c.MenuBar = black;
    c.MenuBarInactive = black;
    c.MenuBarLine = white;
    c.MenuBarText = white;
    c.MenuBarHot = yellow;
    // Popup menus are white like the working area: the images programs put beside menu items are drawn
    // for a light menu, and black ones would vanish on black.
    c.Menu = white;
    c.MenuBorder = grey;
    c.MenuText = black;
    c.MenuSelection = black;
    c.MenuSelectionText = yellow;

    c.ButtonTop = black;
    c.ButtonBottom = black;
    c.ButtonOutline = white;
    c.ButtonText = white;
    c.ButtonHotTop = black;
    c.ButtonHotBottom = black;
    c.ButtonHotOutline = yellow;
    c.ButtonHotText = yellow;
    c.ButtonPressedTop = yellow;
    c.ButtonPressedBottom = yellow;
    c.ButtonPressedOutline = yellow;
    c.ButtonPressedText = black;
    c.ButtonDisabledTop = black;
    c.ButtonDisabledBottom = black;
    c.ButtonDisabledOutline = grey;

    c.GlyphBox = white;
    c.GlyphBoxBorder = black;
    c.Disabled = Rgb(224, 224, 224);
    c.DisabledBorder = grey;
    c.ScrollTrack = white;
    c.ScrollThumb = black;
    c.ScrollThumbHot = grey;
    c.ScrollThumbPressed = black;
    c.ScrollArrow = black;
    c.ScrollArrowPressed = black;
    c.TabFace = black;
    c.TabSelected = white;
    c.TabBorder = black;
    c.TabText = white;
    c.TabSelectedText = black;
    c.Header = white;
    c.HeaderBottom = white;
    c.HeaderLine = black;
    c.StatusBar = black;
    c.StatusBarLine = white;
    c.StatusBarText = white;
    c.ProgressTrack = white;
    return s;
}

SkinParams AsymmetricTestTheme() {
    SkinParams s = LightTheme();
    s.Theme = "asymmetric";
    s.SkinName = "Marivel Asymmetric (test skin)";
    Metrics& m = s.Size;
    m.CaptionHeight = 40;
    m.LeftWidth = 7;
    m.RightWidth = 3;
    m.BottomHeight = 5;
    m.CornerRadius = 0;
    m.TopLeftEnd = 20;
    m.TopRightEnd = 41;
    m.CaptionButtonWidth = 26;
    m.CaptionButtonHeight = 24;
    m.CaptionButtonGap = 1;
    m.CaptionButtonRightMargin = 3;
    m.IconLeft = 11;
    m.ControlRadius = 2;
    Styles& st = s.Style;
    st.OpaqueBorders = true;
    st.InnerEdge = true;
    st.BottomFrames = 1;
    st.CaptionButtonFrames = 3;
    st.HelpBesideCaption = true;
    st.CheckSide = 11;
    st.RadioSide = 15;
    st.ButtonMargin = 6;
    st.ChunkProgress = true;
    st.ScrollThumbFrames = 2;
    st.TabLeft = 6;
    st.TabTop = 5;
    st.TabRight = 3;
    st.TabBottom = 1;
    Palette& c = s.Colours;
    c.FrameOutline = Rgb(12, 52, 50);
    c.FrameOutlineInactive = Rgb(74, 96, 95);
    c.FrameFill = Rgb(58, 128, 122);
    c.FrameFillInactive = Rgb(138, 158, 157);
    c.CaptionTop = Rgb(44, 120, 114);
    c.CaptionBottom = Rgb(24, 86, 82);
    c.CaptionInactiveTop = Rgb(122, 142, 141);
    c.CaptionInactiveBottom = Rgb(104, 124, 123);
    c.CaptionText = Rgb(255, 255, 255);
    c.CaptionTextInactive = Rgb(232, 236, 236);
    c.CaptionGlyph = Rgb(240, 248, 247);
    c.CaptionGlyphInactive = Rgb(214, 222, 222);
    c.CaptionHot = Rgb(36, 100, 95);
    c.CaptionPressed = Rgb(10, 50, 47);
    return s;
}

SkinParams ThemeByName(std::string_view name) {
    if (name == "default") return LightTheme();
    if (name == "dark") return GraphiteTheme();
    if (name == "contrast") return HighContrastTheme();
    if (name == "asymmetric") return AsymmetricTestTheme();
    throw rtl::Exception("unknown theme '" + std::string(name) +
                         "' (expected 'default', 'dark', 'contrast' or 'asymmetric')");
}

} // namespace skingen
