// Tab controls skinned in-process, with both of our skins, used the way a user does: page controls with the
// tabs on each side (one with more tabs than fit, so its scroll arrows show), a tab control, a tabbed
// notebook and a tab set. The screen must show the skin's selected and unselected tab frames, mouse clicks
// must select pages and scroll the strips, and unskinning must give every control its own look back without
// leaking.
#include "framework/gui/handles.h"
#include "framework/gui/page_control.h"
#include "framework/gui/tab_set.h"
#include "skin/controls/skin_check.h"
#include "skin/controls/skin_tab.h"
#include "skin/controls/skin_tab31.h"
#include "skin/form/control_discovery.h"
#include "tests/skin/screen_input.h"
#include "tests/skin/skin_test_fixture.h"

#include <commctrl.h>

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace skin_tests;

namespace {

// A row of the skin's tab image where the selected tab's frame and an unselected one differ in the middle:
// what the screen must show along a tab's outer edge.
struct TabMark {
    int Row = -1;
    skin::Pixel Selected = 0;
    skin::Pixel Normal = 0;
};

TabMark MarkOf(const skin::TDataSkinBorder& tabs) {
    const int fw = tabs.Image.width() / std::max(tabs.FrameCount, 1);
    for (int row = 0; row < tabs.TopHeight; ++row) {
        const skin::Pixel normal = RgbOf(tabs.Image.pixel(fw / 2, row));
        const skin::Pixel selected = RgbOf(tabs.Image.pixel(fw + fw / 2, row));
        if (normal != selected && normal != skin::kSkinKeyPixel && selected != skin::kSkinKeyPixel)
            return {row, selected, normal};
    }
    return {};
}

// A left click at a point of the screen, with the system's own mouse input.
void ClickAt(POINT point) {
    SetCursorPos(point.x, point.y);
    INPUT press[2]{};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof press[0]);
}

RECT TabRect(HWND tabs, int index) {
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

POINT ScreenPoint(HWND window, int x, int y) {
    const RECT rect = WindowRectOf(window);
    return POINT{rect.left + x, rect.top + y};
}

POINT Centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Where a tab's outer edge shows the mark row, in the tab window's coordinates, for each side.
POINT MarkPoint(const RECT& tab, int side, int row) {
    const POINT c = Centre(tab);
    switch (side) {
    case skin::kTabsBottom:
        return POINT{c.x, tab.bottom - 2 - row};
    case skin::kTabsLeft:
        return POINT{tab.left + row, c.y};
    case skin::kTabsRight:
        return POINT{tab.right - 1 - row, c.y};
    default:
        return POINT{c.x, tab.top + 1 + row};
    }
}

std::string Sheets(const std::string& prefix, const std::vector<std::string>& captions) {
    std::string text;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        text += "        " + prefix + std::to_string(i + 1) + " : TTabSheet {\n            Caption = \"" +
                captions[i] + "\"\n        }\n";
    }
    return text;
}

std::string PageControl(const std::string& name, const std::string& position, int left, int top, int width,
                        int height, const std::vector<std::string>& captions, const std::string& extra = "") {
    return "    " + name + " : TPageControl {\n        Left = " + std::to_string(left) +
           "\n        Top = " + std::to_string(top) + "\n        Width = " + std::to_string(width) +
           "\n        Height = " + std::to_string(height) + "\n        TabPosition = " + position + "\n" +
           extra + Sheets(name + "Sheet", captions) + "    }\n";
}

