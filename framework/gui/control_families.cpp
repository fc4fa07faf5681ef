#include "framework/gui/control_families.h"

#include "framework/gui/bit_btn.h"
#include "framework/gui/check_box.h"
#include "framework/gui/combo_box.h"
#include "framework/gui/date_time_picker.h"
#include "framework/gui/edit.h"
#include "framework/gui/form.h"
#include "framework/gui/group_box.h"
#include "framework/gui/header_control.h"
#include "framework/gui/list_box.h"
#include "framework/gui/list_view.h"
#include "framework/gui/memo.h"
#include "framework/gui/page_control.h"
#include "framework/gui/panel.h"
#include "framework/gui/progress_bar.h"
#include "framework/gui/radio_button.h"
#include "framework/gui/rich_edit.h"
#include "framework/gui/scroll_bar.h"
#include "framework/gui/scroll_box.h"
#include "framework/gui/speed_button.h"
#include "framework/gui/status_bar.h"
#include "framework/gui/tool_bar.h"

namespace gui {

const std::vector<TControlFamilyEntry>& ControlFamilies() {
    using F = TControlFamily;
    static const std::vector<TControlFamilyEntry> families{
        {F::PageControl, "page control", &TPageControl::StaticClassInfo()},
        {F::TabControl, "tab control", &TCustomTabControl::StaticClassInfo()},
        {F::CheckBox, "check box", &TCheckBox::StaticClassInfo()},
        {F::RadioGroup, "radio group", &TRadioGroup::StaticClassInfo()},
        {F::Panel, "panel", &TPanel::StaticClassInfo()},
        {F::RadioButton, "radio button", &TRadioButton::StaticClassInfo()},
        {F::ToolBar, "tool bar", &TToolBar::StaticClassInfo()},
        {F::StatusBar, "status bar", &TStatusBar::StaticClassInfo()},
        {F::ProgressBar, "progress bar", &TProgressBar::StaticClassInfo()},
        {F::ScrollBar, "scroll bar control", &TScrollBar::StaticClassInfo()},
        {F::ComboBox, "combo box", &TComboBox::StaticClassInfo()},
        {F::DateTimePicker, "date and time picker", &TDateTimePicker::StaticClassInfo()},
        {F::BitmapButton, "bitmap button", &TBitBtn::StaticClassInfo()},
        {F::SpeedButton, "speed button", &TSpeedButton::StaticClassInfo()},
        {F::GroupBox, "group box", &TGroupBox::StaticClassInfo()},
        {F::ListView, "list view", &TListView::StaticClassInfo()},
        {F::ListBox, "list box", &TListBox::StaticClassInfo()},
        {F::Memo, "memo", &TMemo::StaticClassInfo()},
        {F::Button, "button", &TButton::StaticClassInfo()},
        {F::CustomEdit, "edit", &TCustomEdit::StaticClassInfo()},
        {F::Container, "container", &TScrollBox::StaticClassInfo()},
        {F::Form, "form", &TCustomForm::StaticClassInfo()},
        {F::HeaderControl, "header control", &THeaderControl::StaticClassInfo()},
        {F::RichEdit, "rich edit", &TRichEdit::StaticClassInfo()},
    };
    return families;
}

const rtl::TClassInfo* FamilyClass(TControlFamily family) {
    return ControlFamilies()[static_cast<std::size_t>(family)].Class;
}

bool IsOfFamily(const rtl::TPersistent& object, TControlFamily family) {
    const rtl::TClassInfo* base = FamilyClass(family);
    return base && object.ClassInfo().InheritsFrom(*base);
}

} // namespace gui
