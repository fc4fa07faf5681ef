// Menus of a skinned window in-process, with our three skins and the asymmetric test skin: the menu bar's
// drop-downs and the keys that move along the bar, what the screen shows of a skinned popup menu's items,
// plain windows' menus, and the handles that hundreds of menus and a skin switch leave behind. A menu runs
// its own message loop, so each test hands a script of steps to a timer that fires inside that loop.
#include "framework/gui/canvas.h"
#include "framework/gui/popup_menu.h"
#include "skin/menus/popup_menu.h"
#include "tests/skin/screen_input.h"
#include "tests/skin/skin_test_fixture.h"

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace skin_tests;
using namespace std::chrono_literals;

BOOL CALLBACK CollectMenuWindow(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) == L"#32768" && IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

// The visible menu windows of this thread, the topmost first.
std::vector<HWND> OpenMenus() {
    std::vector<HWND> menus;
    EnumThreadWindows(GetCurrentThreadId(), &CollectMenuWindow, reinterpret_cast<LPARAM>(&menus));
    return menus;
}

// Where the topmost open menu stands on the screen, and its first count rows within it.
RECT OpenMenuRect() {
    RECT shown{};
    GetWindowRect(OpenMenus().front(), &shown);
    return shown;
}
std::vector<RECT> MenuRows(HMENU menu, UINT count, const RECT& shown) {
    std::vector<RECT> rows(count);
    for (UINT i = 0; i < count; ++i) {
        GetMenuItemRect(nullptr, menu, i, &rows[i]);
        OffsetRect(&rows[i], -shown.left, -shown.top);
    }
    return rows;
}

// Steps run one per timer tick, also while a menu's own loop runs.
class MenuScript {
  public:
    MenuScript& Then(std::function<void()> step) {
        steps_.push_back(std::move(step));
        return *this;
    }
    void Start(UINT intervalMs = 150) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, intervalMs, &Tick);
    }
    bool Done() const { return next_ >= steps_.size(); }
    ~MenuScript() {
        if (timer_) KillTimer(nullptr, timer_);
        if (current_ == this) current_ = nullptr;
    }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MenuScript* script = current_;
        // Every step works on an open menu, which appears a moment after the call that shows it.
        if (!script || script->Done() || OpenMenus().empty()) return;
        script->steps_[script->next_++]();
    }
    static inline MenuScript* current_ = nullptr;
    std::vector<std::function<void()>> steps_;
    std::size_t next_ = 0;
    UINT_PTR timer_ = 0;
};

void PressInMenu(WPARAM key) {
    const auto menus = OpenMenus();
    if (!menus.empty()) PostMessageW(menus.front(), WM_KEYDOWN, key, 0);
}

// How many pixels of rect (in shot) are within 48 of colour in every channel.
int Ink(const skin::Bitmap& shot, const RECT& rect, gui::TColor colour) {
    const COLORREF rgb = gui::ColorToRGB(colour);
    int count = 0;
    for (int y = std::max<int>(rect.top, 0); y < std::min<int>(rect.bottom, shot.height()); ++y) {
        for (int x = std::max<int>(rect.left, 0); x < std::min<int>(rect.right, shot.width()); ++x) {
            const skin::Pixel p = shot.pixel(x, y);
            const int r = static_cast<int>(p >> 16 & 0xFF), g = static_cast<int>(p >> 8 & 0xFF),
                      b = static_cast<int>(p & 0xFF);
            if (std::abs(r - GetRValue(rgb)) < 48 && std::abs(g - GetGValue(rgb)) < 48 &&
                std::abs(b - GetBValue(rgb)) < 48) {
                ++count;
            }
        }
    }
    return count;
}

// Pixels that differ between two equally sized pieces of shot.
int Differences(const skin::Bitmap& shot, const RECT& a, const RECT& b) {
    int count = 0;
    for (int y = 0; y < a.bottom - a.top; ++y) {
        for (int x = 0; x < a.right - a.left; ++x) {
            if ((shot.pixel(a.left + x, a.top + y) & 0xFFFFFF) !=
                (shot.pixel(b.left + x, b.top + y) & 0xFFFFFF)) {
                ++count;
            }
        }
    }
    return count;
}

// The top-left corner of the skin's menu background is drawn unscaled at the menu window's corner.
void ExpectMenuBackgroundCorner(const skin::Bitmap& shot, const TSkinData& skin) {
    const skin::Bitmap& back = skin.MenuBackground->Image;
    for (int y = 0; y < skin.MenuBackground->TopHeight; ++y) {
        for (int x = 0; x < skin.MenuBackground->LeftWidth; ++x) {
            EXPECT_EQ(shot.pixel(x, y) & 0xFFFFFF, back.pixel(x, y) & 0xFFFFFF) << "at " << x << "," << y;
        }
    }
}

