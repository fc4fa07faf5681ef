// The caption buttons of a resizable skinned window in-process, with our two skins and the test skin: hover
// and press light exactly their own button with the skin's frames, maximize, minimize, restore and a double
// click on the caption keep the window skinned and sized as a user expects, and the system menu opens,
// closes and names its keys as the user knows them.
#include "framework/gui/shortcuts.h"
#include "tests/skin/screen_input.h"
#include "tests/skin/skin_test_fixture.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>

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
    for (auto& button : object.SysButtons()) {
        const int action = button->Element->Action;
        if (!button->Visible || action == skin::kActionSystemMenu || action == skin::kActionIcon) continue;
        SCOPED_TRACE("action " + std::to_string(action));
        const RECT outer = WindowRectOf(window);
        const RECT caption{outer.left, outer.top, outer.right, outer.top + object.Borders().top};
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
        // Each state shows the skin's own frame of the button: 1 normal, 2 pressed, 3 hot.
        const skin::Bitmap& strip = button->Element->Image;
        const int frames = button->Element->FrameCount;
        EXPECT_EQ(GlyphMismatches(normal, button->Bounds.left, button->Bounds.top, strip, frames, 1), 0)
            << "normal";
        EXPECT_EQ(GlyphMismatches(hot, button->Bounds.left, button->Bounds.top, strip, frames, 3), 0)
            << "hot";
        EXPECT_EQ(GlyphMismatches(pressed, button->Bounds.left, button->Bounds.top, strip, frames, 2), 0)
            << "pressed";
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
    EXPECT_GT(client.right - client.left, workArea.right - workArea.left - 2 * object.Borders().left - 10);
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
    const LPARAM onCaption = MAKELPARAM((outer.left + outer.right) / 2, outer.top + object.Borders().top / 2);
    SendMessageW(window, WM_NCLBUTTONDBLCLK, HTCAPTION, onCaption);
    EXPECT_TRUE(Pump([&] { return IsZoomed(window) != 0; })) << "a double click on the caption maximizes";
    Settle();
    const RECT maximized = WindowRectOf(window);
    SendMessageW(
        window, WM_NCLBUTTONDBLCLK, HTCAPTION,
        MAKELPARAM((maximized.left + maximized.right) / 2, maximized.top + object.Borders().top / 2));
    EXPECT_TRUE(Pump([&] { return !IsZoomed(window); })) << "and another restores";
    Settle();
    EXPECT_TRUE(sameRect(WindowRectOf(window), normal));
    EXPECT_TRUE(Skinned(window));
}

// Where a user clicks a caption button: its centre, in screen coordinates, as a message's lParam.
LPARAM ClickPoint(const skin::TWinSysButton& button, HWND window) {
    const RECT outer = WindowRectOf(window);
    return MAKELPARAM(outer.left + (button.Bounds.left + button.Bounds.right) / 2,
                      outer.top + (button.Bounds.top + button.Bounds.bottom) / 2);
}

skin::TWinSysButton* ButtonOf(skin::TWinSkinForm& object, std::initializer_list<int> actions) {
    for (auto& button : object.SysButtons()) {
        for (int action : actions) {
            if (button->Visible && button->Element->Action == action) return button.get();
        }
    }
    return nullptr;
}

TEST_P(SkinCaptionTest, ReleasingAButtonElsewhereDoesNothing) {
    TSkinTestForm* form = Shown();
    HWND window = form->Handle();
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
    skin::TWinSysButton* close = ButtonOf(object, {skin::kActionClose});
    skin::TWinSysButton* minimize = ButtonOf(object, {skin::kActionMinimize});
    ASSERT_TRUE(close && minimize);
    const MessageCounter closes(*form, WM_CLOSE);
    const RECT outer = WindowRectOf(window);
    const LPARAM captionMiddle =
        MAKELPARAM((outer.left + outer.right) / 2, outer.top + object.Borders().top / 2);
    // Close pressed, the mouse moved onto minimize and released there; then minimize pressed and released
    // on the bare caption.
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, ClickPoint(*close, window));
    SendMessageW(window, WM_NCMOUSEMOVE, HTCAPTION, ClickPoint(*minimize, window));
    SendMessageW(window, WM_NCLBUTTONUP, HTCAPTION, ClickPoint(*minimize, window));
    Settle(std::chrono::milliseconds(300));
    // (A press on what is then no button would start the system's move of the window.)
    ASSERT_FALSE(IsIconic(window)) << "released on minimize, pressed on close: not minimized";
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, ClickPoint(*minimize, window));
    SendMessageW(window, WM_NCMOUSEMOVE, HTCAPTION, captionMiddle);
    SendMessageW(window, WM_NCLBUTTONUP, HTCAPTION, captionMiddle);
    Settle(std::chrono::milliseconds(300));
    EXPECT_EQ(closes.Seen(), 0) << "not closed";
    EXPECT_FALSE(IsIconic(window)) << "not minimized";
    // The same buttons pressed and released in place still work.
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, ClickPoint(*minimize, window));
    SendMessageW(window, WM_NCLBUTTONUP, HTCAPTION, ClickPoint(*minimize, window));
    EXPECT_TRUE(Pump([&] { return IsIconic(window) != 0; }));
}

// Counts the popup menus shown while it lives and closes each a moment after it opens.
class MenuCloser {
  public:
    MenuCloser() { timer_ = SetTimer(nullptr, 0, 40, &Tick); }
    ~MenuCloser() { KillTimer(nullptr, timer_); }
    MenuCloser(const MenuCloser&) = delete;
    MenuCloser& operator=(const MenuCloser&) = delete;
    static inline int Opened = 0;

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu && IsWindowVisible(menu)) {
            ++Opened;
            EndMenu();
        }
    }
    UINT_PTR timer_ = 0;
};

