// What the skinned window tests share: forms built from stored form data that carry one of our skins, the
// screen read back, and a fixture that runs an application per test and pumps its messages.
#pragma once

#include "framework/gui/application.h"
#include "framework/gui/form.h"
#include "framework/gui/register_classes.h"
#include "framework/rtl/form_data.h"
#include "skin/component/skin_data.h"
#include "skin/draw/bmp_writer.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/win_rect.h"
#include "skin/form/control_discovery.h"
#include "skin/form/skin_form.h"
#include "skin/manager/skin_manager.h"
#include "tests/support/message_box_closer.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace skin_tests {

using skin::TSkinData;

constexpr int kClientWidth = 521;
constexpr int kClientHeight = 255;

inline std::string SkinFile(const std::string& name) {
    std::string path = std::string(MARIVEL_SKINS_DIR) + "/" + name;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return "Z:" + path;
}

// A text as stored form data writes it between quotes.
inline std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

class TSkinTestForm : public gui::TForm {
  public:
    using TForm::TForm;
    static const rtl::TClassInfo& StaticClassInfo() {
        static const rtl::TClassInfo info{"TSkinTestForm", &TForm::StaticClassInfo(), {}};
        return info;
    }
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

// A form of the main window's size, optionally carrying a skin data component that reads skinFile.
inline std::string FormText(const std::string& caption, const std::string& skinFile, int tag = 0,
                            int left = 200) {
    rtl::FormObject form{"SkinForm", "TSkinTestForm", {}, {}, 1};
    form.properties.push_back({"Caption", caption, 0});
    form.properties.push_back({"ClientWidth", std::int64_t{kClientWidth}, 0});
    form.properties.push_back({"ClientHeight", std::int64_t{kClientHeight}, 0});
    form.properties.push_back({"BorderStyle", rtl::FormIdentifier{"bsSingle"}, 0});
    form.properties.push_back({"Left", std::int64_t{left}, 0});
    form.properties.push_back({"Top", std::int64_t{150}, 0});
    form.properties.push_back({"Tag", std::int64_t{tag}, 0});
    if (!skinFile.empty()) {
        rtl::FormObject data{"SkinData1", "TSkinData", {}, {}, 2};
        data.properties.push_back({"Active", rtl::FormIdentifier{"True"}, 0});
        data.properties.push_back({"SkinFile", skinFile, 0});
        form.children.push_back(data);
    }
    return rtl::WriteFormData(form);
}

inline RECT WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// What the screen shows of rect.
inline skin::Bitmap Screenshot(const RECT& rect) {
    skin::Bitmap shot(rect.right - rect.left, rect.bottom - rect.top);
    HDC screen = GetDC(nullptr);
    skin::win::CopyFromDc(shot, skin::Point{0, 0}, screen, skin::win::ToRect(rect));
    ReleaseDC(nullptr, screen);
    return shot;
}

inline bool InRegion(HWND window, int x, int y) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool inside = GetWindowRgn(window, region) != ERROR && PtInRegion(region, x, y);
    DeleteObject(region);
    return inside;
}

inline bool HasRegion(HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetWindowRgn(window, region) != ERROR;
    DeleteObject(region);
    return has;
}

