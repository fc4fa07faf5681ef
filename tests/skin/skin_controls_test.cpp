// Skinned controls in-process, with both of our skins: which controls of a framework form and of a plain
// window get a skinning object, what the screen shows of edits, buttons, check boxes, radio buttons and combo
// boxes in their states (compared with the skin's own bitmaps), and what unskinning gives back.
#include "framework/gui/bit_btn.h"
#include "framework/gui/button.h"
#include "framework/gui/edit.h"
#include "skin/controls/control_drawing.h"
#include "skin/controls/skin_box.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_check.h"
#include "skin/controls/skin_combo.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/draw/bmp_writer.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/form/control_discovery.h"
#include "tests/skin/screen_input.h"
#include "tests/skin/skin_test_fixture.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace skin_tests;

namespace {

// A button class of another library, for the Skin3rd list.
class TFancyButton : public gui::TButton {
  public:
    using TButton::TButton;
    static const rtl::TClassInfo& StaticClassInfo() {
        static const rtl::TClassInfo info{"TFancyButton", &TButton::StaticClassInfo(), {}};
        return info;
    }
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

// The frames (1-based) of the button element whose four corners, drawn unscaled, are what the screen shows
// (key-coloured pixels left out; no nearer to the face than a focus rectangle).
std::vector<int> ButtonFramesShown(const skin::Bitmap& shot, const skin::TDataSkinObject& element) {
    const skin::Bitmap& strip = element.Image;
    const int fw = strip.width() / skin::kButtonFrames, fh = strip.height();
    constexpr int kOutsideFocusRect = 3;
    const int cornerWidth = std::min({element.LeftWidth, element.RightWidth, kOutsideFocusRect});
    const int cornerHeight = std::min({element.TopHeight, element.BottomHeight, kOutsideFocusRect});
    std::vector<int> shown;
    for (int f = 1; f <= skin::kButtonFrames; ++f) {
        bool same = true;
        for (int y = 0; y < cornerHeight && same; ++y) {
            for (int x = 0; x < cornerWidth && same; ++x) {
                const int sx[2] = {x, fw - 1 - x}, sy[2] = {y, fh - 1 - y};
                const int dx[2] = {x, shot.width() - 1 - x}, dy[2] = {y, shot.height() - 1 - y};
                for (int corner = 0; corner < 4; ++corner) {
                    const skin::Pixel p = RgbOf(strip.pixel((f - 1) * fw + sx[corner & 1], sy[corner >> 1]));
                    const skin::Pixel onScreen = RgbOf(shot.pixel(dx[corner & 1], dy[corner >> 1]));
                    if (p != skin::kSkinKeyPixel && onScreen != p) same = false;
                }
            }
        }
        if (same) shown.push_back(f);
    }
    return shown;
}

int PixelsNotOfColour(const skin::Bitmap& shot, skin::Pixel colour) {
    int other = 0;
    for (const skin::Pixel p : shot.pixels())
        other += RgbOf(p) != RgbOf(colour);
    return other;
}

// The main window's controls, and a few more for the rules of the decision list.
std::string ControlsFormText(const std::string& skinFile, const std::string& extra = "") {
    return R"(SkinForm : TSkinTestForm {
    Caption = "Controls"
    ClientWidth = 521
    ClientHeight = 255
    Left = 200
    Top = 150
    BorderStyle = bsSingle
    SkinData1 : TSkinData {
        Active = True
        SkinFile = ")" +
           Escaped(skinFile) + R"("
    }
    Label1 : TLabel {
        Left = 7
        Top = 60
        Caption = "十进制整数："
    }
    Edit1 : TEdit {
        Left = 96
        Top = 56
        Width = 377
        Height = 21
        TabOrder = 0
    }
    Edit2 : TEdit {
        Left = 96
        Top = 104
        Width = 201
        Height = 21
        TabOrder = 1
        Tag = 99
    }
    Button1 : TButton {
        Left = 184
        Top = 216
        Width = 169
        Height = 25
        Caption = "开始转换"
        TabOrder = 3
    }
    Button2 : TButton {
        Left = 20
        Top = 216
        Width = 100
        Height = 25
        Caption = "Default"
        Default = True
        TabOrder = 4
    }
)" + extra +
           "}\n";
}

class SkinControlsTest : public SkinFormTest {
  protected:
    static void SetUpTestSuite() {
        SkinFormTest::SetUpTestSuite();
        rtl::RegisterComponentClass<TFancyButton>();
    }
    TSkinTestForm* ControlsForm(const std::string& extra = "",
                                const std::function<void(TSkinData&)>& beforeShow = nullptr) {
        TSkinTestForm* form = NewForm(ControlsFormText(SkinFile(GetParam()), extra));
        if (beforeShow) beforeShow(Skin(form));
        form->Show();
        SetForegroundWindow(form->Handle());
        EXPECT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "the form was not skinned";
        Settle();
        return form;
    }
};

TEST_P(SkinControlsTest, MainWindowEditsShowTheSkinsBorderAndTaggedOnesTheirOwn) {
    TSkinTestForm* form = ControlsForm();
    const TSkinData& skin = Skin(form);
    HWND edit = HandleOf(form, "Edit1"), tagged = HandleOf(form, "Edit2");
    skin::TWinSkinForm& object = ObjectOf(form->Handle());
    EXPECT_EQ(object.Controls().size(), 3u) << "one edit and two buttons; not the label, not tag 99";
    ASSERT_NE(ObjectFor<skin::TSkinEdit>(form->Handle(), edit), nullptr);
    EXPECT_EQ(ObjectFor<skin::TSkinEdit>(form->Handle(), tagged), nullptr);

    const auto expectSkinBorder = [&](const char* when) {
        const skin::Bitmap shot = ShotOf(edit);
        const int y = shot.height() / 2;
        EXPECT_EQ(RgbOf(shot.pixel(0, y)), PixelOfColour(skin.ButtonShadowColour)) << when;
        EXPECT_EQ(RgbOf(shot.pixel(shot.width() - 1, y)), PixelOfColour(skin.ButtonShadowColour)) << when;
        EXPECT_EQ(RgbOf(shot.pixel(1, y)), 0xFFFFFFu) << when << ": the inner line is white";
        EXPECT_EQ(RgbOf(shot.pixel(shot.width() / 2, 1)), 0xFFFFFFu) << when;
    };
    expectSkinBorder("painted");
    SetWindowTextW(edit, L"12345");
    SetFocus(edit);
    Settle();
    expectSkinBorder("typed into and focused");
    SendMessageW(edit, WM_NCPAINT, 1, 0);
    EXPECT_EQ(RgbOf(Screenshot(WindowRectOf(edit)).pixel(0, 10)), PixelOfColour(skin.ButtonShadowColour))
        << "its own frame painted alone";
    const skin::Bitmap own = ShotOf(tagged);
    EXPECT_NE(RgbOf(own.pixel(0, own.height() / 2)), PixelOfColour(skin.ButtonShadowColour))
        << "tag 99 keeps the system's sunken edge";
}

TEST_P(SkinControlsTest, StartButtonShowsTheSkinsFrameInEveryState) {
    TSkinTestForm* form = ControlsForm();
    const TSkinData& skin = Skin(form);
    auto* button = dynamic_cast<gui::TButton*>(form->FindComponent("Button1"));
    HWND window = button->Handle(), edit = HandleOf(form, "Edit1");
    int clicks = 0;
    button->OnClick = [&](rtl::TObject*) { ++clicks; };
    const auto shows = [&](int frame) {
        return Pump(
            [&] { return ButtonFramesShown(ShotOf(window), *skin.Buttons) == std::vector<int>{frame}; },
            std::chrono::milliseconds(1500));
    };
    const POINT away{5, 5};

    SetFocus(edit);
    MoveMouse(away);
    EXPECT_TRUE(shows(skin::kButtonNormal)) << "normal";
    EXPECT_TRUE(shows(skin::kButtonNormal));
    EXPECT_TRUE(ButtonFramesShown(ShotOf(HandleOf(form, "Button2")), *skin.Buttons) ==
                std::vector<int>{skin::kButtonDefault})
        << "the default button";

    MoveMouse(CentreOf(window));
    EXPECT_TRUE(shows(skin::kButtonHot)) << "hot under the mouse";
    const skin::Bitmap hot = ShotOf(window);
    EXPECT_EQ(ObjectOf(form->Handle()).HotControlObject(),
              skin::FindControlObject(ObjectOf(form->Handle()), window));
    MouseButton(true);
    EXPECT_TRUE(shows(skin::kButtonPressed)) << "pressed by the mouse";
    EXPECT_EQ(clicks, 0);
    MouseButton(false);
    EXPECT_TRUE(Pump([&] { return clicks == 1; })) << "the release clicks";
    EXPECT_EQ(GetFocus(), window);

    MoveMouse(away);
    EXPECT_TRUE(Pump([&] { return ObjectOf(form->Handle()).HotControlObject() == nullptr; }))
        << "the hover timer saw it go";
    EXPECT_TRUE(shows(skin::kButtonHot)) << "focused";
    const skin::Bitmap focused = ShotOf(window);
    bool focusRect = false;
    for (int y = 4; y < focused.height() - 4; ++y)
        focusRect |= focused.pixel(3, y) != hot.pixel(3, y);
    EXPECT_TRUE(focusRect) << "a focus rectangle inside the face";

    SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(shows(skin::kButtonPressed)) << "pressed by the space key";
    SendMessageW(window, WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(shows(skin::kButtonHot));
    EXPECT_TRUE(Pump([&] { return clicks == 2; })) << "the space key clicks";

    button->SetEnabled(false);
    MoveMouse(CentreOf(window));
    EXPECT_TRUE(shows(skin::kButtonDisabled)) << "disabled, the mouse over it or not";
    button->SetEnabled(true);
    SetFocus(edit);
    MoveMouse(away);
    EXPECT_TRUE(shows(skin::kButtonNormal)) << "back to normal";

    HWND second = HandleOf(form, "Button2");
    MoveMouse(CentreOf(window));
    EXPECT_TRUE(shows(skin::kButtonHot));
    MoveMouse(CentreOf(second));
    EXPECT_TRUE(shows(skin::kButtonNormal)) << "left for another button";
    EXPECT_TRUE(Pump([&] { return ButtonFramesShown(ShotOf(second), *skin.Buttons) == std::vector<int>{4}; }))
        << "which is hot now";
}

// A message box looked at while it is up, then its OK button clicked through the skin.
struct SkinnedBox {
    bool skinned = false, okIsSkinButton = false;
    std::vector<int> framesShown;
};
SkinnedBox g_skinnedBox;
const skin::TDataSkinObject* g_buttonElement = nullptr;

void CALLBACK InspectBox(HWND box, UINT, UINT_PTR, DWORD) {
    KillTimer(box, 1);
    HWND ok = GetDlgItem(box, IDOK);
    skin::TWinSkinForm* object = skin::SkinManager->FindFormByWindow(box);
    g_skinnedBox.skinned = object != nullptr;
    if (object)
        g_skinnedBox.okIsSkinButton = dynamic_cast<skin::TSkinButton*>(skin::FindControlObject(*object, ok));
    g_skinnedBox.framesShown = ButtonFramesShown(ShotOf(ok), *g_buttonElement);
    SendMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST_P(SkinControlsTest, BitButtonShowsItsGlyphOnTheSkinsFace) {
    TSkinTestForm* form = ControlsForm(R"(    BitBtn1 : TBitBtn {
        Left = 300
        Top = 100
        Width = 120
        Height = 30
        Caption = "Glyph"
    }
)");
    const TSkinData& skin = Skin(form);
    auto* button = dynamic_cast<gui::TBitBtn*>(form->FindComponent("BitBtn1"));
    ASSERT_NE(button, nullptr);
    ASSERT_NE(ObjectFor<skin::TSkinBitButton>(form->Handle(), button->Handle()), nullptr);
    // A 12 x 12 red glyph whose top-left pixel (white) is its transparent colour.
    skin::Bitmap glyph(12, 12, 0x00FF0000);
    glyph.set_pixel(0, 0, 0x00FFFFFF);
    button->ButtonGlyph().Glyph()->LoadFromBmpBytes(skin::WriteBmp(glyph));
    const auto redPixels = [&] {
        const skin::Bitmap shot = ShotOf(button->Handle());
        int red = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x)
                red += RgbOf(shot.pixel(x, y)) == 0xFF0000u;
        }
        return red;
    };
    EXPECT_TRUE(Pump([&] { return redPixels() >= 12 * 12 - 1; })) << "the glyph, its corner transparent";
    EXPECT_LT(redPixels(), 12 * 12);
    EXPECT_FALSE(ButtonFramesShown(ShotOf(button->Handle()), *skin.Buttons).empty()) << "on the skin's face";
}

