// Reading whole skin definitions into TSkinDefinition: the element records, colours, caption buttons,
// frame counts, reloading, and the refusals that keep the previous skin.
#include "framework/rtl/colours.h"
#include "skin/data/skin_definition.h"
#include "tests/model/test_skin.h"
#include "tests/support/test_random.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

using namespace skin;
using skin::test::FramedBitmap;
using skin::test::TestPackage;

namespace {

// Counts the calls of the hook the Windows component uses to remake its face brush.
class ObservedDefinition : public TSkinDefinition {
  public:
    using TSkinDefinition::TSkinDefinition;
    int FaceChanges = 0;
    Colour FaceAtChange = 0;

  protected:
    void ButtonFaceChanged() override {
        ++FaceChanges;
        FaceAtChange = ButtonFaceColour;
    }
};

class SkinDefinitionTest : public ::testing::Test {
  protected:
    void Load(std::string_view text, const TestPackage& bitmaps = {}) {
        skin.LoadDefinition(text, bitmaps.Open());
    }

    ObservedDefinition skin{nullptr};
};

TEST_F(SkinDefinitionTest, BordersKeepTheirFixedEndsAlongTheirLength) {
    Load("[Personality]\r\nLeft=left.bmp\r\nLeftTopHeight=10\r\nLeftBotHeight=12\r\nLeftFrame=2\r\n"
         "LeftStretch=0\r\nLeftTrans=0\r\nTop=Skin\\Parts\\top.bmp\r\nTopTopHeight=0x19\r\nTopBotHeight=$"
         "20\r\n"
         "Right=right.BMP\r\nBottomFrame=12px\r\n",
         TestPackage()
             .Bmp("left.bmp", FramedBitmap(8, 40, 2))
             .Bmp("top.bmp", FramedBitmap(120, 30, 2))
             .Bmp("right.bmp", FramedBitmap(8, 40)));

    const TDataSkinBorder& left = *skin.BorderLeft;
    EXPECT_EQ(left.Name, "Left");
    EXPECT_EQ((std::array{left.LeftWidth, left.TopHeight, left.RightWidth, left.BottomHeight}),
              (std::array{0, 10, 0, 12}));
    EXPECT_EQ((std::array{left.FrameCount, left.Tile, left.Trans}), (std::array{2, 0, 0}));
    EXPECT_EQ(left.Image.width(), 8);
    EXPECT_EQ(left.Image.pixel(7, 0), 0x020040u); // the second frame's colour: the right member was decoded

    const TDataSkinBorder& top = *skin.BorderTop;
    EXPECT_EQ((std::array{top.LeftWidth, top.TopHeight, top.RightWidth, top.BottomHeight}),
              (std::array{25, 0, 32, 0}));
    EXPECT_EQ((std::array{top.FrameCount, top.Tile, top.Trans}), (std::array{1, 1, 1}));
    EXPECT_EQ(top.Image.width(), 120);

    EXPECT_TRUE(skin.BorderRight->Image.empty()); // ".BMP" does not load, even though "right.bmp" exists
    EXPECT_EQ(skin.BorderBottom->FrameCount, 1);  // "12px" is no number
    EXPECT_EQ(skin.BorderBottom->Name, "Bottom");
}

TEST_F(SkinDefinitionTest, EveryColourKeyReachesItsOwnField) {
    Load("[Colours]\r\nWindowText=1 0 0\r\nTitleTextActive=2 0 0\r\nTitleTextNoActive=3 0 0\r\nButtonFace=4 "
         "0 0\r\n"
         "ButtonText=5 0 0\r\nButtonHilight=6 0 0\r\nButtonlight=7 0 0\r\nButtonShadow=8 0 0\r\n"
         "ButtonDkShadow=9 0 0\r\nHilightText=10 0 0\r\nHilight=11 0 0\r\nMenubar=12 0 0\r\nMenuBarText=13 0 "
         "0\r\n"
         "Menu=14 0 0\r\nMenuText=15 0 0\r\nScrollbar=16 0 0\r\n");
    const Colour fields[] = {skin.WindowTextColour,        skin.TitleTextActiveColour,
                             skin.TitleTextNoActiveColour, skin.ButtonFaceColour,
                             skin.ButtonTextColour,        skin.ButtonHilightColour,
                             skin.ButtonLightColour,       skin.ButtonShadowColour,
                             skin.ButtonDkShadowColour,    skin.HilightTextColour,
                             skin.HilightColour,           skin.MenubarColour,
                             skin.MenuBarTextColour,       skin.MenuColour,
                             skin.MenuTextColour,          skin.ScrollbarColour};
    for (std::uint8_t i = 0; i < std::size(fields); ++i)
        EXPECT_EQ(fields[i], MakeColour(i + 1, 0, 0)) << "field " << int(i);
}

TEST_F(SkinDefinitionTest, ColoursDefaultToSystemColoursAndTheMenuBarToTheSkinsButtonFace) {
    Load("[Colours]\r\nButtonFace=236,233,216\r\n");
    EXPECT_EQ(skin.MenubarColour, MakeColour(236, 233, 216));
    EXPECT_EQ(skin.WindowTextColour, 0xFF000008u);
    EXPECT_EQ(skin.ButtonLightColour, rtl::clBtnHighlight);
    EXPECT_EQ(skin.ButtonDkShadowColour, rtl::clBtnShadow);
    EXPECT_EQ(skin.TitleTextNoActiveColour, 0xFF000013u);

    Load("[Personality]\r\n");
    EXPECT_EQ(skin.ButtonFaceColour, rtl::clBtnFace);
    EXPECT_EQ(skin.MenubarColour, rtl::clBtnFace);
}

TEST_F(SkinDefinitionTest, ColourTableHasOneEntryPerColourSectionInTextOrder) {
    Load("[Colour1]\r\ncolor=1 2 3\r\n[Colours]\r\ncolor=9 9 9\r\n[COLOUR0]\r\nCOLOR=4 5 6\r\n[ColourX]\r\n"
         "[Colour1]\r\ncolor=7 8 9\r\n[Color2]\r\ncolor=1 1 1\r\n");
    // The repeated [Colour1] is listed again but reads the first one's key; [ColourX] has no key.
    EXPECT_EQ(skin.ColourTable, (std::vector<Colour>{MakeColour(1, 2, 3), MakeColour(4, 5, 6),
                                                     rtl::clWindowText, MakeColour(1, 2, 3)}));
}

TEST_F(SkinDefinitionTest, CaptionButtonsComeFromEveryButtonSectionButTheControlOnes) {
    Load("[Buttons]\r\n[Button.Radio]\r\n[button.checkbox]\r\n[ButtonClose]\r\nAction=1\r\nAlign=1\r\nXcoord="
         "20\r\n"
         "Ycoord=0x4\r\nVisibility=2\r\nVisibility1=3\r\nCombineOp=5\r\nframe=4\r\nButtonImage=close.bmp\r\n"
         "[buttonMin]\r\n[ButtonsExtra]\r\n",
         TestPackage().Bmp("close.bmp", FramedBitmap(64, 16, 4)));
    ASSERT_EQ(skin.SysButtons.size(), 3u + 3u);
    const TDataSkinSysButton& close = *skin.SysButtons[0];
    EXPECT_EQ(close.Name, "BUTTONCLOSE");
    EXPECT_EQ((std::array{close.Action, close.Align, close.XCoord, close.YCoord, close.Visibility,
                          close.Visibility1, close.CombineOp, close.FrameCount}),
              (std::array{1, 1, 20, 4, 2, 3, 5, 4}));
    EXPECT_EQ(close.Image.width(), 64);

    const TDataSkinSysButton& minimise = *skin.SysButtons[1];
    EXPECT_EQ(minimise.Name, "BUTTONMIN");
    EXPECT_EQ(minimise.CombineOp, kCombineOpNotGiven);
    EXPECT_EQ(minimise.FrameCount, 6); // no frame key and no image
    EXPECT_EQ(skin.SysButtons[2]->Name, "BUTTONSEXTRA");
}

TEST_F(SkinDefinitionTest, CaptionButtonFrameCountsAreGuessedFromTheImageShape) {
    Load(
        "[Button1]\r\nButtonImage=three.bmp\r\n[Button2]\r\nButtonImage=six.bmp\r\n"
        "[Button3]\r\nButtonImage=edge.bmp\r\n[Button4]\r\nButtonImage=over.bmp\r\n"
        "[Button5]\r\nButtonImage=three.bmp\r\nAction=-2\r\n[Button6]\r\nButtonImage=three.bmp\r\nAction="
        "3\r\n"
        "[Button7]\r\nButtonImage=three.bmp\r\nAction=11\r\nframe=0\r\n[Button8]\r\nButtonImage=three.bmp\r\n"
        "Action=11\r\nframe=2\r\n",
        TestPackage()
            .Bmp("three.bmp", FramedBitmap(57, 19, 3))
            .Bmp("six.bmp", FramedBitmap(114, 19, 6))
            .Bmp("edge.bmp", FramedBitmap(38, 10))   // 3.8 times as wide as high
            .Bmp("over.bmp", FramedBitmap(39, 10))); // just over
    auto frames = [this](std::size_t i) { return skin.SysButtons[i]->FrameCount; };
    EXPECT_EQ(frames(0), 3);
    EXPECT_EQ(frames(1), 6);
    EXPECT_EQ(frames(2), 3);
    EXPECT_EQ(frames(3), 6);
    EXPECT_EQ(frames(4), 6); // a negative action always has 6
    // Actions 3 and 11 without a frame count draw no image; with one they keep it.
    EXPECT_TRUE(skin.SysButtons[5]->Image.empty());
    EXPECT_TRUE(skin.SysButtons[6]->Image.empty());
    EXPECT_EQ(frames(6), 3);
    EXPECT_FALSE(skin.SysButtons[7]->Image.empty());
    EXPECT_EQ(frames(7), 2);
}

TEST_F(SkinDefinitionTest, MdiButtonsAreCutFromTheTwelveCellStrip) {
    // 12 cells of 10 x 8: the cells are coloured 1 to 12 by FramedBitmap.
    Load("[Button1]\r\nAction=1\r\n[Button2]\r\nAction=2\r\n[MdiControls]\r\nImage=mdi.bmp\r\n",
         TestPackage().Bmp("mdi.bmp", FramedBitmap(125, 8, 12))); // 5 spare columns are never used
    ASSERT_EQ(skin.SysButtons.size(), 5u);
    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& button = *skin.SysButtons[2 + static_cast<std::size_t>(i)];
        SCOPED_TRACE(i);
        EXPECT_EQ(button.Name, "BUTTON2"); // the last caption button's name
        EXPECT_EQ(button.Action, 7 + i);
        EXPECT_EQ((std::array{button.Align, button.Visibility, button.Visibility1}),
                  (std::array{100, 100, 100}));
        EXPECT_EQ(button.FrameCount, 4);
        EXPECT_EQ(button.XCoord, (10 + 4) * (3 - i));
        ASSERT_EQ(button.Image.width(), 40);
        ASSERT_EQ(button.Image.height(), 8);
        EXPECT_EQ(button.Image.pixel(0, 0), 0x000040u + 0x010000u * static_cast<Pixel>(4 * i + 1));
        EXPECT_EQ(button.Image.pixel(39, 7), 0x000040u + 0x010000u * static_cast<Pixel>(4 * i + 4));
    }
}

