#include "bench/model/synthetic_skin.h"

#include "skin/data/package_writer.h"
#include "skin/draw/bitmap.h"
#include "skin/draw/bmp_writer.h"

#include <string>

namespace skin::bench {

namespace {

struct Image {
    const char* Name;
    int Width;
    int Height;
};

// Sizes of a typical skin: borders of two frames, caption buttons of three, a 23-frame scroll bar strip.
constexpr Image kImages[] = {
    {"left.bmp", 6, 48},        {"right.bmp", 6, 48},      {"top.bmp", 112, 20},
    {"bottom.bmp", 128, 6},     {"menubar.bmp", 40, 19},   {"textback.bmp", 30, 20},
    {"button1.bmp", 42, 14},    {"button2.bmp", 42, 14},   {"button3.bmp", 42, 14},
    {"button4.bmp", 42, 14},    {"button5.bmp", 42, 14},   {"button6.bmp", 42, 14},
    {"button7.bmp", 42, 14},    {"button8.bmp", 42, 14},   {"button.bmp", 100, 21},
    {"check.bmp", 104, 13},     {"radio.bmp", 104, 13},    {"sunkedge.bmp", 48, 12},
    {"combo.bmp", 64, 17},      {"extra.bmp", 80, 16},     {"scrollbar.bmp", 322, 11},
    {"hthumb.bmp", 42, 14},     {"hscroll.bmp", 56, 14},   {"vthumb.bmp", 42, 14},
    {"vscroll.bmp", 56, 14},    {"toolbars.bmp", 80, 20},  {"statusbar.bmp", 30, 18},
    {"headerbar.bmp", 70, 18},  {"progress.bmp", 40, 14},  {"chunk.bmp", 8, 10},
    {"tabs.bmp", 90, 20},       {"tabborder.bmp", 24, 24}, {"menuitem.bmp", 80, 18},
    {"menubg.bmp", 16, 16},     {"mdi.bmp", 144, 12},      {"groupbox.bmp", 24, 12},
    {"thumbhorz.bmp", 45, 16},  {"thumbvert.bmp", 80, 9},  {"thumbleft.bmp", 45, 16},
    {"thumbright.bmp", 45, 16}, {"thumbup.bmp", 80, 9},    {"thumbdown.bmp", 80, 9},
    {"updownh.bmp", 96, 12},    {"updownv.bmp", 96, 12},
};

constexpr const char* kDefinition = R"([TitlebarSkin]
SkinName="Synthetic"
[Personality]
Left=left.bmp
LeftFrame=2
LeftTopHeight=20
LeftBotHeight=8
Right=right.bmp
RightFrame=2
RightTopHeight=20
RightBotHeight=8
Top=top.bmp
TopFrame=2
TopTopHeight=25
TopBotHeight=32
Bottom=bottom.bmp
BottomFrame=2
BottomTopHeight=6
BottomBotHeight=6
menuBar=menubar.bmp
TileLeftMenu=4
TileRightMenu=4
TextBack=textback.bmp
TextShift=24
TextShiftVert=3
TextRightClip=70
TextAlignment=0
ActiveTextR=255
ActiveTextG=255
ActiveTextB=255
InActiveTextR=192
InActiveTextG=192
InActiveTextB=192
[Button1]
ButtonImage=button1.bmp
Action=0
Align=1
Xcoord=20
Ycoord=4
[Button2]
ButtonImage=button2.bmp
Action=1
Align=1
Xcoord=38
Ycoord=4
[Button3]
ButtonImage=button3.bmp
Action=2
Align=1
Xcoord=56
Ycoord=4
Visibility=1
[Button4]
ButtonImage=button4.bmp
Action=2
Align=1
Xcoord=56
Ycoord=4
Visibility=2
[Button5]
ButtonImage=button5.bmp
Action=3
Align=0
Xcoord=4
Ycoord=4
frame=3
[Button6]
ButtonImage=button6.bmp
Action=4
Align=1
Xcoord=74
Ycoord=4
[Button7]
ButtonImage=button7.bmp
Action=5
Align=1
Xcoord=92
Ycoord=4
[Button8]
ButtonImage=button8.bmp
Action=6
Align=1
Xcoord=110
Ycoord=4
CombineOp=1
[Buttons]
Bitmap=button.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4
Trans=1
CheckButton=check.bmp
RadioButton=radio.bmp
NormalColour2=0 0 0
MouseOverColour2=0 0 128
PressedColour2=255 255 255
[SunkEdge]
Image=sunkedge.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
[ComboButton]
Image=combo.bmp
Trans=1
[ExtraImages]
Image=extra.bmp
[Scrollbar]
Image=scrollbar.bmp
[HorzScrollThumb]
Image=hthumb.bmp
LeftWidth=3
RightWidth=3
[HorzScroll]
Image=hscroll.bmp
[VertScrollThumb]
Image=vthumb.bmp
TopHeight=3
BottomHeight=3
[VertScroll]
Image=vscroll.bmp
[ToolBars]
Image=toolbars.bmp
[StatusBarEdges]
Image=statusbar.bmp
NormalColour2=0 0 0
[Headerbar]
Image=headerbar.bmp
LeftWidth=3
RightWidth=3
[Progress]
Bitmap=progress.bmp
Chunk=chunk.bmp
LeftWidth=2
RightWidth=2
[Tabs]
Image=tabs.bmp
Border=tabborder.bmp
LeftWidth=4
RightWidth=4
NormalColour2=64 64 64
MouseOverColour2=0 0 0
[MenuItem]
Image=menuitem.bmp
LeftWidth=3
RightWidth=3
[MenuBackground]
Image=menubg.bmp
Tile=1
[MdiControls]
Image=mdi.bmp
[GroupBoxEdge]
Image=groupbox.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4
[Trackbar.ThumbHorz]
Image=thumbhorz.bmp
[Trackbar.ThumbVert]
Image=thumbvert.bmp
[Trackbar.ThumbLeft]
Image=thumbleft.bmp
[Trackbar.ThumbRight]
Image=thumbright.bmp
[Trackbar.ThumbUp]
Image=thumbup.bmp
[Trackbar.ThumbDown]
Image=thumbdown.bmp
[UpDown.Horz]
Image=updownh.bmp
GlyphImage=updownh.bmp
[UpDown.Vert]
Image=updownv.bmp
[Colours]
WindowText=0 0 0
ButtonFace=236 233 216
Scrollbar=212 208 200
HilightText=255 255 255
Hilight=49 106 197
Menu=255 255 255
MenuText=0 0 0
ButtonText=0 0 0
ButtonHilight=255 255 255
Buttonlight=241 239 226
ButtonShadow=172 168 153
ButtonDkShadow=113 111 100
MenuBarText=0 0 0
TitleTextActive=255 255 255
TitleTextNoActive=216 228 248
[Fonts]
FontHeight=13
[Colour0]
color=0 0 0
[Colour1]
color=49 106 197
[Colour2]
color=236 233 216
[Colour3]
color=172 168 153
[Colour4]
color=255 255 255
)";

// Shaded like skin parts: a vertical gradient with grain, a dark bevel, and magenta corners on some
// images for the transparent key.
Bitmap Shaded(const Image& image, int index) {
    Bitmap bitmap(image.Width, image.Height);
    std::uint32_t noise = 2463534242u + static_cast<std::uint32_t>(index);
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            const bool bevel = x == 0 || y == 0 || x == image.Width - 1 || y == image.Height - 1;
            const bool key =
                index % 3 == 0 && (x < 2 || x >= image.Width - 2) && (y < 2 || y >= image.Height - 2);
            // Texture in the low bits, as scanned or anti-aliased art has: it keeps the package about as
            // compressible as real skins (2 to 3 : 1).
            const auto level = static_cast<std::uint8_t>(0x90 + (y * 64) / image.Height - (index * 5) % 40);
            const auto grain = [&noise](int shift) {
                return static_cast<std::uint8_t>((noise >> shift) & 3);
            };
            Pixel pixel = MakePixel(static_cast<std::uint8_t>(level / 2),
                                    static_cast<std::uint8_t>(level - 16 + grain(4)),
                                    static_cast<std::uint8_t>(level - 32 + grain(8)));
            if (bevel) pixel = MakePixel(0x40, 0x40, 0x48);
            if (key) pixel = kSkinKeyPixel;
            bitmap.set_pixel(x, y, pixel);
        }
    }
    return bitmap;
}

} // namespace

std::vector<std::uint8_t> MakeSyntheticSkin() {
    PackageWriter writer;
    std::string definition;
    for (const char* c = kDefinition; *c; ++c) {
        if (*c == '\n') definition += '\r'; // skins are Windows texts
        definition += *c;
    }
    writer.AddMember("synthetic.ini", std::vector<std::uint8_t>(definition.begin(), definition.end()));
    int index = 0;
    for (const Image& image : kImages)
        writer.AddMember(image.Name, WriteBmp(Shaded(image, index++)));
    return writer.BuildCompressed();
}

} // namespace skin::bench