// The selected item's frame of the skin's MenuItem strip (its key colour left out) at the top-left corner
// of entry in shot: the number of pixels compared.
int ExpectSelectedFrameCorner(const skin::Bitmap& shot, const TSkinData& skin, const RECT& entry) {
    const skin::TDataSkinObject& item = *skin.MenuItem;
    const int frameWidth = item.Image.width() / 5;
    int checked = 0;
    for (int y = 0; y < item.TopHeight; ++y) {
        for (int x = 0; x < item.LeftWidth; ++x) {
            const skin::Pixel expected = item.Image.pixel(3 * frameWidth + x, y);
            if (expected == skin::kSkinKeyPixel) continue;
            EXPECT_EQ(shot.pixel(entry.left + x, entry.top + y) & 0xFFFFFF, expected & 0xFFFFFF)
                << "at " << x << "," << y;
            ++checked;
        }
    }
    return checked;
}

// extraMenu: more properties of the main menu; extraSkin: of the skin data component.
std::string MenuForm(const std::string& skinFile, const std::string& extraMenu = "",
                     const std::string& extraSkin = "") {
    return R"(SkinForm : TSkinTestForm {
    Caption = "Menus"
    ClientWidth = 360
    ClientHeight = 160
    Left = 200
    Top = 150
    BorderStyle = bsSizeable
    Menu = MainMenu1
    SkinData1 : TSkinData {
        Active = True
        SkinFile = ")" +
           Escaped(skinFile) + R"("
        )" +
           extraSkin + R"(
    }
    MainMenu1 : TMainMenu {
        )" +
           extraMenu + R"(
        FileItem : TMenuItem {
            Caption = "&File"
            NewItem : TMenuItem {
                Caption = "&New"
            }
            OpenItem : TMenuItem {
                Caption = "&Open"
                RecentItem : TMenuItem {
                    Caption = "&Recent"
                }
            }
        }
        EditItem : TMenuItem {
            Caption = "&Edit"
            UndoItem : TMenuItem {
                Caption = "&Undo"
            }
        }
        HelpItem : TMenuItem {
            Caption = "&Help"
        }
    }
    PopupMenu1 : TPopupMenu {
        ShortCutItem : TMenuItem {
            Caption = "New window"
            ShortCut = 16462
        }
        ImageItem : TMenuItem {
            Caption = "Cut"
            ImageIndex = 3
        }
        PlainItem : TMenuItem {
            Caption = "Copy"
        }
        Line : TMenuItem {
            Caption = "-"
        }
        CheckedItem : TMenuItem {
            Caption = "Wrap"
            Checked = True
        }
        DisabledItem : TMenuItem {
            Caption = "Print"
            Enabled = False
        }
        CheckedImageItem : TMenuItem {
            Caption = "Pin"
            ImageIndex = 0
            Checked = True
        }
    }
    PopupMenu2 : TPopupMenu {
        BiDiMode = bdRightToLeft
        AlphaItem : TMenuItem {
            Caption = "Alpha"
        }
        BetaItem : TMenuItem {
            Caption = "Beta beta beta"
        }
    }
}
)";
}

class SkinMenusTest : public SkinFormTest {
  protected:
    TSkinTestForm* MenuFormShown() {
        TSkinTestForm* form = NewForm(MenuForm(SkinFile(GetParam())));
        form->Show();
        EXPECT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "the form was not skinned";
        SetForegroundWindow(form->Handle());
        Settle();
        return form;
    }
    gui::TPopupMenu* Popup(gui::TForm* form, const char* name) {
        return dynamic_cast<gui::TPopupMenu*>(form->FindComponent(name));
    }
    // Waits until the script has run and no menu is open any more.
    bool Finish(const MenuScript& script) {
        return Pump([&] { return script.Done() && OpenMenus().empty(); }, 8s);
    }
};

TEST_P(SkinMenusTest, DropDownOpensUnderItsItemAndArrowKeysMoveAlongTheBar) {
    TSkinTestForm* form = MenuFormShown();
    const TSkinData& skin = Skin(form);
    HWND window = form->Handle();
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
    const auto& items = object.MenuBar()->Items();
    ASSERT_EQ(items.size(), 3u);
    const RECT outer = WindowRectOf(window);
    std::vector<POINT> opened; // top-left corner of each drop-down, window coordinates
    skin::Bitmap fileMenu;
    RECT firstEntry{};
    const auto record = [&] {
        RECT rect{};
        GetWindowRect(OpenMenus().front(), &rect);
        opened.push_back(POINT{rect.left - outer.left, rect.top - outer.top});
        return rect;
    };
    MenuScript script;
    script
        .Then([&] {
            const RECT rect = record();
            fileMenu = Screenshot(rect);
            GetMenuItemRect(nullptr, items[0]->SubMenu, 0, &firstEntry);
            OffsetRect(&firstEntry, -rect.left, -rect.top);
            PressInMenu(VK_RIGHT);
        })
        .Then([&] {
            record();
            PressInMenu(VK_LEFT);
        })
        .Then([&] {
            record();
            PressInMenu(VK_ESCAPE);
        });
    script.Start(250);
    object.MenuBar()->ClickMenuBarItem(*items[0]);
    ASSERT_TRUE(Finish(script));
    EXPECT_FALSE(object.InMenuTracking());

    ASSERT_GE(opened.size(), 3u);
    EXPECT_NEAR(opened[0].x, items[0]->Bounds.left, 3) << "File's drop-down under File";
    EXPECT_NEAR(opened[0].y, items[0]->Bounds.bottom, 3);
    EXPECT_NEAR(opened[1].x, items[1]->Bounds.left, 3) << "Right: Edit's drop-down";
    EXPECT_NEAR(opened[2].x, items[0]->Bounds.left, 3) << "Left: File's again";

    // The skin's background around the items, and the first entry selected with the skin's frame for it.
    ExpectMenuBackgroundCorner(fileMenu, skin);
    EXPECT_GT(ExpectSelectedFrameCorner(fileMenu, skin, firstEntry), 0);
}

