// Figures of skinned popup menus, in-process under Wine or Windows:
//   menu_bench <skin file>
// The time from asking for a window's system menu to the menu window painted, for a skinned window (the
// skin's owner-drawn menu in a skinned menu window) against the same window unskinned (the system's menu).
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
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Set when a menu window has painted: the menu is closed at once and the time kept.
HHOOK g_paintHook = nullptr;
Clock::time_point g_painted;
bool g_seen = false;

LRESULT CALLBACK AfterPaint(int code, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && info->message == WM_PAINT && !g_seen) {
        wchar_t name[16] = {};
        GetClassNameW(info->hwnd, name, 16);
        if (std::wstring(name) == L"#32768") {
            g_painted = Clock::now();
            g_seen = true;
            EndMenu();
        }
    }
    return CallNextHookEx(g_paintHook, code, wParam, lParam);
}

// Median over rounds of the time from show() being called to the menu window painted, in microseconds.
double MedianMicroseconds(int rounds, const std::function<void()>& show) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        g_seen = false;
        const auto start = Clock::now();
        show();
        if (g_seen) times.push_back(std::chrono::duration<double, std::micro>(g_painted - start).count());
    }
    if (times.empty()) return 0;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

HWND MakeWindow() {
    return CreateWindowExW(0, L"STATIC", L"Menu benchmark window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                           529, 300, nullptr, nullptr, nullptr, nullptr);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: menu_bench <skin file>\n");
        return 2;
    }
    gui::RegisterFrameworkClasses();
    skin::RegisterSkinDataClass();
    gui::TApplication application;
    application.Initialize();
    skin::TSkinData skinData(nullptr);
    skinData.SetSkinFile(argv[1]);
    skinData.SetActive(true);
    if (skinData.SkinPending) {
        std::fprintf(stderr, "the skin file could not be read\n");
        return 1;
    }
    skin::TSkinManage& manager = skin::EnsureSkinManager();
    // The system's window is made with skinning off: the manager takes every new top-level window.
    manager.Enabled = 0;
    HWND plain = MakeWindow();
    Pump();
    manager.Enabled = 1;
    HWND skinned = MakeWindow();
    manager.SkinWindow(skinned);
    Pump();
    skin::TWinSkinForm* object = manager.FindFormByWindow(skinned);
    if (!object || object->SkinPhase() != skin::kPhaseActive) {
        std::fprintf(stderr, "the window was not skinned\n");
        return 1;
    }
    if (manager.FindFormByWindow(plain)) {
        std::fprintf(stderr, "the system's window was skinned too\n");
        return 1;
    }
    object->SystemMenu().SetDoubleClickTime(0); // opened again faster than a double click
    g_paintHook = SetWindowsHookExW(WH_CALLWNDPROCRET, &AfterPaint, nullptr, GetCurrentThreadId());
    const auto skinnedMenu = [&] {
        SetForegroundWindow(skinned);
        object->SystemMenu().Show(150, 150);
        Pump();
    };
    // With skinning off: the manager would skin the window as it is activated, and the menu window as it
    // is made.
    const auto systemMenu = [&] {
        manager.Enabled = 0;
        SetForegroundWindow(plain);
        TrackPopupMenu(GetSystemMenu(plain, FALSE), TPM_RIGHTBUTTON | TPM_RETURNCMD, 150, 150, 0, plain,
                       nullptr);
        Pump();
        manager.Enabled = 1;
    };
    MedianMicroseconds(5, skinnedMenu); // warm both up
    MedianMicroseconds(5, systemMenu);
    double skinnedTime = 0, systemTime = 0;
    for (int round = 0; round < 3; ++round) { // alternating, so that both see the same machine
        skinnedTime += MedianMicroseconds(20, skinnedMenu);
        systemTime += MedianMicroseconds(20, systemMenu);
    }
    UnhookWindowsHookEx(g_paintHook);
    if (skinnedTime <= 0 || systemTime <= 0) {
        std::fprintf(stderr, "no menu window painted\n");
        return 1;
    }
    if (manager.FindFormByWindow(plain)) {
        std::fprintf(stderr, "the system's window was skinned during the measurement\n");
        return 1;
    }
    std::printf("system menu shown and painted: skinned %.0f us, system %.0f us, ratio %.2f\n",
                skinnedTime / 3, systemTime / 3, skinnedTime / systemTime);
    DestroyWindow(plain);
    DestroyWindow(skinned);
    Pump();
    return 0;
}
