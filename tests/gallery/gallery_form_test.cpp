// The gallery's form in-process: made, shown on each page and freed a hundred times, and its skin switched
// two hundred times while shown, it leaves no handles behind.
#include "app/gallery/gallery_form.h"
#include "framework/gui/application.h"
#include "framework/gui/handles.h"
#include "framework/gui/register_classes.h"
#include "skin/data/skin_data.h"
#include "skin/form/skin_form.h"
#include "skin/manager/skin_manager.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace {

std::string SkinFile(const std::string& name) {
    std::string path = std::string(MARIVEL_SKINS_DIR) + "/" + name;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return "Z:" + path;
}

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

} // namespace