TEST_P(SkinControlsTest, MessageBoxButtonIsSkinnedAndClicksThroughTheSkin) {
    TSkinTestForm* form = ControlsForm();
    boxes.reset();
    g_skinnedBox = SkinnedBox{};
    g_buttonElement = Skin(form).Buttons.get();
    const MessageBoxWatch watch(&InspectBox);
    const int answer = MessageBoxW(form->Handle(), L"Text.", L"Box", MB_OKCANCEL);
    EXPECT_TRUE(g_skinnedBox.skinned);
    EXPECT_TRUE(g_skinnedBox.okIsSkinButton);
    EXPECT_EQ(g_skinnedBox.framesShown, std::vector<int>{skin::kButtonHot}) << "OK has the focus";
    EXPECT_EQ(answer, IDOK) << "the release posts the click to the box";
}

// A window of no framework class with system controls on it, as a dialog has.
struct PlainControls {
    HWND window = nullptr, check = nullptr, checkedDisabled = nullptr, threeState = nullptr, radio = nullptr,
         combo = nullptr, group = nullptr, ownerDrawn = nullptr, edit = nullptr;
    ~PlainControls() {
        if (window) DestroyWindow(window);
    }
};

LRESULT CALLBACK PlainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, msg, wParam, lParam);
}

void MakePlainControls(PlainControls& c) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SkinTestPlainWindow";
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    RegisterClassW(&wc);
    c.window = CreateWindowExW(0, wc.lpszClassName, L"Plain", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 760,
                               150, 360, 300, nullptr, nullptr, nullptr, nullptr);
    const auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int y, int h = 20) {
        return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, y, 200, h, c.window, nullptr,
                               nullptr, nullptr);
    };
    c.check = child(L"BUTTON", L"Check", BS_AUTOCHECKBOX | WS_TABSTOP, 10);
    c.checkedDisabled = child(L"BUTTON", L"Checked, disabled", BS_AUTOCHECKBOX | WS_DISABLED, 35);
    c.threeState = child(L"BUTTON", L"Three states", BS_AUTO3STATE, 60);
    c.radio = child(L"BUTTON", L"Radio", BS_AUTORADIOBUTTON, 85);
    c.combo = child(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_TABSTOP, 110, 120);
    c.group = child(L"BUTTON", L"Group", BS_GROUPBOX, 140, 40);
    c.ownerDrawn = child(L"BUTTON", L"Owner", BS_OWNERDRAW, 185);
    c.edit = child(L"EDIT", L"", WS_BORDER, 210);
    SendMessageW(c.checkedDisabled, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(c.threeState, BM_SETCHECK, BST_INDETERMINATE, 0);
    SendMessageW(c.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
    SendMessageW(c.combo, CB_SETCURSEL, 0, 0);
}

TEST_P(SkinControlsTest, PlainWindowChecksRadiosAndCombosShowTheSkinsGlyphsInTheirStates) {
    TSkinTestForm* form = ControlsForm();
    const TSkinData& skin = Skin(form);
    PlainControls c;
    MakePlainControls(c);
    ShowWindow(c.window, SW_SHOW);
    SetForegroundWindow(c.window);
    ASSERT_TRUE(Pump([&] { return Skinned(c.window); })) << "the plain window was not skinned";
    EXPECT_NE(ObjectFor<skin::TSkinCheckBox>(c.window, c.check), nullptr);
    EXPECT_NE(ObjectFor<skin::TSkinCheckBox>(c.window, c.threeState), nullptr);
    EXPECT_NE(ObjectFor<skin::TSkinRadioButton>(c.window, c.radio), nullptr);
    EXPECT_NE(ObjectFor<skin::TSkinComBox>(c.window, c.combo), nullptr);
    EXPECT_NE(ObjectFor<skin::TSkinEdit>(c.window, c.edit), nullptr);
    EXPECT_EQ(skin::FindControlObject(ObjectOf(c.window), c.group), nullptr) << "group boxes keep their look";
    EXPECT_EQ(skin::FindControlObject(ObjectOf(c.window), c.ownerDrawn), nullptr)
        << "so do owner-drawn buttons";

    const skin::TDataSkinButton& buttons = *skin.Buttons;
    const auto glyphShown = [&](HWND control, const skin::Bitmap& strip, int frames, int frame) {
        const skin::Bitmap shot = ShotOf(control);
        const int fw = strip.width() / frames;
        const int left = fw <= skin::kGlyphColumn ? (skin::kGlyphColumn - fw) / 2 : 0;
        return GlyphMismatches(shot, left, (shot.height() - strip.height()) / 2, strip, frames, frame);
    };
    const skin::Bitmap& check = buttons.CheckButtonImage;
    const int checkFrames = buttons.CheckButtonFrame;
    EXPECT_EQ(glyphShown(c.check, check, checkFrames, skin::kGlyphUnchecked), 0) << "unchecked";
    EXPECT_EQ(glyphShown(c.checkedDisabled, check, checkFrames, 4), 0) << "checked and disabled";
    EXPECT_EQ(glyphShown(c.threeState, check, checkFrames, skin::kGlyphIndeterminate), 0) << "indeterminate";
    SendMessageW(c.check, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(c.check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(glyphShown(c.check, check, checkFrames, skin::kGlyphChecked), 0) << "checked by a click";
    EnableWindow(c.check, FALSE);
    EXPECT_EQ(glyphShown(c.check, check, checkFrames, 4), 0) << "checked, then disabled";
    EnableWindow(c.check, TRUE);
    SendMessageW(c.check, BM_SETCHECK, BST_UNCHECKED, 0);
    EnableWindow(c.check, FALSE);
    EXPECT_EQ(glyphShown(c.check, check, checkFrames, 3), 0) << "unchecked and disabled";

    const skin::Bitmap& radio = buttons.RadioButtonImage;
    const int radioFrames = buttons.RadioButtonFrame;
    EXPECT_EQ(glyphShown(c.radio, radio, radioFrames, skin::kGlyphUnchecked), 0);
    SendMessageW(c.radio, BM_CLICK, 0, 0);
    EXPECT_EQ(glyphShown(c.radio, radio, radioFrames, skin::kGlyphChecked), 0) << "chosen by a click";

    // The combo box: the sunken edge's left column, frame by frame.
    ASSERT_NE(skin.SunkEdge, nullptr);
    const skin::Bitmap& sunk = skin.SunkEdge->Image;
    const int sunkWidth = sunk.width() / skin.SunkEdge->FrameCount;
    const auto edgeFrame = [&](int frame) {
        return Pump([&] {
            const skin::Bitmap shot = ShotOf(c.combo);
            const skin::Pixel edge = RgbOf(sunk.pixel((frame - 1) * sunkWidth, sunk.height() / 2));
            return RgbOf(shot.pixel(0, shot.height() / 2)) == edge;
        });
    };
    SetFocus(c.edit);
    EXPECT_TRUE(edgeFrame(skin::kComboNormal)) << "combo box, normal";
    SetFocus(c.combo);
    EXPECT_TRUE(edgeFrame(skin::kComboHot)) << "combo box, focused";
    SetFocus(c.edit);
    EnableWindow(c.combo, FALSE);
    EXPECT_TRUE(edgeFrame(skin::kComboDisabled)) << "combo box, disabled";
    EnableWindow(c.combo, TRUE);

    // Unskinned, everything draws itself again.
    Skin(form).SetActive(false);
    ASSERT_TRUE(Pump([&] { return skin::SkinManager->FindFormByWindow(c.window) == nullptr; }));
    Settle();
    EXPECT_GT(glyphShown(c.radio, radio, radioFrames, skin::kGlyphChecked), 0) << "the system's own radio";
    const skin::Bitmap edit = ShotOf(c.edit);
    EXPECT_NE(RgbOf(edit.pixel(0, edit.height() / 2)), PixelOfColour(skin.ButtonShadowColour))
        << "the system's own edit border";
}

// Where the first column showing the caption's ink lies right of x0 in the middle rows of a control's shot,
// against the face colour; -1 when none does.
int FirstInkColumn(const skin::Bitmap& shot, int x0, skin::Pixel face) {
    for (int x = x0; x < shot.width(); ++x) {
        for (int y = shot.height() / 4; y < shot.height() * 3 / 4; ++y)
            if (RgbOf(shot.pixel(x, y)) != face) return x;
    }
    return -1;
}

// A framework form's check box and radio button with glyphs of the skin: each its own glyph, the whole
// glyph cell in the face colour, and the caption clear of the glyph.
class SkinGlyphsTest : public SkinControlsTest {};

TEST_P(SkinGlyphsTest, FormCheckBoxAndRadioButtonShowTheirOwnGlyphsWithTheCaptionClearOfThem) {
    TSkinTestForm* form = ControlsForm(R"(    CheckBox1 : TCheckBox {
        Left = 20
        Top = 150
        Width = 160
        Height = 21
        Caption = "Wrap lines"
        State = cbChecked
    }
    RadioButton1 : TRadioButton {
        Left = 20
        Top = 180
        Width = 160
        Height = 21
        Caption = "Wrap words"
        Checked = True
    }
)");
    const TSkinData& skin = Skin(form);
    const skin::TDataSkinButton& buttons = *skin.Buttons;
    const skin::Pixel face = PixelOfColour(skin.ButtonFaceColour);
    struct Glyph {
        const char* name;
        const skin::Bitmap& strip;
        int frames;
    };
    std::vector<int> gaps; // from the glyph's cell to the caption's first ink
    for (const Glyph g : {Glyph{"CheckBox1", buttons.CheckButtonImage, buttons.CheckButtonFrame},
                          Glyph{"RadioButton1", buttons.RadioButtonImage, buttons.RadioButtonFrame}}) {
        HWND control = HandleOf(form, g.name);
        ASSERT_NE(skin::FindControlObject(ObjectOf(form->Handle()), control), nullptr) << g.name;
        const skin::Bitmap shot = ShotOf(control);
        SaveArtifact(shot, std::string("glyph-") + g.name + "-" + GetParam() + ".bmp");
        const int w = g.strip.width() / g.frames, h = g.strip.height();
        const int left = w <= skin::kGlyphColumn ? (skin::kGlyphColumn - w) / 2 : 0;
        const int top = (shot.height() - h) / 2;
        EXPECT_EQ(GlyphMismatches(shot, left, top, g.strip, g.frames, skin::kGlyphChecked), 0) << g.name;
        // Round the glyph, up to the system's box, only the face shows.
        const int cell = std::max(left + w, skin::SystemGlyphBox(96));
        int off = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < cell; ++x) {
                const bool inGlyph = x >= left && x < left + w && y >= top && y < top + h;
                if (!inGlyph && RgbOf(shot.pixel(x, y)) != face) ++off;
            }
        }
        EXPECT_EQ(off, 0) << g.name << ": the system's box shows round the glyph";
        gaps.push_back(FirstInkColumn(shot, cell, face) - cell);
    }
    // Both captions begin with the same letter in the same font: each keeps the system's distance from
    // the wider of its glyph and the system's box.
    EXPECT_GE(gaps[0], 2);
    EXPECT_EQ(gaps[1], gaps[0]) << "the radio button's caption is nearer to its glyph than the check box's";
}

