// A skinned multiple-document frame in-process, with both of our skins: its documents get skinned frames
// inside the MDI client, activation moves the active look between them, a maximized document's buttons sit
// on the frame's menu bar and work when clicked, minimized documents come back, and many documents made and
// closed leave no handles behind.
#include "framework/gui/wide.h"
#include "tests/skin/screen_input.h"
#include "tests/skin/skin_test_fixture.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace skin_tests;

class TMdiTestChild : public gui::TForm {
  public:
    explicit TMdiTestChild(rtl::TComponent* owner) : TForm(owner) {
        PublishMethod("UndoClick", [this](rtl::TObject*) { ++undoClicks; });
    }
    int undoClicks = 0;
    static const rtl::TClassInfo& StaticClassInfo() {
        static const rtl::TClassInfo info{"TMdiTestChild", &TForm::StaticClassInfo(), {}};
        return info;
    }
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

std::string FrameText(const std::string& skinFile) {
    return R"(SkinForm : TSkinTestForm {
    Caption = "Documents"
    Left = 60
    Top = 40
    ClientWidth = 640
    ClientHeight = 440
    FormStyle = fsMDIForm
    Menu = FrameMenu
    WindowMenu = WindowItem
    SkinData1 : TSkinData {
        Active = True
        SkinFile = ")" +
           Escaped(skinFile) + R"("
    }
    FrameMenu : TMainMenu {
        FileItem : TMenuItem {
            Caption = "&File"
        }
        WindowItem : TMenuItem {
            Caption = "&Window"
            GroupIndex = 9
            CascadeItem : TMenuItem {
                Caption = "&Cascade"
            }
        }
    }
}
)";
}

constexpr char kChildText[] = R"(Child : TMdiTestChild {
    Caption = "Document"
    ClientWidth = 220
    ClientHeight = 110
    FormStyle = fsMDIChild
    Edit1 : TEdit {
        Left = 8
        Top = 8
        Width = 120
        Height = 21
        Text = "Text"
    }
    Button1 : TButton {
        Left = 8
        Top = 36
        Width = 75
        Height = 25
        Caption = "Apply"
    }
    Check1 : TCheckBox {
        Left = 8
        Top = 70
        Width = 120
        Height = 17
        Caption = "Keep"
    }
}
)";

// A document with a menu of its own: an item between the frame's File and Window, and one replacing File.
constexpr char kChildMenuText[] = R"(Child : TMdiTestChild {
    Caption = "Document with a menu"
    ClientWidth = 220
    ClientHeight = 110
    FormStyle = fsMDIChild
    Menu = ChildMenu
    ChildMenu : TMainMenu {
        EditItem : TMenuItem {
            Caption = "&Edit"
            GroupIndex = 1
            UndoItem : TMenuItem {
                Caption = "&Undo"
                OnClick = UndoClick
            }
        }
    }
}
)";

RECT ScreenClientRect(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Where the client area starts inside the window: the frame's left and top thickness.
POINT ClientOffset(HWND window) {
    const RECT outer = WindowRectOf(window), client = ScreenClientRect(window);
    return POINT{client.left - outer.left, client.top - outer.top};
}

RECT RectInParent(HWND window) {
    RECT rect = WindowRectOf(window);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != 0;
}

bool SamePixels(const skin::Bitmap& a, const skin::Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) return false;
        }
    }
    return true;
}

// The share of the button image's first frame (key-coloured pixels left out) that the screen shows at bounds.
double ShareOfButtonShown(const skin::TDataSkinSysButton& element, const RECT& bounds) {
    const skin::Bitmap shot = Screenshot(bounds);
    const int cell = element.Image.width() / std::max(element.FrameCount, 1);
    int compared = 0, same = 0;
    for (int y = 0; y < shot.height() && y < element.Image.height(); ++y) {
        for (int x = 0; x < shot.width() && x < cell; ++x) {
            const auto expected = element.Image.pixel(x, y) & 0xFFFFFF;
            if (expected == (skin::kSkinKeyPixel & 0xFFFFFF))
                continue; // the key colour: the bar shows through
            ++compared;
            if ((shot.pixel(x, y) & 0xFFFFFF) == expected) ++same;
        }
    }
    return compared == 0 ? 0.0 : static_cast<double>(same) / compared;
}

