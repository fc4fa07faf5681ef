// Odd skins on a live window. For each seed, a skin from the odd-skin generator is written to a file and
// read by a window like the main window (a menu bar, edit boxes, a button, every caption button), which is
// then used as a user would: painted, the pointer over each caption button, the menu bar's drop-down and
// the system menu opened, resized from 1 x 1 to larger than the screen, minimized, maximized, restored,
// and closed by its close button (Alt+F4 where the skin shows none); then the control gallery loads it and
// shows every page. It checks that nothing crashes, every
// step is answered within a second, the window closes, and the live handle counts and the working set stay
// bounded.
//   skin_chaos [--count N] [--seed FIRST]
// Prints one line per fault and a summary; exit status 0 when every skin was survived, 1 otherwise, 3 when
// a step hung (the watchdog ends the process).
#include "app/gallery/gallery_form.h"
#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/handles.h"
#include "framework/gui/register_classes.h"
#include "framework/rtl/form_data.h"
#include "skin/component/skin_data.h"
#include "skin/form/skin_form.h"
#include "skin/manager/skin_manager.h"
#include "tests/support/message_box_closer.h"
#include "tests/support/odd_skin.h"

#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kStepLimit = std::chrono::milliseconds(1000);
constexpr auto kHangLimit = std::chrono::seconds(20);

class TChaosForm : public gui::TForm {
  public:
    using TForm::TForm;
    static const rtl::TClassInfo& StaticClassInfo() {
        static const rtl::TClassInfo info{"TChaosForm", &TForm::StaticClassInfo(), {}};
        return info;
    }
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string FormText(const std::string& skinFile) {
    return R"(Chaos : TChaosForm {
    Caption = "Odd skin"
    ClientWidth = 521
    ClientHeight = 255
    Left = 200
    Top = 150
    BorderStyle = bsSizeable
    BorderIcons = [biSystemMenu, biMinimize, biMaximize, biHelp]
    Menu = MainMenu1
    SkinData1 : TSkinData {
        Active = True
        SkinFile = )" +
           Quoted(skinFile) +
           R"(
    }
    MainMenu1 : TMainMenu {
        FileItem : TMenuItem {
            Caption = "&File"
            OpenItem : TMenuItem {
                Caption = "&Open"
                ShortCut = 16463
            }
            Line : TMenuItem {
                Caption = "-"
            }
            MoreItem : TMenuItem {
                Caption = "&More"
                InnerItem : TMenuItem {
                    Caption = "&Inner"
                    Checked = True
                }
            }
        }
        SiteItem : TMenuItem {
            Caption = "Marivel网站"
        }
    }
    Edit1 : TEdit {
        Left = 120
        Top = 30
        Width = 200
        Height = 21
        Text = "255"
    }
    Edit2 : TEdit {
        Left = 120
        Top = 70
        Width = 200
        Height = 21
        Text = "16"
    }
    Button1 : TButton {
        Left = 120
        Top = 110
        Width = 120
        Height = 30
        Caption = "开始转换"
    }
    Label1 : TLabel {
        Left = 20
        Top = 34
        Caption = "十进制整数："
    }
}
)";
}

// The step under way, for the watchdog: a hang ends the process with the seed and step named.
std::atomic<long long> g_stepStarted{0};
std::atomic<const char*> g_stepName{""};
std::atomic<std::uint32_t> g_seed{0};

long long Now() {
    return Clock::now().time_since_epoch().count();
}

void Watchdog() {
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const long long started = g_stepStarted.load();
        if (started != 0 && Clock::duration(Now() - started) > kHangLimit) {
            std::printf("HANG seed %u, step %s: no answer for %lld s\n", g_seed.load(), g_stepName.load(),
                        static_cast<long long>(kHangLimit.count()));
            std::fflush(stdout);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
}

// A menu loop of this thread ends itself a moment after it starts.
void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR, DWORD) {
    EndMenu();
}

struct Figures {
    int tried = 0, skinned = 0, faults = 0;
    double worstStepMs = 0;
    std::string worstStep;
    SIZE_T worstWorkingSet = 0;
};

class ChaosRun {
  public:
    explicit ChaosRun(Figures& figures) : figures_(figures) {}