TEST_F(SkinDefinitionTest, WithoutCaptionButtonsTheMdiButtonsAreNamedAfterTheFirstSection) {
    Load("[TitlebarSkin]\r\nSkinName=x\r\n[Personality]\r\n");
    ASSERT_EQ(skin.SysButtons.size(), 3u);
    EXPECT_EQ(skin.SysButtons[0]->Name, "TITLEBARSKIN");
    EXPECT_EQ(skin.SysButtons[0]->XCoord, 0);
    EXPECT_TRUE(skin.SysButtons[0]->Image.empty());

    Load("");
    ASSERT_EQ(skin.SysButtons.size(), 3u);
    EXPECT_EQ(skin.SysButtons[2]->Name, "");
}

TEST_F(SkinDefinitionTest, PushButtonRecordAndItsCheckAndRadioFrameCounts) {
    Load("[Colours]\r\nButtonText=1 2 3\r\n[Buttons]\r\nBitmap=button.bmp\r\nLeftWidth=3\r\nRightWidth=4\r\n"
         "TopHeight=5\r\nBottomHeight=6\r\nTrans=1\r\nTile=2\r\nCheckButton=check.bmp\r\nRadioButton=radio."
         "bmp\r\n"
         "NormalColour=255\r\nPressedColour2=9 9 9\r\n",
         TestPackage()
             .Bmp("button.bmp", FramedBitmap(100, 21, 5))
             .Bmp("check.bmp", FramedBitmap(104, 13))  // under 16 high: 13-pixel cells, 8 frames
             .Bmp("radio.bmp", FramedBitmap(96, 16))); // 16-pixel cells, 6 frames
    const TDataSkinButton& buttons = *skin.Buttons;
    EXPECT_EQ(buttons.Name, "Buttons");
    EXPECT_EQ((std::array{buttons.LeftWidth, buttons.RightWidth, buttons.TopHeight, buttons.BottomHeight}),
              (std::array{3, 4, 5, 6}));
    EXPECT_EQ(buttons.Tile, 2); // not limited for buttons
    EXPECT_EQ(buttons.FrameCount, 5);
    EXPECT_EQ(buttons.CheckButtonFrame, 8);
    EXPECT_EQ(buttons.RadioButtonFrame, 6);
    EXPECT_EQ((std::array{buttons.NormalColour, buttons.MouseOverColour}),
              (std::array{255, kColourNotGiven}));
    EXPECT_EQ(buttons.NormalColour2, MakeColour(1, 2, 3)); // the skin's button text colour
    EXPECT_EQ(buttons.PressedColour2, MakeColour(9, 9, 9));

    Load("[Buttons]\r\nCheckButton=check.bmp\r\nCheckButtonFrame=2\r\n",
         TestPackage().Bmp("check.bmp", FramedBitmap(26, 20)));
    EXPECT_EQ(skin.Buttons->CheckButtonFrame, 2);
    EXPECT_EQ(skin.Buttons->RadioButtonFrame, 4); // no image: never fewer than 4
    EXPECT_EQ(skin.Buttons->NormalColour2, rtl::clBtnText);
}

