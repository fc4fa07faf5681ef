// The real program, driven from outside: typing, clicking, reading results and error boxes.
#include "tests/e2e/driver.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace std::chrono_literals;
using e2e::ProgramUnderTest;

namespace {

const std::wstring kTitle = L"Marivel进制转换器";

struct MainWindow {
    HWND window = nullptr;
    HWND number = nullptr; // Edit1
    HWND base = nullptr;   // Edit2
    HWND result = nullptr; // Edit3
    HWND button = nullptr;
};

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(
            e2e::WaitFor([&] { return (main.window = program.FindWindowByTitle(kTitle)) != nullptr; }, 20s))
            << "the main window did not appear";
        ASSERT_TRUE(e2e::WaitFor([&] { return e2e::IsSkinnedAndFitted(main.window); }, 10s))
            << "the main window was not skinned";
        auto edits = e2e::ChildWindows(main.window, L"Edit");
        ASSERT_EQ(edits.size(), 3u);
        std::sort(edits.begin(), edits.end(), [](HWND a, HWND b) {
            RECT ra{}, rb{};
            GetWindowRect(a, &ra);
            GetWindowRect(b, &rb);
            return ra.top < rb.top;
        });
        main.number = edits[0];
        main.base = edits[1];
        main.result = edits[2];
        const auto buttons = e2e::ChildWindows(main.window, L"Button");
        ASSERT_EQ(buttons.size(), 1u);
        main.button = buttons[0];
    }

    void Enter(HWND edit, const std::wstring& text) {
        e2e::SelectAllAndDelete(edit);
        e2e::TypeText(text);
    }

    // Types both boxes, clicks the button and returns the result box text.
    std::wstring Convert(const std::wstring& number, const std::wstring& base) {
        Enter(main.number, number);
        Enter(main.base, base);
        e2e::ClickWindowCentre(main.button);
        e2e::WaitFor([] { return false; }, 150ms);
        return e2e::WindowText(main.result);
    }

    // The menu bar's one item, where a user sees it: on the bar just above the client area, at its left end.
    POINT MenuItemPoint() const {
        POINT clientOrigin{0, 0};
        ClientToScreen(main.window, &clientOrigin);
        return POINT{clientOrigin.x + 30, clientOrigin.y - GetSystemMetrics(SM_CYMENU) / 2};
    }

    // The stand-in browser was asked for the website's address.
    void ExpectWebsiteOpened() {
        const std::wstring record = program.Folder() + L"\\browser-called.txt";
        ASSERT_TRUE(
            e2e::WaitFor([&] { return GetFileAttributesW(record.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10s))
            << "no browser was asked to open the website";
        e2e::WaitFor([] { return false; }, 300ms);
        std::ifstream in(record.c_str());
        std::stringstream recorded;
        recorded << in.rdbuf();
        // The explorer has handed the address on and ended by now; the exact call the program makes is
        // checked in-process by the form tests.
        EXPECT_NE(recorded.str().find("http://www.marivel.example"), std::string::npos) << recorded.str();
    }

    // Waits for the error box, returns its caption and text, and closes it with its OK button.
    std::pair<std::wstring, std::wstring> TakeErrorBox(const std::wstring& screenshot = L"") {
        HWND box = nullptr;
        e2e::WaitFor([&] { return (box = program.FindWindowByClass(L"#32770")) != nullptr; }, 5s);
        if (!box) return {L"(no error box)", L""};
        e2e::WaitFor([] { return false; }, 200ms);
        const std::wstring caption = e2e::WindowText(box);
        std::wstring text;
        if (HWND label = GetDlgItem(box, 0xFFFF)) text = e2e::WindowText(label);
        if (!screenshot.empty()) {
            RECT rect{};
            GetWindowRect(box, &rect);
            e2e::SaveScreenshot(rect, e2e::ArtifactPath(screenshot));
        }
        PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        e2e::WaitFor([&] { return !IsWindow(box); }, 5s);
        return {caption, text};
    }

    ProgramUnderTest program;
    MainWindow main;
};

TEST_F(MainWindowTest, WindowGeometryIsFixedAndTheSkinDrawsTheCaptionButtons) {
    RECT window{}, client{};
    GetWindowRect(main.window, &window);
    GetClientRect(main.window, &client);
    EXPECT_EQ(window.left, 352);
    EXPECT_EQ(window.top, 165);
    EXPECT_EQ(client.right, 521);
    EXPECT_EQ(client.bottom, 255);
    const LONG_PTR style = GetWindowLongPtrW(main.window, GWL_STYLE);
    EXPECT_FALSE(style & WS_SYSMENU) << "while skinned, the skin draws the caption buttons, not the system";
    EXPECT_FALSE(style & WS_THICKFRAME) << "must not be resizable";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(e2e::WindowText(main.window), kTitle);
    // The focus starts in the number box: typed text lands there.
    e2e::ClickAt(POINT{window.left + 200, window.top + 5}); // activate through the caption
    e2e::TypeText(L"42");
    EXPECT_EQ(e2e::WindowText(main.number), L"42");
    e2e::SaveScreenshot(window, e2e::ArtifactPath(L"main-window.bmp"));
}

TEST_F(MainWindowTest, WorkedResults) {
    EXPECT_EQ(Convert(L"255", L"16"), L"FF");
    EXPECT_EQ(Convert(L"240", L"16"), L"F0");
    EXPECT_EQ(Convert(L"35", L"36"), L"Z");
    EXPECT_EQ(Convert(L"100", L"7"), L"202");
    EXPECT_EQ(Convert(L"10", L"2"), L"1010");
    EXPECT_EQ(Convert(L"0", L"9"), L"0");
    EXPECT_EQ(Convert(L"2147483647", L"36"), L"ZIK0ZJ");
    EXPECT_EQ(Convert(L"2147483647", L"2"), std::wstring(31, L'1'));
    EXPECT_EQ(Convert(L"$FF", L"10"), L"255");
    EXPECT_EQ(Convert(L"0xff", L"10"), L"255");
    EXPECT_EQ(Convert(L"-255", L"16"), L"-FF");
}

TEST_F(MainWindowTest, BlanksAroundTheNumberAndBeforeTheBaseAreAccepted) {
    EXPECT_EQ(Convert(L"  255\t ", L"16"), L"FF");
    EXPECT_EQ(Convert(L"255", L" 16"), L"FF");
}

TEST_F(MainWindowTest, ErrorsShowTheMessageBoxAndKeepThePreviousResult) {
    EXPECT_EQ(Convert(L"255", L"16"), L"FF");

    Convert(L"255", L"16 ");
    auto [caption, text] = TakeErrorBox(L"error-box.bmp");
    EXPECT_EQ(caption, kTitle);
    EXPECT_EQ(text, L"'16 ' is not a valid integer value.");
    EXPECT_EQ(e2e::WindowText(main.result), L"FF");

    Convert(L"", L"16");
    std::tie(caption, text) = TakeErrorBox();
    EXPECT_EQ(text, L"'' is not a valid integer value.");

    Convert(L"2147483648", L"16");
    std::tie(caption, text) = TakeErrorBox();
    EXPECT_EQ(text, L"'2147483648' is not a valid integer value.");

    Convert(L"12a", L"x");
    std::tie(caption, text) = TakeErrorBox();
    EXPECT_EQ(text, L"'12a' is not a valid integer value.") << "the number box is reported first";

    Convert(L"100", L"37");
    std::tie(caption, text) = TakeErrorBox();
    EXPECT_EQ(text, L"'37' is not a valid base: enter a number from 2 to 36.");
    EXPECT_EQ(e2e::WindowText(main.result), L"FF");

    // The window takes input again after the box is closed.
    EXPECT_EQ(Convert(L"16", L"16"), L"10");
}

TEST_F(MainWindowTest, FocusReturnsToTheBoxThatHadItAfterAnErrorBox) {
    Enter(main.number, L"oops");
    e2e::ClickWindowCentre(main.base);
    e2e::PressKey(VK_END);
    // Enter in the base box does nothing; the click does the conversion, then the focus goes back.
    e2e::ClickWindowCentre(main.button);
    TakeErrorBox();
    e2e::WaitFor([] { return false; }, 200ms);
    e2e::TypeText(L"7");
    EXPECT_EQ(e2e::WindowText(main.number), L"oops");
}

TEST_F(MainWindowTest, TabMovesThroughTheBoxesInOrder) {
    Enter(main.number, L"1");
    e2e::PressKey(VK_TAB);
    e2e::TypeText(L"2");
    e2e::PressKey(VK_TAB);
    e2e::TypeText(L"3");
    EXPECT_EQ(e2e::WindowText(main.number), L"1");
    EXPECT_EQ(e2e::WindowText(main.base), L"2");
    EXPECT_EQ(e2e::WindowText(main.result), L"3");
    // On to the button: space presses it (1 in base 2).
    e2e::PressKey(VK_TAB);
    e2e::PressKey(VK_SPACE);
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::WindowText(main.result) == L"1"; }, 3s));
}

