#include "skin/form/control_discovery.h"

#include "framework/gui/control.h"
#include "framework/gui/control_families.h"
#include "framework/gui/wide.h"
#include "skin/component/skin_data.h"
#include "skin/controls/skin_box.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_check.h"
#include "skin/controls/skin_combo.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_header.h"
#include "skin/controls/skin_list_view.h"
#include "skin/controls/skin_progress.h"
#include "skin/controls/skin_sc_control.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/controls/skin_sizer.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/controls/skin_tab.h"
#include "skin/controls/skin_tab31.h"
#include "skin/controls/skin_track_bar.h"
#include "skin/controls/skin_up_down.h"
#include "skin/diagnostics.h"
#include "skin/form/discovery_table.h"
#include "skin/form/skin_form.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace skin {
namespace {

constexpr int kClassNameChars = 100;
constexpr std::size_t kSkin3rdKindChars = 50;

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool IsA(const rtl::TComponent& component, std::initializer_list<const char*> classNames) {
    return std::any_of(classNames.begin(), classNames.end(),
                       [&](const char* name) { return component.InheritsFrom(name); });
}

bool Gate(const TWinSkinForm& formObject, TSkinControlType type) {
    return formObject.Skin()->HasSkinControl(type);
}

bool HasTabs(const TWinSkinForm& formObject) {
    return formObject.Skin()->Tabs != nullptr;
}

std::string PropertyText(const rtl::TComponent& component, const std::string& name) {
    const rtl::TPropInfo* property = component.ClassInfo().FindProperty(name);
    return property && property->GetText ? property->GetText(component) : std::string();
}

// A new object of class T, owned by the form object, attached to a framework control through its message
// method (it registers itself).
template <class T> void AttachNew(TWinSkinForm& formObject, rtl::TComponent& component, bool useSkinColour) {
    auto* control = dynamic_cast<gui::TWinControl*>(&component);
    if (!control) return;
    auto* object = new T(&formObject);
    object->Attach(*control, *formObject.Skin(), useSkinColour, formObject.ControlCanvas());
}

// A new object of class T attached to a window through its procedure, then listed.
template <class T> void AttachToWindow(TWinSkinForm& formObject, HWND window) {
    auto* object = new T(&formObject);
    RegisterControlObject(formObject, object);
    object->AttachHandle(window, *formObject.Skin(), formObject.ControlCanvas());
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

template <class T> void AttachToWindowOf(TWinSkinForm& formObject, rtl::TComponent& component) {
    if (auto* control = dynamic_cast<gui::TWinControl*>(&component))
        AttachToWindow<T>(formObject, control->Handle());
}

// The window scroll bars of a scrolling control painted by a new scroll bar object (it registers itself).
TSkinScrollBar* AttachBars(TWinSkinForm& formObject, rtl::TComponent& component, bool handleDrag) {
    auto* control = dynamic_cast<gui::TWinControl*>(&component);
    if (!control) return nullptr;
    auto* object = new TSkinScrollBar(&formObject);
    object->AttachScrollBars(*control, *formObject.Skin(), handleDrag, formObject.ControlCanvas());
    return object;
}

// The children of a group: parent colour off, each with a glyph button object of class T.
template <class T> void SkinGroupChildren(TWinSkinForm& formObject, rtl::TComponent& group) {
    auto* container = dynamic_cast<gui::TWinControl*>(&group);
    if (!container) return;
    for (gui::TControl* child : container->Controls()) {
        rtl::SetEnumProperty(*child, "ParentColor", "False");
        AttachNew<T>(formObject, *child, true);
    }
}

void SkinParentColourOff(gui::TWinControl& container) {
    for (gui::TControl* child : container.Controls())
        rtl::SetEnumProperty(*child, "ParentColor", "False");
}

void SetColour(rtl::TComponent& component, gui::TColor colour) {
    if (auto* control = dynamic_cast<gui::TControl*>(&component)) control->SetColor(colour);
}

// What the decision list may ask of component, on the skin of formObject.
TDiscoveryFacts FactsOf(const TWinSkinForm& formObject, rtl::TComponent& component, const std::string& n,
                        int t) {
    TDiscoveryFacts facts;
    facts.ClassName = n;
    facts.Tag = t;
    facts.IsA = [&component](std::initializer_list<const char*> classNames) {
        return IsA(component, classNames);
    };
    facts.IsOfFamily = [&component](gui::TControlFamily family) {
        return gui::IsOfFamily(component, family);
    };
    facts.HasScrollBars = [&component] { return HasScrollBars(component); };
    facts.PropertyText = [&component](const char* name) { return PropertyText(component, name); };
    facts.SkinsKind = [&formObject](TSkinControlType kind) { return Gate(formObject, kind); };
    facts.SkinHasTabs = HasTabs(formObject);
    return facts;
}

// Attaches what the decision list chose for component.
void ApplyDecision(TWinSkinForm& formObject, rtl::TComponent& component, TDiscoveryAction action) {
    TSkinData& skin = *formObject.Skin();
    using Action = TDiscoveryAction;
    switch (action) {
    case Action::LeaveAlone:
    case Action::AskSkin3rd:
        return;
    case Action::FlatToolBar:
        rtl::SetEnumProperty(component, "Flat", "True");
        return SetColour(component, skin.ButtonFaceColour);
    case Action::TabWindow:
        return AttachToWindowOf<TSkinTab>(formObject, component);
    case Action::TabSet:
        return AttachNew<TSkinTab31>(formObject, component, false);
    case Action::SkinChildren:
        return SkinFormControls(formObject, component);
    case Action::CheckBox:
        return AttachNew<TSkinCheckBox>(formObject, component, true);
    case Action::TrackBar:
        return AttachNew<TSkinTrackBar>(formObject, component, false);
    case Action::UpDown:
        return AttachNew<TSkinUpDown>(formObject, component, false);
    case Action::RadioGroup:
        SkinGroupChildren<TSkinRadioButton>(formObject, component);
        return AttachNew<TSkinBox>(formObject, component, true);
    case Action::Navigator:
    case Action::ToolBar:
        rtl::SetEnumProperty(component, "Flat", "True");
        return AttachNew<TSkinBox>(formObject, component, true);
    case Action::Panel:
        if (auto* panel = dynamic_cast<gui::TWinControl*>(&component)) SkinParentColourOff(*panel);
        AttachNew<TSkinBox>(formObject, component, true);
        return SkinFormControls(formObject, component);
    case Action::RadioButton:
        return AttachNew<TSkinRadioButton>(formObject, component, true);
    case Action::StatusBar:
        return AttachNew<TSkinStatusBar>(formObject, component, false);
    case Action::ProgressBar:
        return AttachNew<TSkinProgress>(formObject, component, false);
    case Action::ScrollBarControl:
        return AttachNew<TSkinScControl>(formObject, component, false);
    case Action::ComboBox:
    case Action::DateCombo:
        return AttachNew<TSkinComBox>(formObject, component, false);
    case Action::TimeEdit:
        return AttachNew<TSkinEdit>(formObject, component, false);
    case Action::WindowScrollBars:
        AttachBars(formObject, component, true);
        return;
    case Action::ScrollBarsNoDrag:
        AttachBars(formObject, component, false);
        return;
    case Action::BitButton:
        return AttachNew<TSkinBitButton>(formObject, component, false);
    case Action::SpeedButton:
        if (auto* control = dynamic_cast<gui::TControl*>(&component)) {
            auto* object = new TSkinSpeedButton(&formObject);
            object->AttachGraphic(*control, skin, formObject.ControlCanvas());
        }
        return;
    case Action::GroupBox:
        AttachNew<TSkinBox>(formObject, component, true);
        return SkinFormControls(formObject, component);
    case Action::ListView:
        return AttachNew<TSkinListView>(formObject, component, false);
    case Action::MemoScrollBars:
        if (TSkinScrollBar* object = AttachBars(formObject, component, true)) object->TakeFaceColour();
        return;
    case Action::ScrollingContainer:
        AttachBars(formObject, component, true);
        return SkinFormControls(formObject, component);
    case Action::Header:
        return AttachToWindowOf<TSkinHeader>(formObject, component);
    case Action::Button:
        return AttachNew<TSkinButton>(formObject, component, false);
    case Action::Edit:
        return AttachToWindowOf<TSkinEdit>(formObject, component);
    case Action::Form:
        SetColour(component, skin.ButtonFaceColour);
        return SkinFormControls(formObject, component);
    }
}

// The decision list after the OnSkinControl event, for one component (discovery_table.cpp holds its rows).
void MapByClass(TWinSkinForm& formObject, rtl::TComponent& component, const std::string& n, int t) {
    const TDiscoveryFacts facts = FactsOf(formObject, component, n, t);
    TDiscoveryDecision decision = DecideSkinning(facts);
    if (decision.Action == TDiscoveryAction::AskSkin3rd) {
        if (MapBySkin3rd(formObject, n, component)) return;
        decision = DecideSkinning(facts, decision.Row + 1);
    }
    ApplyDecision(formObject, component, decision.Action);
}

bool HandledBySkinControlEvent(TWinSkinForm& formObject, rtl::TComponent& container,
                               rtl::TComponent& component, const std::string& n) {
    TSkinData& skin = *formObject.Skin();
    // The event is the component's own; the skin handed to it is the one for the window's DPI.
    const TSkinControlEvent& onSkinControl = skin.Source().OnSkinControl;
    if (!onSkinControl) return false;
    rtl::TComponent* skinned = nullptr;
    {
        const TFocusSnapshot::SetAside handlerMayMoveFocus;
        onSkinControl(&formObject, &skin, dynamic_cast<gui::TControl*>(&container),
                      dynamic_cast<gui::TControl*>(&component), n, skinned);
    }
    auto* object = dynamic_cast<TSkinControl*>(skinned);
    if (!object) return false;
    auto* control = dynamic_cast<gui::TWinControl*>(&component);
    if (!RegisterControlObject(formObject, object) && control) {
        object->Attach(*control, skin, object->UseSkinColour, formObject.ControlCanvas());
        if (IsA(component, {"TScrollBox", "TFrame"})) SkinFormControls(formObject, component);
    }
    return true;
}

bool NeedsSkinning(const TWinSkinForm& formObject, rtl::TComponent& component) {
    return component.Tag() % 100 != formObject.Skin()->DisableTag() &&
           !IsAlreadySkinned(formObject, component);
}

// The OnSkinControl event, then the decision list, for one component.
void SkinComponent(TWinSkinForm& formObject, rtl::TComponent& container, rtl::TComponent& component) {
    const std::string n = Upper(component.ClassName());
    try {
        if (HandledBySkinControlEvent(formObject, container, component, n)) return;
        MapByClass(formObject, component, n, component.Tag() % 100);
    } catch (...) {
        // One control that cannot be skinned does not keep the others from it.
        ReportCurrentException("skinning a control");
    }
}

} // namespace

void SkinFormControls(TWinSkinForm& formObject, rtl::TComponent& container) {
    if (!formObject.Skin()) return;
    // Components may be added while the walk runs (an event handler making objects): walk a copy.
    const std::vector<rtl::TComponent*> components = container.Components();
    for (rtl::TComponent* component : components) {
        if (!NeedsSkinning(formObject, *component)) continue;
        if (auto* windowed = dynamic_cast<gui::TWinControl*>(component)) {
            try {
                windowed->HandleNeeded();
            } catch (...) {
                ReportCurrentException("making a control's window");
                continue; // a control whose window cannot be made stays as it is
            }
        }
        SkinComponent(formObject, container, *component);
    }
}

void SkinControls(TWinSkinForm& formObject, rtl::TComponent& container,
                  const std::vector<rtl::TComponent*>& components) {
    if (!formObject.Skin()) return;
    for (rtl::TComponent* component : components) {
        const auto* windowed = dynamic_cast<gui::TWinControl*>(component);
        if (windowed && windowed->HandleAllocated() && NeedsSkinning(formObject, *component))
            SkinComponent(formObject, container, *component);
    }
}

bool MapBySkin3rd(TWinSkinForm& formObject, const std::string& className, rtl::TComponent& control) {
    const std::string key = Lower(className) + "=";
    const auto& rows = formObject.Skin()->Skin3rd();
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const std::string& line) {
        return Lower(line).compare(0, key.size(), key) == 0;
    });
    if (row == rows.end()) return false;
    const std::size_t equals = row->find('=');
    const std::string kind =
        Lower(row->substr(equals == std::string::npos ? 0 : equals + 1, kSkin3rdKindChars));
    if (kind == "combobox") {
        if (Gate(formObject, xcCombo)) AttachNew<TSkinComBox>(formObject, control, false);
    } else if (kind == "edit") {
        if (Gate(formObject, xcEdit)) AttachToWindowOf<TSkinEdit>(formObject, control);
    } else if (kind == "radiobutton") {
        if (Gate(formObject, xcRadioButton)) AttachNew<TSkinRadioButton>(formObject, control, true);
    } else if (kind == "panel") {
        if (Gate(formObject, xcPanel)) {
            rtl::SetEnumProperty(control, "Transparent", "True");
            AttachNew<TSkinBox>(formObject, control, true);
        }
    } else if (kind == "button") {
        if (Gate(formObject, xcButton)) AttachNew<TSkinButton>(formObject, control, false);
    } else if (kind == "radiogroup" || kind == "checkgroup") {
        if (Gate(formObject, xcPanel)) {
            if (Gate(formObject, xcRadioButton)) {
                if (kind == "radiogroup") SkinGroupChildren<TSkinRadioButton>(formObject, control);
                if (kind == "checkgroup") SkinGroupChildren<TSkinCheckBox>(formObject, control);
            }
            AttachNew<TSkinBox>(formObject, control, true);
        }
    } else if (kind == "checkbox") {
        if (Gate(formObject, xcCheckBox)) AttachNew<TSkinCheckBox>(formObject, control, true);
    } else if (kind == "tab") {
        if (Gate(formObject, xcTab) && HasTabs(formObject)) AttachToWindowOf<TSkinTab>(formObject, control);
    } else if (kind == "trackbar") {
        if (Gate(formObject, xcButton)) {
            rtl::SetEnumProperty(control, "Transparent", "True");
            AttachNew<TSkinTrackBar>(formObject, control, false);
        }
    } else if (kind == "progress") {
        if (Gate(formObject, xcProgress)) AttachNew<TSkinProgress>(formObject, control, false);
    } else if (kind == "scrollbar") {
        if (Gate(formObject, xcScrollbar)) AttachBars(formObject, control, true);
    }
    return true;
}

