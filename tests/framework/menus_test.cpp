// Menus: shortcut texts, what items put on the menu handle, popup menus shown and chosen from, owner-drawn
// items measured and drawn through their events, the order around a main menu's change notification,
// Alt+letter offered to the form's message method, and menus read from stored form data.
#include "framework/gui/application.h"
#include "framework/gui/canvas.h"
#include "framework/gui/edit.h"
#include "framework/gui/form.h"
#include "framework/gui/hooks.h"
#include "framework/gui/popup_menu.h"
#include "framework/gui/register_classes.h"
#include "framework/gui/subclass.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using gui::TMenuItem;

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[128]{};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

MENUITEMINFOW MenuInfo(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_SUBMENU | MIIM_ID;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return info;
}

// Plays keys into the popup menu once it is on screen, from a thread timer: the menu's own modal loop
// dispatches timer messages. A menu still open long after its keys is closed, so no test can hang.
class MenuKeys {
  public:
    explicit MenuKeys(std::vector<WPARAM> keys, std::function<void(HWND menu)> onShown = {})
        : keys_(std::move(keys)), onShown_(std::move(onShown)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, &MenuKeys::Tick);
    }
    ~MenuKeys() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Shown() const { return shown_; }
    bool ClosedByForce() const { return forced_; }

  private:
    static BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found) {
        wchar_t name[16]{};
        GetClassNameW(window, name, 16);
        if (std::wstring(name) == L"#32768" && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MenuKeys* self = current_;
        if (!self) return;
        ++self->ticks_;
        if (self->shown_) {
            if (self->ticks_ - self->shownAt_ > 100) {
                self->forced_ = true;
                EndMenu();
            }
            return;
        }
        HWND menu = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindMenuWindow, reinterpret_cast<LPARAM>(&menu));
        if (!menu) {
            if (self->ticks_ > 150) EndMenu(); // never showed: nothing to wait for
            return;
        }
        self->shown_ = true;
        self->shownAt_ = self->ticks_;
        if (self->onShown_) self->onShown_(menu);
        for (WPARAM key : self->keys_)
            PostMessageW(menu, WM_KEYDOWN, key, 0);
    }

    static inline MenuKeys* current_ = nullptr;
    std::vector<WPARAM> keys_;
    std::function<void(HWND)> onShown_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    int shownAt_ = 0;
    bool shown_ = false;
    bool forced_ = false;
};

class MenusTest : public ::testing::Test {
  protected:
    // A form that publishes the methods its stored data binds.
    class TTestForm : public gui::TForm {
      public:
        explicit TTestForm(TComponent* owner) : TForm(owner) {
            PublishMethod("PopupMenu1Popup", [this](rtl::TObject*) { ++popups; });
            PublishMethod("CloseClick", [this](rtl::TObject*) { ++closeClicks; });
        }
        int popups = 0;
        int closeClicks = 0;
    };

    static void SetUpTestSuite() { gui::RegisterFrameworkClasses(); }
    void SetUp() override {
        application = std::make_unique<gui::TApplication>();
        application->Initialize();
    }
    TTestForm& LoadForm(const std::string& body) {
        form = new TTestForm(application.get());
        application->AddForm(form);
        form->LoadFromText("Form : TForm {\n    ClientWidth = 240\n    ClientHeight = 120\n" + body + "}\n");
        return *form;
    }
    TMenuItem* NewItem(rtl::TComponent* owner, const std::string& caption, TMenuItem* parent) {
        auto* item = new TMenuItem(owner);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }

    std::unique_ptr<gui::TApplication> application;
    TTestForm* form = nullptr;
};