    // Runs step, timed, and counts it as a fault when it takes longer than a user would wait.
    template <class Step> void Timed(const char* name, Step&& step) {
        g_stepName = name;
        g_stepStarted = Now();
        const auto start = Clock::now();
        step();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        g_stepStarted = 0;
        if (ms > figures_.worstStepMs) {
            figures_.worstStepMs = ms;
            figures_.worstStep = std::string(name) + " (seed " + std::to_string(g_seed.load()) + ")";
        }
        if (ms > std::chrono::duration<double, std::milli>(kStepLimit).count()) {
            Fault(std::string(name) + " took " + std::to_string(static_cast<int>(ms)) + " ms");
        }
    }
    void Fault(const std::string& what) {
        ++figures_.faults;
        std::printf("FAULT seed %u: %s\n", g_seed.load(), what.c_str());
    }
    void Pump(gui::TApplication& application, std::chrono::milliseconds time) {
        const auto end = Clock::now() + time;
        do {
            application.ProcessMessages();
            Sleep(2);
        } while (Clock::now() < end);
    }

  private:
    Figures& figures_;
};

void TrySkin(gui::TApplication& application, const std::string& file, ChaosRun& run, Figures& figures) {
    auto* form = new TChaosForm(&application);
    application.AddForm(form);
    run.Timed("read the form and its skin", [&] { form->LoadFromText(FormText(file)); });
    run.Timed("show", [&] {
        form->Show();
        run.Pump(application, std::chrono::milliseconds(350)); // the manager skins on its 250 ms timer
    });
    HWND window = form->Handle();
    skin::TWinSkinForm* object = skin::SkinManager ? skin::SkinManager->FindFormByWindow(window) : nullptr;
    if (object && object->SkinPhase() == skin::kPhaseActive) ++figures.skinned;
    run.Timed("paint", [&] {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    });
    RECT outer{};
    GetWindowRect(window, &outer);
    if (object) {
        object->SystemMenu().SetDoubleClickTime(0);
        for (auto& button : object->SysButtons()) {
            if (!button->Visible) continue;
            run.Timed("pointer over a caption button", [&] {
                SetCursorPos(outer.left + (button->Bounds.left + button->Bounds.right) / 2,
                             outer.top + (button->Bounds.top + button->Bounds.bottom) / 2);
                run.Pump(application, std::chrono::milliseconds(20));
            });
        }
        SetCursorPos(outer.left + 40, outer.bottom + 30);
        const UINT_PTR timer = SetTimer(nullptr, 0, 60, &EndAnyMenu);
        if (object->MenuBar() && !object->MenuBar()->Items().empty()) {
            run.Timed("open the menu bar's drop-down",
                      [&] { object->MenuBar()->OpenMenuBarItem(*object->MenuBar()->Items()[0]); });
        }
        run.Timed("open the system menu",
                  [&] { object->SystemMenu().Show(outer.left + 20, outer.top + 20); });
        KillTimer(nullptr, timer);
    }
    for (const SIZE size : {SIZE{1, 1}, SIZE{60, 40}, SIZE{300, 200}, SIZE{1400, 1000}, SIZE{640, 360}}) {
        run.Timed("resize", [&] {
            SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
            run.Pump(application, std::chrono::milliseconds(10));
        });
    }
    struct ShowStep {
        int command;
        const char* name;
    };
    for (const ShowStep show :
         {ShowStep{SW_MINIMIZE, "minimize"}, ShowStep{SW_RESTORE, "restore from minimized"},
          ShowStep{SW_MAXIMIZE, "maximize"}, ShowStep{SW_RESTORE, "restore from maximized"}}) {
        run.Timed(show.name, [&] {
            ShowWindow(window, show.command);
            run.Pump(application, std::chrono::milliseconds(30));
        });
    }
    // Closing as a user would: the skin's close button when it shows one, else Alt+F4.
    run.Timed("close", [&] {
        skin::TWinSysButton* close = nullptr;
        object = skin::SkinManager ? skin::SkinManager->FindFormByWindow(window) : nullptr;
        if (object) {
            for (auto& button : object->SysButtons()) {
                const RECT& b = button->Bounds;
                if (button->Visible && button->Element->Action == skin::kActionClose && b.right > b.left) {
                    close = button.get();
                }
            }
        }
        GetWindowRect(window, &outer);
        const POINT centre{close ? (close->Bounds.left + close->Bounds.right) / 2 : 0,
                           close ? (close->Bounds.top + close->Bounds.bottom) / 2 : 0};
        // Only a button a user can reach: one drawn outside the window, or under another, cannot be clicked
        // (and a press the skin does not take would start the system's modal move of the window).
        if (close && object->CaptionButtons().ButtonAt(centre) == close &&
            centre.x < outer.right - outer.left && centre.y < outer.bottom - outer.top && centre.x >= 0 &&
            centre.y >= 0) {
            const LPARAM at = MAKELPARAM(outer.left + centre.x, outer.top + centre.y);
            SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, at);
            SendMessageW(window, WM_NCLBUTTONUP, HTCAPTION, at);
        }
        run.Pump(application, std::chrono::milliseconds(30));
        if (IsWindowVisible(window)) SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); // what Alt+F4 sends
        run.Pump(application, std::chrono::milliseconds(30));
    });
    if (IsWindowVisible(window)) run.Fault("the window did not close");
    delete form;
    run.Pump(application, std::chrono::milliseconds(300)); // the manager purges on its timer
}

