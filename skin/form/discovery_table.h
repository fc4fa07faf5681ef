// The decision list for a framework form's components as a table: each row recognises a component by its
// class name, the classes it derives from, its family, its tag or its style, and names what the control
// discovery does with it. The first row that recognises the component decides; a row may also ask that the
// skin switch a control kind on before anything is attached. The table only decides: attaching the
// objects is the control discovery's (control_discovery.cpp).
#pragma once

#include "framework/gui/control_families.h"
#include "skin/component/skin_data.h"

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>

namespace skin {

// What the rows look at in one component (asked only when a row needs it) and in the skin.
struct TDiscoveryFacts {
    std::string ClassName;                                                  // upper case
    int Tag = 0;                                                            // modulo 100
    std::function<bool(std::initializer_list<const char*> classNames)> IsA; // derives from one of them
    std::function<bool(gui::TControlFamily family)> IsOfFamily;
    std::function<bool()> HasScrollBars;                       // its window has scroll bar styles
    std::function<std::string(const char* name)> PropertyText; // a published property's value as text
    std::function<bool(TSkinControlType kind)> SkinsKind;      // the skin's SkinControls switch for a kind
    bool SkinHasTabs = false;                                  // the skin has a tab image
};

// What the control discovery does with a recognised component.
enum class TDiscoveryAction {
    LeaveAlone,
    AskSkin3rd,         // the Skin3rd list decides; when it does not name the class, the rows after this one
    FlatToolBar,        // flat, in the skin's face colour
    TabWindow,          // TSkinTab on the control's window
    TabSet,             // TSkinTab31
    SkinChildren,       // nothing for the container itself; its own components go through the list
    CheckBox,           // TSkinCheckBox
    TrackBar,           // TSkinTrackBar
    UpDown,             // TSkinUpDown
    RadioGroup,         // TSkinBox, and a TSkinRadioButton for each of its buttons
    Navigator,          // flat, with a TSkinBox
    Panel,              // TSkinBox, its children's parent colour off, its components through the list
    RadioButton,        // TSkinRadioButton
    ToolBar,            // flat, with a TSkinBox
    StatusBar,          // TSkinStatusBar
    ProgressBar,        // TSkinProgress
    ScrollBarControl,   // TSkinScControl
    ComboBox,           // TSkinComBox
    TimeEdit,           // TSkinEdit by the control's message method
    DateCombo,          // TSkinComBox
    WindowScrollBars,   // TSkinScrollBar on the window's scroll bars, with the thumb dragged by the skin
    ScrollBarsNoDrag,   // the same, the thumb dragged by the control
    BitButton,          // TSkinBitButton
    SpeedButton,        // TSkinSpeedButton on the parent's canvas
    GroupBox,           // TSkinBox, its components through the list
    ListView,           // TSkinListView
    MemoScrollBars,     // window scroll bars in the face colour
    ScrollingContainer, // window scroll bars, its components through the list
    Header,             // TSkinHeader on the control's window
    Button,             // TSkinButton
    Edit,               // TSkinEdit on the control's window
    Form,               // the skin's face colour, its components through the list
};

struct TDiscoveryDecision {
    TDiscoveryAction Action = TDiscoveryAction::LeaveAlone;
    std::size_t Row = 0; // the row that decided; the number of rows when none did
};

// The first row from firstRow on that recognises the component. A row whose control kind the skin has
// switched off decides all the same: the component is then left alone.
TDiscoveryDecision DecideSkinning(const TDiscoveryFacts& facts, std::size_t firstRow = 0);

} // namespace skin