TEST(ShortCuts, TextsNameTheShiftKeysThenTheKeyAndReadBack) {
    EXPECT_EQ(gui::ShortCutToText(gui::ShortCut(VK_F4, gui::scShift)), "Shift+F4");
    EXPECT_EQ(gui::ShortCutToText(gui::ShortCut('S', gui::scCtrl)), "Ctrl+S");
    EXPECT_EQ(gui::ShortCutToText(gui::ShortCut('X', gui::scAlt)), "Alt+X");
    EXPECT_EQ(gui::ShortCutToText(gui::ShortCut(VK_DELETE, gui::scShift | gui::scCtrl)), "Shift+Ctrl+Del");
    EXPECT_EQ(gui::ShortCutToText(gui::ShortCut(VK_F12, 0)), "F12");
    EXPECT_EQ(gui::ShortCutToText(gui::scNone), "");
    EXPECT_EQ(gui::TextToShortCut("Shift+F4"), 0x2000 + VK_F4);
    EXPECT_EQ(gui::TextToShortCut("ctrl+s"), gui::ShortCut('S', gui::scCtrl));
    EXPECT_EQ(gui::TextToShortCut("Alt+PgDn"), gui::ShortCut(VK_NEXT, gui::scAlt));
    EXPECT_EQ(gui::TextToShortCut("Ctrl+Nothing"), gui::scNone);
}

TEST(ShortCuts, AcceleratorIsTheCharacterAfterTheFirstSingleAmpersand) {
    EXPECT_TRUE(gui::IsAccel(L'f', "&File"));
    EXPECT_TRUE(gui::IsAccel(L'A', "Save &as"));
    EXPECT_FALSE(gui::IsAccel(L'f', "&&File"));
    EXPECT_TRUE(gui::IsAccel(L'x', "Fish && &xips"));
    EXPECT_FALSE(gui::IsAccel(L'w', "网站"));
    EXPECT_TRUE(gui::IsAccel(L'网', "&网站"));
    EXPECT_EQ(gui::StripHotkey("Fish && &Chips"), "Fish & Chips");
}

TEST_F(MenusTest, ItemsPutTheirTextStateAndSubMenusOnTheHandle) {
    LoadForm("");
    auto* popup = new gui::TPopupMenu(form);
    TMenuItem* root = popup->Items();
    TMenuItem* save = NewItem(form, "&Save", root);
    save->SetShortCut(gui::ShortCut('S', gui::scCtrl));
    save->SetDefault(true);
    TMenuItem* hidden = NewItem(form, "Hidden", root);
    hidden->SetVisible(false);
    NewItem(form, "-", root);
    TMenuItem* small = NewItem(form, "Small", root);
    TMenuItem* large = NewItem(form, "Large", root);
    for (TMenuItem* item : {small, large}) {
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
    }
    small->SetChecked(true);
    large->SetChecked(true); // unchecks its group
    TMenuItem* more = NewItem(form, "More", root);
    NewItem(form, "Inner", more);
    large->SetEnabled(false);

    HMENU menu = popup->Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 5) << "the hidden item is left out";
    EXPECT_EQ(MenuText(menu, 0), L"&Save\tCtrl+S");
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 0u);
    EXPECT_TRUE(MenuInfo(menu, 1).fType & MFT_SEPARATOR);
    const MENUITEMINFOW smallInfo = MenuInfo(menu, 2), largeInfo = MenuInfo(menu, 3);
    EXPECT_TRUE(smallInfo.fType & MFT_RADIOCHECK);
    EXPECT_FALSE(small->Checked());
    EXPECT_FALSE(smallInfo.fState & MFS_CHECKED);
    EXPECT_TRUE(largeInfo.fState & MFS_CHECKED);
    EXPECT_TRUE(largeInfo.fState & MFS_GRAYED);
    EXPECT_EQ(largeInfo.wID, large->Command());
    EXPECT_EQ(reinterpret_cast<TMenuItem*>(largeInfo.dwItemData), large);
    EXPECT_FALSE(largeInfo.fType & MFT_OWNERDRAW);
    ASSERT_NE(more->Handle(), nullptr);
    EXPECT_EQ(more->Handle(), GetSubMenu(menu, 4));
    EXPECT_EQ(root->Handle(), menu);

    popup->SetBiDiMode(gui::bdRightToLeft);
    popup->SetOwnerDraw(true);
    const MENUITEMINFOW mirrored = MenuInfo(popup->Handle(), 0);
    EXPECT_TRUE(mirrored.fType & MFT_RIGHTORDER);
    EXPECT_TRUE(mirrored.fType & MFT_OWNERDRAW);
    EXPECT_EQ(MenuText(popup->Handle(), 0), L"&Save\tCtrl+S") << "an owner-drawn item keeps its text";
    EXPECT_EQ(more->Handle(), GetSubMenu(popup->Handle(), 4)) << "rebuilt, the item knows its new sub-menu";
}

