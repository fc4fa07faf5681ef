// The gallery's form in-process: made, shown on each page and freed a hundred times, and its skin switched
// two hundred times while shown, it leaves no handles behind; its bars page shows each family from the skin.
#include "app/gallery/gallery_form.h"
#include "framework/gui/application.h"
#include "framework/gui/handles.h"
#include "framework/gui/register_classes.h"
#include "skin/data/skin_data.h"
#include "skin/form/skin_form.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/manager/skin_manager.h"
#include "tests/skin/screen_input.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace {

using skin_tests::SkinFile;

class GalleryFormTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        gui::RegisterFrameworkClasses();
        skin::RegisterSkinDataClass();
        rtl::RegisterComponentClass<gallery::TGalleryCheckGroup>();
    }
    void SetUp() override {
        application.Initialize();
        // A main form never shown: the gallery's forms come and go beside it.
        application.CreateForm(mainForm);
    }
    void TearDown() override { skin::FreeSkinManager(); }

    bool Pump(const std::function<bool()>& condition,
              std::chrono::milliseconds timeout = std::chrono::seconds(3)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            application.ProcessMessages();
            if (condition()) return true;
            Sleep(2);
        }
        return condition();
    }
    static bool Skinned(HWND window) {
        const auto* object = skin::SkinManager ? skin::SkinManager->FindFormByWindow(window) : nullptr;
        return object && object->Phase == skin::kPhaseActive;
    }
    // A gallery form made from its stored form data and shown, skinned.
    gallery::TGalleryForm* ShownGallery() {
        gallery::TGalleryForm* form = nullptr;
        application.CreateForm(form);
        form->Show();
        SetForegroundWindow(form->Handle());
        EXPECT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "not skinned";
        return form;
    }

    gui::TApplication application;
    gallery::TGalleryForm* mainForm = nullptr;
};