std::string TabsFormText(const std::string& skinFile) {
    return R"(SkinForm : TSkinTestForm {
    Caption = "Tabs"
    ClientWidth = 560
    ClientHeight = 400
    Left = 120
    Top = 80
    BorderStyle = bsSingle
    SkinData1 : TSkinData {
        Active = True
        SkinFile = ")" +
           Escaped(skinFile) + "\"\n    }\n" +
           PageControl("TopPages", "tpTop", 8, 8, 200, 110,
                       {"General", "Layout", "Colours", "Fonts", "Keyboard", "Printing", "Advanced"}) +
           PageControl("BottomPages", "tpBottom", 216, 8, 260, 110, {"Files", "Folders", "Links"},
                       "        ActivePage = BottomPagesSheet2\n") +
           PageControl("LeftPages", "tpLeft", 8, 126, 200, 160, {"One", "Two", "Six"}) +
           PageControl("RightPages", "tpRight", 216, 126, 260, 160, {"North", "South", "East"}) +
           R"(    Tabs1 : TTabControl {
        Left = 8
        Top = 294
        Width = 200
        Height = 60
        Tabs = ("Day" "Week" "Month")
        TabIndex = 1
    }
    Notebook1 : TTabbedNotebook {
        Left = 216
        Top = 294
        Width = 260
        Height = 70
        NotebookPage1 : TTabPage {
            Caption = "Summary"
        }
        NotebookPage2 : TTabPage {
            Caption = "Notes"
        }
    }
    TabSet1 : TTabSet {
        Left = 8
        Top = 370
        Width = 200
        Height = 21
        Tabs = ("Sheet 1" "Sheet 2" "Sheet 3" "Sheet 4" "Sheet 5" "Sheet 6")
        TabIndex = 0
    }
    CheckBox1 : TCheckBox {
        Left = 216
        Top = 372
        Width = 120
        Height = 17
        Caption = "Wrap lines"
        State = cbChecked
    }
}
)";
}

class SkinTabsTest : public SkinFormTest {
  protected:
    TSkinTestForm* TabsForm() {
        TSkinTestForm* form = NewForm(TabsFormText(SkinFile(GetParam())));
        form->Show();
        SetForegroundWindow(form->Handle());
        EXPECT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "the form was not skinned";
        Settle();
        return form;
    }
    template <class T> static T* Control(gui::TForm* form, const char* name) {
        return dynamic_cast<T*>(form->FindComponent(name));
    }
    static skin::ISkinControlObject* ObjectFor(gui::TForm* form, HWND control) {
        return skin::FindControlObject(*skin::SkinManager->FindFormByWindow(form->Handle()), control);
    }
    // What the screen shows at a point of a window, after it has painted.
    skin::Pixel ShownAt(HWND window, POINT at) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        Settle(std::chrono::milliseconds(60));
        const POINT p = ScreenPoint(window, at.x, at.y);
        return RgbOf(Screenshot(RECT{p.x, p.y, p.x + 1, p.y + 1}).pixel(0, 0));
    }
    // Whether the tab's outer edge shows the selected (or the unselected) frame of the skin.
    bool ShowsFrame(HWND tabs, int index, int side, bool selected) {
        const TabMark mark = MarkOf(*skin_->Tabs);
        const skin::Pixel want = selected ? mark.Selected : mark.Normal;
        return Pump([&] { return ShownAt(tabs, MarkPoint(TabRect(tabs, index), side, mark.Row)) == want; },
                    std::chrono::milliseconds(1500));
    }
    TSkinData* skin_ = nullptr;
};

