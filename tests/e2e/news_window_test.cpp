// The news window of the real program: hidden at start, shown once after about fifteen seconds in the
// bottom-right corner of the screen, never again.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;

namespace {

constexpr int kNewsWidth = 342;
constexpr int kNewsHeight = 266;

void SleepUntil(const e2e::ProgramUnderTest& program, long long elapsedMs) {
    while (program.Elapsed() < elapsedMs)
        std::this_thread::sleep_for(20ms);
}

TEST(NewsWindow, HiddenAtFirstThenShownOnceInTheBottomRightCornerAndNeverAgain) {
    e2e::ProgramUnderTest program;
    HWND news = nullptr;
    ASSERT_TRUE(
        e2e::WaitFor([&] { return (news = program.FindAnyWindowByClass(L"TForm2")) != nullptr; }, 10s));
    EXPECT_FALSE(IsWindowVisible(news)) << "hidden while the page loads";

    SleepUntil(program, 13500);
    EXPECT_FALSE(IsWindowVisible(news)) << "not before fifteen seconds";

    ASSERT_TRUE(e2e::WaitFor([&] { return IsWindowVisible(news) != FALSE; }, 6s)) << "not shown after 15 s";
    const long long shownAt = program.Elapsed();
    EXPECT_GE(shownAt, 14500);
    RECT rect{};
    GetWindowRect(news, &rect);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(rect.left, screenWidth - kNewsWidth - 15);
    EXPECT_EQ(rect.top, screenHeight - kNewsHeight - 35);
    EXPECT_EQ(rect.right - rect.left, kNewsWidth);
    EXPECT_EQ(rect.bottom - rect.top, kNewsHeight);
    const LONG_PTR style = GetWindowLongPtrW(news, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0) << "no caption";
    EXPECT_EQ(style & WS_SYSMENU, 0) << "no caption buttons";
    std::this_thread::sleep_for(500ms);
    e2e::SaveScreenshot(RECT{0, 0, screenWidth, screenHeight}, e2e::ArtifactPath(L"screen-with-news.bmp"));

    // Closed in between, it stays closed; and it is neither moved nor shown again at 30 s and later.
    PostMessageW(news, WM_CLOSE, 0, 0);
    ASSERT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(news); }, 5s)) << "closing hides it";
    EXPECT_TRUE(IsWindow(news)) << "closing only hides the news window";
    SleepUntil(program, 31500);
    EXPECT_FALSE(IsWindowVisible(news));
    RECT later{};
    GetWindowRect(news, &later);
    EXPECT_EQ(later.left, rect.left);
    EXPECT_EQ(later.top, rect.top);

    // Closing the main window ends the program whatever the news window is doing.
    PostMessageW(program.FindWindowByTitle(L"Marivel进制转换器"), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(10s), 0);
}

TEST(NewsWindow, NeverShownWhenTheMainWindowIsClosedBeforeFifteenSeconds) {
    e2e::ProgramUnderTest program;
    HWND main = nullptr;
    ASSERT_TRUE(e2e::WaitFor(
        [&] { return (main = program.FindWindowByTitle(L"Marivel进制转换器")) != nullptr; }, 20s));
    SleepUntil(program, 5000);
    PostMessageW(main, WM_CLOSE, 0, 0);
    bool newsSeen = false;
    const bool ended = e2e::WaitFor(
        [&] {
            if (program.FindWindowByClass(L"TForm2")) newsSeen = true;
            return WaitForSingleObject(program.ProcessHandle(), 0) == WAIT_OBJECT_0;
        },
        10s);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(newsSeen);
    EXPECT_LT(program.Elapsed(), 15000);
    EXPECT_EQ(program.WaitForExit(1s), 0);
}

} // namespace
