// Figures of skinning a whole window of controls, in-process under Wine or Windows:
//   gallery_bench                        each page shown and painted, skinned against skinning off
//   gallery_bench --working-set on|off   the working set after every page was shown, skinned or not
// For each page of the control gallery: the time from showing the gallery to every control attached and
// painted, skinned, against showing it with skinning off: alternating rounds, the median of each side and
// the median of the ratios of each round's pair (the machine's pace drifts over a run; a pair shares it).
#include "app/gallery/gallery_form.h"
#include "bench/skin/skin_bench.h"
#include "skin/form/skin_form.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
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
    skin::SkinManager->Enabled = skinned ? 1 : 0; // before the window is made, as a program would
    application.CreateForm(form);
    form->ShowPage(page);
    const auto start = Clock::now();
    form->Show();
    // Painted through the message loop, as a program's windows are, skinned or not.
    do {
        skin_bench::Pump();
    } while (skinned && !Skinned(form->Handle()));
    // Whatever is still to paint, painted now; nothing painted twice.
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
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

int main(int argc, char** argv) {
    const bool workingSet = argc >= 3 && std::strcmp(argv[1], "--working-set") == 0;
    const bool skinnedOnly = workingSet && std::strcmp(argv[2], "on") == 0;
    gui::RegisterFrameworkClasses();
    skin::RegisterSkinDataClass();
    rtl::RegisterComponentClass<gallery::TGalleryCheckGroup>();
    gui::TApplication application;
    application.Initialize();
    gallery::TGalleryForm* mainForm = nullptr; // never shown: the measured galleries come and go beside it
    application.CreateForm(mainForm);
    skin::EnsureSkinManager();
    if (workingSet) {
        // Each page twice, so that what is kept from one showing to the next is counted once it is full.
        for (int round = 0; round < 2; ++round) {
            for (int page = 0; page < mainForm->PageCount(); ++page)
                ShowOnce(application, page, skinnedOnly);
        }
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        std::printf("working set after every gallery page was shown %s: %.1f MB (peak %.1f MB)\n",
                    skinnedOnly ? "skinned" : "with skinning off",
                    static_cast<double>(memory.WorkingSetSize) / 1048576.0,
                    static_cast<double>(memory.PeakWorkingSetSize) / 1048576.0);
        return 0;
    }
    for (int page = 0; page < mainForm->PageCount(); ++page) {
        std::vector<double> skinned, plain, ratios;
        for (int round = 0; round < 11; ++round) {
            skinned.push_back(ShowOnce(application, page, true));
            plain.push_back(ShowOnce(application, page, false));
            ratios.push_back(skinned.back() / plain.back());
        }
        std::printf("gallery page %d shown and painted: skinned %.1f ms, skinning off %.1f ms, ratio %.2f\n",
                    page + 1, Median(skinned) / 1000, Median(plain) / 1000, Median(ratios));
    }
    return 0;
}
