// A skinned window at 120, 144 and 192 DPI against the same window at 96 DPI, with both our skins: what the
// window answers to hit testing (outer size, frame widths, caption height, caption buttons) grows by the
// factor, no key-coloured pixel reaches the screen and the caption text stays on its background bar. Most
// cases see the DPI through the query the form skinning asks; one runs a child process with the Wine
// prefix's LogPixels set, as a user's setting would. A DPI change on a live window re-skins it.
#include "framework/gui/dpi.h"
#include "skin/form/window_dpi.h"
#include "tests/skin/skin_test_fixture.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace skin_tests;

constexpr int kTestDpis[] = {96, 120, 144, 192};
constexpr int kBaseClientWidth = 420;
constexpr int kBaseClientHeight = 200;
constexpr const char* kChildDpiVariable = "MARIVEL_DPI_CHILD";

int g_testDpi = gui::kDesignDpi;
int TestDpi(HWND) {
    return g_testDpi;
}

// While it lives, the form skinning sees every window at dpi.
class DpiSeen {
  public:
    explicit DpiSeen(int dpi) : previous_(skin::SetWindowDpiQuery(&TestDpi)) { g_testDpi = dpi; }
    DpiSeen(const DpiSeen&) = delete;
    DpiSeen& operator=(const DpiSeen&) = delete;
    ~DpiSeen() { skin::SetWindowDpiQuery(previous_); }

  private:
    skin::WindowDpiQuery previous_;
};

// A resizable window with its caption buttons and a push button, its client as a DPI-aware program lays
// it out at dpi.
std::string ScaledForm(const std::string& skinFile, int dpi) {
    return R"(SkinForm : TSkinTestForm {
    Caption = "Scaled"
    ClientWidth = )" +
           std::to_string(gui::ScaleForDpi(kBaseClientWidth, dpi)) + R"(
    ClientHeight = )" +
           std::to_string(gui::ScaleForDpi(kBaseClientHeight, dpi)) + R"(
    Left = 60
    Top = 40
    BorderStyle = bsSizeable
    BorderIcons = [biSystemMenu, biMinimize, biMaximize]
    Button1 : TButton {
        Left = 16
        Top = 16
        Width = 90
        Height = 25
        Caption = "Push"
    }
    SkinData1 : TSkinData {
        Active = True
        SkinFile = ")" +
           Escaped(skinFile) + R"("
    }
}
)";
}

// What hit testing and the screen tell of a skinned window.
struct WindowMeasure {
    int Width = 0, Height = 0;
    int Left = 0, Right = 0, Bottom = 0, Caption = 0;
    // Caption buttons found under the pointer, in window coordinates, left to right; a button in the
    // window's right half as its distances from the right edge (so they compare across widths).
    std::vector<RECT> Buttons;
    int KeyPixels = 0;
    int CutCornerPixels = 0; // pixels of the top-left caption corner outside the window's region
};

LRESULT HitAt(HWND window, const RECT& outer, int x, int y) {
    return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(outer.left + x, outer.top + y));
}

class SkinDpiTest : public SkinFormTest {
  protected:
    TSkinTestForm* ShownAt(int dpi) {
        TSkinTestForm* form = NewForm(ScaledForm(SkinFile(GetParam()), dpi));
        form->Show();
        EXPECT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "the form was not skinned at " << dpi;
        SetForegroundWindow(form->Handle());
        Settle();
        return form;
    }

    WindowMeasure Measure(HWND window) {
        skin::TWinSkinForm& object = ObjectOf(window);
        const RECT outer = WindowRectOf(window);
        WindowMeasure m;
        m.Width = outer.right - outer.left;
        m.Height = outer.bottom - outer.top;
        const auto run = [&](int x0, int y0, int dx, int dy) {
            int n = 0;
            for (int x = x0, y = y0; x >= 0 && y >= 0 && x < m.Width && y < m.Height; x += dx, y += dy, ++n) {
                if (HitAt(window, outer, x, y) == HTCLIENT) break;
            }
            return n;
        };
        m.Left = run(0, m.Height / 2, 1, 0);
        m.Right = run(m.Width - 1, m.Height / 2, -1, 0);
        m.Bottom = run(m.Width / 2, m.Height - 1, 0, -1);
        m.Caption = run(m.Width / 2, 0, 0, 1);
        std::map<const skin::TWinSysButton*, RECT> found;
        for (int y = 0; y < m.Caption; ++y) {
            for (int x = 0; x < m.Width; ++x) {
                const skin::TWinSysButton* button = object.CaptionButtons().ButtonAt(POINT{x, y});
                if (!button) continue;
                auto [it, fresh] = found.try_emplace(button, RECT{x, y, x + 1, y + 1});
                RECT& r = it->second;
                r = RECT{std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
                         std::max<LONG>(r.bottom, y + 1)};
            }
        }
        for (const auto& [button, r] : found) {
            m.Buttons.push_back(
                r.left > m.Width / 2 ? RECT{m.Width - r.left, r.top, m.Width - r.right, r.bottom} : r);
        }
        std::sort(m.Buttons.begin(), m.Buttons.end(), [](const RECT& a, const RECT& b) {
            return a.top < b.top || (a.top == b.top && a.left < b.left);
        });
        const skin::Bitmap shot = ShowAndShoot(window);
        for (const skin::Pixel p : shot.pixels())
            m.KeyPixels += (p & skin::kPixelRgbMask) == skin::kSkinKeyPixel;
        for (int y = 0; y < m.Caption; ++y) {
            for (int x = 0; x < m.Caption; ++x)
                m.CutCornerPixels += !InRegion(window, x, y);
        }
        return m;
    }