void ClickAt(POINT point) {
    SetCursorPos(point.x, point.y);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

class SkinMdiTest : public SkinFormTest {
  protected:
    static void SetUpTestSuite() {
        SkinFormTest::SetUpTestSuite();
        rtl::RegisterComponentClass<TMdiTestChild>();
    }

    TSkinTestForm* Frame() {
        TSkinTestForm* frame = NewForm(FrameText(SkinFile(GetParam())));
        frame->Show();
        SetForegroundWindow(frame->Handle());
        EXPECT_TRUE(Pump([&] { return Skinned(frame->Handle()); })) << "the frame was not skinned";
        return frame;
    }
    TMdiTestChild* NewChild(TSkinTestForm* frame, const std::string& caption) {
        auto* child = new TMdiTestChild(frame);
        child->LoadFromText(kChildText);
        child->SetText(caption);
        child->Show();
        return child;
    }
    std::vector<TMdiTestChild*> Children(TSkinTestForm* frame, int count) {
        std::vector<TMdiTestChild*> children;
        for (int i = 0; i < count; ++i)
            children.push_back(NewChild(frame, "Document " + std::to_string(i + 1)));
        EXPECT_TRUE(Pump([&] {
            for (auto* child : children) {
                if (!Skinned(child->Handle())) return false;
            }
            return true;
        })) << "every document is skinned";
        Settle();
        return children;
    }
    static skin::TWinSkinForm& Object(HWND window) { return *skin::SkinManager->FindFormByWindow(window); }
    // The frame's MDI buttons (minimize, restore, close of the active document) in the skin's order.
    static std::vector<skin::TWinSysButton*> MdiButtons(skin::TWinSkinForm& frame) {
        std::vector<skin::TWinSysButton*> buttons;
        for (auto& button : frame.SysButtons()) {
            if (button->Element->Visibility == skin::kVisibilityOnMenuBar) buttons.push_back(button.get());
        }
        return buttons;
    }
    static POINT CentreOnScreen(HWND window, const RECT& bounds) {
        const RECT outer = WindowRectOf(window);
        return POINT{outer.left + (bounds.left + bounds.right) / 2,
                     outer.top + (bounds.top + bounds.bottom) / 2};
    }
    // The frame's menu bar row as the screen shows it.
    static skin::Bitmap MenuBarShot(HWND frame) {
        const skin::TWinSkinForm& object = Object(frame);
        const RECT outer = WindowRectOf(frame);
        return Screenshot(RECT{outer.left + object.Borders().left, outer.top + object.Borders().top,
                               outer.right - object.Borders().right,
                               outer.top + object.Borders().top + object.MenuRowHeight()});
    }
    void MoveMouseAway() { SetCursorPos(5, 1000); }
};

TEST_P(SkinMdiTest, DocumentsHaveSkinnedFramesInsideTheClientAndFollowActivation) {
    TSkinTestForm* frame = Frame();
    const HWND client = frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(Object(frame->Handle()).Role(), skin::MdiRole::Frame);
    EXPECT_EQ(GetWindowLongPtrW(client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0) << "no scroll bars";
    const std::vector<TMdiTestChild*> children = Children(frame, 3);
    EXPECT_EQ(frame->MDIChildCount(), 3);
    EXPECT_EQ(frame->ActiveMDIChild(), children.back()) << "the newest document is active";
    // The Window menu lists the documents after its own item and a separator.
    HMENU windowMenu = frame->WindowMenu()->Handle();
    ASSERT_EQ(GetMenuItemCount(windowMenu), 1 + 1 + 3);
    wchar_t last[64] = {};
    GetMenuStringW(windowMenu, 4, last, 64, MF_BYPOSITION);
    EXPECT_NE(std::wstring(last).find(L"Document 3"), std::wstring::npos) << gui::Narrow(last);

    const auto checkSkinnedInside = [&](const char* when) {
        SCOPED_TRACE(when);
        const RECT area = ScreenClientRect(client);
        for (auto* child : children) {
            const skin::TWinSkinForm& object = Object(child->Handle());
            EXPECT_EQ(object.Role(), skin::MdiRole::Child);
            const POINT offset = ClientOffset(child->Handle());
            EXPECT_EQ(offset.x, object.Borders().left) << "the skin's left border";
            EXPECT_EQ(offset.y, object.Borders().top) << "the skin's caption";
            const RECT outer = WindowRectOf(child->Handle());
            EXPECT_TRUE(outer.left >= area.left && outer.top >= area.top) << "inside the client";
            int visibleButtons = 0;
            for (auto& button : Object(child->Handle()).SysButtons())
                visibleButtons += button->Visible;
            EXPECT_GE(visibleButtons, 3) << "the skin's caption buttons";
        }
    };
    frame->Cascade();
    Settle();
    checkSkinnedInside("cascaded");
    const RECT first = WindowRectOf(children[0]->Handle()), second = WindowRectOf(children[1]->Handle());
    EXPECT_LT(first.left, second.left) << "cascaded: each one further right and down";
    EXPECT_LT(first.top, second.top);
    SaveArtifact(ShowAndShoot(frame->Handle()), "mdi-cascaded-" + std::string(GetParam()) + ".bmp");

    frame->Tile();
    Settle();
    checkSkinnedInside("tiled");
    for (std::size_t i = 0; i < children.size(); ++i) {
        for (std::size_t j = i + 1; j < children.size(); ++j) {
            RECT overlap{};
            const RECT a = WindowRectOf(children[i]->Handle()), b = WindowRectOf(children[j]->Handle());
            EXPECT_FALSE(IntersectRect(&overlap, &a, &b)) << "tiled documents do not overlap";
        }
    }
    SaveArtifact(ShowAndShoot(frame->Handle()), "mdi-tiled-" + std::string(GetParam()) + ".bmp");

    // The left border of a document: its active and inactive frames differ.
    const auto border = [&](TMdiTestChild* child) {
        const RECT outer = WindowRectOf(child->Handle());
        const int mid = (outer.top + outer.bottom) / 2;
        return Screenshot(
            RECT{outer.left, mid - 10, outer.left + Object(child->Handle()).Borders().left, mid + 10});
    };
    const auto activate = [&](TMdiTestChild* child) {
        SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->Handle()), 0);
        Settle();
        return frame->ActiveMDIChild() == child;
    };
    ASSERT_TRUE(activate(children[0]));
    const skin::Bitmap firstActive = border(children[0]), secondInactive = border(children[1]);
    ASSERT_TRUE(activate(children[1]));
    const skin::Bitmap firstInactive = border(children[0]), secondActive = border(children[1]);
    EXPECT_FALSE(SamePixels(firstActive, firstInactive)) << "the first document lost the active look";
    EXPECT_FALSE(SamePixels(secondActive, secondInactive)) << "the second one gained it";
    EXPECT_TRUE(SamePixels(firstActive, secondActive)) << "the same look for whichever is active";
}

