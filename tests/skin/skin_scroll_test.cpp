// Scroll bars, list views and headers skinned in-process, with both of our skins: a 500-line memo scrolled
// by arrows, track, thumb and wheel goes where the unskinned one goes and its skinned thumb shows where it
// is; keys repaint the bars; headers, stand-alone bars (both ways, disabled) wear the skin; unskinning gives
// the system's bars back.
#include "framework/gui/header_control.h"
#include "framework/gui/list_view.h"
#include "framework/gui/memo.h"
#include "framework/gui/scroll_bar.h"
#include "skin/controls/skin_header.h"
#include "skin/controls/skin_list_view.h"
#include "skin/controls/skin_sc_control.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/draw/skin_image.h"
#include "skin/form/control_discovery.h"
#include "tests/skin/skin_test_fixture.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace skin_tests;

namespace {

constexpr int kMemoLines = 500;

skin::Pixel RgbOf(skin::Pixel pixel) {
    return pixel & skin::kPixelRgbMask;
}

INPUT MouseInput(DWORD flags, POINT at = {}, int wheel = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (at.x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (at.y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = flags | (flags & MOUSEEVENTF_MOVE ? MOUSEEVENTF_ABSOLUTE : 0);
    input.mi.mouseData = static_cast<DWORD>(wheel);
    return input;
}

// A press at from, moves in steps to to, and the release, queued at once: a modal tracking loop started by
// the press finds the rest waiting.
void Drag(POINT from, POINT to) {
    std::vector<INPUT> inputs{MouseInput(MOUSEEVENTF_MOVE, from), MouseInput(MOUSEEVENTF_LEFTDOWN)};
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i) {
        inputs.push_back(MouseInput(MOUSEEVENTF_MOVE, POINT{from.x + (to.x - from.x) * i / kSteps,
                                                            from.y + (to.y - from.y) * i / kSteps}));
    }
    inputs.push_back(MouseInput(MOUSEEVENTF_LEFTUP));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Click(POINT at) {
    Drag(at, at);
}

void Wheel(POINT at, int delta) {
    INPUT inputs[] = {MouseInput(MOUSEEVENTF_MOVE, at), MouseInput(MOUSEEVENTF_WHEEL, {}, delta)};
    SendInput(2, inputs, sizeof(INPUT));
}

void Keys(std::initializer_list<WORD> chord) {
    std::vector<INPUT> inputs;
    for (WORD key : chord) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = chord.end(); key != chord.begin();) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The system's view of a window's vertical bar (screen coordinates): its rectangle, arrow size and thumb.
SCROLLBARINFO VerticalBar(HWND window) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(window, OBJID_VSCROLL, &info);
    return info;
}

int FirstLine(HWND memo) {
    return static_cast<int>(SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0));
}

// The pixels of a column down the middle of a bar.
std::vector<skin::Pixel> BarColumn(const RECT& bar) {
    const skin::Bitmap shot = Screenshot(bar);
    std::vector<skin::Pixel> column;
    for (int y = 0; y < shot.height(); ++y)
        column.push_back(RgbOf(shot.pixel(shot.width() / 2, y)));
    return column;
}

// The rows (first, last) where column differs from the bar without thumb; {-1, -1} when none do.
std::pair<int, int> ThumbRows(const std::vector<skin::Pixel>& column, const std::vector<skin::Pixel>& track) {
    int first = -1, last = -1;
    for (std::size_t y = 0; y < column.size() && y < track.size(); ++y) {
        if (column[y] == track[y]) continue;
        if (first < 0) first = static_cast<int>(y);
        last = static_cast<int>(y);
    }
    return {first, last};
}

// How many pixels of rect on screen differ from frame `frame` of the arrow strip stretched onto it (key
// colour showing the bar's colour).
int ArrowMismatches(const skin::Bitmap& shot, const RECT& rect, const skin::TSkinData& skin, int frame) {
    const skin::Bitmap& strip = skin.Scrollbar->Image;
    const skin::Rect source =
        skin::SkinFrameRect(strip, {.frame = frame, .frameCount = skin::kScrollArrowFrames});
    const skin::Pixel background =
        RgbOf(skin::ColourToPixel(static_cast<skin::Colour>(gui::ColorToRGB(skin.ScrollbarColour))));
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    int mismatches = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            skin::Pixel p = RgbOf(
                strip.pixel(source.Left + x * source.Width() / w, source.Top + y * source.Height() / h));
            if (p == skin::kSkinKeyPixel) p = background;
            mismatches += RgbOf(shot.pixel(rect.left + x, rect.top + y)) != p;
        }
    }
    return mismatches;
}

