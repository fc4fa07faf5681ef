// Start-up figures of the program under Wine or Windows.
//   startup_bench <path to Marivel.exe> [runs]   time from process start to the main window being visible
//                                               (median of the runs) and the program's peak working set
//   startup_bench --in-process                  time from this process's start to the news window's
//                                               navigation returning, and the working set the news window
//                                               adds
//   startup_bench --first-paint [runs]          time from process start to the main window's first paint,
//                                               skinned against the skin switched off (medians, alternating
//                                               runs in fresh processes)
#include "app/main_form.h"
#include "app/news_form.h"
#include "app/startup.h"
#include "framework/gui/application.h"
#include "skin/form/skin_form.h"
#include "skin/manager/skin_manager.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

struct FindState {
    DWORD pid;
    HWND found = nullptr;
};

BOOL CALLBACK FindVisibleMainWindow(HWND window, LPARAM lParam) {
    auto* state = reinterpret_cast<FindState*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (pid == state->pid && IsWindowVisible(window) && std::wstring(className) == L"TForm1") {
        state->found = window;
        return FALSE;
    }
    return TRUE;
}

double MillisecondsSince(const FILETIME& start) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(start)) / 10000.0;
}

std::size_t WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

int MeasureProgram(const std::wstring& program, int runs) {
    std::vector<double> times;
    std::size_t peak = 0;
    for (int run = 0; run <= runs; ++run) { // run 0 warms the caches and is not counted
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::wstring commandLine = L"\"" + program + L"\"";
        const auto begin = std::chrono::steady_clock::now();
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            std::fprintf(stderr, "cannot start the program\n");
            return 1;
        }
        FindState state{process.dwProcessId};
        while (!state.found) {
            EnumWindows(&FindVisibleMainWindow, reinterpret_cast<LPARAM>(&state));
            if (!state.found) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
        std::this_thread::sleep_for(std::chrono::seconds(2));
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters);
        PostMessageW(state.found, WM_CLOSE, 0, 0);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        if (run > 0) {
            times.push_back(ms);
            peak = std::max<std::size_t>(peak, counters.PeakWorkingSetSize);
            std::printf("run %d: main window visible after %.1f ms, peak working set %.1f MB\n", run, ms,
                        static_cast<double>(counters.PeakWorkingSetSize) / 1048576.0);
        }
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "median time to visible main window: %.1f ms over %d runs; largest peak working set %.1f MB\n",
        times[times.size() / 2], runs, static_cast<double>(peak) / 1048576.0);
    return 0;
}

FILETIME ProcessCreationTime() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return created;
}

// The program's start-up in this process, up to the main window created.
void StartApplication(gui::TApplication& application) {
    app::RegisterStoredClasses();
    application.Initialize();
    application.SetTitle("Marivel进制转换器");
    application.CreateForm(app::Form1);
}

int MeasureInProcess() {
    const FILETIME created = ProcessCreationTime();
    gui::TApplication application;
    StartApplication(application);
    application.ProcessMessages();
    const std::size_t before = WorkingSet();
    const double beforeNews = MillisecondsSince(created);
    application.CreateForm(app::Form2); // its creation ends with the navigation
    const double navigated = MillisecondsSince(created);
    application.ProcessMessages();
    const std::size_t after = WorkingSet();
    std::printf("process start to main window created: %.1f ms\n", beforeNews);
    std::printf("process start to Navigate returning: %.1f ms (news window creation %.1f ms)\n", navigated,
                navigated - beforeNews);
    std::printf("working set added by the news window: %.1f MB (%.1f -> %.1f MB)\n",
                static_cast<double>(after - before) / 1048576.0, static_cast<double>(before) / 1048576.0,
                static_cast<double>(after) / 1048576.0);
    return 0;
}

// One start in this process: the main window created and shown, until its first paint is done (skinned:
// fitted to the skin frame and painted). Prints the milliseconds since the process started.
int FirstPaintOnce(bool skinned) {
    const FILETIME created = ProcessCreationTime();
    gui::TApplication application;
    StartApplication(application);
    if (!skinned && skin::SkinManager) skin::SkinManager->Enabled = 0;
    app::Form1->Show();
    HWND window = app::Form1->Handle();
    const auto ready = [&] {
        if (!skinned) return IsWindowVisible(window) != FALSE;
        const skin::TWinSkinForm* object = skin::SkinManager->FindFormByWindow(window);
        return object && object->SkinPhase() == skin::kPhaseActive;
    };
    MSG msg;
    for (;;) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (ready()) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    UpdateWindow(window); // the paint the fitting asked for
    std::printf("%.3f\n", MillisecondsSince(created));
    return 0;
}

double RunChild(const std::wstring& self, const wchar_t* mode) {
    std::wstring commandLine = L"\"" + self + L"\" --first-paint-once " + mode;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    CreatePipe(&read, &write, &inherit, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    CloseHandle(write);
    std::string output;
    char buffer[64];
    DWORD got = 0;
    while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0)
        output.append(buffer, got);
    CloseHandle(read);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return std::atof(output.c_str());
}

int MeasureFirstPaint(int runs) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::vector<double> skinned, plain;
    RunChild(self, L"skinned"); // warms the caches, not counted
    for (int run = 0; run < runs; ++run) {
        skinned.push_back(RunChild(self, L"skinned"));
        plain.push_back(RunChild(self, L"unskinned"));
    }
    std::sort(skinned.begin(), skinned.end());
    std::sort(plain.begin(), plain.end());
    const double s = skinned[skinned.size() / 2], p = plain[plain.size() / 2];
    std::printf("start to first paint of the main window, median of %d: skinned %.1f ms, skin off %.1f ms, "
                "ratio %.2f\n",
                runs, s, p, s / p);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--in-process") return MeasureInProcess();
    if (argc >= 3 && std::string(argv[1]) == "--first-paint-once") {
        return FirstPaintOnce(std::string(argv[2]) == "skinned");
    }
    if (argc >= 2 && std::string(argv[1]) == "--first-paint") {
        return MeasureFirstPaint(argc >= 3 ? std::max(1, std::atoi(argv[2])) : 7);
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench <Marivel.exe> [runs] | startup_bench --in-process\n");
        return 2;
    }
    const std::string path = argv[1];
    const std::wstring program(path.begin(), path.end());
    return MeasureProgram(program, argc >= 3 ? std::max(1, std::atoi(argv[2])) : 5);
}