TEST_F(MainWindowTest, TheButtonLightsUnderTheMouseAndGoesBackWhenItLeaves) {
    RECT button{}, window{};
    GetWindowRect(main.button, &button);
    GetWindowRect(main.window, &window);
    const POINT away{window.left + 30, button.top + 5};     // the window's face, beside the button
    e2e::ClickAt(POINT{window.left + 200, window.top + 5}); // active, so the skin watches the mouse
    e2e::MoveMouseTo(away);
    e2e::WaitFor([] { return false; }, 400ms);
    const auto normal = e2e::ScreenPixels(button);
    e2e::MoveMouseTo(POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::ScreenPixels(button) != normal; }, 2s))
        << "hot under the mouse";
    e2e::MoveMouseTo(away);
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::ScreenPixels(button) == normal; }, 2s))
        << "normal once it left";
}

TEST_F(MainWindowTest, MenuCommandOpensTheWebsiteThroughTheExplorerAndChangesNothing) {
    EXPECT_EQ(Convert(L"255", L"16"), L"FF");
    e2e::ClickAt(MenuItemPoint());
    ExpectWebsiteOpened();
    EXPECT_EQ(e2e::WindowText(main.result), L"FF");
    EXPECT_EQ(e2e::WindowText(main.number), L"255");
    EXPECT_EQ(program.FindWindowByClass(L"#32770"), nullptr);
}