TEST_P(SkinControlsTest, AnAlwaysOpenComboBoxShowsNoButtonAndTheSkinsEdgeRoundItsEditPart) {
    TSkinTestForm* form = ControlsForm(R"(    Simple1 : TComboBox {
        Left = 300
        Top = 110
        Width = 160
        Height = 90
        Style = csSimple
        Items = ("One" "Two")
    }
)");
    const TSkinData& skin = Skin(form);
    HWND combo = HandleOf(form, "Simple1");
    ASSERT_NE(ObjectFor<skin::TSkinComBox>(form->Handle(), combo), nullptr);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    RECT list = WindowRectOf(info.hwndList);
    MapWindowPoints(nullptr, combo, reinterpret_cast<POINT*>(&list), 2);
    const skin::Bitmap shot = ShotOf(combo);
    SaveArtifact(shot, std::string("combo-simple-") + GetParam() + ".bmp");
    const int cx = GetSystemMetrics(SM_CXHSCROLL);
    // Every row above and below the list looks the same at the right end as in the middle: no button.
    int fragments = 0;
    for (int y = 0; y < shot.height(); ++y) {
        if (y >= list.top && y < list.bottom) continue;
        for (int x = shot.width() - cx - 2; x < shot.width() - 4; ++x)
            fragments += RgbOf(shot.pixel(x, y)) != RgbOf(shot.pixel(shot.width() / 2, y));
    }
    EXPECT_EQ(fragments, 0) << "pieces of a combo button";
    const skin::Bitmap& sunk = skin.SunkEdge->Image;
    EXPECT_EQ(RgbOf(shot.pixel(0, list.top / 2)), RgbOf(sunk.pixel(0, sunk.height() / 2)))
        << "the edit part wears the skin's edge";
}

