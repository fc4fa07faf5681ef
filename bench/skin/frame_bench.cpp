// Figures of the skinned frame, in-process under Wine or Windows:
//   frame_bench <skin file>
// - painting the whole skinned frame against the system's own non-client paint of the same window
//   unskinned, for a window of the main window's size and one of 1280 x 1024, measured in turns so that a
//   busy machine slows both alike;
// - rebuilding the window region for one resize step of a 1280 x 1024 window;
// - the caption with its close button hot: the whole frame repainted, and the button lit and put out again,
//   against the system's non-client paint (the frame also in turns with it);
// - the same window's frame skinned at 192 DPI against 96 DPI (the DPI the form skinning is told), the time
//   a scaled copy of the skin takes to make, and the pixel memory of the skin's images at each DPI.
#include "bench/skin/skin_bench.h"
#include "framework/gui/dpi.h"
#include "skin/form/skin_form.h"
#include "skin/form/window_dpi.h"

#include <windows.h>

#include <chrono>
#include <cstdio>

namespace {

using skin_bench::BestMicroseconds;
using skin_bench::BestMicrosecondsInTurns;
using skin_bench::Pump;

HWND MakeWindow(int clientWidth, int clientHeight) {
    RECT rect{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND window =
        CreateWindowExW(0, L"STATIC", L"Frame benchmark window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                        rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
    return window;
}

int g_dpi = gui::kDesignDpi;
int BenchDpi(HWND) {
    return g_dpi;
}

// The frame of a window of the main window's client size, skinned at each DPI in turn.
int BenchDpis(skin::TSkinManage& manager, skin::TSkinData& skinData) {
    const skin::WindowDpiQuery previous = skin::SetWindowDpiQuery(&BenchDpi);
    double at96 = 0;
    for (const int dpi : {96, 192}) {
        g_dpi = dpi;
        HWND skinned = MakeWindow(gui::ScaleForDpi(521, dpi), gui::ScaleForDpi(255, dpi));
        manager.SkinWindow(skinned);
        Pump();
        const skin::TWinSkinForm* attached = manager.FindFormByWindow(skinned);
        if (!attached || attached->SkinPhase() != skin::kPhaseActive) {
            std::fprintf(stderr, "the window was not skinned at %d DPI\n", dpi);
            return 1;
        }
        const double us = BestMicroseconds(200, [&] { SendMessageW(skinned, WM_NCPAINT, 1, 0); });
        if (dpi == 96) at96 = us;
        std::printf("frame paint at %d DPI, main window: %.1f us (ratio %.2f to 96 DPI)\n", dpi, us,
                    us / at96);
        DestroyWindow(skinned);
        Pump();
    }
    skin::SetWindowDpiQuery(previous);
    std::printf("skin images at 96 DPI: %zu bytes\n", skinData.MemoryHeld().ImageBytes);
    for (const int dpi : {120, 144, 192}) {
        std::printf("skin images at %d DPI: %zu bytes\n", dpi, skinData.ForDpi(dpi).MemoryHeld().ImageBytes);
        skin::TSkinData scaled(nullptr);
        const double made = BestMicroseconds(5, [&] { scaled.LoadScaled(skinData, dpi); });
        std::printf("  the whole skin scaled for %d DPI in %.0f us\n", dpi, made);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    int exitCode = 0;
    const auto bench = skin_bench::StartBenchSkin(argc, argv, "frame_bench", exitCode);
    if (!bench) return exitCode;
    skin::TSkinManage& manager = *bench->manager;

    struct Size {
        const char* name;
        int width, height;
    };
    for (const Size size :
         {Size{"main window (client 521 x 255)", 521, 255}, Size{"1280 x 1024", 1280, 1024}}) {
        // The system's window is made with skinning off: the manager takes every new top-level window.
        manager.Enabled = 0;
        HWND plain = MakeWindow(size.width, size.height);
        Pump();
        manager.Enabled = 1;
        HWND skinned = MakeWindow(size.width, size.height);
        manager.SkinWindow(skinned);
        Pump();
        const skin::TWinSkinForm* attached = manager.FindFormByWindow(skinned);
        if (!attached || attached->SkinPhase() != skin::kPhaseActive) {
            std::fprintf(stderr, "the window was not skinned\n");
            return 1;
        }
        if (manager.FindFormByWindow(plain)) {
            std::fprintf(stderr, "the system's window was skinned too\n");
            return 1;
        }
        const auto systemPaint = [&] { SendMessageW(plain, WM_NCPAINT, 1, 0); };
        const auto skinnedPaint = [&] { SendMessageW(skinned, WM_NCPAINT, 1, 0); };
        const auto frame = BestMicrosecondsInTurns(200, systemPaint, skinnedPaint);
        const double system = frame.First, ours = frame.Second;
        std::printf("frame paint, %s: skinned %.1f us, system %.1f us, ratio %.2f\n", size.name, ours, system,
                    ours / system);
        if (size.width == 521) {
            skin::TWinSkinForm& object = *manager.FindFormByWindow(skinned);
            skin::TWinSysButton* close = nullptr;
            for (auto& button : object.SysButtons()) {
                if (button->Visible && button->Element->Action == skin::kActionClose) close = button.get();
            }
            if (close) {
                close->MouseEnter();
                const auto hot = BestMicrosecondsInTurns(200, systemPaint, skinnedPaint);
                const double hotFrame = hot.Second;
                const double hover = BestMicroseconds(200, [&] {
                    close->MouseLeave();
                    close->MouseEnter();
                });
                close->MouseLeave();
                std::printf(
                    "caption with the close button hot, %s: whole frame %.1f us (ratio %.2f to the system's "
                    "paint); button put out and lit again %.1f us (ratio %.2f)\n",
                    size.name, hotFrame, hotFrame / hot.First, hover, hover / system);
            }
        }
        if (size.width == 1280) {
            skin::TWinSkinForm& object = *manager.FindFormByWindow(skinned);
            const double region = BestMicroseconds(50, [&] {
                object.ForgetRegionSize(); // as after a resize step
                object.UpdateRegion();
            });
            std::printf("window region of a 1280 x 1024 window, one resize step: %.1f us\n", region);
        }
        DestroyWindow(plain);
        DestroyWindow(skinned);
        Pump();
    }
    return BenchDpis(manager, *bench->skinData);
}
