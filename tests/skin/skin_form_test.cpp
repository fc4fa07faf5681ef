// Skinned windows in-process, with our two skins and the test skin: what the screen shows of the frame and
// caption, the window's size and shape, which windows the manager takes, switching skins and switching
// skinning off, and the handles all of it leaves behind.
#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/message_dialog.h"
#include "framework/gui/register_classes.h"
#include "framework/gui/wide.h"
#include "framework/rtl/form_data.h"
#include "skin/component/skin_data.h"
#include "skin/data/lzh_encoder.h"
#include "skin/data/package_writer.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/form/skin_form.h"
#include "skin/manager/skin_manager.h"
#include "tests/skin/screen_input.h"
#include "tests/skin/skin_test_fixture.h"
#include "tests/support/message_box_closer.h"

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace skin_tests;

namespace {

// Counts the framework's message dialogs and closes each as it appears.
int g_messageForms = 0;
HHOOK g_messageFormHook = nullptr;
LRESULT CALLBACK CloseMessageForms(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (auto* form = dynamic_cast<gui::TMessageForm*>(gui::TWinControl::FromHandle(window))) {
            ++g_messageForms;
            form->SetModalResult(gui::mrOk);
        }
    }
    return CallNextHookEx(g_messageFormHook, code, wParam, lParam);
}

TEST_P(SkinFormTest, OuterSizeIsTheClientPlusTheSkinFrameAndCornersFollowTheKeyColour) {
    TSkinTestForm* form = SkinnedForm();
    const TSkinData& skin = Skin(form);
    HWND window = form->Handle();
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, kClientWidth);
    EXPECT_EQ(client.bottom, kClientHeight);
    const RECT outer = WindowRectOf(window);
    EXPECT_EQ(outer.right - outer.left,
              kClientWidth + Thickness(*skin.BorderLeft, false) + Thickness(*skin.BorderRight, false));
    EXPECT_EQ(outer.bottom - outer.top,
              kClientHeight + Thickness(*skin.BorderTop, true) + Thickness(*skin.BorderBottom, true));
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_SYSMENU)
        << "the system's caption buttons are gone";

    // The shape: wherever a border's first frame has the key colour at a corner of the window, the desktop
    // shows through; elsewhere the border.
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    EXPECT_TRUE(InRegion(window, w / 2, h / 2));
    EXPECT_TRUE(InRegion(window, 10, 10));
    const skin::Bitmap shot = ShowAndShoot(window);
    const skin::Bitmap desktop = Screenshot(RECT{0, 0, 1, 1}); // nothing is shown at the screen's corner
    const skin::Bitmap& left = skin.BorderLeft->Image;
    const skin::Bitmap& right = skin.BorderRight->Image;
    const int frameRight = Thickness(*skin.BorderRight, false);
    struct Corner {
        const char* name;
        int x, y;
        skin::Pixel skinPixel;
    };
    for (const Corner& c :
         {Corner{"top left", 0, 0, left.pixel(0, 0)},
          Corner{"bottom left", 0, h - 1, left.pixel(0, left.height() - 1)},
          Corner{"top right", w - 1, 0, right.pixel(frameRight - 1, 0)},
          Corner{"bottom right", w - 1, h - 1, right.pixel(frameRight - 1, right.height() - 1)}}) {
        if (c.skinPixel == skin::kSkinKeyPixel) {
            EXPECT_FALSE(InRegion(window, c.x, c.y)) << c.name;
            EXPECT_EQ(shot.pixel(c.x, c.y), desktop.pixel(0, 0)) << c.name << " shows the desktop";
        } else {
            EXPECT_EQ(RgbOf(shot.pixel(c.x, c.y)), RgbOf(c.skinPixel)) << c.name << " shows the border";
        }
    }
}

