// The control families a skinning engine tells apart, each with the framework class that stands for it: a
// control belongs to a family when its class is that class or derives from it. A family without a class
// here has no control in the framework yet, so no control belongs to it.
#pragma once

#include "framework/rtl/component.h"

#include <string_view>
#include <vector>

namespace gui {

enum class TControlFamily {
    PageControl,
    TabControl,
    CheckBox,
    RadioGroup,
    Panel,
    RadioButton,
    ToolBar,
    StatusBar,
    ProgressBar,
    ScrollBar, // the stand-alone scroll bar control
    ComboBox,
    DateTimePicker,
    BitmapButton,
    SpeedButton,
    GroupBox,
    ListView,
    ListBox,
    Memo,
    Button,
    CustomEdit,
    Container, // controls that own the controls they hold
    Form,
    HeaderControl,
    RichEdit,
};

struct TControlFamilyEntry {
    TControlFamily Family;
    std::string_view Description;
    const rtl::TClassInfo* Class; // null: no framework class of this family
};

// Every family, in the order of the enumeration.
const std::vector<TControlFamilyEntry>& ControlFamilies();
// The framework class of a family, or null.
const rtl::TClassInfo* FamilyClass(TControlFamily family);
// Whether object is of the family's class or derived from it.
bool IsOfFamily(const rtl::TPersistent& object, TControlFamily family);

} // namespace gui
