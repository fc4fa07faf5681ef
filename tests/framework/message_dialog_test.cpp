// The framework's message dialog: a modal "TMessageForm" with the text, one OK button and the title.
#include "framework/gui/application.h"
#include "framework/gui/message_dialog.h"
#include "framework/gui/register_classes.h"
#include "framework/gui/wide.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

struct DialogSeen {
    int count = 0;
    std::wstring className, caption, label;
    RECT rect{};
    bool otherFormDisabled = false;
    int buttons = 0;
};
DialogSeen g_seen;
HHOOK g_hook = nullptr;
HWND g_otherForm = nullptr;

BOOL CALLBACK CountChild(HWND child, LPARAM lParam) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (_wcsicmp(className, L"Button") == 0) {
        ++reinterpret_cast<DialogSeen*>(lParam)->buttons;
        PostMessageW(child, BM_CLICK, 0, 0);
    }
    return TRUE;
}

LRESULT CALLBACK WatchDialogs(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (auto* form = dynamic_cast<gui::TMessageForm*>(gui::TWinControl::FromHandle(window))) {
            ++g_seen.count;
            wchar_t buffer[256] = {};
            GetClassNameW(window, buffer, 256);
            g_seen.className = buffer;
            GetWindowTextW(window, buffer, 256);
            g_seen.caption = buffer;
            g_seen.label =
                gui::Wide(form->FindComponent("Message")
                              ? dynamic_cast<gui::TControl*>(form->FindComponent("Message"))->Caption()
                              : "");
            GetWindowRect(window, &g_seen.rect);
            g_seen.otherFormDisabled = g_otherForm && !IsWindowEnabled(g_otherForm);
            EnumChildWindows(window, &CountChild, reinterpret_cast<LPARAM>(&g_seen));
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

class TPlainForm : public gui::TForm {
  public:
    using TForm::TForm;
};

TEST(MessageDialog, ModalTextWithOneOkButtonTitleCaptionCentred) {
    gui::RegisterFrameworkClasses();
    gui::TApplication application;
    application.Initialize();
    application.SetTitle("Marivel进制转换器");
    auto* other = new TPlainForm(&application);
    application.AddForm(other);
    other->SetBounds(10, 10, 200, 100);
    other->Show();
    g_otherForm = other->Handle();
    g_hook = SetWindowsHookExW(WH_CBT, &WatchDialogs, nullptr, GetCurrentThreadId());
    gui::ShowMessage("This is Older Skin File\rPlease update to new version !");
    UnhookWindowsHookEx(g_hook);

    ASSERT_EQ(g_seen.count, 1);
    EXPECT_EQ(g_seen.className, L"TMessageForm");
    EXPECT_EQ(g_seen.caption, L"Marivel进制转换器");
    EXPECT_EQ(g_seen.label, L"This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(g_seen.buttons, 1);
    EXPECT_TRUE(g_seen.otherFormDisabled) << "modal: the other windows are disabled meanwhile";
    EXPECT_TRUE(IsWindowEnabled(g_otherForm)) << "and enabled again afterwards";
    const int centreX = (g_seen.rect.left + g_seen.rect.right) / 2;
    const int centreY = (g_seen.rect.top + g_seen.rect.bottom) / 2;
    EXPECT_NEAR(centreX, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR(centreY, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    // Two lines of text: the carriage return breaks the line.
    EXPECT_GT(g_seen.rect.bottom - g_seen.rect.top, 90);
}

} // namespace