TEST_P(SkinMdiTest, MaximizedDocumentButtonsSitOnTheMenuBarAndWork) {
    TSkinTestForm* frame = Frame();
    const HWND client = frame->ClientHandle();
    const std::vector<TMdiTestChild*> children = Children(frame, 3);
    frame->Cascade();
    Settle();
    MoveMouseAway();
    skin::TWinSkinForm& frameObject = Object(frame->Handle());
    const std::vector<skin::TWinSysButton*> buttons = MdiButtons(frameObject);
    ASSERT_EQ(buttons.size(), 3u);
    const skin::Bitmap plainBar = MenuBarShot(frame->Handle());

    const auto maximize = [&](TMdiTestChild* child) {
        SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
        EXPECT_TRUE(Pump([&] { return IsZoomed(child->Handle()) && skin::SkinManager->MdiMaximized(); }))
            << "maximized, and the bar took the buttons";
        Settle(std::chrono::milliseconds(200));
    };
    const auto click = [&](int action) {
        for (auto* button : buttons) {
            if (button->Element->Action == action) ClickAt(CentreOnScreen(frame->Handle(), button->Bounds));
        }
        Settle(std::chrono::milliseconds(300));
        MoveMouseAway();
        Settle();
    };

    TMdiTestChild* document = children.back();
    const RECT before = RectInParent(document->Handle());
    maximize(document);
    // The document's own frame is gone: its content covers the whole client.
    const RECT area = ScreenClientRect(client), content = ScreenClientRect(document->Handle());
    EXPECT_TRUE(content.left <= area.left && content.top <= area.top && content.right >= area.right &&
                content.bottom >= area.bottom);
    EXPECT_FALSE(HasRegion(document->Handle()));
    RECT frameOuter{};
    GetWindowRect(frameObject.Handle(), &frameOuter);
    const RECT bar{frameObject.Borders().left, frameObject.Borders().top,
                   (frameOuter.right - frameOuter.left) - frameObject.Borders().right,
                   frameObject.Borders().top + frameObject.MenuRowHeight()};
    int previousRight = 0;
    for (auto* button : buttons) {
        SCOPED_TRACE("action " + std::to_string(button->Element->Action));
        EXPECT_TRUE(button->Visible);
        const RECT b = button->Bounds;
        EXPECT_TRUE(b.left >= bar.left && b.top >= bar.top && b.right <= bar.right && b.bottom <= bar.bottom)
            << "on the menu bar row";
        EXPECT_GT(b.left, bar.right - 100) << "at its right end";
        EXPECT_GE(b.left, previousRight) << "minimize, restore, close from left to right";
        previousRight = b.right;
        const RECT outer = WindowRectOf(frame->Handle());
        const RECT onScreen{outer.left + b.left, outer.top + b.top, outer.left + b.right,
                            outer.top + b.bottom};
        EXPECT_GT(ShareOfButtonShown(*button->Element, onScreen), 0.9)
            << "the skin's MDI image is shown there";
    }
    SaveArtifact(ShowAndShoot(frame->Handle()), "mdi-maximized-" + std::string(GetParam()) + ".bmp");

    click(8); // restore
    EXPECT_FALSE(IsZoomed(document->Handle()));
    EXPECT_TRUE(SameRect(RectInParent(document->Handle()), before)) << "back at its size and place";
    EXPECT_EQ(ClientOffset(document->Handle()).y, Object(document->Handle()).Borders().top)
        << "the skinned frame is back";
    EXPECT_FALSE(skin::SkinManager->MdiMaximized());
    EXPECT_TRUE(SamePixels(MenuBarShot(frame->Handle()), plainBar)) << "the buttons left the bar";

    maximize(document);
    click(7); // minimize
    EXPECT_TRUE(IsIconic(document->Handle()));
    SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(document->Handle()), 0);
    EXPECT_TRUE(Pump([&] { return IsZoomed(document->Handle()) != 0; })) << "back maximized, as it was";
    Settle();
    click(8);
    ASSERT_FALSE(IsZoomed(document->Handle()));
    EXPECT_TRUE(SameRect(RectInParent(document->Handle()), before))
        << "minimized while maximized, back in place";

    // Minimized from its own caption button, a document shows the system's minimized caption.
    for (auto& button : Object(document->Handle()).SysButtons()) {
        if (button->Visible && button->Element->Action == skin::kActionMinimize) {
            ClickAt(CentreOnScreen(document->Handle(), button->Bounds));
        }
    }
    EXPECT_TRUE(Pump([&] { return IsIconic(document->Handle()) != 0; }));
    Settle();
    MoveMouseAway();
    EXPECT_NE(GetWindowLongPtrW(document->Handle(), GWL_STYLE) & WS_SYSMENU, 0)
        << "the system draws the minimized caption, with its buttons";
    EXPECT_FALSE(HasRegion(document->Handle()));
    SaveArtifact(ShowAndShoot(frame->Handle()), "mdi-minimized-" + std::string(GetParam()) + ".bmp");
    SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(document->Handle()), 0);
    EXPECT_TRUE(Pump([&] { return !IsIconic(document->Handle()); }));
    Settle();
    EXPECT_TRUE(SameRect(RectInParent(document->Handle()), before)) << "restored at its size and place";
    EXPECT_EQ(ClientOffset(document->Handle()).x, Object(document->Handle()).Borders().left)
        << "skinned again";
    EXPECT_EQ(GetWindowLongPtrW(document->Handle(), GWL_STYLE) & WS_SYSMENU, 0);

    // Closing maximized documents one after the other: the next one shows maximized, until none is left.
    maximize(document);
    for (std::size_t left = children.size(); left > 0; --left) {
        click(9); // close
        EXPECT_EQ(frame->MDIChildCount(), static_cast<int>(left - 1));
    }
    EXPECT_FALSE(skin::SkinManager->MdiMaximized());
    EXPECT_TRUE(SamePixels(MenuBarShot(frame->Handle()), plainBar)) << "no MDI buttons left on the bar";
}