TEST_P(SkinFormTest, EachBorderShowsItsOwnWidthAndImage) {
    TSkinTestForm* form = SkinnedForm();
    const TSkinData& skin = Skin(form);
    HWND window = form->Handle();
    const skin::Bitmap shot = ShowAndShoot(window);
    const int w = shot.width(), h = shot.height();
    const skin::Pixel face = PixelOfColour(skin.ButtonFaceColour);
    // Across the middle of each border, the screen shows frame 1 of the border's own image (a row or column
    // of the part it stretches) pixel by pixel, and the client's face right after it.
    const skin::TDataSkinBorder& left = *skin.BorderLeft;
    const skin::TDataSkinBorder& right = *skin.BorderRight;
    const skin::TDataSkinBorder& bottom = *skin.BorderBottom;
    const auto stretchedMiddle = [](int length, int start, int end) {
        return start + (length - start - end) / 2;
    };
    const int leftRow = stretchedMiddle(left.Image.height(), left.TopHeight, left.BottomHeight);
    const int rightRow = stretchedMiddle(right.Image.height(), right.TopHeight, right.BottomHeight);
    const int bottomColumn = stretchedMiddle(bottom.Image.width(), bottom.LeftWidth, bottom.RightWidth);
    const int fl = Thickness(left, false), fr = Thickness(right, false), fb = Thickness(bottom, true);
    for (int x = 0; x < fl; ++x) {
        EXPECT_EQ(RgbOf(shot.pixel(x, h / 2)), RgbOf(left.Image.pixel(x, leftRow)))
            << "left border, column " << x;
    }
    EXPECT_EQ(RgbOf(shot.pixel(fl, h / 2)), RgbOf(face)) << "the client starts after the left border";
    for (int x = 0; x < fr; ++x) {
        EXPECT_EQ(RgbOf(shot.pixel(w - fr + x, h / 2)), RgbOf(right.Image.pixel(x, rightRow)))
            << "right border, column " << x;
    }
    EXPECT_EQ(RgbOf(shot.pixel(w - fr - 1, h / 2)), RgbOf(face)) << "the client ends before the right border";
    for (int y = 0; y < fb; ++y) {
        EXPECT_EQ(RgbOf(shot.pixel(w / 2, h - fb + y)), RgbOf(bottom.Image.pixel(bottomColumn, y)))
            << "bottom border, row " << y;
    }
    EXPECT_EQ(RgbOf(shot.pixel(w / 2, h - fb - 1)), RgbOf(face)) << "the client ends above the bottom border";
}

TEST_P(SkinFormTest, ActiveAndInactiveFramesShowTheSkinsTwoFrames) {
    TSkinTestForm* form = SkinnedForm();
    const TSkinData& skin = Skin(form);
    HWND window = form->Handle();
    // A pixel of the left border's unscaled top rows whose two frames differ.
    const skin::Bitmap& left = skin.BorderLeft->Image;
    const int frameWidth = Thickness(*skin.BorderLeft, false);
    int px = -1, py = -1;
    for (int y = 8; y < skin.BorderLeft->TopHeight && px < 0; ++y) {
        for (int x = 0; x < frameWidth; ++x) {
            const skin::Pixel a = left.pixel(x, y), b = left.pixel(x + frameWidth, y);
            if (a != b && a != skin::kSkinKeyPixel && b != skin::kSkinKeyPixel) {
                px = x;
                py = y;
                break;
            }
        }
    }
    ASSERT_GE(px, 0) << "the skin's active and inactive left borders are alike";
    SetActiveWindow(window);
    EXPECT_EQ(ShowAndShoot(window).pixel(px, py) & 0xFFFFFF, left.pixel(px, py) & 0xFFFFFF) << "active";
    TSkinTestForm* other = NewForm(FormText("Other", "", 99, 800)); // beside it, not over it
    other->Show();
    SetActiveWindow(other->Handle());
    Settle();
    EXPECT_EQ(ShowAndShoot(window).pixel(px, py) & 0xFFFFFF, left.pixel(px + frameWidth, py) & 0xFFFFFF)
        << "inactive";
}

// The first column at which two caption strips differ, or -1.
int FirstDifferentColumn(const skin::Bitmap& a, const skin::Bitmap& b, int rows) {
    for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
        for (int y = 0; y < rows; ++y) {
            if (a.pixel(x, y) != b.pixel(x, y)) return x;
        }
    }
    return -1;
}

