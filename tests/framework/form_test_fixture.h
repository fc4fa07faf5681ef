// What the framework's window tests share: an application per test, forms read from stored form data,
// the messages pumped until something happens, and what a window shows.
#pragma once

#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/register_classes.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class FormTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { gui::RegisterFrameworkClasses(); }
    void SetUp() override {
        application = std::make_unique<gui::TApplication>();
        application->Initialize();
    }
    gui::TForm* NewForm(const std::string& text) {
        auto* form = new gui::TForm(application.get());
        application->AddForm(form);
        form->LoadFromText(text);
        return form;
    }
    template <class T> T* Find(gui::TForm* form, const char* name) {
        auto* component = dynamic_cast<T*>(form->FindComponent(name));
        EXPECT_NE(component, nullptr) << name;
        return component;
    }
    gui::TForm* ShownForm(const std::string& text) {
        gui::TForm* form = NewForm(text);
        form->SetBounds(40, 40, form->Width(), form->Height());
        form->Show();
        SetForegroundWindow(form->Handle());
        Settle();
        return form;
    }
    void Settle(std::chrono::milliseconds time = std::chrono::milliseconds(60)) {
        Pump([] { return false; }, time);
    }
    bool Pump(const std::function<bool()>& condition,
              std::chrono::milliseconds timeout = std::chrono::seconds(2)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            application->ProcessMessages();
            if (condition()) return true;
            Sleep(5);
        }
        return condition();
    }
    // The pixel a window shows at a client point, once everything is painted (read from the window's own
    // surface: what reaches the X screen lags behind).
    static COLORREF PixelAt(HWND window, int x, int y) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HDC dc = GetDC(window);
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return colour;
    }
    static void MoveMouse(int x, int y) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof input);
    }
    static POINT CentreOnScreen(HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    std::unique_ptr<gui::TApplication> application;
};