TEST_P(SkinTabsTest, PageControlsOnEverySideShowTheSkinsTabsAndClicksSelectTheirPages) {
    TSkinTestForm* form = TabsForm();
    skin_ = &Skin(form);
    ASSERT_NE(MarkOf(*skin_->Tabs).Row, -1) << "the skin's selected tab looks like the others";
    struct Side {
        const char* name;
        int side;
        int stored; // the page selected in the form data
    };
    for (const Side s : {Side{"TopPages", skin::kTabsTop, 0}, Side{"BottomPages", skin::kTabsBottom, 1},
                         Side{"LeftPages", skin::kTabsLeft, 0}, Side{"RightPages", skin::kTabsRight, 0}}) {
        auto* pages = Control<gui::TPageControl>(form, s.name);
        HWND window = pages->Handle();
        ASSERT_NE(dynamic_cast<skin::TSkinTab*>(ObjectFor(form, window)), nullptr) << s.name;
        EXPECT_EQ(pages->Pages().size(),
                  static_cast<std::size_t>(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0)));
        EXPECT_EQ(pages->ActivePageIndex(), s.stored) << s.name;
        EXPECT_TRUE(IsWindowVisible(pages->ActivePage()->Handle())) << s.name;
        EXPECT_TRUE(ShowsFrame(window, s.stored, s.side, true)) << s.name << ": the stored page is selected";
        EXPECT_TRUE(ShowsFrame(window, 1 - s.stored, s.side, false)) << s.name;

        int changes = 0;
        pages->OnChange = [&](rtl::TObject*) { ++changes; };
        ClickAt(ScreenPoint(window, Centre(TabRect(window, 2)).x, Centre(TabRect(window, 2)).y));
        EXPECT_TRUE(Pump([&] { return pages->ActivePageIndex() == 2; }))
            << s.name << ": clicked the third tab";
        EXPECT_EQ(changes, 1) << s.name;
        EXPECT_TRUE(IsWindowVisible(pages->Pages()[2]->Handle())) << s.name << ": its page is shown";
        EXPECT_FALSE(IsWindowVisible(pages->Pages()[0]->Handle())) << s.name;
        EXPECT_TRUE(ShowsFrame(window, 2, s.side, true)) << s.name << ": the clicked tab is the selected one";
        EXPECT_TRUE(ShowsFrame(window, 0, s.side, false)) << s.name;
    }
    HWND notebook = Control<gui::TTabbedNotebook>(form, "Notebook1")->Handle();
    HWND tabControl = Control<gui::TTabControl>(form, "Tabs1")->Handle();
    ASSERT_NE(dynamic_cast<skin::TSkinTab*>(ObjectFor(form, notebook)), nullptr);
    ASSERT_NE(dynamic_cast<skin::TSkinTab*>(ObjectFor(form, tabControl)), nullptr);
    EXPECT_TRUE(ShowsFrame(notebook, 0, skin::kTabsTop, true));
    EXPECT_TRUE(ShowsFrame(tabControl, 1, skin::kTabsTop, true)) << "the stored tab index";
    EXPECT_TRUE(ShowsFrame(tabControl, 0, skin::kTabsTop, false));
    SaveArtifact(ShowAndShoot(form->Handle()), std::string("tabs-") + GetParam() + ".bmp");
}

TEST_P(SkinTabsTest, ScrollArrowsOfAFullStripScrollItAndAreLeftOutOfTheSkinnedStrip) {
    TSkinTestForm* form = TabsForm();
    skin_ = &Skin(form);
    HWND window = Control<gui::TPageControl>(form, "TopPages")->Handle();
    HWND arrows = FindWindowExW(window, nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(arrows, nullptr) << "seven tabs do not fit in 200 pixels";
    ASSERT_TRUE(IsWindowVisible(arrows));
    auto* object = dynamic_cast<skin::TSkinTab*>(ObjectFor(form, window));
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->FindTabScroller());

    // The strip is copied around the arrows: a repaint of the tab window leaves them as they were.
    const RECT arrowRect = WindowRectOf(arrows);
    const skin::Bitmap before = Screenshot(arrowRect);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Settle(std::chrono::milliseconds(60));
    EXPECT_TRUE(Screenshot(arrowRect) == before) << "the skinned strip went over the scroll arrows";

    const int firstLeft = TabRect(window, 1).left;
    ClickAt(POINT{arrowRect.right - 4, (arrowRect.top + arrowRect.bottom) / 2});
    EXPECT_TRUE(Pump([&] { return TabRect(window, 1).left < firstLeft; }))
        << "the right arrow scrolls the strip";
    EXPECT_TRUE(ShowsFrame(window, 1, skin::kTabsTop, false)) << "the scrolled strip is skinned again";
    ClickAt(POINT{arrowRect.left + 4, (arrowRect.top + arrowRect.bottom) / 2});
    EXPECT_TRUE(Pump([&] { return TabRect(window, 1).left == firstLeft; }))
        << "the left arrow scrolls it back";
    EXPECT_TRUE(ShowsFrame(window, 0, skin::kTabsTop, true));
}