TEST_F(SkinDefinitionTest, TitleTextSettings) {
    Load("[Personality]\r\nTextBack=back.bmp\r\nTextShift=5\r\nTextShiftVert=-2\r\nTextRightClip=30\r\n"
         "TextAlignment=1\r\nTextbackground=1\r\nTXTBackleft=3\r\nTXTBackRight=4\r\nActiveTextR=255\r\n"
         "ActiveTextG=255\r\nActiveTextB=0\r\nInActiveTextR=1\r\n[Fonts]\r\nFontHeight=16\r\n",
         TestPackage().Bmp("back.bmp", FramedBitmap(20, 18, 2)));
    const TDataSkinTitle& title = *skin.Title;
    EXPECT_EQ((std::array{title.LeftWidth, title.TopHeight, title.RightWidth, title.BottomHeight}),
              (std::array{5, -2, 30, 0}));
    EXPECT_EQ((std::array{title.TextAlignment, title.TextBackground, title.FontHeight, title.TextBackLeft,
                          title.TextBackRight, title.FrameCount}),
              (std::array{1, 1, 16, 3, 4, 2}));
    EXPECT_EQ(title.Image.width(), 20);
    EXPECT_EQ(title.ActiveTextColour, MakeColour(255, 255, 0));
    EXPECT_EQ(title.InactiveTextColour, kTitleColourNotSet);

    Load("");
    EXPECT_EQ(skin.Title->FontHeight, 14);
    EXPECT_EQ(skin.Title->ActiveTextColour, kTitleColourNotSet);
    EXPECT_TRUE(skin.Title->Image.empty());
}

