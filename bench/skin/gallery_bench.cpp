// Figures of skinning a whole window of controls, in-process under Wine or Windows:
//   gallery_bench
// For each page of the control gallery: the time from showing the gallery to every control attached and
// painted, skinned, against showing it with skinning off (medians of alternating rounds).
#include "app/gallery/gallery_form.h"
#include "bench/skin/skin_bench.h"
#include "skin/form/skin_form.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

bool Skinned(HWND window) {
    const auto* object = skin::SkinManager ? skin::SkinManager->FindFormByWindow(window) : nullptr;
    return object && object->SkinPhase() == skin::kPhaseActive;
}

// Microseconds from Show to the window and all its controls painted (skinned first, when skinning is on).
double ShowOnce(gui::TApplication& application, int page, bool skinned) {
    gallery::TGalleryForm* form = nullptr;
    application.CreateForm(form);
    skin::SkinManager->Enabled = skinned ? 1 : 0;
    form->ShowPage(page);
    const auto start = Clock::now();
    form->Show();
    while (skinned && !Skinned(form->Handle()))
        skin_bench::Pump();
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    skin_bench::Pump();
    const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    delete form;
    skin_bench::Pump();
    skin::SkinManager->Enabled = 1;
    skin::SkinManager->RunPendingAction();
    return us;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main() {
    gui::RegisterFrameworkClasses();
    skin::RegisterSkinDataClass();
    rtl::RegisterComponentClass<gallery::TGalleryCheckGroup>();
    gui::TApplication application;
    application.Initialize();
    gallery::TGalleryForm* mainForm = nullptr; // never shown: the measured galleries come and go beside it
    application.CreateForm(mainForm);
    skin::EnsureSkinManager();
    for (int page = 0; page < mainForm->PageCount(); ++page) {
        std::vector<double> skinned, plain;
        for (int round = 0; round < 7; ++round) {
            skinned.push_back(ShowOnce(application, page, true));
            plain.push_back(ShowOnce(application, page, false));
        }
        const double s = Median(skinned), p = Median(plain);
        std::printf("gallery page %d shown and painted: skinned %.1f ms, skinning off %.1f ms, ratio %.2f\n",
                    page + 1, s / 1000, p / 1000, s / p);
    }
    return 0;
}