TEST_P(SkinMenusTest, RightOpensASubMenuAndLeftClosesItInsteadOfMovingAlongTheBar) {
    TSkinTestForm* form = MenuFormShown();
    HWND window = form->Handle();
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
    const auto& items = object.MenuBar()->Items();
    const RECT outer = WindowRectOf(window);
    std::vector<std::size_t> open; // menu windows open after each key
    LONG lastLeft = -1;            // where the last drop-down stood
    const auto note = [&] {
        open.push_back(OpenMenus().size());
        RECT rect{};
        GetWindowRect(OpenMenus().back(), &rect);
        lastLeft = rect.left - outer.left;
    };
    MenuScript script;
    script
        .Then([&] { PressInMenu(VK_DOWN); }) // from New to Open, which has a sub-menu
        .Then([&] { PressInMenu(VK_RIGHT); })
        .Then([&] {
            note();
            PressInMenu(VK_LEFT);
        })
        .Then([&] {
            note();
            PressInMenu(VK_ESCAPE);
        });
    script.Start(250);
    object.MenuBar()->ClickMenuBarItem(*items[0]);
    ASSERT_TRUE(Finish(script));
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open[0], 2u) << "Right on Open opened its sub-menu";
    EXPECT_EQ(open[1], 1u) << "Left closed the sub-menu, not File's drop-down";
    EXPECT_NEAR(lastLeft, items[0]->Bounds.left, 3) << "still under File";
}

TEST_P(SkinMenusTest, RightOntoAnItemWithoutDropDownLightsItForTheKeyboard) {
    TSkinTestForm* form = MenuFormShown();
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(form->Handle());
    const auto& items = object.MenuBar()->Items();
    int helpClicks = 0;
    dynamic_cast<gui::TMenuItem*>(form->FindComponent("HelpItem"))->OnClick = [&](rtl::TObject*) {
        ++helpClicks;
    };
    MenuScript script;
    script.Then([] { PressInMenu(VK_RIGHT); }).Then([] { PressInMenu(VK_RIGHT); }); // File, Edit, then Help
    script.Start(250);
    object.MenuBar()->ClickMenuBarItem(*items[0]);
    ASSERT_TRUE(Finish(script));
    Settle();
    EXPECT_TRUE(object.MenuBar()->InKeyboardMode()) << "Help is lit, waiting for Enter";
    EXPECT_EQ(object.HotNcObject(), items[2].get());
    EXPECT_EQ(helpClicks, 0) << "and has not run";
    object.MenuBar()->EndKeyboardMode();
}