TEST_P(SkinControlsTest, AttachingTwiceKeepsOneHookAndDetachingGivesHandlersAndColoursBack) {
    gui::TWndMethod ownMethod;
    gui::TButton* button = nullptr;
    TSkinTestForm* form = ControlsForm("", [&](TSkinData& skin) {
        button = dynamic_cast<gui::TButton*>(skin.Owner()->FindComponent("Button1"));
        ownMethod = button->WindowProc;
    });
    TSkinData& skin = Skin(form);
    HWND window = form->Handle();
    auto* object = ObjectFor<skin::TSkinButton>(window, button->Handle());
    ASSERT_NE(object, nullptr);
    const gui::TWndMethod skinned = button->WindowProc;
    EXPECT_FALSE(skinned == ownMethod);
    object->Attach(*button, skin, false, ObjectOf(window).ControlCanvas());
    EXPECT_TRUE(button->WindowProc == skinned) << "a second attach changes nothing";
    EXPECT_EQ(ObjectOf(window).Controls().size(), 3u);

    // A control given the skin's face colour while attached gets its own back.
    auto* tagged = dynamic_cast<gui::TEdit*>(form->FindComponent("Edit2"));
    const gui::TColor ownColour = tagged->Color();
    auto* box = new skin::TSkinCheckBox(&ObjectOf(window));
    box->Attach(*tagged, skin, true, ObjectOf(window).ControlCanvas());
    EXPECT_EQ(tagged->Color(), skin.ButtonFaceColour);

    PlainControls c;
    MakePlainControls(c);
    const LONG_PTR ownProcedure = GetWindowLongPtrW(c.check, GWLP_WNDPROC);
    ShowWindow(c.window, SW_SHOW);
    SetForegroundWindow(c.window);
    ASSERT_TRUE(Pump([&] { return Skinned(c.window); }));

    skin.SetActive(false);
    ASSERT_TRUE(Pump([&] { return skin::SkinManager->FindFormByWindow(window) == nullptr; }));
    EXPECT_TRUE(button->WindowProc == ownMethod) << "the button's own message method";
    EXPECT_EQ(tagged->Color(), ownColour);
    EXPECT_EQ(GetWindowLongPtrW(c.check, GWLP_WNDPROC), ownProcedure) << "the check box's own procedure";
}

