// Program entry: start-up in order, the message loop, and shutdown.
#include "app/main_form.h"
#include "app/news_form.h"
#include "app/startup.h"
#include "framework/gui/application.h"

#include <windows.h>

namespace {

constexpr const char* kApplicationTitle = "Marivel进制转换器";

// Runs the application; the forms are destroyed when it returns.
int RunApplication() {
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

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Module initialisation.
    app::RegisterStoredClasses();
    const int result = RunApplication();
    app::FinalizeModules();
    return result;
}