TEST_P(SkinTabsTest, TabSetShowsTheSkinsTabsUpsideDownAndItsScrollerMovesTheFirstTab) {
    TSkinTestForm* form = TabsForm();
    skin_ = &Skin(form);
    auto* tabSet = Control<gui::TTabSet>(form, "TabSet1");
    HWND window = tabSet->Handle();
    ASSERT_NE(dynamic_cast<skin::TSkinTab31*>(ObjectFor(form, window)), nullptr);
    const TabMark mark = MarkOf(*skin_->Tabs);
    // The tab set's tabs hang down: the skin image's outer row is the tab's bottom row.
    const auto shownOn = [&](int index) {
        for (const gui::TTabSetItem& item : tabSet->VisibleTabs()) {
            if (item.Index == index)
                return ShownAt(window, POINT{Centre(item.Rect).x, item.Rect.bottom - 1 - mark.Row});
        }
        return skin::Pixel{0xFFFFFFFFu};
    };
    EXPECT_TRUE(Pump([&] { return shownOn(0) == mark.Selected; })) << "the selected tab";
    EXPECT_EQ(shownOn(1), mark.Normal);

    HWND scroller = tabSet->Scroller().Handle();
    ASSERT_TRUE(IsWindowVisible(scroller)) << "six tabs do not fit in 200 pixels";
    const RECT arrows = WindowRectOf(scroller);
    ClickAt(POINT{arrows.right - 4, (arrows.top + arrows.bottom) / 2});
    EXPECT_TRUE(Pump([&] { return tabSet->FirstIndex() == 1; })) << "the scroller's right arrow";
    EXPECT_EQ(tabSet->VisibleTabs().front().Index, 1);
    EXPECT_TRUE(Pump([&] { return shownOn(1) == mark.Normal; }));

    int changes = 0;
    tabSet->OnChange = [&](rtl::TObject*) { ++changes; };
    const RECT second = tabSet->VisibleTabs()[1].Rect;
    ClickAt(ScreenPoint(window, Centre(second).x, Centre(second).y));
    EXPECT_TRUE(Pump([&] { return tabSet->TabIndex() == 2; })) << "a click selects the tab under the mouse";
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(Pump([&] { return shownOn(2) == mark.Selected; }));
    EXPECT_EQ(shownOn(1), mark.Normal);
}

TEST_P(SkinTabsTest, UnskinningGivesTabsTheirOwnLookAndPageSwitchingCyclesLeaveNoHandles) {
    TSkinTestForm* form = TabsForm();
    TSkinData& skin = Skin(form);
    skin_ = &skin;
    auto* pages = Control<gui::TPageControl>(form, "BottomPages");
    HWND window = pages->Handle();
    const TabMark mark = MarkOf(*skin.Tabs);
    ASSERT_TRUE(ShowsFrame(window, 1, skin::kTabsBottom, true));

    RunSkinAction(skin, skin::DeferredAction::Unskin);
    const skin::Pixel own = ShownAt(window, MarkPoint(TabRect(window, 1), skin::kTabsBottom, mark.Row));
    EXPECT_NE(own, mark.Selected) << "the control draws its own tabs again";
    RunSkinAction(skin, skin::DeferredAction::Skin);
    ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); }));
    ASSERT_TRUE(ShowsFrame(window, 1, skin::kTabsBottom, true));

    const gui::LiveHandleCounts before = gui::LiveHandles();
    auto* tabSet = Control<gui::TTabSet>(form, "TabSet1");
    for (int i = 0; i < 60; ++i) {
        pages->SetActivePageIndex(i % 3);
        tabSet->SetTabIndex(i % 6);
        RunSkinAction(skin, skin::DeferredAction::Unskin);
        RunSkinAction(skin, skin::DeferredAction::Skin);
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    pages->SetActivePageIndex(0);
    ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); }));
    EXPECT_TRUE(ShowsFrame(window, 0, skin::kTabsBottom, true)) << "skinned again after the cycles";
    EXPECT_EQ(gui::LiveHandles().Gdi, before.Gdi);
    EXPECT_EQ(gui::LiveHandles().User, before.User);
}