TEST_P(SkinFormTest, CaptionTextStartsAtTheShiftAndLongTextStopsBeforeTheClip) {
    TSkinTestForm* form = SkinnedForm("");
    const TSkinData& skin = Skin(form);
    HWND window = form->Handle();
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
    const int frameTop = object.Borders().top;
    const skin::Bitmap empty = ShowAndShoot(window);

    // The caption is read when the window is skinned: a new text shows after a re-skin.
    const auto captionShot = [&](const std::string& text) {
        object.SetCaptionText(text);
        return ShowAndShoot(window);
    };
    const skin::Bitmap word = captionShot("WWWW");
    const int textLeft = object.Borders().left + skin.Title->LeftWidth + skin.Title->TextBackLeft;
    const int first = FirstDifferentColumn(empty, word, frameTop);
    EXPECT_GE(first, textLeft - 1) << "the text begins at the skin's text shift";
    EXPECT_LT(first, textLeft + 40);

    const skin::Bitmap longText = captionShot(std::string(300, 'W'));
    const int clip = (longText.width() - object.Borders().right) - skin.Title->RightWidth;
    // Buttons anchored to the text's end move with it; they are not the text.
    const auto onButtonAfterText = [&](int x, int y) {
        for (const auto& button : object.SysButtons()) {
            const int align = button->Element->Align;
            const POINT at{x, y};
            if (button->Visible && (align == 3 || align == 9) && PtInRect(&button->Bounds, at)) return true;
        }
        return false;
    };
    bool changedPastClip = false;
    for (int x = clip + 1; x < longText.width(); ++x) {
        for (int y = 0; y < frameTop; ++y) {
            changedPastClip |= longText.pixel(x, y) != empty.pixel(x, y) && !onButtonAfterText(x, y);
        }
    }
    EXPECT_FALSE(changedPastClip) << "a long caption stops (with an ellipsis) before the right clip";
    EXPECT_GT(FirstDifferentColumn(empty, longText, frameTop), 0);
}

TEST_P(SkinFormTest, ManagerSkinsOnlyTheWindowsItShould) {
    TSkinTestForm* form = SkinnedForm();
    skin::TSkinManage& manager = *skin::SkinManager;
    const std::size_t skinned = manager.Forms.size();
    EXPECT_EQ(SendMessageW(form->Handle(), skin::SKM_ISSKINNED, 0, 0), 1);
    EXPECT_FALSE(manager.SkinWindow(form->Handle())) << "already skinned: no second object";
    EXPECT_FALSE(manager.SkinWindow(application->Handle())) << "TApplication";

    TSkinTestForm* untouchable = NewForm(FormText("Tag 99", "", 99, 800));
    untouchable->Show();
    SetActiveWindow(untouchable->Handle());
    Settle();
    EXPECT_EQ(SendMessageW(untouchable->Handle(), skin::SKM_ISSKINNED, 0, 0), 0) << "a form tagged 99";

    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, form->Handle(),
                                 nullptr, nullptr, nullptr);
    EXPECT_FALSE(manager.SkinWindow(child)) << "a plain child window";

    HWND empty = CreateWindowExW(0, L"STATIC", L"zero", WS_POPUP | WS_CAPTION, 0, 0, 0, 0, nullptr, nullptr,
                                 nullptr, nullptr);
    EXPECT_FALSE(manager.SkinWindow(empty)) << "no size yet";
    SetWindowPos(empty, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(manager.SkinWindow(empty)) << "skinned once it has a size";
    EXPECT_EQ(manager.Forms.size(), skinned + 1);
    DestroyWindow(empty);

    // A size grip would sit on the skinned frame: refused there, allowed in an unskinned window.
    HWND refused = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | SBS_SIZEGRIP, 0, 0, 16, 16,
                                   form->Handle(), nullptr, nullptr, nullptr);
    EXPECT_EQ(refused, nullptr);
    HWND allowed = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | SBS_SIZEGRIP, 0, 0, 16, 16,
                                   untouchable->Handle(), nullptr, nullptr, nullptr);
    EXPECT_NE(allowed, nullptr);
    Settle(std::chrono::milliseconds(400)); // the purge of the destroyed window
    EXPECT_EQ(manager.FindFormByWindow(empty), nullptr);
}

// How a window was placed each time the system told it while it was on the screen: its size and whether it
// had its shape.
class PlacementWatcher {
  public:
    struct Placement {
        SIZE size;
        bool shaped;
    };
    explicit PlacementWatcher(gui::TForm& form) : window_(form.Handle()) {
        hook_.Install(form, gui::TWndMethod::Of<&PlacementWatcher::Handle>(this));
    }
    const std::vector<Placement>& Seen() const { return seen_; }

  private:
    void Handle(gui::TMessage& message) {
        if (message.Msg == WM_WINDOWPOSCHANGED && IsWindowVisible(window_)) {
            const RECT outer = WindowRectOf(window_);
            seen_.push_back({SIZE{outer.right - outer.left, outer.bottom - outer.top}, HasRegion(window_)});
        }
        hook_.CallPrevious(message);
    }
    HWND window_;
    gui::TMessageHook hook_;
    std::vector<Placement> seen_;
};