// A key as the keyboard sends it, with its scan code.
void SendKey(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

TEST_P(SkinMenusTest, AltAndAnItemsLetterOpenItsDropDown) {
    TSkinTestForm* form = MenuFormShown();
    HWND window = form->Handle();
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
    const RECT outer = WindowRectOf(window);
    POINT opened{-1, -1};
    MenuScript script;
    script.Then([&] {
        RECT rect{};
        GetWindowRect(OpenMenus().front(), &rect);
        opened = POINT{rect.left - outer.left, rect.top - outer.top};
        PressInMenu(VK_ESCAPE);
    });
    script.Start();
    SendKey(VK_MENU, false);
    SendKey('E', false);
    SendKey('E', true);
    SendKey(VK_MENU, true);
    ASSERT_TRUE(Finish(script)) << "Alt+E opened nothing";
    EXPECT_NEAR(opened.x, object.MenuBar()->Items()[1]->Bounds.left, 3) << "Edit's drop-down";
    EXPECT_NEAR(opened.y, object.MenuBar()->Items()[1]->Bounds.bottom, 3);
}

TEST_P(SkinMenusTest, PopupItemsShowShortcutImageSeparatorCheckDisabledAndRightToLeft) {
    TSkinTestForm* form = MenuFormShown();
    TSkinData& skin = Skin(form);
    gui::TPopupMenu* popup = Popup(form, "PopupMenu1");
    popup->SetImages(&skin.MenuGlyphs);
    const RECT outer = WindowRectOf(form->Handle());
    skin::Bitmap shot;
    std::vector<RECT> rows;
    const auto capture = [&](gui::TPopupMenu* menu) {
        return [&, menu] {
            RECT rect{};
            GetWindowRect(OpenMenus().front(), &rect);
            shot = Screenshot(rect);
            rows.clear();
            for (int i = 0; i < menu->Items()->Count(); ++i) {
                RECT row{};
                GetMenuItemRect(nullptr, menu->Handle(), static_cast<UINT>(i), &row);
                OffsetRect(&row, -rect.left, -rect.top);
                rows.push_back(row);
            }
            PressInMenu(VK_ESCAPE);
        };
    };
    {
        MenuScript script;
        script.Then(capture(popup));
        script.Start();
        popup->Popup(outer.left + 40, outer.top + 60);
        ASSERT_TRUE(Finish(script));
    }
    ASSERT_EQ(rows.size(), 7u);
    SaveArtifact(shot, "popup-menu-" + std::string(GetParam()) + ".bmp");
    ExpectMenuBackgroundCorner(shot, skin);
    const auto part = [](const RECT& row, int from, int to) { // a band of a row, in fractions of 100
        const int w = row.right - row.left;
        return RECT{row.left + w * from / 100, row.top, row.left + w * to / 100, row.bottom};
    };
    const RECT &shortCut = rows[0], &image = rows[1], &plain = rows[2], &line = rows[3], &check = rows[4],
               &disabled = rows[5], &checkedImage = rows[6];
    EXPECT_GT(Ink(shot, part(shortCut, 65, 100), skin.MenuTextColour), 5) << "the shortcut at the right";
    EXPECT_EQ(Ink(shot, part(plain, 65, 100), skin.MenuTextColour), 0) << "no shortcut";
    EXPECT_GT(Ink(shot, part(plain, 20, 65), skin.MenuTextColour), 5) << "the caption";
    const int glyph = skin.MenuItem->LeftWidth + 18;
    const auto glyphColumn = [&](const RECT& row) {
        return RECT{row.left, row.top, row.left + glyph, row.top + 16};
    };
    EXPECT_GT(Differences(shot, glyphColumn(image), glyphColumn(plain)), 10) << "the image";
    EXPECT_GT(Differences(shot, glyphColumn(check), glyphColumn(plain)), 10) << "the check mark";
    EXPECT_EQ(line.bottom - line.top, 8) << "a separator is 8 pixels high";
    const gui::TColor disabledColour =
        skin.ButtonShadowColour == skin.MenuTextColour ? rtl::clBtnShadow : skin.ButtonShadowColour;
    EXPECT_GT(Ink(shot, part(disabled, 20, 65), disabledColour), 5) << "disabled text";
    EXPECT_LT(Ink(shot, part(disabled, 20, 65), skin.MenuTextColour),
              Ink(shot, part(disabled, 20, 65), disabledColour));
    // A checked image lies on a square of the button face and highlight colours, pixel by pixel in turn.
    const skin::Pixel face = PixelOfColour(rtl::clBtnFace), light = PixelOfColour(rtl::clBtnHighlight);
    const int squareLeft = checkedImage.left + 1 + skin.MenuItem->LeftWidth;
    int dithered = 0;
    for (int y = checkedImage.top + 2; y < checkedImage.top + 16; ++y) {
        for (int x = squareLeft + 1; x < squareLeft + 14; ++x) {
            if (RgbOf(shot.pixel(x, y)) == light && RgbOf(shot.pixel(x + 1, y)) == face &&
                RgbOf(shot.pixel(x, y + 1)) == face) {
                ++dithered;
            }
        }
    }
    EXPECT_GT(dithered, 20) << "the dithered square under the checked image";

    // Right to left: the caption at the right end, the glyph column beside it. Drawn straight into a
    // bitmap: Wine draws no item that carries the right-to-left order flag (it reads the flag's bit as
    // its own system-menu flag), so a right-to-left popup menu shows blank there.
    skin::Bitmap mirrored(160, 20);
    {
        skin::win::BitmapDc memory(mirrored);
        skin::TMenuItemLook look;
        look.Caption = "Alpha";
        look.RightToLeft = true;
        skin::TMenuFonts fonts;
        skin::DrawSkinMenuItem(skin, look, memory.get(), RECT{0, 0, 160, 20}, false, nullptr, fonts);
    }
    EXPECT_GT(Ink(mirrored, RECT{80, 0, 160, 20}, skin.MenuTextColour), 5)
        << "right to left: the text at the right";
    EXPECT_EQ(Ink(mirrored, RECT{0, 0, 70, 20}, skin.MenuTextColour), 0);

    // Switched off, the skin takes its drawing back and leaves a program's own drawing alone.
    bool ownDrawn = false;
    gui::TMenuItem* own = Popup(form, "PopupMenu2")->Items()->Items()[1];
    own->OnAdvancedDrawItem = [&](rtl::TObject*, gui::TCanvas&, const RECT&, gui::TOwnerDrawState) {
        ownDrawn = true;
    };
    skin.SetActive(false);
    ASSERT_TRUE(Pump([&] { return !Skinned(form->Handle()); }));
    EXPECT_FALSE(popup->Items()->Items()[0]->OnAdvancedDrawItem);
    EXPECT_FALSE(popup->OwnerDraw());
    ASSERT_TRUE(own->OnAdvancedDrawItem);
    HDC memory = CreateCompatibleDC(nullptr);
    {
        gui::TCanvas canvas(memory);
        own->OnAdvancedDrawItem(own, canvas, RECT{}, 0);
    }
    DeleteDC(memory);
    EXPECT_TRUE(ownDrawn);
}

TEST_P(SkinMenusTest, SystemMenuOffersWhatTheWindowCanDoNow) {
    TSkinTestForm* form = MenuFormShown();
    HWND window = form->Handle();
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
    HMENU menu = object.SystemMenu().Handle();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 5) << "Restore, Maximize, Minimize, a line (never chosen), Close";
    // Each showing: whether each item can be chosen, and what the screen showed.
    const auto show = [&](const std::string& artifact) {
        std::vector<bool> enabled;
        MenuScript script;
        script.Then([&] {
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                enabled.push_back(!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED));
            }
            RECT shown{};
            GetWindowRect(OpenMenus().front(), &shown);
            const RECT outer = WindowRectOf(window);
            SaveArtifact(Screenshot(RECT{outer.left, outer.top, std::max(outer.right, shown.right),
                                         std::max(outer.bottom, shown.bottom)}),
                         artifact);
            PressInMenu(VK_ESCAPE);
        });
        script.Start();
        const RECT outer = WindowRectOf(window);
        object.SystemMenu().Show(outer.left + 20, outer.top + object.Borders().top);
        EXPECT_TRUE(Finish(script));
        return enabled;
    };
    EXPECT_EQ(show("system-menu-" + std::string(GetParam()) + ".bmp"),
              (std::vector<bool>{false, true, true, false, true}))
        << "a normal window cannot be restored";
    object.ToggleMaximize();
    ASSERT_TRUE(Pump([&] { return IsZoomed(window) != 0; }));
    Settle(std::chrono::milliseconds(600)); // longer than a double click since the last showing
    EXPECT_EQ(show("system-menu-maximized-" + std::string(GetParam()) + ".bmp"),
              (std::vector<bool>{true, false, true, false, true}))
        << "a maximized window can be restored, not maximized";
}

