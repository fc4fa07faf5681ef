#include "skin/form/discovery_table.h"

#include "skin/form/control_discovery.h"

#include <algorithm>
#include <iterator>

namespace skin {
namespace {

using Facts = TDiscoveryFacts;
using Action = TDiscoveryAction;

// A row: recognised when Recognises says so; then Action, when the skin switches Kind on (or no kind is
// named), and nothing otherwise.
struct TDiscoveryRow {
    bool (*Recognises)(const Facts&);
    bool HasKind;
    TSkinControlType Kind;
    Action Then;
};

constexpr TDiscoveryRow Always(bool (*recognises)(const Facts&), Action then) {
    return {recognises, false, xcMainMenu, then};
}
constexpr TDiscoveryRow IfSkinned(bool (*recognises)(const Facts&), TSkinControlType kind, Action then) {
    return {recognises, true, kind, then};
}

bool Named(const Facts& f, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* name) { return f.ClassName == name; });
}
bool Tabs(const Facts& f) {
    return f.SkinsKind(xcTab) && f.SkinHasTabs;
}
bool ScrollBars(const Facts& f) {
    return f.SkinsKind(xcScrollbar);
}
bool ScrollingByTagOrStyle(const Facts& f) {
    return ScrollBars(f) && (f.Tag == kTagScrolling || f.HasScrollBars());
}

