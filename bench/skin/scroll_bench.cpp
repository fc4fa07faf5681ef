// Figures of skinned window scroll bars, in-process under Wine or Windows:
//   scroll_bench <skin file>
// A memo of 10,000 lines scrolled from the top to the end by its thumb, in the steps a drag sends
// (SB_THUMBTRACK, each one painted at once): frames per second with the skin's bars against the system's
// bars on an unskinned memo of the same size, measured in turns in one run.
#include "bench/skin/skin_bench.h"
#include "framework/gui/form.h"
#include "framework/gui/memo.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/form/control_discovery.h"
#include "skin/form/skin_form.h"

#include <windows.h>

#include <cstdio>
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

// One drag from the top to the end: each step moves the thumb's position and has the memo painted.
void DragToEnd(HWND memo) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(memo, SB_VERT, &info);
    const int last = info.nMax - static_cast<int>(info.nPage) + 1;
    for (int step = 0; step <= kSteps; ++step) {
        const int pos = info.nMin + (last - info.nMin) * step / kSteps;
        SCROLLINFO moved{sizeof moved, SIF_POS, 0, 0, 0, pos, 0};
        SetScrollInfo(memo, SB_VERT, &moved, TRUE);
        SendMessageW(memo, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
        UpdateWindow(memo);
    }
    SendMessageW(memo, WM_VSCROLL, SB_TOP, 0);
    UpdateWindow(memo);
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
    if (!attached ||
        !dynamic_cast<skin::TSkinScrollBar*>(skin::FindControlObject(*attached, skinned->Handle()))) {
        std::fprintf(stderr, "the memo's bars were not skinned\n");
        return 1;
    }
    const auto times = skin_bench::BestMicrosecondsInTurns(
        1, [&] { DragToEnd(plain->Handle()); }, [&] { DragToEnd(skinned->Handle()); }, 7);
    const double frames = kSteps + 2;
    const double skinnedFps = frames * 1e6 / times.Second, plainFps = frames * 1e6 / times.First;
    std::printf("10,000-line memo dragged to the end in %d thumb steps: skinned %.0f frames/s, system %.0f "
                "frames/s, ratio %.2f\n",
                kSteps, skinnedFps, plainFps, skinnedFps / plainFps);
    return 0;
}