// A program's timer that unskins while a drop-down or the system menu is open (the menu's loop runs it):
// the menu closes, the window gets its own frame and menu back, and the skinning object is freed only
// once the handler that opened the menu has returned.
TEST_P(SkinMenusTest, UnskinningWhileAMenuIsOpenClosesItAndFreesTheObjectAfterwards) {
    TSkinTestForm* form = MenuFormShown();
    TSkinData& skin = Skin(form);
    HWND window = form->Handle();
    for (const bool systemMenu : {false, true}) {
        skin::TWinSkinForm* object = skin::SkinManager->FindFormByWindow(window);
        ASSERT_NE(object, nullptr);
        MenuScript script;
        script.Then([&] {
            ASSERT_FALSE(OpenMenus().empty());
            RunSkinAction(skin, skin::DeferredAction::Unskin);
        });
        script.Start(250);
        if (systemMenu) {
            const RECT outer = WindowRectOf(window);
            object->SystemMenu().SetDoubleClickTime(0);
            object->SystemMenu().Show(outer.left + 20, outer.top + object->Borders().top);
        } else {
            object->MenuBar()->ClickMenuBarItem(*object->MenuBar()->Items()[0]);
        }
        ASSERT_TRUE(Finish(script)) << (systemMenu ? "system menu" : "drop-down");
        EXPECT_EQ(skin::SkinManager->FindFormByWindow(window), nullptr);
        EXPECT_NE(GetMenu(window), nullptr) << "the window's own menu is back";
        RunSkinAction(skin, skin::DeferredAction::Purge);
        EXPECT_TRUE(skin::SkinManager->Retired.empty()) << "freed once its handler returned";

        RunSkinAction(skin, skin::DeferredAction::Skin); // again, for the next round
        ASSERT_TRUE(Pump([&] { return Skinned(window); }));
        Settle();
    }
}

TEST_P(SkinMenusTest, ThreeHundredMenusAndASkinSwitchLeaveNoHandlesBehind) {
    TSkinTestForm* form = MenuFormShown();
    TSkinData& skin = Skin(form);
    HWND window = form->Handle();
    skin::TWinSkinForm& object = *skin::SkinManager->FindFormByWindow(window);
    gui::TPopupMenu* popup = Popup(form, "PopupMenu1");
    const RECT outer = WindowRectOf(window);
    object.SystemMenu().SetDoubleClickTime(0); // the system menu opens again faster than a double click
    // One of each kind: a form popup menu, a drop-down of the bar, the skinned system menu.
    const auto openAndClose = [&](int kind) {
        MenuScript script;
        script.Then([] { PressInMenu(VK_ESCAPE); });
        script.Start(10);
        if (kind == 0) {
            popup->Popup(outer.left + 40, outer.top + 60);
        } else if (kind == 1) {
            object.MenuBar()->ClickMenuBarItem(*object.MenuBar()->Items()[0]);
        } else {
            object.SystemMenu().Show(outer.left + 60, outer.top + 10);
        }
        return Finish(script);
    };
    for (int kind = 0; kind < 3; ++kind)
        ASSERT_TRUE(openAndClose(kind)) << "kind " << kind;
    Settle();
    const gui::LiveHandleCounts before = gui::LiveHandles();
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(openAndClose(i % 3)) << "opening " << i;
    Settle();
    EXPECT_EQ(gui::LiveHandles().Gdi, before.Gdi);
    EXPECT_EQ(gui::LiveHandles().User, before.User);
    EXPECT_TRUE(Pump([] { return skin::SkinManager->PopupMenus.empty(); })) << "every menu window let go";

    // The other skin while the form and its menu bar are shown; then back.
    const std::string other = std::string(GetParam()) == "default.skn" ? "dark.skn" : "default.skn";
    for (const std::string& name : {other, std::string(GetParam())}) {
        skin.SetSkinFile(SkinFile(name));
        ASSERT_TRUE(Pump([&] { return Skinned(window) && !skin.SkinPending; }));
        Settle(300ms);
        for (int kind = 0; kind < 3; ++kind)
            ASSERT_TRUE(openAndClose(kind)) << name << ", kind " << kind;
    }
    Settle();
    EXPECT_EQ(GetMenu(window), nullptr) << "the bar still holds the menu";
    EXPECT_EQ(gui::LiveHandles().Gdi, before.Gdi);
    EXPECT_EQ(gui::LiveHandles().User, before.User);
}

