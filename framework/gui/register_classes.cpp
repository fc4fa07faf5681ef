#include "framework/gui/register_classes.h"

#include "framework/gui/button.h"
#include "framework/gui/edit.h"
#include "framework/gui/label.h"
#include "framework/gui/menus.h"
#include "framework/gui/popup_menu.h"
#include "framework/gui/timer.h"
#include "framework/gui/web_browser.h"

namespace gui {

void RegisterFrameworkClasses() {
    rtl::RegisterComponentClass<TLabel>();
    rtl::RegisterComponentClass<TEdit>();
    rtl::RegisterComponentClass<TButton>();
    rtl::RegisterComponentClass<TTimer>();
    rtl::RegisterComponentClass<TMainMenu>();
    rtl::RegisterComponentClass<TMenuItem>();
    rtl::RegisterComponentClass<TPopupMenu>();
    rtl::RegisterComponentClass<TWebBrowser>();
}

} // namespace gui