TEST_F(MenusTest, PopupRunsOnPopupShowsAtThePointAndClicksTheChosenItem) {
    LoadForm("");
    auto* popup = new gui::TPopupMenu(form);
    std::string clicked;
    bool shownDuringOnPopup = true;
    popup->OnPopup = [&](rtl::TObject*) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        shownDuringOnPopup = menu && IsWindowVisible(menu);
        NewItem(form, "Added by OnPopup", popup->Items())->OnClick = [&](rtl::TObject*) {
            clicked = "added";
        };
    };
    for (const char* caption : {"One", "-", "Two"}) {
        NewItem(form, caption, popup->Items())->OnClick = [&clicked, caption](rtl::TObject*) {
            clicked = caption;
        };
    }
    RECT shownAt{};
    {
        MenuKeys keys({VK_DOWN, VK_DOWN, VK_RETURN}, [&](HWND menu) { GetWindowRect(menu, &shownAt); });
        popup->Popup(120, 90);
        EXPECT_TRUE(keys.Shown());
        EXPECT_FALSE(keys.ClosedByForce());
    }
    EXPECT_FALSE(shownDuringOnPopup);
    EXPECT_EQ(clicked, "Two") << "the separator is passed over";
    EXPECT_EQ(shownAt.left, 120);
    EXPECT_EQ(shownAt.top, 90);
    EXPECT_EQ(popup->PopupPoint().x, 120);

    clicked.clear();
    {
        MenuKeys keys({VK_UP, VK_RETURN});
        popup->Popup(10, 10);
    }
    EXPECT_EQ(clicked, "added") << "items added in OnPopup are shown";

    clicked = "none";
    {
        MenuKeys keys({VK_ESCAPE});
        popup->Popup(10, 10);
    }
    EXPECT_EQ(clicked, "none");
}

