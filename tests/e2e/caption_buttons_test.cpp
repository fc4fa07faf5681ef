// The skinned caption of the real program, used as a user would: hovering and clicking its buttons,
// the system menu, double clicks. Positions are those of the stored skin (skins/default): the close
// button 30 x 22 at 36 px from the right edge and 4 px down, the icon 16 x 16 at (9, 7).
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const std::wstring kTitle = L"Marivel进制转换器";

class CaptionButtonsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(
            e2e::WaitFor([&] { return (window = program.FindWindowByTitle(kTitle)) != nullptr; }, 20s));
        ASSERT_TRUE(e2e::WaitFor([&] { return e2e::IsSkinnedAndFitted(window); }, 10s));
        GetWindowRect(window, &outer);
        e2e::ClickAt(POINT{outer.left + 200, outer.top + 12}); // active, through the caption
    }
    RECT CloseButton() const {
        return RECT{outer.right - 36, outer.top + 4, outer.right - 6, outer.top + 26};
    }
    POINT Centre(const RECT& r) const { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    POINT Icon() const { return POINT{outer.left + 17, outer.top + 15}; }

    e2e::ProgramUnderTest program;
    HWND window = nullptr;
    RECT outer{};
};

TEST_F(CaptionButtonsTest, HoverLightsOnlyTheCloseButtonAndClickingItEndsTheProgram) {
    const RECT button = CloseButton();
    const RECT caption{outer.left, outer.top, outer.right, outer.top + 30};
    e2e::MoveMouseTo(POINT{outer.left + 200, outer.top + 100});
    e2e::WaitFor([] { return false; }, 400ms);
    const auto normal = e2e::ScreenPixels(caption);
    e2e::MoveMouseTo(Centre(button));
    e2e::WaitFor([] { return false; }, 300ms);
    const auto hot = e2e::ScreenPixels(caption);
    e2e::SaveScreenshot(caption, e2e::ArtifactPath(L"caption-close-hot.bmp"));
    const int width = caption.right - caption.left;
    int changedInside = 0, changedOutside = 0;
    for (std::size_t i = 0; i < normal.size(); ++i) {
        const POINT at{caption.left + static_cast<LONG>(i) % width,
                       caption.top + static_cast<LONG>(i) / width};
        if (normal[i] == hot[i]) continue;
        (PtInRect(&button, at) ? changedInside : changedOutside)++;
    }
    EXPECT_GT(changedInside, 100) << "the hot frame shows";
    EXPECT_EQ(changedOutside, 0) << "nothing else of the caption changes";

    e2e::MoveMouseTo(POINT{outer.left + 200, outer.top + 100});
    e2e::WaitFor([] { return false; }, 600ms); // the hover check runs every 250 ms
    EXPECT_EQ(e2e::ScreenPixels(caption), normal) << "back to normal once the mouse has left";

    e2e::ClickAt(Centre(button));
    EXPECT_EQ(program.WaitForExit(15s), 0);
}

TEST_F(CaptionButtonsTest, RightClickOnTheCaptionOpensTheSystemMenu) {
    e2e::RightClickAt(POINT{outer.left + 300, outer.top + 12});
    HWND menu = nullptr;
    ASSERT_TRUE(e2e::WaitFor([&] { return (menu = program.FindWindowByClass(L"#32768")) != nullptr; }, 5s));
    RECT rect{};
    GetWindowRect(menu, &rect);
    e2e::SaveScreenshot(rect, e2e::ArtifactPath(L"system-menu.bmp"));
    EXPECT_NEAR(rect.left, outer.left + 300, 2) << "opens at the click";
    e2e::PressKey(VK_ESCAPE);
    EXPECT_TRUE(e2e::WaitFor([&] { return program.FindWindowByClass(L"#32768") == nullptr; }, 5s));
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(CaptionButtonsTest, DoubleClickOnTheIconClosesAndOnTheCaptionDoesNothing) {
    RECT before{};
    GetWindowRect(window, &before);
    e2e::DoubleClickAt(POINT{outer.left + 300, outer.top + 12});
    e2e::WaitFor([] { return false; }, 500ms);
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "a window without a maximize box keeps its size";
    e2e::DoubleClickAt(Icon());
    EXPECT_EQ(program.WaitForExit(15s), 0);
}

} // namespace