TEST_F(MainWindowTest, AltGivesTheMenuBarTheKeyboardAndEnterRunsItsItem) {
    e2e::ClickWindowCentre(main.number);
    const POINT item = MenuItemPoint();
    const RECT bar{item.x - 30, item.y - 9, item.x + 90, item.y + 9};
    e2e::WaitFor([] { return false; }, 400ms); // an item lit by the pointer before the click has gone out
    const auto normal = e2e::ScreenPixels(bar);
    e2e::PressKey(VK_MENU);
    ASSERT_TRUE(e2e::WaitFor([&] { return e2e::ScreenPixels(bar) != normal; }, 2s))
        << "Alt did not light the item";
    e2e::SaveScreenshot(bar, e2e::ArtifactPath(L"menu-bar-keyboard.bmp"));
    // Typing goes to the bar, not to the focused box, until Escape gives the keyboard back.
    const std::wstring before = e2e::WindowText(main.number);
    e2e::TypeText(L"7");
    e2e::PressKey(VK_ESCAPE);
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::ScreenPixels(bar) == normal; }, 2s));
    EXPECT_EQ(e2e::WindowText(main.number), before);
    // Alt twice leaves the bar as it was; Alt then Enter runs the item.
    e2e::PressKey(VK_MENU);
    e2e::PressKey(VK_MENU);
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::ScreenPixels(bar) == normal; }, 2s));
    e2e::PressKey(VK_MENU);
    e2e::PressKey(VK_RETURN);
    ExpectWebsiteOpened();
    EXPECT_EQ(program.FindWindowByClass(L"#32770"), nullptr);
}

TEST_F(MainWindowTest, AltF4EndsTheProgram) {
    e2e::ClickWindowCentre(main.number);
    e2e::PressKey(VK_F4, /*alt=*/true);
    EXPECT_EQ(program.WaitForExit(10s), 0);
}

} // namespace
