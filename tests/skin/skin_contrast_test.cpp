// The system's high-contrast mode on a skinned window: while it is on, skinning stands aside and the window
// shows the system's frame and controls, unless its skin is made for the mode; when it goes off the skin
// comes back. Wine cannot switch the mode (SPI_SETHIGHCONTRAST fails with ERROR_INVALID_SPI_VALUE, nothing
// is broadcast, and SPI_GETHIGHCONTRAST always answers off), so the tests answer the manager's query of the
// mode and tell the top-level windows of the change themselves, with the broadcast the system sends.
#include "framework/gui/button.h"
#include "skin/manager/high_contrast.h"
#include "tests/skin/skin_test_fixture.h"

#include <windows.h>

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

using namespace skin_tests;
using namespace std::chrono_literals;

bool g_highContrast = false;
bool AnswerTestMode() {
    return g_highContrast;
}

// A window of the main window's size with one push button.
std::string ButtonFormText(const std::string& skinFile) {
    return R"(SkinForm : TSkinTestForm {
    Caption = "High contrast"
    ClientWidth = 521
    ClientHeight = 255
    Left = 200
    Top = 150
    BorderStyle = bsSingle
    SkinData1 : TSkinData {
        Active = True
        SkinFile = ")" +
           Escaped(skinFile) + R"("
    }
    Button1 : TButton {
        Left = 184
        Top = 200
        Width = 169
        Height = 25
        Caption = "Convert"
    }
}
)";
}

// What the user sees of the window: its whole rectangle on the screen, and whether the engine draws it.
struct Look {
    skin::Bitmap Shot;
    RECT Outer{};
    bool Region = false;
    bool AnswersSkinned = false;
};

class HighContrastTest : public SkinFormTest {
  protected:
    void SetUp() override {
        SkinFormTest::SetUp();
        g_highContrast = false;
        previousQuery_ = skin::SetHighContrastQuery(&AnswerTestMode);
    }
    void TearDown() override {
        SkinFormTest::TearDown();
        skin::SetHighContrastQuery(previousQuery_);
    }

    TSkinTestForm* ShownForm() {
        TSkinTestForm* form = NewForm(ButtonFormText(SkinFile(GetParam())));
        form->Show();
        EXPECT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "the form was not skinned";
        return form;
    }
    // The mode changes as the system changes it: every top-level window is told.
    static void SwitchMode(bool on) {
        g_highContrast = on;
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, 2000,
                            &answer);
    }
    // The manager acts on its timer; waiting for it takes a quarter of a second, so repeated switches run
    // the tick at once.
    void RunTick() {
        skin::SkinManager->RunPendingAction();
        application->ProcessMessages();
    }
    Look LookOf(HWND window) {
        Look look;
        look.Shot = ShowAndShoot(window);
        look.Outer = WindowRectOf(window);
        look.Region = HasRegion(window);
        look.AnswersSkinned = SendMessageW(window, skin::SKM_ISSKINNED, 0, 0) == 1;
        return look;
    }
    static bool MadeForHighContrast(gui::TForm* form) {
        return dynamic_cast<TSkinData*>(form->FindComponent("SkinData1"))->HighContrast;
    }

  private:
    skin::HighContrastQuery previousQuery_ = nullptr;
};

int DifferingPixels(const skin::Bitmap& a, const skin::Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return a.width() * a.height();
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            differing += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
    }
    return differing;
}

TEST_P(HighContrastTest, TheModeTakesTheSkinOffAndGivesItBackUnlessTheSkinIsMadeForIt) {
    TSkinTestForm* form = ShownForm();
    HWND window = form->Handle();
    HWND button = HandleOf(form, "Button1");
    const Look skinned = LookOf(window);
    const skin::Bitmap skinnedButton = Screenshot(WindowRectOf(button));
    ASSERT_TRUE(skinned.AnswersSkinned);

    SwitchMode(true);
    ASSERT_TRUE(Pump([&] { return skin::SkinManager->PendingAction == skin::DeferredAction::None; }))
        << "the manager's timer acted";
    Settle(50ms);
    const Look inMode = LookOf(window);
    const skin::Bitmap buttonInMode = Screenshot(WindowRectOf(button));
    SaveArtifact(inMode.Shot, std::string("high-contrast-on-") + GetParam() + ".bmp");
    if (MadeForHighContrast(form)) {
        EXPECT_TRUE(inMode.AnswersSkinned) << "a skin made for the mode stays";
        EXPECT_EQ(inMode.Region, skinned.Region);
        EXPECT_EQ(DifferingPixels(inMode.Shot, skinned.Shot), 0) << "nothing changes on the screen";
    } else {
        EXPECT_FALSE(inMode.AnswersSkinned);
        EXPECT_EQ(skin::SkinManager->FindFormByWindow(window), nullptr);
        EXPECT_TRUE(skinned.Region && !inMode.Region) << "the skin's window region is gone";
        // The system's frame: its own caption and borders, so most of the caption rows change, and so
        // does the button, which the system draws again.
        const int captionRows = 20;
        int changed = 0;
        for (int y = 2; y < captionRows; ++y) {
            for (int x = 0; x < std::min(inMode.Shot.width(), skinned.Shot.width()); ++x)
                changed += (inMode.Shot.pixel(x, y) & 0xFFFFFF) != (skinned.Shot.pixel(x, y) & 0xFFFFFF);
        }
        EXPECT_GT(changed, (captionRows - 2) * skinned.Shot.width() / 2) << "the caption is the system's";
        EXPECT_GT(DifferingPixels(buttonInMode, skinnedButton), 100) << "the button is the system's";
    }

    SwitchMode(false);
    ASSERT_TRUE(Pump([&] { return Skinned(window); })) << "skinned again";
    Settle(50ms);
    const Look back = LookOf(window);
    EXPECT_TRUE(back.AnswersSkinned);
    EXPECT_TRUE(EqualRect(&back.Outer, &skinned.Outer));
    EXPECT_EQ(DifferingPixels(back.Shot, skinned.Shot), 0) << "the skinned look is back, pixel for pixel";
    EXPECT_EQ(DifferingPixels(Screenshot(WindowRectOf(button)), skinnedButton), 0);
}

