// Forms at another DPI than their stored data's: the window's client size, the controls' places and the
// fonts a window is handed, after loading and after WM_DPICHANGED. The test prefix runs at 96 DPI.
#include "framework/gui/dpi.h"
#include "framework/gui/edit.h"
#include "framework/gui/group_box.h"
#include "framework/gui/list_view.h"
#include "framework/gui/panel.h"
#include "framework/gui/status_bar.h"
#include "framework/rtl/exceptions.h"
#include "tests/framework/form_test_fixture.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>
#include <string>

namespace {

// A form whose lengths were designed at designDpi.
std::string DesignedForm(int designDpi, bool scaled) {
    return R"(
Form : TForm {
    PixelsPerInch = )" +
           std::to_string(designDpi) + R"(
    Scaled = )" +
           (scaled ? "True" : "False") + R"(
    ClientWidth = 300
    ClientHeight = 200
    Font.Height = -15
    Edit1 : TEdit {
        Left = 20
        Top = 40
        Width = 100
        Height = 25
    }
    Edit2 : TEdit {
        Left = 120
        Top = 40
        Width = 60
        Height = 25
        Font.Height = -20
    }
}
)";
}

// The pixel height of the font a window was handed with WM_SETFONT.
LONG WindowFontHeight(HWND window) {
    auto* font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    if (!font || !GetObjectW(font, sizeof logFont, &logFont)) return 0;
    return logFont.lfHeight;
}

RECT ClientRectOf(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

// The window's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectRect(const RECT& actual, LONG left, LONG top, LONG right, LONG bottom) {
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.bottom, bottom);
}

class DpiScalingTest : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        if (gui::SystemDpi() != gui::kDesignDpi) GTEST_SKIP() << "the screen is not at 96 DPI";
    }
};

TEST_F(DpiScalingTest, AFormDesignedAtAnotherDpiIsShownAtTheScreensUnlessNotScaled) {
    gui::TForm* form = NewForm(DesignedForm(120, true));
    EXPECT_EQ(form->PixelsPerInch(), 96);
    const RECT client = ClientRectOf(form->Handle());
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 160);
    HWND edit1 = Find<gui::TEdit>(form, "Edit1")->Handle();
    HWND edit2 = Find<gui::TEdit>(form, "Edit2")->Handle();
    ExpectRect(PlaceInParent(edit1), 16, 32, 96, 52);
    // Edit1 ends where Edit2 begins, also after rounding.
    ExpectRect(PlaceInParent(edit2), 96, 32, 144, 52);
    EXPECT_EQ(WindowFontHeight(edit1), -12) << "the form's pixel font, handed to the control";
    EXPECT_EQ(WindowFontHeight(edit2), -16) << "the control's own";

    gui::TForm* kept = NewForm(DesignedForm(120, false));
    EXPECT_EQ(kept->PixelsPerInch(), 120);
    EXPECT_EQ(ClientRectOf(kept->Handle()).right, 300);
    ExpectRect(PlaceInParent(Find<gui::TEdit>(kept, "Edit1")->Handle()), 20, 40, 120, 65);
    EXPECT_EQ(WindowFontHeight(Find<gui::TEdit>(kept, "Edit1")->Handle()), -15);

    try {
        NewForm("Form : TForm {\n    PixelsPerInch = 0\n}\n");
        ADD_FAILURE() << "a form at 0 DPI was read";
    } catch (const rtl::Exception& error) {
        EXPECT_NE(std::string(error.what()).find("line 2: 'PixelsPerInch'"), std::string::npos)
            << error.what();
    }
}

TEST_F(DpiScalingTest, DpiChangedScalesTheLayoutAndTakesTheSuggestedRectangle) {
    gui::TForm* form = ShownForm(R"(
Form : TForm {
    ClientWidth = 320
    ClientHeight = 200
    Edit1 : TEdit {
        Left = 15
        Top = 11
        Width = 101
        Height = 21
    }
    RadioGroup1 : TRadioGroup {
        Left = 150
        Top = 10
        Width = 150
        Height = 80
        Items = ("a" "b")
    }
    View : TListView {
        Left = 15
        Top = 100
        Columns = ("Name=80")
        Items = ("One")
    }
    Panel1 : TPanel {
        Align = alBottom
        Height = 30
    }
    StatusBar1 : TStatusBar {
        StatusPanel1 : TStatusPanel {
            Width = 100
        }
    }
}
)");
    HWND window = form->Handle();
    HWND edit = Find<gui::TEdit>(form, "Edit1")->Handle();
    auto* group = Find<gui::TRadioGroup>(form, "RadioGroup1");
    HWND panel = Find<gui::TPanel>(form, "Panel1")->Handle();
    HWND statusBar = Find<gui::TStatusBar>(form, "StatusBar1")->Handle();
    const RECT panelBefore = PlaceInParent(panel);

    const auto changeDpi = [&](int dpi, RECT suggested) {
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        Settle();
        RECT now{};
        GetWindowRect(window, &now);
        ExpectRect(now, suggested.left, suggested.top, suggested.right, suggested.bottom);
    };
    changeDpi(144, RECT{60, 50, 60 + 500, 50 + 340});
    EXPECT_EQ(form->PixelsPerInch(), 144);
    ExpectRect(PlaceInParent(edit), 23, 17, 174, 48);
    EXPECT_EQ(WindowFontHeight(edit), -17);
    // The aligned panel keeps to the bottom of the new client area, at its new height.
    const RECT client = ClientRectOf(window);
    const RECT panelNow = PlaceInParent(panel);
    EXPECT_EQ(panelNow.bottom - panelNow.top, 45);
    EXPECT_EQ(panelNow.right, client.right);
    EXPECT_EQ(panelNow.bottom, client.bottom);
    int partEdge = 0;
    SendMessageW(statusBar, SB_GETPARTS, 1, reinterpret_cast<LPARAM>(&partEdge));
    EXPECT_EQ(partEdge, 150);
    HWND view = Find<gui::TListView>(form, "View")->Handle();
    EXPECT_EQ(SendMessageW(view, LVM_GETCOLUMNWIDTH, 0, 0), 120);
    EXPECT_EQ(ListView_GetItemCount(view), 1) << "the items stay";
    // The radio buttons are laid out again inside the scaled group, not scaled twice.
    for (gui::TRadioButton* button : group->Buttons()) {
        const RECT place = PlaceInParent(button->Handle());
        EXPECT_EQ(place.left, 12);
        EXPECT_LE(place.bottom, group->Height());
    }

    changeDpi(96, RECT{60, 50, 60 + 330, 50 + 240});
    ExpectRect(PlaceInParent(edit), 15, 11, 116, 32);
    EXPECT_EQ(WindowFontHeight(edit), -11);
    EXPECT_EQ(PlaceInParent(panel).bottom - PlaceInParent(panel).top, panelBefore.bottom - panelBefore.top);
}

} // namespace