TEST_P(SkinCaptionTest, OnlyADoubleClickOnTheIconCloses) {
    TSkinTestForm* form = Shown();
    HWND window = form->Handle();
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
    skin::TWinSysButton* icon = ButtonOf(object, {skin::kActionSystemMenu, skin::kActionIcon});
    ASSERT_NE(icon, nullptr);
    object.SystemMenu().SetDoubleClickTime(
        10000); // however slow the machine, every pair below is within the time
    const auto clickIcon = [&] {
        SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, ClickPoint(*icon, window));
        SendMessageW(window, WM_NCLBUTTONUP, HTCAPTION, ClickPoint(*icon, window));
    };
    const RECT outer = WindowRectOf(window);
    const LPARAM onCaption = MAKELPARAM((outer.left + outer.right) / 2, outer.top + object.Borders().top / 2);
    const MessageCounter closes(*form, WM_CLOSE);
    MenuCloser closer;
    MenuCloser::Opened = 0;
    // The menu opened from the keyboard, then from the caption's right button: a click on the icon right
    // after either opens the menu again.
    SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    clickIcon();
    SendMessageW(window, WM_NCRBUTTONDOWN, HTCAPTION, onCaption);
    clickIcon();
    Settle(std::chrono::milliseconds(300));
    EXPECT_EQ(closes.Seen(), 0) << "a click after another opening is no double click";
    EXPECT_EQ(MenuCloser::Opened, 4) << "Alt+Space, the icon, the caption and the icon again open the menu";
    // A second click on the icon right after the last one closes the window.
    clickIcon();
    EXPECT_TRUE(Pump([&] { return closes.Seen() == 1; })) << "a double click on the icon closes";
    EXPECT_EQ(MenuCloser::Opened, 4) << "instead of opening the menu";
}

TEST_P(SkinCaptionTest, TheSystemMenusCloseItemNamesTheKeyThatCloses) {
    TSkinTestForm* form = Shown();
    HWND window = form->Handle();
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
    std::string shown;
    HMENU menu = object.SystemMenu().Handle();
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA | MIIM_ID;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        skin::TMenuItemLook look;
        if (object.SystemMenu().ItemLook(info.dwItemData, info.wID, look) && look.Caption == " Close ")
            shown = look.ShortCut;
    }
    ASSERT_FALSE(shown.empty()) << "the Close item shows a key";
    const gui::TShortCut key = gui::TextToShortCut(shown);
    ASSERT_NE(key, gui::scNone) << shown;
    SetForegroundWindow(window);
    Settle();
    const MessageCounter closes(*form, WM_CLOSE);
    const auto send = [](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &input, sizeof input);
    };
    std::vector<WORD> held;
    if (key & gui::scShift) held.push_back(VK_SHIFT);
    if (key & gui::scCtrl) held.push_back(VK_CONTROL);
    if (key & gui::scAlt) held.push_back(VK_MENU);
    for (WORD vk : held)
        send(vk, false);
    send(static_cast<WORD>(key & 0xFF), false);
    send(static_cast<WORD>(key & 0xFF), true);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        send(*it, true);
    EXPECT_TRUE(Pump([&] { return closes.Seen() == 1; })) << "pressing " << shown << " closes the window";
}

TEST_P(SkinCaptionTest, ARightToLeftCaptionEndsOnTheRightWithinTheSkinsOwnBorders) {
    for (const DWORD rightToLeft : {DWORD{WS_EX_LAYOUTRTL}, DWORD{WS_EX_RTLREADING}}) {
        SCOPED_TRACE("extended style " + std::to_string(rightToLeft));
        TSkinTestForm* form = NewForm(ResizableForm(SkinFile(GetParam())));
        HWND window = form->Handle();
        SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | rightToLeft);
        form->Show();
        ASSERT_TRUE(Pump([&] { return Skinned(window); }));
        SetForegroundWindow(window);
        Settle();
        skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
        const skin::Bitmap withText = ShowAndShoot(window);
        object.SetCaptionText("");
        const skin::Bitmap without = ShowAndShoot(window);
        const int w = withText.width(), h = withText.height();
        int first = w, last = -1;
        for (int y = 0; y < object.Borders().top; ++y) {
            for (int x = 0; x < w; ++x) {
                if (withText.pixel(x, y) == without.pixel(x, y)) continue;
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
        ASSERT_GE(last, 0) << "the caption shows its text";
        EXPECT_GT(first, w / 2) << "the text stands on the right";
        EXPECT_LT(last, object.RightButtonsStart()) << "before the right-hand buttons";
        // The borders stay the skin's: its left border on the left, its right border on the right.
        const skin::TDataSkinBorder& left = *object.Skin()->BorderLeft;
        const skin::TDataSkinBorder& right = *object.Skin()->BorderRight;
        const int row = h / 2;
        const int leftRow = left.TopHeight + (left.Image.height() - left.TopHeight - left.BottomHeight) / 2;
        const int rightRow =
            right.TopHeight + (right.Image.height() - right.TopHeight - right.BottomHeight) / 2;
        for (int x = 0; x < object.Borders().left; ++x) {
            EXPECT_EQ(RgbOf(withText.pixel(x, row)), RgbOf(left.Image.pixel(x, leftRow)))
                << "left border, column " << x;
        }
        for (int x = 0; x < object.Borders().right; ++x) {
            EXPECT_EQ(RgbOf(withText.pixel(w - object.Borders().right + x, row)),
                      RgbOf(right.Image.pixel(x, rightRow)))
                << "right border, column " << x;
        }
        form->Hide();
    }
}

INSTANTIATE_TEST_SUITE_P(OurSkins, SkinCaptionTest,
                         ::testing::Values("default.skn", "dark.skn", "asymmetric.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });

} // namespace