// While a document with a menu is the active one, its menu's items sit on the frame's skinned menu bar in
// group index order and their commands reach the document; another document active, or this one closed,
// the frame's own items come back.
TEST_P(SkinMdiTest, ActiveDocumentsMenuJoinsTheFramesBarAndLeavesWithIt) {
    TSkinTestForm* frame = Frame();
    HWND window = frame->Handle();
    const auto bar = [&] {
        Settle();
        std::vector<std::string> captions;
        for (const auto& item : Object(window).MenuBar()->Items())
            captions.push_back(item->Caption);
        return captions;
    };
    const std::vector<std::string> own{"&File", "&Window"};
    ASSERT_EQ(bar(), own);

    auto* withMenu = new TMdiTestChild(frame);
    withMenu->LoadFromText(kChildMenuText);
    withMenu->Show();
    ASSERT_TRUE(Pump([&] { return Skinned(withMenu->Handle()); }));
    EXPECT_EQ(bar(), (std::vector<std::string>{"&File", "&Edit", "&Window"}));
    HMENU frameMenu = frame->Menu()->Handle();
    EXPECT_EQ(GetMenuItemCount(frameMenu), 3) << "the frame's own menu handle holds the merged items too";

    // Undo, chosen from the frame's menu, runs the document's item.
    const UINT undo = GetMenuItemID(GetSubMenu(frameMenu, 1), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(undo, 0), 0);
    EXPECT_EQ(withMenu->undoClicks, 1);

    TMdiTestChild* plain = NewChild(frame, "Plain document");
    ASSERT_TRUE(Pump([&] { return Skinned(plain->Handle()); }));
    EXPECT_EQ(bar(), own) << "a document without a menu active";
    SendMessageW(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(withMenu->Handle()), 0);
    EXPECT_EQ(bar(), (std::vector<std::string>{"&File", "&Edit", "&Window"})) << "active again";

    withMenu->Close();
    EXPECT_TRUE(Pump([&] { return !withMenu->HandleAllocated() || !IsWindow(withMenu->Handle()); }));
    EXPECT_EQ(bar(), own) << "closed: its items leave the bar";
    delete withMenu;
    EXPECT_EQ(bar(), own);
}