TEST_P(SkinFormTest, AShownFormAppearsInItsSkinAtItsSkinnedSize) {
    TSkinTestForm* form = NewForm(FormText("Appears skinned", SkinFile(GetParam())));
    const PlacementWatcher watcher(*form);
    form->Show();
    ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); }));
    Settle();
    const RECT outer = WindowRectOf(form->Handle());
    ASSERT_FALSE(watcher.Seen().empty());
    for (const PlacementWatcher::Placement& placement : watcher.Seen()) {
        EXPECT_TRUE(placement.shaped) << "never on the screen without the skin's shape";
        EXPECT_EQ(placement.size.cx, outer.right - outer.left) << "never on the screen at another width";
        EXPECT_EQ(placement.size.cy, outer.bottom - outer.top) << "never on the screen at another height";
    }
    RECT client{};
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, kClientWidth);
    EXPECT_EQ(client.bottom, kClientHeight);
}

TEST_P(SkinFormTest, SwitchingOffAndOnWithinTheDelayRunsOnlyTheLastRequest) {
    TSkinTestForm* form = SkinnedForm();
    TSkinData& skin = Skin(form);
    const skin::TWinSkinForm* before = skin::SkinManager->FindFormByWindow(form->Handle());
    int changes = 0;
    skin.OnSkinChanged = [&](rtl::TObject*) { ++changes; };
    skin.SetActive(false);
    skin.SetActive(true);
    Settle(std::chrono::milliseconds(600));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(skin::SkinManager->FindFormByWindow(form->Handle()), before) << "never unskinned in between";
}

TEST_P(SkinFormTest, UnskinningGivesTheWindowItsOwnFrameBackAtTheSameClientSize) {
    TSkinTestForm* form = SkinnedForm();
    HWND window = form->Handle();
    Skin(form).SetActive(false);
    ASSERT_TRUE(Pump([&] { return skin::SkinManager->FindFormByWindow(window) == nullptr; }));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, kClientWidth);
    EXPECT_EQ(client.bottom, kClientHeight);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_SYSMENU);
    EXPECT_FALSE(HasRegion(window));
    EXPECT_EQ(SendMessageW(window, skin::SKM_ISSKINNED, 0, 0), 0);
    RECT unskinned{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&unskinned, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    const RECT outer = WindowRectOf(window);
    EXPECT_EQ(outer.right - outer.left, unskinned.right - unskinned.left);
    Skin(form).SetActive(true);
    EXPECT_TRUE(Pump([&] { return Skinned(window); })) << "and skinned again";
}

