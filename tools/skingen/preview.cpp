#include "tools/skingen/preview.h"

#include "framework/rtl/text.h"
#include "skin/draw/blit.h"
#include "skin/draw/skin_image.h"
#include "tools/skingen/glyphs.h"
#include "tools/skingen/pixel_font.h"
#include "tools/skingen/shapes.h"
#include "tools/skingen/skin_view.h"

#include <algorithm>
#include <string>
#include <vector>

namespace skingen {

namespace {

// What the system supplies on a default desktop: the scroll bar width, the menu bar height, black text for
// labels and fields, grey for disabled button text.
constexpr int kSystemScrollWidth = 17;
constexpr int kSystemMenuHeight = 19;
constexpr Pixel kSystemText = skin::MakePixel(0, 0, 0);
constexpr Pixel kSystemGrey = skin::MakePixel(160, 160, 160);
constexpr Pixel kSystemWhite = skin::MakePixel(255, 255, 255);
constexpr int kButtonFrames = 5;
constexpr int kTextMarginLeft = 4;
constexpr unsigned kCapsMaximize = 1;
constexpr unsigned kCapsMinimize = 2;
constexpr unsigned kCapsSystemMenu = 8;

// ---- text -------------------------------------------------------------------------------------------

int TextTop(const Rect& r) {
    return r.Top + (r.Height() - kGlyphHeight) / 2;
}

void TextCentred(Bitmap& b, const Rect& r, const std::string& text, Pixel colour) {
    DrawText(b, r.Left + (r.Width() - TextWidth(text)) / 2, TextTop(r), text, colour);
}

void TextLeft(Bitmap& b, const Rect& r, const std::string& text, Pixel colour) {
    DrawText(b, r.Left, TextTop(r), text, colour);
}

// ---- colours ----------------------------------------------------------------------------------------

struct Colours {
    Pixel Face, ButtonText, ButtonShadow, ButtonHilight, Menu, MenuText, MenuBarText, HilightText,
        TitleActive, TitleInactive, Scrollbar;
};

Colours ColoursOf(const Skin& s) {
    auto c = [&](const char* key) { return ColourOf(s, "Colours", key, 0); };
    return {c("ButtonFace"),        c("ButtonText"),  c("ButtonShadow"),
            c("ButtonHilight"),     c("Menu"),        c("MenuText"),
            c("MenuBarText"),       c("HilightText"), c("TitleTextActive"),
            c("TitleTextNoActive"), c("Scrollbar")};
}

// ---- the frame ----------------------------------------------------------------------------------------

struct Border {
    const SkinImage* Image = nullptr;
    Rect Margins;
    int Frames = 1;
    bool Tile = false;
    bool Vertical = false;
};

Border BorderOf(const Skin& s, const std::string& side) {
    const Section& p = s.GetSection("Personality");
    Border b;
    b.Image = s.ImageOf("Personality", side);
    const int start = p.Int(side + "TopHeight", 0);
    const int end = p.Int(side + "BotHeight", 0);
    b.Vertical = side == "Top" || side == "Bottom";
    b.Margins = b.Vertical ? Rect{start, 0, end, 0} : Rect{0, start, 0, end};
    b.Frames = p.Int(side + "Frame", 1);
    b.Tile = p.Int(side + "Stretch", 1) != 1;
    return b;
}

void PaintBorder(Bitmap& win, const Border& b, const Rect& r, bool active) {
    if (b.Image == nullptr || r.IsInverted()) return;
    const int frame = active || b.Frames == 1 ? 1 : 2;
    const Bitmap piece = skin::RenderSkinImage(
        r, b.Image->Pixels, b.Margins,
        {.frame = frame, .frameCount = b.Frames, .tile = b.Tile, .vertical = b.Vertical});
    skin::CopyRect(win, {r.Left, r.Top}, piece, piece.bounds());
}

struct FrameSizes {
    int Left, Top, Right, Bottom;
};

FrameSizes FrameSizesOf(const Border& l, const Border& t, const Border& r, const Border& b) {
    return {l.Image->Pixels.width() / l.Frames, t.Image->Pixels.height() / t.Frames,
            r.Image->Pixels.width() / r.Frames, b.Image->Pixels.height() / b.Frames};
}

bool CaptionButtonVisible(const Section& s, unsigned caps, bool active) {
    const int action = s.Int("Action", 0);
    auto test = [&](int code, bool second, bool first) {
        switch (code) {
        case 0:
            return second ? true : (action != 0 || (caps & kCapsSystemMenu));
        case 1:
            return false; // never maximized here
        case 2:
            return true;
        case 3:
            return active;
        case 4:
            return !active;
        case 6:
            return (caps & kCapsMaximize) && (second || (caps & kCapsSystemMenu));
        case 7:
            return !(caps & kCapsMaximize);
        case 8:
            return (caps & kCapsMinimize) && (second || (caps & kCapsSystemMenu));
        case 9:
            return !(caps & kCapsMinimize);
        case 100:
            return second && first;
        default:
            return code >= 200 && code <= 2000;
        }
    };
    const bool v = test(s.Int("Visibility", 0), false, false);
    const bool w = test(s.Int("Visibility1", 0), true, v);
    if (action == 1 && !(caps & kCapsMaximize)) return false;
    if (action == 2 && !(caps & kCapsMinimize)) return false;
    return v && w;
}

bool IsCaptionButtonSection(const std::string& name) {
    const std::string u = rtl::LowerCaseAscii(name);
    return u.rfind("button", 0) == 0 && u != "buttons" && u != "button.radio" && u != "button.checkbox";
}

struct WindowLook {
    int Width = 0;
    int Height = 0;
    bool Active = true;
    std::string Caption;
    unsigned Caps = 0;
    std::vector<std::string> Menu; // menu bar items; empty: no menu bar
    int HotMenuItem = -1;
    int HotAction = -1; // the caption button under the mouse, by action
};

struct WindowLayout {
    Rect Client;
};

WindowLayout PaintWindowFrame(Bitmap& win, const Skin& s, const WindowLook& look) {
    const Colours col = ColoursOf(s);
    const Border left = BorderOf(s, "Left"), right = BorderOf(s, "Right"), top = BorderOf(s, "Top"),
                 bottom = BorderOf(s, "Bottom");
    const FrameSizes f = FrameSizesOf(left, top, right, bottom);
    const int w = look.Width;
    const int h = look.Height;
    PaintBorder(win, left, {0, 0, f.Left, h}, look.Active);
    PaintBorder(win, right, {w - f.Right, 0, w, h}, look.Active);
    PaintBorder(win, bottom, {f.Left, h - f.Bottom, w - f.Right, h}, look.Active);
    const Rect caption{f.Left, 0, w - f.Right, f.Top};
    PaintBorder(win, top, caption, look.Active);

    // Caption text with its background, as the caption painter places them.
    const Section& p = s.GetSection("Personality");
    const int backLeft = p.Int("TXTBackleft", 0);
    const int backRight = p.Int("TXTBackRight", 0);
    const std::string prefix = "  ";
    Rect m{caption.Left, caption.Top, caption.Left + TextWidth(prefix + " " + look.Caption),
           caption.Top + kLineHeight};
    m.Right += backLeft + backRight;
    const int dx = p.Int("TextShift", 0);
    const int dy = (caption.Height() - m.Height()) / 2 + p.Int("TextShiftVert", 0) / 2;
    m = m.Offset(dx, dy);
    m.Right = std::min(m.Right, caption.Right - p.Int("TextRightClip", 0));
    if (const SkinImage* back = s.ImageOf("Personality", "TextBack")) {
        skin::DrawSkinBar(
            win, {m.Left, caption.Top, m.Right, caption.Bottom}, back->Pixels, {backLeft, 0, backRight, 0},
            {.frame = look.Active ? 1 : 2, .frameCount = 2, .transparent = true, .vertical = true});
    }
    Bitmap text(std::max(m.Width() - backLeft - backRight, 1), caption.Height(), kKey);
    DrawText(text, 0, m.Top + 1, prefix + look.Caption, look.Active ? col.TitleActive : col.TitleInactive);
    skin::CopyTransparent(win, {m.Left + backLeft, 0}, text, text.bounds(), kKey);

    // Caption buttons in file order.
    for (const Section& b : s.Sections()) {
        if (!IsCaptionButtonSection(b.Name) || !CaptionButtonVisible(b, look.Caps, look.Active)) continue;
        const SkinImage* image = s.ImageOf(b.Name, "ButtonImage");
        if (image == nullptr) continue;
        const int frames = b.Int("frame", 1);
        const int bw = image->Pixels.width() / frames;
        const int align = b.Int("Align", 0);
        const int x = align == 1 ? w - b.Int("Xcoord", 0) : b.Int("Xcoord", 0);
        const Rect bounds = skin::MakeRect(x, b.Int("Ycoord", 0), bw, image->Pixels.height());
        int frame = look.Active || frames < 4 ? 1 : 4;
        if (look.Active && b.Int("Action", 0) == look.HotAction) frame = 3;
        skin::DrawSkinFrame(win, bounds, image->Pixels,
                            {.frame = frame, .frameCount = frames, .transparent = true});
    }

    int menuHeight = 0;
    if (!look.Menu.empty()) {
        menuHeight = kSystemMenuHeight;
        const Rect bar{f.Left, f.Top, w - f.Right, f.Top + menuHeight};
        const SkinImage* image = s.ImageOf("Personality", "menuBar");
        const int leftEnd = p.Int("TileLeftMenu", 1);
        skin::DrawSkinBar(win, bar, image->Pixels, {leftEnd, 0, p.Int("TileRightMenu", 1), 0},
                          {.frame = look.Active ? 1 : 2, .frameCount = 2, .vertical = true});
        int x = bar.Left + leftEnd + 4;
        for (std::size_t i = 0; i < look.Menu.size(); ++i) {
            const int iw = TextWidth(look.Menu[i]) + 10;
            const Rect item{x, bar.Top, x + iw, bar.Bottom - 1};
            if (static_cast<int>(i) == look.HotMenuItem) Outline(win, item, col.ButtonHilight);
            TextCentred(win, item, look.Menu[i], col.MenuBarText);
            x += iw;
        }
    }
    return {{f.Left, f.Top + menuHeight, w - f.Right, h - f.Bottom}};
}

// ---- controls -----------------------------------------------------------------------------------------

void DrawEditBox(Bitmap& win, const Rect& r, const std::string& text, const Colours& col) {
    Fill(win, r, kSystemWhite);
    Outline(win, r, col.ButtonShadow);
    Outline(win, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, kSystemWhite);
    TextLeft(win, {r.Left + kTextMarginLeft, r.Top, r.Right, r.Bottom}, text, kSystemText);
}

void DrawElementFrame(Bitmap& win, const Rect& r, const ElementView& e, int frame) {
    skin::DrawSkinImage(win, r, e.Image->Pixels, e.Margins,
                        {.frame = frame, .frameCount = e.Frames, .transparent = e.Trans, .tile = e.Tile});
}

// Push button states by frame: 1 normal, 2 pressed, 3 disabled, 4 hot or focused.
void DrawPushButton(Bitmap& win, const Skin& s, const Rect& r, const std::string& text, int frame) {
    const ElementView e = ElementOf(s, "Buttons", kButtonFrames, "Bitmap");
    DrawElementFrame(win, r, e, frame);
    const char* keys[] = {"NormalColour2", "PressedColour2", nullptr, "MouseOverColour2"};
    const Pixel ink = frame == 3 ? kSystemGrey : ColourOf(s, "Buttons", keys[frame - 1], 0);
    TextCentred(win, r.Offset(0, -1), text, ink);
}

// A check box or radio button glyph with its caption, frame 1 unchecked to 4 checked and disabled.
void DrawGlyphControl(Bitmap& win, const Skin& s, int x, int y, bool radio, int frame,
                      const std::string& text, const Colours& col) {
    const SkinImage* img = s.ImageOf("Buttons", radio ? "RadioButton" : "CheckButton");
    const int frames = s.GetSection("Buttons").Int(radio ? "RadioButtonFrame" : "CheckButtonFrame", 4);
    const Rect src = skin::SkinFrameRect(img->Pixels, {.frame = frame, .frameCount = frames});
    Fill(win, skin::MakeRect(x, y, src.Width(), src.Height()), col.Face);
    skin::CopyTransparent(win, {x, y}, img->Pixels, src, kKey);
    TextLeft(win, {x + 18, y, x + 200, y + src.Height()}, text, frame >= 3 ? kSystemGrey : kSystemText);
}

// A drop-down combo box: the control's own text area, then the sunken edge around it, the button and its
// arrow, all in the state's frame (1 normal, 2 pressed, 3 disabled, 4 hot or focused).
void DrawComboBox(Bitmap& win, const Skin& s, const Rect& r, const std::string& text, int state) {
    const ElementView edge = ElementOf(s, "SunkEdge", 4);
    const ElementView button = ElementOf(s, "ComboButton", 4);
    const ElementView arrow = ElementOf(s, "ExtraImages", 5);
    const int cx = kSystemScrollWidth;
    const Rect textArea{r.Left + 2, r.Top + 2, r.Right - cx - 4, r.Bottom - 2};
    Bitmap kept(textArea.Width(), textArea.Height(), kSystemWhite);
    TextLeft(kept, {2, 0, kept.width(), kept.height()}, text, kSystemText);
    DrawElementFrame(win, r, edge, state);
    skin::CopyRect(win, {textArea.Left, textArea.Top}, kept, kept.bounds());
    const Rect b{r.Right - cx - 2, r.Top, r.Right, r.Bottom};
    const Rect g{r.Right - cx - 2, r.Top, r.Right - 2, r.Bottom};
    skin::DrawSkinFrame(win, b, button.Image->Pixels,
                        {.frame = state, .frameCount = button.Frames, .transparent = true});
    const Rect a = skin::SkinFrameRect(arrow.Image->Pixels, {.frame = state, .frameCount = arrow.Frames});
    skin::DrawSkinFrame(win,
                        skin::MakeRect(g.Left + (g.Width() - a.Width()) / 2,
                                       g.Top + (g.Height() - a.Height()) / 2, a.Width(), a.Height()),
                        arrow.Image->Pixels,
                        {.frame = state, .frameCount = arrow.Frames, .transparent = true});
}

// A vertical window scroll bar composed 16 pixels wide and stretched to the system width.
void DrawVerticalScrollBar(Bitmap& win, const Skin& s, const Rect& bar, int position, int page, int range,
                           bool thumbPressed) {
    const ElementView arrows = ElementOf(s, "Scrollbar", 23);
    const ElementView track = ElementOf(s, "VertScroll", 4);
    const ElementView thumb =
        ElementOf(s, "VertScrollThumb", s.GetSection("VertScrollThumb").Int("FrameCount", 3));
    const bool thumbTrans = ElementOf(s, "HorzScrollThumb", 3).Trans;
    const int cx = kSystemScrollWidth;
    const int len = bar.Height();
    Bitmap work(16, len, ColoursOf(s).Scrollbar);
    DrawElementFrame(work, {0, cx, 16, len - cx}, track, 1);
    skin::DrawSkinFrame(work, {0, 0, 16, cx}, arrows.Image->Pixels,
                        {.frame = 9, .frameCount = arrows.Frames, .transparent = true});
    skin::DrawSkinFrame(work, {0, len - cx, 16, len}, arrows.Image->Pixels,
                        {.frame = 13, .frameCount = arrows.Frames, .transparent = true});
    const int t = len - 2 * cx;
    const int l = std::min(std::max(page * t / range, 8), t);
    const int pos = position * (t - l) / (range - page);
    skin::DrawSkinImage(
        work, {0, cx + pos, 16, cx + pos + l}, thumb.Image->Pixels, thumb.Margins,
        {.frame = thumbPressed ? 2 : 1, .frameCount = thumb.Frames, .transparent = thumbTrans});
    skin::StretchCopy(win, bar, work, work.bounds());
}

void DrawProgressBar(Bitmap& win, const Skin& s, const Rect& r, int percent) {
    const ElementView e = ElementOf(s, "Progress", 2, "Bitmap");
    const Bitmap track =
        skin::RenderSkinImage(r, e.Image->Pixels, e.Margins, {.frameCount = 2, .tile = e.Tile});
    skin::DrawTransparent(win, r, track, skin::kSkinKeyColour);
    const Rect filled{r.Left, r.Top, r.Left + r.Width() * percent / 100, r.Bottom};
    const Bitmap bar = skin::RenderSkinImage(filled, e.Image->Pixels, e.Margins,
                                             {.frame = 2, .frameCount = 2, .tile = e.Tile});
    skin::DrawTransparent(win, filled, bar, skin::kSkinKeyColour);
}

// Tabs along the top of a page: the focused tab reaches the page, the others stand 2 pixels lower.
void DrawTabs(Bitmap& win, const Skin& s, const Rect& page, const std::vector<std::string>& labels,
              int focused) {
    const ElementView tabs = ElementOf(s, "Tabs", 5);
    const SkinImage* border = s.ImageOf("Tabs", "Border");
    const int tabHeight = 20;
    int x = page.Left + 2;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const bool isFocused = static_cast<int>(i) == focused;
        const int w = TextWidth(labels[i]) + 16;
        const Rect r{x, page.Top - tabHeight + (isFocused ? 0 : 2), x + w, page.Top};
        DrawElementFrame(win, r, tabs, isFocused ? 2 : 1);
        TextCentred(win, r.Offset(0, isFocused ? 1 : 0), labels[i],
                    ColourOf(s, "Tabs", isFocused ? "MouseOverColour2" : "NormalColour2", 0));
        x += w;
    }
    skin::DrawSkinBorder(win, page, border->Pixels, {4, 5, 4, 4}, {});
}

void DrawTrackBar(Bitmap& win, const Skin& s, const Rect& r, int percent, const Colours& col) {
    const int mid = r.Top + 9;
    // The channel and ticks are the control's own.
    HorizontalLine(win, r.Left + 6, r.Right - 6, mid - 1, col.ButtonShadow);
    HorizontalLine(win, r.Left + 6, r.Right - 6, mid, kSystemWhite);
    for (int i = 0; i <= 10; ++i) {
        const int tx = r.Left + 11 + (r.Width() - 22) * i / 10;
        VerticalLine(win, tx, r.Top + 21, r.Top + 24, kSystemText);
    }
    const ElementView thumb = ElementOf(s, "Trackbar.ThumbHorz", 5);
    const int x = r.Left + 6 + (r.Width() - 22) * percent / 100;
    skin::DrawSkinFrame(win, {x, r.Top, x + 11, r.Top + 19}, thumb.Image->Pixels,
                        {.frame = 2, .frameCount = 5, .transparent = true});
}

// A vertical up-down beside an edit, with the mouse pressing its upper half.
void DrawUpDown(Bitmap& win, const Skin& s, const Rect& r, const Colours& col) {
    const ElementView e = ElementOf(s, "UpDown.Vert", 8);
    const SkinImage* glyphs = s.ImageOf("UpDown.Vert", "GlyphImage");
    Fill(win, r, col.Face);
    const int split = r.Top + r.Height() / 2;
    const Rect halves[] = {{r.Left, r.Top, r.Right, split}, {r.Left, split, r.Right, r.Bottom}};
    const int frames[] = {2, 5}; // up pressed, down normal
    for (int i = 0; i < 2; ++i) {
        skin::DrawSkinFrame(win, halves[i], e.Image->Pixels,
                            {.frame = frames[i], .frameCount = 8, .transparent = true});
        const Rect g = skin::SkinFrameRect(glyphs->Pixels, {.frame = frames[i], .frameCount = 8});
        const Rect at =
            skin::MakeRect(halves[i].Left + (halves[i].Width() - g.Width()) / 2,
                           halves[i].Top + (halves[i].Height() - g.Height()) / 2, g.Width(), g.Height());
        skin::DrawSkinFrame(win, at, glyphs->Pixels,
                            {.frame = frames[i], .frameCount = 8, .transparent = true});
    }
}

void DrawHeader(Bitmap& win, const Skin& s, const Rect& r,
                const std::vector<std::pair<std::string, int>>& items) {
    const ElementView e = ElementOf(s, "Headerbar", 5);
    int x = r.Left;
    for (const auto& [text, width] : items) {
        const Rect item{x, r.Top, x + width, r.Bottom};
        DrawElementFrame(win, item, e, 1);
        TextLeft(win, {item.Left + 6, item.Top, item.Right, item.Bottom}, text, kSystemText);
        x += width;
    }
    if (x < r.Right) DrawElementFrame(win, {x, r.Top, r.Right, r.Bottom}, e, 1);
}

void DrawStatusBar(Bitmap& win, const Skin& s, const Rect& r,
                   const std::vector<std::pair<std::string, int>>& panels) {
    const ElementView e = ElementOf(s, "StatusBarEdges", 3);
    const Pixel ink = ColourOf(s, "StatusBarEdges", "NormalColour2", 0);
    int x = r.Left;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const int right = i + 1 == panels.size() ? r.Right : x + panels[i].second;
        const Rect panel{x, r.Top, right, r.Bottom};
        DrawElementFrame(win, panel, e, 1);
        TextLeft(win, {panel.Left + 4, panel.Top, panel.Right - 2, panel.Bottom}, panels[i].first, ink);
        x = right;
    }
}

