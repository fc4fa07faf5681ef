// The control gallery: every control family of the framework on one page each, skinned, for skin authors and
// for tests. See gallery_options.h for the command line.
#include "app/gallery/gallery_form.h"
#include "app/gallery/gallery_options.h"
#include "app/gallery/mdi_window.h"
#include "app/gallery/screenshot.h"
#include "framework/gui/application.h"
#include "framework/gui/register_classes.h"
#include "skin/component/skin_data.h"
#include "skin/form/skin_form.h"
#include "skin/manager/skin_manager.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

namespace {

constexpr const char* kTitle = "Marivel control gallery";
constexpr auto kSkinningTimeout = std::chrono::seconds(5);
constexpr auto kSettleTime = std::chrono::milliseconds(400);
constexpr int kMdiDocuments = 3; // opened tiled by --mdi

// Exit codes of the screenshot run.
constexpr int kExitSaved = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

bool Skinned(HWND window) {
    const auto* object = skin::SkinManager ? skin::SkinManager->FindFormByWindow(window) : nullptr;
    return object && object->SkinPhase() == skin::kPhaseActive;
}

// Dispatches messages until condition holds or the time is up; answers the condition.
template <class Condition>
bool PumpUntil(gui::TApplication& application, std::chrono::milliseconds timeout, Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        application.ProcessMessages();
        if (condition()) return true;
        Sleep(10);
    }
    application.ProcessMessages();
    return condition();
}

// Hides the text caret when asked, once every window has settled, and lets the windows paint without it.
void HideCaretIfAsked(gui::TApplication& application, bool noCaret) {
    if (!noCaret) return;
    HideCaret(nullptr);
    PumpUntil(application, std::chrono::milliseconds(50), [] { return false; });
}

int SaveScreenshot(gui::TApplication& application, const std::string& file, bool noCaret) {
    gallery::TGalleryForm& form = *gallery::GalleryForm;
    form.Show();
    SetForegroundWindow(form.Handle());
    const bool wanted = form.SkinData()->Active();
    if (wanted && !PumpUntil(application, kSkinningTimeout, [&] { return Skinned(form.Handle()); })) {
        std::fprintf(stderr, "gallery: the window was not skinned within %lld s\n",
                     static_cast<long long>(kSkinningTimeout.count()));
        return kExitFailed;
    }
    // The pointer over the page's hot example, as a user's would be; anywhere else it would light nothing.
    RECT hot{};
    if (gui::TWinControl* control = form.HotDemonstration()) {
        GetWindowRect(control->Handle(), &hot);
    } else {
        GetWindowRect(form.Handle(), &hot);
        OffsetRect(&hot, 0, hot.bottom - hot.top + 40);
    }
    SetCursorPos((hot.left + hot.right) / 2, (hot.top + hot.bottom) / 2);
    form.PresentStates();
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    PumpUntil(application, kSettleTime, [] { return false; });
    HideCaretIfAsked(application, noCaret);
    gallery::SaveWindowScreenshot(form.Handle(), file);
    return kExitSaved;
}

// The multiple-document window with three tiled documents, the last one active; cascaded or with the active
// document maximized when the options say so.
gallery::TMdiFrameForm& OpenMdiDocuments(const gallery::TGalleryOptions& options) {
    gallery::GalleryForm->Show();
    gallery::TMdiFrameForm& frame = gallery::GalleryForm->OpenMdiWindow();
    frame.NewTiledChildren(kMdiDocuments, kSkinningTimeout);
    if (options.Cascade) frame.Cascade();
    if (options.MaximizeDocument && frame.ActiveMDIChild()) {
        frame.ActiveMDIChild()->SetWindowState(gui::wsMaximized);
    }
    return frame;
}

int SaveMdiScreenshot(gui::TApplication& application, const gallery::TGalleryOptions& options) {
    gallery::TMdiFrameForm& frame = OpenMdiDocuments(options);
    const bool wanted = gallery::GalleryForm->SkinData()->Active();
    const auto allSkinned = [&] {
        for (int i = 0; i < frame.MDIChildCount(); ++i) {
            if (!Skinned(frame.MDIChildren(i)->Handle())) return false;
        }
        return Skinned(frame.Handle());
    };
    if (wanted && !PumpUntil(application, kSkinningTimeout, allSkinned)) {
        std::fprintf(stderr, "gallery: the documents were not skinned in time\n");
        return kExitFailed;
    }
    RedrawWindow(frame.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    PumpUntil(application, kSettleTime, [] { return false; });
    HideCaretIfAsked(application, options.NoCaret);
    gallery::SaveWindowScreenshot(frame.Handle(), options.ScreenshotFile);
    return kExitSaved;
}

int RunGallery() {
    gui::TApplication application;
    gallery::TGalleryOptions options;
    try {
        application.Initialize();
        application.SetTitle(kTitle);
        application.CreateForm(gallery::GalleryForm);
        options =
            gallery::ParseGalleryOptions(gallery::CommandLineArguments(), gallery::GalleryForm->PageCount());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "gallery: %s\n", error.what());
        if (gallery::CommandLineArguments().empty()) application.ShowException(error);
        return kExitUsage;
    }
    try {
        if (!options.SkinFile.empty()) gallery::GalleryForm->LoadSkinFile(options.SkinFile);
        gallery::GalleryForm->ShowPage(options.Page - 1);
        if (options.FixedClock) gallery::GalleryForm->ShowFixedMoment();
        if (!options.ScreenshotFile.empty() && options.Mdi) {
            return SaveMdiScreenshot(application, options);
        }
        if (!options.ScreenshotFile.empty())
            return SaveScreenshot(application, options.ScreenshotFile, options.NoCaret);
        if (options.Mdi) OpenMdiDocuments(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "gallery: %s\n", error.what());
        if (options.ScreenshotFile.empty()) application.ShowException(error);
        return kExitFailed;
    }
    application.Run();
    return kExitSaved;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    gui::RegisterFrameworkClasses();
    skin::RegisterSkinDataClass();
    rtl::RegisterComponentClass<gallery::TGalleryCheckGroup>();
    gallery::RegisterMdiFormClasses();
    const int result = RunGallery();
    skin::FreeSkinManager();
    return result;
}