    // The exact text colour on the caption lies within the text's background bar, and the bar within the
    // caption.
    void ExpectCaptionTextOnItsBar(HWND window) {
        skin::TWinSkinForm& object = ObjectOf(window);
        const RECT outer = WindowRectOf(window);
        const RECT bar = object.Painter().CaptionTextRect();
        const int caption = object.Borders().top;
        const skin::Bitmap shot = Screenshot(RECT{outer.left, outer.top, outer.right, outer.top + caption});
        const skin::Pixel text = skin::ColourToPixel(
            static_cast<skin::Colour>(gui::ColorToRGB(object.Skin()->TitleTextActiveColour)));
        int onBar = 0, offBar = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if ((shot.pixel(x, y) & skin::kPixelRgbMask) != text) continue;
                const bool inside = x >= bar.left && x < bar.right && y >= bar.top && y < bar.bottom;
                (inside ? onBar : offBar) += 1;
            }
        }
        EXPECT_GT(onBar, 0) << "the caption shows its text";
        EXPECT_EQ(offBar, 0) << "text outside its bar " << bar.left << ".." << bar.right;
        EXPECT_GE(bar.top, 0);
        EXPECT_LE(bar.bottom, caption) << "the bar stays in the caption";
    }
};

// Scaled by factor from the 96-DPI value, within one pixel.
void ExpectScaled(int at96, int actual, int dpi, const char* what) {
    EXPECT_NEAR(actual, gui::ScaleForDpi(at96, dpi), 1)
        << what << " at " << dpi << " (96 DPI: " << at96 << ")";
}

TEST_P(SkinDpiTest, HitTestingAndTheScreenScaleWithTheDpi) {
    WindowMeasure base;
    for (const int dpi : kTestDpis) {
        SCOPED_TRACE("DPI " + std::to_string(dpi));
        const DpiSeen seen(dpi);
        TSkinTestForm* form = ShownAt(dpi);
        HWND window = form->Handle();
        ASSERT_EQ(ObjectOf(window).Dpi(), dpi);
        const WindowMeasure m = Measure(window);
        ExpectCaptionTextOnItsBar(window);
        EXPECT_EQ(m.KeyPixels, 0) << "no key colour on screen";
        if (dpi == 96) {
            base = m;
            EXPECT_GE(base.Buttons.size(), 3u) << "close, maximize and minimize";
            EXPECT_GT(base.CutCornerPixels, 0) << "our skins round the caption's corners";
        } else {
            ExpectScaled(base.Width, m.Width, dpi, "outer width");
            ExpectScaled(base.Height, m.Height, dpi, "outer height");
            ExpectScaled(base.Left, m.Left, dpi, "left frame");
            ExpectScaled(base.Right, m.Right, dpi, "right frame");
            ExpectScaled(base.Bottom, m.Bottom, dpi, "bottom frame");
            ExpectScaled(base.Caption, m.Caption, dpi, "caption height");
            ASSERT_EQ(m.Buttons.size(), base.Buttons.size());
            for (std::size_t i = 0; i < m.Buttons.size(); ++i) {
                ExpectScaled(base.Buttons[i].left, m.Buttons[i].left, dpi, "button left");
                ExpectScaled(base.Buttons[i].top, m.Buttons[i].top, dpi, "button top");
                ExpectScaled(base.Buttons[i].right, m.Buttons[i].right, dpi, "button right");
                ExpectScaled(base.Buttons[i].bottom, m.Buttons[i].bottom, dpi, "button bottom");
            }
            // The region's cut corner is an area: it grows by the factor squared.
            const double expected = base.CutCornerPixels * (dpi / 96.0) * (dpi / 96.0);
            EXPECT_NEAR(m.CutCornerPixels, expected, expected * 0.35 + 2) << "the region follows the shape";
        }
        if (dpi == 144 || dpi == 192)
            SaveArtifact(ShowAndShoot(window),
                         "dpi-" + std::to_string(dpi) + "-" + std::string(GetParam()) + ".bmp");
        delete form;
        Settle(std::chrono::milliseconds(50));
    }
}