TEST_P(SkinFormTest, AnotherSkinFileReskinsEveryWindowAndAnOldOneChangesNothing) {
    TSkinTestForm* form = SkinnedForm();
    TSkinData& skin = Skin(form);
    TSkinTestForm* second = NewForm(FormText("Second", ""));
    second->Show();
    ASSERT_TRUE(Pump([&] { return Skinned(second->Handle()); }));
    // The second one resized since it was skinned: the new skin keeps its new client size.
    constexpr int kWider = 30, kTaller = 20;
    const RECT secondOuter = WindowRectOf(second->Handle());
    SetWindowPos(second->Handle(), nullptr, 0, 0, secondOuter.right - secondOuter.left + kWider,
                 secondOuter.bottom - secondOuter.top + kTaller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    int changes = 0;
    skin.OnSkinChanged = [&](rtl::TObject*) { ++changes; };
    const std::string other = std::string(GetParam()) == "default.skn" ? "dark.skn" : "default.skn";
    skin.SetSkinFile(SkinFile(other));
    Settle(std::chrono::milliseconds(600));
    EXPECT_EQ(changes, 1);
    for (gui::TForm* shown : {static_cast<gui::TForm*>(form), static_cast<gui::TForm*>(second)}) {
        const int grown = shown == second ? 1 : 0;
        const RECT outer = WindowRectOf(shown->Handle());
        EXPECT_EQ(outer.right - outer.left, kClientWidth + grown * kWider +
                                                Thickness(*skin.BorderLeft, false) +
                                                Thickness(*skin.BorderRight, false));
        RECT client{};
        GetClientRect(shown->Handle(), &client);
        EXPECT_EQ(client.right, kClientWidth + grown * kWider);
        EXPECT_EQ(client.bottom, kClientHeight + grown * kTaller);
    }
    // The frame is the new skin's, also where the window kept its size: the left border's unscaled top
    // rows, the caption's corner among them.
    SetActiveWindow(form->Handle());
    Settle();
    const skin::Bitmap shot = ShowAndShoot(form->Handle());
    const skin::TDataSkinBorder& left = *skin.BorderLeft;
    int differing = 0;
    for (int y = 0; y < std::min(left.TopHeight, shot.height()); ++y) {
        for (int x = 0; x < Thickness(left, false); ++x) {
            const skin::Pixel want = left.Image.pixel(x, y) & 0xFFFFFF;
            if (want != (skin::kSkinKeyPixel & 0xFFFFFF) && (shot.pixel(x, y) & 0xFFFFFF) != want)
                ++differing;
        }
    }
    EXPECT_EQ(differing, 0) << "left border pixels still of the first skin";

    // A skin file of an older version: the message once, and the window as it was.
    const RECT before = WindowRectOf(form->Handle());
    const std::string skinName = skin.SkinName;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string old = std::string(temp) + "older.skn";
    {
        skin::PackageWriter writer;
        writer.AddMember("skin.ini", {'[', 'x', ']', '\n'});
        std::vector<std::uint8_t> package = writer.Build();
        package[0] = 0x1F; // version 19999
        package[1] = 0x4E;
        const std::vector<std::uint8_t> packed = skin::LzhCompress(package);
        HANDLE file = CreateFileA(old.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, packed.data(), static_cast<DWORD>(packed.size()), &written, nullptr);
        CloseHandle(file);
    }
    g_messageForms = 0;
    g_messageFormHook = SetWindowsHookExW(WH_CBT, &CloseMessageForms, nullptr, GetCurrentThreadId());
    skin.SetSkinFile(old);
    UnhookWindowsHookEx(g_messageFormHook);
    DeleteFileA(old.c_str());
    EXPECT_EQ(g_messageForms, 1) << "the version message";
    Settle(std::chrono::milliseconds(400));
    const RECT after = WindowRectOf(form->Handle());
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_TRUE(Skinned(form->Handle()));
    EXPECT_EQ(skin.SkinName, skinName) << "the second skin stays";
}

// A window destroyed while a skin switch waits for the timer: the purge of its skinning object runs, and so
// does the switch, for every window left.
TEST_P(SkinFormTest, SkinSwitchAskedForJustBeforeAWindowIsDestroyedStillReachesTheOthers) {
    TSkinTestForm* form = SkinnedForm();
    TSkinData& skin = Skin(form);
    TSkinTestForm* second = NewForm(FormText("Second", "", 0, 260));
    TSkinTestForm* doomed = NewForm(FormText("Doomed", "", 0, 320));
    for (gui::TForm* other : {static_cast<gui::TForm*>(second), static_cast<gui::TForm*>(doomed)}) {
        other->Show();
        ASSERT_TRUE(Pump([&] { return Skinned(other->Handle()); }));
    }
    const std::size_t skinned = skin::SkinManager->Forms.size();
    const std::string other = std::string(GetParam()) == "default.skn" ? "dark.skn" : "default.skn";
    skin.SetSkinFile(SkinFile(other));
    delete doomed; // its window goes before the switch's timer fires
    Settle(std::chrono::milliseconds(700));
    EXPECT_EQ(skin::SkinManager->Forms.size(), skinned - 1) << "the destroyed window's object was purged";
    for (gui::TForm* shown : {static_cast<gui::TForm*>(form), static_cast<gui::TForm*>(second)}) {
        SCOPED_TRACE(shown->GetText());
        const skin::TWinSkinForm& object = ObjectOf(shown->Handle());
        ShowAndShoot(shown->Handle());
        POINT middle{kClientWidth / 2, kClientHeight / 2};
        ClientToScreen(shown->Handle(), &middle);
        const skin::Bitmap face = Screenshot(RECT{middle.x, middle.y, middle.x + 1, middle.y + 1});
        EXPECT_EQ(RgbOf(face.pixel(0, 0)), PixelOfColour(skin.ButtonFaceColour)) << "the new skin's face";
        int buttons = 0;
        for (const auto& button : object.SysButtons())
            buttons += button->Visible;
        EXPECT_GE(buttons, 1) << "the caption shows the new skin's buttons";
    }
}

// The window icon button of a skinned window as the screen shows it; empty without one.
skin::Bitmap IconButtonShot(HWND window) {
    const auto* object = skin::SkinManager->FindFormByWindow(window);
    if (!object) return {};
    for (const auto& button : object->SysButtons()) {
        const int action = button->Element->Action;
        if (!button->Visible || (action != skin::kActionSystemMenu && action != skin::kActionIcon)) continue;
        const RECT outer = WindowRectOf(window);
        const RECT& b = button->Bounds;
        RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        PumpFor(std::chrono::milliseconds(60));
        return Screenshot(
            RECT{outer.left + b.left, outer.top + b.top, outer.left + b.right, outer.top + b.bottom});
    }
    return {};
}

skin::Bitmap g_boxIcon;
void CALLBACK ShootBoxIcon(HWND box, UINT, UINT_PTR, DWORD) {
    KillTimer(box, 1);
    g_boxIcon = IconButtonShot(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_P(SkinFormTest, AMessageBoxShowsTheMainWindowsIconInItsCaption) {
    TSkinTestForm* form = NewForm(FormText("With an icon", SkinFile(GetParam())));
    // A red icon, before the window is skinned and reads it.
    SendMessageW(form->Handle(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_ERROR)));
    form->Show();
    ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); }));
    Settle();
    const skin::Bitmap own = IconButtonShot(form->Handle());
    ASSERT_FALSE(own.empty());
    const auto red = [](const skin::Bitmap& shot) {
        return std::count_if(shot.pixels().begin(), shot.pixels().end(), [](skin::Pixel p) {
            return skin::RedOf(p) > 150 && skin::GreenOf(p) < 90 && skin::BlueOf(p) < 90;
        });
    };
    ASSERT_GT(red(own), 10) << "the form shows its icon";
    boxes.reset(); // this test closes its box itself, after looking at it
    g_boxIcon = skin::Bitmap();
    {
        const MessageBoxWatch watch(&ShootBoxIcon);
        MessageBoxW(form->Handle(), L"A box without an icon of its own.", L"Box", MB_OK);
    }
    ASSERT_FALSE(g_boxIcon.empty()) << "the box shows no icon button";
    ASSERT_EQ(g_boxIcon.width(), own.width());
    ASSERT_EQ(g_boxIcon.height(), own.height());
    int different = 0;
    for (int y = 0; y < own.height(); ++y) {
        for (int x = 0; x < own.width(); ++x)
            different += RgbOf(own.pixel(x, y)) != RgbOf(g_boxIcon.pixel(x, y));
    }
    EXPECT_EQ(different, 0) << "the box shows the form's icon";
}

