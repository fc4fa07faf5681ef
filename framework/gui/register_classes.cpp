#include "framework/gui/register_classes.h"

#include "framework/gui/bit_btn.h"
#include "framework/gui/button.h"
#include "framework/gui/check_box.h"
#include "framework/gui/combo_box.h"
#include "framework/gui/date_time_picker.h"
#include "framework/gui/edit.h"
#include "framework/gui/group_box.h"
#include "framework/gui/header_control.h"
#include "framework/gui/label.h"
#include "framework/gui/list_box.h"
#include "framework/gui/list_view.h"
#include "framework/gui/memo.h"
#include "framework/gui/menus.h"
#include "framework/gui/page_control.h"
#include "framework/gui/panel.h"
#include "framework/gui/popup_menu.h"
#include "framework/gui/progress_bar.h"
#include "framework/gui/radio_button.h"
#include "framework/gui/rich_edit.h"
#include "framework/gui/scroll_bar.h"
#include "framework/gui/scroll_box.h"
#include "framework/gui/speed_button.h"
#include "framework/gui/status_bar.h"
#include "framework/gui/tab_set.h"
#include "framework/gui/timer.h"
#include "framework/gui/tool_bar.h"
#include "framework/gui/track_bar.h"
#include "framework/gui/up_down.h"
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
    rtl::RegisterComponentClass<TMemo>();
    rtl::RegisterComponentClass<TCheckBox>();
    rtl::RegisterComponentClass<TRadioButton>();
    rtl::RegisterComponentClass<TGroupBox>();
    rtl::RegisterComponentClass<TRadioGroup>();
    rtl::RegisterComponentClass<TPanel>();
    rtl::RegisterComponentClass<TComboBox>();
    rtl::RegisterComponentClass<TListBox>();
    rtl::RegisterComponentClass<TBitBtn>();
    rtl::RegisterComponentClass<TSpeedButton>();
    rtl::RegisterComponentClass<TDateTimePicker>();
    rtl::RegisterComponentClass<TTabControl>();
    rtl::RegisterComponentClass<TPageControl>();
    rtl::RegisterComponentClass<TTabSheet>();
    rtl::RegisterComponentClass<TTabbedNotebook>();
    rtl::RegisterComponentClass<TTabPage>();
    rtl::RegisterComponentClass<TTabSet>();
    rtl::RegisterComponentClass<TStatusBar>();
    rtl::RegisterComponentClass<TStatusPanel>();
    rtl::RegisterComponentClass<TProgressBar>();
    rtl::RegisterComponentClass<TTrackBar>();
    rtl::RegisterComponentClass<TUpDown>();
    rtl::RegisterComponentClass<TToolBar>();
    rtl::RegisterComponentClass<TToolButton>();
    rtl::RegisterComponentClass<TScrollBar>();
    rtl::RegisterComponentClass<TScrollBox>();
    rtl::RegisterComponentClass<TListView>();
    rtl::RegisterComponentClass<THeaderControl>();
    rtl::RegisterComponentClass<TRichEdit>();
}

} // namespace gui