// Keeps a screenshot beside the build for people to look at (the artifacts folder).
inline void SaveArtifact(const skin::Bitmap& shot, const std::string& name) {
    std::string path = std::string(MARIVEL_ARTIFACTS_DIR) + "/" + name;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    CreateDirectoryA(("Z:" + std::string(MARIVEL_ARTIFACTS_DIR)).c_str(), nullptr);
    const std::vector<std::uint8_t> bytes = skin::WriteBmp(shot);
    std::ofstream("Z:" + path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Counts one message as it reaches a form's own message handling, where a program's handler of it runs.
class MessageCounter {
  public:
    MessageCounter(gui::TForm& form, UINT message) : message_(message) {
        hook_.Install(form, gui::TWndMethod::Of<&MessageCounter::Handle>(this));
    }
    int Seen() const { return seen_; }

  private:
    void Handle(gui::TMessage& message) {
        if (message.Msg == message_) ++seen_;
        hook_.CallPrevious(message);
    }
    gui::TMessageHook hook_;
    UINT message_;
    int seen_ = 0;
};

// A test run with each of our skins (the parameter: the skin file's name).
class SkinFormTest : public ::testing::TestWithParam<const char*> {
  protected:
    static void SetUpTestSuite() {
        gui::RegisterFrameworkClasses();
        skin::RegisterSkinDataClass();
        rtl::RegisterComponentClass<TSkinTestForm>();
    }
    void SetUp() override {
        application = std::make_unique<gui::TApplication>();
        application->Initialize();
        application->SetTitle("Skin form test");
        boxes = std::make_unique<testing_support::MessageBoxCloser>();
    }
    void TearDown() override {
        boxes.reset();
        application.reset();
        skin::FreeSkinManager();
    }

    // Runs a deferred skin action of the manager for skin now, as its timer would.
    void RunSkinAction(TSkinData& skin, skin::DeferredAction action) {
        skin::TSkinManage& manager = *skin::SkinManager;
        manager.SetPendingSkinData(&skin);
        manager.ScheduleAction(action, skin::kActionDelayMs);
        manager.RunPendingAction();
        application->ProcessMessages();
    }
    TSkinTestForm* NewForm(const std::string& text) {
        auto* form = new TSkinTestForm(application.get());
        application->AddForm(form);
        form->LoadFromText(text);
        return form;
    }
    // The form that carries the skin, shown and skinned.
    TSkinTestForm* SkinnedForm(const std::string& caption = "Skinned window") {
        TSkinTestForm* form = NewForm(FormText(caption, SkinFile(GetParam())));
        form->Show();
        EXPECT_TRUE(Pump([&] { return Skinned(form->Handle()); })) << "the form was not skinned";
        return form;
    }
    // The form skinning object of a window, the control skinning object of class T for one of its controls
    // (null when it has none of that class), and a named windowed control's window.
    static skin::TWinSkinForm& ObjectOf(HWND window) { return *skin::SkinManager->FindFormByWindow(window); }
    template <class T> static T* ObjectFor(HWND window, HWND control) {
        return dynamic_cast<T*>(skin::FindControlObject(ObjectOf(window), control));
    }
    static HWND HandleOf(gui::TForm* form, const char* name) {
        return dynamic_cast<gui::TWinControl*>(form->FindComponent(name))->Handle();
    }
    TSkinData& Skin(gui::TForm* carrier) {
        return *dynamic_cast<TSkinData*>(carrier->FindComponent("SkinData1"));
    }

    // Dispatches messages until condition holds (true) or the time is up (false).
    bool Pump(const std::function<bool()>& condition,
              std::chrono::milliseconds timeout = std::chrono::seconds(3)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            application->ProcessMessages();
            if (condition()) return true;
            Sleep(5);
        }
        application->ProcessMessages();
        return condition();
    }
    void Settle(std::chrono::milliseconds time = std::chrono::milliseconds(100)) {
        Pump([] { return false; }, time);
    }
    static bool Skinned(HWND window) {
        const auto* object = skin::SkinManager ? skin::SkinManager->FindFormByWindow(window) : nullptr;
        return object && object->SkinPhase() == skin::kPhaseActive;
    }
    skin::Bitmap ShowAndShoot(HWND window) {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Settle(std::chrono::milliseconds(50));
        return Screenshot(WindowRectOf(window));
    }
    // Frame thickness of a border image: one frame of its strip.
    static int Thickness(const skin::TDataSkinBorder& border, bool vertical) {
        return (vertical ? border.Image.height() : border.Image.width()) / std::max(border.FrameCount, 1);
    }

    std::unique_ptr<gui::TApplication> application;
    std::unique_ptr<testing_support::MessageBoxCloser> boxes;
};

// While it lives, every message box of this thread is handed to look from a timer, half a second after it
// is activated (laid out, skinned and painted by then); look closes the box.
class MessageBoxWatch {
  public:
    explicit MessageBoxWatch(TIMERPROC look) {
        look_ = look;
        hook_ = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    }
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;
    ~MessageBoxWatch() { UnhookWindowsHookEx(hook_); }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        wchar_t name[16] = {};
        HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && GetClassNameW(window, name, 16) && std::wstring(name) == L"#32770") {
            SetTimer(window, 1, 500, look_);
        }
        return CallNextHookEx(hook_, code, wParam, lParam);
    }
    static inline HHOOK hook_ = nullptr;
    static inline TIMERPROC look_ = nullptr;
};

} // namespace skin_tests