TEST_P(SkinFormTest, TheProgramHearsOfEachResizeOnce) {
    TSkinTestForm* form = SkinnedForm();
    HWND window = form->Handle();
    Settle();
    const MessageCounter sizes(*form, WM_SIZE); // what a program's resize handler hears
    const RECT outer = WindowRectOf(window);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + 20, outer.bottom - outer.top + 10,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(sizes.Seen(), 1) << "resized";
    ShowWindow(window, SW_MINIMIZE);
    Settle();
    EXPECT_EQ(sizes.Seen(), 2) << "minimized";
    ShowWindow(window, SW_RESTORE);
    Settle();
    EXPECT_EQ(sizes.Seen(), 3) << "restored";
}

// What a message box looks like once it has laid itself out (and, when skinned, been fitted): looked at
// from a timer while it is up, then closed.
struct BoxLook {
    int outerWidth = 0, clientWidth = 0, buttonX = 0; // the OK button in client coordinates
    int frameLeft = 0, frameRight = 0;
};
BoxLook g_box;

void CALLBACK LookAtBox(HWND box, UINT, UINT_PTR, DWORD) {
    KillTimer(box, 1);
    const RECT outer = WindowRectOf(box);
    RECT client{};
    GetClientRect(box, &client);
    POINT origin{};
    ClientToScreen(box, &origin);
    g_box = BoxLook{outer.right - outer.left, client.right,
                    WindowRectOf(GetDlgItem(box, IDOK)).left - origin.x, 0, 0};
    if (const auto* object = skin::SkinManager->FindFormByWindow(box)) {
        g_box.frameLeft = object->Borders().left;
        g_box.frameRight = object->Borders().right;
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

BoxLook ShowBox(HWND owner, const wchar_t* caption) {
    g_box = BoxLook{};
    const MessageBoxWatch watch(&LookAtBox);
    MessageBoxW(owner, L"Short.", caption, MB_OK);
    return g_box;
}

TEST_P(SkinFormTest, ErrorBoxWiderCaptionWidensTheBoxAndCentresItsChildren) {
    TSkinTestForm* form = SkinnedForm();
    boxes.reset(); // this test closes its boxes itself, after looking at them
    const wchar_t* caption =
        L"A caption far longer than the short text of this box needs, so the box must grow";
    skin::SkinManager->Enabled = 0;
    const BoxLook plain = ShowBox(form->Handle(), caption);
    skin::SkinManager->Enabled = 1;
    const BoxLook skinned = ShowBox(form->Handle(), caption);
    ASSERT_GT(plain.clientWidth, 0);
    ASSERT_GT(skinned.frameLeft, 0) << "the box was not skinned";
    const int fitted = plain.clientWidth + skinned.frameLeft + skinned.frameRight;
    EXPECT_GT(skinned.outerWidth, fitted) << "widened for the caption";
    EXPECT_NEAR(skinned.buttonX - plain.buttonX, (skinned.outerWidth - fitted) / 2, 1)
        << "the children move right by half the growth";
}

TEST_P(SkinFormTest, SkinningCyclesAndErrorBoxesLeaveNoHandlesBehind) {
    TSkinTestForm* form = SkinnedForm();
    TSkinData& skin = Skin(form);
    skin::TSkinManage& manager = *skin::SkinManager;
    const auto cycle = [&](skin::DeferredAction action) { RunSkinAction(skin, action); };
    cycle(skin::DeferredAction::Unskin);
    cycle(skin::DeferredAction::Skin);
    application->ProcessMessages();
    const gui::LiveHandleCounts before = gui::LiveHandles();
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    const SIZE_T workingSetBefore = memory.WorkingSetSize;
    for (int i = 0; i < 500; ++i) {
        cycle(skin::DeferredAction::Unskin);
        cycle(skin::DeferredAction::Skin);
        cycle(skin::DeferredAction::Reskin);
    }
    ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); }));
    for (int i = 0; i < 200; ++i) {
        testing_support::MessageBoxCloser closer;
        application->ShowException(std::runtime_error("error box " + std::to_string(i)));
    }
    application->ProcessMessages();
    Settle(std::chrono::milliseconds(400)); // the purge of the boxes' skinning objects
    const gui::LiveHandleCounts after = gui::LiveHandles();
    EXPECT_EQ(after.Gdi, before.Gdi);
    EXPECT_EQ(after.User, before.User);
    EXPECT_EQ(manager.Forms.size(), 1u) << "only the form is still skinned";
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    EXPECT_LT(memory.WorkingSetSize, workingSetBefore + 8 * 1024 * 1024) << "the working set stays put";
}

