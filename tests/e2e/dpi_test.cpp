// The real program started with the display at 96, 120, 144 and 192 DPI (LogPixels in the prefix's
// registry, which a new process reads when it starts): the main window lays itself out at that DPI.
#include "tests/e2e/driver.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using e2e::ProgramUnderTest;

namespace {

const std::wstring kTitle = L"Marivel进制转换器";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";

// The display's DPI for the processes started while it lives; the previous setting comes back after.
class DisplayDpiSetting {
  public:
    explicit DisplayDpiSetting(DWORD dpi) {
        DWORD size = sizeof previous_;
        hadPrevious_ = RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, RRF_RT_REG_DWORD, nullptr,
                                    &previous_, &size) == ERROR_SUCCESS;
        Write(dpi);
    }
    ~DisplayDpiSetting() {
        if (hadPrevious_) {
            Write(previous_);
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels);
        }
    }
    DisplayDpiSetting(const DisplayDpiSetting&) = delete;
    DisplayDpiSetting& operator=(const DisplayDpiSetting&) = delete;

  private:
    static void Write(DWORD dpi) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &dpi, sizeof dpi);
    }
    DWORD previous_ = 0;
    bool hadPrevious_ = false;
};

// The main window's stored layout at 96 DPI: client size and the windows in it, top to bottom.
constexpr SIZE kDesignClient{521, 255};
constexpr RECT kDesignEdit1{96, 56, 96 + 377, 56 + 21};
constexpr RECT kDesignEdit2{96, 104, 96 + 201, 104 + 21};
constexpr RECT kDesignEdit3{95, 152, 95 + 377, 152 + 21};
constexpr RECT kDesignButton{184, 216, 184 + 169, 216 + 25};

int Scaled(int length, int dpi) {
    return MulDiv(length, dpi, 96);
}

// Within one pixel of the design rectangle's edges at dpi.
void ExpectScaledRect(const RECT& actual, const RECT& design, int dpi, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_NEAR(actual.left, Scaled(design.left, dpi), 1);
    EXPECT_NEAR(actual.top, Scaled(design.top, dpi), 1);
    EXPECT_NEAR(actual.right, Scaled(design.right, dpi), 1);
    EXPECT_NEAR(actual.bottom, Scaled(design.bottom, dpi), 1);
}

// A child window's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The height of the dark pixels (the text) in the edit's client area, as the screen shows it.
int TextInkHeight(HWND edit) {
    RECT client{};
    GetClientRect(edit, &client);
    MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
    InflateRect(&client, -2, -2);
    const std::vector<std::uint32_t> pixels = e2e::ScreenPixels(client);
    const int width = client.right - client.left;
    int first = -1, last = -1;
    for (int y = 0; y < client.bottom - client.top; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
            const int brightness = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
            if (brightness < 3 * 100) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

TEST(DisplayDpi, TheMainWindowLaysItselfOutAtTheDpiItIsShownAt) {
    int designInk = 0;
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
        const DisplayDpiSetting setting(static_cast<DWORD>(dpi));
        ProgramUnderTest program;
        HWND window = nullptr;
        ASSERT_TRUE(
            e2e::WaitFor([&] { return (window = program.FindWindowByTitle(kTitle)) != nullptr; }, 20s));
        ASSERT_TRUE(e2e::WaitFor([&] { return e2e::IsSkinnedAndFitted(window); }, 10s));

        RECT client{};
        GetClientRect(window, &client);
        EXPECT_NEAR(client.right, Scaled(kDesignClient.cx, dpi), 1);
        EXPECT_NEAR(client.bottom, Scaled(kDesignClient.cy, dpi), 1);
        // Placed on the screen, whatever frame the skin then draws around it.
        RECT onScreen = client;
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&onScreen), 2);
        EXPECT_GE(onScreen.left, 0);
        EXPECT_LE(onScreen.right, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_LE(onScreen.bottom, GetSystemMetrics(SM_CYSCREEN));

        auto edits = e2e::ChildWindows(window, L"Edit");
        const auto buttons = e2e::ChildWindows(window, L"Button");
        ASSERT_EQ(edits.size(), 3u);
        ASSERT_EQ(buttons.size(), 1u);
        std::sort(edits.begin(), edits.end(),
                  [](HWND a, HWND b) { return PlaceInParent(a).top < PlaceInParent(b).top; });
        ExpectScaledRect(PlaceInParent(edits[0]), kDesignEdit1, dpi, "the number box");
        ExpectScaledRect(PlaceInParent(edits[1]), kDesignEdit2, dpi, "the base box");
        ExpectScaledRect(PlaceInParent(edits[2]), kDesignEdit3, dpi, "the result box");
        ExpectScaledRect(PlaceInParent(buttons[0]), kDesignButton, dpi, "the button");
        // Rounding never moves a box past its neighbour.
        EXPECT_LT(PlaceInParent(edits[0]).bottom, PlaceInParent(edits[1]).top);
        EXPECT_LT(PlaceInParent(edits[1]).bottom, PlaceInParent(edits[2]).top);
        EXPECT_LT(PlaceInParent(edits[2]).bottom, PlaceInParent(buttons[0]).top);

        // The text grows with the boxes: the form's font is a pixel height, scaled.
        SendMessageTimeoutW(edits[2], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"888"), SMTO_ABORTIFHUNG, 2000,
                            nullptr);
        e2e::WaitFor([] { return false; }, 300ms);
        const int ink = TextInkHeight(edits[2]);
        if (dpi == 96) {
            designInk = ink;
            EXPECT_GE(designInk, 6);
        } else {
            EXPECT_NEAR(ink, Scaled(designInk, dpi), 1);
        }
        // The part on the screen: a copy from beyond its edge comes back black.
        RECT frame{}, shown{};
        GetWindowRect(window, &frame);
        const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        IntersectRect(&shown, &frame, &screen);
        e2e::SaveScreenshot(shown, e2e::ArtifactPath(L"main-window-" + std::to_wstring(dpi) + L"dpi.bmp"));

        // The keyboard reaches the skinned frame at every DPI: Alt+Space opens the system menu, Escape
        // closes it, Alt+F4 ends the program.
        e2e::ClickWindowCentre(edits[0]);
        e2e::PressKey(VK_SPACE, /*alt=*/true);
        EXPECT_TRUE(e2e::WaitFor([&] { return program.FindWindowByClass(L"#32768") != nullptr; }, 5s))
            << "Alt+Space opened no system menu";
        e2e::PressKey(VK_ESCAPE);
        EXPECT_TRUE(e2e::WaitFor([&] { return program.FindWindowByClass(L"#32768") == nullptr; }, 5s));
        e2e::PressKey(VK_F4, /*alt=*/true);
        EXPECT_EQ(program.WaitForExit(10s), 0) << "Alt+F4 did not end the program";
    }
}

} // namespace