TEST_P(SkinDpiTest, ADpiChangeReskinsTheLiveWindowAndKeepsItsControlsSkinned) {
    TSkinTestForm* form = ShownAt(96);
    HWND window = form->Handle();
    skin::TWinSkinForm& object = ObjectOf(window);
    const WindowMeasure before = Measure(window);
    const std::size_t controls = object.Controls().size();
    ASSERT_GT(controls, 0u) << "the push button is skinned";

    // The window moved to a 192-DPI screen: the system suggests a rectangle twice the size.
    const DpiSeen seen(192);
    const RECT outer = WindowRectOf(window);
    RECT suggested{outer.left, outer.top, outer.left + 2 * before.Width, outer.top + 2 * before.Height};
    SendMessageW(window, skin::kDpiChangedMessage, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    Settle();
    EXPECT_EQ(object.Dpi(), 192);
    EXPECT_EQ(object.Skin(), &object.SkinSource()->ForDpi(192)) << "the copy made for 192 DPI";
    EXPECT_EQ(object.Controls().size(), controls) << "the controls are skinned again, with the new skin";
    const WindowMeasure after = Measure(window);
    ExpectScaled(before.Left, after.Left, 192, "left frame");
    ExpectScaled(before.Caption, after.Caption, 192, "caption height");
    ExpectScaled(before.Bottom, after.Bottom, 192, "bottom frame");
    ASSERT_EQ(after.Buttons.size(), before.Buttons.size());
    for (std::size_t i = 0; i < after.Buttons.size(); ++i)
        ExpectScaled(before.Buttons[i].bottom, after.Buttons[i].bottom, 192, "button bottom");
    EXPECT_EQ(after.KeyPixels, 0);
    ExpectCaptionTextOnItsBar(window);

    // And back: the component's own records again, the copy kept for the next time.
    skin::TSkinData* copy = object.Skin();
    SendMessageW(window, skin::kDpiChangedMessage, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&outer));
    Settle();
    EXPECT_EQ(object.Skin(), object.SkinSource());
    EXPECT_EQ(&object.SkinSource()->ForDpi(192), copy) << "made once per DPI";
    EXPECT_EQ(Measure(window).Caption, before.Caption);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_P(SkinDpiTest, APlainWindowTakesTheSuggestedRectangleItself) {
    TSkinTestForm* form = ShownAt(96); // carries the skin the plain window gets
    (void)form;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &PlainWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MarivelDpiPlain";
    RegisterClassW(&windowClass);
    HWND plain = CreateWindowExW(0, L"MarivelDpiPlain", L"Plain", WS_OVERLAPPEDWINDOW, 300, 200, 300, 200,
                                 nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(plain, nullptr);
    ShowWindow(plain, SW_SHOW);
    SetForegroundWindow(plain);
    ASSERT_TRUE(Pump([&] { return Skinned(plain); })) << "the plain window was not skinned";
    const WindowMeasure before = Measure(plain);

    const DpiSeen seen(144);
    RECT suggested{250, 150, 250 + gui::ScaleForDpi(before.Width, 144),
                   150 + gui::ScaleForDpi(before.Height, 144)};
    SendMessageW(plain, skin::kDpiChangedMessage, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    Settle();
    const RECT now = WindowRectOf(plain);
    EXPECT_EQ(now.left, suggested.left);
    EXPECT_EQ(now.top, suggested.top);
    EXPECT_EQ(now.right, suggested.right);
    EXPECT_EQ(now.bottom, suggested.bottom);
    const WindowMeasure after = Measure(plain);
    ExpectScaled(before.Caption, after.Caption, 144, "caption height");
    ExpectScaled(before.Left, after.Left, 144, "left frame");
    EXPECT_EQ(after.KeyPixels, 0);
    DestroyWindow(plain);
    UnregisterClassW(L"MarivelDpiPlain", windowClass.hInstance);
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinDpiTest, ::testing::Values("default.skn", "dark.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });

// ---- a real DPI: the prefix's LogPixels, seen by a new process ----

// The user's DPI setting while it lives; the previous one (or none) back afterwards.
class LogPixelsSetting {
  public:
    explicit LogPixelsSetting(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_,
                        nullptr);
        DWORD size = sizeof(previous_);
        had_ = RegQueryValueExW(key_, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&previous_), &size) ==
               ERROR_SUCCESS;
        RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
    }
    LogPixelsSetting(const LogPixelsSetting&) = delete;
    LogPixelsSetting& operator=(const LogPixelsSetting&) = delete;
    ~LogPixelsSetting() {
        if (had_) {
            RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_),
                           sizeof(previous_));
        } else {
            RegDeleteValueW(key_, kValue);
        }
        RegCloseKey(key_);
    }

  private:
    static constexpr const wchar_t* kKey = L"Control Panel\\Desktop";
    static constexpr const wchar_t* kValue = L"LogPixels";
    HKEY key_ = nullptr;
    DWORD previous_ = 0;
    bool had_ = false;
};

// Runs this test program again with a filter and the child's variable set; answers its exit code.
DWORD RunChild(const std::string& filter, int dpi) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring command =
        L"\"" + std::wstring(path) + L"\" --gtest_filter=" + std::wstring(filter.begin(), filter.end());
    SetEnvironmentVariableA(kChildDpiVariable, std::to_string(dpi).c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process);
    SetEnvironmentVariableA(kChildDpiVariable, nullptr);
    if (!started) return 0xFFFFFFFF;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0xFFFFFFFE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::string ArtifactPath(const std::string& name) {
    std::string path = "Z:" + std::string(MARIVEL_ARTIFACTS_DIR) + "/" + name;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

TEST(SkinRealDpi, LogPixelsOf192ShowsEveryWindowOfANewProcessWithTheSkinDoubled) {
    // The child proves it ran by the screenshots it keeps.
    const std::string shots[] = {ArtifactPath("dpi-real-192-default.skn.bmp"),
                                 ArtifactPath("dpi-real-192-dark.skn.bmp")};
    for (const std::string& shot : shots)
        DeleteFileA(shot.c_str());
    {
        const LogPixelsSetting setting(192);
        EXPECT_EQ(RunChild("BothSkins/SkinDpiChild.*", 192), 0u)
            << "the child's failures are in its output above";
    }
    for (const std::string& shot : shots)
        EXPECT_NE(GetFileAttributesA(shot.c_str()), INVALID_FILE_ATTRIBUTES) << shot << " was not taken";
}

class SkinDpiChild : public SkinFormTest {};

// Only as the child of the test above: the whole process is at the DPI of the prefix's setting.
TEST_P(SkinDpiChild, SkinFollowsTheSystemsDpi) {
    const char* wanted = std::getenv(kChildDpiVariable);
    if (!wanted) GTEST_SKIP() << "run by SkinRealDpi with the setting in place";
    const int dpi = std::atoi(wanted);
    gui::DeclareDpiAwareness();
    TSkinTestForm* form = NewForm(ScaledForm(SkinFile(GetParam()), dpi));
    form->Show();
    ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); }));
    HWND window = form->Handle();
    ASSERT_EQ(gui::WindowDpi(window), dpi) << "the system shows the window at the set DPI";
    skin::TWinSkinForm& object = ObjectOf(window);
    EXPECT_EQ(object.Dpi(), dpi);
    const skin::TSkinData& source = *object.SkinSource();
    const RECT borders = object.Borders();
    EXPECT_EQ(borders.left, gui::ScaleForDpi(Thickness(*source.BorderLeft, false), dpi));
    EXPECT_EQ(borders.top, gui::ScaleForDpi(Thickness(*source.BorderTop, true), dpi));
    EXPECT_EQ(borders.right, gui::ScaleForDpi(Thickness(*source.BorderRight, false), dpi));
    EXPECT_EQ(borders.bottom, gui::ScaleForDpi(Thickness(*source.BorderBottom, true), dpi));
    SetForegroundWindow(window);
    Settle();
    const skin::Bitmap shot = ShowAndShoot(window);
    int keys = 0;
    for (const skin::Pixel p : shot.pixels())
        keys += (p & skin::kPixelRgbMask) == skin::kSkinKeyPixel;
    EXPECT_EQ(keys, 0);
    SaveArtifact(shot, "dpi-real-" + std::to_string(dpi) + "-" + std::string(GetParam()) + ".bmp");
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinDpiChild, ::testing::Values("default.skn", "dark.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });

} // namespace