TEST_F(SkinDefinitionTest, OptionalElementsArePresentOnlyWithAnImageKeyAndGetTheirFrameCounts) {
    struct Expected {
        const char* Section;
        std::unique_ptr<TDataSkinObject> TSkinDefinition::*Slot;
        std::int32_t FrameCount;
    };
    const Expected elements[] = {
        {"GroupBoxEdge", &TSkinDefinition::GroupBoxEdge, 2},
        {"Toolbars", &TSkinDefinition::Toolbars, 5},
        {"StatusBarEdges", &TSkinDefinition::StatusBarEdges, 3},
        {"SunkEdge", &TSkinDefinition::SunkEdge, 4},
        {"ExtraImages", &TSkinDefinition::ExtraImages, 5},
        {"Headerbar", &TSkinDefinition::Headerbar, 5},
        {"MenuItem", &TSkinDefinition::MenuItem, 5},
        {"MenuBackground", &TSkinDefinition::MenuBackground, 1},
        {"Scrollbar", &TSkinDefinition::Scrollbar, 23},
        {"HorzScroll", &TSkinDefinition::HorzScroll, 4},
        {"VertScroll", &TSkinDefinition::VertScroll, 4},
        {"HorzScrollThumb", &TSkinDefinition::HorzScrollThumb, 3},
        {"VertScrollThumb", &TSkinDefinition::VertScrollThumb, 3},
        {"Trackbar.ThumbHorz", &TSkinDefinition::TrackbarThumbHorz, 5},
        {"Trackbar.ThumbVert", &TSkinDefinition::TrackbarThumbVert, 5},
        {"Trackbar.ThumbLeft", &TSkinDefinition::TrackbarThumbLeft, 5},
        {"Trackbar.ThumbRight", &TSkinDefinition::TrackbarThumbRight, 5},
        {"Trackbar.ThumbUp", &TSkinDefinition::TrackbarThumbUp, 5},
        {"Trackbar.ThumbDown", &TSkinDefinition::TrackbarThumbDown, 5},
    };
    std::string text = "[Colours]\r\nButtonText=7 7 7\r\n";
    TestPackage package;
    std::int32_t style = 1;
    for (const Expected& element : elements) {
        const std::string member = std::string(element.Section) + ".bmp";
        text += "[" + std::string(element.Section) + "]\r\nImage=" + member +
                "\r\nStyle=" + std::to_string(style++) +
                "\r\nLeftWidth=1\r\nTopHeight=2\r\nRightWidth=3\r\nBottomHeight=4\r\nTrans=1\r\nTile=5\r\n"
                "NormalColour=0x10\r\nMouseOverColour2=1 2 3\r\nFrameCount=9\r\n";
        package.Bmp(member, FramedBitmap(40, 10));
    }
    Load(text + "[VertScrollThumb]\r\nFrameCount=0\r\n", package); // a repeated section is never read

    style = 1;
    for (const Expected& element : elements) {
        SCOPED_TRACE(element.Section);
        const TDataSkinObject* record = (skin.*element.Slot).get();
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->Name, element.Section);
        EXPECT_EQ(record->Image.width(), 40);
        EXPECT_EQ(record->Style, style++);
        EXPECT_EQ(
            (std::array{record->LeftWidth, record->TopHeight, record->RightWidth, record->BottomHeight}),
            (std::array{1, 2, 3, 4}));
        EXPECT_EQ((std::array{record->Trans, record->Tile}), (std::array{1, 0})); // a Tile above 1 becomes 0
        EXPECT_EQ((std::array{record->NormalColour, record->PressedColour}),
                  (std::array{16, kColourNotGiven}));
        EXPECT_EQ(record->MouseOverColour2, MakeColour(1, 2, 3));
        EXPECT_EQ(record->NormalColour2, MakeColour(7, 7, 7));
        // Only the scroll thumbs take their count from the skin (FrameCount=9 here, or 3 when missing).
        const bool thumb = element.Slot == &TSkinDefinition::HorzScrollThumb ||
                           element.Slot == &TSkinDefinition::VertScrollThumb;
        EXPECT_EQ(record->FrameCount, thumb ? 9 : element.FrameCount);
    }

    Load("[GroupBoxEdge]\r\nImage=\r\nStyle=1\r\n[SunkEdge]\r\nImage=missing.bmp\r\n[HorzScrollThumb]"
         "\r\nImage=t.bmp\r\n",
         TestPackage().Bmp("t.bmp", FramedBitmap(9, 9)));
    EXPECT_EQ(skin.GroupBoxEdge, nullptr);
    ASSERT_NE(skin.SunkEdge, nullptr); // the key is given: present, with an empty image
    EXPECT_TRUE(skin.SunkEdge->Image.empty());
    EXPECT_EQ(skin.HorzScrollThumb->FrameCount, 3);
    EXPECT_EQ(skin.Toolbars, nullptr);
}

