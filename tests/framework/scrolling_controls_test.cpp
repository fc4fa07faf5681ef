// The scrolling controls read from stored forms: stand-alone bars keep their position within range, list
// boxes get the bars asked for, list views and headers show their stored columns, items and sections, a
// header click reaches the form, a scroll box moves its children, and each control is of its family.
#include "framework/gui/application.h"
#include "framework/gui/control_families.h"
#include "framework/gui/form.h"
#include "framework/gui/header_control.h"
#include "framework/gui/list_box.h"
#include "framework/gui/list_view.h"
#include "framework/gui/register_classes.h"
#include "framework/gui/rich_edit.h"
#include "framework/gui/scroll_bar.h"
#include "framework/gui/scroll_box.h"
#include "tests/framework/form_test_fixture.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const char* kScrollingForm = R"(Form : TForm {
    ClientWidth = 500
    ClientHeight = 300
    Bar : TScrollBar {
        Left = 8
        Top = 8
        Width = 200
        Max = 50
        PageSize = 10
        Position = 45
        LargeChange = 10
    }
    List : TListBox {
        Left = 8
        Top = 40
        Items = ("a list item far wider than the list box that holds it, so it scrolls sideways" "b")
        ScrollBars = ssBoth
    }
    View : TListView {
        Left = 150
        Top = 40
        Columns = ("Name=120" "Size=x" "Kind")
        Items = ("One|1 KB|Text" "Two")
    }
    Header : THeaderControl {
        Left = 150
        Top = 200
        Width = 200
        Sections = ("First=90" "Second=60")
    }
    Rich : TRichEdit {
        Left = 8
        Top = 150
        Lines = ("rich")
    }
    Box : TScrollBox {
        Left = 360
        Top = 40
        Width = 120
        Height = 120
        VertRange = 400
        Inner : TPanel {
            Left = 0
            Top = 100
            Width = 60
            Height = 30
        }
    }
}
)";

std::wstring ItemText(HWND list, int item, int sub) {
    wchar_t text[64] = {};
    LVITEMW row{};
    row.iSubItem = sub;
    row.pszText = text;
    row.cchTextMax = 64;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&row));
    return text;
}

class ScrollingControlsTest : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = NewForm(kScrollingForm);
        form->Show();
        application->ProcessMessages();
    }
    using FormTest::Find;
    // The form's component called name; a test that asks for a missing one fails instead of crashing.
    template <class T> T& Find(const char* name) {
        T* component = Find<T>(form, name);
        if (component == nullptr) throw std::runtime_error(std::string("no component ") + name);
        return *component;
    }

    gui::TForm* form = nullptr;
};

