// Status bars, progress bars, track bars and up-downs on a skinned, resizable window, with both of our skins:
// what the screen shows of each (compared with the skin's own bitmaps), what the mouse does to them, and what
// unskinning gives back.
#include "framework/gui/edit.h"
#include "framework/gui/track_bar.h"
#include "framework/gui/up_down.h"
#include "skin/controls/control_drawing.h"
#include "skin/controls/skin_progress.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/controls/skin_track_bar.h"
#include "skin/controls/skin_up_down.h"
#include "skin/draw/bitmap_transforms.h"
#include "skin/draw/blit.h"
#include "skin/draw/skin_image.h"
#include "skin/form/control_discovery.h"
#include "tests/skin/screen_input.h"
#include "tests/skin/skin_test_fixture.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace skin_tests;

namespace {

std::string BarsFormText(const std::string& skinFile) {
    return R"(SkinForm : TSkinTestForm {
    Caption = "Bars"
    ClientWidth = 560
    ClientHeight = 300
    Left = 120
    Top = 100
    BorderStyle = bsSizeable
    SkinData1 : TSkinData {
        Active = True
        SkinFile = ")" +
           Escaped(skinFile) + R"("
    }
    ProgressEmpty : TProgressBar {
        Left = 20
        Top = 20
        Width = 200
        Height = 18
        Position = 0
    }
    ProgressPart : TProgressBar {
        Left = 20
        Top = 46
        Width = 200
        Height = 18
        Position = 37
    }
    ProgressFull : TProgressBar {
        Left = 20
        Top = 72
        Width = 200
        Height = 18
        Position = 100
    }
    ProgressUp : TProgressBar {
        Left = 236
        Top = 20
        Width = 18
        Height = 100
        Position = 37
        Orientation = pbVertical
    }
    Track1 : TTrackBar {
        Left = 270
        Top = 20
        Width = 220
        Height = 34
        Max = 10
        Position = 2
    }
    TrackUp : TTrackBar {
        Left = 500
        Top = 20
        Width = 40
        Height = 120
        Max = 10
        Position = 5
        Orientation = trVertical
    }
    Edit1 : TEdit {
        Left = 20
        Top = 140
        Width = 90
        Height = 24
        Text = "5"
    }
    Edit2 : TEdit {
        Left = 140
        Top = 140
        Width = 80
        Height = 21
    }
    UpDown2 : TUpDown {
        Left = 220
        Top = 140
        Width = 17
        Height = 21
        Max = 50
        Position = 20
        Associate = Edit2
    }
    StatusBar1 : TStatusBar {
        Panel1 : TStatusPanel {
            Text = "Ready"
            Width = 120
        }
        Panel2 : TStatusPanel {
            Text = "Centre"
            Width = 100
            Alignment = taCenter
        }
        Panel3 : TStatusPanel {
            Width = 80
        }
    }
}
)";
}

class SkinBarsTest : public SkinFormTest {
  protected:
    TSkinTestForm* BarsForm() {
        TSkinTestForm* form = NewForm(BarsFormText(SkinFile(GetParam())));
        form->Show();
        SetForegroundWindow(form->Handle());
        EXPECT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "the form was not skinned";
        MoveMouse(POINT{5, 5});
        Settle();
        return form;
    }
    std::string Artifact(const std::string& what) const {
        return "bars-" + what + "-" + std::string(GetParam()).substr(0, 4) + ".bmp";
    }
};

// The centre pixel of frame `frame` of a strip of `frames` frames side by side.
skin::Pixel FrameCentre(const skin::Bitmap& strip, int frames, int frame) {
    const int width = strip.width() / frames;
    return RgbOf(strip.pixel((frame - 1) * width + width / 2, strip.height() / 2));
}

BOOL CALLBACK KeepSizeGrip(HWND child, LPARAM result) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (_wcsicmp(name, L"ScrollBar") != 0 || !(GetWindowLongW(child, GWL_STYLE) & SBS_SIZEGRIP)) return TRUE;
    *reinterpret_cast<HWND*>(result) = child;
    return FALSE;
}