TEST_F(MenusTest, OwnerDrawnPopupItemsAreMeasuredAndDrawnThroughTheirEvents) {
    LoadForm("");
    auto* popup = new gui::TPopupMenu(form);
    popup->SetOwnerDraw(true);
    TMenuItem* first = NewItem(form, "First item", popup->Items());
    TMenuItem* second = NewItem(form, "Second", popup->Items());
    second->SetShortCut(gui::ShortCut(VK_F4, gui::scShift));
    NewItem(form, "-", popup->Items());
    NewItem(form, "Drawn by the framework", popup->Items()); // no events: the framework's own drawing

    constexpr int kHeight = 26;
    int standardWidth = 0, measured = 0;
    bool measuredOnCanvas = true;
    for (TMenuItem* item : {first, second}) {
        item->OnMeasureItem = [&, item](rtl::TObject* sender, gui::TCanvas& canvas, int& width, int& height) {
            ++measured;
            measuredOnCanvas = measuredOnCanvas && sender == item && canvas.Handle() != nullptr;
            if (item == first) standardWidth = width;
            width += 40;
            height = kHeight;
        };
    }
    std::vector<std::pair<RECT, gui::TOwnerDrawState>> firstDraws;
    std::vector<bool> secondDraws;
    first->OnAdvancedDrawItem = [&](rtl::TObject*, gui::TCanvas& canvas, const RECT& rect,
                                    gui::TOwnerDrawState state) {
        canvas.SetBrushColor(RGB(200, 0, 0));
        canvas.FillRect(rect);
        firstDraws.emplace_back(rect, state);
    };
    first->OnDrawItem = [&](rtl::TObject*, gui::TCanvas&, const RECT&, bool) {
        ADD_FAILURE() << "advanced first";
    };
    second->OnDrawItem = [&](rtl::TObject*, gui::TCanvas&, const RECT&, bool selected) {
        secondDraws.push_back(selected);
    };

    {
        MenuKeys keys({VK_DOWN, VK_DOWN, VK_ESCAPE});
        popup->Popup(50, 50);
        EXPECT_FALSE(keys.ClosedByForce());
    }
    EXPECT_EQ(measured, 2);
    EXPECT_TRUE(measuredOnCanvas);
    {
        // The framework's own measuring came first: room for the glyph column and the caption.
        const gui::WindowDc screen(nullptr);
        gui::TCanvas canvas(screen.get());
        LOGFONTW font{};
        ASSERT_TRUE(gui::ReadMenuLogFont(font));
        const gui::UniqueFont menuFont = gui::CreateFontFromLogFont(font);
        canvas.SetFont(menuFont.get());
        EXPECT_GT(standardWidth, canvas.TextWidth("First item") + 16);
    }
    ASSERT_FALSE(firstDraws.empty());
    EXPECT_EQ(firstDraws.front().first.bottom - firstDraws.front().first.top, kHeight)
        << "the measured height";
    EXPECT_FALSE(firstDraws.front().second & ODS_SELECTED);
    EXPECT_TRUE(std::any_of(firstDraws.begin(), firstDraws.end(), [](const auto& draw) {
        return (draw.second & ODS_SELECTED) != 0;
    })) << "the first Down selects the first item";
    ASSERT_FALSE(secondDraws.empty());
    EXPECT_FALSE(secondDraws.front());
    EXPECT_TRUE(secondDraws.back()) << "the second Down selects the second item";
}

TEST_F(MenusTest, FormAnswersMeasureAndDrawOfItsOwnerDrawnMainMenuOnly) {
    LoadForm("    Menu = MainMenu1\n    MainMenu1 : TMainMenu {\n        OwnerDraw = True\n"
             "        File1 : TMenuItem {\n            Caption = \"&File\"\n        }\n    }\n");
    auto* file = dynamic_cast<TMenuItem*>(form->FindComponent("File1"));
    ASSERT_NE(file, nullptr);
    int measured = 0;
    gui::TOwnerDrawState drawnState = 0;
    file->OnMeasureItem = [&](rtl::TObject*, gui::TCanvas&, int& width, int& height) {
        ++measured;
        width = 77;
        height = 21;
    };
    file->OnAdvancedDrawItem = [&](rtl::TObject*, gui::TCanvas&, const RECT&, gui::TOwnerDrawState state) {
        drawnState = state | 0x8000;
    };
    HWND window = form->Handle();
    const MENUITEMINFOW info = MenuInfo(GetMenu(window), 0);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    ASSERT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(file));

    MEASUREITEMSTRUCT measure{ODT_MENU, 0, info.wID, 0, 0, info.dwItemData};
    EXPECT_EQ(SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
    EXPECT_EQ(measured, 1);
    EXPECT_EQ(measure.itemWidth, 77u);
    EXPECT_EQ(measure.itemHeight, 21u);

    const gui::WindowDc dc(window);
    DRAWITEMSTRUCT draw{ODT_MENU,       0,
                        info.wID,       ODA_DRAWENTIRE,
                        ODS_SELECTED,   reinterpret_cast<HWND>(GetMenu(window)),
                        dc.get(),       {0, 0, 77, 21},
                        info.dwItemData};
    EXPECT_EQ(SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), TRUE);
    EXPECT_EQ(drawnState, static_cast<gui::TOwnerDrawState>(ODS_SELECTED | 0x8000));

    // Item data that is no live item of ours is left to the default handling.
    MEASUREITEMSTRUCT foreign{ODT_MENU, 0, 1, 0, 0, reinterpret_cast<ULONG_PTR>(&measured)};
    EXPECT_EQ(SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&foreign)), FALSE);
    EXPECT_EQ(measured, 1);
}