TEST_F(SkinDefinitionTest, ElementsWithASecondImage) {
    Load("[Tabs]\r\nImage=tabs.bmp\r\nBorder=border.bmp\r\nStyle=4\r\n[UpDown.Horz]\r\nImage=ud.bmp\r\n"
         "GlyphImage=glyphs.bmp\r\n[UpDown.Vert]\r\nImage=ud.bmp\r\n[ComboButton]\r\nImage=combo.bmp\r\n****="
         "tabs.bmp\r\n"
         "[Progress]\r\nBitmap=bar.bmp\r\nChunk=chunk.bmp\r\nTile=3\r\nStyle=2\r\nLeftWidth="
         "4\r\nNormalColour2=1 1 1\r\n"
         "[Personality]\r\nmenuBar=menu.bmp\r\nTileMenu=1\r\nTileRightMenu=6\r\n",
         TestPackage()
             .Bmp("tabs.bmp", FramedBitmap(50, 20, 5))
             .Bmp("border.bmp", FramedBitmap(12, 12))
             .Bmp("ud.bmp", FramedBitmap(64, 8, 8))
             .Bmp("glyphs.bmp", FramedBitmap(16, 8))
             .Bmp("combo.bmp", FramedBitmap(64, 20, 4))
             .Bmp("bar.bmp", FramedBitmap(20, 10, 2))
             .Bmp("chunk.bmp", FramedBitmap(6, 10))
             .Bmp("menu.bmp", FramedBitmap(30, 20, 2)));

    ASSERT_NE(skin.Tabs, nullptr);
    EXPECT_EQ(skin.Tabs->SecondImage.width(), 12);
    EXPECT_EQ(skin.Tabs->Style, 0); // elements with a second image read no style
    EXPECT_EQ(skin.Tabs->FrameCount, 5);
    EXPECT_EQ(skin.UpDownHorz->SecondImage.width(), 16);
    EXPECT_EQ(skin.UpDownHorz->FrameCount, 8);
    EXPECT_TRUE(skin.UpDownVert->SecondImage.empty());

    // The combo button's second image is its image mirrored: frame 4 comes first.
    const TDataSkinBorder& combo = *skin.ComboButton;
    ASSERT_EQ(combo.SecondImage.width(), 64);
    EXPECT_EQ(combo.SecondImage.pixel(0, 0), combo.Image.pixel(63, 0));
    EXPECT_EQ(combo.SecondImage.pixel(63, 19), combo.Image.pixel(0, 19));
    EXPECT_NE(combo.SecondImage.pixel(0, 0), combo.Image.pixel(0, 0));

    const TDataSkinBorder& progress = *skin.Progress;
    EXPECT_EQ(progress.Name, "Progress");
    EXPECT_EQ(progress.SecondImage.width(), 6);
    EXPECT_EQ((std::array{progress.Tile, progress.Style, progress.LeftWidth, progress.FrameCount}),
              (std::array{3, 2, 4, 2}));
    EXPECT_EQ(progress.NormalColour2, 0u); // progress reads no colours

    const TDataSkinObject& menuBar = *skin.MenuBar;
    EXPECT_EQ(menuBar.Name, "Personality");
    EXPECT_EQ((std::array{menuBar.Tile, menuBar.LeftWidth, menuBar.RightWidth, menuBar.FrameCount}),
              (std::array{1, 1, 6, 2}));
}

TEST_F(SkinDefinitionTest, ReloadingReplacesEverythingAndFreesWhatTheNewSkinLacks) {
    const TestPackage bitmaps =
        TestPackage().Bmp("tabs.bmp", FramedBitmap(50, 20, 5)).Bmp("b.bmp", FramedBitmap(30, 10, 3));
    Load("[TitlebarSkin]\r\nSkinName=First\r\n[Tabs]\r\nImage=tabs.bmp\r\n[Button1]\r\nButtonImage=b.bmp\r\n"
         "[Colour0]\r\ncolor=1 1 1\r\n[Fonts]\r\nFontHeight=20\r\n[Personality]\r\nTop=b.bmp\r\n",
         bitmaps);
    const TDataSkinTitle* title = skin.Title.get();
    const TDataSkinBorder* top = skin.BorderTop.get();
    const std::size_t imageBytes = skin.MemoryHeld().ImageBytes;
    ASSERT_NE(skin.Tabs, nullptr);
    ASSERT_EQ(skin.SysButtons.size(), 4u);

    Load("[TitlebarSkin]\r\nSkinName=Second\r\n", bitmaps);
    EXPECT_EQ(skin.SkinName, "Second");
    EXPECT_EQ(skin.Tabs, nullptr);
    EXPECT_EQ(skin.SysButtons.size(), 3u);
    EXPECT_TRUE(skin.ColourTable.empty());
    // The records that always exist stay the same objects, with the new skin's values.
    EXPECT_EQ(skin.Title.get(), title);
    EXPECT_EQ(skin.BorderTop.get(), top);
    EXPECT_EQ(skin.Title->FontHeight, 14);
    EXPECT_TRUE(skin.BorderTop->Image.empty());
    EXPECT_EQ(skin.MemoryHeld().ImageBytes, 0u);
    EXPECT_GT(imageBytes, 0u);
    EXPECT_EQ(skin.FaceChanges, 2);
}