TEST_P(SkinMdiTest, ManyDocumentsMadeAndClosedLeaveNoHandlesBehind) {
    TSkinTestForm* frame = Frame();
    const HWND client = frame->ClientHandle();
    const auto cycle = [&](int i) {
        TMdiTestChild* child = NewChild(frame, "Document " + std::to_string(i));
        ASSERT_TRUE(Pump([&] { return Skinned(child->Handle()); }));
        if (i % 10 == 0) {
            SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
            application->ProcessMessages();
            SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->Handle()), 0);
            application->ProcessMessages();
        }
        delete child;
        application->ProcessMessages();
    };
    cycle(0);
    Settle(std::chrono::milliseconds(400)); // the purge of the closed document's skinning object
    const gui::LiveHandleCounts before = gui::LiveHandles();
    const std::size_t skinnedBefore = skin::SkinManager->Forms.size();
    for (int i = 1; i <= 200; ++i)
        cycle(i);
    Settle(std::chrono::milliseconds(400));
    const gui::LiveHandleCounts after = gui::LiveHandles();
    EXPECT_EQ(after.Gdi, before.Gdi);
    EXPECT_EQ(after.User, before.User);
    EXPECT_EQ(skin::SkinManager->Forms.size(), skinnedBefore) << "the closed documents were let go";
    EXPECT_EQ(GetWindow(client, GW_CHILD), nullptr) << "no window left in the client";
    EXPECT_EQ(skin::SkinManager->CountMdiChildren(), 0);
    EXPECT_TRUE(Skinned(frame->Handle()));
}

// How many pixels of shot differ from colour.
int PixelsOtherThan(const skin::Bitmap& shot, skin::Pixel colour) {
    int other = 0;
    for (const skin::Pixel p : shot.pixels())
        other += RgbOf(p) != RgbOf(colour);
    return other;
}

// The box of a window's region in window coordinates; empty when it has none.
RECT RegionBox(HWND window) {
    RECT box{};
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, region) != ERROR) GetRgnBox(region, &box);
    DeleteObject(region);
    return box;
}

