// The main window: number, base, result and the conversion button; the website command; the news timers.
#pragma once

#include "framework/gui/button.h"
#include "framework/gui/edit.h"
#include "framework/gui/form.h"
#include "framework/gui/label.h"
#include "framework/gui/menus.h"
#include "framework/gui/timer.h"
#include "skin/component/skin_data.h"

#include <windows.h>

namespace app {

// The publisher's website, opened by the menu command.
inline constexpr const char* kWebsiteAddress = "http://www.marivel.example";

// How the website command reaches the shell; tests put a recorder here.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
extern ShellExecuteFunction ShellExecuteHook;

class TForm1 : public gui::TForm {
  public:
    explicit TForm1(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void Loaded() override;

    // Stored components, bound by name once the form has been read.
    gui::TLabel* Label1 = nullptr;
    gui::TLabel* Label2 = nullptr;
    gui::TLabel* Label3 = nullptr;
    gui::TLabel* Label4 = nullptr;
    gui::TEdit* Edit1 = nullptr;
    gui::TEdit* Edit2 = nullptr;
    gui::TEdit* Edit3 = nullptr;
    gui::TButton* Button1 = nullptr;
    gui::TTimer* Timer1 = nullptr;
    gui::TTimer* Timer2 = nullptr;
    skin::TSkinData* SkinData1 = nullptr;
    gui::TMainMenu* MainMenu1 = nullptr;
    gui::TMenuItem* N1 = nullptr;

    void Button1Click(rtl::TObject* sender);
    void N1Click(rtl::TObject* sender);
    void Timer1Timer(rtl::TObject* sender);
    void Timer2Timer(rtl::TObject* sender);
};

extern TForm1* Form1;

} // namespace app