void ShowRegion(Bitmap& win, Pixel backdrop) {
    Replace(win, win.bounds(), kKey, backdrop);
}

} // namespace

Bitmap DrawMainWindowPreview(const Skin& s, Pixel backdrop) {
    const Colours col = ColoursOf(s);
    WindowLook look;
    look.Width = 500;
    look.Height = 420;
    look.Caption = "Marivel - base converter";
    look.Caps = kCapsSystemMenu | kCapsMinimize | kCapsMaximize;
    look.Menu = {"File", "Edit", "Help"};
    look.HotMenuItem = 1;
    look.HotAction = 2;
    Bitmap win(look.Width, look.Height, col.Face);
    const Rect c = PaintWindowFrame(win, s, look).Client;
    const int x0 = c.Left + 14;
    const int y0 = c.Top + 12;

    const char* labels[] = {"Decimal number:", "Target base:", "Result:"};
    const char* values[] = {"48879", "16", "BEEF"};
    for (int i = 0; i < 3; ++i) {
        const int y = y0 + i * 30;
        TextLeft(win, {x0, y, x0 + 100, y + 21}, labels[i], kSystemText);
        DrawEditBox(win, {x0 + 104, y, x0 + 260, y + 21}, values[i], col);
    }
    DrawUpDown(win, s, {x0 + 260 - 17, y0 + 32, x0 + 260 - 2, y0 + 30 + 19}, col);

    const char* buttons[] = {"Convert", "Pressed", "Disabled", "Hot"};
    const int frames[] = {1, 2, 3, 4};
    for (int i = 0; i < 4; ++i) {
        const int x = x0 + i * 84;
        DrawPushButton(win, s, {x, y0 + 94, x + 78, y0 + 119}, buttons[i], frames[i]);
    }

    const int y1 = y0 + 134;
    DrawGlyphControl(win, s, x0, y1, false, 2, "Upper case", col);
    DrawGlyphControl(win, s, x0, y1 + 20, false, 1, "Group digits", col);
    DrawGlyphControl(win, s, x0, y1 + 40, false, 4, "Locked", col);
    DrawGlyphControl(win, s, x0 + 130, y1, true, 2, "Signed", col);
    DrawGlyphControl(win, s, x0 + 130, y1 + 20, true, 1, "Unsigned", col);
    DrawGlyphControl(win, s, x0 + 130, y1 + 40, true, 3, "Disabled", col);
    DrawComboBox(win, s, {x0 + 270, y0, x0 + 430, y0 + 21}, "Hexadecimal", 1);
    DrawComboBox(win, s, {x0 + 270, y0 + 30, x0 + 430, y0 + 51}, "Focused", 4);
    DrawComboBox(win, s, {x0 + 270, y0 + 60, x0 + 430, y0 + 81}, "Pressed", 2);

    // A tabbed page with a progress bar and a track bar.
    const Rect page{x0, y1 + 86, x0 + 240, c.Bottom - 34};
    DrawTabs(win, s, page, {"Digits", "Options", "About"}, 0);
    DrawProgressBar(win, s, {page.Left + 14, page.Top + 16, page.Right - 14, page.Top + 32}, 62);
    DrawTrackBar(win, s, {page.Left + 10, page.Top + 44, page.Right - 10, page.Top + 70}, 40, col);

    // A list with a header and a vertical scroll bar.
    const Rect list{x0 + 260, y1 + 10, c.Right - 14, c.Bottom - 34};
    Fill(win, list, kSystemWhite);
    Outline(win, list, col.ButtonShadow);
    DrawHeader(win, s, {list.Left + 1, list.Top + 1, list.Right - 1 - kSystemScrollWidth, list.Top + 20},
               {{"Base", 60}, {"Digits", 70}});
    for (int i = 0; i < 6; ++i) {
        const std::string bases[] = {
            "2   1011111011101111", "8   137357", "10  48879", "16  BEEF", "32  1FNF", "36  11QN"};
        DrawText(win, list.Left + 7, list.Top + 27 + i * 14, bases[i], kSystemText);
    }
    DrawVerticalScrollBar(
        win, s, {list.Right - 1 - kSystemScrollWidth, list.Top + 1, list.Right - 1, list.Bottom - 1}, 2, 6,
        12, false);

    DrawStatusBar(win, s, {c.Left, c.Bottom - 20, c.Right, c.Bottom},
                  {{"Ready", 120}, {"Base 16", 100}, {"", 0}});
    ShowRegion(win, backdrop);
    return win;
}