TEST_F(GalleryFormTest, MadeShownAndFreedAHundredTimesAndReskinnedTwoHundredLeavesNoHandles) {
    const auto cycle = [&](int round) {
        gallery::TGalleryForm* form = ShownGallery();
        form->ShowPage(round % form->PageCount());
        form->PresentStates();
        Pump([] { return false; }, std::chrono::milliseconds(20));
        delete form;
        Pump([] { return false; }, std::chrono::milliseconds(20));
    };
    cycle(0);
    skin::SkinManager->RunPendingAction(); // the purge of the freed window's object
    application.ProcessMessages();
    const gui::LiveHandleCounts before = gui::LiveHandles();
    for (int round = 1; round <= 100; ++round)
        cycle(round);
    skin::SkinManager->RunPendingAction();
    application.ProcessMessages();
    EXPECT_EQ(gui::LiveHandles().Gdi, before.Gdi) << "after 100 galleries";
    EXPECT_EQ(gui::LiveHandles().User, before.User);

    gallery::TGalleryForm* form = ShownGallery();
    form->ShowPage(0);
    const gui::LiveHandleCounts shown = gui::LiveHandles();
    for (int round = 0; round < 200; ++round) {
        form->LoadSkinFile(SkinFile(round % 2 == 0 ? "dark.skn" : "default.skn"));
        skin::SkinManager->RunPendingAction(); // the re-skin the manager's timer would run
        ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "switch " << round;
    }
    Pump([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(gui::LiveHandles().Gdi, shown.Gdi) << "after 200 skin switches";
    EXPECT_EQ(gui::LiveHandles().User, shown.User);
    delete form;
}

// The centre pixel of frame `frame` of a strip of `frames` frames side by side.
skin::Pixel FrameCentre(const skin::Bitmap& strip, int frames, int frame) {
    const int width = strip.width() / frames;
    return skin_tests::RgbOf(strip.pixel((frame - 1) * width + width / 2, strip.height() / 2));
}

TEST_F(GalleryFormTest, BarsPageShowsEachFamilyFromTheSkinAndSkinSwitchesLeaveNoHandles) {
    using skin_tests::RgbOf;
    gallery::TGalleryForm* form = ShownGallery();
    form->ShowPage(6);
    SetCursorPos(0, 0);
    auto& skin = *dynamic_cast<skin::TSkinData*>(form->FindComponent("SkinData1"));
    const auto window = [&](const char* name) {
        return dynamic_cast<gui::TWinControl*>(form->FindComponent(name))->Handle();
    };
    const auto switchTo = [&](const char* file) {
        form->LoadSkinFile(SkinFile(file));
        skin::SkinManager->RunPendingAction();
        ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << file;
    };
    for (const char* file : {"dark.skn", "default.skn"}) {
        SCOPED_TRACE(file);
        switchTo(file);
        Pump([] { return false; }, std::chrono::milliseconds(200));
        const skin::Bitmap page = skin_tests::ShotOf(window("BarsPage"));
        skin_tests::SaveArtifact(page, std::string("gallery-bars-") + file + ".bmp");
        // What the page shows inside the named control, at (x, y) of the control's window.
        const auto at = [&](const char* name, int x, int y) {
            const RECT control = skin_tests::WindowRectOf(window(name));
            const RECT inside = skin_tests::WindowRectOf(window("BarsPage"));
            return RgbOf(page.pixel(control.left - inside.left + x, control.top - inside.top + y));
        };
        const skin::Bitmap& progress = skin.Progress->Image;
        EXPECT_EQ(at("ProgressFull", 150, 9), FrameCentre(progress, 2, 2)) << "a full bar";
        EXPECT_EQ(at("ProgressEmpty", 150, 9), FrameCentre(progress, 2, 1)) << "an empty bar";
        EXPECT_EQ(at("ProgressPart", 150, 9), FrameCentre(progress, 2, 1)) << "37 % is short of three quarters";
        EXPECT_EQ(at("ProgressPart", 40, 9), FrameCentre(progress, 2, 2));

        RECT thumb{};
        SendMessageW(window("TrackHorizontal"), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        EXPECT_EQ(at("TrackHorizontal", (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
                  FrameCentre(skin.TrackbarThumbHorz->Image, 5, 2)) << "the skin's thumb";
        EXPECT_EQ(at("TrackHorizontal", 5, 5), skin_tests::PixelOfColour(skin.ButtonFaceColour))
            << "on the skin's face, though its panel turned its parent colour off";
        SendMessageW(window("TrackVertical"), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        EXPECT_EQ(at("TrackVertical", (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
                  FrameCentre(skin.TrackbarThumbVert->Image, 5, 2)) << "the upright thumb";

        const skin::TDataSkinBorder& spin = *skin.UpDownVert;
        EXPECT_EQ(at("SpinAlone", 8, 0), RgbOf(spin.Image.pixel(spin.Image.width() / 16, 0))) << "the up arrow";
        EXPECT_EQ(at("SpinOfEdit", 8, 0), RgbOf(spin.Image.pixel(spin.Image.width() / 16, 0)));

        const skin::Bitmap bar = skin_tests::ShotOf(window("BarsStatusBar"));
        const RECT grip = skin::TSkinStatusBar::SizeGripRect(*skin.ExtraImages, bar.width(), bar.height());
        EXPECT_EQ(skin_tests::GlyphMismatches(bar, grip.left, grip.top, skin.ExtraImages->Image, 5, 5), 0)
            << "the status bar's grip is the skin's";
        const RECT tools = skin_tests::WindowRectOf(window("BarsToolBar"));
        EXPECT_EQ(at("BarsToolBar", tools.right - tools.left - 3, 3), skin_tests::PixelOfColour(skin.ButtonFaceColour))
            << "the tool bar in the skin's face colour";
    }

    const gui::LiveHandleCounts shown = gui::LiveHandles();
    for (int round = 0; round < 50; ++round) {
        switchTo(round % 2 == 0 ? "dark.skn" : "default.skn");
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    Pump([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(gui::LiveHandles().Gdi, shown.Gdi) << "after 50 skin switches on the bars page";
    EXPECT_EQ(gui::LiveHandles().User, shown.User);
    delete form;
}

} // namespace