TEST_F(MenusTest, MenuChangedReachesTheWindowBeforeTheMenuIsTouchedAndLeavesItOnTheWindow) {
    LoadForm("    Menu = MainMenu1\n    MainMenu1 : TMainMenu {\n"
             "        N1 : TMenuItem {\n            Caption = \"Before\"\n        }\n    }\n");
    HWND window = form->Handle();
    auto* item = dynamic_cast<TMenuItem*>(form->FindComponent("N1"));
    ASSERT_NE(item, nullptr);
    const HMENU shown = GetMenu(window);
    ASSERT_NE(shown, nullptr);

    // Stands where the skinning engine stands: on the window procedure, possibly holding the menu itself.
    struct Watcher {
        gui::TWindowSubclass subclass;
        bool takeMenuOff = false;
        int seen = 0;
        HMENU menuWhenSeen = nullptr;
        bool stillAMenu = false;
        HMENU menuAfter = nullptr;
        void Handle(gui::TMessage& message) {
            if (message.Msg == gui::CM_MENUCHANGED) {
                ++seen;
                menuWhenSeen = GetMenu(message.Window);
                stillAMenu = menuWhenSeen && IsMenu(menuWhenSeen);
                subclass.CallPrevious(message);
                menuAfter = GetMenu(message.Window);
                if (takeMenuOff) SetMenu(message.Window, nullptr);
                return;
            }
            subclass.CallPrevious(message);
        }
    } watcher;
    ASSERT_TRUE(watcher.subclass.Install(window, gui::TWndMethod::Of<&Watcher::Handle>(&watcher)));

    item->SetCaption("After");
    EXPECT_EQ(watcher.seen, 1);
    EXPECT_EQ(watcher.menuWhenSeen, shown) << "the window still had the menu it showed";
    EXPECT_TRUE(watcher.stillAMenu) << "not yet destroyed";
    ASSERT_NE(watcher.menuAfter, nullptr) << "the form's handling put a menu back on the window";
    EXPECT_EQ(MenuText(watcher.menuAfter, 0), L"After");
    EXPECT_EQ(GetMenu(window), form->Menu()->Handle());

    // An engine that took the menu off the window into a bar of its own sees the window without a menu,
    // and after the form's handling a menu to read again.
    watcher.takeMenuOff = true;
    SetMenu(window, nullptr);
    item->SetCaption("Again");
    EXPECT_EQ(watcher.seen, 2);
    EXPECT_EQ(watcher.menuWhenSeen, nullptr);
    ASSERT_NE(watcher.menuAfter, nullptr);
    EXPECT_EQ(MenuText(watcher.menuAfter, 0), L"Again");
    EXPECT_EQ(GetMenu(window), nullptr) << "left as the engine wants it";
}