class SkinScrollTest : public SkinFormTest {
  protected:
    // beforeShow: called with the form read but not yet shown (nor skinned).
    TSkinTestForm* ScrollForm(const std::string& controls,
                              const std::function<void(TSkinTestForm&)>& beforeShow = {}) {
        const std::string text = R"(SkinForm : TSkinTestForm {
    Caption = "Scroll bars"
    ClientWidth = 521
    ClientHeight = 255
    Left = 100
    Top = 100
    BorderStyle = bsSingle
    SkinData1 : TSkinData {
        Active = True
        SkinFile = ")" + Escaped(SkinFile(GetParam())) +
                                 "\"\n    }\n" + controls + "}\n";
        TSkinTestForm* form = NewForm(text);
        for (const char* name : {"Memo1", "Memo2"}) {
            auto* memo = dynamic_cast<gui::TMemo*>(form->FindComponent(name));
            if (!memo) continue;
            std::vector<std::string> lines;
            for (int i = 0; i < kMemoLines; ++i)
                lines.push_back("Line " + std::to_string(i + 1));
            memo->SetLines(lines);
        }
        if (beforeShow) beforeShow(*form);
        form->Show();
        SetForegroundWindow(form->Handle());
        EXPECT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "the form was not skinned";
        Settle(std::chrono::milliseconds(200));
        return form;
    }
    static HWND HandleOf(gui::TForm* form, const char* name) {
        return dynamic_cast<gui::TWinControl*>(form->FindComponent(name))->Handle();
    }
    static skin::TWinSkinForm& ObjectOf(HWND window) { return *skin::SkinManager->FindFormByWindow(window); }
    template <class T> static T* ObjectFor(HWND window, HWND control) {
        return dynamic_cast<T*>(skin::FindControlObject(ObjectOf(window), control));
    }
    void Settle(std::chrono::milliseconds time = std::chrono::milliseconds(150)) {
        SkinFormTest::Settle(time);
    }
};

// Two memos of one size: Memo1 skinned, Memo2 (tag 99) as the system draws it.
const char* kTwoMemos = R"(    Memo1 : TMemo {
        Left = 16
        Top = 16
        Width = 200
        Height = 200
        ScrollBars = ssVertical
        WordWrap = False
    }
    Memo2 : TMemo {
        Left = 260
        Top = 16
        Width = 200
        Height = 200
        ScrollBars = ssVertical
        WordWrap = False
        Tag = 99
    }
)";

