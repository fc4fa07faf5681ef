// Figures of skinned controls, in-process under Wine or Windows:
//   control_bench <skin file>
// One repaint of a push button (invalidated and painted at once) drawn from the skin, against the system's
// own painting of the same button in a window that is not skinned; the same for an edit box, whose skin adds
// a border over the edit's own painting.
#include "bench/skin/skin_bench.h"
#include "skin/form/control_discovery.h"
#include "skin/form/skin_form.h"

#include <windows.h>

#include <cstdio>

namespace {

using skin_bench::Pump;
using skin_bench::Repaint;

struct Window {
    HWND frame = nullptr, button = nullptr, edit = nullptr;
};

// A dialog-like window with the main window's button and edit box on it.
Window MakeWindow(int left) {
    Window w;
    // Shown once its controls exist: the window is skinned when it is first activated.
    w.frame = CreateWindowExW(0, L"STATIC", L"Control benchmark window", WS_OVERLAPPEDWINDOW, left, 0, 521,
                              255, nullptr, nullptr, nullptr, nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    w.button = CreateWindowExW(0, L"BUTTON", L"Convert", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 184, 150, 169,
                               25, w.frame, nullptr, nullptr, nullptr);
    w.edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"12345", WS_CHILD | WS_VISIBLE, 96, 56, 377, 21,
                             w.frame, nullptr, nullptr, nullptr);
    SendMessageW(w.button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(w.edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ShowWindow(w.frame, SW_SHOW);
    return w;
}

} // namespace

int main(int argc, char** argv) {
    int exitCode = 0;
    const auto bench = skin_bench::StartBenchSkin(argc, argv, "control_bench", exitCode);
    if (!bench) return exitCode;
    Window plain, skinned;
    const skin::TWinSkinForm* attached =
        skin_bench::MakePlainAndSkinned(*bench->manager, MakeWindow, plain, skinned);
    if (!attached || !skin::FindControlObject(*attached, skinned.button) ||
        !skin::FindControlObject(*attached, skinned.edit)) {
        std::fprintf(stderr, "the controls were not skinned\n");
        return 1;
    }
    const auto button = skin_bench::BestMicrosecondsInTurns(
        100, [&] { Repaint(plain.button); }, [&] { Repaint(skinned.button); });
    std::printf("button repaint (169 x 25): skinned %.1f us, system %.1f us, ratio %.2f\n", button.Second,
                button.First, button.Second / button.First);
    const auto edit = skin_bench::BestMicrosecondsInTurns(
        100, [&] { Repaint(plain.edit); }, [&] { Repaint(skinned.edit); });
    std::printf("edit repaint (377 x 21): skinned %.1f us, system %.1f us, ratio %.2f\n", edit.Second,
                edit.First, edit.Second / edit.First);
    DestroyWindow(plain.frame);
    DestroyWindow(skinned.frame);
    Pump();
    return 0;
}