TEST_P(SkinMenusTest, BarDropDownRowsAreTheFrameworksRowsWithRoomForTheSkinsGlyphColumn) {
    TSkinTestForm* form = MenuFormShown();
    const TSkinData& skin = Skin(form);
    skin::TWinSkinForm& object = ObjectOf(form->Handle());
    const auto& items = object.MenuBar()->Items();
    HMENU file = items[0]->SubMenu;
    std::vector<RECT> rows;
    MenuScript script;
    script.Then([&] {
        rows = MenuRows(file, 2, RECT{});
        PressInMenu(VK_ESCAPE);
    });
    script.Start(250);
    object.MenuBar()->ClickMenuBarItem(*items[0]);
    ASSERT_TRUE(Finish(script));
    ASSERT_EQ(rows.size(), 2u);
    // What the framework answers for its own owner-drawn items.
    int widest = 0;
    for (const char* name : {"NewItem", "OpenItem"}) {
        MEASUREITEMSTRUCT own{};
        own.CtlType = ODT_MENU;
        own.itemData = reinterpret_cast<ULONG_PTR>(form->FindComponent(name));
        ASSERT_TRUE(gui::MeasureMenuItem(own)) << name;
        const RECT& row = rows[name[0] == 'N' ? 0 : 1];
        EXPECT_EQ(row.bottom - row.top, static_cast<LONG>(own.itemHeight))
            << name << ": the framework's height";
        widest = std::max(widest, static_cast<int>(own.itemWidth));
    }
    EXPECT_GE(rows[0].right - rows[0].left, widest + skin.MenuItem->LeftWidth + 35)
        << "room for the glyph column";
}

// The columns of the bar in which the screen differs from the bar's background: the items' texts (and
// any hot item's frame), in window coordinates.
std::vector<bool> BarInk(const skin::Bitmap& windowShot, const skin::TWinSkinMenu& bar) {
    const RECT& rect = bar.MenuRect();
    const skin::Bitmap& back = bar.BackBitmap();
    std::vector<bool> ink(static_cast<std::size_t>(rect.right), false);
    for (int y = 0; y < back.height(); ++y) {
        for (int x = 0; x < back.width(); ++x) {
            if (RgbOf(windowShot.pixel(rect.left + x, rect.top + y)) != RgbOf(back.pixel(x, y))) {
                ink[static_cast<std::size_t>(rect.left + x)] = true;
            }
        }
    }
    return ink;
}

// Width of the ink from its first to its last column within [left, right).
int InkWidth(const std::vector<bool>& ink, LONG left, LONG right) {
    int first = -1, last = -1;
    for (LONG x = left; x < right; ++x) {
        if (!ink[static_cast<std::size_t>(x)]) continue;
        if (first < 0) first = static_cast<int>(x);
        last = static_cast<int>(x);
    }
    return first < 0 ? 0 : last - first + 1;
}

TEST_P(SkinMenusTest, BarItemsAreAsWideAsTheirCaptionsShowPlusTheirPadding) {
    TSkinTestForm* form = MenuFormShown();
    HWND window = form->Handle();
    MoveMouse(POINT{2, 2}); // no item hot
    Settle(300ms);
    const skin::TWinSkinMenu& bar = *ObjectOf(window).MenuBar();
    const skin::Bitmap shot = ShowAndShoot(window);
    const std::vector<bool> ink = BarInk(shot, bar);
    ASSERT_EQ(bar.Items().size(), 3u);
    // Every caption carries an accelerator: its "&" is not shown and takes no room, or the bar drifts.
    for (const auto& item : bar.Items()) {
        const int shown = InkWidth(ink, item->Bounds.left, item->Bounds.right);
        EXPECT_GT(shown, 0) << item->Caption;
        // 5 padding pixels each side of the ink; a letter's advance is up to a few pixels more than its ink.
        const int spare = (item->Bounds.right - item->Bounds.left) - (shown + 10);
        EXPECT_GE(spare, 0) << item->Caption;
        EXPECT_LE(spare, 5) << item->Caption;
    }
    EXPECT_EQ(bar.Items()[1]->Bounds.left, bar.Items()[0]->Bounds.right) << "side by side";
}