TEST_P(SkinFormTest, HitTestingFollowsTheSkinsFrame) {
    TSkinTestForm* form = SkinnedForm();
    HWND window = form->Handle();
    const skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
    const RECT outer = WindowRectOf(window);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    const auto hit = [&](int x, int y) {
        return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(outer.left + x, outer.top + y));
    };
    EXPECT_EQ(hit(w / 2, object.Borders().top / 2), HTCAPTION);
    EXPECT_EQ(hit(object.Borders().left / 2, h / 2), HTBORDER) << "left border";
    EXPECT_EQ(hit(w - 1 - object.Borders().right / 2, h / 2), HTBORDER) << "right border";
    EXPECT_EQ(hit(w / 2, h - 1), HTBORDER) << "bottom border";
    EXPECT_EQ(hit(w / 2, h / 2), HTCLIENT);
    EXPECT_EQ(hit(w + 5, h / 2), HTNOWHERE);
}

// Posts arrive at the form's own message method: what a program sees of a caption button of the skin's own.
struct ActionWatcher {
    gui::TMessageHook hook;
    WPARAM action = 0;
    int seen = 0;
    void Handle(gui::TMessage& message) {
        if (message.Msg == skin::SKM_CAPTIONACTION) {
            action = message.WParam;
            ++seen;
        }
        hook.CallPrevious(message);
    }
};