TEST_F(SkinDefinitionTest, OnlyASkinThatSaysSoIsMadeForHighContrast) {
    Load("[TitlebarSkin]\r\nSkinName=Plain\r\n");
    EXPECT_FALSE(skin.HighContrast) << "no key: an ordinary skin";
    Load("[titlebarskin]\r\nhighcontrast=1\r\n");
    EXPECT_TRUE(skin.HighContrast) << "section and key in any letter case";
    // Only 1 says so; anything else that reads, or does not, is an ordinary skin.
    for (const char* value : {"0", "2", "yes", ""}) {
        Load("[TitlebarSkin]\r\nHighContrast=1\r\n");
        Load(std::string("[TitlebarSkin]\r\nHighContrast=") + value + "\r\n");
        EXPECT_FALSE(skin.HighContrast) << "'" << value << "' after a high-contrast skin";
    }
    Load("[Personality]\r\nHighContrast=1\r\n");
    EXPECT_FALSE(skin.HighContrast) << "the key belongs to [TitlebarSkin]";

    // A skin that cannot be read leaves the one shown, and what it says of itself, in place.
    Load("[TitlebarSkin]\r\nHighContrast=1\r\n");
    std::vector<std::uint8_t> truncated = WriteBmp(FramedBitmap(8, 8));
    truncated.resize(20);
    EXPECT_THROW(Load("[TitlebarSkin]\r\nHighContrast=0\r\n[Personality]\r\nTop=top.bmp\r\n",
                      TestPackage().Member("top.bmp", truncated)),
                 ESkinDefinitionError);
    EXPECT_TRUE(skin.HighContrast);
}

TEST_F(SkinDefinitionTest, ABadBitmapRefusesTheWholeSkinAndKeepsThePreviousOne) {
    Load("[TitlebarSkin]\r\nSkinName=Good\r\n[Colours]\r\nButtonFace=1 2 3\r\n[Tabs]\r\nImage=tabs.bmp\r\n",
         TestPackage().Bmp("tabs.bmp", FramedBitmap(50, 20, 5)));
    const TDataSkinBorder* tabs = skin.Tabs.get();
    ASSERT_EQ(skin.FaceChanges, 1);

    std::vector<std::uint8_t> truncated = WriteBmp(FramedBitmap(8, 8));
    truncated.resize(20);
    const std::string bad = "[TitlebarSkin]\r\nSkinName=Bad\r\n[Colours]\r\nButtonFace=9 9 9\r\n"
                            "[Personality]\r\nTop=Parts\\TOP.bmp\r\n";
    try {
        Load(bad, TestPackage().Member("top.bmp", truncated));
        FAIL() << "a truncated bitmap was accepted";
    } catch (const ESkinDefinitionError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("skin member 'top.bmp': ", 0), 0u) << e.what();
    }
    EXPECT_EQ(skin.SkinName, "Good");
    EXPECT_EQ(skin.ButtonFaceColour, MakeColour(1, 2, 3));
    EXPECT_EQ(skin.Tabs.get(), tabs);
    EXPECT_EQ(skin.FaceChanges, 1);

    // Bytes that are no BMP at all, named by a caption button.
    EXPECT_THROW(
        Load("[Button1]\r\nButtonImage=x.bmp\r\n", TestPackage().Member("x.bmp", {'h', 'e', 'l', 'l', 'o'})),
        ESkinDefinitionError);
    EXPECT_EQ(skin.SysButtons.size(), 3u);
    EXPECT_EQ(skin.SkinName, "Good");
}

TEST_F(SkinDefinitionTest, ButtonFaceHookSeesTheNewFace) {
    Load("[Colours]\r\nButtonFace=10 20 30\r\n");
    EXPECT_EQ(skin.FaceChanges, 1);
    EXPECT_EQ(skin.FaceAtChange, MakeColour(10, 20, 30));
}

TEST(SkinPackageDefinition, FindsTheDefinitionMemberAndNamesItInErrors) {
    TSkinDefinition skin(nullptr);
    // A bitmap whose name merely contains ".ini" does not hide the definition behind it.
    const std::string text = "[TitlebarSkin]\r\nSkinName=Found\r\n";
    EXPECT_EQ(skin.LoadPackageDefinition(
                  TestPackage().Bmp("mini.ini.bmp", FramedBitmap(2, 2)).Definition(text, "Blue.INI").Open()),
              "blue.ini");
    EXPECT_EQ(skin.SkinName, "Found");
    // Without a name ending in ".ini", the first containing it is the definition.
    EXPECT_EQ(skin.LoadPackageDefinition(TestPackage().Definition(text, "skin.ini.txt").Open()),
              "skin.ini.txt");

    try {
        skin.LoadPackageDefinition(TestPackage().Bmp("top.bmp", FramedBitmap(2, 2)).Open());
        FAIL() << "a package without a definition was accepted";
    } catch (const ESkinDefinitionError& e) {
        EXPECT_STREQ(e.what(), "skin package: no definition (no member name contains '.ini')");
    }
    try {
        skin.LoadPackageDefinition(TestPackage().Member("skin.ini", {'[', 'A', ']', 0, 'x'}).Open());
        FAIL() << "a definition with a NUL byte was accepted";
    } catch (const ESkinDefinitionError& e) {
        EXPECT_STREQ(e.what(), "skin member 'skin.ini': not text: NUL byte at offset 3");
    }
    EXPECT_EQ(skin.SkinName, "Found");
}

