#include "tests/screens/capture.h"

#include "tests/e2e/driver.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <thread>

namespace screens {
namespace {

using namespace std::chrono_literals;

const std::wstring kGalleryTitle = L"Marivel control gallery";
const std::wstring kConverterTitle = L"Marivel进制转换器";
constexpr auto kStartTimeout = 30s;
constexpr auto kMenuTimeout = 10s;
constexpr auto kStillInterval = 150ms; // a picture unchanged over four looks is settled
constexpr int kStillLooks = 4;
constexpr int kMaxTabs = 6;

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// The pointer in the screen's bottom right corner, where no window of the check reaches.
void ParkPointer() {
    e2e::MoveMouseTo(POINT{GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
}

Picture CaptureScreen(const RECT& rect) {
    return Picture{rect.right - rect.left, rect.bottom - rect.top, e2e::ScreenPixels(rect)};
}

// The picture of rect once it has stopped changing.
Picture StillPicture(const RECT& rect) {
    Picture last = CaptureScreen(rect);
    int same = 1;
    const auto deadline = std::chrono::steady_clock::now() + kMenuTimeout;
    while (same < kStillLooks && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kStillInterval);
        Picture now = CaptureScreen(rect);
        same = now.pixels == last.pixels ? same + 1 : 1;
        last = std::move(now);
    }
    if (same < kStillLooks) throw std::runtime_error("the screen did not settle");
    return last;
}

UniqueHandle StartProcess(const std::wstring& exe, const std::vector<std::wstring>& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    for (const std::wstring& argument : arguments)
        commandLine += L" \"" + argument + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        throw std::runtime_error("cannot start the gallery: error " + std::to_string(GetLastError()));
    }
    CloseHandle(process.hThread);
    return UniqueHandle(process.hProcess);
}

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM lParam) {
    auto* windows = reinterpret_cast<ProcessWindows*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == windows->processId && IsWindowVisible(window)) windows->found.push_back(window);
    return TRUE;
}

// The visible top-level windows of a process, in z-order.
std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    ProcessWindows state{processId, {}};
    EnumWindows(&CollectVisibleWindow, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

HWND WaitForSkinnedWindow(DWORD processId, const std::wstring& title) {
    HWND window = nullptr;
    const bool shown = e2e::WaitFor(
        [&] {
            for (HWND candidate : VisibleWindowsOf(processId)) {
                if (e2e::WindowText(candidate) == title && e2e::IsSkinnedAndFitted(candidate)) {
                    window = candidate;
                    return true;
                }
            }
            return false;
        },
        kStartTimeout);
    if (!shown) throw std::runtime_error("no skinned window titled as expected appeared");
    return window;
}

HWND CaretWindow(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndCaret;
}

// The window in front with the keyboard, and the focus moved on (Tab) until no text caret blinks in it.
void FocusWithoutCaret(HWND window) {
    SetForegroundWindow(window);
    if (!e2e::WaitFor([&] { return GetForegroundWindow() == window; }, kMenuTimeout))
        throw std::runtime_error("the window did not come to the front");
    for (int tab = 0; CaretWindow(window) != nullptr; ++tab) {
        if (tab == kMaxTabs) throw std::runtime_error("a text caret stays in the window whatever has focus");
        e2e::PressKey(VK_TAB);
    }
}

// Opens the menu from the keyboard and answers the screen rectangle that covers the program's windows, the
// menu included, once it shows.
RECT OpenMenuFromKeyboard(DWORD processId, HWND window, OpenMenu menu) {
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    const Picture before = StillPicture(windowRect);
    switch (menu) {
    case OpenMenu::MenuBarItem:
        e2e::PressKey(VK_MENU);
        break;
    case OpenMenu::FirstDropDown:
        e2e::PressKey('F', /*alt=*/true);
        break;
    case OpenMenu::SystemMenu:
        e2e::PressKey(VK_SPACE, /*alt=*/true);
        break;
    }
    const bool opened =
        menu == OpenMenu::MenuBarItem
            ? e2e::WaitFor([&] { return CaptureScreen(windowRect).pixels != before.pixels; }, kMenuTimeout)
            : e2e::WaitFor([&] { return VisibleWindowsOf(processId).size() > 1; }, kMenuTimeout);
    if (!opened) throw std::runtime_error("the menu did not open");
    RECT covered = windowRect;
    for (HWND shown : VisibleWindowsOf(processId)) {
        RECT rect{};
        GetWindowRect(shown, &rect);
        UnionRect(&covered, &covered, &rect);
    }
    return covered;
}

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

Picture GalleryScreenshot(const std::vector<std::wstring>& arguments) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring file =
        std::wstring(temp) + L"marivel-screens-" + std::to_wstring(GetCurrentProcessId()) + L".bmp";
    DeleteFileW(file.c_str());
    std::vector<std::wstring> all = arguments;
    all.insert(all.end(), {L"--no-caret", L"--fixed-clock", L"--screenshot", file});
    ParkPointer();
    const UniqueHandle process = StartProcess(e2e::EnvPath("MARIVEL_GALLERY"), all);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 99);
        throw std::runtime_error("the gallery did not end within a minute");
    }
    GetExitCodeProcess(process.get(), &code);
    if (code != 0) throw std::runtime_error("the gallery ended with code " + std::to_string(code));
    Picture picture = DecodeBmp(ReadFileBytes(file));
    DeleteFileW(file.c_str());
    return picture;
}

Picture GalleryWithMenu(const std::wstring& skin, OpenMenu menu) {
    ParkPointer();
    const UniqueHandle process =
        StartProcess(e2e::EnvPath("MARIVEL_GALLERY"), {L"--skin", skin, L"--fixed-clock"});
    const DWORD processId = GetProcessId(process.get());
    struct Ender {
        HANDLE process;
        ~Ender() {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 5000);
        }
    } ender{process.get()};
    const HWND window = WaitForSkinnedWindow(processId, kGalleryTitle);
    FocusWithoutCaret(window);
    return StillPicture(OpenMenuFromKeyboard(processId, window, menu));
}

Picture ConverterWithMenu(OpenMenu menu) {
    ParkPointer();
    e2e::ProgramUnderTest program;
    const HWND window = WaitForSkinnedWindow(program.ProcessId(), kConverterTitle);
    FocusWithoutCaret(window);
    return StillPicture(OpenMenuFromKeyboard(program.ProcessId(), window, menu));
}

} // namespace screens