// The gallery made from its stored form data (not timed: that is the gallery's own skin, not the odd one),
// the odd skin loaded into it, every page shown in its states and painted, and the gallery closed and freed.
void TryGallery(gui::TApplication& application, const std::string& file, ChaosRun& run) {
    gallery::TGalleryForm* form = nullptr;
    application.CreateForm(form);
    run.Timed("load the skin into the gallery", [&] {
        try {
            form->LoadSkinFile(file);
        } catch (const std::exception&) {
            // A skin the reader refuses leaves the gallery's own: what a user sees, not a fault.
        }
    });
    run.Timed("show the gallery", [&] {
        form->Show();
        run.Pump(application, std::chrono::milliseconds(350));
    });
    for (int page = 0; page < form->PageCount(); ++page) {
        run.Timed("show a gallery page", [&] {
            form->ShowPage(page);
            RedrawWindow(form->Handle(), nullptr, nullptr,
                         RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            run.Pump(application, std::chrono::milliseconds(20));
        });
    }
    run.Timed("close the gallery", [&] {
        SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        run.Pump(application, std::chrono::milliseconds(30));
    });
    if (IsWindowVisible(form->Handle())) run.Fault("the gallery did not close");
    delete form;
    run.Pump(application, std::chrono::milliseconds(300)); // the manager purges on its timer
}

} // namespace

int main(int argc, char** argv) {
    int count = 20;
    std::uint32_t first = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--count") count = std::atoi(argv[i + 1]);
        if (option == "--seed") first = static_cast<std::uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
    }
    gui::RegisterFrameworkClasses();
    skin::RegisterSkinDataClass();
    rtl::RegisterComponentClass<TChaosForm>();
    rtl::RegisterComponentClass<gallery::TGalleryCheckGroup>();
    gui::TApplication application;
    application.Initialize();
    application.SetTitle("Odd skins");
    testing_support::MessageBoxCloser boxes; // a refused skin's message must not wait for a user
    // The main form, never shown: closing a window under test then hides it instead of ending the program.
    auto* mainForm = new TChaosForm(&application);
    application.AddForm(mainForm);
    mainForm->LoadFromText("Main : TChaosForm {\n    Caption = \"Odd skins\"\n}\n");
    std::thread(Watchdog).detach();

    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string file =
        std::string(folder) + "marivel-odd-skin-" + std::to_string(GetCurrentProcessId()) + ".skn";
    Figures figures;
    ChaosRun run(figures);
    gui::LiveHandleCounts baseline{};
    for (int i = 0; i < count; ++i) {
        const std::uint32_t seed = first + static_cast<std::uint32_t>(i);
        g_seed = seed;
        const std::vector<std::uint8_t> bytes = skin::test::MakeOddSkin(seed).Package().BuildCompressed();
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        ++figures.tried;
        TrySkin(application, file, run, figures);
        TryGallery(application, file, run);
        const gui::LiveHandleCounts now = gui::LiveHandles();
        if (i == 0) baseline = now;
        if (now.Gdi > baseline.Gdi + 8 || now.User > baseline.User + 8) {
            run.Fault("live handles grew to " + std::to_string(now.Gdi) + " GDI, " +
                      std::to_string(now.User) + " USER from " + std::to_string(baseline.Gdi) + ", " +
                      std::to_string(baseline.User));
            baseline = now; // one report per growth
        }
        PROCESS_MEMORY_COUNTERS memory{};
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        figures.worstWorkingSet = std::max(figures.worstWorkingSet, memory.WorkingSetSize);
    }
    DeleteFileA(file.c_str());
    std::printf(
        "odd skins: %d tried, %d skinned a window, %d faults; worst step %.0f ms (%s); worst working set "
        "%.1f MB\n",
        figures.tried, figures.skinned, figures.faults, figures.worstStepMs, figures.worstStep.c_str(),
        static_cast<double>(figures.worstWorkingSet) / (1024.0 * 1024.0));
    constexpr SIZE_T kWorkingSetLimit = SIZE_T{512} * 1024 * 1024;
    if (figures.worstWorkingSet > kWorkingSetLimit) {
        std::printf("FAULT: the working set passed 512 MB\n");
        return 1;
    }
    return figures.faults == 0 ? 0 : 1;
}
