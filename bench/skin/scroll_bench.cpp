// Figures of skinned window scroll bars, in-process under Wine or Windows:
//   scroll_bench <skin file>
// A memo of 10,000 lines scrolled from the top to the end by its thumb, the skin's bars against the
// system's bars on an unskinned memo of the same size, frames per second measured in turns in one run:
// - the steps a drag loop takes, each painted at once (SB_THUMBTRACK): the system's loop draws the moved
//   thumb and tells the memo; the skin's sets the position without the system's drawing and paints its bar
//   once the memo has scrolled;
// - a drag with the mouse itself (input sent a pixel at a time, each move once the memo has painted the one
//   before), through the system's drag loop and through the skin's;
// - the system's steps on both memos (the system's bar drawn, then covered by the skin's).
#include "bench/skin/skin_bench.h"
#include "framework/gui/form.h"
#include "framework/gui/memo.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/form/control_discovery.h"
#include "skin/form/skin_form.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr int kLines = 10000;
constexpr int kSteps = 250; // thumb positions of a drag from the top to the end

gui::TMemo* MakeMemoForm(gui::TApplication& application, int left) {
    auto* form = new gui::TForm(&application);
    application.AddForm(form);
    form->LoadFromText(
        "Form1 : TForm {\n Left = " + std::to_string(left) +
        "\n Top = 0\n ClientWidth = 300\n ClientHeight = 320\n Caption = \"Scroll benchmark\"\n"
        " Memo1 : TMemo {\n  Left = 8\n  Top = 8\n  Width = 280\n  Height = 300\n"
        "  ScrollBars = ssVertical\n  WordWrap = False\n }\n}\n");
    auto* memo = dynamic_cast<gui::TMemo*>(form->FindComponent("Memo1"));
    std::vector<std::string> lines;
    for (int i = 0; i < kLines; ++i)
        lines.push_back("Line " + std::to_string(i + 1) + " of the benchmark memo");
    memo->SetLines(lines);
    form->Show();
    return memo;
}

// One drag from the top to the end: each step moves the thumb and has the memo painted.
void DragToEnd(HWND memo, const std::function<void(int)>& step) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(memo, SB_VERT, &info);
    const int last = info.nMax - static_cast<int>(info.nPage) + 1;
    for (int i = 0; i <= kSteps; ++i) {
        step(info.nMin + (last - info.nMin) * i / kSteps);
        UpdateWindow(memo);
    }
    // Released at the end, as both drag loops end.
    SendMessageW(memo, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, last), 0);
    SendMessageW(memo, WM_VSCROLL, SB_ENDSCROLL, 0);
    SendMessageW(memo, WM_VSCROLL, SB_TOP, 0);
    UpdateWindow(memo);
}

// A step of the system's own drag loop: the bar drawn with the thumb moved, the memo told.
void SystemStep(HWND memo, int pos) {
    SCROLLINFO moved{sizeof moved, SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(memo, SB_VERT, &moved, TRUE);
    SendMessageW(memo, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
}

void Report(const char* how, const skin_bench::PairOfTimes& times) {
    const double frames = kSteps + 2;
    const double skinnedFps = frames * 1e6 / times.Second, plainFps = frames * 1e6 / times.First;
    std::printf("10,000-line memo dragged to the end in %d thumb steps%s: skinned %.0f frames/s, system %.0f "
                "frames/s, ratio %.2f\n",
                kSteps, how, skinnedFps, plainFps, skinnedFps / plainFps);
}

// A drag with the mouse itself, through whichever drag loop the bar has: pressed on the thumb, moved down a
// pixel at a time, released. Each move is sent once the memo has painted the one before (a hook after its
// paint), so each frame is one step scrolled and painted. A watchdog moves on if no paint came.
struct MouseDrag {
    HWND memo = nullptr;
    POINT at{};
    int movesLeft = 0;
    int paints = 0;
    int nudges = 0;
    bool released = false;
    DWORD lastPaint = 0;
};
MouseDrag g_drag;

void SendMouse(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void NextMove() {
    g_drag.lastPaint = GetTickCount();
    if (g_drag.movesLeft > 0) {
        --g_drag.movesLeft;
        ++g_drag.at.y;
        SendMouse(MOUSEEVENTF_MOVE, g_drag.at);
    } else if (!g_drag.released) {
        g_drag.released = true;
        SendMouse(MOUSEEVENTF_LEFTUP, g_drag.at);
    }
}

WNDPROC g_memoProc = nullptr;
LRESULT CALLBACK CountingMemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(g_memoProc, window, message, wParam, lParam);
    if (message == WM_PAINT && window == g_drag.memo) {
        ++g_drag.paints;
        NextMove();
    }
    return result;
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD now) {
    if (now - g_drag.lastPaint > 300) {
        ++g_drag.nudges;
        NextMove();
    }
}

// Microseconds a frame of one mouse drag over `moves` pixels; the drag's paints and nudges are in g_drag.
double MouseDragOnce(HWND memo, int moves) {
    SendMessageW(memo, WM_VSCROLL, SB_TOP, 0);
    UpdateWindow(memo);
    skin_bench::Pump();
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    GetScrollBarInfo(memo, OBJID_VSCROLL, &bar);
    g_drag = MouseDrag{};
    g_drag.memo = memo;
    g_drag.at = POINT{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                      bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
    g_drag.movesLeft = moves;
    // The memo's paints counted by a window procedure over all others (its own and the skin's).
    g_memoProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(memo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingMemoProc)));
    SetCursorPos(g_drag.at.x, g_drag.at.y);
    skin_bench::Pump();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &Watchdog);
    const auto start = std::chrono::steady_clock::now();
    SendMouse(MOUSEEVENTF_LEFTDOWN, g_drag.at);
    NextMove(); // the first move goes with the press; the others follow the paints
    while (!g_drag.released || GetCapture()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        skin_bench::Pump();
    }
    skin_bench::Pump();
    const double us =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    KillTimer(nullptr, timer);
    SetWindowLongPtrW(memo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_memoProc));
    return us / std::max(g_drag.paints, 1);
}