TEST_P(SkinScrollTest, MemoScrollsAsTheUnskinnedOneAndItsThumbShowsWhereItIs) {
    TSkinTestForm* form = ScrollForm(kTwoMemos);
    HWND skinned = HandleOf(form, "Memo1"), plain = HandleOf(form, "Memo2");
    ASSERT_NE(ObjectFor<skin::TSkinScrollBar>(form->Handle(), skinned), nullptr);
    EXPECT_EQ(ObjectFor<skin::TSkinScrollBar>(form->Handle(), plain), nullptr);

    // The same user action on both memos, then the same first line in both.
    const auto onBoth = [&](const char* what, int tolerance, const std::function<void(HWND)>& act) {
        for (HWND memo : {skinned, plain}) {
            act(memo);
            Settle();
        }
        EXPECT_NEAR(FirstLine(skinned), FirstLine(plain), tolerance) << what;
        EXPECT_GT(FirstLine(plain), 0) << what << " scrolled";
    };
    const auto downArrow = [](HWND memo) {
        const SCROLLBARINFO bar = VerticalBar(memo);
        return POINT{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                     bar.rcScrollBar.bottom - bar.dxyLineButton / 2};
    };
    onBoth("an arrow click", 0, [&](HWND memo) { Click(downArrow(memo)); });
    onBoth("a track click", 0, [&](HWND memo) {
        const POINT arrow = downArrow(memo);
        Click(POINT{arrow.x, arrow.y - VerticalBar(memo).dxyLineButton * 2});
    });
    onBoth("the thumb dragged", 1, [&](HWND memo) {
        const SCROLLBARINFO bar = VerticalBar(memo);
        const POINT thumb{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                          bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
        Drag(thumb, POINT{thumb.x, thumb.y + 60});
    });
    onBoth("the wheel", 0, [&](HWND memo) { Wheel(downArrow(memo), -WHEEL_DELTA); });
    EXPECT_GT(FirstLine(skinned), 100) << "the drag went a good way down";

    // The skinned thumb at the top, the end (by keys: the bar is repainted after them) and the middle.
    const RECT bar = VerticalBar(skinned).rcScrollBar;
    const int arrow = VerticalBar(skinned).dxyLineButton;
    SetFocus(skinned);
    Keys({VK_CONTROL, VK_HOME});
    Settle();
    ASSERT_EQ(FirstLine(skinned), 0);
    const std::vector<skin::Pixel> atTop = BarColumn(bar);
    Keys({VK_CONTROL, VK_END});
    Settle();
    const std::vector<skin::Pixel> atEnd = BarColumn(bar);
    // Without its thumb the bar shows the track: the lower half from the top position, the upper half from
    // the end position.
    std::vector<skin::Pixel> track(atTop);
    std::copy(atEnd.begin(), atEnd.begin() + static_cast<std::ptrdiff_t>(atEnd.size() / 2), track.begin());
    const auto [topFirst, topLast] = ThumbRows(atTop, track);
    const auto [endFirst, endLast] = ThumbRows(atEnd, track);
    ASSERT_GE(topFirst, arrow) << "a thumb below the up arrow";
    ASSERT_GT(endFirst, topLast) << "the thumb moved down with Ctrl+End";
    EXPECT_EQ(endLast - endFirst, topLast - topFirst) << "the same thumb";
    const int barLength = static_cast<int>(bar.bottom - bar.top);
    EXPECT_NEAR(barLength - arrow - 1 - endLast, topFirst - arrow, 1)
        << "as far from the down arrow as it was from the up one";

    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(skinned, SB_VERT, &info);
    const int lastPosition = info.nMax - static_cast<int>(info.nPage) + 1;
    SendMessageW(skinned, EM_LINESCROLL, 0, -(FirstLine(skinned) - lastPosition / 2));
    Settle();
    GetScrollInfo(skinned, SB_VERT, &info);
    const auto [midFirst, midLast] = ThumbRows(BarColumn(bar), track);
    const double expected = topFirst + static_cast<double>(endFirst - topFirst) * info.nPos / lastPosition;
    EXPECT_NEAR(midFirst, expected, 1.0) << "position " << info.nPos << " of " << lastPosition;
    EXPECT_EQ(midLast - midFirst, topLast - topFirst);
    SaveArtifact(Screenshot(WindowRectOf(form->Handle())), std::string("scroll-memo-") + GetParam() + ".bmp");

    // Unskinned, the memo's bar is the system's again: as the never skinned memo shows at that position.
    SendMessageW(plain, EM_LINESCROLL, 0, FirstLine(skinned) - FirstLine(plain));
    Skin(form).SetActive(false);
    ASSERT_TRUE(Pump([&] { return skin::SkinManager->FindFormByWindow(form->Handle()) == nullptr; }));
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Settle();
    EXPECT_EQ(BarColumn(VerticalBar(skinned).rcScrollBar), BarColumn(VerticalBar(plain).rcScrollBar));
}

// Counts what would make a control lay itself out again, as it reaches the control's own message handling
// (below the skin's).
class LayoutWatcher {
  public:
    explicit LayoutWatcher(gui::TWinControl& control) {
        hook_.Install(control, gui::TWndMethod::Of<&LayoutWatcher::Handle>(this));
    }
    int Heard() const { return heard_; }

  private:
    void Handle(gui::TMessage& message) {
        if (message.Msg == WM_STYLECHANGING || message.Msg == WM_STYLECHANGED || message.Msg == WM_SIZE)
            ++heard_;
        hook_.CallPrevious(message);
    }
    gui::TMessageHook hook_;
    int heard_ = 0;
};

TEST_P(SkinScrollTest, FramePaintsLeaveTheControlsLayoutAndScrollStateAlone) {
    std::string items;
    for (int i = 1; i <= 40; ++i)
        items += " \"Item " + std::to_string(i) + "|" + std::to_string(i) + " KB\"";
    std::vector<std::unique_ptr<LayoutWatcher>> watchers;
    TSkinTestForm* form = ScrollForm(std::string(kTwoMemos) + R"(    ListView1 : TListView {
        Left = 16
        Top = 224
        Width = 300
        Height = 24
        Columns = ("Name=120" "Size=80")
        Items = ()" + items + R"()
    }
)",
                                     [&](TSkinTestForm& shown) {
                                         for (const char* name : {"Memo1", "ListView1"}) {
                                             auto* control =
                                                 dynamic_cast<gui::TWinControl*>(shown.FindComponent(name));
                                             watchers.push_back(std::make_unique<LayoutWatcher>(*control));
                                         }
                                     });
    const char* names[] = {"Memo1", "ListView1"};
    for (std::size_t i = 0; i < 2; ++i) {
        HWND control = HandleOf(form, names[i]);
        ASSERT_NE(ObjectFor<skin::TSkinScrollBar>(form->Handle(), control), nullptr) << names[i];
        const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
        ASSERT_TRUE(style & WS_VSCROLL) << names[i] << " has its bar";
        SendMessageW(control, WM_VSCROLL, SB_LINEDOWN, 0);
        Settle();
        SCROLLINFO before{sizeof before, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(control, SB_VERT, &before);
        const std::vector<skin::Pixel> bar = BarColumn(VerticalBar(control).rcScrollBar);
        const int heard = watchers[i]->Heard();

        for (int paint = 0; paint < 3; ++paint)
            RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        Settle();
        EXPECT_EQ(watchers[i]->Heard(), heard) << names[i] << " was not made to lay itself out again";
        EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE), style) << names[i];
        SCROLLINFO after{sizeof after, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(control, SB_VERT, &after);
        EXPECT_EQ(after.nPos, before.nPos) << names[i];
        EXPECT_EQ(after.nMax, before.nMax) << names[i];
        EXPECT_EQ(after.nPage, before.nPage) << names[i];
        EXPECT_EQ(BarColumn(VerticalBar(control).rcScrollBar), bar) << names[i] << "'s bar looks the same";
    }
}

