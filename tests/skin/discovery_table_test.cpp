// The decision list's rows: what a framework form's component gets, by its class, family, tag and style and
// by the control kinds the skin switches on. Each case is one the order of the rows decides.
#include "skin/form/control_discovery.h"
#include "skin/form/discovery_table.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

using skin::TDiscoveryAction;
using Action = TDiscoveryAction;

struct Component {
    std::string ClassName;
    std::vector<std::string> Ancestry; // the classes it derives from, its own included
    std::optional<gui::TControlFamily> Family = std::nullopt;
    int Tag = 0;
    bool ScrollStyles = false;
    std::string Kind = "";
};

struct Skin {
    std::vector<skin::TSkinControlType> Off; // control kinds switched off
    bool Tabs = true;
};

skin::TDiscoveryFacts FactsOf(const Component& c, const Skin& s) {
    skin::TDiscoveryFacts facts;
    facts.ClassName = c.ClassName;
    std::transform(facts.ClassName.begin(), facts.ClassName.end(), facts.ClassName.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    facts.Tag = c.Tag;
    facts.IsA = [&c](std::initializer_list<const char*> names) {
        return std::any_of(names.begin(), names.end(), [&](const char* name) {
            return std::find(c.Ancestry.begin(), c.Ancestry.end(), name) != c.Ancestry.end();
        });
    };
    facts.IsOfFamily = [&c](gui::TControlFamily family) { return c.Family == family; };
    facts.HasScrollBars = [&c] { return c.ScrollStyles; };
    facts.PropertyText = [&c](const char* name) {
        return std::string(name) == "Kind" ? c.Kind : std::string();
    };
    facts.SkinsKind = [&s](skin::TSkinControlType kind) {
        return std::find(s.Off.begin(), s.Off.end(), kind) == s.Off.end();
    };
    facts.SkinHasTabs = s.Tabs;
    return facts;
}

// The decision when the Skin3rd list does not name the class.
Action Decide(const Component& c, const Skin& s = {}) {
    const skin::TDiscoveryFacts facts = FactsOf(c, s);
    skin::TDiscoveryDecision decision = skin::DecideSkinning(facts);
    if (decision.Action == Action::AskSkin3rd) decision = skin::DecideSkinning(facts, decision.Row + 1);
    return decision.Action;
}

struct Case {
    const char* what;
    Component component;
    Skin skin;
    Action expected;
};

TEST(DiscoveryTable, EachComponentGetsTheFirstRowThatRecognisesIt) {
    using gui::TControlFamily;
    const std::vector<Case> cases = {
        {"a tool bar by its own name turns flat, whatever the skin",
         {"TToolBar", {"TToolBar"}},
         {{skin::xcToolbar}},
         Action::FlatToolBar},
        {"a tool bar of another name gets a box", {"TMyBar", {"TMyBar", "TToolBar"}}, {}, Action::ToolBar},
        {"... unless tool bars are off",
         {"TMyBar", {"TMyBar", "TToolBar"}},
         {{skin::xcToolbar}},
         Action::LeaveAlone},
        {"a view of another library stays as it is",
         {"TDBComboBoxEh", {"TDBComboBoxEh", "TCustomComboBox"}},
         {},
         Action::LeaveAlone},
        {"a page control gets the skin's tabs",
         {"TPageControl", {"TPageControl"}, TControlFamily::PageControl},
         {},
         Action::TabWindow},
        {"another page control class does not",
         {"TOtherPages", {"TOtherPages"}, TControlFamily::PageControl},
         {},
         Action::LeaveAlone},
        {"without a tab image the page control is left to the later rows",
         {"TPageControl", {"TPageControl"}, TControlFamily::PageControl, 0, true},
         {{}, false},
         Action::WindowScrollBars},
        {"a track bar needs buttons on",
         {"TTrackBar", {"TTrackBar"}},
         {{skin::xcButton}},
         Action::LeaveAlone},
        {"a bit button is not a plain button", {"TBitBtn", {"TBitBtn", "TButton"}}, {}, Action::BitButton},
        {"... not even when bit buttons are off",
         {"TBitBtn", {"TBitBtn", "TButton"}},
         {{skin::xcBitBtn}},
         Action::LeaveAlone},
        {"tag 95 makes a combo box of a button",
         {"TButton", {"TButton"}, std::nullopt, skin::kTagCombo},
         {},
         Action::ComboBox},
        {"tag 97 makes an edit of any window",
         {"TThing", {"TThing"}, std::nullopt, skin::kTagEdit},
         {},
         Action::Edit},
        {"tag 96 gives any window skinned scroll bars",
         {"TThing", {"TThing"}, std::nullopt, skin::kTagScrolling},
         {},
         Action::WindowScrollBars},
        {"a time picker is an edit",
         {"TDateTimePicker", {"TDateTimePicker"}, std::nullopt, 0, false, "dtkTime"},
         {},
         Action::TimeEdit},
        {"a date picker is a combo box",
         {"TDateTimePicker", {"TDateTimePicker"}, std::nullopt, 0, false, "dtkDate"},
         {},
         Action::DateCombo},
        {"pickers need edits on",
         {"TDateTimePicker", {"TDateTimePicker"}, std::nullopt, 0, false, "dtkTime"},
         {{skin::xcEdit}},
         Action::LeaveAlone},
        {"a rich edit's bars by its name, before the memo row",
         {"TRichEdit", {"TRichEdit", "TCustomMemo", "TCustomEdit"}},
         {},
         Action::WindowScrollBars},
        {"a memo's bars take the face colour",
         {"TMemo", {"TMemo", "TCustomMemo", "TCustomEdit"}},
         {},
         Action::MemoScrollBars},
        {"without skinned scroll bars a memo is an edit",
         {"TMemo", {"TMemo", "TCustomMemo", "TCustomEdit"}},
         {{skin::xcScrollbar}},
         Action::Edit},
        {"a grid of another library drags its own thumb",
         {"TdxDBGrid", {"TdxDBGrid"}},
         {},
         Action::ScrollBarsNoDrag},
        {"a scrolling scroll box: bars and its controls",
         {"TScrollBox", {"TScrollBox"}, std::nullopt, 0, true},
         {},
         Action::ScrollingContainer},
        {"a scroll box that does not scroll: its controls",
         {"TScrollBox", {"TScrollBox"}},
         {},
         Action::SkinChildren},
        {"a radio group is no group box",
         {"TRadioGroup", {"TRadioGroup", "TCustomGroupBox"}},
         {},
         Action::RadioGroup},
        {"... also when radio buttons are off",
         {"TRadioGroup", {"TRadioGroup", "TCustomGroupBox"}},
         {{skin::xcRadioButton}},
         Action::LeaveAlone},
        {"a status bar needs status bars on",
         {"TStatusBar", {"TStatusBar"}},
         {{skin::xcStatusBar}},
         Action::LeaveAlone},
        {"a header control gets its own object", {"THeaderControl", {"THeaderControl"}}, {}, Action::Header},
        {"a form takes the face colour", {"TForm", {"TForm", "TCustomForm"}}, {}, Action::Form},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Decide(c.component, c.skin), c.expected) << c.what;
}

TEST(DiscoveryTable, TheSkin3rdListIsAskedAfterThePageControlsAndBeforeEverythingElse) {
    const Component tabs{"TPageControl", {"TPageControl"}, gui::TControlFamily::PageControl};
    EXPECT_EQ(skin::DecideSkinning(FactsOf(tabs, {})).Action, Action::TabWindow);
    const skin::TDiscoveryDecision button = skin::DecideSkinning(FactsOf({"TButton", {"TButton"}}, {}));
    EXPECT_EQ(button.Action, Action::AskSkin3rd);
    const skin::TDiscoveryDecision toolBar = skin::DecideSkinning(FactsOf({"TToolBar", {"TToolBar"}}, {}));
    EXPECT_EQ(toolBar.Action, Action::FlatToolBar) << "the tool bar's own row comes first";
    EXPECT_LT(toolBar.Row, button.Row);
}

} // namespace
