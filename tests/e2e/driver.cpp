#include "tests/e2e/driver.h"

#include "framework/gui/handles.h"

#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace e2e {
namespace {

// The explorer hands web addresses to the browser registered for "http"; in the test prefix that is the
// stand-in.
constexpr wchar_t kHttpOpenCommand[] = L"Software\\Classes\\http\\shell\\open\\command";

std::wstring FromUtf8(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length - 1 : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), length);
    return wide;
}

struct FindState {
    DWORD processId;
    std::wstring title;
    std::wstring className;
    bool visibleOnly = true;
    HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM lParam) {
    auto* state = reinterpret_cast<FindState*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != state->processId || (state->visibleOnly && !IsWindowVisible(window))) return TRUE;
    if (!state->title.empty() && WindowText(window) != state->title) return TRUE;
    if (!state->className.empty() && ClassNameOf(window) != state->className) return TRUE;
    state->found = window;
    return FALSE;
}

struct ChildState {
    std::wstring className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam) {
    auto* state = reinterpret_cast<ChildState*>(lParam);
    if (state->className.empty() || _wcsicmp(ClassNameOf(window).c_str(), state->className.c_str()) == 0) {
        state->found.push_back(window);
    }
    return TRUE;
}

void SendKey(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    // With its scan code, as a keyboard sends it: Alt alone reaches a window as a system key only so.
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void Settle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
}

} // namespace

std::wstring WindowsPath(const std::string& path) {
    std::wstring wide = FromUtf8(path);
    if (!wide.empty() && wide[0] == L'/') {
        for (wchar_t& c : wide)
            c = c == L'/' ? L'\\' : c;
        wide = L"Z:" + wide;
    }
    return wide;
}

std::wstring EnvPath(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value)
        throw std::runtime_error(std::string("environment variable ") + name + " is not set");
    return WindowsPath(value);
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
}

ProgramUnderTest::ProgramUnderTest() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    folder_ = std::wstring(temp) + L"marivel-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(++counter);
    CreateDirectoryW(folder_.c_str(), nullptr);
    const std::wstring program = folder_ + L"\\Marivel.exe";
    if (!CopyFileW(EnvPath("MARIVEL_EXE").c_str(), program.c_str(), FALSE) ||
        !CopyFileW(EnvPath("MARIVEL_BROWSER_STAND_IN").c_str(), (folder_ + L"\\browser.exe").c_str(),
                   FALSE)) {
        throw std::runtime_error("cannot copy the program under test");
    }
    wchar_t previous[1024] = {};
    DWORD previousSize = sizeof previous;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kHttpOpenCommand, nullptr, RRF_RT_REG_SZ, nullptr, previous,
                     &previousSize) == ERROR_SUCCESS) {
        previousBrowser_ = previous;
    }
    const std::wstring command = L"\"" + folder_ + L"\\browser.exe\" \"%1\"";
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kHttpOpenCommand, nullptr, REG_SZ, command.c_str(),
                    static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    STARTUPINFOW startup{};
    started_ = std::chrono::steady_clock::now();
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &process_)) {
        throw std::runtime_error("cannot start the program under test");
    }
    WaitForInputIdle(process_.hProcess, 10000);
}

ProgramUnderTest::~ProgramUnderTest() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kHttpOpenCommand, nullptr, REG_SZ, previousBrowser_.c_str(),
                    static_cast<DWORD>((previousBrowser_.size() + 1) * sizeof(wchar_t)));
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    DeleteFileW((folder_ + L"\\browser-called.txt").c_str());
    DeleteFileW((folder_ + L"\\browser.exe").c_str());
    DeleteFileW((folder_ + L"\\Marivel.exe").c_str());
    RemoveDirectoryW(folder_.c_str());
}

HWND ProgramUnderTest::FindAnyWindowByClass(const std::wstring& className) const {
    FindState state{process_.dwProcessId, L"", className, false};
    EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

long long ProgramUnderTest::Elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started_)
        .count();
}

long ProgramUnderTest::WaitForExit(std::chrono::milliseconds timeout) {
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
}