TEST_P(SkinMenusTest, RightToLeftMenuFillsTheBarFromItsRightEndAndMirrorsTheArrowKeys) {
    TSkinTestForm* form = NewForm(MenuForm(SkinFile(GetParam()), "BiDiMode = bdRightToLeft"));
    form->Show();
    ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); }));
    SetForegroundWindow(form->Handle());
    MoveMouse(POINT{2, 2});
    Settle(300ms);
    HWND window = form->Handle();
    skin::TWinSkinForm& object = ObjectOf(window);
    ASSERT_FALSE(object.ReadsRightToLeft()) << "the window itself reads from left to right";
    const skin::TWinSkinMenu& bar = *object.MenuBar();
    const auto& items = bar.Items();
    ASSERT_EQ(items.size(), 3u);
    const skin::Bitmap shot = ShowAndShoot(window);
    SaveArtifact(shot, "menu-bar-rtl-" + std::string(GetParam()) + ".bmp");
    const std::vector<bool> ink = BarInk(shot, bar);
    const RECT& rect = bar.MenuRect();
    const int barWidth = rect.right - rect.left;
    EXPECT_GT(InkWidth(ink, items[0]->Bounds.left, items[0]->Bounds.right), 0) << "File's text";
    EXPECT_GT(items[0]->Bounds.left, rect.left + barWidth / 2) << "File at the right end";
    EXPECT_LT(items[1]->Bounds.right, items[0]->Bounds.right);
    EXPECT_EQ(items[1]->Bounds.right, items[0]->Bounds.left) << "Edit at File's left";
    EXPECT_EQ(InkWidth(ink, rect.left, items[2]->Bounds.left), 0) << "nothing left of Help";

    // Left moves on to the next item, which is at the left; Right comes back.
    const RECT outer = WindowRectOf(window);
    std::vector<LONG> opened; // left edge of each drop-down, window coordinates
    const auto record = [&] { opened.push_back(OpenMenuRect().left - outer.left); };
    MenuScript script;
    script
        .Then([&] {
            record();
            PressInMenu(VK_LEFT);
        })
        .Then([&] {
            record();
            PressInMenu(VK_RIGHT);
        })
        .Then([&] {
            record();
            PressInMenu(VK_ESCAPE);
        });
    script.Start(250);
    object.MenuBar()->ClickMenuBarItem(*items[0]);
    ASSERT_TRUE(Finish(script));
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_NEAR(opened[0], items[0]->Bounds.left, 3) << "File's drop-down";
    EXPECT_NEAR(opened[1], items[1]->Bounds.left, 3) << "Left: Edit's, at File's left";
    EXPECT_NEAR(opened[2], items[0]->Bounds.left, 3) << "Right: File's again";

    // With the bar lit by Alt alone, Left lights the item at the left too.
    Settle(300ms);
    SendKey(VK_MENU, false);
    SendKey(VK_MENU, true);
    ASSERT_TRUE(Pump([&] { return object.MenuBar()->InKeyboardMode(); })) << "Alt gave the bar the keys";
    EXPECT_EQ(object.HotNcObject(), items[0].get());
    SendKey(VK_LEFT, false);
    SendKey(VK_LEFT, true);
    EXPECT_TRUE(Pump([&] { return object.HotNcObject() == items[1].get(); })) << "Edit lit";
    object.MenuBar()->EndKeyboardMode();
}

TEST_P(SkinMenusTest, MovingThePointerAlongTheBarSwitchesTheOpenDropDown) {
    TSkinTestForm* form = MenuFormShown();
    HWND window = form->Handle();
    skin::TWinSkinForm& object = ObjectOf(window);
    const auto& items = object.MenuBar()->Items();
    const RECT outer = WindowRectOf(window);
    const auto onScreen = [&](const skin::TMenuBtn& item) {
        return POINT{outer.left + (item.Bounds.left + item.Bounds.right) / 2,
                     outer.top + (item.Bounds.top + item.Bounds.bottom) / 2};
    };
    std::vector<LONG> opened;
    const auto record = [&] { opened.push_back(OpenMenuRect().left - outer.left); };
    MoveMouse(onScreen(*items[0]));
    Settle(200ms);
    MenuScript script;
    script
        .Then([&] {
            record();
            MoveMouse(onScreen(*items[1]));
        })
        .Then([&] {
            record();
            MoveMouse(onScreen(*items[2])); // Help has no drop-down: Edit's stays open
        })
        .Then([&] {
            record();
            PressInMenu(VK_ESCAPE);
        });
    script.Start(300);
    object.MenuBar()->ClickMenuBarItem(*items[0]);
    ASSERT_TRUE(Finish(script));
    MoveMouse(POINT{2, 2});
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_NEAR(opened[0], items[0]->Bounds.left, 3) << "File's drop-down";
    EXPECT_NEAR(opened[1], items[1]->Bounds.left, 3) << "the pointer on Edit: Edit's";
    EXPECT_NEAR(opened[2], items[1]->Bounds.left, 3) << "the pointer on Help: still Edit's";
}