// A size grip scroll bar among the window's children, if any.
HWND SizeGripChild(HWND window) {
    HWND found = nullptr;
    EnumChildWindows(window, &KeepSizeGrip, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The thumb of a track bar in screen coordinates.
RECT ThumbOnScreen(HWND track) {
    RECT thumb{};
    SendMessageW(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    MapWindowPoints(track, nullptr, reinterpret_cast<POINT*>(&thumb), 2);
    return thumb;
}

skin::Pixel ScreenPixel(POINT at) {
    return RgbOf(Screenshot(RECT{at.x, at.y, at.x + 1, at.y + 1}).pixel(0, 0));
}

POINT Centre(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST_P(SkinBarsTest, StatusBarShowsItsPanelsAndTheSkinsGripAlsoWhenTheWindowGrows) {
    TSkinTestForm* form = BarsForm();
    const TSkinData& skin = Skin(form);
    HWND bar = HandleOf(form, "StatusBar1");
    ASSERT_NE(ObjectFor<skin::TSkinStatusBar>(form->Handle(), bar), nullptr);
    EXPECT_EQ(SizeGripChild(form->Handle()), nullptr)
        << "no size grip window of the system in a skinned window";
    const skin::TDataSkinObject& extra = *skin.ExtraImages;
    const skin::TDataSkinObject& edges = *skin.StatusBarEdges;

    const auto expectSkinned = [&](const char* when) {
        const skin::Bitmap shot = ShotOf(bar);
        SaveArtifact(shot, Artifact("status"));
        const RECT grip = skin::TSkinStatusBar::SizeGripRect(extra, shot.width(), shot.height());
        EXPECT_EQ(GlyphMismatches(shot, grip.left, grip.top, extra.Image, extra.FrameCount, 5), 0)
            << when << ": the grip is the skin's fifth extra image, one pixel in from the corner";
        // The last panel is 80 pixels wide but its skinned background runs on to the grip.
        RECT last{};
        SendMessageW(bar, SB_GETRECT, 2, reinterpret_cast<LPARAM>(&last));
        const skin::Rect panel{last.left, last.top, shot.width(), last.bottom};
        const skin::Bitmap expected = skin::RenderSkinImage(panel, edges.Image, edges.Margins(),
                                                            {.frameCount = 3, .tile = edges.Tile != 0});
        int wrong = 0;
        for (int x = last.right + 4; x < grip.left; ++x)
            wrong += RgbOf(shot.pixel(x, last.top)) != RgbOf(expected.pixel(x - last.left, 0));
        EXPECT_EQ(wrong, 0) << when << ": the top edge of the last panel reaches the grip";
        int text = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 2; x < 118; ++x)
                text += RgbOf(shot.pixel(x, y)) == PixelOfColour(edges.NormalColour2);
        EXPECT_GT(text, 10) << when << ": \"Ready\" in the skin's panel text colour";
    };
    expectSkinned("shown");

    const RECT before = WindowRectOf(form->Handle());
    SetWindowPos(form->Handle(), nullptr, 0, 0, before.right - before.left + 80,
                 before.bottom - before.top + 40, SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    RECT client{};
    GetClientRect(form->Handle(), &client);
    RECT barRect = WindowRectOf(bar);
    MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&barRect), 2);
    EXPECT_EQ(barRect.bottom, client.bottom) << "the bar stays on the bottom edge";
    EXPECT_EQ(barRect.right, client.right);
    expectSkinned("grown");

    RunSkinAction(Skin(form), skin::DeferredAction::Unskin);
    const skin::Bitmap own = ShotOf(bar);
    const RECT grip = skin::TSkinStatusBar::SizeGripRect(extra, own.width(), own.height());
    EXPECT_GT(GlyphMismatches(own, grip.left, grip.top, extra.Image, extra.FrameCount, 5), 0)
        << "unskinned, the bar draws its own grip";
}

TEST_P(SkinBarsTest, ProgressBarsFillTheirShareInBarAndChunkStylesBothWays) {
    TSkinTestForm* form = BarsForm();
    TSkinData& skin = Skin(form);
    skin::TDataSkinBorder& element = *skin.Progress;
    const skin::Pixel fill = FrameCentre(element.Image, 2, 2), trough = FrameCentre(element.Image, 2, 1);
    ASSERT_NE(fill, trough) << "the skin's filled part looks different from its trough";
    ASSERT_NE(ObjectFor<skin::TSkinProgress>(form->Handle(), HandleOf(form, "ProgressPart")), nullptr);

    // The last column of the middle row that shows the fill colour (-1: none).
    const auto filledTo = [&](const skin::Bitmap& shot) {
        int last = -1;
        for (int x = 0; x < shot.width(); ++x)
            if (RgbOf(shot.pixel(x, shot.height() / 2)) == fill) last = x;
        return last;
    };
    EXPECT_EQ(filledTo(ShotOf(HandleOf(form, "ProgressEmpty"))), -1) << "0 %";
    const skin::Bitmap part = ShotOf(HandleOf(form, "ProgressPart"));
    SaveArtifact(part, Artifact("progress"));
    EXPECT_GE(filledTo(part), 74 - element.RightWidth - 1) << "37 % of 200 pixels";
    EXPECT_LT(filledTo(part), 74);
    EXPECT_EQ(RgbOf(part.pixel(150, part.height() / 2)), trough);
    EXPECT_GE(filledTo(ShotOf(HandleOf(form, "ProgressFull"))), 200 - element.RightWidth - 1) << "100 %";
    // A range near the integer limit: three quarters still fill three quarters, not whatever an overflowing
    // product of width and position would give.
    HWND wide = HandleOf(form, "ProgressEmpty");
    SendMessageW(wide, PBM_SETRANGE32, 0, 2000000000);
    SendMessageW(wide, PBM_SETPOS, 1500000000, 0);
    EXPECT_NEAR(filledTo(ShotOf(wide)), 150 - element.RightWidth, element.RightWidth + 1)
        << "75 % of a wide range";
    SendMessageW(wide, PBM_SETRANGE32, 0, 100);
    SendMessageW(wide, PBM_SETPOS, 0, 0);

    // Upright, the filled share grows from the bottom: at 37 % the bottom looks filled and the top does not.
    HWND up = HandleOf(form, "ProgressUp");
    const skin::Bitmap upright = ShotOf(up);
    SendMessageW(up, PBM_SETPOS, 0, 0);
    const skin::Bitmap uprightEmpty = ShotOf(up);
    EXPECT_NE(RgbOf(upright.pixel(9, 90)), RgbOf(uprightEmpty.pixel(9, 90)))
        << "an upright bar fills from the bottom";
    EXPECT_EQ(RgbOf(upright.pixel(9, 30)), RgbOf(uprightEmpty.pixel(9, 30)));

    // Chunks: whole chunk images side by side from the left margin, up to the filled share.
    element.Style = 1;
    const skin::Bitmap& chunk = element.SecondImage;
    const skin::Bitmap chunks = ShotOf(HandleOf(form, "ProgressPart"));
    SaveArtifact(chunks, Artifact("chunks"));
    const int top = (chunks.height() - chunk.height()) / 2;
    EXPECT_EQ(GlyphMismatches(chunks, element.LeftWidth, top, chunk, 1, 1), 0) << "the first chunk";
    EXPECT_EQ(GlyphMismatches(chunks, element.LeftWidth + 3 * chunk.width(), top, chunk, 1, 1), 0);
    EXPECT_GT(GlyphMismatches(chunks, element.LeftWidth + (74 / chunk.width() + 2) * chunk.width(), top,
                              chunk, 1, 1),
              0)
        << "none past the filled share";
    const skin::Bitmap noChunks = ShotOf(HandleOf(form, "ProgressEmpty"));
    EXPECT_GT(GlyphMismatches(noChunks, element.LeftWidth, top, chunk, 1, 1), 0)
        << "an empty bar shows no chunk";
    // Full, the chunks stop at the track's end: the bar's right end looks as when empty.
    const skin::Bitmap allChunks = ShotOf(HandleOf(form, "ProgressFull"));
    int pastEnd = 0;
    for (int y = 0; y < allChunks.height(); ++y) {
        for (int x = allChunks.width() - element.RightWidth; x < allChunks.width(); ++x)
            pastEnd += RgbOf(allChunks.pixel(x, y)) != RgbOf(noChunks.pixel(x, y));
    }
    EXPECT_EQ(pastEnd, 0) << "chunks past the track's end";
    EXPECT_EQ(GlyphMismatches(allChunks, element.LeftWidth, top, chunk, 1, 1), 0);
    // Upright, each chunk is turned a quarter, its gap above it, so the chunks stay apart.
    SendMessageW(up, PBM_SETPOS, 37, 0);
    const skin::Bitmap uprightChunks = ShotOf(up);
    SaveArtifact(uprightChunks, Artifact("chunks-upright"));
    skin::Bitmap turned = chunk;
    skin::RotateBitmapLeft(turned);
    const int bottom = uprightChunks.height() - element.BottomHeight;
    const int left = (uprightChunks.width() - turned.width()) / 2;
    EXPECT_EQ(GlyphMismatches(uprightChunks, left, bottom - turned.height(), turned, 1, 1), 0)
        << "the lowest chunk";
    EXPECT_EQ(GlyphMismatches(uprightChunks, left, bottom - 2 * turned.height(), turned, 1, 1), 0)
        << "the next";
    element.Style = 0;
}

TEST_P(SkinBarsTest, TrackBarThumbIsTheSkinsAndFollowsTheMouseWhenDragged) {
    TSkinTestForm* form = BarsForm();
    const TSkinData& skin = Skin(form);
    auto* track = dynamic_cast<gui::TTrackBar*>(form->FindComponent("Track1"));
    HWND window = track->Handle();
    ASSERT_NE(ObjectFor<skin::TSkinTrackBar>(form->Handle(), window), nullptr);
    const skin::Bitmap& thumbs = skin.TrackbarThumbHorz->Image;
    const skin::Pixel normal = FrameCentre(thumbs, 5, 2), hot = FrameCentre(thumbs, 5, 1),
                      pressed = FrameCentre(thumbs, 5, 3);
    EXPECT_EQ(RgbOf(ShotOf(window).pixel(5, 5)), PixelOfColour(skin.ButtonFaceColour))
        << "on the skin's face";
    const RECT start = ThumbOnScreen(window);
    EXPECT_EQ(ScreenPixel(Centre(start)), normal) << "the normal thumb";
    const HWND upright = HandleOf(form, "TrackUp");
    ShotOf(upright);
    EXPECT_EQ(ScreenPixel(Centre(ThumbOnScreen(upright))), FrameCentre(skin.TrackbarThumbVert->Image, 5, 2))
        << "an upright bar's thumb is the upright image";

    int changes = 0;
    track->OnChange = [&](rtl::TObject*) { ++changes; };
    MoveMouse(Centre(start));
    EXPECT_TRUE(Pump([&] { return ScreenPixel(Centre(start)) == hot; })) << "hot under the mouse";
    MouseButton(true);
    EXPECT_TRUE(Pump([&] { return ScreenPixel(Centre(ThumbOnScreen(window))) == pressed; })) << "pressed";
    const RECT bar = WindowRectOf(window);
    const POINT target{bar.left + (bar.right - bar.left) * 4 / 5, Centre(start).y};
    MoveMouse(target);
    EXPECT_TRUE(Pump([&] { return track->Position() >= 7; })) << "dragged to four fifths";
    MouseButton(false);
    Settle();
    EXPECT_GT(changes, 0) << "OnChange heard the drag";
    const RECT now = ThumbOnScreen(window);
    EXPECT_GT(now.left, start.right) << "the thumb moved";
    SaveArtifact(ShotOf(window), Artifact("track"));
    EXPECT_TRUE(Pump([&] {
        const skin::Pixel shown = ScreenPixel(Centre(ThumbOnScreen(window)));
        return shown == hot || shown == normal;
    })) << "the skin's thumb where the mouse left it";
    EXPECT_NE(ScreenPixel(Centre(start)), normal) << "and nothing of it where it was";
}

TEST_P(SkinBarsTest, UpDownsCountInTheirEditWhenTheirArrowsAreClicked) {
    TSkinTestForm* form = BarsForm();
    const TSkinData& skin = Skin(form);
    // A spin button inside an edit's window, counting in the edit's text.
    HWND edit = HandleOf(form, "Edit1");
    RECT client{};
    GetClientRect(edit, &client);
    HWND spin =
        CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT, client.right - 16, 0,
                        16, client.bottom, edit, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(spin, nullptr);
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageW(spin, UDM_SETRANGE32, 0, 10);
    SendMessageW(spin, UDM_SETPOS32, 0, 5);
    ShotOf(edit);
    auto* object = ObjectFor<skin::TSkinUpDown>(form->Handle(), spin);
    ASSERT_NE(object, nullptr) << "the edit's first paint found its spin button";
    EXPECT_TRUE(object->InEdit);

    const skin::TDataSkinBorder& element = *skin.UpDownVert;
    const int frameWidth = element.Image.width() / 8;
    const skin::Bitmap normal = ShotOf(spin);
    SaveArtifact(normal, Artifact("spin"));
    EXPECT_EQ(RgbOf(normal.pixel(normal.width() / 2, 1)), RgbOf(element.Image.pixel(frameWidth / 2, 0)))
        << "the up arrow's normal frame, one pixel in";
    const auto editText = [&] {
        wchar_t text[16] = {};
        GetWindowTextW(edit, text, 16);
        return std::wstring(text);
    };
    const RECT spinRect = WindowRectOf(spin);
    const POINT up{(spinRect.left + spinRect.right) / 2, spinRect.top + 3};
    const POINT down{up.x, spinRect.bottom - 3};
    const auto half = [&](const skin::Bitmap& shot, bool upper) {
        const int rows = shot.height() / 2;
        skin::Bitmap part(shot.width(), rows);
        skin::CopyRect(
            part, skin::Point{0, 0}, shot,
            skin::Rect{0, upper ? 0 : shot.height() - rows, shot.width(), upper ? rows : shot.height()});
        return std::vector<skin::Pixel>(part.pixels().begin(), part.pixels().end());
    };
    MoveMouse(up);
    Settle();
    MouseButton(true);
    Settle();
    const skin::Bitmap held = Screenshot(spinRect);
    EXPECT_NE(half(held, true), half(normal, true)) << "the up arrow shows pressed while the button is down";
    EXPECT_EQ(half(held, false), half(normal, false)) << "the down arrow stays normal";
    MouseButton(false);
    EXPECT_TRUE(Pump([&] { return editText() == L"6"; })) << "one up";
    MoveMouse(down);
    MouseButton(true);
    MouseButton(false);
    EXPECT_TRUE(Pump([&] { return editText() == L"5"; })) << "one down";

    // The framework's up-down beside its associated edit.
    auto* upDown = dynamic_cast<gui::TUpDown*>(form->FindComponent("UpDown2"));
    ASSERT_NE(ObjectFor<skin::TSkinUpDown>(form->Handle(), upDown->Handle()), nullptr);
    HWND associated = HandleOf(form, "Edit2");
    const RECT beside = WindowRectOf(upDown->Handle());
    MoveMouse(POINT{(beside.left + beside.right) / 2, beside.top + 3});
    Settle();
    MouseButton(true);
    MouseButton(false);
    EXPECT_TRUE(Pump([&] { return upDown->Position() == 21; }));
    wchar_t text[16] = {};
    GetWindowTextW(associated, text, 16);
    EXPECT_STREQ(text, L"21");
    DestroyWindow(spin);
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinBarsTest, ::testing::Values("default.skn", "dark.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });

} // namespace