HWND ProgramUnderTest::FindWindowByTitle(const std::wstring& title, const std::wstring& className) const {
    FindState state{process_.dwProcessId, title, className};
    EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

HWND ProgramUnderTest::FindWindowByClass(const std::wstring& className) const {
    FindState state{process_.dwProcessId, L"", className};
    EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

bool IsSkinnedAndFitted(HWND window) {
    constexpr UINT kIsSkinnedQuery = 0x3504;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, kIsSkinnedQuery, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) || answer != 1) {
        return false;
    }
    // The skin shapes the window for its fitted size just before resizing it: shaped is not yet fitted
    // until the window has the size its shape was made for.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(window, region);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    RECT outer{};
    GetWindowRect(window, &outer);
    return kind != ERROR && box.right == outer.right - outer.left && box.bottom == outer.bottom - outer.top;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    return std::wstring(buffer, copied);
}

std::wstring ClassNameOf(HWND window) {
    wchar_t buffer[256] = {};
    const int length = GetClassNameW(window, buffer, 256);
    return std::wstring(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::vector<HWND> ChildWindows(HWND parent, const std::wstring& className) {
    ChildState state{className, {}};
    EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

void ClickAt(POINT point) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3]{};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dx = static_cast<LONG>((point.x * 65536 + width / 2) / width);
    inputs[0].mi.dy = static_cast<LONG>((point.y * 65536 + height / 2) / height);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1] = inputs[0];
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2] = inputs[0];
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &inputs[0], sizeof(INPUT));
    Settle();
    SendInput(2, &inputs[1], sizeof(INPUT));
    Settle();
}

namespace {

INPUT MouseInput(POINT point, DWORD flags) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((point.x * 65536 + width / 2) / width);
    input.mi.dy = static_cast<LONG>((point.y * 65536 + height / 2) / height);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

} // namespace

void MoveMouseTo(POINT point) {
    INPUT move = MouseInput(point, MOUSEEVENTF_MOVE);
    SendInput(1, &move, sizeof(INPUT));
    Settle();
}

void RightClickAt(POINT point) {
    MoveMouseTo(point);
    INPUT clicks[2] = {MouseInput(point, MOUSEEVENTF_RIGHTDOWN), MouseInput(point, MOUSEEVENTF_RIGHTUP)};
    SendInput(2, clicks, sizeof(INPUT));
    Settle();
}

void DoubleClickAt(POINT point) {
    MoveMouseTo(point);
    INPUT clicks[4] = {MouseInput(point, MOUSEEVENTF_LEFTDOWN), MouseInput(point, MOUSEEVENTF_LEFTUP),
                       MouseInput(point, MOUSEEVENTF_LEFTDOWN), MouseInput(point, MOUSEEVENTF_LEFTUP)};
    SendInput(4, clicks, sizeof(INPUT));
    Settle();
}

std::vector<std::uint32_t> ScreenPixels(const RECT& rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = source[i] & 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

void ClickWindowCentre(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    ClickAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void TypeText(const std::wstring& text) {
    for (const wchar_t c : text) {
        INPUT inputs[2]{};
        inputs[0].type = INPUT_KEYBOARD;
        inputs[0].ki.wScan = c;
        inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
        inputs[1] = inputs[0];
        inputs[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
    }
    Settle();
}

void PressKey(WORD virtualKey, bool alt) {
    if (alt) SendKey(VK_MENU, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    if (alt) SendKey(VK_MENU, true);
    Settle();
}

void SelectAllAndDelete(HWND edit) {
    ClickWindowCentre(edit);
    PressKey(VK_END);
    // Shift+Home selects the whole line of a single-line box.
    SendKey(VK_SHIFT, false);
    SendKey(VK_HOME, false);
    SendKey(VK_HOME, true);
    SendKey(VK_SHIFT, true);
    PressKey(VK_DELETE);
}

std::wstring ArtifactPath(const std::wstring& name) {
    const char* folder = std::getenv("MARIVEL_ARTIFACTS");
    std::wstring base = folder && *folder ? WindowsPath(folder) : L".";
    CreateDirectoryW(base.c_str(), nullptr);
    return base + L"\\" + name;
}

void SaveScreenshot(const RECT& rect, const std::wstring& file) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const gui::WindowDc screen(nullptr);
    const gui::UniqueDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    const gui::UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return;
    {
        const gui::SelectedObject selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
        GdiFlush();
    }
    const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + stride * static_cast<DWORD>(height);
    HANDLE out =
        CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(out, &header, sizeof header, &written, nullptr);
    WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    WriteFile(out, bits, stride * static_cast<DWORD>(height), &written, nullptr);
    CloseHandle(out);
}

} // namespace e2e
