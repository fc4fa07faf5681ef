#include "framework/gui/application.h"

#include "framework/gui/diagnostics.h"
#include "framework/gui/dpi.h"
#include "framework/gui/form.h"
#include "framework/gui/messages.h"
#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/message_text.h"

#include <ole2.h>

#include <algorithm>

namespace gui {

TApplication* Application = nullptr;

namespace {

constexpr wchar_t kApplicationClass[] = L"TApplication";

LRESULT CALLBACK ApplicationWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE && Application) {
        // Closing the application's window (from a taskbar) closes the main form.
        return ContainExceptions(
            "application window procedure",
            [] {
                if (TForm* main = Application->MainForm()) main->Close();
                return LRESULT{0};
            },
            [] {
                if (Application) Application->HandleException(nullptr);
                return LRESULT{0};
            });
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

struct DisabledWindows {
    HWND except;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableThreadWindow(HWND window, LPARAM lParam) {
    return ContainExceptions(
        "thread window enumeration",
        [&] {
            auto* state = reinterpret_cast<DisabledWindows*>(lParam);
            if (window != state->except && IsWindowVisible(window) && IsWindowEnabled(window)) {
                state->windows.push_back(window);
                EnableWindow(window, FALSE);
            }
            return TRUE;
        },
        TRUE);
}

} // namespace

TApplication::TApplication() : TComponent(nullptr) {
    Application = this;
}

TApplication::~TApplication() {
    // Forms go first, last created first, while the application window still exists.
    while (!forms_.empty())
        delete forms_.back();
    window_.reset();
    if (comInitialized_) OleUninitialize();
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    // Before any window (OLE makes one): the program lays itself out at the DPI it is shown at.
    DeclareDpiAwareness();
    // OLE (a single-threaded COM apartment) for the embedded browser control and its in-place activation.
    comInitialized_ = SUCCEEDED(OleInitialize(nullptr));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &ApplicationWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    wc.lpszClassName = kApplicationClass;
    RegisterClassExW(&wc);
    window_.reset(CreateWindowExW(0, kApplicationClass, Wide(title_).c_str(),
                                  WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                                  0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!window_) throw rtl::Exception("cannot create the application window");
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    if (window_) SetWindowTextW(window_.get(), Wide(title).c_str());
}

void TApplication::AddForm(TForm* form) {
    forms_.push_back(form);
    if (!mainForm_) mainForm_ = form;
}

void TApplication::RemoveForm(TCustomForm* form) {
    // Called while the form is destroyed, when it is no TForm any more: compared as a TCustomForm.
    std::erase_if(forms_, [form](TForm* listed) { return static_cast<TCustomForm*>(listed) == form; });
    if (mainForm_ && static_cast<TCustomForm*>(mainForm_) == form) mainForm_ = nullptr;
}

void TApplication::Run() {
    if (mainForm_) mainForm_->Show();
    MSG msg{};
    while (!terminated_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) break;
        ProcessMessage(msg);
    }
    terminated_ = true;
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        ProcessMessage(msg);
    }
}

bool TApplication::IsDialogKey(MSG& msg) {
    // Tab and Shift+Tab move between the controls of a form, as in a dialog.
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (!root || !dynamic_cast<TForm*>(TWinControl::FromHandle(root))) return false;
    return IsDialogMessageW(root, &msg) != FALSE;
}

bool TApplication::IsDialogChar(const MSG& msg) {
    if (msg.message != WM_SYSCHAR) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    // Typed in the form itself, the form's own procedure asks when the key is dispatched; typed in one of
    // its controls, the key would only reach the form as the system's menu command, so ask here.
    if (!root || root == msg.hwnd) return false;
    auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(root));
    return form && form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
}

bool TApplication::IsMenuShortCut(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    const WORD key = static_cast<WORD>(msg.wParam);
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    auto* form = root ? dynamic_cast<TForm*>(TWinControl::FromHandle(root)) : nullptr;
    if (!form || !form->Menu() || !IsWindowEnabled(root)) return false;
    TShortCut shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= scShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= scCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= scAlt;
    return form->Menu()->IsShortCut(ShortCut(key, shift));
}

bool TApplication::IsMdiAccelerator(MSG& msg) {
    // Ctrl+F4, Ctrl+F6 and the child's system menu keys in a document window of an MDI frame.
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    auto* frame = dynamic_cast<TForm*>(TWinControl::FromHandle(GetAncestor(msg.hwnd, GA_ROOT)));
    return frame && frame->ClientHandle() && TranslateMDISysAccel(frame->ClientHandle(), &msg) != FALSE;
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (IsDialogChar(msg)) return true;
    if (IsMdiAccelerator(msg)) return true;
    if (IsMenuShortCut(msg)) return true;
    if (IsDialogKey(msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void TApplication::HandleException(rtl::TObject* sender) {
    try {
        throw;
    } catch (const rtl::EAbort&) {
        // The silent kind: nothing to show.
    } catch (const std::exception& error) {
        if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
        if (OnException) {
            OnException(sender, error);
        } else {
            ShowException(error);
        }
    } catch (...) {
        ShowException(rtl::Exception("Unknown error"));
    }
}

void TApplication::ShowException(const std::exception& error) {
    UINT flags = MB_OK | MB_ICONSTOP;
    if (BiDiMode()) flags |= MB_RTLREADING;
    ShowMessageBox(rtl::WithFullStop(error.what()), title_, flags);
}

int TApplication::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND active = GetActiveWindow();
    HWND focus = GetFocus();
    DisabledWindows disabled{window_.get(), {}};
    EnumThreadWindows(GetCurrentThreadId(), &DisableThreadWindow, reinterpret_cast<LPARAM>(&disabled));
    const int result = ::MessageBoxW(window_.get(), Wide(text).c_str(), Wide(caption).c_str(), flags);
    for (HWND window : disabled.windows) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    if (active && IsWindow(active)) SetActiveWindow(active);
    if (focus && IsWindow(focus)) SetFocus(focus);
    return result;
}

} // namespace gui
