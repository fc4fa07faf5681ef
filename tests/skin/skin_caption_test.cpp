// The caption buttons of a resizable skinned window in-process, with both of our skins: hover and press
// light exactly their own button, and maximize, minimize, restore and a double click on the caption keep the
// window skinned and sized as a user expects.
#include "tests/skin/skin_test_fixture.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace {

using namespace skin_tests;

std::string ResizableForm(const std::string& skinFile) {
    return R"(SkinForm : TSkinTestForm {
    Caption = "Resizable"
    ClientWidth = 420
    ClientHeight = 200
    Left = 200
    Top = 150
    BorderStyle = bsSizeable
    BorderIcons = [biSystemMenu, biMinimize, biMaximize]
    SkinData1 : TSkinData {
        Active = True
        SkinFile = ")" +
           Escaped(skinFile) + R"("
    }
}
)";
}

// The smallest rectangle holding every pixel at which a and b differ; empty when they are alike.
RECT ChangedArea(const skin::Bitmap& a, const skin::Bitmap& b) {
    RECT area{a.width(), a.height(), 0, 0};
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.pixel(x, y) & 0xFFFFFF) == (b.pixel(x, y) & 0xFFFFFF)) continue;
            area = RECT{std::min<LONG>(area.left, x), std::min<LONG>(area.top, y),
                        std::max<LONG>(area.right, x + 1), std::max<LONG>(area.bottom, y + 1)};
        }
    }
    return area;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

class SkinCaptionTest : public SkinFormTest {
  protected:
    TSkinTestForm* Shown() {
        TSkinTestForm* form = NewForm(ResizableForm(SkinFile(GetParam())));
        form->Show();
        EXPECT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "the form was not skinned";
        SetForegroundWindow(form->Handle());
        Settle();
        return form;
    }
};

TEST_P(SkinCaptionTest, HoverAndPressLightOnlyTheirOwnButton) {
    TSkinTestForm* form = Shown();
    HWND window = form->Handle();
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
    int lit = 0;
    for (auto& button : object.CaptionButtons) {
        const int action = button->Element->Action;
        if (!button->Visible || action == skin::kActionSystemMenu || action == skin::kActionIcon) continue;
        SCOPED_TRACE("action " + std::to_string(action));
        const RECT outer = WindowRectOf(window);
        const RECT caption{outer.left, outer.top, outer.right, outer.top + object.FrameTop};
        // What a button paints reaches the screen a moment later under some systems.
        const auto shoot = [&] {
            Settle(std::chrono::milliseconds(60));
            return Screenshot(caption);
        };
        const POINT away{caption.left + 60, caption.bottom + 40};
        const POINT over{caption.left + (button->Bounds.left + button->Bounds.right) / 2,
                         caption.top + (button->Bounds.top + button->Bounds.bottom) / 2};
        SetCursorPos(away.x, away.y);
        const skin::Bitmap normal = shoot();
        SetCursorPos(over.x, over.y); // the pointer over the button, as a user hovers
        const skin::Bitmap hot = shoot();
        button->MouseDown(); // the press without the release that would run the button
        const skin::Bitmap pressed = shoot();
        button->MouseLeave();
        SetCursorPos(away.x, away.y);
        const RECT hotArea = ChangedArea(normal, hot), pressedArea = ChangedArea(hot, pressed);
        EXPECT_LT(hotArea.left, hotArea.right) << "hover changes the button";
        EXPECT_TRUE(Inside(hotArea, button->Bounds)) << "and nothing else";
        EXPECT_LT(pressedArea.left, pressedArea.right) << "pressing changes it again";
        EXPECT_TRUE(Inside(pressedArea, button->Bounds));
        EXPECT_EQ(ChangedArea(normal, shoot()).right, 0) << "leaving puts it out";
        if (action == skin::kActionClose)
            SaveArtifact(hot, "caption-close-hot-" + std::string(GetParam()) + ".bmp");
        ++lit;
    }
    EXPECT_GE(lit, 3) << "close, maximize and minimize show on a resizable window";
}

TEST_P(SkinCaptionTest, MaximizeMinimizeRestoreAndDoubleClickKeepTheSkin) {
    TSkinTestForm* form = Shown();
    HWND window = form->Handle();
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
    const RECT normal = WindowRectOf(window);
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const auto sameRect = [](const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; };

    object.ToggleMaximize();
    ASSERT_TRUE(Pump([&] { return IsZoomed(window) && Skinned(window); }));
    Settle();
    // As the system's own maximized windows, the outer border may lie past the screen's edge; the window
    // covers the whole work area and its content lies inside it.
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_TRUE(Inside(workArea, WindowRectOf(window))) << "maximized, the window fills the work area";
    EXPECT_TRUE(Inside(client, workArea));
    EXPECT_GT(client.right - client.left, workArea.right - workArea.left - 2 * object.FrameLeft - 10);
    object.ToggleMaximize();
    ASSERT_TRUE(Pump([&] { return !IsZoomed(window); }));
    Settle();
    EXPECT_TRUE(sameRect(WindowRectOf(window), normal)) << "restored to where it was";

    ShowWindow(window, SW_MINIMIZE);
    Settle();
    ShowWindow(window, SW_RESTORE);
    ASSERT_TRUE(Pump([&] { return !IsIconic(window) && Skinned(window); }));
    Settle();
    EXPECT_TRUE(sameRect(WindowRectOf(window), normal)) << "minimized and restored, same size and place";
    EXPECT_TRUE(HasRegion(window)) << "and the skin's shape";

    const RECT outer = WindowRectOf(window);
    const LPARAM onCaption = MAKELPARAM((outer.left + outer.right) / 2, outer.top + object.FrameTop / 2);
    SendMessageW(window, WM_NCLBUTTONDBLCLK, HTCAPTION, onCaption);
    EXPECT_TRUE(Pump([&] { return IsZoomed(window) != 0; })) << "a double click on the caption maximizes";
    Settle();
    const RECT maximized = WindowRectOf(window);
    SendMessageW(window, WM_NCLBUTTONDBLCLK, HTCAPTION,
                 MAKELPARAM((maximized.left + maximized.right) / 2, maximized.top + object.FrameTop / 2));
    EXPECT_TRUE(Pump([&] { return !IsZoomed(window); })) << "and another restores";
    Settle();
    EXPECT_TRUE(sameRect(WindowRectOf(window), normal));
    EXPECT_TRUE(Skinned(window));
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinCaptionTest, ::testing::Values("default.skn", "dark.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });

} // namespace