TEST_F(ScrollingControlsTest, BarsKeepTheirPositionInRangeAndStepAsTheUserScrolls) {
    auto& bar = Find<gui::TScrollBar>("Bar");
    EXPECT_EQ(bar.Position(), 41) << "the last position of a paged range is Max - PageSize + 1";
    int changes = 0;
    bar.OnChange = [&](rtl::TObject*) { ++changes; };
    SendMessageW(form->Handle(), WM_HSCROLL, SB_PAGEUP, reinterpret_cast<LPARAM>(bar.Handle()));
    EXPECT_EQ(bar.Position(), 31);
    EXPECT_EQ(bar.LastScrollCode(), SB_PAGEUP);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar.Handle(), SB_CTL, &info);
    EXPECT_EQ(info.nPos, 31) << "the window shows it";
    bar.SetParams(5, 50, 0);
    EXPECT_EQ(bar.Min(), 0) << "a range given the wrong way round is turned";
    EXPECT_EQ(bar.Max(), 50);
    EXPECT_EQ(changes, 2);
    bar.SetKind(gui::sbVertical);
    EXPECT_TRUE(GetWindowLongPtrW(bar.Handle(), GWL_STYLE) & SBS_VERT)
        << std::hex << GetWindowLongPtrW(bar.Handle(), GWL_STYLE);
    EXPECT_GT(bar.Height(), bar.Width()) << "turned upright";
    EXPECT_TRUE(gui::IsOfFamily(bar, gui::TControlFamily::ScrollBar));

    const auto style = GetWindowLongPtrW(Find<gui::TListBox>("List").Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_HSCROLL) << "shown: the wide item needs it (two items need no vertical one)";
    EXPECT_GT(SendMessageW(Find<gui::TListBox>("List").Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 120)
        << "the wide item can be scrolled to";

    auto& box = Find<gui::TScrollBox>("Box");
    HWND inner = Find<gui::TWinControl>("Inner").Handle();
    RECT before{}, after{};
    GetWindowRect(inner, &before);
    SendMessageW(box.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    GetWindowRect(inner, &after);
    EXPECT_EQ(before.top - after.top, box.ScrollOffset().y);
    EXPECT_GT(box.ScrollOffset().y, 50) << "a page down moved the panel up";
    EXPECT_TRUE(gui::IsOfFamily(box, gui::TControlFamily::Container));
}

TEST_F(ScrollingControlsTest, ListViewsAndHeadersShowTheirStoredColumnsItemsAndSections) {
    auto& view = Find<gui::TListView>("View");
    HWND list = view.Handle();
    HWND header = view.HeaderWindow();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 120);
    EXPECT_EQ(view.Columns()[1].Caption, "Size=x") << "a width that is no number is part of the caption";
    EXPECT_EQ(view.Columns()[1].Width, 80) << "and the column gets the default width";
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(ItemText(list, 0, 1), L"1 KB");
    EXPECT_EQ(ItemText(list, 0, 2), L"Text");
    EXPECT_EQ(ItemText(list, 1, 1), L"") << "an item without sub-items";
    EXPECT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & LVS_REPORT);
    EXPECT_TRUE(gui::IsOfFamily(view, gui::TControlFamily::ListView));

    auto& control = Find<gui::THeaderControl>("Header");
    RECT second{};
    SendMessageW(control.Handle(), HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(second.left, 90);
    EXPECT_EQ(second.right, 150);
    int clicked = -1;
    control.OnSectionClick = [&](rtl::TObject*) { clicked = control.ClickedSection(); };
    NMHEADERW click{};
    click.hdr = NMHDR{control.Handle(), 0, HDN_ITEMCLICKW};
    click.iItem = 1;
    SendMessageW(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(control.PressedSection(), -1);
    EXPECT_TRUE(gui::IsOfFamily(control, gui::TControlFamily::HeaderControl));

    auto& rich = Find<gui::TRichEdit>("Rich");
    wchar_t className[32] = {};
    GetClassNameW(rich.Handle(), className, 32);
    EXPECT_EQ(_wcsicmp(className, gui::TRichEdit::WindowClass().c_str()), 0) << className;
    EXPECT_FALSE(gui::TRichEdit::WindowClass().empty()) << "a rich edit library is there";
    EXPECT_EQ(rich.GetText(), "rich");
    // Lines written and lines typed read back as lines (a rich edit may end them with CR alone).
    const std::vector<std::string> lines{"first", "", "third"};
    rich.SetLines(lines);
    EXPECT_EQ(rich.Lines(), lines);
    EXPECT_EQ(SendMessageW(rich.Handle(), EM_GETLINECOUNT, 0, 0), 3);
    // Typed, with Enter between the lines.
    rich.SetText("");
    for (const wchar_t c : std::wstring(L"ab\rc\r\rd")) {
        if (c == L'\r') {
            SendMessageW(rich.Handle(), WM_KEYDOWN, VK_RETURN, 0);
        } else {
            SendMessageW(rich.Handle(), WM_CHAR, c, 0);
        }
    }
    EXPECT_EQ(rich.Lines(), (std::vector<std::string>{"ab", "c", "", "d"})) << rich.GetText().size();
    EXPECT_TRUE(gui::IsOfFamily(rich, gui::TControlFamily::Memo));
}

} // namespace
