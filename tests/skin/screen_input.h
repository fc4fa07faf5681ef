// What the screen shows and what the mouse does, for tests of skinned windows: colours compared without
// their top byte, screenshots once a window has painted, and mouse input through the system's input queue.
#pragma once

#include "tests/skin/skin_test_fixture.h"

#include <windows.h>

#include <chrono>

namespace skin_tests {

inline skin::Pixel RgbOf(skin::Pixel pixel) {
    return pixel & skin::kPixelRgbMask;
}
inline skin::Pixel PixelOfColour(skin::Colour colour) {
    return skin::ColourToPixel(static_cast<skin::Colour>(gui::ColorToRGB(colour)));
}

// Dispatches this thread's messages for a while: Wine puts what was drawn on the screen a moment later.
inline void PumpFor(std::chrono::milliseconds time) {
    const auto deadline = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < deadline) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

// What the screen shows of a control once it has painted itself.
inline skin::Bitmap ShotOf(HWND control) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    PumpFor(std::chrono::milliseconds(60));
    return Screenshot(WindowRectOf(control));
}

// How many pixels of frame `frame` of a glyph strip (key colour left out) the screen shows differently at
// (left, top) of shot.
inline int GlyphMismatches(const skin::Bitmap& shot, int left, int top, const skin::Bitmap& strip, int frames,
                           int frame) {
    const int fw = strip.width() / frames;
    int mismatches = 0;
    for (int y = 0; y < strip.height(); ++y) {
        for (int x = 0; x < fw; ++x) {
            const skin::Pixel p = RgbOf(strip.pixel((frame - 1) * fw + x, y));
            if (p != skin::kSkinKeyPixel && RgbOf(shot.pixel(left + x, top + y)) != p) ++mismatches;
        }
    }
    return mismatches;
}

inline void MoveMouse(POINT point) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (point.x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (point.y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

inline void MouseButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
}

inline POINT CentreOf(HWND window) {
    const RECT rect = WindowRectOf(window);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

} // namespace skin_tests