TEST(SkinPackageDefinition, MissingOrEmptyBitmapMembersGiveEmptyImages) {
    TSkinDefinition skin(nullptr);
    skin.LoadPackageDefinition(
        TestPackage()
            .Definition("[Personality]\r\nTop=top.bmp\r\nLeft=gone.bmp\r\n[Tabs]\r\nImage=top.bmp\r\n")
            .Member("top.bmp", {})
            .Open());
    EXPECT_TRUE(skin.BorderTop->Image.empty());
    EXPECT_TRUE(skin.BorderLeft->Image.empty());
    ASSERT_NE(skin.Tabs, nullptr);
    EXPECT_TRUE(skin.Tabs->Image.empty());
}

// Random definitions naming random members, some of them damaged bitmaps: every load either succeeds
// or raises ESkinDefinitionError, and a refused load leaves the previous skin as it was.
TEST(SkinDefinitionRobustness, RandomDefinitionsAndDamagedBitmapsNeverBreakTheModel) {
    skin::test::TestRandom random(77);
    const char* sections[] = {"Personality", "Buttons",   "Tabs",           "ComboButton", "Button1",
                              "BUTTON2",     "Progress",  "MDICONTROLS",    "Colours",     "Colour0",
                              "UpDown.Horz", "Scrollbar", "HorzScrollThumb"};
    const char* keys[] = {"Image",        "Bitmap",     "ButtonImage", "Top",         "Left",
                          "Chunk",        "Border",     "GlyphImage",  "CheckButton", "RadioButton",
                          "frame",        "FrameCount", "Action",      "ButtonFace",  "color",
                          "TopTopHeight", "Tile",       "TextBack",    "menuBar"};
    const char* values[] = {"a.bmp", "b.bmp",      "bad.bmp",     "empty.bmp", "none.bmp", "-1",      "0",
                            "3",     "0x7FFFFFFF", "-2147483648", "1 2 3",     "A.BMP",    "x\\a.bmp"};
    std::vector<std::uint8_t> damaged = WriteBmp(FramedBitmap(30, 10, 3));
    damaged[18] = 0xFF; // width far beyond the data
    damaged[19] = 0x7F;
    const TestPackage bitmaps = TestPackage()
                                    .Bmp("a.bmp", FramedBitmap(30, 10, 3))
                                    .Bmp("b.bmp", FramedBitmap(1, 40))
                                    .Member("bad.bmp", damaged)
                                    .Member("empty.bmp", {});
    const TSkinReader package = bitmaps.Open();

    TSkinDefinition skin(nullptr);
    int refused = 0;
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (std::uint32_t line = random.Below(25); line > 0; --line) {
            if (random.Below(4) == 0) {
                text += std::string("[") + sections[random.Below(std::size(sections))] + "]\r\n";
            } else {
                text += std::string(keys[random.Below(std::size(keys))]) + "=" +
                        values[random.Below(std::size(values))] + "\r\n";
            }
        }
        const std::string before =
            std::to_string(skin.MemoryHeld().ImageBytes) + "/" + std::to_string(skin.SysButtons.size());
        try {
            skin.LoadDefinition(text, package);
        } catch (const ESkinDefinitionError& e) {
            ++refused;
            EXPECT_NE(std::string(e.what()).find("'bad.bmp'"), std::string::npos) << e.what();
            EXPECT_EQ(std::to_string(skin.MemoryHeld().ImageBytes) + "/" +
                          std::to_string(skin.SysButtons.size()),
                      before);
        }
        ASSERT_GE(skin.SysButtons.size(), 3u);
    }
    EXPECT_GT(refused, 0);
    EXPECT_LT(refused, 300);
}

} // namespace