TEST_P(HighContrastTest, FiftySwitchesLeaveNoHandlesBehind) {
    TSkinTestForm* form = ShownForm();
    HWND window = form->Handle();
    const bool kept = MadeForHighContrast(form);
    // One round first: whatever the first switch makes once (caches, the system's own frame) is made.
    SwitchMode(true);
    RunTick();
    SwitchMode(false);
    RunTick();
    ASSERT_TRUE(Pump([&] { return Skinned(window); }));
    Settle(50ms);
    const gui::LiveHandleCounts before = gui::LiveHandles();
    for (int i = 0; i < 50; ++i) {
        SwitchMode(true);
        RunTick();
        EXPECT_EQ(Skinned(window), kept) << "switch " << i;
        SwitchMode(false);
        RunTick();
        EXPECT_TRUE(Skinned(window)) << "switch " << i;
    }
    ASSERT_TRUE(Pump([&] { return Skinned(window); }));
    Settle(400ms); // the purge of freed skinning objects
    const gui::LiveHandleCounts after = gui::LiveHandles();
    std::printf("owned handles before and after 50 switches (%s): GDI %ld -> %ld, USER %ld -> %ld\n",
                GetParam(), before.Gdi, after.Gdi, before.User, after.User);
    EXPECT_EQ(after.Gdi, before.Gdi);
    EXPECT_EQ(after.User, before.User);
    EXPECT_EQ(skin::SkinManager->Forms.size(), 1u);
}

TEST_P(HighContrastTest, SkinningSwitchedOffByTheProgramStaysOffWhenTheModeEnds) {
    TSkinTestForm* form = ShownForm();
    HWND window = form->Handle();
    TSkinData& skin = Skin(form);
    SwitchMode(true);
    RunTick();
    skin.SetActive(false);
    RunTick();
    EXPECT_FALSE(Skinned(window));
    SwitchMode(false);
    RunTick();
    Settle(50ms);
    EXPECT_FALSE(Skinned(window)) << "the program's choice outlasts the mode";
    skin.SetActive(true);
    RunTick();
    EXPECT_TRUE(Skinned(window));
}

TEST_P(HighContrastTest, WindowsShownWhileTheModeIsOnFollowTheSkinsChoice) {
    TSkinTestForm* form = ShownForm();
    SwitchMode(true);
    RunTick();
    // A second window, activated while the mode is on, and the skin of the program changed meanwhile.
    TSkinTestForm* second = NewForm(FormText("Second", "", 0, 500));
    second->Show();
    Settle(100ms);
    EXPECT_EQ(Skinned(second->Handle()), MadeForHighContrast(form));
    const std::string other = std::string(GetParam()) == "contrast.skn" ? "default.skn" : "contrast.skn";
    Skin(form).SetSkinFile(SkinFile(other));
    RunTick();
    EXPECT_EQ(Skinned(form->Handle()), Skin(form).HighContrast) << "with " << other;
    EXPECT_EQ(Skinned(second->Handle()), Skin(form).HighContrast) << "with " << other;
    SwitchMode(false);
    RunTick();
    EXPECT_TRUE(Skinned(form->Handle()));
    EXPECT_TRUE(Skinned(second->Handle()));
}

INSTANTIATE_TEST_SUITE_P(OurSkins, HighContrastTest, ::testing::Values("default.skn", "contrast.skn"),
                         [](const auto& param) { return std::string(param.param).substr(0, 4); });

} // namespace
