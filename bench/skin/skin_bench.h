// What the skin benchmarks share: timing, the message pump, and a skin read from the file named on the
// command line with the skin manager ready.
#pragma once

#include "framework/gui/application.h"
#include "framework/gui/register_classes.h"
#include "skin/component/skin_data.h"
#include "skin/form/skin_form.h"
#include "skin/manager/skin_manager.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

namespace skin_bench {

// Best of several rounds, in microseconds per call.
inline double BestMicroseconds(int calls, const std::function<void()>& work, int rounds = 5) {
    using Clock = std::chrono::steady_clock;
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        for (int i = 0; i < calls; ++i)
            work();
        best =
            std::min(best, std::chrono::duration<double, std::micro>(Clock::now() - start).count() / calls);
    }
    return best;
}

// The best of several rounds of two pieces of work measured in turns, so that a busy machine slows both
// alike; microseconds per call.
struct PairOfTimes {
    double First = 1e30, Second = 1e30;
};
inline PairOfTimes BestMicrosecondsInTurns(int calls, const std::function<void()>& first,
                                           const std::function<void()>& second, int rounds = 15) {
    PairOfTimes best;
    for (int round = 0; round < rounds; ++round) {
        best.First = std::min(best.First, BestMicroseconds(calls, first, 1));
        best.Second = std::min(best.Second, BestMicroseconds(calls, second, 1));
    }
    return best;
}

inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The application, the skin of the file named by the first argument and the skin manager (enabled).
struct BenchSkin {
    gui::TApplication application;
    std::unique_ptr<skin::TSkinData> skinData;
    skin::TSkinManage* manager = nullptr;
};

// Null after printing why (usage or an unreadable skin); exitCode is then what main returns.
inline std::unique_ptr<BenchSkin> StartBenchSkin(int argc, char** argv, const char* name, int& exitCode) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <skin file>\n", name);
        exitCode = 2;
        return nullptr;
    }
    gui::RegisterFrameworkClasses();
    skin::RegisterSkinDataClass();
    auto bench = std::make_unique<BenchSkin>();
    bench->application.Initialize();
    bench->skinData = std::make_unique<skin::TSkinData>(nullptr);
    bench->skinData->SetSkinFile(argv[1]);
    bench->skinData->SetActive(true);
    if (bench->skinData->SkinPending) {
        std::fprintf(stderr, "the skin file could not be read\n");
        exitCode = 1;
        return nullptr;
    }
    bench->manager = &skin::EnsureSkinManager();
    bench->manager->Enabled = 1;
    return bench;
}

// Invalidated and painted at once: one repaint.
inline void Repaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// The unskinned side's work, run with skinning off: the manager skins a window when it is activated and
// each popup menu as it is made, so a window made unskinned would be skinned at its first activation.
inline std::function<void()> WithSkinningOff(skin::TSkinManage& manager, std::function<void()> work) {
    return [&manager, work = std::move(work)] {
        manager.Enabled = 0;
        work();
        manager.Enabled = 1;
    };
}

// False, after saying why, when the unskinned window was skinned after all: the figures would compare the
// skin with itself.
inline bool StayedUnskinned(const skin::TSkinManage& manager, HWND window) {
    if (!manager.FindFormByWindow(window)) return true;
    std::fprintf(stderr, "the unskinned window was skinned during the measurement\n");
    return false;
}

// Two windows made by make(left) (a struct with the top-level window in `frame`): the first made while
// skinning is off, the second skinned. The skinned window's form object, or null when it was not skinned.
template <class Window, class Make>
const skin::TWinSkinForm* MakePlainAndSkinned(skin::TSkinManage& manager, Make make, Window& plain,
                                              Window& skinned) {
    manager.Enabled = 0;
    plain = make(0);
    manager.Enabled = 1;
    skinned = make(560);
    manager.SkinWindow(skinned.frame);
    Pump();
    return manager.FindFormByWindow(skinned.frame);
}

} // namespace skin_bench