TEST_P(SkinFormTest, ACaptionButtonOfTheSkinsOwnReachesTheProgram) {
    TSkinTestForm* form = SkinnedForm();
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(form->Handle());
    skin::TWinSysButton* custom = nullptr;
    for (auto& button : object.SysButtons()) {
        if (button->Element->Action == 40) custom = button.get();
    }
    ASSERT_NE(custom, nullptr) << "our skins carry a help button with action 40";
    ActionWatcher watcher;
    watcher.hook.Install(*form, gui::TWndMethod::Of<&ActionWatcher::Handle>(&watcher));
    custom->Visible = true;
    object.SetHotNcObject(custom);
    object.RunCaptionAction(0, 0);
    Settle();
    EXPECT_EQ(watcher.seen, 1);
    EXPECT_EQ(watcher.action, 40u);
    EXPECT_TRUE(IsWindowVisible(form->Handle())) << "and nothing else happens";
}

TEST_P(SkinFormTest, MenuBarTakesTheMenuAndReadsItAgainWhenItChanges) {
    TSkinTestForm* form = NewForm(R"(SkinForm : TSkinTestForm {
    Caption = "With a menu"
    ClientWidth = 300
    ClientHeight = 120
    Left = 200
    Top = 150
    BorderStyle = bsSizeable
    Menu = MainMenu1
    SkinData1 : TSkinData {
        Active = True
        SkinFile = ")" + Escaped(SkinFile(GetParam())) +
                                  R"("
    }
    MainMenu1 : TMainMenu {
        FileItem : TMenuItem {
            Caption = "&File"
            OpenItem : TMenuItem {
                Caption = "&Open"
            }
        }
        HelpItem : TMenuItem {
            Caption = "&Help"
        }
    }
}
)");
    form->Show();
    HWND window = form->Handle();
    ASSERT_TRUE(Pump([&] { return Skinned(window); }));
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
    ASSERT_NE(object.MenuBar(), nullptr);
    EXPECT_EQ(GetMenu(window), nullptr) << "the bar is drawn in the frame";
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 120) << "the bar sits above the client area, which keeps its size";
    ShowAndShoot(window);
    const auto& items = object.MenuBar()->Items();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_LT(items[0]->Bounds.right, items[1]->Bounds.left + 1) << "laid out left to right";
    EXPECT_EQ(object.MenuBar()->FindAccelItem(L'h'), items[1].get());
    EXPECT_EQ(object.MenuBar()->FindAccelItem(L'x'), nullptr);

    // A new top-level item: the framework rebuilds its menu, the bar takes it off the window again.
    auto* added = new gui::TMenuItem(form);
    added->SetCaption("&Window");
    form->Menu()->Items()->Add(added);
    application->ProcessMessages();
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_EQ(object.MenuBar()->Items().size(), 3u);
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 120);
}

INSTANTIATE_TEST_SUITE_P(OurSkins, SkinFormTest,
                         ::testing::Values("default.skn", "dark.skn", "asymmetric.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });

// The skin data component made in code: the order of Active and SkinFile does not matter.
class SkinDataOrderTest : public SkinFormTest {};

TEST_P(SkinDataOrderTest, ActiveThenSkinFileAndSkinFileThenActiveBothSkin) {
    for (const bool activeFirst : {true, false}) {
        for (const auto kind : {skin::sfMainform, skin::sfDialog}) {
            SCOPED_TRACE(std::string(activeFirst ? "Active first" : "SkinFile first") +
                         (kind == skin::sfMainform ? ", main form kind" : ", dialog kind"));
            TSkinTestForm* form = NewForm(FormText("Made in code", ""));
            form->Show();
            Settle();
            auto* data = new TSkinData(form);
            data->SetSkinFormtype(kind);
            if (activeFirst) data->SetActive(true);
            data->SetSkinFile(SkinFile(GetParam()));
            if (!activeFirst) data->SetActive(true);
            ASSERT_NE(skin::SkinManager, nullptr);
            EXPECT_EQ(skin::SkinManager->SkinDataList().size(), 1u) << "registered";
            if (kind == skin::sfMainform) {
                EXPECT_NE(skin::SkinManager->HookHandle.get(), nullptr);
                // As a user would: to another window and back; each activation is a chance to skin.
                TSkinTestForm* elsewhere = NewForm(FormText("Elsewhere", "", 99, 800));
                elsewhere->Show();
                SetActiveWindow(elsewhere->Handle());
                Settle();
                SetActiveWindow(form->Handle());
                EXPECT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "skinning switched on";
                delete elsewhere;
            }
            delete form;
            skin::FreeSkinManager();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinDataOrderTest, ::testing::Values("default.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });

} // namespace