// The rows, in the order they are tried.
constexpr TDiscoveryRow kRows[] = {
    // Views of other libraries that draw themselves.
    Always(
        [](const Facts& f) {
            return Named(f, {"TDBCOMBOBOXEH", "TQRPREVIEW", "TFRDESIGNERPAGE", "TFRPBOX"});
        },
        Action::LeaveAlone),
    Always([](const Facts& f) { return Named(f, {"TTOOLBAR"}); }, Action::FlatToolBar),
    // Page controls of any kind are the skin's tabs' or left alone.
    Always(
        [](const Facts& f) {
            return Tabs(f) && f.IsOfFamily(gui::TControlFamily::PageControl) && f.IsA({"TPageControl"});
        },
        Action::TabWindow),
    Always([](const Facts& f) { return Tabs(f) && f.IsOfFamily(gui::TControlFamily::PageControl); },
           Action::LeaveAlone),
    Always([](const Facts&) { return true; }, Action::AskSkin3rd),
    Always([](const Facts& f) { return Tabs(f) && Named(f, {"TTABSET"}); }, Action::TabSet),
    Always([](const Facts& f) { return Tabs(f) && Named(f, {"TTABBEDNOTEBOOK"}); }, Action::TabWindow),
    Always([](const Facts& f) { return Named(f, {"TMVCPANEL"}); }, Action::SkinChildren),
    Always(
        [](const Facts& f) {
            return Tabs(f) && f.IsOfFamily(gui::TControlFamily::TabControl) && f.IsA({"TTabControl"});
        },
        Action::TabWindow),
    Always([](const Facts& f) { return Tabs(f) && f.IsOfFamily(gui::TControlFamily::TabControl); },
           Action::LeaveAlone),
    IfSkinned(
        [](const Facts& f) {
            return f.IsA({"TCustomCheckBox", "TCheckBox"});
        },
        xcCheckBox, Action::CheckBox),
    Always([](const Facts& f) { return f.SkinsKind(xcButton) && Named(f, {"TTRACKBAR"}); }, Action::TrackBar),
    Always([](const Facts& f) { return f.SkinsKind(xcButton) && Named(f, {"TUPDOWN"}); }, Action::UpDown),
    IfSkinned(
        [](const Facts& f) {
            return f.IsA({"TCustomRadioGroup", "TRadioGroup"});
        },
        xcRadioButton, Action::RadioGroup),
    IfSkinned([](const Facts& f) { return Named(f, {"TDBNAVIGATOR"}); }, xcPanel, Action::Navigator),
    IfSkinned(
        [](const Facts& f) {
            return f.IsA({"TCustomPanel", "TPanel"});
        },
        xcPanel, Action::Panel),
    IfSkinned([](const Facts& f) { return f.IsA({"TRadioButton"}); }, xcRadioButton, Action::RadioButton),
    IfSkinned([](const Facts& f) { return f.IsA({"TToolBar"}); }, xcToolbar, Action::ToolBar),
    // The status bar keeps its grip style: the skin draws the grip in its place, and the grip still sizes
    // the window.
    Always([](const Facts& f) { return f.SkinsKind(xcStatusBar) && f.IsA({"TStatusBar"}); },
           Action::StatusBar),
    Always([](const Facts& f) { return f.SkinsKind(xcProgress) && f.IsA({"TProgressBar"}); },
           Action::ProgressBar),
    Always([](const Facts& f) { return ScrollBars(f) && f.IsA({"TScrollBar"}); }, Action::ScrollBarControl),
    IfSkinned(
        [](const Facts& f) {
            return f.IsA({"TCustomComboBox", "TComboBox"}) || f.Tag == kTagCombo;
        },
        xcCombo, Action::ComboBox),
    // A time picker is an edit box; a date picker drops a calendar down like a combo box.
    IfSkinned(
        [](const Facts& f) { return Named(f, {"TDATETIMEPICKER"}) && f.PropertyText("Kind") == "dtkTime"; },
        xcEdit, Action::TimeEdit),
    IfSkinned([](const Facts& f) { return Named(f, {"TDATETIMEPICKER"}); }, xcEdit, Action::DateCombo),
    Always(
        [](const Facts& f) {
            return ScrollBars(f) && Named(f, {"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"});
        },
        Action::WindowScrollBars),
    IfSkinned([](const Facts& f) { return f.IsA({"TBitBtn"}); }, xcBitBtn, Action::BitButton),
    IfSkinned([](const Facts& f) { return f.IsA({"TSpeedButton"}); }, xcSpeedButton, Action::SpeedButton),
    IfSkinned(
        [](const Facts& f) {
            return f.IsA({"TCustomGroupBox", "TGroupBox"});
        },
        xcPanel, Action::GroupBox),
    // Grids and tree lists of other libraries drag their thumbs themselves.
    Always(
        [](const Facts& f) {
            return ScrollBars(f) && Named(f, {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"});
        },
        Action::ScrollBarsNoDrag),
    Always(
        [](const Facts& f) {
            return ScrollBars(f) && f.IsA({"TCustomListView", "TListView"});
        },
        Action::ListView),
    Always(
        [](const Facts& f) {
            return ScrollBars(f) && f.IsA({"TCustomListBox", "TListBox"});
        },
        Action::WindowScrollBars),
    Always(
        [](const Facts& f) {
            return ScrollBars(f) && f.IsA({"TCustomMemo", "TMemo"});
        },
        Action::MemoScrollBars),
    // A scrolling container's controls are skinned too, as any container's.
    Always(
        [](const Facts& f) {
            return ScrollingByTagOrStyle(f) && f.IsA({"TScrollBox", "TFrame"});
        },
        Action::ScrollingContainer),
    Always(&ScrollingByTagOrStyle, Action::WindowScrollBars),
    Always([](const Facts& f) { return ScrollBars(f) && f.IsA({"THeaderControl"}); }, Action::Header),
    IfSkinned([](const Facts& f) { return f.IsA({"TButton"}); }, xcButton, Action::Button),
    // Edit boxes: TEdit, TMemo and any other TCustomEdit.
    IfSkinned([](const Facts& f) { return f.IsA({"TCustomEdit"}) || f.Tag == kTagEdit; }, xcEdit,
              Action::Edit),
    Always(
        [](const Facts& f) {
            return f.IsA({"TScrollBox", "TFrame"});
        },
        Action::SkinChildren),
    Always(
        [](const Facts& f) {
            return f.IsA({"TCustomForm", "TForm"});
        },
        Action::Form),
};

} // namespace

TDiscoveryDecision DecideSkinning(const TDiscoveryFacts& facts, std::size_t firstRow) {
    constexpr std::size_t kRowCount = std::size(kRows);
    for (std::size_t row = firstRow; row < kRowCount; ++row) {
        const TDiscoveryRow& rule = kRows[row];
        if (!rule.Recognises(facts)) continue;
        const bool skinned = !rule.HasKind || facts.SkinsKind(rule.Kind);
        return {skinned ? rule.Then : Action::LeaveAlone, row};
    }
    return {Action::LeaveAlone, kRowCount};
}

} // namespace skin