void DoubleClickAt(POINT point) {
    SetCursorPos(point.x, point.y);
    INPUT input[4]{};
    for (int i = 0; i < 4; ++i) {
        input[i].type = INPUT_MOUSE;
        input[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    SendInput(4, input, sizeof(INPUT));
}

// A tiled document maximized from its own caption, by its button or a double click, covers the whole client:
// nothing of its tiled shape clips it and no other document shows through it, after repaints too.
TEST_P(SkinMdiTest, TiledDocumentMaximizedFromItsCaptionCoversTheWholeClient) {
    TSkinTestForm* frame = Frame();
    const HWND client = frame->ClientHandle();
    const std::vector<TMdiTestChild*> children = Children(frame, 3);
    frame->Tile();
    Settle();
    MoveMouseAway();
    TMdiTestChild* document = children.back();
    ASSERT_EQ(frame->ActiveMDIChild(), document);
    const RECT tiled = RectInParent(document->Handle());
    const skin::Pixel face = PixelOfColour(Skin(frame).ButtonFaceColour);
    const auto coversTheClient = [&](const std::string& how) {
        SCOPED_TRACE(how);
        ASSERT_TRUE(Pump([&] { return IsZoomed(document->Handle()) != 0; })) << "maximized";
        Settle(std::chrono::milliseconds(300));
        MoveMouseAway();
        EXPECT_FALSE(HasRegion(document->Handle())) << "no region left of its tiled shape";
        const RECT area = ScreenClientRect(client);
        constexpr int kBelowControls = 100; // the document's controls sit above this
        const RECT lower{area.left, area.top + kBelowControls, area.right, area.bottom};
        // As the user sees it, before anything asks for a repaint.
        SaveArtifact(Screenshot(WindowRectOf(frame->Handle())),
                     "mdi-tiled-maximized-" + how + "-" + std::string(GetParam()) + ".bmp");
        EXPECT_EQ(PixelsOtherThan(Screenshot(lower), face), 0) << "the document's face, nothing else";
        RedrawWindow(frame->Handle(), nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        Settle();
        EXPECT_EQ(PixelsOtherThan(Screenshot(lower), face), 0) << "repainted";
        SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(document->Handle()), 0);
        ASSERT_TRUE(Pump([&] { return !IsZoomed(document->Handle()); }));
        Settle();
        EXPECT_TRUE(SameRect(RectInParent(document->Handle()), tiled)) << "back in its tile";
        EXPECT_EQ(RegionBox(document->Handle()).bottom, tiled.bottom - tiled.top)
            << "shaped to its tile again";
    };

    for (auto& button : Object(document->Handle()).SysButtons()) {
        if (button->Visible && button->Element->Action == skin::kActionMaximize) {
            ClickAt(CentreOnScreen(document->Handle(), button->Bounds));
        }
    }
    coversTheClient("button");

    const RECT outer = WindowRectOf(document->Handle());
    DoubleClickAt(
        POINT{(outer.left + outer.right) / 2, outer.top + Object(document->Handle()).Borders().top / 2});
    coversTheClient("caption");
}

// Tiling or cascading while a document is maximized: the system puts the documents side by side (or in a
// cascade) again, and each shows its skinned frame, shaped to its new size, with its own buttons on its own
// caption and none left on the frame's menu bar.
TEST_P(SkinMdiTest, TilingOrCascadingWhileMaximizedGivesEveryDocumentItsSkinnedFrameBack) {
    TSkinTestForm* frame = Frame();
    const HWND client = frame->ClientHandle();
    const std::vector<TMdiTestChild*> children = Children(frame, 3);
    frame->Cascade();
    Settle();
    MoveMouseAway();
    const skin::Bitmap plainBar = MenuBarShot(frame->Handle());
    for (const bool tile : {true, false}) {
        SCOPED_TRACE(tile ? "tiled" : "cascaded");
        SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(children[1]->Handle()), 0);
        ASSERT_TRUE(
            Pump([&] { return IsZoomed(children[1]->Handle()) && skin::SkinManager->MdiMaximized(); }));
        Settle();
        if (tile) {
            frame->Tile();
        } else {
            frame->Cascade();
        }
        Settle(std::chrono::milliseconds(300));
        MoveMouseAway();
        EXPECT_FALSE(skin::SkinManager->MdiMaximized());
        EXPECT_TRUE(SamePixels(MenuBarShot(frame->Handle()), plainBar)) << "no MDI buttons left on the bar";
        for (auto* child : children) {
            const HWND window = child->Handle();
            SCOPED_TRACE(child->GetText());
            EXPECT_FALSE(IsZoomed(window));
            const skin::TWinSkinForm& object = Object(window);
            EXPECT_EQ(ClientOffset(window).y, object.Borders().top) << "the skinned frame";
            EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_SYSMENU | WS_MAXIMIZEBOX), 0)
                << "the system draws no buttons of its own";
            const RECT outer = WindowRectOf(window), box = RegionBox(window);
            EXPECT_EQ(box.right, outer.right - outer.left) << "the region fits the window's size";
            EXPECT_EQ(box.bottom, outer.bottom - outer.top);
        }
        if (tile) {
            for (std::size_t i = 0; i < children.size(); ++i) {
                for (std::size_t j = i + 1; j < children.size(); ++j) {
                    RECT overlap{};
                    const RECT a = WindowRectOf(children[i]->Handle()),
                               b = WindowRectOf(children[j]->Handle());
                    EXPECT_FALSE(IntersectRect(&overlap, &a, &b)) << "tiled documents do not overlap";
                }
            }
        }
        SaveArtifact(ShowAndShoot(frame->Handle()),
                     std::string(tile ? "mdi-maximized-then-tiled-" : "mdi-maximized-then-cascaded-") +
                         GetParam() + ".bmp");
    }
}