TEST_P(SkinControlsTest, OddSkinValuesDrawTheNearestSaneLook) {
    TSkinTestForm* form = ControlsForm();
    TSkinData& skin = Skin(form);
    PlainControls c;
    MakePlainControls(c);
    ShowWindow(c.window, SW_SHOW);
    SetForegroundWindow(c.window);
    ASSERT_TRUE(Pump([&] { return Skinned(c.window); }));

    // Strips without a frame count are one frame each.
    const skin::Bitmap& check = skin.Buttons->CheckButtonImage;
    const int checkFrames = std::exchange(skin.Buttons->CheckButtonFrame, 0);
    const skin::Bitmap glyphShot = ShotOf(c.check);
    EXPECT_EQ(GlyphMismatches(glyphShot, 0, (glyphShot.height() - check.height()) / 2, check, 1, 1), 0)
        << "the whole strip as the glyph, from the control's left";
    skin.Buttons->CheckButtonFrame = checkFrames;
    const int sunkFrames = std::exchange(skin.SunkEdge->FrameCount, 0);
    const int comboFrames = std::exchange(skin.ComboButton->FrameCount, 0);
    const skin::Bitmap comboShot = ShotOf(c.combo);
    EXPECT_EQ(RgbOf(comboShot.pixel(0, comboShot.height() / 2)),
              RgbOf(skin.SunkEdge->Image.pixel(0, skin.SunkEdge->Image.height() / 2)));
    skin.SunkEdge->FrameCount = sunkFrames;
    skin.ComboButton->FrameCount = comboFrames;

    // Without a button image the button paints itself rather than nothing.
    const skin::Bitmap image = std::exchange(skin.Buttons->Image, skin::Bitmap());
    const skin::Bitmap own = ShotOf(HandleOf(form, "Button1"));
    skin.Buttons->Image = image;
    EXPECT_TRUE(ButtonFramesShown(own, *skin.Buttons).empty()) << "not the skin's face left from before";
    const skin::Pixel face = PixelOfColour(skin.ButtonFaceColour);
    const auto pixels = own.pixels();
    EXPECT_GT(std::count_if(pixels.begin(), pixels.end(), [&](skin::Pixel p) { return RgbOf(p) != face; }),
              100)
        << "its frame and caption";
}

