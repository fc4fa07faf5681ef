#include "app/startup.h"

#include "framework/gui/register_classes.h"
#include "skin/component/skin_data.h"
#include "skin/manager/skin_manager.h"

namespace app {

void RegisterStoredClasses() {
    gui::RegisterFrameworkClasses();
    skin::RegisterSkinDataClass();
}

void FinalizeModules() {
    skin::FreeSkinManager();
}

} // namespace app