// Mouse drags over the same pixels on both memos, in turns; false if a drag stalled.
bool MouseDrags(skin::TSkinManage& manager, HWND plainMemo, HWND skinnedMemo,
                const skin::TSkinScrollBar& bars) {
    SendMessageW(plainMemo, WM_VSCROLL, SB_TOP, 0);
    skin_bench::Pump();
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    GetScrollBarInfo(plainMemo, OBJID_VSCROLL, &bar);
    // With the thumb at the top, xyThumbTop is the arrow's length; the travel a pixel short of each end.
    const int travel = bar.rcScrollBar.bottom - bar.rcScrollBar.top - bar.xyThumbTop - bar.xyThumbBottom;
    const int moves = std::min(travel, bars.VertMetrics.TrackLength - bars.VertMetrics.ThumbLength) - 2;
    double plain = 1e30, skinned = 1e30;
    for (int round = 0; round < 11; ++round) {
        for (const HWND memo : {plainMemo, skinnedMemo}) {
            double us = 0;
            // The press activates the plain memo's form: with skinning on, that would skin it.
            if (memo == plainMemo)
                skin_bench::WithSkinningOff(manager, [&] { us = MouseDragOnce(memo, moves); })();
            else
                us = MouseDragOnce(memo, moves);
            if (g_drag.nudges > 0 || g_drag.paints < moves) {
                std::fprintf(stderr, "a mouse drag stalled: %d paints for %d moves\n", g_drag.paints, moves);
                return false;
            }
            double& best = memo == plainMemo ? plain : skinned;
            best = std::min(best, us);
        }
    }
    std::printf("mouse drag of the thumb over %d pixels: skinned %.0f frames/s, system %.0f frames/s, ratio "
                "%.2f\n",
                moves, 1e6 / skinned, 1e6 / plain, plain / skinned);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int exitCode = 0;
    const auto bench = skin_bench::StartBenchSkin(argc, argv, "scroll_bench", exitCode);
    if (!bench) return exitCode;
    skin::TSkinManage& manager = *bench->manager;
    gui::TApplication& application = bench->application;
    manager.Enabled = 0;
    gui::TMemo* plain = MakeMemoForm(application, 0);
    skin_bench::Pump();
    manager.Enabled = 1;
    gui::TMemo* skinned = MakeMemoForm(application, 340);
    manager.SkinWindow(skinned->Owner() ? dynamic_cast<gui::TForm*>(skinned->Owner())->Handle() : nullptr);
    for (int i = 0; i < 100; ++i) {
        skin_bench::Pump();
        Sleep(5);
    }
    // Neither memo keeps the focus: the focused one would hide and show its caret on every step, which
    // the other is spared.
    SetFocus(nullptr);
    const skin::TWinSkinForm* attached =
        manager.FindFormByWindow(dynamic_cast<gui::TForm*>(skinned->Owner())->Handle());
    auto* bars =
        attached ? dynamic_cast<skin::TSkinScrollBar*>(skin::FindControlObject(*attached, skinned->Handle()))
                 : nullptr;
    if (!bars) {
        std::fprintf(stderr, "the memo's bars were not skinned\n");
        return 1;
    }
    const HWND plainMemo = plain->Handle(), skinnedMemo = skinned->Handle();
    Report("", skin_bench::BestMicrosecondsInTurns(
                   1, [&] { DragToEnd(plainMemo, [&](int pos) { SystemStep(plainMemo, pos); }); },
                   [&] { DragToEnd(skinnedMemo, [&](int pos) { bars->TrackThumb(true, pos); }); }, 7));
    if (!MouseDrags(manager, plainMemo, skinnedMemo, *bars) ||
        !skin_bench::StayedUnskinned(manager, GetParent(plainMemo)))
        return 1;
    Report(" (the system's steps on both)",
           skin_bench::BestMicrosecondsInTurns(
               1, [&] { DragToEnd(plainMemo, [&](int pos) { SystemStep(plainMemo, pos); }); },
               [&] { DragToEnd(skinnedMemo, [&](int pos) { SystemStep(skinnedMemo, pos); }); }, 7));
    return 0;
}