// The usual frame: a tool bar along the top and a status bar along the bottom, the documents between them.
std::string FrameWithBarsText(const std::string& skinFile) {
    std::string text = FrameText(skinFile);
    const std::string bars = R"(    ToolBar1 : TToolBar {
        Align = alTop
        Height = 28
        NewButton : TToolButton {
            Caption = "New"
        }
    }
    StatusBar1 : TStatusBar {
        Align = alBottom
        SimpleText = "Ready"
    }
)";
    text.insert(text.find("    FrameMenu : TMainMenu"), bars);
    return text;
}

TEST_P(SkinMdiTest, DocumentsLiveBetweenTheToolBarAndTheStatusBar) {
    TSkinTestForm* frame = NewForm(FrameWithBarsText(SkinFile(GetParam())));
    frame->Show();
    SetForegroundWindow(frame->Handle());
    ASSERT_TRUE(Pump([&] { return Skinned(frame->Handle()); }));
    const HWND client = frame->ClientHandle();
    const HWND toolBar = HandleOf(frame, "ToolBar1"), statusBar = HandleOf(frame, "StatusBar1");
    const std::vector<TMdiTestChild*> children = Children(frame, 2);
    const auto between = [&](const char* when) {
        SCOPED_TRACE(when);
        RECT frameClient{};
        GetClientRect(frame->Handle(), &frameClient);
        const RECT area = RectInParent(client), top = RectInParent(toolBar), bottom = RectInParent(statusBar);
        EXPECT_EQ(top.top, 0);
        EXPECT_EQ(top.right - top.left, frameClient.right) << "the tool bar spans the frame";
        EXPECT_EQ(bottom.bottom, frameClient.bottom);
        EXPECT_EQ(area.top, top.bottom) << "the client starts below the tool bar";
        EXPECT_EQ(area.bottom, bottom.top) << "and ends above the status bar";
        EXPECT_EQ(area.left, 0);
        EXPECT_EQ(area.right, frameClient.right);
    };
    between("shown");
    const RECT outer = WindowRectOf(frame->Handle());
    SetWindowPos(frame->Handle(), nullptr, 0, 0, outer.right - outer.left + 80, outer.bottom - outer.top + 60,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Settle();
    between("resized");

    SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(children[0]->Handle()), 0);
    ASSERT_TRUE(Pump([&] { return IsZoomed(children[0]->Handle()) != 0; }));
    Settle();
    const RECT area = ScreenClientRect(client), content = ScreenClientRect(children[0]->Handle());
    EXPECT_TRUE(content.left <= area.left && content.top <= area.top && content.right >= area.right &&
                content.bottom >= area.bottom)
        << "the maximized document fills the space between the bars";
    EXPECT_EQ(WindowFromPoint(CentreOf(toolBar)), toolBar) << "the tool bar stays in sight";
    EXPECT_EQ(WindowFromPoint(CentreOf(statusBar)), statusBar) << "and the status bar";
    SaveArtifact(ShowAndShoot(frame->Handle()), "mdi-bars-maximized-" + std::string(GetParam()) + ".bmp");
}

// Our two skins, and the test skin with a 40-pixel caption and borders of three different widths.
INSTANTIATE_TEST_SUITE_P(EachSkin, SkinMdiTest,
                         ::testing::Values("default.skn", "dark.skn", "asymmetric.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });

} // namespace