TEST_P(SkinMenusTest, WithoutTheMainMenuSkinTheWindowKeepsAWorkingSystemMenuBar) {
    TSkinTestForm* form =
        NewForm(MenuForm(SkinFile(GetParam()), "", "SkinControls = [xcPopupMenu, xcCombo]"));
    int newClicks = 0;
    dynamic_cast<gui::TMenuItem*>(form->FindComponent("NewItem"))->OnClick = [&](rtl::TObject*) {
        ++newClicks;
    };
    form->Show();
    HWND window = form->Handle();
    SetForegroundWindow(window);
    Settle(500ms);
    const skin::TWinSkinForm* object =
        skin::SkinManager ? skin::SkinManager->FindFormByWindow(window) : nullptr;
    EXPECT_TRUE(!object || !object->MenuBar()) << "no bar of the skin's";
    HMENU menu = GetMenu(window);
    ASSERT_NE(menu, nullptr) << "the system's bar stays";
    RECT file{};
    ASSERT_TRUE(GetMenuItemRect(window, menu, 0, &file));
    const RECT outer = WindowRectOf(window);
    EXPECT_GE(file.top, outer.top);
    EXPECT_LE(file.bottom, outer.bottom);

    // A click on File drops its menu down; Down and Enter run New.
    MenuScript script;
    script.Then([] { PressInMenu(VK_DOWN); }).Then([] { PressInMenu(VK_RETURN); });
    script.Start(250);
    MoveMouse(POINT{(file.left + file.right) / 2, (file.top + file.bottom) / 2});
    Settle(100ms);
    MouseButton(true);
    MouseButton(false);
    ASSERT_TRUE(Finish(script)) << "the drop-down did not open";
    MoveMouse(POINT{2, 2});
    EXPECT_TRUE(Pump([&] { return newClicks == 1; })) << "New ran";
}

// A window of no framework class with a menu bar of its own, as any program's window has.
struct PlainMenuWindow {
    static inline std::vector<UINT> commands; // what reached the window's procedure
    HWND window = nullptr;
    HMENU file = nullptr;
    PlainMenuWindow() {
        commands.clear();
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SkinTestPlainMenuWindow";
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        RegisterClassW(&wc);
        HMENU bar = CreateMenu();
        file = CreatePopupMenu();
        AppendMenuW(file, MF_STRING, kNew, L"&New\tCtrl+N");
        AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(file, MF_STRING | MF_CHECKED, kQuit, L"&Quit");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
        AppendMenuW(bar, MF_STRING, kAbout, L"&About");
        window = CreateWindowExW(0, wc.lpszClassName, L"Plain menu", WS_OVERLAPPEDWINDOW, 600, 150, 360, 240,
                                 nullptr, bar, nullptr, nullptr);
    }
    ~PlainMenuWindow() {
        if (window) DestroyWindow(window);
    }
    static constexpr UINT kNew = 101, kQuit = 102, kAbout = 103;
    static LRESULT CALLBACK Procedure(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) != 0)
            commands.push_back(LOWORD(wParam));
        return DefWindowProcW(w, msg, wParam, lParam);
    }
};

TEST_P(SkinMenusTest, PlainWindowsDropDownShowsTheSkinAndItsCommandsReachTheWindow) {
    TSkinTestForm* form = MenuFormShown();
    const TSkinData& skin = Skin(form);
    PlainMenuWindow plain;
    ShowWindow(plain.window, SW_SHOW);
    SetForegroundWindow(plain.window);
    ASSERT_TRUE(Pump([&] { return Skinned(plain.window); })) << "the plain window was not skinned";
    skin::TWinSkinForm& object = ObjectOf(plain.window);
    ASSERT_NE(object.MenuBar(), nullptr);
    const auto& items = object.MenuBar()->Items();
    ASSERT_EQ(items.size(), 2u);
    skin::Bitmap shot;
    std::vector<RECT> rows;
    MenuScript script;
    script
        .Then([&] {
            shot = Screenshot(OpenMenuRect());
            rows = MenuRows(plain.file, 3, OpenMenuRect());
            PressInMenu(VK_DOWN); // past the line to Quit
        })
        .Then([] { PressInMenu(VK_RETURN); });
    script.Start(250);
    object.MenuBar()->ClickMenuBarItem(*items[0]);
    ASSERT_TRUE(Finish(script));
    Settle();
    SaveArtifact(shot, "plain-window-menu-" + std::string(GetParam()) + ".bmp");

    ASSERT_EQ(rows.size(), 3u);
    ExpectMenuBackgroundCorner(shot, skin);
    EXPECT_GT(ExpectSelectedFrameCorner(shot, skin, rows[0]), 0) << "New selected in the skin's frame";
    const RECT quitText{rows[2].left + skin.MenuItem->LeftWidth + 20, rows[2].top, rows[2].right,
                        rows[2].bottom};
    EXPECT_GT(Ink(shot, quitText, skin.MenuTextColour), 5) << "Quit's caption in the skin's colour";
    EXPECT_EQ(rows[1].bottom - rows[1].top, 8) << "the line";
    EXPECT_GT(rows[0].right - rows[0].left, 0);
    EXPECT_EQ(PlainMenuWindow::commands, (std::vector<UINT>{PlainMenuWindow::kQuit}))
        << "Quit reached the window";

    // The program's menu is as it was: its items keep their texts and are no longer owner-drawn.
    wchar_t text[32] = {};
    GetMenuStringW(plain.file, 0, text, 32, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"&New\tCtrl+N");
    EXPECT_EQ(GetMenuState(plain.file, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
    EXPECT_NE(GetMenuState(plain.file, 2, MF_BYPOSITION) & MF_CHECKED, 0u);
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinMenusTest,
                         ::testing::Values("default.skn", "dark.skn", "contrast.skn", "asymmetric.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });

} // namespace