TEST_P(SkinScrollTest, ListViewHeaderAndHeaderControlWearTheSkinsHeader) {
    TSkinTestForm* form = ScrollForm(R"(    ListView1 : TListView {
        Left = 16
        Top = 16
        Width = 300
        Height = 150
        Columns = ("Name=120" "Size=80")
        Items = ("One|1 KB" "Two|2 KB")
    }
    Header1 : THeaderControl {
        Left = 16
        Top = 200
        Width = 300
        Height = 22
        Sections = ("First=100" "Second=100")
    }
)");
    const skin::TSkinData& skin = Skin(form);
    auto* list = dynamic_cast<gui::TListView*>(form->FindComponent("ListView1"));
    HWND header = list->HeaderWindow(), control = HandleOf(form, "Header1");
    auto* listObject = ObjectFor<skin::TSkinListView>(form->Handle(), list->Handle());
    ASSERT_NE(listObject, nullptr);
    EXPECT_EQ(skin::FindControlObject(ObjectOf(form->Handle()), header), listObject->Header);
    ASSERT_NE(ObjectFor<skin::TSkinHeader>(form->Handle(), control), nullptr);

    // Row 0 and the last row of a section: the element's top and bottom edges, at their own size.
    const skin::Bitmap& image = skin.Headerbar->Image;
    const skin::Rect normal =
        skin::SkinFrameRect(image, {.frame = skin::kHeaderNormalFrame, .frameCount = skin::kHeaderFrames});
    const skin::Rect pressed =
        skin::SkinFrameRect(image, {.frame = skin::kHeaderPressedFrame, .frameCount = skin::kHeaderFrames});
    const auto edgesOf = [&](const skin::Rect& frame) {
        const int x = frame.Left + frame.Width() / 2;
        return std::pair{RgbOf(image.pixel(x, 0)), RgbOf(image.pixel(x, image.height() - 1))};
    };
    const auto shownEdges = [&](HWND window, int x) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Settle();
        const skin::Bitmap shot = Screenshot(WindowRectOf(window));
        return std::pair{RgbOf(shot.pixel(x, 0)), RgbOf(shot.pixel(x, shot.height() - 1))};
    };
    EXPECT_EQ(shownEdges(header, 60), edgesOf(normal)) << "the list view's header";
    EXPECT_EQ(shownEdges(header, 260), edgesOf(normal)) << "right of the last column";
    EXPECT_EQ(shownEdges(control, 150), edgesOf(normal)) << "the header control";

    // The section held down by the mouse is shown pressed.
    const RECT rect = WindowRectOf(control);
    std::vector<INPUT> press{MouseInput(MOUSEEVENTF_MOVE, POINT{rect.left + 150, rect.top + 8}),
                             MouseInput(MOUSEEVENTF_LEFTDOWN)};
    SendInput(2, press.data(), sizeof(INPUT));
    Settle();
    if (edgesOf(pressed) != edgesOf(normal)) {
        EXPECT_EQ(shownEdges(control, 150), edgesOf(pressed)) << "pressed";
    }
    EXPECT_EQ(shownEdges(control, 50), edgesOf(normal)) << "the other section";
    int clicked = -1;
    auto* headerControl = dynamic_cast<gui::THeaderControl*>(form->FindComponent("Header1"));
    headerControl->OnSectionClick = [&](rtl::TObject*) { clicked = headerControl->ClickedSection(); };
    INPUT release = MouseInput(MOUSEEVENTF_LEFTUP);
    SendInput(1, &release, sizeof(INPUT));
    Settle();
    EXPECT_EQ(clicked, 1) << "the click reached the form";
    EXPECT_EQ(shownEdges(control, 150), edgesOf(normal)) << "released";
}

