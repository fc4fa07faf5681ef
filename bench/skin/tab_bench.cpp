// Figures of a skinned tab window, in-process under Wine or Windows:
//   tab_bench <skin file>
// One repaint (invalidated and painted at once) of a tab window with 20 tabs, more than fit, so its scroll
// arrows show: the skin's strip and page border over the control's own painting, against the control's own
// painting alone in a window that is not skinned.
#include "bench/skin/skin_bench.h"
#include "skin/form/control_discovery.h"
#include "skin/form/skin_form.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

using skin_bench::Pump;
using skin_bench::Repaint;

constexpr int kTabs = 20;

struct Window {
    HWND frame = nullptr, tabs = nullptr;
};

Window MakeWindow(int left) {
    Window w;
    w.frame = CreateWindowExW(0, L"STATIC", L"Tab benchmark window", WS_OVERLAPPEDWINDOW, left, 0, 521, 300,
                              nullptr, nullptr, nullptr, nullptr);
    w.tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 8, 8, 480, 220,
                             w.frame, nullptr, nullptr, nullptr);
    SendMessageW(w.tabs, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (int i = 0; i < kTabs; ++i) {
        std::wstring text = L"Page " + std::to_wstring(i + 1);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(w.tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    ShowWindow(w.frame, SW_SHOW);
    return w;
}

} // namespace

int main(int argc, char** argv) {
    int exitCode = 0;
    const auto bench = skin_bench::StartBenchSkin(argc, argv, "tab_bench", exitCode);
    if (!bench) return exitCode;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    Window plain, skinned;
    const skin::TWinSkinForm* attached =
        skin_bench::MakePlainAndSkinned(*bench->manager, MakeWindow, plain, skinned);
    if (!attached || !skin::FindControlObject(*attached, skinned.tabs)) {
        std::fprintf(stderr, "the tab window was not skinned\n");
        return 1;
    }
    const auto tabs = skin_bench::BestMicrosecondsInTurns(
        50, [&] { Repaint(plain.tabs); }, [&] { Repaint(skinned.tabs); });
    std::printf("tab window repaint (480 x 220, %d tabs): skinned %.1f us, system %.1f us, ratio %.2f\n",
                kTabs, tabs.Second, tabs.First, tabs.Second / tabs.First);
    DestroyWindow(plain.frame);
    DestroyWindow(skinned.frame);
    Pump();
    return 0;
}