TEST_F(MenusTest, AltLetterIsOfferedToTheFormsMessageMethodAndANonZeroAnswerConsumesIt) {
    LoadForm("    Edit1 : TEdit {\n        Left = 8\n        Top = 8\n        Width = 100\n        Height = "
             "21\n    }\n");
    auto* edit = dynamic_cast<gui::TEdit*>(form->FindComponent("Edit1"));
    ASSERT_NE(edit, nullptr);

    struct Offered {
        gui::TMessageHook hook;
        LRESULT answer = 0;
        std::vector<std::pair<WPARAM, LPARAM>> chars;
        void Handle(gui::TMessage& message) {
            if (message.Msg == gui::CM_DIALOGCHAR) {
                chars.emplace_back(message.WParam, message.LParam);
                message.Result = answer;
                return;
            }
            hook.CallPrevious(message);
        }
    } offered;
    offered.hook.Install(*form, gui::TWndMethod::Of<&Offered::Handle>(&offered));

    // What comes after an unconsumed key: the system's keyboard menu on the form, the key itself in the edit.
    struct Swallow {
        gui::TWindowSubclass subclass;
        UINT msg, param;
        int count = 0;
        void Handle(gui::TMessage& message) {
            if (message.Msg == msg && (param == 0 || (message.WParam & 0xFFF0) == param)) {
                ++count; // kept from the system: a keyboard menu would open a modal loop
                return;
            }
            subclass.CallPrevious(message);
        }
    } keyMenu{{}, WM_SYSCOMMAND, SC_KEYMENU}, editChar{{}, WM_SYSCHAR, 0};
    ASSERT_TRUE(keyMenu.subclass.Install(form->Handle(), gui::TWndMethod::Of<&Swallow::Handle>(&keyMenu)));
    ASSERT_TRUE(editChar.subclass.Install(edit->Handle(), gui::TWndMethod::Of<&Swallow::Handle>(&editChar)));

    const LPARAM altX = 0x20000001 | (static_cast<LPARAM>(MapVirtualKeyW('X', MAPVK_VK_TO_VSC)) << 16);
    offered.answer = 1;
    SendMessageW(form->Handle(), WM_SYSCHAR, 'x', altX);
    ASSERT_EQ(offered.chars.size(), 1u);
    EXPECT_EQ(offered.chars[0].first, static_cast<WPARAM>('x'));
    EXPECT_EQ(offered.chars[0].second, altX);
    EXPECT_EQ(keyMenu.count, 0) << "consumed";
    offered.answer = 0;
    SendMessageW(form->Handle(), WM_SYSCHAR, 'x', altX);
    EXPECT_EQ(offered.chars.size(), 2u);
    EXPECT_EQ(keyMenu.count, 1) << "not consumed: the system's handling goes on";

    // Typed in a control, through the application's message loop: offered once, before the control sees it.
    offered.chars.clear();
    offered.answer = 1;
    PostMessageW(edit->Handle(), WM_SYSCHAR, 'y', altX);
    application->ProcessMessages();
    ASSERT_EQ(offered.chars.size(), 1u);
    EXPECT_EQ(offered.chars[0].first, static_cast<WPARAM>('y'));
    EXPECT_EQ(editChar.count, 0);
    offered.answer = 0;
    PostMessageW(edit->Handle(), WM_SYSCHAR, 'y', altX);
    application->ProcessMessages();
    EXPECT_EQ(offered.chars.size(), 2u);
    EXPECT_EQ(editChar.count, 1);
}

TEST_F(MenusTest, StoredPopupMenuAndItemPropertiesReadBack) {
    LoadForm(R"(    PopupMenu1 : TPopupMenu {
        OwnerDraw = True
        BiDiMode = bdRightToLeft
        Tag = 100
        OnPopup = PopupMenu1Popup
        Restore1 : TMenuItem {
            Caption = " Restore "
            ImageIndex = 0
            RadioItem = True
            GroupIndex = 2
            Checked = True
            Default = True
            Hint = "Back to the normal size"
        }
        N2 : TMenuItem {
            Caption = "-"
            Tag = 100
        }
        Close1 : TMenuItem {
            Caption = " Close "
            Tag = 3
            ImageIndex = 3
            ShortCut = 8307
            Enabled = False
            Action = N2
            OnClick = CloseClick
        }
    }
    PopupMenu2 : TPopupMenu {
    }
)");
    const auto popups = gui::PopupMenusOf(*form);
    ASSERT_EQ(popups.size(), 2u);
    gui::TPopupMenu* popup = popups[0];
    EXPECT_EQ(popup->Name(), "PopupMenu1");
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_EQ(popup->BiDiMode(), gui::bdRightToLeft);
    EXPECT_EQ(popup->Tag() % 100, 0);
    ASSERT_EQ(popup->Items()->Count(), 3);
    TMenuItem* restore = popup->Items()->Items()[0];
    TMenuItem* close = popup->Items()->Items()[2];
    EXPECT_EQ(restore->Caption(), " Restore ");
    EXPECT_EQ(restore->ImageIndex(), 0);
    EXPECT_TRUE(restore->RadioItem());
    EXPECT_EQ(restore->GroupIndex(), 2);
    EXPECT_TRUE(restore->Checked());
    EXPECT_TRUE(restore->Default());
    EXPECT_EQ(restore->Hint(), "Back to the normal size");
    EXPECT_TRUE(popup->Items()->Items()[1]->IsLine());
    EXPECT_EQ(close->Tag(), 3);
    EXPECT_EQ(close->ImageIndex(), 3);
    EXPECT_EQ(gui::ShortCutToText(close->ShortCut()), "Shift+F4");
    EXPECT_FALSE(close->Enabled());
    EXPECT_EQ(close->Action(), popup->Items()->Items()[1]);
    EXPECT_EQ(close->GetParentMenu(), popup);

    HMENU menu = popup->Handle();
    EXPECT_EQ(MenuText(menu, 2), L" Close \tShift+F4");
    EXPECT_TRUE(MenuInfo(menu, 2).fType & MFT_OWNERDRAW);
    EXPECT_TRUE(MenuInfo(menu, 0).fState & MFS_DEFAULT);

    popup->OnPopup(popup);
    EXPECT_EQ(form->popups, 1);
    close->SetEnabled(true);
    EXPECT_TRUE(popup->DispatchCommand(close->Command()));
    EXPECT_EQ(form->closeClicks, 1);
    delete popup->Items()->Items()[1];
    EXPECT_EQ(close->Action(), nullptr) << "the freed action is forgotten";
}

} // namespace