// A skin for another DPI: everything a painter measures grows by the same factor, frame by frame.
class ScaledSkinDefinitionTest : public SkinDefinitionTest {
  protected:
    void SetUp() override {
        Load("[Personality]\r\nLeft=left.bmp\r\nLeftTopHeight=10\r\nLeftBotHeight=12\r\nLeftFrame=2\r\n"
             "Top=top.bmp\r\nTopFrame=2\r\nTopTopHeight=6\r\nTopBotHeight=9\r\nTextBack=back.bmp\r\n"
             "TextShift=5\r\nTextShiftVert=-2\r\nTextRightClip=30\r\nTXTBackleft=3\r\nTXTBackRight=4\r\n"
             "menuBar=menu.bmp\r\n[Fonts]\r\nFontHeight=16\r\n[Colours]\r\nButtonFace=10 20 30\r\n"
             "[ButtonClose]\r\nAction=0\r\nAlign=1\r\nXcoord=20\r\nYcoord=5\r\nframe=4\r\n"
             "ButtonImage=close.bmp\r\n[ComboButton]\r\nImage=combo.bmp\r\nLeftWidth=2\r\n"
             "[UpDown.Horz]\r\nImage=ud.bmp\r\nGlyphImage=glyphs.bmp\r\n",
             TestPackage()
                 .Bmp("left.bmp", FramedBitmap(8, 40, 2))
                 .Bmp("top.bmp", FramedBitmap(60, 40))
                 .Bmp("back.bmp", FramedBitmap(20, 18))
                 .Bmp("menu.bmp", FramedBitmap(30, 20))
                 .Bmp("close.bmp", FramedBitmap(64, 16, 4))
                 .Bmp("combo.bmp", FramedBitmap(64, 20, 4))
                 .Bmp("ud.bmp", FramedBitmap(64, 8, 8))
                 .Bmp("glyphs.bmp", FramedBitmap(64, 7, 8)));
    }
    ObservedDefinition scaled{nullptr};
};

TEST_F(ScaledSkinDefinitionTest, LengthsAndFramesGrowByTheFactor) {
    scaled.LoadScaled(skin, 144);
    EXPECT_EQ(scaled.Dpi(), 144);
    const TDataSkinBorder& left = *scaled.BorderLeft;
    EXPECT_EQ((std::array{left.TopHeight, left.BottomHeight, left.FrameCount}), (std::array{15, 18, 2}));
    ASSERT_EQ((std::array{left.Image.width(), left.Image.height()}), (std::array{12, 60}));
    EXPECT_EQ(left.Image.pixel(5, 30), skin.BorderLeft->Image.pixel(3, 20)) << "frame 1 stays frame 1";
    EXPECT_EQ(left.Image.pixel(6, 30), skin.BorderLeft->Image.pixel(4, 20)) << "frame 2 starts on its own";
    // The top border's two frames are stacked: each 20 rows becomes 30.
    const TDataSkinBorder& top = *scaled.BorderTop;
    EXPECT_EQ((std::array{top.Image.width(), top.Image.height(), top.LeftWidth, top.RightWidth}),
              (std::array{90, 60, 9, 14}));

    const TDataSkinTitle& title = *scaled.Title;
    EXPECT_EQ((std::array{title.LeftWidth, title.TopHeight, title.RightWidth, title.FontHeight,
                          title.TextBackLeft, title.TextBackRight}),
              (std::array{8, -3, 45, 24, 5, 6}));
    EXPECT_EQ((std::array{title.Image.width(), title.Image.height()}), (std::array{30, 28})) << "2 x 14 rows";
    EXPECT_EQ(scaled.MenuBar->Image.height(), 30);

    const TDataSkinSysButton& close = *scaled.SysButtons[0];
    EXPECT_EQ((std::array{close.XCoord, close.YCoord, close.Image.width(), close.Image.height()}),
              (std::array{30, 8, 96, 24}));
    // The MDI buttons follow the skin's own buttons, with their places scaled too.
    ASSERT_EQ(scaled.SysButtons.size(), skin.SysButtons.size());

    const TDataSkinBorder& combo = *scaled.ComboButton;
    EXPECT_EQ((std::array{combo.LeftWidth, combo.Image.width()}), (std::array{3, 96}));
    EXPECT_EQ(combo.SecondImage.pixel(0, 0), combo.Image.pixel(95, 0)) << "mirrored as when read";
    EXPECT_EQ(scaled.UpDownHorz->SecondImage.width(), 8 * 12) << "one glyph per frame";

    EXPECT_EQ(scaled.ButtonFaceColour, MakeColour(10, 20, 30));
    EXPECT_EQ(scaled.FaceChanges, 1);
    EXPECT_EQ(skin.BorderLeft->Image.width(), 8) << "the source is left as it was";
}

TEST_F(ScaledSkinDefinitionTest, RescalingKeepsTheRecordsAndAtTheDesignDpiCopiesExactly) {
    scaled.LoadScaled(skin, 192);
    const TDataSkinBorder* left = scaled.BorderLeft.get();
    const TDataSkinTitle* title = scaled.Title.get();
    EXPECT_EQ(left->Image.width(), 16);
    scaled.LoadScaled(skin, 96);
    EXPECT_EQ(scaled.BorderLeft.get(), left) << "painters holding a record keep a live one";
    EXPECT_EQ(scaled.Title.get(), title);
    EXPECT_EQ(scaled.BorderLeft->Image, skin.BorderLeft->Image);
    EXPECT_EQ(scaled.BorderTop->Image, skin.BorderTop->Image);
    EXPECT_EQ(scaled.SysButtons[0]->Image, skin.SysButtons[0]->Image);
    EXPECT_EQ(scaled.Title->TextBackRight, 4);

    EXPECT_THROW(scaled.LoadScaled(skin, 0), rtl::Exception);
    EXPECT_EQ(scaled.Dpi(), 96) << "a refused DPI leaves the copy as it was";
}
