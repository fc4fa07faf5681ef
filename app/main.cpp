// Program entry: start-up in order, the message loop, and shutdown.
#include <windows.h>

#include "app/main_form.h"
#include "app/news_form.h"
#include "framework/gui/application.h"
#include "framework/gui/register_classes.h"

namespace {

constexpr const char* kApplicationTitle = "Marivel进制转换器";

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    gui::RegisterFrameworkClasses();
    gui::TApplication application;
    try {
        application.Initialize();
        application.SetTitle(kApplicationTitle);
        application.CreateForm(app::Form1);
        application.CreateForm(app::Form2);
    } catch (const std::exception& error) {
        // Without its main window the program cannot go on: say why and stop.
        application.ShowException(error);
        return 1;
    }
    application.Run();
    return 0;
}