// A menu item's shortcut pressed anywhere on the form, a control having the focus, runs the item, also from
// a sub-menu; a disabled or hidden item's shortcut is an ordinary key for the control.
TEST_F(MenusTest, ShortCutKeysRunTheirEnabledVisibleItemsThroughTheMessageLoop) {
    LoadForm(R"(    Menu = MainMenu1
    MainMenu1 : TMainMenu {
        FileItem : TMenuItem {
            Caption = "&File"
            MoreItem : TMenuItem {
                Caption = "&More"
                ReloadItem : TMenuItem {
                    Caption = "&Reload"
                    ShortCut = 116
                    OnClick = CloseClick
                }
            }
            OffItem : TMenuItem {
                Caption = "Off"
                ShortCut = 117
                Enabled = False
                OnClick = CloseClick
            }
        }
    }
    Edit1 : TEdit {
        Width = 100
        Height = 21
    }
)");
    auto* edit = dynamic_cast<gui::TEdit*>(form->FindComponent("Edit1"));
    ASSERT_NE(edit, nullptr);
    struct Keys {
        gui::TWindowSubclass subclass;
        std::vector<WPARAM> down;
        void Handle(gui::TMessage& message) {
            if (message.Msg == WM_KEYDOWN) down.push_back(message.WParam);
            subclass.CallPrevious(message);
        }
    } keys;
    ASSERT_TRUE(keys.subclass.Install(edit->Handle(), gui::TWndMethod::Of<&Keys::Handle>(&keys)));

    PostMessageW(edit->Handle(), WM_KEYDOWN, VK_F5, 1);
    application->ProcessMessages();
    EXPECT_EQ(form->closeClicks, 1) << "F5 runs the item in the sub-menu";
    EXPECT_TRUE(keys.down.empty()) << "and is taken from the edit";

    PostMessageW(edit->Handle(), WM_KEYDOWN, VK_F6, 1);
    application->ProcessMessages();
    EXPECT_EQ(form->closeClicks, 1) << "a disabled item's shortcut runs nothing";
    EXPECT_EQ(keys.down, std::vector<WPARAM>{VK_F6}) << "the edit gets the key";

    dynamic_cast<TMenuItem*>(form->FindComponent("ReloadItem"))->SetVisible(false);
    PostMessageW(edit->Handle(), WM_KEYDOWN, VK_F5, 1);
    application->ProcessMessages();
    EXPECT_EQ(form->closeClicks, 1) << "nor does a hidden one's";
}