TEST_P(SkinScrollTest, StandAloneBarsBothWaysAndDisabledShowTheSkinsArrows) {
    TSkinTestForm* form = ScrollForm(R"(    HorzBar : TScrollBar {
        Left = 16
        Top = 16
        Width = 200
        Height = 17
        Max = 100
        PageSize = 10
        Position = 20
    }
    VertBar : TScrollBar {
        Left = 240
        Top = 16
        Width = 17
        Height = 150
        Kind = sbVertical
        Max = 100
        Position = 50
        SmallChange = 5
    }
    DisabledBar : TScrollBar {
        Left = 16
        Top = 60
        Width = 200
        Height = 17
        Enabled = False
    }
)");
    const skin::TSkinData& skin = Skin(form);
    HWND horz = HandleOf(form, "HorzBar"), vert = HandleOf(form, "VertBar"),
         disabled = HandleOf(form, "DisabledBar");
    for (HWND bar : {horz, vert, disabled})
        ASSERT_NE(ObjectFor<skin::TSkinScControl>(form->Handle(), bar), nullptr);
    const int cx = GetSystemMetrics(SM_CXHSCROLL);
    // The looks of both arrows: of each arrow's four frames (normal, pressed, hot, disabled) the one the
    // screen is nearest to, 1-based.
    const auto looks = [&](HWND bar, bool vertical) {
        RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Settle();
        const skin::Bitmap shot = Screenshot(WindowRectOf(bar));
        const int w = shot.width(), h = shot.height();
        const RECT ends[2] = {vertical ? RECT{0, 0, w, cx} : RECT{0, 0, cx, h},
                              vertical ? RECT{0, h - cx, w, h} : RECT{w - cx, 0, w, h}};
        const int bases[2] = {vertical ? skin::kUpArrowFrame : skin::kLeftArrowFrame,
                              vertical ? skin::kDownArrowFrame : skin::kRightArrowFrame};
        std::pair<int, int> nearest;
        for (int e = 0; e < 2; ++e) {
            int best = 0, fewest = cx * cx + 1;
            for (int look = 0; look < 4; ++look) {
                const int off = ArrowMismatches(shot, ends[e], skin, bases[e] + look);
                if (off < fewest) best = look + 1, fewest = off;
            }
            (e == 0 ? nearest.first : nearest.second) = best;
        }
        return nearest;
    };
    const std::pair normal{1, 1}, disabledLook{4, 4};
    EXPECT_EQ(looks(horz, false), normal) << "horizontal";
    EXPECT_EQ(looks(vert, true), normal) << "vertical";
    EXPECT_EQ(looks(disabled, false), disabledLook) << "disabled";

    // A click on the down arrow steps the position; the bar keeps the skin's look, and its thumb moves.
    auto* bar = dynamic_cast<gui::TScrollBar*>(form->FindComponent("VertBar"));
    const skin::Bitmap before = Screenshot(WindowRectOf(vert));
    const RECT rect = WindowRectOf(vert);
    Click(POINT{(rect.left + rect.right) / 2, rect.bottom - cx / 2});
    Settle();
    EXPECT_EQ(bar->Position(), 55);
    EXPECT_EQ(looks(vert, true), normal) << "after the click";
    EXPECT_NE(BarColumn(rect), [&] {
        std::vector<skin::Pixel> column;
        for (int y = 0; y < before.height(); ++y)
            column.push_back(RgbOf(before.pixel(before.width() / 2, y)));
        return column;
    }()) << "the thumb moved";
    SaveArtifact(Screenshot(WindowRectOf(form->Handle())), std::string("scroll-bars-") + GetParam() + ".bmp");
}