Bitmap DrawDialogPreview(const Skin& s, Pixel backdrop) {
    const Colours col = ColoursOf(s);
    WindowLook look;
    look.Width = 300;
    look.Height = 130;
    look.Active = false;
    look.Caption = "Marivel";
    look.Caps = kCapsSystemMenu;
    Bitmap win(look.Width, look.Height, col.Face);
    const Rect c = PaintWindowFrame(win, s, look).Client;
    TextLeft(win, {c.Left + 20, c.Top + 14, c.Right, c.Top + 34}, "'12x' is not a valid integer value.",
             kSystemText);
    DrawPushButton(
        win, s, {c.Left + (c.Width() - 76) / 2, c.Bottom - 38, c.Left + (c.Width() + 76) / 2, c.Bottom - 14},
        "OK", 4);
    ShowRegion(win, backdrop);
    return win;
}

Bitmap DrawMenuPreview(const Skin& s) {
    const Colours col = ColoursOf(s);
    const ElementView background = ElementOf(s, "MenuBackground", 1);
    const ElementView item = ElementOf(s, "MenuItem", 5);
    struct Item {
        std::string Caption;
        std::string Shortcut;
        bool Enabled;
        bool Selected;
        CaptionGlyph Glyph;
    };
    const Item items[] = {{" Restore ", "", false, false, CaptionGlyph::Restore},
                          {" Maximize ", "", true, false, CaptionGlyph::Maximize},
                          {" Minimize ", "", true, true, CaptionGlyph::Minimize},
                          {"-", "", true, false, CaptionGlyph::Close},
                          {" Close ", "Alt+F4", true, false, CaptionGlyph::Close}};
    const int itemHeight = 20;
    const int separatorHeight = 8;
    const int width = 170;
    int height = 6;
    for (const Item& i : items)
        height += i.Caption == "-" ? separatorHeight : itemHeight;
    const Bitmap back = skin::RenderSkinImage({0, 0, width, height}, background.Image->Pixels,
                                              background.Margins, {.tile = background.Tile});
    Bitmap menu = back;
    int y = 3;
    for (const Item& i : items) {
        const int h = i.Caption == "-" ? separatorHeight : itemHeight;
        const Rect r{3, y, width - 3, y + h};
        if (i.Caption == "-") {
            // The separator: the bottom rows of frame 2, its ends kept, its middle stretched.
            const Bitmap& img = item.Image->Pixels;
            const int fw = img.width() / 5;
            const int y0 = img.height() - h;
            Bitmap line(r.Width(), h, kKey);
            skin::StretchCopy(line, {0, 0, item.Margins.Left, h}, img,
                              {fw, y0, fw + item.Margins.Left, img.height()});
            skin::StretchCopy(line, {r.Width() - item.Margins.Right, 0, r.Width(), h}, img,
                              {2 * fw - item.Margins.Right, y0, 2 * fw, img.height()});
            skin::StretchCopy(line, {item.Margins.Left, 0, r.Width() - item.Margins.Right, h}, img,
                              {fw + item.Margins.Left, y0, 2 * fw - item.Margins.Right, img.height()});
            skin::CopyTransparent(menu, {r.Left, r.Top}, line, line.bounds(), kKey);
        } else {
            DrawElementFrame(menu, r, item, i.Selected ? 4 : 1);
            const Pixel ink = !i.Enabled ? col.ButtonShadow : i.Selected ? col.HilightText : col.MenuText;
            const Rect glyph = skin::MakeRect(r.Left + 1 + item.Margins.Left, r.Top + 2, 16, 16);
            DrawCaptionGlyph(menu, glyph, i.Glyph, 8, ink);
            const Rect text{glyph.Right + 3, r.Top, r.Right - 1, r.Bottom};
            TextLeft(menu, text, i.Caption, ink);
            if (!i.Shortcut.empty()) {
                DrawText(menu, r.Right - 11 - TextWidth(i.Shortcut), TextTop(r), i.Shortcut, ink);
            }
        }
        y += h;
    }
    return menu;
}

} // namespace skingen
