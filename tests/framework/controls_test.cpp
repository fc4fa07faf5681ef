// The control families: read from stored form data into the right system or framework windows, nested in
// containers; every registered class named as itself; the notifications painters rely on (mouse enter and
// leave, enabled changed, check state, speed buttons handed the mouse by their parent); colours and double
// buffering seen in pixels.
#include "framework/gui/application.h"
#include "framework/gui/bit_btn.h"
#include "framework/gui/check_box.h"
#include "framework/gui/combo_box.h"
#include "framework/gui/control_families.h"
#include "framework/gui/date_time_picker.h"
#include "framework/gui/edit.h"
#include "framework/gui/form.h"
#include "framework/gui/group_box.h"
#include "framework/gui/hooks.h"
#include "framework/gui/list_box.h"
#include "framework/gui/memo.h"
#include "framework/gui/panel.h"
#include "framework/gui/progress_bar.h"
#include "framework/gui/radio_button.h"
#include "framework/gui/register_classes.h"
#include "framework/gui/speed_button.h"
#include "framework/gui/status_bar.h"
#include "framework/gui/tool_bar.h"
#include "framework/gui/track_bar.h"
#include "framework/gui/up_down.h"
#include "tests/framework/form_test_fixture.h"

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

using gui::TControlFamily;

// A 24-bit BMP file of width x height whose left half is blue and right half yellow, above a bottom row of
// fuchsia (the colour a glyph's bottom-left pixel makes transparent).
std::vector<std::uint8_t> TwoColourBmp(int width, int height) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t size = 54 + static_cast<std::uint32_t>(stride * height);
    std::vector<std::uint8_t> bytes(size, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &bytes[54 + static_cast<std::size_t>(y * stride + x * 3)];
            if (y == 0) { // rows are stored bottom-up
                p[0] = p[2] = 255;
            } else if (x < width / 2) {
                p[0] = 255; // blue
            } else {
                p[1] = p[2] = 255; // yellow
            }
        }
    }
    return bytes;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char digits[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", b);
        text += digits;
    }
    return text;
}

// A form holding every family; Panel1 > GroupBox1 > Panel2 nests containers.
std::string AllFamiliesForm() {
    return R"(Form : TForm {
    ClientWidth = 640
    ClientHeight = 420
    Edit1 : TEdit {
        Left = 8
        Top = 8
        Width = 120
        Height = 21
    }
    Memo1 : TMemo {
        Left = 8
        Top = 36
        Width = 120
        Height = 60
        ScrollBars = ssVertical
        Lines = ("one" "two")
    }
    CheckBox1 : TCheckBox {
        Left = 140
        Top = 8
        Width = 100
        Height = 17
        Caption = "Check"
        AllowGrayed = True
        State = cbGrayed
    }
    RadioButton1 : TRadioButton {
        Left = 140
        Top = 30
        Width = 100
        Height = 17
        Caption = "Radio"
        Checked = True
        Alignment = taLeftJustify
    }
    ComboBox1 : TComboBox {
        Left = 260
        Top = 8
        Width = 100
        Height = 21
        Style = csDropDownList
        Items = ("a" "b")
        ItemIndex = 1
    }
    ComboBox2 : TComboBox {
        Left = 260
        Top = 40
        Width = 100
        Height = 80
        Style = csSimple
    }
    ComboBox3 : TComboBox {
        Left = 370
        Top = 8
        Width = 100
        Height = 21
    }
    ListBox1 : TListBox {
        Left = 8
        Top = 110
        Width = 120
        Height = 80
        Items = ("first" "second" "third")
        ItemIndex = 2
    }
    BitBtn1 : TBitBtn {
        Left = 140
        Top = 60
        Width = 100
        Height = 40
        Caption = "Glyph"
        Glyph.Data = <)" +
           Hex(TwoColourBmp(32, 16)) + R"(>
        NumGlyphs = 2
        Layout = blGlyphTop
        Margin = 2
        Spacing = 3
    }
    DateTimePicker1 : TDateTimePicker {
        Left = 480
        Top = 8
        Width = 140
        Height = 21
        Kind = dtkTime
    }
    DateTimePicker2 : TDateTimePicker {
        Left = 480
        Top = 40
        Width = 140
        Height = 21
    }
    RadioGroup1 : TRadioGroup {
        Left = 8
        Top = 200
        Width = 200
        Height = 80
        Caption = "Pick"
        Columns = 2
        ItemIndex = 1
        Items = ("x" "y" "z")
    }
    Panel1 : TPanel {
        Left = 300
        Top = 150
        Width = 320
        Height = 250
        Caption = ""
        SpeedButton1 : TSpeedButton {
            Left = 8
            Top = 8
            Width = 40
            Height = 24
            GroupIndex = 1
            Down = True
            Flat = True
        }
        GroupBox1 : TGroupBox {
            Left = 10
            Top = 40
            Width = 300
            Height = 200
            Caption = "Group"
            CheckBox2 : TCheckBox {
                Left = 10
                Top = 20
                Width = 120
                Height = 17
                Caption = "Inner check"
            }
            Panel2 : TPanel {
                Left = 10
                Top = 50
                Width = 280
                Height = 140
                BevelOuter = bvLowered
                Edit2 : TEdit {
                    Left = 5
                    Top = 6
                    Width = 100
                    Height = 21
                }
            }
        }
    }
}
)";
}