TEST_P(SkinControlsTest, DecisionListFollowsTagsSkin3rdAndTheSkinControlEvent) {
    const std::string extra = R"(    Tagged199 : TButton {
        Left = 10
        Top = 10
        Tag = 199
    }
    TaggedMinus99 : TButton {
        Left = 10
        Top = 40
        Tag = -99
    }
    Tagged95 : TButton {
        Left = 10
        Top = 70
        Tag = 95
    }
    Tagged55 : TButton {
        Left = 10
        Top = 100
        Tag = 55
    }
    Tagged155 : TButton {
        Left = 10
        Top = 130
        Tag = 155
    }
    Fancy : TFancyButton {
        Left = 100
        Top = 10
    }
    EventButton : TButton {
        Left = 100
        Top = 40
    }
)";
    rtl::TComponent* eventControl = nullptr;
    std::string eventClass;
    HWND focusMovedTo = nullptr;
    TSkinTestForm* form = ControlsForm(extra, [&](TSkinData& skin) {
        std::vector<std::string> rows = skin.Skin3rd();
        rows.insert(rows.begin(), "TFancyButton=Edit");
        skin.SetSkin3rd(rows);
        skin.OnSkinControl = [&](rtl::TComponent* sender, TSkinData*, gui::TControl*, gui::TControl* control,
                                 const std::string& controlClass, rtl::TComponent*& skinned) {
            // A handler may move the focus: a control attached after it knows it has the focus.
            if (control && control->Name() == "Tagged155") {
                const HWND target =
                    dynamic_cast<gui::TWinControl*>(control->Owner()->FindComponent("EventButton"))->Handle();
                SetFocus(target);
                if (GetFocus() == target) focusMovedTo = target;
            }
            if (!control || control->Name() != "EventButton") return;
            eventControl = control;
            eventClass = controlClass;
            skinned = new skin::TSkinCheckBox(sender);
        };
    });
    HWND window = form->Handle();
    EXPECT_EQ(ObjectFor<skin::TSkinControl>(window, HandleOf(form, "Tagged199")), nullptr)
        << "199 mod 100 is 99";
    EXPECT_NE(ObjectFor<skin::TSkinButton>(window, HandleOf(form, "TaggedMinus99")), nullptr)
        << "-99 is not 99";
    EXPECT_NE(ObjectFor<skin::TSkinComBox>(window, HandleOf(form, "Tagged95")), nullptr)
        << "95 forces a combo box";
    EXPECT_NE(ObjectFor<skin::TSkinScrollBar>(window, HandleOf(form, "Tagged55")), nullptr)
        << "exactly 55 counts as scrolling";
    EXPECT_NE(ObjectFor<skin::TSkinButton>(window, HandleOf(form, "Tagged155")), nullptr)
        << "only exactly 55";
    EXPECT_NE(ObjectFor<skin::TSkinEdit>(window, HandleOf(form, "Fancy")), nullptr)
        << "Skin3rd, any spelling";
    EXPECT_EQ(eventClass, "TBUTTON");
    EXPECT_EQ(eventControl, form->FindComponent("EventButton"));
    const auto* eventObject = ObjectFor<skin::TSkinCheckBox>(window, HandleOf(form, "EventButton"));
    ASSERT_NE(eventObject, nullptr) << "the event's object is attached";
    ASSERT_EQ(focusMovedTo, HandleOf(form, "EventButton"));
    EXPECT_TRUE(eventObject->Focused) << "the focus a handler moved";

    // A Skin3rd kind whose gate is closed still keeps the control from the built-in rows.
    TSkinTestForm* gated =
        NewForm(ControlsFormText(SkinFile(GetParam()), "    Fancy : TFancyButton {\n    }\n"));
    TSkinData& gatedSkin = Skin(gated);
    gatedSkin.SetSkin3rd({"tfancybutton=edit"});
    gatedSkin.SetSkinControls(gatedSkin.SkinControls() & ~(1u << skin::xcEdit));
    gated->Show();
    SetForegroundWindow(gated->Handle());
    ASSERT_TRUE(Pump([&] { return Skinned(gated->Handle()); }));
    EXPECT_EQ(ObjectFor<skin::TSkinControl>(gated->Handle(), HandleOf(gated, "Fancy")), nullptr);
    EXPECT_EQ(ObjectFor<skin::TSkinControl>(gated->Handle(), HandleOf(gated, "Edit1")), nullptr)
        << "edits gated";
    EXPECT_NE(ObjectFor<skin::TSkinButton>(gated->Handle(), HandleOf(gated, "Button1")), nullptr);
}