bool IsAlreadySkinned(const TWinSkinForm& formObject, rtl::TComponent& control) {
    auto* windowed = dynamic_cast<gui::TWinControl*>(&control);
    for (const auto& entry : formObject.Controls()) {
        const auto* object = dynamic_cast<const TSkinControl*>(entry.get());
        if (object && object->GraphicControl) {
            if (object->GraphicControl == &control) return true;
            continue;
        }
        if (!windowed) continue;
        if (!windowed->HandleAllocated()) {
            const std::string formName =
                formObject.OwnerForm() ? formObject.OwnerForm()->Name() : std::string();
            return Lower(formName).find("preview") != std::string::npos || formName == "TQRStandardPreview" ||
                   formName == "TppPrintPreview" || formName == "TdxfmStdPreview";
        }
        if (windowed->Handle() == entry->ControlWindow()) return true;
    }
    return false;
}

bool HasScrollBars(rtl::TComponent& control) {
    if (auto* windowed = dynamic_cast<gui::TWinControl*>(&control); windowed && windowed->HandleAllocated()) {
        if (GetWindowLongPtrW(windowed->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) return true;
    }
    return control.Tag() == kTagScrollBars || IsA(control, {"TScrollBox", "TCustomTreeView", "TTreeView",
                                                            "TCustomGrid", "TStringGrid", "TDrawGrid"});
}

ISkinControlObject* FindControlObject(const TWinSkinForm& formObject, HWND window) {
    for (const auto& entry : formObject.Controls()) {
        if (entry->ControlWindow() == window) return entry.get();
    }
    return nullptr;
}

bool RegisterControlObject(TWinSkinForm& formObject, ISkinControlObject* object) {
    const auto listed = std::find_if(formObject.Controls().begin(), formObject.Controls().end(),
                                     [&](const auto& entry) { return entry.get() == object; });
    if (listed != formObject.Controls().end()) return true;
    formObject.AddControlObject(std::unique_ptr<ISkinControlObject>(object));
    return false;
}

// ---- plain windows ----

namespace {

std::string WindowClassOf(HWND window) {
    wchar_t name[kClassNameChars + 1] = {};
    const int length = GetClassNameW(window, name, kClassNameChars + 1);
    return Lower(gui::Narrow(std::wstring(name, static_cast<std::size_t>(std::max(length, 0)))));
}

// The object for a child window of class "button", or none (0) for group boxes and owner-drawn buttons.
enum class ButtonKind { None, Push, Check, Radio };
ButtonKind ButtonKindOf(DWORD s) {
    if ((s & BS_TYPEMASK) == BS_OWNERDRAW) return ButtonKind::None; // its owner draws it, not the skin
    if ((s & 7) == 7) return ButtonKind::None;
    if ((s & 3) == 3 || (s & 2) || (s & 5) == 5) return ButtonKind::Check;
    if ((s & 9) == 9 || (s & 4)) return ButtonKind::Radio;
    return ButtonKind::Push;
}

void SkinChildWindow(TWinSkinForm& formObject, HWND child) {
    const std::string className = WindowClassOf(child);
    const auto s = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
    if (className == "button") {
        switch (ButtonKindOf(s)) {
        case ButtonKind::Push:
            return AttachToWindow<TSkinButton>(formObject, child);
        case ButtonKind::Check:
            return AttachToWindow<TSkinCheckBox>(formObject, child);
        case ButtonKind::Radio:
            return AttachToWindow<TSkinRadioButton>(formObject, child);
        case ButtonKind::None:
            return;
        }
    }
    if (className == "combobox" && (s & 3) != CBS_SIMPLE)
        return AttachToWindow<TSkinComBox>(formObject, child);
    if (className == "comboboxex32") {
        if (HWND combo = GetWindow(child, GW_CHILD)) AttachToWindow<TSkinComBox>(formObject, combo);
        return;
    }
    if (className == "edit") return AttachToWindow<TSkinEdit>(formObject, child);
    if (className == "systabcontrol32" && !(s & TCS_OWNERDRAWFIXED))
        return AttachToWindow<TSkinTab>(formObject, child);
    // Only size grips are silenced: a scroll bar that scrolls something stays visible.
    if (className == "scrollbar" && (s & (SBS_SIZEGRIP | SBS_SIZEBOX))) {
        return AttachToWindow<TSkinSizer>(formObject, child);
    }
}

} // namespace

void SkinChildWindows(TWinSkinForm& formObject) {
    if (!formObject.Skin()) return;
    for (HWND child = GetTopWindow(formObject.Handle()); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) || FindControlObject(formObject, child))
            continue;
        try {
            SkinChildWindow(formObject, child);
        } catch (...) {
            ReportCurrentException("skinning a child window");
        }
    }
}

} // namespace skin