TEST_P(SkinTabsTest, ASkinWithoutAPageBorderLeavesTheTabsToTheControl) {
    TSkinTestForm* form = TabsForm();
    TSkinData& skin = Skin(form);
    skin_ = &skin;
    HWND window = Control<gui::TPageControl>(form, "TopPages")->Handle();
    ASSERT_TRUE(ShowsFrame(window, 0, skin::kTabsTop, true));
    const TabMark mark = MarkOf(*skin.Tabs);
    auto* object = dynamic_cast<skin::TSkinTab*>(ObjectFor(form, window));
    ASSERT_NE(object, nullptr);
    // The images of the skin before must not stay behind for one that has no page border.
    skin.Tabs->SecondImage = skin::Bitmap();
    object->SkinChanged();
    EXPECT_NE(ShownAt(window, MarkPoint(TabRect(window, 0), skin::kTabsTop, mark.Row)), mark.Selected);
}

TEST_P(SkinTabsTest, AnotherSkinFileRepaintsTabsTabSetAndCheckBoxWithItsImages) {
    TSkinTestForm* form = TabsForm();
    skin_ = &Skin(form);
    auto* tabSet = Control<gui::TTabSet>(form, "TabSet1");
    HWND pages = Control<gui::TPageControl>(form, "BottomPages")->Handle();
    HWND check = Control<gui::TWinControl>(form, "CheckBox1")->Handle();
    ASSERT_NE(dynamic_cast<skin::TSkinCheckBox*>(ObjectFor(form, check)), nullptr);
    const skin::Pixel before = MarkOf(*skin_->Tabs).Selected;

    const std::string other = std::string(GetParam()) == "default.skn" ? "dark.skn" : "default.skn";
    skin_->SetSkinFile(SkinFile(other));
    ASSERT_TRUE(Pump([&] { return MarkOf(*skin_->Tabs).Selected != before; }))
        << "the other skin was not read";
    Settle(std::chrono::milliseconds(600)); // the re-skin runs on the manager's timer
    const TabMark mark = MarkOf(*skin_->Tabs);
    EXPECT_TRUE(ShowsFrame(pages, 1, skin::kTabsBottom, true)) << "the page control";
    const gui::TTabSetItem first = tabSet->VisibleTabs().front();
    EXPECT_EQ(ShownAt(tabSet->Handle(), POINT{Centre(first.Rect).x, first.Rect.bottom - 1 - mark.Row}),
              mark.Selected)
        << "the tab set";
    const skin::Bitmap& glyph = skin_->Buttons->CheckButtonImage;
    const int frames = skin_->Buttons->CheckButtonFrame;
    const skin::Bitmap shot = ShotOf(check);
    const int left = std::max(skin::kGlyphColumn - glyph.width() / frames, 0) / 2;
    EXPECT_EQ(
        GlyphMismatches(shot, left, (shot.height() - glyph.height()) / 2, glyph, frames, skin::kGlyphChecked),
        0)
        << "the check box";
}

TEST_P(SkinTabsTest, ATabWindowMadeAgainForAnotherSideOrWrappingIsSkinnedAgain) {
    TSkinTestForm* form = TabsForm();
    skin_ = &Skin(form);
    auto* pages = Control<gui::TPageControl>(form, "LeftPages");
    ASSERT_TRUE(ShowsFrame(pages->Handle(), 0, skin::kTabsLeft, true));
    pages->SetTabPosition(gui::tpBottom);
    EXPECT_TRUE(Pump([&] {
        return dynamic_cast<skin::TSkinTab*>(ObjectFor(form, pages->Handle())) != nullptr;
    })) << "the new window has no skinning object";
    EXPECT_TRUE(ShowsFrame(pages->Handle(), 0, skin::kTabsBottom, true)) << "tabs at the bottom";
    EXPECT_TRUE(ShowsFrame(pages->Handle(), 1, skin::kTabsBottom, false));

    auto* tabs = Control<gui::TTabControl>(form, "Tabs1");
    tabs->SetMultiLine(true);
    EXPECT_TRUE(
        Pump([&] { return dynamic_cast<skin::TSkinTab*>(ObjectFor(form, tabs->Handle())) != nullptr; }));
    EXPECT_TRUE(ShowsFrame(tabs->Handle(), 1, skin::kTabsTop, true)) << "a wrapping strip";
}