TEST_P(SkinScrollTest, OddBarsAThumbDraggedPastTheEndEmptySectionsAndLeftBarsLookRight) {
    TSkinTestForm* form = ScrollForm(std::string(kTwoMemos) + R"(    ShortBar : TScrollBar {
        Left = 480
        Top = 16
        Width = 17
        Height = 24
        Kind = sbVertical
        Max = 100
        PageSize = 10
    }
    WholeBar : TScrollBar {
        Left = 480
        Top = 60
        Width = 17
        Height = 120
        Kind = sbVertical
        Max = 9
        PageSize = 10
    }
    Header1 : THeaderControl {
        Left = 16
        Top = 224
        Width = 300
        Height = 22
        Sections = ("=100" "Second=100")
    }
)");
    const skin::TSkinData& skin = Skin(form);
    const int cx = GetSystemMetrics(SM_CXHSCROLL);
    // Of the four looks of an arrow, the one nearest to what the screen shows in rect.
    const auto nearestLook = [&](const skin::Bitmap& shot, const RECT& rect, int base) {
        int best = 0, fewest = INT_MAX;
        for (int look = 0; look < 4; ++look) {
            const int off = ArrowMismatches(shot, rect, skin, base + look);
            if (off < fewest) best = look + 1, fewest = off;
        }
        return std::pair{best, fewest};
    };

    // Shorter than its two arrows: each arrow gets half the bar, squeezed, and nothing else is drawn.
    HWND shortBar = HandleOf(form, "ShortBar");
    RedrawWindow(shortBar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Settle();
    const skin::Bitmap shortShot = Screenshot(WindowRectOf(shortBar));
    const int half = shortShot.height() / 2;
    ASSERT_LT(shortShot.height(), 2 * cx);
    const auto up = nearestLook(shortShot, RECT{0, 0, shortShot.width(), half}, skin::kUpArrowFrame);
    const auto down =
        nearestLook(shortShot, RECT{0, half, shortShot.width(), 2 * half}, skin::kDownArrowFrame);
    EXPECT_EQ(up.first, 1) << "the up arrow in the top half";
    EXPECT_EQ(down.first, 1) << "the down arrow in the bottom half";
    EXPECT_LT(up.second + down.second, shortShot.width() * half / 4) << "mostly the skin's arrows";

    // A page as large as the range: the thumb fills the track but its last pixel, from the track's start.
    // (A bar is composed 16 pixels across and stretched: screen column x shows composed column x * 16 /
    // width.)
    HWND whole = HandleOf(form, "WholeBar");
    const RECT wholeRect = WindowRectOf(whole);
    const std::vector<skin::Pixel> wholeColumn = BarColumn(wholeRect);
    const int length = static_cast<int>(wholeColumn.size()), across = wholeRect.right - wholeRect.left;
    const skin::TDataSkinObject& thumbElement = *skin.VertScrollThumb;
    const int thumbX = (across / 2) * 16 / across;
    const skin::Rect thumbFrame =
        skin::SkinFrameRect(thumbElement.Image, {.frameCount = std::max(thumbElement.FrameCount, 1)});
    const auto thumbPixel = [&](int y) {
        return RgbOf(thumbElement.Image.pixel(thumbFrame.Left + thumbX, y));
    };
    int first = 0,
        last = thumbElement.Image.height() - 1; // the thumb's outermost rows that are not see-through
    while (first < last && thumbPixel(first) == skin::kSkinKeyPixel)
        ++first;
    while (last > first && thumbPixel(last) == skin::kSkinKeyPixel)
        --last;
    EXPECT_EQ(wholeColumn[static_cast<std::size_t>(cx + first)], thumbPixel(first))
        << "the thumb starts at the track";
    const int endRow = length - cx - 2 - (thumbElement.Image.height() - 1 - last);
    EXPECT_EQ(wholeColumn[static_cast<std::size_t>(endRow)], thumbPixel(last))
        << "and ends a pixel before its end";

    // The thumb dragged past the end of the skinned memo: the last position, as the system's own bar.
    HWND memo = HandleOf(form, "Memo1"), plain = HandleOf(form, "Memo2");
    for (HWND m : {memo, plain}) {
        const SCROLLBARINFO bar = VerticalBar(m);
        const POINT thumb{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                          bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
        Drag(thumb, POINT{thumb.x, bar.rcScrollBar.bottom + 20});
        Settle();
    }
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(memo, SB_VERT, &info);
    EXPECT_EQ(info.nPos, info.nMax - static_cast<int>(info.nPage) + 1) << "the last position";
    EXPECT_EQ(FirstLine(memo), FirstLine(plain));

    // A section without text shows the section background alone, as the space right of the last section
    // (of the same width) does.
    HWND header = HandleOf(form, "Header1");
    RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Settle();
    const skin::Bitmap headerShot = Screenshot(WindowRectOf(header));
    int differing = 0;
    for (int y = 0; y < headerShot.height(); ++y) {
        for (int x = 0; x < 100; ++x)
            differing += headerShot.pixel(x, y) != headerShot.pixel(x + 200, y);
    }
    EXPECT_EQ(differing, 0) << "no text, no icon in the empty section";

    // A bar at the left (WS_EX_LEFTSCROLLBAR) is skinned there: the skin's up arrow at its top.
    SetWindowLongPtrW(memo, GWL_EXSTYLE, GetWindowLongPtrW(memo, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    SetWindowPos(memo, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    RedrawWindow(memo, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Settle();
    const RECT leftBar = VerticalBar(memo).rcScrollBar;
    const RECT memoRect = WindowRectOf(memo);
    ASSERT_LT(leftBar.left - memoRect.left, memoRect.right - leftBar.right)
        << "the system put the bar at the left";
    const skin::Bitmap leftShot = Screenshot(leftBar);
    EXPECT_EQ(nearestLook(leftShot, RECT{0, 0, leftShot.width(), cx}, skin::kUpArrowFrame).first, 1);
    EXPECT_LT(nearestLook(leftShot, RECT{0, 0, leftShot.width(), cx}, skin::kUpArrowFrame).second,
              cx * cx / 4)
        << "the skin's up arrow, not the system's";
    SaveArtifact(Screenshot(WindowRectOf(form->Handle())), std::string("scroll-odd-") + GetParam() + ".bmp");
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinScrollTest, ::testing::Values("default.skn", "dark.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });

} // namespace
