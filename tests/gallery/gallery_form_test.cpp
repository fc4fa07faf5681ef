// The gallery's form in-process: made, shown on each page and freed a hundred times, and its skin switched
// two hundred times while shown, it leaves no handles behind.
#include "app/gallery/gallery_form.h"
#include "framework/gui/application.h"
#include "framework/gui/handles.h"
#include "framework/gui/register_classes.h"
#include "framework/gui/memo.h"
#include "framework/gui/scroll_bar.h"
#include "skin/data/skin_data.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/form/skin_form.h"
#include "skin/manager/skin_manager.h"

#include <chrono>
#include <functional>
#include <set>
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

TEST_F(GalleryFormTest, ScrollPageWearsEachSkinsTrackWhileScrolledAndSwitchedWithoutLeavingHandles) {
    gallery::TGalleryForm* form = ShownGallery();
    constexpr int kScrollPage = 6;
    form->ShowPage(kScrollPage);
    auto* memo = dynamic_cast<gui::TMemo*>(form->FindComponent("ScrollMemo"));
    auto* bar = dynamic_cast<gui::TScrollBar*>(form->FindComponent("HorzScrollBar"));
    ASSERT_TRUE(memo && bar);
    // Scrolls every scrolling control of the page a step, as a user reading it would.
    int step = 0;
    const auto scroll = [&] {
        ++step;
        for (const char* name : {"ScrollMemo", "ScrollList", "ScrollRichEdit", "ScrollListView"}) {
            HWND window = dynamic_cast<gui::TWinControl*>(form->FindComponent(name))->Handle();
            SendMessageW(window, WM_VSCROLL, step % 3 == 0 ? SB_TOP : SB_LINEDOWN, 0);
        }
        bar->SetPosition(step * 7 % 80);
        Pump([] { return false; }, std::chrono::milliseconds(10));
    };
    // What the gallery window shows, as a picture, and the track colours of the skin's horizontal bar top row.
    const auto screenshot = [&] {
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN |
                                                       RDW_UPDATENOW);
        Pump([] { return false; }, std::chrono::milliseconds(80));
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        skin::Bitmap shot(window.right - window.left, window.bottom - window.top);
        HDC screen = GetDC(nullptr);
        skin::win::CopyFromDc(shot, skin::Point{0, 0}, screen,
                              skin::Rect{window.left, window.top, window.right, window.bottom});
        ReleaseDC(nullptr, screen);
        return shot;
    };
    const auto trackTopRow = [&] {
        const skin::Bitmap& track = form->SkinData()->HorzScroll->Image;
        const skin::Rect frame = skin::SkinFrameRect(track, 1, 4, false);
        std::set<skin::Pixel> colours;
        for (int x = frame.Left; x < frame.Right; ++x) colours.insert(track.pixel(x, 0) & skin::kPixelRgbMask);
        return colours;
    };
    const auto trackShown = [&](const skin::Bitmap& shot) {
        RECT bounds{}, window{};
        GetWindowRect(bar->Handle(), &bounds);
        GetWindowRect(form->Handle(), &window);
        const int x = bounds.left - window.left + GetSystemMetrics(SM_CXHSCROLL) + 1, y = bounds.top - window.top;
        return shot.pixel(x, y) & skin::kPixelRgbMask;
    };
    for (const char* name : {"dark.skn", "default.skn"}) {
        form->LoadSkinFile(SkinFile(name));
        skin::SkinManager->RunPendingAction();
        ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << name;
        scroll();
        const skin::Bitmap shot = screenshot();
        EXPECT_EQ(trackTopRow().count(trackShown(shot)), 1u) << name << ": the stand-alone bar's track";
    }

    const gui::LiveHandleCounts shown = gui::LiveHandles();
    for (int round = 0; round < 60; ++round) {
        scroll();
        form->LoadSkinFile(SkinFile(round % 2 == 0 ? "dark.skn" : "default.skn"));
        skin::SkinManager->RunPendingAction();
        ASSERT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "switch " << round;
        scroll();
    }
    Pump([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(gui::LiveHandles().Gdi, shown.Gdi) << "after 60 switches of the scrolled page";
    EXPECT_EQ(gui::LiveHandles().User, shown.User);
    delete form;
}

} // namespace