// Pages and tabs of a page control follow its sheets, read from the form data or changed later.
class PageControlTest : public SkinFormTest {};

TEST_F(PageControlTest, TabsFollowTheSheetsAndTheStripMovesToAnotherSide) {
    gui::TForm* form = NewForm(R"(PageForm : TSkinTestForm {
    ClientWidth = 300
    ClientHeight = 200
    Pages : TPageControl {
        Left = 8
        Top = 8
        Width = 280
        Height = 180
        ActivePageIndex = 1
        Sheet1 : TTabSheet {
            Caption = "First"
        }
        Sheet2 : TTabSheet {
            Caption = "Second"
        }
        Sheet3 : TTabSheet {
            Caption = "Third"
        }
    }
}
)");
    form->Show();
    auto* pages = dynamic_cast<gui::TPageControl*>(form->FindComponent("Pages"));
    HWND window = pages->Handle();
    const auto tabText = [&](int index) {
        wchar_t text[80]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 80;
        SendMessageW(pages->Handle(), TCM_GETITEMW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
        return std::wstring(text);
    };
    EXPECT_EQ(tabText(2), L"Third");
    pages->Pages()[2]->SetCaption("Renamed");
    EXPECT_EQ(tabText(2), L"Renamed");
    delete form->FindComponent("Sheet1");
    EXPECT_EQ(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(tabText(0), L"Second");

    const RECT top = pages->DisplayRect();
    pages->SetTabPosition(gui::tpBottom);
    window = pages->Handle();
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & TCS_BOTTOM);
    EXPECT_EQ(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0), 2) << "the new window has the tabs again";
    const RECT bottom = pages->DisplayRect();
    EXPECT_LT(bottom.top, top.top) << "the strip left the top";
    const RECT shown = pages->ActivePage()->BoundsRect();
    EXPECT_EQ(shown.top, bottom.top) << "the page lies over the new display area";
    EXPECT_TRUE(IsWindowVisible(pages->ActivePage()->Handle()));
}

// The layout a tab set and its painter share: a tab too wide for what is left is skipped, the next one tried;
// the tabs follow the font they are shown in.
TEST(TabSetLayout, ATabThatDoesNotFitIsSkippedAndTheWidthsFollowTheFont) {
    gui::TTabSet tabSet(nullptr);
    tabSet.SetBounds(0, 0, 120, 21);
    tabSet.SetTabs({"One", "A caption far too wide for the strip", "Two"});
    const std::vector<gui::TTabSetItem> shown = tabSet.VisibleTabs();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].Index, 0);
    EXPECT_EQ(shown[1].Index, 2);
    EXPECT_EQ(shown[1].Rect.left, shown[0].Rect.right) << "side by side";
    EXPECT_EQ(shown[0].Rect.left, tabSet.StartMargin());

    // The font grown (by the program, or a scaling): the tabs are measured again in it.
    tabSet.FontForStorage()->SetHeight(tabSet.EffectiveFont()->Height() * 2);
    const std::vector<gui::TTabSetItem> larger = tabSet.VisibleTabs();
    ASSERT_FALSE(larger.empty());
    EXPECT_GT(larger[0].Rect.right - larger[0].Rect.left, shown[0].Rect.right - shown[0].Rect.left)
        << "laid out with the old font's widths";
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinTabsTest, ::testing::Values("default.skn", "dark.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });

} // namespace