TEST_P(SkinControlsTest, UnskinningGivesControlsTheirLookBackAndCyclesLeaveNoHandles) {
    TSkinTestForm* form = ControlsForm();
    TSkinData& skin = Skin(form);
    HWND edit = HandleOf(form, "Edit1"), button = HandleOf(form, "Button1");
    const auto cycle = [&](skin::DeferredAction action) { RunSkinAction(skin, action); };
    cycle(skin::DeferredAction::Unskin);
    EXPECT_TRUE(ButtonFramesShown(ShotOf(button), *skin.Buttons).empty()) << "the system's own button";
    const skin::Bitmap plainEdit = ShotOf(edit);
    EXPECT_NE(RgbOf(plainEdit.pixel(0, plainEdit.height() / 2)), PixelOfColour(skin.ButtonShadowColour))
        << "the system's own edit border";
    cycle(skin::DeferredAction::Skin);
    ShotOf(button);
    const gui::LiveHandleCounts before = gui::LiveHandles();
    for (int i = 0; i < 100; ++i) {
        cycle(skin::DeferredAction::Unskin);
        cycle(skin::DeferredAction::Skin);
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); }));
    ShotOf(button);
    const gui::LiveHandleCounts after = gui::LiveHandles();
    EXPECT_EQ(after.Gdi, before.Gdi);
    EXPECT_EQ(after.User, before.User);
    EXPECT_EQ(ObjectOf(form->Handle()).Controls().size(), 3u);

    // Another skin: every control is painted with it.
    const std::string other = std::string(GetParam()) == "default.skn" ? "dark.skn" : "default.skn";
    skin.SetSkinFile(SkinFile(other));
    Settle(std::chrono::milliseconds(600));
    const skin::Bitmap shot = ShotOf(edit);
    EXPECT_EQ(RgbOf(shot.pixel(0, shot.height() / 2)), PixelOfColour(skin.ButtonShadowColour))
        << "the new skin";
    EXPECT_EQ(ButtonFramesShown(ShotOf(button), *skin.Buttons).size(), 1u);
}

// Buttons freed at run time take their skinning objects with them: switching skins and unskinning afterwards
// reach none of them, and the speed button's place shows the form's face again.
TEST_P(SkinControlsTest, ButtonsFreedAtRunTimeLeaveNothingForSkinSwitchesToReach) {
    TSkinTestForm* form = ControlsForm(R"(    SpeedButton1 : TSpeedButton {
        Left = 300
        Top = 10
        Width = 80
        Height = 30
        Caption = "Speed"
    }
    BitBtn1 : TBitBtn {
        Left = 300
        Top = 100
        Width = 120
        Height = 30
        Caption = "Glyph"
    }
    Button3 : TButton {
        Left = 400
        Top = 10
        Width = 80
        Height = 25
        Caption = "Plain"
    }
)");
    TSkinData& skin = Skin(form);
    const skin::TWinSkinForm& object = ObjectOf(form->Handle());
    const std::size_t skinned = object.Controls().size();
    auto* speed = dynamic_cast<gui::TControl*>(form->FindComponent("SpeedButton1"));
    ASSERT_NE(speed, nullptr);
    const RECT speedPlace = speed->BoundsRect();
    const HWND bitButton = HandleOf(form, "BitBtn1"), plainButton = HandleOf(form, "Button3");
    ASSERT_NE(ObjectFor<skin::TSkinBitButton>(form->Handle(), bitButton), nullptr);
    ASSERT_NE(ObjectFor<skin::TSkinButton>(form->Handle(), plainButton), nullptr);

    for (const char* name : {"SpeedButton1", "BitBtn1", "Button3"})
        delete form->FindComponent(name);
    application->ProcessMessages();
    EXPECT_EQ(object.Controls().size(), skinned - 3) << "their skinning objects went with them";
    EXPECT_EQ(skin::FindControlObject(object, bitButton), nullptr);
    EXPECT_EQ(skin::FindControlObject(object, plainButton), nullptr);
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle();
    RECT place = speedPlace;
    MapWindowPoints(form->Handle(), nullptr, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(PixelsNotOfColour(Screenshot(place), PixelOfColour(skin.ButtonFaceColour)), 0)
        << "the freed speed button is drawn no more";

    const std::string first = GetParam(), other = first == "default.skn" ? "dark.skn" : "default.skn";
    const gui::LiveHandleCounts before = gui::LiveHandles();
    for (const std::string& next : {other, first, other, first}) {
        skin.SetSkinFile(SkinFile(next));
        Settle(std::chrono::milliseconds(400));
    }
    const gui::LiveHandleCounts after = gui::LiveHandles();
    EXPECT_EQ(after.Gdi, before.Gdi);
    EXPECT_EQ(after.User, before.User);
    RunSkinAction(skin, skin::DeferredAction::Unskin);
    EXPECT_EQ(skin::SkinManager->FindFormByWindow(form->Handle()), nullptr);
    EXPECT_TRUE(ButtonFramesShown(ShotOf(HandleOf(form, "Button1")), *skin.Buttons).empty())
        << "the button left has its own look back";
}

// ---- the shared drawing routines, on an off-screen bitmap ----

// Where anything other than white was drawn on a white bitmap: the ink's box.
RECT InkBox(const skin::Bitmap& bitmap) {
    RECT box{bitmap.width(), bitmap.height(), -1, -1};
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            if (RgbOf(bitmap.pixel(x, y)) == 0xFFFFFFu) continue;
            box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
                       std::max<LONG>(box.bottom, y)};
        }
    }
    return box;
}

