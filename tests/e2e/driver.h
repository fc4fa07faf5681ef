// Drives a running copy of the program from outside, as a user would: finds its windows, clicks, types,
// reads texts, and saves screenshots.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Paths handed over by the test runner (Linux paths become Z: paths).
std::wstring WindowsPath(const std::string& path);
std::wstring EnvPath(const char* name);

// Waits until condition holds or the timeout passes, pumping nothing (the program runs in its own process).
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// A copy of the program in a fresh folder of its own, with the stand-in browser beside it and registered
// for web addresses while it runs.
class ProgramUnderTest {
  public:
    ProgramUnderTest();
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    DWORD ProcessId() const { return process_.dwProcessId; }
    HANDLE ProcessHandle() const { return process_.hProcess; }
    const std::wstring& Folder() const { return folder_; }
    // Waits for the process to end; returns its exit code, or -1 on a timeout.
    long WaitForExit(std::chrono::milliseconds timeout);

    // The visible top-level window of the program with this title (and class, if given).
    HWND FindWindowByTitle(const std::wstring& title, const std::wstring& className = L"") const;
    // A visible top-level window of the program of this class ("#32770" for message boxes).
    HWND FindWindowByClass(const std::wstring& className) const;
    // A top-level window of the program of this class, visible or not.
    HWND FindAnyWindowByClass(const std::wstring& className) const;
    // Milliseconds since the program was started.
    long long Elapsed() const;

  private:
    std::wstring folder_;
    std::wstring previousBrowser_;
    std::chrono::steady_clock::time_point started_;
    PROCESS_INFORMATION process_{};
};

// True once the window answers the skinning engine's "is skinned" query and the skin frame has been
// fitted (the window has its region and the size it was shaped for): what a user sees from then on is the
// skinned window.
bool IsSkinnedAndFitted(HWND window);

std::wstring WindowText(HWND window);
std::wstring ClassNameOf(HWND window);
std::vector<HWND> ChildWindows(HWND parent, const std::wstring& className);

// Real input through the system's input queue.
void ClickAt(POINT screenPoint);
void MoveMouseTo(POINT screenPoint);
void RightClickAt(POINT screenPoint);
void DoubleClickAt(POINT screenPoint);
void ClickWindowCentre(HWND window);
void TypeText(const std::wstring& text);
void PressKey(WORD virtualKey, bool alt = false);
void SelectAllAndDelete(HWND edit);

// The pixels (0x00RRGGBB, rows top-down) of a screen rectangle.
std::vector<std::uint32_t> ScreenPixels(const RECT& screenRect);

// Screenshot of a screen rectangle as a 24-bit BMP file.
void SaveScreenshot(const RECT& screenRect, const std::wstring& file);
std::wstring ArtifactPath(const std::wstring& name);

} // namespace e2e