// Counts the messages that reach a control's message method, and passes them on.
struct MessageCounter {
    gui::TMessageHook hook;
    std::vector<gui::TMessage> seen;
    std::function<void(gui::TMessage&)> after; // runs once the control has answered

    void Handle(gui::TMessage& message) {
        hook.CallPrevious(message);
        seen.push_back(message);
        if (after) after(message);
    }
    void Install(gui::TControl& control) {
        hook.Install(control, gui::TWndMethod::Of<&MessageCounter::Handle>(this));
    }
    int Count(UINT msg) const {
        int count = 0;
        for (const gui::TMessage& message : seen)
            count += message.Msg == msg;
        return count;
    }
};

class ControlsTest : public FormTest {};

std::wstring WindowClass(HWND window) {
    wchar_t name[64]{};
    GetClassNameW(window, name, 64);
    return name;
}

// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(ControlsTest, EveryFamilyLoadsFromStoredDataIntoItsWindowInsideItsContainer) {
    gui::TForm* form = NewForm(AllFamiliesForm());
    struct Expected {
        const char* name;
        const wchar_t* windowClass;
        const char* parent;
    };
    const Expected expected[] = {
        {"Edit1", L"Edit", "Form"},
        {"Memo1", L"Edit", "Form"},
        {"CheckBox1", L"Button", "Form"},
        {"RadioButton1", L"Button", "Form"},
        {"ComboBox1", L"ComboBox", "Form"},
        {"ComboBox2", L"ComboBox", "Form"},
        {"ComboBox3", L"ComboBox", "Form"},
        {"ListBox1", L"ListBox", "Form"},
        {"BitBtn1", L"Button", "Form"},
        {"DateTimePicker1", L"SysDateTimePick32", "Form"},
        {"DateTimePicker2", L"SysDateTimePick32", "Form"},
        {"RadioGroup1", L"TRadioGroup", "Form"},
        {"Panel1", L"TPanel", "Form"},
        {"GroupBox1", L"TGroupBox", "Panel1"},
        {"CheckBox2", L"Button", "GroupBox1"},
        {"Panel2", L"TPanel", "GroupBox1"},
        {"Edit2", L"Edit", "Panel2"},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        auto* control = Find<gui::TWinControl>(form, e.name);
        auto* parent = e.parent == std::string("Form") ? form : Find<gui::TWinControl>(form, e.parent);
        ASSERT_TRUE(control && parent);
        HWND window = control->Handle();
        EXPECT_EQ(_wcsicmp(WindowClass(window).c_str(), e.windowClass), 0) << "window class";
        EXPECT_EQ(GetParent(window), parent->Handle());
        EXPECT_EQ(control->Parent(), parent);
        EXPECT_EQ(control->Owner(), form) << "stored components belong to the form";
        const RECT rect = RectInParent(window);
        EXPECT_EQ(rect.left, control->Left());
        EXPECT_EQ(rect.top, control->Top());
        EXPECT_EQ(rect.right - rect.left, control->Width());
        EXPECT_EQ(rect.bottom - rect.top, control->Height());
    }

    // What each family read from the data, as its window shows it.
    EXPECT_EQ(Find<gui::TMemo>(form, "Memo1")->Lines(), (std::vector<std::string>{"one", "two"}));
    EXPECT_TRUE(GetWindowLongW(Find<gui::TMemo>(form, "Memo1")->Handle(), GWL_STYLE) & ES_MULTILINE);
    EXPECT_EQ(SendMessageW(Find<gui::TCheckBox>(form, "CheckBox1")->Handle(), BM_GETCHECK, 0, 0),
              BST_INDETERMINATE);
    HWND radio = Find<gui::TRadioButton>(form, "RadioButton1")->Handle();
    EXPECT_EQ(SendMessageW(radio, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(GetWindowLongW(radio, GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(GetWindowLongW(Find<gui::TComboBox>(form, "ComboBox1")->Handle(), GWL_STYLE) & 3,
              CBS_DROPDOWNLIST);
    EXPECT_EQ(GetWindowLongW(Find<gui::TComboBox>(form, "ComboBox2")->Handle(), GWL_STYLE) & 3, CBS_SIMPLE);
    EXPECT_EQ(GetWindowLongW(Find<gui::TComboBox>(form, "ComboBox3")->Handle(), GWL_STYLE) & 3, CBS_DROPDOWN);
    EXPECT_EQ(Find<gui::TComboBox>(form, "ComboBox1")->ItemIndex(), 1);
    EXPECT_EQ(Find<gui::TListBox>(form, "ListBox1")->ItemIndex(), 2);
    EXPECT_EQ(SendMessageW(Find<gui::TListBox>(form, "ListBox1")->Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_TRUE(GetWindowLongW(Find<gui::TDateTimePicker>(form, "DateTimePicker1")->Handle(), GWL_STYLE) &
                DTS_TIMEFORMAT);
    EXPECT_EQ(Find<gui::TDateTimePicker>(form, "DateTimePicker2")->Kind(), gui::dtkDate);

    gui::TBitBtn* bitBtn = Find<gui::TBitBtn>(form, "BitBtn1");
    const gui::TButtonGlyph& glyph = bitBtn->ButtonGlyph();
    EXPECT_EQ(glyph.GlyphBitmap().Width(), 32);
    EXPECT_EQ(glyph.GlyphBitmap().Height(), 16);
    EXPECT_EQ(glyph.NumGlyphs(), 2);
    EXPECT_EQ(glyph.Layout(), gui::blGlyphTop);
    EXPECT_EQ(glyph.Margin(), 2);
    EXPECT_EQ(glyph.Spacing(), 3);
    EXPECT_EQ(GetWindowLongW(bitBtn->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);

    gui::TRadioGroup* group = Find<gui::TRadioGroup>(form, "RadioGroup1");
    ASSERT_EQ(group->Buttons().size(), 3u);
    EXPECT_EQ(group->Buttons()[2]->Caption(), "z");
    EXPECT_TRUE(group->Buttons()[1]->Checked()) << "the stored index, read before its items";
    EXPECT_GT(group->Buttons()[2]->Left(), group->Buttons()[0]->Left()) << "the third item opens column two";
    EXPECT_EQ(GetParent(group->Buttons()[0]->Handle()), group->Handle());

    auto* speed = Find<gui::TSpeedButton>(form, "SpeedButton1");
    EXPECT_EQ(speed->Parent(), Find<gui::TPanel>(form, "Panel1"));
    EXPECT_TRUE(speed->Down());
}

TEST_F(ControlsTest, AContainerFreedBeforeItsChildrenLeavesThemWithoutParentOrWindow) {
    gui::TForm* form = NewForm(AllFamiliesForm());
    auto* edit = Find<gui::TEdit>(form, "Edit2");
    ASSERT_TRUE(edit->HandleAllocated());
    delete Find<gui::TPanel>(form, "Panel2"); // the form still owns Edit2
    EXPECT_EQ(edit->Parent(), nullptr);
    EXPECT_FALSE(edit->HandleAllocated()) << "its window went with the container's";
    EXPECT_TRUE(Find<gui::TGroupBox>(form, "GroupBox1")->Controls().size() == 1) << "only CheckBox2 is left";
    delete edit;
    EXPECT_EQ(form->FindComponent("Edit2"), nullptr);
}

TEST_F(ControlsTest, BitmapDataThatIsDamagedIsRefusedWithItsReason) {
    gui::TBitmap bitmap;
    std::vector<std::uint8_t> bytes = TwoColourBmp(8, 4);
    bytes.resize(bytes.size() - 1); // the last pixel row is cut short
    try {
        bitmap.LoadFromBmpBytes(bytes);
        FAIL() << "truncated pixels were accepted";
    } catch (const rtl::Exception& error) {
        EXPECT_EQ(error.Message(), "bitmap data: pixels truncated");
    }
    EXPECT_TRUE(bitmap.Empty());
    bytes = TwoColourBmp(8, 4);
    bytes[18] = bytes[19] = bytes[20] = 0xFF;
    bytes[21] = 0x7F; // width 2^31 - 1
    EXPECT_THROW(bitmap.LoadFromBmpBytes(bytes), rtl::Exception);
    bitmap.LoadFromBmpBytes(TwoColourBmp(8, 4));
    EXPECT_EQ(bitmap.Width(), 8);
}

TEST_F(ControlsTest, EveryRegisteredClassIsNamedAsItselfAndFamiliesFollowInheritance) {
    for (const std::string& name : rtl::RegisteredComponentClasses()) {
        SCOPED_TRACE(name);
        std::unique_ptr<rtl::TComponent> component(rtl::CreateComponentByClassName(name, nullptr));
        EXPECT_EQ(component->ClassName(), name);
        // The C++ class must be the one of that name: a class that forgot its own class information would
        // be registered under its parent's name.
        const std::string typeName = typeid(*component).name();
        EXPECT_NE(typeName.find(std::to_string(name.size()) + name), std::string::npos) << typeName;
    }

    gui::TForm* form = NewForm(AllFamiliesForm());
    auto is = [&](const char* name, TControlFamily family) {
        return gui::IsOfFamily(*form->FindComponent(name), family);
    };
    EXPECT_TRUE(is("Edit1", TControlFamily::CustomEdit));
    EXPECT_TRUE(is("Memo1", TControlFamily::CustomEdit));
    EXPECT_TRUE(is("Memo1", TControlFamily::Memo));
    EXPECT_FALSE(is("Edit1", TControlFamily::Memo));
    EXPECT_TRUE(is("BitBtn1", TControlFamily::BitmapButton));
    EXPECT_TRUE(is("BitBtn1", TControlFamily::Button)) << "a bitmap button descends from the button";
    EXPECT_TRUE(is("RadioGroup1", TControlFamily::RadioGroup));
    EXPECT_TRUE(is("RadioGroup1", TControlFamily::GroupBox));
    EXPECT_FALSE(is("GroupBox1", TControlFamily::RadioGroup));
    EXPECT_FALSE(is("CheckBox1", TControlFamily::Button));
    EXPECT_FALSE(is("Panel1", TControlFamily::Container)) << "no framework class stands for that family yet";
    EXPECT_TRUE(gui::IsOfFamily(*form, TControlFamily::Form));
    for (const gui::TControlFamilyEntry& entry : gui::ControlFamilies()) {
        EXPECT_EQ(&entry, &gui::ControlFamilies()[static_cast<std::size_t>(entry.Family)])
            << entry.Description;
    }
}

TEST_F(ControlsTest, MouseEnterAndLeaveReachControlsOnceEachAlsoWindowlessOnes) {
    gui::TForm* form = ShownForm(R"(Form : TForm {
    ClientWidth = 300
    ClientHeight = 200
    Button1 : TButton {
        Left = 20
        Top = 20
        Width = 100
        Height = 30
    }
    SpeedButton1 : TSpeedButton {
        Left = 20
        Top = 100
        Width = 60
        Height = 30
    }
}
)");
    MessageCounter button, speed;
    button.Install(*Find<gui::TButton>(form, "Button1"));
    speed.Install(*Find<gui::TSpeedButton>(form, "SpeedButton1"));
    HWND buttonWindow = Find<gui::TButton>(form, "Button1")->Handle();
    POINT empty{200, 150};
    ClientToScreen(form->Handle(), &empty);

    MoveMouse(empty.x, empty.y);
    Settle();
    const POINT inButton = CentreOnScreen(buttonWindow);
    MoveMouse(inButton.x, inButton.y);
    MoveMouse(inButton.x + 3, inButton.y + 2);
    EXPECT_TRUE(Pump([&] { return button.Count(gui::CM_MOUSEENTER) > 0; }));
    MoveMouse(empty.x, empty.y);
    EXPECT_TRUE(Pump([&] { return button.Count(gui::CM_MOUSELEAVE) > 0; }));
    Settle(std::chrono::milliseconds(200));
    EXPECT_EQ(button.Count(gui::CM_MOUSEENTER), 1);
    EXPECT_EQ(button.Count(gui::CM_MOUSELEAVE), 1);

    POINT inSpeed{50, 115};
    ClientToScreen(form->Handle(), &inSpeed);
    MoveMouse(inSpeed.x, inSpeed.y);
    MoveMouse(inSpeed.x + 2, inSpeed.y);
    EXPECT_TRUE(Pump([&] { return speed.Count(gui::CM_MOUSEENTER) > 0; }));
    EXPECT_TRUE(Find<gui::TSpeedButton>(form, "SpeedButton1")->MouseInControl());
    MoveMouse(empty.x, empty.y);
    EXPECT_TRUE(Pump([&] { return speed.Count(gui::CM_MOUSELEAVE) > 0; }));
    Settle(std::chrono::milliseconds(200));
    EXPECT_EQ(speed.Count(gui::CM_MOUSEENTER), 1);
    EXPECT_EQ(speed.Count(gui::CM_MOUSELEAVE), 1);
    EXPECT_GE(speed.Count(WM_MOUSEMOVE), 1) << "the parent hands the window-less button its mouse moves";
}

TEST_F(ControlsTest, EnabledChangedReachesTheMessageMethodOfWindowedAndWindowlessControls) {
    gui::TForm* form = NewForm(AllFamiliesForm());
    auto* edit = Find<gui::TEdit>(form, "Edit1");
    auto* speed = Find<gui::TSpeedButton>(form, "SpeedButton1");
    MessageCounter editMessages, speedMessages;
    editMessages.Install(*edit);
    speedMessages.Install(*speed);
    bool windowDisabledByThen = false;
    editMessages.after = [&](gui::TMessage& message) {
        if (message.Msg == gui::CM_ENABLEDCHANGED) windowDisabledByThen = !IsWindowEnabled(edit->Handle());
    };
    edit->SetEnabled(false);
    edit->SetEnabled(false);
    speed->SetEnabled(false);
    EXPECT_EQ(editMessages.Count(gui::CM_ENABLEDCHANGED), 1) << "once per change";
    EXPECT_TRUE(windowDisabledByThen);
    EXPECT_EQ(speedMessages.Count(gui::CM_ENABLEDCHANGED), 1);
}

TEST_F(ControlsTest, CheckBoxesAndRadioButtonsKeepTheirStateAndTellTheirMessageMethod) {
    gui::TForm* form = ShownForm(R"(Form : TForm {
    ClientWidth = 300
    ClientHeight = 200
    CheckBox1 : TCheckBox {
        Left = 10
        Top = 10
        Caption = "Check"
        AllowGrayed = True
    }
    RadioButton1 : TRadioButton {
        Left = 10
        Top = 40
        Caption = "One"
        Checked = True
    }
    RadioButton2 : TRadioButton {
        Left = 10
        Top = 70
        Caption = "Two"
    }
}
)");
    auto* check = Find<gui::TCheckBox>(form, "CheckBox1");
    auto* one = Find<gui::TRadioButton>(form, "RadioButton1");
    auto* two = Find<gui::TRadioButton>(form, "RadioButton2");
    MessageCounter checkMessages, oneMessages, twoMessages;
    checkMessages.Install(*check);
    oneMessages.Install(*one);
    twoMessages.Install(*two);
    int clicks = 0;
    check->OnClick = [&](rtl::TObject*) { ++clicks; };

    SendMessageW(check->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(check->State(), gui::cbChecked);
    EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(check->ClassInfo().FindProperty("Checked")->GetText(*check), "true") << "read by name, as text";
    SendMessageW(check->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(check->State(), gui::cbGrayed) << "AllowGrayed passes through the greyed state";
    EXPECT_EQ(SendMessageW(check->Handle(), BM_GETSTATE, 0, 0) & BST_INDETERMINATE, BST_INDETERMINATE);
    SendMessageW(check->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(check->State(), gui::cbUnchecked);
    EXPECT_EQ(clicks, 3);
    ASSERT_EQ(checkMessages.Count(gui::CM_CHECKSTATECHANGED), 3);
    EXPECT_GE(checkMessages.Count(gui::CM_BUTTONSTATECHANGED), 2) << "pushed, then released, by each click";
    check->SetChecked(true);
    EXPECT_EQ(checkMessages.Count(gui::CM_CHECKSTATECHANGED), 4) << "also when the program changes it";
    EXPECT_EQ(checkMessages.seen.back().Msg, gui::CM_CHECKSTATECHANGED);
    EXPECT_EQ(checkMessages.seen.back().WParam, static_cast<WPARAM>(BST_CHECKED));

    SendMessageW(two->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(two->Checked());
    EXPECT_FALSE(one->Checked()) << "one radio button of a parent is checked";
    EXPECT_EQ(SendMessageW(one->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(oneMessages.Count(gui::CM_CHECKSTATECHANGED), 1);
    EXPECT_EQ(twoMessages.Count(gui::CM_CHECKSTATECHANGED), 1);
    SendMessageW(two->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(two->Checked()) << "clicking the checked one changes nothing";
    EXPECT_EQ(twoMessages.Count(gui::CM_CHECKSTATECHANGED), 1);
}

TEST_F(ControlsTest, SpeedButtonsGetTheMouseFromTheirParentAndGoDownWithinTheirGroup) {
    gui::TForm* form = NewForm(R"(Form : TForm {
    ClientWidth = 300
    ClientHeight = 200
    Panel1 : TPanel {
        Left = 10
        Top = 10
        Width = 280
        Height = 60
        SpeedButton1 : TSpeedButton {
            Left = 10
            Top = 10
            Width = 40
            Height = 30
            GroupIndex = 1
        }
        SpeedButton2 : TSpeedButton {
            Left = 60
            Top = 10
            Width = 40
            Height = 30
            GroupIndex = 1
        }
        SpeedButton3 : TSpeedButton {
            Left = 110
            Top = 10
            Width = 40
            Height = 30
        }
    }
}
)");
    HWND panel = Find<gui::TPanel>(form, "Panel1")->Handle();
    auto* first = Find<gui::TSpeedButton>(form, "SpeedButton1");
    auto* second = Find<gui::TSpeedButton>(form, "SpeedButton2");
    auto* plain = Find<gui::TSpeedButton>(form, "SpeedButton3");
    MessageCounter firstMessages;
    firstMessages.Install(*first);
    int clicks = 0;
    for (gui::TSpeedButton* b : {first, second, plain})
        b->OnClick = [&](rtl::TObject*) { ++clicks; };
    auto click = [&](int x, int y, int releaseX, int releaseY) {
        SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(panel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(releaseX, releaseY));
        SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(releaseX, releaseY));
    };

    click(20, 20, 21, 21);
    EXPECT_TRUE(first->Down());
    ASSERT_EQ(firstMessages.Count(WM_LBUTTONDOWN), 1);
    for (const gui::TMessage& m : firstMessages.seen) {
        if (m.Msg == WM_LBUTTONDOWN) {
            EXPECT_EQ(m.LParam, MAKELPARAM(10, 10)) << "in the button's own coordinates";
        }
    }
    click(70, 20, 70, 20);
    EXPECT_TRUE(second->Down());
    EXPECT_FALSE(first->Down()) << "one button of a group is down";
    click(70, 20, 70, 20);
    EXPECT_TRUE(second->Down()) << "without AllowAllUp the down button stays down";
    click(120, 20, 120, 20);
    EXPECT_FALSE(plain->Down()) << "a button of no group never stays down";
    EXPECT_EQ(clicks, 4);
    click(20, 20, 200, 50); // pressed, then released away from it
    EXPECT_FALSE(first->Down());
    EXPECT_EQ(clicks, 4);
    EXPECT_EQ(firstMessages.Count(WM_LBUTTONUP), 2) << "the pressed button keeps the mouse until release";

    bool destroyingSeen = false;
    firstMessages.after = [&](gui::TMessage& m) { destroyingSeen |= m.Msg == gui::CM_GRAPHICDESTROYING; };
    delete first;
    EXPECT_TRUE(destroyingSeen);
    EXPECT_FALSE(firstMessages.hook.Installed());
}

TEST_F(ControlsTest, ColourAndParentColourShowInPixelsAndDoubleBufferingPaintsOffScreen) {
    gui::TForm* form = ShownForm(R"(Form : TForm {
    ClientWidth = 400
    ClientHeight = 240
    Panel1 : TPanel {
        Left = 10
        Top = 10
        Width = 300
        Height = 100
        Color = 255
        BevelOuter = bvNone
        DoubleBuffered = True
        CheckBox1 : TCheckBox {
            Left = 10
            Top = 10
            Width = 200
            Height = 20
            Caption = "Inherits"
        }
        CheckBox2 : TCheckBox {
            Left = 10
            Top = 50
            Width = 200
            Height = 20
            Caption = "Own"
            Color = 65280
        }
    }
    ListBox1 : TListBox {
        Left = 10
        Top = 130
        Width = 150
        Height = 80
        Items = ("one" "two")
        ItemIndex = 0
        DoubleBuffered = True
    }
    BitBtn1 : TBitBtn {
        Left = 200
        Top = 130
        Width = 100
        Height = 30
        Caption = "Glyph"
        Glyph.Data = <)" + Hex(TwoColourBmp(32, 16)) +
                                 R"(>
        NumGlyphs = 2
    }
}
)");
    auto* panel = Find<gui::TPanel>(form, "Panel1");
    auto* inherits = Find<gui::TCheckBox>(form, "CheckBox1");
    auto* own = Find<gui::TCheckBox>(form, "CheckBox2");
    const COLORREF red = RGB(255, 0, 0), lime = RGB(0, 255, 0);
    EXPECT_EQ(PixelAt(panel->Handle(), 250, 90), red);
    EXPECT_EQ(PixelAt(inherits->Handle(), 190, 10), red) << "ParentColor: the panel's colour";
    EXPECT_EQ(PixelAt(own->Handle(), 190, 10), lime);
    EXPECT_FALSE(own->ParentColor());
    panel->SetColor(rtl::clWhite);
    EXPECT_EQ(PixelAt(inherits->Handle(), 190, 10), RGB(255, 255, 255)) << "follows its parent's change";
    EXPECT_EQ(PixelAt(own->Handle(), 190, 10), lime);
    // Turned off, it keeps the colour it shows: nothing is painted again, and it no longer follows.
    ValidateRect(inherits->Handle(), nullptr);
    inherits->SetParentColor(false);
    EXPECT_FALSE(GetUpdateRect(inherits->Handle(), nullptr, FALSE)) << "the same colour, no repaint";
    panel->SetColor(red);
    EXPECT_EQ(PixelAt(inherits->Handle(), 190, 10), RGB(255, 255, 255));

    // Double buffering: every paint and erase that draws goes to a memory DC; the window itself is only
    // erased by nobody and then gets the finished picture.
    auto* list = Find<gui::TListBox>(form, "ListBox1");
    for (gui::TWinControl* control : std::initializer_list<gui::TWinControl*>{panel, list}) {
        MessageCounter counter;
        int drawnOnScreen = 0, drawnOffScreen = 0;
        counter.after = [&](gui::TMessage& m) {
            if ((m.Msg != WM_PAINT && m.Msg != WM_ERASEBKGND) || m.WParam == 0) return;
            const bool memory = GetObjectType(reinterpret_cast<HDC>(m.WParam)) == OBJ_MEMDC;
            if (memory) ++drawnOffScreen;
            if (!memory && !(m.Msg == WM_ERASEBKGND && m.Result == 1)) ++drawnOnScreen;
        };
        counter.Install(*control);
        RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_EQ(drawnOnScreen, 0) << control->Name();
        EXPECT_EQ(drawnOffScreen, 2) << control->Name() << ": erase and paint";
        EXPECT_EQ(counter.Count(WM_PAINT), 2) << control->Name() << ": the window's, then the buffer's";
    }
    EXPECT_EQ(PixelAt(list->Handle(), 140, 6), GetSysColor(COLOR_HIGHLIGHT))
        << "the buffer reached the window";

    // The owner-drawn bitmap button draws the first image of its glyph strip (blue; the second is yellow).
    HWND bitBtn = Find<gui::TBitBtn>(form, "BitBtn1")->Handle();
    PixelAt(bitBtn, 0, 0);
    HDC dc = GetDC(bitBtn);
    int blue = 0, yellow = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 100; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            blue += pixel == RGB(0, 0, 255);
            yellow += pixel == RGB(255, 255, 0);
        }
    }
    ReleaseDC(bitBtn, dc);
    EXPECT_GT(blue, 16 * 16 / 2) << "about the glyph's 16 x 16 pixels, less the transparent ones";
    EXPECT_EQ(yellow, 0);
}

// Status, progress and track bars, up-downs and tool bars read from stored data, answering as their windows.
TEST_F(ControlsTest, BarControlsLoadFromStoredDataAndAnswerTheMouseAndKeyboard) {
    gui::TForm* form = ShownForm(R"(Form : TForm {
    ClientWidth = 420
    ClientHeight = 260
    ToolBar1 : TToolBar {
        Left = 0
        Top = 0
        Width = 420
        Height = 26
        Flat = True
        OpenButton : TToolButton {
            Caption = "Open"
        }
        SaveButton : TToolButton {
            Caption = "Save"
        }
    }
    Progress1 : TProgressBar {
        Left = 10
        Top = 40
        Width = 20
        Height = 100
        Position = 37
        Smooth = True
        Orientation = pbVertical
    }
    Track1 : TTrackBar {
        Left = 40
        Top = 40
        Width = 200
        Height = 34
        Max = 20
        Position = 5
        TickStyle = tsNone
    }
    Edit1 : TEdit {
        Left = 40
        Top = 90
        Width = 80
        Height = 21
    }
    UpDown1 : TUpDown {
        Left = 120
        Top = 90
        Width = 17
        Height = 21
        Max = 9
        Position = 7
        Associate = Edit1
    }
    StatusBar1 : TStatusBar {
        SimpleText = "Simple"
        Panel1 : TStatusPanel {
            Text = "Ready"
            Width = 100
        }
        Panel2 : TStatusPanel {
            Text = "Centre"
            Width = 120
            Alignment = taCenter
            Bevel = pbRaised
        }
        Panel3 : TStatusPanel {
            Text = "Last"
            Width = 60
        }
    }
}
)");
    auto* toolBar = Find<gui::TToolBar>(form, "ToolBar1");
    auto* track = Find<gui::TTrackBar>(form, "Track1");
    auto* upDown = Find<gui::TUpDown>(form, "UpDown1");
    auto* statusBar = Find<gui::TStatusBar>(form, "StatusBar1");
    HWND edit = Find<gui::TEdit>(form, "Edit1")->Handle();
    const auto editText = [&] {
        wchar_t buffer[32] = {};
        GetWindowTextW(edit, buffer, 32);
        return std::wstring(buffer);
    };
    EXPECT_EQ(WindowClass(toolBar->Handle()), TOOLBARCLASSNAMEW);
    EXPECT_EQ(WindowClass(track->Handle()), TRACKBAR_CLASSW);
    EXPECT_EQ(WindowClass(upDown->Handle()), UPDOWN_CLASSW);
    EXPECT_EQ(WindowClass(statusBar->Handle()), STATUSCLASSNAMEW);

    // Progress: the stored position, smooth and upright.
    HWND progress = Find<gui::TProgressBar>(form, "Progress1")->Handle();
    EXPECT_EQ(SendMessageW(progress, PBM_GETPOS, 0, 0), 37);
    EXPECT_EQ(GetWindowLongW(progress, GWL_STYLE) & (PBS_SMOOTH | PBS_VERTICAL), PBS_SMOOTH | PBS_VERTICAL);

    // Status bar: three parts of the stored widths along the form's bottom edge, the centred text behind its
    // tab.
    HWND bar = statusBar->Handle();
    ASSERT_EQ(SendMessageW(bar, SB_GETPARTS, 0, 0), 3);
    RECT part{};
    SendMessageW(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
    EXPECT_NEAR(part.left, 100, 2);
    EXPECT_NEAR(part.right, 220, 2);
    wchar_t text[64] = {};
    const LRESULT lengthAndType = SendMessageW(bar, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"\tCentre");
    EXPECT_TRUE(HIWORD(lengthAndType) & SBT_POPOUT) << "the raised bevel";
    EXPECT_TRUE(GetWindowLongW(bar, GWL_STYLE) & SBARS_SIZEGRIP);
    RECT client{}, barRect = RectInParent(bar);
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(barRect.bottom, client.bottom);
    SetWindowPos(form->Handle(), nullptr, 0, 0, form->Width() + 60, form->Height() + 40,
                 SWP_NOMOVE | SWP_NOZORDER);
    Settle();
    GetClientRect(form->Handle(), &client);
    barRect = RectInParent(bar);
    EXPECT_EQ(barRect.bottom, client.bottom) << "it follows the bottom edge when the form grows";
    EXPECT_EQ(barRect.right, client.right);
    EXPECT_EQ(statusBar->Top(), barRect.top);
    statusBar->SetSimplePanel(true);
    EXPECT_TRUE(SendMessageW(bar, SB_ISSIMPLE, 0, 0));

    // Track bar: the keyboard moves it, and OnChange hears every move.
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETRANGEMAX, 0, 0), 20);
    EXPECT_TRUE(GetWindowLongW(track->Handle(), GWL_STYLE) & TBS_NOTICKS);
    std::vector<int> changes;
    track->OnChange = [&](rtl::TObject*) { changes.push_back(track->Position()); };
    SetFocus(track->Handle());
    SendMessageW(track->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(track->Handle(), WM_KEYUP, VK_RIGHT, 0);
    Settle();
    EXPECT_EQ(changes, std::vector<int>{6});

    // Up-down: sits at the edit's right edge showing the stored position; a click on its upper half counts
    // up.
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(upDown->Handle(), UDM_GETBUDDY, 0, 0)), edit);
    EXPECT_EQ(editText(), L"7");
    const RECT spin = RectInParent(upDown->Handle());
    EXPECT_NEAR(spin.left, RectInParent(edit).right, 3) << "at the edit's right edge";
    SendMessageW(upDown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 3));
    SendMessageW(upDown->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 3));
    Settle();
    EXPECT_EQ(editText(), L"8");
    EXPECT_EQ(upDown->Position(), 8);

    // Tool bar: flat, its buttons with their captions, a click reaching the button's OnClick.
    HWND tools = toolBar->Handle();
    EXPECT_TRUE(GetWindowLongW(tools, GWL_STYLE) & TBSTYLE_FLAT);
    ASSERT_EQ(SendMessageW(tools, TB_BUTTONCOUNT, 0, 0), 2);
    int clicks = 0;
    toolBar->Buttons()[0]->OnClick = [&](rtl::TObject*) { ++clicks; };
    RECT item{};
    SendMessageW(tools, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(tools, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(tools, WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(Pump([&] { return clicks == 1; }));
}

} // namespace