// Draws with draw onto a white bitmap of width x height through a canvas with the GUI font.
skin::Bitmap DrawnOnWhite(int width, int height, const std::function<void(gui::TCanvas&)>& draw) {
    skin::Bitmap bitmap(skin::win::DibPixelAllocator(), width, height);
    bitmap.fill(0xFFFFFF);
    {
        skin::win::BitmapDc dc(bitmap);
        gui::TCanvas canvas(dc.get());
        canvas.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        draw(canvas);
    }
    return bitmap;
}

TEST(ControlDrawingTest, CaptionTextSitsOnePixelAboveTheMiddleAndCentredTextOnIt) {
    const RECT rect{0, 0, 120, 40};
    int textHeight = 0;
    // The text at the top of the rectangle, centred across it: where its ink starts below the text's top.
    const RECT top = InkBox(DrawnOnWhite(120, 40, [&](gui::TCanvas& canvas) {
        RECT r = rect;
        canvas.DrawText("Convert", r, DT_CENTER | DT_SINGLELINE);
        textHeight = canvas.TextHeight("Convert");
    }));
    const RECT caption = InkBox(DrawnOnWhite(120, 40, [&](gui::TCanvas& canvas) {
        skin::DrawCaptionText(canvas, rect, skin::TextAlignment::Centre, true, "Convert");
    }));
    const RECT centred = InkBox(DrawnOnWhite(120, 40, [&](gui::TCanvas& canvas) {
        skin::DrawCentredText(canvas, rect, "Convert", skin::TextAlignment::Centre, true);
    }));
    ASSERT_GE(top.right, top.left) << "the system drew the text";
    const int free = 40 - textHeight;
    const int captionAbove = caption.top - top.top, centredAbove = centred.top - top.top;
    EXPECT_LE(std::abs((free - 2) - 2 * captionAbove), 1) << "one pixel above the middle";
    EXPECT_LE(std::abs(free - 2 * centredAbove), 1) << "in the middle";
    EXPECT_NEAR(caption.left, top.left, 1) << "centred across";
    EXPECT_NEAR(centred.left, top.left, 1);

    const RECT left = InkBox(DrawnOnWhite(120, 40, [&](gui::TCanvas& canvas) {
        skin::DrawCaptionText(canvas, rect, skin::TextAlignment::Left, true, "Convert");
    }));
    EXPECT_LE(left.left, 2) << "left aligned";
    const skin::Bitmap disabled = DrawnOnWhite(120, 40, [&](gui::TCanvas& canvas) {
        canvas.SetTextColor(rtl::clBlack);
        skin::DrawCaptionText(canvas, rect, skin::TextAlignment::Centre, false, "Convert");
    });
    bool shadow = false;
    for (skin::Pixel p : disabled.pixels())
        shadow |= RgbOf(p) == skin::ColourToPixel(GetSysColor(COLOR_BTNSHADOW));
    EXPECT_TRUE(shadow) << "disabled text in the button shadow colour";
    const RECT nothing = InkBox(DrawnOnWhite(120, 40, [&](gui::TCanvas& canvas) {
        skin::DrawCaptionText(canvas, RECT{50, 0, 10, 40}, skin::TextAlignment::Centre, true, "Convert");
    }));
    EXPECT_LT(nothing.right, nothing.left) << "an inverted rectangle draws nothing";
}

TEST(ControlDrawingTest, GlyphFramesAreTransparentByTheirTopLeftPixelAndStripFramesByTheKeyColour) {
    // Two 4 x 3 frames: a red background with a blue centre column, then a green one with a black one.
    skin::Bitmap strip(8, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool second = x >= 4, centre = x % 4 == 1;
            strip.set_pixel(x, y, second ? (centre ? 0x000000 : 0x00FF00) : (centre ? 0x0000FF : 0xFF0000));
        }
    }
    const skin::Bitmap glyph = DrawnOnWhite(10, 10, [&](gui::TCanvas& canvas) {
        skin::DrawGlyphFrame(canvas, RECT{2, 2, 9, 9}, 2, 2, strip);
    });
    EXPECT_EQ(RgbOf(glyph.pixel(3, 3)), 0x000000u) << "the second frame's centre, unscaled at the top-left";
    EXPECT_EQ(RgbOf(glyph.pixel(2, 2)), 0xFFFFFFu) << "its background is left out";
    EXPECT_EQ(RgbOf(glyph.pixel(3, 5)), 0xFFFFFFu) << "three rows high";

    skin::Bitmap keyed(4, 1);
    keyed.set_pixel(0, 0, skin::kSkinKeyPixel);
    keyed.set_pixel(1, 0, 0x123456);
    keyed.set_pixel(2, 0, skin::kSkinKeyPixel);
    keyed.set_pixel(3, 0, 0x654321);
    const skin::Bitmap stretched = DrawnOnWhite(10, 10, [&](gui::TCanvas& canvas) {
        skin::DrawStripFrame(canvas, RECT{0, 0, 4, 4}, 2, 2, keyed);
        skin::DrawStripFrame(canvas, RECT{6, 6, 2, 2}, 2, 1, keyed);
    });
    EXPECT_EQ(RgbOf(stretched.pixel(0, 3)), 0xFFFFFFu) << "the key colour is left out";
    EXPECT_EQ(RgbOf(stretched.pixel(3, 3)), 0x654321u) << "frame 2 stretched to the rectangle";
    EXPECT_EQ(RgbOf(stretched.pixel(6, 6)), 0xFFFFFFu) << "an inverted rectangle draws nothing";
}

INSTANTIATE_TEST_SUITE_P(EverySkin, SkinGlyphsTest,
                         ::testing::Values("default.skn", "dark.skn", "asymmetric.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });
INSTANTIATE_TEST_SUITE_P(BothSkins, SkinControlsTest, ::testing::Values("default.skn", "dark.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });

} // namespace
